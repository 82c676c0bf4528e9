#include "historyproxymodel.h"

void HistoryProxyModel::setSourceModel(QAbstractItemModel* neu)
{
    beginResetModel();
    if (QAbstractItemModel* alt = sourceModel())
        disconnect(alt, nullptr, this, nullptr);
    QAbstractProxyModel::setSourceModel(neu);
    folgeQuelle();
    endResetModel();
}
