// Start-up set-up of the logger: default log file, configuration file, faults, threads, exit.
#include "ccat.h"
#include "cfileappender.h"
#include "heimordner.h"
#include "kerneinstellungen.h"
#include "logging.h"
#include "testziele.h"
#include "verzeichnisse.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <log4cpp/Category.hh>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <thread>
#include <vector>

namespace {

// Built before log4cpp's hierarchy, so destroyed after it: logs once more at exit when asked.
struct SpaeterLogger
{
    bool aktiv = false;
    ~SpaeterLogger()
    {
        if (!aktiv)
            return;
        if (!CQCat::ist_beendet())
            std::_Exit(3);
        CQCat::gib_instanz()->error(CQString("nach dem Ende"));
        CQCat::gib_instanz()->log(300, std::string("nach dem Ende"));
    }
} spaeter;

const char* const zeitstempel = R"(\d\d\.\d\d\.\d\d \d\d:\d\d:\d\d)";

class Logging : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QCoreApplication::setApplicationName(QStringLiteral("Aktualisierer"));
        log4cpp::Category::getRoot().removeAllAppenders();
        QDir ordner(HeimOrdner::gib().path());
        for (const QString& name : ordner.entryList(QDir::Files | QDir::Hidden))
            ordner.remove(name);
    }

    static std::string inhalt(const QString& name)
    {
        QFile f(HeimOrdner::gib().filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "<fehlt>";
    }

    static void schreibe(const QString& name, const char* text)
    {
        QFile f(HeimOrdner::gib().filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }

    static std::string heimpfad() { return HeimOrdner::gib().path().toStdString(); }
};

} // namespace

TEST_F(Logging, OhneKonfigurationsdateiSchreibtDerStandardLoggerImPersoenlichenOrdner)
{
    kern_einstellungen().setze_debug_ausgabe(1);
    konfiguriere_logging(QStringLiteral("log4upd.init"), QString());
    EXPECT_EQ(kern_einstellungen().debug_ausgabe(), 0);
    EXPECT_EQ(gib_eigene_dateien().absolutePath(), HeimOrdner::gib().path());
    EXPECT_EQ(log4cpp::CFileAppender::gib_pfad(), heimpfad());
    EXPECT_EQ(log4cpp::Category::getRoot().getPriority(), 600);
    EXPECT_EQ(CQCat::gib_instanz()->gib_name(), QStringLiteral("AKTUALISIERER"));

    CQCat::gib_instanz()->debug(CQString("leise"));
    CQCat::gib_instanz()->error(CQString("laut"));
    const std::string text = inhalt(QStringLiteral("AKTUALISIERER.log"));
    const std::string erwartet = std::string(zeitstempel)
                                 + ": Verwende Default-Logger 'AKTUALISIERER\\.log' im Verzeichnis eigene Dateien \\("
                                 + heimpfad() + "\\)\n" + zeitstempel + ": laut\n";
    EXPECT_TRUE(QRegularExpression(QRegularExpression::anchoredPattern(QString::fromStdString(erwartet)))
                    .match(QString::fromStdString(text))
                    .hasMatch())
        << text;
}

TEST_F(Logging, SuffixImNamenDerStandardDatei)
{
    konfiguriere_logging(QStringLiteral("log4upd.init"), QStringLiteral("_x"));
    EXPECT_NE(inhalt(QStringLiteral("AKTUALISIERER_x.log")).find("Verwende Default-Logger 'AKTUALISIERER_x.log'"),
              std::string::npos);
}

TEST_F(Logging, QTexteKommenAlsUtf8StdStringsByteFuerByte)
{
    konfiguriere_logging(QStringLiteral("log4upd.init"), QString());
    CQCat::gib_instanz()->warn(CQString(QStringLiteral("Gr\u00fc\u00dfe")));
    CQCat::gib_instanz()->info(std::string("Gr\xfc\xdf" "e"));
    const std::string text = inhalt(QStringLiteral("AKTUALISIERER.log"));
    EXPECT_NE(text.find(": Gr\xc3\xbc\xc3\x9f" "e\n"), std::string::npos);
    EXPECT_NE(text.find(": Gr\xfc\xdf" "e\n"), std::string::npos);
}

TEST_F(Logging, KonfigurationsdateiAusDemPersoenlichenOrdner)
{
    schreibe(QStringLiteral("log4upd_test.init"),
             "appender root pattern filetrc upd.log %p %m%n\npriority root DEBUGPRIO\n");
    schreibe(QStringLiteral("upd.log"), "vom letzten Lauf\n");
    konfiguriere_logging(QStringLiteral("log4upd_test.init"), QString());
    CQCat::gib_instanz()->debug(CQString("jetzt sichtbar"));
    EXPECT_EQ(inhalt(QStringLiteral("upd.log")),
              "INFO Logger: " + heimpfad() + "/log4upd_test.init\nDEBUGPRIO jetzt sichtbar\n");
    EXPECT_FALSE(QFile::exists(HeimOrdner::gib().filePath(QStringLiteral("AKTUALISIERER.log"))));
}

TEST_F(Logging, FehlerhafteKonfigurationMeldetSichUndNimmtDenStandardLoggerDazu)
{
    schreibe(QStringLiteral("kaputt.init"), "appender root pattern file vorher.log %p %m%n\nlogger root\n");
    ::testing::internal::CaptureStderr();
    konfiguriere_logging(QStringLiteral("kaputt.init"), QString());
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Configure Problem Invalid format in logging configuration file. Command: logger\n");
    const std::string vorher = inhalt(QStringLiteral("vorher.log"));
    EXPECT_EQ(vorher.rfind("ERRORPRIO Logger: Configure Problem Invalid format in logging configuration file. "
                           "Command: logger\nINFO Verwende Default-Logger",
                           0),
              0u)
        << vorher;
    // The default log, which the faulty file left as the only log of most categories, says why it is used.
    const QString standard = QString::fromStdString(inhalt(QStringLiteral("AKTUALISIERER.log")));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^%1: Logger: Configure Problem Invalid format in logging "
                                                  "configuration file\\. Command: logger\n%1: Verwende Default-Logger")
                                       .arg(QLatin1String(zeitstempel)))
                    .match(standard)
                    .hasMatch())
        << standard.toStdString();
    CQCat::gib_instanz()->error(CQString("an beide"));
    EXPECT_NE(vorher.find("an beide"), 0u);
    EXPECT_NE(inhalt(QStringLiteral("vorher.log")).find("ERRORPRIO an beide\n"), std::string::npos);
    EXPECT_NE(inhalt(QStringLiteral("AKTUALISIERER.log")).find(": an beide\n"), std::string::npos);
}

TEST_F(Logging, OrdnerOderRohrDesNamensWerdenUebergangen)
{
    const Wecker wecker;
    const TestOrdner aktuell;
    // A folder of the name in the current folder: no file there, nor anywhere, so the default logger.
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("log4upd.init")));
    konfiguriere_logging(QStringLiteral("log4upd.init"), QString());
    EXPECT_NE(inhalt(QStringLiteral("AKTUALISIERER.log")).find("Verwende Default-Logger 'AKTUALISIERER.log'"),
              std::string::npos);

    // A pipe of the name is passed over without waiting, and the next place is searched.
    log4cpp::Category::getRoot().removeAllAppenders();
    ASSERT_TRUE(QFile::remove(HeimOrdner::gib().filePath(QStringLiteral("AKTUALISIERER.log"))));
    ASSERT_TRUE(QDir().rmdir(QStringLiteral("log4upd.init")));
    ASSERT_TRUE(lege_rohr_an(QStringLiteral("log4upd.init")));
    schreibe(QStringLiteral("log4upd.init"), "appender root pattern file gefunden.log %m%n\n");
    konfiguriere_logging(QStringLiteral("log4upd.init"), QString());
    EXPECT_EQ(inhalt(QStringLiteral("gefunden.log")), "Logger: " + heimpfad() + "/log4upd.init\n");
    EXPECT_EQ(inhalt(QStringLiteral("AKTUALISIERER.log")), "<fehlt>");
}

TEST_F(Logging, UnbrauchbarerLogordnerLaesstDieUebrigenAppenderArbeiten)
{
    schreibe(QStringLiteral("ordner.init"),
             "appender root pattern file gut.log %m%n\n"
             "path /proc/gibt/es/nicht\n"
             "appender root pattern file schlecht.log %m%n\n");
    ::testing::internal::CaptureStderr();
    konfiguriere_logging(QStringLiteral("ordner.init"), QString());
    // Said once, on the error stream: the log that failed cannot carry it.
    const std::string fehler = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(fehler.rfind("Log-Datei /proc/gibt/es/nicht/schlecht.log kann nicht geoeffnet werden: ", 0), 0u) << fehler;
    EXPECT_EQ(std::count(fehler.begin(), fehler.end(), '\n'), 1) << fehler;
    CQCat::gib_instanz()->info(CQString("weiter"));
    EXPECT_EQ(inhalt(QStringLiteral("gut.log")), "Logger: " + heimpfad() + "/ordner.init\nweiter\n");
}

TEST_F(Logging, MehrereFaedenVerlierenKeineZeile)
{
    konfiguriere_logging(QStringLiteral("log4upd.init"), QString());
    const int faeden = 8;
    const int zeilen = 400;
    std::vector<std::thread> arbeiter;
    for (int f = 0; f < faeden; ++f) {
        arbeiter.emplace_back([f] {
            for (int z = 0; z < zeilen; ++z)
                CQCat::gib_instanz()->info(CQString(QStringLiteral("faden %1 zeile %2").arg(f).arg(z)));
        });
    }
    for (std::thread& t : arbeiter)
        t.join();
    std::istringstream text(inhalt(QStringLiteral("AKTUALISIERER.log")));
    const QRegularExpression zeile(
        QRegularExpression::anchoredPattern(QString::fromLatin1(zeitstempel) + QStringLiteral(R"(: faden (\d) zeile (\d+))")));
    std::vector<int> je_faden(faeden, 0);
    std::string z;
    while (std::getline(text, z)) {
        const QRegularExpressionMatch treffer = zeile.match(QString::fromStdString(z));
        if (treffer.hasMatch())
            ++je_faden[static_cast<std::size_t>(treffer.captured(1).toInt())];
    }
    EXPECT_EQ(je_faden, std::vector<int>(faeden, zeilen));
}

TEST_F(Logging, NachDemEndeVonLog4cppWirdNichtsMehrGeloggt)
{
    konfiguriere_logging(QStringLiteral("log4upd.init"), QString());
    CQCat::gib_instanz()->info(CQString("vor dem Ende"));
    // Checked at exit: a crash or a missing shutdown mark fails this program.
    spaeter.aktiv = true;
}
