#include "historyfiltermodel.h"
#include "historymodel.h"

HistoryFilterModel::HistoryFilterModel(QAbstractItemModel* sourceModel, QObject* parent)
    : HistoryProxyModel(parent)
{
    setSourceModel(sourceModel);
}

int HistoryFilterModel::quellZeilen() const
{
    return sourceModel() ? sourceModel()->rowCount() : 0;
}

HistoryFilterModel::Abbildung HistoryFilterModel::baue(int ohneVon, int ohneBis) const
{
    Abbildung abbildung;
    const int zeilen = quellZeilen();
    const int gelassen = ohneVon < 0 ? 0 : ohneBis - ohneVon + 1;
    abbildung.urlPositions.reserve(zeilen);
    // The first occurrence is the most recent visit, so each address keeps its newest one.
    for (int i = 0, neu = 0; i < zeilen; ++i) {
        if (ohneVon >= 0 && i >= ohneVon && i <= ohneBis)
            continue;
        const QString url = sourceModel()->index(i, 0).data(HistoryUrlTextRole).toString();
        const int position = zeilen - gelassen - neu++;
        if (!abbildung.urlPositions.contains(url)) {
            abbildung.sourceRows.append(position);
            abbildung.urlPositions.insert(url, position);
        }
    }
    return abbildung;
}

void HistoryFilterModel::folgeQuelle()
{
    if (QAbstractItemModel* neu = sourceModel()) {
        connect(neu, &QAbstractItemModel::modelReset, this, &HistoryFilterModel::sourceReset);
        connect(neu, &QAbstractItemModel::dataChanged, this, &HistoryFilterModel::sourceDataChanged);
        connect(neu, &QAbstractItemModel::rowsInserted, this, &HistoryFilterModel::sourceRowsInserted);
        connect(neu, &QAbstractItemModel::rowsRemoved, this, &HistoryFilterModel::sourceRowsRemoved);
    }
    m_abbildung = baue();
}

int HistoryFilterModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_abbildung.urlPositions.count();
}

int HistoryFilterModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QModelIndex HistoryFilterModel::index(int row, int column, const QModelIndex& parent) const
{
    if (!hasIndex(row, column, parent))
        return QModelIndex();
    return createIndex(row, column, quintptr(m_abbildung.sourceRows.at(row)));
}

QModelIndex HistoryFilterModel::parent(const QModelIndex&) const
{
    return QModelIndex();
}

QModelIndex HistoryFilterModel::mapToSource(const QModelIndex& proxyIndex) const
{
    if (!proxyIndex.isValid() || !sourceModel())
        return QModelIndex();
    return sourceModel()->index(quellZeilen() - int(proxyIndex.internalId()), proxyIndex.column());
}

QModelIndex HistoryFilterModel::mapFromSource(const QModelIndex& sourceIndex) const
{
    if (!sourceIndex.isValid())
        return QModelIndex();
    const QString url = sourceIndex.data(HistoryUrlTextRole).toString();
    const auto gefunden = m_abbildung.urlPositions.constFind(url);
    const int position = quellZeilen() - sourceIndex.row();
    // An older visit of an address has no row here.
    if (gefunden == m_abbildung.urlPositions.constEnd() || gefunden.value() != position)
        return QModelIndex();
    const int zeile = m_abbildung.sourceRows.indexOf(position);
    if (zeile < 0)
        return QModelIndex();
    return createIndex(zeile, sourceIndex.column(), quintptr(position));
}

QVariant HistoryFilterModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    return sourceModel() ? sourceModel()->headerData(section, orientation, role) : QVariant();
}

void HistoryFilterModel::sourceReset()
{
    beginResetModel();
    m_abbildung = baue();
    endResetModel();
}

void HistoryFilterModel::sourceRowsRemoved(const QModelIndex&, int, int)
{
    if (!m_entferntSelbst)
        sourceReset();
}

void HistoryFilterModel::sourceDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight)
{
    const QModelIndex links = mapFromSource(topLeft);
    const QModelIndex rechts = mapFromSource(bottomRight);
    if (links.isValid() && rechts.isValid())
        emit dataChanged(links, rechts);
}

void HistoryFilterModel::sourceRowsInserted(const QModelIndex& parent, int start, int end)
{
    // The store adds one visit at the top; anything else is taken in whole.
    if (parent.isValid() || start != 0 || end != 0) {
        sourceReset();
        return;
    }
    const QString url = sourceModel()->index(start, 0).data(HistoryUrlTextRole).toString();
    const int zeilen = quellZeilen();
    // A new visit of a known address moves its row to the top.
    const auto gefunden = m_abbildung.urlPositions.constFind(url);
    if (gefunden != m_abbildung.urlPositions.constEnd()) {
        const int zeile = m_abbildung.sourceRows.indexOf(gefunden.value());
        if (zeile >= 0) {
            beginRemoveRows(QModelIndex(), zeile, zeile);
            m_abbildung.sourceRows.removeAt(zeile);
            m_abbildung.urlPositions.remove(url);
            endRemoveRows();
        } else {
            m_abbildung.urlPositions.remove(url);
        }
    }
    beginInsertRows(QModelIndex(), 0, 0);
    m_abbildung.urlPositions.insert(url, zeilen - start);
    m_abbildung.sourceRows.prepend(zeilen);
    endInsertRows();
}

bool HistoryFilterModel::removeRows(int row, int count, const QModelIndex& parent)
{
    if (row < 0 || count <= 0 || row + count > rowCount(parent) || parent.isValid() || !sourceModel())
        return false;
    const int zeilen = quellZeilen();
    const int first = zeilen - m_abbildung.sourceRows.at(row);
    const int last = zeilen - m_abbildung.sourceRows.at(row + count - 1);
    // Older visits of a removed address that lie below the range come back as rows of their own:
    // then the rows cannot be announced as a plain removal.
    const bool nurEntfernt = baue(first, last).urlPositions.count() == rowCount() - count;
    if (nurEntfernt)
        beginRemoveRows(parent, row, row + count - 1);
    else
        beginResetModel();
    m_entferntSelbst = true;
    const bool erfolg = sourceModel()->removeRows(first, last - first + 1);
    m_entferntSelbst = false;
    m_abbildung = baue();
    if (nurEntfernt)
        endRemoveRows();
    else
        endResetModel();
    return erfolg;
}
