#include "bookmarksmanager.h"
#include "datenordner.h"
#include "autosaver.h"
#include "beschaedigtedatei.h"
#include "bookmarksmodel.h"
#include "changebookmarkcommand.h"
#include "dateien.h"
#include "dateisperre.h"
#include "dialogseam.h"
#include "gui.h"
#include "privatdatei.h"
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

namespace {

// The folder titles above a node, from the top.
QStringList ordnerpfad(const BookmarkNode* node)
{
    QStringList pfad;
    for (const BookmarkNode* ordner = node->parent(); ordner && ordner->type() != BookmarkNode::Root;
         ordner = ordner->parent())
        pfad.prepend(ordner->title);
    return pfad;
}

// An entry as two processes tell their changes apart: its place, kind, title and address, as the
// file holds them.
QString eintrag(const BookmarkNode* node)
{
    // The separator is a character no part holds: the file carries none.
    const QChar trenner(0x1F);
    QStringList teile;
    for (const QString& ordner : ordnerpfad(node))
        teile << XbelWriter::xmlTauglich(ordner);
    teile << QString() << QString::number(node->type()) << XbelWriter::xmlTauglich(node->title)
          << XbelWriter::xmlTauglich(node->url);
    return teile.join(trenner);
}

// Every node below `node`, parents before their children.
void sammle(const BookmarkNode* node, QList<const BookmarkNode*>& folge)
{
    for (const BookmarkNode* kind : node->children()) {
        folge.append(kind);
        sammle(kind, folge);
    }
}

QHash<QString, int> eintraege(const BookmarkNode* wurzel)
{
    QList<const BookmarkNode*> folge;
    sammle(wurzel, folge);
    QHash<QString, int> anzahl;
    for (const BookmarkNode* node : qAsConst(folge))
        ++anzahl[eintrag(node)];
    return anzahl;
}

} // namespace

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

QString BookmarksManager::lesefehler(const XbelReader& reader)
{
    return tr("Error when loading bookmarks on line %1, column %2:\n%3")
        .arg(reader.lineNumber())
        .arg(reader.columnNumber())
        .arg(reader.errorString());
}

void BookmarksManager::meldeLesefehler(const XbelReader& reader)
{
    zeige_warnung(nullptr, QStringLiteral("Loading Bookmark"), lesefehler(reader));
}

bool BookmarksManager::behalteBeschaedigte(const XbelReader& reader)
{
    return behalte_beschaedigte_datei(fileName(), QStringLiteral("Loading Bookmark"), lesefehler(reader),
                                      beiseiteGemeldet);
}

BookmarkNode* BookmarksManager::ordner(const QStringList& pfad)
{
    BookmarkNode* ordner = bookmarkRootNode.get();
    for (const QString& titel : pfad) {
        BookmarkNode* gefunden = nullptr;
        for (BookmarkNode* kind : ordner->children())
            if (kind->type() == BookmarkNode::Folder && kind->title == titel)
                gefunden = kind;
        if (!gefunden) {
            gefunden = new BookmarkNode(BookmarkNode::Folder);
            gefunden->title = titel;
            ordner->add(gefunden);
            emit entryAdded(gefunden);
        }
        ordner = gefunden;
    }
    return ordner;
}

bool BookmarksManager::uebernimmFremdeAenderungen()
{
    // No file, or something that is none (the writer refuses to replace it): nothing to take over.
    if (!ist_datei(fileName()))
        return true;
    XbelReader reader;
    const std::unique_ptr<BookmarkNode> inDatei = reader.read(fileName());
    if (reader.error() != QXmlStreamReader::NoError)
        return behalteBeschaedigte(reader);
    // Sorted as a load sorts it: the top folders are one pair, whatever either process found at
    // its load (with no file at all, the other's pair is no addition).
    ordneOberordner(inDatei.get());
    const QHash<QString, int> dort = eintraege(inDatei.get());
    if (dort == gespeichert)
        return true;
    bool geaendert = false;
    // Added there: put in here at the same place, parents before their children.
    QHash<QString, int> hinzu;
    for (auto it = dort.constBegin(); it != dort.constEnd(); ++it)
        if (it.value() > gespeichert.value(it.key()))
            hinzu.insert(it.key(), it.value() - gespeichert.value(it.key()));
    QList<const BookmarkNode*> folge;
    sammle(inDatei.get(), folge);
    for (const BookmarkNode* node : qAsConst(folge)) {
        int& fehlt = hinzu[eintrag(node)];
        if (fehlt <= 0)
            continue;
        --fehlt;
        BookmarkNode* ziel = ordner(ordnerpfad(node));
        auto* kopie = new BookmarkNode(node->type());
        kopie->title = node->title;
        kopie->url = node->url;
        kopie->desc = node->desc;
        kopie->expanded = node->expanded;
        ziel->add(kopie);
        emit entryAdded(kopie);
        geaendert = true;
    }
    // Removed there: taken out here, children before their folders, a folder only when empty.
    QHash<QString, int> weg;
    for (auto it = gespeichert.constBegin(); it != gespeichert.constEnd(); ++it)
        if (it.value() > dort.value(it.key()))
            weg.insert(it.key(), it.value() - dort.value(it.key()));
    if (!weg.isEmpty()) {
        QList<const BookmarkNode*> hier;
        sammle(bookmarkRootNode.get(), hier);
        for (int i = hier.size() - 1; i >= 0; --i) {
            auto* node = const_cast<BookmarkNode*>(hier.at(i));
            int& zuviel = weg[eintrag(node)];
            if (zuviel <= 0 || !node->children().isEmpty() || node->parent() == bookmarkRootNode.get())
                continue;
            --zuviel;
            BookmarkNode* eltern = node->parent();
            const int zeile = eltern->children().indexOf(node);
            eltern->remove(node);
            emit entryRemoved(eltern, zeile, node);
            delete node;
            geaendert = true;
        }
    }
    // The steps on the undo stack name rows and nodes of the tree before the merge.
    if (geaendert)
        commands.clear();
    return true;
}

void BookmarksManager::load()
{
    if (loaded)
        return;
    loaded = true;

    QString datei = fileName();
    if (!QFile::exists(datei))
        datei = QStringLiteral(":defaultbookmarks.xbel");
    // Others may read a file as earlier versions made it: from now on its user alone.
    (void)mache_privat(datei);
    XbelReader reader;
    bookmarkRootNode = reader.read(datei);
    ordneOberordner(bookmarkRootNode.get());
    // What the file held, as sorted: the base of a later merge.
    gespeichert = eintraege(bookmarkRootNode.get());

    // Shown only now: while the box is open, views may already read the sorted tree. The file
    // itself is kept before the first save can replace it with what could be read.
    if (reader.error() != QXmlStreamReader::NoError) {
        if (datei == fileName())
            behalteBeschaedigte(reader);
        else
            meldeLesefehler(reader);
    }
}

void BookmarksManager::ordneOberordner(BookmarkNode* root)
{
    // Keep the last tool-bar folder and the last menu folder of the file (older names are
    // taken over), move loose items into the menu folder and drop every other top folder.
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
}

void BookmarksManager::save()
{
    if (!loaded)
        return;
    const QString datei = fileName();
    // On a first start the data folder may not exist yet.
    QDir().mkpath(QFileInfo(datei).absolutePath());
    // Another process saving at the same moment waits: its change is read back, not overwritten.
    // Still held by it, the save is said and tried again later; where no lock file can be made
    // (a folder where no file may be added), the save goes on without.
    const CDateisperre sperre(datei, 5000);
    if (sperre.besetzt()) {
        qWarning() << "BookmarkManager: not saved:" << sperre.fehlertext();
        m_saveTimer->changeOccurred();
        return;
    }
    if (!uebernimmFremdeAenderungen())
        return;
    XbelWriter writer;
    if (writer.write(datei, bookmarkRootNode.get(), true)) {
        gespeichert = eintraege(bookmarkRootNode.get());
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
