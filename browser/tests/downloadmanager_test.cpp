// The downloads window without the engine: size and progress texts, the stored list, clean-up and the remove policy.
#include "downloadmanager.h"
#include "downloadwidget.h"
#include "heimordner.h"
#include "squeezelabel.h"
#include "testdateien.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

constexpr qint64 GiB = qint64(1) << 30;

class DownloadManagerTest : public ::testing::Test
{
protected:
    void SetUp() override { QSettings().remove(QStringLiteral("downloadmanager")); }

    // Writes one stored entry; an invalid value leaves its key out.
    static void eintrag(int i, const QVariant& url, const QVariant& location, const QVariant& done = QVariant())
    {
        QSettings s;
        s.beginGroup(QStringLiteral("downloadmanager"));
        const QString p = QStringLiteral("download_%1_").arg(i);
        if (url.isValid())
            s.setValue(p + "url", url);
        if (location.isValid())
            s.setValue(p + "location", location);
        if (done.isValid())
            s.setValue(p + "done", done);
    }

    static QVariant wert(const QString& key)
    {
        return QSettings().value(QStringLiteral("downloadmanager/") + key);
    }

    QTemporaryDir t;
};

} // namespace

// Sizes above 2 GiB neither wrap in the texts nor in the bar, and a first progress report in
// the millisecond of the start gives a finite speed.
TEST_F(DownloadManagerTest, GroessentexteUndFortschrittUeberZweiGiB)
{
    EXPECT_EQ(DownloadWidget::groessentext(1023), "1023 bytes");
    EXPECT_EQ(DownloadWidget::groessentext(1536), "1 kB");
    EXPECT_EQ(DownloadWidget::groessentext(5 * 1024 * 1024), "5 MB");
    EXPECT_EQ(DownloadWidget::groessentext(3 * GiB), "3072 MB");

    DownloadWidget zeile(nullptr);
    zeile.downloadProgress(3 * GiB, 6 * GiB);
    EXPECT_GT(zeile.progressBar->maximum(), 0);
    EXPECT_NEAR(zeile.progressBar->value() * 2.0, zeile.progressBar->maximum(), 2.0);
    const QString text = zeile.downloadInfoLabel->text();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^3072 MB of 6144 MB \\(\\d+ (bytes|kB|MB)/sec\\) - \\d+ \\w+ remaining$"))
                    .match(text)
                    .hasMatch())
        << text.toStdString();
}

// Unfinished entries are not restored; the next save renumbers the rest and drops the tail.
TEST_F(DownloadManagerTest, GespeicherteListeOhneUnfertigeUndNeuNummeriert)
{
    const QString a = t.filePath("a.txt"), b = t.filePath("b.txt"), c = t.filePath("c.txt");
    eintrag(0, QUrl("http://h.example/a.txt"), a, true);
    eintrag(1, QUrl("http://h.example/b.txt"), b, false);
    eintrag(2, QUrl("http://h.example/c.txt"), c);

    DownloadManager manager;
    EXPECT_TRUE(manager.isVisible());
    ASSERT_EQ(manager.rowCount(), 2);
    EXPECT_EQ(manager.itemCount->text(), "2 Downloads");
    const DownloadWidget* zeile = manager.widget(0);
    EXPECT_EQ(zeile->fileNameLabel->text(), "a.txt");
    EXPECT_TRUE(zeile->progressBar->isHidden());
    EXPECT_TRUE(zeile->stopButton->isHidden());
    EXPECT_TRUE(zeile->downloadInfoLabel->text().isEmpty());
    EXPECT_TRUE(manager.cleanupButton->isEnabled());

    manager.save();
    EXPECT_EQ(wert("download_0_location").toString(), a);
    EXPECT_EQ(wert("download_1_location").toString(), c);
    EXPECT_EQ(wert("download_1_url").toUrl(), QUrl("http://h.example/c.txt"));
    EXPECT_TRUE(wert("download_1_done").toBool());
    EXPECT_FALSE(wert("download_2_url").isValid());
    EXPECT_FALSE(wert("download_2_location").isValid());
    EXPECT_FALSE(wert("download_2_done").isValid());
}

// A stored size is used only when it fits the screen; one from a larger screen, a made-up one
// or one of the wrong kind gives the window's own size, and never a window larger than the screen.
TEST_F(DownloadManagerTest, GespeicherteGroesseNurWennSieAufDenBildschirmPasst)
{
    const QSize flaeche = QGuiApplication::primaryScreen()->availableGeometry().size();
    const QSize vorgabe = QSize(332, 252).boundedTo(flaeche);
    const QList<QPair<QVariant, QSize>> faelle{
        {QSize(345, 267), QSize(345, 267)},
        {QSize(50000, 50000), vorgabe},
        {QSize(flaeche.width() + 1, 200), vorgabe},
        {QSize(-300, 200), vorgabe},
        {QSize(0, 0), vorgabe},
        {QStringLiteral("groß"), vorgabe},
        {QVariantList{1, 2}, vorgabe},
    };
    for (const auto& [gespeichert, erwartet] : faelle) {
        QSettings().setValue(QStringLiteral("downloadmanager/size"), gespeichert);
        DownloadManager manager;
        EXPECT_EQ(manager.size(), erwartet) << gespeichert.toString().toStdString();
    }
}

// Gaps, empty urls and values of the wrong kind: those entries are skipped, the ones after a
// gap are still read, and no stale key survives the next save.
TEST_F(DownloadManagerTest, KaputteEintraegeWerdenUebersprungen)
{
    eintrag(0, QUrl(), t.filePath("leer.txt"));
    eintrag(1, QStringList{"http://h.example/x", "y"}, t.filePath("liste.txt"));
    eintrag(2, QUrl("http://h.example/z"), QStringList{"a", "b"});
    eintrag(3, QUrl("http://h.example/v"), t.filePath("v.txt"), QStringLiteral("vielleicht"));
    eintrag(5, QUrl("http://h.example/gut.txt"), t.filePath("gut.txt"));
    {
        DownloadManager manager;
        ASSERT_EQ(manager.rowCount(), 1);
        EXPECT_EQ(manager.itemCount->text(), "1 Download");
        EXPECT_EQ(manager.widget(0)->url, QUrl("http://h.example/gut.txt"));
    }
    QSettings s;
    s.beginGroup(QStringLiteral("downloadmanager"));
    QStringList keys = s.childKeys().filter(QStringLiteral("download_"));
    keys.sort();
    EXPECT_EQ(keys, QStringList({"download_0_done", "download_0_location", "download_0_url"}));
}

// Clean-up removes the finished rows; the policy Exit keeps the stored list as it was.
TEST_F(DownloadManagerTest, AufraeumenUndRichtlinieExit)
{
    eintrag(0, QUrl("http://h.example/a.txt"), t.filePath("a.txt"));
    eintrag(1, QUrl("http://h.example/b.txt"), t.filePath("b.txt"));
    {
        DownloadManager manager;
        ASSERT_EQ(manager.rowCount(), 2);
        manager.cleanupButton->click();
        EXPECT_EQ(manager.rowCount(), 0);
        EXPECT_EQ(manager.itemCount->text(), "0 Downloads");
        EXPECT_FALSE(manager.cleanupButton->isEnabled());

        manager.setProperty("removePolicy", QStringLiteral("Exit"));
        ASSERT_EQ(manager.removePolicy(), DownloadManager::Exit);
        manager.resize(345, 267);
        manager.save();
        EXPECT_EQ(wert("removeDownloadsPolicy").toString(), "Exit");
        EXPECT_EQ(wert("size").toSize(), QSize(345, 267));
        EXPECT_EQ(wert("download_0_location").toString(), t.filePath("a.txt"));
        EXPECT_EQ(wert("download_1_location").toString(), t.filePath("b.txt"));
    }
    DownloadManager wieder;
    EXPECT_EQ(wieder.removePolicy(), DownloadManager::Exit);
    EXPECT_EQ(wieder.size(), QSize(345, 267));
}

// Two browsers share the list: what the other saved since this one read it stays at this one's
// save, also after a clean-up; what this one cleared goes.
TEST_F(DownloadManagerTest, ZweiBrowserBehaltenDieEintraegeDesAnderen)
{
    const QString a = t.filePath("a.txt"), b = t.filePath("b.txt");
    eintrag(0, QUrl("http://h.example/a.txt"), a, true);
    DownloadManager erster;
    ASSERT_EQ(erster.rowCount(), 1);
    // The other browser, which read the same list, saves it with its own download added.
    eintrag(1, QUrl("http://h.example/b.txt"), b, true);

    erster.save();
    EXPECT_EQ(wert("download_0_location").toString(), a);
    EXPECT_EQ(wert("download_1_location").toString(), b);
    erster.cleanupButton->click();
    erster.save();
    EXPECT_EQ(wert("download_0_location").toString(), b);
    EXPECT_TRUE(wert("download_0_done").toBool());
    EXPECT_FALSE(wert("download_1_url").isValid());
}
