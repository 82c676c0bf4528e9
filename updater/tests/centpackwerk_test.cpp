// Installing on several workers: everything a user or a script sees is what one worker gives.
#include "centpackwerk.h"
#include "parallelschleife.h"
#include "kleinesdateisystem.h"
#include "installation_hilfe.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>

#include <atomic>
#include <cstdio>
#include <functional>
#include <thread>
#include <sys/resource.h>
#include <unistd.h>

using namespace testzip;

namespace {

// What a run leaves: the log window's calls, standard output, the records, "uninstall.dat" and
// every file and folder below the target (content and permissions), the target's path
// replaced by "ZIEL" and the install time by "T".
struct Ergebnis
{
    bool ok = false;
    QStringList aufrufe;
    QByteArray ausgabe;
    QStringList schluessel;
    QByteArray uninstall_dat;
    QMap<QString, QByteArray> baum;
};

class ParallelesInstallieren : public InstallationsTest
{
protected:
    void TearDown() override
    {
        setze_entpack_arbeiter(0);
        InstallationsTest::TearDown();
    }

    // An existing file that the archive replaces, and a read-only one it cannot.
    void bereite_vor(const QString& z)
    {
        QDir().mkpath(z + "/alt");
        schreibe(z + "/alt/ersetzt.txt", "alt");
        schreibe(z + "/schreibgeschuetzt.txt", "alt");
        QFile::setPermissions(z + "/schreibgeschuetzt.txt", QFile::ReadOwner);
    }

    Ergebnis installiere(const QString& zip, int arbeiter, const QString& unterordner, int wirf_bei_schritt = -1)
    {
        const QString z = dir.path() + "/" + unterordner;
        bereite_vor(z);
        unistall_map().clear();
        setze_entpack_arbeiter(arbeiter);
        AufzeichnenderLog log;
        log.wirf_bei_schritt = wirf_bei_schritt;
        Ergebnis e;
        // Standard output into a file for the run.
        const QString ausgabe = dir.path() + "/ausgabe-" + unterordner;
        std::fflush(stdout);
        const int vorher = ::dup(1);
        FILE* datei = std::fopen(QFile::encodeName(ausgabe).constData(), "w");
        ::dup2(::fileno(datei), 1);
        {
            CUninstallInfo info(z);
            int modus = 0;
            e.ok = ImportZIP_installation(&log, &modus, zip, z, &info);
        }
        std::fflush(stdout);
        ::dup2(vorher, 1);
        ::close(vorher);
        std::fclose(datei);
        e.ausgabe = lies(ausgabe);
        e.aufrufe = log.aufrufe.replaceInStrings(z, "ZIEL");
        e.schluessel = schluessel();
        e.uninstall_dat = QString::fromUtf8(lies(z + "/uninstall.dat"))
                              .replace(QRegularExpression("\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d;"), "T;")
                              .toUtf8();
        QDirIterator it(z, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo info(it.next());
            if (info.fileName() == "uninstall.dat")
                continue;
            e.baum[QDir(z).relativeFilePath(info.filePath())] =
                QByteArray::number(int(info.permissions()), 16) + '|' + (info.isDir() ? QByteArray("/") : lies(info.filePath()));
        }
        QFile::setPermissions(z + "/schreibgeschuetzt.txt", QFile::ReadOwner | QFile::WriteOwner);
        return e;
    }
};

// The first place where two runs differ, for the message of a failed comparison; empty when alike.
std::string unterschied(const QStringList& a, const QStringList& b)
{
    for (int i = 0; i < qMax(a.size(), b.size()); ++i)
        if (a.value(i, "<fehlt>") != b.value(i, "<fehlt>"))
            return QStringLiteral("#%1: %2 | %3").arg(i).arg(a.value(i, "<fehlt>"), b.value(i, "<fehlt>")).toStdString();
    return std::string();
}

QStringList als_zeilen(const QMap<QString, QByteArray>& baum)
{
    QStringList r;
    for (auto it = baum.begin(); it != baum.end(); ++it)
        r << it.key() + " " + QString::fromUtf8(it.value().left(60)) + " " + QString::number(qHash(it.value()));
    return r;
}

QByteArray inhalt(const Ergebnis& e, const QString& pfad)
{
    const QByteArray wert = e.baum.value(pfad);
    return wert.mid(wert.indexOf('|') + 1);
}

QByteArray gross(int mib, char fuellung)
{
    QByteArray b;
    quint32 x = quint32(fuellung);
    while (b.size() < mib << 20) {
        x = x * 1103515245u + 12345u;
        b += QByteArray::number(x, 36).repeated(1 + int(x % 4)) + QByteArray(int(x % 64), fuellung);
    }
    return b;
}

// Many small files in nested folders (more than the window holds), a few large ones, two paths
// written twice (the later one small, so that it is done first), a large file whose name a later
// entry wants as a folder, damaged entries, refused names, the updater's own name, a folder
// entry, a replaced file and a read-only one.
QByteArray archiv()
{
    std::vector<Eintrag> e;
    for (int i = 0; i < 700; ++i) {
        if (i == 100)
            e.push_back(datei("doppelt.bin", gross(3, 'a')));
        if (i == 150) {
            e.push_back(datei("k", gross(2, 'k')));
            e.push_back(datei("k/x.txt", "unter einer Datei"));
            e.push_back(datei("doppelt.bin", "die spaetere gewinnt"));
        }
        if (i == 300) {
            Eintrag crc = datei("kaputt/crc.txt", QByteArray(5000, 'c'));
            crc.crc_fehler = 3;
            Eintrag laenge = datei("kaputt/laenge.bin", gross(1, 'l'));
            laenge.gross_angabe = laenge.daten.size() - 1;
            e.insert(e.end(), {crc, laenge, datei("../raus.txt", "r"), datei("steuer\x01.txt", "s"),
                               datei("updater.exe", "u"), datei("leer/tief/", ""), datei("schreibgeschuetzt.txt", "neu"),
                               datei("alt/ersetzt.txt", "neu"), datei("d1/gross.bin", gross(2, 'g'))});
        }
        e.push_back(datei(QStringLiteral("d%1/e%2/f%3.txt").arg(i % 7).arg(i % 5).arg(i).toUtf8(),
                          QByteArray("Inhalt ").repeated(1 + i % 50) + QByteArray::number(i)));
    }
    return baue(e);
}

// The reading side, as the install has it, on a thread of its own: puts the archive's entries
// in as files and counts them; before an entry it waits while `vor_eintrag` returns false,
// having handed on what it gathered. Stopped and ended also when an assertion ends a test early.
class Leseseite
{
public:
    Leseseite(CEntpackWerk& werk, CZipArchiv& archiv, quint64 anzahl,
              std::function<bool(quint64)> vor_eintrag = [](quint64) { return true; })
        : werk(werk)
    {
        faden = std::thread([this, &werk, &archiv, anzahl, vor_eintrag] {
            CZipEintrag gelesen;
            for (quint64 i = 0; i < anzahl; ++i) {
                if (!vor_eintrag(i))
                    werk.sende_gesammelte();
                while (!vor_eintrag(i) && !werk.ist_gestoppt())
                    std::this_thread::yield();
                if (!werk.warte_auf_platz(i) || archiv.lies_eintrag(gelesen) != UNZ_OK)
                    return werk.schliesse_lesen(i, CLeseschluss::Zipfehler);
                CEintragUnterwegs e;
                e.name = e.anzeige = gelesen.name;
                e.datei = true;
                werk.stelle_ein(i, std::move(e), gelesen);
                ++eingestellt;
                if (i + 1 < anzahl)
                    archiv.naechster();
            }
            werk.schliesse_lesen(anzahl, CLeseschluss::Ende);
        });
    }
    ~Leseseite()
    {
        werk.brich_ab();
        faden.join();
    }

    std::atomic<quint64> eingestellt{0};

private:
    CEntpackWerk& werk;
    std::thread faden;
};


// Takes the entry, has it written again as after a want of room, takes it again and reports it:
// the result of the second write, or -1 when the entry did not come.
int erneut_geschrieben(CEntpackWerk& werk, quint64 index)
{
    CEintragUnterwegs e;
    CLeseschluss schluss = CLeseschluss::Keiner;
    int code = 0;
    if (!werk.hole(index, e, schluss, code))
        return -1;
    werk.wiederhole(index, std::move(e));
    e = CEintragUnterwegs();
    if (!werk.hole(index, e, schluss, code))
        return -1;
    werk.ist_gemeldet(index);
    return e.ergebnis;
}

} // namespace

TEST_F(ParallelesInstallieren, ProtokollAufzeichnungenUndDateienWieMitEinemArbeiter)
{
    const QString zip = dir.path() + "/update.zip";
    schreibe(zip, archiv());
    const Ergebnis eins = installiere(zip, 1, "eins");
    const Ergebnis vier = installiere(zip, 4, "vier");
    EXPECT_FALSE(eins.ok);
    EXPECT_FALSE(vier.ok);
    EXPECT_EQ(unterschied(vier.aufrufe, eins.aufrufe), "");
    EXPECT_EQ(unterschied(QString::fromUtf8(vier.ausgabe).split('\n'), QString::fromUtf8(eins.ausgabe).split('\n')), "");
    EXPECT_EQ(unterschied(vier.schluessel, eins.schluessel), "");
    EXPECT_EQ(vier.uninstall_dat, eins.uninstall_dat);
    EXPECT_EQ(unterschied(als_zeilen(vier.baum), als_zeilen(eins.baum)), "");

    // And that is the right result.
    EXPECT_EQ(inhalt(eins, "doppelt.bin"), QByteArray("die spaetere gewinnt"));
    EXPECT_EQ(inhalt(eins, "alt/ersetzt.txt"), QByteArray("neu"));
    EXPECT_EQ(inhalt(eins, "schreibgeschuetzt.txt"), QByteArray("alt"));
    EXPECT_FALSE(eins.baum.contains("kaputt/crc.txt") || eins.baum.contains("kaputt/laenge.bin"));
    EXPECT_FALSE(eins.baum.contains("updater.exe"));
    EXPECT_EQ(eins.aufrufe.filter("Fehler").size(), 6);
    EXPECT_EQ(eins.aufrufe.filter("Verzeichnis 'ZIEL/k' kann nicht angelegt werden").size(), 1);
    EXPECT_EQ(eins.aufrufe.filter("installiere ").size(), 700 + 6);
    EXPECT_EQ(eins.ausgabe.count(" extracting: "), 700 + 8);
    EXPECT_EQ(eins.aufrufe.filter("schritt").size(), 700 + 13 + 1);
    EXPECT_TRUE(eins.uninstall_dat.contains("T;d6/e4/\r\n"));
    EXPECT_TRUE(eins.uninstall_dat.contains("T;leer/tief/\r\n"));
}

TEST_F(ParallelesInstallieren, NachEinemAbbruchStehtNurWasGemeldetWurde)
{
    const QString zip = dir.path() + "/update.zip";
    schreibe(zip, archiv());
    // The log window throws while the 120th entry is reported: the workers are far ahead then,
    // and the reading side has made folders for entries to come.
    const Ergebnis eins = installiere(zip, 1, "eins", 120);
    const Ergebnis vier = installiere(zip, 4, "vier", 120);
    EXPECT_FALSE(vier.ok);
    EXPECT_EQ(unterschied(vier.aufrufe, eins.aufrufe), "");
    EXPECT_EQ(unterschied(vier.schluessel, eins.schluessel), "");
    EXPECT_EQ(vier.uninstall_dat, eins.uninstall_dat);
    EXPECT_EQ(unterschied(als_zeilen(vier.baum), als_zeilen(eins.baum)), "");
    EXPECT_EQ(eins.aufrufe.filter("installiere ").size(), 120);
    EXPECT_EQ(inhalt(eins, "d6/e3/f118.txt"), QByteArray("Inhalt ").repeated(19) + "118");
    EXPECT_FALSE(eins.baum.contains("d0/e4/f119.txt"));
    EXPECT_EQ(inhalt(eins, "doppelt.bin"), gross(3, 'a'));
    EXPECT_TRUE(eins.aufrufe.contains("text2: Installation fehlerhaft !"));
}

// A file that fitted by the last measure but not on disk is written again, alone, once room is
// there; one that does not fit even alone fails at once, unwritten: written, it would fill the
// disk to its last block while the records are written.
TEST_F(ParallelesInstallieren, DateiOhneRaumWirdWiederholtOderSofortAbgewiesen)
{
    const QString fs = dir.path() + "/fs";
    const KleinesDateisystem klein(fs, "size=8m");
    if (!klein.ok)
        GTEST_SKIP() << "mounting a tmpfs needs root";
    const QString zip = dir.path() + "/raum.zip";
    schreibe(zip, baue({datei("gross.bin", QByteArray(1024 * 1024, 'g')), datei("klein.bin", "k"),
                        datei("riesig.bin", QByteArray(2 * 1024 * 1024, 'r')), datei("danach.bin", "d")}));
    CZipArchiv archiv;
    ASSERT_TRUE(archiv.oeffne(zip));
    {
        // Measured while the file system was empty; it fills up before the first entry comes.
        CEntpackWerk werk(*archiv.gib_eingabe(), fs, 2, true, true);
        schreibe(fs + "/fueller", QByteArray(7 * 1024 * 1024 + 512 * 1024, 'f'));
        const Leseseite leser(werk, archiv, 4);
        CEintragUnterwegs e;
        CLeseschluss schluss = CLeseschluss::Keiner;
        int code = 0;
        ASSERT_TRUE(werk.hole(0, e, schluss, code));
        EXPECT_EQ(e.ergebnis, ENTPACK_VOLL);
        EXPECT_FALSE(e.endgueltig);
        // Room comes free: the entry is written again, alone, and succeeds.
        schreibe(fs + "/fueller", QByteArray(5 * 1024 * 1024 + 512 * 1024, 'f'));
        werk.wiederhole(0, std::move(e));
        e = CEintragUnterwegs();
        ASSERT_TRUE(werk.hole(0, e, schluss, code));
        EXPECT_EQ(e.ergebnis, ENTPACK_OK);
        EXPECT_TRUE(e.endgueltig);
        EXPECT_EQ(e.fertig.benenne(), ENTPACK_OK);
        werk.ist_gemeldet(0);
        e = CEintragUnterwegs();
        ASSERT_TRUE(werk.hole(1, e, schluss, code));
        EXPECT_EQ(e.ergebnis, ENTPACK_OK);
        EXPECT_EQ(e.fertig.benenne(), ENTPACK_OK);
        werk.ist_gemeldet(1);
        // About 1.4 MiB are free, 2 MiB do not fit: no worker took the entry (a worker says
        // what it extracts), and the entry after it is written.
        e = CEintragUnterwegs();
        ASSERT_TRUE(werk.hole(2, e, schluss, code));
        EXPECT_EQ(e.ergebnis, ENTPACK_VOLL);
        EXPECT_TRUE(e.endgueltig);
        EXPECT_TRUE(e.ausgabe.isEmpty()) << e.ausgabe.constData();
        werk.ist_gemeldet(2);
        e = CEintragUnterwegs();
        ASSERT_TRUE(werk.hole(3, e, schluss, code));
        EXPECT_EQ(e.ergebnis, ENTPACK_OK);
        EXPECT_EQ(e.fertig.benenne(), ENTPACK_OK);
        werk.ist_gemeldet(3);
    }
    archiv.schliesse();
    EXPECT_EQ(lies(fs + "/gross.bin"), QByteArray(1024 * 1024, 'g'));
    EXPECT_EQ(lies(fs + "/klein.bin"), QByteArray("k"));
    EXPECT_FALSE(QFileInfo::exists(fs + "/riesig.bin"));
    EXPECT_EQ(lies(fs + "/danach.bin"), QByteArray("d"));
}

// Once a file failed for want of room, one file goes at a time: each entry waits until the one
// before it was reported. That report may come before the entry begins to wait; the entry must
// not then wait for a report of its own, which never comes.
TEST_F(ParallelesInstallieren, WartenAufRaumEndetAuchNachEinerMeldungZuvor)
{
    const QString zip = dir.path() + "/klein.zip";
    constexpr quint64 anzahl = 3000;
    std::vector<Eintrag> eintraege;
    for (quint64 i = 0; i < anzahl; ++i)
        eintraege.push_back(datei("f" + QByteArray::number(i), "x"));
    schreibe(zip, baue(eintraege));
    const QString ziel = dir.path() + "/ziel";
    QDir().mkpath(ziel);
    CZipArchiv archiv;
    ASSERT_TRUE(archiv.oeffne(zip));
    {
        CEntpackWerk werk(*archiv.gib_eingabe(), ziel, 2, true, true);
        std::atomic<bool> eins_allein{false};
        const Leseseite leser(werk, archiv, anzahl, [&](quint64 i) { return i != 1 || eins_allein; });
        // The first entry as if it had failed for want of room, alone on its way.
        ASSERT_EQ(erneut_geschrieben(werk, 0), ENTPACK_OK);
        eins_allein = true;
        CEintragUnterwegs e;
        CLeseschluss schluss = CLeseschluss::Keiner;
        int code = 0;
        for (quint64 i = 1; i < anzahl; ++i) {
            // Bounded: a reading side that waits for its own report stops the run.
            const auto bis = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            bool da = false;
            while (!(da = werk.hole(i, e, schluss, code, 100)) && schluss == CLeseschluss::Keiner
                   && std::chrono::steady_clock::now() < bis) {
            }
            ASSERT_TRUE(da) << "entry " << i << " never came";
            EXPECT_EQ(e.ergebnis, ENTPACK_OK);
            e = CEintragUnterwegs();
            werk.ist_gemeldet(i);
        }
    }
    archiv.schliesse();
}

// An entry that failed for good without a write, for want of room, stays failed when an entry
// before it is written again: it has no file to throw away, nor data a worker could write.
TEST_F(ParallelesInstallieren, EintragOhneRaumBleibtAbgewiesenWennEinVorigerWiederholtWird)
{
    const QString fs = dir.path() + "/fs";
    const KleinesDateisystem klein(fs, "size=4m");
    if (!klein.ok)
        GTEST_SKIP() << "mounting a tmpfs needs root";
    const QString zip = dir.path() + "/raum.zip";
    schreibe(zip, baue({datei("a.bin", "a"), datei("b.bin", "b"), datei("riesig.bin", QByteArray(8 << 20, 'r'))}));
    CZipArchiv archiv;
    ASSERT_TRUE(archiv.oeffne(zip));
    {
        // One worker: the first two entries are one packet, done together.
        CEntpackWerk werk(*archiv.gib_eingabe(), fs, 1, true, true);
        std::atomic<bool> zum_dritten{false};
        Leseseite leser(werk, archiv, 3, [&](quint64 i) { return i != 2 || zum_dritten; });
        const auto eingestellt = [&leser](quint64 anzahl) {
            const auto bis = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            while (leser.eingestellt < anzahl && std::chrono::steady_clock::now() < bis)
                std::this_thread::yield();
            return leser.eingestellt.load();
        };
        ASSERT_EQ(eingestellt(2), 2u);
        // Written again: the second entry's file is thrown away, and nothing is on its way once
        // the first is reported. The third does not fit even alone.
        ASSERT_EQ(erneut_geschrieben(werk, 0), ENTPACK_OK);
        zum_dritten = true;
        ASSERT_EQ(eingestellt(3), 3u);
        ASSERT_EQ(erneut_geschrieben(werk, 1), ENTPACK_OK);
        CEintragUnterwegs e;
        CLeseschluss schluss = CLeseschluss::Keiner;
        int code = 0;
        ASSERT_TRUE(werk.hole(2, e, schluss, code));
        EXPECT_EQ(e.ergebnis, ENTPACK_VOLL);
        EXPECT_TRUE(e.endgueltig);
        EXPECT_TRUE(e.ausgabe.isEmpty()) << e.ausgabe.constData();
        werk.ist_gemeldet(2);
    }
    archiv.schliesse();
}

// Where the system gives no further thread (here: no address space for a thread's stack), a loop
// on helpers makes do with the calling thread instead of ending the program.
void schleife_ohne_neue_faeden()
{
    long seiten = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld", &seiten) != 1)
            seiten = 0;
        std::fclose(f);
    }
    const rlim_t grenze = rlim_t(seiten) * rlim_t(::sysconf(_SC_PAGESIZE)) + (4 << 20);
    const struct rlimit neu = {grenze, grenze};
    ::setrlimit(RLIMIT_AS, &neu);
    CParallelschleife schleife(3);
    std::atomic<int> summe{0};
    schleife.fuer_alle(10, [&](std::size_t k) { summe += int(k); });
    std::_Exit(summe == 45 ? 0 : 1);
}

TEST(Parallelschleife, OhneNeueFaedenLaeuftDieSchleifeImAufrufer)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the sanitizers reserve more address space than the limit leaves";
#endif
    EXPECT_EXIT(schleife_ohne_neue_faeden(), ::testing::ExitedWithCode(0), "");
}
