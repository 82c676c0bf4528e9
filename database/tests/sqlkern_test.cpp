// The database object and query on SQLite: dialect rewrite, statement and row log, connections, the error report.
#include "cqsqlquery.h"
#include "kerneinstellungen.h"
#include "logmitschnitt.h"
#include "sqlfehler.h"
#include "sqlitetest.h"
#include "widgetklassen.h"

#include <QSqlError>

using Sqlkern = SqliteTest;

namespace {

bool enthaelt(const std::string& text, const char* teil)
{
    return text.find(teil) != std::string::npos;
}

} // namespace

TEST(Dialekt, OracleVerliertGenauEinSchlussSemikolonNachDemProtokoll)
{
    const CCDataBase oracle(CCDataBase::art_oracle, CQString("keine"));
    LogMitschnitt mitschnitt;
    EXPECT_EQ(oracle.sql_anpassen(CQString("SELECT 1 FROM dual;;")), QStringLiteral("SELECT 1 FROM dual;"));
    EXPECT_TRUE(enthaelt(mitschnitt.text(), "SELECT 1 FROM dual;;"));
    EXPECT_EQ(oracle.sql_anpassen(CQString(";")), QStringLiteral(";"));
    EXPECT_EQ(CCDataBase(CCDataBase::art_mysql, CQString("keine")).sql_anpassen(CQString("SELECT 1;")),
              QStringLiteral("SELECT 1;"));
}

TEST_F(Sqlkern, AbfrageLiestUndProtokolliertNachStufe)
{
    const CCDataBase db(CCDataBase::art_sqlite, CQString(name), 1);
    {
        LogMitschnitt mitschnitt;
        CQSqlQuery abfrage(CQString("SELECT a FROM t WHERE a<3"), &db, false);
        QList<int> werte;
        while (abfrage.next())
            werte << abfrage.value(0).toInt();
        EXPECT_EQ(werte, (QList<int>{1, 2}));
        EXPECT_TRUE(enthaelt(mitschnitt.text(), "SELECT a FROM t WHERE a&lt;3"));

        CQSqlQuery anzahl(CQString("SELECT count(*) FROM t"), &db, false);
        ASSERT_TRUE(anzahl.next());
        db.protokolliere_zeile(anzahl, 1, false);
        EXPECT_FALSE(enthaelt(mitschnitt.text(), "3: :"));
        CCDataBase(CCDataBase::art_sqlite, CQString(name), 2).protokolliere_zeile(anzahl, 1, false);
        EXPECT_TRUE(enthaelt(mitschnitt.text(), "3: :"));
    }
    {
        LogMitschnitt mitschnitt;
        CQSqlQuery leer(CQString(), &db, false);
        EXPECT_FALSE(leer.isActive());
        EXPECT_EQ(mitschnitt.text(), "");
        EXPECT_TRUE(leer.prepare(CQString("SELECT 1;")));
        EXPECT_TRUE(enthaelt(mitschnitt.text(), "SELECT 1;"));
    }
    LogMitschnitt mitschnitt;
    const CCDataBase still(CCDataBase::art_sqlite, CQString(name), 0);
    EXPECT_TRUE(CQSqlQuery(CQString("SELECT a FROM t"), &still, false).isActive());
    EXPECT_EQ(mitschnitt.text(), "");
}

TEST_F(Sqlkern, StandardverbindungWirdNieGeoeffnet)
{
    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE")).setDatabaseName(QStringLiteral(":memory:"));
    const CCDataBase standard(CCDataBase::art_sqlite, CQString());
    EXPECT_FALSE(standard.ist_verbunden());
    EXPECT_FALSE(QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false).isOpen());
    EXPECT_TRUE(CCDataBase(CCDataBase::art_sqlite, CQString(name)).ist_verbunden());
    EXPECT_TRUE(CCDataBase(CCDataBase::art_sqlite, QSqlDatabase::database(name, false)).ist_verbunden());
    QSqlDatabase::removeDatabase(QLatin1String(QSqlDatabase::defaultConnection));
    // Neither a closed nor a missing connection is an error of its own: the statement just fails.
    EXPECT_FALSE(CCDataBase(CCDataBase::art_sqlite, CQString("fehlt")).ist_verbunden());
    EXPECT_FALSE(CQSqlQuery(CQString("SELECT 1"), nullptr, true).isActive());
}

TEST_F(Sqlkern, FehlerberichtInDreiZeilen)
{
    const CCDataBase db(CCDataBase::art_sqlite, CQString(name), 0);
    CKlasse* const klasse = &gib_widget_klassen().ccdatabase;
    // With the debug output the log gets the lines as the log windows show them.
    kern_einstellungen().setze_debug_ausgabe(1);
    LogMitschnitt mitschnitt;
    EXPECT_FALSE(db.fuehre_aus(CQString("DELETE FROM nix;"), CQString("ClearTable"), CQString("nix")));
    const std::string text = mitschnitt.text();
    const char* zeilen[] = {
        "FEHLER: in Klasse CCDataBase, Methode ClearTable: SQL-Fehler: no such table: nix Unable to execute statement\n",
        "FEHLER: in Klasse CCDataBase, Methode ClearTable: SQL-Befehl: DELETE FROM nix;\n",
        "FEHLER: in Klasse CCDataBase, Methode ClearTable: ClearTable: Fehler beim Zugriff auf Tabelle nix\n"};
    size_t ab = 0;
    for (const char* zeile : zeilen) {
        ab = text.find(zeile, ab);
        ASSERT_NE(ab, std::string::npos) << zeile << "\nin:\n" << text;
    }

    LogMitschnitt zweiter;
    QSqlQuery nie_gelaufen(QSqlDatabase::database(name, false));
    melde_sql_fehler(nie_gelaufen, CQString("SELECT a FROM t WHERE a<1"), klasse, CQString("m"), CQString());
    EXPECT_TRUE(enthaelt(zweiter.text(), "SQL-Fehler: ???\n"));
    EXPECT_TRUE(enthaelt(zweiter.text(), "SQL-Befehl: SELECT a FROM t WHERE a&lt;1\n"));
    EXPECT_TRUE(enthaelt(zweiter.text(), "m: Fehler beim Zugriff auf Tabelle \n"));
    kern_einstellungen().setze_debug_ausgabe(0);
}

TEST(Treiber, ArtNachTreibername)
{
    const std::pair<const char*, int> faelle[] = {{"QMYSQL", 0}, {"QMARIADB", 0}, {"QPSQL", 1},
                                                  {"QOCI", 3},   {"QODBC", 4},    {"QSQLITE", 5}};
    for (const auto& [treiber, art] : faelle)
        EXPECT_EQ(gib_datenbankart(QString::fromLatin1(treiber)), art) << treiber;
}

// Every code by which a server or its client library says the session ended is a lost session
// (marked 1); a statement's own failure is not, and never on SQLite.
TEST(Treiber, JederCodeEinerBeendetenSitzungIstVerlust)
{
    for (const QString& fall : QStringLiteral("QPSQL 57P05 1,QPSQL 25P03 1,QPSQL 25P04 1,QPSQL 57P04 1,QPSQL 57P01 1,QPSQL 08006 1,"
                                              "QPSQL 57014 0,QPSQL 23505 0,QMYSQL 2006 1,QMYSQL 2013 1,QMYSQL 1927 1,QMYSQL 1053 1,"
                                              "QMYSQL 1159 1,QMYSQL 1161 1,QMYSQL 3169 1,QMYSQL 4031 1,QMYSQL 1317 0,QSQLITE 8 0")
                                   .split(',')) {
        const QStringList teil = fall.split(' ');
        const QSqlError fehler(QString(), QStringLiteral("FATAL"), QSqlError::StatementError, teil[1]);
        EXPECT_EQ(CCDataBase::ist_verbindungsverlust_bei(QSqlDatabase::addDatabase(teil[0], "verlust"), fehler), teil[2] == "1") << fall.toStdString();
        QSqlDatabase::removeDatabase("verlust");
    }
}

TEST_F(Sqlkern, AbfrageOhneGueltigeVerbindungLaeuftNieAufDerStandardverbindung)
{
    QSqlDatabase standard = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    standard.setDatabaseName(QStringLiteral(":memory:"));
    ASSERT_TRUE(standard.open());
    ASSERT_TRUE(QSqlQuery(QStringLiteral("CREATE TABLE t(id INTEGER, a TEXT)"), standard).isActive());
    ASSERT_TRUE(QSqlQuery(QStringLiteral("INSERT INTO t VALUES (1, 'alt')"), standard).isActive());

    const CCDataBase fehlt(CCDataBase::art_sqlite, CQString("fehlt"));
    {
        LogMitschnitt mitschnitt;
        CQSqlQuery abfrage(CQString("INSERT INTO t VALUES (2, 'neu')"), &fehlt, false);
        EXPECT_FALSE(abfrage.isActive());
        EXPECT_FALSE(abfrage.prepare(CQString("DELETE FROM t")));
        EXPECT_FALSE(abfrage.exec());
        const std::string text = mitschnitt.text();
        // One report for the statement, one for the prepared one; nothing run.
        EXPECT_TRUE(enthaelt(text, "SQL-Befehl: INSERT INTO t VALUES (2, 'neu')"));
        EXPECT_TRUE(enthaelt(text, "SQL-Befehl: DELETE FROM t"));
        size_t berichte = 0;
        for (size_t ab = text.find("SQL-Fehler"); ab != std::string::npos; ab = text.find("SQL-Fehler", ab + 1))
            ++berichte;
        EXPECT_EQ(berichte, 2u);
    }
    const CQString tabelle("t"), spalte("a"), id("id");
    EXPECT_FALSE(fehlt.update_blob(CQString("ueberschrieben"), &tabelle, &spalte, &id, 1).isEmpty());
    EXPECT_FALSE(CQSqlQuery(CQString("DELETE FROM t"), nullptr, false).isActive());

    QSqlQuery pruefung(QStringLiteral("SELECT count(*), max(a) FROM t"), standard);
    ASSERT_TRUE(pruefung.next());
    EXPECT_EQ(pruefung.value(0).toInt(), 1);
    EXPECT_EQ(pruefung.value(1).toString(), QStringLiteral("alt"));
    pruefung = QSqlQuery();
    standard.close();
    standard = QSqlDatabase();
    QSqlDatabase::removeDatabase(QLatin1String(QSqlDatabase::defaultConnection));
}

TEST_F(Sqlkern, NurVorwaertsLiestJedeZeileMitIhrenWerten)
{
    const CCDataBase db(CCDataBase::art_sqlite, CQString(name), 0);
    CQSqlQuery abfrage(CQString("SELECT a, a * 10 FROM t ORDER BY a"), &db, true);
    ASSERT_TRUE(abfrage.isForwardOnly());
    QStringList zeilen;
    while (abfrage.next())
        zeilen.append(abfrage.value(0).toString() + QLatin1Char('/') + abfrage.value(1).toString());
    EXPECT_EQ(zeilen.join(QLatin1Char(' ')), QStringLiteral("1/10 2/20 5/50"));
}
