// The browser's access point to its process-wide objects: the managers, the default icon, the About text, private browsing.
#pragma once

#include <QIcon>
#include <QString>
#include <QUrl>

class BookmarksManager;
class DownloadManager;
class HistoryManager;
class QObject;

// Never constructed: static accessors over one process-wide holder, which the browser
// application object shares once it exists.
class BrowserApplication
{
public:
    // The browser application object when it exists, else the Qt application object.
    static QObject* instance();
    // One manager each for the process, made on first use and never deleted.
    static HistoryManager* historyManager();
    static DownloadManager* downloadManager();
    static BookmarksManager* bookmarksManager();
    // The default page icon, whatever the url.
    static QIcon icon(const QUrl& url);
    static QString aboutText();

    static bool privateBrowsing();
    static void setze_privateBrowsing(bool an);
};
