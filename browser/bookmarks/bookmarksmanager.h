// The process's bookmarks: the tree from "bookmarks.xbel", changed only through undoable commands and saved by an auto-saver.
#pragma once

#include "bookmarknode.h"

#include <QHash>
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
    // Writes the tree to the bookmark file, creating the data folder when it is missing. What
    // another process added to or removed from the file since this one read or wrote it is taken
    // over first; a file that cannot be read whole is kept aside first (the user is told where).
    // The first failure after a good save is shown to the user.
    void save();

private:
    void load();
    BookmarkNode* topFolder(const QString& title);
    static QString lesefehler(const XbelReader& reader);
    void meldeLesefehler(const XbelReader& reader);
    // Keeps the bookmark file, which could not be read whole, aside before it is replaced; the
    // user is told once where. False when it could not be kept: then it must not be replaced.
    bool behalteBeschaedigte(const XbelReader& reader);
    // Takes over into the tree what another process changed in the file since `gespeichert`.
    // False when the file could not be read whole and could not be kept aside.
    bool uebernimmFremdeAenderungen();
    // The folder below the root reached by the folder titles `pfad`; missing folders are made.
    BookmarkNode* ordner(const QStringList& pfad);
    // Sorts the top of a tree read from a file into one tool-bar folder and one menu folder.
    static void ordneOberordner(BookmarkNode* root);

    bool loaded = false;
    // A failed save has been shown to the user; cleared by the next good save.
    bool speicherfehlerGemeldet = false;
    // How often each entry (its folders, kind, title and address) stood in the file when this
    // process last read or wrote it.
    QHash<QString, int> gespeichert;
    // Where the damaged file was last kept (or the file, when it could not be), as the user was told.
    QString beiseiteGemeldet;
    AutoSaver* m_saveTimer;
    std::unique_ptr<BookmarkNode> bookmarkRootNode;
    BookmarksModel* m_bookmarksModel = nullptr;
    // After the tree: the commands own the nodes taken out of it and go first.
    QUndoStack commands;
};
