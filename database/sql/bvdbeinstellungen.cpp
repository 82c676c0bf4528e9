#include "bvdbeinstellungen.h"

namespace {

// Registered while globals are built, whichever unit asks first.
const bool angelegt = (gib_bvdb_einstellungen(), gib_benutzer_klassen(), true);

} // namespace

namespace bv_text {
const CQString leer("");
const CQString sterne("***");
const CQString ueb("UEB");
const CQString null("NULL");
const CQString null_ziffer("0");
const CQString eins("1");
} // namespace bv_text

CBVDBEinstellungen::CBVDBEinstellungen()
    : mssql_format_zeit("/BV-DB/MSSQL-Format_Zeit", "yyyy-MM-dd", "", false),
      db_host("/BV-DB/DB-Host", "", "", false),
      db_name("/BV-DB/DB-Name", "", "", false),
      db_port("/BV-DB/DB-Port", 99999999u, "", ""),
      db_treiber("/BV-DB/DB-Treiber", "", "", false),
      bvdb_verbindung("/Privat/BVDB-Verbindung", JA, "", ""),
      db_passwort("/BV-DB/DB-Passwort", "", "Kennwort des Datenbank Benutzers", true),
      protokollierung("/BV-DB/Protokollierung", NEIN, "", ""),
      db_user("/BV-DB/DB-User", "", "", false)
{
}

CBVDBEinstellungen& gib_bvdb_einstellungen()
{
    static CBVDBEinstellungen* einstellungen = new CBVDBEinstellungen;
    return *einstellungen;
}

CBenutzerKlassen::CBenutzerKlassen()
    : c_canwenderliste("C_CAnwenderListe"), cuserman("CUserMan"), caclgroup("CAclGroup"), caclright("CAclRight"),
      ccacluser("CCACLUSER")
{
}

CBenutzerKlassen& gib_benutzer_klassen()
{
    static CBenutzerKlassen* klassen = new CBenutzerKlassen;
    return *klassen;
}

QVector<CAclGroup*>& gib_gruppenliste()
{
    // Never destroyed with the globals: its groups belong to the user administration's unit.
    static QVector<CAclGroup*>* liste = new QVector<CAclGroup*>;
    return *liste;
}

