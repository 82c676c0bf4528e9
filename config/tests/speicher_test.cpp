// Value store: the default store, an installed store taking over reads and writes, value objects.
#include "csteuervarinterface.h"
#include "cwert.h"
#include "testhilfen.h"

#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace {

// A store that keeps value objects per variable and counts what it is handed.
class TestSpeicher : public CSteuerVarInterface
{
public:
    CWert* gib_wertobjekt(CVariableBasis* variable) override
    {
        const auto it = werte.find(variable);
        return it == werte.end() ? nullptr : it->second.get();
    }
    void setze_wertobjekt(CVariableBasis* variable, CWert* wert) override
    {
        ++schreibvorgaenge;
        letzter_typ = wert->gib_typ();
        if (auto* w = dynamic_cast<CWertT<int>*>(wert))
            werte[variable] = std::make_unique<CWertDT<int>>(w->gib_wert());
    }
    bool ist_aktiv() const override { return aktiv; }
    bool immer_schreiben() const override { return immer; }

    std::map<CVariableBasis*, std::unique_ptr<CWert>> werte;
    bool aktiv = false;
    bool immer = false;
    int schreibvorgaenge = 0;
    int letzter_typ = -1;
};

// Installs the store for one test.
class Installiert
{
public:
    explicit Installiert(CSteuerVarInterface* s) : vorher(setze_steuervar_interface(s)) {}
    ~Installiert() { setze_steuervar_interface(vorher); }

private:
    CSteuerVarInterface* vorher;
};

TEST(Speicher, DefaultStoreHasNoValueAndIsNotActive)
{
    CSteuerVarInterface* s = gib_steuervar_interface();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s, gib_steuervar_interface());
    CVariableSteuer<int> v("/BesenEinlesen/Schalt", 2, "", "");
    EXPECT_EQ(v.gib_id(), 4);
    EXPECT_EQ(s->gib_wertobjekt(&v), nullptr);
    EXPECT_FALSE(s->ist_aktiv());
    EXPECT_FALSE(s->immer_schreiben());
    CWertDT<int> w(5);
    s->setze_wertobjekt(&v, &w);
    // A variable with a key number keeps its own value while no store takes it.
    v.setze_wert(8);
    EXPECT_EQ(v.gib_aktuellen_wert(), 8);
}

TEST(Speicher, AnInstalledStoreAnswersForVariablesWithAKeyNumber)
{
    TestSpeicher speicher;
    Installiert installiert(&speicher);
    EXPECT_EQ(gib_steuervar_interface(), &speicher);
    CVariableSteuer<int> mit_id("/BesenEinlesen/Topo", 1, "", "");
    CVariableSteuer<int> ohne_id("/Test/speicher/ohne_id", 1, "", "");
    speicher.werte[&mit_id] = std::make_unique<CWertDT<int>>(42);
    speicher.werte[&ohne_id] = std::make_unique<CWertDT<int>>(43);
    EXPECT_EQ(mit_id.gib_wert(), 42);
    EXPECT_EQ(mit_id.gib_aktuellen_wert(), 42);
    EXPECT_EQ(mit_id.gib_wert_str(), "42");
    EXPECT_EQ(ohne_id.gib_wert(), 1);
    // A value object of another value type is not taken.
    speicher.werte[&mit_id] = std::make_unique<CWertDT<double>>(4.5);
    EXPECT_EQ(mit_id.gib_wert(), 1);
}

TEST(Speicher, WritesGoToAnActiveStore)
{
    TestSpeicher speicher;
    Installiert installiert(&speicher);
    CVariableSteuer<int> v("/BesenEinlesen/Vierpol", 1, "", "");
    v.setze_wert(5);
    EXPECT_EQ(speicher.schreibvorgaenge, 0);
    EXPECT_EQ(v.gib_wert(), 5);

    speicher.aktiv = true;
    v.setze_wert(7);
    EXPECT_EQ(speicher.schreibvorgaenge, 1);
    EXPECT_EQ(speicher.letzter_typ, 3);
    EXPECT_EQ(v.gib_wert(), 7);
    // An equal value is not written again unless the store asks for every write.
    v.setze_wert(7);
    EXPECT_EQ(speicher.schreibvorgaenge, 1);
    speicher.immer = true;
    v.setze_wert(7);
    EXPECT_EQ(speicher.schreibvorgaenge, 2);
    // The variable's own field stayed as it was.
    speicher.werte.clear();
    EXPECT_EQ(v.gib_wert(), 5);
}

TEST(Speicher, ValueObjects)
{
    CWertDT<int> a(7);
    CWertDT<int> b;
    EXPECT_EQ(b.gib_wert(), 99999999);
    b.uebernimm(a);
    EXPECT_EQ(b.gib_wert(), 7);
    CWertDT<double> d(1.5);
    b.uebernimm(d);
    EXPECT_EQ(b.gib_wert(), 7);
    EXPECT_EQ(d.gib_typ(), 0);
    EXPECT_EQ(CWertDT<unsigned>().gib_typ(), 2);
    EXPECT_EQ(a.gib_typ(), 3);
    EXPECT_EQ(CWertDT<std::string>().gib_typ(), 4);
    EXPECT_EQ(CWertDT<EBool>().gib_typ(), 5);
    CWertDT<std::string> s("text");
    s.setze_wert(s.gib_wert());
    EXPECT_EQ(s.gib_wert(), "text");
}

TEST(Speicher, WriteFunctionHandsATypedCopy)
{
    TestSpeicher speicher;
    Installiert installiert(&speicher);
    CVariableSteuer<std::string> v("/Test/speicher/text", "", "", "");
    schreibe_steuerwert(&v, std::string("abc"));
    EXPECT_EQ(speicher.letzter_typ, 4);
    schreibe_steuerwert(&v, JA);
    EXPECT_EQ(speicher.letzter_typ, 5);
    EXPECT_EQ(speicher.schreibvorgaenge, 2);
}

} // namespace
