#include "historymodel.h"
#include "browserapplication.h"
#include "historymanager.h"

#include <QFileInfo>
#include <QIcon>
#include <QUrl>

HistoryModel::HistoryModel(HistoryManager* history, QObject* parent)
    : QAbstractTableModel(parent), m_history(history)
{
    connect(history, &HistoryManager::historyReset, this, &HistoryModel::historyReset);
    connect(history, &HistoryManager::entryRemoved, this, &HistoryModel::entryRemoved);
    connect(history, &HistoryManager::entryAdded, this, &HistoryModel::entryAdded);
    connect(history, &HistoryManager::entryUpdated, this, &HistoryModel::entryUpdated);
}

int HistoryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_history->history.count();
}

int HistoryModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant HistoryModel::data(const QModelIndex& index, int role) const
{
    const QList<HistoryItem>& liste = m_history->history;
    if (index.row() < 0 || index.row() >= liste.count())
        return QVariant();
    const HistoryItem& item = liste.at(index.row());
    switch (role) {
    case HistoryDateTimeRole:
        return item.dateTime;
    case HistoryDateRole:
        return item.dateTime.date();
    case HistoryUrlRole:
        return QUrl(item.url);
    case HistoryUrlTextRole:
        return item.url;
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (index.column() == 0) {
            if (!item.title.isEmpty())
                return item.title;
            const QString datei = QFileInfo(QUrl(item.url).path()).fileName();
            return datei.isEmpty() ? item.url : datei;
        }
        if (index.column() == 1)
            return item.url;
        return QVariant();
    case Qt::DecorationRole:
        if (index.column() == 0)
            return BrowserApplication::icon(QUrl(item.url));
        return QVariant();
    default:
        return QVariant();
    }
}

QVariant HistoryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
        if (section == 0)
            return tr("Title");
        if (section == 1)
            return tr("Address");
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

bool HistoryModel::removeRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || row < 0 || count <= 0 || row + count > rowCount())
        return false;
    beginRemoveRows(parent, row, row + count - 1);
    for (int i = row + count - 1; i >= row; --i) {
        m_history->vergiss(m_history->history.at(i));
        m_history->history.removeAt(i);
    }
    endRemoveRows();
    m_history->dateiVeraltet();
    return true;
}

void HistoryModel::entferneAb(int row)
{
    QList<HistoryItem>& liste = m_history->history;
    if (row < 0 || row >= liste.count())
        return;
    beginRemoveRows(QModelIndex(), row, liste.count() - 1);
    liste.erase(liste.begin() + row, liste.end());
    endRemoveRows();
}

void HistoryModel::historyReset()
{
    beginResetModel();
    // Empty, unless the store has merged its list with visits another process wrote.
    m_history->history.swap(m_history->naechsteListe);
    m_history->naechsteListe.clear();
    endResetModel();
}

void HistoryModel::entryAdded(const HistoryItem& item)
{
    beginInsertRows(QModelIndex(), 0, 0);
    m_history->history.prepend(item);
    endInsertRows();
}

void HistoryModel::entryRemoved(const HistoryItem& item)
{
    const int zeile = m_history->history.indexOf(item);
    if (zeile < 0)
        return;
    beginRemoveRows(QModelIndex(), zeile, zeile);
    m_history->history.removeAt(zeile);
    endRemoveRows();
}

void HistoryModel::entryUpdated(int offset)
{
    const QModelIndex zelle = index(offset, 0);
    if (zelle.isValid())
        emit dataChanged(zelle, zelle);
}
