// The user administration on a real database server, one test body for every server: each test program names its server rows and instantiates the tests for them.
#pragma once

#include "anwenderemail.h"
#include "bvanmeldung.h"
#include "bvdbeinstellungen.h"
#include "caclgroup.h"
#include "canwender_passwort.h"
#include "canwenderliste.h"
#include "cbvdatabase.h"
#include "cdbbvsetting.h"
#include "ccombobox.h"
#include "cgruppenliste.h"
#include "clineedit.h"
#include "cqtableview.h"
#include "ctable.h"
#include "dialogseam.h"
#include "plattform.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>

// A server as the tests reach it.
struct BenutzerServer
{
    // Row name in the test names.
    const char* name;
    const char* treiber;
    // Prefix of the variables that `scripts/datenbankserver.sh` prints: <prefix>_PORT and so on.
    const char* variablen;
    // The database the administrating connection opens first; empty for none.
    const char* startdatenbank;
    // Run on the user administration's connection right after the log-on; empty for nothing.
    const char* sitzung;
};

inline void PrintTo(const BenutzerServer& server, std::ostream* os)
{
    *os << server.name;
}

// The row's name as the name of its instantiated tests.
inline std::string servername(const ::testing::TestParamInfo<BenutzerServer>& info)
{
    return info.param.name;
}

// A database of the test's own on a server, the log-on settings pointing at it, and every box and
// question recorded and answered with "Ja" (or OK, or the first button).
class ServerDatenbank
{
protected:
    // Skips the test when the server's variables are missing; check `IsSkipped` and
    // `HasFatalFailure` after it.
    void richte_ein(const BenutzerServer& server)
    {
        const auto variable = [&server](const char* teil) {
            return qEnvironmentVariable(QByteArray(server.variablen) + '_' + teil);
        };
        if (variable("PORT").isEmpty())
            GTEST_SKIP() << "no test server: " << server.variablen << "_PORT is not set (scripts/datenbankserver.sh start"
                         << (QLatin1String(server.treiber) == QLatin1String("QPSQL") ? " postgres)" : ")");
        name = QStringLiteral("%1bv%2_%3")
                   .arg(variable("PRAEFIX"))
                   .arg(qHash(QCoreApplication::applicationDirPath()), 0, 16)
                   .arg(QCoreApplication::applicationPid());
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QLatin1String(server.treiber), QStringLiteral("verwalter"));
            db.setHostName(QStringLiteral("127.0.0.1"));
            db.setPort(variable("PORT").toInt());
            db.setDatabaseName(QLatin1String(server.startdatenbank));
            db.setUserName(variable("BENUTZER"));
            db.setPassword(variable("PASSWORT"));
            ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
            ASSERT_TRUE(QSqlQuery(QStringLiteral("CREATE DATABASE %1").arg(name), db).isActive());
        }
        CBVDBEinstellungen& e = gib_bvdb_einstellungen();
        e.db_treiber.setze_wert_qstr(CQString(server.treiber));
        e.db_host.setze_wert_qstr(CQString("127.0.0.1"));
        e.db_port.setze_wert(variable("PORT").toUInt());
        e.db_name.setze_wert_qstr(CQString(name));
        e.db_user.setze_wert_qstr(CQString(variable("BENUTZER")));
        e.db_passwort.setze_wert_qstr(CQString(variable("PASSWORT")));
        setze_frage_funktion([this](QWidget*, QMessageBox::Icon, const QString&, const QString& text,
                                    const QStringList& knoepfe, int, int) {
            boxen.append(text);
            return qMax(0, static_cast<int>(knoepfe.indexOf(QStringLiteral("Ja"))));
        });
    }
    void raeume_auf()
    {
        bv_abmelden();
        setze_frage_funktion({});
        setze_meldung_funktion({});
        setze_modal_funktion({});
        CBVDBEinstellungen& e = gib_bvdb_einstellungen();
        for (CVariableBasis* v : std::initializer_list<CVariableBasis*>{&e.db_treiber, &e.db_host, &e.db_port,
                                                                        &e.db_name, &e.db_user, &e.db_passwort})
            v->setze_undefiniert();
        if (QSqlDatabase::contains(QStringLiteral("verwalter"))) {
            {
                QSqlDatabase db = QSqlDatabase::database(QStringLiteral("verwalter"), false);
                QSqlQuery(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(name), db);
                db.close();
            }
            QSqlDatabase::removeDatabase(QStringLiteral("verwalter"));
        }
    }

    QString name;
    QStringList boxen;
};

// The row's server, logged on (the row's session statement run after), message boxes recorded and
// modal windows rejected.
class ServerBenutzer : public ::testing::TestWithParam<BenutzerServer>, protected ServerDatenbank
{
protected:
    void SetUp() override
    {
        richte_ein(GetParam());
        if (IsSkipped() || HasFatalFailure())
            return;
        setze_meldung_funktion([this](QWidget*, const QString&, const QString& text, QMessageBox::StandardButtons,
                                      QMessageBox::StandardButton) {
            boxen.append(text);
            return QMessageBox::Ok;
        });
        setze_modal_funktion([](QWidget*) { return 0; });
        angemeldet = bv_anmelden();
        if (angemeldet.isEmpty() && *GetParam().sitzung)
            ausfuehren(QString::fromLatin1(GetParam().sitzung));
    }
    void TearDown() override
    {
        raeume_auf();
    }
    void ausfuehren(const QString& text) const
    {
        QSqlQuery abfrage(text, QSqlDatabase::database(bv_verbindungsname(), false));
        EXPECT_TRUE(abfrage.isActive()) << text.toStdString() << ": " << abfrage.lastError().text().toStdString();
    }
    // The first value of the first row; invalid without one.
    QVariant lies(const QString& text) const
    {
        QSqlQuery abfrage(text, QSqlDatabase::database(bv_verbindungsname(), false));
        EXPECT_TRUE(abfrage.isActive()) << text.toStdString() << ": " << abfrage.lastError().text().toStdString();
        return abfrage.next() ? abfrage.value(0) : QVariant();
    }
    // A user added through the window, as an administrator would.
    static void fuege_hinzu(CAnwenderListe& fenster, const QString& anwender, const QString& email)
    {
        fenster.eName->setzeText(CQString(anwender));
        fenster.eEMail->setzeText(CQString(email));
        fenster.cGruppe->setCurrentIndex(0);
        fenster.addEntry();
    }

    CQString angemeldet;
};

TEST_P(ServerBenutzer, AnmeldungLegtTabellenAnUndZaehltAnwenderDerGruppeUndGesperrte)
{
    ASSERT_EQ(angemeldet, QString());
    const QSqlRecord satz = QSqlDatabase::database(bv_verbindungsname(), false).record(QStringLiteral("bv_anwender"));
    EXPECT_EQ(satz.count(), 15);
    ausfuehren(QStringLiteral("INSERT INTO bv_gruppen (grp_id, grp_name) VALUES (2, 'Technik'), (3, 'Leer')"));
    ausfuehren(QStringLiteral(
        "INSERT INTO bv_anwender (anw_id, anw_gruppe, anw_name, anw_lock, anw_login) VALUES "
        "(3, 2, 'meier', 'X', '2024-01-02 08:00:00'), (4, 2, 'abel', NULL, NULL), (6, 2, 'zorn', 'X', NULL)"));
    int anzahl = 0;
    ASSERT_EQ(lese_gruppen(anzahl), QString());
    EXPECT_EQ(ngruppe_vorhanden(2), 3);
    EXPECT_EQ(ngruppe_vorhanden(3), 0);

    // A group that still has users stays; the empty one goes.
    {
        CGruppenListe seite;
        seite.lade_gruppen();
        const auto* liste = seite.findChild<CQTableView*>();
        ASSERT_NE(liste, nullptr);
        const auto zeile = [liste](const QString& gruppe) {
            for (int z = 0; z < liste->model()->rowCount(); ++z)
                if (liste->zellDaten(z, 1).toString() == gruppe)
                    return z;
            return -1;
        };
        seite.loesche_gruppe(zeile(QStringLiteral("Technik")));
        seite.loesche_gruppe(zeile(QStringLiteral("Leer")));
    }
    EXPECT_EQ(boxen.filter(QStringLiteral("noch 3 Anwender")).size(), 1) << boxen.join('\n').toStdString();
    EXPECT_EQ(lies(QStringLiteral("SELECT count(*) FROM bv_gruppen")).toInt(), 1);
    EXPECT_EQ(lies(QStringLiteral("SELECT grp_name FROM bv_gruppen")).toString(), QStringLiteral("Technik"));

    CAnwenderListe fenster;
    CQTableView view(nullptr, 7);
    EXPECT_EQ(fenster.upd_tab_lock_user(&view), 2);
    EXPECT_EQ(view.model()->rowCount(), 2);
    EXPECT_TRUE(logoff(6, true));
    EXPECT_EQ(fenster.upd_tab_lock_user(&view), 1);
    EXPECT_TRUE(lies(QStringLiteral("SELECT anw_logoff FROM bv_anwender WHERE anw_id=6")).toDateTime().isValid());

    // The settings template creates its tables there too and writes one row per variable.
    boxen.clear();
    CDbBVsetting seite;
    seite.erzeuge_vorlageEinstellungen_slot();
    ASSERT_EQ(boxen.size(), 1);
    EXPECT_TRUE(boxen.first().endsWith(QStringLiteral("Tabelle 'bv_vorlage' geschrieben!"))) << boxen.first().toStdString();
    EXPECT_GT(lies(QStringLiteral("SELECT count(*) FROM bv_vorlage WHERE vor_flag='1'")).toInt(), 10);
}

TEST_P(ServerBenutzer, VierByteZeichenUndBackslashGenauGespeichertGefundenGeloescht)
{
    ASSERT_EQ(angemeldet, QString());
    const QString gruppe = QStringLiteral("G\U0001F600");
    {
        CGruppenListe seite;
        seite.lade_gruppen();
        auto* eingabe = seite.findChild<CComboBox*>(QStringLiteral("grp_igruppe"));
        ASSERT_NE(eingabe, nullptr);
        eingabe->setEditText(gruppe);
        seite.addEntry();
        eingabe->setEditText(gruppe + QStringLiteral("\\2"));
        seite.changeEntry();
    }
    EXPECT_EQ(lies(QStringLiteral("SELECT grp_name FROM bv_gruppen")).toString(), gruppe + QStringLiteral("\\2"));
    ASSERT_EQ(gib_gruppenliste().size(), 1);
    EXPECT_EQ(gib_gruppenliste().first()->gib_name(), gruppe + QStringLiteral("\\2"));

    const QString anwender = QStringLiteral("back\\slash");
    {
        CAnwenderListe fenster;
        fuege_hinzu(fenster, anwender, QStringLiteral("b\\s@x.de"));
        EXPECT_EQ(gib_anwender_email_tags(CQString(anwender)), QStringLiteral("b\\s@x.de"));
        EXPECT_EQ(lies(QStringLiteral("SELECT anw_name FROM bv_anwender")).toString(), anwender);
        fenster.eLang->setzeText(CQString("Zwei\\Teile 'x'"));
        fenster.changeEntry();
        EXPECT_EQ(lies(QStringLiteral("SELECT anw_langname FROM bv_anwender")).toString(), QStringLiteral("Zwei\\Teile 'x'"));
        // The same name once more is found and refused.
        fenster.setze_bearbeitungsmodus(false);
        fenster.addEntry();
        EXPECT_EQ(boxen.filter(QStringLiteral("ist bereits vorhanden")).size(), 1) << boxen.join('\n').toStdString();
        fenster.gib_tabelle()->selectRow(0);
        fenster.DeleteItem();
    }
    EXPECT_EQ(lies(QStringLiteral("SELECT count(*) FROM bv_anwender")).toInt(), 0);
}

TEST_P(ServerBenutzer, NamenUnterscheidenGrossUndKleinschreibung)
{
    ASSERT_EQ(angemeldet, QString());
    ausfuehren(QStringLiteral("INSERT INTO bv_gruppen (grp_id, grp_name) VALUES (1, 'Technik')"));
    int anzahl = 0;
    ASSERT_EQ(lese_gruppen(anzahl), QString());
    {
        CAnwenderListe fenster;
        fuege_hinzu(fenster, QStringLiteral("meier"), QStringLiteral("klein@x.de"));
        fuege_hinzu(fenster, QStringLiteral("Meier"), QStringLiteral("gross@x.de"));
    }
    EXPECT_TRUE(boxen.isEmpty()) << boxen.join('\n').toStdString();
    EXPECT_EQ(lies(QStringLiteral("SELECT count(*) FROM bv_anwender")).toInt(), 2);
    EXPECT_EQ(gib_anwender_email_tags(CQString("meier")), QStringLiteral("klein@x.de"));
    EXPECT_EQ(gib_anwender_email_tags(CQString("Meier")), QStringLiteral("gross@x.de"));
    EXPECT_EQ(gib_anwender_email_tags(CQString("MEIER")), QString());
}
