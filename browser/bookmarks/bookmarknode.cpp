#include "bookmarknode.h"

BookmarkNode::BookmarkNode(Type type, BookmarkNode* parent) : m_type(type)
{
    if (parent)
        parent->add(this);
}

BookmarkNode::~BookmarkNode()
{
    if (m_parent)
        m_parent->remove(this);
    // The children must not reach back into a list that is being walked.
    const QList<BookmarkNode*> kinder = m_children;
    m_children.clear();
    for (BookmarkNode* kind : kinder) {
        kind->m_parent = nullptr;
        delete kind;
    }
    m_type = Root;
}

void BookmarkNode::add(BookmarkNode* child, int offset)
{
    if (!child)
        return;
    // A node inside its own subtree would form a cycle that no one could ever destroy.
    for (const BookmarkNode* vorfahr = this; vorfahr; vorfahr = vorfahr->m_parent)
        if (vorfahr == child)
            return;
    if (child->m_parent)
        child->m_parent->remove(child);
    child->m_parent = this;
    if (offset == -1 || offset >= m_children.size())
        m_children.append(child);
    else
        m_children.insert(qMax(offset, 0), child);
}

void BookmarkNode::remove(BookmarkNode* child)
{
    if (!child)
        return;
    if (child->m_parent == this)
        child->m_parent = nullptr;
    m_children.removeAll(child);
}
