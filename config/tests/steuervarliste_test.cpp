// Variable registry: registration with key numbers, duplicates (also while globals are built), removal, templates.
#include "klassen.h"
#include "steuervarliste.h"
#include "testhilfen.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <thread>
#include <vector>

namespace {

bool registriert(const std::string& schluessel, const CVariableBasis* variable)
{
    const CSteuerVarListe* liste = gib_steuervar_liste();
    const auto it = liste->find(schluessel);
    return it != liste->end() && it->second == variable;
}

TEST(SteuervarListe, RegistersUnderTheKeyWithItsKeyNumber)
{
    CSteuerVarListe* liste = gib_steuervar_liste();
    EXPECT_EQ(liste, gib_steuervar_liste());
    CVariableSteuer<int> mit_nummer("/BesenEinlesen/BPlan", 0, "", "");
    CVariableSteuer<std::string> ohne_nummer("/Test/liste/ohne_nummer", "", "", "");
    EXPECT_TRUE(registriert("/BesenEinlesen/BPlan", &mit_nummer));
    EXPECT_EQ(mit_nummer.gib_id(), 1);
    EXPECT_EQ(ohne_nummer.gib_id(), 99999999);
    // The interface defaults answer for the base part.
    EXPECT_EQ(ohne_nummer.CVariableBasis::gib_id(), 99999999);
    EXPECT_EQ(ohne_nummer.CVariableBasis::gib_schluessel(), "");
}

TEST(SteuervarListe, DuplicateKeyRaisesAndTheFirstVariableStays)
{
    CVariableSteuer<int> erste("/Test/liste/doppelt", 1, "", "");
    const CFehler f = fange_fehler([] { CVariableSteuer<double> zweite("/Test/liste/doppelt", 2.0, "", ""); });
    EXPECT_EQ(f.typ, 1);
    EXPECT_EQ(f.klasse, klasse_funktion);
    EXPECT_EQ(f.methode, "ergaenze_steuervar");
    EXPECT_EQ(f.text, "Steuervariable /Test/liste/doppelt bereits in Liste");
    EXPECT_TRUE(registriert("/Test/liste/doppelt", &erste));
}

TEST(SteuervarListe, KeysDifferingInCaseAreTwoEntriesUpperCaseFirst)
{
    CVariableSteuer<int> klein("/Test/liste/abc", 0, "", "");
    CVariableSteuer<int> gross("/Test/liste/aBc", 0, "", "");
    const CSteuerVarListe* liste = gib_steuervar_liste();
    auto it = liste->find("/Test/liste/aBc");
    ASSERT_NE(it, liste->end());
    ++it;
    ASSERT_NE(it, liste->end());
    EXPECT_EQ(it->first, "/Test/liste/abc");
}

TEST(SteuervarListe, ADestroyedVariableRemovesOnlyItsOwnEntry)
{
    auto v = std::make_unique<CVariableSteuer<int>>("/Test/liste/eigen", 0, "", "");
    {
        // A template variable under the same key is not in the registry; destroying it leaves the entry.
        CVariableSteuer<int> vorlage(77, "/Test/liste/eigen");
        EXPECT_TRUE(registriert("/Test/liste/eigen", v.get()));
        EXPECT_EQ(gib_steuervar_vorlagen()->at(77), &vorlage);
    }
    EXPECT_TRUE(registriert("/Test/liste/eigen", v.get()));
    EXPECT_EQ(gib_steuervar_vorlagen()->count(77), 0u);
    v.reset();
    EXPECT_EQ(gib_steuervar_liste()->count("/Test/liste/eigen"), 0u);
    // The key is free again.
    CVariableSteuer<int> neu("/Test/liste/eigen", 0, "", "");
    EXPECT_TRUE(registriert("/Test/liste/eigen", &neu));
}

TEST(SteuervarListe, TemplatesAreListedByKindNumberAndNotRegistered)
{
    const CSteuerVarVorlagen* vorlagen = gib_steuervar_vorlagen();
    const std::pair<int, const char*> erwartet[] = {{0, "double"}, {1, "int"}, {2, "unsigned"}, {3, "string"}, {4, "bool"}};
    for (const auto& [nummer, name] : erwartet) {
        ASSERT_EQ(vorlagen->count(nummer), 1u) << name;
        const CVariableBasis* v = vorlagen->at(nummer);
        EXPECT_EQ(v->gib_schluessel(), name);
        EXPECT_EQ(v->gib_id(), 0);
        EXPECT_EQ(v->gib_beschreibung().gib_string(), "Vorlage");
        EXPECT_EQ(gib_steuervar_liste()->count(name), 0u) << name;
    }
    const CFehler f = fange_fehler([] { CVariableSteuer<int> zweite(1, "int2"); });
    EXPECT_EQ(f.methode, "ergaenze_steuervar_vorlage");
    EXPECT_EQ(f.text, "Vorlage wurde bereits aufgenommen");
    EXPECT_EQ(vorlagen->at(1)->gib_schluessel(), "int");
}

TEST(SteuervarListe, FactoryMakesPlainOrUiVariables)
{
    CVariableBasis* vorlage = gib_steuervar_vorlagen()->at(1);
    struct Fall
    {
        const char* schluessel;
        int modus;
        bool ui;
    };
    const Fall faelle[] = {{"/Tabelle/Test/a", 0, true},   {"/Grafikxyz/Test", 0, true}, {"/Privat/Test/a", 0, false},
                           {"/Tabelle/Test/b", 1, false},  {"/Privat/Test/b", 2, true}};
    for (const Fall& fall : faelle) {
        std::unique_ptr<CVariableBasis> v(vorlage->erzeuge_variable(fall.schluessel, "12", "neu", "", fall.modus));
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(v->ist_nicht_ui(), !fall.ui) << fall.schluessel;
        EXPECT_EQ(v->gib_vorlage(), vorlage);
        EXPECT_EQ(v->gib_wert_str(), "12");
        EXPECT_TRUE(registriert(fall.schluessel, v.get()));
        EXPECT_EQ(v->gib_klasse(), &eintrag_CVariableSteuer);
    }
    // A refused value text leaves no variable behind.
    fange_fehler([&] { delete vorlage->erzeuge_variable("/Privat/Test/c", "zwoelf", "", "", 1); });
    EXPECT_EQ(gib_steuervar_liste()->count("/Privat/Test/c"), 0u);
    for (const Fall& fall : faelle)
        EXPECT_EQ(gib_steuervar_liste()->count(fall.schluessel), 0u);
}

TEST(SteuervarListe, VariablesComeAndGoFromSeveralThreads)
{
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t] {
            for (int i = 0; i < 200; ++i) {
                CVariableSteuer<int> v("/Test/liste/thread" + std::to_string(t) + "/" + std::to_string(i), i, "", "");
                v.setze_wert_str(std::to_string(i * 2), false);
            }
        });
    }
    for (std::thread& t : threads)
        t.join();
    const CSteuerVarListe* liste = gib_steuervar_liste();
    const auto it = liste->lower_bound("/Test/liste/thread");
    EXPECT_TRUE(it == liste->end() || it->first.rfind("/Test/liste/thread", 0) != 0);
}

TEST(SteuervarListe, DuplicateWhileGlobalsAreBuiltReachesStandardError)
{
    QTemporaryDir ordner;
    ASSERT_TRUE(ordner.isValid());
    QProcess programm;
    programm.setWorkingDirectory(ordner.path());
    programm.start(QStringLiteral(DOPPELTER_SCHLUESSEL), QStringList());
    ASSERT_TRUE(programm.waitForFinished(30000));
    EXPECT_TRUE(programm.exitStatus() == QProcess::CrashExit || programm.exitCode() != 0);
    const QString fehler = QString::fromUtf8(programm.readAllStandardError());
    EXPECT_TRUE(fehler.contains(QStringLiteral("Steuervariable /Test/doppelt bereits in Liste"))) << fehler.toStdString();
}

} // namespace
