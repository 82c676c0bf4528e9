// The settings format: Qt's INI text both ways, names as written, whole writes, two writers, a damaged file kept, private files.
#include "einstellungsformat.h"
#include "dateien.h"
#include "dateigrenze.h"
#include "dateisperre.h"
#include "kleinesdateisystem.h"
#include "privatdatei.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

QByteArray inhalt(const QString& pfad)
{
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray("<fehlt>");
}

// Values of every kind the stores keep, with the characters the text must escape.
QSettings::SettingsMap beispielwerte()
{
    QSettings::SettingsMap werte;
    werte.insert(QStringLiteral("ohneGruppe"), QStringLiteral("oben"));
    werte.insert(QStringLiteral("proxy/password"), QStringLiteral(" a;b,c=d \"q\" \\ \t\n\r\x01 @ äß€\U0001F600 "));
    werte.insert(QStringLiteral("proxy/leer"), QString());
    // Hex digits after an escape must not run into it.
    werte.insert(QStringLiteral("proxy/ziffern"), QString::fromUtf8("\xC3\xA4" "bc") + QChar(1) + QStringLiteral("Fz") + QChar(0) + QStringLiteral("7"));
    werte.insert(QStringLiteral("proxy/at"), QStringLiteral("@Rect(1 2 3 4)"));
    werte.insert(QStringLiteral("proxy/port"), 8080);
    werte.insert(QStringLiteral("proxy/enabled"), true);
    werte.insert(QStringLiteral("proxy/anteil"), 0.25);
    werte.insert(QStringLiteral("sessions/lastSession"), QByteArray("\x00\x01\xff()\\\n,;", 10));
    werte.insert(QStringLiteral("suche/liste"), QStringList({QStringLiteral("a, b"), QStringLiteral(" c"), QStringLiteral("@d")}));
    werte.insert(QStringLiteral("suche/eine"), QStringList({QStringLiteral("nur")}));
    werte.insert(QStringLiteral("suche/keine"), QStringList());
    werte.insert(QStringLiteral("suche/gemischt"), QVariantList({1, QStringLiteral("x"), QSize(3, 4)}));
    werte.insert(QStringLiteral("fenster/url"), QUrl(QStringLiteral("http://example.org/ä?x=1")));
    werte.insert(QStringLiteral("fenster/rahmen"), QRect(-1, 2, 300, 400));
    werte.insert(QStringLiteral("fenster/groesse"), QSize(640, 480));
    werte.insert(QStringLiteral("fenster/ort"), QPoint(-5, 7));
    werte.insert(QStringLiteral("fenster/zeit"), QDateTime(QDate(2026, 3, 29), QTime(2, 30), Qt::UTC));
    werte.insert(QStringLiteral("tief/unter/schluessel mit leerzeichen"), QStringLiteral("ü"));
    werte.insert(QStringLiteral("Grüße/Ärger"), QStringLiteral("x"));
    return werte;
}

void erwarte_gleich(const QSettings::SettingsMap& gelesen, const QSettings::SettingsMap& erwartet)
{
    EXPECT_EQ(gelesen.keys(), erwartet.keys());
    for (auto it = erwartet.constBegin(); it != erwartet.constEnd(); ++it) {
        // An empty list reads back as no value, whose list is empty, as with Qt's own format.
        if (it.value().userType() == QMetaType::QStringList && it.value().toStringList().isEmpty())
            EXPECT_EQ(gelesen.value(it.key()), QVariant()) << qPrintable(it.key());
        else
            EXPECT_EQ(gelesen.value(it.key()), it.value()) << qPrintable(it.key());
    }
}

QSettings::SettingsMap alle(QSettings& einstellungen)
{
    QSettings::SettingsMap werte;
    for (const QString& schluessel : einstellungen.allKeys())
        werte.insert(schluessel, einstellungen.value(schluessel));
    return werte;
}

// The status of the process `kind` once it ended, waited for a minute at most; -1 where it had not ended by then (it is ended).
int warte_begrenzt(pid_t kind)
{
    int status = -1;
    for (int i = 0; i < 1200 && ::waitpid(kind, &status, WNOHANG) == 0; ++i)
        ::usleep(50000);
    if (status == -1)
        ::kill(kind, SIGKILL), ::waitpid(kind, nullptr, 0);
    return status;
}

// The program's names, whose settings lie in `ordner`/ordner/programm.conf: the settings' look at start runs.
void setze_programmnamen(const QString& ordner)
{
    QSettings::setPath(einstellungsformat(), QSettings::UserScope, ordner);
    QCoreApplication::setOrganizationName(QStringLiteral("ordner"));
    QCoreApplication::setApplicationName(QStringLiteral("programm"));
}

class Einstellungsformat : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        ASSERT_TRUE(QDir(tmp.path()).mkdir(QStringLiteral("ordner")));
        // A second name of the folder: QSettings objects on it stand for another process, since
        // Qt shares what it read of a file only among the objects of one path.
        ASSERT_TRUE(QFile::link(tmp.filePath(QStringLiteral("ordner")), tmp.filePath(QStringLiteral("anderer"))));
        nimm_beiseite_hinweise();
    }

    QString datei() const { return tmp.filePath(QStringLiteral("ordner/programm.conf")); }
    QString datei_des_anderen() const { return tmp.filePath(QStringLiteral("anderer/programm.conf")); }

    QTemporaryDir tmp;
};

} // namespace

TEST_F(Einstellungsformat, LiestUndSchreibtDenTextVonQtsIniFormat)
{
    const QSettings::SettingsMap werte = beispielwerte();
    {
        QSettings qt(tmp.filePath(QStringLiteral("qt.ini")), QSettings::IniFormat);
        for (auto it = werte.constBegin(); it != werte.constEnd(); ++it)
            qt.setValue(it.key(), it.value());
    }
    QFile von_qt(tmp.filePath(QStringLiteral("qt.ini")));
    ASSERT_TRUE(von_qt.open(QIODevice::ReadOnly));
    QSettings::SettingsMap gelesen;
    EXPECT_TRUE(lies_einstellungstext(von_qt, gelesen));
    erwarte_gleich(gelesen, werte);

    QSettings::SettingsMap mit_general = werte;
    mit_general.insert(QStringLiteral("general/openLinksIn"), 1);
    mit_general.insert(QStringLiteral("General/gross"), 2);
    {
        QSettings unsere(datei(), einstellungsformat());
        for (auto it = mit_general.constBegin(); it != mit_general.constEnd(); ++it)
            unsere.setValue(it.key(), it.value());
        EXPECT_TRUE(sichere_einstellungen(unsere).isEmpty());
    }
    ASSERT_TRUE(QFile::copy(datei(), tmp.filePath(QStringLiteral("unsere.ini"))));
    QSettings qt(tmp.filePath(QStringLiteral("unsere.ini")), QSettings::IniFormat);
    erwarte_gleich(alle(qt), mit_general);
    QSettings wieder(datei_des_anderen(), einstellungsformat());
    erwarte_gleich(alle(wieder), mit_general);
}

TEST_F(Einstellungsformat, EineGruppeGeneralKommtSoZurueckWieSieGeschriebenWurde)
{
    {
        QSettings einstellungen(datei(), einstellungsformat());
        einstellungen.setValue(QStringLiteral("general/openLinksIn"), 1);
        einstellungen.setValue(QStringLiteral("GENERAL/laut"), 2);
        EXPECT_TRUE(sichere_einstellungen(einstellungen).isEmpty());
    }
    QSettings neu(datei_des_anderen(), einstellungsformat());
    EXPECT_EQ(neu.value(QStringLiteral("general/openLinksIn")), QVariant(QStringLiteral("1")));
    EXPECT_EQ(neu.value(QStringLiteral("GENERAL/laut")), QVariant(QStringLiteral("2")));
    EXPECT_EQ(neu.allKeys().size(), 2);
}

TEST_F(Einstellungsformat, EinMisslungenesSchreibenLaesstDieAlteDateiUndMeldetEs)
{
    {
        QSettings einstellungen(datei(), einstellungsformat());
        for (int i = 0; i < 40; ++i)
            einstellungen.setValue(QStringLiteral("gruppe%1/schluessel").arg(i), QString(40, QLatin1Char('a')));
        ASSERT_TRUE(sichere_einstellungen(einstellungen).isEmpty());
    }
    const QByteArray alt = inhalt(datei());
    ASSERT_GT(alt.size(), 1024);
    QSettings einstellungen(datei(), einstellungsformat());
    einstellungen.setValue(QStringLiteral("websettings/enableJavascript"), false);
    QString fehler;
    {
        const Dateigrenze grenze(1024);
        fehler = sichere_einstellungen(einstellungen);
    }
    EXPECT_EQ(einstellungen.status(), QSettings::AccessError);
    EXPECT_TRUE(fehler.startsWith(datei())) << qPrintable(fehler);
    EXPECT_TRUE(fehler.endsWith(QString::fromLocal8Bit(std::strerror(EFBIG)))) << qPrintable(fehler);
    EXPECT_EQ(inhalt(datei()), alt);
    EXPECT_EQ(QDir(tmp.filePath(QStringLiteral("ordner"))).entryList(QDir::Files),
              QStringList({QStringLiteral("programm.conf")}));
    // With room again the change is written.
    EXPECT_TRUE(sichere_einstellungen(einstellungen).isEmpty());
    EXPECT_EQ(QSettings(datei_des_anderen(), einstellungsformat()).value(QStringLiteral("websettings/enableJavascript")),
              QVariant(QStringLiteral("false")));
}

TEST_F(Einstellungsformat, ZweiProzesseBehaltenBeideAenderungen)
{
    QSettings erster(datei(), einstellungsformat());
    QSettings zweiter(datei_des_anderen(), einstellungsformat());
    erster.setValue(QStringLiteral("a/gemeinsam"), 1);
    ASSERT_TRUE(sichere_einstellungen(erster).isEmpty());
    // Another process's changes are read at a sync, as Qt does.
    ASSERT_TRUE(sichere_einstellungen(zweiter).isEmpty());
    ASSERT_EQ(zweiter.value(QStringLiteral("a/gemeinsam")), QVariant(QStringLiteral("1")));

    erster.setValue(QStringLiteral("a/vom_ersten"), QStringLiteral("eins"));
    zweiter.setValue(QStringLiteral("b/vom_zweiten"), QStringLiteral("zwei"));
    EXPECT_TRUE(sichere_einstellungen(erster).isEmpty());
    EXPECT_TRUE(sichere_einstellungen(zweiter).isEmpty());
    ASSERT_TRUE(QFile::link(tmp.filePath(QStringLiteral("ordner")), tmp.filePath(QStringLiteral("dritter"))));
    QSettings dritter(tmp.filePath(QStringLiteral("dritter/programm.conf")), einstellungsformat());
    EXPECT_EQ(dritter.value(QStringLiteral("a/vom_ersten")), QVariant(QStringLiteral("eins")));
    EXPECT_EQ(dritter.value(QStringLiteral("b/vom_zweiten")), QVariant(QStringLiteral("zwei")));
    EXPECT_EQ(dritter.value(QStringLiteral("a/gemeinsam")), QVariant(QStringLiteral("1")));
}

// Eight instances, each a process of its own, save one key each at the same moment, round after
// round: the file keeps every key with its last value. On a ramfs, whose clock ticks every few ms
// (as ext4's before Linux 6.13), and a tmpfs; where they cannot be mounted, in temporary folders. Then
// by the program's names, a pipe at the file's name at each round's start: one looks at it at a time,
// none moves what another moved or saved, and none keeps its settings for its run alone.
TEST_F(Einstellungsformat, AchtInstanzenSpeichernZugleichOhneDassEinSchluesselVerlorenGeht)
{
    const KleinesDateisystem grob("", "ramfs"), fein("");
    for (const QString& pfad : {grob.pfad(QStringLiteral("programm.conf")), fein.pfad(QStringLiteral("programm.conf")), datei()}) {
        for (int runde = 0; runde < 100; ++runde) {
            int start[2];
            ASSERT_TRUE(::pipe(start) == 0 && (pfad != datei() || ((::unlink(QFile::encodeName(pfad)) == 0 || errno == ENOENT) && ::mkfifo(QFile::encodeName(pfad), 0600) == 0)));
            pid_t instanzen[8];
            for (int i = 0; i < 8; ++i) {
                if ((instanzen[i] = ::fork()) != 0)
                    continue;
                char zeichen;
                ::close(start[1]);
                (void)!::read(start[0], &zeichen, 1);
                if (pfad == datei())
                    setze_programmnamen(tmp.path());
                QSettings einstellungen(pfad, einstellungsformat());
                einstellungen.setValue(QStringLiteral("instanz%1").arg(i), runde);
                ::_exit(sichere_einstellungen(einstellungen).isEmpty() && !nimm_beiseite_hinweise().join(' ').contains("nur bis zum Ende") ? 0 : 1);
            }
            // All eight go at once.
            ::close(start[0]), ::close(start[1]);
            for (const pid_t instanz : instanzen)
                ASSERT_EQ(warte_begrenzt(instanz), 0) << runde;
            QFile datei(pfad);
            QSettings::SettingsMap werte;
            ASSERT_TRUE(datei.open(QIODevice::ReadOnly) && lies_einstellungstext(datei, werte));
            for (int i = 0; i < 8; ++i)
                ASSERT_EQ(werte.value(QStringLiteral("instanz%1").arg(i)), QString::number(runde)) << qPrintable(pfad) << runde;
        }
    }
}

// Locks of a live process: Qt's lock of its save stays (its process may run where this one cannot
// see it); a save refused because it holds the lock past the bound writes nothing, then or when
// its object goes, and its change goes with the next save of the process. Another account's lock
// file holds up nothing.
TEST_F(Einstellungsformat, EineSicherungAchtetDieSperrenEinesLebendenProzesses)
{
    const QByteArray qt = QFile::encodeName(datei() + QStringLiteral(".lock"));
    const QByteArray info = "4194304\nanderer\n" + QSysInfo::machineHostName().toUtf8() + "\n";
    int bereit[2], weiter[2];
    char zeichen = 0;
    ASSERT_TRUE(::pipe(bereit) == 0 && ::pipe(weiter) == 0);
    const pid_t anderer = ::fork();
    if (anderer == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        const int fd = ::open(qt.constData(), O_RDWR | O_CREAT | O_EXCL, 0644);
        struct stat offen, jetzt;
        const bool da = ::flock(fd, LOCK_EX) == 0 && ::write(fd, info.constData(), info.size()) == info.size()
                        && ::write(bereit[1], "j", 1) == 1 && ::sleep(1) == 0 && ::fstat(fd, &offen) == 0
                        && ::stat(qt.constData(), &jetzt) == 0 && offen.st_ino == jetzt.st_ino && ::unlink(qt.constData()) == 0;
        const CDateisperre sperre(::close(fd) == 0 && ::read(weiter[0], &zeichen, 1) == 1 ? datei() : QString(), 0);
        ::_exit(::write(bereit[1], da ? "j" : "n", 1) == 1 ? ::pause() : 1);
    }
    QSettings einstellungen(datei(), einstellungsformat());
    einstellungen.setValue(QStringLiteral("a"), 1);
    EXPECT_TRUE(::read(bereit[0], &zeichen, 1) == 1 && sichere_einstellungen(einstellungen).isEmpty());
    EXPECT_TRUE(::write(weiter[1], "j", 1) == 1 && ::read(bereit[0], &zeichen, 1) == 1 && zeichen == 'j');
    {
        QSettings verweigert(datei(), einstellungsformat());
        verweigert.setValue(QStringLiteral("b"), 2);
        EXPECT_FALSE(sichere_einstellungen(verweigert).isEmpty());
    }
    EXPECT_EQ(inhalt(datei()), "[General]\na=1\n");
    ::kill(anderer, SIGKILL), ::waitpid(anderer, nullptr, 0);
    // Another account's lock file at its name (as in a folder others may write), or a pipe, held all the while, holds up no save;
    // the user's own that others could open is closed to them.
    const QByteArray sperre = QFile::encodeName(CDateisperre::sperrdatei(datei()));
    for (int fall = ::geteuid() == 0 ? 0 : 1; fall < 3; ++fall) {
        struct stat jetzt;
        const int fremd = ::unlink(sperre) + (fall == 1 ? ::mkfifo(sperre, 0600) : 0) == 0 ? ::open(sperre, O_RDONLY | O_CREAT | O_NONBLOCK, 0600) : -1;
        einstellungen.setValue(QStringLiteral("c"), fall);
        EXPECT_TRUE(::fchmod(fremd, 0644) == 0 && (fall != 0 || ::fchown(fremd, 65534, 0) == 0) && (fall == 2 || ::flock(fremd, LOCK_EX) == 0)
                    && sichere_einstellungen(einstellungen).isEmpty() && ::close(fremd) + ::stat(sperre, &jetzt) == 0 && (jetzt.st_mode & 077) == (fall == 2 ? 0 : 044)) << fall;
    }
    EXPECT_EQ(inhalt(datei()), "[General]\na=1\nb=2\nc=2\n");
}

TEST_F(Einstellungsformat, EineBeschaedigteDateiWirdVorDemSchreibenBeiseiteGelegt)
{
    const QByteArray beschaedigt = "[proxy]\nhostName=proxy.example\n\xff\xfe kaputt ohne Gleichheitszeichen\nport=3128\n";
    // Behind a link into a dotfiles folder: the file it names is kept.
    ASSERT_TRUE(QDir(tmp.path()).mkdir(QStringLiteral("dotfiles")) && QFile::link(QStringLiteral("../dotfiles/programm.conf"), datei()));
    {
        QFile f(datei());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(beschaedigt);
    }
    QSettings einstellungen(datei(), einstellungsformat());
    // What could be read is there.
    EXPECT_EQ(einstellungen.value(QStringLiteral("proxy/hostName")), QVariant(QStringLiteral("proxy.example")));
    EXPECT_EQ(einstellungen.value(QStringLiteral("proxy/port")), QVariant(QStringLiteral("3128")));
    const QString beiseite = datei() + QStringLiteral(".beschaedigt");
    const QStringList hinweise = nimm_beiseite_hinweise();
    ASSERT_EQ(hinweise.size(), 1);
    EXPECT_TRUE(hinweise.first().contains(datei())) << qPrintable(hinweise.first());
    EXPECT_TRUE(hinweise.first().contains(beiseite)) << qPrintable(hinweise.first());

    einstellungen.setValue(QStringLiteral("proxy/userName"), QStringLiteral("anna"));
    EXPECT_TRUE(sichere_einstellungen(einstellungen).isEmpty());
    EXPECT_EQ(inhalt(beiseite), beschaedigt);
    EXPECT_EQ(QSettings(datei_des_anderen(), einstellungsformat()).value(QStringLiteral("proxy/hostName")),
              QVariant(QStringLiteral("proxy.example")));
}

TEST_F(Einstellungsformat, DieDateiMitEinemPasswortLiestNurIhrBenutzer)
{
    const QString ordner = tmp.filePath(QStringLiteral("neu/unter"));
    const QString pfad = ordner + QStringLiteral("/programm.conf");
    // A file readable by everyone, as an earlier version left it, is made private too.
    ASSERT_TRUE(QDir().mkpath(tmp.filePath(QStringLiteral("alt"))));
    const QString alt = tmp.filePath(QStringLiteral("alt/programm.conf"));
    {
        QFile f(alt);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[proxy]\nhostName=x\n");
        ASSERT_TRUE(f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther));
    }
    for (const QString& name : {pfad, alt}) {
        QSettings einstellungen(name, einstellungsformat());
        einstellungen.setValue(QStringLiteral("proxy/password"), QStringLiteral("geheim"));
        ASSERT_TRUE(sichere_einstellungen(einstellungen).isEmpty());
        struct stat info;
        ASSERT_EQ(::stat(QFile::encodeName(name).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0600u) << qPrintable(name);
    }
    for (const QString& name : {tmp.filePath(QStringLiteral("neu")), ordner}) {
        struct stat info;
        ASSERT_EQ(::stat(QFile::encodeName(name).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0700u) << qPrintable(name);
    }
    // Another account's file stays as it is.
    ASSERT_TRUE(::chmod(QFile::encodeName(alt), 0644) == 0 && (::geteuid() != 0 || ::chown(QFile::encodeName(alt), 65534, 65534) == 0));
    EXPECT_TRUE(mache_privat(alt) && QFileInfo(alt).permissions().testFlag(QFile::ReadOther) == (::geteuid() == 0));
}

// A pipe at the settings file's name, then at Qt's lock file's: moved aside and told once, and the
// program's road (its names set, QSettings()) reads and saves. Another account's pipe and lock file (a
// live process's), where there is another account, stay, and the notice says the settings last for
// this run. Run in a process of its own, waited for with a bound.
TEST_F(Einstellungsformat, EineRoehreAmNamenDerDateiOderIhrerSperreHaeltNichts)
{
    for (const QString& name : {QStringLiteral("ordner/programm.conf"), QStringLiteral("ordner/programm.conf.lock"), QStringLiteral("ordner/programm.conf?"), QStringLiteral("ordner/programm.conf.lock?")}) {
        const QString pfad = tmp.filePath(name).remove('?');
        const bool fremd = name.endsWith('?'), sperre = pfad.endsWith("lock");
        const QByteArray info = QByteArray::number(::getpid()) + "\nanderer\n" + QSysInfo::machineHostName().toUtf8() + '\n';
        if (fremd && ::geteuid() != 0)
            continue;
        ASSERT_TRUE((!QFile::exists(datei()) || QFile::remove(datei())) && (fremd && sperre ? schreibe_ganz(pfad, info).isEmpty() : ::mkfifo(QFile::encodeName(pfad), 0600) == 0));
        ASSERT_TRUE(!fremd || ::chown(QFile::encodeName(pfad), 65534, 65534) == 0);
        const pid_t kind = ::fork();
        if (kind == 0) {
            // The folder of the settings of this run goes with the test's.
            qputenv("TMPDIR", QFile::encodeName(tmp.path()));
            setze_programmnamen(tmp.path());
            QSettings einstellungen;
            einstellungen.setValue(QStringLiteral("a"), name);
            const QStringList hinweise = nimm_beiseite_hinweise();
            ::_exit(hinweise.size() == 1 && hinweise.first().contains(pfad + (fremd ? " ist keine gewöhnliche Datei des Benutzers und lässt sich nicht beiseitelegen; die Einstellungen gelten nur bis zum Ende des Programms." : ".beiseite"))
                            && sichere_einstellungen(einstellungen).isEmpty() ? 0 : 1);
        }
        const int status = warte_begrenzt(kind);
        // Not read here while the pipe may still be there.
        struct stat da;
        EXPECT_TRUE(status == 0 && (fremd ? ::lstat(QFile::encodeName(pfad), &da) == 0 && da.st_uid == 65534 && S_ISFIFO(da.st_mode) != sperre && QFile::remove(pfad)
                                          : QFileInfo(pfad + QStringLiteral(".beiseite")).exists() && QSettings(datei(), einstellungsformat()).value(QStringLiteral("a")) == name)) << qPrintable(name);
    }
}

TEST_F(Einstellungsformat, QSettingsOhneFormatNimmtDiesesFormat)
{
    EXPECT_EQ(QSettings().format(), einstellungsformat());
    EXPECT_TRUE(QSettings().fileName().endsWith(QStringLiteral(".conf"))) << qPrintable(QSettings().fileName());
}
