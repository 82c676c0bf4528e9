#include "katalog.h"

namespace {

const char* const kennwort_mapi = QT_TRANSLATE_NOOP("QObject", "Kennwort des Mapi Users");

} // namespace

CKatalogPrivat::CKatalogPrivat()
    : mapi_profil("/Privat/MapiProfil", "", "", false),
      auswertung_excel_konf("/Privat/Auswertung/ExcelKonf", NEIN, "", ""),
      proxy_host("/Privat/proxy/proxy_host", "", "", false),
      proxy_port("/Privat/proxy/proxy_port", 99999999u, "", ""),
      proxy_user("/Privat/proxy/proxy_user", "", "", false),
      proxy_pass("/Privat/proxy/proxy_pass", "", QT_TRANSLATE_NOOP("QObject", "Kennwort des Proxy Users"), true),
      pdf_reader("/Privat/pdfReader", "", "", false),
      mapi_passwd("/Privat/MapiPassWD", "", kennwort_mapi, true),
      mapi_to("/Privat/MapiTo", "", "", false),
      anwender("/Privat/Anwender", "", "", false),
      mapi_profil_presse("/Privat/MapiProfilPresse", "", "", false),
      mapi_passwd_presse("/Privat/MapiPassWDPresse", "", kennwort_mapi, true),
      mapi_to_presse("/Privat/MapiToPresse", "", "", false),
      mapi_profil_nuv("/Privat/MapiProfilNUV", "", "", false),
      mapi_passwd_nuv("/Privat/MapiPassWDNUV", "", kennwort_mapi, true),
      mapi_to_nuv("/Privat/MapiToNUV", "", "", false),
      dirs_exp_html("/Privat/Dirs/ExpHTML", "", "", false),
      xml_stoerungsbericht("/Privat/XML_Stoerungsbericht", JA, "", ""),
      auswertung_seq_space("/Privat/Auswertung/SEQ_Space", JA, "", ""),
      import_bearbeiter("/Privat/Import_Bearbeiter", JA, "", ""),
      anzahl_vu_in_liste("/Privat/Anzahl VU in Liste", 0u, "", ""),
      iq_modus("/Privat/IQ_Modus", 99999999u, "", ""),
      mainwindow_x("/Privat/Geometrie/MainwindowX", 0u, "", ""),
      mainwindow_y("/Privat/Geometrie/MainwindowY", 0u, "", ""),
      mainwindow_width("/Privat/Geometrie/MainwindowWidth", 0u, "", ""),
      mainwindow_height("/Privat/Geometrie/MainwindowHeight", 0u, "", ""),
      mainwindow_maximized("/Privat/Geometrie/MainwindowMaximized", 9u, "", ""),
      stoerungsliste_beim_start("/Privat/Stoerungsliste_beim_Start", 0u, "", ""),
      fensteranordnung("/Privat/Fensteranordnung", 0u, "", ""),
      monate_fuer_stoerungsliste("/Privat/Monate_fuer_Stoerungsliste", 12u, "", ""),
      main_caption("/Privat/MainCaption", "Kelmor", "", false),
      java_option("/Privat/JavaOption", "", "", false),
      sprache("/Privat/Sprache", "", "", false),
      scrollen_auswertung("/Privat/scrollen_auswertung", NEIN, "", ""),
      darf_stoerung_abschliessen("/Privat/darf_stoerung_abschliessen", NEIN, "", ""),
      verwende_juengstes_jahr("/Privat/verwende_juengstes_jahr", NEIN, "", ""),
      fenster_mit_versionsnr("/Privat/Fenster_mit_Versionsnr", NEIN, "", ""),
      fenster_mit_modus("/Privat/Fenster_mit_Modus", JA, "", "")
{
}

CKatalogPrivat& gib_katalog_privat()
{
    static CKatalogPrivat* katalog = new CKatalogPrivat;
    return *katalog;
}
