// The connection settings of the user-administration database, the class entries and the shared lists of the user administration.
#pragma once

#include "cbasis.h"
#include "cqstring.h"
#include "cqstringsteuer.h"
#include "cvariablesteuer.h"
#include "ebool.h"

#include <QStringList>
#include <QVector>

class CAclGroup;

// "/BV-DB/" and the auto-connect switch: built before main (or earlier, on first use) and never
// destroyed, registered by key. Members in construction order.
class CBVDBEinstellungen
{
public:
    CBVDBEinstellungen();
    CBVDBEinstellungen(const CBVDBEinstellungen&) = delete;
    CBVDBEinstellungen& operator=(const CBVDBEinstellungen&) = delete;

    CQStringSteuer mssql_format_zeit;
    CQStringSteuer db_host;
    CQStringSteuer db_name;
    CVariableSteuer<unsigned> db_port;
    CQStringSteuer db_treiber;
    CVariableSteuer<EBool> bvdb_verbindung;
    CQStringSteuer db_passwort;
    CVariableSteuer<EBool> protokollierung;
    CQStringSteuer db_user;
};

CBVDBEinstellungen& gib_bvdb_einstellungen();

// The class entries of the user-administration windows and objects, registered at start-up.
class CBenutzerKlassen
{
public:
    CBenutzerKlassen();
    CBenutzerKlassen(const CBenutzerKlassen&) = delete;
    CBenutzerKlassen& operator=(const CBenutzerKlassen&) = delete;

    CKlasse c_canwenderliste;
    CKlasse cuserman;
    CKlasse caclgroup;
    CKlasse caclright;
    CKlasse ccacluser;
};

CBenutzerKlassen& gib_benutzer_klassen();

// The unit's text constants.
namespace bv_text {
extern const CQString leer;
extern const CQString sterne;
extern const CQString ueb;
extern const CQString null;
extern const CQString null_ziffer;
extern const CQString eins;
} // namespace bv_text

// The access groups read from the group table, ordered by name; the list owns its groups.
QVector<CAclGroup*>& gib_gruppenliste();
