#include "katalog.h"

CKatalogKelmor::CKatalogKelmor()
    : zeitformat("/Kelmor/Zeitformat", 0u, "", ""),
      oracle_umlaute_ersetzen("/Kelmor/Oracle_Umlaute_ersetzen", NEIN, "", ""),
      csv_dezimalpunkt("/Kelmor/CSV-Dezimalpunkt", JA, "", ""),
      csv_seperator("/Kelmor/CSV-Seperator", ";", "", false),
      ersetzen_zeilenumbruch_in_excel("/Kelmor/Ersetzen Zeilenumbruch in Excel", NEIN, "", ""),
      arbeitsverzeichnis("/Kelmor/Arbeitsverzeichnis", "", "", false),
      loeschen_stoerungen_ueber_liste("/Kelmor/Loeschen_Stoerungen_ueber_Liste", JA, "", ""),
      default_wert_datum_bei_ta("/Kelmor/Default-Wert Datum bei TA", 0u, "", ""),
      default_datum("/Kelmor/Default-Datum", "01.01.2013", "", ""),
      vu_grenze_import("/Kelmor/VUGrenzeImport", NEIN, "", ""),
      vu_grenzwert_import("/Kelmor/VUGrenzwertImport", 10u, "", ""),
      kundenversion("/Kelmor/Kundenversion", 4u, "", ""),
      konfig_stromimport("/Kelmor/KonfigStromimport", "", "", false),
      konfig_gasimport("/Kelmor/KonfigGasimport", "", "", false),
      konfig_wasserimport("/Kelmor/KonfigWasserimport", "", "", false),
      konfig_fw_import("/Kelmor/KonfigFWimport", "", "", false),
      konfig_aw_import("/Kelmor/KonfigAWimport", "", "", false),
      konfig_strom_netzimport("/Kelmor/KonfigStromNetzimport", "", "", false),
      st_nr_durch_sql("/Kelmor/St.nr._durch_SQL", "", "", false),
      windows_auto_login("/Kelmor/Windows_auto_Login", NEIN, "", ""),
      auto_vu_ende("/Kelmor/Auto_VUEnde", JA, "", ""),
      gitterlinien("/Kelmor/Gitterlinien", JA, "", ""),
      nbname_im_baum("/Kelmor/NBname_im_Baum", JA, "", ""),
      datenbaum_bei_start("/Kelmor/Datenbaum_bei_Start", JA, "", ""),
      abfrage_beim_schliessen("/Kelmor/Abfrage_beim_Schliessen", JA, "", ""),
      auto_sichern("/Kelmor/Auto_Sichern", NEIN, "", ""),
      auto_sichern_intervall("/Kelmor/Auto_Sichern_Intervall", 3u, "", "")
{
}

CKatalogKelmor& gib_katalog_kelmor()
{
    static CKatalogKelmor* katalog = new CKatalogKelmor;
    return *katalog;
}
