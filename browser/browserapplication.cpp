#include "browserapplication.h"
#include "bookmarksmanager.h"
#include "downloadmanager.h"
#include "historymanager.h"

#include <QCoreApplication>

namespace {

// What the accessors hand out, once for the process.
struct CHalter
{
    HistoryManager* history = nullptr;
    DownloadManager* downloads = nullptr;
    BookmarksManager* bookmarks = nullptr;
    QIcon standardicon;
    bool privat = false;
};

CHalter& halter()
{
    static CHalter* h = new CHalter;
    return *h;
}

} // namespace

QObject* BrowserApplication::instance()
{
    return QCoreApplication::instance();
}

HistoryManager* BrowserApplication::historyManager()
{
    if (!halter().history)
        halter().history = new HistoryManager;
    return halter().history;
}

DownloadManager* BrowserApplication::downloadManager()
{
    if (!halter().downloads)
        halter().downloads = new DownloadManager;
    return halter().downloads;
}

BookmarksManager* BrowserApplication::bookmarksManager()
{
    if (!halter().bookmarks)
        halter().bookmarks = new BookmarksManager;
    return halter().bookmarks;
}

QIcon BrowserApplication::icon(const QUrl&)
{
    if (halter().standardicon.isNull())
        halter().standardicon = QIcon(QStringLiteral(":defaulticon.png"));
    return halter().standardicon;
}

QString BrowserApplication::aboutText()
{
    return QString();
}

bool BrowserApplication::privateBrowsing()
{
    return halter().privat;
}

void BrowserApplication::setze_privateBrowsing(bool an)
{
    halter().privat = an;
}
