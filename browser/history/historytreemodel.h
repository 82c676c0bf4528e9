// The history as a tree: one row per day, newest first, and under it the addresses last visited that day.
#pragma once

#include "historyproxymodel.h"

#include <QList>

// The source is the filter model. A day row has the internal id 0, an address row its day's row
// + 1.
class HistoryTreeModel : public HistoryProxyModel
{
    Q_OBJECT

public:
    explicit HistoryTreeModel(QAbstractItemModel* sourceModel, QObject* parent = nullptr);

    QModelIndex mapToSource(const QModelIndex& proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex& sourceIndex) const override;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Whole days at the top level, addresses under a day.
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;

protected:
    void folgeQuelle() override;

private slots:
    void sourceReset();
    void sourceRowsInserted(const QModelIndex& parent, int start, int end);
    void sourceRowsAboutToBeRemoved(const QModelIndex& parent, int start, int end);
    void sourceRowsRemoved(const QModelIndex& parent, int start, int end);
    void sourceDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QVector<int>& roles);

private:
    // The first source row of `day`; the number of source rows for a day past the last.
    int dayStart(int day) const;
    // The day of the source row `zeile`, as far as the tree knows the rows.
    int tagVon(int zeile) const;
    // The source's current row of what the tree knows as row `zeile`. Counted from the end, so
    // that the known rows stay in place while the source has just added one at the top.
    int quellZeile(int zeile) const;
    void baueTage() const;
    void vergiss();

    // Built on first need from the source and then kept in step with its announced changes.
    // `m_zeilen` is the number of source rows the tree knows of.
    mutable QList<int> m_dayStarts;
    mutable int m_zeilen = 0;
    mutable bool m_gebaut = false;
    // How an announced removal of source rows appears here, between its two signals.
    enum class Entfernen { Tage, Zeilen, Alles };
    Entfernen m_entfernen = Entfernen::Alles;
    int m_entferntTag = 0;
    int m_entferntBisTag = 0;
    int m_entferntAnzahl = 0;
};
