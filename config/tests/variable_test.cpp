// Configuration variables: values and defaults, every text, display and database form, identities and raising defaults.
#include "klassen.h"
#include "testhilfen.h"

#include <clocale>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace {

TEST(Variable, FreshUnsignedWithDefault)
{
    CVariableSteuer<unsigned> v("/Test/variable/unsigned", 5u, "Beschreibung", "");
    EXPECT_EQ(v.gib_wert(), 5u);
    EXPECT_EQ(v.gib_aktuellen_wert(), 99999999u);
    EXPECT_EQ(v.gib_wert_str(), "5");
    EXPECT_EQ(v.gib_anzeige_str(0, 10), "5");
    EXPECT_EQ(v.gib_db_string(), "NULL");
    EXPECT_EQ(v.gib_db_typ(), "int");
    EXPECT_EQ(v.gib_defaultwert_str(), "5");
    EXPECT_EQ(v.gib_aktuellen_wert_str(), "99999999");
    EXPECT_TRUE(v.ist_undefiniert(true, false));
    EXPECT_FALSE(v.ist_undefiniert(false, false));
    EXPECT_FALSE(v.ist_leer());
    EXPECT_FALSE(v.ungleich_defaultwert());
    EXPECT_EQ(v.gib_beschreibung().gib_string(), "Beschreibung");
    EXPECT_TRUE(v.gib_merker());
    // Large values print as unsigned.
    v.setze_wert(4000000000u);
    EXPECT_EQ(v.gib_wert_str(), "4000000000");
    EXPECT_EQ(v.gib_wert_str_roh(0, false), "4000000000");
    EXPECT_EQ(v.gib_db_string(), "4000000000");
    EXPECT_EQ(v.gib_aktuellen_wert_str(), "4000000000");
    EXPECT_TRUE(v.ungleich_defaultwert());
    v.setze_auf_default();
    EXPECT_EQ(v.gib_aktuellen_wert(), 5u);
}

TEST(Variable, IntWithoutAnyValue)
{
    CVariableSteuer<int> v("/Test/variable/int", 99999999, "", "");
    EXPECT_TRUE(v.ist_undefiniert(false, false));
    EXPECT_TRUE(v.ist_leer());
    EXPECT_EQ(v.gib_wert_str(), "");
    EXPECT_EQ(v.gib_wert_str_roh(0, true), "");
    EXPECT_EQ(v.gib_anzeige_str(0, 5), "---");
    EXPECT_EQ(v.gib_defaultwert_str(), "99999999");
    EXPECT_EQ(v.gib_db_string(), "NULL");
    v.setze_wert(-12);
    EXPECT_EQ(v.gib_wert_str(), "-12");
    EXPECT_EQ(v.gib_db_string(), "-12");
    EXPECT_EQ(v.gib_wert_int(), -12);
    v.setze_undefiniert();
    EXPECT_TRUE(v.ist_undefiniert(true, false));
}

TEST(Variable, EBoolTexts)
{
    CVariableSteuer<EBool> v("/Test/variable/bool", JA, "", "");
    EXPECT_EQ(v.gib_defaultwert_str(), "Ja");
    v.setze_wert(JA);
    EXPECT_EQ(v.gib_wert_str(), "Ja");
    EXPECT_EQ(v.gib_db_string(), "1");
    EXPECT_EQ(v.gib_db_typ(), "bool");
    v.setze_wert(NEIN);
    EXPECT_EQ(v.gib_wert_str(), "Nein");
    EXPECT_EQ(v.gib_db_string(), "0");
    v.setze_wert(static_cast<EBool>(2));
    EXPECT_EQ(v.gib_wert_str(), "Nein");
    EXPECT_EQ(v.gib_anzeige_str(0, 0), "Nein");
    const CFehler f = fange_fehler([&] { v.gib_db_string(); });
    EXPECT_EQ(f.typ, 1);
    EXPECT_EQ(f.methode, "gib_db_string");
    EXPECT_EQ(f.text, "unbekannter Typ 2");

    CVariableSteuer<EBool> leer("/Test/variable/bool_leer", EBOOL_UNDEFINIERT, "", "");
    EXPECT_EQ(leer.gib_wert_str(), "");
    EXPECT_EQ(leer.gib_anzeige_str(0, 0), "---");
    EXPECT_EQ(leer.gib_db_string(), "NULL");
    EXPECT_EQ(leer.gib_defaultwert_str(), "Nein");
}

TEST(Variable, TextValuesAndTheirDatabaseForm)
{
    CVariableSteuer<std::string> v("/Test/variable/text", "vorgabe", "", "");
    EXPECT_EQ(v.gib_wert(), "vorgabe");
    EXPECT_EQ(v.gib_db_string(), "NULL");
    EXPECT_EQ(v.gib_db_typ(), "char(255)");
    v.setze_wert("a\"b;c/d");
    EXPECT_EQ(v.gib_db_string(), "\"a\\\"b\\;c\\/d\"");
    EXPECT_EQ(v.gib_wert_int(), 'a' + '"' + 'b' + ';' + 'c' + '/' + 'd');
    // Cut to the text length of 255 bytes without splitting a character.
    std::string lang;
    for (int i = 0; i < 200; ++i)
        lang += "ä";
    v.setze_wert(lang);
    EXPECT_EQ(v.gib_db_string(), "\"" + lang.substr(0, 254) + "\"");

    CVariableSteuer<std::string> leer("/Test/variable/text_leer", "", "", "");
    EXPECT_EQ(leer.gib_anzeige_str(0, 0), "---");
    EXPECT_EQ(leer.gib_wert_str(), "");
    leer.setze_wert("\xff");
    EXPECT_EQ(leer.gib_wert_int(), -1);
}

TEST(Variable, DoubleTexts)
{
    CVariableSteuer<double> v("/Test/variable/double", 5.0, "", "");
    EXPECT_EQ(v.gib_defaultwert_str(), "    5.00");
    EXPECT_EQ(v.gib_wert_str(), "5.000");
    EXPECT_EQ(v.gib_db_string(), "NULL");
    EXPECT_EQ(v.gib_aktuellen_wert_str(), "");
    v.setze_wert(1.25);
    EXPECT_EQ(v.gib_wert_str(), "1.250");
    EXPECT_EQ(v.gib_wert_str_roh(0, true), "1.250");
    EXPECT_EQ(v.gib_wert_str_roh(0, false), "1.25");
    EXPECT_EQ(v.gib_aktuellen_wert_str(), "1.25");
    EXPECT_EQ(v.gib_db_string(), "1.25");
    v.setze_wert(1e-5);
    EXPECT_EQ(v.gib_db_string(), "1e-05");
    v.setze_wert(1.0);
    EXPECT_EQ(v.gib_wert_int(), 0x3FF00000);
    v.setze_wert(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(v.gib_db_string(), "NULL");
}

TEST(Variable, DoubleDisplayInAFieldOfGivenWidth)
{
    CVariableSteuer<double> v("/Test/variable/anzeige", 99999999.0, "", "");
    EXPECT_EQ(v.gib_anzeige_str(0, 6), "---");
    v.setze_wert(123.456);
    EXPECT_EQ(v.gib_anzeige_str(0, 6), "123.46");
    EXPECT_EQ(v.gib_anzeige_str(0, 2), "***");
    EXPECT_EQ(v.gib_anzeige_str(0, 0), "***");
    EXPECT_EQ(v.gib_anzeige_str(0, 99999999), "123.456");
    v.setze_wert(-5.5);
    EXPECT_EQ(v.gib_anzeige_str(0, 4), "-5.5");
    v.setze_wert(2e9);
    EXPECT_EQ(v.gib_anzeige_str(0, 20), "***");
    v.setze_wert(1e200);
    EXPECT_EQ(v.gib_anzeige_str(0, 99999999), "UEB");

    TestBeschreiber<double> zwei;
    zwei.anzeige(2, 3);
    TestVariable<double> w("/Test/variable/anzeige2", 0.0, &zwei);
    w.setze_wert(-5.5);
    EXPECT_EQ(w.gib_anzeige_str(0, 4), "-5.5");
    w.setze_wert(3.14159);
    EXPECT_EQ(w.gib_anzeige_str(0, 8), "3.14");
    zwei.anzeige(0, 0);
    EXPECT_EQ(w.gib_anzeige_str(0, 8), "3");
    EXPECT_EQ(w.gib_wert_str(), "3");
}

TEST(Variable, NumberTextsIgnoreTheCLocale)
{
    if (!std::setlocale(LC_ALL, "de_DE.utf8"))
        GTEST_SKIP() << "no German locale";
    CVariableSteuer<double> v("/Test/variable/locale", 0.0, "", "");
    v.setze_wert_str("2.5", false);
    EXPECT_EQ(v.gib_wert(), 2.5);
    EXPECT_EQ(v.gib_wert_str(), "2.500");
    EXPECT_EQ(v.gib_db_string(), "2.5");
    v.setze_wert(123.456);
    EXPECT_EQ(v.gib_anzeige_str(0, 6), "123.46");
    std::setlocale(LC_ALL, "C");
}

TEST(Variable, ValuesInAnotherUnit)
{
    TestBeschreiber<int> kv("Spannung", "kV");
    TestVariable<int> i("/Test/variable/einheit_int", 5, &kv);
    EXPECT_EQ(i.gib_wert_str_einheit(0, EINHEIT_V, false), "5000");
    EXPECT_EQ(i.gib_wert_str_einheit(0, EINHEIT_MW, false), "5");
    EXPECT_EQ(i.gib_einheit_str(), "kV");
    TestBeschreiber<unsigned> kv_u("Spannung", "kV");
    TestVariable<unsigned> u("/Test/variable/einheit_unsigned", 3u, &kv_u);
    EXPECT_EQ(u.gib_wert_str_einheit(0, EINHEIT_V, false), "3000");
    TestBeschreiber<double> mw("Leistung", "MW");
    TestVariable<double> d("/Test/variable/einheit_double", 1.5, &mw);
    EXPECT_EQ(d.gib_wert_str_einheit(0, EINHEIT_KW, true), "1500.000");
    EXPECT_EQ(d.gib_wert_str_einheit(0, EINHEIT_KW, false), "1500.");
    CVariableSteuer<EBool> b("/Test/variable/einheit_bool", JA, "", "");
    EXPECT_EQ(b.gib_wert_str_einheit(0, EINHEIT_KV, false), "Ja");
}

TEST(Variable, ClassIdentity)
{
    CVariableSteuer<int> v("/Test/variable/klasse", 0, "", "");
    CVariableSteuerUI<double> ui("/Test/variable/klasse_ui", 0.0, "", "");
    EXPECT_EQ(v.gib_klasse(), &eintrag_CVariableSteuer);
    EXPECT_EQ(ui.gib_klasse(), &eintrag_CVariableSteuer);
    EXPECT_EQ(v.CVariableBasisTemplate<int>::gib_klasse(), &eintrag_CVariableBasisTemplate);
    EXPECT_EQ(v.CVariableBasis::gib_klasse(), &eintrag_CVariableBasis);
    for (CKlasse* k : {&eintrag_CVariableSteuer, &eintrag_CVariableBasisTemplate, &eintrag_CVariableBasis, &eintrag_CBasis})
        EXPECT_TRUE(ui.ist_abgeleitet_von(k)) << k->gib_name();
    EXPECT_FALSE(v.ist_abgeleitet_von(&eintrag_CObjekt));
    EXPECT_TRUE(v.ist_nicht_ui());
    EXPECT_FALSE(ui.ist_nicht_ui());
    EXPECT_EQ(v.gib_variablenart(), 6);
    EXPECT_EQ(v.gib_typ(), 3);
    EXPECT_EQ(ui.gib_typ(), 0);
    EXPECT_TRUE(v.reserviert_3());
    EXPECT_FALSE(v.reserviert_30());
    EXPECT_EQ(v.reserviert_36(), 99999999);
    EXPECT_EQ(v.gib_vorlage(), nullptr);
    EXPECT_EQ(v.gib_beschreiber(), gib_standard_beschreiber<int>());
}

TEST(Variable, RaisingDefaultsOfTheInterface)
{
    CVariableSteuer<int> v("/Test/variable/basis", 0, "", "");
    const CFehler id = fange_fehler([&] { v.CVariableBasis::setze_id(3); });
    EXPECT_EQ(id.typ, 0);
    EXPECT_EQ(id.klasse, &eintrag_CVariableBasis);
    EXPECT_EQ(id.methode, "setze_id");
    EXPECT_EQ(id.text, "Id in dieser Variable nicht unterstüzt: /Test/variable/basis");

    const std::pair<CFehler, const char*> faelle[] = {
        {fange_fehler([&] { v.ergaenze_geaendert(); }), "Aufruf der Methode bei dieser Variablenklasse nich zulässig"},
        {fange_fehler([&] { v.gib_dbobjekt(); }), "Diese Variableart kann kennt ihr DBObjekt nicht"},
        {fange_fehler([&] { v.ist_geaendert(); }), "Methode muss ueberladen werden"},
        {fange_fehler([&] { v.CVariableBasis::ungleich_defaultwert(); }),
         "Methode ungleich_defaultwert wurde bei dieser Variablenklasse nicht ueberladen"}};
    for (const auto& [f, text] : faelle) {
        EXPECT_EQ(f.typ, 1);
        EXPECT_EQ(f.klasse, klasse_funktion);
        EXPECT_EQ(f.text, text);
    }
    EXPECT_EQ(faelle[1].first.methode, "gib_dbobjekt");
}

TEST(Variable, RowFormsChangeNothingAndLeaveAnErrorLine)
{
    CVariableSteuer<int> v("/Test/variable/zeile", 4, "", "");
    const QByteArray inhalt = fehlerdatei_nach([&] {
        v.setze_wert(3, 9);
        EXPECT_EQ(v.gib_wert(7), 4);
    });
    EXPECT_TRUE(v.ist_undefiniert(true, false));
    EXPECT_TRUE(inhalt.contains("in Klasse CVariableSteuer, Methode setze_wert: "));
    EXPECT_TRUE(inhalt.contains("Zeile: 3 - Methode nicht implementiert! - nichts passiert"));
    EXPECT_TRUE(inhalt.contains("Zeile: 7 - Methode nicht implementiert! - nichts passiert"));
}

TEST(Variable, StatusFollowsTheDescriptorsKindAndSwitch)
{
    CVariableSteuer<int> normal("/Test/variable/status", 99999999, "", "");
    EXPECT_EQ(normal.gib_status(), 0);

    TestBeschreiber<int> b;
    TestVariable<int> v("/Test/variable/status_test", 99999999, &b);
    b.art(4);
    EXPECT_EQ(v.gib_status(), 2);
    v.setze_wert(1);
    EXPECT_EQ(v.gib_status(), 1);
    b.schalter_1(true);
    EXPECT_EQ(v.gib_status(), 8);
    b.art(0);
    EXPECT_EQ(v.gib_status(), 8);
    v.setze_undefiniert();
    EXPECT_EQ(v.gib_status(), 9);
    b.schalter_1(false);
    EXPECT_EQ(v.gib_status(), 6);
    b.art(3);
    EXPECT_EQ(v.gib_status(), 4);
    b.art(1);
    EXPECT_EQ(v.gib_status(), 5);
}

TEST(Variable, PresetOfTheDescriptor)
{
    TestBeschreiber<int> b("MitVorgabe", "", true, 17);
    TestVariable<int> v("/Test/variable/vorgabe", 3, &b);
    EXPECT_TRUE(v.hat_vorgabe());
    EXPECT_EQ(v.CVariableBasisTemplate<int>::gib_defaultwert_str(), "17");
    v.CVariableBasisTemplate<int>::setze_auf_default();
    EXPECT_EQ(v.gib_wert(), 17);
    // The variable's own reset goes to its own default.
    v.setze_auf_default();
    EXPECT_EQ(v.gib_wert(), 3);
    CVariableSteuer<int> ohne("/Test/variable/ohne_vorgabe", 3, "", "");
    EXPECT_FALSE(ohne.hat_vorgabe());
    EXPECT_EQ(ohne.CVariableBasisTemplate<int>::gib_defaultwert_str(), "");
}

TEST(Variable, ComparingAndTakingOverValues)
{
    CVariableSteuer<double> a("/Test/variable/vergleich_a", 100.0, "", "");
    CVariableSteuer<double> b("/Test/variable/vergleich_b", 100.5, "", "");
    CVariableSteuer<int> c("/Test/variable/vergleich_c", 100, "", "");
    EXPECT_TRUE(a.hat_gleichen_wert(b, 1.0));
    EXPECT_FALSE(a.hat_gleichen_wert(b, 0.1));
    EXPECT_FALSE(a.hat_gleichen_wert(c, 100.0));
    // Only a defined current value is taken over.
    EXPECT_FALSE(a.uebernimm_wert(b));
    b.setze_wert(7.0);
    EXPECT_TRUE(a.uebernimm_wert(b));
    EXPECT_EQ(a.gib_aktuellen_wert(), 7.0);
    EXPECT_FALSE(a.uebernimm_wert(c));
}

TEST(Variable, TextsAreSafeFromSeveralThreads)
{
    std::vector<std::thread> threads;
    std::vector<int> fehler(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t, &fehler] {
            CVariableSteuer<double> d("/Test/variable/thread_d" + std::to_string(t), 0.0, "", "");
            CVariableSteuer<unsigned> u("/Test/variable/thread_u" + std::to_string(t), 0u, "", "");
            for (int i = 0; i < 500; ++i) {
                const double x = t * 1000 + i + 0.25;
                d.setze_wert(x);
                u.setze_wert(3000000000u + t * 1000 + i);
                const std::string erwartet = std::to_string(t * 1000 + i);
                if (d.gib_wert_str() != erwartet + ".250" || d.gib_db_string() != erwartet + ".25"
                    || u.gib_wert_str() != std::to_string(3000000000u + t * 1000 + i))
                    ++fehler[t];
            }
        });
    }
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(fehler, std::vector<int>(4, 0));
}

} // namespace
