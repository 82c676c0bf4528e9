// Class registry: entries by name, kind-of tests through the base chain, pseudo entries.
#include "cbasis.h"
#include "cqstring.h"
#include "cstring.h"
#include "klassen.h"

#include <gtest/gtest.h>
#include <sstream>
#include <vector>

TEST(Klassenregister, KernEintraegeSindUnterIhremNamenRegistriert)
{
    for (const char* name : {"CString", "CBasis", "CKlasse", "CLogBase", "CFehler", "CObjekt", "CI18n",
                             "CQString", "CQLogBase", "CSprache", "CQCat", "CZeitVDN", "allgemein_qt",
                             "CSteuerDaten", "CKrypt"}) {
        CKlasse* k = CKlasse::finde(name);
        ASSERT_NE(k, nullptr) << name;
        EXPECT_EQ(k->gib_name(), name);
    }
    EXPECT_EQ(CKlasse::finde("GibtEsNicht"), nullptr);
}

TEST(Klassenregister, PseudoEintraegeHabenIhreTexteUndKommenVorJedemAnderen)
{
    EXPECT_EQ(klasse_funktion->gib_name(), "Funktion oder nicht von CObjekt abgeleitete Klasse");
    EXPECT_EQ(klasse_kurz->gib_name(), "Dummy: fuer kurze Ausgaben");
    EXPECT_EQ(CKlasse::finde(klasse_funktion->gib_name()), klasse_funktion);
    EXPECT_EQ(CKlasse::finde(klasse_kurz->gib_name()), klasse_kurz);
    EXPECT_EQ(klasse_kurz->gib_id(), klasse_funktion->gib_id() + 1);

    // Whichever unit built the first entry, the two pseudo entries were built before it.
    const std::vector<CKlasse*> alle = CKlasse::gib_alle();
    EXPECT_GT(alle.size(), 30u);
    for (const CKlasse* k : alle) {
        if (k == klasse_funktion || k == klasse_kurz)
            continue;
        EXPECT_LT(klasse_funktion->gib_id(), k->gib_id()) << k->gib_name();
        EXPECT_LT(klasse_kurz->gib_id(), k->gib_id()) << k->gib_name();
    }
}

TEST(Klassenregister, EintraegeMitElternklasse)
{
    EXPECT_EQ(eintrag_CLogBase.gib_eltern(), CObjekt::klasse);
    EXPECT_EQ(eintrag_CQLogBase.gib_eltern(), CObjekt::klasse);
    EXPECT_EQ(eintrag_CSteuerPlausi.gib_eltern(), CObjekt::klasse);
    EXPECT_EQ(eintrag_CSprache.gib_eltern(), CBasis::klasse);
    EXPECT_EQ(eintrag_CString.gib_eltern(), nullptr);
}

TEST(Klassenregister, IdsFolgenDerReihenfolgeDerKonstruktion)
{
    CKlasse a("TestKlasseA");
    CKlasse b("TestKlasseB", &a);
    EXPECT_EQ(b.gib_id(), a.gib_id() + 1);
    EXPECT_EQ(CKlasse::finde("TestKlasseB"), &b);
}

TEST(Klassenregister, GleicherNameErsetztUndAbbauEntferntDenNamen)
{
    {
        CKlasse erste("TestDoppelt");
        {
            CKlasse zweite("TestDoppelt");
            EXPECT_EQ(CKlasse::finde("TestDoppelt"), &zweite);
        }
        // Destroying either entry removes the name, whichever entry it pointed to.
        EXPECT_EQ(CKlasse::finde("TestDoppelt"), nullptr);
    }
    EXPECT_EQ(CKlasse::finde("TestDoppelt"), nullptr);
}

TEST(Klassenregister, ArtTestFolgtDerBasiskette)
{
    CKlasse k("TestArt");
    EXPECT_TRUE(k.ist_abgeleitet_von(CKlasse::klasse));
    EXPECT_TRUE(k.ist_abgeleitet_von(CObjekt::klasse));
    EXPECT_TRUE(k.ist_abgeleitet_von(CBasis::klasse));
    EXPECT_FALSE(k.ist_abgeleitet_von(CQString::klasse));
    EXPECT_EQ(k.gib_klasse(), CKlasse::klasse);

    CQString s("x");
    EXPECT_FALSE(s.ist_abgeleitet_von(CKlasse::klasse));
    EXPECT_TRUE(s.ist_abgeleitet_von(CObjekt::klasse));
    EXPECT_EQ(s.gib_klasse(), CQString::klasse);

    CString c("x");
    EXPECT_TRUE(c.ist_abgeleitet_von(CBasis::klasse));
    EXPECT_FALSE(c.ist_abgeleitet_von(CObjekt::klasse));
}

TEST(Klassenregister, AusgabeEinesEintrags)
{
    std::ostringstream os;
    eintrag_CLogBase.ausgabe(os);
    EXPECT_EQ(os.str(), "Klassenbeschreibungsobjekt: Klasse:CLogBase");
}
