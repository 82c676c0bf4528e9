#include "removebookmarkscommand.h"
#include "bookmarknode.h"
#include "bookmarksmanager.h"

#include <QCoreApplication>

RemoveBookmarksCommand::RemoveBookmarksCommand(BookmarksManager* manager, BookmarkNode* parent, int row)
    : QUndoCommand(QCoreApplication::translate("BookmarksManager", "Remove Bookmark")), row(row),
      manager(manager), parent(parent)
{
    if (parent && row >= 0 && row < parent->children().size())
        node = parent->children().at(row);
}

RemoveBookmarksCommand::~RemoveBookmarksCommand()
{
    if (done && node && !node->parent())
        delete node;
}

void RemoveBookmarksCommand::undo()
{
    einfuegen();
}

void RemoveBookmarksCommand::redo()
{
    entfernen();
}

void RemoveBookmarksCommand::einfuegen()
{
    if (!node || !parent)
        return;
    parent->add(node, row);
    emit manager->entryAdded(node);
    done = false;
}

void RemoveBookmarksCommand::entfernen()
{
    if (!node || !parent)
        return;
    parent->remove(node);
    emit manager->entryRemoved(parent, row, node);
    done = true;
}

InsertBookmarksCommand::InsertBookmarksCommand(BookmarksManager* manager, BookmarkNode* parent,
                                               BookmarkNode* node, int row)
    : RemoveBookmarksCommand(manager, parent, row)
{
    setText(QCoreApplication::translate("BookmarksManager", "Insert Bookmark"));
    this->node = node;
}

void InsertBookmarksCommand::undo()
{
    entfernen();
}

void InsertBookmarksCommand::redo()
{
    einfuegen();
}
