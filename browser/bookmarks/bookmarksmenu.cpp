#include "bookmarksmenu.h"
#include "bookmarksmanager.h"
#include "bookmarksmodel.h"
#include "browserapplication.h"

BookmarksMenu::BookmarksMenu(QWidget* parent)
    : ModelMenu(parent)
{
    connect(this, qOverload<const QModelIndex&>(&ModelMenu::activated), this, &BookmarksMenu::activated);
    setMaxRows(-1);
    setHoverRole(BookmarksModel::UrlStringRole);
    setSeparatorRole(BookmarksModel::SeparatorRole);
}

void BookmarksMenu::activated(const QModelIndex& index)
{
    emit openUrl(index.data(BookmarksModel::UrlRole).toUrl());
}

bool BookmarksMenu::prePopulated()
{
    m_bookmarksManager = BrowserApplication::bookmarksManager();
    BookmarksModel* model = m_bookmarksManager->bookmarksModel();
    setModel(model);
    setRootIndex(model->index(1, 0));
    for (QAction* action : qAsConst(m_initialActions))
        addAction(action);
    if (!m_initialActions.isEmpty())
        addSeparator();
    // The tool-bar folder, filled when it first opens.
    createMenu(model->index(0, 0), -1, this);
    return true;
}

void BookmarksMenu::setInitialActions(const QList<QAction*>& actions)
{
    m_initialActions = actions;
    for (QAction* action : qAsConst(m_initialActions))
        addAction(action);
}
