#include "bookmarksmanager.h"
#include "datenordner.h"
#include "autosaver.h"
#include "bookmarksmodel.h"
#include "changebookmarkcommand.h"
#include "dialogseam.h"
#include "gui.h"
#include "removebookmarkscommand.h"
#include "xbelreader.h"
#include "xbelwriter.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QtDebug>

BookmarksManager::BookmarksManager(QObject* parent) : QObject(parent), m_saveTimer(new AutoSaver(this))
{
    connect(this, &BookmarksManager::entryAdded, m_saveTimer, &AutoSaver::changeOccurred);
    connect(this, &BookmarksManager::entryRemoved, m_saveTimer, &AutoSaver::changeOccurred);
    connect(this, &BookmarksManager::entryChanged, m_saveTimer, &AutoSaver::changeOccurred);
}

BookmarksManager::~BookmarksManager()
{
    m_saveTimer->saveIfNecessary();
    // The model goes before the tree it shows.
    delete m_bookmarksModel;
}

QString BookmarksManager::fileName()
{
    return gib_browser_datenordner() + QLatin1String("/bookmarks.xbel");
}

void BookmarksManager::saveIfNecessary()
{
    m_saveTimer->saveIfNecessary();
}

void BookmarksManager::meldeLesefehler(const XbelReader& reader)
{
    zeige_warnung(nullptr, QStringLiteral("Loading Bookmark"),
                  tr("Error when loading bookmarks on line %1, column %2:\n%3")
                      .arg(reader.lineNumber())
                      .arg(reader.columnNumber())
                      .arg(reader.errorString()));
}

void BookmarksManager::load()
{
    if (loaded)
        return;
    loaded = true;

    QString datei = fileName();
    if (!QFile::exists(datei))
        datei = QStringLiteral(":defaultbookmarks.xbel");
    XbelReader reader;
    bookmarkRootNode = reader.read(datei);

    // Keep the last tool-bar folder and the last menu folder of the file (older names are
    // taken over), move loose items into the menu folder and drop every other top folder.
    BookmarkNode* root = bookmarkRootNode.get();
    BookmarkNode* toolbar = nullptr;
    BookmarkNode* menu = nullptr;
    QList<BookmarkNode*> lose;
    const QList<BookmarkNode*> kinder = root->children();
    for (int i = kinder.size() - 1; i >= 0; --i) {
        BookmarkNode* node = kinder.at(i);
        root->remove(node);
        if (node->type() != BookmarkNode::Folder) {
            lose.append(node);
            continue;
        }
        if (!toolbar && node->title == tr("Toolbar Bookmarks"))
            node->title = tr("Bookmarks Bar");
        if (!toolbar && node->title == tr("Bookmarks Bar")) {
            toolbar = node;
            continue;
        }
        if (!menu && node->title == tr("Menu"))
            node->title = tr("Bookmarks Menu");
        if (!menu && node->title == tr("Bookmarks Menu")) {
            menu = node;
            continue;
        }
        delete node;
    }
    if (!toolbar) {
        toolbar = new BookmarkNode(BookmarkNode::Folder);
        toolbar->title = tr("Bookmarks Bar");
    }
    root->add(toolbar);
    if (!menu) {
        menu = new BookmarkNode(BookmarkNode::Folder);
        menu->title = tr("Bookmarks Menu");
    }
    root->add(menu);
    for (BookmarkNode* node : lose)
        menu->add(node);

    // Shown only now: while the box is open, views may already read the sorted tree.
    if (reader.error() != QXmlStreamReader::NoError)
        meldeLesefehler(reader);
}

void BookmarksManager::save()
{
    if (!loaded)
        return;
    const QString datei = fileName();
    // On a first start the data folder may not exist yet.
    QDir().mkpath(QFileInfo(datei).absolutePath());
    XbelWriter writer;
    if (writer.write(datei, bookmarkRootNode.get())) {
        speicherfehlerGemeldet = false;
        return;
    }
    qWarning() << "BookmarkManager: error saving to" << datei;
    // Every later change would fail the same way: the user hears of it once, not every few seconds.
    if (speicherfehlerGemeldet)
        return;
    speicherfehlerGemeldet = true;
    zeige_warnung(nullptr, tr("Saving Bookmarks"),
                  tr("The bookmarks could not be saved to %1.")
                      .arg(QDir::toNativeSeparators(datei)));
}

bool BookmarksManager::addBookmark(BookmarkNode* parent, BookmarkNode* node, int row)
{
    if (!loaded || !parent || !node || node->parent() || !canHold(parent, node))
        return false;
    commands.push(new InsertBookmarksCommand(this, parent, node, row));
    return true;
}

bool BookmarksManager::canHold(const BookmarkNode* parent, const BookmarkNode* node)
{
    // The next start would read the file only up to the first folder too deep: every bookmark
    // after it would be lost, and the save after that would make the loss permanent.
    if (XbelReader::fitsIn(parent, node))
        return true;
    zeige_warnung(nullptr, tr("Adding Bookmarks"),
                  tr("The bookmarks were not added: bookmark folders can be nested at most %1 levels deep.")
                      .arg(XbelReader::maxDepth));
    return false;
}

void BookmarksManager::removeBookmark(BookmarkNode* node)
{
    if (!loaded || !node || !node->parent())
        return;
    BookmarkNode* parent = node->parent();
    commands.push(new RemoveBookmarksCommand(this, parent, parent->children().indexOf(node)));
}

void BookmarksManager::setTitle(BookmarkNode* node, const QString& newTitle)
{
    if (!loaded || !node)
        return;
    commands.push(new ChangeBookmarkCommand(this, node, newTitle, true));
}

void BookmarksManager::setUrl(BookmarkNode* node, const QString& newUrl)
{
    if (!loaded || !node)
        return;
    commands.push(new ChangeBookmarkCommand(this, node, newUrl, false));
}

BookmarkNode* BookmarksManager::bookmarks()
{
    load();
    return bookmarkRootNode.get();
}

BookmarkNode* BookmarksManager::topFolder(const QString& title)
{
    const QList<BookmarkNode*> kinder = bookmarks()->children();
    for (int i = kinder.size() - 1; i >= 0; --i)
        if (kinder.at(i)->title == title)
            return kinder.at(i);
    return nullptr;
}

BookmarkNode* BookmarksManager::menu()
{
    return topFolder(tr("Bookmarks Menu"));
}

BookmarkNode* BookmarksManager::toolbar()
{
    return topFolder(tr("Bookmarks Bar"));
}

BookmarksModel* BookmarksManager::bookmarksModel()
{
    if (!m_bookmarksModel)
        m_bookmarksModel = new BookmarksModel(this, this);
    return m_bookmarksModel;
}

void BookmarksManager::importBookmarks()
{
    const QString datei = frage_dateiname_oeffnen(nullptr, tr("Open File"), QString(), tr("XBEL (*.xbel *.xml)"));
    if (datei.isEmpty())
        return;
    XbelReader reader;
    std::unique_ptr<BookmarkNode> importiert = reader.read(datei);
    if (reader.error() != QXmlStreamReader::NoError)
        meldeLesefehler(reader);
    importiert->setType(BookmarkNode::Folder);
    importiert->title = tr("Imported %1").arg(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
    // The menu folder is gone only when someone removed it through the manager. An import too
    // deep to be stored is refused as a whole (with its warning); the bookmarks stay as they were.
    BookmarkNode* ziel = menu();
    if (ziel && addBookmark(ziel, importiert.get()))
        importiert.release();
}

void BookmarksManager::exportBookmarks()
{
    const QString datei = frage_dateiname_speichern(nullptr, tr("Save File"),
                                                    tr("%1 Bookmarks.xbel").arg(QCoreApplication::applicationName()),
                                                    tr("XBEL (*.xbel *.xml)"), QFileDialog::Options());
    if (datei.isEmpty())
        return;
    XbelWriter writer;
    if (!writer.write(datei, bookmarks()))
        meldung_kritisch(nullptr, tr("Export error"), tr("error saving bookmarks"), QMessageBox::Ok);
}
