#include "druckseiten.h"
#include "zeilenpuffer.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

Q_GUI_EXPORT int qt_defaultDpiX();
Q_GUI_EXPORT int qt_defaultDpiY();

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(QObject)
};

// The layout keeps its positions in 64ths of a pixel: closer than this counts as the same place.
constexpr qreal genau = 1.0 / 32;

// Paragraphs (table cells counted) laid out together in one slice: some forty pages of a log,
// few enough that the page carried over to the next slice costs little.
constexpr int scheibenbloecke = 2000;

// The tallest slice: far below the 2^23 pixels where drawn glyphs begin to get lost.
constexpr qreal hoechste_scheibe = 1 << 22;

struct Zeile
{
    qreal oben;
    qreal unten;
    // The paragraph or table (see `Einheiten`) the line belongs to.
    int einheit;
};

// A block of several lines: where its layout is placed, and the tops of its first and last lines.
struct Absatz
{
    QTextBlock block;
    QPointF basis;
    qreal erste;
    qreal letzte;
};

// A block begun on an earlier page, and where its layout is placed.
struct Ueberhang
{
    QTextBlock block;
    QPointF basis;
};

// The parts of a document a slice may begin with: each paragraph of the top level with the
// tables and frames that follow it.
struct Einheiten
{
    // Where each one begins.
    std::vector<int> anfang;
    // How many blocks each one holds.
    std::vector<int> bloecke;
    // The part of each block, by block number.
    std::vector<int> von_block;
};

Einheiten einheiten_von(const QTextDocument& dokument)
{
    Einheiten einheiten;
    einheiten.von_block.assign(static_cast<std::size_t>(dokument.blockCount()), 0);
    const auto ordne_zu = [&einheiten](int block) {
        if (block >= 0 && block < static_cast<int>(einheiten.von_block.size()))
            einheiten.von_block[static_cast<std::size_t>(block)] = static_cast<int>(einheiten.anfang.size()) - 1;
    };
    for (QTextFrame::iterator teil = dokument.rootFrame()->begin(); !teil.atEnd(); ++teil) {
        if (QTextFrame* const rahmen = teil.currentFrame()) {
            if (einheiten.anfang.empty()) {
                einheiten.anfang.push_back(0);
                einheiten.bloecke.push_back(0);
            }
            const int erster = dokument.findBlock(rahmen->firstPosition()).blockNumber();
            const int letzter = dokument.findBlock(rahmen->lastPosition()).blockNumber();
            for (int block = erster; block <= letzter; ++block)
                ordne_zu(block);
            einheiten.bloecke.back() += letzter - erster + 1;
            continue;
        }
        const QTextBlock block = teil.currentBlock();
        einheiten.anfang.push_back(block.position());
        einheiten.bloecke.push_back(1);
        ordne_zu(block.blockNumber());
    }
    return einheiten;
}

// Device pixels per pixel of a layout at the screen's resolution, across and down.
QSizeF druckmassstab(const QPaintDevice& geraet)
{
    return QSizeF(static_cast<qreal>(geraet.logicalDpiX()) / qt_defaultDpiX(),
                  static_cast<qreal>(geraet.logicalDpiY()) / qt_defaultDpiY());
}

// A run without a blank anywhere makes the whole document break anywhere.
bool hat_lange_folge_in(const QTextDocument& dokument)
{
    for (QTextBlock block = dokument.begin(); block.isValid(); block = block.next())
        if (hat_lange_folge(block.text()))
            return true;
    return false;
}

// What every slice of a document takes from it, prepared for paper.
struct Vorlage
{
    QTextFrameFormat rahmen;
    QSizeF seite;
    QTextOption umbruch;
};

// The document of the source's text from `anfang` to `ende`, laid out for paper: lines kept whole
// in the window break on paper, and the highlighting of the source's blocks comes along.
std::unique_ptr<QTextDocument> scheibe_von(QTextDocument& quelle, int anfang, int ende, const Vorlage& vorlage)
{
    // A child of the source, which it asks for the pictures it shows.
    auto scheibe = std::make_unique<QTextDocument>(&quelle);
    scheibe->setUndoRedoEnabled(false);
    // Everything is set before the layout is first asked for: it is made once, at the end.
    scheibe->setDefaultFont(quelle.defaultFont());
    scheibe->setIndentWidth(quelle.indentWidth());
    scheibe->setUseDesignMetrics(quelle.useDesignMetrics());
    scheibe->setDocumentMargin(0);
    scheibe->setDefaultTextOption(vorlage.umbruch);
    scheibe->rootFrame()->setFrameFormat(vorlage.rahmen);
    scheibe->setPageSize(vorlage.seite);
    QTextCursor auswahl(&quelle);
    auswahl.setPosition(anfang);
    auswahl.setPosition(ende, QTextCursor::KeepAnchor);
    QTextCursor einfuegen(scheibe.get());
    einfuegen.insertFragment(auswahl.selection());

    QTextBlock von = quelle.findBlock(anfang);
    for (QTextBlock nach = scheibe->begin(); von.isValid() && nach.isValid() && von.position() < ende;
         von = von.next(), nach = nach.next()) {
        if (!von.layout()->formats().isEmpty())
            nach.layout()->setFormats(von.layout()->formats());
        QTextBlockFormat format = nach.blockFormat();
        if (!format.nonBreakableLines())
            continue;
        format.setNonBreakableLines(false);
        einfuegen.setPosition(nach.position());
        einfuegen.setBlockFormat(format);
    }
    return scheibe;
}

// Every line of the laid-out document, table cells' included, ordered by their tops; the blocks
// of several lines go to `absaetze`.
std::vector<Zeile> zeilen_von(QTextDocument& dokument, const Einheiten& einheiten, std::vector<Absatz>& absaetze)
{
    QAbstractTextDocumentLayout* const layout = dokument.documentLayout();
    // The layout is made bit by bit as it is asked for: all of it, before its lines are counted.
    layout->documentSize();
    std::vector<Zeile> zeilen;
    for (QTextBlock block = dokument.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* const absatz = block.layout();
        if (!block.isVisible() || !absatz || absatz->lineCount() == 0)
            continue;
        const int einheit = einheiten.von_block.at(static_cast<std::size_t>(block.blockNumber()));
        // The block's rectangle begins where its layout is placed; its lines lie below that.
        const QPointF basis = layout->blockBoundingRect(block).topLeft();
        for (int i = 0; i < absatz->lineCount(); ++i) {
            const QTextLine zeile = absatz->lineAt(i);
            const qreal hoehe =
                zeile.ascent() + zeile.descent() + (zeile.leadingIncluded() ? qMax<qreal>(zeile.leading(), 0) : 0);
            zeilen.push_back({basis.y() + zeile.y(), basis.y() + zeile.y() + hoehe, einheit});
        }
        if (absatz->lineCount() > 1)
            absaetze.push_back({block, basis, basis.y() + absatz->lineAt(0).y(),
                                basis.y() + absatz->lineAt(absatz->lineCount() - 1).y()});
    }
    std::stable_sort(zeilen.begin(), zeilen.end(), [](const Zeile& a, const Zeile& b) { return a.oben < b.oben; });
    return zeilen;
}

// How many of the lines begin above `y`; a line beginning at `y` is below it.
std::size_t davor(const std::vector<Zeile>& zeilen, qreal y)
{
    return static_cast<std::size_t>(
        std::lower_bound(zeilen.begin(), zeilen.end(), y - genau, [](const Zeile& z, qreal w) { return z.oben < w; })
        - zeilen.begin());
}

// Where each page of `hoehe` begins, and after the last one where its drawing ends: cut where no
// line runs across, as low as the page allows.
QVector<qreal> seitenanfaenge(const std::vector<Zeile>& zeilen, qreal hoehe)
{
    QVector<qreal> oben{0};
    // reichweite[i]: how far down the lines before line i reach.
    std::vector<qreal> reichweite(zeilen.size() + 1, -std::numeric_limits<qreal>::infinity());
    for (std::size_t i = 0; i < zeilen.size(); ++i)
        reichweite[i + 1] = qMax(reichweite[i], zeilen[i].unten);
    // A cut at `y` is clean when every line above it ends above it.
    const auto sauber = [&](qreal y) { return reichweite[davor(zeilen, y)] <= y + genau; };

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
            for (std::size_t i = davor(zeilen, grenze); i > 0;) {
                const qreal y = zeilen[i - 1].oben;
                if (y <= anfang + genau)
                    break;
                if (sauber(y)) {
                    schnitt = y;
                    break;
                }
                i = davor(zeilen, y);
            }
        }
        oben.append(schnitt);
        anfang = schnitt;
    }
    return oben;
}

} // namespace

// One slice of the document, laid out on pages of its own.
struct CDruckseiten::Scheibe
{
    std::unique_ptr<QTextDocument> dokument;
    // Where each page begins in the layout, and after the last one where its drawing ends.
    QVector<qreal> oben;
    // For each page the blocks of several lines that run across its top.
    std::vector<std::vector<Ueberhang>> ueberhaenge;
};

bool CDruckseiten::fasst_eine_zeile(const QSizeF& koerper, const QFontMetricsF& zeile)
{
    return koerper.height() >= zeile.lineSpacing() && koerper.width() >= zeile.maxWidth();
}

CDruckseiten::~CDruckseiten() = default;

CDruckseiten::CDruckseiten(QTextDocument& dokument_, const QPaintDevice& geraet, const QSizeF& seite,
                           const QMarginsF& raender)
    : dokument(dokument_)
{
    const QSizeF massstab = druckmassstab(geraet);
    Vorlage vorlage;
    vorlage.rahmen = dokument.rootFrame()->frameFormat();
    // No margin of the window's own around the text: the page margins alone.
    vorlage.rahmen.setMargin(0);
    if (!raender.isNull()) {
        vorlage.rahmen.setLeftMargin(raender.left() / massstab.width());
        vorlage.rahmen.setRightMargin(raender.right() / massstab.width());
        vorlage.rahmen.setTopMargin(raender.top() / massstab.height());
        vorlage.rahmen.setBottomMargin(raender.bottom() / massstab.height());
    }
    // Whole pixels: the layout keeps its page breaks in fractions of a pixel, and a fraction that
    // differs from the one the pages are drawn with adds up page by page until lines are cut.
    vorlage.seite = QSizeF(seite.width() / massstab.width(), std::floor(seite.height() / massstab.height()));
    vorlage.umbruch = dokument.defaultTextOption();
    vorlage.umbruch.setWrapMode(hat_lange_folge_in(dokument) ? QTextOption::WrapAnywhere
                                                              : QTextOption::WrapAtWordBoundaryOrAnywhere);
    if (vorlage.seite.height() <= 0) {
        seiten.push_back({scheiben.size(), 0});
        return;
    }

    const Einheiten teile = einheiten_von(dokument);
    const int teilzahl = static_cast<int>(teile.anfang.size());
    const auto anfang_von = [&](int teil) {
        return teil < teilzahl ? teile.anfang[static_cast<std::size_t>(teil)] : dokument.characterCount() - 1;
    };
    for (int von = 0; von < teilzahl;) {
        int bis = von;
        for (int bloecke = 0; bis < teilzahl && (bis == von || bloecke + teile.bloecke[static_cast<std::size_t>(bis)] <= scheibenbloecke); ++bis)
            bloecke += teile.bloecke[static_cast<std::size_t>(bis)];

        auto scheibe = std::make_unique<Scheibe>();
        Einheiten einheiten;
        std::vector<Absatz> absaetze;
        std::vector<Zeile> zeilen;
        for (;;) {
            scheibe->dokument = scheibe_von(dokument, anfang_von(von), anfang_von(bis), vorlage);
            einheiten = einheiten_von(*scheibe->dokument);
            absaetze.clear();
            zeilen = zeilen_von(*scheibe->dokument, einheiten, absaetze);
            // Each line's own height, which no position far down can distort, counts as well.
            qreal summe = 0;
            for (const Zeile& zeile : zeilen)
                summe += zeile.unten - zeile.oben;
            if (qMax(summe, scheibe->dokument->documentLayout()->documentSize().height()) <= hoechste_scheibe)
                break;
            if (bis - von == 1) {
                fehler = Text::tr("Ein Absatz oder eine Tabelle ist zu lang für den Druck (über %1 Seiten): es wurde nichts gedruckt.")
                             .arg(static_cast<qint64>(hoechste_scheibe / vorlage.seite.height()));
                scheiben.clear();
                seiten.clear();
                return;
            }
            bis = von + (bis - von) / 2;
        }
        scheibe->oben = seitenanfaenge(zeilen, vorlage.seite.height());

        // Unless it is the last, the slice ends at its last page's top: what begins there, and a
        // part running across it, begins the next slice on a fresh page. A part that begins the
        // slice itself stays in it whole; the next slice begins after it.
        int weiter = bis;
        if (bis < teilzahl && scheibe->oben.size() > 2) {
            std::vector<qreal> erste(einheiten.anfang.size(), std::numeric_limits<qreal>::infinity());
            for (const Zeile& zeile : zeilen)
                erste[static_cast<std::size_t>(zeile.einheit)] = qMin(erste[static_cast<std::size_t>(zeile.einheit)], zeile.oben);
            const std::size_t erste_dort = davor(zeilen, scheibe->oben.at(scheibe->oben.size() - 2));
            if (erste_dort < zeilen.size()) {
                std::size_t teil = static_cast<std::size_t>(zeilen[erste_dort].einheit);
                if (teil == 0 || erste[teil] <= scheibe->oben.first() + genau) {
                    ++teil;
                    while (teil < erste.size() && std::isinf(erste[teil]))
                        ++teil;
                }
                if (teil < erste.size()) {
                    const qreal schnitt = erste[teil];
                    weiter = qMin(bis, von + static_cast<int>(teil));
                    QVector<qreal> oben;
                    for (const qreal y : qAsConst(scheibe->oben))
                        if (y < schnitt - genau)
                            oben.append(y);
                    oben.append(schnitt);
                    scheibe->oben = oben;
                }
            }
        }

        // The pages whose top a block of several lines runs across.
        const QVector<qreal>& oben = scheibe->oben;
        scheibe->ueberhaenge.assign(static_cast<std::size_t>(oben.size() - 1), {});
        for (const Absatz& absatz : absaetze) {
            auto schnitt = std::upper_bound(oben.begin() + 1, oben.end() - 1, absatz.erste + genau);
            for (; schnitt != oben.end() - 1 && *schnitt <= absatz.letzte + genau; ++schnitt)
                scheibe->ueberhaenge[static_cast<std::size_t>(schnitt - oben.begin())].push_back(
                    {absatz.block, absatz.basis});
        }
        for (int i = 0; i + 1 < oben.size(); ++i)
            seiten.push_back({scheiben.size(), i});
        scheiben.push_back(std::move(scheibe));
        von = weiter;
    }
}

void CDruckseiten::zeichne(QPainter& maler, int seite, const QRectF& koerper) const
{
    if (seite < 1 || seite > anzahl() || !maler.device())
        return;
    const Seite& stelle = seiten.at(static_cast<std::size_t>(seite - 1));
    if (stelle.scheibe >= scheiben.size())
        return;
    const Scheibe& scheibe = *scheiben.at(stelle.scheibe);
    QTextDocument& papier = *scheibe.dokument;
    const qreal anfang = scheibe.oben.at(stelle.nummer);
    const qreal ende = scheibe.oben.at(stelle.nummer + 1);
    const QSizeF massstab = druckmassstab(*maler.device());
    maler.save();
    maler.translate(koerper.topLeft());
    maler.scale(massstab.width(), massstab.height());
    maler.translate(0, -anfang);
    const QRectF sicht(0, anfang, papier.pageSize().width(), ende - anfang);
    maler.setClipRect(sicht);
    QAbstractTextDocumentLayout::PaintContext kontext;
    // Only the lines that begin on this page: the one the next page begins with touches its
    // foot, and the last one of the page before its top (clipped away, a PDF would still hold
    // their text).
    kontext.clip = sicht.adjusted(0, genau, 0, -genau);
    kontext.palette.setColor(QPalette::Text, Qt::black);
    // Qt draws a block that begins above the clip from the last line above it on: the blocks
    // begun on an earlier page are left out there and their lines on this page drawn here.
    const std::vector<Ueberhang>& offen = scheibe.ueberhaenge.at(static_cast<std::size_t>(stelle.nummer));
    for (Ueberhang ueberhang : offen)
        ueberhang.block.setVisible(false);
    papier.documentLayout()->draw(&maler, kontext);
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
            if (y > anfang - genau && y < ende - genau)
                zeile.draw(&maler, ueberhang.basis);
        }
    }
    maler.restore();
}
