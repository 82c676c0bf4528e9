// Translation tables: ".itr" files, escapes, lookups with and without a translator.
#include "cfehler.h"
#include "ci18n.h"
#include "testziele.h"

#include <QDir>
#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>

namespace {

class I18nTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(verzeichnis.isValid());
        alt = QDir::currentPath();
        QDir::setCurrent(verzeichnis.path()); // errors write "fehler.txt" here
    }
    void TearDown() override { QDir::setCurrent(alt); }

    std::string datei(const std::string& inhalt)
    {
        const std::string pfad = verzeichnis.filePath("t.itr").toStdString();
        std::ofstream(pfad, std::ios::binary) << inhalt;
        return pfad;
    }

    std::map<std::string, std::string> lies(const std::string& inhalt)
    {
        CI18n t;
        t.importiere_uebersetzungen(datei(inhalt));
        return t.gib_tabelle();
    }

    QTemporaryDir verzeichnis;
    QString alt;
};

class Uebersetzer : public CUebersetzeInterface
{
public:
    CString uebersetze(const CString& text, const CString& kontext) override
    {
        return CString("[" + kontext.gib_string() + "]" + text.gib_string());
    }
};

} // namespace

TEST_F(I18nTest, LeereDateiGibtLeereTabelleOhneMeldung)
{
    SammelZiel s;
    EXPECT_TRUE(lies("").empty());
    EXPECT_TRUE(s.zeilen.empty());
}

TEST_F(I18nTest, EintraegeUndFortsetzungszeilen)
{
    using M = std::map<std::string, std::string>;
    EXPECT_EQ(lies("msgid \"a\"\nmsgstr \"b\"\n"), (M{{"a", "b"}}));
    EXPECT_EQ(lies("msgid \"a\"\nmsgstr \"b\"\n\"c\"\n"), (M{{"a", "bc"}}));
    EXPECT_EQ(lies("msgid \"a\"\n\"c\"\nmsgstr \"b\""), (M{{"ac", "b"}}));
    EXPECT_EQ(lies("msgid \"a\"\nmsgstr \"1\"\nmsgid \"a\"\nmsgstr \"2\"\n"), (M{{"a", "2"}}));
    EXPECT_EQ(lies("msgid \"\"\nmsgstr \"\"\n\"Kopf\\n\"\nmsgid \"leer\"\nmsgstr \"\"\r\n"),
              (M{{"", "Kopf\n"}, {"leer", ""}}));
    EXPECT_EQ(lies("# Kommentar\n   \n  \r\n   msgid \"x\"   \nmsgstr \"y\" \r\n"), (M{{"x", "y"}}));
}

TEST_F(I18nTest, Escapes)
{
    using M = std::map<std::string, std::string>;
    EXPECT_EQ(lies("msgid \"\\x41\"\nmsgstr \"1\""), (M{{"A", "1"}}));
    EXPECT_EQ(lies("msgid \"\\101\"\nmsgstr \"1\""), (M{{"A", "1"}}));
    EXPECT_EQ(lies("msgid \"\\1x\"\nmsgstr \"1\""), (M{{std::string("\x01x"), "1"}}));
    EXPECT_EQ(lies("msgid \"\\t\\\"\\\\\"\nmsgstr \"1\""), (M{{"\t\"\\", "1"}}));
    // x without a digit: a backslash, the character after the x is dropped.
    EXPECT_EQ(lies("msgid \"a\\xyz\"\nmsgstr \"1\""), (M{{"a\\z", "1"}}));
}

TEST_F(I18nTest, UnbekannterEscapeWirftFehlerUndBehaeltFruehereEintraege)
{
    CI18n t;
    const std::string pfad = datei("msgid \"a\"\nmsgstr \"b\"\nmsgid \"c\"\nmsgstr \"d\"\nmsgid \"x\\q\"\n");
    try {
        t.importiere_uebersetzungen(pfad);
        FAIL() << "no error raised";
    } catch (const CFehler& f) {
        EXPECT_EQ(f.typ, 0);
        EXPECT_EQ(f.methode, "BITTE_ERGAENZEN_2");
        EXPECT_EQ(f.text, "In get_line(): Unknown Escape-Sequence: '\\q");
        EXPECT_EQ(f.klasse, CI18n::klasse);
    }
    // "a" was stored when "c" began; "c" was still open when the faulty line came.
    EXPECT_EQ(t.uebersetze("a"), "b");
    EXPECT_EQ(t.uebersetze("c"), "c");
}

TEST_F(I18nTest, UnverarbeiteteZeilenUndFehlendesMsgstr)
{
    kern_einstellungen().setze_debug_ausgabe(1);
    SammelZiel s;
    const auto m = lies("  #keinKommentar\nmsgid \"a\"\nmsgctxt \"k\"\nmsgstr \"b\"\nmsgid \"offen\"\n");
    kern_einstellungen().setze_debug_ausgabe(0);
    EXPECT_EQ(m.count("offen"), 0u);
    EXPECT_EQ(m.at("a"), "b");
    const auto hat = [&](const std::string& teil) { return s.zaehle(teil) > 0; };
    EXPECT_TRUE(hat("No msgstr found for msgid"));
    EXPECT_TRUE(hat("Class CI18n, Method \"importiere_uebersetzungen\":<br>"));
    EXPECT_TRUE(hat("The following lines could not be processed:<br>"));
    EXPECT_TRUE(hat("#keinKommentar<br>"));
    EXPECT_TRUE(hat("msgctxt \"k\"<br>"));
}

TEST_F(I18nTest, DateiFehltGibtWarnung)
{
    SammelZiel s;
    CI18n t;
    EXPECT_FALSE(t.importiere_uebersetzungen(verzeichnis.filePath("gibtsnicht.itr").toStdString()));
    EXPECT_TRUE(t.gib_tabelle().empty());
    ASSERT_FALSE(s.zeilen.empty());
    EXPECT_NE(s.zeilen.back().find("Cannot open file '"), std::string::npos);
}

// A table file of 1 GB (sparse) is refused with a warning that names its bound, without being
// read into memory; the table stays as it was.
TEST_F(I18nTest, RiesigeDateiWirdMitWarnungAbgewiesen)
{
    SammelZiel s;
    const QString pfad = verzeichnis.filePath("riesig.itr");
    QFile riesig(pfad);
    ASSERT_TRUE(riesig.open(QIODevice::WriteOnly) && riesig.resize(qint64(1) << 30));
    riesig.close();
    CI18n t;
    EXPECT_FALSE(t.importiere_uebersetzungen(pfad.toStdString()));
    EXPECT_TRUE(t.gib_tabelle().empty());
    ASSERT_FALSE(s.zeilen.empty());
    EXPECT_NE(s.zeilen.back().find("is larger than 67108864 bytes!"), std::string::npos) << s.zeilen.back();
}

TEST_F(I18nTest, OrdnerOderRohrDesNamensIstEineUnlesbareDatei)
{
    const Wecker wecker;
    SammelZiel s;
    CI18n t;
    ASSERT_TRUE(t.importiere_uebersetzungen(datei("msgid \"Ja\"\nmsgstr \"Yes\"\n")));
    const QString ordner = verzeichnis.filePath("ordner.itr");
    const QString rohr = verzeichnis.filePath("rohr.itr");
    ASSERT_TRUE(QDir().mkdir(ordner));
    ASSERT_TRUE(lege_rohr_an(rohr));
    for (const QString& pfad : {ordner, rohr}) {
        s.leere();
        EXPECT_FALSE(t.importiere_uebersetzungen(pfad.toStdString()));
        EXPECT_EQ(t.gib_tabelle(), (std::map<std::string, std::string>{{"Ja", "Yes"}}));
        ASSERT_FALSE(s.zeilen.empty());
        EXPECT_NE(s.zeilen.back().find("Cannot open file '" + pfad.toStdString() + "' for reading!"),
                  std::string::npos)
            << s.zeilen.back();
    }
}

TEST_F(I18nTest, UebersetzeMitUndOhneUebersetzer)
{
    CI18n t;
    t.importiere_uebersetzungen(datei("msgid \"Ja\"\nmsgstr \"Yes\"\n"));
    CI18n* vorher = setze_i18n(&t);
    EXPECT_EQ(uebersetze_(CString("Ja"), CString::klasse).gib_string(), "Yes");
    EXPECT_EQ(uebersetze_(CString("Nein"), CString::klasse).gib_string(), "Nein");
    Uebersetzer u;
    t.setze_uebersetzer(&u);
    EXPECT_EQ(uebersetze_(CString("Ja"), CFehler::eigene_klasse).gib_string(), "[uebersetze_CFehler]Ja");
    EXPECT_EQ(uebersetze_(CString("Ja"), CString("Kontext")).gib_string(), "[uebersetze_Kontext]Ja");
    EXPECT_EQ(setze_i18n(vorher), &t);
    EXPECT_EQ(gib_i18n(), vorher);
}
