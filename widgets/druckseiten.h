// A document laid out for paper and cut into pages between its lines: every line on exactly one page, whole.
#pragma once

#include <QMarginsF>
#include <QPointF>
#include <QSizeF>
#include <QTextBlock>
#include <QString>
#include <QVector>

#include <memory>
#include <vector>

class QFontMetricsF;
class QPaintDevice;
class QPainter;
class QRectF;
class QTextDocument;

// Every print road lays its documents out here and draws their pages from here.
//
// The layout is made at the screen's resolution, whatever the device's, and drawn scaled: Qt's
// text layout loses the end of a long document laid out at a printer's resolution (at 1200 dpi
// only some 19,000 of 40,000 lines are left).
//
// Nor is a long document laid out as one flow: past some 2^23 pixels down a layout its glyphs
// are lost when drawn, and past the layout's own range nothing is laid out at all. The document
// is laid out in slices of a few thousand paragraphs, each a document of its own, so that every
// coordinate stays small and any number of lines reaches paper. Each slice lies on the page grid
// of the whole document: it gives every page above the one its text ends on, and the next slice
// begins with the paragraph or table on that page's top (or running across it, a floating picture
// too), in its place on the page, every block with its format and a list's items numbered on. Every line lands where a print in one
// piece puts it. Only a single paragraph or table too tall for that range cannot be printed; that
// is known before anything is drawn (`gib_fehler`).
//
// On paper anything too wide for the page wraps, whatever the window showed: lines marked not to
// break (a log line with a run of thousands of characters, a "<pre>" block) break at the page's
// width, and a run without a blank breaks anywhere (looking for word boundaries in it would take
// minutes).
//
// Qt moves a line that does not fit on a page to the next one, but not always: now and then a
// line is left across the page's foot (at 10 points on A6 paper on every ninth page), and in a
// table a row runs on across it. Drawn page by page, such a line lands on both pages: a sliver of
// it at the foot of one, and in a PDF its text twice. The pages are therefore cut here where no
// line runs across the cut, as low as the page allows, and each page draws the lines that begin
// on it, and of a line taller than a page (a picture, cut where the page ends) the part that runs
// across its top, and nothing of the next one. A floating picture counts as a line of its own.
class CDruckseiten
{
public:
    // Lays out `dokument` (which is left as it is) for `geraet` in pages of `seite` (device
    // pixels), with the page margins `raender` (device pixels) inside every page, and cuts it
    // into pages. The document must outlive this object.
    CDruckseiten(QTextDocument& dokument, const QPaintDevice& geraet, const QSizeF& seite,
                 const QMarginsF& raender = QMarginsF());
    ~CDruckseiten();
    CDruckseiten(const CDruckseiten&) = delete;
    CDruckseiten& operator=(const CDruckseiten&) = delete;

    // Whether a page body of `koerper` holds one line of the font: paper too small for that is
    // reported before anything is printed.
    static bool fasst_eine_zeile(const QSizeF& koerper, const QFontMetricsF& zeile);

    // Whether the blocks of `dokument` may carry formats of their own: a highlighter's, or those of
    // a copy of such a document. Only then are its blocks asked for their layouts, which makes one
    // for each: some hundred bytes for each of a million blocks of a document never laid out.
    static bool hat_hervorhebung(const QTextDocument& dokument);
    // Gives `kopie`, a copy of `quelle`, the formats of `quelle`'s blocks.
    static void uebernimm_hervorhebung(QTextDocument& quelle, QTextDocument& kopie);

    // Paragraphs (table cells counted) laid out together in one slice, 2,000 unless set; a test
    // makes slices small, so that a short document crosses many of their boundaries. Gives the
    // number before. GUI thread only, as all printing.
    static int setze_scheibenbloecke(int bloecke);
    // The tallest slice in pixels, 2^22 unless set; a test lowers it to find a part that only
    // fits unsliced. Gives the height before.
    static qreal setze_hoechste_scheibe(qreal hoehe);

    // Empty when every line has its page; otherwise why the document cannot be printed (then
    // there are no pages to draw).
    const QString& gib_fehler() const { return fehler; }
    // At least 1 when printable: a document without lines is one empty page.
    int anzahl() const { return static_cast<int>(seiten.size()); }
    QTextDocument& gib_dokument() const { return dokument; }

    // Draws page `seite` (from 1) into `koerper` (device pixels of the painter's device), its
    // text black whatever the document's colours.
    void zeichne(QPainter& maler, int seite, const QRectF& koerper) const;

private:
    struct Scheibe;
    struct Grundlage;
    struct Seite
    {
        // The slice, and the page within it.
        std::size_t scheibe;
        int nummer;
    };

    QTextDocument& dokument;
    std::unique_ptr<Grundlage> grundlage;
    // Drawing a page lays its slice out and forgets the one laid out before.
    mutable std::vector<std::unique_ptr<Scheibe>> scheiben;
    mutable std::size_t gezeichnet = 0;
    std::vector<Seite> seiten;
    QString fehler;
};
