// Application root, its sub-folders, the personal folder and the file, logo and image searches.
#include "anwendung.h"
#include "cloginterface.h"
#include "heimordner.h"
#include "plattform.h"
#include "testziele.h"
#include "verzeichnisse.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>
#include <log4cpp/Category.hh>

#include <atomic>
#include <functional>
#include <utility>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <string>
#include <thread>
#include <vector>

namespace {

class Fehlersammler : public log4cpp::CLogInterface
{
public:
    void write(const log4cpp::LoggingEvent&, const std::string& text) override { texte.push_back(text); }
    std::vector<std::string> texte;
};

void lege_an(const QString& pfad, const QByteArray& inhalt = "x")
{
    QDir().mkpath(QFileInfo(pfad).absolutePath());
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << pfad.toStdString();
    f.write(inhalt);
}

class Verzeichnisse : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        wurzel = tmp.filePath(QStringLiteral("wurzel"));
        QDir().mkpath(wurzel + QStringLiteral("/support"));
        QDir().mkpath(wurzel + QStringLiteral("/prog"));
        ASSERT_EQ(gib_anwendungsverzeichnis(true, CQString(wurzel + QStringLiteral("/prog/app")), true).absolutePath(),
                  wurzel);
        vorher = QDir::currentPath();
        QDir().mkpath(tmp.filePath(QStringLiteral("aktuell")));
        QDir::setCurrent(tmp.filePath(QStringLiteral("aktuell")));
        QDir(HeimOrdner::gib().path()).removeRecursively();
        QDir().mkpath(HeimOrdner::gib().path());
    }
    void TearDown() override
    {
        QDir::setCurrent(vorher);
        setze_sprachcode(QStringLiteral("de"));
    }

    QTemporaryDir tmp;
    QString wurzel;
    QString vorher;
};

} // namespace

TEST(Anwendungswurzel, ProgrammordnerElternordnerOderKelmorQtDaneben)
{
    QTemporaryDir tmp;
    const QString a = tmp.filePath(QStringLiteral("a"));
    const QString b = tmp.filePath(QStringLiteral("b"));
    const QString c = tmp.filePath(QStringLiteral("c"));
    QDir().mkpath(a + QStringLiteral("/prog/support"));
    QDir().mkpath(b + QStringLiteral("/support"));
    QDir().mkpath(b + QStringLiteral("/prog"));
    QDir().mkpath(c + QStringLiteral("/x/prog"));
    QDir().mkpath(c + QStringLiteral("/KelmorQt/support"));

    EXPECT_EQ(gib_anwendungsverzeichnis(true, CQString(a + QStringLiteral("/prog/app")), true).absolutePath(),
              a + QStringLiteral("/prog"));
    // Kept once found, until `neu` asks again.
    EXPECT_EQ(gib_anwendungsverzeichnis(true, CQString(b + QStringLiteral("/prog/app")), false).absolutePath(),
              a + QStringLiteral("/prog"));
    EXPECT_EQ(gib_anwendungsverzeichnis(true, CQString(b + QStringLiteral("/prog/app")), true).absolutePath(), b);
    EXPECT_EQ(gib_anwendungsverzeichnis(true, CQString(c + QStringLiteral("/x/prog/app")), true).absolutePath(),
              c + QStringLiteral("/KelmorQt"));
}

TEST(Anwendungswurzel, OhneWurzelDerProgrammordnerUndEinFehlerJeAufruf)
{
    QTemporaryDir tmp;
    const CQString start(tmp.filePath(QStringLiteral("nichts/prog/app")));
    Fehlersammler sammler;
    auto* appender = new log4cpp::CLogInterfaceAppender("Fehler", &sammler);
    log4cpp::Category::getRoot().addAppender(appender);

    EXPECT_EQ(gib_anwendungsverzeichnis(true, start, true).absolutePath(), gib_programmverzeichnis().absolutePath());
    EXPECT_EQ(gib_anwendungsverzeichnis(true, start, false).absolutePath(), gib_programmverzeichnis().absolutePath());
    EXPECT_EQ(sammler.texte.size(), 2u);
    // Without searching nothing is logged.
    gib_anwendungsverzeichnis(false, CQString(), false);
    log4cpp::Category::getRoot().removeAppender(appender);
    ASSERT_EQ(sammler.texte.size(), 2u);
    EXPECT_NE(sammler.texte[0].find("Root-Verzeichnis der Anwendung nicht gefunden!"), std::string::npos);

    // Nothing was kept: the next search finds a root that appears later.
    QDir().mkpath(tmp.filePath(QStringLiteral("nichts/support")));
    EXPECT_EQ(gib_anwendungsverzeichnis(true, start, false).absolutePath(), tmp.filePath(QStringLiteral("nichts")));
}

TEST_F(Verzeichnisse, UnterordnerMitSprache)
{
    EXPECT_EQ(gib_support_verzeichnis(true).absolutePath(), wurzel + QStringLiteral("/support"));
    EXPECT_EQ(gib_sprachverzeichnis(CQString()).absolutePath(), wurzel + QStringLiteral("/support"));
    setze_sprachcode(QStringLiteral("en"));
    EXPECT_EQ(gib_support_verzeichnis(true).absolutePath(), wurzel + QStringLiteral("/support/en"));
    EXPECT_EQ(gib_support_verzeichnis(false).absolutePath(), wurzel + QStringLiteral("/support"));
    EXPECT_EQ(gib_anwendungs_unterverzeichnis(true).absolutePath(), wurzel + QStringLiteral("/system/en"));
    EXPECT_EQ(gib_anwendungs_unterverzeichnis(false).absolutePath(), wurzel + QStringLiteral("/system"));
    EXPECT_EQ(gib_sprachverzeichnis(CQString()).absolutePath(), wurzel + QStringLiteral("/support/en"));
    EXPECT_EQ(gib_sprachverzeichnis(CQString("de")).absolutePath(), wurzel + QStringLiteral("/support"));
}

TEST_F(Verzeichnisse, PersoenlicherOrdnerIstDerHomeOrdnerOhneDokumente)
{
    EXPECT_EQ(gib_eigene_dateien().absolutePath(), HeimOrdner::gib().path());
    EXPECT_EQ(gib_spezialverzeichnis(5), QString());
    QDir().mkpath(HeimOrdner::gib().filePath(QStringLiteral("Documents")));
    EXPECT_EQ(gib_spezialverzeichnis(5), HeimOrdner::gib().filePath(QStringLiteral("Documents")));
    EXPECT_EQ(gib_spezialverzeichnis(0), QString());

    const QByteArray home = qgetenv("HOME");
    setenv("HOME", QFile::encodeName(tmp.filePath(QStringLiteral("fehlt"))).constData(), 1);
    EXPECT_EQ(gib_home_verzeichnis().absolutePath(), QDir::currentPath());
    setenv("HOME", home.constData(), 1);
}

TEST_F(Verzeichnisse, DateisucheInDerFestenReihenfolge)
{
    const QString name = QStringLiteral("such.txt");
    EXPECT_EQ(suche_datei(name, true, false), QString());
    lege_an(wurzel + QStringLiteral("/support/en/") + name);
    lege_an(wurzel + QStringLiteral("/support/") + name);
    EXPECT_EQ(suche_datei(name, false, false), QString());
    EXPECT_EQ(suche_datei(name, true, false), wurzel + QStringLiteral("/support/") + name);
    setze_sprachcode(QStringLiteral("en"));
    EXPECT_EQ(suche_datei(name, true, true), wurzel + QStringLiteral("/support/en/") + name);
    lege_an(wurzel + QStringLiteral("/system/") + name);
    EXPECT_EQ(suche_datei(name, true, true), wurzel + QStringLiteral("/system/") + name);
    lege_an(wurzel + QStringLiteral("/system/en/") + name);
    EXPECT_EQ(suche_datei(name, true, true), wurzel + QStringLiteral("/system/en/") + name);
    lege_an(HeimOrdner::gib().filePath(name));
    EXPECT_EQ(suche_datei(name, true, true), HeimOrdner::gib().filePath(name));
    lege_an(QDir::current().filePath(name));
    EXPECT_EQ(suche_datei(name, true, true), QDir::currentPath() + QLatin1Char('/') + name);
}

TEST_F(Verzeichnisse, OrdnerUndRohreZaehlenBeimSuchenNichtAlsDatei)
{
    const Wecker wecker;
    const QString name = QStringLiteral("such.txt");
    ASSERT_TRUE(QDir().mkdir(QDir::current().filePath(name)));
    ASSERT_TRUE(lege_rohr_an(HeimOrdner::gib().filePath(name)));
    EXPECT_EQ(suche_datei(name, true, false), QString());
    lege_an(wurzel + QStringLiteral("/support/") + name);
    EXPECT_EQ(suche_datei(name, true, false), wurzel + QStringLiteral("/support/") + name);
    EXPECT_EQ(suche_hintergrundbild(name, true), wurzel + QStringLiteral("/support/") + name);

    // An image name without suffix: the folder "bild.png" is passed over.
    ASSERT_TRUE(QDir().mkdir(HeimOrdner::gib().filePath(QStringLiteral("bild.png"))));
    lege_an(QDir::current().filePath(QStringLiteral("bild.gif")));
    EXPECT_EQ(suche_hintergrundbild(QStringLiteral("bild"), false), QDir::currentPath() + QStringLiteral("/bild.gif"));
}

TEST_F(Verzeichnisse, LogoWirdGefundenUndNebenDieSeiteKopiert)
{
    const QString seite = tmp.filePath(QStringLiteral("seite"));
    QDir().mkpath(seite);
    EXPECT_EQ(suche_logo(seite, false, false, true), QStringLiteral("Logo_Datei_nicht_vorhanden"));

    lege_an(HeimOrdner::gib().filePath(QStringLiteral("logo.png")), QByteArray()); // empty: not a logo here
    lege_an(wurzel + QStringLiteral("/support/logo.jpg"), QByteArray()); // empty counts in support
    EXPECT_EQ(suche_logo(seite, false, false, true), QStringLiteral("./logo.jpg"));
    EXPECT_TRUE(QFileInfo::exists(seite + QStringLiteral("/logo.jpg")));
    const QString absolut = suche_logo(seite, false, false, false);
    EXPECT_EQ(QUrl(absolut).toLocalFile(), seite + QStringLiteral("/logo.jpg")) << absolut.toStdString();

    lege_an(wurzel + QStringLiteral("/system/.logo2.gif"));
    EXPECT_EQ(suche_logo(seite, true, true, true), QStringLiteral("./.logo2.gif"));
    EXPECT_TRUE(QFileInfo::exists(seite + QStringLiteral("/.logo2.gif")));

    // An empty page folder means the personal folder, where the logo already lies.
    lege_an(HeimOrdner::gib().filePath(QStringLiteral("logo.png")), "png");
    EXPECT_EQ(suche_logo(QString(), false, false, true), QStringLiteral("./logo.png"));

    // A logo that cannot be put beside the page is not named.
    EXPECT_EQ(suche_logo(tmp.filePath(QStringLiteral("gibt/es/nicht")), false, true, true),
              QStringLiteral("Logo_Datei_nicht_vorhanden"));
}

TEST_F(Verzeichnisse, HintergrundbildNachEndungenUndOrdnern)
{
    lege_an(QDir::current().filePath(QStringLiteral("da.jpg")));
    EXPECT_EQ(suche_hintergrundbild(QStringLiteral("da.jpg"), false), QStringLiteral("da.jpg"));
    lege_an(wurzel + QStringLiteral("/support/mit.png"));
    EXPECT_EQ(suche_hintergrundbild(QStringLiteral("mit.png"), true), wurzel + QStringLiteral("/support/mit.png"));
    EXPECT_EQ(suche_hintergrundbild(QStringLiteral("mit.png"), false), QString());

    EXPECT_EQ(suche_hintergrundbild(QStringLiteral("bild"), true), wurzel + QStringLiteral("/support/bild.bmp"));
    EXPECT_EQ(suche_hintergrundbild(QStringLiteral("bild"), false), wurzel + QStringLiteral("/system/bild.bmp"));
    lege_an(HeimOrdner::gib().filePath(QStringLiteral("bild.bmp")));
    lege_an(wurzel + QStringLiteral("/system/bild.gif"));
    EXPECT_EQ(suche_hintergrundbild(QStringLiteral("bild"), false), wurzel + QStringLiteral("/system/bild.gif"));
}

TEST(Pfadteile, NameOrdnerEndungUndLaufwerk)
{
    QTemporaryDir tmp;
    EXPECT_EQ(gib_dateiname_von(CQString("/a/b/datei.tar.gz")), QStringLiteral("datei.tar.gz"));
    EXPECT_EQ(gib_verzeichnis_von(CQString("/a/b/datei.tar.gz")), QStringLiteral("/a/b"));
    EXPECT_EQ(gib_verzeichnis_von(CQString(tmp.path())), tmp.path());
    EXPECT_EQ(gib_endung_von(CQString("/a/b/datei.tar.gz")), QStringLiteral("gz"));
    EXPECT_EQ(gib_dateiname_von(CQString()), QString());
    EXPECT_EQ(gib_verzeichnis_von(CQString()), QString());
    EXPECT_EQ(gib_endung_von(CQString()), QString());
    EXPECT_EQ(gib_pfadtrenner(), QStringLiteral("/"));

    EXPECT_EQ(laufwerk_gross(QStringLiteral("c:/daten")), QStringLiteral("C:/daten"));
    EXPECT_EQ(laufwerk_gross(QStringLiteral("c")), QStringLiteral("c"));
    EXPECT_EQ(laufwerk_gross(QStringLiteral("/c:/x")), QStringLiteral("/c:/x"));
}

namespace {

// Another local user's: only root can hand a file over, and ownership is what the searches look at.
bool gib_fremdem(const QString& pfad)
{
    return ::lchown(QFile::encodeName(pfad).constData(), 12345, 12345) == 0;
}

bool setze_rechte(const QString& pfad, mode_t rechte)
{
    return ::chmod(QFile::encodeName(pfad).constData(), rechte) == 0;
}

// The access control list "setfacl -m <art>:<id>:<rechte>,m::<maske>" leaves on a file of mode
// 644 (or a folder of 755), in the form Linux keeps it: version 2, then tag, permissions, id. `art`
// is the tag: 2 a named user (u:), 8 a named group (g:), 4 the file's own group (g::, no `id`).
bool setze_acl(const QString& pfad, quint32 id, quint16 rechte, quint16 maske, quint16 art = 2)
{
    const quint16 x = QFileInfo(pfad).isDir() ? 1 : 0;
    QByteArray liste;
    QDataStream daten(&liste, QIODevice::WriteOnly);
    daten.setByteOrder(QDataStream::LittleEndian);
    daten << quint32(2) << quint16(0x01) << quint16(6 | x) << ~0u;
    for (const quint16 tag : {2, 4, 8})
        if (tag == art || tag == 4)
            daten << tag << (tag == art ? rechte : quint16(4 | x)) << (tag == 4 ? ~0u : id);
    daten << quint16(0x10) << maske << ~0u << quint16(0x20) << quint16(4 | x) << ~0u;
    return ::setxattr(QFile::encodeName(pfad).constData(), "system.posix_acl_access", liste.constData(),
                      static_cast<std::size_t>(liste.size()), 0) == 0;
}

} // namespace

// A file planted in the current folder, or in a folder others may write, is passed over with a
// warning naming it, and the search goes on; the user's own file there is still found.
TEST_F(Verzeichnisse, GepflanzteDateienWerdenMitWarnungUebergangen)
{
    Fehlersammler sammler;
    auto* appender = new log4cpp::CLogInterfaceAppender("Uebergangen", &sammler);
    log4cpp::Category::getRoot().addAppender(appender);
    const QString name = QStringLiteral("such.cfg");
    const QString hier = QDir::currentPath() + QLatin1Char('/') + name;
    const QString heim = HeimOrdner::gib().filePath(name);
    lege_an(heim);
    const auto gesucht = [&](const char* fall, const QString& erwartet, bool gewarnt, const QString& uebergangen = QString()) {
        SCOPED_TRACE(fall);
        sammler.texte.clear();
        EXPECT_EQ(suche_datei(name, true, false), erwartet);
        ASSERT_EQ(sammler.texte.size(), gewarnt ? 1u : 0u);
        if (gewarnt) {
            EXPECT_NE(sammler.texte[0].find("Datei " + (uebergangen.isEmpty() ? hier : uebergangen).toStdString() + " wird uebergangen"),
                      std::string::npos)
                << sammler.texte[0];
        }
    };

    lege_an(hier);
    ASSERT_TRUE(setze_rechte(hier, 0646));
    gesucht("von allen beschreibbar", heim, true);
    ASSERT_TRUE(setze_rechte(hier, 0644));
    gesucht("eigene Datei", hier, false);
    // With a list the mode's group bits are only its mask: the list says who may write.
    ASSERT_TRUE(setze_acl(hier, 12345, 6, 6));
    gesucht("Liste laesst einen anderen schreiben", heim, true);
    ASSERT_TRUE(setze_acl(hier, 12345, 6, 4));
    gesucht("Maske der Liste verwehrt das Schreiben", hier, false);
    ASSERT_TRUE(setze_acl(hier, ::geteuid(), 6, 6));
    gesucht("Liste nennt nur den Anwender", hier, false);
    ASSERT_EQ(::removexattr(QFile::encodeName(hier).constData(), "system.posix_acl_access"), 0);

    // The user's own file in the user's own folder is passed over all the same where others may
    // write it: by its mode, through a group other accounts share, by its list.
    ASSERT_TRUE(QFile::rename(hier, hier + QStringLiteral(".weg")));
    const std::pair<const char*, std::function<bool()>> beschreibbar[] = {
        {"im eigenen Ordner von allen beschreibbar", [&] { return setze_rechte(heim, 0666); }},
        {"im eigenen Ordner von der Gruppe users beschreibbar",
         [&] { return ::chown(QFile::encodeName(heim).constData(), ::geteuid(), 100) == 0 && setze_rechte(heim, 0664); }},
        {"im eigenen Ordner laesst die Liste einen anderen schreiben", [&] { return setze_acl(heim, 12345, 6, 6); }},
        {"im eigenen Ordner laesst die Liste eine Gruppe anderer schreiben", [&] { return setze_acl(heim, 100, 6, 6, 8); }}};
    for (const auto& fall : beschreibbar) {
        if (!fall.second())
            continue;
        gesucht(fall.first, QString(), true, heim);
        (void)::removexattr(QFile::encodeName(heim).constData(), "system.posix_acl_access");
        ASSERT_TRUE(::chown(QFile::encodeName(heim).constData(), ::geteuid(), ::getegid()) == 0 && setze_rechte(heim, 0644));
    }
    gesucht("im eigenen Ordner", heim, false);
    ASSERT_TRUE(QFile::rename(hier + QStringLiteral(".weg"), hier));

    if (::geteuid() != 0) {
        log4cpp::Category::getRoot().removeAppender(appender);
        GTEST_SKIP() << "files of another owner or group need root to be made";
    }
    // A group of others may write it; root's own group ("root", with no other member) may.
    ASSERT_EQ(::chown(QFile::encodeName(hier).constData(), 0, 12345), 0);
    ASSERT_TRUE(setze_rechte(hier, 0664));
    gesucht("von einer fremden Gruppe beschreibbar", heim, true);
    ASSERT_TRUE(setze_acl(hier, 0, 6, 6, 4));
    gesucht("Liste laesst eine fremde Gruppe der Datei schreiben", heim, true);
    ASSERT_EQ(::removexattr(QFile::encodeName(hier).constData(), "system.posix_acl_access") + ::chown(QFile::encodeName(hier).constData(), 0, 0), 0);
    gesucht("von der eigenen Gruppe beschreibbar", hier, false);
    ASSERT_TRUE(QFile::remove(hier));
    ASSERT_TRUE(QFile::link(heim, hier));
    gesucht("eigener Link", hier, false);
    ASSERT_TRUE(gib_fremdem(hier));
    gesucht("Link eines anderen auf die eigene Datei", heim, true);
    ASSERT_TRUE(QFile::remove(hier));
    lege_an(hier);
    ASSERT_TRUE(setze_rechte(hier, 0644));
    ASSERT_TRUE(gib_fremdem(hier));
    gesucht("Datei eines anderen", heim, true);
    // In the personal folder too, another's file, or the user's own in a folder another may write.
    ASSERT_TRUE(gib_fremdem(heim));
    sammler.texte.clear();
    EXPECT_EQ(suche_datei(name, true, false), QString());
    EXPECT_EQ(sammler.texte.size(), 2u);
    ASSERT_EQ(::lchown(QFile::encodeName(heim).constData(), 0, 0), 0);
    ASSERT_TRUE(setze_acl(HeimOrdner::gib().path(), 12345, 7, 7));
    sammler.texte.clear();
    EXPECT_EQ(suche_datei(name, true, false), QString());
    EXPECT_EQ(sammler.texte.size(), 2u);
    ASSERT_EQ(::removexattr(QFile::encodeName(HeimOrdner::gib().path()).constData(), "system.posix_acl_access"), 0);

    // In the application's folders alike, though no one else may write the folder; then the pictures.
    ASSERT_TRUE(QFile::remove(heim));
    const QString system = wurzel + QStringLiteral("/system");
    lege_an(system + QLatin1Char('/') + name);
    ASSERT_TRUE(gib_fremdem(system + QLatin1Char('/') + name));
    lege_an(wurzel + QStringLiteral("/support/") + name);
    sammler.texte.clear();
    EXPECT_EQ(suche_datei(name, true, false), wurzel + QStringLiteral("/support/") + name);
    EXPECT_EQ(sammler.texte.size(), 2u);

    lege_an(system + QStringLiteral("/logo.png"));
    ASSERT_TRUE(gib_fremdem(system + QStringLiteral("/logo.png")));
    lege_an(wurzel + QStringLiteral("/support/logo.jpg"));
    const QString seite = tmp.filePath(QStringLiteral("seite"));
    QDir().mkpath(seite);
    EXPECT_EQ(suche_logo(seite, false, false, true), QStringLiteral("./logo.jpg"));
    EXPECT_FALSE(QFileInfo::exists(seite + QStringLiteral("/logo.png")));

    lege_an(QDir::current().filePath(QStringLiteral("bild.png")));
    ASSERT_TRUE(gib_fremdem(QDir::current().filePath(QStringLiteral("bild.png"))));
    lege_an(wurzel + QStringLiteral("/support/bild.png"));
    EXPECT_EQ(suche_hintergrundbild(QStringLiteral("bild.png"), true), wurzel + QStringLiteral("/support/bild.png"));
    EXPECT_EQ(suche_hintergrundbild(QStringLiteral("bild"), true), wurzel + QStringLiteral("/support/bild.png"));
    log4cpp::Category::getRoot().removeAppender(appender);
}

// The check and the read are one look: while the user's own file and another's change places
// under its name in a folder others may write, whatever a search takes is the user's own file.
TEST_F(Verzeichnisse, GetauschteDateiWirdNieGelesen)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "a file of another owner needs root to be made";
    ASSERT_TRUE(setze_rechte(QDir::currentPath(), 0777));
    lege_an(QDir::current().filePath(QStringLiteral("such.cfg")), "eigen");
    lege_an(QDir::current().filePath(QStringLiteral("tausch")), "fremd");
    ASSERT_TRUE(gib_fremdem(QDir::current().filePath(QStringLiteral("tausch"))));
    std::atomic<bool> ende{false};
    std::thread tauscher([&ende] {
        while (!ende)
            ::renameat2(AT_FDCWD, "such.cfg", AT_FDCWD, "tausch", RENAME_EXCHANGE);
    });
    int genommen = 0;
    QByteArray gelesen = "eigen";
    QStringList uebergangen;
    for (int i = 0; i < 20000 && gelesen == "eigen"; ++i) {
        const SGefundeneDatei datei = oeffne_gesuchte_datei(QStringLiteral("such.cfg"), false, false, &uebergangen);
        uebergangen.clear();
        if (datei.datei && ++genommen)
            gelesen = datei.datei->readAll();
    }
    ende = true;
    tauscher.join();
    EXPECT_EQ(gelesen.toStdString(), "eigen");
    EXPECT_GT(genommen, 0);
}
