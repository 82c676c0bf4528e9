// The archive routine in its three modes, with a recording log window and without one.
#include "cuninstallinfo.h"
#include "entpacken.h"
#include "importzip.h"
#include "uninstallinthread.h"
#include "wortbreite.h"
#include "installation_hilfe.h"
#include "zip_hilfe.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <tuple>
#include <sys/stat.h>
#include <unistd.h>

using namespace testzip;

namespace {

class ImportZip : public InstallationsTest
{
protected:
    QString archiv(const std::vector<Eintrag>& eintraege, Lage* lage = nullptr)
    {
        const QString p = dir.path() + "/update.zip";
        schreibe(p, baue(eintraege, lage));
        return p;
    }
    // Every file and folder below the test folder, relative to it.
    QStringList alles() const
    {
        QStringList r;
        QDirIterator it(dir.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            r << QDir(dir.path()).relativeFilePath(it.next());
        r.sort();
        return r;
    }

    AufzeichnenderLog log;
};

// Bytes this process has read so far.
qint64 gelesene_bytes()
{
    QFile io(QStringLiteral("/proc/self/io"));
    return io.open(QIODevice::ReadOnly) ? QRegularExpression("rchar: (\\d+)").match(io.readAll()).captured(1).toLongLong() : -1;
}

} // namespace

TEST_F(ImportZip, InstalliertOrdnerUndDateienUndZeichnetSieAuf)
{
    const QString zip = archiv({datei("a/b/c.dll", "c"), datei("a\\d.txt", "d"), datei("e.txt", "e")});
    EXPECT_TRUE(lauf(0, zip, &log));
    EXPECT_EQ(lies(ziel + "/a/b/c.dll"), QByteArray("c"));
    EXPECT_EQ(lies(ziel + "/a/d.txt"), QByteArray("d"));
    EXPECT_EQ(QFileInfo(ziel + "/a/d.txt").lastModified(), dos_als_datum());
    EXPECT_EQ(schluessel(), (QStringList{"a/", "a/b/", "a/b/c.dll", "a/d.txt", "e.txt"}));
    const QString zeit = unistall_map().begin()->second.als_qstring(true, true, false);
    for (const auto& e : unistall_map())
        EXPECT_EQ(e.second.als_qstring(true, true, false), zeit);

    EXPECT_EQ(log.nur("titel"), (QStringList{"ZIP Archiv öffnen", "ZIP Archiv installieren"}));
    EXPECT_EQ(log.nur("gesamt"), QStringList{"3"});
    EXPECT_TRUE(log.hat_text("Zielverzeichnis: " + ziel));
    EXPECT_TRUE(log.hat_text("installiere a/d.txt"));
    EXPECT_TRUE(log.hat_text("Installation beendet."));
    EXPECT_EQ(log.nur("schritt").last(), "3");
    EXPECT_FALSE(log.aufrufe.contains("fehler"));
    EXPECT_TRUE(log.ist_ok());

    // Again: the folders exist now, only the file is recorded anew.
    unistall_map().clear();
    EXPECT_TRUE(lauf(0, zip, nullptr));
    EXPECT_EQ(schluessel(), (QStringList{"a/b/c.dll", "a/d.txt", "e.txt"}));
}

// An update replaces many files at once: each as it would be alone. A writable file takes the
// new content and keeps its permissions, a link is replaced itself (never what it points to), a
// file without write bits and a folder stay, each with a failure line; every path stays on
// record and no temporary file is left.
TEST_F(ImportZip, UpdateVielerDateienErsetztNurWasErsetzbarIst)
{
    std::vector<Eintrag> alt;
    std::vector<Eintrag> neu;
    for (int i = 0; i < 60; ++i) {
        const QByteArray name = "o/f" + QByteArray::number(i) + ".txt";
        alt.push_back(datei(name, "alt"));
        neu.push_back(datei(name, "neu" + QByteArray::number(i)));
    }
    ASSERT_TRUE(lauf(0, archiv(alt), nullptr));
    const auto rechte = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(ziel + "/o/f3.txt", rechte));
    ASSERT_TRUE(QFile::setPermissions(ziel + "/o/f5.txt", QFile::ReadOwner | QFile::ReadGroup));
    ASSERT_TRUE(QFile::remove(ziel + "/o/f7.txt"));
    ASSERT_TRUE(QDir().mkpath(ziel + "/o/f7.txt"));
    schreibe(dir.path() + "/draussen.txt", "draussen");
    ASSERT_TRUE(QFile::remove(ziel + "/o/f9.txt"));
    ASSERT_TRUE(QFile::link(dir.path() + "/draussen.txt", ziel + "/o/f9.txt"));

    unistall_map().clear();
    EXPECT_FALSE(lauf(0, archiv(neu), &log));
    for (int i = 0; i < 60; ++i) {
        if (i != 5 && i != 7) {
            EXPECT_EQ(lies(ziel + "/o/f" + QString::number(i) + ".txt"), "neu" + QByteArray::number(i)) << i;
        }
    }
    EXPECT_EQ(QFile::permissions(ziel + "/o/f3.txt") & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser), rechte);
    EXPECT_EQ(lies(ziel + "/o/f5.txt"), QByteArray("alt"));
    EXPECT_TRUE(log.hat_text("Fehler bei entpacken von o/f5.txt : Fehler bei Open auf Ausgabedatei"));
    EXPECT_TRUE(QFileInfo(ziel + "/o/f7.txt").isDir());
    EXPECT_TRUE(log.hat_text("Fehler bei entpacken von o/f7.txt : Fehler bei Open auf Ausgabedatei"));
    EXPECT_FALSE(QFileInfo(ziel + "/o/f9.txt").isSymLink());
    EXPECT_EQ(lies(dir.path() + "/draussen.txt"), QByteArray("draussen"));
    // The records name what this run wrote (the two that failed were on record before).
    QStringList erwartet;
    for (int i = 0; i < 60; ++i)
        if (i != 5 && i != 7)
            erwartet << "o/f" + QString::number(i) + ".txt";
    erwartet.sort();
    EXPECT_EQ(schluessel(), erwartet);
    QStringList uebrig;
    QDirIterator it(ziel, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        if (const QString name = it.next(); QFileInfo(name).fileName().startsWith(".aktualisierer"))
            uebrig << name;
    EXPECT_TRUE(uebrig.isEmpty()) << uebrig.join(' ').toStdString();
}

// An update over an installed tree leaves a file that holds the entry's data already as it is
// (only its time is set); every other file gets the entry's data whole, also when it differs only
// in its last block (a large one with its entry read once), and of two entries of one path (also
// through a link) the later one wins. The paths were on record before: their new times reach the
// file with the run's last write.
TEST_F(ImportZip, UpdateLaesstGleicheDateienStehenUndSchreibtJedeAndereGanz)
{
    QByteArray gross(600 * 1024, 'g');
    QByteArray gross_neu = gross;
    gross_neu[gross.size() - 1] = 'h';
    QByteArray anfang(1000, 'a');
    QByteArray anfang_neu = anfang;
    anfang_neu[0] = 'b';
    Eintrag riesig = datei("o/riesig.bin", QByteArray(9 << 20, 'r'));
    riesig.komprimiert = false;
    Eintrag riesig_neu = riesig;
    riesig_neu.daten[riesig.daten.size() - 1] = 's';
    {
        CUninstallInfo info(ziel);
        ASSERT_TRUE(lauf(0, archiv({datei("o/gleich.txt", "gleich"), datei("o/gross.bin", gross), riesig,
                                    datei("o/anfang.bin", anfang), datei("doppelt.txt", "alt!")}),
                         nullptr, &info));
    }
    // The records of an install long ago, read as a new run would.
    QString records = QString::fromUtf8(lies(ziel + "/uninstall.dat"));
    records.replace(QRegularExpression("\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d;"), "01.02.2003 04:05:06;");
    schreibe(ziel + "/uninstall.dat", records.toUtf8());
    unistall_map().clear();
    CUninstallInfo info(ziel);
    ASSERT_TRUE(info.schreibe_unistall(false));
    QFile gleich(ziel + "/o/gleich.txt");
    ASSERT_TRUE(gleich.open(QIODevice::ReadWrite));
    ASSERT_TRUE(gleich.setFileTime(QDateTime(QDate(2001, 1, 1), QTime(0, 0)), QFileDevice::FileModificationTime));
    gleich.close();
    struct stat vorher{};
    ASSERT_EQ(::stat(QFile::encodeName(ziel + "/o/gleich.txt").constData(), &vorher), 0);

    const QString update = archiv({datei("o/gleich.txt", "gleich"), datei("o/gross.bin", gross_neu), riesig_neu,
                                   datei("o/anfang.bin", anfang_neu)});
    const qint64 gelesen = gelesene_bytes();
    EXPECT_TRUE(lauf(0, update, &log, &info));
    // The old file and the stored entry, each once.
    EXPECT_LT(gelesene_bytes() - gelesen, 5 * riesig.daten.size() / 2);
    EXPECT_TRUE(lies(ziel + "/o/riesig.bin") == riesig_neu.daten);
    struct stat nachher{};
    ASSERT_EQ(::stat(QFile::encodeName(ziel + "/o/gleich.txt").constData(), &nachher), 0);
    EXPECT_EQ(nachher.st_ino, vorher.st_ino);
    EXPECT_EQ(lies(ziel + "/o/gleich.txt"), QByteArray("gleich"));
    EXPECT_EQ(QFileInfo(ziel + "/o/gleich.txt").lastModified(), dos_als_datum());
    EXPECT_TRUE(lies(ziel + "/o/gross.bin") == gross_neu);
    EXPECT_TRUE(lies(ziel + "/o/anfang.bin") == anfang_neu);
    EXPECT_TRUE(log.hat_text("installiere o/gleich.txt"));
    EXPECT_TRUE(log.ist_ok());
    // The folder there before keeps its time, and so does the file not in this archive.
    const QByteArray danach = lies(ziel + "/uninstall.dat");
    EXPECT_EQ(danach.count("01.02.2003 04:05:06;"), 2) << danach.toStdString();
    EXPECT_TRUE(danach.contains("01.02.2003 04:05:06;o/\r\n"));
    EXPECT_TRUE(danach.contains("01.02.2003 04:05:06;doppelt.txt\r\n"));
    EXPECT_EQ(danach.count(";"), 6);
    // Unchanged now, it stays.
    ASSERT_EQ(::stat(QFile::encodeName(ziel + "/o/riesig.bin").constData(), &vorher), 0);
    EXPECT_TRUE(lauf(0, update, nullptr, &info));
    ASSERT_EQ(::stat(QFile::encodeName(ziel + "/o/riesig.bin").constData(), &nachher), 0);
    EXPECT_EQ(nachher.st_ino, vorher.st_ino);

    // The first entry of a path holds other data, the second the data there before; the same
    // with the first entry's path leading through a link to the second's folder.
    EXPECT_TRUE(lauf(0, archiv({datei("doppelt.txt", "neu!"), datei("doppelt.txt", "alt!")}), nullptr, &info));
    EXPECT_EQ(lies(ziel + "/doppelt.txt"), QByteArray("alt!"));
    ASSERT_EQ(::symlink("o", QFile::encodeName(ziel + "/lnk").constData()), 0);
    EXPECT_TRUE(lauf(0, archiv({datei("lnk/gleich.txt", "andere"), datei("o/gleich.txt", "gleich")}), nullptr, &info));
    EXPECT_EQ(lies(ziel + "/o/gleich.txt"), QByteArray("gleich"));
}

TEST_F(ImportZip, VerzeichnisEintraegeNurWennNeuAngelegt)
{
    QDir().mkpath(ziel + "/alt");
    const QString zip = archiv({datei("alt/", ""), datei("neu/", ""), datei("neu/unter/", ""), datei("alt/x.txt", "x")});
    EXPECT_TRUE(lauf(0, zip, nullptr));
    EXPECT_EQ(schluessel(), (QStringList{"alt/x.txt", "neu/", "neu/unter/"}));
    EXPECT_TRUE(QFileInfo(ziel + "/neu/unter").isDir());
}

TEST_F(ImportZip, EigeneProgrammeWerdenUebersprungen)
{
    const QString zip = archiv({datei("UPDATER.EXE", "u"), datei("aktualisierer.exe", "a"), datei("sub/updater.exe", "s")});
    EXPECT_TRUE(lauf(0, zip, &log));
    EXPECT_TRUE(log.hat_text("überspringe UPDATER.EXE"));
    EXPECT_TRUE(log.hat_text("überspringe aktualisierer.exe"));
    EXPECT_FALSE(QFileInfo::exists(ziel + "/UPDATER.EXE"));
    EXPECT_FALSE(QFileInfo::exists(ziel + "/aktualisierer.exe"));
    EXPECT_EQ(lies(ziel + "/sub/updater.exe"), QByteArray("s"));
    EXPECT_EQ(schluessel(), (QStringList{"sub/", "sub/updater.exe"}));
}

TEST_F(ImportZip, UninstallDatImArchivLaesstDieAufzeichnungenStehen)
{
    const QByteArray frueher = "#\r\n#\r\n#\r\n#\r\n01.02.2025 03:04:05;alt.txt\r\n01.02.2025 03:04:05;alt/\r\n";
    schreibe(ziel + "/uninstall.dat", frueher);
    QDir().mkpath(ziel + "/alt");
    schreibe(ziel + "/alt.txt", "a");
    // An update packed from an installed folder: its records, as a file, a folder and below it,
    // and the lock file a run left.
    const QStringList eigene{"uninstall.dat", "./uninstall.dat/", "uninstall.dat/innen.txt", ".aktualisierer.sperre"};
    std::vector<Eintrag> eintraege{datei("neu/n.txt", "n")};
    for (const QString& name : eigene)
        eintraege.push_back(datei(name.toUtf8(), name.endsWith('/') ? "" : "01.01.2020 00:00:00;fremd.txt\r\n"));
    {
        CUninstallInfo info(ziel);
        EXPECT_TRUE(lauf(0, archiv(eintraege), &log, &info));
    }
    for (const QString& name : eigene)
        EXPECT_TRUE(log.hat_text("überspringe " + name)) << name.toStdString();
    EXPECT_FALSE(log.aufrufe.contains("fehler"));
    EXPECT_TRUE(QFileInfo(ziel + "/uninstall.dat").isFile());
    EXPECT_EQ(schluessel().join(" ").toStdString(), "alt.txt alt/ neu/ neu/n.txt");
    const QByteArray dat = lies(ziel + "/uninstall.dat");
    for (const char* zeile : {";alt.txt\r\n", ";alt/\r\n", ";neu/\r\n", ";neu/n.txt\r\n"})
        EXPECT_TRUE(dat.contains(zeile)) << zeile;
    EXPECT_FALSE(dat.contains("fremd.txt") || dat.contains(";uninstall.dat"));

    // Records that an install wrote over them once name them too: the uninstall leaves the file
    // to the end of a successful run, whatever it is called there, and deletes the rest.
    ergaenze_unistall("uninstall.dat", CZeitVDN(CQString("06.12.2026 09:17:18")));
    ergaenze_unistall("uninstall.dat/", CZeitVDN(CQString("06.12.2026 09:17:18")));
    int modus = 2;
    EXPECT_TRUE(UninstallInThread(&log, &modus, CQString(ziel), CQString("TALVOR")));
    EXPECT_TRUE(log.hat_text("überspringe " + ziel + "/uninstall.dat/"));
    EXPECT_TRUE(QFileInfo(ziel + "/uninstall.dat").isFile());
    EXPECT_FALSE(QFileInfo::exists(ziel + "/neu") || QFileInfo::exists(ziel + "/alt.txt"));
}

TEST_F(ImportZip, NichtsWirdAusserhalbDesZielsGeschrieben)
{
    const QString zip = archiv({datei("../boese.txt", "b"), datei("a/../../boese2.txt", "b"),
                                datei("..\\boese3.txt", "b"), datei("/tmp/absolut.txt", "b"),
                                datei("C:\\windows.txt", "b"), datei("gut.txt", "g")});
    const QStringList vorher = alles();
    EXPECT_FALSE(lauf(0, zip, &log));
    EXPECT_EQ(lies(ziel + "/gut.txt"), QByteArray("g"));
    QStringList erwartet = vorher;
    erwartet << "ziel/gut.txt";
    erwartet.sort();
    EXPECT_EQ(alles(), erwartet);
    EXPECT_FALSE(QFileInfo::exists("/tmp/absolut.txt"));
    EXPECT_EQ(schluessel(), QStringList{"gut.txt"});
    const QString text = gib_entpack_fehlertext(ENTPACK_NAME);
    EXPECT_TRUE(log.hat_text("Fehler bei entpacken von ../boese.txt : " + text));
    EXPECT_TRUE(log.hat_text("Fehler bei entpacken von ../boese3.txt : " + text));
    EXPECT_TRUE(log.hat_text("Fehler bei entpacken von C:/windows.txt : " + text));
    EXPECT_TRUE(log.hat_text("Installation fehlerhaft !"));
    EXPECT_EQ(log.aufrufe.count("fehler"), 6); // five entries, then the end of the run
    EXPECT_FALSE(log.ist_ok());
}

TEST_F(ImportZip, SchadhafteEintraegeLassenAlteDateienStehen)
{
    Eintrag crc = datei("crc.txt", "neu neu neu");
    crc.crc_fehler = 7;
    Eintrag geheim = datei("geheim.txt", "neu");
    geheim.flag = 1;
    const QString zip = archiv({crc, geheim, datei("gut.txt", "neu"), datei(QByteArray(300, 'l'), "x")});
    schreibe(ziel + "/crc.txt", "alt");
    schreibe(ziel + "/geheim.txt", "alt");
    EXPECT_FALSE(lauf(0, zip, nullptr));
    EXPECT_EQ(lies(ziel + "/crc.txt"), QByteArray("alt"));
    EXPECT_EQ(lies(ziel + "/geheim.txt"), QByteArray("alt"));
    EXPECT_EQ(lies(ziel + "/gut.txt"), QByteArray("neu"));
    EXPECT_EQ(QDir(ziel).entryList(QDir::Files | QDir::Hidden).size(), 3);
    EXPECT_EQ(schluessel(), QStringList{"gut.txt"});
}

TEST_F(ImportZip, LangeUndFremdKodierteNamen)
{
    const QByteArray lang = QByteArray("verzeichnis/").repeated(25) + "datei.txt";
    Eintrag cp437 = datei("\x84rger.txt", "1");
    Eintrag utf8 = datei("gr\xc3\xbc\xc3\x9f" "e.txt", "2");
    utf8.flag = 1u << 11;
    EXPECT_TRUE(lauf(0, archiv({datei(lang, "x"), cp437, utf8}), &log));
    EXPECT_EQ(lies(ziel + "/" + QString::fromLatin1(lang)), QByteArray("x"));
    EXPECT_TRUE(unistall_map().count(QString::fromLatin1(lang)));
    // One decoded name for the disk (UTF-8), the record and the protocol.
    EXPECT_EQ(lies(ziel + QStringLiteral(u"/ärger.txt")), QByteArray("1"));
    EXPECT_EQ(lies(ziel + QStringLiteral(u"/grüße.txt")), QByteArray("2"));
    EXPECT_TRUE(QFile::exists(QString::fromUtf8(QFile::encodeName(ziel) + "/\xc3\xa4rger.txt")));
    EXPECT_TRUE(unistall_map().count(QStringLiteral(u"ärger.txt")));
    EXPECT_TRUE(log.hat_text(QStringLiteral(u"installiere ärger.txt")));
}

TEST_F(ImportZip, LeeresFehlendesUndKaputtesArchiv)
{
    schreibe(dir.path() + "/leer.zip", baue({}));
    EXPECT_TRUE(lauf(0, dir.path() + "/leer", &log));
    EXPECT_TRUE(log.hat_text("ZIP Archiv ist leer !"));
    EXPECT_TRUE(log.hat_text("Installation beendet."));

    AufzeichnenderLog log2;
    EXPECT_FALSE(lauf(0, dir.path() + "/fehlt", &log2));
    EXPECT_TRUE(log2.hat_text("ZIP nicht zu öffnen: " + dir.path() + "/fehlt"));
    EXPECT_TRUE(log2.aufrufe.contains("fehler"));

    for (const QByteArray& inhalt : {QByteArray(), QByteArray("PK\x03\x04 kein Archiv")}) {
        schreibe(dir.path() + "/kaputt.zip", inhalt);
        EXPECT_FALSE(lauf(0, dir.path() + "/kaputt.zip", nullptr));
        EXPECT_FALSE(lauf(1, dir.path() + "/kaputt.zip", nullptr));
        EXPECT_FALSE(lauf(2, dir.path() + "/kaputt.zip", nullptr));
    }
    EXPECT_TRUE(unistall_map().empty());
}

TEST_F(ImportZip, KaputtesVerzeichnisBeendetDieSchleife)
{
    Lage lage;
    const QString zip = archiv({datei("eins.txt", "1"), datei("zwei.txt", "2"), datei("drei.txt", "3")}, &lage);
    QByteArray bytes = lies(zip);
    bytes[lage.zentral[1]] = 'X';
    schreibe(zip, bytes);
    EXPECT_FALSE(lauf(0, zip, &log));
    EXPECT_EQ(lies(ziel + "/eins.txt"), QByteArray("1"));
    EXPECT_FALSE(QFileInfo::exists(ziel + "/zwei.txt"));
    EXPECT_TRUE(log.hat_text("Fehlerhafte ZIP-Datei Code: -103"));
    EXPECT_TRUE(log.hat_text("Installation fehlerhaft !"));

    // A damaged first header: the entry information cannot be read at all.
    bytes = lies(zip);
    bytes[lage.zentral[0]] = 'X';
    schreibe(zip, bytes);
    for (int modus : {0, 2}) {
        AufzeichnenderLog l;
        EXPECT_FALSE(lauf(modus, zip, &l)) << modus;
        EXPECT_EQ(l.aufrufe.filter("Fehlerhafte ZIP-Datei Code").size(), 1) << modus;
    }
    AufzeichnenderLog l;
    EXPECT_TRUE(lauf(1, zip, &l));
    EXPECT_TRUE(l.aufrufe.contains("fehler"));
}

TEST_F(ImportZip, AusnahmeBeendetDieSchleifeAlsFehler)
{
    LoggerMitschnitt mitschnitt;
    const QString zip = archiv({datei("eins.txt", "1"), datei("zwei.txt", "2")});
    log.wirf_bei_schritt = 1;
    EXPECT_FALSE(lauf(0, zip, &log));
    EXPECT_FALSE(QFileInfo::exists(ziel + "/zwei.txt"));
    EXPECT_TRUE(mitschnitt.hat("Exception bei Installieren aus ZIP"));
    EXPECT_TRUE(log.hat_text("Installation fehlerhaft !"));

    // The check steps through the programs at the top level.
    AufzeichnenderLog log2;
    log2.wirf_bei_schritt = 1;
    EXPECT_FALSE(lauf(2, archiv({datei("eins.exe", "1"), datei("zwei.txt", "2")}), &log2));
    EXPECT_TRUE(mitschnitt.hat("Exception bei Prüfen ZIP"));
    EXPECT_EQ(log2.nur("schritt").filter("1").size(), 1);
}

TEST_F(ImportZip, UninstallDateiWirdNachJederInstallationGeschrieben)
{
    const QString zip = archiv({datei("x.txt", "x")});
    {
        CUninstallInfo info(ziel);
        EXPECT_TRUE(lauf(0, zip, nullptr, &info));
        EXPECT_TRUE(lies(ziel + "/uninstall.dat").endsWith(";x.txt\r\n"));
        unistall_map().clear();
    }
    // A folder in the place of the file after it was read: the job reads it again, and refuses.
    QFile::remove(ziel + "/uninstall.dat");
    CUninstallInfo info(ziel);
    QDir().mkpath(ziel + "/uninstall.dat/voll");
    EXPECT_FALSE(lauf(0, zip, &log, &info));
    EXPECT_TRUE(log.hat_text("Kann Datei " + ziel + "/uninstall.dat nicht zum Lesen oeffnen"));
    EXPECT_TRUE(log.hat_text("Installation fehlerhaft !"));
    unistall_map().clear();
}

TEST_F(ImportZip, InhaltsverzeichnisAlsTabelle)
{
    Eintrag gross = datei("riesig.bin", "");
    gross.komprimiert = false;
    // Its stated size only; its (empty) data must lie in the archive.
    gross.gross64 = 5ull << 30;
    gross.komp64 = 0;
    Eintrag klein = datei("<b>&amp;.txt", QByteArray(1000, 'a'));
    klein.zeit = (((2009u - 1980u) << 9 | 12u << 5 | 31u) << 16) | (23u << 11 | 59u << 5);
    EXPECT_TRUE(lauf(1, archiv({klein, gross, datei("leer.txt", "")}), &log));
    EXPECT_EQ(log.nur("titel"), (QStringList{"ZIP Archiv öffnen", "Inhaltsverzeichnis ZIP Archiv"}));
    const QStringList zeilen = log.nur("text0");
    ASSERT_EQ(zeilen.size(), 1);
    // The table arrives as HTML; the recording log shows its plain text.
    EXPECT_TRUE(zeilen[0].contains("Größe komp."));
    EXPECT_TRUE(zeilen[0].contains("<b>&amp;.txt"));
    EXPECT_TRUE(zeilen[0].contains("31.12.09"));
    EXPECT_TRUE(zeilen[0].contains("23:59"));
    EXPECT_TRUE(zeilen[0].contains(QString::number(5ull << 30))) << zeilen[0].toStdString();
    EXPECT_EQ(log.nur("schritt").last(), "3");
    EXPECT_TRUE(unistall_map().empty());
    EXPECT_FALSE(QFileInfo::exists(ziel + "/leer.txt"));
}

TEST_F(ImportZip, InhaltsverzeichnisRohHtml)
{
    HtmlLog roh;
    Eintrag e = datei("a<b.txt", QByteArray(200, 'a'));
    EXPECT_TRUE(lauf(1, archiv({e}), &roh));
    ASSERT_EQ(roh.html.size(), 1);
    EXPECT_TRUE(roh.html[0].startsWith("<table border=1><tr><td>Größe</td><td>Größe komp.</td><td>Ratio</td>"
                                       "<td>Datum</td><td>Zeit</td><td>Name</td></tr>"));
    EXPECT_TRUE(roh.html[0].contains("<tr><td>    200</td><td>"));
    EXPECT_TRUE(roh.html[0].contains("<td>04.03.21</td><td>05:06</td><td>a&lt;b.txt</td></tr>"));
    EXPECT_TRUE(roh.html[0].endsWith("</table><br/>"));

    HtmlLog leer;
    schreibe(dir.path() + "/leer.zip", baue({}));
    EXPECT_TRUE(lauf(1, dir.path() + "/leer.zip", &leer));
    ASSERT_EQ(leer.html.size(), 1);
    EXPECT_EQ(leer.html[0].count("<tr>"), 1);
}

// The check looks only at the programs the directory names: found among thousands of other
// entries, in any case, behind bytes in front of the archive, and not in a folder of either
// separator.
TEST_F(ImportZip, WortbreiteFindetDieProgrammeUnterTausendenEintraegen)
{
    LoggerMitschnitt mitschnitt;
    std::vector<Eintrag> eintraege;
    for (int i = 0; i < 3000; ++i) {
        eintraege.push_back(datei("o" + QByteArray::number(i % 30) + "/d" + QByteArray::number(i) + ".txt", "x"));
        if (i == 1500)
            eintraege.push_back(datei("Mitte.EXE", pe_datei(0x8664)));
    }
    eintraege.push_back(datei("unter\\a.dll", pe_datei(0x14c)));
    eintraege.push_back(datei("ende.dll", pe_datei(0x14c)));
    const QString zip = dir.path() + "/programme.zip";
    schreibe(zip, QByteArray(777, 'v') + baue(eintraege));

    // Each word size refuses the program built for the other and lets the other pass.
    const std::vector<std::tuple<bool (*)(), QString, QString>> faelle{
        {ist_64, "ende.dll (32Bit) ist ungültig! Zielsystem ist 64Bit.", "Mitte.EXE ("},
        {ist_32, "Mitte.EXE (64Bit) ist ungültig! Zielsystem ist 32Bit.", "ende.dll ("}};
    for (const auto& [abfrage, abgewiesen, durchgelassen] : faelle) {
        AufzeichnenderLog fenster;
        setze_wortbreiten_abfrage(abfrage);
        EXPECT_FALSE(lauf(2, zip, &fenster));
        EXPECT_TRUE(fenster.hat_text(abgewiesen));
        EXPECT_FALSE(fenster.hat_text(durchgelassen));
    }
    EXPECT_TRUE(mitschnitt.hat("Test 'Mitte.EXE' in 'Mitte.tmpe'"));
    EXPECT_FALSE(mitschnitt.hat("a.dll"));
}

TEST_F(ImportZip, WortbreitePrueftNurObersteExeUndDll)
{
    LoggerMitschnitt mitschnitt;
    const QString temp = dir.path() + "/tmp";
    QDir().mkpath(temp);
    const QByteArray alt_tmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(temp));

    const std::vector<Eintrag> passend{datei("A.DLL", pe_datei(0x8664)), datei("sub/b.dll", pe_datei(0x14c)),
                                       datei("text.exe", "kein PE"), datei("c.txt", pe_datei(0x14c))};
    EXPECT_TRUE(lauf(2, archiv(passend), &log));
    EXPECT_EQ(log.nur("titel"), (QStringList{"ZIP Archiv öffnen", "Prüfen Bitness ZIP Archiv"}));
    EXPECT_TRUE(log.hat_text("Prüfen Bitness ZIP Archiv"));
    EXPECT_TRUE(mitschnitt.hat("Test 'A.DLL' in 'A.tmpd'"));
    EXPECT_TRUE(mitschnitt.hat("Test 'text.exe' in 'text.tmpe'"));
    EXPECT_FALSE(mitschnitt.hat("sub/b.dll"));

    AufzeichnenderLog log32;
    setze_wortbreiten_abfrage(ist_32);
    EXPECT_FALSE(lauf(2, archiv(passend), &log32));
    EXPECT_TRUE(log32.hat_text("A.DLL (64Bit) ist ungültig! Zielsystem ist 32Bit."));
    EXPECT_TRUE(log32.hat_text("EXE bzw. DLL aus dem ZIP-Archiv passen nicht zur Bitness des Zielsystems. "
                               "Das Archiv darf nicht installiert werden!"));
    EXPECT_TRUE(log32.aufrufe.contains("fehler"));

    Eintrag kaputt = datei("k.exe", pe_datei(0x8664));
    kaputt.crc_fehler = 1;
    AufzeichnenderLog logk;
    setze_wortbreiten_abfrage(ist_64);
    EXPECT_FALSE(lauf(2, archiv({kaputt, datei("d.dll", pe_datei(0x14c))}), &logk));
    EXPECT_TRUE(logk.hat_text("Fehler bei Entpacken von k.exe : Fehler bei unzCloseCurrentFile"));
    EXPECT_TRUE(logk.hat_text("d.dll (32Bit) ist ungültig! Zielsystem ist 64Bit."));

    // Without a log window the refusal text is left out, the result is the same.
    EXPECT_FALSE(lauf(2, archiv({datei("d.dll", pe_datei(0x14c))}), nullptr));

    // The check writes nothing, neither into the temporary folder nor into the target.
    EXPECT_TRUE(QDir(temp).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    EXPECT_TRUE(QDir(ziel).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    EXPECT_TRUE(unistall_map().empty());
    if (alt_tmp.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", alt_tmp);
}

TEST_F(ImportZip, UnbekannterModusTutNichts)
{
    const QString zip = archiv({datei("x.txt", "x")});
    EXPECT_TRUE(lauf(3, zip, &log));
    EXPECT_TRUE(lauf(-1, zip, &log));
    EXPECT_TRUE(ImportZIP_installation(&log, nullptr, zip, ziel, nullptr));
    EXPECT_TRUE(log.aufrufe.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(ziel + "/x.txt"));
}
