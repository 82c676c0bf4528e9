// Saving onto a file system that takes only a few KiB more: every store keeps its old file byte for byte and says so.
#include "bookmarksmanager.h"
#include "cqiodatei.h"
#include "dateien.h"
#include "dateigrenze.h"
#include "dialogseam.h"
#include "historymanager.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace {

QStringList& warnungen()
{
    static QStringList liste;
    return liste;
}

QByteArray inhalt(const QString& pfad)
{
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray("<fehlt>");
}

BookmarkNode* lesezeichen(int i)
{
    auto* node = new BookmarkNode(BookmarkNode::Bookmark);
    node->title = QStringLiteral("Lesezeichen %1").arg(i);
    node->url = QStringLiteral("http://lesezeichen%1.example/").arg(i);
    return node;
}

// Each store's new file is larger than the limit but smaller than the 16 KiB that QFileDevice
// buffers: only its last flush fails, the failure that QSaveFile::commit does not see.
constexpr rlim_t grenze = 4096;

class Schreibgrenze : public ::testing::Test
{
protected:
    void SetUp() override
    {
        alterHome = qgetenv("HOME");
        qputenv("HOME", home.path().toUtf8());
        QSettings().remove(QStringLiteral("history"));
        setze_frage_funktion([this](QWidget*, QMessageBox::Icon, const QString& titel, const QString&,
                                    const QStringList&, int, int abbruch) {
            boxen << titel;
            return abbruch;
        });
        warnungen().clear();
        vorher = qInstallMessageHandler([](QtMsgType typ, const QMessageLogContext&, const QString& text) {
            if (typ == QtWarningMsg)
                warnungen() << text;
        });
    }
    void TearDown() override
    {
        qInstallMessageHandler(vorher);
        setze_frage_funktion(nullptr);
        qputenv("HOME", alterHome);
    }

    QTemporaryDir home;
    QByteArray alterHome;
    QStringList boxen;
    QtMessageHandler vorher = nullptr;
};

} // namespace

TEST_F(Schreibgrenze, JederSpeicherBehaeltDieAlteDateiUndMeldetDenFehler)
{
    const QString zu_gross = QString::fromLocal8Bit(std::strerror(EFBIG));
    // Bookmarks: 124 saved, then one more that does not fit.
    {
        BookmarksManager manager;
        for (int i = 0; i < 124; ++i)
            manager.addBookmark(manager.menu(), lesezeichen(i));
        manager.saveIfNecessary();
    }
    const QString xbel = BookmarksManager::fileName();
    const QByteArray xbel_alt = inhalt(xbel);
    ASSERT_GT(xbel_alt.size(), int(grenze));
    ASSERT_LT(xbel_alt.size(), 16384 - 200);
    {
        BookmarksManager manager;
        {
            const Dateigrenze voll(grenze);
            manager.addBookmark(manager.menu(), lesezeichen(124));
            manager.saveIfNecessary();
        }
        EXPECT_EQ(inhalt(xbel), xbel_alt);
        EXPECT_EQ(boxen, QStringList({"Saving Bookmarks"}));
        EXPECT_TRUE(warnungen().join('\n').contains(xbel)) << qPrintable(warnungen().join('\n'));
        // With room again the program goes on as before.
        manager.addBookmark(manager.menu(), lesezeichen(125));
        manager.saveIfNecessary();
    }
    EXPECT_EQ(BookmarksManager().menu()->children().size(), 126);

    // History: 100 visits saved, then a removal, which rewrites the file whole.
    {
        HistoryManager history;
        for (int i = 0; i < 100; ++i)
            history.addUrl(QStringLiteral("http://besuch%1.example/").arg(i));
        history.saveIfNecessary();
    }
    const QString verlauf = HistoryManager::dateiname();
    const QByteArray verlauf_alt = inhalt(verlauf);
    ASSERT_GT(verlauf_alt.size(), int(grenze));
    ASSERT_LT(verlauf_alt.size(), 16384);
    warnungen().clear();
    {
        HistoryManager history;
        const Dateigrenze voll(grenze);
        history.removeUrl(QStringLiteral("http://besuch0.example/"));
        history.saveIfNecessary();
        EXPECT_EQ(inhalt(verlauf), verlauf_alt);
        // The message names the cause.
        EXPECT_TRUE(warnungen().join('\n').contains(QStringLiteral("Unable to write history file")))
            << qPrintable(warnungen().join('\n'));
        EXPECT_TRUE(warnungen().join('\n').endsWith(zu_gross)) << qPrintable(warnungen().join('\n'));
    }
    EXPECT_EQ(HistoryManager().entries().size(), 100);

    // The core's copy and its text file written whole.
    const QString quelle = home.filePath(QStringLiteral("quelle.bin"));
    const QString ziel = home.filePath(QStringLiteral("ziel.bin"));
    const QString text = home.filePath(QStringLiteral("text.txt"));
    ASSERT_TRUE(schreibe_ganz(quelle, QByteArray(8000, 'q')).isEmpty());
    ASSERT_TRUE(schreibe_ganz(ziel, "alt").isEmpty());
    ASSERT_TRUE(schreibe_ganz(text, "alter Text").isEmpty());
    {
        const Dateigrenze voll(grenze);
        EXPECT_EQ(kopiere_datei(quelle, ziel, true, false), 2);
        CQIODatei datei{CQString(text)};
        ASSERT_TRUE(datei.oeffne(false, true, true, false, true));
        datei.setze_codec(true);
        datei.schreibe_zeile(CQString(QString(8000, QLatin1Char('t'))));
        EXPECT_FALSE(datei.schliesse());
        EXPECT_EQ(datei.gib_fehlertext(), zu_gross);
    }
    EXPECT_EQ(inhalt(ziel), "alt");
    EXPECT_EQ(inhalt(text), "alter Text");
    EXPECT_EQ(QDir(home.path()).entryList(QDir::Files), QStringList({"quelle.bin", "text.txt", "ziel.bin"}));
}
