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
