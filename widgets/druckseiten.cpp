#include "druckseiten.h"
#include "tabellenteile.h"
#include "zeilenpuffer.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPixmap>
#include <QSyntaxHighlighter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextList>
#include <QTextTable>
#include <QUrl>
#include <QVariant>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
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
int scheibenbloecke = 2000;

// The tallest slice: far below the 2^23 pixels where drawn glyphs begin to get lost.
qreal hoechste_scheibe = 1 << 22;

struct Zeile
{
    qreal oben;
    qreal unten;
    // The paragraph or table (see `Einheiten`) the line belongs to; negative for heading rows
    // put in front of a part of a long table.
    int einheit;
    // A floating picture or table, which the text beside it flows past.
    bool schwebend = false;
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
// tables and frames that follow it, and the paragraph that follows each of those (it begins right
// at the frame's end, which a slice cannot begin with). A table that follows a table (a long one
// cut into parts, with only the empty paragraph between) begins a part of its own: all of them
// together would be one part too tall for any slice. The further empty paragraphs a report's
// wrapping leaves between a long table's parts (its body, a "<div>") go with the part before: on
// paper the parts are one table, and a slice begins with the part of the table itself.
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
    bool nach_rahmen = false;
    // The paragraph that follows a frame, which a slice cannot begin with: a frame after it can.
    bool nach_rahmen_absatz = false;
    // The empty paragraphs since then, each a part of its own.
    int leere = 0;
    for (QTextFrame::iterator teil = dokument.rootFrame()->begin(); !teil.atEnd(); ++teil) {
        if (QTextFrame* const rahmen = teil.currentFrame()) {
            const auto* const tabelle = qobject_cast<QTextTable*>(rahmen);
            const bool fortsetzung = leere > 0 && tabelle && tabelle->format().boolProperty(tabellenfortsetzung);
            if (fortsetzung) {
                const std::size_t davor = einheiten.anfang.size() - static_cast<std::size_t>(leere) - 1;
                const int erster = dokument.findBlock(einheiten.anfang[davor + 1]).blockNumber();
                for (int block = erster; block < erster + leere; ++block)
                    einheiten.von_block[static_cast<std::size_t>(block)] = static_cast<int>(davor);
                einheiten.bloecke[davor] += leere;
                einheiten.anfang.resize(davor + 1);
                einheiten.bloecke.resize(davor + 1);
            }
            leere = 0;
            if (einheiten.anfang.empty() || nach_rahmen_absatz || fortsetzung) {
                einheiten.anfang.push_back(einheiten.anfang.empty() ? 0 : rahmen->firstPosition());
                einheiten.bloecke.push_back(0);
            }
            const int erster = dokument.findBlock(rahmen->firstPosition()).blockNumber();
            const int letzter = dokument.findBlock(rahmen->lastPosition()).blockNumber();
            for (int block = erster; block <= letzter; ++block)
                ordne_zu(block);
            einheiten.bloecke.back() += letzter - erster + 1;
            nach_rahmen = true;
            nach_rahmen_absatz = false;
            continue;
        }
        const QTextBlock block = teil.currentBlock();
        if (!nach_rahmen || einheiten.anfang.empty()) {
            einheiten.anfang.push_back(block.position());
            einheiten.bloecke.push_back(0);
            leere = (leere > 0 || nach_rahmen_absatz) && block.length() <= 1 ? leere + 1 : 0;
        }
        ++einheiten.bloecke.back();
        ordne_zu(block.blockNumber());
        nach_rahmen_absatz = nach_rahmen;
        nach_rahmen = false;
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

// Where a slice begins: with which part, and, when it goes on where the slice before it stopped,
// where that part's first line lies in it and where its first page begins. The slice is then
// laid out on the same grid of pages as the whole document would be, the part in the same
// place on its page: every line lands where an unsliced print puts it.
struct Anfang
{
    int teil = 0;
    // Negative: the part begins the slice as a document begins (the document's first part).
    qreal erste_zeile = -1;
    qreal erste_seite = 0;
    // How much further down than its own margin says the layout puts the part's first line: found
    // by laying the slice out, and kept, so that the slice is laid out once when it is drawn, and
    // the next slice, which most often begins alike, is too.
    qreal korrektur = 0;
};

// The paper of a slice: it takes every picture from its source, which keeps each one it has
// loaded, and leaves the pictures it loads itself there. Each slice loading its own would put a
// picture shown on many pages into a PDF once for every slice.
class Scheibenpapier : public QTextDocument
{
public:
    explicit Scheibenpapier(QTextDocument& quelle) : QTextDocument(&quelle), quelle(quelle) {}

protected:
    QVariant loadResource(int typ, const QUrl& name) override
    {
        const QVariant da = quelle.resource(typ, name);
        if (da.isValid() || typ != QTextDocument::ImageResource)
            return da;
        // A path without a scheme, which the document does not load: read as the picture would be.
        QPixmap bild;
        if (!bild.load(name.isLocalFile() ? name.toLocalFile() : name.toString()))
            return da;
        quelle.addResource(typ, name, bild);
        return bild;
    }

private:
    QTextDocument& quelle;
};

// The document of a slice, and how its blocks match the source's.
struct Scheibendokument
{
    std::unique_ptr<QTextDocument> dokument;
    // Blocks of the slice's own before the copied ones: they hold nothing and are not shown.
    int vorlauf = 0;
};

// The items of the lists that run into the slice from before it: the source's list, and how many
// of its items come before the slice.
std::vector<std::pair<QTextList*, int>> laufende_listen(QTextDocument& quelle, int anfang, int ende)
{
    std::vector<std::pair<QTextList*, int>> listen;
    if (anfang == 0)
        return listen;
    QSet<QTextList*> gesehen;
    for (QTextBlock block = quelle.findBlock(anfang); block.isValid() && block.position() < ende; block = block.next()) {
        QTextList* const liste = block.textList();
        if (!liste || gesehen.contains(liste))
            continue;
        gesehen.insert(liste);
        const int davor = liste->itemNumber(block);
        if (davor > 0)
            listen.emplace_back(liste, davor);
    }
    return listen;
}

// A table whose columns are set wider than the paper (`breite`) ran off its edge, its text lost
// on paper: its columns keep their proportions as shares of the width it is given, and their text
// wraps. A table within a cell too: it widened the table around it.
void passe_tabellen_ein(QTextFrame* rahmen, qreal breite)
{
    for (QTextFrame* const kind : rahmen->childFrames()) {
        passe_tabellen_ein(kind, breite);
        auto* const tabelle = qobject_cast<QTextTable*>(kind);
        if (!tabelle)
            continue;
        QTextTableFormat format = tabelle->format();
        QVector<QTextLength> spalten = format.columnWidthConstraints();
        qreal summe = 0;
        int feste = 0;
        for (const QTextLength& spalte : qAsConst(spalten)) {
            if (spalte.type() == QTextLength::FixedLength) {
                summe += spalte.rawValue();
                ++feste;
            }
        }
        if (summe <= breite)
            continue;
        // A column of no set width keeps the share of an average one.
        const qreal ganz = summe + (tabelle->columns() - feste) * summe / feste;
        spalten.resize(tabelle->columns());
        for (QTextLength& spalte : spalten)
            if (spalte.type() == QTextLength::FixedLength)
                spalte = QTextLength(QTextLength::PercentageLength, spalte.rawValue() * 100 / ganz);
        format.setColumnWidthConstraints(spalten);
        tabelle->setFormat(format);
    }
}

// The document of the source's text from `anfang` (a part's beginning) to `ende`, laid out for
// paper: every block with its own format and its part (`teile`) as its user state, list items
// numbered on from before the slice, lines kept whole in the window broken on paper, the
// highlighting of the source's blocks along, and a long table's parts joined, its heading rows
// heading every page then (those too tall for it left as rows).
Scheibendokument scheibe_von(QTextDocument& quelle, int anfang, int ende, const Vorlage& vorlage, const Einheiten& teile)
{
    Scheibendokument scheibe;
    scheibe.dokument = std::make_unique<Scheibenpapier>(quelle);
    QTextDocument& papier = *scheibe.dokument;
    papier.setUndoRedoEnabled(false);
    // Everything is set before the layout is first asked for: it is made once, at the end.
    papier.setDefaultFont(quelle.defaultFont());
    papier.setIndentWidth(quelle.indentWidth());
    papier.setUseDesignMetrics(quelle.useDesignMetrics());
    papier.setDocumentMargin(0);
    papier.setDefaultTextOption(vorlage.umbruch);
    papier.rootFrame()->setFrameFormat(vorlage.rahmen);
    papier.setPageSize(vorlage.seite);

    // A list numbers its items by their place in it: the items before the slice are there as
    // hidden items of no height, so that the slice's items keep their numbers.
    QTextCursor schreiber(&papier);
    QHash<QTextList*, QTextList*> fortsetzung;
    for (const auto& [liste, davor] : laufende_listen(quelle, anfang, ende)) {
        schreiber.insertBlock(QTextBlockFormat());
        QTextList* const neu = schreiber.createList(liste->format());
        for (int i = 1; i < davor; ++i)
            schreiber.insertBlock();
        fortsetzung.insert(liste, neu);
    }
    scheibe.vorlauf = anfang > 0 ? papier.blockCount() : 0;

    // From the paragraph separator before the part on: a fragment that begins at a paragraph
    // takes the block format of the place it goes to, and Qt puts a list item there after an
    // empty block of its own. So every copied block comes with its format, after a block of the
    // slice's own.
    const int von_anfang = anfang > 0 ? anfang - 1 : 0;
    const int versatz = schreiber.position() - von_anfang;
    QTextCursor auswahl(&quelle);
    auswahl.setPosition(von_anfang);
    auswahl.setPosition(ende, QTextCursor::KeepAnchor);
    schreiber.insertFragment(auswahl.selection());

    const bool hervorgehoben = CDruckseiten::hat_hervorhebung(quelle);
    QTextBlock von = quelle.findBlock(anfang);
    QTextBlock nach = papier.findBlockByNumber(scheibe.vorlauf);
    for (; von.isValid() && nach.isValid() && von.position() < ende; von = von.next(), nach = nach.next()) {
        nach.setUserState(teile.von_block[static_cast<std::size_t>(von.blockNumber())]);
        if (hervorgehoben && !von.layout()->formats().isEmpty())
            nach.layout()->setFormats(von.layout()->formats());
        if (QTextList* const liste = fortsetzung.value(von.textList()))
            liste->add(nach);
        QTextBlockFormat format = nach.blockFormat();
        if (!format.nonBreakableLines())
            continue;
        format.setNonBreakableLines(false);
        schreiber.setPosition(nach.position());
        schreiber.setBlockFormat(format);
    }
    // The slice's last paragraph where it begins at the slice's end, empty (an empty paragraph
    // before the next part): of the part of the source's paragraph there. Of none, its line on
    // a page of its own made the next slice begin a new page, and a blank sheet was printed.
    if (von.isValid() && nach.isValid())
        nach.setUserState(teile.von_block[static_cast<std::size_t>(von.blockNumber())]);
    for (QTextBlock block = papier.begin(); block.isValid() && block.blockNumber() < scheibe.vorlauf;
         block = block.next())
        block.setVisible(false);
    verbinde_tabellenteile(papier, &quelle, versatz);
    const QTextFrameFormat rand = papier.rootFrame()->frameFormat();
    const qreal breite = papier.pageSize().width() - rand.leftMargin() - rand.rightMargin();
    passe_tabellen_ein(papier.rootFrame(), breite);
    begrenze_kopfzeilen(papier, breite, papier.pageSize().height() - rand.topMargin() - rand.bottomMargin());
    return scheibe;
}

// Gives the slice's first copied block `abstand` above it, and no page break before it (its
// place on the page has been found already).
void setze_abstand_oben(const Scheibendokument& scheibe, qreal abstand)
{
    QTextBlock erster = scheibe.dokument->findBlockByNumber(scheibe.vorlauf);
    // A slice that begins with a table is moved by the slice's own block before it, shown
    // without height (a table's own margin above moves it pages further down).
    if (QTextCursor(erster).currentFrame() != scheibe.dokument->rootFrame()) {
        erster = erster.previous();
        erster.setVisible(true);
        QTextBlockFormat format = erster.blockFormat();
        format.setLineHeight(0, QTextBlockFormat::FixedHeight);
        format.setTopMargin(qMax<qreal>(0, abstand));
        QTextCursor(erster).setBlockFormat(format);
        return;
    }
    QTextBlockFormat format = erster.blockFormat();
    format.setTopMargin(qMax<qreal>(0, abstand));
    format.setPageBreakPolicy(format.pageBreakPolicy() & ~QTextFormat::PageBreak_AlwaysBefore);
    QTextCursor(erster).setBlockFormat(format);
}

// How far a line reaches down from its top.
qreal hoehe_von(const QTextLine& zeile)
{
    return zeile.ascent() + zeile.descent() + (zeile.leadingIncluded() ? qMax<qreal>(zeile.leading(), 0) : 0);
}

// Every line of the laid-out document, table cells' and floating pictures included, ordered by
// their tops; the blocks of several lines go to `absaetze`.
std::vector<Zeile> zeilen_von(const Scheibendokument& scheibe, std::vector<Absatz>& absaetze)
{
    QTextDocument& dokument = *scheibe.dokument;
    QAbstractTextDocumentLayout* const layout = dokument.documentLayout();
    // The layout is made bit by bit as it is asked for: all of it, before its lines are counted.
    layout->blockBoundingRect(dokument.lastBlock());
    layout->documentSize();
    std::vector<Zeile> zeilen;
    for (QTextBlock block = dokument.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* const absatz = block.layout();
        if (!block.isVisible() || !absatz || absatz->lineCount() == 0)
            continue;
        const int einheit = block.userState();
        // The block's rectangle begins where its layout is placed; its lines lie below that.
        const QPointF basis = layout->blockBoundingRect(block).topLeft();
        for (int i = 0; i < absatz->lineCount(); ++i) {
            const QTextLine zeile = absatz->lineAt(i);
            zeilen.push_back({basis.y() + zeile.y(), basis.y() + zeile.y() + hoehe_von(zeile), einheit});
        }
        if (absatz->lineCount() > 1)
            absaetze.push_back({block, basis, basis.y() + absatz->lineAt(0).y(),
                                basis.y() + absatz->lineAt(absatz->lineCount() - 1).y()});
    }
    // A floating picture or table is no line of its block but stands on the page as one: one
    // taller than the rest of a page runs on across its foot, and the next slice takes it up.
    std::vector<QTextFrame*> rahmen{dokument.rootFrame()};
    while (!rahmen.empty()) {
        const QList<QTextFrame*> kinder = rahmen.back()->childFrames();
        rahmen.pop_back();
        for (QTextFrame* const kind : kinder) {
            rahmen.push_back(kind);
            const QTextBlock block = dokument.findBlock(kind->firstPosition());
            if (kind->frameFormat().position() == QTextFrameFormat::InFlow || !block.isVisible())
                continue;
            const QRectF feld = layout->frameBoundingRect(kind);
            zeilen.push_back({feld.top(), feld.bottom(), block.userState(), true});
        }
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

// Where each page of `hoehe` from `erste` on begins, and after the last one where its drawing
// ends: cut where no line runs across, as low as the page allows.
QVector<qreal> seitenanfaenge(const std::vector<Zeile>& zeilen, qreal hoehe, qreal erste)
{
    QVector<qreal> oben{erste};
    // reichweite[i]: how far down the lines before line i reach.
    std::vector<qreal> reichweite(zeilen.size() + 1, -std::numeric_limits<qreal>::infinity());
    for (std::size_t i = 0; i < zeilen.size(); ++i)
        reichweite[i + 1] = qMax(reichweite[i], zeilen[i].unten);
    // A cut at `y` is clean when every line above it ends above it.
    const auto sauber = [&](qreal y) { return reichweite[davor(zeilen, y)] <= y + genau; };

    qreal anfang = erste;
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

// The top of the first line of part `teil`; infinite when it has none.
qreal erste_zeile_von(const std::vector<Zeile>& zeilen, int teil)
{
    qreal erste = std::numeric_limits<qreal>::infinity();
    for (const Zeile& zeile : zeilen)
        if (zeile.einheit == teil)
            erste = qMin(erste, zeile.oben);
    return erste;
}

// How many of the pages `oben` are whole when the slice goes on: those above the page its text
// ends on. A floating picture may reach further down, and the next slice's text would stand
// beside it there.
int ganze_seiten(const std::vector<Zeile>& zeilen, const QVector<qreal>& oben)
{
    qreal ende = -std::numeric_limits<qreal>::infinity();
    for (const Zeile& zeile : zeilen)
        if (!zeile.schwebend)
            ende = qMax(ende, zeile.oben);
    return qMax(0, static_cast<int>(std::upper_bound(oben.begin(), oben.end() - 1, ende + genau) - oben.begin()) - 1);
}

// A slice laid out: its document, its lines and its blocks of several lines.
struct Gelegt
{
    Scheibendokument scheibe;
    std::vector<Zeile> zeilen;
    std::vector<Absatz> absaetze;
};

// Lays the parts from `anfang` up to `bis` out as one slice, the first one placed as `anfang`
// says; false when the slice is too tall to keep its glyphs.
bool lege_aus(QTextDocument& quelle, const Einheiten& teile, Anfang& anfang, int bis, const Vorlage& vorlage,
              Gelegt& gelegt)
{
    const int teilzahl = static_cast<int>(teile.anfang.size());
    // Up to the separator before the next part: the slice ends with its own last paragraph, not
    // with an empty one in the next part's format.
    const int ende = bis < teilzahl ? teile.anfang[static_cast<std::size_t>(bis)] - 1 : quelle.characterCount() - 1;
    gelegt.scheibe = scheibe_von(quelle, teile.anfang[static_cast<std::size_t>(anfang.teil)], ende, vorlage, teile);
    // The layout puts a first block below the page's margin by its own margin above. Should it
    // put it elsewhere, the block is moved by the difference and the slice laid out again.
    const qreal gemeint = anfang.erste_zeile - vorlage.rahmen.topMargin();
    qreal abstand = gemeint + anfang.korrektur;
    for (int versuch = 0;; ++versuch) {
        if (anfang.erste_zeile >= 0)
            setze_abstand_oben(gelegt.scheibe, abstand);
        gelegt.absaetze.clear();
        gelegt.zeilen = zeilen_von(gelegt.scheibe, gelegt.absaetze);
        const qreal unterschied = anfang.erste_zeile - erste_zeile_von(gelegt.zeilen, anfang.teil);
        if (anfang.erste_zeile < 0 || versuch == 2 || !(std::abs(unterschied) > genau))
            break;
        abstand += unterschied;
    }
    if (anfang.erste_zeile >= 0)
        anfang.korrektur = abstand - gemeint;
    // Each line's own height, which no position far down can distort, counts as well.
    qreal summe = 0;
    for (const Zeile& zeile : gelegt.zeilen)
        summe += zeile.unten - zeile.oben;
    return qMax(summe, gelegt.scheibe.dokument->documentLayout()->documentSize().height()) <= hoechste_scheibe;
}

} // namespace

// One slice of the document, cut into pages of its own. Only the slice being drawn keeps its
// layout: all of them at once took gigabytes for a long report. The others are laid out again
// from where they begin, which places every line as before.
struct CDruckseiten::Scheibe
{
    Anfang anfang;
    // The part after its last one.
    int bis = 0;
    // Where each page begins in the layout, and after the last one where its drawing ends.
    QVector<qreal> oben;
    // The layout, while the slice is drawn.
    std::unique_ptr<QTextDocument> dokument;
    // For each page the blocks of several lines that run across its top.
    std::vector<std::vector<Ueberhang>> ueberhaenge;

    // Keeps the layout, and finds the pages whose top a block of several lines runs across (the
    // first one too, when the slice goes on with a block begun before it).
    void behalte(Gelegt& gelegt)
    {
        dokument = std::move(gelegt.scheibe.dokument);
        ueberhaenge.assign(static_cast<std::size_t>(oben.size() - 1), {});
        for (const Absatz& absatz : gelegt.absaetze) {
            auto schnitt = std::upper_bound(oben.begin(), oben.end() - 1, absatz.erste + genau);
            for (; schnitt != oben.end() - 1 && *schnitt <= absatz.letzte + genau; ++schnitt)
                ueberhaenge[static_cast<std::size_t>(schnitt - oben.begin())].push_back({absatz.block, absatz.basis});
        }
    }
    void vergiss()
    {
        ueberhaenge.clear();
        dokument.reset();
    }
};

// What every slice is laid out from.
struct CDruckseiten::Grundlage
{
    Einheiten teile;
    Vorlage vorlage;
};

bool CDruckseiten::fasst_eine_zeile(const QSizeF& koerper, const QFontMetricsF& zeile)
{
    return koerper.height() >= zeile.lineSpacing() && koerper.width() >= zeile.maxWidth();
}

bool CDruckseiten::hat_hervorhebung(const QTextDocument& dokument)
{
    // A highlighter is a child of its document.
    return dokument.findChild<QSyntaxHighlighter*>() != nullptr || dokument.property("hervorgehoben").toBool();
}

void CDruckseiten::uebernimm_hervorhebung(QTextDocument& quelle, QTextDocument& kopie)
{
    if (!hat_hervorhebung(quelle))
        return;
    kopie.setProperty("hervorgehoben", true);
    for (QTextBlock von = quelle.firstBlock(), nach = kopie.firstBlock(); von.isValid() && nach.isValid();
         von = von.next(), nach = nach.next())
        nach.layout()->setFormats(von.layout()->formats());
}

int CDruckseiten::setze_scheibenbloecke(int bloecke)
{
    return std::exchange(scheibenbloecke, qMax(1, bloecke));
}

qreal CDruckseiten::setze_hoechste_scheibe(qreal hoehe)
{
    return std::exchange(hoechste_scheibe, hoehe);
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
        // Whole pixels down the page, for the reason the page's height is (below): a slice that
        // goes on puts its first line where the slice before left it, to the fraction.
        vorlage.rahmen.setTopMargin(std::ceil(raender.top() / massstab.height()));
        vorlage.rahmen.setBottomMargin(std::ceil(raender.bottom() / massstab.height()));
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

    grundlage = std::make_unique<Grundlage>(Grundlage{einheiten_von(dokument), vorlage});
    const Einheiten& teile = grundlage->teile;
    const int teilzahl = static_cast<int>(teile.anfang.size());
    const qreal hoehe = vorlage.seite.height();
    for (Anfang anfang; anfang.teil < teilzahl;) {
        const int von = anfang.teil;
        int bis = von;
        for (int bloecke = 0; bis < teilzahl && (bis == von || bloecke + teile.bloecke[static_cast<std::size_t>(bis)] <= scheibenbloecke); ++bis)
            bloecke += teile.bloecke[static_cast<std::size_t>(bis)];

        Gelegt gelegt;
        QVector<qreal> oben;
        // A slice that goes on gives every page above the one its text ends on, which the next
        // slice begins with: one with no such page takes in more parts, unless that makes it too
        // tall.
        bool wachsen = true;
        int ganze = 0;
        for (;;) {
            if (lege_aus(dokument, teile, anfang, bis, vorlage, gelegt)) {
                oben = seitenanfaenge(gelegt.zeilen, hoehe, anfang.erste_seite);
                ganze = ganze_seiten(gelegt.zeilen, oben);
                if (bis == teilzahl || ganze > 0 || !wachsen)
                    break;
                bis = qMin(teilzahl, bis + (bis - von));
                continue;
            }
            if (bis - von == 1) {
                fehler = Text::tr("Ein Absatz oder eine Tabelle ist zu lang für den Druck (über %1 Seiten): es wurde nichts gedruckt.")
                             .arg(static_cast<qint64>(hoechste_scheibe / hoehe));
                scheiben.clear();
                seiten.clear();
                return;
            }
            bis = von + (bis - von) / 2;
            wachsen = false;
        }

        // The next slice begins with the part of the first line on that page, or of a line or
        // floating picture running across its top (taller than a page, cut where the page ends),
        // with that page: on the same page grid, the part where it is here. A slice that cannot
        // give a page keeps them all; the next one begins a page.
        Anfang weiter;
        weiter.teil = bis;
        weiter.korrektur = anfang.korrektur;
        if (bis < teilzahl && ganze > 0) {
            const qreal letzte = oben.at(ganze);
            const std::vector<Zeile>& zeilen = gelegt.zeilen;
            // Heading rows put in front of a part belong to no part.
            for (const Zeile& zeile : zeilen)
                if (zeile.unten > letzte + genau && zeile.einheit >= 0)
                    weiter.teil = qMin(weiter.teil, zeile.einheit);
            const qreal erste = erste_zeile_von(zeilen, weiter.teil);
            if (std::isfinite(erste)) {
                const qreal raster = std::floor((erste + genau) / hoehe) * hoehe;
                weiter.erste_zeile = erste - raster;
                weiter.erste_seite = letzte - raster;
                oben.resize(ganze + 1);
            } else {
                weiter.teil = bis;
            }
        }

        auto scheibe = std::make_unique<Scheibe>();
        scheibe->anfang = anfang;
        scheibe->bis = bis;
        for (int i = 0; i + 1 < oben.size(); ++i)
            seiten.push_back({scheiben.size(), i});
        scheibe->oben = std::move(oben);
        scheiben.push_back(std::move(scheibe));
        anfang = weiter;
    }
}

void CDruckseiten::zeichne(QPainter& maler, int seite, const QRectF& koerper) const
{
    if (seite < 1 || seite > anzahl() || !maler.device())
        return;
    const Seite& stelle = seiten.at(static_cast<std::size_t>(seite - 1));
    if (stelle.scheibe >= scheiben.size())
        return;
    Scheibe& scheibe = *scheiben.at(stelle.scheibe);
    if (!scheibe.dokument) {
        if (gezeichnet < scheiben.size())
            scheiben.at(gezeichnet)->vergiss();
        Gelegt neu;
        lege_aus(dokument, grundlage->teile, scheibe.anfang, scheibe.bis, grundlage->vorlage, neu);
        scheibe.behalte(neu);
        gezeichnet = stelle.scheibe;
    }
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
        // The lines that begin on this page, and one taller than a page that runs across its top.
        for (int i = 0; i < absatz->lineCount(); ++i) {
            const QTextLine zeile = absatz->lineAt(i);
            const qreal y = ueberhang.basis.y() + zeile.y();
            if (y < ende - genau && y + hoehe_von(zeile) > anfang + genau)
                zeile.draw(&maler, ueberhang.basis);
        }
    }
    maler.restore();
}
