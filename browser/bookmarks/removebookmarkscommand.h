// The undoable removal and insertion of one bookmark node.
#pragma once

#include <QUndoCommand>

class BookmarkNode;
class BookmarksManager;

// Removes the parent's child at `row`. While the node is out of the tree the command owns it
// and destroys it with itself.
class RemoveBookmarksCommand : public QUndoCommand
{
public:
    RemoveBookmarksCommand(BookmarksManager* manager, BookmarkNode* parent, int row);
    ~RemoveBookmarksCommand() override;
    void undo() override;
    void redo() override;

protected:
    // Puts the node into the parent at the row and announces it.
    void einfuegen();
    // Takes the node out of the parent and announces it.
    void entfernen();

    int row;
    BookmarksManager* manager;
    BookmarkNode* node = nullptr;
    BookmarkNode* parent;
    bool done = false;
};

// Inserts a node at `row` (-1 appends): the removal run backwards.
class InsertBookmarksCommand : public RemoveBookmarksCommand
{
public:
    InsertBookmarksCommand(BookmarksManager* manager, BookmarkNode* parent, BookmarkNode* node, int row);
    void undo() override;
    void redo() override;
};
