// Tables, keys, record ids and the table check: on SQLite, in script mode and on the scripted Oracle driver.
#include "cdbtabelle.h"
#include "kerneinstellungen.h"
#include "logmitschnitt.h"
#include "skripttreiber.h"
#include "sqlitetest.h"
#include "testfenster.h"

using Tabellen = SqliteTest;

namespace {

bool enthaelt(const std::string& text, const char* teil)
{
    return text.find(teil) != std::string::npos;
}

// Record id "id", a name, a column without a name and a time stamp.
CDBTabelle& pruefbeschreibung()
{
    static CDBTabelle tabelle = [] {
        CDBTabelle t;
        t.fuege_spalte_an(10, 17, CQString("id"));
        t.fuege_spalte_an(20, 11, CQString("name"));
        t.fuege_spalte_an(21, 11, CQString());
        t.fuege_spalte_an(22, 19, CQString("ts"));
        return t;
    }();
    return tabelle;
}

const CQString keine;

} // namespace

TEST_F(Tabellen, AnlegenMitSchluesselUndNeueIds)
{
    const CCDataBase db(CCDataBase::art_sqlite, CQString(name), 1);
    CDBTabelle beschreibung;
    beschreibung.fuege_spalte_an(1, 17, CQString("x_id"));
    const CQString tabelle("bv_x");
    {
        LogMitschnitt mitschnitt;
        EXPECT_TRUE(db.TabelleAnlegen(&tabelle, &beschreibung, nullptr, &keine, true));
        EXPECT_TRUE(enthaelt(mitschnitt.text(), "Tabelle 'bv_x' angelegt."));
        EXPECT_FALSE(enthaelt(mitschnitt.text(), "ADD PRIMARY KEY"));
    }
    EXPECT_EQ(lies(QStringLiteral("SELECT sql FROM sqlite_master WHERE name='bv_x'")).toString(),
              QStringLiteral("CREATE TABLE bv_x (x_id INTEGER PRIMARY KEY)"));
    EXPECT_FALSE(db.TabelleAnlegen(&keine, &beschreibung, nullptr, &keine, true));

    int id = 0;
    bool offen = true;
    EXPECT_EQ(db.NeuerDatensatz(tabelle, CQString("x_id"), id, offen), QString());
    EXPECT_EQ(id, 1);
    EXPECT_FALSE(offen);
    EXPECT_EQ(lies(QStringLiteral("SELECT group_concat(x_id) FROM bv_x")).toString(), QStringLiteral("1"));
    for (const char* sql : {"INSERT INTO bv_x VALUES (2)", "INSERT INTO bv_x VALUES (3)", "INSERT INTO bv_x VALUES (4)"})
        ASSERT_TRUE(QSqlQuery(QString::fromLatin1(sql), QSqlDatabase::database(name, false)).isActive());
    id = 5;
    EXPECT_EQ(db.NewRecordId(tabelle, CQString("x_id"), id), QString());
    EXPECT_EQ(id, 6);
}

TEST_F(Tabellen, ZaehlenUndLeerenMeldenJedenFehlerEinmal)
{
    const CCDataBase db(CCDataBase::art_sqlite, CQString(name), 0);
    const CQString fehlt("fehlt");
    {
        LogMitschnitt mitschnitt;
        EXPECT_EQ(db.gib_anzahl_records(&fehlt, true, &keine), -1);
        EXPECT_FALSE(enthaelt(mitschnitt.text(), "FEHLER"));
        EXPECT_FALSE(enthaelt(mitschnitt.text(), "Fehler"));
    }
    {
        LogMitschnitt mitschnitt;
        EXPECT_EQ(db.gib_anzahl_records(&fehlt, false, &keine), -1);
        EXPECT_TRUE(enthaelt(mitschnitt.text(), "gib_anzahl_records: Fehler beim Zugriff auf Tabelle fehlt\n"));
    }
    const CQString t("t"), bedingung("WHERE a > 1");
    EXPECT_EQ(db.gib_anzahl_records(&t, false, &bedingung), 2);

    {
        // With the debug output the windows get the lines with their context.
        kern_einstellungen().setze_debug_ausgabe(1);
        TestFenster fenster;
        EXPECT_EQ(db.ClearTable(CQString("nix")), QStringLiteral("Fehler beim Leeren der Tabelle 'nix'"));
        kern_einstellungen().setze_debug_ausgabe(0);
        const QString kontext = QStringLiteral("FEHLER: in Klasse CCDataBase, Methode ClearTable: ");
        ASSERT_EQ(fenster.zeilen.size(), 3);
        EXPECT_TRUE(fenster.zeilen.at(0).startsWith(kontext + "SQL-Fehler: no such table: nix"));
        EXPECT_EQ(fenster.zeilen.at(1), kontext + "SQL-Befehl: DELETE FROM nix;");
        EXPECT_EQ(fenster.zeilen.at(2), kontext + "ClearTable: Fehler beim Zugriff auf Tabelle nix");
    }
    EXPECT_TRUE(db.emptyTabelle(&t));
    EXPECT_EQ(db.gib_anzahl_records(&t, false, &keine), 0);

    // A connection that is not there is no licence to use Qt's default one.
    QSqlDatabase standard = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    standard.setDatabaseName(QStringLiteral(":memory:"));
    ASSERT_TRUE(standard.open() && QSqlQuery(QStringLiteral("CREATE TABLE t(a)"), standard).exec(
                                       QStringLiteral("INSERT INTO t VALUES (1)")));
    EXPECT_FALSE(CCDataBase(CCDataBase::art_sqlite, CQString("unbekannt")).ClearTable(t).isEmpty());
    EXPECT_EQ(QSqlQuery(QStringLiteral("SELECT a FROM t"), standard).next(), true);
    standard.close();
    standard = QSqlDatabase();
    QSqlDatabase::removeDatabase(QLatin1String(QSqlDatabase::defaultConnection));

    LogMitschnitt mitschnitt;
    EXPECT_EQ(CCDataBase(CCDataBase::art_sqlite, CQString("unbekannt")).gib_anzahl_records(&t, false, &keine), -1);
    EXPECT_TRUE(enthaelt(mitschnitt.text(), "Datenbank 'unbekannt' NICHT zugeordnet !"));
    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("zu"));
    EXPECT_EQ(CCDataBase(CCDataBase::art_sqlite, CQString("zu")).gib_anzahl_records(&t, false, &keine), -1);
    EXPECT_TRUE(enthaelt(mitschnitt.text(), "Datenbank 'zu'  NICHT verbunden !"));
    QSqlDatabase::removeDatabase(QStringLiteral("zu"));
}

TEST_F(Tabellen, NeuerDatensatzMitWertenGebundenUndOhneLeereZeileNachFehler)
{
    const CCDataBase db(CCDataBase::art_sqlite, CQString(name), 0);
    ASSERT_TRUE(QSqlQuery(QStringLiteral("CREATE TABLE w(id INTEGER PRIMARY KEY, k TEXT, v TEXT CHECK (v <> 'nein'))"),
                          QSqlDatabase::database(name, false))
                    .isActive());
    const QString heikel = QStringLiteral("C:\\neu\nzwei'); DROP TABLE w; --");
    const QStringList spalten{QStringLiteral("k"), QStringLiteral("v")};
    CCDataBase::CNeuerDatensatz satz =
        db.schreibe_neuen_datensatz(CQString("w"), CQString("id"), spalten, {QStringLiteral("a'b"), heikel}, 0,
                                    CQString("test"));
    EXPECT_EQ(satz.fehler, QString());
    EXPECT_TRUE(satz.geschrieben);
    EXPECT_FALSE(satz.id_fehler);
    EXPECT_EQ(satz.id, 1);
    EXPECT_EQ(lies(QStringLiteral("SELECT v FROM w WHERE k='a''b'")).toString(), heikel);

    // The refused value leaves no reserved, empty row behind.
    satz = db.schreibe_neuen_datensatz(CQString("w"), CQString("id"), spalten, {QStringLiteral("x"), QStringLiteral("nein")},
                                       1, CQString("test"));
    EXPECT_FALSE(satz.fehler.isEmpty());
    EXPECT_FALSE(satz.geschrieben);
    EXPECT_FALSE(satz.id_fehler);
    EXPECT_EQ(lies(QStringLiteral("SELECT count(*) FROM w")).toInt(), 1);
    // No table, no id: nothing is written.
    satz = db.schreibe_neuen_datensatz(CQString("nix"), CQString("id"), {QStringLiteral("k")}, {QStringLiteral("x")}, 0,
                                       CQString("test"));
    EXPECT_FALSE(satz.fehler.isEmpty());
    EXPECT_TRUE(satz.id_fehler);
}

TEST(Skriptmodus, SchreibtDieAnweisungenJeBackendStattSieAuszufuehren)
{
    CDBTabelle beschreibung;
    beschreibung.fuege_spalte_an(1, 17, CQString("ID"));
    const CQString tabelle("t1"), id("ID");
    const auto geschrieben = [&](int art) {
        TestFenster fenster;
        EXPECT_TRUE(CCDataBase(art, CQString("unverbunden")).TabelleAnlegen(&tabelle, &beschreibung, &fenster, &keine, true));
        return fenster.zeilen;
    };
    EXPECT_EQ(geschrieben(CCDataBase::art_oracle),
              (QStringList{"CREATE TABLE t1 (ID INT);", "ALTER TABLE t1 ADD PRIMARY KEY (ID);",
                           "CREATE SEQUENCE \"T1_SEQ\" MINVALUE 1 MAXVALUE 999999999999999999999999999 INCREMENT BY 1 "
                           "START WITH 1 CACHE 20 NOORDER  NOCYCLE;"}));
    EXPECT_EQ(geschrieben(CCDataBase::art_mysql),
              (QStringList{"CREATE TABLE t1 (ID INT);", "ALTER TABLE t1 CHANGE ID ID INT NOT NULL;",
                           "ALTER TABLE t1 ADD PRIMARY KEY (ID);",
                           "ALTER TABLE t1 CHANGE COLUMN ID ID BIGINT UNSIGNED NOT NULL AUTO_INCREMENT FIRST;"}));
    EXPECT_EQ(geschrieben(CCDataBase::art_mssql),
              (QStringList{"CREATE TABLE t1 (ID INT);", "ALTER TABLE t1 ALTER COLUMN ID INT NOT NULL;",
                           "ALTER TABLE t1 ADD PRIMARY KEY (ID);"}));

    TestFenster fenster;
    const CQString t("t");
    EXPECT_TRUE(CCDataBase(CCDataBase::art_sqlite, CQString("unverbunden")).Tabellencheck(&t, &pruefbeschreibung(), nullptr, &fenster));
    EXPECT_EQ(fenster.zeilen, (QStringList{"ALTER TABLE t ADD name VARCHAR(255);", "ALTER TABLE t ADD ts DATETIME;"}));
}

TEST_F(Tabellen, TabellencheckErgaenztSpaltenUndMeldetWasFehlt)
{
    const CCDataBase db(CCDataBase::art_sqlite, CQString(name), 0);
    for (const char* sql : {"DROP TABLE t", "CREATE TABLE t(id INTEGER PRIMARY KEY)"})
        ASSERT_TRUE(QSqlQuery(QString::fromLatin1(sql), QSqlDatabase::database(name, false)).isActive());
    const CQString t("t"), t2("t2");
    QStringList meldungen;
    EXPECT_TRUE(db.Tabellencheck(&t, &pruefbeschreibung(), &meldungen, nullptr));
    const QSqlRecord satz = QSqlDatabase::database(name, false).record(QStringLiteral("t"));
    EXPECT_TRUE(satz.contains(QStringLiteral("name")) && satz.contains(QStringLiteral("ts")));
    EXPECT_TRUE(meldungen.isEmpty());

    EXPECT_FALSE(db.Tabellencheck(&t2, &pruefbeschreibung(), &meldungen, nullptr));
    EXPECT_EQ(meldungen, QStringList{"Fehlende Tabelle: 't2'"});
    // Without a connection every column fails to be added: that is no success.
    TestFenster berichte;
    EXPECT_FALSE(CCDataBase(CCDataBase::art_sqlite, CQString("unbekannt")).Tabellencheck(&t, &pruefbeschreibung(), nullptr, nullptr));
    EXPECT_EQ(berichte.zeilen.filter(QStringLiteral("add_column: Fehler beim Zugriff auf Tabelle t")).size(), 2);
}

class OracleSkript : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Skript::gib().leere();
        ASSERT_TRUE(QSqlDatabase::addDatabase(SkriptTreiber::name(), QStringLiteral("oracle")).open());
    }
    void TearDown() override
    {
        QSqlDatabase::database(QStringLiteral("oracle"), false).close();
        QSqlDatabase::removeDatabase(QStringLiteral("oracle"));
    }
    QStringList ausgefuehrt_mit(const char* teil) const
    {
        return Skript::gib().ausgefuehrt().filter(QString::fromLatin1(teil));
    }

    const CCDataBase db{CCDataBase::art_oracle, CQString("oracle"), 0};
    Skript& skript = Skript::gib();
    const QString nextval = QStringLiteral("SELECT \"T1_SEQ\".nextval FROM dual");
    const QString maximum = QStringLiteral("SELECT max(ID) FROM t1");
};

TEST_F(OracleSkript, NeueIdAusDerSequenzDieBeiBedarfAngelegtWird)
{
    skript.antworte(nextval, SkriptAntwort::fehlschlag(QStringLiteral("ORA-02289: sequence does not exist")), 2);
    skript.antworte(maximum, SkriptAntwort::wert(7));
    skript.antworte(nextval, SkriptAntwort::wert(8));
    int id = 0;
    EXPECT_EQ(db.NewRecordId(CQString("t1"), CQString("ID"), id), QString());
    EXPECT_EQ(id, 8);
    EXPECT_EQ(ausgefuehrt_mit("CREATE SEQUENCE \"T1_SEQ\" MINVALUE 1 MAXVALUE 999999999999999999999999999 "
                              "INCREMENT BY 1 START WITH 8 ").size(), 1);

    skript.leere();
    skript.antworte(nextval, SkriptAntwort::fehlschlag(QStringLiteral("ORA-00942: table or view does not exist")));
    {
        LogMitschnitt mitschnitt;
        EXPECT_EQ(db.NewRecordId(CQString("t1"), CQString("ID"), id),
                  QStringLiteral("Fehler beim Zugriff auf Datenbanktabelle"));
        EXPECT_TRUE(enthaelt(mitschnitt.text(), "NewRecordId: Fehler beim Zugriff auf Tabelle t1"));
        EXPECT_TRUE(ausgefuehrt_mit("CREATE").isEmpty());
    }
    skript.leere();
    skript.antworte(nextval, SkriptAntwort::keine_zeile());
    EXPECT_EQ(db.NewRecordId(CQString("t1"), CQString("ID"), id),
              QStringLiteral("Tabelle t1: Neue Record-ID kann nicht ermittelt werden"));

    skript.leere();
    skript.antworte(nextval, SkriptAntwort::wert(4));
    bool offen = false;
    EXPECT_EQ(db.NeuerDatensatz(CQString("t1"), CQString("ID"), id, offen), QString());
    EXPECT_EQ(id, 4);
    EXPECT_TRUE(offen);
    EXPECT_TRUE(ausgefuehrt_mit("INSERT").isEmpty());
}

TEST_F(OracleSkript, ExistTableSetztEineZurueckliegendeSequenzNeu)
{
    const CQString id("ID");
    skript.antworte(QStringLiteral("SELECT count(*) AS count FROM t1"), SkriptAntwort::wert(3));
    skript.antworte(nextval, SkriptAntwort::wert(2));
    skript.antworte(maximum, SkriptAntwort::wert(10));
    EXPECT_TRUE(db.ExistTable(CQString("t1"), nullptr, &id));
    const QStringList alle = skript.ausgefuehrt();
    const int drop = alle.indexOf(QStringLiteral("drop SEQUENCE \"T1_SEQ\""));
    ASSERT_GE(drop, 0) << alle.join('\n').toStdString();
    ASSERT_LT(drop + 1, alle.size());
    EXPECT_TRUE(alle.at(drop + 1).startsWith(QStringLiteral("CREATE SEQUENCE \"T1_SEQ\"")));
    EXPECT_TRUE(alle.at(drop + 1).contains(QStringLiteral("START WITH 11 ")));

    skript.leere();
    skript.antworte_muster(QStringLiteral("count"), SkriptAntwort::fehlschlag(QStringLiteral("ORA-00942: x")));
    EXPECT_FALSE(db.ExistTable(CQString("t1"), nullptr, &id));
}
