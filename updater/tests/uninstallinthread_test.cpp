// The uninstall run: listing the records, deleting files and then folders, never outside the root.
#include "cuninstallinfo.h"
#include "kleinesdateisystem.h"
#include "uninstallinthread.h"
#include "zip_hilfe.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <map>
#include <sys/resource.h>
#include <chrono>
#include <future>
#include <thread>


using namespace testzip;

namespace {

class UninstallLauf : public ::testing::Test
{
protected:
    void SetUp() override
    {
        unistall_map().clear();
        wurzel = dir.path() + "/R";
        QDir().mkpath(wurzel);
    }
    void TearDown() override { unistall_map().clear(); }

    void eintrag(const QString& schluessel)
    {
        ergaenze_unistall(schluessel, CZeitVDN(CQString("06.12.2026 09:17:18")));
    }
    bool lauf(int modus, CCBaseLog* fenster)
    {
        return UninstallInThread(fenster, &modus, CQString(wurzel), CQString("TALVOR"));
    }
    void verschiebe_waehrend_der_deinstallation(bool ersetzt);
    void benenne_waehrend_der_deinstallation_um(bool bleibt);

    QTemporaryDir dir;
    QString wurzel;
    AufzeichnenderLog log;
};

} // namespace

TEST_F(UninstallLauf, LoeschtDateienDannOrdnerVonInnenNachAussen)
{
    QDir().mkpath(wurzel + "/a/b");
    schreibe(wurzel + "/a/b/c.dll", "c");
    // "./a/" names the folder "a" again: gone with it, it was not moved away. "a/nie/" is what an
    // install killed at once recorded and never made: gone already, as its file, and as what a
    // record names below a file (a user's file at a never made folder's name).
    for (const char* s : {"a/", "a/b/", "a/b/c.dll", "./a/", "a/nie/", "a/nie/x.txt", "a/b/c.dll/d/", "a/b/c.dll/d/e.txt"})
        eintrag(s);
    EXPECT_TRUE(lauf(2, &log));
    EXPECT_FALSE(QFileInfo::exists(wurzel + "/a"));
    EXPECT_TRUE(QFileInfo(wurzel).isDir());
    const QStringList texte = log.nur("text0");
    const int datei = texte.indexOf("gelöscht " + wurzel + "/a/b/c.dll");
    const int innen = texte.indexOf("gelöscht " + wurzel + "/a/b");
    const int aussen = texte.indexOf("gelöscht " + wurzel + "/a");
    ASSERT_GE(datei, 0);
    EXPECT_LT(datei, innen);
    EXPECT_LT(innen, aussen);
    EXPECT_EQ(log.nur("titel"), (QStringList{"Deinstallation - Lösche Dateien", "Deinstallation - Lösche Verzeichnisse",
                                             "Deinstallation"}));
    EXPECT_EQ(log.nur("gesamt"), QStringList{"3"});
    EXPECT_TRUE(log.hat_text("Deinstallation beendet."));
    EXPECT_TRUE(log.ist_ok());
    // The records go with what they name.
    EXPECT_TRUE(unistall_map().empty());
}

TEST_F(UninstallLauf, VollerOrdnerIstEinFehlerEineFehlendeDateiNicht)
{
    QDir().mkpath(wurzel + "/voll");
    schreibe(wurzel + "/voll/fremd.txt", "f");
    eintrag("voll/");
    eintrag("weg.txt");
    EXPECT_FALSE(lauf(2, &log));
    // Gone already (a killed run leaves such records): as good as deleted.
    EXPECT_TRUE(log.hat_text("gelöscht " + wurzel + "/weg.txt"));
    EXPECT_TRUE(log.hat_text("Fehlgeschlagen Löschen Verzeichnis " + wurzel + "/voll: " + std::strerror(ENOTEMPTY)));
    EXPECT_TRUE(log.hat_text("Deinstallation -mit Fehlern- beendet."));
    EXPECT_TRUE(log.aufrufe.contains("fehler"));
    EXPECT_TRUE(QFileInfo::exists(wurzel + "/voll/fremd.txt"));
    // The record of what stays, stays.
    EXPECT_EQ(unistall_map().size(), 1u);
    EXPECT_EQ(unistall_map().count("voll/"), 1u);
}

TEST_F(UninstallLauf, SchluesselAusserhalbDerWurzelWerdenAbgewiesen)
{
    schreibe(dir.path() + "/draussen.txt", "bleibt");
    QDir().mkpath(dir.path() + "/draussen");
    for (const char* s : {"../draussen.txt", "a/../../draussen.txt", "..\\draussen.txt", "../draussen/"})
        eintrag(s);
    eintrag("/"); // the root itself is never removed
    EXPECT_FALSE(lauf(2, nullptr));
    EXPECT_EQ(lies(dir.path() + "/draussen.txt"), QByteArray("bleibt"));
    EXPECT_TRUE(QFileInfo(dir.path() + "/draussen").isDir());
    EXPECT_TRUE(QFileInfo(wurzel).isDir());
}

TEST_F(UninstallLauf, WindowsPfadeWerdenAbgelehnt)
{
    // A key with a drive or a leading backslash would name a file relative to the working
    // folder, outside the root: refused and counted, nothing deleted.
    QDir().mkpath(dir.path() + "/C:/Programme");
    schreibe(dir.path() + "/C:/Programme/x.dll", "x");
    schreibe(dir.path() + "/\\y.dll", "y");
    const QString alt = QDir::currentPath();
    QDir::setCurrent(dir.path());
    eintrag("C:/Programme/x.dll");
    eintrag("\\y.dll");
    EXPECT_FALSE(lauf(2, &log));
    QDir::setCurrent(alt);
    EXPECT_TRUE(QFileInfo::exists(dir.path() + "/C:/Programme/x.dll"));
    EXPECT_TRUE(QFileInfo::exists(dir.path() + "/\\y.dll"));
    EXPECT_TRUE(log.hat_text("Fehlgeschlagen Löschen Datei " + wurzel + "/C:/Programme/x.dll"));
    EXPECT_TRUE(log.hat_text("Fehlgeschlagen Löschen Datei " + wurzel + "/\\y.dll"));
}

TEST_F(UninstallLauf, ZeigtEintraegeNummeriert)
{
    for (const char* s : {"a/", "a/b.txt", "c.txt"})
        eintrag(s);
    EXPECT_TRUE(lauf(3, &log));
    EXPECT_EQ(log.nur("titel"), QStringList{"Inhalt der Uninstall Information 'uninstall.dat'"});
    EXPECT_TRUE(log.aufrufe.contains("abbruch"));
    EXPECT_EQ(log.nur("text0"), (QStringList{"0001: 06.12.2026 09:17:18  a/", "0002: 06.12.2026 09:17:18  a/b.txt",
                                             "0003: 06.12.2026 09:17:18  c.txt"}));
    EXPECT_EQ(log.nur("schritt").last(), "3");
    EXPECT_TRUE(lauf(3, nullptr));
    EXPECT_TRUE(UninstallInThread(nullptr, nullptr, CQString(wurzel), CQString("TALVOR")));
    EXPECT_EQ(unistall_map().size(), 3u);
}

TEST_F(UninstallLauf, OhneEintraegeEineWarnung)
{
    EXPECT_TRUE(lauf(3, &log));
    EXPECT_EQ(log.nur("text1"), QStringList{"Keine Uninstall Information für TALVOR gefunden !"});
    AufzeichnenderLog log2;
    EXPECT_TRUE(lauf(2, &log2));
    EXPECT_TRUE(log2.hat_text("Deinstallation beendet."));
}

TEST_F(UninstallLauf, AnStelleDesAufgezeichnetenBleibtWasDerAnwenderHinstellte)
{
    // Installed were the folders "g" and "l" and the file "d"; the user then put a file in place
    // of "g", a link to a folder of his in place of "l", and a folder in place of "d".
    for (const char* s : {"g/", "g/h.txt", "l/", "d"})
        eintrag(s);
    schreibe(wurzel + "/g", "eigen");
    QDir().mkpath(dir.path() + "/eigen");
    ASSERT_TRUE(QFile::link(dir.path() + "/eigen", wurzel + "/l"));
    QDir().mkpath(wurzel + "/d");
    EXPECT_FALSE(lauf(2, &log));
    EXPECT_EQ(lies(wurzel + "/g"), QByteArray("eigen"));
    EXPECT_TRUE(QFileInfo(wurzel + "/l").isSymLink());
    EXPECT_TRUE(QFileInfo(wurzel + "/d").isDir());
    EXPECT_TRUE(QFileInfo(dir.path() + "/eigen").isDir());
    EXPECT_TRUE(log.hat_text("Fehlgeschlagen Löschen Verzeichnis " + wurzel + "/g: " + std::strerror(ENOTDIR)));
    EXPECT_TRUE(log.hat_text("Fehlgeschlagen Löschen Verzeichnis " + wurzel + "/l: " + std::strerror(ENOTDIR)));
    EXPECT_TRUE(log.hat_text("Fehlgeschlagen Löschen Datei " + wurzel + "/d: " + std::strerror(EISDIR)));
    // Their records stay.
    for (const char* s : {"g/", "l/", "d"})
        EXPECT_EQ(unistall_map().count(s), 1u) << s;
}

// Records of two times in more folders than a walk keeps open, their keys sharing starts of
// every length: the listing shows each once, in key order, with its time; the uninstall removes
// every one but a folder holding a file of the user's, whose records stay.
TEST_F(UninstallLauf, VieleEintraegeInVielenOrdnern)
{
    std::map<QString, QString> erwartet;
    for (int i = 0; i < 400; ++i) {
        const QString ordner = QStringLiteral("o%1/u%2/").arg(i % 100).arg(i % 3);
        const QString s = ordner + (i % 5 ? QStringLiteral("d%1.txt").arg(i) : QStringLiteral("d"));
        QDir().mkpath(wurzel + "/" + ordner);
        schreibe(wurzel + "/" + s, "x");
        const QString zeit = i % 2 ? QStringLiteral("06.12.2026 09:17:18") : QStringLiteral("01.02.2025 03:04:05");
        for (const QString& schluessel : {ordner.left(ordner.indexOf('/') + 1), ordner, s}) {
            ergaenze_unistall(schluessel, CZeitVDN(CQString(zeit)));
            erwartet[schluessel] = zeit;
        }
    }
    schreibe(wurzel + "/o7/u1/eigen.txt", "eigen");
    QStringList zeilen;
    for (const auto& [schluessel, zeit] : erwartet)
        zeilen << QStringLiteral("%1: %2  %3").arg(zeilen.size() + 1, 4, 10, QLatin1Char('0')).arg(zeit, schluessel);
    EXPECT_TRUE(lauf(3, &log));
    EXPECT_EQ(log.nur("text0"), zeilen);
    EXPECT_FALSE(lauf(2, nullptr));
    EXPECT_EQ(QDir(wurzel).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"o7"});
    EXPECT_EQ(lies(wurzel + "/o7/u1/eigen.txt"), QByteArray("eigen"));
    EXPECT_EQ(unistall_map().size(), 2u);
    EXPECT_EQ(unistall_map().count("o7/") + unistall_map().count("o7/u1/"), 2u);
}

// A folder moved out of the root while the uninstall runs (once its first file is reported):
// nothing is removed at its new place, in a sub-folder the run had not reached either; its
// records count as gone, and one line names it with their number. The other records go, and
// with the last of them their file. Alike where a new folder takes its place at once, holding
// files of the recorded names: they stay.
TEST_F(UninstallLauf, VerschobenerOrdnerBleibtAnSeinemNeuenOrtGanz)
{
    verschiebe_waehrend_der_deinstallation(false);
    verschiebe_waehrend_der_deinstallation(true);
}

void UninstallLauf::verschiebe_waehrend_der_deinstallation(bool ersetzt)
{
    SCOPED_TRACE(ersetzt);
    unistall_map().clear();
    QDir().mkpath(wurzel + "/m/t");
    QDir().mkpath(wurzel + "/z");
    QStringList schluessel{"m/", "a.txt", "m/t/y", "z/", "z/b.txt"};
    for (int i = 0; i < 600; ++i)
        schluessel << QStringLiteral("m/f%1").arg(i, 3, 10, QLatin1Char('0'));
    for (const QString& s : schluessel) {
        eintrag(s);
        if (!s.endsWith('/'))
            schreibe(wurzel + "/" + s, "x");
    }
    VerschiebenderLog verschieber;
    verschieber.von = wurzel + "/m";
    verschieber.nach = dir.path() + "/woanders" + QString::number(ersetzt);
    verschieber.ausloeser = "gelöscht " + wurzel + "/m/f000";
    QStringList neue;
    if (ersetzt)
        verschieber.statt_dessen = [&] {
            ASSERT_TRUE(QDir().rename(verschieber.von, verschieber.nach) && QDir().mkdir(verschieber.von));
            verschieber.bei_verschiebung = VerschiebenderLog::inhalt(verschieber.nach);
            for (int i = 0; i < 600; i += 7)
                schreibe(verschieber.von + (neue << QStringLiteral("/f%1").arg(i, 3, 10, QLatin1Char('0'))).last(), "eigen");
        };
    CUninstallInfo info(wurzel);
    ASSERT_TRUE(info.schreibe_unistall());
    int modus = 2;
    EXPECT_FALSE(UninstallInThread(&verschieber, &modus, CQString(wurzel), CQString("TALVOR"), &info));
    const int uebrig = verschieber.bei_verschiebung.filter(QRegularExpression("^/f")).size();
    ASSERT_GT(uebrig, 300);
    EXPECT_EQ(VerschiebenderLog::inhalt(verschieber.nach).join(' ').toStdString(),
              verschieber.bei_verschiebung.join(' ').toStdString());
    EXPECT_EQ(verschieber.nur("text0").filter("gelöscht " + wurzel + "/m").size(), 600 - uebrig);
    EXPECT_TRUE(verschieber.hat_text(QStringLiteral("Verzeichnis %1/m wurde während der Deinstallation aus dem "
                                                    "Zielverzeichnis verschoben: %2 aufgezeichnete Einträge darin wurden "
                                                    "nicht gelöscht und nicht mehr aufgezeichnet")
                                         .arg(wurzel)
                                         .arg(uebrig + 2)));
    EXPECT_TRUE(verschieber.hat_text("Deinstallation -mit Fehlern- beendet."));
    EXPECT_EQ(QDir(wurzel + "/m").entryList(QDir::Files), neue.replaceInStrings("/", ""));
    EXPECT_EQ(QDir(wurzel).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), ersetzt ? QStringList{"m"} : QStringList{});
    EXPECT_TRUE(unistall_map().empty());
}

// The root renamed while the uninstall runs (a new one in its place): the run goes on in it through
// its handle, and its records go there too, naming what stays, or go with the last of them.
TEST_F(UninstallLauf, UmbenannteWurzelBehaeltWahreAufzeichnungen)
{
    benenne_waehrend_der_deinstallation_um(true);
    benenne_waehrend_der_deinstallation_um(false);
}

void UninstallLauf::benenne_waehrend_der_deinstallation_um(bool bleibt)
{
    SCOPED_TRACE(bleibt);
    QDir().mkpath(wurzel + "/voll");
    if (bleibt)
        schreibe(wurzel + "/voll/eigen.txt", "eigen");
    eintrag("voll/");
    for (int i = 100; i < 700; ++i) {
        eintrag("d" + QString::number(i));
        schreibe(wurzel + "/d" + QString::number(i), "x");
    }
    VerschiebenderLog verschieber;
    verschieber.von = wurzel;
    verschieber.nach = dir.path() + "/umbenannt" + QString::number(bleibt);
    verschieber.ausloeser = "gelöscht " + wurzel + "/d100";
    verschieber.statt_dessen = [&] {
        ASSERT_TRUE(QDir().rename(wurzel, verschieber.nach) && QDir().mkdir(wurzel));
        schreibe(wurzel + "/uninstall.dat", "neu");
    };
    CUninstallInfo info(wurzel);
    ASSERT_TRUE(info.schreibe_unistall());
    int modus = 2;
    EXPECT_EQ(UninstallInThread(&verschieber, &modus, CQString(wurzel), CQString("TALVOR"), &info), !bleibt);
    EXPECT_EQ(verschieber.aufrufe.filter("nicht zum Schreiben oeffnen"), QStringList());
    EXPECT_EQ(lies(verschieber.nach + "/uninstall.dat").endsWith("\n06.12.2026 09:17:18;voll/\r\n"), bleibt);
    EXPECT_EQ(lies(wurzel + "/uninstall.dat"), "neu");
}

// Records made unwritable during the run (a folder put at their file's name): what they still
// name (the root's record stays) is not on disk, and the run fails.
TEST_F(UninstallLauf, UnschreibbareAufzeichnungIstEinFehler)
{
    eintrag("./"), eintrag("a.txt");
    CUninstallInfo info(wurzel);
    VerschiebenderLog sperrer;
    sperrer.ausloeser = "gelöscht ";
    sperrer.statt_dessen = [&] { QFile::remove(wurzel + "/uninstall.dat"), QDir().mkdir(wurzel + "/uninstall.dat"); };
    int modus = 2;
    EXPECT_FALSE(info.schreibe_unistall() && UninstallInThread(&sperrer, &modus, CQString(wurzel), CQString("TALVOR"), &info));
    EXPECT_TRUE(sperrer.hat_text("Deinstallation -mit Fehlern- beendet."));
}

// Under a low limit of open files another thread (the window's) may hold the last free ones for a
// moment: the uninstall waits for one rather than failing the records meanwhile. A stop (the
// window closed, a signal) ends that wait at once, not after its two seconds.
TEST_F(UninstallLauf, KurzFehlendeHandlesLassenKeinenEintragFallen)
{
    for (const bool halt : {false, true}) {
        SCOPED_TRACE(halt);
        for (int i = 0; i < 600; ++i) {
            const QString ordner = QStringLiteral("o%1/").arg(i % 30);
            eintrag(ordner);
            eintrag(ordner + QString::number(i));
            QDir().mkpath(wurzel + "/" + ordner);
            schreibe(wurzel + "/" + ordner + QString::number(i), "x");
        }
        struct rlimit grenze{};
        ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &grenze), 0);
        // The other thread is started before the limit drops: a thread's start may want a handle.
        // Where it stops the job as the run waits, it holds the handles until the run ends.
        std::thread frei;
        std::promise<void> knapp, ende;
        std::chrono::steady_clock::time_point angehalten, fertig;
        VerschiebenderLog fenster;
        fenster.ausloeser = "gelöscht ";
        fenster.statt_dessen = [&] {
            frei = std::thread([&, f = ende.get_future()] {
                struct rlimit drei = grenze;
                drei.rlim_cur = 3;
                ::setrlimit(RLIMIT_NOFILE, &drei);
                knapp.set_value();
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
                if (halt)
                    angehalten = std::chrono::steady_clock::now(), fenster.breche_ab(), f.wait_for(std::chrono::seconds(20));
                ::setrlimit(RLIMIT_NOFILE, &grenze);
            });
            knapp.get_future().wait();
        };
        int modus = 2;
        EXPECT_EQ(UninstallInThread(&fenster, &modus, CQString(wurzel), CQString("TALVOR")), !halt);
        fertig = std::chrono::steady_clock::now();
        ende.set_value();
        frei.join();
        EXPECT_LT(halt ? std::chrono::duration_cast<std::chrono::milliseconds>(fertig - angehalten).count() : 0, 1000);
        EXPECT_EQ(QDir(wurzel).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty(), !halt);
    }
}

TEST_F(UninstallLauf, FehlendeWurzelWirdEinmalGenannt)
{
    for (const char* s : {"a/", "a/b.txt", "c.txt"})
        eintrag(s);
    QDir(wurzel).removeRecursively();
    EXPECT_FALSE(lauf(2, &log));
    EXPECT_EQ(log.nur("text2"), (QStringList{"Zielverzeichnis " + wurzel + " existiert nicht",
                                             "Deinstallation -mit Fehlern- beendet."}));
    EXPECT_EQ(unistall_map().size(), 3u);
}

// A log window whose report of the first step takes longer than the interval in which the
// records are written: the next deletion writes them.
struct LangsamerLog : AufzeichnenderLog
{
    void setze_fortschritt(int schritt) override
    {
        AufzeichnenderLog::setze_fortschritt(schritt);
        if (schritt == 1)
            QThread::msleep(600);
    }
};

TEST_F(UninstallLauf, VolleFestplatteMachtSichDenPlatzSelbst)
{
    // The root on a small file system of its own.
    const KleinesDateisystem klein(wurzel, "size=8m");
    if (!klein.ok)
        GTEST_SKIP() << "mounting a tmpfs needs root";
    // Small files with long names: their records take more room than a deleted file frees.
    QDir().mkpath(wurzel + "/o");
    for (int i = 0; i < 1000; ++i) {
        const QString name = "o/" + QString(100, 'n') + QString::number(i);
        schreibe(wurzel + "/" + name, "x");
        eintrag(name);
    }
    eintrag("o/");
    {
        CUninstallInfo info(wurzel);
        ASSERT_TRUE(info.schreibe_unistall());
        // Full to the last byte.
        klein.fuelle_bis(0);
        LangsamerLog langsam;
        int modus = 2;
        EXPECT_TRUE(UninstallInThread(&langsam, &modus, CQString(wurzel), CQString("TALVOR"), &info))
            << langsam.aufrufe.filter("text2").join(" | ").toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(wurzel + "/o"));
    EXPECT_TRUE(unistall_map().empty());
}
