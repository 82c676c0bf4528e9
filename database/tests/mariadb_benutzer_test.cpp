// The user administration on a real MariaDB server: log-on, auto-numbered ids, the template read back, counting, a refused password, a user with quote and backslash, the lock list and log-off, names compared exactly (trailing blanks too, older tables converted); and the tests every server runs, also in a session that takes backslashes literally.
#include "benutzerserver.h"
#include "bvanmeldung.h"
#include "bvdbeinstellungen.h"
#include "anwenderemail.h"
#include "caclgroup.h"
#include "canwender_passwort.h"
#include "canwenderliste.h"
#include "clineedit.h"
#include "ctable.h"
#include "cbvdatabase.h"
#include "cdbbvsetting.h"
#include "cqtableview.h"
#include "ckrypt.h"
#include "dialogseam.h"
#include "logmitschnitt.h"
#include "plattform.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

const BenutzerServer mariadb{"Mariadb", "QMYSQL", "AKT_MARIADB", "", ""};

// The MariaDB server with a database of this program's own; each test logs on itself.
class MariadbBenutzer : public ::testing::Test, protected ServerDatenbank
{
protected:
    void SetUp() override
    {
        richte_ein(mariadb);
    }
    void TearDown() override
    {
        raeume_auf();
    }
    QSqlQuery sql(const QString& text) const
    {
        QSqlQuery abfrage(text, QSqlDatabase::database(bv_verbindungsname(), false));
        EXPECT_TRUE(abfrage.isActive()) << text.toStdString() << ": " << abfrage.lastError().text().toStdString();
        abfrage.next();
        return abfrage;
    }
};

} // namespace

// The server's tests, once more in a session that takes every backslash in a literal as it stands.
INSTANTIATE_TEST_SUITE_P(
    Mariadb, ServerBenutzer,
    ::testing::Values(mariadb, BenutzerServer{"MariadbOhneBackslashEscapes", "QMYSQL", "AKT_MARIADB", "",
                                              "SET SESSION sql_mode=CONCAT(@@SESSION.sql_mode, ',NO_BACKSLASH_ESCAPES')"}),
    servername);

TEST_F(MariadbBenutzer, AutonummernVorlageGenauZurueckUndGruppenzahl)
{
    ASSERT_EQ(bv_anmelden(), QString());
    const CCDataBase* const db = gib_bv_ccdatabase();
    ASSERT_NE(db, nullptr);
    EXPECT_EQ(db->gib_autoinkrement_spalten().value(QStringLiteral("bv_gruppen")), QStringLiteral("grp_id"));
    int id = 0;
    bool offen = true;
    for (int erwartet : {1, 2}) {
        EXPECT_EQ(db->NeuerDatensatz(CQString("bv_gruppen"), CQString("grp_id"), id, offen), QString());
        EXPECT_EQ(id, erwartet);
    }

    for (int i = 0; i < 3; ++i)
        sql(QStringLiteral("INSERT INTO bv_anwender (anw_gruppe) VALUES (2)"));
    EXPECT_EQ(ngruppe_vorhanden(2), 3);
    EXPECT_EQ(ngruppe_vorhanden(4), 0);

    const QString host = QStringLiteral("C:\\neu\\host'x");
    gib_bvdb_einstellungen().db_host.setze_wert_qstr(CQString(host));
    CDbBVsetting seite;
    seite.erzeuge_vorlageEinstellungen_slot();
    ASSERT_EQ(boxen.size(), 1);
    EXPECT_TRUE(boxen.at(0).endsWith(QStringLiteral("Tabelle 'bv_vorlage' geschrieben!"))) << boxen.at(0).toStdString();
    EXPECT_EQ(db->gib_autoinkrement_spalten().value(QStringLiteral("bv_vorlage")), QStringLiteral("vor_id"));
    EXPECT_EQ(sql(QStringLiteral("SELECT vor_wert FROM bv_vorlage WHERE vor_schluessel='/BV-DB/DB-Host'")).value(0).toString(),
              host);
    EXPECT_EQ(sql(QStringLiteral("SELECT count(*) FROM bv_vorlage WHERE vor_wert IS NULL OR vor_flag <> '1'"))
                  .value(0)
                  .toInt(),
              0);
}

TEST_F(MariadbBenutzer, FalschesKennwortEineMeldungKeinZeigerKeinKennwortImProtokoll)
{
    const QString kennwort = QStringLiteral("Zq7falschQ");
    gib_bvdb_einstellungen().db_passwort.setze_wert_qstr(CQString(kennwort));
    LogMitschnitt mitschnitt;
    const CQString fehler = bv_anmelden();
    EXPECT_TRUE(fehler.contains(QStringLiteral("Access denied"))) << fehler.toStdString();
    EXPECT_EQ(gib_bv_datenbank(), nullptr);
    EXPECT_EQ(gib_bv_ccdatabase(), nullptr);
    EXPECT_FALSE(QSqlDatabase::contains(bv_verbindungsname()));
    const std::string text = mitschnitt.text() + fehler.toStdString();
    EXPECT_EQ(text.find(kennwort.toStdString()), std::string::npos);
    EXPECT_EQ(text.find(verschluessele_kennwort(CQString(kennwort)).toStdString()), std::string::npos);
}

TEST_F(MariadbBenutzer, AnwenderMitHochkommaUndBackslashAngelegtGefundenGeloescht)
{
    ASSERT_EQ(bv_anmelden(), QString());
    sql(QStringLiteral("INSERT INTO bv_gruppen (grp_name) VALUES ('Technik')"));
    int anzahl = 0;
    ASSERT_EQ(lese_gruppen(anzahl), QString());
    nimm_meldungen_auf();
    const QString name = QStringLiteral("o'k\\x");
    {
        CAnwenderListe fenster;
        fenster.eName->setzeText(CQString(name));
        fenster.eEMail->setzeText(CQString("ok@x.de"));
        fenster.addEntry();
        EXPECT_EQ(gib_anwender_email_tags(CQString(name)), QStringLiteral("ok@x.de"));
        EXPECT_EQ(sql(QStringLiteral("SELECT anw_name FROM bv_anwender")).value(0).toString(), name);
        // Again: the lookup by name finds the stored one, with its backslash.
        fenster.setze_bearbeitungsmodus(false);
        fenster.addEntry();
        EXPECT_EQ(boxen.filter(QStringLiteral("ist bereits vorhanden")).size(), 1);
        setze_frage_funktion([](QWidget*, QMessageBox::Icon, const QString&, const QString&, const QStringList& k,
                                int, int) { return static_cast<int>(k.indexOf(QStringLiteral("Ja"))); });
        fenster.gib_tabelle()->selectRow(0);
        fenster.DeleteItem();
        EXPECT_EQ(fenster.gib_tabelle()->rowCount(), 0);
    }
    setze_modal_funktion({});
    setze_meldung_funktion({});
    EXPECT_EQ(sql(QStringLiteral("SELECT count(*) FROM bv_anwender")).value(0).toInt(), 0);
}

TEST_F(MariadbBenutzer, LocklisteUndLogoffAufDemServer)
{
    ASSERT_EQ(bv_anmelden(), QString());
    sql(QStringLiteral("INSERT INTO bv_gruppen (grp_id, grp_name) VALUES (2, 'Technik')"));
    sql(QStringLiteral("INSERT INTO bv_anwender (anw_id, anw_gruppe, anw_name, anw_lock, anw_login, anw_langname) "
                       "VALUES (3, 2, 'meier', 'X', '2024-01-02 08:00:00', 'Hans Meier'), (4, 2, 'abel', NULL, NULL, "
                       "NULL), (6, 9, 'zorn', 'X', NULL, NULL)"));
    int anzahl = 0;
    ASSERT_EQ(lese_gruppen(anzahl), QString());
    nimm_meldungen_auf();
    {
        CAnwenderListe fenster;
        fenster.sp_abteilung = -1;
        CQTableView view(nullptr, 7);
        ASSERT_EQ(fenster.upd_tab_lock_user(&view), 2);
        view.sortByColumn(0, Qt::AscendingOrder);
        QStringList zeilen;
        for (int z = 0; z < 2; ++z) {
            QStringList zellen;
            for (int sp = 0; sp < 4; ++sp)
                zellen.append(view.zellDaten(z, sp).toString());
            zeilen.append(zellen.join(QLatin1Char('|')) + QLatin1Char('|') +
                          view.zellDaten(z, 4).toDateTime().toString(Qt::ISODate));
        }
        EXPECT_EQ(zeilen, QStringList({"3|meier|Hans Meier|Technik|2024-01-02T08:00:00", "6|zorn|||"}));
        EXPECT_TRUE(logoff(6, true));
        EXPECT_EQ(fenster.upd_tab_lock_user(&view), 1);
    }
    setze_meldung_funktion({});
    EXPECT_TRUE(boxen.isEmpty()) << boxen.join('\n').toStdString();
    EXPECT_TRUE(sql(QStringLiteral("SELECT anw_logoff FROM bv_anwender WHERE anw_id=6 AND anw_lock IS NULL"))
                    .value(0)
                    .toDateTime()
                    .isValid());
}

TEST_F(MariadbBenutzer, VierByteZeichenInAlterLatin1TabelleMitBerichtVerweigert)
{
    ASSERT_EQ(bv_anmelden(), QString());
    // A table from before, in Latin-1: the test server is not strict, so only the session the
    // log-on sets up refuses a character the column cannot hold instead of storing "?".
    sql(QStringLiteral("ALTER TABLE bv_gruppen MODIFY grp_name VARCHAR(100) CHARACTER SET latin1"));
    nimm_meldungen_auf();
    LogMitschnitt mitschnitt;
    {
        CGruppenListe seite;
        seite.lade_gruppen();
        auto* eingabe = seite.findChild<CComboBox*>(QStringLiteral("grp_igruppe"));
        ASSERT_NE(eingabe, nullptr);
        eingabe->setEditText(QStringLiteral("G\U0001F600"));
        seite.addEntry();
    }
    EXPECT_EQ(boxen, QStringList{QStringLiteral("Fehler beim Zugriff auf Gruppentabelle !")});
    EXPECT_NE(mitschnitt.text().find("Incorrect string value"), std::string::npos) << mitschnitt.text();
    EXPECT_EQ(sql(QStringLiteral("SELECT count(*) FROM bv_gruppen")).value(0).toInt(), 0);
}

TEST_F(MariadbBenutzer, NamenVergleichenGenauAuchMitLeerzeichenUndInAelterenTabellen)
{
    ASSERT_EQ(bv_anmelden(), QString());
    sql(QStringLiteral("INSERT INTO bv_gruppen (grp_id, grp_name) VALUES (1, 'Technik')"));
    int anzahl = 0;
    ASSERT_EQ(lese_gruppen(anzahl), QString());
    nimm_meldungen_auf();
    const auto fuege_hinzu = [](const QString& anwender, const QString& email) {
        CAnwenderListe fenster;
        fenster.eName->setzeText(CQString(anwender));
        fenster.eEMail->setzeText(CQString(email));
        fenster.cGruppe->setCurrentIndex(0);
        fenster.addEntry();
    };
    fuege_hinzu(QStringLiteral("pad"), QStringLiteral("ohne@x.de"));
    fuege_hinzu(QStringLiteral("pad "), QStringLiteral("mit@x.de"));
    EXPECT_TRUE(boxen.isEmpty()) << boxen.join('\n').toStdString();
    EXPECT_EQ(gib_anwender_email_tags(CQString("pad ")), QStringLiteral("mit@x.de"));
    EXPECT_EQ(gib_anwender_email_tags(CQString("pad")), QStringLiteral("ohne@x.de"));

    // A table from before: it compares without case and trailing blanks and has no unique key.
    sql(QStringLiteral("DROP INDEX bv_anwender_anw_name_uk ON bv_anwender"));
    sql(QStringLiteral("DELETE FROM bv_anwender WHERE anw_name LIKE 'pad_'"));
    sql(QStringLiteral("ALTER TABLE bv_anwender CONVERT TO CHARACTER SET utf8mb4 COLLATE utf8mb4_general_ci"));
    sql(QStringLiteral("INSERT INTO bv_anwender (anw_id, anw_gruppe, anw_name, anw_email) VALUES (7, 1, 'alt', 'alt@x.de')"));
    bv_abmelden();
    {
        LogMitschnitt mitschnitt;
        ASSERT_EQ(bv_anmelden(), QString());
        EXPECT_NE(mitschnitt.text().find("Tabelle 'bv_anwender': Textspalten"), std::string::npos) << mitschnitt.text();
        EXPECT_NE(mitschnitt.text().find("auf exakten Vergleich (utf8mb4_nopad_bin) umgestellt"), std::string::npos);
    }
    ASSERT_EQ(lese_gruppen(anzahl), QString());
    fuege_hinzu(QStringLiteral("ALT"), QStringLiteral("gross@x.de"));
    EXPECT_TRUE(boxen.isEmpty()) << boxen.join('\n').toStdString();
    EXPECT_EQ(gib_anwender_email_tags(CQString("ALT")), QStringLiteral("gross@x.de"));
    EXPECT_EQ(gib_anwender_email_tags(CQString("alt")), QStringLiteral("alt@x.de"));
    EXPECT_EQ(sql(QStringLiteral("SELECT group_concat(anw_name ORDER BY anw_id SEPARATOR '|') FROM bv_anwender"))
                  .value(0)
                  .toString(),
              QStringLiteral("pad|alt|ALT"));
    setze_modal_funktion({});
    setze_meldung_funktion({});
}
