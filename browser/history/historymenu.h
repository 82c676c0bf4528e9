// The history menu: up to 15 pages of the newest day at the top, then one sub-menu per day, then the fixed entries.
#pragma once

#include "modelmenu.h"

#include <QAbstractProxyModel>
#include <QUrl>

class HistoryManager;
class HistoryTreeModel;

// The day tree with the newest day's first pages moved up to the top level. The newest day's
// folder stays only when it holds more than the moved-up pages, and then holds the rest.
class HistoryMenuModel : public QAbstractProxyModel
{
    Q_OBJECT
public:
    // At most this many pages of the newest day go to the top level.
    static constexpr int MOVEDROWS = 15;

    HistoryMenuModel(HistoryTreeModel* sourceModel, QObject* parent = nullptr);

    int columnCount(const QModelIndex& parent) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex mapFromSource(const QModelIndex& sourceIndex) const override;
    QModelIndex mapToSource(const QModelIndex& proxyIndex) const override;
    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& index = QModelIndex()) const override;

    // The number of moved-up pages.
    int bumpedRows() const;

private:
    // The top-level rows taken by the newest day's pages before the day folders begin.
    int vorTagen() const;

    HistoryTreeModel* m_treeModel;
};

class HistoryMenu : public ModelMenu
{
    Q_OBJECT
signals:
    void openUrl(const QUrl& url);

public:
    explicit HistoryMenu(QWidget* parent = nullptr);
    void setInitialActions(const QList<QAction*>& actions);

protected:
    bool prePopulated() override;
    void postPopulated() override;

private slots:
    void activated(const QModelIndex& index);
    void showHistoryDialog();

private:
    HistoryManager* m_history = nullptr;
    HistoryMenuModel* m_historyMenuModel = nullptr;
    QList<QAction*> m_initialActions;
};
