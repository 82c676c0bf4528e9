#include "cqlistview.h"

CQListView::CQListView(QWidget* eltern) : QListView(eltern)
{
    connect(this, &QAbstractItemView::pressed, this, &CQListView::PitemPressed);
}

void CQListView::PitemPressed(const QModelIndex& index)
{
    if (index.isValid())
        gedrueckt = index;
}
