#include "ccdatabase.h"
#include "ccat.h"
#include "cdbbeiseite.h"
#include "cdbzeitgrenzen.h"
#include "cqsqlquery.h"
#include "cvariablebasistemplate.h"
#include "ebool.h"
#include "gui.h"
#include "katalog.h"
#include "oracletext.h"
#include "sqlfehler.h"
#include "sqlwerte.h"
#include "steuerdaten.h"
#include "widgetklassen.h"
#include "zeichenlaenge.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <cmath>
#include <memory>
#include <limits>

CKlasse* CCDataBase::klasse = &gib_widget_klassen().ccdatabase;

namespace {

constexpr double nicht_gesetzt_double = 99999999.0;

bool ist_mysql_treiber(const QString& treibername)
{
    return treibername == QLatin1String("QMYSQL") || treibername == QLatin1String("QMARIADB");
}

// Whether a numeric configuration variable's current value (its default while unset) is above 0.
bool groesser_null(const CVariableBasis* variable)
{
    if (const auto* v = dynamic_cast<const CVariableBasisTemplate<int>*>(variable))
        return v->gib_wert() > 0;
    if (const auto* v = dynamic_cast<const CVariableBasisTemplate<unsigned>*>(variable))
        return v->gib_wert() > 0u;
    if (const auto* v = dynamic_cast<const CVariableBasisTemplate<double>*>(variable))
        return v->gib_wert() > 0.0;
    if (const auto* v = dynamic_cast<const CVariableBasisTemplate<EBool>*>(variable))
        return v->gib_wert() > NEIN;
    return false;
}

// The exact inverse of `CQString::zu_latin1`: each UTF-8 byte as one Latin-1 character, so that a
// connection that takes characters as bytes stores the UTF-8 form that the reading side decodes.
CQString als_utf8_zeichen(const QString& text)
{
    return CQString(QString::fromLatin1(text.toUtf8()));
}

const CQString& oder_leer(const CQString* text)
{
    static const CQString leer;
    return text ? *text : leer;
}

} // namespace

int gib_datenbankart(const QString& treibername)
{
    if (ist_mysql_treiber(treibername))
        return CCDataBase::art_mysql;
    if (treibername == QLatin1String("QSQLITE"))
        return CCDataBase::art_sqlite;
    if (treibername == QLatin1String("QOCI"))
        return CCDataBase::art_oracle;
    if (treibername == QLatin1String("QODBC"))
        return CCDataBase::art_mssql;
    return CCDataBase::art_allgemein;
}

CCDataBase::CCDataBase(int art, bool eigene, const QSqlDatabase& eigene_verbindung, const CQString& verbindungsname,
                       int protokollstufe, bool konvertierung_vorgabe, CVariableBasis* schaltvariable,
                       const CQString& steuerschluessel, const CQString& mssql_datumsformat)
    : art(art), eigene_verbindung_aktiv(eigene), konvertierung_vorgabe(konvertierung_vorgabe),
      protokollstufe(protokollstufe), schaltvariable(schaltvariable), steuerschluessel(steuerschluessel),
      eigene_verbindung(eigene_verbindung), mssql_datumsformat(mssql_datumsformat), verbindungsname(verbindungsname)
{
}

CCDataBase::CCDataBase(int art, const CQString& verbindungsname, int protokollstufe, bool konvertierung_vorgabe,
                       CVariableBasis* schaltvariable, const CQString& steuerschluessel,
                       const CQString& mssql_datumsformat)
    : CCDataBase(art, false, QSqlDatabase(), verbindungsname, protokollstufe, konvertierung_vorgabe, schaltvariable,
                 steuerschluessel, mssql_datumsformat)
{
}

CCDataBase::CCDataBase(int art, const QSqlDatabase& eigene_verbindung, int protokollstufe,
                       bool konvertierung_vorgabe, CVariableBasis* schaltvariable,
                       const CQString& steuerschluessel, const CQString& mssql_datumsformat)
    : CCDataBase(art, true, eigene_verbindung, CQString(eigene_verbindung.connectionName()), protokollstufe,
                 konvertierung_vorgabe, schaltvariable, steuerschluessel, mssql_datumsformat)
{
}

CCDataBase::~CCDataBase() = default;

void CCDataBase::ausgabe(std::ostream& os) const
{
    os << "CCDataBase: Art " << art << ", Verbindung '" << qstring_zu_string(verbindungsname) << "'";
}

void CCDataBase::setze_autoinkrement_spalte(const QString& tabelle, const QString& spalte)
{
    autoinkrement_spalten.insert(tabelle, spalte);
}

QSqlDatabase CCDataBase::gib_datenbank() const
{
    if (eigene_verbindung_aktiv)
        return eigene_verbindung;
    if (!verbindungsname.isEmpty())
        return QSqlDatabase::database(verbindungsname, false);
    return QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false);
}

CQString CCDataBase::sql_anpassen(const CQString& sql) const
{
    if (sql.isEmpty())
        return sql;
    protokolliere_sql(sql);
    if (art == art_oracle && sql.size() > 1 && sql.endsWith(QLatin1Char(';')))
        return CQString(sql.left(sql.size() - 1));
    return sql;
}

void CCDataBase::protokolliere_sql(const CQString& sql) const
{
    if (protokollstufe >= 1)
        CQCat::gib_instanz()->info(als_html_text(sql));
}

void CCDataBase::protokolliere_zeile(const QSqlQuery& abfrage, int spalten, const bool& immer) const
{
    if (!immer && protokollstufe < 2)
        return;
    QVariantList werte;
    for (int i = 0; i < spalten; ++i)
        werte.append(abfrage.isValid() ? abfrage.value(i) : QVariant());
    protokolliere_zeile(werte, true);
}

void CCDataBase::protokolliere_zeile(const QVariantList& werte, const bool& immer) const
{
    if (!immer && protokollstufe < 2)
        return;
    QString zeile;
    for (const QVariant& wert : werte)
        zeile += wert.toString() + QLatin1String(": :");
    CQCat::gib_instanz()->info(CQString(zeile));
}

bool CCDataBase::hat_abfragegroesse() const
{
    QSqlDatabase datenbank = gib_datenbank();
    if (!datenbank.isValid())
        datenbank = QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false);
    return datenbank.isValid() && datenbank.driver()->hasFeature(QSqlDriver::QuerySize);
}

bool CCDataBase::konvertierung_aktiv() const
{
    if (!steuerschluessel.isEmpty())
        return gib_steuerwert(steuerschluessel, false).toBool();
    if (schaltvariable)
        return groesser_null(schaltvariable);
    return konvertierung_vorgabe;
}

CQString CCDataBase::oracle_fehlercode(const QSqlQuery& abfrage) const
{
    return CQString(abfrage.lastError().text().section(QLatin1Char(':'), 0, 0));
}

bool CCDataBase::fuehre_aus(const CQString& sql, const CQString& methode, const CQString& tabelle) const
{
    QSqlQuery abfrage;
    return fuehre_aus(abfrage, sql, methode, tabelle);
}

bool CCDataBase::fuehre_aus(QSqlQuery& abfrage, const CQString& sql, const CQString& methode,
                            const CQString& tabelle, bool melden, const QVariantList& werte) const
{
    // The query class never runs on Qt's default connection when this object has none.
    CQSqlQuery lauf(CQString(), this, false);
    const bool ok = lauf.fuehre_aus(sql, werte);
    abfrage = lauf;
    if (!ok && melden)
        melde_sql_fehler(abfrage, sql, klasse, methode, tabelle);
    return ok;
}

namespace {

// Takes the rows of a query that ran.
void nimm_zeilen(QSqlQuery& abfrage, QVector<QVariantList>& zeilen)
{
    while (abfrage.next()) {
        QVariantList zeile;
        for (int i = 0; i < abfrage.record().count(); ++i)
            zeile.append(abfrage.value(i));
        zeilen.append(zeile);
    }
}

// The error of a query that failed, never empty.
QString fehler_von(const QSqlQuery& abfrage)
{
    const QString text = abfrage.lastError().text();
    return text.isEmpty() ? QStringLiteral("???") : text;
}

// What a read beside the window found.
struct CGelesen
{
    QVector<QVariantList> zeilen;
    // The statement ran, and found its connection lost.
    bool verlust = false;
};

// Runs the statement on a connection of its own and takes its rows; empty on success, else the error.
QString lies_alle(QSqlDatabase& db, const QString& sql, const QVariantList& werte, CGelesen& gelesen)
{
    QSqlQuery abfrage(db);
    abfrage.setForwardOnly(true);
    bool ok = abfrage.prepare(sql);
    for (const QVariant& wert : werte)
        abfrage.addBindValue(wert);
    ok = ok && abfrage.exec();
    if (!ok) {
        gelesen.verlust = CCDataBase::ist_verbindungsverlust_bei(db, abfrage.lastError());
        return fehler_von(abfrage);
    }
    nimm_zeilen(abfrage, gelesen.zeilen);
    return QString();
}

} // namespace

bool CCDataBase::lies_zeilen(const CQString& sql, const CQString& methode, const CQString& tabelle,
                             QVector<QVariantList>& zeilen, CKlasse* berichtsklasse, const QVariantList& werte) const
{
    zeilen.clear();
    QSqlDatabase db = gib_datenbank();
    QString fehler;
    // The text for a server lost or not to be reached, said plainly as on this object's connection.
    QString hinweis;
    // Logged once, whichever connection runs it.
    const CQString text = sql_anpassen(sql);
    // Beside the window a connection of its own is opened: this one need only hold the values.
    const bool beiseite = db.isValid() && laeuft_beiseite(db.driverName());
    bool hier = !beiseite;
    if (beiseite && verloren && ruht()) {
        // The server was waited for in vain in this action already.
        fehler = hinweis = verlust_text(false);
    } else if (beiseite) {
        CDBZugang zugang = CDBZugang::von(db);
        zugang.sitzung = sitzungsanweisungen() + eigene_sitzung;
        bool abgewiesen = false;
        bool abgerissen = false;
        // A connection that broke mid-read (a server restarted) is read once more on a new one.
        for (int versuch = 0; versuch < 2 && (versuch == 0 || abgerissen); ++versuch) {
            // Filled beside the window; read here only once that has ended.
            const auto gelesen = std::make_shared<CGelesen>();
            fehler = fuehre_beiseite_aus(
                zugang, [text, werte, gelesen](QSqlDatabase& beiseite) { return lies_alle(beiseite, text, werte, *gelesen); },
                &abgewiesen);
            abgerissen = gelesen->verlust;
            if (fehler.isEmpty())
                zeilen = gelesen->zeilen;
        }
        // No second connection to be had (a limit of the server's, of open files): the statement
        // runs on this one, as before.
        hier = !fehler.isEmpty() && abgewiesen && ist_verbunden();
        if (abgerissen && !hier)
            hinweis = verlust_text(false, fehler);
    } else if (!ist_verbunden()) {
        fehler = tr("Datenbank '%1'  NICHT verbunden !").arg(verbindungsname);
        hier = false;
    }
    if (hier) {
        // On this object's connection, on the road of every statement.
        CQSqlQuery abfrage(CQString(), this, false);
        abfrage.setForwardOnly(true);
        fehler = abfrage.fuehre_angepasst_aus(text, werte) ? QString() : fehler_von(abfrage);
        if (fehler.isEmpty())
            nimm_zeilen(abfrage, zeilen);
    }
    if (fehler.isEmpty())
        return true;
    zeilen.clear();
    CKlasse* const bericht = berichtsklasse ? berichtsklasse : klasse;
    if (!hinweis.isEmpty() && verlust_box())
        melde_verbindungsfehler(hinweis, fehler, sql, bericht, methode, tabelle);
    else
        melde_sql_fehler(hinweis.isEmpty() || fehler.contains(hinweis) ? fehler : hinweis + QLatin1Char(' ') + fehler, sql,
                         bericht, methode, tabelle);
    return false;
}

int CCDataBase::gib_abfragegroesse(const QSqlQuery& abfrage) const
{
    if (!hat_abfragegroesse())
        return -1;
    return qMax(-1, abfrage.size());
}

QStringList CCDataBase::sitzungsanweisungen() const
{
    // The statements are the server's: the driver decides, not the kind the object was given.
    // A lock another session holds (an open transaction, a table being converted) is waited for a
    // few seconds, not for good: MariaDB's default wait is a day, PostgreSQL's has no end.
    const int sperre = qMax(1, gib_db_zeitgrenzen().sperre);
    QStringList anweisungen;
    if (ist_mysql_treiber(gib_datenbank().driverName()))
        anweisungen << QStringLiteral("SET NAMES utf8mb4")
                    << QStringLiteral("SET SESSION sql_mode=CONCAT_WS(',', NULLIF(@@SESSION.sql_mode, ''), 'STRICT_ALL_TABLES')")
                    << QStringLiteral("SET SESSION lock_wait_timeout=%1").arg(sperre)
                    << QStringLiteral("SET SESSION innodb_lock_wait_timeout=%1").arg(sperre);
    else if (spricht_postgres())
        anweisungen << QStringLiteral("SET lock_timeout=%1").arg(sperre * 1000);
    return anweisungen;
}

CQString CCDataBase::richte_sitzung_ein()
{
    const bool mysql = ist_mysql_treiber(gib_datenbank().driverName());
    for (const QString& text : sitzungsanweisungen()) {
        QSqlQuery abfrage;
        if (!fuehre_aus(abfrage, CQString(text), CQString("richte_sitzung_ein"), CQString()))
            return CQString(abfrage.lastError().text());
    }
    if (!mysql)
        return CQString();
    // utf8mb4_bin pads: "pad " would count as "pad". The exact collations without padding are
    // MariaDB's (10.2 on) and MySQL's (8.0 on); an older server keeps utf8mb4_bin.
    QSqlQuery abfrage;
    if (!fuehre_aus(abfrage,
                    CQString("SELECT COLLATION_NAME FROM information_schema.COLLATIONS "
                             "WHERE COLLATION_NAME IN ('utf8mb4_nopad_bin', 'utf8mb4_0900_bin');"),
                    CQString("richte_sitzung_ein"), CQString()))
        return CQString(abfrage.lastError().text());
    QStringList vorhanden;
    while (abfrage.next())
        vorhanden.append(abfrage.value(0).toString());
    for (const char* sortierung : {"utf8mb4_nopad_bin", "utf8mb4_0900_bin"})
        if (vorhanden.contains(QLatin1String(sortierung))) {
            exakte_sortierung = QLatin1String(sortierung);
            break;
        }
    return CQString();
}

QString CCDataBase::sql_haelt_wert(const QString& spalte, const QVariant& wert, QVariantList& werte) const
{
    if (!ist_sql_wert_da(wert))
        return QStringLiteral("(%1 IS NULL)").arg(spalte);
    werte.append(wert);
    if (wert.userType() != QMetaType::QString)
        return QStringLiteral("(%1=?)").arg(spalte);
    // MySQL: the bytes of both in the connection's character set (a Latin-1 column converted
    // first); a binary string keeps its trailing blanks.
    if (spricht_mysql())
        return QStringLiteral("(CAST(CONVERT(%1 USING utf8mb4) AS BINARY)=CAST(? AS BINARY))").arg(spalte);
    // PostgreSQL: both as text in the byte order of the collation "C", so that neither a collation
    // nor a type whose own equality ignores case (citext) decides. The value takes the column's type
    // first (the other operand of COALESCE): a CHAR column keeps its rule that padding counts not.
    if (spricht_postgres())
        return QStringLiteral("(CAST(%1 AS text) COLLATE \"C\"=CAST(COALESCE(?, %1) AS text))").arg(spalte);
    // SQLite: the byte order of BINARY, also over a column declared case-blind.
    if (art == art_sqlite || gib_datenbank().driverName() == QLatin1String("QSQLITE"))
        return QStringLiteral("(%1 COLLATE BINARY=?)").arg(spalte);
    // SQL Server ignores trailing blanks in every comparison: a mark after both makes them count.
    if (art == art_mssql)
        return QStringLiteral("((%1+N'|') COLLATE Latin1_General_BIN2=?+N'|')").arg(spalte);
    // Oracle compares VARCHAR2 byte by byte and blanks included, unless a session asks for a
    // linguistic comparison, which this program never does.
    return QStringLiteral("(%1=?)").arg(spalte);
}

CQString CCDataBase::teilsperre() const
{
    if (spricht_mysql())
        return CQString(" LOCK IN SHARE MODE");
    return CQString(spricht_postgres() ? " FOR SHARE" : "");
}

CQString CCDataBase::schreibsperre() const
{
    return CQString(spricht_mysql() || spricht_postgres() || art == art_oracle ? " FOR UPDATE" : "");
}

// --- Type names ---

CQString CCDataBase::oracle_lobtyp() const
{
    const QString typ = lese_einstellung(CQString("Oracle/LOBtype")).toString();
    // Without a setting every long-text column would get an empty type and fail.
    return CQString(typ.isEmpty() ? QStringLiteral("CLOB") : typ);
}

CQString CCDataBase::memo_typname() const
{
    switch (art) {
    case art_mysql:
    case art_allgemein:
    case art_mssql:
    case art_sqlite:
        return CQString("TEXT");
    case art_memo:
        return CQString("Memo");
    case art_oracle:
        return oracle_lobtyp();
    default:
        return CQString("?");
    }
}

int CCDataBase::memo_limit() const
{
    return art == art_mssql ? lese_einstellung(CQString("Mssql/MemoLimit")).toInt() : -1;
}

bool CCDataBase::hat_memo_limit() const
{
    return art == art_mssql && memo_limit() > 0;
}

CQString CCDataBase::spalten_typname(int typcode) const
{
    switch (typcode) {
    case 1:
        return CQString("CHAR");
    case 4:
        // Kind 1 speaks standard SQL (PostgreSQL among others), which has no plain DOUBLE.
        if (art == art_mssql)
            return CQString("FLOAT");
        return CQString(art == art_oracle || art == art_allgemein ? "DOUBLE PRECISION" : "DOUBLE");
    case 5:
    case 6:
    case 8:
    case 17:
        return CQString("INT");
    case 11:
    case 18:
        return CQString("VARCHAR");
    case 19:
    case 20:
    case 21:
        // DATETIME is no standard SQL: PostgreSQL, for one, knows only TIMESTAMP.
        if (art == art_allgemein)
            return CQString("TIMESTAMP");
        return CQString(art == art_oracle ? "DATE" : "DATETIME");
    case 22:
        return memo_typname();
    default:
        return CQString();
    }
}

int CCDataBase::spalten_laenge(int typcode) const
{
    switch (typcode) {
    case 1:
        return 1;
    case 11:
    case 18:
        return 255;
    case 22:
        return memo_limit();
    default:
        return 0;
    }
}

CQString CCDataBase::spalten_definition(const CQString& name, const CQString& typtext, int laenge) const
{
    QString definition = name + QLatin1Char(' ') + typtext;
    const bool ohne_laenge = typtext == QLatin1String("Memo") || typtext == QLatin1String("TEXT")
                             || typtext == oracle_lobtyp();
    if (laenge != 0 && !ohne_laenge)
        definition += QStringLiteral("(%1)").arg(laenge);
    // MySQL compares texts by the column's collation, which by default ignores case and accents:
    // "Meier" would find "meier". Texts created here compare exactly and hold the whole of Unicode.
    static const QRegularExpression texttyp(QStringLiteral("^(VAR)?CHAR$|^TEXT$"),
                                            QRegularExpression::CaseInsensitiveOption);
    if (art == art_mysql && texttyp.match(typtext.trimmed()).hasMatch())
        definition += QLatin1String(" CHARACTER SET utf8mb4 COLLATE ") + exakte_sortierung;
    if (art == art_mssql)
        definition += QLatin1String(" NULL");
    return CQString(definition);
}

// --- Reading ---

int CCDataBase::sql_wert_int(QVariant wert) const
{
    if (!ist_sql_wert_da(wert))
        return -1;
    bool ok = false;
    const int zahl = wert.toInt(&ok);
    return ok ? zahl : -1;
}

int CCDataBase::sql_wert_ganzzahl(QVariant wert) const
{
    if (!ist_sql_wert_da(wert))
        return NICHT_GESETZT;
    bool ok = false;
    int zahl = wert.toInt(&ok);
    if (!ok) {
        const double d = std::trunc(sql_wert_double(wert));
        // Beyond int a conversion would be undefined: such a value is as unusable as none.
        if (d == nicht_gesetzt_double || d < std::numeric_limits<int>::min() || d > std::numeric_limits<int>::max())
            return NICHT_GESETZT;
        zahl = static_cast<int>(d);
    }
    if (zahl == 0 && wert.toString().isEmpty())
        return NICHT_GESETZT;
    return zahl;
}

double CCDataBase::sql_wert_double(QVariant wert) const
{
    if (!ist_sql_wert_da(wert))
        return nicht_gesetzt_double;
    const CQString text(wert.toString());
    if (text.isEmpty())
        return nicht_gesetzt_double;
    bool ok = false;
    double zahl = 0.0;
    switch (art) {
    case art_memo:
        if (text == QLatin1String("0"))
            return nicht_gesetzt_double;
        zahl = wert.toDouble(&ok);
        break;
    case art_oracle:
        zahl = text.zu_double(&ok);
        if (!ok)
            zahl = CQString(QString(text).replace(QLatin1Char(','), QLatin1Char('.'))).zu_double(&ok);
        break;
    case art_mssql:
        zahl = CQString(QString(text).remove(QLatin1Char(' '))).zu_double(&ok);
        break;
    default:
        zahl = wert.toDouble(&ok);
        break;
    }
    // "inf" and "nan" convert, but are no number the callers can use.
    return ok && std::isfinite(zahl) ? zahl : nicht_gesetzt_double;
}

bool CCDataBase::sql_wert_bool(QVariant wert, const bool& vorgabe) const
{
    if (!ist_sql_wert_da(wert))
        return vorgabe;
    return sql_wert_string(wert, false).contains(QLatin1Char('1'));
}

CQString CCDataBase::sql_wert_string(QVariant wert, const bool& ohne_zeilenumbruch) const
{
    if (!ist_sql_wert_da(wert))
        return CQString();
    QString text = wert.toString();
    if (art == art_mssql)
        while (text.endsWith(QLatin1Char(' ')))
            text.chop(1);
    if (art == art_oracle)
        return repariere_oracle_text(text);
    if (art == art_mysql && konvertierung_aktiv())
        return CQString(text).zu_latin1();
    if (ohne_zeilenumbruch)
        text.remove(QLatin1Char('\n'));
    return CQString(text);
}

// --- Writing ---

bool CCDataBase::spricht_mysql() const
{
    return art == art_mysql || ist_mysql_treiber(gib_datenbank().driverName());
}

bool CCDataBase::spricht_postgres() const
{
    return gib_datenbank().driverName() == QLatin1String("QPSQL");
}

CQString CCDataBase::sql_text_literal(const CQString& text) const
{
    QString literal(text);
    literal.replace(QLatin1Char('\''), QLatin1String("''"));
    if (spricht_mysql())
        literal.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    if (art == art_mysql && konvertierung_aktiv())
        return als_utf8_zeichen(literal);
    return CQString(literal);
}

void CCDataBase::haenge_text_an(bool einfuegen, CQString& spalten, CQString& werte, const CQString& spalte,
                                const CQString& text, int maximum) const
{
    // Cut before quoting: a cut through a doubled quote or backslash would leave the literal open.
    const CQString roh(maximum > 0 ? kuerze_auf_zeichen(text, maximum) : QString(text));
    const CQString literal = sql_text_literal(roh);
    if (literal.isEmpty())
        haenge_null_an(einfuegen, spalten, werte, spalte);
    else
        haenge_spalte_an(einfuegen, spalten, werte, spalte, CQString(QStringLiteral("'%1'").arg(literal)));
}

void CCDataBase::haenge_datumzeit_an(bool einfuegen, CQString& spalten, CQString& werte, const CQString& spalte,
                                     const QDateTime& zeit, const bool* mit_millisekunden) const
{
    if (!zeit.isValid()) {
        haenge_null_an(einfuegen, spalten, werte, spalte);
        return;
    }
    const QString datum = zeit.date().toString(Qt::ISODate);
    const QString uhrzeit = zeit.time().toString(Qt::ISODate);
    QString literal;
    if (art == art_oracle && mit_millisekunden && *mit_millisekunden)
        literal = QStringLiteral("TO_TIMESTAMP('%1 %2', 'YYYY-MM-DD HH24:MI:SS.FF3')")
                      .arg(datum, zeit.time().toString(QStringLiteral("hh:mm:ss.zzz")));
    else if (art == art_oracle)
        literal = QStringLiteral("TO_DATE('%1 %2', 'YYYY-MM-DD HH24:MI:SS')").arg(datum, uhrzeit);
    else if (art == art_mssql)
        literal = QStringLiteral("'%1 %2'").arg(zeit.date().toString(mssql_datumsformat), uhrzeit);
    else
        literal = QStringLiteral("'%1 %2'").arg(datum, uhrzeit);
    haenge_spalte_an(einfuegen, spalten, werte, spalte, CQString(literal));
}

CQString CCDataBase::update_blob(CQString text, const CQString* tabelle_, const CQString* spalte_,
                                 const CQString* id_spalte_, int id) const
{
    const CQString& tabelle = oder_leer(tabelle_);
    const CQString& spalte = oder_leer(spalte_);
    const CQString& id_spalte = oder_leer(id_spalte_);

    if (art == art_oracle && !ohne_ersetzung && gib_katalog_kelmor().oracle_umlaute_ersetzen.gib_wert() == JA
        && hat_oracle_sonderzeichen(text))
        text = ersetze_oracle_sonderzeichen(text);
    else if (art == art_mysql && konvertierung_aktiv())
        text = als_utf8_zeichen(text);

    int limit = 0;
    const CQString memotyp = memo_typname();
    if (memotyp == QLatin1String("VARCHAR"))
        limit = art == art_oracle ? 2000 : art == art_mssql ? 256 : 65535;
    else if (art == art_mssql && memotyp == QLatin1String("TEXT") && memo_limit() > 0)
        limit = memo_limit();
    if (limit > 0)
        text = CQString(kuerze_auf_zeichen(text, limit));

    const QString fehler_update = tr("Fehler beim Update des Datenfeldes %1 in %2").arg(spalte, tabelle);
    if (text.size() <= 1) {
        const CQString sql(QStringLiteral("UPDATE %1 SET %2=NULL WHERE %3=%4").arg(tabelle, spalte, id_spalte).arg(id));
        return fuehre_aus(sql, CQString("update_blob"), tabelle) ? CQString() : CQString(fehler_update);
    }

    const CQString sql(QStringLiteral("UPDATE %1 SET %2=? WHERE %3=%4").arg(tabelle, spalte, id_spalte).arg(id));
    CQSqlQuery abfrage(CQString(), this, false);
    if (!abfrage.prepare(sql))
        return CQString(tr("Fehler bei Vorbereitung des Datenfeldes %1 in %2").arg(spalte, tabelle));
    // Bound, never in the statement text: the log shows "?" and no value.
    abfrage.addBindValue(QString(text));
    if (!abfrage.exec() || !abfrage.isActive()) {
        melde_sql_fehler(abfrage, sql, klasse, CQString("update_blob"), tabelle);
        return CQString(fehler_update);
    }
    return CQString();
}
