#include "browserapplication.h"
#include "autosaver.h"
#include "bookmarksmanager.h"
#include "cwebbrowserapp.h"
#include "downloadmanager.h"
#include "einstellungenanwenden.h"
#include "historymanager.h"

#include <QCoreApplication>
#include <QPointer>

namespace {

// What the accessors hand out, once for the process.
struct CHalter
{
    QPointer<QObject> anwendungsobjekt;
    HistoryManager* history = nullptr;
    DownloadManager* downloads = nullptr;
    BookmarksManager* bookmarks = nullptr;
    QIcon standardicon;
    bool privat = false;
    // The application whose end writes the pending saves.
    QPointer<QCoreApplication> speichert_beim_beenden;
    // Further auto-savers flushed at the end; a destroyed one drops out by itself.
    QList<QPointer<AutoSaver>> weitere_saver;
};

CHalter& halter()
{
    static CHalter* h = new CHalter;
    return *h;
}

// Once per application object: without it nothing would write what the managers' auto-savers
// still hold when the program ends.
void speichere_beim_beenden()
{
    QCoreApplication* const anwendung = QCoreApplication::instance();
    if (!anwendung || halter().speichert_beim_beenden == anwendung)
        return;
    halter().speichert_beim_beenden = anwendung;
    QObject::connect(anwendung, &QCoreApplication::aboutToQuit, &BrowserApplication::speichere_alle);
}

// The slot's one manager, made when there is none yet.
template <typename Manager>
Manager* gib_manager(Manager*& platz)
{
    if (!platz)
        platz = new Manager(nullptr);
    speichere_beim_beenden();
    return platz;
}

template <typename Manager>
bool nimm_an(Manager*& platz, Manager* manager)
{
    if (platz && platz != manager)
        return false;
    platz = manager;
    speichere_beim_beenden();
    return true;
}

} // namespace

QObject* BrowserApplication::instance()
{
    if (QObject* objekt = halter().anwendungsobjekt)
        return objekt;
    return QCoreApplication::instance();
}

HistoryManager* BrowserApplication::historyManager()
{
    return gib_manager(halter().history);
}

DownloadManager* BrowserApplication::downloadManager()
{
    return gib_manager(halter().downloads);
}

BookmarksManager* BrowserApplication::bookmarksManager()
{
    return gib_manager(halter().bookmarks);
}

QIcon BrowserApplication::icon(const QUrl&)
{
    if (halter().standardicon.isNull())
        halter().standardicon = QIcon(QStringLiteral(":defaulticon.png"));
    return halter().standardicon;
}

QString BrowserApplication::aboutText()
{
    const QString chromium = QStringLiteral("https://www.chromium.org/");
    return QCoreApplication::translate(
               "BrowserApplication",
               "%1 Version %2<p>Browser basierend auf Qt.<p>Verwendet die 'Qt WebEngine'.<p><p>Qt WebEngine basiert "
               "auf dem Chromium open Source Project entwickelt unter ")
               .arg(QStringLiteral("WebBrowser"), QStringLiteral("1.0.0.4"))
           + QStringLiteral("<a href=\"%1\">%1</a>.").arg(chromium)
           + QStringLiteral("<p>This version of Qt WebEngine is based on Chromium snapshot version 45.0.2554.101, "
                            "with additional security fixes from the 46, 47 and 48 branches of the Chromium Project.");
}

bool BrowserApplication::privateBrowsing()
{
    return halter().privat;
}

void BrowserApplication::setze_privateBrowsing(bool an)
{
    halter().privat = an;
}

void BrowserApplication::loadSettings()
{
    if (CWebBrowserApp::instance(false))
        CWebBrowserApp::loadSettings();
    else
        wende_einstellungen_an();
}

void BrowserApplication::setze_anwendungsobjekt(QObject* objekt)
{
    halter().anwendungsobjekt = objekt;
}

bool BrowserApplication::uebernimm(HistoryManager* manager)
{
    return nimm_an(halter().history, manager);
}

bool BrowserApplication::uebernimm(DownloadManager* manager)
{
    return nimm_an(halter().downloads, manager);
}

void BrowserApplication::speichere_alle()
{
    const QObject* const manager[] = {halter().history, halter().downloads, halter().bookmarks};
    for (const QObject* m : manager)
        if (m)
            for (AutoSaver* saver : m->findChildren<AutoSaver*>(QString(), Qt::FindDirectChildrenOnly))
                saver->saveIfNecessary();
    const QList<QPointer<AutoSaver>> weitere = halter().weitere_saver;
    for (const QPointer<AutoSaver>& saver : weitere)
        if (saver)
            saver->saveIfNecessary();
}

void BrowserApplication::speichere_beim_beenden(AutoSaver* saver)
{
    QList<QPointer<AutoSaver>>& liste = halter().weitere_saver;
    liste.removeAll(QPointer<AutoSaver>());
    liste.append(saver);
    ::speichere_beim_beenden();
}
