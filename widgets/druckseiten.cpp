#include "druckseiten.h"
#include "zeilenpuffer.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

Q_GUI_EXPORT int qt_defaultDpiX();
Q_GUI_EXPORT int qt_defaultDpiY();

namespace {

// The layout keeps its positions in 64ths of a pixel: closer than this counts as the same place.
constexpr qreal genau = 1.0 / 32;

struct Zeile
{
    qreal oben;
    qreal unten;
};

// Device pixels per pixel of a layout at the screen's resolution, across and down.
QSizeF druckmassstab(const QPaintDevice& geraet)
{
    return QSizeF(static_cast<qreal>(geraet.logicalDpiX()) / qt_defaultDpiX(),
                  static_cast<qreal>(geraet.logicalDpiY()) / qt_defaultDpiY());
}

// Lines kept whole in the window break on paper; a run without a blank makes the whole document
// break anywhere.
void umbrich_fuer_papier(QTextDocument& dokument)
{
    bool lange_folge = false;
    QTextCursor cursor(&dokument);
    bool geaendert = false;
    for (QTextBlock block = dokument.begin(); block.isValid(); block = block.next()) {
        if (!lange_folge && hat_lange_folge(block.text()))
            lange_folge = true;
        QTextBlockFormat format = block.blockFormat();
        if (!format.nonBreakableLines())
            continue;
        // One edit for all of them: the layout is redone once.
        if (!geaendert)
            cursor.beginEditBlock();
        geaendert = true;
        format.setNonBreakableLines(false);
        cursor.setPosition(block.position());
        cursor.setBlockFormat(format);
    }
    if (geaendert)
        cursor.endEditBlock();
    QTextOption umbruch = dokument.defaultTextOption();
    umbruch.setWrapMode(lange_folge ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere);
    dokument.setDefaultTextOption(umbruch);
}

// A block of several lines: where its layout is placed, and the tops of its first and last lines.
struct Absatz
{
    QTextBlock block;
    QPointF basis;
    qreal erste;
    qreal letzte;
};

// Every line of the laid-out document, table cells' included, ordered by their tops; the blocks
// of several lines go to `absaetze`.
std::vector<Zeile> zeilen_von(const QTextDocument& dokument, std::vector<Absatz>& absaetze)
{
    QAbstractTextDocumentLayout* const layout = dokument.documentLayout();
    // The layout is made bit by bit as it is asked for: all of it, before its lines are counted.
    layout->documentSize();
    std::vector<Zeile> zeilen;
    for (QTextBlock block = dokument.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* const absatz = block.layout();
        if (!block.isVisible() || !absatz || absatz->lineCount() == 0)
            continue;
        // The block's rectangle begins where its layout is placed; its lines lie below that.
        const QPointF basis = layout->blockBoundingRect(block).topLeft();
        for (int i = 0; i < absatz->lineCount(); ++i) {
            const QTextLine zeile = absatz->lineAt(i);
            const qreal hoehe =
                zeile.ascent() + zeile.descent() + (zeile.leadingIncluded() ? qMax<qreal>(zeile.leading(), 0) : 0);
            zeilen.push_back({basis.y() + zeile.y(), basis.y() + zeile.y() + hoehe});
        }
        if (absatz->lineCount() > 1)
            absaetze.push_back({block, basis, basis.y() + absatz->lineAt(0).y(),
                                basis.y() + absatz->lineAt(absatz->lineCount() - 1).y()});
    }
    std::stable_sort(zeilen.begin(), zeilen.end(), [](const Zeile& a, const Zeile& b) { return a.oben < b.oben; });
    return zeilen;
}

} // namespace

bool CDruckseiten::fasst_eine_zeile(const QSizeF& koerper, const QFontMetricsF& zeile)
{
    return koerper.height() >= zeile.lineSpacing() && koerper.width() >= zeile.maxWidth();
}

CDruckseiten::CDruckseiten(QTextDocument& dokument_, const QPaintDevice& geraet, const QSizeF& seite,
                           const QMarginsF& raender)
    : dokument(dokument_)
{
    umbrich_fuer_papier(dokument);
    // Without a device of its own the layout measures in the screen's pixels.
    dokument.documentLayout()->setPaintDevice(nullptr);
    dokument.setDocumentMargin(0);
    const QSizeF massstab = druckmassstab(geraet);
    if (!raender.isNull()) {
        QTextFrameFormat rahmen = dokument.rootFrame()->frameFormat();
        rahmen.setLeftMargin(raender.left() / massstab.width());
        rahmen.setRightMargin(raender.right() / massstab.width());
        rahmen.setTopMargin(raender.top() / massstab.height());
        rahmen.setBottomMargin(raender.bottom() / massstab.height());
        dokument.rootFrame()->setFrameFormat(rahmen);
    }
    // Whole pixels: the layout keeps its page breaks in fractions of a pixel, and a fraction that
    // differs from the one the pages are drawn with adds up page by page until lines are cut.
    dokument.setPageSize(QSizeF(seite.width() / massstab.width(), std::floor(seite.height() / massstab.height())));
    schneide();
}

void CDruckseiten::schneide()
{
    const qreal hoehe = dokument.pageSize().height();
    oben = {0};
    if (hoehe <= 0) {
        oben.append(0);
        ueberhaenge.assign(1, {});
        return;
    }
    std::vector<Absatz> absaetze;
    const std::vector<Zeile> zeilen = zeilen_von(dokument, absaetze);
    // reichweite[i]: how far down the lines before line i reach.
    std::vector<qreal> reichweite(zeilen.size() + 1, -std::numeric_limits<qreal>::infinity());
    for (std::size_t i = 0; i < zeilen.size(); ++i)
        reichweite[i + 1] = qMax(reichweite[i], zeilen[i].unten);
    // How many lines begin above `y`; a line beginning at `y` is below it.
    const auto davor = [&zeilen](qreal y) {
        return static_cast<std::size_t>(
            std::lower_bound(zeilen.begin(), zeilen.end(), y - genau, [](const Zeile& z, qreal w) { return z.oben < w; })
            - zeilen.begin());
    };
    // A cut at `y` is clean when every line above it ends above it.
    const auto sauber = [&](qreal y) { return reichweite[davor(y)] <= y + genau; };

    qreal anfang = 0;
    for (;;) {
        const qreal grenze = anfang + hoehe;
        if (grenze >= reichweite.back() - genau) {
            oben.append(grenze);
            break;
        }
        qreal schnitt = grenze;
        if (!sauber(grenze)) {
            // The lowest top of a line above the page's foot that nothing runs across. None: a
            // line taller than the page, which is cut where the page ends.
            for (std::size_t i = davor(grenze); i > 0;) {
                const qreal y = zeilen[i - 1].oben;
                if (y <= anfang + genau)
                    break;
                if (sauber(y)) {
                    schnitt = y;
                    break;
                }
                i = davor(y);
            }
        }
        oben.append(schnitt);
        anfang = schnitt;
    }
    // The pages whose top a block of several lines runs across.
    ueberhaenge.assign(static_cast<std::size_t>(anzahl()), {});
    for (const Absatz& absatz : absaetze) {
        auto schnitt = std::upper_bound(oben.begin() + 1, oben.end() - 1, absatz.erste + genau);
        for (; schnitt != oben.end() - 1 && *schnitt <= absatz.letzte + genau; ++schnitt)
            ueberhaenge[static_cast<std::size_t>(schnitt - oben.begin())].push_back({absatz.block, absatz.basis});
    }
}

void CDruckseiten::zeichne(QPainter& maler, int seite, const QRectF& koerper) const
{
    if (seite < 1 || seite > anzahl() || !maler.device())
        return;
    const qreal anfang = oben.at(seite - 1);
    const QSizeF massstab = druckmassstab(*maler.device());
    maler.save();
    maler.translate(koerper.topLeft());
    maler.scale(massstab.width(), massstab.height());
    maler.translate(0, -anfang);
    const QRectF sicht(0, anfang, dokument.pageSize().width(), oben.at(seite) - anfang);
    maler.setClipRect(sicht);
    QAbstractTextDocumentLayout::PaintContext kontext;
    // Only the lines that begin on this page: the one the next page begins with touches its
    // foot, and the last one of the page before its top (clipped away, a PDF would still hold
    // their text).
    kontext.clip = sicht.adjusted(0, genau, 0, -genau);
    kontext.palette.setColor(QPalette::Text, Qt::black);
    // Qt draws a block that begins above the clip from the last line above it on: the blocks
    // begun on an earlier page are left out there and their lines on this page drawn here.
    const std::vector<Ueberhang>& offen = ueberhaenge.at(static_cast<std::size_t>(seite - 1));
    for (Ueberhang ueberhang : offen)
        ueberhang.block.setVisible(false);
    dokument.documentLayout()->draw(&maler, kontext);
    for (Ueberhang ueberhang : offen)
        ueberhang.block.setVisible(true);
    maler.setPen(Qt::black);
    for (const Ueberhang& ueberhang : offen) {
        const QTextLayout* const absatz = ueberhang.block.layout();
        const QBrush hintergrund = ueberhang.block.blockFormat().background();
        if (hintergrund.style() != Qt::NoBrush)
            maler.fillRect(QRectF(ueberhang.basis, absatz->boundingRect().size()), hintergrund);
        for (int i = 0; i < absatz->lineCount(); ++i) {
            const QTextLine zeile = absatz->lineAt(i);
            const qreal y = ueberhang.basis.y() + zeile.y();
            if (y > anfang - genau && y < oben.at(seite) - genau)
                zeile.draw(&maler, ueberhang.basis);
        }
    }
    maler.restore();
}
