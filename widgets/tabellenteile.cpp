#include "tabellenteile.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextTable>

#include <algorithm>

namespace {

// The tables of the top level, in the order of the document.
std::vector<QTextTable*> tabellen_von(const QTextDocument& dokument)
{
    std::vector<QTextTable*> tabellen;
    for (QTextFrame* const rahmen : dokument.rootFrame()->childFrames())
        if (auto* const tabelle = qobject_cast<QTextTable*>(rahmen))
            tabellen.push_back(tabelle);
    return tabellen;
}

// Whether `teil` goes on from `vorher`, with only the empty paragraph between them.
bool folgt_auf(const QTextTable* vorher, const QTextTable* teil)
{
    return teil->format().boolProperty(tabellenfortsetzung) && vorher->lastPosition() + 2 == teil->firstPosition();
}

// The first part of the source's long table of which the part that begins at `position` is one.
QTextTable* erster_teil_von(const std::vector<QTextTable*>& tabellen, int position)
{
    auto teil = std::lower_bound(tabellen.begin(), tabellen.end(), position,
                                 [](const QTextTable* tabelle, int p) { return tabelle->firstPosition() < p; });
    if (teil == tabellen.end() || (*teil)->firstPosition() != position)
        return nullptr;
    while (teil != tabellen.begin() && folgt_auf(*(teil - 1), *teil))
        --teil;
    return *teil;
}

// Gives the blocks of the rows from `von_zeile` to before `bis_zeile` the user state `zustand`.
void setze_zustand(const QTextTable& tabelle, int von_zeile, int bis_zeile, int zustand)
{
    const int bis = bis_zeile < tabelle.rows() ? tabelle.cellAt(bis_zeile, 0).firstPosition() : tabelle.lastPosition() + 1;
    for (QTextBlock block = tabelle.document()->findBlock(tabelle.cellAt(von_zeile, 0).firstPosition());
         block.isValid() && block.position() < bis; block = block.next())
        block.setUserState(zustand);
}

// Copies the cells of the `anzahl` rows of `von` from `von_zeile` on into the empty rows of `nach`
// from `nach_zeile` on, each with its format and span and the formats of its first paragraph,
// which goes into the cell's own. Their blocks keep their user states.
void kopiere_zeilen(const QTextTable& von, int von_zeile, int anzahl, QTextTable& nach, int nach_zeile)
{
    for (int zeile = von_zeile; zeile < von_zeile + anzahl; ++zeile) {
        for (int spalte = 0; spalte < von.columns(); ++spalte) {
            const QTextTableCell zelle = von.cellAt(zeile, spalte);
            if (zelle.row() != zeile || zelle.column() != spalte)
                continue;
            const int ziel_zeile = nach_zeile + zeile - von_zeile;
            if (zelle.rowSpan() > 1 || zelle.columnSpan() > 1)
                nach.mergeCells(ziel_zeile, spalte, zelle.rowSpan(), zelle.columnSpan());
            QTextTableCell ziel = nach.cellAt(ziel_zeile, spalte);
            ziel.setFormat(zelle.format());
            QTextCursor auswahl = zelle.firstCursorPosition();
            const QTextBlock erster = auswahl.block();
            auswahl.setPosition(zelle.lastPosition(), QTextCursor::KeepAnchor);
            QTextCursor schreiber = ziel.firstCursorPosition();
            schreiber.setBlockFormat(erster.blockFormat());
            schreiber.setBlockCharFormat(erster.charFormat());
            schreiber.insertFragment(auswahl.selection());
            ziel = nach.cellAt(ziel_zeile, spalte);
            QTextBlock block = nach.document()->findBlock(ziel.firstPosition());
            for (QTextBlock alt = erster; alt.isValid() && block.isValid() && block.position() <= ziel.lastPosition();
                 alt = alt.next(), block = block.next())
                block.setUserState(alt.userState());
        }
    }
}

// Appends the rows of `teil` to `tabelle` and takes `teil` out, with the empty paragraph before it.
void haenge_an(QTextTable& tabelle, QTextTable& teil)
{
    const int zeilen = tabelle.rows();
    if (teil.columns() > tabelle.columns())
        tabelle.appendColumns(teil.columns() - tabelle.columns());
    tabelle.appendRows(teil.rows());
    kopiere_zeilen(teil, 0, teil.rows(), tabelle, zeilen);
    QTextCursor weg(tabelle.document());
    weg.setPosition(tabelle.lastPosition() + 1);
    weg.setPosition(teil.lastPosition() + 1, QTextCursor::KeepAnchor);
    weg.removeSelectedText();
}

} // namespace

void verbinde_tabellenteile(QTextDocument& papier, QTextDocument& quelle, int quelle_von, int versatz)
{
    const std::vector<QTextTable*> tabellen = tabellen_von(papier);
    if (tabellen.empty())
        return;
    // Whether each goes on from the one before, while nothing has moved.
    std::vector<bool> folgt(tabellen.size(), false);
    for (std::size_t i = 1; i < tabellen.size(); ++i)
        folgt[i] = folgt_auf(tabellen[i - 1], tabellen[i]);
    // The copy may begin with a later part: its heading rows are those of its first part.
    const int anfang = tabellen.front()->firstPosition() - versatz;
    QTextTable* erster = anfang - 1 == quelle_von && tabellen.front()->format().boolProperty(tabellenfortsetzung)
                             ? erster_teil_von(tabellen_von(quelle), anfang)
                             : nullptr;
    if (erster && erster->firstPosition() == anfang)
        erster = nullptr;
    // One edit: Qt goes through the whole document's frames after each.
    QTextCursor klammer(&papier);
    klammer.beginEditBlock();
    // The table with heading rows that the parts after it join.
    QTextTable* kopf = nullptr;
    for (std::size_t i = 0; i < tabellen.size(); ++i) {
        QTextTable* const tabelle = tabellen[i];
        if (kopf && folgt[i]) {
            haenge_an(*kopf, *tabelle);
            continue;
        }
        const QTextTable& mit_kopf = i == 0 && erster ? *erster : *tabelle;
        const int kopfzeilen = qMin(mit_kopf.format().headerRowCount(), mit_kopf.rows() - 1);
        kopf = kopfzeilen > 0 ? tabelle : nullptr;
        if (!kopf || &mit_kopf == tabelle)
            continue;
        if (erster->columns() > tabelle->columns())
            tabelle->appendColumns(erster->columns() - tabelle->columns());
        tabelle->insertRows(0, kopfzeilen);
        kopiere_zeilen(*erster, 0, kopfzeilen, *tabelle, 0);
        setze_zustand(*tabelle, 0, kopfzeilen, kopfzeilenzustand);
        // Laid out as the first part is, its columns and heading.
        tabelle->setFormat(erster->format());
    }
    klammer.endEditBlock();
}
