#include "cdbbeiseite.h"
#include "anwendung.h"
#include "cdbzeitgrenzen.h"
#include "wartedialog.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <thread>

namespace {

// The texts of this file, in the translation context of the database object (a class of its own,
// so that lupdate sees the context too).
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(CCDataBase)
};

// What the threads beside the window and the end of the program share. A thread counts among
// `laufende` until it touches neither Qt nor its driver any more; once the program ends
// (`endet`), one that comes back from its driver stops there for good, before it touches anything.
struct CWache
{
    std::mutex sperre;
    std::condition_variable weniger;
    int laufende = 0;
    bool endet = false;
};

CWache& wache()
{
    static CWache* const w = [] {
        auto* neu = new CWache;
        // exit() from a thread without a `CEndwache`: nothing is waited for then.
        std::atexit([] {
            const std::lock_guard<std::mutex> halt(wache().sperre);
            wache().endet = true;
        });
        return neu;
    }();
    return *w;
}

// The program may end while a thread beside the window still runs: one given up, or whose wait
// the person gave up, is left to its driver's time-outs. Made in the program's main thread by its
// first statement beside the window, it is destroyed when that thread calls exit() (also by
// returning from main), before any static object and any library's clean-up: the threads still
// running end first, while all they use is there. One that the server keeps past the connect
// time-out (PostgreSQL has no read time-out) is cut off with the whole program, as a kill would.
struct CEndwache
{
    bool gemacht = false;
    ~CEndwache()
    {
        CWache& w = wache();
        std::unique_lock<std::mutex> halt(w.sperre);
        w.endet = true;
        const std::chrono::milliseconds frist(qint64(qMax(1, gib_db_zeitgrenzen().verbinden)) * 1000 + 1000);
        if (w.weniger.wait_for(halt, frist, [&w] { return w.laufende == 0; }))
            return;
        std::fflush(nullptr);
        std::_Exit(1);
    }
};
thread_local CEndwache endwache;

// What the calling thread and the thread beside it share.
struct CLauf
{
    enum Stand { verbindet, verbunden, fertig };
    std::atomic<int> stand{verbindet};
    std::atomic<bool> aufgegeben{false};
    // How long a refusal may take to count as one at once.
    qint64 abweisung_ms = 0;
    // Written before `stand` becomes `fertig`.
    QString fehler;
    bool abgewiesen = false;
};

[[noreturn]] void ruhe_fuer_immer()
{
    for (;;)
        std::this_thread::sleep_for(std::chrono::hours(24));
}

QString arbeite_mit(QSqlDatabase& db, const CDBZugang& zugang, const std::function<QString(QSqlDatabase&)>& arbeit,
                    CLauf& lauf)
{
    zugang.setze_an(db);
    QElapsedTimer uhr;
    uhr.start();
    if (!db.open()) {
        lauf.abgewiesen = uhr.elapsed() < lauf.abweisung_ms;
        const QString text = db.lastError().text();
        return text.isEmpty() ? QStringLiteral("???") : text;
    }
    lauf.stand = CLauf::verbunden;
    for (const QString& anweisung : zugang.sitzung)
        if (QSqlQuery abfrage(db); !abfrage.exec(anweisung))
            return abfrage.lastError().text() + QStringLiteral(" (") + anweisung + QLatin1Char(')');
    if (!arbeit || lauf.aufgegeben)
        return QString();
    return arbeit(db);
}

void arbeite(CDBZugang zugang, std::function<QString(QSqlDatabase&)> arbeit, std::shared_ptr<CLauf> lauf)
{
    static std::atomic<unsigned> nummer{0};
    QString name;
    CWache& w = wache();
    std::unique_lock<std::mutex> schluss(w.sperre, std::defer_lock);
    const auto zu_ende = [&] {
        --w.laufende;
        w.weniger.notify_all();
    };
    QString fehler;
    {
        QSqlDatabase db;
        // Out of memory anywhere here is an error of the statement, never the end of the program.
        try {
            name = QStringLiteral("beiseite_%1").arg(++nummer);
            db = QSqlDatabase::addDatabase(zugang.treiber, name);
            fehler = arbeite_mit(db, zugang, arbeit, *lauf);
        } catch (const std::exception& e) {
            fehler = QString::fromLocal8Bit(e.what());
        } catch (...) {
            fehler = QStringLiteral("???");
        }
        schluss.lock();
        if (w.endet) {
            zu_ende();
            schluss.unlock();
            ruhe_fuer_immer();
        }
        arbeit = nullptr;
        db.close();
    }
    if (!name.isEmpty())
        QSqlDatabase::removeDatabase(name);
    lauf->fehler = fehler;
    zu_ende();
    schluss.unlock();
    lauf->stand.store(CLauf::fertig, std::memory_order_release);
}

// How long a wait holds the window's input back, as any short step of it does, before it says
// what it waits for.
constexpr int hinweis_nach_ms = 400;

// Runs the calling thread's events until `vorbei` holds, waking every few milliseconds to ask.
// Not a nested QEventLoop: the program's end (QCoreApplication::exit, every window closed) ends
// every one of those at once, which would give up a statement that still runs.
void laufe_bis(const std::function<bool()>& vorbei, QEventLoop::ProcessEventsFlags art)
{
    QTimer takt;
    takt.start(5);
    while (!vorbei())
        QCoreApplication::processEvents(art | QEventLoop::WaitForMoreEvents);
}

// Shows that the server `server` is waited for, in a window modal to the whole program (the
// widgets' wait dialog): the others take no input meanwhile, and none is kept for later (a click or
// key held back would land after the wait, in lists that have changed). Its "Abbrechen" and Escape
// give the thread up at once; a close from around it does not, the wait goes on. Runs the events
// until `vorbei` holds; true when the person gave up.
bool zeige_wartehinweis(const std::function<bool()>& vorbei, CLauf& lauf, const QString& server)
{
    CWartedialog hinweis(QString(), nullptr, 0);
    // The server's name as the settings give it, never read as markup.
    auto* text = new QLabel(Text::tr("Warte auf den Datenbankserver '%1' ...").arg(server));
    text->setTextFormat(Qt::PlainText);
    hinweis.setLabel(text);
    hinweis.setWindowTitle(gib_meldungstitel());
    bool abgebrochen = false;
    QObject::connect(&hinweis, &QProgressDialog::canceled, [&] {
        abgebrochen = true;
        lauf.aufgegeben = true;
    });
    laufe_bis(
        [&] {
            if (abgebrochen || vorbei())
                return true;
            hinweis.halte_offen();
            return false;
        },
        QEventLoop::AllEvents);
    return abgebrochen;
}

enum class CEnde { fertig, aufgegeben, abgebrochen };

// Waits until the thread has ended, is given up by its time-outs or by the person.
CEnde warte(CLauf& lauf, const QString& server)
{
    const CDBZeitgrenzen& g = gib_db_zeitgrenzen();
    const qint64 verbinden_ms = qint64(qMax(1, g.verbinden)) * 1000 + 500;
    const qint64 lesen_ms = qint64(qMax(1, g.lesen)) * 1000 + 500;
    QElapsedTimer uhr;
    uhr.start();
    qint64 verbunden_seit = -1;
    // Whether it is over; gives the thread up once its time is out.
    const auto vorbei = [&] {
        const int stand = lauf.stand.load(std::memory_order_acquire);
        if (stand == CLauf::fertig)
            return true;
        if (stand == CLauf::verbunden && verbunden_seit < 0)
            verbunden_seit = uhr.elapsed();
        const bool zu_lang = verbunden_seit < 0 ? uhr.elapsed() > verbinden_ms : uhr.elapsed() - verbunden_seit > lesen_ms;
        if (zu_lang)
            lauf.aufgegeben = true;
        return zu_lang;
    };
    QCoreApplication* const anwendung = QCoreApplication::instance();
    bool abgebrochen = false;
    if (anwendung && anwendung->thread() == QThread::currentThread()) {
        const bool mit_fenster = qobject_cast<QApplication*>(anwendung);
        laufe_bis([&] { return vorbei() || (mit_fenster && uhr.elapsed() >= hinweis_nach_ms); },
                  QEventLoop::ExcludeUserInputEvents);
        if (!vorbei())
            abgebrochen = zeige_wartehinweis(vorbei, lauf, server);
    } else {
        while (!vorbei())
            QThread::msleep(5);
    }
    if (lauf.stand.load(std::memory_order_acquire) == CLauf::fertig)
        return CEnde::fertig;
    return abgebrochen ? CEnde::abgebrochen : CEnde::aufgegeben;
}

} // namespace

CDBZugang CDBZugang::von(const QSqlDatabase& verbindung)
{
    return CDBZugang{verbindung.driverName(), verbindung.hostName(), verbindung.databaseName(), verbindung.userName(),
                     verbindung.password(),   verbindung.connectOptions(), verbindung.port(), QStringList()};
}

void CDBZugang::setze_an(QSqlDatabase& verbindung) const
{
    verbindung.setHostName(host);
    verbindung.setDatabaseName(name);
    verbindung.setUserName(benutzer);
    verbindung.setPassword(kennwort);
    verbindung.setConnectOptions(optionen);
    if (port >= 0)
        verbindung.setPort(port);
}

bool laeuft_beiseite(const QString& treiber)
{
    return treiber == QLatin1String("QMYSQL") || treiber == QLatin1String("QMARIADB") || treiber == QLatin1String("QPSQL");
}

QString fuehre_beiseite_aus(const CDBZugang& zugang, const std::function<QString(QSqlDatabase&)>& arbeit,
                            bool* abgewiesen)
{
    CWache& w = wache();
    const QCoreApplication* const anwendung = QCoreApplication::instance();
    if (anwendung && anwendung->thread() == QThread::currentThread())
        endwache.gemacht = true;
    auto lauf = std::make_shared<CLauf>();
    lauf->abweisung_ms = qint64(qMax(1, gib_db_zeitgrenzen().verbinden)) * 500;
    {
        const std::lock_guard<std::mutex> halt(w.sperre);
        ++w.laufende;
    }
    try {
        std::thread(arbeite, zugang, arbeit, lauf).detach();
    } catch (const std::exception&) {
        // No thread to be had: the statement waits here, as it did before.
        arbeite(zugang, arbeit, lauf);
    }
    if (abgewiesen)
        *abgewiesen = false;
    const QString server = zugang.host.isEmpty() ? zugang.name : zugang.host;
    const CEnde ende = warte(*lauf, server);
    if (ende == CEnde::fertig) {
        if (abgewiesen)
            *abgewiesen = lauf->abgewiesen;
        return lauf->fehler;
    }
    if (ende == CEnde::abgebrochen)
        return Text::tr("Warten auf den Datenbankserver '%1' abgebrochen").arg(server);
    const bool verbunden = lauf->stand.load(std::memory_order_acquire) == CLauf::verbunden;
    const CDBZeitgrenzen& g = gib_db_zeitgrenzen();
    return Text::tr("Der Datenbankserver '%1' antwortet nicht (keine Antwort nach %2 s)")
        .arg(server)
        .arg(verbunden ? g.lesen : g.verbinden);
}

QString oeffne_verbindung(QSqlDatabase& verbindung)
{
    bool beantwortet = false;
    if (laeuft_beiseite(verbindung.driverName())) {
        bool abgewiesen = false;
        const QString fehler = fuehre_beiseite_aus(CDBZugang::von(verbindung), nullptr, &abgewiesen);
        if (!fehler.isEmpty() && !abgewiesen)
            return fehler;
        beantwortet = fehler.isEmpty();
    }
    for (int versuch = 1;; ++versuch) {
        if (verbindung.open())
            return QString();
        constexpr int versuche = 5;
        if (!beantwortet || versuch == versuche) {
            const QString text = verbindung.lastError().text();
            return text.isEmpty() ? QStringLiteral("???") : text;
        }
        QEventLoop pause;
        QTimer::singleShot(100, &pause, &QEventLoop::quit);
        pause.exec(QEventLoop::ExcludeUserInputEvents);
    }
}
