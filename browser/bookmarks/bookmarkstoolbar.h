// The bookmarks tool bar: one button per bookmark of "Bookmarks Bar", a drop-down per folder; links dropped on it become bookmarks.
#pragma once

#include <QPersistentModelIndex>
#include <QToolBar>
#include <QUrl>

class BookmarksModel;

// Rebuilt on every change of the model.
class BookmarksToolBar : public QToolBar
{
    Q_OBJECT
signals:
    void openUrl(const QUrl& url);
    // After each rebuild: the buttons are new, made after everything else in the window.
    void neuGebaut();

public:
    BookmarksToolBar(BookmarksModel* model, QWidget* parent = nullptr);
    void setRootIndex(const QModelIndex& index);
    QModelIndex rootIndex() const { return m_root; }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private slots:
    void triggered(QAction* action);
    void activated(const QModelIndex& index);
    void build();

private:
    BookmarksModel* m_bookmarksModel;
    QPersistentModelIndex m_root;
};
