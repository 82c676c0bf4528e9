// The database object's table work: creation, columns, keys, existence, emptying, counting, record ids, Oracle sequences and the table check.
#include "ccat.h"
#include "ccdatabase.h"
#include "cdbtabelle.h"
#include "clogbase.h"
#include "cqsqlquery.h"
#include "sqlfehler.h"
#include "steuerzeichen.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMap>
#include <QRegularExpression>
#include <QDebug>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

#include <optional>

namespace {

constexpr int keine_spalte = 99999999;
// The highest id handed out for each table (`CCDataBase::sichere_nummernstand`).
const char* const nummernstand = "db_id_hochstand";
// How long a new id is asked for again while other sessions take the ones this one chose: each
// such failure is another's success, so it ends however many add at once; the bound only keeps a
// fault from going round for good.
constexpr qint64 nummer_frist_ms = 60000;
const char* const oracle_sequenz_fehlt = "ORA-02289";

CQString text_von(const CQString* text)
{
    return text ? *text : CQString();
}

CQString nextval_sql(const CQString& tabelle)
{
    return CQString(QStringLiteral("SELECT \"%1_SEQ\".nextval FROM dual;").arg(tabelle.gross()));
}

// The table's name as the server lists it, compared without case; null when it is not listed. A
// case-sensitive server gives the columns of a differently written name as none at all.
QString gelisteter_name(const QSqlDatabase& datenbank, const QString& tabelle)
{
    for (const QString& name : datenbank.tables(QSql::Tables))
        if (name.compare(tabelle, Qt::CaseInsensitive) == 0)
            return name;
    return QString();
}

bool ist_gelistet(const QSqlDatabase& datenbank, const QString& tabelle)
{
    return !gelisteter_name(datenbank, tabelle).isNull();
}

} // namespace

bool CCDataBase::schreibe_oder_fuehre_aus(const CQString& sql, const CQString& methode, const CQString& tabelle,
                                          CQLogBase* fenster) const
{
    if (!fenster)
        return fuehre_aus(sql, methode, tabelle);
    const int normal = 0;
    fenster->neue_textzeile(sql, normal);
    return true;
}

bool CCDataBase::lies_wert(const CQString& sql, const CQString& methode, const CQString& tabelle, QVariant& wert,
                           bool melden, const QVariantList& werte) const
{
    QSqlQuery abfrage;
    if (!fuehre_aus(abfrage, sql, methode, tabelle, melden, werte))
        return false;
    if (abfrage.next()) {
        protokolliere_zeile(abfrage, 1, false);
        wert = abfrage.value(0);
    }
    return true;
}

bool CCDataBase::TabelleAnlegen(const CQString* tabelle_, const CDBTabelle* beschreibung, CQLogBase* fenster,
                                const CQString* id_spalte_, bool primaerschluessel) const
{
    const CQString tabelle = text_von(tabelle_);
    if (tabelle.isEmpty())
        return false;

    CQString spalte;
    int tag = keine_spalte;
    if (beschreibung) {
        tag = beschreibung->gib_id_spalte();
        if (tag == keine_spalte) {
            const QVector<int> tags = beschreibung->gib_tagliste();
            if (tags.isEmpty())
                return false;
            tag = tags.first();
            primaerschluessel = false;
        }
        spalte = beschreibung->gib_spaltenname(tag);
    } else {
        spalte = text_von(id_spalte_);
    }
    if (spalte.isEmpty())
        return false;

    CQString definition;
    if (primaerschluessel || !beschreibung)
        definition = CQString(QString::fromLatin1(art == art_sqlite ? "%1 INTEGER PRIMARY KEY" : "%1 INT").arg(spalte));
    else {
        const int typ = beschreibung->gib_spaltentyp(tag);
        definition = spalten_definition(spalte, beschreibung->gib_typtext(tag, spalten_typname(typ)),
                                        beschreibung->gib_laenge(tag, spalten_laenge(typ)));
    }
    const CQString sql(QStringLiteral("CREATE TABLE %1 (%2);").arg(tabelle, definition));
    if (!schreibe_oder_fuehre_aus(sql, CQString("TabelleAnlegen"), tabelle, fenster))
        return false;
    if (!fenster)
        CQCat::gib_instanz()->warn(CQString(tr("Tabelle '%1' angelegt.").arg(tabelle)));

    if (!primaerschluessel)
        return true;
    if (!AddPrimaryKey(&tabelle, &spalte, fenster))
        return false;
    if (art == art_oracle) {
        int maximum = 0;
        if (ist_verbunden())
            MaxRecordId(tabelle, spalte, maximum);
        if (!oracle_create_sequence(tabelle.gross(), maximum + 1, fenster).isEmpty() && !fenster)
            return false;
    }
    return true;
}

bool CCDataBase::add_column(const CQString* tabelle_, const CQString* spalte_, const CQString* typtext_,
                            const int& laenge_, CQLogBase* fenster) const
{
    const CQString tabelle = text_von(tabelle_);
    const CQString spalte = text_von(spalte_);
    CQString typtext = text_von(typtext_);
    int laenge = laenge_;
    if (typtext == QLatin1String("x") || typtext == QLatin1String("Memo")) {
        typtext = memo_typname();
        laenge = memo_limit();
    }
    const CQString sql(QStringLiteral("ALTER TABLE %1 ADD %2;").arg(tabelle, spalten_definition(spalte, typtext, laenge)));
    if (!fenster)
        CQCat::gib_instanz()->warn(CQString(tr("Anlegen der Spalte '%1' in Tabelle '%2'").arg(spalte, tabelle)));
    return schreibe_oder_fuehre_aus(sql, CQString("add_column"), tabelle, fenster);
}

bool CCDataBase::AddPrimaryKey(const CQString* tabelle_, const CQString* spalte_, CQLogBase* fenster) const
{
    const CQString tabelle = text_von(tabelle_);
    const CQString spalte = text_von(spalte_);
    const CQString label("AddPrimaryKey");
    bool ok = true;
    // Each step runs even after a failed one: what can still be set up, is.
    if (art == art_mysql)
        ok &= schreibe_oder_fuehre_aus(
            CQString(QStringLiteral("ALTER TABLE %1 CHANGE %2 %3 INT NOT NULL;").arg(tabelle, spalte, spalte)), label,
            tabelle, fenster);
    else if (art == art_mssql)
        ok &= schreibe_oder_fuehre_aus(
            CQString(QStringLiteral("ALTER TABLE %1 ALTER COLUMN %2 INT NOT NULL;").arg(tabelle, spalte)), label,
            tabelle, fenster);
    if (art != art_sqlite)
        ok &= schreibe_oder_fuehre_aus(
            CQString(QStringLiteral("ALTER TABLE %1 ADD PRIMARY KEY (%2);").arg(tabelle, spalte)), label, tabelle,
            fenster);
    if (art == art_mysql)
        ok &= schreibe_oder_fuehre_aus(
            CQString(QStringLiteral("ALTER TABLE %1 CHANGE COLUMN %2 %3 BIGINT UNSIGNED NOT NULL AUTO_INCREMENT FIRST;")
                         .arg(tabelle, spalte, spalte)),
            CQString("AUTO_INCREMENT"), tabelle, fenster);
    return ok;
}

bool CCDataBase::ExistTable(CQString tabelle, const CDBTabelle* beschreibung, const CQString* id_spalte_) const
{
    const QSqlDatabase datenbank = gib_datenbank();
    if (!datenbank.isValid() || tabelle.isEmpty())
        return false;

    if (art == art_oracle) {
        const bool still = true;
        const CQString keine;
        if (gib_anzahl_records(&tabelle, still, &keine) < 0)
            return false;
    } else if (art == art_mysql) {
        // Listed without a pattern: in LIKE "_" and "%" match any character, and the first row
        // need not be the table asked for.
        QSqlQuery abfrage;
        if (!fuehre_aus(abfrage, CQString("SHOW TABLES;"), CQString("ExistTable"), tabelle))
            return false;
        bool gefunden = false;
        while (!gefunden && abfrage.next()) {
            protokolliere_zeile(abfrage, 1, false);
            gefunden = abfrage.value(0).toString().compare(tabelle, Qt::CaseInsensitive) == 0;
        }
        if (!gefunden)
            return false;
    } else if (!ist_gelistet(datenbank, tabelle)) {
        return false;
    }
    if (art != art_oracle)
        return true;

    // The sequence behind the table's ids.
    CQString id_spalte;
    if (!beschreibung)
        id_spalte = text_von(id_spalte_);
    else if (beschreibung->gib_id_spalte() != keine_spalte)
        id_spalte = beschreibung->gib_spaltenname(beschreibung->gib_id_spalte());
    if (id_spalte.isEmpty())
        return true;
    QSqlQuery abfrage;
    if (!oracle_naechster_wert(tabelle, id_spalte, abfrage, CQString("ExistTable"), false) || !abfrage.next())
        return true;
    protokolliere_zeile(abfrage, 1, false);
    const int wert = abfrage.value(0).toInt();
    int maximum = 0;
    if (MaxRecordId(tabelle, id_spalte, maximum).isEmpty() && wert < maximum + 1) {
        oracle_drop_sequence(tabelle.gross(), nullptr);
        oracle_create_sequence(tabelle.gross(), maximum + 1, nullptr);
    }
    return true;
}

bool CCDataBase::oracle_naechster_wert(const CQString& tabelle, const CQString& id_spalte, QSqlQuery& abfrage,
                                       const CQString& methode, bool andere_melden) const
{
    const CQString sql = nextval_sql(tabelle);
    const auto fehlt = [&] { return oracle_fehlercode(abfrage) == QLatin1String(oracle_sequenz_fehlt); };
    const auto andere = [&] {
        if (andere_melden && !fehlt())
            melde_sql_fehler(abfrage, sql, klasse, methode, tabelle);
        return false;
    };
    // Prepared on the query's own connection, so that a failed prepare leaves its error there.
    const auto nochmal = [&](bool melden) {
        CQSqlQuery neu(CQString(), this, false);
        const bool ok = neu.prepare(sql) && neu.exec() && neu.isActive();
        abfrage = neu;
        if (!ok && melden)
            melde_sql_fehler(abfrage, sql, klasse, methode, tabelle);
        return ok;
    };

    if (fuehre_aus(abfrage, sql, methode, tabelle, false))
        return true;
    if (!fehlt())
        return andere();
    // A sequence made a moment ago by another session may not be visible at once: ask again first.
    if (nochmal(false))
        return true;
    if (!fehlt())
        return andere();
    int maximum = 0;
    if (!MaxRecordId(tabelle, id_spalte, maximum).isEmpty())
        return false;
    oracle_create_sequence(tabelle.gross(), maximum + 1, nullptr);
    return nochmal(true);
}

CQString CCDataBase::ClearTable(CQString tabelle) const
{
    if (fuehre_aus(CQString(QStringLiteral("DELETE FROM %1;").arg(tabelle)), CQString("ClearTable"), tabelle))
        return CQString();
    return CQString(tr("Fehler beim Leeren der Tabelle '%1'").arg(tabelle));
}

bool CCDataBase::emptyTabelle(const CQString* tabelle_) const
{
    const CQString tabelle = text_von(tabelle_);
    return fuehre_aus(CQString(QStringLiteral("DELETE FROM %1;").arg(tabelle)), CQString("emptyTabelle"), tabelle);
}

int CCDataBase::gib_anzahl_records(const CQString* tabelle_, const bool& still, const CQString* bedingung_,
                                   const QVariantList& werte) const
{
    const QSqlDatabase datenbank = gib_datenbank();
    if (!ist_verbunden()) {
        const char* text = datenbank.isValid() ? QT_TR_NOOP("Datenbank '%1'  NICHT verbunden !")
                                                : QT_TR_NOOP("Datenbank '%1' NICHT zugeordnet !");
        CQCat::gib_instanz()->error(CQString(tr(text).arg(verbindungsname)));
        return -1;
    }
    const CQString tabelle = text_von(tabelle_);
    const CQString bedingung = text_von(bedingung_);
    QString sql = QStringLiteral("SELECT count(*) AS count FROM %1").arg(tabelle);
    if (!bedingung.isEmpty())
        sql += QLatin1Char(' ') + bedingung;
    sql += QLatin1Char(';');
    QVariant wert;
    if (!lies_wert(CQString(sql), CQString("gib_anzahl_records"), tabelle, wert, !still, werte))
        return -1;
    return wert.toInt();
}

CQString CCDataBase::MaxRecordId(CQString tabelle, CQString id_spalte, int& maximum) const
{
    QVariant wert;
    if (!lies_wert(CQString(QStringLiteral("SELECT max(%1) FROM %2;").arg(id_spalte, tabelle)),
                   CQString("MaxRecordId"), tabelle, wert))
        return CQString(tr("Fehler beim Zugriff auf Datenbanktabelle"));
    if (wert.isValid())
        maximum = wert.toInt();
    return CQString();
}

CQString CCDataBase::NewRecordId(CQString tabelle, CQString id_spalte, int& id) const
{
    const CQString fehler(tr("Fehler beim Zugriff auf Datenbanktabelle"));
    int neu = 0;
    if (art == art_oracle) {
        QSqlQuery abfrage;
        if (!oracle_naechster_wert(tabelle, id_spalte, abfrage, CQString("NewRecordId"), true))
            return fehler;
        if (!abfrage.next())
            return CQString(tr("Tabelle %1: Neue Record-ID kann nicht ermittelt werden").arg(tabelle));
        protokolliere_zeile(abfrage, 1, false);
        neu = abfrage.value(0).toInt();
    } else {
        const bool geprueft = marken != CMarken::ungeprueft;
        const CQString ohne_stand = sichere_nummernstand();
        if (ohne_stand.isEmpty()) {
            if (!naechste_nummer(tabelle, id_spalte, id, neu))
                return fehler;
            id = neu;
            return CQString();
        }
        // Without the marks the ids follow the highest one of the table, as before there were
        // marks; the table's key refuses an id another session took meanwhile.
        if (!geprueft)
            CQCat::gib_instanz()->warn(ohne_stand);
        if (!MaxRecordId(tabelle, id_spalte, neu).isEmpty())
            return fehler;
        ++neu;
    }
    id = neu == id ? id + 1 : neu;
    return CQString();
}

CQString CCDataBase::sichere_nummernstand() const
{
    if (marken != CMarken::ungeprueft)
        return marken_grund;
    const CQString tabelle(nummernstand);
    const CQString methode("sichere_nummernstand");
    QSqlQuery abfrage;
    const auto unbrauchbar = [&](const char* text) {
        marken = CMarken::unbrauchbar;
        marken_grund = CQString(tr(text).arg(tabelle, abfrage.lastError().text()));
        return marken_grund;
    };
    if (!ist_gelistet(gib_datenbank(), tabelle)) {
        const CQString sql(QStringLiteral("CREATE TABLE %1 (tabelle VARCHAR(128) NOT NULL PRIMARY KEY, "
                                          "hoechste_id INT NOT NULL);")
                               .arg(tabelle));
        // Another session may make it at the same moment: only a table still missing is a failure.
        if (!fuehre_aus(abfrage, sql, methode, tabelle, false) && !ist_gelistet(gib_datenbank(), tabelle))
            return unbrauchbar(QT_TR_NOOP("Tabelle '%1' fehlt und kann nicht angelegt werden (%2): neue Datensatz-IDs folgen "
                                          "der höchsten vorhandenen, die ID eines zuletzt gelöschten Datensatzes kann wieder "
                                          "vergeben werden."));
        if (abfrage.isActive())
            CQCat::gib_instanz()->warn(CQString(tr("Tabelle '%1' angelegt.").arg(tabelle)));
    }
    // Made by another account, or by another program under the name: this account must read,
    // add and raise its marks. Statements that touch no row ask, without a lock or a change.
    for (const QString& probe :
         {QStringLiteral("SELECT tabelle, hoechste_id FROM %1 WHERE 1=0;"),
          QStringLiteral("INSERT INTO %1 (tabelle, hoechste_id) SELECT tabelle, hoechste_id FROM %1 WHERE 1=0;"),
          QStringLiteral("UPDATE %1 SET hoechste_id=hoechste_id WHERE 1=0;")})
        if (!fuehre_aus(abfrage, CQString(probe.arg(tabelle)), methode, tabelle, false))
            return unbrauchbar(QT_TR_NOOP("Tabelle '%1' ist nicht benutzbar (%2): neue Datensatz-IDs folgen der höchsten "
                                          "vorhandenen, die ID eines zuletzt gelöschten Datensatzes kann wieder vergeben "
                                          "werden."));
    marken = CMarken::nutzbar;
    return CQString();
}

bool CCDataBase::gibt_nummern_einmal(const CQString& tabelle) const
{
    return art == art_oracle || (art == art_mysql && autoinkrement_spalten.contains(tabelle))
           || sichere_nummernstand().isEmpty();
}

bool CCDataBase::naechste_nummer(const CQString& tabelle, const CQString& id_spalte, int vorige, int& neu) const
{
    const CQString methode("NewRecordId");
    const CQString stand(nummernstand);
    const QString schluessel = tabelle.toLower();
    const CQString lesen(QStringLiteral("SELECT hoechste_id FROM %1 WHERE tabelle=?;").arg(stand));
    const CQString anlegen(QStringLiteral("INSERT INTO %1 (tabelle, hoechste_id) VALUES (?, 0);").arg(stand));
    const CQString heben(QStringLiteral("UPDATE %1 SET hoechste_id=? WHERE tabelle=? AND hoechste_id=?;").arg(stand));
    // Another session may raise the mark between this one's read and write: the write takes only
    // the mark it read, else the mark is read again.
    QElapsedTimer frist;
    frist.start();
    bool angelegt = false;
    while (!frist.hasExpired(nummer_frist_ms)) {
        QVariant wert;
        if (!lies_wert(lesen, methode, stand, wert, true, {schluessel}))
            return false;
        if (!wert.isValid()) {
            // The first id handed out here: the mark starts from the ids the table holds. A row that
            // another session adds meanwhile makes this one fail; a second failure is a real one.
            QSqlQuery abfrage;
            if (!fuehre_aus(abfrage, anlegen, methode, stand, angelegt, {schluessel}) && angelegt)
                return false;
            angelegt = true;
            continue;
        }
        int maximum = 0;
        if (!MaxRecordId(tabelle, id_spalte, maximum).isEmpty())
            return false;
        const int hoechste = wert.toInt();
        neu = qMax(hoechste, maximum) + 1;
        if (neu == vorige)
            ++neu;
        QSqlQuery abfrage;
        // Takes only the mark it read: run twice, the second finds its own and reads again.
        const CWiederholbar wiederholbar(*this);
        if (!fuehre_aus(abfrage, heben, methode, stand, true, {neu, schluessel, hoechste}))
            return false;
        if (abfrage.numRowsAffected() > 0)
            return true;
    }
    CQCat::gib_instanz()->error(CQString(tr("Tabelle %1: Neue Record-ID kann nicht ermittelt werden").arg(tabelle)));
    return false;
}

CQString CCDataBase::NeuerDatensatz(CQString tabelle, CQString id_spalte, int& id, bool& einfuegen_offen) const
{
    if (art == art_mysql && autoinkrement_spalten.contains(tabelle))
        return mysql_NeuerDatensatz(tabelle, CQString(autoinkrement_spalten.value(tabelle)), id, einfuegen_offen);
    if (!NewRecordId(tabelle, id_spalte, id).isEmpty())
        return CQString(tr("Fehler beim Zugriff auf Datenbanktabelle"));
    einfuegen_offen = art == art_oracle;
    if (einfuegen_offen)
        return CQString();
    const CQString sql(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3);").arg(tabelle, id_spalte).arg(id));
    if (!fuehre_aus(sql, CQString("NeuerDatensatz"), tabelle))
        return CQString(tr("Fehler beim Anlegen eines Datensatzes"));
    return CQString();
}

CCDataBase::CNeuerDatensatz CCDataBase::schreibe_neuen_datensatz(const CQString& tabelle, const CQString& id_spalte,
                                                                 const QStringList& spalten, const QVariantList& werte,
                                                                 int vorige_id, const CQString& methode,
                                                                 const CQString& quelle) const
{
    CNeuerDatensatz satz;
    const bool autonummer = art == art_mysql && autoinkrement_spalten.contains(tabelle);
    QStringList platzhalter;
    for (int i = 0; i < spalten.size(); ++i)
        platzhalter.append(QStringLiteral("?"));
    int id = vorige_id;
    // Between asking for the highest id and inserting, another session may take the id: then the
    // next one is tried (where ids follow the highest one, two sessions adding at once meet so all
    // the time), until the failure is another one.
    QElapsedTimer frist;
    frist.start();
    // The row was sent, and the answer lost with the connection: it is sent once more, same id.
    bool nochmal = false;
    for (;;) {
        QStringList namen = spalten;
        QStringList liste = platzhalter;
        if (!autonummer) {
            if (!nochmal && !NewRecordId(tabelle, id_spalte, id).isEmpty()) {
                satz.id_fehler = true;
                satz.fehler = CQString(tr("Fehler beim Zugriff auf Datenbanktabelle"));
                return satz;
            }
            namen.prepend(id_spalte);
            liste.prepend(QString::number(id));
        }
        const QString felder = namen.join(QLatin1Char(','));
        const CQString sql(quelle.isEmpty()
                               ? QStringLiteral("INSERT INTO %1 (%2) VALUES (%3);").arg(tabelle, felder, liste.join(QLatin1Char(',')))
                               : QStringLiteral("INSERT INTO %1 (%2) SELECT %3 %4;")
                                     .arg(tabelle, felder, liste.join(QLatin1Char(',')), quelle));
        QSqlQuery abfrage;
        if (fuehre_aus(abfrage, sql, methode, tabelle, false, werte)) {
            satz.geschrieben = abfrage.numRowsAffected() > 0;
            if (satz.geschrieben)
                satz.id = autonummer ? abfrage.lastInsertId().toInt() : id;
            return satz;
        }
        if (ist_ungewiss()) {
            // Its own row by the id chosen here and the values sent; where the server numbers the
            // rows, or the connection stays lost, that cannot be told.
            QVector<QPair<QString, QVariant>> gesendet;
            for (int i = 0; i < spalten.size(); ++i)
                gesendet.append({spalten.at(i), werte.value(i)});
            const int da = autonummer || verloren
                               ? -1
                               : zaehle_mit_werten(tabelle, QStringLiteral("%1=?").arg(id_spalte), {id}, gesendet);
            if (da > 0) {
                satz.geschrieben = true;
                satz.id = id;
                return satz;
            }
            if (da == 0 && !nochmal) {
                nochmal = true;
                continue;
            }
            melde_sql_fehler(abfrage, sql, klasse, methode, tabelle);
            satz.ungewiss = true;
            satz.fehler = CQString(abfrage.lastError().text());
            return satz;
        }
        nochmal = false;
        const CQString bedingung(QStringLiteral("WHERE %1=?").arg(id_spalte));
        const bool vergeben = !autonummer && !frist.hasExpired(nummer_frist_ms)
                              && gib_anzahl_records(&tabelle, true, &bedingung, {id}) > 0;
        if (!vergeben) {
            melde_sql_fehler(abfrage, sql, klasse, methode, tabelle);
            satz.fehler = fehlendes_recht(abfrage.lastError(), tabelle);
            satz.recht_fehlt = !satz.fehler.isEmpty();
            if (!satz.recht_fehlt)
                satz.fehler = CQString(tr("Fehler beim Schreiben des Datensatzes %1 in Tabelle %2").arg(id).arg(tabelle));
            return satz;
        }
    }
}

CQString CCDataBase::fehlendes_recht(const QSqlError& fehler, const CQString& tabelle) const
{
    const QString code = fehler.nativeErrorCode();
    QStringList codes;
    if (spricht_postgres())
        codes << QStringLiteral("42501");
    else if (spricht_mysql())
        // Table, column, database and other privileges refused.
        codes << QStringLiteral("1142") << QStringLiteral("1143") << QStringLiteral("1044") << QStringLiteral("1227");
    else if (art == art_sqlite || gib_datenbank().driverName() == QLatin1String("QSQLITE"))
        // A refusal of the authorizer; a read-only file is no account's right, and says why itself.
        codes << QStringLiteral("23");
    else if (art == art_oracle)
        codes << QStringLiteral("1031") << QStringLiteral("ORA-01031");
    if (!codes.contains(code))
        return CQString();
    return CQString(tr("Dem Datenbankkonto fehlt ein Recht auf Tabelle '%1': %2").arg(tabelle, fehler.databaseText()));
}

int CCDataBase::loesche_wenn(const CQString& tabelle, const CQString& id_spalte, int id, const CQString& bedingung,
                             const CQString& methode, CKlasse* berichtsklasse, const QVariantList& werte) const
{
    CKlasse* const bericht = berichtsklasse ? berichtsklasse : klasse;
    // A connection lost at the commit leaves the queries below with statements of a gone session.
    const CStillesFreigeben still;
    QSqlDatabase verbindung = gib_datenbank();
    const CQString sperre = schreibsperre();
    const bool gesperrt = !sperre.isEmpty() && verbindung.isValid()
                          && verbindung.driver()->hasFeature(QSqlDriver::Transactions) && beginne_transaktion(verbindung);
    std::optional<CBindung> transaktion;
    if (gesperrt)
        transaktion.emplace(*this, CBindung::transaktion);
    const auto ende = [&](int geloescht) {
        QString fehler;
        if (!gesperrt || (geloescht >= 0 && beende_transaktion(verbindung, true, fehler)))
            return geloescht;
        if (geloescht >= 0 && ist_ungewiss()) {
            melde_verbindungsfehler(ungewiss_text(), fehler, CQString("COMMIT"), bericht, methode, tabelle);
            return -1;
        }
        if (geloescht >= 0)
            CQCat::gib_instanz()->error(
                CQString(tr("%1: Fehler beim Abschluss der Transaktion auf Tabelle %2: %3").arg(methode, tabelle, fehler)));
        // A lost session's work the server has undone itself.
        if (!verloren)
            beende_transaktion(verbindung, false, fehler);
        return -1;
    };
    // Runs the statement; a failure is reported under the caller's class.
    const auto laufe = [&](QSqlQuery& abfrage, const CQString& sql, const QVariantList& gebunden) {
        if (fuehre_aus(abfrage, sql, methode, tabelle, false, gebunden))
            return true;
        melde_sql_fehler(abfrage, sql, bericht, methode, tabelle);
        return false;
    };
    const QString schluessel = QStringLiteral("%1=%2").arg(id_spalte).arg(id);
    QSqlQuery sperrt;
    if (gesperrt
        && !laufe(sperrt, CQString(QStringLiteral("SELECT %1 FROM %2 WHERE %3%4;").arg(id_spalte, tabelle, schluessel, sperre)),
                  QVariantList()))
        return ende(-1);
    // The lock is held by the transaction, not by the query's result.
    sperrt.finish();
    QString sql = QStringLiteral("DELETE FROM %1 WHERE %2").arg(tabelle, schluessel);
    if (!bedingung.isEmpty())
        sql += QLatin1String(" AND ") + bedingung;
    QSqlQuery abfrage;
    if (!laufe(abfrage, CQString(sql + QLatin1Char(';')), werte))
        return ende(-1);
    return ende(qMax(0, abfrage.numRowsAffected()));
}

CQString CCDataBase::schreibe_allein(const CQString& tabelle, const std::function<CQString()>& schreiben,
                                    const CQString& methode) const
{
    QSqlDatabase verbindung = gib_datenbank();
    if (!verbindung.isValid() || !verbindung.driver()->hasFeature(QSqlDriver::Transactions))
        return schreiben();
    const CQString gesperrt_fehler(tr("Tabelle '%1' kann nicht für das Schreiben gesperrt werden").arg(tabelle));
    const auto lies_eins = [&](const QString& sql, const QVariantList& werte, bool melden = true) {
        QVariant wert;
        return lies_wert(CQString(sql), methode, tabelle, wert, melden, werte) && wert.toInt() == 1;
    };
    const bool mysql = spricht_mysql();
    const QString name = QStringLiteral("%1.%2").arg(verbindung.databaseName(), tabelle);
    if (mysql && !lies_eins(QStringLiteral("SELECT GET_LOCK(?, 30);"), {name}))
        return gesperrt_fehler;
    // The named lock is this session's from here on, then its transaction.
    std::optional<CBindung> sitzung;
    if (mysql)
        sitzung.emplace(*this, CBindung::sitzung);
    // SQLite: the write lock is taken at the start, so that two writers never meet half-way (the
    // later one waits for the busy time-out, where a deferred start would fail at once).
    const bool sqlite = art == art_sqlite || verbindung.driverName() == QLatin1String("QSQLITE");
    const auto in_transaktion = [&]() -> CQString {
        QSqlQuery beginn;
        if (sqlite ? !fuehre_aus(beginn, CQString("BEGIN IMMEDIATE;"), methode, tabelle) : !beginne_transaktion(verbindung)) {
            if (!sqlite)
                CQCat::gib_instanz()->error(CQString(tr("%1: Fehler beim Beginn der Transaktion auf Tabelle %2: %3")
                                                         .arg(methode, tabelle, verbindung.lastError().text())));
            // A connection that stays lost is said plainly, with why, as on every statement.
            return verloren ? CQString(verlust_text(false)) : gesperrt_fehler;
        }
        beginn.finish();
        const CBindung transaktion(*this, CBindung::transaktion);
        QStringList sperren;
        if (spricht_postgres())
            sperren << QStringLiteral("SET LOCAL lock_timeout = '30s';")
                    << QStringLiteral("LOCK TABLE %1 IN EXCLUSIVE MODE;").arg(tabelle);
        else if (art == art_oracle)
            sperren << QStringLiteral("LOCK TABLE %1 IN EXCLUSIVE MODE;").arg(tabelle);
        else if (art == art_mssql)
            sperren << QStringLiteral("SELECT count(*) FROM %1 WITH (TABLOCKX, HOLDLOCK);").arg(tabelle);
        CQString fehler;
        for (const QString& sql : sperren)
            if (fehler.isEmpty() && !fuehre_aus(CQString(sql), methode, tabelle))
                fehler = gesperrt_fehler;
        if (fehler.isEmpty())
            fehler = schreiben();
        QString grund;
        if (fehler.isEmpty() && !beende_transaktion(verbindung, true, grund)) {
            fehler = CQString(tr("%1: Fehler beim Abschluss der Transaktion auf Tabelle %2: %3").arg(methode, tabelle, grund));
            CQCat::gib_instanz()->error(fehler);
            // Nothing to roll back: the lost session's end decided, and the text says it may be saved.
            if (ist_ungewiss())
                return CQString(ungewiss_text());
        }
        // A lost session's work the server has undone itself.
        if (!fehler.isEmpty() && !verloren)
            beende_transaktion(verbindung, false, grund);
        return fehler;
    };
    const CQString fehler = in_transaktion();
    const bool offen = ist_ungewiss();
    // A lost session took its lock with it. A lock that cannot be let go stays until the session
    // ends; the write is done either way.
    if (mysql && !verloren && !lies_eins(QStringLiteral("SELECT RELEASE_LOCK(?);"), {name}, false))
        CQCat::gib_instanz()->warn(CQString(tr("%1: Sperre '%2' nicht freigegeben").arg(methode, name)));
    ungewiss = offen;
    return fehler;
}

bool CCDataBase::hat_index(const CQString& tabelle, const QString& index, bool& bekannt) const
{
    QString sql;
    QVariantList werte{index};
    if (art == art_sqlite || gib_datenbank().driverName() == QLatin1String("QSQLITE")) {
        sql = QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='index' AND lower(name)=lower(?);");
    } else if (spricht_mysql()) {
        sql = QStringLiteral("SELECT count(*) FROM information_schema.STATISTICS "
                             "WHERE TABLE_SCHEMA=DATABASE() AND TABLE_NAME=? AND INDEX_NAME=?;");
        werte.prepend(QString(tabelle));
    } else if (spricht_postgres()) {
        // Unquoted names are kept in lower case there.
        sql = QStringLiteral("SELECT count(*) FROM pg_indexes WHERE schemaname=current_schema() AND indexname=lower(?);");
    } else if (art == art_oracle) {
        sql = QStringLiteral("SELECT count(*) FROM user_indexes WHERE index_name=UPPER(?);");
    } else if (art == art_mssql) {
        sql = QStringLiteral("SELECT count(*) FROM sys.indexes WHERE name=?;");
    }
    bekannt = !sql.isEmpty();
    QVariant wert;
    if (bekannt && !lies_wert(CQString(sql), CQString("sichere_eindeutigkeit"), tabelle, wert, true, werte))
        bekannt = false;
    return bekannt && wert.toInt() > 0;
}

CQString CCDataBase::sichere_eindeutigkeit(const CQString& tabelle, const CQString& spalte) const
{
    const CQString methode("sichere_eindeutigkeit");
    const QString index = QStringLiteral("%1_%2_uk").arg(tabelle, spalte);
    bool bekannt = false;
    // Where the server cannot be asked whether the key is there, it is not made blind at every
    // log-on: the second try would fail and log an error each time.
    if (hat_index(tabelle, index, bekannt) || !bekannt)
        return CQString();
    // Values held more than once would make the server refuse the key: they are named, and none
    // is dropped; the administrator decides which one goes.
    QSqlQuery abfrage;
    const CQString doppelt_sql(
        QStringLiteral("SELECT %1 FROM %2 WHERE %1 IS NOT NULL GROUP BY %1 HAVING count(*) > 1;").arg(spalte, tabelle));
    if (!fuehre_aus(abfrage, doppelt_sql, methode, tabelle))
        return CQString(tr("Fehler beim Zugriff auf Datenbanktabelle"));
    constexpr int genannt = 20;
    QStringList doppelte;
    int anzahl = 0;
    while (abfrage.next())
        if (++anzahl <= genannt)
            doppelte.append(QStringLiteral("'%1'").arg(maskiere_steuerzeichen(sql_wert_string(abfrage.value(0), false))));
    if (anzahl > genannt)
        doppelte.append(tr("und %1 weitere").arg(anzahl - genannt));
    if (anzahl > 0)
        return CQString(tr("Tabelle '%1': Spalte '%2' bekommt keinen eindeutigen Schlüssel, solange Werte mehrfach "
                           "darin stehen: %3")
                            .arg(tabelle, spalte, doppelte.join(QStringLiteral(", "))));
    const CQString anlegen(QStringLiteral("CREATE UNIQUE INDEX %1 ON %2 (%3);").arg(index, tabelle, spalte));
    if (!fuehre_aus(anlegen, methode, tabelle))
        return CQString(tr("Eindeutiger Schlüssel auf Spalte '%1' in Tabelle '%2' nicht anlegbar").arg(spalte, tabelle));
    CQCat::gib_instanz()->warn(CQString(tr("Eindeutiger Schlüssel '%1' auf Spalte '%2' in Tabelle '%3' angelegt.")
                                            .arg(index, spalte, tabelle)));
    return CQString();
}

CQString CCDataBase::sichere_exakten_vergleich(const CQString& tabelle, const CDBTabelle* beschreibung) const
{
    const CQString sortierung = sichere_exakte_sortierung(tabelle);
    const CQString breite = sichere_variable_breite(tabelle, beschreibung);
    return sortierung.isEmpty() ? breite : sortierung;
}

CQString CCDataBase::sichere_variable_breite(const CQString& tabelle, const CDBTabelle* beschreibung) const
{
    if (!beschreibung)
        return CQString();
    // The fixed-width text columns of the live table and their widths, where the catalogue tells.
    QString katalog;
    QVariantList werte{QString(tabelle)};
    if (spricht_mysql())
        katalog = QStringLiteral("SELECT COLUMN_NAME, CHARACTER_MAXIMUM_LENGTH FROM information_schema.COLUMNS "
                                 "WHERE TABLE_SCHEMA=DATABASE() AND TABLE_NAME=? AND DATA_TYPE='char';");
    else if (spricht_postgres())
        // Unquoted names are kept in lower case there.
        katalog = QStringLiteral("SELECT column_name, character_maximum_length FROM information_schema.columns "
                                 "WHERE table_schema=current_schema() AND table_name=lower(?) AND data_type='character';");
    else if (art == art_mssql)
        katalog = QStringLiteral("SELECT COLUMN_NAME, CHARACTER_MAXIMUM_LENGTH FROM INFORMATION_SCHEMA.COLUMNS "
                                 "WHERE TABLE_NAME=? AND DATA_TYPE IN ('char', 'nchar');");
    else if (art == art_oracle)
        katalog = QStringLiteral("SELECT COLUMN_NAME, CHAR_LENGTH FROM USER_TAB_COLUMNS "
                                 "WHERE TABLE_NAME=UPPER(?) AND DATA_TYPE IN ('CHAR', 'NCHAR');");
    else
        // SQLite keeps a text as it was written, whatever type the column was declared with.
        return CQString();
    const CQString methode("sichere_exakten_vergleich");
    QSqlQuery abfrage;
    if (!fuehre_aus(abfrage, CQString(katalog), methode, tabelle, true, werte))
        return CQString(tr("Fehler beim Zugriff auf Datenbanktabelle"));
    QMap<QString, int> fest;
    while (abfrage.next())
        fest.insert(abfrage.value(0).toString().toLower(), abfrage.value(1).toInt());
    abfrage.finish();
    static const QRegularExpression variabel(QStringLiteral("^N?VARCHAR2?$"), QRegularExpression::CaseInsensitiveOption);
    QVector<int> umzustellen;
    for (const int tag : beschreibung->gib_tagliste()) {
        const CQString spalte = beschreibung->gib_spaltenname(tag);
        if (spalte.isEmpty() || !fest.contains(spalte.toLower())
            || !variabel.match(beschreibung->gib_typtext(tag, spalten_typname(beschreibung->gib_spaltentyp(tag))).trimmed())
                    .hasMatch())
            continue;
        umzustellen.append(tag);
        // Until it is converted, its values are read without their padding; MySQL hands them out so.
        if (!spricht_mysql())
            aufgefuellte_spalten.insert(QStringLiteral("%1.%2").arg(tabelle, spalte).toLower());
    }
    QStringList umgestellt;
    for (const int tag : umzustellen) {
        const CQString spalte = beschreibung->gib_spaltenname(tag);
        const int typ = beschreibung->gib_spaltentyp(tag);
        const CQString typtext = beschreibung->gib_typtext(tag, spalten_typname(typ));
        // Never narrower than the table holds now: no value is cut.
        const int laenge = qMax(beschreibung->gib_laenge(tag, spalten_laenge(typ)), fest.value(spalte.toLower()));
        const QString definition = spalten_definition(spalte, typtext, laenge);
        QStringList anweisungen;
        if (spricht_mysql())
            // MySQL hands a CHAR value out without its padding: the new column takes it so.
            anweisungen.append(QStringLiteral("ALTER TABLE %1 MODIFY %2;").arg(tabelle, definition));
        else if (spricht_postgres())
            anweisungen.append(QStringLiteral("ALTER TABLE %1 ALTER COLUMN %2 TYPE %3(%4) USING rtrim(%2);")
                                   .arg(tabelle, spalte, typtext)
                                   .arg(laenge));
        else
            // These keep the padding in the new column: it goes in a second step.
            anweisungen << (art == art_mssql ? QStringLiteral("ALTER TABLE %1 ALTER COLUMN %2;")
                                             : QStringLiteral("ALTER TABLE %1 MODIFY (%2);"))
                               .arg(tabelle, definition)
                        << QStringLiteral("UPDATE %1 SET %2=RTRIM(%2);").arg(tabelle, spalte);
        for (const QString& sql : anweisungen)
            if (!fuehre_aus(CQString(sql), methode, tabelle))
                return CQString(tr("Spalte '%1' in Tabelle '%2' kann nicht auf variable Breite umgestellt werden")
                                    .arg(spalte, tabelle));
        aufgefuellte_spalten.remove(QStringLiteral("%1.%2").arg(tabelle, spalte).toLower());
        umgestellt.append(spalte);
    }
    if (!umgestellt.isEmpty())
        CQCat::gib_instanz()->warn(CQString(tr("Tabelle '%1': Textspalten %2 von fester auf variable Breite umgestellt, "
                                               "Leerzeichen der Auffüllung entfernt, alle Zeilen erhalten.")
                                                .arg(tabelle, umgestellt.join(QStringLiteral(", ")))));
    return CQString();
}

CQString CCDataBase::sql_wert_ohne_auffuellung(QVariant wert, const QString& tabelle, const QString& spalte) const
{
    CQString text = sql_wert_string(wert, false);
    if (aufgefuellte_spalten.contains(QStringLiteral("%1.%2").arg(tabelle, spalte).toLower()))
        while (text.endsWith(QLatin1Char(' ')))
            text.chop(1);
    return text;
}

CQString CCDataBase::sichere_exakte_sortierung(const CQString& tabelle) const
{
    // Only the kind that gives new text columns the exact collation (`spalten_definition`).
    if (art != art_mysql)
        return CQString();
    const CQString methode("sichere_exakten_vergleich");
    QSqlQuery abfrage;
    const CQString sql("SELECT COLUMN_NAME, COLLATION_NAME FROM information_schema.COLUMNS WHERE TABLE_SCHEMA=DATABASE() "
                       "AND TABLE_NAME=? AND COLLATION_NAME IS NOT NULL AND COLLATION_NAME<>?;");
    if (!fuehre_aus(abfrage, sql, methode, tabelle, true, {QString(tabelle), exakte_sortierung}))
        return CQString(tr("Fehler beim Zugriff auf Datenbanktabelle"));
    QStringList spalten;
    while (abfrage.next())
        spalten.append(QStringLiteral("%1 (%2)").arg(abfrage.value(0).toString(), abfrage.value(1).toString()));
    if (spalten.isEmpty())
        return CQString();
    // A table made before: its texts still compare without case, accents or trailing blanks.
    const CQString umstellen(
        QStringLiteral("ALTER TABLE %1 CONVERT TO CHARACTER SET utf8mb4 COLLATE %2;").arg(tabelle, exakte_sortierung));
    if (!fuehre_aus(umstellen, methode, tabelle))
        return CQString(tr("Tabelle '%1' kann nicht auf exakten Vergleich umgestellt werden").arg(tabelle));
    CQCat::gib_instanz()->warn(CQString(tr("Tabelle '%1': Textspalten %2 auf exakten Vergleich (%3) umgestellt, "
                                           "alle Zeilen erhalten.")
                                            .arg(tabelle, spalten.join(QStringLiteral(", ")), exakte_sortierung)));
    return CQString();
}

CQString CCDataBase::mysql_NeuerDatensatz(CQString tabelle, CQString spalte, int& id, bool& einfuegen_offen) const
{
    einfuegen_offen = false;
    const CQString label("mysql_NeuerDatensatz");
    const CQString fehler(tr("Fehler beim Anlegen eines Datensatzes"));
    const CQString sql(QStringLiteral("INSERT INTO %1 (%2) VALUES (NULL);").arg(tabelle, spalte));
    QSqlQuery abfrage;
    if (!fuehre_aus(abfrage, sql, label, tabelle))
        return fehler;
    // The id is the one this session inserted: asked of no other.
    const CQString letzte("SELECT LAST_INSERT_ID();");
    const CBindung sitzung(*this, CBindung::sitzung);
    QVariant wert;
    if (!lies_wert(letzte, label, tabelle, wert))
        return fehler;
    if (!wert.isValid()) {
        melde_sql_fehler(QString(), letzte, klasse, label, tabelle);
        return fehler;
    }
    id = wert.toInt();
    return CQString();
}

CQString CCDataBase::oracle_create_sequence(CQString tabelle, int start, CQLogBase* fenster) const
{
    const CQString sql(QStringLiteral("CREATE SEQUENCE \"%1_SEQ\" MINVALUE 1 MAXVALUE 999999999999999999999999999 "
                                      "INCREMENT BY 1 START WITH %2 CACHE 20 NOORDER  NOCYCLE;")
                           .arg(tabelle)
                           .arg(start));
    if (!schreibe_oder_fuehre_aus(sql, CQString("oracle_create_sequence"), tabelle, fenster))
        return CQString(tr("Fehler beim Zugriff auf Datenbank"));
    if (!fenster)
        CQCat::gib_instanz()->warn(CQString(tr("Sequenz '%1_SEQ' angelegt.").arg(tabelle)));
    return CQString();
}

CQString CCDataBase::oracle_drop_sequence(CQString tabelle, CQLogBase* fenster) const
{
    const CQString sql(QStringLiteral("drop SEQUENCE \"%1_SEQ\";").arg(tabelle));
    if (!schreibe_oder_fuehre_aus(sql, CQString("oracle_drop_sequence"), tabelle, fenster))
        return CQString(tr("Fehler beim Zugriff auf Datenbank"));
    if (!fenster)
        CQCat::gib_instanz()->warn(CQString(tr("Sequenz '%1_SEQ' gelöscht.").arg(tabelle)));
    return CQString();
}

bool CCDataBase::Tabellencheck(const CQString* tabelle_, const CDBTabelle* beschreibung, QStringList* meldungen,
                               CQLogBase* fenster) const
{
    const CQString tabelle = text_von(tabelle_);
    if (!beschreibung)
        return false;
    const QSqlDatabase datenbank = fenster ? QSqlDatabase() : gib_datenbank();
    const bool mit_datenbank = datenbank.isValid();
    const auto melde_fehlend = [&](const QString& text) {
        if (meldungen)
            meldungen->append(text);
        CQCat::gib_instanz()->error(CQString(text));
    };

    if (mit_datenbank) {
        CQCat::gib_instanz()->debug(CQString(tr("Tabellencheck '%1'").arg(tabelle)));
        const CQString keine;
        if (!ExistTable(tabelle, beschreibung, &keine)) {
            melde_fehlend(tr("Fehlende Tabelle: '%1'").arg(tabelle));
            return false;
        }
    }

    bool ok = true;
    const int id_tag = beschreibung->gib_id_spalte();
    const int durchgaenge = mit_datenbank ? 2 : 1;
    for (int durchgang = 1; durchgang <= durchgaenge; ++durchgang) {
        QSqlRecord satz;
        if (mit_datenbank) {
            const QString gelistet = gelisteter_name(datenbank, tabelle);
            satz = datenbank.record(gelistet.isNull() ? QString(tabelle) : gelistet);
            if (protokollstufe >= 2)
                for (int i = 0; i < satz.count(); ++i)
                    CQCat::gib_instanz()->info(CQString(QStringLiteral(" %1 : %2").arg(tabelle, satz.fieldName(i))));
        }
        for (const int tag : beschreibung->gib_tagliste()) {
            const CQString spalte = beschreibung->gib_spaltenname(tag);
            if (spalte.isEmpty() || satz.contains(spalte))
                continue;
            if (tag == id_tag) {
                // Every statement on the table names its ids; added now, the rows there would have none.
                if (mit_datenbank && durchgang == 2) {
                    melde_fehlend(tr("Fehler: In Tabelle '%1' fehlt die Datensatz-ID-Spalte '%2'").arg(tabelle, spalte));
                    ok = false;
                }
                continue;
            }
            if (durchgang == 1) {
                const int typ = beschreibung->gib_spaltentyp(tag);
                const CQString typtext = beschreibung->gib_typtext(tag, spalten_typname(typ));
                const int laenge = beschreibung->gib_laenge(tag, spalten_laenge(typ));
                // Without a database no second pass finds a failed column again: the failure itself counts.
                if (!add_column(&tabelle, &spalte, &typtext, laenge, fenster) && !mit_datenbank)
                    ok = false;
            } else {
                const QString text = tr("Fehler: In Tabelle '%1' fehlende Spalte '%2'").arg(tabelle, spalte);
                melde_fehlend(text);
                qDebug().noquote() << text;
                ok = false;
            }
        }
    }
    return ok;
}
