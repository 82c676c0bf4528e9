#include "changebookmarkcommand.h"
#include "bookmarknode.h"
#include "bookmarksmanager.h"

#include <QCoreApplication>

ChangeBookmarkCommand::ChangeBookmarkCommand(BookmarksManager* manager, BookmarkNode* node,
                                             const QString& newValue, bool title)
    : QUndoCommand(title ? QCoreApplication::translate("BookmarksManager", "Name Change")
                         : QCoreApplication::translate("BookmarksManager", "Address Change")),
      manager(manager), title(title), oldValue(title ? node->title : node->url), newValue(newValue), node(node)
{
}

void ChangeBookmarkCommand::undo()
{
    setze(oldValue);
}

void ChangeBookmarkCommand::redo()
{
    setze(newValue);
}

void ChangeBookmarkCommand::setze(const QString& wert)
{
    (title ? node->title : node->url) = wert;
    emit manager->entryChanged(node);
}
