// Value-type descriptors (global ones, units, date stamps, copies, the descriptor list) and unit conversion.
#include "cvariablebeschr.h"
#include "cwerteprofile.h"
#include "einheit.h"
#include "klassen.h"
#include "testhilfen.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

bool in_liste(const CVariableBeschr* b)
{
    const std::vector<CVariableBeschr*> liste = gib_beschreiber_liste();
    return std::find(liste.begin(), liste.end(), b) != liste.end();
}

TEST(Einheiten, TextsAndCodes)
{
    EXPECT_EQ(string_in_einheit(""), EINHEIT_KEINE);
    EXPECT_EQ(string_in_einheit("kV"), EINHEIT_KV);
    EXPECT_EQ(string_in_einheit("KV"), EINHEIT_UNBEKANNT);
    EXPECT_EQ(string_in_einheit("MS"), EINHEIT_UNBEKANNT);
    EXPECT_EQ(string_in_einheit("1/(km*a)"), EINHEIT_PRO_KM_JAHR);
    EXPECT_EQ(string_in_einheit("p.u."), EINHEIT_PU);
    for (int code = 0; code <= 43; ++code)
        EXPECT_EQ(string_in_einheit(einheit_in_string(static_cast<EEinheit>(code))), code);
    EXPECT_EQ(einheit_in_string(static_cast<EEinheit>(44)),
              "Fehler in cvariablebasis/string einheit_in_string(const EEinheit& aw) !!!");
    EXPECT_EQ(einheit_in_string(EINHEIT_UNBEKANNT), einheit_in_string(static_cast<EEinheit>(44)));
}

TEST(Einheiten, ConversionFactors)
{
    auto f = [](const char* von, const char* nach, bool ersatz = true) {
        return umrechnungsfaktor(string_in_einheit(von), string_in_einheit(nach), ersatz);
    };
    EXPECT_EQ(f("kV", "kV", false), 1.0);
    EXPECT_EQ(f("kV", "MW"), 1.0);
    EXPECT_EQ(f("kV", "MW", false), 99999999.0);
    EXPECT_EQ(f("%", "MW", false), 1.0);
    EXPECT_EQ(f("", "kV", false), 1.0);
    EXPECT_EQ(f("Hz", "h", false), 1.0);
    EXPECT_EQ(f("S/km", "mS/km"), 1000.0);
    EXPECT_EQ(f("nF", "mF"), 1e-6);
    EXPECT_EQ(f("kV", "V"), 1000.0);
    EXPECT_EQ(f("GW", "kW"), 1e6);
    EXPECT_EQ(f("kvar", "Gvar"), 1e-6);
    EXPECT_EQ(f("MVA", "kVA"), 1000.0);
    EXPECT_EQ(f("kvar", "MW", false), 99999999.0);
    EXPECT_EQ(f("kVA", "Mvar", false), 99999999.0);
    EXPECT_EQ(f("Ohm", "H"), 0.003183098861837907);
    EXPECT_EQ(f("H", "mOhm"), 314159.2653589793);
    EXPECT_EQ(f("S", "nF"), 3183098.8618379068);
    EXPECT_EQ(f("microF", "uF"), 1.0);
    EXPECT_EQ(f("microF", "S"), 0.0003141592653589793);
    EXPECT_EQ(f("mF", "microF"), 1000.0);
    EXPECT_EQ(f("microF/km", "nF/km"), 1000.0);
    EXPECT_EQ(f("uF/km", "mS/km"), 0.3141592653589793);
    EXPECT_EQ(f("S/km", "S", false), 99999999.0);
    EXPECT_EQ(f("cm", "km"), 1e-5);
    EXPECT_EQ(f("min/a", "h/a"), 0.016666666666666666);
    EXPECT_EQ(f("h/a", "min/a"), 60.0);
    for (const char* von : {"1/a", "h", "MWh/a", "1/(km*a)", "p.u./km", "p.u."})
        EXPECT_EQ(f(von, "kV", false), 99999999.0) << von;
    EXPECT_EQ(umrechnungsfaktor(EINHEIT_UNBEKANNT, EINHEIT_KV, false), 99999999.0);
}

TEST(Beschreiber, GlobalDescriptorsOfTheValueTypes)
{
    EXPECT_EQ(gib_standard_beschreiber<std::string>()->gib_db_typ(), "char(255)");
    EXPECT_EQ(gib_standard_beschreiber<float>()->gib_db_typ(), "float");
    EXPECT_EQ(gib_standard_beschreiber<double>()->gib_db_typ(), "double");
    EXPECT_EQ(gib_standard_beschreiber<int>()->gib_db_typ(), "int");
    EXPECT_EQ(gib_standard_beschreiber<unsigned>()->gib_db_typ(), "int");
    EXPECT_EQ(gib_standard_beschreiber<EBool>()->gib_db_typ(), "bool");
    EXPECT_EQ(gib_standard_beschreiber<double>()->gib_typ(), 0);
    EXPECT_EQ(gib_standard_beschreiber<float>()->gib_typ(), 1);
    EXPECT_EQ(gib_standard_beschreiber<unsigned>()->gib_typ(), 2);
    EXPECT_EQ(gib_standard_beschreiber<int>()->gib_typ(), 3);
    EXPECT_EQ(gib_standard_beschreiber<std::string>()->gib_typ(), 4);
    EXPECT_EQ(gib_standard_beschreiber<EBool>()->gib_typ(), 5);

    const CVariableBeschrTemplate<int>* b = gib_standard_beschreiber<int>();
    EXPECT_EQ(b, gib_standard_beschreiber<int>());
    EXPECT_EQ(b->gib_name(), "");
    EXPECT_EQ(b->gib_anzeigename(), "");
    EXPECT_EQ(b->gib_beschreibung().gib_string(), "Steuervariable");
    EXPECT_EQ(b->gib_einheit(), EINHEIT_KEINE);
    EXPECT_EQ(b->gib_einheit_str(), "");
    EXPECT_EQ(b->gib_besitzer(), klasse_funktion);
    EXPECT_EQ(b->gib_textlaenge(), 20);
    EXPECT_EQ(b->gib_stellenzahl(), 5);
    EXPECT_EQ(b->gib_nachkommastellen(), 3);
    EXPECT_EQ(b->gib_anzeigestellen(), 3);
    EXPECT_EQ(b->gib_datum(), 0);
    EXPECT_EQ(b->gib_art(), 5);
    EXPECT_FALSE(b->hat_vorgabe());
    EXPECT_FALSE(b->hat_codetabelle());
    EXPECT_FALSE(b->ist_kopie());
    EXPECT_EQ(b->gib_zulaessig_unten(), 99999999);
    EXPECT_EQ(b->gib_plausibel_oben(), 99999999);
    EXPECT_TRUE(in_liste(b));
    EXPECT_EQ(b->gib_klasse(), &eintrag_CVariableBeschrTemplate);
    EXPECT_TRUE(b->ist_abgeleitet_von(&eintrag_CVariableBeschr));
    EXPECT_TRUE(b->ist_abgeleitet_von(&eintrag_CBasis));
    EXPECT_FALSE(b->ist_abgeleitet_von(&eintrag_CObjekt));
    EXPECT_EQ(gib_standard_beschreiber<std::string>()->gib_zulaessig_unten(), "");
}

TEST(Beschreiber, UnitTextInsideAndOutsideTheTable)
{
    TestBeschreiber<double> mw("Leistung", "MW");
    EXPECT_EQ(mw.gib_einheit(), EINHEIT_MW);
    EXPECT_EQ(mw.gib_einheit_text(), "");
    EXPECT_EQ(mw.gib_einheit_str(), "MW");
    EXPECT_EQ(mw.gib_einheit2_str(), "MW");
    EXPECT_EQ(mw.gib_einheitenfaktor(), 1.0);
    mw.anzeigeeinheit(EINHEIT_KW);
    EXPECT_EQ(mw.gib_einheit2_str(), "kW");
    EXPECT_EQ(mw.gib_einheitenfaktor(), 1000.0);

    TestBeschreiber<double> fremd("Masse", "Tonnen");
    EXPECT_EQ(fremd.gib_einheit(), EINHEIT_UNBEKANNT);
    EXPECT_EQ(fremd.gib_einheit_text(), "Tonnen");
    EXPECT_EQ(fremd.gib_einheit_str(), "Tonnen");
    EXPECT_EQ(fremd.gib_einheitenfaktor(), 1.0);
}

TEST(Beschreiber, DateStamps)
{
    EXPECT_EQ(CVariableBeschr::datumsstempel(1, 1, 2000, 0, 0), 0);
    EXPECT_EQ(CVariableBeschr::datumsstempel(2, 1, 2000, 0, 0), 1440);
    EXPECT_EQ(CVariableBeschr::datumsstempel(1, 2, 2000, 0, 0), 44640);
    EXPECT_EQ(CVariableBeschr::datumsstempel(1, 1, 2000, 1, 30), 90);
    EXPECT_EQ(CVariableBeschr::datumsstempel(99999999, 5, 2010, 3, 4), 0);
    const CVariableBeschrTemplate<int> b("Datiert", "", "", klasse_funktion, true, 7, 20, nullptr, true, 2, 1,
                                         2000, 0, 0, 11, 5, false, true, false);
    EXPECT_EQ(b.gib_datum(), 1440);
    EXPECT_EQ(b.gib_kennzahl(), 11);
    EXPECT_TRUE(b.hat_vorgabe());
    EXPECT_EQ(b.gib_vorgabe(), 7);
    EXPECT_TRUE(b.gib_schalter_1());
    EXPECT_FALSE(b.gib_schalter_2());
    EXPECT_TRUE(b.gib_schalter_3());
}

TEST(Beschreiber, ValueComparison)
{
    const CVariableBeschrTemplate<int>* i = gib_standard_beschreiber<int>();
    EXPECT_TRUE(i->ist_wert_gleich(3, 3, 50.0));
    EXPECT_FALSE(i->ist_wert_gleich(3, 4, 50.0));
    const CVariableBeschrTemplate<double>* d = gib_standard_beschreiber<double>();
    EXPECT_TRUE(d->ist_wert_gleich(100.0, 100.005, 0.01));
    EXPECT_FALSE(d->ist_wert_gleich(100.0, 100.02, 0.01));
    EXPECT_TRUE(gib_standard_beschreiber<float>()->ist_wert_gleich(100.0f, 100.005f, 0.01));
    EXPECT_TRUE(gib_standard_beschreiber<std::string>()->ist_wert_gleich("a", "a", 0.0));
    EXPECT_FALSE(gib_standard_beschreiber<std::string>()->ist_wert_gleich("a", "A", 100.0));
}

TEST(Beschreiber, CopiesAndTheDescriptorList)
{
    CVariableBeschr* kopie = nullptr;
    {
        TestBeschreiber<int> b("Original", "kV");
        b.zulaessig(1, 9);
        b.attribut_setzen(3);
        b.art(2);
        EXPECT_TRUE(in_liste(&b));
        CKopierParameter parameter;
        parameter.klasse = &eintrag_CString;
        parameter.zuruecksetzen = true;
        kopie = b.kopiere(parameter);
    }
    ASSERT_NE(kopie, nullptr);
    EXPECT_TRUE(in_liste(kopie));
    auto* k = dynamic_cast<CVariableBeschrTemplate<int>*>(kopie);
    ASSERT_NE(k, nullptr);
    EXPECT_TRUE(k->ist_kopie());
    EXPECT_EQ(k->gib_name(), "Original");
    EXPECT_EQ(k->gib_einheit(), EINHEIT_KV);
    EXPECT_EQ(k->gib_besitzer(), &eintrag_CString);
    EXPECT_EQ(k->gib_zulaessig_unten(), 1);
    EXPECT_EQ(k->gib_zulaessig_oben(), 9);
    EXPECT_EQ(k->gib_attribut(), 0);
    // The copy starts with its own kind table.
    EXPECT_EQ(k->gib_art(), 5);
    delete kopie;
    EXPECT_FALSE(in_liste(kopie));
}

// A descriptor built past the list (through the bare copy constructor) must not throw on destruction.
class OhneListe : public CVariableBeschr
{
public:
    explicit OhneListe(const CVariableBeschr& quelle) : CVariableBeschr(quelle) {}
    int gib_typ() const override { return 3; }
    std::string gib_db_typ() const override { return "int"; }
    CVariableBeschr* kopiere(const CKopierParameter&) const override { return nullptr; }
};

TEST(Beschreiber, DestructorReportsAMissingListEntryWithoutThrowing)
{
    const QByteArray inhalt = fehlerdatei_nach([] {
        OhneListe b(*gib_standard_beschreiber<int>());
        EXPECT_FALSE(in_liste(&b));
    });
    EXPECT_TRUE(inhalt.contains("~CVariableBeschr"));
    EXPECT_TRUE(inhalt.contains("unplausibel: Variablenbeschreiber nicht in Liste"));
}

TEST(WerteProfile, EmptySingletonAndFileName)
{
    CWerteProfile* p = CWerteProfile::gib_instanz(std::string());
    EXPECT_EQ(p, CWerteProfile::gib_instanz(std::string()));
    EXPECT_EQ(gib_werteprofil_dateiname(), "gruppen.dat");
    EXPECT_FALSE(p->ist_geladen());
    int stellen = 4;
    int nachkomma = 7;
    EXPECT_EQ(p->gib_werte(12, stellen, nachkomma), 99999999);
    EXPECT_EQ(stellen, 4);
    EXPECT_EQ(nachkomma, 7);
    EXPECT_EQ(p->gib_klasse(), &eintrag_CWerteProfile);
    EXPECT_EQ(CWerteProfile::gib_instanz("profile.dat"), p);
    EXPECT_EQ(gib_werteprofil_dateiname(), "profile.dat");
}

} // namespace
