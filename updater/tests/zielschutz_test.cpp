// Hostile targets and names: links out of the target, deep names, the updater's own files, control
// characters, a folder held by another process, and an "uninstall.dat" that cannot be read.
#include "cuninstallinfo.h"
#include "czielsperre.h"
#include "importzip.h"
#include "ordnerfuerandere.h"
#include "uninstallinthread.h"
#include "verzeichnisse.h"
#include "wecker.h"
#include "zielordner.h"
#include "zip_hilfe.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QDeadlineTimer>
#include <QThread>
#include <gtest/gtest.h>

#include <functional>
#include <future>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/prctl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <tuple>

using namespace testzip;

namespace {

class Zielschutz : public ::testing::Test
{
protected:
    void SetUp() override
    {
        unistall_map().clear();
        ziel = dir.path() + "/ziel";
        draussen = dir.path() + "/draussen";
        QDir().mkpath(ziel);
        QDir().mkpath(draussen);
        schreibe(draussen + "/opfer.txt", "bleibt");
    }
    void TearDown() override
    {
        unistall_map().clear();
        CZielsperre::setze_wartezeit(5000);
    }

    bool installiere(const std::vector<Eintrag>& eintraege, CUninstallInfo* info = nullptr)
    {
        const QString zip = dir.path() + "/update.zip";
        schreibe(zip, baue(eintraege));
        int modus = 0;
        return ImportZIP_installation(&log, &modus, zip, ziel, info);
    }
    bool deinstalliere()
    {
        int modus = 2;
        return UninstallInThread(&log, &modus, CQString(ziel), CQString("TALVOR"));
    }
    // What lies outside the target, apart from the archive: must stay as it was.
    QStringList draussen_inhalt() const
    {
        QStringList r;
        QDirIterator it(draussen, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            r << it.next().mid(draussen.size());
        r.sort();
        return r;
    }
    QStringList schluessel() const
    {
        QStringList r;
        for (const auto& e : unistall_map())
            r << e.first;
        return r;
    }
    bool temporaere_dateien() const
    {
        QDirIterator it(dir.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            if (it.next().contains(QLatin1String("/.aktualisierer-")))
                return true;
        return false;
    }

    QTemporaryDir dir;
    QString ziel;
    QString draussen;
    AufzeichnenderLog log;
};

} // namespace

TEST_F(Zielschutz, LinksAusDemZielWerdenWederBeschriebenNochGeloescht)
{
    ASSERT_TRUE(QFile::link(draussen, ziel + "/lnk"));
    ASSERT_TRUE(QFile::link(draussen + "/opfer.txt", ziel + "/datei.txt"));
    QDir().mkpath(ziel + "/innen/echt");
    ASSERT_TRUE(QFile::link("echt", ziel + "/innen/kurz"));

    EXPECT_FALSE(installiere({datei("lnk/evil.txt", "boese"), datei("lnk/neu/tief.txt", "boese"),
                              datei("lnk/", ""), datei("datei.txt", "neu"), datei("innen/kurz/x.txt", "x")}));
    // Nothing appeared or changed outside; the link that stays inside was followed.
    EXPECT_EQ(draussen_inhalt(), QStringList{"/opfer.txt"});
    EXPECT_EQ(lies(draussen + "/opfer.txt"), QByteArray("bleibt"));
    EXPECT_EQ(lies(ziel + "/innen/echt/x.txt"), QByteArray("x"));
    // A link in the place of a file is replaced by the file, not written through.
    EXPECT_FALSE(QFileInfo(ziel + "/datei.txt").isSymLink());
    EXPECT_EQ(lies(ziel + "/datei.txt"), QByteArray("neu"));
    EXPECT_EQ(log.aufrufe.filter("Unzulässiger Name").size(), 3);
    EXPECT_EQ(schluessel(), (QStringList{"datei.txt", "innen/kurz/x.txt"}));
    EXPECT_FALSE(temporaere_dateien());

    // The uninstall does not delete through the link either.
    unistall_map().clear();
    ergaenze_unistall("lnk/opfer.txt", CZeitVDN(CQString("06.12.2026 09:17:18")));
    EXPECT_FALSE(deinstalliere());
    EXPECT_EQ(lies(draussen + "/opfer.txt"), QByteArray("bleibt"));
    EXPECT_TRUE(log.hat_text("Fehlgeschlagen Löschen Datei " + ziel + "/lnk/opfer.txt: " + std::strerror(EXDEV)));
    // A folder's record removes no link in its place (a user's); what was behind it stays too.
    ergaenze_unistall("lnk/", CZeitVDN(CQString("06.12.2026 09:17:18")));
    EXPECT_FALSE(deinstalliere());
    EXPECT_TRUE(QFileInfo(ziel + "/lnk").isSymLink());
    EXPECT_EQ(lies(draussen + "/opfer.txt"), QByteArray("bleibt"));
}

// Something other than the program's own folder at the name of its folder of temporary files:
// nothing is made, linked or removed through it, and an update that replaces files (each taking a
// temporary name), its records and the uninstall go on beside it; where something stands at every
// name that folder may take, the install is refused before anything changes.
TEST_F(Zielschutz, FremdesAmNamenDesTempordnersWirdNieBenutzt)
{
    const QTemporaryDir anderswo(QStringLiteral("/dev/shm/zielschutz-XXXXXX"));
    const std::vector<std::pair<const char*, std::function<bool(const QString&)>>> faelle{
        {"Link hinaus", [&](const QString& t) { return QFile::link(draussen, t); }},
        {"Datei", [](const QString& t) { schreibe(t, "eigen"); return true; }},
        {"toter Link", [&](const QString& t) { return QFile::link(draussen + "/fehlt", t); }},
        {"Link auf ein anderes Dateisystem", [&](const QString& t) { return QFile::link(anderswo.path(), t); }},
        {"fremder Ordner", [](const QString& t) { return QDir().mkpath(t) && ::chown(QFile::encodeName(t).constData(), 65534, 65534) == 0; }},
        {"unbeschreibbarer Ordner", [](const QString& t) { return QDir().mkpath(t) && QFile::setPermissions(t, QFile::ReadOwner | QFile::ExeOwner); }},
        {"Ordner, in den die Gruppe schreibt", [](const QString& t) { return QDir().mkpath(t) && ::chmod(QFile::encodeName(t).constData(), 0770) == 0; }},
        {"Ordner, in den jeder schreibt", [](const QString& t) { return QDir().mkpath(t) && ::chmod(QFile::encodeName(t).constData(), 0707) == 0; }},
        {"an jedem Namen", [](const QString& t) {
             for (const QString& n : {t, t + "-2", t + "-3", t + "-4"})
                 schreibe(n, "eigen");
             return true;
         }}};
    struct stat vorher{};
    ASSERT_EQ(::stat(QFile::encodeName(draussen).constData(), &vorher), 0);
    for (size_t i = 0; i < faelle.size(); ++i) {
        SCOPED_TRACE(faelle[i].first);
        ziel = dir.path() + "/ziel" + QString::number(i);
        const QString temp = ziel + "/.aktualisierer-temp";
        QDir().mkpath(ziel + "/o");
        schreibe(ziel + "/a.txt", "alt");
        schreibe(ziel + "/o/b.txt", "alt");
        if (!faelle[i].second(temp))
            continue;
        // Looked at now: a QFileInfo looks only when asked.
        const auto art = [&temp] { const QFileInfo f(temp); return std::make_tuple(f.isSymLink(), f.symLinkTarget(), f.isDir()); };
        const auto davor = art();
        const bool alle = i + 1 == faelle.size();
        {
            CUninstallInfo info(ziel);
            EXPECT_EQ(installiere({datei("a.txt", "neu"), datei("o/b.txt", "neu")}, &info), !alle);
        }
        EXPECT_EQ(lies(ziel + "/a.txt"), alle ? QByteArray("alt") : QByteArray("neu"));
        EXPECT_EQ(lies(ziel + "/o/b.txt"), alle ? QByteArray("alt") : QByteArray("neu"));
        EXPECT_EQ(log.hat_text("Fehler: Verzeichnis '" + temp + "' kann nicht angelegt werden: " + std::strerror(EEXIST)), alle);
        EXPECT_EQ(QFileInfo::exists(ziel + "/uninstall.dat"), !alle);
        if (alle) {
            // The uninstall takes its records off through that folder: refused alike, before a file goes.
            CUninstallInfo info(ziel);
            ergaenze_unistall("a.txt", CZeitVDN(CQString("06.12.2026 09:17:18")));
            EXPECT_FALSE(deinstalliere());
            EXPECT_EQ(lies(ziel + "/a.txt"), QByteArray("alt"));
        } else {
            EXPECT_TRUE(deinstalliere());
        }
        EXPECT_TRUE(art() == davor);
        EXPECT_FALSE(QFileInfo::exists(temp + "-2") && !alle);
        EXPECT_EQ(draussen_inhalt(), QStringList{"/opfer.txt"});
        unistall_map().clear();
    }
    // Nothing was even made and removed again outside.
    struct stat nachher{};
    ASSERT_EQ(::stat(QFile::encodeName(draussen).constData(), &nachher), 0);
    EXPECT_EQ(nachher.st_mtim.tv_sec, vorher.st_mtim.tv_sec);
    EXPECT_EQ(nachher.st_mtim.tv_nsec, vorher.st_mtim.tv_nsec);
    EXPECT_TRUE(!anderswo.isValid() || QDir(anderswo.path()).isEmpty());
}

// A folder moved out of the target while an update replaces its files, half of which hold the
// entry's data at another time (once the first of them is reported): after the part of the naming
// under way, no file takes a name or the entry's time at its new place, and nothing of the run's
// is left there; every entry that took no effect there says why.
TEST_F(Zielschutz, VerschobenerOrdnerWirdNichtMehrBeschrieben)
{
    // More entries than a run keeps on their way: the last ones are written after the move.
    constexpr int anzahl = 5000;
    QDir().mkpath(ziel + "/m");
    std::vector<Eintrag> eintraege;
    for (int i = 0; i < anzahl; ++i) {
        const QString name = QStringLiteral("m/f%1").arg(i, 4, 10, QLatin1Char('0'));
        schreibe(ziel + "/" + name, i % 2 ? "neu!" : "alt");
        eintraege.push_back(datei(name.toUtf8(), "neu!"));
    }
    schreibe(dir.path() + "/update.zip", baue(eintraege));
    VerschiebenderLog verschieber;
    verschieber.von = ziel + "/m";
    verschieber.nach = draussen + "/m";
    verschieber.ausloeser = "installiere m/f0000";
    int modus = 0;
    EXPECT_FALSE(ImportZIP_installation(&verschieber, &modus, dir.path() + "/update.zip", ziel, nullptr));
    const QRegularExpression neu(QStringLiteral(" 4 %1$").arg(dos_als_datum().toSecsSinceEpoch()));
    const auto neue = [&neu](const QStringList& inhalt) { return inhalt.filter(neu).size(); };
    const QStringList danach = VerschiebenderLog::inhalt(draussen + "/m");
    ASSERT_FALSE(verschieber.bei_verschiebung.isEmpty());
    EXPECT_LE(neue(danach) - neue(verschieber.bei_verschiebung), 256);
    EXPECT_EQ(danach.filter(".aktualisierer-"), QStringList{});
    EXPECT_GE(verschieber.aufrufe.filter("Verzeichnis wurde während der Installation aus dem Zielverzeichnis verschoben").size(),
              anzahl - neue(danach));
}

// A folder that a stopped run made ahead and takes away again, moved out of the target meanwhile and
// replaced by an empty folder or a link of the user's: what stands at its name now stays, and so
// does the run's folder at its new place; nothing there counts as the run's.
TEST_F(Zielschutz, AnStelleDesVerschobenenOrdnersBleibtWasDortSteht)
{
    CZielordner zielordner(ziel);
    QStringList angelegt;
    QString fehlstufe;
    ASSERT_EQ(zielordner.lege_an("n/m", angelegt, fehlstufe), 0);
    ASSERT_EQ(zielordner.lege_an("l", angelegt, fehlstufe), 0);
    ASSERT_TRUE(QDir().rename(ziel + "/n", draussen + "/n") && QDir().rename(ziel + "/l", draussen + "/l"));
    ASSERT_TRUE(QDir().mkdir(ziel + "/n") && QDir().mkdir(ziel + "/leer") && QFile::link("leer", ziel + "/l"));
    for (const char* stufe : {"n/m/", "n/", "l/"})
        EXPECT_FALSE(zielordner.entferne_wenn_leer(stufe)) << stufe;
    EXPECT_TRUE(QFileInfo(ziel + "/n").isDir() && QFileInfo(ziel + "/leer").isDir() && QFileInfo(ziel + "/l").isSymLink());
    EXPECT_EQ(draussen_inhalt(), (QStringList{"/l", "/n", "/n/m", "/opfer.txt"}));
}

TEST_F(Zielschutz, UninstallDateiAlsLinkWirdNichtDurchschrieben)
{
    ASSERT_TRUE(QFile::link(draussen + "/opfer.txt", ziel + "/uninstall.dat"));
    {
        CUninstallInfo info(ziel);
        EXPECT_FALSE(installiere({datei("a.txt", "a")}, &info));
    }
    EXPECT_EQ(lies(draussen + "/opfer.txt"), QByteArray("bleibt"));
    EXPECT_FALSE(QFileInfo::exists(ziel + "/a.txt"));
    EXPECT_TRUE(log.hat_text("Kann Datei " + ziel + "/uninstall.dat nicht zum Lesen oeffnen"));
    // The uninstall refuses on records it could not read.
    CUninstallInfo info(ziel);
    ergaenze_unistall("x.txt", CZeitVDN(CQString("06.12.2026 09:17:18")));
    schreibe(ziel + "/x.txt", "x");
    EXPECT_FALSE(deinstalliere());
    EXPECT_TRUE(QFileInfo::exists(ziel + "/x.txt"));
    unistall_map().clear();
}

TEST_F(Zielschutz, TiefeNamenGebenEineFehlerzeile)
{
    QByteArray tief;
    for (int i = 0; i < 5000; ++i)
        tief += "d/";
    EXPECT_FALSE(installiere({datei(tief + "x.txt", "x"), datei("gut.txt", "g")}));
    EXPECT_EQ(log.aufrufe.filter("kann nicht angelegt werden").size(), 1);
    EXPECT_EQ(log.aufrufe.filter("Fehler bei entpacken").size(), 0);
    EXPECT_EQ(lies(ziel + "/gut.txt"), QByteArray("g"));
    // The folders that were made are on record, so that the uninstall removes them all.
    EXPECT_GT(unistall_map().size(), 1000u);
    EXPECT_TRUE(deinstalliere());
    EXPECT_EQ(QDir(ziel).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{});
}

TEST_F(Zielschutz, EigeneProgrammeInJederSchreibweise)
{
    const QString eigen = gib_programmdatei().fileName();
    EXPECT_TRUE(installiere({datei("./updater.exe", "u"), datei(".//Aktualisierer.exe", "a"),
                             datei(eigen.toUpper().toUtf8(), "t"), datei("sub/updater.exe", "s")}));
    EXPECT_EQ(QDir(ziel).entryList(QDir::Files), QStringList{});
    EXPECT_EQ(lies(ziel + "/sub/updater.exe"), QByteArray("s"));
    EXPECT_EQ(log.aufrufe.filter("überspringe").size(), 3);
}

TEST_F(Zielschutz, SteuerzeichenErscheinenMaskiert)
{
    LoggerMitschnitt logger;
    EXPECT_FALSE(installiere({datei("a\nInstallation beendet.", "x"), datei("b\x1b[2J.txt", "y")}));
    EXPECT_TRUE(log.hat_text("Fehler bei entpacken von a\\x0aInstallation beendet. : "
                             "Unzulässiger Name: Steuerzeichen im Namen"));
    EXPECT_TRUE(log.hat_text("Fehler bei entpacken von b\\x1b[2J.txt : Unzulässiger Name: Steuerzeichen im Namen"));
    // No line of the protocol or the log holds a raw control character.
    for (const QString& zeile : log.aufrufe + logger.zeilen())
        for (const QChar c : zeile)
            EXPECT_FALSE(c.unicode() < 0x20) << zeile.toStdString();
    EXPECT_FALSE(log.hat_text("Installation beendet."));
    EXPECT_EQ(QDir(ziel).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{});
}

// Any account that may open the target could lock the folder: that holds up nothing. Another
// updater holds it, also one of another account that may write the target too.
TEST_F(Zielschutz, FremderProzessHaeltDasZiel)
{
    // A target the other account can reach: the temporary folder may be one only root may enter.
    const OrdnerFuerAndere anderswo;
    ASSERT_TRUE(QDir().mkpath(ziel = anderswo.pfad("ziel")));
    const int fremd = ::open(QFile::encodeName(ziel).constData(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(fremd, 0);
    ASSERT_EQ(::flock(fremd, LOCK_EX), 0);
    EXPECT_TRUE(installiere({datei("b.txt", "b")}));
    ASSERT_EQ(::chmod(QFile::encodeName(ziel).constData(), 0777), 0);
    int bereit[2];
    char antwort = 0;
    ASSERT_EQ(::pipe(bereit), 0);
    const pid_t anderer = ::fork();
    if (anderer == 0) {
        (void)(::geteuid() == 0 && ::setresgid(65534, 65534, 65534) == 0 && ::setresuid(65534, 65534, 65534) == 0);
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        const CZielsperre sperre(ziel, CZielsperre::aendern);
        ::_exit(::write(bereit[1], sperre.gehalten() ? "j" : "n", 1) == 1 ? ::pause() : 1);
    }
    ASSERT_TRUE(::read(bereit[0], &antwort, 1) == 1 && antwort == 'j');
    CZielsperre::setze_wartezeit(300);
    {
        // After its wait the install gives up; it never waits for the other process.
        const Wecker wecker;
        CUninstallInfo info(ziel);
        EXPECT_FALSE(installiere({datei("a.txt", "a")}, &info));
    }
    EXPECT_TRUE(log.hat_text("Zielverzeichnis " + ziel + " wird von einem anderen Programm bearbeitet"));
    EXPECT_EQ(QDir(ziel).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), (QStringList{".aktualisierer.sperre", "b.txt"}));
    ::kill(anderer, SIGKILL), ::waitpid(anderer, nullptr, 0);
    ::close(fremd);

    // The target replaced while a job waits for another updater (an open file description of its
    // own locks as another process does): the job holds the new one.
    CZielsperre::setze_wartezeit(60000);
    const int anderer_halter = ::open(QFile::encodeName(ziel + "/.aktualisierer.sperre").constData(), O_RDWR | O_CREAT, 0600);
    struct flock sperre{F_WRLCK, SEEK_SET, 0, 0, 0};
    ASSERT_EQ(::fcntl(anderer_halter, F_OFD_SETLK, &sperre), 0);
    auto wartend = std::async(std::launch::async, [this] { return std::make_unique<CZielsperre>(ziel); });
    for (QDeadlineTimer frist(60000); !QDir("/proc/self/fd").entryInfoList(QDir::AllEntries | QDir::System).contains(QFileInfo(ziel)) && !frist.hasExpired();)
        QThread::msleep(5);
    ASSERT_TRUE(QDir().rename(ziel, ziel + ".alt") && QDir().mkdir(ziel));
    ::close(anderer_halter);
    const std::unique_ptr<CZielsperre> neu = wartend.get();
    EXPECT_TRUE(neu->gehalten() && QFileInfo::exists(ziel + "/.aktualisierer.sperre"));

    // Jobs of one process share the hold.
    CZielsperre erste(ziel);
    CZielsperre zweite(ziel);
    EXPECT_TRUE(erste.gehalten());
    EXPECT_TRUE(zweite.gehalten());
    EXPECT_TRUE(installiere({datei("c.txt", "c")}));
}

TEST_F(Zielschutz, UninstallDateiLesen)
{
    // A FIFO is not waited on; it counts as unreadable.
    ASSERT_EQ(::mkfifo(QFile::encodeName(ziel + "/uninstall.dat").constData(), 0600), 0);
    {
        const Wecker wecker;
        CUninstallInfo info(ziel);
        EXPECT_FALSE(info.gib_ladefehler().isEmpty());
    }
    QFile::remove(ziel + "/uninstall.dat");
    // A line longer than any path is passed over; the lines around it are read.
    schreibe(ziel + "/uninstall.dat", "06.12.2026 09:17:18;a.txt\r\n06.12.2026 09:17:18;" + QByteArray(100000, 'x')
                                          + "\r\n06.12.2026 09:17:18;b.txt\r\n");
    CUninstallInfo info(ziel);
    EXPECT_TRUE(info.gib_ladefehler().isEmpty());
    EXPECT_EQ(schluessel(), (QStringList{"a.txt", "b.txt"}));
    unistall_map().clear();
}

// The look at the folder of temporary files leaves none; an empty one goes without a free handle.
TEST_F(Zielschutz, TempordnerGehtAuchOhneFreienHandle)
{
    const QString temp = ziel + "/.aktualisierer-temp";
    const int ordner = ::open(QFile::encodeName(ziel).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    EXPECT_TRUE(tempordner_fehlertext(ziel, ordner).isEmpty() && !QFileInfo::exists(temp));
    ASSERT_TRUE(QDir().mkpath(temp));
    rlimit alt{};
    ::getrlimit(RLIMIT_NOFILE, &alt);
    const rlimit neu{256, alt.rlim_max};
    ::setrlimit(RLIMIT_NOFILE, &neu);
    std::vector<int> belegt{ordner};
    while (belegt.back() >= 0)
        belegt.push_back(::dup(ordner));
    entferne_tempordner(ordner);
    for (const int fd : belegt)
        ::close(fd);
    ::setrlimit(RLIMIT_NOFILE, &alt);
    EXPECT_FALSE(QFileInfo::exists(temp));
}
