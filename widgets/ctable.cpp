#include "ctable.h"
#include "zeilenauswahl.h"

#include <QHeaderView>
#include <QItemSelectionModel>

#include <algorithm>

CTableItem::CTableItem(const QString& text) : QTableWidgetItem(text, QTableWidgetItem::Type)
{
}

CTableItem::~CTableItem() = default;

CTable::CTable(QWidget* eltern) : CTable(0, 0, eltern) {}

CTable::CTable(int zeilen, int spalten, QWidget* eltern) : QTableWidget(zeilen, spalten, eltern)
{
    // Tab leaves the table and the arrow keys go from cell to cell: Qt's Tab from cell to cell
    // would hold a keyboard user in a table of many cells.
    setTabKeyNavigation(false);
}

void CTable::setzeText(int zeile, int spalte, const CQString& text)
{
    if (QTableWidgetItem* vorhanden = item(zeile, spalte)) {
        vorhanden->setText(text);
        return;
    }
    // Outside the table the model would drop the item without deleting it.
    if (zeile < 0 || zeile >= rowCount() || spalte < 0 || spalte >= columnCount())
        return;
    auto* neu = new CTableItem(text);
    neu->setFlags(nur_lesen_ ? neu->flags() & ~Qt::ItemIsEditable : neu->flags() | Qt::ItemIsEditable);
    setItem(zeile, spalte, neu);
}

CQString CTable::zellText(int zeile, int spalte) const
{
    const QTableWidgetItem* zelle = item(zeile, spalte);
    return zelle ? CQString(zelle->text()) : CQString();
}

void CTable::markiereBereich(int oben, int links, int unten, int rechts)
{
    setRangeSelected(QTableWidgetSelectionRange(oben, links, unten, rechts), true);
}

void CTable::markiereZeilen(const QVector<int>& zeilen)
{
    if (selectionModel())
        selectionModel()->select(zeilenauswahl(model(), zeilen, columnCount()), QItemSelectionModel::Select);
}

void CTable::hebeMarkierungAuf(bool)
{
    if (rowCount() > 0 && columnCount() > 0)
        setRangeSelected(QTableWidgetSelectionRange(0, 0, rowCount() - 1, columnCount() - 1), false);
}

void CTable::zeigeZelle(int zeile, int spalte)
{
    if (QTableWidgetItem* zelle = item(zeile, spalte))
        scrollToItem(zelle, QAbstractItemView::EnsureVisible);
}

void CTable::sortColumn(int spalte, bool aufsteigend)
{
    if (spalte < 0 || spalte >= columnCount())
        return;
    const Qt::SortOrder folge = aufsteigend ? Qt::AscendingOrder : Qt::DescendingOrder;
    sortItems(spalte, folge);
    horizontalHeader()->setSortIndicatorShown(true);
    horizontalHeader()->setSortIndicator(spalte, folge);
    sortier_spalte = spalte;
}

bool CTable::sortiertAufsteigend() const
{
    return horizontalHeader()->sortIndicatorOrder() == Qt::AscendingOrder;
}

bool CTable::istSpalteMarkiert(int spalte, bool ganz) const
{
    for (const QTableWidgetSelectionRange& bereich : selectedRanges())
        if (spalte >= bereich.leftColumn() && spalte <= bereich.rightColumn())
            return !ganz || bereich.rowCount() == rowCount();
    return false;
}

bool CTable::istZeileMarkiert(int zeile, bool ganz) const
{
    for (const QTableWidgetSelectionRange& bereich : selectedRanges())
        if (zeile >= bereich.topRow() && zeile <= bereich.bottomRow())
            return !ganz || bereich.columnCount() == columnCount();
    return false;
}

bool CTable::istZelleMarkiert(int zeile, int spalte) const
{
    const QModelIndex zelle = model()->index(zeile, spalte);
    return zelle.isValid() && selectionModel() && selectionModel()->isSelected(zelle);
}

void CTable::setNumRows(int anumrows)
{
    setRowCount(std::max(0, anumrows));
}

void CTable::mouseReleaseTimer()
{
    emit mouseRelease_signal();
}
