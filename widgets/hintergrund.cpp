#include "hintergrund.h"
#include "cfehler.h"
#include "ereignisuebergabe.h"
#include "loeschaufschub.h"
#include "wartedialog.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QThread>
#include <QThreadPool>
#include <QTimer>

#include <algorithm>
#include <exception>
#include <new>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(QObject)
};

// A dialog for work that ends within this time would only flicker.
constexpr int dialog_nach_ms = 500;
// A share that has not moved for this long shows as a busy bar: the dialog says the work runs.
constexpr int steht_nach_ms = 1000;
// How often a wait looks again while nothing else happens.
constexpr int takt_ms = 100;

// Whether the object or one below it has a timer registered on its thread.
bool hat_zeitgeber(QObject* objekt)
{
    QAbstractEventDispatcher* verteiler = QAbstractEventDispatcher::instance(objekt->thread());
    if (!verteiler)
        return false;
    if (!verteiler->registeredTimers(objekt).isEmpty())
        return true;
    const QList<QObject*> kinder = objekt->findChildren<QObject*>();
    return std::any_of(kinder.cbegin(), kinder.cend(),
                       [verteiler](QObject* kind) { return !verteiler->registeredTimers(kind).isEmpty(); });
}

QEvent::Type anteil_ereignis()
{
    static const auto art = static_cast<QEvent::Type>(QEvent::registerEventType());
    return art;
}

} // namespace

CHintergrund::CHintergrund(Arbeit arbeit_, QObject* eltern) : QObject(eltern), arbeit(std::move(arbeit_)) {}

CHintergrund::~CHintergrund()
{
    if (!faden)
        return;
    brich_ab();
    faden->wait();
    // The work's end as `finished` gives it, for ThreadSanitizer (Qt's wait is out of its sight):
    // what it wrote goes with this object.
    (void)beendet.load(std::memory_order_acquire);
    delete faden;
}

void CHintergrund::starte()
{
    if (faden)
        return;
    faden = QThread::create([this] { laufe(); });
    // Queued to the GUI thread, where this object lives: the thread has ended by then. The
    // acquire pairs with the work's last store, so that ThreadSanitizer too sees all it wrote
    // (Qt's queue orders it out of its sight).
    connect(faden, &QThread::finished, this, [this] {
        (void)beendet.load(std::memory_order_acquire);
        emit fertig();
    });
    faden->start();
}

void CHintergrund::brich_ab()
{
    abbruch = true;
}

void CHintergrund::setze_abschnitt(int von, int bis)
{
    abschnitt_von = von;
    abschnitt_bis = bis;
}

void CHintergrund::melde_anteil(int promille)
{
    const int von = abschnitt_von;
    promille = qBound(0, von + qBound(0, promille, 1000) * (abschnitt_bis - von) / 1000, 1000);
    // One event on its way at a time carries the latest share; handed over as the log windows'
    // events are, so that ThreadSanitizer sees the order Qt's queue gives it.
    if (gemeldet.exchange(promille) != promille && !unterwegs.exchange(true)) {
        auto* ereignis = new QEvent(anteil_ereignis());
        gib_ereignis_frei(ereignis);
        QCoreApplication::postEvent(this, ereignis);
    }
}

void CHintergrund::customEvent(QEvent* ereignis)
{
    // Taken over here too, for programs whose application does not (benchmarks).
    uebernimm_ereignis(ereignis);
    if (ereignis->type() != anteil_ereignis()) {
        QObject::customEvent(ereignis);
        return;
    }
    unterwegs = false;
    emit anteil(gemeldet.load());
}

void CHintergrund::laufe()
{
    // Written here, read on the GUI thread after `finished`, which orders the two (`beendet`).
    try {
        fehler = arbeit(*this);
    } catch (const std::bad_alloc&) {
        fehler = Text::tr("Zu wenig Speicher für diese Arbeit.");
    } catch (const CFehlerBasis& f) {
        fehler = QString::fromStdString(f.gib_meldung());
    } catch (const std::exception& e) {
        fehler = QString::fromLocal8Bit(e.what());
    }
    beendet.store(true, std::memory_order_release);
}

void CHintergrund::loesche(QObject* objekt)
{
    if (!objekt)
        return;
    objekt->disconnect();
    objekt->setParent(nullptr);
    // One with a running timer (a layout still going on) goes here: Qt moves its timers along
    // through a call queued to the new thread with a list it allocated, which an object of no
    // thread may never get, so that the list was lost.
    if (hat_zeitgeber(objekt)) {
        delete objekt;
        return;
    }
    // An object of no thread may be taken over by any.
    objekt->moveToThread(nullptr);
    // Handed over as a posted event is: ThreadSanitizer does not see the pool's own order.
    gib_ereignis_frei(objekt);
    QThreadPool::globalInstance()->start([objekt] {
        uebernimm_ereignis(objekt);
        objekt->moveToThread(QThread::currentThread());
        QCoreApplication::sendPostedEvents();
        delete objekt;
    });
}

namespace {

// The wait of `warte`; `bei_abbruch`, when given, is told of a cancel, and the wait goes on until
// `fertig` holds.
CHintergrund::Ende warte_mit_dialog(QWidget* eltern, const QString& titel, const QObject* kontext,
                                    const std::function<bool()>& fertig, const std::function<int()>& anteil,
                                    const std::function<void()>& bei_abbruch)
{
    // A window closed meanwhile goes once the wait has ended.
    const CLoeschaufschub aufschub;
    const QPointer<const QObject> da(kontext);
    const auto weg = [&] { return kontext && !da; };
    if (weg())
        return CHintergrund::Ende::weg;
    if (fertig())
        return CHintergrund::Ende::fertig;
    // Not on this stack: `eltern` may be deleted, and its children with it, while the events run.
    const QPointer<CWartedialog> dialog = new CWartedialog(titel, eltern, dialog_nach_ms);
    bool abgebrochen = false;
    QObject::connect(dialog, &QProgressDialog::canceled, dialog, [&] {
        abgebrochen = true;
        if (bei_abbruch)
            bei_abbruch();
    });
    // Qt shows the dialog only when its value is set after its minimum duration: a share that
    // stands still (a page that stalls) never showed it. The wait shows it itself, woken by
    // this timer whether or not anything else happens.
    QElapsedTimer bewegt;
    bewegt.start();
    QTimer takt;
    takt.start(takt_ms);
    int gelesen = -2;
    int gezeigt = -2;
    CHintergrund::Ende ende = CHintergrund::Ende::fertig;
    for (;;) {
        if (weg()) {
            ende = CHintergrund::Ende::weg;
            break;
        }
        if (fertig())
            break;
        if (abgebrochen && !bei_abbruch) {
            ende = CHintergrund::Ende::abgebrochen;
            break;
        }
        const int stand = anteil ? anteil() : -1;
        if (stand != gelesen) {
            gelesen = stand;
            bewegt.restart();
        }
        // A wait of unknown length, or a share that stands still, shows a busy bar.
        const int zeige = stand < 0 || bewegt.hasExpired(steht_nach_ms) ? -1 : stand;
        if (dialog && zeige != gezeigt) {
            dialog->setMaximum(zeige < 0 ? 0 : 1000);
            dialog->setValue(qMax(zeige, 0));
            gezeigt = zeige;
        }
        if (dialog)
            dialog->halte_offen();
        // Not a nested QEventLoop: the program's end (QCoreApplication::exit) ends every one of
        // those at once, and for good, under work that still runs. Every change the wait looks
        // for comes with an event, after which this returns.
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    delete dialog.data();
    if (abgebrochen && ende == CHintergrund::Ende::fertig)
        ende = CHintergrund::Ende::abgebrochen;
    return ende;
}

} // namespace

QString CHintergrund::fuehre_aus(QWidget* eltern, const QString& titel, Arbeit arbeit)
{
    // Owned by this call, not by any window.
    CHintergrund hintergrund(std::move(arbeit));
    bool geendet = false;
    connect(&hintergrund, &CHintergrund::fertig, &hintergrund, [&geendet] { geendet = true; });
    hintergrund.starte();
    warte_mit_dialog(
        eltern, titel, nullptr, [&geendet] { return geendet; },
        [&hintergrund] { return qMax(hintergrund.gemeldet.load(), 0); }, [&hintergrund] { hintergrund.brich_ab(); });
    return hintergrund.gib_fehler();
}

CHintergrund::Ende CHintergrund::warte(QWidget* eltern, const QString& titel, const QObject* kontext,
                                       const std::function<bool()>& fertig, const std::function<int()>& anteil)
{
    return warte_mit_dialog(eltern, titel, kontext, fertig, anteil, {});
}
