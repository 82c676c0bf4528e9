#include "historytreemodel.h"
#include "historymodel.h"

#include <QDate>
#include <QIcon>
#include <algorithm>

HistoryTreeModel::HistoryTreeModel(QAbstractItemModel* sourceModel, QObject* parent)
    : HistoryProxyModel(parent)
{
    setSourceModel(sourceModel);
}

void HistoryTreeModel::folgeQuelle()
{
    if (QAbstractItemModel* neu = sourceModel()) {
        // Resets and removals are passed on while the source still holds the old rows.
        connect(neu, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beginResetModel(); });
        connect(neu, &QAbstractItemModel::modelReset, this, [this] {
            vergiss();
            endResetModel();
        });
        connect(neu, &QAbstractItemModel::layoutChanged, this, &HistoryTreeModel::sourceReset);
        connect(neu, &QAbstractItemModel::rowsInserted, this, &HistoryTreeModel::sourceRowsInserted);
        connect(neu, &QAbstractItemModel::rowsAboutToBeRemoved, this, &HistoryTreeModel::sourceRowsAboutToBeRemoved);
        connect(neu, &QAbstractItemModel::rowsRemoved, this, &HistoryTreeModel::sourceRowsRemoved);
        connect(neu, &QAbstractItemModel::dataChanged, this, &HistoryTreeModel::sourceDataChanged);
    }
    vergiss();
}

void HistoryTreeModel::vergiss()
{
    m_dayStarts.clear();
    m_zeilen = 0;
    m_gebaut = false;
}

void HistoryTreeModel::baueTage() const
{
    if (m_gebaut)
        return;
    m_gebaut = true;
    m_dayStarts.clear();
    m_zeilen = sourceModel() ? sourceModel()->rowCount() : 0;
    QDate vorher;
    for (int i = 0; i < m_zeilen; ++i) {
        const QDate datum = sourceModel()->index(i, 0).data(HistoryDateRole).toDate();
        if (i == 0 || datum != vorher)
            m_dayStarts.append(i);
        vorher = datum;
    }
}

int HistoryTreeModel::tagVon(int zeile) const
{
    baueTage();
    const auto danach = std::upper_bound(m_dayStarts.cbegin(), m_dayStarts.cend(), zeile);
    return danach == m_dayStarts.cbegin() ? 0 : int(danach - m_dayStarts.cbegin()) - 1;
}

int HistoryTreeModel::quellZeile(int zeile) const
{
    baueTage();
    return sourceModel()->rowCount() - m_zeilen + zeile;
}

int HistoryTreeModel::dayStart(int day) const
{
    if (day <= 0)
        return 0;
    baueTage();
    if (day >= m_dayStarts.count())
        return m_zeilen;
    return m_dayStarts.at(day);
}

int HistoryTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.internalId() != 0 || parent.column() > 0 || !sourceModel())
        return 0;
    baueTage();
    if (parent.isValid())
        return dayStart(parent.row() + 1) - dayStart(parent.row());
    return m_dayStarts.count();
}

int HistoryTreeModel::columnCount(const QModelIndex& parent) const
{
    return sourceModel() ? sourceModel()->columnCount(mapToSource(parent)) : 0;
}

QModelIndex HistoryTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (!hasIndex(row, column, parent))
        return QModelIndex();
    return createIndex(row, column, quintptr(parent.isValid() ? parent.row() + 1 : 0));
}

QModelIndex HistoryTreeModel::parent(const QModelIndex& index) const
{
    const quintptr tag = index.internalId();
    if (!index.isValid() || tag == 0)
        return QModelIndex();
    return createIndex(int(tag - 1), 0, quintptr(0));
}

bool HistoryTreeModel::hasChildren(const QModelIndex& parent) const
{
    // Address rows never have children; days always have some.
    return !parent.parent().isValid() && rowCount(parent) > 0;
}

Qt::ItemFlags HistoryTreeModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled;
}

QModelIndex HistoryTreeModel::mapToSource(const QModelIndex& proxyIndex) const
{
    const quintptr tag = proxyIndex.internalId();
    if (!proxyIndex.isValid() || tag == 0 || !sourceModel())
        return QModelIndex();
    return sourceModel()->index(quellZeile(dayStart(int(tag - 1)) + proxyIndex.row()), proxyIndex.column());
}

QModelIndex HistoryTreeModel::mapFromSource(const QModelIndex& sourceIndex) const
{
    if (!sourceIndex.isValid())
        return QModelIndex();
    const int zeile = sourceIndex.row() - quellZeile(0);
    if (zeile < 0 || zeile >= m_zeilen)
        return QModelIndex();
    const int tag = tagVon(zeile);
    return createIndex(zeile - dayStart(tag), sourceIndex.column(), quintptr(tag + 1));
}

QVariant HistoryTreeModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !sourceModel())
        return QVariant();
    if (index.internalId() != 0)
        return QAbstractProxyModel::data(index, role);
    // A day row: its date is the date of its first address.
    const auto datum = [&] {
        return sourceModel()->index(quellZeile(dayStart(index.row())), 0).data(HistoryDateRole);
    };
    const bool text = role == Qt::DisplayRole || role == Qt::EditRole;
    if (text && index.column() == 0) {
        const QDate tag = datum().toDate();
        if (tag == QDate::currentDate())
            return tr("Earlier Today");
        return tag.toString(QStringLiteral("dddd, MMMM d, yyyy"));
    }
    if (text && index.column() == 1)
        return tr("%1 items").arg(rowCount(index.sibling(index.row(), 0)));
    if (role == Qt::DecorationRole && index.column() == 0)
        return QIcon(QStringLiteral(":history.png"));
    if (role == HistoryDateRole && index.column() == 0)
        return datum();
    return QAbstractProxyModel::data(index, role);
}

QVariant HistoryTreeModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    return sourceModel() ? sourceModel()->headerData(section, orientation, role) : QVariant();
}

void HistoryTreeModel::sourceReset()
{
    beginResetModel();
    vergiss();
    endResetModel();
}

void HistoryTreeModel::sourceRowsInserted(const QModelIndex& parent, int start, int end)
{
    // The filter model adds one address at the top; anything else, or a tree nobody has looked
    // at yet, is taken in whole.
    if (parent.isValid() || start != 0 || end != 0 || !m_gebaut) {
        sourceReset();
        return;
    }
    const QDate datum = sourceModel()->index(0, 0).data(HistoryDateRole).toDate();
    const bool gleicherTag =
        m_zeilen > 0 && sourceModel()->index(quellZeile(0), 0).data(HistoryDateRole).toDate() == datum;
    if (gleicherTag)
        beginInsertRows(index(0, 0), 0, 0);
    else
        beginInsertRows(QModelIndex(), 0, 0);
    for (int& anfang : m_dayStarts)
        ++anfang;
    if (gleicherTag)
        m_dayStarts.first() = 0;
    else
        m_dayStarts.prepend(0);
    ++m_zeilen;
    endInsertRows();
}

void HistoryTreeModel::sourceRowsAboutToBeRemoved(const QModelIndex& parent, int start, int end)
{
    baueTage();
    m_entferntAnzahl = end - start + 1;
    m_entferntTag = tagVon(start);
    m_entferntBisTag = tagVon(end);
    if (parent.isValid() || start < 0 || end >= m_zeilen) {
        m_entfernen = Entfernen::Alles;
        beginResetModel();
    } else if (start == dayStart(m_entferntTag) && end == dayStart(m_entferntBisTag + 1) - 1) {
        m_entfernen = Entfernen::Tage;
        beginRemoveRows(QModelIndex(), m_entferntTag, m_entferntBisTag);
    } else if (m_entferntTag == m_entferntBisTag) {
        m_entfernen = Entfernen::Zeilen;
        const int anfang = dayStart(m_entferntTag);
        beginRemoveRows(index(m_entferntTag, 0), start - anfang, end - anfang);
    } else {
        // Parts of several days.
        m_entfernen = Entfernen::Alles;
        beginResetModel();
    }
}

void HistoryTreeModel::sourceRowsRemoved(const QModelIndex&, int, int)
{
    switch (m_entfernen) {
    case Entfernen::Alles:
        vergiss();
        endResetModel();
        return;
    case Entfernen::Tage:
        m_dayStarts.erase(m_dayStarts.begin() + m_entferntTag, m_dayStarts.begin() + m_entferntBisTag + 1);
        for (int d = m_entferntTag; d < m_dayStarts.count(); ++d)
            m_dayStarts[d] -= m_entferntAnzahl;
        break;
    case Entfernen::Zeilen:
        for (int d = m_entferntTag + 1; d < m_dayStarts.count(); ++d)
            m_dayStarts[d] -= m_entferntAnzahl;
        break;
    }
    m_zeilen -= m_entferntAnzahl;
    endRemoveRows();
}

void HistoryTreeModel::sourceDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                         const QVector<int>&)
{
    const QModelIndex links = mapFromSource(topLeft);
    const QModelIndex rechts = mapFromSource(bottomRight);
    if (links.isValid() && rechts.isValid() && links.parent() == rechts.parent())
        emit dataChanged(links, rechts);
}

bool HistoryTreeModel::removeRows(int row, int count, const QModelIndex& parent)
{
    if (row < 0 || count <= 0 || row + count > rowCount(parent) || !sourceModel())
        return false;
    if (parent.isValid())
        return sourceModel()->removeRows(dayStart(parent.row()) + row, count);
    for (int i = row + count - 1; i >= row; --i)
        if (!sourceModel()->removeRows(dayStart(i), rowCount(index(i, 0))))
            return false;
    return true;
}
