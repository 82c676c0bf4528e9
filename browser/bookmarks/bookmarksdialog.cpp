#include "bookmarksdialog.h"
#include "autosaver.h"
#include "bookmarknode.h"
#include "bookmarksmanager.h"
#include "bookmarksmodel.h"
#include "browserapplication.h"
#include "editviews.h"
#include "searchlineedit.h"
#include "treeproxymodel.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>

BookmarksDialog::BookmarksDialog(QWidget* parent, BookmarksManager* manager)
    : QDialog(parent)
    , m_bookmarksManager(manager ? manager : BrowserApplication::bookmarksManager())
{
    setupUi();

    tree->setUniformRowHeights(true);
    tree->setSelectionBehavior(QAbstractItemView::SelectRows);
    tree->setSelectionMode(QAbstractItemView::ContiguousSelection);
    tree->setTextElideMode(Qt::ElideMiddle);
    m_bookmarksModel = m_bookmarksManager->bookmarksModel();
    m_proxyModel = new TreeProxyModel(this);
    connect(search, &SearchLineEdit::textChanged, m_proxyModel, &QSortFilterProxyModel::setFilterFixedString);
    // The view removes bookmarks through the model (undoable), not addresses from the history.
    tree->setzeEntferntZeilen(true);
    connect(removeButton, &QPushButton::clicked, tree, &EditTreeView::removeOne);
    m_proxyModel->setSourceModel(m_bookmarksModel);
    tree->setModel(m_proxyModel);
    tree->setDragDropMode(QAbstractItemView::InternalMove);
    tree->setExpanded(m_proxyModel->index(0, 0), true);
    tree->setAlternatingRowColors(true);
    const QFontMetrics fm(font());
    tree->header()->resizeSection(0, fm.horizontalAdvance(QLatin1Char('m')) * 40);
    tree->header()->setStretchLastSection(true);
    connect(tree, &QAbstractItemView::activated, this, &BookmarksDialog::open);
    tree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tree, &QWidget::customContextMenuRequested, this, &BookmarksDialog::customContextMenuRequested);
    connect(addFolderButton, &QPushButton::clicked, this, &BookmarksDialog::newFolder);
    expandNodes(m_bookmarksManager->bookmarks());
    setAttribute(Qt::WA_DeleteOnClose);
}

BookmarksDialog::~BookmarksDialog()
{
    if (saveExpandedNodes(tree->rootIndex()))
        m_bookmarksManager->saveTimer()->changeOccurred();
}

void BookmarksDialog::setupUi()
{
    setObjectName(QStringLiteral("BookmarksDialog"));
    resize(758, 450);
    auto* gridLayout = new QGridLayout(this);
    gridLayout->setObjectName(QStringLiteral("gridLayout"));
    auto* sucheZeile = new QHBoxLayout();
    sucheZeile->setObjectName(QStringLiteral("hboxLayout"));
    sucheZeile->addItem(new QSpacerItem(252, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    search = new SearchLineEdit(this);
    search->setObjectName(QStringLiteral("search"));
    sucheZeile->addWidget(search);
    gridLayout->addLayout(sucheZeile, 0, 0);
    tree = new EditTreeView(this);
    tree->setObjectName(QStringLiteral("tree"));
    gridLayout->addWidget(tree, 1, 0);
    auto* knopfZeile = new QHBoxLayout();
    knopfZeile->setObjectName(QStringLiteral("hboxLayout"));
    removeButton = new QPushButton(this);
    removeButton->setObjectName(QStringLiteral("removeButton"));
    knopfZeile->addWidget(removeButton);
    addFolderButton = new QPushButton(this);
    addFolderButton->setObjectName(QStringLiteral("addFolderButton"));
    knopfZeile->addWidget(addFolderButton);
    knopfZeile->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    buttonBox = new QDialogButtonBox(this);
    buttonBox->setObjectName(QStringLiteral("buttonBox"));
    buttonBox->setStandardButtons(QDialogButtonBox::Ok);
    knopfZeile->addWidget(buttonBox);
    gridLayout->addLayout(knopfZeile, 2, 0);

    setWindowTitle(QCoreApplication::translate("BookmarksDialog", "Bookmarks"));
    tree->setAccessibleName(windowTitle());
    removeButton->setText(QCoreApplication::translate("BookmarksDialog", "&Remove"));
    addFolderButton->setText(QCoreApplication::translate("BookmarksDialog", "Add Folder"));
    connect(buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

void BookmarksDialog::expandNodes(BookmarkNode* node)
{
    for (BookmarkNode* child : node->children()) {
        if (child->expanded) {
            const QModelIndex idx = m_proxyModel->mapFromSource(m_bookmarksModel->index(child));
            tree->setExpanded(idx, true);
            expandNodes(child);
        }
    }
}

bool BookmarksDialog::saveExpandedNodes(const QModelIndex& parent)
{
    bool changed = false;
    for (int i = 0; i < m_proxyModel->rowCount(parent); ++i) {
        const QModelIndex child = m_proxyModel->index(i, 0, parent);
        BookmarkNode* node = m_bookmarksModel->node(m_proxyModel->mapToSource(child));
        const bool expanded = tree->isExpanded(child);
        if (node->expanded != expanded) {
            node->expanded = expanded;
            changed = true;
        }
        if (expanded && saveExpandedNodes(child))
            changed = true;
    }
    return changed;
}

void BookmarksDialog::customContextMenuRequested(const QPoint& pos)
{
    QMenu menu;
    QModelIndex index = tree->indexAt(pos);
    index = index.sibling(index.row(), 0);
    if (index.isValid() && !m_bookmarksModel->hasChildren(m_proxyModel->mapToSource(index))) {
        menu.addAction(tr("Open"), this, &BookmarksDialog::open);
        menu.addSeparator();
    }
    menu.addAction(tr("Delete"), tree, &EditTreeView::removeOne);
    menu.exec(QCursor::pos());
}

void BookmarksDialog::open()
{
    const QModelIndex index = tree->currentIndex();
    if (!index.parent().isValid())
        return;
    emit openUrl(index.sibling(index.row(), 1).data(BookmarksModel::UrlRole).toUrl());
}

void BookmarksDialog::newFolder()
{
    // The proxy hides an empty folder's (missing) children and, while a filter is set, shows
    // rows at other positions than the bookmark tree: every decision is taken in the tree.
    QModelIndex idx = m_proxyModel->mapToSource(tree->currentIndex());
    // Behind the current item in its folder; a folder that is current takes the new one last.
    int row = -1;
    if (idx.isValid() && !m_bookmarksModel->hasChildren(idx)) {
        row = idx.row() + 1;
        idx = idx.parent();
    }
    if (!idx.isValid())
        idx = m_proxyModel->mapToSource(tree->rootIndex());
    BookmarkNode* parent = m_bookmarksModel->node(idx);
    auto* node = new BookmarkNode(BookmarkNode::Folder);
    node->title = tr("New Folder");
    m_bookmarksManager->addBookmark(parent, node, row);
    if (!node->parent())
        delete node;
}
