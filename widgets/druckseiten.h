// A document laid out for paper and cut into pages between its lines: every line on exactly one page, whole.
#pragma once

#include <QMarginsF>
#include <QPointF>
#include <QSizeF>
#include <QTextBlock>
#include <QVector>

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
// only some 19,000 of 40,000 lines are left); at the screen's it holds millions of lines.
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
// on it and nothing of the next one.
class CDruckseiten
{
public:
    // Lays out `dokument`, a copy made for printing (its block formats and options are changed),
    // for `geraet` in pages of `seite` (device pixels), with the page margins `raender` (device
    // pixels) inside every page, and cuts it into pages. The document must outlive this object.
    CDruckseiten(QTextDocument& dokument, const QPaintDevice& geraet, const QSizeF& seite,
                 const QMarginsF& raender = QMarginsF());

    // Whether a page body of `koerper` holds one line of the font: paper too small for that is
    // reported before anything is printed.
    static bool fasst_eine_zeile(const QSizeF& koerper, const QFontMetricsF& zeile);

    // At least 1: a document without lines is one empty page.
    int anzahl() const { return static_cast<int>(oben.size()) - 1; }
    QTextDocument& gib_dokument() const { return dokument; }

    // Draws page `seite` (from 1) into `koerper` (device pixels of the painter's device), its
    // text black whatever the document's colours.
    void zeichne(QPainter& maler, int seite, const QRectF& koerper) const;

private:
    // A block begun on an earlier page, and where its layout is placed.
    struct Ueberhang
    {
        QTextBlock block;
        QPointF basis;
    };

    void schneide();

    QTextDocument& dokument;
    // Where each page begins in the layout, and after the last one where its drawing ends.
    QVector<qreal> oben;
    // For each page the blocks of several lines that run across its top.
    std::vector<std::vector<Ueberhang>> ueberhaenge;
};
