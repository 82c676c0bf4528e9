#include "historymenu.h"
#include "browserapplication.h"
#include "historydialog.h"
#include "historyfiltermodel.h"
#include "historymanager.h"
#include "historymodel.h"
#include "historytreemodel.h"

namespace {
constexpr quintptr oben = quintptr(-1);
}

HistoryMenuModel::HistoryMenuModel(HistoryTreeModel* sourceModel, QObject* parent)
    : QAbstractProxyModel(parent)
    , m_treeModel(sourceModel)
{
    setSourceModel(sourceModel);
}

int HistoryMenuModel::bumpedRows() const
{
    const QModelIndex first = m_treeModel->index(0, 0);
    if (!first.isValid())
        return 0;
    return qMin(m_treeModel->rowCount(first), MOVEDROWS);
}

int HistoryMenuModel::vorTagen() const
{
    const int b = bumpedRows();
    // All pages of the newest day moved up: its folder is left out (an empty history has none).
    const bool ganz = b > 0 && b <= MOVEDROWS && b == m_treeModel->rowCount(m_treeModel->index(0, 0));
    return ganz ? b - 1 : b;
}

int HistoryMenuModel::columnCount(const QModelIndex& parent) const
{
    return m_treeModel->columnCount(mapToSource(parent));
}

int HistoryMenuModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0)
        return 0;
    if (!parent.isValid())
        return m_treeModel->rowCount() + vorTagen();
    if (parent.internalId() == oben && parent.row() < bumpedRows())
        return 0;
    const QModelIndex quelle = mapToSource(parent);
    int anzahl = m_treeModel->rowCount(quelle);
    if (quelle == m_treeModel->index(0, 0))
        anzahl -= bumpedRows();
    return anzahl;
}

QModelIndex HistoryMenuModel::mapToSource(const QModelIndex& proxyIndex) const
{
    if (!proxyIndex.isValid())
        return QModelIndex();
    if (proxyIndex.internalId() == oben) {
        const int b = bumpedRows();
        if (proxyIndex.row() < b)
            return m_treeModel->index(proxyIndex.row(), proxyIndex.column(), m_treeModel->index(0, 0));
        return m_treeModel->index(proxyIndex.row() - vorTagen(), proxyIndex.column());
    }
    const QModelIndex filter = m_treeModel->sourceModel()->index(int(proxyIndex.internalId()), proxyIndex.column());
    return m_treeModel->mapFromSource(filter);
}

QModelIndex HistoryMenuModel::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || column < 0 || column >= columnCount(parent) || parent.column() > 0)
        return QModelIndex();
    if (!parent.isValid())
        return createIndex(row, column, oben);

    const QModelIndex t = mapToSource(parent);
    const int k = t == m_treeModel->index(0, 0) ? bumpedRows() : 0;
    const QModelIndex tr = m_treeModel->index(row + k, column, t);
    int h = m_treeModel->mapToSource(tr).row();
    if (h == -1)
        h = tr.row();
    return createIndex(row, column, quintptr(h));
}

QModelIndex HistoryMenuModel::parent(const QModelIndex& index) const
{
    if (!index.isValid() || index.internalId() == oben)
        return QModelIndex();
    const QModelIndex tr =
        m_treeModel->mapFromSource(m_treeModel->sourceModel()->index(int(index.internalId()), 0));
    const QModelIndex tag = tr.parent();
    const int s = m_treeModel->mapToSource(tag).row();
    return createIndex(vorTagen() + tag.row(), tag.column(), quintptr(s));
}

QModelIndex HistoryMenuModel::mapFromSource(const QModelIndex& sourceIndex) const
{
    return createIndex(sourceIndex.row(), sourceIndex.column(), quintptr(m_treeModel->mapToSource(sourceIndex).row()));
}

HistoryMenu::HistoryMenu(QWidget* parent)
    : ModelMenu(parent)
{
    connect(this, qOverload<const QModelIndex&>(&ModelMenu::activated), this, &HistoryMenu::activated);
    setHoverRole(HistoryUrlTextRole);
}

void HistoryMenu::activated(const QModelIndex& index)
{
    emit openUrl(index.data(HistoryUrlRole).toUrl());
}

bool HistoryMenu::prePopulated()
{
    if (!m_history) {
        m_history = BrowserApplication::historyManager();
        m_historyMenuModel = new HistoryMenuModel(m_history->historyTreeModel(), this);
        setModel(m_historyMenuModel);
    }
    for (QAction* action : qAsConst(m_initialActions))
        addAction(action);
    if (!m_initialActions.isEmpty())
        addSeparator();
    setFirstSeparator(m_historyMenuModel->bumpedRows());
    return false;
}

void HistoryMenu::postPopulated()
{
    if (!m_history->entries().isEmpty())
        addSeparator();
    QAction* showAllAction = new QAction(tr("Show All History"), this);
    connect(showAllAction, &QAction::triggered, this, &HistoryMenu::showHistoryDialog);
    addAction(showAllAction);
    QAction* clearAction = new QAction(tr("Clear History"), this);
    connect(clearAction, &QAction::triggered, m_history, &HistoryManager::clear);
    addAction(clearAction);
}

void HistoryMenu::showHistoryDialog()
{
    auto* dialog = new HistoryDialog(this);
    connect(dialog, &HistoryDialog::openUrl, this, &HistoryMenu::openUrl);
    dialog->show();
}

void HistoryMenu::setInitialActions(const QList<QAction*>& actions)
{
    m_initialActions = actions;
    for (QAction* action : qAsConst(m_initialActions))
        addAction(action);
}
