// The user administration on SQLite: settings, log-on, structure file, template writer, protocol clearing, rights and groups.
#include "aclrechte.h"
#include "bvtest.h"
#include "bvdbeinstellungen.h"
#include "bvstruktur.h"
#include "caclgroup.h"
#include "cbvdatabase.h"
#include "cdbbvsetting.h"
#include "ccheckbox.h"
#include "dialogseam.h"
#include "logmitschnitt.h"
#include "plattform.h"
#include "steuerdaten.h"
#include "wecker.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// Registered like every setting; its value is set out of range by the template test.
CVariableSteuer<EBool> kaputt("/Allgemein/AAA Kaputt", NEIN, "", "");

bool enthaelt(const std::string& text, const std::string& teil)
{
    return text.find(teil) != std::string::npos;
}

class Benutzerverwaltung : public BVTest
{
protected:
    void TearDown() override
    {
        BVTest::TearDown();
        kaputt.setze_undefiniert();
    }
};

} // namespace

TEST(BVEinstellungen, VorgabenKennwortUndKlasseneintraege)
{
    CBVDBEinstellungen& e = gib_bvdb_einstellungen();
    EXPECT_EQ(e.db_port.gib_wert(), 99999999u);
    EXPECT_EQ(e.bvdb_verbindung.gib_wert(), JA);
    EXPECT_EQ(e.protokollierung.gib_wert(), NEIN);
    EXPECT_EQ(e.mssql_format_zeit.gib_wert_qstr(), QStringLiteral("yyyy-MM-dd"));
    EXPECT_TRUE(e.db_passwort.ist_kennwort);
    EXPECT_FALSE(e.db_host.ist_kennwort);
    EXPECT_EQ(e.db_passwort.gib_beschreibung().gib_string(), "Kennwort des Datenbank Benutzers");
    const CSteuerVarListe& liste = *gib_steuervar_liste();
    EXPECT_EQ(liste.at("/BV-DB/DB-Port"), &e.db_port);
    EXPECT_EQ(liste.at("/Privat/BVDB-Verbindung"), &e.bvdb_verbindung);
    for (const char* name : {"CAclRight", "C_CAnwenderListe", "CCACLUSER", "CAclGroup", "CUserMan", "C_CBVDataBase"})
        EXPECT_NE(CKlasse::finde(name), nullptr) << name;
}

TEST_F(Benutzerverwaltung, AnmeldungLegtTabellenEinmalAnUndAbmeldungRaeumtAuf)
{
    ASSERT_EQ(bv_anmelden(), QString());
    const QStringList tabellen = QSqlDatabase::database(bv_verbindungsname(), false).tables();
    for (const char* name : {"bv_gruppen", "bv_anwender", "bv_protokoll"})
        EXPECT_TRUE(tabellen.contains(QLatin1String(name))) << name;
    EXPECT_TRUE(datenbank_verbunden());
    EXPECT_TRUE(benutzerverwaltung_aktiv());
    ASSERT_NE(gib_bv_anwendertabelle(), nullptr);
    EXPECT_EQ(gib_bv_anwendertabelle()->gib_spaltenname(37), QStringLiteral("anw_langname"));
    EXPECT_EQ(gib_bv_ccdatabase(), gib_bv_datenbank()->gib_datenbank());
    EXPECT_TRUE(sql(QStringLiteral("INSERT INTO bv_anwender (anw_id) VALUES (1)")));

    bv_abmelden();
    EXPECT_FALSE(datenbank_verbunden());
    EXPECT_FALSE(benutzerverwaltung_aktiv());
    EXPECT_EQ(gib_bv_datenbank(), nullptr);
    EXPECT_EQ(gib_bv_anwendertabelle(), nullptr);

    {
        LogMitschnitt mitschnitt;
        ASSERT_EQ(bv_anmelden(), QString());
        EXPECT_FALSE(enthaelt(mitschnitt.text(), "angelegt")) << mitschnitt.text();
        EXPECT_EQ(lies(QStringLiteral("SELECT count(*) FROM bv_anwender")).toInt(), 1);
    }

    gib_bvdb_einstellungen().db_treiber.setze_wert_qstr(CQString("QGIBTESNICHT"));
    const CQString fehler = bv_anmelden();
    EXPECT_TRUE(fehler.contains(QStringLiteral("QGIBTESNICHT"))) << fehler.toStdString();
    EXPECT_EQ(gib_bv_datenbank(), nullptr);
    EXPECT_EQ(gib_bv_ccdatabase(), nullptr);
    EXPECT_FALSE(benutzerverwaltung_aktiv());
    EXPECT_FALSE(QSqlDatabase::contains(bv_verbindungsname()));
}

TEST_F(Benutzerverwaltung, TabelleOhneIdSpalteScheitertBeiDerAnmeldungMitKlarerMeldung)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("vorher"));
        db.setDatabaseName(ordner.filePath(QStringLiteral("bv.sqlite")));
        ASSERT_TRUE(db.open());
        ASSERT_TRUE(QSqlQuery(QStringLiteral("CREATE TABLE bv_anwender (anw_name VARCHAR(100))"), db).isActive());
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("vorher"));
    const CQString fehler = bv_anmelden();
    EXPECT_TRUE(fehler.contains(QStringLiteral("'bv_anwender' ist unvollständig"))) << fehler.toStdString();
    EXPECT_TRUE(fehler.contains(QStringLiteral("Datensatz-ID-Spalte 'anw_id'"))) << fehler.toStdString();
    EXPECT_EQ(gib_bv_datenbank(), nullptr);
    EXPECT_FALSE(benutzerverwaltung_aktiv());
}

TEST(BVStruktur, DateiErsetztSpalteUndBenenntJedeVerworfeneZeile)
{
    QTemporaryDir ordner;
    QFile datei(ordner.filePath(QLatin1String(bv_strukturdatei)));
    ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
    datei.write("# Anpassung\r\n"
                "1;37;anw_vollname;11;255;;Vollständiger Name\r\n"
                "eins;bv_a\n"
                "4;71;vor_wert;22;0;;Wert\n"
                "1;48;anw_bemerkung;11;0;;Bemerkung\n"
                "1;49;anw_x;11;10;;a;b\n"
                "1;50;anw_y'; DROP;11;10;;Y\n"
                "9;bv_neu\n"
                "9;90;neu_id;17;0;;ID\n");
    datei.close();
    QStringList meldungen;
    const auto struktur = baue_bv_struktur(ordner.path(), meldungen);
    CDBDatenstruktur& s = *struktur->gib_datenstruktur();
    EXPECT_EQ(s.gib_tabelle(1)->gib_spaltenname(37), QStringLiteral("anw_vollname"));
    EXPECT_EQ(s.gib_tabelle(1)->gib_guititel(37), QStringLiteral("Vollständiger Name"));
    EXPECT_EQ(s.gib_tabelle(9)->gib_spaltenname(90), QStringLiteral("neu_id"));
    // The refused lines leave the built-in columns as they were.
    EXPECT_EQ(s.gib_tabelle(4)->gib_spaltentyp(71), 11);
    EXPECT_EQ(s.gib_tabelle(4)->gib_laenge(71, 0), 255);
    EXPECT_EQ(s.gib_tabelle(1)->gib_laenge(48, 0), 255);
    EXPECT_EQ(s.gib_tabelle(1)->gib_index(49, false), -1);
    EXPECT_EQ(s.gib_tabelle(1)->gib_index(50, false), -1);
    ASSERT_EQ(meldungen.size(), 5) << meldungen.join('\n').toStdString();
    const int zeilen[] = {3, 4, 5, 6, 7};
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(meldungen.at(i).startsWith(datei.fileName() + QStringLiteral(", Zeile %1: ").arg(zeilen[i])))
            << meldungen.at(i).toStdString();
    EXPECT_TRUE(meldungen.at(1).contains(QStringLiteral("Langtext")));
}

// An override file that is a pipe is not waited for: it is reported as unreadable and the
// built-in layout stays.
TEST(BVStruktur, RohrAlsDateiIstUnlesbarOhneZuWarten)
{
    const Wecker wecker;
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QLatin1String(bv_strukturdatei));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pfad).constData(), 0600), 0);
    QStringList meldungen;
    const auto struktur = baue_bv_struktur(ordner.path(), meldungen);
    ASSERT_EQ(meldungen.size(), 1);
    EXPECT_TRUE(meldungen.at(0).startsWith(pfad + QStringLiteral(": nicht lesbar: "))) << meldungen.at(0).toStdString();
    EXPECT_EQ(struktur->gib_datenstruktur()->gib_tabelle(1)->gib_laenge(48, 0), 255);
}

// A structure file of 1 GB (sparse) is refused with its size, not read into memory: the
// built-in layout stays.
TEST(BVStruktur, RiesigeDateiWirdMitGroesseAbgewiesen)
{
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QLatin1String(bv_strukturdatei));
    QFile datei(pfad);
    ASSERT_TRUE(datei.open(QIODevice::WriteOnly) && datei.resize(qint64(1) << 30));
    datei.close();
    QStringList meldungen;
    const auto struktur = baue_bv_struktur(ordner.path(), meldungen);
    EXPECT_EQ(meldungen, QStringList{pfad + QStringLiteral(": zu groß (1073741824 Bytes, höchstens 16777216)")});
    EXPECT_EQ(struktur->gib_datenstruktur()->gib_tabelle(1)->gib_laenge(48, 0), 255);
}

TEST_F(Benutzerverwaltung, OhneVerbindungZeigtNurMeldenEineInfoBox)
{
    EXPECT_FALSE(pruefe_datenbankverbindung(false));
    EXPECT_TRUE(boxen.isEmpty());
    EXPECT_FALSE(pruefe_datenbankverbindung(true));
    EXPECT_EQ(boxen, QStringList{QStringLiteral("Kelmor|Funktion nur verfügbar, wenn Datenbank verbunden ist.")});
    EXPECT_EQ(symbole, QVector<QMessageBox::Icon>{QMessageBox::Information});
}

TEST_F(Benutzerverwaltung, VorlageGebundenMitVerschluesseltemKennwortEinmalJeVariableUndGekuerzt)
{
    CBVDBEinstellungen& e = gib_bvdb_einstellungen();
    // With the SQL protocol on every statement is logged: the values must not be in them.
    e.protokollierung.setze_wert(JA);
    ASSERT_EQ(bv_anmelden(), QString());
    const QString host = QStringLiteral("C:\\neu\\host'x");
    e.db_host.setze_wert_qstr(CQString(host));
    e.db_passwort.setze_wert_qstr(CQString("geheim"));
    kaputt.setze_wert(static_cast<EBool>(5));
    CDbBVsetting seite;

    LogMitschnitt mitschnitt;
    seite.erzeuge_vorlageEinstellungen_slot();
    EXPECT_TRUE(kritisch.isEmpty()) << kritisch.join('\n').toStdString();
    ASSERT_EQ(fragen.size(), 1);
    EXPECT_EQ(symbole.at(0), QMessageBox::Information);
    EXPECT_TRUE(fragen.at(0).section(QLatin1Char('|'), 1, -1).startsWith(QStringLiteral("Anlegen der Tabelle 'bv_verwaltung'!\n"
                                                           "Anlegen der Tabelle 'bv_vorlage'!\n")));
    EXPECT_TRUE(fragen.at(0).section(QLatin1Char('|'), 1, -1).endsWith(QStringLiteral("Tabelle 'bv_vorlage' geschrieben!")));
    const auto wert = [this](const char* schluessel) {
        return lies(QStringLiteral("SELECT vor_wert || '|' || vor_flag FROM bv_vorlage WHERE vor_schluessel='%1'")
                        .arg(QLatin1String(schluessel)))
            .toString();
    };
    EXPECT_EQ(wert("/BV-DB/DB-Host"), host + QStringLiteral("|1"));
    EXPECT_EQ(wert("/BV-DB/MSSQL-Format_Zeit"), QStringLiteral("yyyy-MM-dd|1"));
    EXPECT_EQ(wert("/Privat/BVDB-Verbindung"), QStringLiteral("Ja|1"));
    EXPECT_EQ(wert("/BV-DB/DB-Passwort"), QStringLiteral("67656865696D|1"));
    EXPECT_EQ(lies(QStringLiteral("SELECT count(*) FROM bv_vorlage WHERE vor_wert LIKE '%geheim%' "
                                  "OR vor_schluessel LIKE '/Html%' OR vor_schluessel='/Allgemein/ASCII-Ausgabe' "
                                  "OR vor_schluessel='/Allgemein/AAA Kaputt'"))
                  .toInt(),
              0);
    EXPECT_TRUE(enthaelt(mitschnitt.text(), "/Allgemein/AAA Kaputt")) << "the skipped variable is named";
    EXPECT_FALSE(enthaelt(mitschnitt.text(), "geheim"));
    EXPECT_FALSE(enthaelt(mitschnitt.text(), "67656865696D"));
    const int zeilen = lies(QStringLiteral("SELECT count(*) FROM bv_vorlage")).toInt();
    EXPECT_GT(zeilen, 50);

    // Second run: emptied and written again, the over-long value cut to the column's width.
    fragen.clear();
    symbole.clear();
    e.db_host.setze_wert_qstr(CQString(QString(256, QLatin1Char('h'))));
    seite.erzeuge_vorlageEinstellungen_slot();
    EXPECT_EQ(lies(QStringLiteral("SELECT count(*) FROM bv_vorlage")).toInt(), zeilen);
    EXPECT_EQ(lies(QStringLiteral("SELECT count(DISTINCT vor_schluessel) FROM bv_vorlage")).toInt(), zeilen);
    EXPECT_EQ(wert("/BV-DB/DB-Host"), QString(255, QLatin1Char('h')) + QStringLiteral("|1"));
    ASSERT_EQ(fragen.size(), 1);
    EXPECT_EQ(symbole.at(0), QMessageBox::Warning);
    EXPECT_TRUE(fragen.at(0).section(QLatin1Char('|'), 1, -1).contains(QStringLiteral(
        "Zuviele Daten (/BV-DB/DB-Host) für Spalte 'vor_wert' in Tabelle 'bv_vorlage' (max. 255)!")));
    EXPECT_TRUE(fragen.at(0).section(QLatin1Char('|'), 1, -1).contains(QStringLiteral("Bitte anpassen in Systemdatei 'benutzerverwaltung_data.inf'")));
    EXPECT_FALSE(fragen.at(0).section(QLatin1Char('|'), 1, -1).contains(QStringLiteral("Anlegen")));
}

TEST_F(Benutzerverwaltung, VorlageBrichtBeimErstenFehlschlagKritischAbUndBleibtWieSieWar)
{
    ASSERT_EQ(bv_anmelden(), QString());
    ASSERT_TRUE(sql(QStringLiteral("CREATE TABLE bv_vorlage (vor_id INTEGER PRIMARY KEY, vor_schluessel VARCHAR(255), "
                                   "vor_wert VARCHAR(255), vor_flag CHAR(1))")));
    ASSERT_TRUE(sql(QStringLiteral("CREATE TRIGGER sperre BEFORE INSERT ON bv_vorlage "
                                   "WHEN NEW.vor_schluessel = '/BV-DB/DB-Host' BEGIN SELECT RAISE(ABORT, 'gesperrt'); END")));
    ASSERT_TRUE(sql(QStringLiteral("INSERT INTO bv_vorlage VALUES (1, '/Alt', 'bleibt', '1')")));
    CDbBVsetting seite;
    seite.erzeuge_vorlageEinstellungen_slot();
    EXPECT_TRUE(fragen.isEmpty()) << "no closing report after a failure";
    EXPECT_EQ(kritisch, QStringList{QStringLiteral("Fehler beim Schreiben einer neuen Zeile in Tabelle 'bv_vorlage'!\n"
                                                   "Tabelle 'bv_vorlage' bleibt unverändert!")});
    // Whole or not at all: the template written before stays as it was.
    EXPECT_EQ(lies(QStringLiteral("SELECT count(*) FROM bv_vorlage")).toInt(), 1);
    EXPECT_EQ(lies(QStringLiteral("SELECT vor_wert FROM bv_vorlage WHERE vor_schluessel='/Alt'")).toString(),
              QStringLiteral("bleibt"));
}

TEST_F(Benutzerverwaltung, ProtokollNurNachJaGeleertUndKontrollkaestchenGespeichert)
{
    ASSERT_EQ(bv_anmelden(), QString());
    for (int i = 1; i <= 3; ++i)
        ASSERT_TRUE(sql(QStringLiteral("INSERT INTO bv_protokoll (prot_id, prot_text) VALUES (%1, 'x')").arg(i)));
    CDbBVsetting seite;
    antwort = QStringLiteral("Nein");
    seite.loesche_protokoll_slot();
    EXPECT_EQ(lies(QStringLiteral("SELECT count(*) FROM bv_protokoll")).toInt(), 3);
    ASSERT_EQ(fragen.size(), 1);
    EXPECT_EQ(fragen.at(0).section(QLatin1Char('|'), 1, -1), QStringLiteral("Soll Protokolltabelle gelöscht werden?"));
    antwort = QStringLiteral("Ja");
    LogMitschnitt mitschnitt;
    seite.loesche_protokoll_slot();
    EXPECT_EQ(lies(QStringLiteral("SELECT count(*) FROM bv_protokoll")).toInt(), 0);
    EXPECT_TRUE(enthaelt(mitschnitt.text(), "Inhalt der Protokolltabelle gelöscht"));

    auto* autocon = seite.findChild<QCheckBox*>(QStringLiteral("bv_autocon"));
    auto* protokoll = seite.findChild<QCheckBox*>(QStringLiteral("bv_protokoll"));
    ASSERT_TRUE(autocon && protokoll);
    autocon->blockSignals(true);
    protokoll->blockSignals(true);
    autocon->setChecked(false);
    protokoll->setChecked(true);
    seite.xAutocon_slot();
    seite.protokoll_slot();
    EXPECT_EQ(gib_bvdb_einstellungen().bvdb_verbindung.gib_wert(), NEIN);
    EXPECT_EQ(gib_bvdb_einstellungen().protokollierung.gib_wert(), JA);
}

TEST_F(Benutzerverwaltung, SqlFeldAntwortetMitZeilenzahlOderBerichtNieMitInhalten)
{
    ASSERT_EQ(bv_anmelden(), QString());
    CDbBVsetting seite;
    auto* text = seite.findChild<QPlainTextEdit*>(QStringLiteral("bv_sql"));
    auto* ergebnis = seite.findChild<QLabel*>(QStringLiteral("bv_sql_ergebnis"));
    ASSERT_TRUE(text && ergebnis);
    text->setPlainText(QStringLiteral("INSERT INTO bv_anwender (anw_id, anw_kennwort) VALUES (1, '4B454E4E')"));
    seite.AusfuehrenSQL_slot();
    EXPECT_EQ(ergebnis->text(), QStringLiteral("Erfolgreich: 1 Zeilen"));
    text->setPlainText(QStringLiteral("SELECT anw_kennwort FROM bv_anwender"));
    seite.AusfuehrenSQL_slot();
    EXPECT_EQ(ergebnis->text(), QStringLiteral("Erfolgreich: 1 Zeilen"));
    text->setPlainText(QStringLiteral("SELECT x FROM nix"));
    seite.AusfuehrenSQL_slot();
    const QStringList zeilen = ergebnis->text().split(QLatin1Char('\n'));
    ASSERT_EQ(zeilen.size(), 3) << ergebnis->text().toStdString();
    EXPECT_TRUE(zeilen.at(0).startsWith(QStringLiteral("SQL-Fehler: no such table: nix")));
    EXPECT_EQ(zeilen.at(1), QStringLiteral("SQL-Befehl: SELECT x FROM nix"));
}

TEST(Rechte, NamenKuerzelUndNummern)
{
    EXPECT_EQ(gib_recht_nummer(QStringLiteral("read")), 0);
    EXPECT_EQ(gib_recht_nummer(QStringLiteral("schutz")), 7);
    EXPECT_EQ(gib_recht_nummer(QStringLiteral("Read")), 99999999);
    EXPECT_EQ(gib_recht_kuerzel(7), QStringLiteral("F"));
    EXPECT_EQ(gib_recht_kuerzel(1), QStringLiteral("S"));
    EXPECT_EQ(gib_recht_kuerzel(99999999), QString());
    EXPECT_EQ(gib_recht_kuerzel(8), QStringLiteral("?"));
    EXPECT_EQ(gib_recht_kuerzel(-1), QStringLiteral("?"));
    EXPECT_EQ(gib_recht_name(99999999), QStringLiteral("?"));
    EXPECT_EQ(gib_recht_nummer_aus_kuerzel(QStringLiteral("F")), 7);
    EXPECT_EQ(gib_recht_nummer_aus_kuerzel(QString()), 99999999);
}

TEST_F(Benutzerverwaltung, GruppenGeordnetEindeutigUndBenutzerGezaehlt)
{
    ASSERT_EQ(bv_anmelden(), QString());
    for (const char* zeile : {"(1,'b')", "(2,'A')", "(3,'a')"})
        ASSERT_TRUE(sql(QStringLiteral("INSERT INTO bv_gruppen (grp_id, grp_name) VALUES %1").arg(QLatin1String(zeile))));
    int anzahl = -1;
    EXPECT_EQ(lese_gruppen(anzahl), QString());
    EXPECT_EQ(anzahl, 3);
    const auto liste = [] {
        QStringList text;
        for (const CAclGroup* g : gib_gruppenliste())
            text.append(QStringLiteral("%1(%2)").arg(g->gib_name()).arg(g->gib_nummer()));
        return text.join(QLatin1Char(' '));
    };
    EXPECT_EQ(liste(), QStringLiteral("A(2) a(3) b(1)"));

    // A table from before the unique key on the names.
    ASSERT_TRUE(sql(QStringLiteral("DELETE FROM bv_gruppen")));
    ASSERT_TRUE(sql(QStringLiteral("DROP INDEX bv_gruppen_grp_name_uk")));
    ASSERT_TRUE(sql(QStringLiteral("INSERT INTO bv_gruppen (grp_id, grp_name) VALUES (1,'X'), (5,'X')")));
    EXPECT_EQ(lese_gruppen(anzahl), QString());
    EXPECT_EQ(anzahl, 2);
    EXPECT_EQ(liste(), QStringLiteral("X(5)"));

    for (int id = 1; id <= 3; ++id)
        ASSERT_TRUE(sql(QStringLiteral("INSERT INTO bv_anwender (anw_id, anw_gruppe) VALUES (%1, 2)").arg(id)));
    EXPECT_EQ(ngruppe_vorhanden(2), 3);
    EXPECT_EQ(ngruppe_vorhanden(4), 0);
    ASSERT_TRUE(sql(QStringLiteral("DROP TABLE bv_anwender")));
    EXPECT_EQ(ngruppe_vorhanden(2), -1);
    ASSERT_TRUE(sql(QStringLiteral("DROP TABLE bv_gruppen")));
    EXPECT_EQ(lese_gruppen(anzahl), QStringLiteral("lese_gruppen: Fehler beim Zugriff auf Gruppendaten"));
    EXPECT_TRUE(gib_gruppenliste().isEmpty());
}
