#include "editviews.h"
#include "browserapplication.h"
#include "historymanager.h"

#include <QKeyEvent>
#include <QPersistentModelIndex>

namespace {

bool istEntfernTaste(const QKeyEvent* event)
{
    return event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace;
}

} // namespace

EditTreeView::EditTreeView(QWidget* parent)
    : QTreeView(parent)
{
}

void EditTreeView::keyPressEvent(QKeyEvent* event)
{
    if (model() && istEntfernTaste(event))
        removeOne();
    else
        QTreeView::keyPressEvent(event);
}

void EditTreeView::removeOne()
{
    if (!model())
        return;
    if (!entferntZeilen) {
        BrowserApplication::historyManager()->removeUrl(currentIndex().data(Qt::UserRole + 4).toString());
        return;
    }
    // Persistent: each removal shifts the rows after it.
    QList<QPersistentModelIndex> zeilen;
    if (selectionModel())
        for (const QModelIndex& i : selectionModel()->selectedRows())
            zeilen.append(i);
    if (zeilen.isEmpty() && currentIndex().isValid())
        zeilen.append(currentIndex().sibling(currentIndex().row(), 0));
    for (const QPersistentModelIndex& i : zeilen)
        if (i.isValid())
            model()->removeRows(i.row(), 1, i.parent());
}

void EditTreeView::removeAll()
{
    if (model())
        BrowserApplication::historyManager()->clear();
}

EditTableView::EditTableView(QWidget* parent)
    : QTableView(parent)
{
}

void EditTableView::keyPressEvent(QKeyEvent* event)
{
    if (model() && istEntfernTaste(event))
        removeOne();
    else
        QTableView::keyPressEvent(event);
}

void EditTableView::removeOne()
{
    if (!model() || !selectionModel())
        return;
    const int row = currentIndex().row();
    model()->removeRow(row, rootIndex());
    QModelIndex idx = model()->index(row, 0, rootIndex());
    if (!idx.isValid())
        idx = model()->index(row - 1, 0, rootIndex());
    selectionModel()->select(idx, QItemSelectionModel::SelectCurrent | QItemSelectionModel::Rows);
}

void EditTableView::removeAll()
{
    if (model())
        model()->removeRows(0, model()->rowCount(rootIndex()), rootIndex());
}
