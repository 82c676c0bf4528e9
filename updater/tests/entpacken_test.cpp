// Archive opening, entry names and the single-entry extraction.
#include "entpacken.h"
#include "ziparchiv.h"
#include "zielordner.h"
#include "zip_hilfe.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <array>
#include <ctime>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace testzip;

namespace {

class Entpacken : public ::testing::Test
{
protected:
    QString pfad(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }
    QString archiv(const std::vector<Eintrag>& eintraege, Lage* lage = nullptr)
    {
        const QString p = pfad(QStringLiteral("a.zip"));
        schreibe(p, baue(eintraege, lage));
        return p;
    }
    QStringList dateien_in(const QString& ordner) const
    {
        return QDir(ordner).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir dir;
    CZieldatei puffer;
    QByteArray block;
};

} // namespace

TEST(Eintragsname, WirdEinmalDekodiert)
{
    EXPECT_EQ(dekodiere_eintragsname(QByteArray("a/b.txt"), 0), QStringLiteral("a/b.txt"));
    // Valid UTF-8 without the flag, and with it.
    EXPECT_EQ(dekodiere_eintragsname(QByteArray("\xc3\xa4.txt"), 0), QStringLiteral(u"ä.txt"));
    EXPECT_EQ(dekodiere_eintragsname(QByteArray("\xc3\xa4.txt"), 1u << 11), QStringLiteral(u"ä.txt"));
    // Not UTF-8: code page 437 (0x84 is "ä", 0x81 "ü").
    EXPECT_EQ(dekodiere_eintragsname(QByteArray("\x84\x81.txt"), 0), QStringLiteral(u"äü.txt"));
}

TEST(Eintragsname, UnsichereNamenWerdenAbgewiesen)
{
    for (const char* gut : {"a.txt", "a/b/c.dll", "a/", "a..b/c", "...", "./a.txt", "x y/ z"})
        EXPECT_EQ(pruefe_eintragsname(QString::fromUtf8(gut)), ENTPACK_OK) << gut;
    for (const char* schlecht : {"", "../a.txt", "a/../../b", "..", "a/..", "/etc/passwd", "C:/x.txt",
                                 "c:x.txt", "a/b:c", "x\"y"})
        EXPECT_EQ(pruefe_eintragsname(QString::fromUtf8(schlecht)), ENTPACK_NAME) << schlecht;
    // Control characters are refused with a reason of their own, also beside other faults.
    for (const char* steuer : {"a\tb", "a\nb", "../\x1b[2J", "a\xc2\x85" "b"})
        EXPECT_EQ(pruefe_eintragsname(QString::fromUtf8(steuer)), ENTPACK_STEUERZEICHEN) << steuer;
    EXPECT_EQ(pruefe_eintragsname(QString(QChar(0)) + QLatin1String("a")), ENTPACK_STEUERZEICHEN);
}

TEST(Eintragsname, FehlertexteDerCodes)
{
    EXPECT_EQ(gib_entpack_fehlertext(ENTPACK_SPEICHER), QStringLiteral("Error allocating memory\n"));
    EXPECT_EQ(gib_entpack_fehlertext(ENTPACK_AUSGABE), QStringLiteral("Fehler bei Open auf Ausgabedatei"));
    EXPECT_EQ(gib_entpack_fehlertext(ENTPACK_SCHLIESSEN), QStringLiteral("Fehler bei unzCloseCurrentFile"));
    EXPECT_FALSE(gib_entpack_fehlertext(ENTPACK_NAME).isEmpty());
    EXPECT_NE(gib_entpack_fehlertext(ENTPACK_NAME), gib_entpack_fehlertext(ENTPACK_VERSCHLUESSELT));
}

TEST_F(Entpacken, ArchivOhneEndungUndLeeresArchiv)
{
    schreibe(pfad("b.zip"), baue({datei("x", "1")}));
    CZipArchiv a;
    EXPECT_TRUE(a.oeffne(pfad("b")));
    quint64 n = 0;
    EXPECT_EQ(a.lies_anzahl(n), UNZ_OK);
    EXPECT_EQ(n, 1u);

    // The 22-byte archive without entries, also with a comment.
    for (const QByteArray& kommentar : {QByteArray(), QByteArray("hallo")}) {
        schreibe(pfad("leer.zip"), baue({}, nullptr, kommentar));
        ASSERT_TRUE(a.oeffne(pfad("leer.zip")));
        EXPECT_EQ(a.lies_anzahl(n), UNZ_OK);
        EXPECT_EQ(n, 0u);
    }
}

TEST_F(Entpacken, KaputteArchiveOeffnenNicht)
{
    CZipArchiv a;
    EXPECT_FALSE(a.oeffne(pfad("fehlt.zip")));
    schreibe(pfad("null.zip"), QByteArray());
    EXPECT_FALSE(a.oeffne(pfad("null.zip")));
    schreibe(pfad("text.zip"), QByteArray("kein Archiv, nur Text\n"));
    EXPECT_FALSE(a.oeffne(pfad("text.zip")));
    const QByteArray ganz = baue({datei("x", QByteArray(5000, 'a')), datei("y", "b")});
    schreibe(pfad("kurz.zip"), ganz.left(ganz.size() - 30));
    EXPECT_FALSE(a.oeffne(pfad("kurz.zip")));
    // An empty archive followed by stray bytes is no valid archive.
    schreibe(pfad("leer.zip"), baue({}) + "xx");
    EXPECT_FALSE(a.oeffne(pfad("leer.zip")));
}

TEST_F(Entpacken, LangeNamenWerdenGanzGelesen)
{
    const QByteArray lang = QByteArray("d/").repeated(150) + "ende.txt";
    schreibe(pfad("l.zip"), baue({datei(lang, "x")}));
    CZipArchiv a;
    ASSERT_TRUE(a.oeffne(pfad("l.zip")));
    CZipEintrag e;
    ASSERT_EQ(a.lies_eintrag(e), UNZ_OK);
    EXPECT_EQ(e.name, QString::fromLatin1(lang));
}

TEST_F(Entpacken, DateiBekommtInhaltUndZeit)
{
    const QString zip = archiv({datei("a\\b.txt", "Inhalt")});
    CZipArchiv a;
    ASSERT_TRUE(a.oeffne(zip));
    CZipEintrag e;
    ASSERT_EQ(a.lies_eintrag(e), UNZ_OK);
    EXPECT_EQ(e.name, QStringLiteral("a/b.txt"));
    const QString ziel = pfad("ziel");
    QDir().mkpath(ziel);
    // The folder is created on demand when the caller has not done it.
    EXPECT_EQ(entpacke_eintrag(a.gib_handle(), e, ziel, false, puffer), ENTPACK_OK);
    EXPECT_EQ(lies(ziel + "/a/b.txt"), QByteArray("Inhalt"));
    EXPECT_EQ(QFileInfo(ziel + "/a/b.txt").lastModified(), dos_als_datum());
    EXPECT_EQ(dateien_in(ziel + "/a"), QStringList{"b.txt"});
}

TEST_F(Entpacken, OhnePfadUndVerzeichnisEintrag)
{
    const QString zip = archiv({datei("x/y/", ""), datei("x/z.txt", "z")});
    CZipArchiv a;
    ASSERT_TRUE(a.oeffne(zip));
    CZipEintrag e;
    const QString ziel = pfad("ziel");
    QDir().mkpath(ziel);
    ASSERT_EQ(a.lies_eintrag(e), UNZ_OK);
    EXPECT_TRUE(e.ist_verzeichnis());
    EXPECT_EQ(entpacke_eintrag(a.gib_handle(), e, ziel, true, puffer), ENTPACK_OK);
    EXPECT_FALSE(QFileInfo::exists(ziel + "/x"));
    EXPECT_EQ(entpacke_eintrag(a.gib_handle(), e, ziel, false, puffer), ENTPACK_OK);
    EXPECT_TRUE(QFileInfo(ziel + "/x/y").isDir());
    ASSERT_EQ(a.naechster(), UNZ_OK);
    ASSERT_EQ(a.lies_eintrag(e), UNZ_OK);
    EXPECT_EQ(entpacke_eintrag(a.gib_handle(), e, ziel, true, puffer), ENTPACK_OK);
    EXPECT_EQ(lies(ziel + "/z.txt"), QByteArray("z"));
}

TEST_F(Entpacken, SchadhafterEintragErsetztKeineGuteDatei)
{
    Eintrag crc = datei("crc.txt", QByteArray(10000, 'c'));
    crc.crc_fehler = 1;
    Eintrag kaputt = datei("kaputt.txt", QByteArray(10000, 'k'));
    Eintrag geheim = datei("geheim.txt", "g");
    geheim.flag = 1;
    Lage lage;
    const QString zip = archiv({crc, kaputt, geheim}, &lage);
    // Damage the deflate stream of the second entry.
    QByteArray bytes = lies(zip);
    bytes[lage.daten[1]] = char(0xFF);
    bytes[lage.daten[1] + 1] = char(0xFF);
    schreibe(zip, bytes);

    const QString ziel = pfad("ziel");
    QDir().mkpath(ziel);
    for (const char* n : {"crc.txt", "kaputt.txt", "geheim.txt"})
        schreibe(ziel + "/" + n, "gut");

    CZipArchiv a;
    ASSERT_TRUE(a.oeffne(zip));
    CZipEintrag e;
    ASSERT_EQ(a.lies_eintrag(e), UNZ_OK);
    EXPECT_EQ(entpacke_eintrag(a.gib_handle(), e, ziel, false, puffer), ENTPACK_SCHLIESSEN);
    ASSERT_EQ(a.naechster(), UNZ_OK);
    ASSERT_EQ(a.lies_eintrag(e), UNZ_OK);
    EXPECT_EQ(entpacke_eintrag(a.gib_handle(), e, ziel, false, puffer), ENTPACK_LESEN);
    ASSERT_EQ(a.naechster(), UNZ_OK);
    ASSERT_EQ(a.lies_eintrag(e), UNZ_OK);
    EXPECT_TRUE(e.ist_verschluesselt());
    EXPECT_EQ(entpacke_eintrag(a.gib_handle(), e, ziel, false, puffer), ENTPACK_VERSCHLUESSELT);

    for (const char* n : {"crc.txt", "kaputt.txt", "geheim.txt"})
        EXPECT_EQ(lies(ziel + "/" + n), QByteArray("gut")) << n;
    // No temporary file stays behind.
    EXPECT_EQ(dateien_in(ziel).size(), 3);
}

TEST_F(Entpacken, SchreibgeschuetzteDateiUndOrdnerAlsZiel)
{
    const QString zip = archiv({datei("ro.txt", "neu"), datei("ordner", "neu"), datei("gleich.txt", "neu")});
    const QString ziel = pfad("ziel");
    QDir().mkpath(ziel + "/ordner");
    schreibe(ziel + "/ro.txt", "alt");
    QFile::setPermissions(ziel + "/ro.txt", QFile::ReadOwner | QFile::ReadGroup);
    CZipArchiv a;
    ASSERT_TRUE(a.oeffne(zip));
    CZipEintrag e;
    ASSERT_EQ(a.lies_eintrag(e), UNZ_OK);
    EXPECT_EQ(entpacke_eintrag(a.gib_handle(), e, ziel, false, puffer), ENTPACK_AUSGABE);
    EXPECT_EQ(lies(ziel + "/ro.txt"), QByteArray("alt"));
    ASSERT_EQ(a.naechster(), UNZ_OK);
    ASSERT_EQ(a.lies_eintrag(e), UNZ_OK);
    EXPECT_EQ(entpacke_eintrag(a.gib_handle(), e, ziel, false, puffer), ENTPACK_AUSGABE);
    EXPECT_TRUE(QFileInfo(ziel + "/ordner").isDir());
    // A read-only file that holds the entry's data already needs no write: it stays, with the
    // entry's time.
    schreibe(ziel + "/gleich.txt", "neu");
    QFile::setPermissions(ziel + "/gleich.txt", QFile::ReadOwner);
    puffer.setze_vergleich(true);
    ASSERT_EQ(a.naechster(), UNZ_OK);
    ASSERT_EQ(a.lies_eintrag(e), UNZ_OK);
    EXPECT_EQ(entpacke_eintrag(a.gib_handle(), e, ziel, false, puffer), ENTPACK_OK);
    EXPECT_EQ(QFileInfo(ziel + "/gleich.txt").lastModified(), dos_als_datum());
    EXPECT_FALSE(QFile::permissions(ziel + "/gleich.txt") & QFile::WriteOwner);
    EXPECT_EQ(dateien_in(ziel).size(), 3);
}

TEST_F(Entpacken, ErsetzteDateiBehaeltIhreRechte)
{
    const QString zip = archiv({datei("run.sh", "neu")});
    const QString ziel = pfad("ziel");
    QDir().mkpath(ziel);
    schreibe(ziel + "/run.sh", "alt");
    const auto rechte = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
    QFile::setPermissions(ziel + "/run.sh", rechte);
    CZipArchiv a;
    ASSERT_TRUE(a.oeffne(zip));
    CZipEintrag e;
    ASSERT_EQ(a.lies_eintrag(e), UNZ_OK);
    EXPECT_EQ(entpacke_eintrag(a.gib_handle(), e, ziel, false, puffer), ENTPACK_OK);
    EXPECT_EQ(lies(ziel + "/run.sh"), QByteArray("neu"));
    EXPECT_EQ(QFile::permissions(ziel + "/run.sh") & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser), rechte);
}

TEST_F(Entpacken, ZuLangerDateinameIstEinEintragsfehler)
{
    const QString zip = archiv({datei(QByteArray(300, 'n'), "x")});
    const QString ziel = pfad("ziel");
    QDir().mkpath(ziel);
    CZipArchiv a;
    ASSERT_TRUE(a.oeffne(zip));
    CZipEintrag e;
    ASSERT_EQ(a.lies_eintrag(e), UNZ_OK);
    EXPECT_EQ(entpacke_eintrag(a.gib_handle(), e, ziel, false, puffer), ENTPACK_AUSGABE);
    EXPECT_TRUE(dateien_in(ziel).isEmpty());
}

TEST_F(Entpacken, AnfangLesenPrueftDieCrc)
{
    Eintrag gut = datei("a.dll", pe_datei(0x8664));
    Eintrag schlecht = datei("b.dll", pe_datei(0x14c));
    schlecht.crc_fehler = 0x10;
    const QString zip = archiv({gut, schlecht});
    CZipArchiv a;
    ASSERT_TRUE(a.oeffne(zip));
    CZipEintrag e;
    QByteArray anfang;
    ASSERT_EQ(a.lies_eintrag(e), UNZ_OK);
    EXPECT_EQ(lies_eintrag_anfang(a.gib_handle(), e, 1000, anfang, block), ENTPACK_OK);
    EXPECT_EQ(anfang, pe_datei(0x8664).left(1000));
    ASSERT_EQ(a.naechster(), UNZ_OK);
    ASSERT_EQ(a.lies_eintrag(e), UNZ_OK);
    EXPECT_EQ(lies_eintrag_anfang(a.gib_handle(), e, 1000, anfang, block), ENTPACK_SCHLIESSEN);
}

TEST_F(Entpacken, LegeVerzeichnisAn)
{
    EXPECT_EQ(lege_verzeichnis_an(QString()), 0);
    EXPECT_EQ(lege_verzeichnis_an(pfad("a/b/c/")), 0);
    EXPECT_TRUE(QFileInfo(pfad("a/b/c")).isDir());
    EXPECT_EQ(lege_verzeichnis_an(pfad("a/b")), 0);
    schreibe(pfad("datei"), "x");
    EXPECT_EQ(lege_verzeichnis_an(pfad("datei/unter")), 1);
}

TEST_F(Entpacken, WartendeTempdateiUeberstehtDasAufraeumen)
{
    const QString zip = archiv({datei("x.txt", "inhalt")});
    const QString ziel = pfad("ziel");
    const QString temp = ziel + "/.aktualisierer-temp";
    QDir().mkpath(temp);
    // Leftovers under this very process's id (a killed run may have had it before), one of them
    // a FIFO that must not even be opened; and a user's file of such a name outside the
    // program's folder.
    const QString name = "/.aktualisierer-" + QString::number(::getpid()) + "-999999.tmp";
    const QString verwaist = temp + name;
    const QString fifo = temp + "/.aktualisierer-1-1.tmp";
    schreibe(verwaist, "halb");
    schreibe(ziel + name, "eigen");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

    // Written under a temporary name, the file waits for its name while the target is cleared.
    CZieldatei wartend(false, false);
    CZipArchiv a;
    ASSERT_TRUE(a.oeffne(zip));
    CZipEintrag e;
    ASSERT_EQ(a.lies_eintrag(e), UNZ_OK);
    ASSERT_EQ(entpacke_eintrag(a.gib_handle(), e, ziel, false, wartend), ENTPACK_OK);
    CFertigeDatei fertig = wartend.nimm_fertige();
    // The waiting file and the leftover (a FIFO is no entry of the list).
    ASSERT_EQ(dateien_in(temp).size(), 2);

    const int ordner = oeffne_ordnerhandle(QFile::encodeName(ziel));
    ASSERT_GE(ordner, 0);
    entferne_verwaiste_tempdateien(ordner);
    EXPECT_FALSE(QFileInfo::exists(verwaist));
    EXPECT_TRUE(QFileInfo::exists(fifo));
    EXPECT_EQ(lies(ziel + name), QByteArray("eigen"));
    EXPECT_EQ(fertig.benenne(), ENTPACK_OK);
    EXPECT_EQ(lies(ziel + "/x.txt"), QByteArray("inhalt"));
    EXPECT_TRUE(dateien_in(temp).isEmpty());
    EXPECT_TRUE(QFileInfo::exists(fifo));
    // Empty, the program's folder goes.
    QFile::remove(fifo);
    entferne_verwaiste_tempdateien(ordner);
    ::close(ordner);
    EXPECT_EQ(dateien_in(ziel), QStringList({name.mid(1), "x.txt"}));
}

TEST_F(Entpacken, VorbereiteteErsetzungenBehaltenDieRechteJederDatei)
{
    // Three files of one folder replaced on the road where the worker prepares each replacement:
    // the first has the permissions a new file gets, the others not. On a disk, and in memory
    // (where the files are made under their temporary names at once).
    const QString zip = archiv({datei("o/a.txt", "neu a"), datei("o/b.sh", "neu b"), datei("o/c.txt", "neu c")});
    QTemporaryDir im_speicher(QStringLiteral("/dev/shm/entpacken-XXXXXX"));
    QStringList orte{pfad("ziel")};
    if (im_speicher.isValid())
        orte << im_speicher.path() + "/ziel";
    const mode_t maske = ::umask(0);
    ::umask(maske);
    const mode_t rechte[] = {0666 & ~maske, 0750, 0640};
    const char* namen[] = {"a.txt", "b.sh", "c.txt"};
    for (const QString& ziel : orte) {
        SCOPED_TRACE(ziel.toStdString());
        QDir().mkpath(ziel + "/o");
        for (int i = 0; i < 3; ++i) {
            const QString datei_pfad = ziel + "/o/" + namen[i];
            schreibe(datei_pfad, "alt");
            ASSERT_EQ(::chmod(QFile::encodeName(datei_pfad).constData(), rechte[i]), 0);
        }
        CZieldatei spaeter(false);
        CZipArchiv a;
        ASSERT_TRUE(a.oeffne(zip));
        std::vector<CFertigeDatei> fertige;
        for (int i = 0; i < 3; ++i) {
            if (i > 0) {
                ASSERT_EQ(a.naechster(), UNZ_OK);
            }
            CZipEintrag e;
            ASSERT_EQ(a.lies_eintrag(e), UNZ_OK);
            ASSERT_EQ(entpacke_eintrag(a.gib_handle(), e, ziel, false, spaeter), ENTPACK_OK);
            fertige.push_back(spaeter.nimm_fertige());
            EXPECT_TRUE(fertige.back().ersetzt_vorhandene()) << namen[i];
        }
        // While they wait, their temporary names lie in the target folder's folder of temporary
        // files, held against a cleanup; the folder holds only the old files.
        const QString temp = ziel + "/.aktualisierer-temp";
        EXPECT_EQ(dateien_in(temp).size(), 3);
        EXPECT_EQ(dateien_in(ziel + "/o").size(), 3);
        const int ordner = oeffne_ordnerhandle(QFile::encodeName(ziel));
        ASSERT_GE(ordner, 0);
        entferne_verwaiste_tempdateien(ordner);
        ::close(ordner);
        EXPECT_EQ(dateien_in(temp).size(), 3);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(fertige[size_t(i)].benenne(), ENTPACK_OK) << namen[i];
        EXPECT_TRUE(dateien_in(temp).isEmpty());
        for (int i = 0; i < 3; ++i) {
            const QString datei_pfad = ziel + "/o/" + namen[i];
            EXPECT_EQ(lies(datei_pfad), "neu " + QByteArray(namen[i]).left(1)) << namen[i];
            struct stat st{};
            ASSERT_EQ(::stat(QFile::encodeName(datei_pfad).constData(), &st), 0);
            EXPECT_EQ(st.st_mode & 07777, rechte[i]) << namen[i];
        }
        EXPECT_EQ(dateien_in(ziel + "/o").size(), 3);
    }
}

TEST(Dateizeit, IstDieOrtszeitDieMktimeGibt)
{
    // A zone with summer time: its changes, a day of each month, and fields out of range.
    const QByteArray vorher = qgetenv("TZ");
    const bool hatte = qEnvironmentVariableIsSet("TZ");
    qputenv("TZ", "Europe/Berlin");
    ::tzset();
    QTemporaryDir dir;
    const QByteArray pfad = QFile::encodeName(dir.path() + "/f");
    const int fd = ::open(pfad.constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0600);
    ASSERT_GE(fd, 0);
    const auto dos = [](int jahr, int monat, int tag, int stunde, int minute, int sekunde) {
        return (static_cast<unsigned long>(((jahr - 1980) << 9) | (monat << 5) | tag) << 16)
               | static_cast<unsigned long>((stunde << 11) | (minute << 5) | (sekunde / 2));
    };
    std::vector<std::array<int, 6>> zeiten = {{2026, 3, 29, 2, 30, 0},  {2026, 3, 29, 3, 0, 0},
                                              {2026, 10, 25, 1, 59, 58}, {2026, 10, 25, 3, 0, 0},
                                              {2026, 0, 10, 12, 0, 0},   {2026, 13, 10, 12, 0, 0},
                                              {2026, 5, 0, 25, 61, 62},  {1980, 1, 1, 0, 0, 0},
                                              {2107, 12, 31, 23, 59, 58}};
    for (int monat = 1; monat <= 12; ++monat)
        zeiten.push_back({2026, monat, 15, 13, 17, 42});
    for (const auto& z : zeiten) {
        std::tm t{};
        t.tm_year = z[0] - 1900;
        t.tm_mon = z[1] - 1;
        t.tm_mday = z[2];
        t.tm_hour = z[3];
        t.tm_min = z[4];
        t.tm_sec = z[5] / 2 * 2;
        t.tm_isdst = -1;
        const time_t erwartet = std::mktime(&t);
        ASSERT_TRUE(setze_dateizeit(fd, dos(z[0], z[1], z[2], z[3], z[4], z[5])));
        struct stat st{};
        ASSERT_EQ(::fstat(fd, &st), 0);
        EXPECT_EQ(st.st_mtime, erwartet) << z[0] << "-" << z[1] << "-" << z[2] << " " << z[3] << ":" << z[4];
    }
    ::close(fd);
    if (hatte)
        qputenv("TZ", vorher);
    else
        qunsetenv("TZ");
    ::tzset();
}
