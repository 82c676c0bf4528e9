// The settings catalogue: the framework's configuration variables by key root, built once at start-up.
#pragma once

#include "cqstringsteuer.h"
#include "cvariablesteuer.h"
#include "ebool.h"

// Each key is declared here once; other code reaches the variable through its root's object
// (for example `gib_katalog_privat().anwender`) or through the registry by key. The objects
// are built before main (or earlier, on first use) and never destroyed, so they can be read
// from any global constructor or destructor. Members are listed in construction order.

// "/Allgemein": switches of the message functions and the error file, decimal separators.
class CKatalogAllgemein
{
public:
    CKatalogAllgemein();
    CKatalogAllgemein(const CKatalogAllgemein&) = delete;
    CKatalogAllgemein& operator=(const CKatalogAllgemein&) = delete;

    CVariableSteuer<EBool> ascii_ausgabe;
    CVariableSteuer<EBool> unterdruecke_warnungen;
    CVariableSteuer<EBool> unterdruecke_infos;
    CVariableSteuer<EBool> debug_ausgabe;
    CVariableSteuer<EBool> debug_ausgabe_in_fehlerdatei;
    CVariableSteuer<std::string> dezimaltrennzeichen;
    CVariableSteuer<std::string> dezimaltrennzeichen_excel;
    CVariableSteuer<std::string> ausgabeverzeichnis;
    CVariableSteuer<std::string> ausgabeverzeichnis_grafik;
    CVariableSteuer<std::string> zusatzdaten;
    CVariableSteuer<EBool> fehler_bei_syntaxverletzung;
    CVariableSteuer<unsigned> limit_virtualmem_kb;
};

// "/Internationalisierung": the folder of translation files.
class CKatalogInternationalisierung
{
public:
    CKatalogInternationalisierung();
    CKatalogInternationalisierung(const CKatalogInternationalisierung&) = delete;
    CKatalogInternationalisierung& operator=(const CKatalogInternationalisierung&) = delete;

    CVariableSteuer<std::string> verzeichnis;
};

// "/Html": the HTML template file and the place of its images.
class CKatalogHtml
{
public:
    CKatalogHtml();
    CKatalogHtml(const CKatalogHtml&) = delete;
    CKatalogHtml& operator=(const CKatalogHtml&) = delete;

    CVariableSteuer<std::string> pfad_grafiken;
    CVariableSteuer<std::string> url_grafiken;
    CVariableSteuer<std::string> vorlagedatei;
};

// "/Kelmor": settings of the second product.
class CKatalogKelmor
{
public:
    CKatalogKelmor();
    CKatalogKelmor(const CKatalogKelmor&) = delete;
    CKatalogKelmor& operator=(const CKatalogKelmor&) = delete;

    CVariableSteuer<unsigned> zeitformat;
    CVariableSteuer<EBool> oracle_umlaute_ersetzen;
    CVariableSteuer<EBool> csv_dezimalpunkt;
    CQStringSteuer csv_seperator;
    CVariableSteuer<EBool> ersetzen_zeilenumbruch_in_excel;
    CQStringSteuer arbeitsverzeichnis;
    CVariableSteuer<EBool> loeschen_stoerungen_ueber_liste;
    CVariableSteuer<unsigned> default_wert_datum_bei_ta;
    CVariableSteuer<std::string> default_datum;
    CVariableSteuer<EBool> vu_grenze_import;
    CVariableSteuer<unsigned> vu_grenzwert_import;
    CVariableSteuer<unsigned> kundenversion;
    CQStringSteuer konfig_stromimport;
    CQStringSteuer konfig_gasimport;
    CQStringSteuer konfig_wasserimport;
    CQStringSteuer konfig_fw_import;
    CQStringSteuer konfig_aw_import;
    CQStringSteuer konfig_strom_netzimport;
    CQStringSteuer st_nr_durch_sql;
    CVariableSteuer<EBool> windows_auto_login;
    CVariableSteuer<EBool> auto_vu_ende;
    CVariableSteuer<EBool> gitterlinien;
    CVariableSteuer<EBool> nbname_im_baum;
    CVariableSteuer<EBool> datenbaum_bei_start;
    CVariableSteuer<EBool> abfrage_beim_schliessen;
    CVariableSteuer<EBool> auto_sichern;
    CVariableSteuer<unsigned> auto_sichern_intervall;
};

// "/Privat": the user's mail profiles and passwords, proxy, PDF viewer, window and evaluation options.
class CKatalogPrivat
{
public:
    CKatalogPrivat();
    CKatalogPrivat(const CKatalogPrivat&) = delete;
    CKatalogPrivat& operator=(const CKatalogPrivat&) = delete;

    CQStringSteuer mapi_profil;
    CVariableSteuer<EBool> auswertung_excel_konf;
    CQStringSteuer proxy_host;
    CVariableSteuer<unsigned> proxy_port;
    CQStringSteuer proxy_user;
    CQStringSteuer proxy_pass;
    CQStringSteuer pdf_reader;
    CQStringSteuer mapi_passwd;
    CQStringSteuer mapi_to;
    CQStringSteuer anwender;
    CQStringSteuer mapi_profil_presse;
    CQStringSteuer mapi_passwd_presse;
    CQStringSteuer mapi_to_presse;
    CQStringSteuer mapi_profil_nuv;
    CQStringSteuer mapi_passwd_nuv;
    CQStringSteuer mapi_to_nuv;
    CQStringSteuer dirs_exp_html;
    CVariableSteuer<EBool> xml_stoerungsbericht;
    CVariableSteuer<EBool> auswertung_seq_space;
    CVariableSteuer<EBool> import_bearbeiter;
    CVariableSteuer<unsigned> anzahl_vu_in_liste;
    CVariableSteuer<unsigned> iq_modus;
    CVariableSteuer<unsigned> mainwindow_x;
    CVariableSteuer<unsigned> mainwindow_y;
    CVariableSteuer<unsigned> mainwindow_width;
    CVariableSteuer<unsigned> mainwindow_height;
    CVariableSteuer<unsigned> mainwindow_maximized;
    CVariableSteuer<unsigned> stoerungsliste_beim_start;
    CVariableSteuer<unsigned> fensteranordnung;
    CVariableSteuer<unsigned> monate_fuer_stoerungsliste;
    CQStringSteuer main_caption;
    CQStringSteuer java_option;
    CQStringSteuer sprache;
    CVariableSteuer<EBool> scrollen_auswertung;
    CVariableSteuer<EBool> darf_stoerung_abschliessen;
    CVariableSteuer<EBool> verwende_juengstes_jahr;
    CVariableSteuer<EBool> fenster_mit_versionsnr;
    CVariableSteuer<EBool> fenster_mit_modus;
};

// "/VARNEL": the SMTP begin and end texts of one customer.
class CKatalogVarnel
{
public:
    CKatalogVarnel();
    CKatalogVarnel(const CKatalogVarnel&) = delete;
    CKatalogVarnel& operator=(const CKatalogVarnel&) = delete;

    CQStringSteuer smtp_beginn;
    CQStringSteuer smtp_ende;
    CQStringSteuer smtp_beginn_ext;
    CQStringSteuer smtp_ende_ext;
};

CKatalogAllgemein& gib_katalog_allgemein();
CKatalogInternationalisierung& gib_katalog_internationalisierung();
CKatalogHtml& gib_katalog_html();
CKatalogKelmor& gib_katalog_kelmor();
CKatalogPrivat& gib_katalog_privat();
CKatalogVarnel& gib_katalog_varnel();

// Builds the whole catalogue and the template variables (once), then binds the core's settings
// accessor (`kern_einstellungen`) to the "/Allgemein" switches and "/Kelmor/Zeitformat". The
// catalogue's unit calls it while globals are built.
void lege_katalog_an();
