// Key-number table: the numbers of the listed key paths, exact lookups, and use before main.
#include "steuervarnummer.h"

#include <gtest/gtest.h>

namespace {

// Looked up while globals are built, before main.
const int nummer_vor_main = gib_steuervar_nummer("/Internationalisierung/Verzeichnis");

TEST(SteuervarNummer, NumbersAtTheEdgesOfTheList)
{
    EXPECT_EQ(gib_steuervar_nummer("/BesenEinlesen/BPlan"), 1);
    EXPECT_EQ(gib_steuervar_nummer("/BesenEinlesen/zuvkenn_einlesen"), 15);
    EXPECT_EQ(gib_steuervar_nummer("/PNetz/ZuvBerechnung ab Iteration"), 947);
    EXPECT_EQ(gib_steuervar_nummer("/Privat/JavaRuntime"), 949);
    EXPECT_EQ(gib_steuervar_nummer("/Privat/MethodeXmlBericht"), 950);
    EXPECT_EQ(gib_steuervar_nummer("/venkar_vorab_analyse/vergleich_lf_heuristisch"), 1114);
    EXPECT_EQ(gib_steuervar_nummer("/Internationalisierung/Verzeichnis"), 32);
    EXPECT_EQ(nummer_vor_main, 32);
}

TEST(SteuervarNummer, KeysWithUmlautsAndSpecialCharacters)
{
    EXPECT_EQ(gib_steuervar_nummer("/Netz/Import/TALVOR 6/Zeichenfläche/linker Rand"), 73);
    EXPECT_EQ(gib_steuervar_nummer("/Netz/Import/UCTE/Datenprüfung"), 107);
    EXPECT_EQ(gib_steuervar_nummer("/Netzberechnung/DACF/alle Aufträge neu"), 388);
    EXPECT_EQ(gib_steuervar_nummer("/Netzberechnung/TrafoKontrolle/HGÜ-AC-Winkel"), 863);
    EXPECT_EQ(gib_steuervar_nummer("/GeoKoordinaten/GK/Meridian-Kennziffer"), 27);
    EXPECT_EQ(gib_steuervar_nummer("/Netzberechnung/IMICA/Defaultwert Reaktanzbelag der Asset-Class A [Ohm/km]"), 440);
}

TEST(SteuervarNummer, RepeatedPrefixRunsKeepTheirOrder)
{
    // "/Netz/" and "/Netzberechnung/" come back after other prefixes; numbers follow the list.
    EXPECT_EQ(gib_steuervar_nummer("/Netz/Aktualisierung galv. Netze"), 38);
    EXPECT_EQ(gib_steuervar_nummer("/Netz/Konsistenz Schaltzustand und Betriebs-Flag"), 136);
    EXPECT_EQ(gib_steuervar_nummer("/Netzberechnung/Debugausgabe"), 437);
    EXPECT_EQ(gib_steuervar_nummer("/Netzberechnung/minimale Ausgabe"), 881);
    EXPECT_EQ(gib_steuervar_nummer("/Venkar/Ausgabe-Verteilungen"), 1017);
    EXPECT_EQ(gib_steuervar_nummer("/Venkar/Berechnung Stationskombination"), 1022);
}

TEST(SteuervarNummer, UnknownOrInexactKeysGiveTheNotSetValue)
{
    for (const char* schluessel :
         {"/sdirUpdateZip", "/privat/JavaRuntime", "/Privat/JavaRuntime/", "/Privat/JavaRuntime ", "/Privat/Java_Runtime",
          "", "/", "/Privat/", "/Netz/Import/UCTE/Datenpr\xfc" "fung"}) {
        EXPECT_EQ(gib_steuervar_nummer(schluessel), 99999999) << schluessel;
    }
}

TEST(SteuervarNummer, NoKeyHas948AndLookupsAreStable)
{
    fuelle_steuervar_nummern();
    EXPECT_EQ(gib_steuervar_nummer("/PNetz/ZuvBerechnung ab Iteration"), 947);
    EXPECT_EQ(gib_steuervar_nummer("/Privat/JavaRuntime"), 949);
}

} // namespace
