// The database object: the connection and back-end dialect behind every SQL statement, its log, type names and value conversions.
#pragma once

#include "cbasis.h"
#include "cqstring.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QMap>
#include <QSet>
#include <QSqlDatabase>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>

class CDBTabelle;
class CQLogBase;
class CVariableBasis;
class QSqlError;
class QSqlQuery;
class QStringList;

// The back-end kind that belongs to a Qt SQL driver name: "QMYSQL" and "QMARIADB" MySQL, "QSQLITE"
// the kind with "INTEGER PRIMARY KEY" record ids, "QOCI" Oracle, "QODBC" SQL Server, any other the
// kind without a dialect of its own.
int gib_datenbankart(const QString& treibername);

// Which connection the SQL layer uses, which dialect it speaks there and how much it logs. Every
// operation is const and none throws: failures are reported once and answered with an error text,
// false, -1 or the not-set value. GUI thread only (Qt's connections belong to their thread).
class CCDataBase : public CObjekt
{
    FRAMEWORK_KLASSE(CObjekt)
    Q_DECLARE_TR_FUNCTIONS(CCDataBase)
public:
    // Back-end kinds; the number is what every dialect decision tests.
    static constexpr int art_mysql = 0;
    static constexpr int art_allgemein = 1;
    static constexpr int art_memo = 2;
    static constexpr int art_oracle = 3;
    static constexpr int art_mssql = 4;
    static constexpr int art_sqlite = 5;

    // On the connection registered under `verbindungsname` (empty: Qt's default connection).
    // `protokollstufe` 0 logs nothing, 1 every statement, 2 also the values read. The text
    // conversion of MySQL is on when `steuerschluessel` names a control key whose value is true;
    // without a key, while `schaltvariable` (a numeric variable) is greater than 0; without both,
    // when `konvertierung_vorgabe` is set. `mssql_datumsformat` formats the date of SQL Server
    // date-time literals.
    CCDataBase(int art, const CQString& verbindungsname, int protokollstufe = 1,
               bool konvertierung_vorgabe = false, CVariableBasis* schaltvariable = nullptr,
               const CQString& steuerschluessel = CQString(),
               const CQString& mssql_datumsformat = CQString("yyyy-MM-dd"));
    // On a connection of its own, kept by the object.
    CCDataBase(int art, const QSqlDatabase& eigene_verbindung, int protokollstufe = 1,
               bool konvertierung_vorgabe = false, CVariableBasis* schaltvariable = nullptr,
               const CQString& steuerschluessel = CQString(),
               const CQString& mssql_datumsformat = CQString("yyyy-MM-dd"));
    ~CCDataBase() override;

    void ausgabe(std::ostream& os) const override;

    int gib_art() const { return art; }
    int gib_protokollstufe() const { return protokollstufe; }
    void setze_protokollstufe(int stufe) { protokollstufe = stufe; }
    const CQString& gib_verbindungsname() const { return verbindungsname; }
    // When set, long texts written to Oracle keep their special characters.
    bool ist_ohne_ersetzung() const { return ohne_ersetzung; }
    void setze_ohne_ersetzung(bool an) { ohne_ersetzung = an; }
    // MySQL: table name to the column the database numbers new records by.
    const QMap<QString, QString>& gib_autoinkrement_spalten() const { return autoinkrement_spalten; }
    void setze_autoinkrement_spalte(const QString& tabelle, const QString& spalte);

    // The connection: the own one, else the named one, else Qt's default; never opened here.
    QSqlDatabase gib_datenbank() const;
    // The statement as the back end wants it (Oracle: one final ";" less), logged before the
    // change; an empty text stays as it is and is not logged.
    CQString sql_anpassen(const CQString& sql) const;
    // From log level 1: the statement, "<" and ">" as HTML entities, at info priority.
    void protokolliere_sql(const CQString& sql) const;
    // With `immer` or from log level 2: the current row's first `spalten` values, each followed by ": :".
    void protokolliere_zeile(const QSqlQuery& abfrage, int spalten, const bool& immer) const;
    // The same for a row read by `lies_zeilen`, all its values.
    void protokolliere_zeile(const QVariantList& werte, const bool& immer) const;
    // Whether the connection can take statements: valid and open. One found lost (the server
    // restarted or cut it) is opened again here first, as before a statement (`laufe`).
    bool ist_verbunden() const;
    // Whether the driver reports result sizes (else callers count the rows).
    bool hat_abfragegroesse() const;
    // The number of rows of the query's result when the driver knows it; -1 when it does not, and
    // the caller counts the rows. A driver may claim sizes and still not know one: PostgreSQL
    // answers -1 for every forward-only query.
    int gib_abfragegroesse(const QSqlQuery& abfrage) const;
    // Sets the session up after the connection is opened. On a MySQL/MariaDB driver: the whole of
    // Unicode (utf8mb4: four-byte characters such as emoji, which utf8 refuses or turns into "?"),
    // and strict mode, so that a value the server cannot store exactly is refused with an error
    // and never stored changed; and the collation of new text columns becomes the server's exact
    // one without padding ("utf8mb4_nopad_bin" on MariaDB, "utf8mb4_0900_bin" on MySQL 8), where
    // "pad" and "pad " differ. On MySQL/MariaDB and PostgreSQL a lock that another session holds
    // is waited for `gib_db_zeitgrenzen().sperre` seconds at most, then the statement fails.
    // Empty on success, else the server's message.
    CQString richte_sitzung_ein();
    // The statements of `richte_sitzung_ein` that set a session up, for a connection of its own.
    QStringList sitzungsanweisungen() const;
    bool konvertierung_aktiv() const;
    // The query's last error up to its first ":" (Oracle's "ORA-nnnnn").
    CQString oracle_fehlercode(const QSqlQuery& abfrage) const;
    // Runs the statement through the query class after the dialect rewrite, `werte` bound to its
    // "?" in order; a failure is reported with `methode` and `tabelle` (unless `melden` is false)
    // and answered false. The query is left for reading.
    bool fuehre_aus(const CQString& sql, const CQString& methode, const CQString& tabelle) const;
    bool fuehre_aus(QSqlQuery& abfrage, const CQString& sql, const CQString& methode, const CQString& tabelle,
                    bool melden = true, const QVariantList& werte = QVariantList()) const;
    // The same for a statement a person typed: never run twice, not even a read (it may call a
    // function that writes).
    bool fuehre_getippt_aus(QSqlQuery& abfrage, const CQString& sql, const CQString& methode) const;

    // The road of every statement of the SQL layer to this object's connection (the query class
    // takes it). `lauf` runs the statement `text` on the query given; `erneut` set, a second time,
    // on the connection opened again (a statement prepared before must be prepared anew). A
    // connection found lost (`ist_verbindungsverlust`) is opened again with the same settings,
    // its session set up anew (`sitzungsanweisungen`, then the SET and USE statements that ran
    // here since), before the next statement. The statement that found it lost runs once more
    // there where a second run cannot apply it twice: outside work bound to the session
    // (`CBindung`), when it reads, or when its caller declared it so (`CWiederholbar`). Otherwise
    // the query fails with an error whose text says plainly what happened and what to check, shown
    // once in a box when the failure is reported (`melde_sql_fehler`); a write whose answer the
    // lost connection took is `ist_ungewiss`. A reconnect that failed or was given up is not tried
    // again before the person's next action: the rest of the action fails at once with that text.
    // On SQLite a write the database file refuses fails with an error whose text says why, shown
    // in a box the same way: the file is no longer the one opened (replaced, renamed, deleted), or
    // it, its folder or its file system is read-only.
    // `wirkt` false: the run applies nothing (a prepare), and is run again whatever the statement.
    bool laufe(QSqlQuery& abfrage, const QString& text, const std::function<bool(QSqlQuery&, bool erneut)>& lauf,
               bool wirkt = true) const;
    // While it lives, a write through this object that found the connection lost runs once more
    // on the connection opened again: for writes that a second run cannot apply twice, which set
    // values (never add to them) on rows picked by their keys and the values a form showed.
    // Without it a write never runs twice (`laufe`).
    class CWiederholbar
    {
    public:
        explicit CWiederholbar(const CCDataBase& datenbank);
        ~CWiederholbar();
        CWiederholbar(const CWiederholbar&) = delete;
        CWiederholbar& operator=(const CWiederholbar&) = delete;

    private:
        const CCDataBase& datenbank;
    };
    // Whether the last statement ran a second time, on the connection opened again after its first
    // run's answer was lost (`CWiederholbar`): a row it no longer found as the form showed it may
    // hold what the first run wrote.
    bool wurde_wiederholt() const { return wiederholt; }
    // Whether the last statement, or the end of a transaction, failed because the connection broke
    // before its answer came, and was not run again: a write may have been applied or not. Its
    // error text says so.
    bool ist_ungewiss() const { return ungewiss; }
    // The text for a change whose end a lost connection took: it may be saved or not, to check.
    QString ungewiss_text() const;
    // The rows of the table that meet `bedingung` (its values bound from `werte`) and hold each
    // column's value (`sql_haelt_wert`); -1 when they cannot be counted (not reported).
    int zaehle_mit_werten(const CQString& tabelle, const QString& bedingung, QVariantList werte,
                          const QVector<QPair<QString, QVariant>>& spalten) const;
    // Whether the statement failed because the connection is gone (the server restarted or cut
    // it, ended it for idling, an administrator killed it, the network dropped it), by every code
    // by which the driver or the server says the session ended: MySQL/MariaDB 2006, 2013, 2055,
    // 1927, 1053, 1158 to 1161 and 3169, and 4031 from a MySQL server; PostgreSQL's SQLSTATE class
    // 08, 57P01 to 57P05, 25P03 and 25P04; Qt's connection error, or a connection whose driver
    // holds a handle it no longer counts as open (PostgreSQL's status of a broken connection).
    // Never on SQLite, whose database is a file.
    bool ist_verbindungsverlust(const QSqlError& fehler) const;
    // The same on a connection of its own (one beside the window, in its thread).
    static bool ist_verbindungsverlust_bei(const QSqlDatabase& verbindung, const QSqlError& fehler);

    // Reads the rows of a statement that a person waits for (a list shown anew), its values bound
    // from `werte`: each row's values as read. On a server connection (`laeuft_beiseite`) it runs
    // beside the window on a connection of its own and is given up when the server does not answer
    // (`fuehre_beiseite_aus`), read once more on a new one when the connection broke mid-read;
    // elsewhere on this object's connection. The statement is rewritten and logged here, once, its
    // rows are not. False after a failure, reported with `methode` and `tabelle`
    // under `berichtsklasse` (this class when null); `zeilen` then holds nothing.
    bool lies_zeilen(const CQString& sql, const CQString& methode, const CQString& tabelle,
                     QVector<QVariantList>& zeilen, CKlasse* berichtsklasse = nullptr,
                     const QVariantList& werte = QVariantList()) const;

    // Type names and lengths of column type codes, and column definitions, in this dialect.
    CQString spalten_typname(int typcode) const;
    int spalten_laenge(int typcode) const;
    CQString memo_typname() const;
    int memo_limit() const;
    bool hat_memo_limit() const;
    CQString spalten_definition(const CQString& name, const CQString& typtext, int laenge) const;

    // Values read from a query; a missing (invalid or NULL) or unconvertible value gives the
    // not-set value of its type (-1 for `sql_wert_int`).
    int sql_wert_int(QVariant wert) const;
    int sql_wert_ganzzahl(QVariant wert) const;
    double sql_wert_double(QVariant wert) const;
    bool sql_wert_bool(QVariant wert, const bool& vorgabe) const;
    CQString sql_wert_string(QVariant wert, const bool& ohne_zeilenumbruch) const;

    // The text ready to stand between single quotes.
    CQString sql_text_literal(const CQString& text) const;
    // Appends the column and the text as a literal, the raw text cut to `maximum` (> 0)
    // characters first (code points, never half of one); an empty text as NULL.
    void haenge_text_an(bool einfuegen, CQString& spalten, CQString& werte, const CQString& spalte,
                        const CQString& text, int maximum) const;
    // Appends the column and the date-time literal of the dialect; an invalid one as NULL.
    void haenge_datumzeit_an(bool einfuegen, CQString& spalten, CQString& werte, const CQString& spalte,
                             const QDateTime& zeit, const bool* mit_millisekunden) const;
    // Writes a long text into one record through a bound value, cut to the back end's limit in
    // characters; empty on success, else the error text. A text of at most one UTF-16 unit is
    // stored as NULL.
    CQString update_blob(CQString text, const CQString* tabelle, const CQString* spalte,
                         const CQString* id_spalte, int id) const;

    // Tables, keys and record ids. A log window (script mode) gets each statement that creates or
    // changes a table as a line instead of the database; null runs it. A failed statement is
    // reported once, with the operation's name, and answered false, -1 or an error text.

    // Creates the table with its record-id column only (type code 17 of the description, else its
    // first column without key; without a description `id_spalte`), with the key when asked.
    // Oracle gets a sequence from one above the highest id. The other columns come from `Tabellencheck`.
    bool TabelleAnlegen(const CQString* tabelle, const CDBTabelle* beschreibung, CQLogBase* fenster,
                        const CQString* id_spalte, bool primaerschluessel) const;
    // A type text "x" or "Memo" stands for the back end's long-text type.
    bool add_column(const CQString* tabelle, const CQString* spalte, const CQString* typtext, const int& laenge,
                    CQLogBase* fenster) const;
    // The key on the column; MySQL numbers it by AUTO_INCREMENT from then on.
    bool AddPrimaryKey(const CQString* tabelle, const CQString* spalte, CQLogBase* fenster) const;
    // Whether the table exists, its name compared without case. On Oracle it also repairs the
    // table's sequence: a missing one is created, one behind the ids restarts above them.
    bool ExistTable(CQString tabelle, const CDBTabelle* beschreibung, const CQString* id_spalte) const;
    // Deletes every row; empty on success, else the error text.
    CQString ClearTable(CQString tabelle) const;
    bool emptyTabelle(const CQString* tabelle) const;
    // The number of rows, -1 on any failure (reported unless `still`). `bedingung` is put into the
    // statement as it is: every value in it stands as "?" and comes bound from `werte`, in order.
    int gib_anzahl_records(const CQString* tabelle, const bool& still, const CQString* bedingung,
                           const QVariantList& werte = QVariantList()) const;
    // The highest id (0 for an empty table); empty on success, else the error text.
    CQString MaxRecordId(CQString tabelle, CQString id_spalte, int& maximum) const;
    // A new id in `id` (the caller's previous id on entry, never handed out twice in a row):
    // Oracle's sequence value; elsewhere one above both the highest id of the table and the highest
    // id ever handed out for it (`sichere_nummernstand`), so that the id of a deleted record is
    // never given again, whichever session asks. Where the account can neither make nor use that
    // table, one above the highest id of the table (logged once): the table's key decides between
    // two sessions, and the id of a record deleted as the highest may come again.
    CQString NewRecordId(CQString tabelle, CQString id_spalte, int& id) const;
    // The table that keeps, for every table whose ids `NewRecordId` hands out, the highest one
    // handed out: created when missing (no table changes its form), and asked once whether this
    // account may read, add and raise its marks. Empty when it can be used; else the text that
    // names what is missing and what follows from it (not reported; the same on every call).
    CQString sichere_nummernstand() const;
    // Whether the ids handed out for the table are never given twice: Oracle's sequence, MySQL's
    // auto-increment, the usable table of marks. Not where they follow the highest id.
    bool gibt_nummern_einmal(const CQString& tabelle) const;
    // A new record with a new id. `einfuegen_offen` true (Oracle): the caller inserts it itself.
    CQString NeuerDatensatz(CQString tabelle, CQString id_spalte, int& id, bool& einfuegen_offen) const;
    // What became of a new record (`schreibe_neuen_datensatz`).
    struct CNeuerDatensatz
    {
        // Empty when the row was written, or when `quelle` yielded no row; else the error text.
        CQString fehler;
        // The new record's id; -1 when no row was written.
        int id = -1;
        // No id could be had: nothing was written (the failure is reported).
        bool id_fehler = false;
        // The row was written.
        bool geschrieben = false;
        // The account lacks a right on the table: `fehler` names it (`fehlendes_recht`).
        bool recht_fehlt = false;
        // The connection broke while the row was sent, and whether it was written cannot be told
        // (the server numbers the rows, or the connection stays lost): the failure's box said so
        // plainly, and nothing else is to be said about the row.
        bool ungewiss = false;
    };
    // A new record with its values, in one INSERT: it is there whole or not at all, also when the
    // connection drops. When the connection broke while it was sent, the record is looked for by
    // the id this layer chose and the values sent: there, it was written; else it is sent once
    // more (`ist_ungewiss`, `CNeuerDatensatz::ungewiss`). MySQL tables of the auto-increment map take the server's number; the
    // others `NewRecordId` (`vorige_id` as the previous id), and an id that another session took
    // meanwhile gives way to a new one. The values are bound, never in the statement text (quotes,
    // backslashes and passwords stay out of the statement and the log). With `quelle` ("FROM ...
    // WHERE ..."), the values are selected from it: the row is written only while it yields a row,
    // checked in the same statement. A failed statement is reported with `methode`.
    CNeuerDatensatz schreibe_neuen_datensatz(const CQString& tabelle, const CQString& id_spalte,
                                             const QStringList& spalten, const QVariantList& werte, int vorige_id,
                                             const CQString& methode, const CQString& quelle = CQString()) const;
    // The text that names the right the account lacks on the table ("permission denied" and its
    // kin, by the server's error code), when the statement failed for want of one; empty for any
    // other failure.
    CQString fehlendes_recht(const QSqlError& fehler, const CQString& tabelle) const;
    // Deletes the record with the id only while `bedingung` (appended to its WHERE with AND; empty:
    // none; its values bound from `werte`) holds, checked in the same statement; where the back end locks rows, the record is
    // locked first in a transaction, so that a row that another session is about to make the
    // condition false with waits. The rows deleted (0 or 1), -1 after a failure (reported with
    // `methode` under `berichtsklasse`, this class when null).
    int loesche_wenn(const CQString& tabelle, const CQString& id_spalte, int id, const CQString& bedingung,
                     const CQString& methode, CKlasse* berichtsklasse = nullptr,
                     const QVariantList& werte = QVariantList()) const;
    // Runs `schreiben` (empty when it succeeded, else its error text) as the only writer of the
    // table, in one transaction: its statements take effect whole or not at all, and a second
    // session's call waits until this one has ended (at most 30 s, then it fails). The table is
    // held by a lock of the table in the transaction; MySQL, whose table definitions end a
    // transaction, holds a named lock of the server ("<database>.<table>") for the whole call.
    // Without transactions on the connection `schreiben` runs alone. Empty after the commit, else
    // the error text (a failed lock or commit reported with `methode`), everything rolled back; a
    // commit whose answer a lost connection took may have been saved (`ist_ungewiss`), and the
    // text says so.
    CQString schreibe_allein(const CQString& tabelle, const std::function<CQString()>& schreiben,
                             const CQString& methode) const;
    // The condition that the column still holds the value as it was read, its value appended to
    // `werte`, or "(<column> IS NULL)" for a missing one: a write that carries it touches no row
    // that another session has changed since. A text compares exactly, byte for byte, whatever the
    // column's collation or kind: a table from before that compares without case or trailing
    // blanks still tells "hans meier" from "Hans Meier" and "100" from "100 " here.
    QString sql_haelt_wert(const QString& spalte, const QVariant& wert, QVariantList& werte) const;
    // Appended to a SELECT, the clause that holds the rows read against a concurrent change or
    // delete until the statement's transaction ends: "LOCK IN SHARE MODE" on MySQL, "FOR SHARE" on
    // PostgreSQL, empty elsewhere (SQLite runs one writing statement at a time anyway).
    CQString teilsperre() const;
    // Makes the column's values unique by the database itself: a unique index "<table>_<column>_uk"
    // when it is missing. Values held more than once block it: nothing is dropped, and the text names
    // them. Empty when the key is there or was made; else that text or the error text.
    CQString sichere_eindeutigkeit(const CQString& tabelle, const CQString& spalte) const;
    // Brings the table's texts to exact comparison, converting the columns with their rows, each
    // change with a log line. MySQL: the text columns get the exact collation of this session
    // (trailing blanks, case and accents count). Every back end whose fixed-width CHAR pads (MySQL,
    // PostgreSQL, SQL Server, Oracle): a column the description declares VARCHAR but the table holds
    // as CHAR (a table from before) becomes VARCHAR, its values without the padding, so that names
    // read back and compare as they were written. Empty on success, else the error text.
    CQString sichere_exakten_vergleich(const CQString& tabelle, const CDBTabelle* beschreibung) const;
    // The value's text as it was written (`sql_wert_string`): a column that stayed of fixed width
    // where `sichere_exakten_vergleich` could not convert it (the account does not own the table,
    // another session held it) hands its values out padded with blanks, which go here.
    CQString sql_wert_ohne_auffuellung(QVariant wert, const QString& tabelle, const QString& spalte) const;
    // MySQL: a record numbered by the database through AUTO_INCREMENT in `spalte`.
    CQString mysql_NeuerDatensatz(CQString tabelle, CQString spalte, int& id, bool& einfuegen_offen) const;
    // Oracle sequence "<tabelle>_SEQ", the name taken as given.
    CQString oracle_create_sequence(CQString tabelle, int start, CQLogBase* fenster) const;
    CQString oracle_drop_sequence(CQString tabelle, CQLogBase* fenster) const;
    // Compares the description with the live table, adds missing columns (the record-id column and
    // columns without a name excepted) and returns false when the table or a column is still
    // missing, each appended to `meldungen`. A missing record-id column is never added (the rows
    // there would have no ids) and fails the check like any other missing column. With a log
    // window nothing is read or run: the statements go there.
    bool Tabellencheck(const CQString* tabelle, const CDBTabelle* beschreibung, QStringList* meldungen,
                       CQLogBase* fenster) const;

private:
    // Work that depends on one session of the server, while it lives: a transaction (its work
    // undone by the server when the connection goes), a named lock or a value only that session
    // knows. A connection lost meanwhile is not opened again until it ends, and no statement of
    // it runs twice; its next statement after finds the connection opened again. `einmal`: only
    // the second run of a statement is left out (a statement a person typed); `wiederholbar`: a
    // write may run twice (`CWiederholbar`).
    class CBindung
    {
    public:
        enum Art { einmal, sitzung, transaktion, wiederholbar };
        CBindung(const CCDataBase& datenbank, Art art);
        ~CBindung();
        CBindung(const CBindung&) = delete;
        CBindung& operator=(const CBindung&) = delete;

    private:
        const CCDataBase& datenbank;
        Art art;
    };
    // While it lives, Qt's warnings that a statement prepared on a lost session cannot be freed are
    // dropped: the session took its statements with it. In the program's main thread only.
    class CStillesFreigeben
    {
    public:
        CStillesFreigeben();
        ~CStillesFreigeben();
        CStillesFreigeben(const CStillesFreigeben&) = delete;
        CStillesFreigeben& operator=(const CStillesFreigeben&) = delete;

    private:
        bool aktiv = false;
    };
    // Begins a transaction on the connection, opened again first when it was found lost (a begin
    // that finds it lost is repeated there); its work is bound (`CBindung`) from then on.
    bool beginne_transaktion(QSqlDatabase& verbindung) const;
    // Commits the transaction (`festschreiben`) or rolls it back; false with the driver's error in
    // `fehler`. A lost connection is marked for the next statement; a commit whose answer it took
    // is `ist_ungewiss`. The server rolls back what a lost session began.
    bool beende_transaktion(QSqlDatabase& verbindung, bool festschreiben, QString& fehler) const;
    // A reconnect failed or was given up: none is tried again before the person's next action,
    // when the event loop that the action came from runs again.
    void ruhe() const;
    bool ruht() const;
    struct CRuhe;
    static void wecke_nach_aktion(const std::weak_ptr<CRuhe>& ruhe, int ms);
    // Whether the failure for a lost connection gets its box: in the rest of an action after a
    // failed reconnect, only the first.
    bool verlust_box() const;
    // Sets the statement's error for a lost connection (`setze_verbindungsfehler`), its box by
    // `verlust_box`; the query lets its prepared statement go.
    void setze_verlust(QSqlQuery& abfrage, const QString& text) const;
    // Opens the connection again with the settings it has, after a look beside the window whether
    // the server answers (a server that does not keeps the window answering), and sets the session
    // up anew. False, with the reason kept for the message, when that fails: closed then.
    bool oeffne_wieder() const;
    // A connection whose driver holds a handle it no longer counts as open.
    bool ist_abgerissen() const;
    // Whether no work bound to the session is under way (`CBindung`).
    bool ist_frei() const;
    // Opens a connection found lost (before, or now by its driver) again, outside bound work;
    // true when it did.
    bool erneuere_verlorene() const;
    // The text of a statement given up for a lost connection; `wieder_offen` false: it could not be
    // opened again, for `grund` (`verlust_grund` when empty).
    QString verlust_text(bool wieder_offen, const QString& grund = QString()) const;
    // Notes a SET or USE statement that ran, to be run again on a connection opened again.
    void merke_sitzung(const QString& text) const;

    CCDataBase(int art, bool eigene, const QSqlDatabase& eigene_verbindung, const CQString& verbindungsname,
               int protokollstufe, bool konvertierung_vorgabe, CVariableBasis* schaltvariable,
               const CQString& steuerschluessel, const CQString& mssql_datumsformat);

    // Whether the connection speaks MySQL (kind 0 or a MySQL/MariaDB driver, whatever kind the
    // object was given): backslashes escape in its literals, and its locks and catalogue are MySQL's.
    bool spricht_mysql() const;
    bool spricht_postgres() const;
    // The Oracle long-text type: the setting, "CLOB" without one.
    CQString oracle_lobtyp() const;
    // Writes the statement to the log window, or runs it.
    bool schreibe_oder_fuehre_aus(const CQString& sql, const CQString& methode, const CQString& tabelle,
                                  CQLogBase* fenster) const;
    // The first value of a statement that reads one; false when it failed (reported unless
    // `melden` is false); `wert` stays invalid without a row.
    bool lies_wert(const CQString& sql, const CQString& methode, const CQString& tabelle, QVariant& wert,
                   bool melden = true, const QVariantList& werte = QVariantList()) const;
    // The next value of the table's Oracle sequence in `abfrage`, the sequence created one above
    // the highest id of `id_spalte` when it is still missing after a second try. Failures other
    // than the missing sequence are reported with `methode` when `andere_melden`; the last try's
    // failure always.
    bool oracle_naechster_wert(const CQString& tabelle, const CQString& id_spalte, QSqlQuery& abfrage,
                               const CQString& methode, bool andere_melden) const;
    // The id after the highest of the table and of its mark in the table of `sichere_nummernstand`,
    // the caller's previous one skipped, taken in that mark; false after a failure (reported).
    bool naechste_nummer(const CQString& tabelle, const CQString& id_spalte, int vorige, int& neu) const;
    // The parts of `sichere_exakten_vergleich`: the collation, the fixed-width columns.
    CQString sichere_exakte_sortierung(const CQString& tabelle) const;
    CQString sichere_variable_breite(const CQString& tabelle, const CDBTabelle* beschreibung) const;
    // Whether the index exists; false in `bekannt` when the back end gives no way to ask.
    bool hat_index(const CQString& tabelle, const QString& index, bool& bekannt) const;
    // Appended to a SELECT, the clause that locks the rows read for a change ("FOR UPDATE"), where
    // the SQL layer knows one; empty elsewhere.
    CQString schreibsperre() const;

    int art;
    bool ohne_ersetzung = false;
    bool eigene_verbindung_aktiv;
    bool konvertierung_vorgabe;
    int protokollstufe;
    CVariableBasis* schaltvariable;
    CQString steuerschluessel;
    QSqlDatabase eigene_verbindung;
    CQString mssql_datumsformat;
    CQString verbindungsname;
    QString exakte_sortierung = QStringLiteral("utf8mb4_bin");
    QMap<QString, QString> autoinkrement_spalten;
    // "table.column" in lower case of the columns that stayed of fixed width.
    mutable QSet<QString> aufgefuellte_spalten;
    // Whether `sichere_nummernstand` found its table usable, and why not.
    enum class CMarken { ungeprueft, nutzbar, unbrauchbar };
    mutable CMarken marken = CMarken::ungeprueft;
    mutable CQString marken_grund;
    // The connection was found lost and not yet opened again; why the last try failed.
    mutable bool verloren = false;
    mutable QString verlust_grund;
    // The work under way, by the kinds of `CBindung`.
    mutable int gebunden[4] = {0, 0, 0, 0};
    // Of the last statement: `wurde_wiederholt`, `ist_ungewiss`.
    mutable bool wiederholt = false;
    mutable bool ungewiss = false;
    // The session's own SET and USE statements since the log-on (`merke_sitzung`).
    mutable QStringList eigene_sitzung;
    // Set while reconnects rest (`ruhe`).
    mutable std::shared_ptr<CRuhe> ruhe_stand;
};
