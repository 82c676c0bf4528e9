// The browser's access point to its process-wide objects: the managers, the default icon, the About text, private browsing.
#pragma once

#include <QIcon>
#include <QString>
#include <QUrl>

class AutoSaver;
class BookmarksManager;
class DownloadManager;
class HistoryManager;
class QObject;

// Never constructed: static accessors over one process-wide holder. The browser application
// object shares that holder instead of keeping managers of its own: it announces itself with
// `setze_anwendungsobjekt`, its manager accessors answer with the ones here, and a manager it
// has made itself goes in through `uebernimm`, so that the process never has two stores on one
// file.
class BrowserApplication
{
public:
    // The browser application object when it exists, else the Qt application object.
    static QObject* instance();
    // One manager each for the process, made on first use and never deleted. Their pending
    // saves are written when the application is about to quit (`speichere_alle`).
    static HistoryManager* historyManager();
    static DownloadManager* downloadManager();
    static BookmarksManager* bookmarksManager();
    // Applies the stored browser settings: through the browser application object when it exists,
    // else for the tabbed windows.
    static void loadSettings();
    // The default page icon, whatever the url.
    static QIcon icon(const QUrl& url);
    static QString aboutText();

    static bool privateBrowsing();
    static void setze_privateBrowsing(bool an);

    // The browser application object when it is made; it is forgotten when it is destroyed.
    static void setze_anwendungsobjekt(QObject* objekt);
    // A manager made by the browser application object becomes the process's one (true) unless
    // there is one already; then the caller must use the accessor's and drop its own (false).
    static bool uebernimm(HistoryManager* manager);
    static bool uebernimm(DownloadManager* manager);

    // Runs every existing manager's pending save now (their auto-savers' `saveIfNecessary`);
    // connected to QCoreApplication::aboutToQuit, since the managers are never deleted.
    static void speichere_alle();
    // Another object that outlives the end of the event loop (the tool-bar search): its
    // auto-saver's pending save is written by `speichere_alle` too, while it exists.
    static void speichere_beim_beenden(AutoSaver* saver);
};
