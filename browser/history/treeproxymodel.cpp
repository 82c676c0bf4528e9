#include "treeproxymodel.h"
#include "historymodel.h"

TreeProxyModel::TreeProxyModel(QObject* parent)
    : QSortFilterProxyModel(parent)
{
    setSortRole(HistoryDateTimeRole);
    setFilterCaseSensitivity(Qt::CaseInsensitive);
}
