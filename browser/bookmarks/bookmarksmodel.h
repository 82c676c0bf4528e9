// The bookmark tree for Qt views: title and address columns, editing through undoable commands, drag and drop as XBEL.
#pragma once

#include <QAbstractItemModel>

class BookmarkNode;
class BookmarksManager;

class BookmarksModel : public QAbstractItemModel
{
    Q_OBJECT
public:
    // The same numbers as the history's roles; other parts read them by number.
    enum Roles {
        TypeRole = Qt::UserRole + 1,
        UrlRole = Qt::UserRole + 2,
        UrlStringRole = Qt::UserRole + 3,
        SeparatorRole = Qt::UserRole + 4
    };

    BookmarksModel(BookmarksManager* bookmarkManager, QObject* parent = nullptr);
    BookmarksManager* bookmarksManager() const { return m_bookmarksManager; }

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;
    Qt::DropActions supportedDropActions() const override;
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The node of an index; the root for an index without one.
    BookmarkNode* node(const QModelIndex& index) const;
    // Column 0 of the node; invalid for a node without parent.
    QModelIndex index(BookmarkNode* node) const;

public slots:
    void entryAdded(BookmarkNode* item);
    void entryRemoved(BookmarkNode* parent, int row, BookmarkNode* item);
    void entryChanged(BookmarkNode* item);

private:
    // A move of this model's own rows has opened the undo macro "Move Bookmarks"; the view's
    // removal of the source rows closes it.
    bool m_endMacro = false;
    BookmarksManager* m_bookmarksManager;
};
