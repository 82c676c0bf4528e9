// The browser's access point to its process-wide objects: the managers, the default icon, the About text, private browsing.
#pragma once

#include <QByteArray>
#include <QIcon>
#include <QList>
#include <QLocalServer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

class AutoSaver;
class BookmarksManager;
class BrowserMainWindow;
class BrowserZustand;
class DownloadManager;
class HistoryManager;

class QWebEngineProfile;

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

    // The tabbed windows, private browsing and the second start, made on first use.
    static BrowserZustand* zustand();
    // Installs `styleSheet` as the script "userStyleSheet" of the profile; `fenster`, when given,
    // gets the script by a queued `runScriptOnOpenViews(QString)` for the pages it shows already.
    static void setUserStyleSheet(QWebEngineProfile* profile, const QString& styleSheet, QObject* fenster);
    // The session that restoring reads, shared with the browser application object: read from
    // "sessions"/"lastSession" when first needed unless it was set before.
    static QByteArray letzteSitzung();
    static void setze_letzteSitzung(const QByteArray& sitzung);
};

// The state of the tabbed browser windows, one per process: the window list (newest first),
// sessions, private browsing with its off-the-record profile and the URL of a second start.
class BrowserZustand : public QObject
{
    Q_OBJECT
signals:
    void privateBrowsingChanged(bool privateBrowsing);

public:
    // The newest live window; one is made and shown when none lives.
    BrowserMainWindow* mainWindow();
    // The live windows, newest first; never makes one.
    QList<BrowserMainWindow*> mainWindows();
    // Writes the windows with their tabs to "sessions"/"lastSession"; nothing while private
    // browsing is on.
    void saveSession();
    // Null until private browsing is first switched on.
    QWebEngineProfile* privateProfile() const { return m_privateProfile; }
    // The single-instance server whose connections `newLocalSocketConnection` takes.
    void setze_localServer(QLocalServer* server) { m_localServer = server; }
    // Loads the stored settings without the browser application object.
    void ladeEinstellungen();

public slots:
    BrowserMainWindow* newMainWindow();
    void restoreLastSession();
    void lastWindowClosed();
    // Closes every tabbed window and then the Downloads window, which shows instead while a
    // download still runs; a window that stays (its user kept its tabs) ends it there.
    void quitBrowser();
    void setPrivateBrowsing(bool privateBrowsing);
    void postLaunch();
    void openUrl(const QUrl& url);
    void newLocalSocketConnection();

private:
    friend class BrowserApplication;
    BrowserZustand();
    void clean();

    QList<QPointer<BrowserMainWindow>> m_mainWindows;
    QPointer<QLocalServer> m_localServer;
    QWebEngineProfile* m_privateProfile = nullptr;
};
