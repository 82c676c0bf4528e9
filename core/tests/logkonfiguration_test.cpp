// The configuration reader, the pattern layout, the priority names and the interface appender.
#include "cfileappender.h"
#include "cloginterface.h"
#include "cpatternlayout.h"
#include "logkonfiguration.h"
#include "logprioritaet.h"
#include "testziele.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <log4cpp/Category.hh>
#include <log4cpp/Configurator.hh>
#include <log4cpp/LoggingEvent.hh>
#include <log4cpp/Priority.hh>

#include <cstdlib>
#include <ctime>
#include <algorithm>
#include <arpa/inet.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

using log4cpp::Category;

namespace {

bool passt(const std::string& text, const QString& muster)
{
    return QRegularExpression(QRegularExpression::anchoredPattern(muster)).match(QString::fromStdString(text)).hasMatch();
}

class Konfiguration : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        log4cpp::CFileAppender::setze_pfad(std::string());
    }

    std::string pfad(const QString& name) const { return tmp.filePath(name).toStdString(); }

    // Writes the configuration and reads it; the failure text, empty when none.
    std::string lies(const std::string& text)
    {
        const std::string datei = pfad(QStringLiteral("log.init"));
        QFile f(QString::fromStdString(datei));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text.data(), static_cast<qint64>(text.size()));
        f.close();
        try {
            log4cpp::konfiguriere_datei(datei);
        } catch (const log4cpp::ConfigureFailure& fehler) {
            return fehler.what();
        }
        return std::string();
    }

    std::string inhalt(const QString& name) const
    {
        QFile f(tmp.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "<fehlt>";
    }

    QTemporaryDir tmp;
};

class Sammler : public log4cpp::CLogInterface
{
public:
    void write(const log4cpp::LoggingEvent& ereignis, const std::string& text) override
    {
        prioritaeten.push_back(ereignis.priority);
        texte.push_back(text);
    }
    std::vector<int> prioritaeten;
    std::vector<std::string> texte;
};

} // namespace

TEST_F(Konfiguration, PfadSetztDenLogordnerVorDieDateiappenderDieDanachKommen)
{
    ASSERT_TRUE(QDir(tmp.path()).mkdir(QStringLiteral("logs")));
    log4cpp::CFileAppender::setze_pfad(tmp.path().toStdString());
    EXPECT_EQ(lies("appender k1a pattern file vorher.log %m%n\n"
                   "path " + pfad(QStringLiteral("logs")) + "\n"
                   "appender k1b pattern file upd.log %D %p %m%n\n"),
              "");
    Category::getInstance("k1a").error("a");
    Category::getInstance("k1b").error("Fehler eins");
    Category::getInstance("k1b").debug("leise");
    EXPECT_EQ(inhalt(QStringLiteral("vorher.log")), "a\n");
    const std::string zeilen = inhalt(QStringLiteral("logs/upd.log"));
    EXPECT_TRUE(passt(zeilen, QStringLiteral(R"(\d\d\.\d\d\.\d\d \d\d:\d\d:\d\d ERRORPRIO Fehler eins\n)")))
        << zeilen;
}

TEST_F(Konfiguration, FileHaengtAnUndFiletrcLeertDieDatei)
{
    log4cpp::CFileAppender::setze_pfad(tmp.path().toStdString());
    for (const char* name : {"anhang.log", "leer.log"}) {
        QFile f(tmp.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("alt\n");
    }
    EXPECT_EQ(lies("appender k2a simple file anhang.log\nappender k2b basic filetrc leer.log\n"), "");
    EXPECT_EQ(inhalt(QStringLiteral("anhang.log")), "alt\n");
    EXPECT_EQ(inhalt(QStringLiteral("leer.log")), "");
}

TEST_F(Konfiguration, DateiInFehlendemOrdnerLaesstDieAnderenAppenderWeiterlaufen)
{
    EXPECT_EQ(lies("path " + pfad(QStringLiteral("gibt/es/nicht")) + "\n"
                   "appender k3 pattern file weg.log %m%n\n"
                   "path " + pfad(QString()) + "\n"
                   "appender k3 pattern file da.log %m%n\n"),
              "");
    EXPECT_EQ(Category::getInstance("k3").getAllAppenders().size(), 2u);
    Category::getInstance("k3").warn("geht");
    EXPECT_EQ(inhalt(QStringLiteral("da.log")), "geht\n");
}

// A log file that is no regular file is never waited for: a pipe without a reader, one with a
// reader, a link to a pipe, a socket and a device each give an appender that writes nothing and
// cannot be reopened, and the lines after them are read.
TEST_F(Konfiguration, RohrSocketOderGeraetAlsLogdateiSchreibtNichtsUndWartetNicht)
{
    const Wecker wecker;
    log4cpp::CFileAppender::setze_pfad(tmp.path().toStdString());
    ASSERT_TRUE(lege_rohr_an(tmp.filePath(QStringLiteral("rohr.log"))));
    ASSERT_TRUE(lege_rohr_an(tmp.filePath(QStringLiteral("gelesen.log"))));
    ASSERT_TRUE(QFile::link(tmp.filePath(QStringLiteral("rohr.log")), tmp.filePath(QStringLiteral("link.log"))));
    const int sockel = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un adresse{};
    adresse.sun_family = AF_UNIX;
    const std::string sockelpfad = pfad(QStringLiteral("sockel.log"));
    ASSERT_LT(sockelpfad.size(), sizeof adresse.sun_path);
    sockelpfad.copy(adresse.sun_path, sockelpfad.size());
    ASSERT_EQ(::bind(sockel, reinterpret_cast<const sockaddr*>(&adresse), sizeof adresse), 0);
    // With a reader at its other end a pipe opens for writing at once.
    const int leser = ::open(pfad(QStringLiteral("gelesen.log")).c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(leser, 0);

    EXPECT_EQ(lies("appender k10a pattern file rohr.log %m%n\n"
                   "appender k10b pattern filetrc gelesen.log %m%n\n"
                   "appender k10c pattern file link.log %m%n\n"
                   "appender k10d pattern file sockel.log %m%n\n"
                   "path /dev\n"
                   "appender k10e pattern file null %m%n\n"
                   "path " + pfad(QString()) + "\n"
                   "appender k10f pattern file da.log %m%n\n"),
              "");
    for (const char* kategorie : {"k10a", "k10b", "k10c", "k10d", "k10e", "k10f"}) {
        const log4cpp::AppenderSet appender = Category::getInstance(kategorie).getAllAppenders();
        ASSERT_EQ(appender.size(), 1u) << kategorie;
        Category::getInstance(kategorie).error("zeile");
        EXPECT_EQ((*appender.begin())->reopen(), std::string(kategorie) == "k10f") << kategorie;
    }
    EXPECT_EQ(inhalt(QStringLiteral("da.log")), "zeile\n");
    char puffer[16];
    EXPECT_LE(::read(leser, puffer, sizeof puffer), 0);
    ::close(leser);
    ::close(sockel);
}

namespace {

int offene_dateien()
{
    return static_cast<int>(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size());
}

} // namespace

// Thousands of appender lines under a low open-files limit: lines naming one file (or standard
// error) share one open file, and files and sockets past a quarter of the limit are not opened,
// said once; the rest of the handles stay for the program's own work.
TEST_F(Konfiguration, TausendeAppenderLassenDemProgrammSeineOffenenDateien)
{
    rlimit alt{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &alt), 0);
    rlimit neu = alt;
    neu.rlim_cur = 256;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &neu), 0);
    log4cpp::CFileAppender::setze_pfad(tmp.path().toStdString());
    const int vorher = offene_dateien();

    std::string eine;
    std::string fehlerstrom;
    std::string viele;
    std::string zeilen;
    for (int i = 0; i < 2000; ++i) {
        eine += "appender k20 pattern file eine.log %m%n\n";
        fehlerstrom += "appender k20 pattern stderr %m%n\n";
        viele += "appender k21 pattern file d" + std::to_string(i) + ".log %m%n\n"
                 "appender k21 pattern remotesyslog upd 127.0.0.1 8 9 %m%n\n";
        zeilen += "z\n";
    }
    EXPECT_EQ(lies(eine), "");
    EXPECT_EQ(offene_dateien(), vorher + 1);
    Category::getInstance("k20").error("z");
    EXPECT_EQ(inhalt(QStringLiteral("eine.log")), zeilen);
    EXPECT_EQ(lies(fehlerstrom), "");
    EXPECT_EQ(offene_dateien(), vorher + 1);

    ::testing::internal::CaptureStderr();
    EXPECT_EQ(lies(viele), "");
    const std::string gemeldet = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(gemeldet.begin(), gemeldet.end(), '\n'), 1) << gemeldet;
    EXPECT_NE(gemeldet.find("werden nicht geoeffnet"), std::string::npos) << gemeldet;
    // Log files opened by earlier lines of this program count towards the quarter too.
    EXPECT_LE(offene_dateien(), vorher + 256 / 4);
    EXPECT_GT(offene_dateien(), vorher + 1);
    // The handles the program needs are there.
    std::vector<int> eigene;
    for (int i = 0; i < 100; ++i)
        eigene.push_back(::open("/dev/null", O_RDONLY | O_CLOEXEC));
    EXPECT_GE(*std::min_element(eigene.begin(), eigene.end()), 0);
    for (const int fd : eigene)
        ::close(fd);

    Category::getInstance("k20").removeAllAppenders();
    Category::getInstance("k21").removeAllAppenders();
    EXPECT_EQ(offene_dateien(), vorher);
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &alt), 0);
}

// A log folder others may write: a link of the log's name is followed only when it is the
// user's own; one another user planted (to the user's start-up file, say) is never written through.
TEST_F(Konfiguration, LinkEinesAnderenAlsLogdateiWirdNichtBeschrieben)
{
    log4cpp::CFileAppender::setze_pfad(tmp.path().toStdString());
    const QString opfer = tmp.filePath(QStringLiteral("profil"));
    QFile f(opfer);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("alt\n");
    f.close();
    ASSERT_TRUE(QFile::link(opfer, tmp.filePath(QStringLiteral("eigen.log"))));
    ASSERT_TRUE(QFile::link(opfer, tmp.filePath(QStringLiteral("fremd.log"))));
    if (::geteuid() != 0)
        GTEST_SKIP() << "a link of another owner needs root to be made";
    ASSERT_EQ(::lchown(pfad(QStringLiteral("fremd.log")).c_str(), 12345, 12345), 0);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(lies("appender k22a pattern file eigen.log %m%n\nappender k22b pattern file fremd.log %m%n\n"), "");
    const std::string gemeldet = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(gemeldet.find("fremd.log kann nicht geoeffnet werden: Link eines anderen Anwenders"), std::string::npos)
        << gemeldet;
    Category::getInstance("k22a").error("eigen");
    Category::getInstance("k22b").error("fremd");
    EXPECT_EQ(inhalt(QStringLiteral("profil")), "alt\neigen\n");
    EXPECT_FALSE(Category::getInstance("k22b").getAllAppenders().empty());
    EXPECT_FALSE((*Category::getInstance("k22b").getAllAppenders().begin())->reopen());
}

TEST_F(Konfiguration, PrioritaetenMitDenEigenenNamenOderAlsZahl)
{
    EXPECT_EQ(lies("priority k4a DEBUGPRIO\npriority k4b ERRORPRIO\npriority k4c 450\n"), "");
    EXPECT_EQ(Category::getInstance("k4a").getPriority(), 700);
    EXPECT_EQ(Category::getInstance("k4b").getPriority(), 300);
    EXPECT_EQ(Category::getInstance("k4c").getPriority(), 450);

    EXPECT_EQ(lies("priority root DEBUG\n"),
              "Invalid priority (DEBUG) in logging configuration file for category: root");
    EXPECT_EQ(lies("priority k4d LOUD\n"),
              "Invalid priority (LOUD) in logging configuration file for category: k4d");
    EXPECT_EQ(lies("priority k4d -5\n"),
              "Invalid priority (-5) in logging configuration file for category: k4d");
    // The library refuses NOTSET for the root category; the root keeps its priority.
    const int vorher = Category::getRoot().getPriority();
    EXPECT_EQ(lies("priority root NOTSET\n"),
              "Invalid priority (NOTSET) in logging configuration file for category: root");
    EXPECT_EQ(Category::getRoot().getPriority(), vorher);
    EXPECT_EQ(lies("priority k4e"), "Missing priority in logging configuration file for category: k4e");
}

TEST_F(Konfiguration, FehlertexteUndWasVorherEingerichtetWurdeBleibt)
{
    EXPECT_EQ(lies("category k5a\npriority k5a WARN\nlogger k5b\npriority k5a INFO\n"),
              "Invalid format in logging configuration file. Command: logger");
    EXPECT_EQ(Category::getInstance("k5a").getPriority(), 400);
    EXPECT_NE(Category::exists("k5b"), nullptr);

    EXPECT_EQ(lies("appender k5c basic file"),
              "Missing filename for log file logging configuration file for category: k5c");
    EXPECT_EQ(lies("appender k5c basic syslog x"),
              "Invalid appender name (syslog) in logging configuration file for category: k5c");
    EXPECT_EQ(lies("appender k5c fancy console"),
              "Invalid layout (fancy) in logging configuration file for category: k5c");
    EXPECT_TRUE(Category::getInstance("k5c").getAllAppenders().empty());
    EXPECT_EQ(lies("appender k5c basic remotesyslog"),
              "Missing syslogname for SysLogAppender for category: k5c");
    EXPECT_EQ(lies("appender k5c basic remotesyslog upd"),
              "Missing syslog host for SysLogAppender for category: k5c");

    // Missing, or a pipe that would wait for its writer: unreadable at once.
    const Wecker wecker;
    ASSERT_TRUE(lege_rohr_an(tmp.filePath(QStringLiteral("rohr.init"))));
    for (const std::string& unlesbar : {pfad(QStringLiteral("fehlt.init")), pfad(QStringLiteral("rohr.init"))}) {
        try {
            log4cpp::konfiguriere_datei(unlesbar);
            ADD_FAILURE() << unlesbar;
        } catch (const log4cpp::ConfigureFailure& fehler) {
            EXPECT_EQ(std::string(fehler.what()), "Config File " + unlesbar + " does not exist or is unreadable");
        }
    }
    // A command word alone at the end stops the reading without a failure.
    EXPECT_EQ(lies("logger"), "");
}

TEST_F(Konfiguration, KommentareUndWorteNachBasicLayoutsWerdenAlsBefehleGelesen)
{
    log4cpp::CFileAppender::setze_pfad("/vorher");
    EXPECT_EQ(lies("# appender k6x basic console\n"
                   "path #kein-pfad category k6a\n"
                   "appender k6b basic console category k6c # priority k6c LOUD\n"),
              "");
    EXPECT_EQ(log4cpp::CFileAppender::gib_pfad(), "/vorher");
    EXPECT_EQ(Category::exists("k6x"), nullptr);
    EXPECT_NE(Category::exists("k6a"), nullptr);
    EXPECT_EQ(Category::getInstance("k6b").getAllAppenders().size(), 1u);
    EXPECT_NE(Category::exists("k6c"), nullptr);
}

TEST_F(Konfiguration, MusterBisZeilenendeUndUngueltigesMusterBleibtBeiStandard)
{
    log4cpp::CFileAppender::setze_pfad(tmp.path().toStdString());
    EXPECT_EQ(lies("appender k7a pattern file a.log   [%c] %p: %m%n\r\n"
                   "appender k7b pattern file b.log %t %m%n\n"
                   "appender k7c pattern file c.log\n%m|%n\n"),
              "");
    Category::getInstance("k7a").info("eins");
    Category::getInstance("k7b").info("zwei");
    Category::getInstance("k7c").info("drei");
    EXPECT_EQ(inhalt(QStringLiteral("a.log")), "[k7a] INFO: eins\n");
    EXPECT_EQ(inhalt(QStringLiteral("b.log")), "zwei\n");
    // White space before the pattern includes line ends.
    EXPECT_EQ(inhalt(QStringLiteral("c.log")), "drei|\n");
}

TEST_F(Konfiguration, RemoteSyslogSendetAnDenHostUndOhnePortEndetDasLesen)
{
    const int empfaenger = socket(AF_INET, SOCK_DGRAM, 0);
    ASSERT_GE(empfaenger, 0);
    sockaddr_in adresse{};
    adresse.sin_family = AF_INET;
    adresse.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t laenge = sizeof adresse;
    ASSERT_EQ(bind(empfaenger, reinterpret_cast<sockaddr*>(&adresse), sizeof adresse), 0);
    ASSERT_EQ(getsockname(empfaenger, reinterpret_cast<sockaddr*>(&adresse), &laenge), 0);
    const std::string port = std::to_string(ntohs(adresse.sin_port));
    EXPECT_EQ(lies("appender k8 pattern remotesyslog upd 127.0.0.1 8 " + port + " %p %m\n"), "");
    Category::getInstance("k8").error("ueber das Netz");
    pollfd warten{empfaenger, POLLIN, 0};
    ASSERT_EQ(poll(&warten, 1, 10000), 1);
    char puffer[512];
    const ssize_t n = recv(empfaenger, puffer, sizeof puffer, 0);
    close(empfaenger);
    // facility 8 (user) + syslog level 3 (error)
    EXPECT_EQ(std::string(puffer, n > 0 ? static_cast<std::size_t>(n) : 0u),
              "<11>ERRORPRIO ueber das Netz");

    EXPECT_EQ(lies("appender k8b basic remotesyslog upd 127.0.0.1\ncategory k8c\n"), "");
    EXPECT_EQ(Category::getInstance("k8b").getAllAppenders().size(), 1u);
    EXPECT_EQ(Category::exists("k8c"), nullptr);
}

TEST(Prioritaetsnamen, EigeneNamenFuer300Und700)
{
    EXPECT_EQ(log4cpp::gib_prioritaetsname(300), "ERRORPRIO");
    EXPECT_EQ(log4cpp::gib_prioritaetsname(700), "DEBUGPRIO");
    EXPECT_EQ(log4cpp::gib_prioritaetsname(0), "FATAL");
    EXPECT_EQ(log4cpp::gib_prioritaetsname(600), "INFO");
    EXPECT_EQ(log4cpp::gib_prioritaetsname(800), "NOTSET");
    EXPECT_EQ(log4cpp::gib_prioritaetsname(5000), "NOTSET");
    int wert = -1;
    EXPECT_TRUE(log4cpp::gib_prioritaetswert("DEBUGPRIO", wert));
    EXPECT_EQ(wert, 700);
    EXPECT_TRUE(log4cpp::gib_prioritaetswert("NOTICE", wert));
    EXPECT_EQ(wert, 500);
    for (const char* falsch : {"ERROR", "DEBUG", "debugprio", "12a", "", "UNKNOWN"})
        EXPECT_FALSE(log4cpp::gib_prioritaetswert(falsch, wert)) << falsch;
}

TEST(PatternLayout, UmwandlungenUndUngueltigeMuster)
{
    setenv("TZ", "UTC", 1);
    tzset();
    log4cpp::LoggingEvent ereignis("kat", "Text", "ndc", log4cpp::Priority::ERROR);
    ereignis.timeStamp = log4cpp::TimeStamp(1518185133, 0);
    std::string text;
    ASSERT_TRUE(log4cpp::CPatternLayout::formatiere("%D|%d|%R|%p|%c|%x|%m|%%%n", ereignis, text));
    EXPECT_EQ(text, "09.02.18 14:05:33|Fri Feb  9 14:05:33 2018|1518185133|ERRORPRIO|kat|ndc|Text|%\n");

    for (const char* muster : {"%r", "%u"}) {
        ASSERT_TRUE(log4cpp::CPatternLayout::formatiere(muster, ereignis, text));
        EXPECT_TRUE(passt(text, QStringLiteral("-?\\d+"))) << muster << ": " << text;
    }

    log4cpp::CPatternLayout layout;
    EXPECT_EQ(layout.gib_muster(), "%m%n");
    for (const char* falsch : {"%t", "%m%", "%d{%H}"}) {
        EXPECT_FALSE(layout.setze_muster(falsch)) << falsch;
        EXPECT_FALSE(log4cpp::CPatternLayout::formatiere(falsch, ereignis, text));
        EXPECT_EQ(text, "");
    }
    EXPECT_EQ(layout.gib_muster(), "%m%n");
    EXPECT_EQ(log4cpp::CPatternLayout("%p %m %n").format(ereignis), "ERRORPRIO Text \n");
}

TEST(LogInterface, AppenderReichtJedesEreignisFormatiertWeiter)
{
    Sammler sammler;
    auto* appender = new log4cpp::CLogInterfaceAppender("InterfaceAppender", &sammler);
    appender->setLayout(new log4cpp::CPatternLayout("%m %n"));
    Category& kategorie = Category::getInstance("k9");
    kategorie.setAdditivity(false);
    kategorie.addAppender(appender);
    kategorie.error("schlimm");
    kategorie.warn("vorsicht");
    EXPECT_EQ(sammler.prioritaeten, (std::vector<int>{300, 400}));
    EXPECT_EQ(sammler.texte, (std::vector<std::string>{"schlimm \n", "vorsicht \n"}));
    kategorie.removeAppender(appender);
}

TEST(LogInterface, StandardSchreibenTutNichtsUndBlockiertDieWurzelNicht)
{
    log4cpp::CLogInterface standard;
    auto* appender = new log4cpp::CLogInterfaceAppender("Standard", &standard);
    Category& wurzel = Category::getRoot();
    wurzel.addAppender(appender);
    wurzel.error("kommt an und kehrt zurueck");
    wurzel.removeAppender(appender);
}
