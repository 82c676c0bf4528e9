#include "tabellenteile.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextTable>

#include <algorithm>
#include <vector>

namespace {

// The tables of the document that may be parts of a long table, in the order of the document:
// all but those within a table's cells, where nothing is cut.
void sammle_teile(QTextFrame* rahmen, std::vector<QTextTable*>& tabellen)
{
    for (QTextFrame* const kind : rahmen->childFrames()) {
        if (auto* const tabelle = qobject_cast<QTextTable*>(kind))
            tabellen.push_back(tabelle);
        else
            sammle_teile(kind, tabellen);
    }
}

// Whether `teil` goes on from `vorher`: marked so, in the same frame after it, with nothing but
// empty paragraphs between them. The cut leaves one; each element the report wraps the table in
// (its body, a "<div>"), opened again where the part begins, may leave one more.
bool folgt_auf(const QTextTable* vorher, const QTextTable* teil)
{
    if (!teil->format().boolProperty(tabellenfortsetzung) || vorher->parentFrame() != teil->parentFrame()
        || vorher->lastPosition() >= teil->firstPosition())
        return false;
    const QTextDocument* const dokument = teil->document();
    // The paragraph after a table ends where the next frame begins, just before its first position.
    for (int position = vorher->lastPosition() + 1; position < teil->firstPosition() - 1; ++position)
        if (dokument->characterAt(position) != QChar::ParagraphSeparator)
            return false;
    return true;
}

// The first part of the long table of which the table that begins at `position` of `dokument` is a
// later part; null when no part begins there, or the one there goes on from none.
QTextTable* erster_teil_an(const QTextDocument& dokument, int position)
{
    QTextFrame* rahmen = dokument.frameAt(position);
    while (rahmen && (rahmen->firstPosition() != position || !qobject_cast<QTextTable*>(rahmen)))
        rahmen = rahmen->parentFrame();
    auto* teil = static_cast<QTextTable*>(rahmen);
    if (!teil || !teil->parentFrame() || !teil->format().boolProperty(tabellenfortsetzung))
        return nullptr;
    const QList<QTextFrame*> geschwister = teil->parentFrame()->childFrames();
    auto stelle = std::find(geschwister.begin(), geschwister.end(), teil);
    QTextTable* erster = nullptr;
    for (; stelle != geschwister.begin(); --stelle) {
        auto* const vorher = qobject_cast<QTextTable*>(*(stelle - 1));
        if (!vorher || !folgt_auf(vorher, static_cast<QTextTable*>(*stelle)))
            break;
        erster = vorher;
    }
    return erster;
}

// Gives the blocks of the rows from `von_zeile` to before `bis_zeile` the user state `zustand`.
void setze_zustand(const QTextTable& tabelle, int von_zeile, int bis_zeile, int zustand)
{
    const int bis = bis_zeile < tabelle.rows() ? tabelle.cellAt(bis_zeile, 0).firstPosition() : tabelle.lastPosition() + 1;
    for (QTextBlock block = tabelle.document()->findBlock(tabelle.cellAt(von_zeile, 0).firstPosition());
         block.isValid() && block.position() < bis; block = block.next())
        block.setUserState(zustand);
}

// Whether the cell holds paragraphs of text and pictures only: no frame, no list item. Those are
// written a fragment at a time, several times quicker than a copied selection.
bool nur_text(const QTextTableCell& zelle)
{
    for (QTextFrame::iterator teil = zelle.begin(); !teil.atEnd(); ++teil)
        if (teil.currentFrame() || teil.currentBlock().textList())
            return false;
    return true;
}

// Writes the content of `zelle` into the empty cell `ziel` with the formats of its paragraphs (the
// first one's char format is the cell's own) and their user states.
void schreibe_zelle(const QTextTableCell& zelle, QTextTableCell& ziel)
{
    if (ziel.format() != zelle.format())
        ziel.setFormat(zelle.format());
    QTextCursor schreiber = ziel.firstCursorPosition();
    const QTextBlock erster = zelle.firstCursorPosition().block();
    if (schreiber.blockFormat() != erster.blockFormat())
        schreiber.setBlockFormat(erster.blockFormat());
    if (!nur_text(zelle)) {
        QTextCursor auswahl = zelle.firstCursorPosition();
        auswahl.setPosition(zelle.lastPosition(), QTextCursor::KeepAnchor);
        schreiber.insertFragment(auswahl.selection());
        QTextBlock block = schreiber.document()->findBlock(ziel.firstPosition());
        for (QTextBlock alt = erster; alt.isValid() && block.isValid() && block.position() <= ziel.lastPosition();
             alt = alt.next(), block = block.next())
            block.setUserState(alt.userState());
        return;
    }
    for (QTextFrame::iterator teil = zelle.begin(); !teil.atEnd(); ++teil) {
        const QTextBlock block = teil.currentBlock();
        if (teil != zelle.begin())
            schreiber.insertBlock(block.blockFormat(), block.charFormat());
        schreiber.block().setUserState(block.userState());
        for (QTextBlock::iterator stueck = block.begin(); !stueck.atEnd(); ++stueck)
            schreiber.insertText(stueck.fragment().text(), stueck.fragment().charFormat());
    }
}

// A cell to copy, and the row and column it goes to.
struct Zelle
{
    QTextTableCell quelle;
    int zeile;
    int spalte;
};

// The cells of the `anzahl` rows of `von` from `von_zeile` on, to go into `nach` from `nach_zeile` on.
void sammle_zellen(const QTextTable& von, int von_zeile, int anzahl, int nach_zeile, std::vector<Zelle>& zellen)
{
    for (int zeile = von_zeile; zeile < von_zeile + anzahl; ++zeile) {
        for (int spalte = 0; spalte < von.columns(); ++spalte) {
            const QTextTableCell zelle = von.cellAt(zeile, spalte);
            if (zelle.row() == zeile && zelle.column() == spalte)
                zellen.push_back({zelle, nach_zeile + zeile - von_zeile, spalte});
        }
    }
}

// The cells of `nach` that `zellen` go to, spanning as theirs. They are all found before anything
// is written: Qt finds all the cells of a table anew at the next look after each write into the
// document, which for a long table took seconds.
std::vector<QTextTableCell> ziele_von(const std::vector<Zelle>& zellen, QTextTable& nach)
{
    const int zeilen = nach.rows();
    for (const Zelle& zelle : zellen) {
        // A cell may span rows past those copied.
        const int zeilenspanne = qMin(zelle.quelle.rowSpan(), zeilen - zelle.zeile);
        if (zeilenspanne > 1 || zelle.quelle.columnSpan() > 1)
            nach.mergeCells(zelle.zeile, zelle.spalte, zeilenspanne, zelle.quelle.columnSpan());
    }
    std::vector<QTextTableCell> ziele;
    ziele.reserve(zellen.size());
    for (const Zelle& zelle : zellen)
        ziele.push_back(nach.cellAt(zelle.zeile, zelle.spalte));
    return ziele;
}

// Copies `zellen` into the empty rows of `nach` they go to, each with its format and span.
void kopiere_zellen(const std::vector<Zelle>& zellen, QTextTable& nach)
{
    std::vector<QTextTableCell> ziele = ziele_von(zellen, nach);
    for (std::size_t i = 0; i < zellen.size(); ++i)
        schreibe_zelle(zellen[i].quelle, ziele[i]);
}

// How many of the table's first rows head it: at least one row is left below them.
int kopfzeilen_von(const QTextTable& tabelle)
{
    return qMin(tabelle.format().headerRowCount(), tabelle.rows() - 1);
}

// Puts one table in the place of `teile` (a table and the parts that go on from it, with the empty
// paragraphs between them), holding the rows of all, below the heading rows of `kopf` when given
// (the first part of the table, in the source) and laid out as that one. A new table: Qt appends
// rows to a table at a cost that grows with its length, seconds for a long one.
void vereine(const std::vector<QTextTable*>& teile, const QTextTable* kopf, const std::function<bool()>& abgebrochen)
{
    const int kopfzeilen = kopf ? kopfzeilen_von(*kopf) : 0;
    std::vector<Zelle> zellen;
    if (kopf)
        sammle_zellen(*kopf, 0, kopfzeilen, 0, zellen);
    // Where the cells of each part end among them.
    std::vector<std::size_t> enden;
    int zeilen = kopfzeilen;
    int spalten = kopf ? kopf->columns() : 0;
    for (QTextTable* const teil : teile) {
        sammle_zellen(*teil, 0, teil->rows(), zeilen, zellen);
        enden.push_back(zellen.size());
        zeilen += teil->rows();
        spalten = qMax(spalten, teil->columns());
    }
    QTextCursor schreiber(teile.front()->document());
    schreiber.setPosition(teile.front()->firstPosition() - 1);
    QTextTable* const ganz = schreiber.insertTable(zeilen, spalten, (kopf ? kopf : teile.front())->format());
    std::vector<QTextTableCell> ziele = ziele_von(zellen, *ganz);
    // The heading rows' cells first, with the first part's.
    std::size_t i = 0;
    for (std::size_t k = 0; k < teile.size(); ++k) {
        for (; i < enden[k]; ++i) {
            if (abgebrochen && i % 1024 == 0 && abgebrochen())
                return;
            schreibe_zelle(zellen[i].quelle, ziele[i]);
        }
        // Each part goes once it is copied, with the empty paragraphs before it: the document
        // is never held twice.
        schreiber.setPosition(ganz->lastPosition() + 1);
        schreiber.setPosition(teile[k]->lastPosition() + 1, QTextCursor::KeepAnchor);
        schreiber.removeSelectedText();
    }
    if (kopfzeilen > 0)
        setze_zustand(*ganz, 0, kopfzeilen, kopfzeilenzustand);
}

} // namespace

bool verbinde_tabellenteile(QTextDocument& dokument, QTextDocument* quelle, int versatz,
                            const std::function<bool()>& abgebrochen)
{
    std::vector<QTextTable*> tabellen;
    sammle_teile(dokument.rootFrame(), tabellen);
    if (tabellen.empty())
        return false;
    bool verbunden = false;
    // Whether each goes on from the one before, and for one that goes on from none here the first
    // part of its table in the source, while nothing has moved.
    std::vector<bool> folgt(tabellen.size(), false);
    std::vector<QTextTable*> erster(tabellen.size(), nullptr);
    for (std::size_t i = 0; i < tabellen.size(); ++i) {
        folgt[i] = i > 0 && folgt_auf(tabellen[i - 1], tabellen[i]);
        if (!folgt[i] && quelle && tabellen[i]->format().boolProperty(tabellenfortsetzung))
            erster[i] = erster_teil_an(*quelle, tabellen[i]->firstPosition() - versatz);
    }
    // One edit: Qt goes through the whole document's frames after each.
    QTextCursor klammer(&dokument);
    klammer.beginEditBlock();
    for (std::size_t i = 0; i < tabellen.size();) {
        const QTextTable* const kopf = erster[i] && kopfzeilen_von(*erster[i]) > 0 ? erster[i] : nullptr;
        std::vector<QTextTable*> teile{tabellen[i]};
        for (++i; i < tabellen.size() && folgt[i]; ++i)
            teile.push_back(tabellen[i]);
        if ((kopf || teile.size() > 1) && !(abgebrochen && abgebrochen())) {
            vereine(teile, kopf, abgebrochen);
            verbunden = true;
        }
    }
    klammer.endEditBlock();
    return verbunden;
}

void begrenze_kopfzeilen(QTextDocument& papier, qreal breite, qreal hoehe)
{
    std::vector<QTextTable*> tabellen;
    sammle_teile(papier.rootFrame(), tabellen);
    for (QTextTable* const tabelle : tabellen) {
        const int kopfzeilen = kopfzeilen_von(*tabelle);
        if (kopfzeilen <= 0)
            continue;
        // The heading rows and the row below them, laid out unpaged at the page's width.
        QTextDocument probe;
        probe.setUndoRedoEnabled(false);
        probe.setDefaultFont(papier.defaultFont());
        probe.setUseDesignMetrics(papier.useDesignMetrics());
        probe.setDefaultTextOption(papier.defaultTextOption());
        probe.setDocumentMargin(0);
        probe.setTextWidth(breite);
        QTextTable* const muster = QTextCursor(&probe).insertTable(kopfzeilen + 1, tabelle->columns(), tabelle->format());
        std::vector<Zelle> zellen;
        sammle_zellen(*tabelle, 0, kopfzeilen + 1, 0, zellen);
        kopiere_zellen(zellen, *muster);
        if (probe.documentLayout()->frameBoundingRect(muster).height() <= hoehe)
            continue;
        // Those put in front of a later part are gone: the part's first page holds its own rows.
        if (papier.findBlock(tabelle->firstPosition()).userState() == kopfzeilenzustand)
            tabelle->removeRows(0, kopfzeilen);
        QTextTableFormat format = tabelle->format();
        format.setHeaderRowCount(0);
        tabelle->setFormat(format);
    }
}
