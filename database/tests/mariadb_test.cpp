// Tables, record ids and written values on a real MariaDB server, in a database of this program's own.
#include "ccdatabase.h"
#include "cdbtabelle.h"
#include "sqlwerte.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>

namespace {

const char* const verbindung = "mariadb";

QString umgebung(const char* name)
{
    return qEnvironmentVariable(name);
}

// Connects to the test server and creates the program's own database; the reason when it cannot.
class MariadbServer : public ::testing::Environment
{
public:
    void SetUp() override
    {
        if (umgebung("AKT_MARIADB_SOCKET").isEmpty()) {
            grund = "no test server: AKT_MARIADB_SOCKET is not set (scripts/datenbankserver.sh start)";
            return;
        }
        // The prefix is all the account may create; build folder and process keep runs apart.
        name = QStringLiteral("%1%2_%3")
                   .arg(umgebung("AKT_MARIADB_PRAEFIX"))
                   .arg(qHash(QCoreApplication::applicationDirPath()), 0, 16)
                   .arg(QCoreApplication::applicationPid());
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), QLatin1String(verbindung));
        db.setConnectOptions(QStringLiteral("UNIX_SOCKET=%1").arg(umgebung("AKT_MARIADB_SOCKET")));
        db.setUserName(umgebung("AKT_MARIADB_BENUTZER"));
        db.setPassword(umgebung("AKT_MARIADB_PASSWORT"));
        if (!db.open() || !QSqlQuery(QStringLiteral("CREATE DATABASE %1").arg(name), db).isActive()) {
            grund = "the test server refuses: " + db.lastError().text().toStdString();
            return;
        }
        db.close();
        db.setDatabaseName(name);
        if (!db.open())
            grund = "the test database cannot be opened: " + db.lastError().text().toStdString();
    }
    void TearDown() override
    {
        if (!name.isEmpty()) {
            QSqlDatabase db = QSqlDatabase::database(QLatin1String(verbindung), false);
            if (db.isOpen())
                QSqlQuery(QStringLiteral("DROP DATABASE %1").arg(name), db);
            db.close();
        }
        QSqlDatabase::removeDatabase(QLatin1String(verbindung));
    }

    static inline std::string grund;
    QString name;
};

const auto* const server = ::testing::AddGlobalTestEnvironment(new MariadbServer);

class Mariadb : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!MariadbServer::grund.empty())
            GTEST_SKIP() << MariadbServer::grund;
    }
    QSqlQuery sql(const QString& text) const
    {
        QSqlQuery abfrage(text, QSqlDatabase::database(QLatin1String(verbindung), false));
        EXPECT_TRUE(abfrage.isActive()) << text.toStdString() << ": " << abfrage.lastError().text().toStdString();
        abfrage.next();
        return abfrage;
    }

    CCDataBase db{CCDataBase::art_mysql, CQString(verbindung), 0};
    const CQString keine;
};

} // namespace

TEST_F(Mariadb, TabelleMitAutoinkrementSchluesselUndDatensaetze)
{
    CDBTabelle beschreibung;
    beschreibung.fuege_spalte_an(1, 17, CQString("id"));
    beschreibung.fuege_spalte_an(2, 11, CQString("name"));
    beschreibung.fuege_spalte_an(3, 19, CQString("zeit"));
    const CQString bv_y("bv_y"), bv0y("bv0y"), gross("BV_Y");
    ASSERT_TRUE(db.TabelleAnlegen(&bv0y, &beschreibung, nullptr, &keine, true));
    ASSERT_TRUE(db.TabelleAnlegen(&bv_y, &beschreibung, nullptr, &keine, true));
    const QString anlage = sql(QStringLiteral("SHOW CREATE TABLE bv_y")).value(1).toString();
    EXPECT_TRUE(anlage.contains(QStringLiteral("`id` bigint(20) unsigned NOT NULL AUTO_INCREMENT"))) << anlage.toStdString();
    EXPECT_TRUE(anlage.contains(QStringLiteral("PRIMARY KEY (`id`)"))) << anlage.toStdString();

    // "_" is no wildcard and the first listed table is not the only one looked at.
    EXPECT_TRUE(db.ExistTable(bv_y, &beschreibung, &keine));
    EXPECT_TRUE(db.ExistTable(gross, &beschreibung, &keine));
    EXPECT_FALSE(db.ExistTable(CQString("bvzz"), &beschreibung, &keine));
    EXPECT_FALSE(db.ExistTable(CQString("bv%"), &beschreibung, &keine));

    QStringList meldungen;
    EXPECT_TRUE(db.Tabellencheck(&bv_y, &beschreibung, &meldungen, nullptr));
    const QSqlRecord satz = QSqlDatabase::database(QLatin1String(verbindung), false).record(QStringLiteral("bv_y"));
    EXPECT_EQ(satz.count(), 3);
    EXPECT_TRUE(satz.contains(QStringLiteral("name")) && satz.contains(QStringLiteral("zeit")));
    // The columns are read under the name the server lists: the other case finds them all.
    EXPECT_TRUE(db.Tabellencheck(&gross, &beschreibung, &meldungen, nullptr));
    EXPECT_TRUE(meldungen.isEmpty()) << meldungen.join('\n').toStdString();

    db.setze_autoinkrement_spalte(QStringLiteral("bv_y"), QStringLiteral("id"));
    int id = 0;
    bool offen = true;
    EXPECT_EQ(db.NeuerDatensatz(bv_y, CQString("id"), id, offen), QString());
    EXPECT_EQ(id, 1);
    EXPECT_EQ(db.NeuerDatensatz(bv_y, CQString("id"), id, offen), QString());
    EXPECT_EQ(id, 2);
    EXPECT_FALSE(offen);
    int maximum = 0;
    EXPECT_EQ(db.MaxRecordId(bv_y, CQString("id"), maximum), QString());
    EXPECT_EQ(maximum, 2);
    EXPECT_EQ(db.gib_anzahl_records(&bv_y, false, &keine), 2);
}

TEST_F(Mariadb, GeschriebeneTexteKommenUnveraendertZurueck)
{
    sql(QStringLiteral("CREATE TABLE texte (id INT PRIMARY KEY, kurz VARCHAR(255), lang TEXT)"));
    const CQString pfad("C:\\neu\\host'x"), name("O'Neil");
    CQString spalten, werte;
    haenge_int_an(true, spalten, werte, CQString("id"), 1);
    db.haenge_text_an(true, spalten, werte, CQString("kurz"), pfad, 0);
    sql(QStringLiteral("INSERT INTO texte (%1) VALUES (%2)").arg(spalten.mid(1), werte.mid(1)));
    spalten.clear();
    db.haenge_text_an(false, spalten, werte, CQString("kurz"), name, 0);
    EXPECT_EQ(sql(QStringLiteral("SELECT kurz FROM texte")).value(0).toString(), pfad);
    sql(QStringLiteral("UPDATE texte SET %1 WHERE id=1").arg(spalten.mid(1)));
    EXPECT_EQ(sql(QStringLiteral("SELECT kurz FROM texte")).value(0).toString(), name);

    QString lang;
    while (lang.size() < 3000)
        lang += QStringLiteral("a'b\\\"c ");
    lang.truncate(3000);
    const CQString tabelle("texte"), spalte("lang"), id_spalte("id");
    EXPECT_EQ(db.update_blob(CQString(lang), &tabelle, &spalte, &id_spalte, 1), QString());
    EXPECT_EQ(sql(QStringLiteral("SELECT lang FROM texte WHERE id=1")).value(0).toString(), lang);
}
