#include "caclgroup.h"
#include "bvdbeinstellungen.h"
#include "bvstruktur.h"
#include "ccat.h"
#include "cbvdatabase.h"
#include "cqsqlquery.h"
#include "gui.h"
#include "sqlfehler.h"

#include <QCoreApplication>
#include <QMap>

CKlasse* CAclGroup::klasse = &gib_benutzer_klassen().caclgroup;

namespace {

CKlasse* rechteklasse()
{
    return &gib_benutzer_klassen().caclright;
}

// The database object, name and description of the tagged table of the current user
// administration; false when any of them is missing.
bool gib_bv_tabelle(int tag, const CCDataBase*& db, CQString& name, const CDBTabelle*& beschreibung)
{
    const CBVDataBase* const bv = gib_bv_datenbank();
    if (!bv || !bv->gib_datenbank() || !bv->gib_struktur())
        return false;
    db = bv->gib_datenbank();
    name = bv->gib_struktur()->gib_tabellenname(tag);
    beschreibung = bv->gib_struktur()->gib_tabelle(tag);
    return beschreibung != nullptr;
}

} // namespace

CAclGroup::CAclGroup(int nummer, const CQString& name) : nummer(nummer), name(name) {}

CAclGroup::~CAclGroup() = default;

void CAclGroup::ausgabe(std::ostream&) const {}

CQString lese_gruppen(int& anzahl)
{
    anzahl = 0;
    const CQString fehler(CAclGroup::tr("lese_gruppen: Fehler beim Zugriff auf Gruppendaten"));
    const CCDataBase* db = nullptr;
    CQString tabelle;
    const CDBTabelle* gruppen = nullptr;
    if (!gib_bv_tabelle(bv_tag::gruppen, db, tabelle, gruppen)) {
        loesche_gruppen();
        return fehler;
    }
    const CQString sql(QStringLiteral("SELECT %1,%2 FROM %3;")
                           .arg(gruppen->gib_spaltenname(bv_tag::grp_id), gruppen->gib_spaltenname(bv_tag::grp_name),
                                tabelle));
    // Read beside the window; the list stays as it is while the server is waited for.
    QVector<QVariantList> zeilen;
    const bool gelesen = db->lies_zeilen(sql, CQString("lese_gruppen"), tabelle, zeilen, rechteklasse());
    loesche_gruppen();
    if (!gelesen) {
        CQCat::gib_instanz()->error(CQString(CAclGroup::tr("Fehler beim Zugriff auf Gruppendaten")));
        return fehler;
    }
    // A later row of the same name wins; the map gives the list its order.
    QMap<QString, int> nach_name;
    for (const QVariantList& werte : qAsConst(zeilen)) {
        ++anzahl;
        db->protokolliere_zeile(werte, false);
        nach_name.insert(db->sql_wert_ohne_auffuellung(werte.value(1), tabelle, gruppen->gib_spaltenname(bv_tag::grp_name)),
                         db->sql_wert_ganzzahl(werte.value(0)));
    }
    for (auto it = nach_name.cbegin(); it != nach_name.cend(); ++it)
        neue_gruppe(it.value(), CQString(it.key()));
    return CQString();
}

bool lese_gruppen_oder_melde(QWidget* eltern)
{
    int anzahl = 0;
    const CQString fehler = lese_gruppen(anzahl);
    if (fehler.isEmpty())
        return true;
    QWidget* const haupt = gib_hauptfenster();
    meldung_kritisch(haupt ? haupt : eltern, gib_meldungstitel(), fehler);
    return false;
}

int ngruppe_vorhanden(unsigned gruppe)
{
    // A count that could not be read is no number of users: the caller says so.
    const int fehler = -1;
    const CCDataBase* db = nullptr;
    CQString tabelle;
    const CDBTabelle* anwender = nullptr;
    if (!gib_bv_tabelle(bv_tag::anwender, db, tabelle, anwender))
        return fehler;
    const CQString sql(QStringLiteral("SELECT %1 FROM %2 WHERE (%3=%4) ;")
                           .arg(anwender->gib_spaltenname(bv_tag::anw_id), tabelle,
                                anwender->gib_spaltenname(bv_tag::anw_gruppe))
                           .arg(gruppe));
    CQSqlQuery abfrage(sql, db, true);
    if (!abfrage.isActive()) {
        melde_sql_fehler(abfrage, sql, rechteklasse(), CQString("ngruppe_vorhanden"), tabelle);
        return fehler;
    }
    int anzahl = db->gib_abfragegroesse(abfrage);
    if (anzahl >= 0)
        return anzahl;
    anzahl = 0;
    while (abfrage.next()) {
        db->protokolliere_zeile(abfrage, 1, false);
        ++anzahl;
    }
    return anzahl;
}

void neue_gruppe(int nummer, const CQString& name)
{
    gib_gruppenliste().append(new CAclGroup(nummer, name));
}

void loesche_gruppen()
{
    QVector<CAclGroup*>& liste = gib_gruppenliste();
    qDeleteAll(liste);
    liste.clear();
}
