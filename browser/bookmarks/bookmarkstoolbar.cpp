#include "bookmarkstoolbar.h"
#include "bedienhilfe.h"
#include "bookmarknode.h"
#include "bookmarksmanager.h"
#include "bookmarksmodel.h"
#include "modelmenu.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QToolButton>

BookmarksToolBar::BookmarksToolBar(BookmarksModel* model, QWidget* parent)
    : QToolBar(tr("Bookmark"), parent)
    , m_bookmarksModel(model)
{
    connect(this, &QToolBar::actionTriggered, this, &BookmarksToolBar::triggered);
    setRootIndex(model->index(0, 0));
    connect(m_bookmarksModel, &QAbstractItemModel::modelReset, this, &BookmarksToolBar::build);
    connect(m_bookmarksModel, &QAbstractItemModel::rowsInserted, this, &BookmarksToolBar::build);
    connect(m_bookmarksModel, &QAbstractItemModel::rowsRemoved, this, &BookmarksToolBar::build);
    connect(m_bookmarksModel, &QAbstractItemModel::dataChanged, this, &BookmarksToolBar::build);
    setAcceptDrops(true);
}

void BookmarksToolBar::setRootIndex(const QModelIndex& index)
{
    m_root = index;
    build();
}

void BookmarksToolBar::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
    QToolBar::dragEnterEvent(event);
}

void BookmarksToolBar::dropEvent(QDropEvent* event)
{
    const QMimeData* mimeData = event->mimeData();
    if (!mimeData->hasUrls() || !mimeData->hasText()) {
        QToolBar::dropEvent(event);
        return;
    }
    const QList<QUrl> urls = mimeData->urls();
    QAction* action = actionAt(event->pos());
    const QString dropText = action ? action->text() : QString();

    int row = -1;
    QModelIndex parentIndex = m_root;
    for (int i = 0; i < m_bookmarksModel->rowCount(m_root); ++i) {
        const QModelIndex idx = m_bookmarksModel->index(i, 0, m_root);
        if (idx.data().toString() == dropText) {
            row = i;
            if (m_bookmarksModel->hasChildren(idx)) {
                parentIndex = idx;
                row = -1;
            }
            break;
        }
    }
    auto* bookmark = new BookmarkNode(BookmarkNode::Bookmark);
    bookmark->url = urls.at(0).toString();
    bookmark->title = mimeData->text();

    BookmarkNode* parent = m_bookmarksModel->node(parentIndex);
    BookmarksManager* manager = m_bookmarksModel->bookmarksManager();
    manager->addBookmark(parent, bookmark, row);
    // Before loading the manager leaves the node with its caller.
    if (!bookmark->parent())
        delete bookmark;
    event->acceptProposedAction();
    QToolBar::dropEvent(event);
}

void BookmarksToolBar::triggered(QAction* action)
{
    const QVariant v = action->data();
    if (v.canConvert<QUrl>())
        emit openUrl(v.toUrl());
}

void BookmarksToolBar::activated(const QModelIndex& index)
{
    emit openUrl(index.data(BookmarksModel::UrlRole).toUrl());
}

void BookmarksToolBar::build()
{
    clear();
    for (QWidget* w : findChildren<QToolButton*>(QString(), Qt::FindDirectChildrenOnly))
        if (w->objectName() != QLatin1String("qt_toolbar_ext_button"))
            w->deleteLater();
    for (ModelMenu* m : findChildren<ModelMenu*>(QString(), Qt::FindDirectChildrenOnly))
        m->deleteLater();

    for (int i = 0; i < m_bookmarksModel->rowCount(m_root); ++i) {
        const QModelIndex idx = m_bookmarksModel->index(i, 0, m_root);
        if (m_bookmarksModel->hasChildren(idx)) {
            auto* button = new QToolButton(this);
            button->setPopupMode(QToolButton::InstantPopup);
            button->setArrowType(Qt::DownArrow);
            button->setToolButtonStyle(Qt::ToolButtonTextOnly);
            button->setText(idx.data().toString());
            auto* menu = new ModelMenu(this);
            connect(menu, qOverload<const QModelIndex&>(&ModelMenu::activated), this, &BookmarksToolBar::activated);
            menu->setModel(m_bookmarksModel);
            menu->setRootIndex(idx);
            menu->addAction(new QAction(menu));
            button->setMenu(menu);
            QAction* a = addWidget(button);
            a->setText(idx.data().toString());
        } else {
            QAction* action = addAction(idx.data().toString());
            action->setData(idx.data(BookmarksModel::UrlRole));
        }
    }
    mache_tastbar(this);
    emit neuGebaut();
}
