// The process's bookmarks: the tree from "bookmarks.xbel", changed only through undoable commands and saved by an auto-saver.
#pragma once

#include "bookmarknode.h"

#include <QObject>
#include <QUndoStack>
#include <memory>

class AutoSaver;
class BookmarksModel;
class XbelReader;

// Loads the file on first use; below the root there are then always the tool-bar folder
// ("Bookmarks Bar") and the menu folder ("Bookmarks Menu"). Before loading, the changing
// operations do nothing.
class BookmarksManager : public QObject
{
    Q_OBJECT
public:
    explicit BookmarksManager(QObject* parent = nullptr);
    // Saves a pending change.
    ~BookmarksManager() override;

    // Inserts the node (which must not belong to a tree yet) as one undoable step; the manager
    // then owns it. Before loading, and when its folders would lie deeper than the bookmark file
    // can be read back (the user is told), the node stays with the caller: false.
    bool addBookmark(BookmarkNode* parent, BookmarkNode* node, int row = -1);
    // Whether `node` may go into `parent`: its folders would still be read back from the file.
    // When not, the user is told.
    bool canHold(const BookmarkNode* parent, const BookmarkNode* node);
    // Removes a node of the tree as one undoable step; a node without parent is left alone.
    void removeBookmark(BookmarkNode* node);
    void setTitle(BookmarkNode* node, const QString& newTitle);
    void setUrl(BookmarkNode* node, const QString& newUrl);

    BookmarkNode* bookmarks();
    BookmarkNode* menu();
    BookmarkNode* toolbar();

    BookmarksModel* bookmarksModel();
    QUndoStack* undoRedoStack() { return &commands; }
    // Where changes that are no command (folders opened or closed) are reported.
    AutoSaver* saveTimer() const { return m_saveTimer; }
    // Writes the file now when a change is still waiting to be saved.
    void saveIfNecessary();

    // The bookmark file in the application's data folder.
    static QString fileName();

signals:
    void entryAdded(BookmarkNode* item);
    void entryRemoved(BookmarkNode* parent, int row, BookmarkNode* item);
    void entryChanged(BookmarkNode* item);

public slots:
    void importBookmarks();
    void exportBookmarks();
    // Writes the tree to the bookmark file, creating the data folder when it is missing. The first
    // failure after a good save is shown to the user.
    void save();

private:
    void load();
    BookmarkNode* topFolder(const QString& title);
    void meldeLesefehler(const XbelReader& reader);

    bool loaded = false;
    // A failed save has been shown to the user; cleared by the next good save.
    bool speicherfehlerGemeldet = false;
    AutoSaver* m_saveTimer;
    std::unique_ptr<BookmarkNode> bookmarkRootNode;
    BookmarksModel* m_bookmarksModel = nullptr;
    // After the tree: the commands own the nodes taken out of it and go first.
    QUndoStack commands;
};
