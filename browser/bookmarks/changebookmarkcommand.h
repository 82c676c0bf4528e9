// The undoable change of a bookmark's title or address.
#pragma once

#include <QString>
#include <QUndoCommand>

class BookmarkNode;
class BookmarksManager;

class ChangeBookmarkCommand : public QUndoCommand
{
public:
    // `title` true changes the title, false the address.
    ChangeBookmarkCommand(BookmarksManager* manager, BookmarkNode* node, const QString& newValue, bool title);
    void undo() override;
    void redo() override;

private:
    void setze(const QString& wert);

    BookmarksManager* manager;
    bool title;
    QString oldValue;
    QString newValue;
    BookmarkNode* node;
};
