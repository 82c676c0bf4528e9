// The uninstall information file: format, reading rules, atomic writing and removal.
#include "cuninstallinfo.h"
#include "zip_hilfe.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <future>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace testzip;

namespace {

const QByteArray kopf = "#\r\n# ACHTUNG Uninstall-Information\r\n# Bitte diese Datei nicht editieren oder loeschen\r\n#\r\n";

CZeitVDN zeit(const char* text)
{
    return CZeitVDN(CQString(text));
}

class Uninstall : public ::testing::Test
{
protected:
    void SetUp() override { unistall_map().clear(); }
    void TearDown() override { unistall_map().clear(); }
    QString datei() const { return dir.path() + "/uninstall.dat"; }
    QStringList schluessel() const
    {
        QStringList r;
        for (const auto& e : unistall_map())
            r << e.first;
        return r;
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(Uninstall, SchreibtKopfUndZeilenMitCrLfOhneBom)
{
    {
        CUninstallInfo info(dir.path());
        EXPECT_EQ(info.gib_dateiname(), datei());
        ergaenze_unistall("b/c.dll", zeit("06.12.2026 09:17:18"));
        ergaenze_unistall("a/", zeit("01.02.2003 04:05:06"));
        ergaenze_unistall(QStringLiteral(u"ä.txt"), zeit("01.02.2003 04:05:06"));
        ergaenze_unistall("b/c.dll", zeit("07.12.2026 10:00:00")); // overwrites
        ASSERT_TRUE(info.schreibe_unistall());
    }
    EXPECT_EQ(lies(datei()), kopf + "01.02.2003 04:05:06;a/\r\n07.12.2026 10:00:00;b/c.dll\r\n"
                                    "01.02.2003 04:05:06;\xc3\xa4.txt\r\n");
}

// The keys are kept in UTF-8, whose byte order puts a character beyond U+FFFF after U+E000 to
// U+FFFF; the file and a walk keep QString's order, in which its surrogates come first.
TEST_F(Uninstall, SchluesselFolgenDerOrdnungVonQString)
{
    const QStringList erwartet{"z.txt", QStringLiteral(u"\u00e4.txt"), QStringLiteral(u"\U0001F600.txt"),
                               QStringLiteral(u"\uE000.txt"), QStringLiteral(u"\uFFFD.txt")};
    {
        CUninstallInfo info(dir.path());
        for (auto it = erwartet.crbegin(); it != erwartet.crend(); ++it)
            ergaenze_unistall(*it, zeit("06.12.2026 09:17:18"));
        EXPECT_EQ(schluessel(), erwartet);
        ASSERT_TRUE(info.schreibe_unistall());
    }
    QByteArray inhalt = kopf;
    for (const QString& s : erwartet)
        inhalt += "06.12.2026 09:17:18;" + s.toUtf8() + "\r\n";
    EXPECT_EQ(lies(datei()), inhalt);
}

TEST_F(Uninstall, LiestZeilenNachDenRegeln)
{
    schreibe(datei(), kopf + "06.12.2026 09:17:18;a/b/c.dll\r\n"
                             "\r\n"
                             "   \r\n"
                             "  # auch ein Kommentar;x\r\n"
                             "nur eine Zelle\r\n"
                             "06.12.2026 09:17:1;zu/kurz.txt\r\n"
                             "06.12.2026 09:17:19 ; mit/blanks.txt ; weiteres\r\n"
                             "01.01.2020 00:00:00;a/b/c.dll\r\n"
                             "02.01.2020 00:00:00;x;y\n");
    AufzeichnenderLog log;
    CUninstallInfo info(dir.path());
    EXPECT_EQ(schluessel(), (QStringList{"a/b/c.dll", "mit/blanks.txt", "x"}));
    // The later line wins.
    EXPECT_EQ(unistall_eintrag("a/b/c.dll")->als_qstring(true, true, false), "01.01.2020 00:00:00");
    EXPECT_EQ(unistall_eintrag("mit/blanks.txt")->als_qstring(true, true, false), "06.12.2026 09:17:19");
    // The short time text is reported and skipped.
    EXPECT_EQ(log.aufrufe.filter("Zeitstring muss").size(), 1);
    unistall_map().clear();
}

TEST_F(Uninstall, SchluesselMitSemikolonOderRandblanksKommenUnveraendertZurueck)
{
    const QStringList besondere{"a;b.txt", " vorne.txt", "hinten.txt ", "\tmitte\t/x", "normal.txt"};
    {
        CUninstallInfo info(dir.path());
        for (const QString& s : besondere)
            ergaenze_unistall(s, zeit("06.12.2026 09:17:18"));
        ASSERT_TRUE(info.schreibe_unistall());
    }
    EXPECT_TRUE(lies(datei()).contains("06.12.2026 09:17:18;\"a;b.txt\"\r\n"));
    EXPECT_TRUE(lies(datei()).contains("06.12.2026 09:17:18;normal.txt\r\n"));
    unistall_map().clear();
    CUninstallInfo info(dir.path());
    QStringList erwartet = besondere;
    erwartet.sort();
    EXPECT_EQ(schluessel(), erwartet);
    unistall_map().clear();
}

TEST_F(Uninstall, LeereKarteSchreibtNichts)
{
    schreibe(datei(), kopf);
    {
        CUninstallInfo info(dir.path());
        EXPECT_TRUE(unistall_map().empty());
        EXPECT_TRUE(info.schreibe_unistall());
    }
    EXPECT_EQ(lies(datei()), kopf);
    QFile::remove(datei());
    { CUninstallInfo info(dir.path()); }
    EXPECT_FALSE(QFileInfo::exists(datei()));
}

TEST_F(Uninstall, NichtSchreibbareDateiWirdEinmalGemeldet)
{
    AufzeichnenderLog log;
    {
        CUninstallInfo info(dir.path());
        // Taken by a folder that is not empty after it was read: the file cannot be replaced.
        QDir().mkpath(datei() + "/voll");
        ergaenze_unistall("x", zeit("06.12.2026 09:17:18"));
        EXPECT_FALSE(info.schreibe_unistall());
        // Nothing half-written stays beside it.
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList{"uninstall.dat"});
    }
    // The destructor does not report the same failure again.
    EXPECT_EQ(log.aufrufe.filter("Kann Datei " + datei() + " nicht zum Schreiben oeffnen").size(), 1);
    unistall_map().clear();
}

TEST_F(Uninstall, EntfernenLeertKarteUndLoeschtDatei)
{
    AufzeichnenderLog log;
    {
        CUninstallInfo info(dir.path());
        ergaenze_unistall("x", zeit("06.12.2026 09:17:18"));
        EXPECT_TRUE(info.schreibe_unistall());
        EXPECT_TRUE(info.remove_unistall());
        EXPECT_TRUE(unistall_map().empty());
        EXPECT_FALSE(QFileInfo::exists(datei()));
        EXPECT_TRUE(log.aufrufe.isEmpty());
        EXPECT_FALSE(info.remove_unistall());
        EXPECT_TRUE(log.hat_text("Kann Datei " + datei() + " nicht loeschen: " + std::strerror(ENOENT)));
    }
    EXPECT_FALSE(QFileInfo::exists(datei()));
}

// Jobs may overlap: one records while another reads and writes the records (also run in the
// ThreadSanitizer build).
TEST_F(Uninstall, AufzeichnenWaehrendAndereLesenUndSchreiben)
{
    CUninstallInfo info(dir.path());
    std::thread aufzeichnung([] {
        for (int i = 0; i < 500; ++i)
            ergaenze_unistall(QString::number(i), zeit("06.12.2026 09:17:18"));
    });
    std::size_t zuletzt = 0;
    for (int i = 0; i < 50; ++i) {
        const std::size_t jetzt = unistall_kopie().size();
        EXPECT_GE(jetzt, zuletzt);
        zuletzt = jetzt;
        EXPECT_TRUE(info.schreibe_unistall());
    }
    aufzeichnung.join();
    EXPECT_EQ(unistall_anzahl(), 500u);
}

// A write that adds to the records copies the file it wrote last; a pipe that took its name
// meanwhile is not waited on: the records are written whole in its place.
TEST_F(Uninstall, ZwischenstandWartetNichtAufEinePipeAnStelleDerDatei)
{
    CUninstallInfo info(dir.path());
    ergaenze_unistall("a.txt", zeit("06.12.2026 09:17:18"));
    ASSERT_TRUE(info.schreibe_zwischenstand());
    ASSERT_TRUE(QFile::remove(datei()));
    ASSERT_EQ(::mkfifo(QFile::encodeName(datei()).constData(), 0600), 0);
    ergaenze_unistall("b.txt", zeit("06.12.2026 09:17:18"));
    auto schreiben = std::async(std::launch::async, [&info] { return info.schreibe_zwischenstand(); });
    const bool fertig = schreiben.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    if (!fertig) {
        // A writer at the pipe's other end lets the waiting write go on.
        const int ende = ::open(QFile::encodeName(datei()).constData(), O_WRONLY | O_NONBLOCK);
        schreiben.wait();
        if (ende >= 0)
            ::close(ende);
    }
    EXPECT_TRUE(fertig);
    EXPECT_TRUE(schreiben.get());
    EXPECT_EQ(lies(datei()), kopf + "06.12.2026 09:17:18;a.txt\r\n06.12.2026 09:17:18;b.txt\r\n");
}
