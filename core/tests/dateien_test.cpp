// Copying, moving and removing files, and the PE word-size probe.
#include "altefassung.h"
#include "dateien.h"
#include "eigentum.h"
#include "heimordner.h"
#include "kleinesdateisystem.h"
#include "ordnerfuerandere.h"
#include "testziele.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <grp.h>
#include <csignal>
#include <cstddef>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

class Dateien : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(tmp.isValid()); }

    QString pfad(const char* name) const { return tmp.filePath(QString::fromLatin1(name)); }

    QString schreibe(const char* name, const QByteArray& inhalt) const
    {
        QFile f(pfad(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(inhalt);
        return f.fileName();
    }

    static QByteArray lies(const QString& datei)
    {
        QFile f(datei);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<fehlt>");
    }

    static QByteArray muster(int groesse)
    {
        QByteArray daten(groesse, '\0');
        for (int i = 0; i < groesse; ++i)
            daten[i] = static_cast<char>(i * 7 + i / 251);
        return daten;
    }

    QTemporaryDir tmp;
};

// A PE header at `offset` with the machine field `maschine`, in a buffer of `groesse` bytes.
QByteArray pe_kopf(int offset, unsigned maschine, int groesse = 1000)
{
    QByteArray kopf(groesse, '\0');
    kopf[0] = 'M';
    kopf[1] = 'Z';
    kopf[60] = static_cast<char>(offset & 0xFF);
    kopf[61] = static_cast<char>(offset >> 8);
    const auto setze = [&kopf](int stelle, char wert) {
        if (stelle < kopf.size())
            kopf[stelle] = wert;
    };
    setze(offset, 'P');
    setze(offset + 1, 'E');
    setze(offset + 4, static_cast<char>(maschine & 0xFF));
    setze(offset + 5, static_cast<char>(maschine >> 8));
    return kopf;
}

// A save in place of `ganz` (`neu` and zeros up to `laenge` where not given) ended as a killed process ends (copy and record
// stay), `neu` over the file's start, the file `laenge` bytes long.
void unterbrich(const QString& ziel, const QByteArray& neu, off_t laenge, QByteArray ganz = {})
{
    ganz = ganz.isNull() ? neu + QByteArray(int(laenge) - neu.size(), '\0') : ganz;
    const int fd = ::open(QFile::encodeName(ziel).constData(), O_RDWR | O_CLOEXEC), inhalt = ::memfd_create("neu", MFD_CLOEXEC);
    EXPECT_TRUE(::write(inhalt, ganz.constData(), std::size_t(ganz.size())) == ganz.size() && CAlteFassung(ziel, fd, ::lseek(fd, 0, SEEK_END), inhalt, ganz.size()).fehler().isEmpty()
                && ::pwrite(fd, neu.constData(), std::size_t(neu.size()), 0) == neu.size() && ::ftruncate(fd, laenge) + ::close(fd) + ::close(inhalt) == 0);
}

// Whether `schritt` succeeded, run in a process of its own as the account `konto` of the team 4711 (where this is root).
bool als_konto(uid_t konto, const std::function<bool()>& schritt)
{
    const gid_t team = 4711;
    // A temporary folder of its own: the test's may be one only root may write.
    const OrdnerFuerAndere temp;
    int status = -1;
    if (const pid_t kind = ::fork())
        return ::waitpid(kind, &status, 0) == kind && status == 0;
    ::_exit((::geteuid() != 0 || (::chown(QFile::encodeName(temp.ordner()), konto, team) == 0 && ::setgroups(1, &team) == 0 && ::setgid(team) == 0 && ::setuid(konto) == 0))
                    && ::setenv("TMPDIR", QFile::encodeName(temp.ordner()), 1) == 0 && schritt()
                ? 0
                : 1);
}

} // namespace

TEST_F(Dateien, KopieInBloeckenUndOhneKopf)
{
    const QByteArray daten = muster(150001);
    const QString quelle = schreibe("quelle.bin", daten);
    EXPECT_EQ(kopiere_datei(quelle, pfad("ziel.bin"), false, false), 0);
    EXPECT_EQ(lies(pfad("ziel.bin")), daten);
    EXPECT_EQ(kopiere_datei(quelle, pfad("ziel.bin"), true, true), 0);
    EXPECT_EQ(lies(pfad("ziel.bin")), daten.mid(3));
    EXPECT_EQ(kopiere_datei(schreibe("leer", QByteArray()), pfad("leer2"), true, false), 0);
    EXPECT_EQ(lies(pfad("leer2")), QByteArray());
}

TEST_F(Dateien, KopierfehlerNachQuelleUndZiel)
{
    const QString quelle = schreibe("quelle.txt", "inhalt");
    EXPECT_EQ(kopiere_datei(pfad("fehlt"), pfad("ziel"), true, false), 1);
    EXPECT_EQ(kopiere_datei(tmp.path(), pfad("ziel"), true, false), 1);
    EXPECT_EQ(kopiere_datei(quelle, pfad("kein/ordner/ziel"), true, false), 2);
    EXPECT_FALSE(QFile::exists(pfad("ziel")));
}

TEST_F(Dateien, ScheiterndesSchreibenIstEinFehlerUndDasZielBleibtUnberuehrt)
{
    const QString quelle = schreibe("gross.bin", muster(100000));
    const QString ziel = schreibe("ziel.bin", "alt");
    {
        const Dateigrenze grenze(5000);
        EXPECT_EQ(kopiere_datei(quelle, ziel, true, false), 2);
        EXPECT_EQ(verschiebe_datei(quelle, pfad("verschoben.bin"), true), 2);
    }
    EXPECT_EQ(lies(ziel), "alt");
    EXPECT_EQ(lies(quelle), muster(100000));
    EXPECT_FALSE(QFile::exists(pfad("verschoben.bin")));
}

TEST_F(Dateien, VerschiebenEntferntDieQuelleNurNachVollstaendigerKopie)
{
    const QString quelle = schreibe("a.txt", "wandert");
    EXPECT_EQ(verschiebe_datei(quelle, pfad("b.txt"), true), 0);
    EXPECT_FALSE(QFile::exists(quelle));
    EXPECT_EQ(lies(pfad("b.txt")), "wandert");

    // Onto itself: the one file stays.
    EXPECT_EQ(verschiebe_datei(pfad("b.txt"), pfad("b.txt"), true), 0);
    EXPECT_EQ(lies(pfad("b.txt")), "wandert");

    EXPECT_EQ(verschiebe_datei(pfad("fehlt"), pfad("c.txt"), true), 1);

    // A source that cannot be removed: both files stay.
    const QString fest = QStringLiteral("/proc/self/cmdline");
    EXPECT_EQ(verschiebe_datei(fest, pfad("cmdline"), true), 3);
    EXPECT_TRUE(QFile::exists(fest));
    EXPECT_FALSE(lies(pfad("cmdline")).isEmpty());

    EXPECT_EQ(loesche_datei(pfad("b.txt")), 0);
    EXPECT_EQ(loesche_datei(pfad("b.txt")), 1);
}

TEST(PeKopf, MaschinenfeldEntscheidet)
{
    EXPECT_EQ(gib_pe_bitness_von(pe_kopf(0xE8, 0x014C)), 0);
    EXPECT_EQ(gib_pe_bitness_von(pe_kopf(0xE8, 0x8664)), 1);
    EXPECT_EQ(gib_pe_bitness_von(pe_kopf(0xE8, 0xAA64)), 1);
    EXPECT_EQ(gib_pe_bitness_von(pe_kopf(0xE8, 0x01C4)), -1);
    EXPECT_EQ(gib_pe_bitness_von(pe_kopf(0x80, 0x8664)), 1);
    // The machine byte at 999 is the last one looked at.
    EXPECT_EQ(gib_pe_bitness_von(pe_kopf(995, 0x014C)), 0);
    EXPECT_EQ(gib_pe_bitness_von(pe_kopf(996, 0x014C, 1200)), -1);
    EXPECT_EQ(gib_pe_bitness_von(pe_kopf(0xFFFF, 0x014C)), -1);

    QByteArray ohne_mark = pe_kopf(0xE8, 0x014C);
    ohne_mark[0xE9] = 'X';
    EXPECT_EQ(gib_pe_bitness_von(ohne_mark), -1);
}

TEST(PeKopf, KurzeOderLeerePuffer)
{
    EXPECT_EQ(gib_pe_bitness_von(QByteArray()), -1);
    EXPECT_EQ(gib_pe_bitness_von(pe_kopf(0, 0, 61)), -1);
    // The header lies beyond the bytes there are.
    EXPECT_EQ(gib_pe_bitness_von(pe_kopf(0xE8, 0x014C).left(0xE8 + 4)), -1);
    EXPECT_EQ(gib_pe_bitness_von(pe_kopf(0xE8, 0x014C).left(0xE8 + 5)), 0);
}

TEST_F(Dateien, PeProbeEinerDatei)
{
    EXPECT_EQ(gib_pe_bitness(schreibe("app32.exe", pe_kopf(0xE8, 0x014C, 4096))), 0);
    EXPECT_EQ(gib_pe_bitness(schreibe("app64.dll", pe_kopf(0xE8, 0x8664, 300))), 1);
    EXPECT_EQ(gib_pe_bitness(schreibe("leer.exe", QByteArray())), -1);
    EXPECT_EQ(gib_pe_bitness(schreibe("kurz.exe", "MZ")), -1);
    EXPECT_EQ(gib_pe_bitness(pfad("fehlt.exe")), -1);
    EXPECT_EQ(gib_pe_bitness(tmp.path()), -1);
    // A pipe with no writer would block a plain read.
    ASSERT_EQ(mkfifo(QFile::encodeName(pfad("rohr.exe")).constData(), 0600), 0);
    EXPECT_EQ(gib_pe_bitness(pfad("rohr.exe")), -1);
}

TEST_F(Dateien, NurRegulaereDateienGeltenUndWerdenGelesenOderBeschrieben)
{
    const Wecker wecker;
    const QString datei = schreibe("da.txt", "Inhalt");
    const QString rohr = pfad("rohr");
    ASSERT_TRUE(lege_rohr_an(rohr));
    ASSERT_TRUE(QFile::link(datei, pfad("verweis")));

    EXPECT_TRUE(ist_datei(datei));
    EXPECT_TRUE(ist_datei(pfad("verweis")));
    EXPECT_FALSE(ist_datei(tmp.path()));
    EXPECT_FALSE(ist_datei(rohr));
    EXPECT_FALSE(ist_datei(pfad("fehlt")));
    EXPECT_FALSE(ist_datei(QString()));

    std::string inhalt = "vorher";
    EXPECT_TRUE(lies_datei(datei.toStdString(), inhalt));
    EXPECT_EQ(inhalt, "Inhalt");
    for (const QString& kein : {tmp.path(), rohr, pfad("fehlt")}) {
        inhalt = "vorher";
        EXPECT_FALSE(lies_datei(kein.toStdString(), inhalt)) << kein.toStdString();
        EXPECT_EQ(inhalt, "vorher");
    }

    EXPECT_TRUE(haenge_an_datei(datei.toStdString(), " und mehr"));
    EXPECT_EQ(lies(datei), "Inhalt und mehr");
    EXPECT_TRUE(haenge_an_datei(pfad("neu.txt").toStdString(), "neu"));
    EXPECT_EQ(lies(pfad("neu.txt")), "neu");
    EXPECT_FALSE(haenge_an_datei(tmp.path().toStdString(), "x"));
    // A pipe is never written to: neither without a reader (opening would wait for one) nor with one.
    EXPECT_FALSE(haenge_an_datei(rohr.toStdString(), "x"));
    const int leser = ::open(QFile::encodeName(rohr).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(leser, 0);
    EXPECT_FALSE(haenge_an_datei(rohr.toStdString(), "x"));
    char zeichen;
    EXPECT_EQ(::read(leser, &zeichen, 1), 0);
    ::close(leser);

    // Through QFile by the same rule, in QFile's own modes; a copy reads only a regular file.
    EXPECT_EQ(kopiere_datei(rohr, pfad("kopie"), true, false), 1);
    QFile ueber_rohr(rohr);
    EXPECT_FALSE(oeffne_regulaere_datei(ueber_rohr, QIODevice::ReadOnly));
    EXPECT_FALSE(ueber_rohr.isOpen());
    QFile verweis(pfad("verweis"));
    EXPECT_FALSE(oeffne_regulaere_datei(verweis, QIODevice::ReadOnly, O_NOFOLLOW));
    ASSERT_TRUE(oeffne_regulaere_datei(verweis, QIODevice::ReadOnly | QIODevice::Text));
    EXPECT_EQ(verweis.readAll(), "Inhalt und mehr");
    verweis.close();
    QFile anhang(datei);
    ASSERT_TRUE(oeffne_regulaere_datei(anhang, QIODevice::Append));
    EXPECT_EQ(anhang.write("!"), 1);
    anhang.close();
    EXPECT_EQ(lies(datei), "Inhalt und mehr!");
    QFile lesen_schreiben(datei);
    ASSERT_TRUE(oeffne_regulaere_datei(lesen_schreiben, QIODevice::ReadWrite));
    EXPECT_EQ(lesen_schreiben.readAll(), "Inhalt und mehr!");
    lesen_schreiben.close();
    QFile neu(pfad("neu.txt"));
    ASSERT_TRUE(oeffne_regulaere_datei(neu, QIODevice::WriteOnly));
    neu.close();
    EXPECT_EQ(lies(pfad("neu.txt")), "");

    // A sticky folder of another account that all may write: the user's own file and its owner's
    // link are written; a third account's file is neither opened to write nor cut before the look.
    const QByteArray f = QFile::encodeName(pfad("fremd")), t = QFile::encodeName(tmp.path());
    QFile fremd(pfad("fremd"));
    if (!schreibe_ganz(fremd.fileName(), "fremd").isEmpty() || ::chown(f, 12345, 12345) + ::chown(t, 65534, 65534) != 0)
        GTEST_SKIP() << "files of other accounts need root";
    ASSERT_TRUE(::lchown(QFile::encodeName(pfad("verweis")), 65534, 65534) + ::chmod(t, 01777) == 0);
    EXPECT_TRUE(!oeffne_regulaere_datei(fremd, QIODevice::WriteOnly) && oeffne_ohne_fremde_links(f, O_WRONLY | O_TRUNC, 0) < 0 && lies(fremd.fileName()) == "fremd"
                && haenge_an_datei(datei.toStdString(), "?") && haenge_an_datei(pfad("verweis").toStdString(), "?") && lies(datei).endsWith("!??"));
}

// A damaged file is kept under a name that says so, once for the same file; a later damaged file
// gets a name of its own, and the one kept before stays as it was.
TEST_F(Dateien, BeiseiteGelegtEinmalJeDateiUndNieUeberschrieben)
{
    const QString datei = schreibe("daten.xbel", "kaputt 1");
    const QString erste = lege_beiseite(datei);
    EXPECT_EQ(erste, datei + ".beschaedigt");
    EXPECT_EQ(lege_beiseite(datei), erste);
    ASSERT_TRUE(schreibe_ganz(datei, "kaputt 2").isEmpty());
    EXPECT_EQ(lege_beiseite(datei), datei + ".beschaedigt-2");
    EXPECT_EQ(lies(erste), "kaputt 1");
    EXPECT_EQ(lies(datei + ".beschaedigt-2"), "kaputt 2");
}

// A file of 256 MiB written in place (another account's team file, say), the process killed once
// the new bytes begin: the file is mixed until the next start of a program, which puts the old
// bytes back and says so; what it held is kept aside, and a save in place meanwhile waits for no
// lock of the start. So for one killed at its first piece and at its last. One mended since (by a copy
// over it, an editor that rewrites it, `sed -i`; as its owner where there is another account) stays as
// it is, its old bytes beside it as the file was, and so where an earlier program's record cannot tell
// a change. A user's folder without room for the old bytes keeps
// them in the temporary folder, as before; a temporary folder without room is named with the want
// of room.
TEST_F(Dateien, AnOrtGeschriebenUndMittendrinBeendetIstNachDemNaechstenStartWiederGanz)
{
    constexpr int block = 1 << 20, bloecke = 256;
    const QString ziel = pfad("team.bin");
    const int alt = ::open(QFile::encodeName(ziel).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0664);
    const int neu = ::open(QFile::encodeName(pfad("neu.bin")).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    const std::string a(block, 'a'), n(block, 'n');
    for (int i = 0; i < bloecke; ++i)
        ASSERT_TRUE(::write(alt, a.data(), block) == block && ::write(neu, n.data(), block) == block);
    const pid_t schreiber = ::fork();
    if (schreiber == 0) {
        (void)schreibe_an_ort(ziel, neu);
        ::_exit(0);
    }
    char erstes = 'a', letztes = 'n';
    QElapsedTimer uhr;
    uhr.start();
    while (erstes == 'a' && uhr.elapsed() < 60000)
        ASSERT_EQ(::pread(alt, &erstes, 1, 0), 1);
    ::kill(schreiber, SIGKILL);
    ::waitpid(schreiber, nullptr, 0);
    ASSERT_TRUE(erstes == 'n' && ::pread(alt, &letztes, 1, qint64(block) * bloecke - 1) == 1 && letztes == 'a');

    const QString ordner = gib_ordner_alter_fassungen();
    const pid_t start = ::fork();
    if (start == 0) {
        stelle_alte_fassungen_wieder_her();
        const QStringList hinweise = nimm_hinweise_alter_fassungen();
        ::_exit(hinweise.size() == 1 && hinweise[0].contains(ziel) && hinweise[0].contains("zuletzt") ? 0 : 1);
    }
    for (uhr.restart(); QDir(ordner).entryList({"*.zuletzt"}, QDir::Files).isEmpty() && uhr.elapsed() < 60000;)
        ;
    const int ordnersperre = ::open(QFile::encodeName(ordner + "/.sperre").constData(), O_RDONLY | O_CLOEXEC);
    EXPECT_EQ(::flock(ordnersperre, LOCK_SH | LOCK_NB), 0);
    ::close(ordnersperre);
    int status = -1;
    ::waitpid(start, &status, 0);
    EXPECT_EQ(status, 0);
    std::vector<char> gelesen(block);
    bool ganz = ::lseek(alt, 0, SEEK_END) == qint64(block) * bloecke;
    for (int i = 0; i < bloecke && ganz; ++i)
        ganz = ::pread(alt, gelesen.data(), block, qint64(i) * block) == block && std::memcmp(gelesen.data(), a.data(), block) == 0;
    EXPECT_TRUE(ganz);
    const QStringList behalten = QDir(ordner).entryList(QDir::Files);
    QFile zuletzt(ordner + '/' + behalten.value(0));
    EXPECT_TRUE(behalten.size() == 1 && zuletzt.open(QIODevice::ReadOnly) && zuletzt.read(8) == "nnnnnnnn") << qPrintable(behalten.join('|'));
    ::close(alt);
    const OrdnerFuerAndere team;
    const QString plan = team.pfad("plan.txt"), sicherung = team.pfad("sicherung");
    const QByteArray a_inhalt = muster(3 * 4096 + 100), n_inhalt(a_inhalt.size() + 1, 'n'), p = QFile::encodeName(plan), s = QFile::encodeName(sicherung);
    const bool root = ::geteuid() == 0;
    ASSERT_TRUE(!root || ::chown(QFile::encodeName(team.ordner()), 0, 4711) + ::chmod(QFile::encodeName(team.ordner()), 02775) == 0);
    const std::pair<int, QByteArray> faelle[] = {{0, ""}, {1, ""}, {3, ""}, {-1, ""}, {1, "cp '" + s + "' '" + p + "'"}, {1, "printf B >'" + p + "'"}, {1, "sed -i s/^/B/ '" + p + "'"}};
    for (const auto& [stuecke, mittel] : faelle) {
        SCOPED_TRACE(mittel.toStdString() + std::to_string(stuecke));
        const int k = std::abs(stuecke) * 4096;
        struct stat vorher, info;
        ASSERT_TRUE(schreibe_ganz(plan, a_inhalt).isEmpty() && schreibe_ganz(sicherung, "Sicherung").isEmpty() && (!root || ::chown(p, 4712, 4711) + ::chmod(p, 0664) + ::chmod(s, 0644) == 0) && ::stat(p, &vorher) == 0);
        if (stuecke != 0)
            unterbrich(plan, n_inhalt.left(k) + a_inhalt.mid(k) + 'n', n_inhalt.size(), n_inhalt);
        // A save of 200,000 more bytes, its process killed at its second write beyond the old end.
        const struct sock_filter regeln[] = {BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(struct seccomp_data, nr)), BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_pwrite64, 0, 3),
                                             BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(struct seccomp_data, args[3])), BPF_JUMP(BPF_JMP | BPF_JGT | BPF_K, quint32(a_inhalt.size()), 0, 1),
                                             BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS), BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW)};
        const struct sock_fprog programm{6, const_cast<sock_filter*>(regeln)};
        const int laenger = ::memfd_create("laenger", MFD_CLOEXEC);
        ASSERT_TRUE(stuecke != 0 || (::write(laenger, QByteArray(a_inhalt.size() + 200000, 'n').constData(), a_inhalt.size() + 200000) > 0 && !als_konto(::geteuid(), [&] {
            return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) + ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &programm) == 0 && schreibe_an_ort(plan, laenger).isEmpty();
        }) && ::close(laenger) == 0 && lies(plan).size() == 4 * 4096));
        // An earlier program's record: no checksums.
        ASSERT_TRUE(stuecke >= 0 || QFile::remove(ordner + '/' + QDir(ordner).entryList({"*.summen"}).value(0)));
        ASSERT_TRUE(mittel.isEmpty() || als_konto(root ? 4712 : ::geteuid(), [&] { return std::system(mittel.constData()) == 0; }));
        const QByteArray gemacht = lies(plan);
        stelle_alte_fassungen_wieder_her();
        const QString hinweis = nimm_hinweise_alter_fassungen().join('\n'), beiseite = team.pfad(QDir(team.ordner()).entryList({"plan.txt (alte Fassung*"}).value(0));
        EXPECT_TRUE(stuecke >= 0 && mittel.isEmpty() ? lies(plan) == a_inhalt && hinweis.contains("wieder ihren alten Inhalt")
                                                  : lies(plan) == gemacht && lies(beiseite) == a_inhalt && hinweis.contains(beiseite) && ::stat(QFile::encodeName(beiseite), &info) == 0
                                                        && (info.st_mode & 0777) == (vorher.st_mode & 0777) && info.st_gid == vorher.st_gid && QFile::remove(beiseite)) << qPrintable(hinweis);
        EXPECT_TRUE(hinweis.contains(plan) && (stuecke >= 0 || hinweis.contains("ob sie seither geaendert wurde, zeigt sein Vermerk nicht")));
    }

    // A save done after one that was cut off is not undone by a start; a start without room for the old bytes leaves the file as it is.
    const QString klein = schreibe("klein.txt", "alt"), gross = schreibe("gross.bin", muster(100000));
    unterbrich(klein, "halb", 4);
    // What a start ended while keeping the file's content left goes once a later save retired its record; so do checksums whose
    // record an earlier program dropped.
    const QString halb_behalten = ordner + '/' + QDir(ordner).entryList({"*.ziel"}).value(0).replace(".ziel", ".zuletzt"), waise = ordner + "/Quorbel-waise.summen";
    ASSERT_TRUE(schreibe_ganz(halb_behalten, "halb").isEmpty() && schreibe_ganz(waise, "").isEmpty());
    const int spaeter = ::open(QFile::encodeName(schreibe("spaeter.txt", "spaeter")).constData(), O_RDONLY | O_CLOEXEC);
    EXPECT_TRUE(schreibe_an_ort(klein, spaeter).isEmpty() && ::close(spaeter) == 0);
    unterbrich(gross, "halb", 4);
    const pid_t begrenzt = ::fork();
    if (begrenzt == 0) {
        const struct rlimit grenze{50000, 50000};
        ::signal(SIGXFSZ, SIG_IGN);
        if (::setrlimit(RLIMIT_FSIZE, &grenze) == 0)
            stelle_alte_fassungen_wieder_her();
        ::_exit(0);
    }
    EXPECT_TRUE(::waitpid(begrenzt, nullptr, 0) == begrenzt && lies(klein) == "spaeter" && lies(gross) == "halb");
    stelle_alte_fassungen_wieder_her();
    EXPECT_TRUE(lies(gross) == muster(100000) && !QFile::exists(halb_behalten) && !QFile::exists(waise));
    // In the temporary folder the program's own leftovers an hour old go; a younger one, and one of another name, stay.
    const QByteArray temp_vorher = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(tmp.path()));
    const QStringList reste{schreibe("Quorbel-abcdef.alt", "a"), schreibe("Quorbel-abcdeg.zuletzt", "z"), schreibe("Quorbel-abcdeh.alt", "a"), schreibe("abcdef.alt", "a")};
    const struct timeval alt_genug[2] = {{::time(nullptr) - 4000, 0}, {::time(nullptr) - 4000, 0}};
    for (int i : {0, 1, 3})
        ASSERT_EQ(::utimes(QFile::encodeName(reste[i]).constData(), alt_genug), 0);
    stelle_alte_fassungen_wieder_her();
    qputenv("TMPDIR", temp_vorher);
    EXPECT_TRUE(!QFile::exists(reste[0]) && !QFile::exists(reste[1]) && QFile::exists(reste[2]) && QFile::exists(reste[3]));
    // A program that hangs holding the folder's lock holds a start up for a bound only, and the notice names the lock; a save
    // meanwhile still retires the record of its file cut off before.
    unterbrich(klein, "halb", 4);
    const int halter = ::open(QFile::encodeName(ordner + "/.sperre").constData(), O_RDONLY | O_CLOEXEC);
    EXPECT_EQ(::flock(halter, LOCK_EX), 0);
    stelle_alte_fassungen_wieder_her();
    const int jetzt = ::open(QFile::encodeName(schreibe("jetzt.txt", "jetzt")).constData(), O_RDONLY | O_CLOEXEC);
    EXPECT_TRUE(schreibe_an_ort(klein, jetzt).isEmpty() && ::close(jetzt) == 0);
    EXPECT_TRUE(::close(halter) == 0 && nimm_hinweise_alter_fassungen().join('\n').contains(ordner + "/.sperre"));
    stelle_alte_fassungen_wieder_her();
    EXPECT_EQ(lies(klein), "jetzt");

    if (const KleinesDateisystem eng(ordner, "size=64k,mode=0700"); eng.ok) {
        EXPECT_EQ(schreibe_an_ort(ziel, neu).toStdString(), "");
    }

    // A full temporary folder: the save in place (its folder takes no new file) names it.
    const KleinesDateisystem voll("size=64k");
    if (!voll.ok || QProcess::execute("chattr", {"+i", tmp.path()}) != 0) {
        ::close(neu);
        GTEST_SKIP() << "a full temporary folder and a locked folder need root and ext4";
    }
    // Room for a part of the new content: Qt names no reason for a write cut short.
    voll.fuelle_bis(20000);
    const QByteArray vorher = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(voll.ordner));
    const QString fehler = schreibe_ganz(ziel, QByteArray(200000, 'x'));
    qputenv("TMPDIR", vorher);
    EXPECT_EQ(QProcess::execute("chattr", {"-i", tmp.path()}), 0);
    EXPECT_TRUE(fehler.contains(voll.ordner) && fehler.contains(QString::fromLocal8Bit(std::strerror(ENOSPC))))
        << qPrintable(fehler);
    ::close(neu);
}

// 4712's team file on a small ext4, which gives a deleted file's inode number to the next file.
// Saved shorter in place (by a team member, in a locked folder) it holds the new content alone. A
// save in place cut off, and a new file made at its name: the next start leaves that as it is,
// keeps the old bytes beside it as the file was, and names both; so for a record of the earlier
// form and where no birth time is kept (ramfs); a copy of another account's is never taken. With
// the user's folder full, copy and record lie in the temporary folder, whence the start (by the
// user's own record alone, never over or in place of another's file at a name it uses) puts the old
// bytes back; with both full, no save begins. Old bytes go only to the user's own folder.
TEST_F(Dateien, AnOrtKuerzerGanzUndNachDemAbbruchNurDieEigeneDateiZurueck)
{
    const OrdnerFuerAndere platz;
    const KleinesDateisystem ext4(platz.pfad("ext4"), "8M", "ext4"), ramfs("", "ramfs");
    const QString team = ext4.ordner + "/team", ziel = team + "/plan.txt", ordner = gib_ordner_alter_fassungen(), r = ramfs.pfad("r.bin");
    const QByteArray t = QFile::encodeName(team), z = QFile::encodeName(ziel), o = QFile::encodeName(ordner), kurz(1000, 'k');
    struct stat vorher, info;
    if (!ext4.ok || !QDir().mkpath(team) || ::chown(t, 0, 4711) + ::chmod(t, 0775) != 0 || !schreibe_ganz(ziel, muster(50000)).isEmpty()
        || ::chown(z, 4712, 4711) + ::chmod(z, 0664) + ::stat(z, &vorher) != 0)
        GTEST_SKIP() << "a small ext4 needs root, mkfs.ext4 and a loop device";
    EXPECT_TRUE(als_konto(4713, [&] { return schreibe_ganz(ziel, kurz).isEmpty(); }) && lies(ziel) == kurz
                && QFileInfo(ziel).ownerId() == 4712);
    ASSERT_EQ(QProcess::execute("chattr", {"+i", team}), 0);
    EXPECT_TRUE(schreibe_ganz(ziel, "gesperrt").isEmpty() && QProcess::execute("chattr", {"-i", team}) == 0 && lies(ziel) == "gesperrt");
    unterbrich(ziel, "halb", 4);
    EXPECT_TRUE(als_konto(4712, [&] { return ::unlink(z) == 0 && haenge_an_datei(z.toStdString(), "neu von B"); }));
    ASSERT_TRUE(::stat(z, &info) == 0 && info.st_ino == vorher.st_ino) << "the new file has another inode number";
    const QByteArray frueh = "Quorbel alte Fassung 1\n" + QByteArray::number(quint64(info.st_dev)) + ' '
                             + QByteArray::number(quint64(info.st_ino)) + " 3\n" + z.toHex() + '\n';
    for (const char* f : {"/f1", "/f2"})
        ASSERT_TRUE(schreibe_ganz(ordner + f + ".alt", "alt").isEmpty() && schreibe_ganz(ordner + f + ".ziel", frueh).isEmpty());
    ASSERT_TRUE(ramfs.ok && ::chown(o + "/f2.alt", 65534, 65534) == 0 && schreibe_ganz(r, "alt").isEmpty());
    unterbrich(r, "neu", 3);
    stelle_alte_fassungen_wieder_her();
    const QString hinweise = nimm_hinweise_alter_fassungen().join('\n'), f1 = ordner + "/plan.txt (alte Fassung f1)";
    const QStringList neben = QDir(team).entryList({"plan.txt (alte Fassung *)"});
    const QString alt = team + '/' + neben.value(0);
    EXPECT_TRUE(lies(ziel) == "neu von B" && lies(f1) == "alt" && lies(alt) == "gesperrt" && ::stat(QFile::encodeName(alt), &info) == 0
                && info.st_gid == 4711 && (info.st_mode & 0777) == 0664 && neben.size() == 1);
    EXPECT_TRUE(hinweise.contains("Datei " + ziel + " wurde") && hinweise.contains(alt) && hinweise.contains(f1)) << qPrintable(hinweise);
    const QString r_alt = ramfs.pfad(QDir(ramfs.ordner).entryList({"r.bin (alte Fassung *)"}).value(0));
    EXPECT_TRUE(lies(r) == "neu" && lies(r_alt) == "alt" && hinweise.contains(r + " wurde unterbrochen; die Datei") && hinweise.contains(r_alt));
    // A colleague's link at the file's name is not even followed to open what it names (a file of the user's here).
    const QString privat = schreibe("privat", "privat"), b = team + "/b.txt";
    ASSERT_TRUE(schreibe_ganz(b, "b").isEmpty() && ::chown(QFile::encodeName(b), 4712, 4711) + ::chmod(QFile::encodeName(b), 0664) == 0);
    unterbrich(b, "h", 1);
    const int wache = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_TRUE(als_konto(4712, [&] { return QFile::remove(b) && QFile::link(privat, b); }) && ::inotify_add_watch(wache, QFile::encodeName(privat), IN_OPEN) >= 0);
    stelle_alte_fassungen_wieder_her();
    char ereignis[sizeof(inotify_event) + NAME_MAX + 1];
    EXPECT_TRUE(::read(wache, ereignis, sizeof ereignis) < 0 && ::close(wache) == 0 && lies(privat) == "privat");
    for (const mode_t rechte : {0702u, 0720u, 0700u})
        EXPECT_TRUE(::chown(o, rechte == 0700 ? 65534 : 0, 0) + ::chmod(o, rechte) == 0 && gib_ordner_alter_fassungen().isEmpty()) << rechte;
    EXPECT_TRUE(::chown(o, 0, 0) == 0 && QFile::rename(ordner, ordner + "x") && schreibe_ganz(ordner, "").isEmpty()
                && gib_ordner_alter_fassungen().isEmpty() && QFile::remove(ordner) && QFile::rename(ordner + "x", ordner));
    const KleinesDateisystem voll(ordner, "size=64k,mode=0700"), temp_voll("size=64k");
    voll.fuelle_bis(0);
    const QByteArray temp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(tmp.path()));
    const QString eigene = schreibe("eigene.bin", muster(200000));
    unterbrich(eigene, {}, 300000);
    const QString satz = tmp.filePath(QDir(tmp.path()).entryList({"*.ziel"}).value(0)), kz = QFileInfo(satz).completeBaseName();
    // Another's files at the names of what the file held (kept whole, and while kept) hold the start up; the user's file of an earlier
    // record of the same mark, and another's at the old bytes' name, are left as they are.
    const QStringList fremde{tmp.path() + "/eigene.bin (zuletzt " + kz + ')', tmp.path() + "/eigene.bin (alte Fassung " + kz + ')',
                             tmp.filePath(kz + ".vorher"), tmp.filePath(kz + ".zuletzt")};
    for (const QString& fremd : fremde)
        ASSERT_TRUE(schreibe_ganz(fremd, "fremd").isEmpty() && (fremd == fremde[0] || ::chown(QFile::encodeName(fremd), 65534, 65534) == 0));
    // A record's group may write it only as its owner's own: the owner's primary group, of its name, no other account's member or
    // primary group (data bases bound over /etc/passwd and /etc/group for a child alone, never before its namespace is private).
    const QByteArray s = QFile::encodeName(satz), p = QFile::encodeName(tmp.filePath("p")), g = QFile::encodeName(tmp.filePath("g")), root = "root:x:0:0:::\n";
    const QByteArray datenbanken[][2] = {{root, "root:x:0:root\n"}, {root, "root:x:0:root,anna\n"}, {root + "anna:x:1:0:::\n", "root:x:0:\n"}, {"root:x:0:1:::\n", "root:x:0:\n"}};
    ASSERT_EQ(::chown(s, 0, 0) + ::chmod(s, 0660), 0);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(als_konto(0, [&] {
            const int fd = ::open(s.constData(), O_RDONLY);
            return schreibe_ganz(QFile::decodeName(p), datenbanken[i][0]).isEmpty() && schreibe_ganz(QFile::decodeName(g), datenbanken[i][1]).isEmpty() && ::fstat(fd, &info) == 0
                   && ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 && ::mount(p, "/etc/passwd", nullptr, MS_BIND, nullptr) == 0
                   && ::mount(g, "/etc/group", nullptr, MS_BIND, nullptr) == 0 && nur_eigentuemer_darf_schreiben(fd, info);
        }), i == 0) << i;
    ASSERT_TRUE(voll.ok && ::chmod(s, 0602) == 0);
    for (int runde = 0; runde < 3; ++runde) {
        stelle_alte_fassungen_wieder_her();
        EXPECT_TRUE(lies(eigene) != muster(200000) && lies(fremde[0]) + lies(fremde[1]) + lies(fremde[2]) + lies(fremde[3]) == "fremdfremdfremd" + QByteArray(runde == 2 ? "<fehlt>" : "fremd"));
        ASSERT_TRUE(runde == 0 ? ::chmod(s, 0600) == 0 : QFile::remove(fremde[4 - runde]));
    }
    const QString gehalten = nimm_hinweise_alter_fassungen().join('\n');
    EXPECT_TRUE(gehalten.contains(tmp.filePath(kz + ".alt, vermerkt in " + satz)) && gehalten.contains(tmp.path() + " ist der Ordner fuer voruebergehende")) << qPrintable(gehalten);
    stelle_alte_fassungen_wieder_her();
    const QString letzter = nimm_hinweise_alter_fassungen().last(), zuletzt = fremde[0].chopped(1) + "-2)";
    EXPECT_TRUE(lies(eigene) == muster(200000) && letzter.contains(eigene + " wurde unterbrochen; sie") && letzter.contains(zuletzt)
                && lies(zuletzt).size() == 300000 && lies(fremde[0]) + lies(fremde[1]) == "fremdfremd") << qPrintable(letzter);
    // A save that ends well after a start that ended having kept what the file held is undone by no later start, every name for it taken.
    unterbrich(eigene, "x", 1);
    const QString kz2 = QFileInfo(QDir(tmp.path()).entryList({"*.ziel"}).value(0)).completeBaseName();
    for (int n = 0; n < 10; ++n) {
        const QString belegt = n == 0 ? tmp.filePath(kz2 + ".vorher") : tmp.path() + "/eigene.bin (zuletzt " + kz2 + (n == 1 ? QString() : '-' + QString::number(n)) + ')';
        ASSERT_TRUE(schreibe_ganz(belegt, "x").isEmpty() && (n == 0 || ::chown(QFile::encodeName(belegt), 65534, 65534) == 0));
    }
    const int neu2 = ::open(QFile::encodeName(schreibe("neu2.bin", "neu2")).constData(), O_RDONLY | O_CLOEXEC);
    EXPECT_TRUE(schreibe_an_ort(eigene, neu2).isEmpty() && ::close(neu2) == 0);
    stelle_alte_fassungen_wieder_her();
    EXPECT_TRUE(lies(eigene) == "neu2" && schreibe_ganz(eigene, muster(200000)).isEmpty());
    temp_voll.fuelle_bis(0);
    qputenv("TMPDIR", QFile::encodeName(temp_voll.ordner));
    const int neu = ::open(QFile::encodeName(schreibe("neu.bin", "neu")).constData(), O_RDONLY | O_CLOEXEC);
    const QString fehler = schreibe_an_ort(eigene, neu);
    qputenv("TMPDIR", temp);
    EXPECT_TRUE(::close(neu) == 0 && lies(eigene) == muster(200000) && fehler.contains(ordner) && fehler.contains(temp_voll.ordner)
                && fehler.contains(std::strerror(ENOSPC)));
}
