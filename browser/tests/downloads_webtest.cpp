// Downloads in a real engine from a loopback server: the chosen folder, the finished row, and a running row in a hidden window.
#include "downloadmanager.h"
#include "downloadwidget.h"
#include "squeezelabel.h"
#include "testserver.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineDownloadItem>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <gtest/gtest.h>

namespace {

class Downloads : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QSettings().remove(QStringLiteral("downloadmanager"));
        TestServer::Antwort datei;
        datei.inhalt = QByteArray(5000, 'x');
        datei.typ = "application/octet-stream";
        datei.kopfzeilen = "Content-Disposition: attachment; filename=\"datei.bin\"\r\n";
        server.setze(QStringLiteral("/datei.bin"), datei);
    }
    // The other tests of the program share the store and the profile.
    void TearDown() override
    {
        QSettings().remove(QStringLiteral("downloadmanager"));
        QWebEngineProfile::defaultProfile()->setDownloadPath(standardpfad);
    }

    // Hands each requested item to the manager the way the browser's windows do.
    static void nimm_entgegen(DownloadManager& manager)
    {
        QObject::connect(QWebEngineProfile::defaultProfile(), &QWebEngineProfile::downloadRequested, &manager,
                         [&manager](QWebEngineDownloadItem* item) {
                             if (!DownloadManager::nimm_an(item))
                                 return;
                             manager.download(item);
                             manager.download(item);
                             item->accept();
                         });
    }

    // Until the manager shows `zeilen` rows and the last has finished.
    bool fertig(const DownloadManager& manager, int zeilen = 1)
    {
        return QTest::qWaitFor(
            [&] { return manager.rowCount() == zeilen && manager.widget(zeilen - 1)->succeeded(); }, 15000);
    }

    TestServer server;
    QWebEnginePage page;
    const QString standardpfad = QWebEngineProfile::defaultProfile()->downloadPath();
};

} // namespace

// Into the configured folder, a taken name is not overwritten; without the setting into the
// folder the engine proposes.
TEST_F(Downloads, LandetImEingestelltenOrdnerSonstImVorgeschlagenen)
{
    QTemporaryDir t, vorgeschlagen;
    QSettings().setValue(QStringLiteral("downloadmanager/downloadDirectory"), t.path());
    {
        DownloadManager manager;
        nimm_entgegen(manager);
        page.download(server.url(QStringLiteral("/datei.bin")));
        ASSERT_TRUE(fertig(manager));
        EXPECT_EQ(QFileInfo(t.filePath("datei.bin")).size(), 5000);
        EXPECT_EQ(manager.widget(0)->downloadInfoLabel->text(), "4 kB");
        EXPECT_EQ(manager.itemCount->text(), "1 Download");

        // The same name again: a new file beside the first, which stays as it is.
        page.download(server.url(QStringLiteral("/datei.bin")));
        ASSERT_TRUE(fertig(manager, 2));
        EXPECT_EQ(manager.widget(1)->file.absoluteFilePath(), t.filePath("datei (1).bin"));
        EXPECT_EQ(QDir(t.path()).entryList(QDir::Files), QStringList({"datei (1).bin", "datei.bin"}));
        EXPECT_EQ(QFileInfo(t.filePath("datei (1).bin")).size(), 5000);
        EXPECT_EQ(manager.itemCount->text(), "2 Downloads");
    }
    QSettings().remove(QStringLiteral("downloadmanager"));
    QWebEngineProfile::defaultProfile()->setDownloadPath(vorgeschlagen.path());
    DownloadManager manager;
    nimm_entgegen(manager);
    page.download(server.url(QStringLiteral("/datei.bin")));
    ASSERT_TRUE(fertig(manager));
    EXPECT_EQ(manager.widget(0)->file.absoluteFilePath(), vorgeschlagen.filePath("datei.bin"));
    EXPECT_EQ(QFileInfo(vorgeschlagen.filePath("datei.bin")).size(), 5000);
}

// While the window is hidden a running download stays running: saved as not done, kept by the
// policy and by clean-up. Only the first of two listeners takes the item, once; the row's end
// cancels it.
TEST_F(Downloads, LaufenderDownloadImVerstecktenFensterBleibt)
{
    QTemporaryDir t;
    QSettings().setValue(QStringLiteral("downloadmanager/downloadDirectory"), t.path());
    TestServer::Antwort haengt;
    haengt.inhalt = QByteArray(1000, 'y');
    haengt.typ = "application/octet-stream";
    haengt.laenge = 5000;
    haengt.offen_halten = true;
    server.setze(QStringLiteral("/haengt.bin"), haengt);

    QPointer<QWebEngineDownloadItem> item;
    {
        DownloadManager manager, zweiter;
        nimm_entgegen(manager);
        nimm_entgegen(zweiter);
        page.download(server.url(QStringLiteral("/haengt.bin")));
        ASSERT_TRUE(QTest::qWaitFor([&] { return manager.rowCount() == 1 && manager.widget(0)->item()->receivedBytes() > 0; }, 15000));
        EXPECT_EQ(zweiter.rowCount(), 0);
        DownloadWidget* zeile = manager.widget(0);
        item = zeile->item();
        manager.hide();
        EXPECT_FALSE(zeile->succeeded());
        manager.setRemovePolicy(DownloadManager::SuccessFullDownload);
        emit zeile->statusChanged();
        manager.cleanup();
        ASSERT_EQ(manager.rowCount(), 1);
        manager.save();
        EXPECT_EQ(QSettings().value(QStringLiteral("downloadmanager/download_0_done")).toBool(), false);
        EXPECT_EQ(item->state(), QWebEngineDownloadItem::DownloadInProgress);
    }
    EXPECT_TRUE(item.isNull());
}
