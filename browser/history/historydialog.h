// The dialog of all visited addresses: searchable, sortable, with open, copy and remove.
#pragma once

#include <QDialog>
#include <QUrl>

class EditTreeView;
class HistoryManager;
class QDialogButtonBox;
class QPushButton;
class SearchLineEdit;

class HistoryDialog : public QDialog
{
    Q_OBJECT
signals:
    void openUrl(const QUrl& url);

public:
    // Without a store the browser's one.
    explicit HistoryDialog(QWidget* parent = nullptr, HistoryManager* history = nullptr);

    SearchLineEdit* search;
    EditTreeView* tree;
    QPushButton* removeButton;
    QPushButton* removeAllButton;
    QDialogButtonBox* buttonBox;

private slots:
    void customContextMenuRequested(const QPoint& pos);
    void open();
    void copy();

private:
    void setupUi();
};
