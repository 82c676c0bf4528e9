// The history with one row per address, ordered by each address's most recent visit.
#pragma once

#include "historyproxymodel.h"

#include <QHash>
#include <QList>

// Source rows are kept by their position counted from the end of the source (row count − row),
// which stays the same when the store adds a visit at the top.
class HistoryFilterModel : public HistoryProxyModel
{
    Q_OBJECT

public:
    explicit HistoryFilterModel(QAbstractItemModel* sourceModel, QObject* parent = nullptr);

    QModelIndex mapToSource(const QModelIndex& proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex& sourceIndex) const override;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // Removes the addresses of the rows with every visit of them from their newest on.
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;

protected:
    void folgeQuelle() override;

private slots:
    void sourceReset();
    void sourceDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight);
    void sourceRowsInserted(const QModelIndex& parent, int start, int end);
    void sourceRowsRemoved(const QModelIndex& parent, int start, int end);

private:
    struct Abbildung
    {
        QList<int> sourceRows;
        QHash<QString, int> urlPositions;
    };
    // The mapping of the source's rows, leaving out the rows `ohneVon` to `ohneBis` as if they
    // were gone (nothing left out while `ohneVon` is negative).
    Abbildung baue(int ohneVon = -1, int ohneBis = -1) const;
    int quellZeilen() const;

    Abbildung m_abbildung;
    // Set while this model removes rows through its source, which then announces them.
    bool m_entferntSelbst = false;
};
