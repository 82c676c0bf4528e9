#include "addbookmarkdialog.h"
#include "bookmarknode.h"
#include "bookmarksmanager.h"
#include "bookmarksmodel.h"
#include "browserapplication.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTreeView>
#include <QVBoxLayout>

AddBookmarkProxyModel::AddBookmarkProxyModel(QObject* parent)
    : QSortFilterProxyModel(parent)
{
}

int AddBookmarkProxyModel::columnCount(const QModelIndex& parent) const
{
    return qMin(1, QSortFilterProxyModel::columnCount(parent));
}

bool AddBookmarkProxyModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    const QModelIndex idx = sourceModel()->index(sourceRow, 0, sourceParent);
    return sourceModel()->hasChildren(idx);
}

AddBookmarkDialog::AddBookmarkDialog(const QString& url, const QString& title, QWidget* parent,
                                     BookmarksManager* bookmarkManager)
    : QDialog(parent)
    , m_url(url)
    , m_bookmarksManager(bookmarkManager ? bookmarkManager : BrowserApplication::bookmarksManager())
{
    setWindowFlags(Qt::Sheet);
    setupUi();
    auto* view = new QTreeView(this);
    m_proxyModel = new AddBookmarkProxyModel(this);
    BookmarksModel* model = m_bookmarksManager->bookmarksModel();
    m_proxyModel->setSourceModel(model);
    view->setModel(m_proxyModel);
    view->expandAll();
    view->header()->setStretchLastSection(true);
    view->header()->hide();
    view->setItemsExpandable(false);
    view->setRootIsDecorated(false);
    view->setIndentation(10);
    location->setModel(m_proxyModel);
    location->setView(view);
    const QModelIndex idx = m_proxyModel->mapFromSource(model->index(m_bookmarksManager->menu()));
    view->setCurrentIndex(idx);
    location->setCurrentIndex(idx.row());
    name->setText(title);
}

void AddBookmarkDialog::setupUi()
{
    setObjectName(QStringLiteral("AddBookmarkDialog"));
    resize(240, 168);
    auto* verticalLayout = new QVBoxLayout(this);
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    label = new QLabel(this);
    label->setObjectName(QStringLiteral("label"));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    verticalLayout->addWidget(label);
    name = new QLineEdit(this);
    name->setObjectName(QStringLiteral("name"));
    verticalLayout->addWidget(name);
    // The text above asks for the name: it names the field for a screen reader.
    label->setBuddy(name);
    location = new QComboBox(this);
    location->setObjectName(QStringLiteral("location"));
    verticalLayout->addWidget(location);
    verticalLayout->addItem(new QSpacerItem(20, 2, QSizePolicy::Minimum, QSizePolicy::Expanding));
    buttonBox = new QDialogButtonBox(this);
    buttonBox->setObjectName(QStringLiteral("buttonBox"));
    buttonBox->setOrientation(Qt::Horizontal);
    buttonBox->setStandardButtons(QDialogButtonBox::Cancel | QDialogButtonBox::Ok);
    buttonBox->setCenterButtons(false);
    verticalLayout->addWidget(buttonBox);

    setWindowTitle(QCoreApplication::translate("AddBookmarkDialog", "Add Bookmark"));
    label->setText(QCoreApplication::translate("AddBookmarkDialog",
                                               "Type a name for the bookmark, and choose where to keep it."));
    connect(buttonBox, &QDialogButtonBox::accepted, this, &AddBookmarkDialog::accept);
    connect(buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void AddBookmarkDialog::accept()
{
    BookmarksModel* model = m_bookmarksManager->bookmarksModel();
    QModelIndex index = location->view()->currentIndex();
    index = m_proxyModel->mapToSource(index);
    if (!index.isValid())
        index = model->index(0, 0);
    BookmarkNode* parent = model->node(index);
    auto* bookmark = new BookmarkNode(BookmarkNode::Bookmark);
    bookmark->url = m_url;
    bookmark->title = name->text();
    m_bookmarksManager->addBookmark(parent, bookmark);
    if (!bookmark->parent())
        delete bookmark;
    QDialog::accept();
}
