// Times the search of the user table window with many users on SQLite, MariaDB and PostgreSQL: how long the window takes to open and to select 10,000 and 1,000 matches.
//
// anwendersuche [--anwender N] [--server sqlite|mariadb|postgres]... [--laeufe N]
//   fills a database of its own on each server (SQLite in a temporary file; MariaDB and PostgreSQL
//   through the variables of scripts/datenbankserver.sh, skipped without them) with N users
//   (default 10000) named "nutzer0" and a five-digit number, every tenth with an "x" after it;
//   opens the window and searches the user name for "nutzer0" (every user) and "x" (a tenth, each
//   a range of its own in the sorted grid), the best and the median of the runs in ms.
#include "sanitizervorgaben.h"
#include "benchanwendung.h"
#include "bvanmeldung.h"
#include "bvdbeinstellungen.h"
#include "canwender_passwort.h"
#include "canwenderliste.h"
#include "clineedit.h"
#include "ctable.h"
#include "plattform.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Server
{
    const char* name;
    const char* treiber;
    // Prefix of the test variables; empty for SQLite.
    const char* variablen;
    // The database the administrating connection opens first.
    const char* startdatenbank;
};

const Server server_liste[] = {{"sqlite", "QSQLITE", "", ""},
                               {"mariadb", "QMYSQL", "AKT_MARIADB", ""},
                               {"postgres", "QPSQL", "AKT_PG", "postgres"}};

QString variable(const Server& server, const char* teil)
{
    return qEnvironmentVariable(QByteArray(server.variablen) + '_' + teil);
}

// The server's administrating connection (CREATE and DROP DATABASE); false when it cannot open.
bool verwalter(const Server& server, QSqlDatabase& db)
{
    db = QSqlDatabase::addDatabase(QLatin1String(server.treiber), QStringLiteral("verwalter"));
    db.setHostName(QStringLiteral("127.0.0.1"));
    db.setPort(variable(server, "PORT").toInt());
    db.setDatabaseName(QLatin1String(server.startdatenbank));
    db.setUserName(variable(server, "BENUTZER"));
    db.setPassword(variable(server, "PASSWORT"));
    if (db.open())
        return true;
    std::fprintf(stderr, "anwendersuche: %s: %s\n", server.name, qPrintable(db.lastError().text()));
    return false;
}

bool fuelle(int anwender)
{
    QSqlDatabase db = QSqlDatabase::database(bv_verbindungsname(), false);
    if (!QSqlQuery(QStringLiteral("INSERT INTO bv_gruppen (grp_id, grp_name) VALUES (1, 'Technik')"), db).isActive())
        return false;
    db.transaction();
    constexpr int je_anweisung = 500;
    for (int anfang = 0; anfang < anwender; anfang += je_anweisung) {
        QStringList zeilen;
        for (int i = anfang; i < std::min(anwender, anfang + je_anweisung); ++i)
            zeilen.append(QStringLiteral("(%1, 1, 'nutzer0%2%3', 'R', 'n%1@x.de')")
                              .arg(i + 1)
                              .arg(i, 5, 10, QLatin1Char('0'))
                              .arg(QLatin1String(i % 10 == 0 ? "x" : "")));
        const QString sql = QStringLiteral("INSERT INTO bv_anwender (anw_id, anw_gruppe, anw_name, anw_recht, anw_email) "
                                           "VALUES ")
                            + zeilen.join(QLatin1Char(','));
        QSqlQuery abfrage(db);
        if (!abfrage.exec(sql)) {
            std::fprintf(stderr, "anwendersuche: %s\n", qPrintable(abfrage.lastError().text()));
            db.rollback();
            return false;
        }
    }
    return db.commit();
}

// The best and the median of the times.
QString zeiten(std::vector<qint64> ms)
{
    std::sort(ms.begin(), ms.end());
    return QStringLiteral("%1 / %2").arg(ms.front()).arg(ms[ms.size() / 2]);
}

// One search for `text` in the user name, with the repaint after it: its time in ms; `treffer`
// gets the rows selected.
qint64 suche(CAnwenderListe& fenster, const QString& text, int& treffer)
{
    fenster.kName->setChecked(true);
    fenster.sName->setText(text);
    QApplication::processEvents();
    QElapsedTimer uhr;
    uhr.start();
    fenster.findEntries();
    QApplication::processEvents();
    const qint64 dauer = uhr.elapsed();
    treffer = fenster.gib_tabelle()->selectionModel()->selectedRows().size();
    return dauer;
}

bool miss(const Server& server, int anwender, int laeufe)
{
    if (*server.variablen && variable(server, "PORT").isEmpty()) {
        std::printf("%-9s skipped: %s_PORT is not set\n", server.name, server.variablen);
        return true;
    }
    QTemporaryDir ordner;
    QString datenbank = ordner.filePath(QStringLiteral("bv.sqlite"));
    QSqlDatabase admin;
    if (*server.variablen) {
        if (!verwalter(server, admin))
            return false;
        datenbank = QStringLiteral("%1bench_%2").arg(variable(server, "PRAEFIX")).arg(QCoreApplication::applicationPid());
        QSqlQuery(QStringLiteral("CREATE DATABASE %1").arg(datenbank), admin);
    }
    CBVDBEinstellungen& e = gib_bvdb_einstellungen();
    e.db_treiber.setze_wert_qstr(CQString(server.treiber));
    e.db_name.setze_wert_qstr(CQString(datenbank));
    if (*server.variablen) {
        e.db_host.setze_wert_qstr(CQString("127.0.0.1"));
        e.db_port.setze_wert(variable(server, "PORT").toUInt());
        e.db_user.setze_wert_qstr(CQString(variable(server, "BENUTZER")));
        e.db_passwort.setze_wert_qstr(CQString(variable(server, "PASSWORT")));
    }
    // The window reads the groups as the program's does.
    bool ok = bv_anmelden().isEmpty() && fuelle(anwender);
    if (ok) {
        std::vector<qint64> oeffnen, alle, zehntel;
        int treffer_alle = 0;
        int treffer_zehntel = 0;
        for (int lauf = 0; lauf < laeufe; ++lauf) {
            QElapsedTimer uhr;
            uhr.start();
            CAnwenderListe fenster;
            fenster.resize(1200, 800);
            fenster.show();
            QApplication::processEvents();
            oeffnen.push_back(uhr.elapsed());
            alle.push_back(suche(fenster, QStringLiteral("nutzer0"), treffer_alle));
            zehntel.push_back(suche(fenster, QStringLiteral("x"), treffer_zehntel));
        }
        std::printf("%-9s %8d %14s %9d %14s %9d %14s\n", server.name, anwender, qPrintable(zeiten(oeffnen)),
                    treffer_alle, qPrintable(zeiten(alle)), treffer_zehntel, qPrintable(zeiten(zehntel)));
        ok = treffer_alle == anwender && treffer_zehntel == (anwender + 9) / 10;
    }
    bv_abmelden();
    if (admin.isValid()) {
        QSqlQuery(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(datenbank), admin);
        admin.close();
        admin = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("verwalter"));
    }
    for (CVariableBasis* v : std::initializer_list<CVariableBasis*>{&e.db_treiber, &e.db_name, &e.db_host, &e.db_port,
                                                                    &e.db_user, &e.db_passwort})
        v->setze_undefiniert();
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    // Statements run beside the window and post their ends to it.
    CBenchAnwendung anwendung(argc, argv);
    int anwender = 10000;
    int laeufe = 3;
    QStringList gewaehlt;
    const QStringList argumente = QApplication::arguments().mid(1);
    for (int i = 0; i < argumente.size(); ++i) {
        if (argumente[i] == QLatin1String("--anwender") && i + 1 < argumente.size())
            anwender = argumente[++i].toInt();
        else if (argumente[i] == QLatin1String("--laeufe") && i + 1 < argumente.size())
            laeufe = std::max(1, argumente[++i].toInt());
        else if (argumente[i] == QLatin1String("--server") && i + 1 < argumente.size())
            gewaehlt.append(argumente[++i]);
        else {
            std::fprintf(stderr, "Aufruf: anwendersuche [--anwender N] [--server sqlite|mariadb|postgres]... [--laeufe N]\n");
            return 2;
        }
    }
    // No box may wait for an answer in a measured run.
    setze_meldung_funktion([](QWidget*, const QString&, const QString& text, QMessageBox::StandardButtons,
                              QMessageBox::StandardButton) {
        std::fprintf(stderr, "anwendersuche: box: %s\n", qPrintable(text));
        return QMessageBox::Ok;
    });
    setze_modal_funktion([](QWidget*) { return 0; });
    std::printf("%-9s %8s %14s %9s %14s %9s %14s\n", "server", "users", "open ms", "matches", "search ms", "matches",
                "search ms");
    std::printf("%-9s %8s %14s %9s %14s %9s %14s\n", "", "", "best/median", "", "best/median", "", "best/median");
    bool ok = true;
    for (const Server& server : server_liste)
        if (gewaehlt.isEmpty() || gewaehlt.contains(QLatin1String(server.name)))
            ok = miss(server, anwender, laeufe) && ok;
    return ok ? 0 : 1;
}
