// The bookmarks menu: the "Bookmarks Bar" folder as a sub-menu, then the contents of "Bookmarks Menu".
#pragma once

#include "modelmenu.h"

#include <QUrl>

class BookmarksManager;

class BookmarksMenu : public ModelMenu
{
    Q_OBJECT
signals:
    void openUrl(const QUrl& url);

public:
    explicit BookmarksMenu(QWidget* parent = nullptr);
    void setInitialActions(const QList<QAction*>& actions);

protected:
    bool prePopulated() override;

private slots:
    void activated(const QModelIndex& index);

private:
    BookmarksManager* m_bookmarksManager = nullptr;
    QList<QAction*> m_initialActions;
};
