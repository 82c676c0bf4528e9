#include "historycompletionmodel.h"
#include "historymodel.h"

#include <QUrl>

HistoryCompletionModel::HistoryCompletionModel(QObject* parent) : HistoryProxyModel(parent) {}

void HistoryCompletionModel::folgeQuelle()
{
    if (QAbstractItemModel* neu = sourceModel()) {
        connect(neu, &QAbstractItemModel::modelReset, this, &HistoryCompletionModel::sourceReset);
        connect(neu, &QAbstractItemModel::rowsInserted, this, &HistoryCompletionModel::sourceReset);
        connect(neu, &QAbstractItemModel::rowsRemoved, this, &HistoryCompletionModel::sourceReset);
    }
}

int HistoryCompletionModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !sourceModel() ? 0 : 2 * sourceModel()->rowCount();
}

int HistoryCompletionModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 1;
}

QModelIndex HistoryCompletionModel::index(int row, int column, const QModelIndex& parent) const
{
    if (!hasIndex(row, column, parent))
        return QModelIndex();
    return createIndex(row, column, quintptr(0));
}

QModelIndex HistoryCompletionModel::parent(const QModelIndex&) const
{
    return QModelIndex();
}

QModelIndex HistoryCompletionModel::mapToSource(const QModelIndex& proxyIndex) const
{
    if (!proxyIndex.isValid() || !sourceModel())
        return QModelIndex();
    return sourceModel()->index(proxyIndex.row() / 2, proxyIndex.column());
}

QModelIndex HistoryCompletionModel::mapFromSource(const QModelIndex& sourceIndex) const
{
    if (!sourceIndex.isValid())
        return QModelIndex();
    return index(sourceIndex.row() * 2, sourceIndex.column());
}

QVariant HistoryCompletionModel::data(const QModelIndex& index, int role) const
{
    if (sourceModel() && index.isValid() && (role == Qt::DisplayRole || role == Qt::EditRole)) {
        const QModelIndex quelle = mapToSource(index);
        const QString url = quelle.sibling(quelle.row(), 1).data(HistoryUrlTextRole).toString();
        if (index.row() % 2 == 0)
            return url;
        // What stays after the scheme is taken away begins with the two slashes.
        return QUrl(url).toString(QUrl::RemoveScheme | QUrl::RemoveUserInfo | QUrl::StripTrailingSlash).mid(2);
    }
    return QAbstractProxyModel::data(index, role);
}

void HistoryCompletionModel::sourceReset()
{
    beginResetModel();
    endResetModel();
}
