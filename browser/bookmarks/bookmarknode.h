// One entry of the bookmark tree: the invisible root, a folder, a bookmark or a separator; a node owns its children.
#pragma once

#include <QList>
#include <QString>

class BookmarkNode
{
public:
    enum Type { Root = 0, Folder = 1, Bookmark = 2, Separator = 3 };

    // With a parent, the node is appended to that parent's children.
    explicit BookmarkNode(Type type = Root, BookmarkNode* parent = nullptr);
    // Detaches the node from its parent and destroys its whole subtree.
    ~BookmarkNode();
    BookmarkNode(const BookmarkNode&) = delete;
    BookmarkNode& operator=(const BookmarkNode&) = delete;

    Type type() const { return m_type; }
    void setType(Type type) { m_type = type; }
    BookmarkNode* parent() const { return m_parent; }
    QList<BookmarkNode*> children() const { return m_children; }

    // Moves the child here, to `offset`: -1 or past the end appends, 0 or below inserts first.
    // A node is never put into its own subtree.
    void add(BookmarkNode* child, int offset = -1);
    // Takes the child out without destroying it; from then on the caller owns it.
    void remove(BookmarkNode* child);

    QString url;
    QString title;
    QString desc;
    bool expanded = false;

private:
    BookmarkNode* m_parent = nullptr;
    Type m_type;
    QList<BookmarkNode*> m_children;
};
