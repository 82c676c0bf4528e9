// The lock list of the user administration and the log-off that removes a user's lock.
#include "canwenderliste.h"

#include "bvdbeinstellungen.h"
#include "bvstruktur.h"
#include "caclgroup.h"
#include "cbvdatabase.h"
#include "ccdatabase.h"
#include "cdbdatenstruktur.h"
#include "cdbtabelle.h"
#include "cqtableview.h"
#include "gui.h"
#include "sqlfehler.h"
#include "sqlwerte.h"
#include "steuerdaten.h"

#include <QDateTime>
#include <QPointer>
#include <QSqlQuery>

namespace {

// The user-administration database with a structure that describes the user table; else null.
CBVDataBase* bv_mit_anwendertabelle()
{
    CBVDataBase* bv = gib_bv_datenbank();
    if (!bv || !bv->gib_datenbank() || !bv->gib_struktur() || !bv->gib_struktur()->gib_tabelle(bv_tag::anwender))
        return nullptr;
    return bv;
}

void zeige_zugriffsfehler()
{
    meldung_kritisch(gib_hauptfenster(), gib_meldungstitel(),
                     CQString(QObject::tr("Fehler beim Zugriff auf Anwendertabelle !")));
}

} // namespace

int CAnwenderListe::upd_tab_lock_user(CQTableView* view)
{
    view->loescheZeilen();
    CBVDataBase* bv = bv_mit_anwendertabelle();
    if (!bv)
        return 0;
    const CCDataBase* db = bv->gib_datenbank();
    const CDBTabelle* tab = bv->gib_struktur()->gib_tabelle(bv_tag::anwender);
    const CQString tabellenname = bv->gib_struktur()->gib_tabellenname(bv_tag::anwender);
    QStringList spalten;
    for (int tag : {int(bv_tag::anw_id), int(bv_tag::anw_gruppe), bv_tag::anw_login, bv_tag::anw_logoff, bv_tag::anw_name})
        spalten.append(tab->gib_spaltenname(tag));
    // The optional cells follow the columns this window shows.
    int optionale = 0;
    for (const auto& [tag, spalte] : {std::pair<int, int>{bv_tag::anw_langname, sp_lang}, {bv_tag::anw_abteilung, sp_abteilung}})
        if (spalte >= 0) {
            spalten.append(tab->gib_spaltenname(tag));
            ++optionale;
        }
    const CQString sql(QStringLiteral("SELECT %1 FROM %2 WHERE (%3='X');")
                           .arg(spalten.join(QLatin1Char(',')), tabellenname, tab->gib_spaltenname(bv_tag::anw_lock)));
    // Read beside the window; a list that cannot be read (the server gone, say) is no empty one:
    // users may still be locked.
    QVector<QVariantList> zeilen;
    const QPointer<CQTableView> liste(view);
    if (!db->lies_zeilen(sql, CQString("upd_tab_lock_user"), tabellenname, zeilen, &gib_benutzer_klassen().c_canwenderliste)
        || !liste) {
        zeige_zugriffsfehler();
        return -1;
    }
    const QVector<CAclGroup*> gruppen = gib_gruppenliste();
    for (const QVariantList& werte : qAsConst(zeilen)) {
        db->protokolliere_zeile(werte, false);
        const int gruppe = db->sql_wert_ganzzahl(werte.value(1));
        const auto text = [&](int i) {
            return QVariant(QString(db->sql_wert_ohne_auffuellung(werte.value(i), tabellenname, spalten.at(i))));
        };
        QVector<QVariant> zeile{text(0), text(4)};
        // A NULL cell stays as an empty text: skipping it would move every later cell left.
        for (int i = 0; i < optionale; ++i)
            zeile.append(text(5 + i));
        QString gruppenname;
        for (const CAclGroup* g : gruppen)
            if (g->gib_nummer() == gruppe) {
                gruppenname = g->gib_name();
                break;
            }
        zeile.append(gruppenname);
        zeile.append(sql_wert_datumzeit(werte.value(2)));
        zeile.append(sql_wert_datumzeit(werte.value(3)));
        view->neueZeile(zeile);
    }
    view->resizeColumnsToContents();
    view->zeigeSortierung(-1);
    return zeilen.size();
}

namespace {

// Clears the lock mark of the user numbered `nummer` (while he still bears `name`, when given)
// and, with `mit_abmeldezeit`, stores the log-off time. 1 when done, 0 when no such user is there
// (any more); -1 while the user administration is not active, for the user number -1, without
// user table, and after a failure (which shows its box).
int setze_abgemeldet(int nummer, const QString* name, bool mit_abmeldezeit)
{
    if (!benutzerverwaltung_aktiv() || nummer == -1)
        return -1;
    CBVDataBase* bv = bv_mit_anwendertabelle();
    if (!bv)
        return -1;
    try {
        const CCDataBase* db = bv->gib_datenbank();
        const CDBTabelle* tab = bv->gib_struktur()->gib_tabelle(bv_tag::anwender);
        const CQString tabellenname = bv->gib_struktur()->gib_tabellenname(bv_tag::anwender);
        CQString zuweisungen, unbenutzt;
        if (mit_abmeldezeit)
            db->haenge_datumzeit_an(false, zuweisungen, unbenutzt, tab->gib_spaltenname(bv_tag::anw_logoff),
                                    QDateTime::currentDateTime(), nullptr);
        QVariantList werte;
        const QString bedingung = name ? bv->zeile_mit_namen(bv_tag::anwender, nummer, *name, werte)
                                       : QStringLiteral("(%1=%2)").arg(tab->gib_spaltenname(bv_tag::anw_id)).arg(nummer);
        const CQString sql(QStringLiteral("UPDATE %1 SET %2=NULL%3 WHERE %4;")
                               .arg(tabellenname, tab->gib_spaltenname(bv_tag::anw_lock), zuweisungen, bedingung));
        QSqlQuery abfrage;
        // Sets values only: a second run after a lost answer writes nothing new.
        const CCDataBase::CWiederholbar wiederholbar(*db);
        if (db->fuehre_aus(abfrage, sql, CQString("logoff"), tabellenname, false, werte)) {
            if (!name || abfrage.numRowsAffected() != 0)
                return 1;
            // MySQL counts a row that had no lock as untouched: only a row that is gone, or whose
            // number holds another name now, is.
            const int da = bv->gib_anzahl_records(bv_tag::anwender, nummer, *name);
            if (da >= 0)
                return da > 0 ? 1 : 0;
        } else {
            melde_sql_fehler(abfrage, sql, &gib_benutzer_klassen().caclright, CQString("logoff"), tabellenname);
        }
    } catch (...) {
        // Whatever went wrong on the way, the administrator learns that the lock stays.
    }
    zeige_zugriffsfehler();
    return -1;
}

} // namespace

bool logoff(const int& nummer, const bool& mit_abmeldezeit)
{
    return setze_abgemeldet(nummer, nullptr, mit_abmeldezeit) > 0;
}

int entferne_lock(int nummer, const QString& name)
{
    return setze_abgemeldet(nummer, &name, false);
}
