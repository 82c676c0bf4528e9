// The database object's road to its connection: a connection the server lost is opened again with its session, a statement that found it lost runs once more where it cannot apply twice, else its error says plainly what happened; a statement a stopped server leaves unanswered ends after the read time-out.
#include "ccat.h"
#include "ccdatabase.h"
#include "cdbbeiseite.h"
#include "cdbzeitgrenzen.h"
#include "sqlfehler.h"

#include <QApplication>
#include <QCoreApplication>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QTimer>

#include <chrono>
#include <cstring>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <thread>

#ifdef Q_OS_UNIX
#include <dlfcn.h>
#include <sys/socket.h>
#endif

namespace {

// The statement's first `anzahl` words, in capitals.
QStringList erste_woerter(const QString& text, int anzahl)
{
    return text.left(64).simplified().toUpper().split(QLatin1Char(' ')).mid(0, anzahl);
}

// Whether a second run of the statement cannot apply it twice by itself: it reads, or sets the
// session up. A write may run twice only where its caller declared it so (`CWiederholbar`): an
// UPDATE may add to a value, and a new row's key would refuse the second run as if another
// session's row were in the way.
bool ist_lesend(const QString& text)
{
    static const QStringList lesend{QStringLiteral("SELECT"), QStringLiteral("SHOW"),    QStringLiteral("SET"),
                                    QStringLiteral("PRAGMA"), QStringLiteral("EXPLAIN"), QStringLiteral("VALUES")};
    const QString rest = text.trimmed();
    int ende = 0;
    while (ende < rest.size() && rest.at(ende).isLetter())
        ++ende;
    return lesend.contains(rest.left(ende).toUpper());
}

// Whether the statement changes the session for the statements after it: SET (but not SET LOCAL
// or SET TRANSACTION, which end with the transaction) and USE.
bool aendert_sitzung(const QString& text)
{
    const QStringList woerter = erste_woerter(text, 2);
    if (woerter.value(0) == QLatin1String("USE"))
        return true;
    return woerter.value(0) == QLatin1String("SET") && woerter.value(1) != QLatin1String("LOCAL")
           && woerter.value(1) != QLatin1String("TRANSACTION");
}

// Ends the statements that a PostgreSQL server leaves unanswered longer than the read time-out, as
// MariaDB's client does by its own time-out: libpq waits for an answer without end, and a server
// that has stopped while its machine still acknowledges is never noticed. A thread beside shuts
// the connection's socket down then: the statement fails as on a lost connection. (PQcancel would
// ask the stopped server itself and wait with it.) One thread for the program, made at the first
// watch and kept to its end.
class CWachhund
{
public:
    static CWachhund& instanz()
    {
        static CWachhund* const hund = new CWachhund;
        return *hund;
    }
    // Watches the socket for `sekunden`; 0 when it cannot be watched.
    quint64 wache(int socket, int sekunden)
    {
        const std::lock_guard<std::mutex> halt(sperre);
        if (!laeuft || socket < 0)
            return 0;
        wachen[++nummer] = {socket, std::chrono::steady_clock::now() + std::chrono::seconds(sekunden)};
        wecker.notify_one();
        return nummer;
    }
    // Ends the watch: the socket is in the caller's hands again.
    void ruhe(quint64 wache)
    {
        const std::lock_guard<std::mutex> halt(sperre);
        wachen.erase(wache);
    }

private:
    struct CWache
    {
        int socket;
        std::chrono::steady_clock::time_point frist;
    };
    CWachhund()
    {
        try {
            std::thread([this] { wache_fort(); }).detach();
            laeuft = true;
        } catch (const std::exception&) {
            // No thread to be had: statements wait as before.
        }
    }
    void wache_fort()
    {
        std::unique_lock<std::mutex> halt(sperre);
        for (;;) {
            auto naechste = std::chrono::steady_clock::time_point::max();
            for (const auto& [_, w] : wachen)
                naechste = std::min(naechste, w.frist);
            if (naechste == std::chrono::steady_clock::time_point::max()) {
                wecker.wait(halt);
                continue;
            }
            wecker.wait_until(halt, naechste);
            const auto jetzt = std::chrono::steady_clock::now();
            for (auto it = wachen.begin(); it != wachen.end();) {
                if (it->second.frist > jetzt) {
                    ++it;
                    continue;
                }
#ifdef Q_OS_UNIX
                // The socket stays open (the driver closes it): no other file can take its number.
                ::shutdown(it->second.socket, SHUT_RDWR);
#endif
                it = wachen.erase(it);
            }
        }
    }
    std::mutex sperre;
    std::condition_variable wecker;
    std::map<quint64, CWache> wachen;
    quint64 nummer = 0;
    bool laeuft = false;
};

// The driver's handle of the connection when it is of the type named ("PGconn*"); null else.
void* treibergriff(const QSqlDatabase& db, const char* typ)
{
    const QVariant griff = db.driver()->handle();
    if (!griff.isValid() || qstrcmp(griff.typeName(), typ) != 0)
        return nullptr;
    return *static_cast<void* const*>(griff.constData());
}

// The function `name` of the first of the libraries already loaded (by the driver); null where
// none is, or where the driver has the library built in.
template <typename F>
F funktion_aus(std::initializer_list<const char*> bibliotheken, const char* name)
{
#ifdef Q_OS_UNIX
    for (const char* datei : bibliotheken)
        if (void* const bibliothek = dlopen(datei, RTLD_NOW | RTLD_NOLOAD))
            return reinterpret_cast<F>(dlsym(bibliothek, name));
#else
    Q_UNUSED(bibliotheken)
    Q_UNUSED(name)
#endif
    return nullptr;
}

// The socket of a PostgreSQL connection; -1 for another driver or without libpq's PQsocket.
int pg_socket(const QSqlDatabase& db)
{
    using CSocket = int (*)(const void*);
    static const CSocket pq_socket = funktion_aus<CSocket>({"libpq.so.5"}, "PQsocket");
    void* const verbindung = db.driverName() == QLatin1String("QPSQL") ? treibergriff(db, "PGconn*") : nullptr;
    return verbindung && pq_socket ? pq_socket(verbindung) : -1;
}

// One run on the connection, watched while it lasts (`CWachhund`).
class CWachzeit
{
public:
    explicit CWachzeit(const QSqlDatabase& db)
    {
        const int socket = db.isValid() ? pg_socket(db) : -1;
        if (socket >= 0)
            wache = CWachhund::instanz().wache(socket, qMax(1, gib_db_zeitgrenzen().lesen));
    }
    ~CWachzeit()
    {
        if (wache)
            CWachhund::instanz().ruhe(wache);
    }
    CWachzeit(const CWachzeit&) = delete;
    CWachzeit& operator=(const CWachzeit&) = delete;

private:
    quint64 wache = 0;
};

// The handler of Qt's messages while `CCDataBase::CStillesFreigeben` holds them, and how many hold.
QtMessageHandler& vorheriger_handler()
{
    static QtMessageHandler handler = nullptr;
    return handler;
}

int& stille_tiefe()
{
    static int tiefe = 0;
    return tiefe;
}

void ohne_freigabewarnung(QtMsgType typ, const QMessageLogContext& ort, const QString& text)
{
    if (typ == QtWarningMsg
        && (text.startsWith(QLatin1String("Unable to free statement"))
            || text.startsWith(QLatin1String("QMYSQLResult::cleanup: unable to free statement handle"))))
        return;
    vorheriger_handler()(typ, ort, text);
}

// Whether the server of a MySQL connection is MariaDB, by the version its greeting named (kept by
// the client library after the connection is gone); false where that cannot be asked.
bool ist_mariadb_server(const QSqlDatabase& db)
{
    using CVersion = const char* (*)(void*);
    static const CVersion server_info = funktion_aus<CVersion>(
        {"libmariadb.so.3", "libmysqlclient.so.21", "libmysqlclient.so.20"}, "mysql_get_server_info");
    void* const verbindung = treibergriff(db, "MYSQL*");
    const char* const version = verbindung && server_info ? server_info(verbindung) : nullptr;
    return version && std::strstr(version, "MariaDB");
}

// Why SQLite refused to write to the database file (its result SQLITE_READONLY): the file is no
// longer the one opened (replaced, renamed or deleted), or it, its folder or its file system is
// read-only. Empty for every other failure.
QString sqlite_schreibschutz(const QSqlDatabase& db, const QSqlError& fehler)
{
    if (!db.isValid() || db.driverName() != QLatin1String("QSQLITE") || fehler.nativeErrorCode() != QLatin1String("8"))
        return QString();
    // The extended code says which; Qt's driver reports the primary one only.
    using CCode = int (*)(void*);
    static const CCode erweitert = funktion_aus<CCode>({"libsqlite3.so.0"}, "sqlite3_extended_errcode");
    void* const verbindung = treibergriff(db, "sqlite3*");
    constexpr int verschoben = 1032; // SQLITE_READONLY_DBMOVED
    if (verbindung && erweitert && erweitert(verbindung) == verschoben)
        return CCDataBase::tr("Die Datenbankdatei '%1' ist nicht mehr die beim Anmelden geöffnete (sie wurde ersetzt, "
                              "umbenannt oder gelöscht): nichts wurde gespeichert. Bitte neu anmelden (\"Verbinden\") und "
                              "die Aktion dann wiederholen.")
            .arg(db.databaseName());
    return CCDataBase::tr("Die Datenbankdatei '%1' ist schreibgeschützt (die Datei, ihr Ordner oder ihr Dateisystem): "
                          "nichts wurde gespeichert. Bitte die Schreibrechte prüfen, neu anmelden (\"Verbinden\") und "
                          "die Aktion dann wiederholen.")
        .arg(db.databaseName());
}

// Whether the error is one of a lost connection (`CCDataBase::ist_verbindungsverlust`), on the
// connection given: MySQL's or PostgreSQL's codes by `mysql` and `postgres`. Every code by which a
// server says it ended the session counts: a session it ends is gone whatever the reason.
bool ist_verlust(const QSqlDatabase& db, const QSqlError& fehler, bool mysql, bool postgres)
{
    if (!db.isValid() || db.driverName() == QLatin1String("QSQLITE"))
        return false;
    // A connection closed on purpose has let its handle go; PostgreSQL's driver counts one whose
    // status turned bad as not open and keeps its handle.
    const QVariant griff = db.isOpen() ? QVariant() : db.driver()->handle();
    const bool abgerissen = griff.isValid() && QByteArray(griff.typeName()).endsWith('*')
                            && *static_cast<void* const*>(griff.constData()) != nullptr;
    if (fehler.type() == QSqlError::ConnectionError || abgerissen)
        return true;
    const QString code = fehler.nativeErrorCode();
    if (mysql) {
        // The client's: gone away (an idle session past wait_timeout among them), lost during a
        // statement or at a point. The server's: killed by an administrator, shutting down, a
        // packet it could not read or write in time (it drops the session then); MySQL 8's
        // session killed, and its end for idling (4031, which MariaDB gives a trigger's error).
        static const QStringList verloren{QStringLiteral("2006"), QStringLiteral("2013"), QStringLiteral("2055"),
                                          QStringLiteral("1927"), QStringLiteral("1053"), QStringLiteral("1158"),
                                          QStringLiteral("1159"), QStringLiteral("1160"), QStringLiteral("1161"),
                                          QStringLiteral("3169")};
        return verloren.contains(code) || (code == QLatin1String("4031") && !ist_mariadb_server(db));
    }
    if (postgres) {
        // Connection exceptions; the server shut down (or an administrator ended the session),
        // crashed, still starting, its database dropped, the session idle past
        // idle_session_timeout; idle in a transaction past its time-out, or the transaction past
        // transaction_timeout (the server ends the session for both).
        static const QStringList verloren{QStringLiteral("57P01"), QStringLiteral("57P02"), QStringLiteral("57P03"),
                                          QStringLiteral("57P04"), QStringLiteral("57P05"), QStringLiteral("25P03"),
                                          QStringLiteral("25P04")};
        return code.startsWith(QLatin1String("08")) || verloren.contains(code);
    }
    return false;
}

} // namespace

struct CCDataBase::CRuhe
{
    // The event loop level the action ran at.
    int ebene = 0;
    bool aktiv = false;
    // The box for the rest's text is under way.
    bool gesagt = false;
};

CCDataBase::CBindung::CBindung(const CCDataBase& datenbank, Art art) : datenbank(datenbank), art(art)
{
    ++datenbank.gebunden[art];
}

CCDataBase::CBindung::~CBindung()
{
    --datenbank.gebunden[art];
}

CCDataBase::CWiederholbar::CWiederholbar(const CCDataBase& datenbank) : datenbank(datenbank)
{
    ++datenbank.gebunden[CBindung::wiederholbar];
}

CCDataBase::CWiederholbar::~CWiederholbar()
{
    --datenbank.gebunden[CBindung::wiederholbar];
}

CCDataBase::CStillesFreigeben::CStillesFreigeben()
{
    // Swapped in and out in the program's main thread only, with no other thread in between.
    const QCoreApplication* const anwendung = QCoreApplication::instance();
    aktiv = anwendung && anwendung->thread() == QThread::currentThread();
    if (aktiv && stille_tiefe()++ == 0)
        vorheriger_handler() = qInstallMessageHandler(ohne_freigabewarnung);
}

CCDataBase::CStillesFreigeben::~CStillesFreigeben()
{
    if (aktiv && --stille_tiefe() == 0)
        qInstallMessageHandler(vorheriger_handler());
}

bool CCDataBase::ist_verbindungsverlust(const QSqlError& fehler) const
{
    return ist_verlust(gib_datenbank(), fehler, spricht_mysql(), spricht_postgres());
}

bool CCDataBase::ist_verbindungsverlust_bei(const QSqlDatabase& verbindung, const QSqlError& fehler)
{
    const QString treiber = verbindung.driverName();
    return ist_verlust(verbindung, fehler, gib_datenbankart(treiber) == art_mysql, treiber == QLatin1String("QPSQL"));
}

bool CCDataBase::ist_abgerissen() const
{
    const QSqlDatabase db = gib_datenbank();
    return db.isValid() && !db.isOpen() && ist_verlust(db, QSqlError(), false, false);
}

void CCDataBase::merke_sitzung(const QString& text) const
{
    // One with values bound could not be run again as it stands.
    if (!aendert_sitzung(text) || text.contains(QLatin1Char('?')) || sitzungsanweisungen().contains(text))
        return;
    eigene_sitzung.removeAll(text);
    eigene_sitzung.append(text);
}

bool CCDataBase::oeffne_wieder() const
{
    QSqlDatabase db = gib_datenbank();
    if (!db.isValid())
        return false;
    db.close();
    // As at the log-on: a server that does not answer keeps the window answering.
    verlust_grund = oeffne_verbindung(db);
    if (!verlust_grund.isEmpty()) {
        ruhe();
        return false;
    }
    // The session as it was: the layer's settings, then the caller's own (a schema, a database).
    for (const QString& anweisung : sitzungsanweisungen() + eigene_sitzung)
        if (QSqlQuery abfrage(db); !abfrage.exec(anweisung)) {
            verlust_grund = abfrage.lastError().text() + QStringLiteral(" (") + anweisung + QLatin1Char(')');
            db.close();
            ruhe();
            return false;
        }
    verloren = false;
    CQCat::gib_instanz()->warn(CQString(tr("Die Verbindung zur Datenbank '%1' auf '%2' war unterbrochen und ist wieder "
                                           "hergestellt.")
                                            .arg(db.databaseName(), db.hostName())));
    return true;
}

void CCDataBase::ruhe() const
{
    // A person's actions are those of a program with windows, in its main thread; elsewhere every
    // statement tries again.
    const auto* const anwendung = qobject_cast<const QApplication*>(QCoreApplication::instance());
    if (!anwendung || anwendung->thread() != QThread::currentThread())
        return;
    if (!ruhe_stand)
        ruhe_stand = std::make_shared<CRuhe>();
    if (ruhe_stand->aktiv)
        return;
    *ruhe_stand = CRuhe{QThread::currentThread()->loopLevel(), true, false};
    wecke_nach_aktion(ruhe_stand, 0);
}

void CCDataBase::wecke_nach_aktion(const std::weak_ptr<CRuhe>& ruhe, int ms)
{
    QTimer::singleShot(ms, QCoreApplication::instance(), [ruhe] {
        const std::shared_ptr<CRuhe> stand = ruhe.lock();
        if (!stand || !stand->aktiv)
            return;
        // A wait window or a box of the same action: its end is awaited, a tenth of a second at a time.
        if (QThread::currentThread()->loopLevel() > stand->ebene)
            wecke_nach_aktion(ruhe, 100);
        else
            stand->aktiv = false;
    });
}

bool CCDataBase::ruht() const
{
    return ruhe_stand && ruhe_stand->aktiv;
}

bool CCDataBase::ist_frei() const
{
    return gebunden[CBindung::sitzung] + gebunden[CBindung::transaktion] == 0;
}

bool CCDataBase::erneuere_verlorene() const
{
    if (!ist_frei() || !(verloren || ist_abgerissen()))
        return false;
    verloren = true;
    return !ruht() && oeffne_wieder();
}

bool CCDataBase::ist_verbunden() const
{
    erneuere_verlorene();
    const QSqlDatabase datenbank = gib_datenbank();
    return datenbank.isValid() && datenbank.isOpen();
}

bool CCDataBase::beginne_transaktion(QSqlDatabase& verbindung) const
{
    erneuere_verlorene();
    const auto beginne = [&verbindung] {
        const CWachzeit wache(verbindung);
        return verbindung.transaction();
    };
    if (beginne())
        return true;
    // Nothing is done yet: a begin that found the connection lost begins again on the new one.
    if (!ist_frei() || verloren || !ist_verbindungsverlust(verbindung.lastError()))
        return false;
    verloren = true;
    return oeffne_wieder() && beginne();
}

bool CCDataBase::beende_transaktion(QSqlDatabase& verbindung, bool festschreiben, QString& fehler) const
{
    ungewiss = false;
    bool ok = false;
    {
        const CWachzeit wache(verbindung);
        ok = festschreiben ? verbindung.commit() : verbindung.rollback();
    }
    if (ok)
        return true;
    fehler = verbindung.lastError().text();
    if (!ist_verbindungsverlust(verbindung.lastError()))
        return false;
    verloren = true;
    // The server undoes the work of a session it lost; a commit sent may have been done first.
    ungewiss = festschreiben;
    return false;
}

QString CCDataBase::verlust_text(bool wieder_offen, const QString& grund) const
{
    const QSqlDatabase db = gib_datenbank();
    const QString name = db.databaseName();
    const QString host = db.hostName();
    if (gebunden[CBindung::transaktion] > 0)
        return tr("Die Verbindung zur Datenbank '%1' auf '%2' ist während einer Transaktion abgebrochen (wurde der "
                  "Server neu gestartet?). Der Server hat die ganze Transaktion zurückgenommen: nichts davon ist "
                  "gespeichert. Bitte die Aktion noch einmal ausführen.")
            .arg(name, host);
    if (!wieder_offen)
        return tr("Die Verbindung zur Datenbank '%1' auf '%2' ist abgebrochen und lässt sich nicht wieder herstellen "
                  "(%3). Bitte prüfen, ob der Datenbankserver läuft und erreichbar ist und die Anmeldedaten "
                  "(Benutzer, Kennwort, Datenbank) noch gelten, und die Aktion dann wiederholen.")
            .arg(name, host, grund.isEmpty() ? verlust_grund : grund);
    return tr("Die Verbindung zur Datenbank '%1' auf '%2' war unterbrochen (wurde der Server neu gestartet?). Die "
              "letzte Änderung wurde nicht wiederholt, da sie sonst doppelt wirken könnte: bitte neu laden, prüfen, ob "
              "sie gespeichert ist, und sie sonst noch einmal ausführen.")
        .arg(name, host);
}

QString CCDataBase::ungewiss_text() const
{
    const QSqlDatabase db = gib_datenbank();
    return tr("Die Verbindung zur Datenbank '%1' auf '%2' ist abgebrochen, während die letzte Änderung gespeichert "
              "wurde (wurde der Server neu gestartet?): sie kann gespeichert sein oder nicht. Bitte neu laden, prüfen, "
              "ob sie gespeichert ist, und sie sonst noch einmal ausführen.")
        .arg(db.databaseName(), db.hostName());
}

bool CCDataBase::verlust_box() const
{
    // In the rest of an action the first failure's box says it all.
    const bool box = !ruht() || !ruhe_stand->gesagt;
    if (ruht())
        ruhe_stand->gesagt = true;
    return box;
}

void CCDataBase::setze_verlust(QSqlQuery& abfrage, const QString& text) const
{
    // The lost session took the query's prepared statement with it: let go quietly now, not by a
    // warning when the query ends on the connection opened again.
    const QSqlError treiberfehler = abfrage.lastError();
    {
        const CStillesFreigeben still;
        abfrage.clear();
    }
    setze_verbindungsfehler(abfrage, text, verlust_box(), treiberfehler);
}

bool CCDataBase::laufe(QSqlQuery& abfrage, const QString& text, const std::function<bool(QSqlQuery&, bool)>& lauf,
                       bool wirkt) const
{
    wiederholt = false;
    ungewiss = false;
    const QSqlDatabase db = gib_datenbank();
    const auto laeuft = [&](bool erneut) {
        const CWachzeit wache(db);
        // A query prepared on the lost session frees that statement when it prepares anew.
        std::optional<CStillesFreigeben> still;
        if (erneut)
            still.emplace();
        if (!lauf(abfrage, erneut))
            return false;
        if (wirkt)
            merke_sitzung(text);
        return true;
    };
    // Found lost before (by a statement, or by the driver itself): opened again first. One that
    // stays closed takes no statement.
    const bool erneuert = erneuere_verlorene();
    if (!(verloren && !db.isOpen()) && laeuft(erneuert))
        return true;
    // A database file that cannot take the write says why, as a lost server does.
    if (const QString schutz = sqlite_schreibschutz(db, abfrage.lastError()); !schutz.isEmpty()) {
        setze_verbindungsfehler(abfrage, schutz);
        return false;
    }
    const bool verlust = ist_verbindungsverlust(abfrage.lastError());
    // Lost before and not opened again (bound work, a failed reconnect): said again, with why.
    if (verloren) {
        if (verlust || !db.isOpen())
            setze_verlust(abfrage, verlust_text(!ist_frei()));
        return false;
    }
    if (!verlust)
        return false;
    verloren = true;
    // The server has undone the transaction of the lost session: known not to be written.
    if (!ist_frei()) {
        setze_verlust(abfrage, verlust_text(true));
        return false;
    }
    // A write whose answer was lost may have been applied.
    const bool schreibt = wirkt && (gebunden[CBindung::einmal] > 0 || !ist_lesend(text));
    const bool wiederholbar = !schreibt || (gebunden[CBindung::einmal] == 0 && gebunden[CBindung::wiederholbar] > 0);
    if (!oeffne_wieder()) {
        ungewiss = schreibt;
        setze_verlust(abfrage, verlust_text(false));
        return false;
    }
    if (!wiederholbar) {
        ungewiss = true;
        setze_verlust(abfrage, verlust_text(true));
        return false;
    }
    wiederholt = schreibt;
    if (laeuft(true))
        return true;
    // Gone again at once: the server is not there to stay.
    if (ist_verbindungsverlust(abfrage.lastError())) {
        verloren = true;
        verlust_grund = abfrage.lastError().text();
        ungewiss = schreibt;
        setze_verlust(abfrage, verlust_text(false));
    }
    return false;
}

bool CCDataBase::fuehre_getippt_aus(QSqlQuery& abfrage, const CQString& sql, const CQString& methode) const
{
    const CBindung einmal(*this, CBindung::einmal);
    return fuehre_aus(abfrage, sql, methode, CQString());
}

int CCDataBase::zaehle_mit_werten(const CQString& tabelle, const QString& bedingung, QVariantList werte,
                                  const QVector<QPair<QString, QVariant>>& spalten) const
{
    QString wo = QStringLiteral("WHERE ") + bedingung;
    for (const auto& [spalte, wert] : spalten)
        wo += QLatin1String(" AND ") + sql_haelt_wert(spalte, wert, werte);
    const CQString wo_text(wo);
    return gib_anzahl_records(&tabelle, true, &wo_text, werte);
}
