// Downloads in a real engine from a loopback server: the chosen folder and file name, the finished and the interrupted row, and a running row in a hidden window.
#include "downloadmanager.h"
#include "downloadwidget.h"
#include "squeezelabel.h"
#include "testserver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineDownloadItem>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <gtest/gtest.h>

#include <vector>

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

    // A file under `pfad` that the browser is to save as `name` (sent UTF-8 encoded).
    void datei_als(const QString& pfad, const QByteArray& inhalt, const QString& name)
    {
        TestServer::Antwort datei;
        datei.inhalt = inhalt;
        datei.typ = "application/octet-stream";
        datei.kopfzeilen = "Content-Disposition: attachment; filename*=UTF-8''" + QUrl::toPercentEncoding(name) + "\r\n";
        server.setze(pfad, datei);
    }

    // Under `pfad` a file that announces `laenge` bytes and sends `inhalt`; with `offen` the
    // connection stays open after it, else it closes.
    void angekuendigt(const QString& pfad, const QByteArray& inhalt, qint64 laenge, bool offen,
                      const QByteArray& kopfzeilen = {})
    {
        TestServer::Antwort datei;
        datei.inhalt = inhalt;
        datei.typ = "application/octet-stream";
        datei.laenge = laenge;
        datei.offen_halten = offen;
        datei.kopfzeilen = kopfzeilen;
        server.setze(pfad, datei);
    }

    static QByteArray inhalt_von(const QString& pfad)
    {
        QFile f(pfad);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<fehlt>");
    }

    // Until the manager shows `zeilen` rows and all of them have finished.
    bool fertig(const DownloadManager& manager, int zeilen = 1)
    {
        return QTest::qWaitFor(
            [&] {
                if (manager.rowCount() != zeilen)
                    return false;
                for (int z = 0; z < zeilen; ++z)
                    if (!manager.widget(z)->succeeded())
                        return false;
                return true;
            },
            15000);
    }

    // A file that the server names `name`, and the name it is to be saved under.
    struct Namensfall
    {
        const char* pfad;
        QString name;
        QString gespeichert;
    };
    // Downloads the cases one after the other: each lands in `ordner` under its name, whole, and
    // its row shows that name.
    void speichere_nacheinander(const QString& ordner, const std::vector<Namensfall>& faelle)
    {
        DownloadManager manager;
        nimm_entgegen(manager);
        int zeilen = 0;
        for (const Namensfall& fall : faelle) {
            datei_als(QLatin1String(fall.pfad), fall.pfad, fall.name);
            page.download(server.url(QLatin1String(fall.pfad)));
            ASSERT_TRUE(fertig(manager, ++zeilen)) << fall.pfad;
            const QString ziel = QDir(ordner).filePath(fall.gespeichert);
            const DownloadWidget* zeile = manager.widget(zeilen - 1);
            EXPECT_EQ(zeile->file.absoluteFilePath().toStdString(), ziel.toStdString());
            EXPECT_EQ(zeile->fileNameLabel->text().toStdString(), fall.gespeichert.toStdString());
            EXPECT_EQ(inhalt_von(ziel), fall.pfad);
        }
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
    angekuendigt(QStringLiteral("/haengt.bin"), QByteArray(1000, 'y'), 5000, true);

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

// Three downloads of one name started together: each gets a file of its own with its own
// content, nothing is overwritten.
TEST_F(Downloads, GleichnamigeZugleichJedeInEigeneDatei)
{
    QTemporaryDir t;
    QSettings().setValue(QStringLiteral("downloadmanager/downloadDirectory"), t.path());
    const QList<QByteArray> inhalte = {QByteArray(3000, 'a'), QByteArray(4000, 'b'), QByteArray(5000, 'c')};
    for (int i = 0; i < inhalte.size(); ++i)
        datei_als(QStringLiteral("/gleich%1").arg(i), inhalte.at(i), QStringLiteral("same.txt"));
    DownloadManager manager;
    nimm_entgegen(manager);
    for (int i = 0; i < inhalte.size(); ++i)
        page.download(server.url(QStringLiteral("/gleich%1").arg(i)));
    ASSERT_TRUE(fertig(manager, 3));
    EXPECT_EQ(QDir(t.path()).entryList(QDir::Files), QStringList({"same (1).txt", "same (2).txt", "same.txt"}));
    for (int z = 0; z < 3; ++z) {
        const DownloadWidget* zeile = manager.widget(z);
        const int i = zeile->url.path().right(1).toInt();
        EXPECT_EQ(inhalt_von(zeile->file.absoluteFilePath()), inhalte.at(i)) << zeile->file.fileName().toStdString();
    }
}

// A name too long for the file system (255 bytes, UTF-8) is shortened, extension and counter
// kept; a target that cannot be opened ends the row as interrupted.
TEST_F(Downloads, ZuLangerNameWirdGekuerztUnoeffnbaresZielUnterbrochen)
{
    QTemporaryDir t;
    QSettings().setValue(QStringLiteral("downloadmanager/downloadDirectory"), t.path());
    // 125 two-byte characters and ".txt": 254 bytes, taken already.
    const QString lang = QString(125, QChar(0xe4)) + QStringLiteral(".txt");
    ASSERT_EQ(lang.toUtf8().size(), 254);
    {
        QFile alt(t.filePath(lang));
        ASSERT_TRUE(alt.open(QIODevice::WriteOnly));
        alt.write("alt");
    }
    datei_als(QStringLiteral("/lang"), "neu", lang);
    DownloadManager manager;
    nimm_entgegen(manager);
    // The engine's transfer name, the name with ".download", must fit as well: 246 bytes at most.
    const QStringList gekuerzt = {QString(121, QChar(0xe4)) + QStringLiteral(".txt"),
                                  QString(119, QChar(0xe4)) + QStringLiteral(" (1).txt")};
    for (int i = 0; i < gekuerzt.size(); ++i) {
        page.download(server.url(QStringLiteral("/lang")));
        ASSERT_TRUE(fertig(manager, i + 1));
        EXPECT_EQ(manager.widget(i)->file.absoluteFilePath().toStdString(), t.filePath(gekuerzt.at(i)).toStdString());
        EXPECT_EQ(inhalt_von(t.filePath(gekuerzt.at(i))), "neu");
    }
    EXPECT_EQ(inhalt_von(t.filePath(lang)), "alt");

    // A folder that takes no new files, not even from root: the file cannot be opened.
    QSettings().setValue(QStringLiteral("downloadmanager/downloadDirectory"), QStringLiteral("/proc"));
    page.download(server.url(QStringLiteral("/datei.bin")));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return manager.rowCount() == 3 && manager.widget(2)->downloadInfoLabel->text().startsWith("Download interrupted"); },
        15000));
    EXPECT_TRUE(manager.widget(2)->progressBar->isHidden());
    EXPECT_EQ(manager.widget(2)->item()->state(), QWebEngineDownloadItem::DownloadInterrupted);
}
// Names of dots only, leading dots or folder parts (after "/" or "\\") from the server: one plain
// name each, written once, in the download folder and nothing beside it.
TEST_F(Downloads, PunktnamenWerdenDownload)
{
    QTemporaryDir t;
    ASSERT_TRUE(QDir(t.path()).mkdir(QStringLiteral("h5")));
    QWebEngineProfile::defaultProfile()->setDownloadPath(t.filePath(QStringLiteral("h5")));
    speichere_nacheinander(t.filePath(QStringLiteral("h5")),
                           {
                               {"/punkte", QStringLiteral(".."), QStringLiteral("download")},
                               {"/boese", QStringLiteral("../../boese.txt"), QStringLiteral("boese.txt")},
                               {"/versteckt", QStringLiteral(".hidden.txt"), QStringLiteral("hidden.txt")},
                               {"/windows", QStringLiteral("..\\..\\win.txt"), QStringLiteral("win.txt")},
                           });
    EXPECT_EQ(QDir(t.filePath(QStringLiteral("h5"))).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"boese.txt", "download", "hidden.txt", "win.txt"}));
    EXPECT_EQ(QDir(t.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList({"h5"}));
}

// Names that read otherwise than they are: direction and zero-width characters go, so that a
// program does not pass for a text file; a name that is only a suffix keeps it, trailing dots and
// blanks go; a joined emoji stays. The row shows the name the file has.
TEST_F(Downloads, UnsichtbareZeichenUndEndpunkteVerlassenDenNamen)
{
    QTemporaryDir t;
    QSettings().setValue(QStringLiteral("downloadmanager/downloadDirectory"), t.path());
    speichere_nacheinander(
        t.path(), {
                      {"/rlo", QStringLiteral("invoice") + QChar(0x202E) + QStringLiteral("txt.exe"),
                       QStringLiteral("invoicetxt.exe")},
                      {"/nullbreit",
                       QChar(0xFEFF) + QStringLiteral("re") + QChar(0x200B) + QStringLiteral("chnung") + QChar(0x2066)
                           + QStringLiteral(".pdf") + QChar(0x200D),
                       QStringLiteral("rechnung.pdf")},
                      {"/emoji", QString::fromUtf8("\U0001F469\u200D\U0001F4BB P.pdf"), QString::fromUtf8("\U0001F469\u200D\U0001F4BB P.pdf")},
                      {"/endung", QStringLiteral(" .txt"), QStringLiteral("download.txt")},
                      {"/hinten", QStringLiteral("trail.txt.  "), QStringLiteral("trail.txt")},
                  });
    EXPECT_EQ(QDir(t.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"download.txt", "invoicetxt.exe", "rechnung.pdf", "trail.txt", QString::fromUtf8("\U0001F469\u200D\U0001F4BB P.pdf")}));
}

// A server that announces more than it sends: the engine resumes the download several times,
// each time with a new item of the same id. It stays one row, at one name, and ends interrupted,
// its partial file gone as a cancelled download's.
TEST_F(Downloads, AbgerissenerDownloadBleibtEineZeileUndEndetUnterbrochen)
{
    QTemporaryDir t;
    QSettings().setValue(QStringLiteral("downloadmanager/downloadDirectory"), t.path());
    angekuendigt(QStringLiteral("/cut.bin"), QByteArray(50000, 'a'), 51000, false,
                 "Content-Disposition: attachment; filename=\"cut.bin\"\r\n");
    DownloadManager manager;
    nimm_entgegen(manager);
    page.download(server.url(QStringLiteral("/cut.bin")));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return manager.rowCount() > 1
                   || (manager.rowCount() == 1
                       && manager.widget(0)->downloadInfoLabel->text().startsWith(QStringLiteral("Download interrupted: ")));
        },
        15000));
    // Long enough for a further resume to show.
    QTest::qWait(500);
    ASSERT_EQ(manager.rowCount(), 1);
    const DownloadWidget* zeile = manager.widget(0);
    EXPECT_TRUE(zeile->downloadInfoLabel->text().startsWith(QStringLiteral("Download interrupted: ")))
        << zeile->downloadInfoLabel->text().toStdString();
    EXPECT_EQ(zeile->file.absoluteFilePath(), t.filePath(QStringLiteral("cut.bin")));
    EXPECT_TRUE(zeile->progressBar->isHidden());
    EXPECT_EQ(zeile->item()->state(), QWebEngineDownloadItem::DownloadInterrupted);
    // The engine did resume: the server was asked again.
    EXPECT_GT(server.anfragen.count(QStringLiteral("/cut.bin")), 1);
    EXPECT_TRUE(QDir(t.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
}
