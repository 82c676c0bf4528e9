// The process-wide object of the own browser: local server, "http" handler, stored session and settings.
#pragma once

#include <QAuthenticator>
#include <QByteArray>
#include <QObject>
#include <QUrl>

class DownloadManager;
class HistoryManager;
class QLocalServer;
class QWebEngineProfile;

// The browser runs inside the host application, so this plain object does what a browser's
// application class would. The first own browser window makes it; it lives until the process
// ends. Its managers are the process's ones, kept by BrowserApplication.
class CWebBrowserApp : public QObject
{
    Q_OBJECT
public:
    // The object when it exists; else null, or with `create` a new one, kept until the process ends.
    static CWebBrowserApp* instance(bool create = false);
    // The process's history and download managers, made with no parent on first use.
    static HistoryManager* historyManager();
    static DownloadManager* downloadManager();
    // Applies the stored browser settings to the engine, its default profile and the application proxy.
    static void loadSettings();

    ~CWebBrowserApp() override;

public slots:
    // Reads the stored session; it opens no window.
    void restoreLastSession();
    void lastWindowClosed();
    void quitBrowser();
    void postLaunch();
    // The "http" handler of the desktop services: once installed, it alone opens every "http"
    // address of the process, so it hands each on to the framework's URL opener (the browser mode
    // of the program, else the shell).
    void openUrl(const QUrl& url);
    // A second process reaching the local server: one word is read and dropped.
    void newLocalSocketConnection();

private:
    CWebBrowserApp();
    void lausche();

    QLocalServer* localServer = nullptr;
    QByteArray lastSession;
    QWebEngineProfile* privateProfile = nullptr;
    bool privateBrowsing = false;
    QAuthenticator lastAuthenticator;
    QAuthenticator lastProxyAuthenticator;
};
