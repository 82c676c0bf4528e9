// Setting variables from text (accepted and refused texts, exact messages) and the range checks.
#include "testhilfen.h"

#include <gtest/gtest.h>

namespace {

std::string refused_text(CVariableBasis& v, const std::string& text, bool pruefen)
{
    const CFehler f = fange_fehler([&] { v.setze_wert_str(text, pruefen); });
    EXPECT_EQ(f.typ, 3);
    EXPECT_EQ(f.klasse, klasse_funktion);
    EXPECT_EQ(f.methode, "setze_wert_str");
    return f.text;
}

TEST(SetzeWertStr, IntBoundsGiveTheMessagesAndKeepTheValue)
{
    TestBeschreiber<int> b;
    b.zulaessig(1, 10);
    TestVariable<int> v("/Test/wertstr/int", 5, &b);
    v.setze_wert_str("7", true);
    EXPECT_EQ(refused_text(v, "0", true), "Wert 0 ist zu klein - Untergrenze = 1");
    EXPECT_EQ(v.gib_wert(), 7);
    v.setze_wert_str("10", true);
    EXPECT_EQ(v.gib_wert(), 10);
    v.setze_wert_str("1", true);
    EXPECT_EQ(v.gib_wert(), 1);
    EXPECT_EQ(refused_text(v, "11", true), "Wert 11 ist zu gross - Obergrenze = 10");
    EXPECT_EQ(v.gib_wert(), 1);
    // Without the check the bounds play no part.
    v.setze_wert_str("11", false);
    EXPECT_EQ(v.gib_wert(), 11);
}

TEST(SetzeWertStr, BadNumberTextsAreRefusedAndTheOldValueKept)
{
    CVariableSteuer<int> v("/Test/wertstr/schlecht", 0, "", "");
    v.setze_wert_str("42", false);
    for (const std::string text : {"abc", "1 2", "--1", "+-1", "5-", "- 5", "1.5", "0x10", " ", "12a"}) {
        EXPECT_EQ(refused_text(v, text, false), "Fehler bei Umwandlung von String in int: " + text) << text;
        EXPECT_EQ(v.gib_wert(), 42) << text;
    }
    v.setze_wert_str(" -17 ", false);
    EXPECT_EQ(v.gib_wert(), -17);
    v.setze_wert_str("+8", false);
    EXPECT_EQ(v.gib_wert(), 8);
    // The empty text makes the variable undefined again: the default shows.
    v.setze_wert_str("", true);
    EXPECT_TRUE(v.ist_undefiniert(true, false));
    EXPECT_EQ(v.gib_wert(), 0);
}

TEST(SetzeWertStr, NumbersOutsideTheTypeAreRefusedInsteadOfWrapping)
{
    CVariableSteuer<int> i("/Test/wertstr/int_bereich", 0, "", "");
    EXPECT_EQ(refused_text(i, "2147483648", false), "Wert 2147483648 ist zu gross - Obergrenze = 2147483647");
    EXPECT_EQ(refused_text(i, "-2147483649", false), "Wert -2147483649 ist zu klein - Untergrenze = -2147483648");
    EXPECT_EQ(refused_text(i, std::string(400, '9'), false),
              "Wert " + std::string(400, '9') + " ist zu gross - Obergrenze = 2147483647");
    i.setze_wert_str("-2147483648", false);
    EXPECT_EQ(i.gib_wert(), -2147483647 - 1);

    CVariableSteuer<unsigned> u("/Test/wertstr/unsigned", 3u, "", "");
    for (bool pruefen : {true, false})
        EXPECT_EQ(refused_text(u, "-1", pruefen), "Wert -1 darf nicht negativ sein");
    EXPECT_EQ(refused_text(u, "4294967296", false), "Wert 4294967296 ist zu gross - Obergrenze = 4294967295");
    u.setze_wert_str("4294967295", false);
    EXPECT_EQ(u.gib_wert(), 4294967295u);
    EXPECT_EQ(u.gib_wert_str(), "4294967295");
    u.setze_wert_str("-0", true);
    EXPECT_EQ(u.gib_wert(), 0u);
}

TEST(SetzeWertStr, UnsignedBoundsPrintAsUnsigned)
{
    TestBeschreiber<unsigned> b;
    b.zulaessig(99999999u, 3000000000u);
    TestVariable<unsigned> v("/Test/wertstr/unsigned_grenze", 0u, &b);
    EXPECT_EQ(refused_text(v, "3000000001", true), "Wert 3000000001 ist zu gross - Obergrenze = 3000000000");
}

TEST(SetzeWertStr, DoubleFollowsTheDecimalSeparator)
{
    CVariableSteuer<double> d("/Test/wertstr/double", 0.0, "", "");
    d.setze_wert_str("2.25", false);
    EXPECT_EQ(d.gib_wert(), 2.25);
    EXPECT_EQ(refused_text(d, "1,5", false), "Buchstabe bei Umwandlung von string in double: 1,5");
    EXPECT_EQ(d.gib_wert(), 2.25);
    for (const std::string text : {"nan", "inf", "1e", "1.2.3", "--1", "1 000", "e5", "."})
        EXPECT_EQ(refused_text(d, text, false), "Buchstabe bei Umwandlung von string in double: " + text) << text;
    d.setze_wert_str(" -1.5e2 ", false);
    EXPECT_EQ(d.gib_wert(), -150.0);
    d.setze_wert_str("1e-400", false);
    EXPECT_EQ(d.gib_wert(), 0.0);
    EXPECT_NE(refused_text(d, "1e400", false).find("Wert 1e400 ist zu gross - Obergrenze = 1797"), std::string::npos);

    Trennzeichen komma(",");
    d.setze_wert_str("1,5", false);
    EXPECT_EQ(d.gib_wert(), 1.5);
    EXPECT_EQ(d.gib_wert_str(), "1,500");
}

TEST(SetzeWertStr, DoubleCheckSkipsAValueEqualToThePresentOne)
{
    TestBeschreiber<double> b;
    b.zulaessig(0.0, 50.0);
    TestVariable<double> v("/Test/wertstr/double_gleich", 100.0, &b);
    // Equal within 0.001 percent: nothing is set, and the bound is not looked at.
    v.setze_wert_str("100.0000001", true);
    EXPECT_TRUE(v.ist_undefiniert(true, false));
    EXPECT_EQ(refused_text(v, "60", true), "Wert 60 ist zu gross - Obergrenze = 50.000000");
    v.setze_wert_str("50", true);
    EXPECT_EQ(v.gib_wert(), 50.0);
}

TEST(SetzeWertStr, EBoolWordsAndDigits)
{
    CVariableSteuer<EBool> b("/Test/wertstr/bool", NEIN, "", "");
    const std::pair<const char*, EBool> faelle[] = {{"jA", JA},     {"TRUE", JA},   {"true", JA},
                                                    {"1", JA},      {"Nein", NEIN}, {"FaLsE", NEIN},
                                                    {"0", NEIN},    {"", EBOOL_UNDEFINIERT}};
    for (const auto& [text, wert] : faelle) {
        b.setze_wert_str(text, false);
        EXPECT_EQ(b.gib_aktuellen_wert(), wert) << text;
    }
    b.setze_wert_str("ja", true);
    for (const std::string text : {"2", " 1", "01", "ja ", "yes"}) {
        EXPECT_EQ(refused_text(b, text, false), text + " ist unzulaessiger Wert fuer boolsche Variable");
        EXPECT_EQ(b.gib_wert(), JA);
    }
}

TEST(SetzeWertStr, TextIsTakenAsIs)
{
    CVariableSteuer<std::string> s("/Test/wertstr/text", "vorgabe", "", "");
    s.setze_wert_str("  mit Blanks  ", true);
    EXPECT_EQ(s.gib_wert(), "  mit Blanks  ");
    s.setze_wert_str("", true);
    EXPECT_EQ(s.gib_wert(), "vorgabe");
}

TEST(PruefeWert, PermittedAndPlausibleRanges)
{
    TestBeschreiber<int> b("Leistung");
    b.zulaessig(0, 100);
    b.plausibel(10, 90);
    TestVariable<int> v("/Test/pruefe/int", 0, &b);
    CPruefMeldungen m;
    v.setze_wert(120);
    EXPECT_EQ(v.pruefe_wert(m, 0), 3);
    v.setze_wert(95);
    EXPECT_EQ(v.pruefe_wert(m, 0), 2);
    v.setze_wert(-1);
    EXPECT_EQ(v.pruefe_wert(m, 0), 3);
    v.setze_wert(5);
    EXPECT_EQ(v.pruefe_wert(m, 0), 2);
    v.setze_wert(50);
    EXPECT_EQ(v.pruefe_wert(m, 0), 0);
    v.setze_wert(100);
    EXPECT_EQ(v.pruefe_wert(m, 0), 2);
    ASSERT_EQ(m.size(), 5u);
    EXPECT_EQ(m[0].code, 3);
    EXPECT_EQ(m[0].text, "Wert 120 der Variablen Leistung liegt oberhalb des zulässigen Wertebereichs (0 - 100)");
    EXPECT_EQ(m[0].satz, nullptr);
    EXPECT_EQ(m[1].code, 2);
    EXPECT_EQ(m[1].text, "Wert 95 der Variablen Leistung liegt oberhalb des plausiblen Wertebereichs (10 - 90)");
    EXPECT_EQ(m[2].text, "Wert -1 der Variablen Leistung liegt unterhalb des zulässigen Wertebereichs (0 - 100)");
    EXPECT_EQ(m[3].text, "Wert 5 der Variablen Leistung liegt unterhalb des plausiblen Wertebereichs (10 - 90)");
    EXPECT_EQ(v.gib_wert(), 100);
}

TEST(PruefeWert, AnAbsentSidePrintsUnbegrenzt)
{
    TestBeschreiber<int> b("Grenze");
    TestVariable<int> v("/Test/pruefe/halb", 0, &b);
    CPruefMeldungen m;
    b.zulaessig(5, 99999999);
    v.setze_wert(3);
    EXPECT_EQ(v.pruefe_wert(m, 0), 3);
    b.zulaessig(99999999, 5);
    v.setze_wert(7);
    EXPECT_EQ(v.pruefe_wert(m, 0), 3);
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0].text, "Wert 3 der Variablen Grenze liegt unterhalb des zulässigen Wertebereichs (5 - unbegrenzt)");
    EXPECT_EQ(m[1].text, "Wert 7 der Variablen Grenze liegt oberhalb des zulässigen Wertebereichs (unbegrenzt - 5)");
}

TEST(PruefeWert, DoubleWithinAHundredthPercentPasses)
{
    TestBeschreiber<double> b("Spannung");
    b.zulaessig(1000.0, 99999999.0);
    TestVariable<double> v("/Test/pruefe/double", 0.0, &b);
    CPruefMeldungen m;
    v.setze_wert(999.95);
    EXPECT_EQ(v.pruefe_wert(m, 0), 0);
    v.setze_wert(999.8);
    EXPECT_EQ(v.pruefe_wert(m, 0), 3);
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].text, "Wert 999.800000 der Variablen Spannung liegt unterhalb des zulässigen Wertebereichs "
                         "(1000.000000 - unbegrenzt)");
}

TEST(PruefeWert, TheSystemsDescriptorsHaveNoBounds)
{
    CVariableSteuer<int> v("/Test/pruefe/ohne", 0, "", "");
    CPruefMeldungen m;
    v.setze_wert_str("-2000000000", true);
    EXPECT_EQ(v.pruefe_wert(m, 0), 0);
    EXPECT_TRUE(m.empty());
}

TEST(PruefeWert, RequiredValueRecordIsSharedPerDescriptor)
{
    TestBeschreiber<int> b("Pflicht");
    b.art(4);
    TestVariable<int> v1("/Test/pruefe/pflicht1", 99999999, &b);
    TestVariable<int> v2("/Test/pruefe/pflicht2", 99999999, &b);
    CPruefMeldungen m;
    EXPECT_EQ(v1.pruefe_wert(m, 0), 3);
    EXPECT_EQ(v2.pruefe_wert(m, 0), 3);
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0].code, 3);
    EXPECT_TRUE(m[0].text.empty());
    ASSERT_NE(m[0].satz, nullptr);
    EXPECT_EQ(m[0].satz, m[1].satz);
    EXPECT_GE(m[0].satz->gib_nummer(), 2);
    EXPECT_EQ(m[0].satz->gib_beschreiber(), &b);
    EXPECT_EQ(m[0].satz->gib_wert1(), 5);
    EXPECT_EQ(m[0].satz->gib_wert2(), 99999999);
    EXPECT_EQ(m[0].satz->gib_text(),
              "Variable Pflicht muss im aktuellen Berechnungsverfahren belegt sein und hat keinen Wert");
    // A value given: nothing to report.
    v1.setze_wert(1);
    EXPECT_EQ(v1.pruefe_wert(m, 0), 0);
    EXPECT_EQ(m.size(), 2u);
}

TEST(WertUebernahme, CopyAndConditionalTakeOver)
{
    CVariableSteuer<int> ziel("/Test/uebernahme/ziel", 1, "", "");
    CVariableSteuer<int> quelle("/Test/uebernahme/quelle", 9, "", "");
    CVariableSteuer<double> fremd("/Test/uebernahme/fremd", 2.0, "", "");

    EXPECT_FALSE(ziel.kopiere_wert_von(fremd));
    EXPECT_FALSE(ziel.uebernimm_wert_bedingt(fremd, false));
    // An undefined source with a defined default copies the default.
    EXPECT_TRUE(ziel.kopiere_wert_von(quelle));
    EXPECT_EQ(ziel.gib_aktuellen_wert(), 9);

    quelle.setze_wert(9);
    EXPECT_FALSE(ziel.uebernimm_wert_bedingt(quelle, false));
    quelle.setze_wert(4);
    EXPECT_TRUE(ziel.uebernimm_wert_bedingt(quelle, false));
    EXPECT_EQ(ziel.gib_aktuellen_wert(), 4);
    quelle.setze_undefiniert();
    EXPECT_FALSE(ziel.uebernimm_wert_bedingt(quelle, true));
    EXPECT_EQ(ziel.gib_aktuellen_wert(), 4);
    EXPECT_TRUE(ziel.uebernimm_wert_bedingt(quelle, false));
    EXPECT_TRUE(ziel.ist_undefiniert(true, false));
}

} // namespace
