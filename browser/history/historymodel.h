// The history as a table, one row per visit, newest first; it also carries out the store's changes of its list.
#pragma once

#include "historyitem.h"

#include <QAbstractTableModel>

class HistoryManager;

// Item data roles of every history model (the bookmarks model uses the same numbers).
enum HistoryRoles {
    HistoryDateRole = Qt::UserRole + 1,     // QDate of the visit
    HistoryDateTimeRole = Qt::UserRole + 2, // QDateTime of the visit
    HistoryUrlRole = Qt::UserRole + 3,      // QUrl of the stored address
    HistoryUrlTextRole = Qt::UserRole + 4   // the stored address text
};

// Columns: 0 the title (or, without one, the file name of the address, or the address), 1 the
// address.
class HistoryModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit HistoryModel(HistoryManager* history, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // Removes the visits of the rows from the store (and, at the next save, from the file); false
    // for a range that is not wholly inside the table.
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;
    // Takes the store's visits from `row` to the end out of its list in one removal: visits that
    // expired, which the file may keep until the next save.
    void entferneAb(int row);

public slots:
    void historyReset();
    void entryAdded(const HistoryItem& item);
    void entryRemoved(const HistoryItem& item);
    void entryUpdated(int offset);

private:
    HistoryManager* m_history;
};
