#include "historydialog.h"
#include "browserapplication.h"
#include "editviews.h"
#include "historyfiltermodel.h"
#include "historymanager.h"
#include "historymodel.h"
#include "searchlineedit.h"
#include "treeproxymodel.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QSpacerItem>

HistoryDialog::HistoryDialog(QWidget* parent, HistoryManager* setHistory)
    : QDialog(parent)
{
    HistoryManager* history = setHistory ? setHistory : BrowserApplication::historyManager();
    setupUi();
    tree->setUniformRowHeights(true);
    tree->setSelectionBehavior(QAbstractItemView::SelectRows);
    tree->setTextElideMode(Qt::ElideMiddle);

    auto* proxy = new TreeProxyModel(this);
    connect(search, &SearchLineEdit::textChanged, proxy, &QSortFilterProxyModel::setFilterFixedString);
    connect(removeButton, &QPushButton::clicked, tree, &EditTreeView::removeOne);
    connect(removeAllButton, &QPushButton::clicked, tree, &EditTreeView::removeAll);
    proxy->setSourceModel(history->historyFilterModel());
    proxy->setFilterKeyColumn(1);
    tree->setModel(proxy);
    tree->setSortingEnabled(true);
    tree->setExpanded(proxy->index(0, 0), true);
    tree->setAlternatingRowColors(true);
    const QFontMetrics fm(font());
    tree->header()->resizeSection(0, fm.horizontalAdvance(QLatin1Char('m')) * 40);
    tree->header()->setStretchLastSection(true);
    connect(tree, &QAbstractItemView::activated, this, &HistoryDialog::open);
    tree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tree, &QWidget::customContextMenuRequested, this, &HistoryDialog::customContextMenuRequested);
}

void HistoryDialog::setupUi()
{
    setObjectName(QStringLiteral("HistoryDialog"));
    resize(758, 450);
    auto* gridLayout = new QGridLayout(this);
    gridLayout->setObjectName(QStringLiteral("gridLayout"));
    gridLayout->addItem(new QSpacerItem(252, 20, QSizePolicy::Expanding, QSizePolicy::Minimum), 0, 0);
    search = new SearchLineEdit(this);
    search->setObjectName(QStringLiteral("search"));
    gridLayout->addWidget(search, 0, 1);
    tree = new EditTreeView(this);
    tree->setObjectName(QStringLiteral("tree"));
    gridLayout->addWidget(tree, 1, 0, 1, 2);
    auto* hboxLayout = new QHBoxLayout();
    hboxLayout->setObjectName(QStringLiteral("hboxLayout"));
    removeButton = new QPushButton(this);
    removeButton->setObjectName(QStringLiteral("removeButton"));
    hboxLayout->addWidget(removeButton);
    removeAllButton = new QPushButton(this);
    removeAllButton->setObjectName(QStringLiteral("removeAllButton"));
    hboxLayout->addWidget(removeAllButton);
    hboxLayout->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    buttonBox = new QDialogButtonBox(this);
    buttonBox->setObjectName(QStringLiteral("buttonBox"));
    buttonBox->setStandardButtons(QDialogButtonBox::Ok);
    hboxLayout->addWidget(buttonBox);
    gridLayout->addLayout(hboxLayout, 2, 0, 1, 2);

    setWindowTitle(QCoreApplication::translate("HistoryDialog", "History"));
    tree->setAccessibleName(windowTitle());
    removeButton->setText(QCoreApplication::translate("HistoryDialog", "&Remove"));
    removeAllButton->setText(QCoreApplication::translate("HistoryDialog", "Remove &All"));
    connect(buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

void HistoryDialog::customContextMenuRequested(const QPoint& pos)
{
    QMenu menu;
    QModelIndex index = tree->indexAt(pos);
    index = index.sibling(index.row(), 0);
    if (index.isValid() && !tree->model()->hasChildren(index)) {
        menu.addAction(tr("Open"), this, &HistoryDialog::open);
        menu.addSeparator();
        menu.addAction(tr("Copy"), this, &HistoryDialog::copy);
    }
    menu.addAction(tr("Delete"), tree, &EditTreeView::removeOne);
    menu.exec(QCursor::pos());
}

void HistoryDialog::open()
{
    const QModelIndex index = tree->currentIndex();
    if (!index.isValid())
        return;
    emit openUrl(index.data(HistoryUrlRole).toUrl());
}

void HistoryDialog::copy()
{
    const QModelIndex index = tree->currentIndex();
    if (!index.isValid())
        return;
    QApplication::clipboard()->setText(index.data(HistoryUrlTextRole).toString());
}
