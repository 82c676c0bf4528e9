// A text view's document laid out in short steps while the event loop runs: no step of Qt's own layout holds the window.
#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

class QAbstractTextDocumentLayout;
class QTextDocument;
class QTextEdit;

// Qt lays a long document out on the GUI thread in steps that grow to 200,000 characters (a
// fifth of a second and more), and a table whole in one of them. This object takes over the
// layout's own steps: each turn it lays the document out block by block for about 20 ms and then
// lets the event loop run. A document built in short tables (`CBerichtsdokument`) so never holds
// the window longer than its largest part takes. A new width starts the layout again from the
// top: the view then shows the top while the layout catches up with the place it showed.
class CSchrittlayout : public QObject
{
    Q_OBJECT
public:
    explicit CSchrittlayout(QTextEdit* ansicht);
    ~CSchrittlayout() override;

    // Follows the document the view shows now (after `QTextEdit::setDocument`).
    void folge_dokument();
    // Whether the layout has reached the character position.
    bool hat_gelegt(int position) const;
    // Calls `aktion` once the layout has reached `position`, at once when it has; a later call
    // replaces an action still waiting.
    void wenn_gelegt(int position, std::function<void()> aktion);
    // Before the view takes a new width, which lays the document out again from the top: when it
    // shows a place far down, it goes to the top meanwhile, and the answer is that place (the
    // character at the view's top), else -1. After the new width, `zeige_wieder` with it goes
    // back there once the layout has reached it.
    int vor_neuer_breite();
    void zeige_wieder(int position);

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    bool ist_layouttakt(int timer_id) const;
    // The layout began again from the top (a new width or font): the steps do too.
    bool neu_begonnen() const;
    void schritt();
    void pruefe_wartendes();
    // Shows the character position at the view's top.
    void gehe_zu(int position);

    QTextEdit* ansicht;
    QPointer<QTextDocument> dokument;
    QPointer<QAbstractTextDocumentLayout> layout;
    // Where the steps have laid the document out to, and the last non-empty block they laid out.
    int gelegt_bis = 0;
    int letzter_block = -1;
    int wartet_auf = -1;
    std::function<void()> wartendes;
};
