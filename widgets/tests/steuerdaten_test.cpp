// The control-data store in memory: created on request, read and written by key through the registered variables.
#include "camisc.h"
#include "cqstringsteuer.h"
#include "cvariablesteuer.h"
#include "logmitschnitt.h"
#include "steuerdaten.h"

#include <gtest/gtest.h>

TEST(Steuerdaten, SpeicherEntstehtErstAufWunsch)
{
    CQStringSteuer text(CQString("/Test/steuerdaten/text"), CQString(), CQString(), false);
    EXPECT_EQ(gib_steuerdaten(false), nullptr);
    EXPECT_FALSE(setze_steuerwert(CQString("/Test/steuerdaten/text"), CQString("x")));
    CAmisc* amisc = CAmisc::instanz(true);

    CSteuerdaten* speicher = gib_steuerdaten(true);
    ASSERT_NE(speicher, nullptr);
    EXPECT_EQ(gib_steuerdaten(false), speicher);
    EXPECT_EQ(gib_steuerdaten(true), speicher);
    // The bundle made before the store still reaches it.
    EXPECT_EQ(amisc->gib_steuerdaten(), speicher);

    LogMitschnitt mitschnitt;
    EXPECT_FALSE(gib_steuerwert(CQString("/Test/steuerdaten/text"), false).isValid());
    EXPECT_EQ(mitschnitt.text(), "");
    EXPECT_FALSE(gib_steuerwert(CQString("/Test/steuerdaten/text"), true).isValid());
    EXPECT_NE(mitschnitt.text().find("'/Test/steuerdaten/text' nicht gefunden !"), std::string::npos);
    speicher->setze_wert(QStringLiteral("/Test/steuerdaten/text"), QStringLiteral("von Hand"));
    EXPECT_EQ(gib_steuerwert(CQString("/Test/steuerdaten/text"), false).toString(), QStringLiteral("von Hand"));
}

TEST(Steuerdaten, WerteNachDemTypDerVariablen)
{
    gib_steuerdaten(true);
    CQStringSteuer text(CQString("/Test/steuerdaten/text2"), CQString(), CQString(), false);
    CVariableSteuer<EBool> schalter("/Test/steuerdaten/schalter", NEIN, "", "");
    CVariableSteuer<int> ganz("/Test/steuerdaten/ganz", 0, "", "");
    CVariableSteuer<unsigned> vorzeichenlos("/Test/steuerdaten/vorzeichenlos", 0u, "", "");
    CVariableSteuer<double> komma("/Test/steuerdaten/komma", 0.0, "", "");

    // The key is found after simplifying its blanks (for writing too).
    EXPECT_EQ(suche_steuervariable(CQString("  /Test/steuerdaten/text2 ")), &text);
    EXPECT_EQ(suche_steuervariable(CQString("/Test/steuerdaten/fehlt")), nullptr);
    EXPECT_FALSE(setze_steuerwert(CQString("/Test/steuerdaten/fehlt"), CQString("1")));

    struct Fall
    {
        const char* name;
        const char* text;
        QVariant wert;
    };
    for (const Fall& fall : {Fall{"text2", " a b ", QStringLiteral(" a b ")}, Fall{"schalter", "true", true},
                             Fall{"schalter", "Ja", false}, Fall{"ganz", "-42", -42},
                             Fall{"vorzeichenlos", "0012", 12u}, Fall{"komma", "2.5", 2.5}}) {
        const QString schluessel = QStringLiteral("/Test/steuerdaten/") + QLatin1String(fall.name);
        EXPECT_TRUE(setze_steuerwert(CQString(QLatin1Char(' ') + schluessel), CQString(fall.text)));
        EXPECT_EQ(gib_steuerwert(CQString(schluessel), false), fall.wert) << fall.text;
    }

    // A text that is no number of the variable's type changes nothing.
    EXPECT_FALSE(setze_steuerwert(CQString("/Test/steuerdaten/ganz"), CQString("zwölf")));
    EXPECT_FALSE(setze_steuerwert(CQString("/Test/steuerdaten/vorzeichenlos"), CQString("-1")));
    EXPECT_EQ(gib_steuerwert(CQString("/Test/steuerdaten/ganz"), false), QVariant(-42));
}

TEST(Steuerdaten, XmlMethodeUndBenutzerverwaltung)
{
    CVariableBasis* methode = suche_steuervariable(CQString("/Privat/MethodeXmlBericht"));
    ASSERT_NE(methode, nullptr);
    EXPECT_EQ(methode->gib_defaultwert_str(), "99999999");
    EXPECT_FALSE(ist_xml_methode_2());
    methode->setze_wert_str("2", false);
    EXPECT_TRUE(ist_xml_methode_2());
    methode->setze_auf_default();

    EXPECT_FALSE(benutzerverwaltung_aktiv());
    setze_benutzerverwaltung_aktiv(true);
    EXPECT_TRUE(benutzerverwaltung_aktiv());
    setze_benutzerverwaltung_aktiv(false);
}
