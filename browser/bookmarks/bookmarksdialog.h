// The dialog that organises all bookmarks: filter, open, add folders, remove, move by drag and drop.
#pragma once

#include <QDialog>
#include <QUrl>

class BookmarkNode;
class BookmarksManager;
class BookmarksModel;
class EditTreeView;
class QDialogButtonBox;
class QPushButton;
class SearchLineEdit;
class TreeProxyModel;

// Opens the folders stored as expanded and writes the shown state back when it goes, without
// an undo step. Deletes itself when closed.
class BookmarksDialog : public QDialog
{
    Q_OBJECT
signals:
    void openUrl(const QUrl& url);

public:
    // Without a manager the browser's one.
    explicit BookmarksDialog(QWidget* parent = nullptr, BookmarksManager* manager = nullptr);
    ~BookmarksDialog() override;

    SearchLineEdit* search;
    EditTreeView* tree;
    QPushButton* removeButton;
    QPushButton* addFolderButton;
    QDialogButtonBox* buttonBox;

private slots:
    void customContextMenuRequested(const QPoint& pos);
    void open();
    void newFolder();

private:
    void setupUi();
    void expandNodes(BookmarkNode* node);
    bool saveExpandedNodes(const QModelIndex& parent);

    BookmarksManager* m_bookmarksManager;
    BookmarksModel* m_bookmarksModel;
    TreeProxyModel* m_proxyModel;
};
