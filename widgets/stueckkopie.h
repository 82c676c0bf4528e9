// A copy of a text document made a few milliseconds at a time on the GUI thread, for work beside the window on a document of any size.
#pragma once

#include <QMetaObject>
#include <QPointer>
#include <QTextCursor>
#include <QTextFormat>
#include <QTextLayout>
#include <QVector>

#include <memory>
#include <vector>

class QTextDocument;

// Copies the text of a document from `anfang` to `ende` piece by piece, each piece a fragment of
// the document with its formats, cut only between the paragraphs and frames of its top level, so
// that no table is copied as two. Cloning the document instead held the GUI thread a second for
// 200,000 lines. The pieces go into parts of some hundred thousand characters, which the thread
// that takes the copy puts together into a document with the document's own settings (font, text
// option, margins, title, style sheet, the root frame's format), as a clone has them: a list that
// two pieces share is one list there, numbered on, and the formats a highlighter gave the blocks
// come along. The GUI thread thus never grows a document of the whole text, whose buffer, moved at
// each doubling, held it a tenth of a second.
//
// GUI thread. The document may change at its end (lines appended to a log) and the copy goes on;
// text inserted or taken away before the end, or the document gone, ends the copy unfinished.
class CStueckkopie
{
public:
    // The copy once whole, handed to the thread that works on it. Whoever destroys it unused, on
    // the GUI thread too, never waits for its pieces to be deleted.
    class Kopie
    {
    public:
        ~Kopie();
        // On the thread that takes it, once: the document put together of the pieces, of that
        // thread now.
        std::unique_ptr<QTextDocument> uebernimm();

    private:
        friend class CStueckkopie;
        struct Teil
        {
            std::unique_ptr<QTextDocument> text;
            // Per block, where the document has lists: the list it belongs to (its address, only
            // told apart), 0 for none.
            QVector<quintptr> listen;
            // Per block, where it is highlighted: the formats the highlighter gave it.
            QVector<QVector<QTextLayout::FormatRange>> formate;
        };
        // Empty, with the document's settings.
        std::unique_ptr<QTextDocument> dokument;
        std::vector<Teil> teile;
        QTextFrameFormat rahmen;
    };

    // `ende` -1: the document's end as it stands now.
    explicit CStueckkopie(QTextDocument& quelle, int anfang = 0, int ende = -1);
    ~CStueckkopie();
    CStueckkopie(const CStueckkopie&) = delete;
    CStueckkopie& operator=(const CStueckkopie&) = delete;

    // Copies pieces for about `ns` nanoseconds (one piece at least); true once the copy is whole
    // or can no longer be (`gueltig`).
    bool kopiere(qint64 ns);
    // False once the document went or its text before the end changed.
    bool gueltig() const;
    // The share copied, 0 to 1000.
    int anteil() const;
    // The whole copy, of no thread; null while it is not whole.
    std::shared_ptr<Kopie> nimm();

    // The first place after `von` where a piece of about `bloecke` paragraphs of `dokument` may end,
    // `ende` at the latest: only between the paragraphs and frames of its top level, a piece that
    // ended inside a table would copy it as two.
    static int grenze(const QTextDocument& dokument, int von, int bloecke, int ende);

private:
    // Notes the lists and highlighter's formats of the blocks from `von` to `bis`.
    void erfasse(int von, int bis, Kopie::Teil& teil) const;
    // Closes the part being filled; the next piece begins a new one.
    void schliesse_teil();

    QPointer<QTextDocument> quelle;
    int anfang;
    int ende;
    int naechste;
    int bloecke = 64;
    bool geaendert = false;
    bool hervorgehoben = false;
    std::shared_ptr<Kopie> kopie;
    // Fills the last part, in one edit.
    QTextCursor schreiber;
    QMetaObject::Connection aenderung;
};
