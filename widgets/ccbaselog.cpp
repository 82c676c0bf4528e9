#include "ccbaselog.h"
#include "ereignisuebergabe.h"
#include "ccbaselogevents.h"
#include "ccthread.h"
#include "cfehler.h"
#include "gui.h"
#include "html.h"
#include "melde.h"
#include "protokolldruck.h"
#include "zeilenpuffer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

CKlasse eintrag_CCBaseLog("CCBaseLog");
CKlasse* CCBaseLog::klasse = &eintrag_CCBaseLog;

namespace {

// The texts of this file, in the translation context "CCBaseLog" (a class of its own, so that
// lupdate sees the context too).
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(CCBaseLog)
};

constexpr qint64 fortschritt_abstand_ms = 500;
constexpr int poll_abstand_ms = 500;
constexpr int schnell_abstand_ms = 200;

CCBaseLog::Protokollanzeige& protokollanzeige()
{
    static CCBaseLog::Protokollanzeige anzeige;
    return anzeige;
}

// A worker that has not ended this long after the program began to end is not waited for.
constexpr int worker_frist_bei_ende_ms = 10000;

// The log windows whose worker runs (GUI thread only). Never destroyed: it is read while the
// program ends.
std::vector<CCBaseLog*>& mit_worker()
{
    static auto* const liste = new std::vector<CCBaseLog*>;
    return *liste;
}

// The program may end from under the workers: Qt's X11 plugin calls exit() in the GUI thread
// when the display goes away (a log-out), and the static objects of every library are destroyed
// while the workers still use them. The thread-local objects of the thread that calls exit are
// destroyed before any static one: this one, made in the thread that starts the workers, stops
// them there while everything they use still exists.
struct CWorkerwache
{
    bool gesetzt = false;
    ~CWorkerwache() { CCBaseLog::halte_alle_worker_an(); }
};
thread_local CWorkerwache workerwache;

} // namespace

CCBaseLog::CCBaseLog(QWidget* besitzer)
    : dateityp("txt"),
      dateifilter(Text::tr("Text-Datei (*.txt)")),
      besitzer(besitzer),
      poll_timer(new QTimer(besitzer))
{
    fortschritt_uhr.start();
    poll_timer->setSingleShot(true);
}

CCBaseLog::~CCBaseLog()
{
    // Finds a worker only when the concrete window did not stop it itself.
    beende_worker();
    // Then leave the message targets: another thread's report must not reach a half-destroyed window.
    abmelden();
    delete poll_timer.data();
}

void CCBaseLog::setze_protokollanzeige(Protokollanzeige anzeige)
{
    protokollanzeige() = std::move(anzeige);
}

void CCBaseLog::zeige_protokoll()
{
    if (protokollquelle.isEmpty() || !protokollanzeige())
        return;
    protokollanzeige()(protokollquelle);
}

bool CCBaseLog::worker_laeuft() const
{
    return worker && !worker->isFinished() && !ohne_start;
}

void CCBaseLog::starte_thread(CCThread* thread)
{
    if (!thread)
        return;
    worker = thread;
    worker_fertig = false;
    ohne_start = false;
    workerwache.gesetzt = true;
    mit_worker().push_back(this);
    // The poll would notice the end only up to 500 ms later: the end of a short job would take
    // longer than the job. The signal comes just before the thread is done, so the tick run here
    // waits for that; it runs after every event the worker posted before. A worker that the poll
    // has deleted meanwhile is not waited for (nor a later one that took its address): the pointer
    // follows the object.
    QObject::connect(
        worker, &QThread::finished, poll_timer.data(),
        [this, lauf = QPointer<CCThread>(thread)] {
            if (!lauf || worker != lauf)
                return;
            lauf->wait();
            pruefe_thread();
        },
        Qt::QueuedConnection);
    // Runs in the worker thread after run() has returned: everything the worker wrote is then
    // visible to the GUI thread once it has read the mark. Connected last, so that it is also the
    // worker's last touch of its thread object (posting the queued tick above reads it).
    QObject::connect(worker, &QThread::finished, [this] { worker_fertig.store(true, std::memory_order_release); });
    if (!verzoegerter_start)
        beginne_lauf();
    if (poll_timer)
        poll_timer->start(poll_abstand_ms);
}

void CCBaseLog::beginne_lauf()
{
    if (schliessen_knopf)
        schliessen_knopf->setEnabled(false);
    if (abbruch_erlaubt && abbrechen_knopf)
        abbrechen_knopf->setEnabled(true);
    setze_warte_cursor(true, false);
    warte_cursor = true;
    // Not IdlePriority: on Linux that is SCHED_IDLE, which a busy machine may starve for good.
    worker->start(QThread::LowPriority);
    // The system may start no thread (a limit of processes, no room for a stack): the job ends
    // as failed, saying so, where it would wait for the end of a thread that never runs.
    ohne_start = !worker->isRunning() && !worker->isFinished();
    if (ohne_start) {
        setze_fehler();
        qmelde(2, klasse, CQString("beginne_lauf"), CQString(Text::tr("Das System startet keinen Thread für den Vorgang")));
    }
}

void CCBaseLog::pruefe_thread()
{
    if (!worker)
        return;
    if (verzoegerter_start) {
        verzoegerter_start = false;
        beginne_lauf();
        if (besitzer)
            schnell_timer_id = besitzer->startTimer(schnell_abstand_ms, Qt::CoarseTimer);
        if (poll_timer)
            poll_timer->start(poll_abstand_ms);
        return;
    }
    if (!worker->isFinished() && !ohne_start) {
        if (poll_timer)
            poll_timer->start(poll_abstand_ms);
        return;
    }
    beende_schnell_timer();
    warte_cursor_aus();
    loesche_worker();
    thread_beendet();
    if (fortschrittsbalken)
        fortschrittsbalken->setValue(fortschrittsbalken->maximum());
    if (schliessen_knopf)
        schliessen_knopf->setEnabled(schliessen_nach_ende);
    if (abbrechen_knopf)
        abbrechen_knopf->setEnabled(false);
    if (protokoll_knopf && !protokollquelle.isEmpty())
        protokoll_knopf->setEnabled(true);
    if (!gesammelt.isEmpty()) {
        reiche_zeile(gesammelt, 0);
        gesammelt.clear();
    }
}

void CCBaseLog::beende_worker()
{
    if (!worker)
        return;
    abbruch_marke = true;
    abgebrochen = true;
    loesche_worker();
    beende_schnell_timer();
    warte_cursor_aus();
    if (poll_timer)
        poll_timer->stop();
}

void CCBaseLog::halte_alle_worker_an()
{
    for (CCBaseLog* log : mit_worker()) {
        log->abbruch_marke = true;
        log->abgebrochen = true;
    }
    const QDeadlineTimer frist(worker_frist_bei_ende_ms);
    for (CCBaseLog* log : mit_worker()) {
        if (log->worker->wait(frist))
            continue;
        // Its files and records survive being cut off as they survive a kill; what it uses
        // must not be destroyed under it.
        std::fflush(nullptr);
        std::_Exit(1);
    }
}

void CCBaseLog::loesche_worker()
{
    // isFinished is set while the thread is still winding down; only wait() says it is gone.
    worker->wait();
    auto& liste = mit_worker();
    liste.erase(std::remove(liste.begin(), liste.end(), this), liste.end());
    // Pairs with the store after run(): orders the worker's last writes (collected output, its
    // own fields) before the clean-up here.
    worker_fertig.load(std::memory_order_acquire);
    delete worker;
    worker = nullptr;
}

void CCBaseLog::beende_schnell_timer()
{
    if (schnell_timer_id > 0 && besitzer)
        besitzer->killTimer(schnell_timer_id);
    schnell_timer_id = -1;
}

void CCBaseLog::warte_cursor_aus()
{
    if (!warte_cursor)
        return;
    warte_cursor = false;
    setze_warte_cursor(false, false);
}

void CCBaseLog::poste(QEvent* event)
{
    if (!besitzer) {
        delete event;
        return;
    }
    gib_ereignis_frei(event);
    QCoreApplication::postEvent(besitzer, event);
}

void CCBaseLog::setze_fortschritt(int schritt)
{
    const unsigned s = static_cast<unsigned>(schritt);
    const bool rand = s < 2 || s >= total_steps;
    if (erzwinge_fortschritt || rand || fortschritt_uhr.elapsed() > fortschritt_abstand_ms) {
        erzwinge_fortschritt = false;
        poste(new CCbaseLogFortschrittGeaendert(s));
        fortschritt_uhr.restart();
    }
    if (rand || !stop_bei_abbruch || !ist_abgebrochen())
        return;
    stop_bei_abbruch = false;
    abgebrochen = true;
    try {
        throw CQFehler(4, klasse, CQString("setze_fortschritt"), CQString(Text::tr("Abbruch durch den Anwender")));
    } catch (const CFehlerBasis& f) {
        f.melde(true);
    }
}

void CCBaseLog::setze_info(int, int) {}

void CCBaseLog::setTotalSteps(int gesamt)
{
    total_steps = static_cast<unsigned>(gesamt);
    erzwinge_fortschritt = true;
    poste(new CCbaseLogsetTotalSteps(gesamt));
    setze_fortschritt(0);
}

void CCBaseLog::setze_fehler() { fehler_marke = true; }
bool CCBaseLog::ist_ok() { return !fehler_marke; }
void CCBaseLog::setze_abbruch() { abbruch_marke = true; }
bool CCBaseLog::ist_abbruch() { return abbruch_marke; }

void CCBaseLog::neue_textzeile(const CQString& text, const int& typ)
{
    if (typ == 2)
        setze_fehler();
    else if (typ == 1)
        setze_warnung();
    CQString zeile = text;
    if (typ != 0 && !text.contains(QLatin1String("<span style=")))
        zeile = html_farbtext(typ, text, false);
    if (sammeln) {
        if (!gesammelt.isEmpty())
            gesammelt += QLatin1String("<br>");
        gesammelt += zeile;
    }
    else
        reiche_zeile(zeile, typ);
}

void CCBaseLog::reiche_zeile(const CQString& zeile, int typ)
{
    if (!besitzer)
        return;
    bool erste = false;
    {
        const std::lock_guard<std::mutex> sperre(zeilen_sperre);
        erste = wartende_zeilen.empty();
        wartende_zeilen.push_back({zeile, typ});
    }
    // Posted after the lock: the window takes whatever waits when the event arrives, so a line
    // that finds others waiting rides with their event.
    if (erste)
        poste(new CCbaseLogNeueTextzeile);
}

std::vector<CCbaseLogNeueTextzeile::Zeile> CCBaseLog::uebernimm_zeilen()
{
    std::vector<CCbaseLogNeueTextzeile::Zeile> zeilen;
    {
        const std::lock_guard<std::mutex> sperre(zeilen_sperre);
        zeilen.swap(wartende_zeilen);
    }
    if (!textbereich)
        return zeilen;
    CZeilenpuffer* puffer = gib_zeilenpuffer();
    for (const auto& zeile : zeilen) {
        if (!richtext && Qt::mightBeRichText(zeile.text))
            richtext = 1;
        puffer->nimm(zeile.text);
    }
    return zeilen;
}

void CCBaseLog::neue_zusatzzeile(const CQString&) {}

void CCBaseLog::neue_titelzeile(const CQString& text)
{
    poste(new CCbaseLogNeueTitelzeile(text));
}

void CCBaseLog::titel_data(const CQString& text)
{
    poste(new CCbaseLogTitelData(text));
}

void CCBaseLog::setting(int wert)
{
    poste(new CCbaseLogSetting(1, wert));
}

void CCBaseLog::setze_dateityp(const CQString& filter, const CQString& typ)
{
    dateifilter = filter;
    dateityp = typ;
}

void CCBaseLog::zeige_ausstehende()
{
    uebernimm_zeilen();
    if (zeilenpuffer)
        zeilenpuffer->schreibe();
}

std::function<int(qint64)> CCBaseLog::nachtrag()
{
    uebernimm_zeilen();
    if (!zeilenpuffer)
        return {};
    return zeilenpuffer->nachtrag();
}

CZeilenpuffer* CCBaseLog::gib_zeilenpuffer()
{
    if (!zeilenpuffer)
        zeilenpuffer = new CZeilenpuffer(textbereich);
    return zeilenpuffer;
}

void CCBaseLog::haenge_zeile_an(const QString& text)
{
    if (!textbereich)
        return;
    gib_zeilenpuffer()->nimm(text);
    zeilenpuffer->schreibe();
}

void CCBaseLog::drucke_fenster()
{
    if (!textbereich)
        return;
    // The window may go while its lines are brought in: nothing of it is read after that.
    const QPointer<QTextEdit> bereich(textbereich);
    QWidget* const eltern = besitzer;
    if (!trage_nach(nachtrag(), bereich, Text::tr("Drucken ...")) || !bereich)
        return;
    int druckart = 0;
    drucke_protokoll(bereich->document(), eltern, false, CQString(), &druckart);
}

void CCBaseLog::speichere_fenster(int art)
{
    speichere_als(this, art, dateityp, dateifilter);
}

void CCBaseLog::breche_ab()
{
    setze_abbruch();
    abgebrochen = true;
}

CQString CCBaseLog::nimm_gesammelte_ausgabe()
{
    CQString text = gesammelt;
    gesammelt.clear();
    return text;
}

bool CCBaseLog::bearbeite_event(QEvent* event)
{
    switch (static_cast<int>(event->type())) {
    case CCBaseLogEvent::Fortschritt:
        if (fortschrittsbalken)
            fortschrittsbalken->setValue(static_cast<int>(static_cast<CCbaseLogFortschrittGeaendert*>(event)->schritt));
        return true;
    case CCBaseLogEvent::Textzeile: {
        auto* e = static_cast<CCbaseLogNeueTextzeile*>(event);
        e->zeilen = uebernimm_zeilen();
        if (sammeln && zeilenpuffer && !e->zeilen.empty()) {
            // The collected output comes as one block at the end: shown at once.
            zeilenpuffer->schreibe();
            QCoreApplication::processEvents();
        }
        return true;
    }
    case CCBaseLogEvent::Titelzeile:
        if (titel_label)
            titel_label->setText(static_cast<CCbaseLogNeueTitelzeile*>(event)->text);
        return true;
    case CCBaseLogEvent::TotalSteps:
        if (fortschrittsbalken) {
            const int gesamt = static_cast<CCbaseLogsetTotalSteps*>(event)->gesamt;
            if (gesamt >= 0) {
                fortschrittsbalken->setMaximum(gesamt);
            } else {
                if (schliessen_knopf)
                    schliessen_knopf->setEnabled(true);
                if (protokoll_knopf && !protokollquelle.isEmpty())
                    protokoll_knopf->setEnabled(true);
            }
        }
        return true;
    case CCBaseLogEvent::Setting: {
        // The main-window event shares the number; it carries no kind and no flag.
        const auto* e = dynamic_cast<CCbaseLogSetting*>(event);
        if (!e)
            return false;
        if (e->art == 1 && protokoll_knopf) {
            if (e->wert == 1) {
                protokoll_knopf->setText(Text::tr("Zeige Vorgang"));
                protokoll_knopf->setToolTip(Text::tr("Zeige Vorgangsprotokoll"));
                // Disabled only while a run is on: after the end nothing would enable it again.
                protokoll_knopf->setEnabled(!worker && !protokollquelle.isEmpty());
                protokoll_knopf->show();
            } else {
                protokoll_knopf->hide();
            }
        }
        return true;
    }
    case CCBaseLogEvent::TitelData:
        if (data_label)
            data_label->setText(static_cast<CCbaseLogTitelData*>(event)->text);
        return true;
    default:
        return false;
    }
}
