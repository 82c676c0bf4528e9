// The dialog that stores an address as a bookmark: its name and the folder to keep it in.
#pragma once

#include <QDialog>
#include <QSortFilterProxyModel>

class BookmarksManager;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QVBoxLayout;

// Only the folders of the bookmark tree, in one column.
class AddBookmarkProxyModel : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    explicit AddBookmarkProxyModel(QObject* parent = nullptr);
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
};

class AddBookmarkDialog : public QDialog
{
    Q_OBJECT
public:
    // Without a manager the browser's one.
    AddBookmarkDialog(const QString& url, const QString& title, QWidget* parent = nullptr,
                      BookmarksManager* bookmarkManager = nullptr);

    QLabel* label;
    QLineEdit* name;
    QComboBox* location;
    QDialogButtonBox* buttonBox;

public slots:
    void accept() override;

private:
    void setupUi();

    QString m_url;
    BookmarksManager* m_bookmarksManager;
    AddBookmarkProxyModel* m_proxyModel;
};
