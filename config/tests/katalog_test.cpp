// The settings catalogue: every key with its type, default and description, built before main; the templates; the getters.
#include "cfehler.h"
#include "cqstringsteuer.h"
#include "cvariablesteuerfarbe.h"
#include "einstellungswerte.h"
#include "katalog.h"
#include "klassen.h"
#include "steuervarliste.h"
#include "testhilfen.h"

#include <gtest/gtest.h>

namespace {

// Read while globals are built: the catalogue is there before main.
const std::size_t variablen_vor_main = gib_steuervar_liste()->size();
const bool anwender_vor_main = gib_steuervar_liste()->count("/Privat/Anwender") == 1;

enum Art { EBOOL, UNSIGNED, TEXT, QTEXT, KENNWORT };

struct Zeile
{
    const char* schluessel;
    Art art;
    const char* vorgabe; // as `gib_defaultwert_str` shows it
    const char* beschreibung;
};

const char* const mapi = "Kennwort des Mapi Users";

const Zeile katalog[] = {
    {"/Allgemein/ASCII-Ausgabe", EBOOL, "Nein", "intern"},
    {"/Allgemein/Unterdruecke Warnungen", EBOOL, "Nein", "Ja - alle Warnungen werden unterdrückt"},
    {"/Allgemein/Unterdruecke Infos", EBOOL, "Nein", "Ja - alle Meldungen werden unterdrückt"},
    {"/Allgemein/Debug Ausgabe", EBOOL, "Nein",
     "Ja - zusätzliche Ausgaben, welche bei der Analyse von Programmfehlern nützlich sind"},
    {"/Allgemein/Debug Ausgabe in fehler.txt", EBOOL, "Ja",
     "Ja - Fehler beim Programmablauf werden in der Datei fehler.txt im Anwenderverzeichnis protokolliert"},
    {"/Allgemein/Dezimaltrennzeichen", TEXT, ".", "internes Dezimaltrennzeichen - wird bei Export- und Import umgesetzt"},
    {"/Allgemein/Dezimaltrennzeichen Excel", TEXT, ".",
     "Dezimaltrennzeichen bei Export- und Importfunktionen\nKomma bei Verwendung der deutschen "
     "Excel-Einstellungen\nPunkt bei Verwendung der englischen Excel-Einstellungen"},
    {"/Allgemein/Ausgabeverzeichnis", TEXT, "./", "zurzeit ohne Bedeutung"},
    {"/Allgemein/Ausgabeverzeichnis Grafik", TEXT, "./", "zurzeit ohne Bedeutung"},
    {"/Allgemein/Zusatzdaten", TEXT, "flags.txt", "intern"},
    {"/Allgemein/Fehler bei Syntaxverletzung", EBOOL, "Ja", "unter TALVOR vermutlich ohne Bedeutung"},
    {"/Allgemein/limit_virtualmem_kb", UNSIGNED, "2097152", ""},
    {"/Internationalisierung/Verzeichnis", TEXT, "", ""},
    {"/Html/Pfad Grafiken", TEXT, "", ""},
    {"/Html/URL Grafiken", TEXT, "", ""},
    {"/Html/Vorlagedatei", TEXT, "htmldata.html", ""},
    {"/Kelmor/Zeitformat", UNSIGNED, "0", ""},
    {"/Kelmor/Oracle_Umlaute_ersetzen", EBOOL, "Nein", ""},
    {"/Kelmor/CSV-Dezimalpunkt", EBOOL, "Ja", ""},
    {"/Kelmor/CSV-Seperator", QTEXT, ";", ""},
    {"/Kelmor/Ersetzen Zeilenumbruch in Excel", EBOOL, "Nein", ""},
    {"/Kelmor/Arbeitsverzeichnis", QTEXT, "", ""},
    {"/Kelmor/Loeschen_Stoerungen_ueber_Liste", EBOOL, "Ja", ""},
    {"/Kelmor/Default-Wert Datum bei TA", UNSIGNED, "0", ""},
    {"/Kelmor/Default-Datum", TEXT, "01.01.2013", ""},
    {"/Kelmor/VUGrenzeImport", EBOOL, "Nein", ""},
    {"/Kelmor/VUGrenzwertImport", UNSIGNED, "10", ""},
    {"/Kelmor/Kundenversion", UNSIGNED, "4", ""},
    {"/Kelmor/KonfigStromimport", QTEXT, "", ""},
    {"/Kelmor/KonfigGasimport", QTEXT, "", ""},
    {"/Kelmor/KonfigWasserimport", QTEXT, "", ""},
    {"/Kelmor/KonfigFWimport", QTEXT, "", ""},
    {"/Kelmor/KonfigAWimport", QTEXT, "", ""},
    {"/Kelmor/KonfigStromNetzimport", QTEXT, "", ""},
    {"/Kelmor/St.nr._durch_SQL", QTEXT, "", ""},
    {"/Kelmor/Windows_auto_Login", EBOOL, "Nein", ""},
    {"/Kelmor/Auto_VUEnde", EBOOL, "Ja", ""},
    {"/Kelmor/Gitterlinien", EBOOL, "Ja", ""},
    {"/Kelmor/NBname_im_Baum", EBOOL, "Ja", ""},
    {"/Kelmor/Datenbaum_bei_Start", EBOOL, "Ja", ""},
    {"/Kelmor/Abfrage_beim_Schliessen", EBOOL, "Ja", ""},
    {"/Kelmor/Auto_Sichern", EBOOL, "Nein", ""},
    {"/Kelmor/Auto_Sichern_Intervall", UNSIGNED, "3", ""},
    {"/Privat/MapiProfil", QTEXT, "", ""},
    {"/Privat/Auswertung/ExcelKonf", EBOOL, "Nein", ""},
    {"/Privat/proxy/proxy_host", QTEXT, "", ""},
    {"/Privat/proxy/proxy_port", UNSIGNED, "99999999", ""},
    {"/Privat/proxy/proxy_user", QTEXT, "", ""},
    {"/Privat/proxy/proxy_pass", KENNWORT, "", "Kennwort des Proxy Users"},
    {"/Privat/pdfReader", QTEXT, "", ""},
    {"/Privat/MapiPassWD", KENNWORT, "", mapi},
    {"/Privat/MapiTo", QTEXT, "", ""},
    {"/Privat/Anwender", QTEXT, "", ""},
    {"/Privat/MapiProfilPresse", QTEXT, "", ""},
    {"/Privat/MapiPassWDPresse", KENNWORT, "", mapi},
    {"/Privat/MapiToPresse", QTEXT, "", ""},
    {"/Privat/MapiProfilNUV", QTEXT, "", ""},
    {"/Privat/MapiPassWDNUV", KENNWORT, "", mapi},
    {"/Privat/MapiToNUV", QTEXT, "", ""},
    {"/Privat/Dirs/ExpHTML", QTEXT, "", ""},
    {"/Privat/XML_Stoerungsbericht", EBOOL, "Ja", ""},
    {"/Privat/Auswertung/SEQ_Space", EBOOL, "Ja", ""},
    {"/Privat/Import_Bearbeiter", EBOOL, "Ja", ""},
    {"/Privat/Anzahl VU in Liste", UNSIGNED, "0", ""},
    {"/Privat/IQ_Modus", UNSIGNED, "99999999", ""},
    {"/Privat/Geometrie/MainwindowX", UNSIGNED, "0", ""},
    {"/Privat/Geometrie/MainwindowY", UNSIGNED, "0", ""},
    {"/Privat/Geometrie/MainwindowWidth", UNSIGNED, "0", ""},
    {"/Privat/Geometrie/MainwindowHeight", UNSIGNED, "0", ""},
    {"/Privat/Geometrie/MainwindowMaximized", UNSIGNED, "9", ""},
    {"/Privat/Stoerungsliste_beim_Start", UNSIGNED, "0", ""},
    {"/Privat/Fensteranordnung", UNSIGNED, "0", ""},
    {"/Privat/Monate_fuer_Stoerungsliste", UNSIGNED, "12", ""},
    {"/Privat/MainCaption", QTEXT, "Kelmor", ""},
    {"/Privat/JavaOption", QTEXT, "", ""},
    {"/Privat/Sprache", QTEXT, "", ""},
    {"/Privat/scrollen_auswertung", EBOOL, "Nein", ""},
    {"/Privat/darf_stoerung_abschliessen", EBOOL, "Nein", ""},
    {"/Privat/verwende_juengstes_jahr", EBOOL, "Nein", ""},
    {"/Privat/Fenster_mit_Versionsnr", EBOOL, "Nein", ""},
    {"/Privat/Fenster_mit_Modus", EBOOL, "Ja", ""},
    {"/VARNEL/smtp_beginn", QTEXT, "", ""},
    {"/VARNEL/smtp_ende", QTEXT, "", ""},
    {"/VARNEL/smtp_beginn_ext", QTEXT, "", ""},
    {"/VARNEL/smtp_ende_ext", QTEXT, "", ""},
};

int typcode(Art art)
{
    switch (art) {
    case EBOOL: return 5;
    case UNSIGNED: return 2;
    default: return 4;
    }
}

// Leaves the variable as it found it.
class Wert
{
public:
    explicit Wert(CQStringSteuer& v) : variable(v) {}
    ~Wert() { variable.setze_undefiniert(); }
    void operator=(const char* text) { variable.setze_wert_qstr(CQString(text)); }

private:
    CQStringSteuer& variable;
};

} // namespace

TEST(Katalog, JederSchluesselMitTypVorgabeUndBeschreibung)
{
    EXPECT_EQ(std::size(katalog), 85u);
    const CSteuerVarListe& liste = *gib_steuervar_liste();
    // The catalogue is all that this program registers.
    EXPECT_EQ(variablen_vor_main, std::size(katalog));
    EXPECT_TRUE(anwender_vor_main);
    for (const Zeile& z : katalog) {
        SCOPED_TRACE(z.schluessel);
        ASSERT_EQ(liste.count(z.schluessel), 1u);
        const CVariableBasis* v = liste.at(z.schluessel);
        EXPECT_EQ(v->gib_schluessel(), z.schluessel);
        EXPECT_EQ(v->gib_typ(), typcode(z.art));
        EXPECT_EQ(v->gib_defaultwert_str(), z.vorgabe);
        EXPECT_EQ(v->gib_beschreibung().gib_string(), z.beschreibung);
        EXPECT_TRUE(v->ist_undefiniert(true, true)); // no value yet: the default counts
        EXPECT_EQ(v->gib_klasse(), &eintrag_CVariableSteuer);
        const auto* q = dynamic_cast<const CQStringSteuer*>(v);
        EXPECT_EQ(q != nullptr, z.art == QTEXT || z.art == KENNWORT);
        if (q) {
            EXPECT_EQ(q->ist_kennwort, z.art == KENNWORT);
        }
        EXPECT_EQ(dynamic_cast<const CVariableSteuerFarbe*>(v), nullptr);
    }
}

TEST(Katalog, NichtGesetztUndBesondereVorgaben)
{
    EXPECT_EQ(gib_katalog_privat().proxy_port.gib_wert(), 99999999u);
    EXPECT_EQ(gib_katalog_privat().iq_modus.gib_wert(), 99999999u);
    EXPECT_EQ(gib_katalog_privat().mainwindow_maximized.gib_wert(), 9u);
    EXPECT_EQ(gib_katalog_kelmor().csv_seperator.gib_wert_qstr(), QStringLiteral(";"));
    EXPECT_EQ(gib_katalog_kelmor().default_datum.gib_wert(), "01.01.2013");
    EXPECT_EQ(gib_katalog_allgemein().debug_ausgabe_in_fehlerdatei.gib_wert(), JA);
    EXPECT_EQ(gib_katalog_allgemein().limit_virtualmem_kb.gib_wert(), 2097152u);
    // The objects are the registered variables.
    EXPECT_EQ(gib_steuervar_liste()->at("/Privat/Anwender"), &gib_katalog_privat().anwender);
    EXPECT_EQ(gib_steuervar_liste()->at("/Allgemein/Debug Ausgabe"), &gib_katalog_allgemein().debug_ausgabe);
}

TEST(Katalog, VorlagenSindNichtRegistriert)
{
    const struct
    {
        int nummer;
        const char* schluessel;
        int typ;
    } vorlagen[] = {{0, "double", 0}, {1, "int", 3}, {2, "unsigned", 2}, {3, "string", 4}, {4, "bool", 5}, {5, "farbe", 4}};
    const CSteuerVarVorlagen& liste = *gib_steuervar_vorlagen();
    EXPECT_EQ(liste.size(), std::size(vorlagen));
    for (const auto& v : vorlagen) {
        SCOPED_TRACE(v.schluessel);
        ASSERT_EQ(liste.count(v.nummer), 1u);
        EXPECT_EQ(liste.at(v.nummer)->gib_schluessel(), v.schluessel);
        EXPECT_EQ(liste.at(v.nummer)->gib_typ(), v.typ);
        EXPECT_EQ(liste.at(v.nummer)->gib_beschreibung().gib_string(), "Vorlage");
        EXPECT_EQ(gib_steuervar_liste()->count(v.schluessel), 0u);
    }
    EXPECT_NE(dynamic_cast<const CVariableSteuerFarbe*>(liste.at(5)), nullptr);
}

TEST(Katalog, EinSchluesselNurEinmal)
{
    fehlerdatei_nach([] {
        EXPECT_THROW({ CQStringSteuer doppelt(CQString("/Privat/Anwender"), CQString(), CQString(), false); }, CFehler);
    });
    EXPECT_EQ(gib_steuervar_liste()->at("/Privat/Anwender"), &gib_katalog_privat().anwender);
}

TEST(Einstellungswerte, AnwenderUndIqModus)
{
    EXPECT_EQ(gib_anwender(), QString());
    Wert anwender(gib_katalog_privat().anwender);
    anwender = "Jörg";
    EXPECT_EQ(gib_anwender(), QString::fromUtf8("Jörg"));

    EXPECT_EQ(gib_iq_modus(), 99999999u);
    gib_katalog_privat().iq_modus.setze_wert(3u);
    EXPECT_EQ(gib_iq_modus(), 3u);
    gib_katalog_privat().iq_modus.setze_undefiniert();
}

TEST(Einstellungswerte, SmtpTexteMitRueckfall)
{
    CKatalogVarnel& varnel = gib_katalog_varnel();
    Wert nuv(gib_katalog_privat().mapi_profil_nuv);
    nuv = "SMTP;nuv";
    // Everything empty: each falls back to the NUV profile.
    EXPECT_EQ(gib_smtp_beginn(), QStringLiteral("SMTP;nuv"));
    EXPECT_EQ(gib_smtp_ende(), QStringLiteral("SMTP;nuv"));
    EXPECT_EQ(gib_smtp_beginn_ext(), QStringLiteral("SMTP;nuv"));
    EXPECT_EQ(gib_smtp_ende_ext(), QStringLiteral("SMTP;nuv"));

    Wert beginn(varnel.smtp_beginn);
    beginn = "B";
    EXPECT_EQ(gib_smtp_beginn(), QStringLiteral("B"));
    EXPECT_EQ(gib_smtp_ende(), QStringLiteral("B"));
    EXPECT_EQ(gib_smtp_ende_ext(), QStringLiteral("B"));

    Wert ende(varnel.smtp_ende), beginn_ext(varnel.smtp_beginn_ext), ende_ext(varnel.smtp_ende_ext);
    ende = "E";
    beginn_ext = "BX";
    ende_ext = "EX";
    EXPECT_EQ(gib_smtp_ende(), QStringLiteral("E"));
    EXPECT_EQ(gib_smtp_beginn_ext(), QStringLiteral("BX"));
    EXPECT_EQ(gib_smtp_ende_ext(), QStringLiteral("EX"));
}

TEST(Einstellungswerte, Sparten)
{
    const std::map<int, CQString> liste = gib_sparten_liste();
    ASSERT_EQ(liste.size(), 8u);
    EXPECT_EQ(liste.begin()->first, 0);
    EXPECT_EQ(liste.rbegin()->first, 7);
    EXPECT_EQ(liste.at(0), QStringLiteral("Strom"));
    EXPECT_EQ(gib_spartenname(3), QString::fromUtf8("Fernwärme"));
    EXPECT_EQ(gib_spartenname(8), QStringLiteral("?modus?"));
    EXPECT_EQ(gib_spartennummer(CQString("Gas")), 1);
    EXPECT_EQ(gib_spartennummer(CQString("Versionsverwaltung")), 7);
    EXPECT_EQ(gib_spartennummer(CQString("gas")), 99999999);
    EXPECT_EQ(gib_spartennummer(CQString("?modus?")), 99999999);
}
