// Select all and copy in a text view that answer at once, however long its text: a long selection is copied a piece at a time and handed to the clipboard once it is ready.
#pragma once

#include <QClipboard>
#include <QObject>

#include <memory>

class QAbstractScrollArea;
class QPlainTextEdit;
class QTextEdit;

// Qt's select all puts the cursor at the text's end and asks the layout where that lies: a long
// report still being laid out in steps (`CSchrittlayout`) was laid out to its end at once, seconds
// of a frozen window. Its copy makes a second document of the whole selection on the GUI thread,
// and its HTML and other forms when the clipboard is read, seconds again. Here a selection of more
// than some ten thousand characters is copied in pieces of some milliseconds each, cut between the
// paragraphs and frames of the document's top level, so that the pieces together are the
// selection exactly; its plain text and its HTML (as Qt makes them of a selection) are made on a
// thread of their own, and only then does the clipboard get them. Meanwhile the clipboard keeps
// what it held; a newer copy, here or anywhere, takes the place of this one. A shorter selection
// is copied as Qt does, at once.
// The object watches the view's keys (Ctrl+A, Ctrl+C and Ctrl+Insert) and its context menu's
// "Select All" and "Copy"; on a system with a selection clipboard (X11), select all fills that too,
// as Qt's does. It is a child of the view (a text or a plain text view) and dies with it; a copy
// still under way ends with it, which the log says with the error beep.
class CAuswahlkopie : public QObject
{
    Q_OBJECT
public:
    explicit CAuswahlkopie(QTextEdit* ansicht);
    explicit CAuswahlkopie(QPlainTextEdit* ansicht);
    ~CAuswahlkopie() override;

    // Selects the whole text without laying it out to its end.
    void waehle_alles();
    // Copies the view's selection into the clipboard of `modus`.
    void kopiere(QClipboard::Mode modus = QClipboard::Clipboard);
    // Whether a long copy is under way.
    bool kopiert() const { return kopie != nullptr; }

signals:
    // The share of a long copy done, in per cent: 1 to 99 while it goes on, then 100, also when it
    // ends without reaching the clipboard.
    void fortschritt(int prozent);

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    struct Kopie;
    explicit CAuswahlkopie(QAbstractScrollArea* ansicht);
    // Calls `tun` with the view as what it is.
    template <typename Tun>
    auto mit_ansicht(Tun tun) const;
    // Copies pieces of the selection for a few milliseconds, then lets the event loop run.
    void schritt();
    // The pieces are copied: the text and HTML are made beside the window.
    void mache_daten();
    void uebergib();
    // Ends the copy under way; `grund`, when given, is said in the log with the error beep.
    void beende(const QString& grund = QString());
    void zeige_menue(QObject* objekt, QEvent* ereignis);

    QAbstractScrollArea* ansicht;
    std::unique_ptr<Kopie> kopie;
    // Set while this object fills the clipboard: its own change does not end a copy.
    bool setzt = false;
};
