// The browser's accessors: one manager each, shared with the browser application object; the icon, the About text, the save at quit.
#include "bookmarknode.h"
#include "bookmarksmanager.h"
#include "browserapplication.h"
#include "downloadmanager.h"
#include "heimordner.h"
#include "historymanager.h"
#include "xbelreader.h"

#include <QApplication>
#include <QFile>
#include <QPixmap>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// The addresses in the history file as it is on disk now.
QStringList leseHistory()
{
    QFile datei(HistoryManager::dateiname());
    QStringList urls;
    if (datei.open(QIODevice::ReadOnly))
        for (const HistoryItem& item : lies_history(datei, nullptr))
            urls << item.url;
    return urls;
}

// The titles in the tool-bar folder of the bookmarks file as it is on disk now.
QStringList leseLeiste()
{
    const std::unique_ptr<BookmarkNode> root = XbelReader().read(BookmarksManager::fileName());
    QStringList titel;
    if (!root->children().isEmpty())
        for (const BookmarkNode* node : root->children().first()->children())
            titel << node->title;
    return titel;
}

} // namespace

TEST(BrowserApplication, EinZeigerJeManagerIconUndAboutText)
{
    HistoryManager* const history = BrowserApplication::historyManager();
    DownloadManager* const downloads = BrowserApplication::downloadManager();
    HistoryManager eigener_history;
    DownloadManager eigene_downloads;
    EXPECT_FALSE(BrowserApplication::uebernimm(&eigener_history));
    EXPECT_FALSE(BrowserApplication::uebernimm(&eigene_downloads));
    EXPECT_EQ(BrowserApplication::historyManager(), history);
    EXPECT_EQ(BrowserApplication::downloadManager(), downloads);

    // One bookmarks manager per process: what goes in through the first call is there at the second.
    BookmarksManager* const bookmarks = BrowserApplication::bookmarksManager();
    ASSERT_NE(bookmarks, nullptr);
    auto* node = new BookmarkNode(BookmarkNode::Bookmark);
    node->title = QStringLiteral("Einmal je Prozess");
    bookmarks->addBookmark(bookmarks->menu(), node);
    BookmarksManager* const wieder = BrowserApplication::bookmarksManager();
    EXPECT_EQ(wieder, bookmarks);
    ASSERT_FALSE(wieder->menu()->children().isEmpty());
    EXPECT_EQ(wieder->menu()->children().last(), node);
    EXPECT_EQ(wieder->menu()->children().last()->title, QStringLiteral("Einmal je Prozess"));
    // The same for the history.
    ASSERT_NE(history, nullptr);
    history->addUrl(QStringLiteral("http://einmal.example/"));
    ASSERT_FALSE(BrowserApplication::historyManager()->entries().isEmpty());
    EXPECT_EQ(BrowserApplication::historyManager()->entries().first().url, QStringLiteral("http://einmal.example/"));
    {
        QObject anwendungsobjekt;
        BrowserApplication::setze_anwendungsobjekt(&anwendungsobjekt);
        EXPECT_EQ(BrowserApplication::instance(), &anwendungsobjekt);
    }
    EXPECT_EQ(BrowserApplication::instance(), qApp);

    const QIcon icon = BrowserApplication::icon(QUrl(QStringLiteral("http://a.example/")));
    EXPECT_FALSE(icon.pixmap(16).isNull());
    EXPECT_EQ(BrowserApplication::icon(QUrl()).cacheKey(), icon.cacheKey());
    EXPECT_FALSE(QPixmap(QStringLiteral(":history.png")).isNull());
    EXPECT_TRUE(BrowserApplication::aboutText().contains(QStringLiteral("WebBrowser Version 1.0.0.4<p>Browser basierend auf Qt.")));
}

// The managers are never deleted: what their auto-savers hold is written when the event loop ends.
TEST(BrowserApplication, AnstehendesSpeichernLaeuftBeimBeenden)
{
    BookmarksManager* const bookmarks = BrowserApplication::bookmarksManager();
    auto* node = new BookmarkNode(BookmarkNode::Bookmark);
    node->title = QStringLiteral("Beim Beenden");
    bookmarks->addBookmark(bookmarks->toolbar(), node);
    BrowserApplication::historyManager()->addUrl(QStringLiteral("http://beenden.example/"));
    // Their auto-savers would write only seconds later.
    EXPECT_TRUE(leseLeiste().isEmpty());
    EXPECT_FALSE(leseHistory().contains(QStringLiteral("http://beenden.example/")));

    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();

    EXPECT_EQ(leseLeiste(), QStringList({"Beim Beenden"}));
    EXPECT_TRUE(leseHistory().contains(QStringLiteral("http://beenden.example/")));
}
