// The entries' data as the archive states it: lying sizes and CRCs, overlapping entries, archives
// that are no regular files, and ZIP64 entries up to beyond 4 GiB.
#include "installation_hilfe.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QStorageInfo>

#include <chrono>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

using namespace testzip;

namespace {

class ZipDaten : public InstallationsTest
{
protected:
    QString archiv(const QByteArray& bytes, const QString& name = QStringLiteral("update.zip"))
    {
        const QString p = dir.path() + "/" + name;
        schreibe(p, bytes);
        return p;
    }
    // Every file and folder below the target, relative to it.
    QStringList im_ziel() const
    {
        QStringList r;
        QDirIterator it(ziel, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            r << QDir(ziel).relativeFilePath(it.next());
        r.sort();
        return r;
    }
    bool ohne_temporaere_dateien() const { return im_ziel().filter(".aktualisierer-").isEmpty(); }
};

// A stored entry whose data descriptor and central record state 11 bytes, of which only 5 are there.
Eintrag zu_kurz(const QByteArray& name)
{
    Eintrag e = datei(name, "Hallo");
    e.komprimiert = false;
    e.deskriptor = true;
    e.gross_angabe = 11;
    return e;
}

// An archive of lying entries, each with an existing good file of the same name, and one sound entry.
QByteArray luegendes_archiv()
{
    Eintrag laenger = datei("laenger.txt", QByteArray(3000, 'l'));
    laenger.gross_angabe = 2000;
    Eintrag kuerzer = datei("kuerzer.txt", QByteArray(3000, 'k'));
    kuerzer.gross_angabe = 4000;
    Eintrag crc = datei("crc.txt", "neu neu");
    crc.komprimiert = false;
    crc.crc_fehler = 0x100;
    return baue({zu_kurz("kurz.txt"), laenger, kuerzer, crc, datei("gut.txt", "neu")});
}

// Ten central records on one deflate stream of 1 MiB of zeros.
QByteArray ein_strom_zehnmal()
{
    std::vector<Eintrag> eintraege;
    for (int i = 0; i < 10; ++i) {
        Eintrag e = datei("null" + QByteArray::number(i) + ".bin", QByteArray(1 << 20, '\0'));
        if (i > 0)
            e.lokal_von = 0;
        eintraege.push_back(e);
    }
    return baue(eintraege);
}

// The second entry's central record points 2 bytes behind its local header.
QByteArray versetzter_kopf()
{
    Eintrag zwei = datei("zwei.txt", "zwei");
    zwei.versatz_fehler = 2;
    return baue({datei("eins.txt", "eins"), zwei});
}

QByteArray kleines_zip64()
{
    Eintrag gepackt = datei("a/gepackt.txt", QByteArray("zip64 ").repeated(500));
    gepackt.zip64 = true;
    Eintrag gespeichert = datei("gespeichert.bin", QByteArray("\x00\x01\xff", 3).repeated(100));
    gespeichert.zip64 = true;
    gespeichert.komprimiert = false;
    Eintrag strom = datei("strom.txt", QByteArray("mit Deskriptor"));
    strom.zip64 = true;
    strom.deskriptor = true;
    return baue({gepackt, gespeichert, strom});
}

// Moves the archive's end into a ZIP64 end record with its locator; the old end record keeps only
// its markers, as writers do for archives beyond the old limits.
QByteArray mit_zip64_ende(const QByteArray& zip)
{
    const int ende = zip.lastIndexOf(QByteArray("PK\x05\x06", 4));
    const auto wert = [&](int pos, int n) {
        quint64 v = 0;
        for (int i = n - 1; i >= 0; --i)
            v = v << 8 | uchar(zip[pos + i]);
        return v;
    };
    QByteArray r = zip.left(ende);
    const quint64 satz64 = quint64(r.size());
    le32(r, 0x06064b50);
    le64(r, 44);
    le16(r, 45);
    le16(r, 45);
    le32(r, 0);
    le32(r, 0);
    le64(r, wert(ende + 8, 2));
    le64(r, wert(ende + 10, 2));
    le64(r, wert(ende + 12, 4));
    le64(r, wert(ende + 16, 4));
    le32(r, 0x07064b50);
    le32(r, 0);
    le64(r, satz64);
    le32(r, 1);
    le32(r, 0x06054b50);
    le16(r, 0);
    le16(r, 0);
    le16(r, 0xFFFF);
    le16(r, 0xFFFF);
    le32(r, 0xFFFFFFFFu);
    le32(r, 0xFFFFFFFFu);
    le16(r, 0);
    return r;
}

// More entries than the end record's 16-bit count holds, the last a 32-bit DLL at the top level;
// built once for the test program.
constexpr int viele = 65536 + 300;
const QByteArray& ueberlaufendes_archiv()
{
    static const QByteArray zip = viele_eintraege(viele, {datei("z.dll", pe_datei(0x14c))});
    return zip;
}

// Runs python3 with a program and its arguments; false when it is missing or fails.
bool python(const QString& programm, const QStringList& argumente, int zeit_ms = 60000)
{
    QProcess p;
    p.start(QStringLiteral("python3"), QStringList{QStringLiteral("-c"), programm} + argumente);
    return p.waitForFinished(zeit_ms) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace

TEST_F(ZipDaten, LuegendeGroessenUndCrcLassenDieAlteDateiStehen)
{
    for (const char* n : {"kurz.txt", "laenger.txt", "kuerzer.txt", "crc.txt", "gut.txt"})
        schreibe(ziel + "/" + n, "alt");
    AufzeichnenderLog log;
    EXPECT_FALSE(lauf(0, archiv(luegendes_archiv()), &log));
    for (const char* n : {"kurz.txt", "laenger.txt", "kuerzer.txt", "crc.txt"}) {
        EXPECT_EQ(lies(ziel + "/" + n), QByteArray("alt")) << n;
        EXPECT_TRUE(log.hat_text(QStringLiteral("Fehler bei entpacken von %1 : Fehler bei unzCloseCurrentFile").arg(n))) << n;
    }
    EXPECT_EQ(lies(ziel + "/gut.txt"), QByteArray("neu"));
    EXPECT_EQ(schluessel(), QStringList{"gut.txt"});
    EXPECT_EQ(im_ziel(), (QStringList{"crc.txt", "gut.txt", "kuerzer.txt", "kurz.txt", "laenger.txt"}));
    EXPECT_TRUE(log.hat_text("Installation fehlerhaft !"));

    // The word-size check reads the entry through, and fails it the same way: the 5 bytes there
    // would pass as a non-PE file.
    Eintrag pe = datei("voll.dll", pe_datei(0x8664));
    pe.gross_angabe = pe.daten.size() + 1;
    AufzeichnenderLog log2;
    EXPECT_FALSE(lauf(2, archiv(baue({zu_kurz("kurz.dll"), pe, datei("gut.dll", pe_datei(0x8664))})), &log2));
    EXPECT_TRUE(log2.hat_text("Fehler bei Entpacken von kurz.dll : Fehler bei unzCloseCurrentFile"));
    EXPECT_TRUE(log2.hat_text("Fehler bei Entpacken von voll.dll : Fehler bei unzCloseCurrentFile"));
    EXPECT_FALSE(log2.hat_text("Fehler bei Entpacken von gut.dll : Fehler bei unzCloseCurrentFile"));
    EXPECT_EQ(im_ziel(), (QStringList{"crc.txt", "gut.txt", "kuerzer.txt", "kurz.txt", "laenger.txt"}));
    EXPECT_EQ(schluessel(), QStringList{"gut.txt"});
}

TEST_F(ZipDaten, UeberlappendeOderVersetzteEintraegeOeffnenNicht)
{
    // Entry 2 is announced where entry 1's stored data holds a whole archive's local header.
    const QByteArray innen = baue({datei("innen.txt", "innen")});
    Eintrag huelle = datei("huelle.bin", innen);
    huelle.komprimiert = false;
    Eintrag verschachtelt = datei("innen.txt", "innen");
    verschachtelt.lokal_von = 0;
    Lage lage;
    QByteArray schachtel = baue({huelle, verschachtelt}, &lage);
    const int huelle_daten = lage.daten[0];
    {
        // Point the second central record at the inner local header.
        const int versatz_feld = lage.zentral[1] + 42;
        for (int i = 0; i < 4; ++i)
            schachtel[versatz_feld + i] = char((huelle_daten >> (8 * i)) & 0xFF);
    }
    // Entry 2's offset points at the central directory itself, or beyond the file.
    Eintrag ins_verzeichnis = datei("b.txt", "b");
    Lage zwei;
    baue({datei("a.txt", "a"), ins_verzeichnis}, &zwei);
    ins_verzeichnis.versatz_fehler = zwei.zentral[0] - zwei.lokal[1];
    Eintrag hinaus = datei("c.txt", "c");
    hinaus.versatz_fehler = 1 << 20;
    // The stated compressed size runs into the central directory.
    Eintrag zu_lang = datei("lang.bin", "");
    zu_lang.komprimiert = false;
    zu_lang.gross64 = 1000;
    zu_lang.komp64 = 1000;

    const std::vector<std::pair<const char*, QByteArray>> faelle{
        {"ein Strom zehnmal", ein_strom_zehnmal()},
        {"versetzter Kopf", versetzter_kopf()},
        {"verschachtelt", schachtel},
        {"ins Verzeichnis", baue({datei("a.txt", "a"), ins_verzeichnis})},
        {"hinaus", baue({datei("a.txt", "a"), hinaus})},
        {"zu lang", baue({datei("a.txt", "a"), zu_lang})},
    };
    for (const auto& [name, bytes] : faelle) {
        const QString zip = archiv(bytes);
        for (int modus : {0, 1, 2}) {
            AufzeichnenderLog log;
            EXPECT_FALSE(lauf(modus, zip, &log)) << name << " " << modus;
            EXPECT_TRUE(log.hat_text("ZIP nicht zu öffnen: " + zip)) << name << " " << modus;
            EXPECT_TRUE(log.aufrufe.contains("fehler")) << name;
        }
        EXPECT_TRUE(im_ziel().isEmpty()) << name;
        EXPECT_TRUE(schluessel().isEmpty()) << name;
    }

    // Sound archives still open: a program in front of the archive (also of one with a ZIP64 end
    // record), data descriptors, folder entries, a ZIP64 end record; an entry that lies about its
    // uncompressed size only fails itself.
    Eintrag mit_deskriptor = datei("d/z.txt", "zett");
    mit_deskriptor.deskriptor = true;
    const QByteArray mit_vorspann = QByteArray(1000, 'S') + baue({datei("d/", ""), mit_deskriptor});
    EXPECT_TRUE(lauf(0, archiv(mit_vorspann), nullptr));
    EXPECT_TRUE(lauf(0, archiv(mit_zip64_ende(baue({datei("d/", ""), datei("d/y.txt", "y")}))), nullptr));
    EXPECT_TRUE(lauf(0, archiv(QByteArray(1000, 'S') + mit_zip64_ende(baue({datei("d/w.txt", "w")}))), nullptr));
    AufzeichnenderLog log;
    EXPECT_FALSE(lauf(0, archiv(baue({zu_kurz("x.txt"), datei("d/y.txt", "y")})), &log));
    EXPECT_TRUE(log.hat_text("installiere d/y.txt"));
    EXPECT_EQ(lies(ziel + "/d/z.txt"), QByteArray("zett"));
    EXPECT_EQ(lies(ziel + "/d/y.txt"), QByteArray("y"));
    EXPECT_EQ(im_ziel(), (QStringList{"d", "d/w.txt", "d/y.txt", "d/z.txt"}));
    EXPECT_EQ(schluessel(), (QStringList{"d/", "d/w.txt", "d/y.txt", "d/z.txt"}));
}

TEST_F(ZipDaten, FifoOrdnerUndGeraetAlsArchivScheiternSofort)
{
    const QString fifo = dir.path() + "/fifo.zip";
    const QString neben = dir.path() + "/neben";
    for (const QString& f : {fifo, neben})
        ASSERT_EQ(::mkfifo(QFile::encodeName(f).constData(), 0600), 0);
    // A run that blocks on a FIFO fails the test and is then set free: writers come and go, as
    // often as it opens, so that it sees the end. The bound is far beyond what a run takes on a
    // loaded machine; a blocked one would never end.
    const auto lauf_mit_wache = [&](int modus, const QString& zip, CCBaseLog* log) {
        auto ergebnis = std::async(std::launch::async, [&] { return lauf(modus, zip, log); });
        if (ergebnis.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
            ADD_FAILURE() << "blocked on " << zip.toStdString();
            while (ergebnis.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready)
                for (const QString& f : {fifo, neben})
                    ::close(::open(QFile::encodeName(f).constData(), O_WRONLY | O_NONBLOCK));
        }
        return ergebnis.get();
    };

    QDir().mkpath(dir.path() + "/ordner.zip");
    for (const QString& zip : {fifo, dir.path() + "/ordner.zip", QStringLiteral("/dev/null")}) {
        for (int modus : {0, 1, 2}) {
            AufzeichnenderLog log;
            EXPECT_FALSE(lauf_mit_wache(modus, zip, &log)) << zip.toStdString();
            EXPECT_TRUE(log.hat_text("ZIP nicht zu öffnen: " + zip)) << zip.toStdString();
        }
    }
    EXPECT_TRUE(im_ziel().isEmpty());
    // A FIFO in the archive's place lets the path with ".zip" open.
    archiv(baue({datei("n.txt", "n")}), "neben.zip");
    EXPECT_TRUE(lauf_mit_wache(0, neben, nullptr));
    EXPECT_EQ(im_ziel(), QStringList{"n.txt"});
    EXPECT_EQ(schluessel(), QStringList{"n.txt"});
}

TEST_F(ZipDaten, KleineZip64EintraegeKommenGanzAn)
{
    const QString py = dir.path() + "/python.zip";
    ASSERT_TRUE(python(QStringLiteral("import sys, zipfile\n"
                                      "with zipfile.ZipFile(sys.argv[1], 'w') as z:\n"
                                      "    for name, art, daten in (('py/gepackt.txt', zipfile.ZIP_DEFLATED, b'abc' * 999),\n"
                                      "                             ('py/gespeichert.txt', zipfile.ZIP_STORED, b'stored'),\n"
                                      "                             ('py/leer.txt', zipfile.ZIP_DEFLATED, b'')):\n"
                                      "        info = zipfile.ZipInfo(name, (2021, 3, 4, 5, 6, 8))\n"
                                      "        info.compress_type = art\n"
                                      "        with z.open(info, 'w', force_zip64=True) as f:\n"
                                      "            f.write(daten)\n"),
                       {py}));
    EXPECT_TRUE(lauf(0, py, nullptr));
    EXPECT_EQ(lies(ziel + "/py/gepackt.txt"), QByteArray("abc").repeated(999));
    EXPECT_EQ(lies(ziel + "/py/gespeichert.txt"), QByteArray("stored"));
    EXPECT_EQ(lies(ziel + "/py/leer.txt"), QByteArray());
    EXPECT_EQ(QFileInfo(ziel + "/py/gepackt.txt").lastModified(), dos_als_datum());

    EXPECT_TRUE(lauf(0, archiv(kleines_zip64()), nullptr));
    EXPECT_EQ(lies(ziel + "/a/gepackt.txt"), QByteArray("zip64 ").repeated(500));
    EXPECT_EQ(lies(ziel + "/gespeichert.bin"), QByteArray("\x00\x01\xff", 3).repeated(100));
    EXPECT_EQ(lies(ziel + "/strom.txt"), QByteArray("mit Deskriptor"));
    EXPECT_TRUE(ohne_temporaere_dateien());
    EXPECT_EQ(schluessel(), (QStringList{"a/", "a/gepackt.txt", "gespeichert.bin", "py/", "py/gepackt.txt",
                                         "py/gespeichert.txt", "py/leer.txt", "strom.txt"}));

    // The listing shows the real sizes; a ratio above 100 % stays exact.
    HtmlLog roh;
    Eintrag gespeichert = datei("mehr.bin", QByteArray(3000, 'm'));
    gespeichert.komprimiert = false;
    gespeichert.zip64 = true;
    gespeichert.gross_angabe = 1000;
    EXPECT_TRUE(lauf(1, archiv(baue({gespeichert})), &roh));
    ASSERT_EQ(roh.html.size(), 1);
    EXPECT_TRUE(roh.html[0].contains("<tr><td>   1000</td><td>   3000</td><td>300%</td>")) << roh.html[0].toStdString();

    // The word-size check reads ZIP64 entries too.
    Eintrag dll = datei("w.dll", pe_datei(0x14c));
    dll.zip64 = true;
    AufzeichnenderLog log;
    EXPECT_FALSE(lauf(2, archiv(baue({dll})), &log));
    EXPECT_TRUE(log.hat_text("w.dll (32Bit) ist ungültig! Zielsystem ist 64Bit."));
}

TEST_F(ZipDaten, EintragUeber4GiBWirdGanzInstalliert)
{
    if (qEnvironmentVariableIsSet("AKTUALISIERER_OHNE_4GIB"))
        GTEST_SKIP() << "AKTUALISIERER_OHNE_4GIB is set";
    constexpr qint64 nullen = (4LL << 30) + 12345;
    const QByteArray schluss("ENDE");
    const qint64 groesse = nullen + schluss.size();
    const QStorageInfo platz(dir.path());
    if (platz.bytesAvailable() < groesse + (512LL << 20))
        GTEST_SKIP() << "needs about 4.5 GB free in " << dir.path().toStdString();

    const QString zip = dir.path() + "/gross.zip";
    ASSERT_TRUE(python(QStringLiteral("import sys, zipfile\n"
                                      "nullen = int(sys.argv[2])\n"
                                      "block = bytes(16 << 20)\n"
                                      "with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as z:\n"
                                      "    with z.open('gross/null.bin', 'w', force_zip64=True) as f:\n"
                                      "        while nullen > 0:\n"
                                      "            f.write(block[:min(nullen, len(block))])\n"
                                      "            nullen -= len(block)\n"
                                      "        f.write(b'ENDE')\n"),
                       {zip, QString::number(nullen)}, 600000));
    ASSERT_LT(QFileInfo(zip).size(), 64LL << 20);
    EXPECT_TRUE(lauf(0, zip, nullptr));
    const QString datei = ziel + "/gross/null.bin";
    EXPECT_EQ(QFileInfo(datei).size(), groesse);
    EXPECT_TRUE(ohne_temporaere_dateien());
    EXPECT_EQ(schluessel(), (QStringList{"gross/", "gross/null.bin"}));

    // The reader checked the CRC; here a few places around the 32-bit limits and the end.
    QFile f(datei);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    for (const qint64 stelle : {0LL, (2LL << 30) - 1, (4LL << 30) - 1, 4LL << 30, nullen - 16}) {
        ASSERT_TRUE(f.seek(stelle));
        EXPECT_EQ(f.read(16), QByteArray(16, '\0')) << stelle;
    }
    ASSERT_TRUE(f.seek(nullen));
    EXPECT_EQ(f.readAll(), schluss);
    f.close();
    QFile::remove(datei);
}

// The end record's count wrapped (no ZIP64 end record): the entries beyond it are read on to the
// central directory's end, and the total shown is the true count. The install of this archive: in
// the program test.
TEST_F(ZipDaten, UebergelaufeneEintragszahlWirdBisZumVerzeichnisendeGelesen)
{
    const int alle = viele + 1;
    const QString zip = archiv(ueberlaufendes_archiv());
    HtmlLog liste;
    EXPECT_TRUE(lauf(1, zip, &liste));
    EXPECT_FALSE(liste.aufrufe.contains("fehler"));
    EXPECT_EQ(liste.nur("gesamt"), QStringList{QString::number(alle)});
    // The listing comes as tables of some hundred rows each.
    const QString html = liste.html.join(QString());
    EXPECT_EQ(html.count(QLatin1String("<table")), liste.html.size());
    EXPECT_EQ(html.count(QLatin1String("<tr>")), alle + 1);
    EXPECT_TRUE(html.contains("<td>" + vieler_name(viele - 1) + "</td>"));
    EXPECT_TRUE(html.contains("<td>z.dll</td>"));

    // The word-size check reaches the DLL, also where the writer put 0xFFFF for the count, and in
    // an archive of exactly 65,536 entries, whose count reads 0 (as that of an empty archive).
    QByteArray ffff = ueberlaufendes_archiv();
    setze_endanzahl(ffff, 0xFFFF);
    const std::vector<std::pair<QByteArray, int>> faelle{
        {ueberlaufendes_archiv(), alle},
        {ffff, alle},
        {viele_eintraege(65535, {datei("z.dll", pe_datei(0x14c))}), 65536},
    };
    for (size_t i = 0; i < faelle.size(); ++i) {
        AufzeichnenderLog log;
        EXPECT_FALSE(lauf(2, archiv(faelle[i].first, QStringLiteral("%1.zip").arg(i)), &log)) << i;
        EXPECT_TRUE(log.hat_text("z.dll (32Bit) ist ungültig! Zielsystem ist 64Bit.")) << i;
        EXPECT_EQ(log.nur("gesamt"), QStringList{QString::number(faelle[i].second)}) << i;
    }
}

// An end record whose count the central directory does not hold, more or fewer: nothing is
// installed or listed, every road fails at the start.
// PKWARE's tools end the central directory with a digital signature record, inside the size the
// end record states: the entries before it are the archive, in every mode.
TEST_F(ZipDaten, DigitaleSignaturAmVerzeichnisendeGehoertZumArchiv)
{
    QByteArray bytes = baue({datei("a/eins.txt", "1"), datei("zwei.txt", "2")});
    const QByteArray signatur = QByteArray("PK\x05\x05\x04\x00", 6) + "sig!";
    const int ende = bytes.size() - 22;
    bytes.insert(ende, signatur);
    quint32 groesse = 0;
    for (int i = 3; i >= 0; --i)
        groesse = groesse << 8 | quint8(bytes[ende + signatur.size() + 12 + i]);
    groesse += quint32(signatur.size());
    for (int i = 0; i < 4; ++i)
        bytes[ende + signatur.size() + 12 + i] = char(groesse >> (8 * i));
    const QString zip = archiv(bytes);
    for (int modus : {0, 1, 2}) {
        AufzeichnenderLog log;
        EXPECT_TRUE(lauf(modus, zip, &log)) << modus << " " << log.aufrufe.join(" / ").toStdString();
        EXPECT_EQ(log.nur("gesamt"), QStringList{"2"}) << modus;
    }
    EXPECT_EQ(im_ziel(), (QStringList{"a", "a/eins.txt", "zwei.txt"}));
}

TEST_F(ZipDaten, EintragszahlDieDasVerzeichnisNichtHaeltWirdAbgewiesen)
{
    const QByteArray drei = baue({datei("a/eins.txt", "1"), datei("zwei.txt", "2"), datei("drei.txt", "3")});
    QByteArray gross_falsch = ueberlaufendes_archiv();
    setze_endanzahl(gross_falsch, quint16((viele + 2) % 65536));
    std::vector<std::pair<QByteArray, QByteArray>> faelle;
    for (const quint16 angabe : {5, 2, 0, 0xFFFF}) {
        QByteArray bytes = drei;
        setze_endanzahl(bytes, angabe);
        faelle.emplace_back("drei, angegeben " + QByteArray::number(angabe), bytes);
        if (angabe == 5)
            faelle.emplace_back("drei, angegeben 5 im ZIP64-Endsatz", mit_zip64_ende(bytes));
    }
    faelle.emplace_back("mehr als 65535, einer zu viel", gross_falsch);
    for (const auto& [name, bytes] : faelle) {
        const QString zip = archiv(bytes);
        for (int modus : {0, 1, 2}) {
            AufzeichnenderLog log;
            EXPECT_FALSE(lauf(modus, zip, &log)) << name.constData() << " " << modus;
            EXPECT_TRUE(log.hat_text("Fehlerhafte ZIP-Datei Code: -103")) << name.constData() << " " << modus;
            EXPECT_TRUE(log.aufrufe.contains("fehler")) << name.constData();
            // Stopped before the first entry: no total, no title of the mode.
            EXPECT_TRUE(log.nur("gesamt").isEmpty()) << name.constData() << " " << modus;
        }
        EXPECT_TRUE(im_ziel().isEmpty()) << name.constData();
        EXPECT_TRUE(schluessel().isEmpty()) << name.constData();
    }
}
