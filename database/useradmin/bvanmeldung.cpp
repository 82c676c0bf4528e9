#include "bvanmeldung.h"
#include "bvdbeinstellungen.h"
#include "bvstruktur.h"
#include "anwenderemail.h"
#include "canwenderliste.h"
#include "caclgroup.h"
#include "ccat.h"
#include "cbvdatabase.h"
#include "cdbdatenstruktur.h"
#include "cdbbeiseite.h"
#include "cdbtabelle.h"
#include "cdbzeitgrenzen.h"
#include "melde.h"
#include "steuerdaten.h"
#include "verzeichnisse.h"

#include <QCoreApplication>
#include <QSqlError>
#include <memory>
#include <utility>

namespace {

// The tables the log-on makes sure of, and those the template writer adds.
const int anmeldetabellen[] = {bv_tag::gruppen, bv_tag::anwender, bv_tag::protokoll};

std::unique_ptr<CBVDataBase>& angemeldet()
{
    static std::unique_ptr<CBVDataBase>* bv = new std::unique_ptr<CBVDataBase>;
    return *bv;
}

// Creates the tagged table when missing and checks it; empty on success.
QString sichere_tabelle(const CBVDataBase& bv, int tag)
{
    const CCDataBase& db = *bv.gib_datenbank();
    CDBDatenstruktur* const struktur = bv.gib_struktur();
    const CQString name = struktur->gib_tabellenname(tag);
    const CDBTabelle* const beschreibung = struktur->gib_tabelle(tag);
    const CQString keine;
    const bool primaerschluessel = true;
    if (!db.ExistTable(name, beschreibung, &keine)
        && !db.TabelleAnlegen(&name, beschreibung, nullptr, &keine, primaerschluessel))
        return CBVDataBase::tr("Tabelle '%1' kann nicht angelegt werden: %2")
            .arg(name, db.gib_datenbank().lastError().text());
    QStringList meldungen;
    if (!db.Tabellencheck(&name, beschreibung, &meldungen, nullptr))
        return CBVDataBase::tr("Tabelle '%1' ist unvollständig: %2").arg(name, meldungen.join(QStringLiteral("; ")));
    return QString();
}

// Names compare exactly and are unique by the database itself. A table from before that cannot
// be brought there is said so and stays as it is: the log-on goes on, and no row is dropped.
void sichere_vergleich_und_eindeutigkeit(const CBVDataBase& bv)
{
    const CCDataBase& db = *bv.gib_datenbank();
    CDBDatenstruktur* const struktur = bv.gib_struktur();
    const auto warne = [](const QString& text) {
        if (!text.isEmpty())
            qmelde(4, CBVDataBase::klasse, CQString("bv_anmelden"), CQString(text));
    };
    for (const int tag : anmeldetabellen)
        warne(db.sichere_exakten_vergleich(struktur->gib_tabellenname(tag), struktur->gib_tabelle(tag)));
    for (const auto& [tag, spalte] : {std::pair<int, int>{bv_tag::gruppen, bv_tag::grp_name}, {bv_tag::anwender, bv_tag::anw_name}})
        if (const CDBTabelle* const tabelle = struktur->gib_tabelle(tag))
            warne(db.sichere_eindeutigkeit(struktur->gib_tabellenname(tag), tabelle->gib_spaltenname(spalte)));
    // Ids of deleted users and groups are never given again. An account that can neither make nor
    // use the table of marks still adds them, by the highest id: said where it numbers a table.
    const CQString ohne_stand = db.sichere_nummernstand();
    if (!db.gibt_nummern_einmal(struktur->gib_tabellenname(bv_tag::gruppen))
        || !db.gibt_nummern_einmal(struktur->gib_tabellenname(bv_tag::anwender)))
        warne(ohne_stand);
}

} // namespace

CBVVerbindungswerte gib_bv_verbindungswerte()
{
    CBVDBEinstellungen& e = gib_bvdb_einstellungen();
    CBVVerbindungswerte werte;
    werte.treiber = e.db_treiber.gib_wert_qstr();
    werte.host = e.db_host.gib_wert_qstr();
    werte.name = e.db_name.gib_wert_qstr();
    werte.port = e.db_port.gib_wert();
    werte.benutzer = e.db_user.gib_wert_qstr();
    werte.kennwort = e.db_passwort.gib_wert_qstr();
    return werte;
}

QString oeffne_bv_verbindung(const QString& verbindungsname, const CBVVerbindungswerte& werte)
{
    if (werte.treiber.isEmpty() || !QSqlDatabase::isDriverAvailable(werte.treiber))
        return CBVDataBase::tr("Unbekannter Datenbanktreiber '%1' (vorhanden: %2)")
            .arg(werte.treiber, QSqlDatabase::drivers().join(QStringLiteral(", ")));
    const CDBZugang zugang{werte.treiber, werte.host, werte.name, werte.benutzer, werte.kennwort,
                           zeitgrenzen_optionen(werte.treiber), werte.port != 99999999u ? static_cast<int>(werte.port) : -1,
                           QStringList()};
    const auto nicht_moeglich = [&werte](const QString& grund) {
        return CBVDataBase::tr("Verbindung zur Datenbank '%1' auf '%2' nicht möglich: %3").arg(werte.name, werte.host, grund);
    };
    QString fehler;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(werte.treiber, verbindungsname);
        zugang.setze_an(db);
        fehler = oeffne_verbindung(db);
    }
    if (fehler.isEmpty())
        return QString();
    QSqlDatabase::removeDatabase(verbindungsname);
    return nicht_moeglich(fehler);
}

QString bv_verbindungsname()
{
    return QStringLiteral("benutzerverwaltung");
}

bool bv_eingerichtet()
{
    return !gib_bvdb_einstellungen().db_treiber.gib_wert_qstr().isEmpty();
}

CQString bv_anmelden()
{
    bv_abmelden();
    const CBVVerbindungswerte werte = gib_bv_verbindungswerte();
    const QString fehler = oeffne_bv_verbindung(bv_verbindungsname(), werte);
    if (!fehler.isEmpty()) {
        CQCat::gib_instanz()->error(CQString(fehler));
        return CQString(fehler);
    }

    CBVDBEinstellungen& e = gib_bvdb_einstellungen();
    const int stufe = e.protokollierung.gib_wert() == JA ? 1 : 0;
    auto datenbank = std::make_unique<CCDataBase>(gib_datenbankart(werte.treiber), CQString(bv_verbindungsname()),
                                                  stufe, false, nullptr, CQString(),
                                                  e.mssql_format_zeit.gib_wert_qstr());
    const CQString sitzung = datenbank->richte_sitzung_ein();
    if (!sitzung.isEmpty()) {
        const QString grund = CBVDataBase::tr("Sitzung der Datenbank '%1' nicht einrichtbar: %2").arg(werte.name, sitzung);
        datenbank.reset();
        bv_abmelden();
        CQCat::gib_instanz()->error(CQString(grund));
        return CQString(grund);
    }
    QStringList strukturmeldungen;
    auto struktur = baue_bv_struktur(gib_anwendungsverzeichnis().absolutePath(), strukturmeldungen);
    angemeldet() = std::make_unique<CBVDataBase>(std::move(datenbank), std::move(struktur));
    setze_bv_datenbank(angemeldet().get());

    for (const int tag : anmeldetabellen) {
        const QString grund = sichere_tabelle(*angemeldet(), tag);
        if (!grund.isEmpty()) {
            bv_abmelden();
            CQCat::gib_instanz()->error(CQString(grund));
            return CQString(grund);
        }
    }
    for (const int tag : {bv_tag::gruppen, bv_tag::anwender, bv_tag::verwaltung, bv_tag::vorlage, bv_tag::protokoll})
        angemeldet()->erfasse_autoinkrement(tag);
    sichere_vergleich_und_eindeutigkeit(*angemeldet());
    // Every start shows the stored groups: each user's, and the choice a new user takes his from.
    // A failed read is reported by it and ends no log-on; a page that offers groups reads again.
    int gruppen = 0;
    lese_gruppen(gruppen);
    // The mail hand-off finds a user's sender address in the user table from now on.
    setze_anwender_email_funktion(
        [](const CQString& anwender) { return gib_anwender_email(anwender, 41, 34); });
    setze_benutzerverwaltung_aktiv(true);
    CQCat::gib_instanz()->info(CQString(CBVDataBase::tr("Benutzerverwaltung angemeldet: %1 auf %2").arg(werte.name, werte.host)));
    return CQString();
}

void bv_abmelden()
{
    setze_benutzerverwaltung_aktiv(false);
    setze_anwender_email_funktion({});
    loesche_gruppen();
    setze_bv_datenbank(nullptr);
    const bool war_angemeldet = angemeldet() != nullptr;
    angemeldet().reset();
    if (war_angemeldet || QSqlDatabase::contains(bv_verbindungsname())) {
        QSqlDatabase::database(bv_verbindungsname(), false).close();
        QSqlDatabase::removeDatabase(bv_verbindungsname());
    }
}
