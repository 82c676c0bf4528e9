// Language selection: offered languages, switching Qt's and the framework's translations, and the start road.
#include "anwendung.h"
#include "cfehler.h"
#include "ci18n.h"
#include "csprache.h"
#include "klassen.h"
#include "testziele.h"
#include "verzeichnisse.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QString qt(const char* kontext, const char* text)
{
    return QCoreApplication::translate(kontext, text);
}

// An application root of its own: "support/" marks it, "translations/" holds the ".qm" files.
class Wurzel
{
public:
    Wurzel()
    {
        QDir(ordner.path()).mkpath(QStringLiteral("support"));
        QDir(ordner.path()).mkpath(QStringLiteral("translations"));
    }
    QString pfad(const QString& relativ = QString()) const
    {
        return relativ.isEmpty() ? ordner.path() : ordner.filePath(relativ);
    }
    QString uebersetzungen() const { return pfad(QStringLiteral("translations")); }
    // A built ".qm" copied to its place under the root.
    void qm(const QString& datei, const QString& ziel) const
    {
        QDir(ordner.path()).mkpath(QFileInfo(pfad(ziel)).path());
        ASSERT_TRUE(QFile::copy(QStringLiteral(SPRACHDATEIEN "/") + datei, pfad(ziel))) << qPrintable(datei);
    }
    void schreibe(const QString& ziel, const QByteArray& inhalt) const
    {
        QDir(ordner.path()).mkpath(QFileInfo(pfad(ziel)).path());
        QFile f(pfad(ziel));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(inhalt);
    }

private:
    QTemporaryDir ordner;
};

class SpracheTest : public ::testing::Test
{
protected:
    void SetUp() override { gib_anwendungsverzeichnis(true, CQString(wurzel.pfad(QStringLiteral("programm"))), true); }
    void TearDown() override { sprache.setze_sprache(CQString("de")); }

    // Everything side by side in the translation folder, and the English table.
    void alle_nebeneinander()
    {
        for (const char* datei : {"aktualisierer_en.qm", "aktualisierer_fr.qm", "qt_de.qm", "qtbase_de.qm", "qt_en.qm"})
            wurzel.qm(QString::fromLatin1(datei), QStringLiteral("translations/") + QString::fromLatin1(datei));
        wurzel.schreibe(QStringLiteral("support/en/aktualisierer.itr"),
                        "msgid \"Fehlende Qt-Sprachdatei '%1'\"\nmsgstr \"Missing Qt language file '%1'\"\n");
    }

    Wurzel wurzel;
    CSprache sprache{CQString("Aktualisierer")};
};

std::vector<QString> codes(const CSprachTabelle& tabelle)
{
    std::vector<QString> ergebnis;
    for (const auto& eintrag : tabelle)
        ergebnis.push_back(eintrag.first);
    return ergebnis;
}

} // namespace

TEST_F(SpracheTest, OhneDateienNurDeutschUndFremdeCodesAendernNichts)
{
    EXPECT_EQ(sprache.gib_klasse(), &eintrag_CSprache);
    EXPECT_TRUE(sprache.ist_abgeleitet_von(CBasis::klasse));

    const CSprachTabelle tabelle = gib_sprachen();
    ASSERT_EQ(codes(tabelle), std::vector<QString>{QStringLiteral("de")});
    EXPECT_EQ(tabelle.at(CQString("de")), QStringLiteral("Deutsch"));

    CI18n* vorher = gib_i18n();
    testing::internal::CaptureStdout();
    EXPECT_FALSE(sprache.setze_sprache(CQString("xx")));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Language 'xx' is not supported (no support files)!\n");
    EXPECT_EQ(gib_sprache(), QStringLiteral("de"));
    EXPECT_EQ(gib_qt_sprache(), QStringLiteral("de"));
    EXPECT_EQ(gib_i18n(), vorher);
}

TEST_F(SpracheTest, TabelleNebeneinanderMitUebersetztenNamen)
{
    alle_nebeneinander();
    CSprachTabelle tabelle = gib_sprachen();
    ASSERT_EQ(codes(tabelle), (std::vector<QString>{QStringLiteral("de"), QStringLiteral("en"), QStringLiteral("fr")}));
    EXPECT_EQ(tabelle.at(CQString("en")), QStringLiteral("Englisch"));
    EXPECT_EQ(tabelle.at(CQString("fr")), QString::fromUtf8("Französisch"));

    // The names come from the installed translations of the moment.
    ASSERT_TRUE(sprache.setze_sprache(CQString("en")));
    tabelle = gib_sprachen();
    EXPECT_EQ(tabelle.at(CQString("de")), QStringLiteral("German"));
    EXPECT_EQ(tabelle.at(CQString("fr")), QStringLiteral("French"));
}

TEST_F(SpracheTest, WechselInstalliertUndEntferntUebersetzerUndTabellen)
{
    alle_nebeneinander();
    CI18n* standard = gib_i18n();

    ASSERT_TRUE(sprache.setze_sprache(CQString("de")));
    EXPECT_EQ(qt("TestQt", "qt"), QStringLiteral("qt_de"));
    EXPECT_EQ(qt("TestQt", "qtbase"), QStringLiteral("qtbase_de"));
    EXPECT_EQ(gib_i18n(), standard);

    ASSERT_TRUE(sprache.setze_sprache(CQString("en")));
    EXPECT_EQ(gib_sprache(), QStringLiteral("en"));
    EXPECT_EQ(gib_qt_sprache(), QStringLiteral("en"));
    EXPECT_EQ(qt("TestQt", "qt"), QStringLiteral("qt_en"));
    EXPECT_EQ(qt("TestQt", "qtbase"), QStringLiteral("qtbase")); // the German one is gone, no English one
    EXPECT_EQ(qt("TestProdukt", "sprache"), QStringLiteral("en"));
    CI18n* englisch = gib_i18n();
    EXPECT_NE(englisch, standard);
    // The own table holds the ".itr" entries; the framework's texts answer from the product's file.
    EXPECT_EQ(englisch->uebersetze("Fehlende Qt-Sprachdatei '%1'"), "Missing Qt language file '%1'");
    EXPECT_NE(dynamic_cast<CQtUebersetzeInterface*>(englisch->gib_uebersetzer()), nullptr);
    EXPECT_EQ(uebersetze_(CString("Hallo Welt"), CString("CSprache")).gib_string(), "Hello world");

    ASSERT_TRUE(sprache.setze_sprache(CQString("fr")));
    EXPECT_EQ(qt("TestProdukt", "sprache"), QStringLiteral("fr"));
    EXPECT_EQ(qt("TestQt", "qt"), QStringLiteral("qt"));
    EXPECT_EQ(uebersetze_(CString("Hallo Welt"), CString("CSprache")).gib_string(), "Bonjour le monde");
    EXPECT_NE(gib_i18n(), standard);

    ASSERT_TRUE(sprache.setze_sprache(CQString("de")));
    EXPECT_EQ(gib_i18n(), standard);
    EXPECT_EQ(qt("TestProdukt", "sprache"), QStringLiteral("sprache"));
    EXPECT_EQ(qt("TestQt", "qt"), QStringLiteral("qt_de"));
    EXPECT_EQ(qt("TestQt", "qtbase"), QStringLiteral("qtbase_de"));
    EXPECT_EQ(uebersetze_(CString("Hallo Welt"), CString("CSprache")).gib_string(), "Hallo Welt");
}

TEST_F(SpracheTest, LeererCodeBehaeltDieSprache)
{
    alle_nebeneinander();
    ASSERT_TRUE(sprache.setze_sprache(CQString("en")));
    CI18n* tabelle = gib_i18n();
    EXPECT_TRUE(sprache.setze_sprache(CQString()));
    EXPECT_EQ(gib_sprache(), QStringLiteral("en"));
    EXPECT_EQ(qt("TestProdukt", "sprache"), QStringLiteral("en"));
    // Nothing but the translator of the table is renewed.
    EXPECT_EQ(gib_i18n(), tabelle);
    EXPECT_EQ(uebersetze_(CString("Hallo Welt"), CString("CSprache")).gib_string(), "Hello world");
}

TEST_F(SpracheTest, DateiImOrdnerDerSpracheWirdDortGeladen)
{
    // Each language in its own support folder: offered from there, and loaded from there too.
    wurzel.qm(QStringLiteral("aktualisierer_en.qm"), QStringLiteral("support/en/aktualisierer.qm"));
    ASSERT_EQ(codes(gib_sprachen()), (std::vector<QString>{QStringLiteral("de"), QStringLiteral("en")}));
    EXPECT_TRUE(sprache.setze_sprache(CQString("en")));
    EXPECT_EQ(qt("TestProdukt", "sprache"), QStringLiteral("en"));
    EXPECT_EQ(uebersetze_(CString("Hallo Welt"), CString("CSprache")).gib_string(), "Hello world");
}

TEST_F(SpracheTest, FehlendeProduktdateiWirdGemeldetOhneZeilenende)
{
    // The current language names one without files (only an empty code gets this far).
    setze_sprachcode(QStringLiteral("en"));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(sprache.setze_sprache(CQString()));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Fehlende Qt-Sprachdatei '" + wurzel.uebersetzungen().toStdString() + "/aktualisierer_en.qm'");
    EXPECT_EQ(gib_qt_sprache(), QStringLiteral("en"));
}

TEST_F(SpracheTest, UnlesbareProduktdateiBehaeltDieVorige)
{
    alle_nebeneinander();
    ASSERT_TRUE(sprache.setze_sprache(CQString("en")));
    wurzel.schreibe(QStringLiteral("translations/aktualisierer_fr.qm"), "kein Qt-Format");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(sprache.setze_sprache(CQString("fr")));
    const std::string fehler = testing::internal::GetCapturedStderr();
    EXPECT_NE(fehler.find("aktualisierer_fr.qm' ist nicht lesbar"), std::string::npos) << fehler;
    EXPECT_EQ(qt("TestProdukt", "sprache"), QStringLiteral("en"));
}

// Translations go by the rule of every look-up: another user's file where others may write is
// passed over like a missing one.
TEST_F(SpracheTest, FremdeProduktdateiWoAndereSchreibenWirdUebergangen)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "a file of another owner needs root to be made";
    alle_nebeneinander();
    ASSERT_TRUE(sprache.setze_sprache(CQString("en")));
    const QString fr = wurzel.pfad(QStringLiteral("translations/aktualisierer_fr.qm"));
    ASSERT_EQ(::chown(QFile::encodeName(fr).constData(), 12345, 12345), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(wurzel.uebersetzungen()).constData(), 0777), 0);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(sprache.setze_sprache(CQString("fr")));
    const std::string fehler = testing::internal::GetCapturedStderr();
    EXPECT_NE(fehler.find(fr.toStdString() + "'"), std::string::npos) << fehler;
    EXPECT_EQ(qt("TestProdukt", "sprache"), QStringLiteral("en"));
}

TEST_F(SpracheTest, FehlerhafteItrDateiWirftUndDeutschRaeumtAuf)
{
    alle_nebeneinander();
    CI18n* standard = gib_i18n();
    wurzel.schreibe(QStringLiteral("support/en/aktualisierer.itr"), "msgid \"a\"\nmsgstr \"\\q\"\n");
    const QString vorher = QDir::currentPath();
    QDir::setCurrent(wurzel.pfad()); // the error's record goes to this root's "fehler.txt"
    EXPECT_THROW(sprache.setze_sprache(CQString("en")), CFehlerBasis);
    QDir::setCurrent(vorher);
    EXPECT_TRUE(sprache.setze_sprache(CQString("de")));
    EXPECT_EQ(gib_i18n(), standard);
    EXPECT_EQ(gib_sprache(), QStringLiteral("de"));
    EXPECT_EQ(qt("TestProdukt", "sprache"), QStringLiteral("sprache"));
}

TEST_F(SpracheTest, UnlesbareItrDateiWirftNichtUndLaesstDieSpracheUnvollstaendig)
{
    const Wecker wecker;
    alle_nebeneinander();
    const QString itr = wurzel.pfad(QStringLiteral("support/en/aktualisierer.itr"));
    ASSERT_TRUE(QFile::remove(itr));
    ASSERT_TRUE(QDir().mkdir(itr));
    for (int runde = 0; runde < 2; ++runde) {
        testing::internal::CaptureStderr();
        EXPECT_FALSE(sprache.setze_sprache(CQString("en")));
        const std::string fehler = testing::internal::GetCapturedStderr();
        EXPECT_NE(fehler.find("aktualisierer.itr' ist nicht lesbar\n"), std::string::npos) << fehler;
        EXPECT_TRUE(sprache.setze_sprache(CQString("de")));
        // The same for a pipe, which is not waited for.
        ASSERT_TRUE(QDir().rmdir(itr) || QFile::remove(itr));
        ASSERT_TRUE(lege_rohr_an(itr));
    }
}

TEST(Systemsprache, KurzUndLang)
{
    const CQString lang = gib_systemsprache(false);
    EXPECT_EQ(lang, lang.klein());
    EXPECT_EQ(gib_systemsprache(true), lang.left(2));
}

namespace {

struct Start
{
    QString ausgabe;
    QString fehler;
    int code;
};

// The start road in a process of its own, under the system locale `locale`.
Start starte(const Wurzel& wurzel, const QString& locale)
{
    QProcess prozess;
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.insert(QStringLiteral("LC_ALL"), locale);
    umgebung.insert(QStringLiteral("LANG"), locale);
    prozess.setProcessEnvironment(umgebung);
    prozess.setWorkingDirectory(wurzel.pfad());
    prozess.start(QStringLiteral(SPRACHSTART), {wurzel.pfad()});
    EXPECT_TRUE(prozess.waitForFinished(60000));
    return {QString::fromUtf8(prozess.readAllStandardOutput()), QString::fromUtf8(prozess.readAllStandardError()),
            prozess.exitStatus() == QProcess::NormalExit ? prozess.exitCode() : -1};
}

} // namespace

TEST(Startsprache, DeutschesSystemOhneDateien)
{
    Wurzel wurzel;
    wurzel.qm(QStringLiteral("qt_de.qm"), QStringLiteral("translations/qt_de.qm"));
    const Start s = starte(wurzel, QStringLiteral("de_DE.UTF-8"));
    EXPECT_EQ(s.code, 0);
    EXPECT_EQ(s.ausgabe, QStringLiteral("sprache de Deutsch\nstart de\nergebnis 1 de de\n")) << qPrintable(s.fehler);
}

TEST(Startsprache, SystemspracheMitEigenerDatei)
{
    Wurzel wurzel;
    wurzel.qm(QStringLiteral("aktualisierer_en.qm"), QStringLiteral("translations/aktualisierer_en.qm"));
    wurzel.qm(QStringLiteral("aktualisierer_fr.qm"), QStringLiteral("translations/aktualisierer_es.qm"));
    const Start s = starte(wurzel, QStringLiteral("es_ES.UTF-8"));
    EXPECT_EQ(s.code, 0);
    EXPECT_EQ(s.ausgabe, QStringLiteral("sprache de Deutsch\nsprache en Englisch\nsprache es es_es\nstart es\n"
                                        "ergebnis 1 es es\n"))
        << qPrintable(s.fehler);
}

TEST(Startsprache, UnbekannteSystemspracheNimmtEnglisch)
{
    Wurzel wurzel;
    wurzel.qm(QStringLiteral("aktualisierer_en.qm"), QStringLiteral("translations/aktualisierer_en.qm"));
    const Start s = starte(wurzel, QStringLiteral("pt_BR.UTF-8"));
    EXPECT_EQ(s.code, 0);
    EXPECT_TRUE(s.ausgabe.endsWith(QStringLiteral("start en\nergebnis 1 en en\n"))) << qPrintable(s.ausgabe);
}

TEST(Startsprache, OhneDateienBleibtDeutschUndSagtWarum)
{
    Wurzel wurzel;
    const Start s = starte(wurzel, QStringLiteral("en_US.UTF-8"));
    EXPECT_EQ(s.code, 0);
    EXPECT_EQ(s.ausgabe, QStringLiteral("sprache de Deutsch\nstart en\n"
                                        "Language 'en' is not supported (no support files)!\nergebnis 0 de de\n"));
    EXPECT_TRUE(s.fehler.contains(QStringLiteral("Sprache 'en' nicht verfuegbar - das Programm startet in Deutsch")))
        << qPrintable(s.fehler);
}

TEST(Startsprache, KaputteDateienStartenDeutschUndSagenWarum)
{
    {
        Wurzel wurzel;
        wurzel.qm(QStringLiteral("aktualisierer_en.qm"), QStringLiteral("translations/aktualisierer_en.qm"));
        wurzel.schreibe(QStringLiteral("support/en/aktualisierer.itr"), "msgid \"a\"\nmsgstr \"\\q\"\n");
        const Start s = starte(wurzel, QStringLiteral("en_US.UTF-8"));
        EXPECT_EQ(s.code, 0);
        EXPECT_TRUE(s.ausgabe.endsWith(QStringLiteral("start en\nergebnis 0 de de\n"))) << qPrintable(s.ausgabe);
        EXPECT_TRUE(s.fehler.contains(QStringLiteral("Unknown Escape-Sequence: '\\q"))) << qPrintable(s.fehler);
        EXPECT_TRUE(s.fehler.contains(QStringLiteral("das Programm startet in Deutsch"))) << qPrintable(s.fehler);
    }
    {
        // A folder in the place of the table: the start does not abort.
        Wurzel wurzel;
        wurzel.qm(QStringLiteral("aktualisierer_en.qm"), QStringLiteral("translations/aktualisierer_en.qm"));
        ASSERT_TRUE(QDir().mkpath(wurzel.pfad(QStringLiteral("support/en/aktualisierer.itr"))));
        const Start s = starte(wurzel, QStringLiteral("en_US.UTF-8"));
        EXPECT_EQ(s.code, 0) << qPrintable(s.fehler);
        EXPECT_TRUE(s.ausgabe.endsWith(QStringLiteral("start en\nergebnis 0 de de\n"))) << qPrintable(s.ausgabe);
        EXPECT_TRUE(s.fehler.contains(QStringLiteral("aktualisierer.itr' ist nicht lesbar\n"))) << qPrintable(s.fehler);
        EXPECT_TRUE(s.fehler.contains(QStringLiteral("\nSprache 'en' nicht verfuegbar - das Programm startet in Deutsch")))
            << qPrintable(s.fehler);
    }
    {
        Wurzel wurzel;
        wurzel.schreibe(QStringLiteral("translations/aktualisierer_en.qm"), "kein Qt-Format");
        const Start s = starte(wurzel, QStringLiteral("en_US.UTF-8"));
        EXPECT_EQ(s.code, 0);
        EXPECT_TRUE(s.ausgabe.endsWith(QStringLiteral("start en\nergebnis 0 de de\n"))) << qPrintable(s.ausgabe);
        EXPECT_TRUE(s.fehler.contains(QStringLiteral("ist nicht lesbar\nSprache 'en' nicht verfuegbar")))
            << qPrintable(s.fehler);
    }
}
