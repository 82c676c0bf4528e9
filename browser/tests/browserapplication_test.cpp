// The browser's accessors: one manager each, shared with the browser application object; the icon, the About text, the save at quit.
#include "autosaver.h"
#include "bookmarksmanager.h"
#include "browserapplication.h"
#include "downloadmanager.h"
#include "heimordner.h"
#include "historymanager.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <gtest/gtest.h>

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
    EXPECT_EQ(BrowserApplication::bookmarksManager(), BrowserApplication::bookmarksManager());
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

// The managers are never deleted: what their auto-savers hold is saved when the event loop ends.
TEST(BrowserApplication, AnstehendesSpeichernLaeuftBeimBeenden)
{
    auto* saver = new AutoSaver(BrowserApplication::bookmarksManager());
    saver->changeOccurred();
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
    EXPECT_TRUE(QAbstractEventDispatcher::instance()->registeredTimers(saver).isEmpty());
}
