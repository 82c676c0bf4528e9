// The half of a log window that a worker thread talks to: every call posts an event to the window.
#pragma once

#include "ccbaselogevents.h"
#include "clogbase.h"
#include "cqstring.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <atomic>
#include <functional>
#include <mutex>
#include <vector>

class CCThread;
class CSpeichernButton;
class CZeilenpuffer;
class DialogThreadLog;
class QEvent;
class QLabel;
class QProgressBar;
class QPushButton;
class QTextEdit;
class QWidget;

// Worker side (any thread): the text, title, progress and status operations, which never touch
// a widget but post events to the owner. GUI side: `bearbeite_event`, called by the owning
// window's customEvent, applies them to whichever of the window's widgets exist; `starte_thread`
// runs one worker, `pruefe_thread` (the window's poll-timer slot, and its timerEvent for the
// fast timer of a deferred start) cleans up after it and calls `thread_beendet`.
//
// Lifetime: the concrete window calls `anmelden` at the end of its constructor, so that messages
// reach it only when whole, and `beende_worker` first thing in its destructor: a worker still
// running then is told to stop and waited for while the whole window still exists. The
// destructor here calls it again as the last safety net, when the concrete parts are already gone.
class CCBaseLog : public CQLogBase
{
    FRAMEWORK_KLASSE(CQLogBase)
public:
    explicit CCBaseLog(QWidget* besitzer);
    ~CCBaseLog() override;

    // Throttled: posts at most every 500 ms, except for edge steps (below 2, at or above the
    // total) and the first step after a new total.
    using CQLogBase::setze_fortschritt;
    void setze_fortschritt(int schritt) override;
    void setze_info(int a, int b) override;
    void setTotalSteps(int gesamt) override;
    void setze_fehler() override;
    bool ist_ok() override;
    void setze_abbruch() override;
    bool ist_abbruch() override;

    using CQLogBase::neue_textzeile;
    using CQLogBase::neue_titelzeile;
    using CQLogBase::neue_zusatzzeile;
    // Line types: 0 normal, 1 warning, 2 error, 3 debug; other than 0 the line is coloured.
    void neue_textzeile(const CQString& text, const int& typ) override;
    void neue_zusatzzeile(const CQString& text) override;
    void neue_titelzeile(const CQString& text) override;
    void titel_data(const CQString& text) override;
    // Shows (1) or hides (any other value) the protocol button.
    void setting(int wert) override;

    // The job-ended hook of the concrete window.
    virtual void thread_beendet() = 0;
    // The save format: its file-dialog filter and suffix.
    virtual void setze_dateityp(const CQString& filter, const CQString& typ);

    // GUI thread, the windows' print, save and cancel buttons. The worker may still run and end
    // meanwhile, and a window that closes itself at the end is gone once the print or save dialog
    // returns: the print or save then ends without a word and touches nothing of the window.
    void drucke_fenster();
    // `art`: 0 text, 1 HTML, 2 PDF, any other keeps the save type.
    void speichere_fenster(int art);
    // Sets the cancel mark and the cancelled byte, which the worker reads.
    void breche_ab();

    // GUI thread: applies one posted event; false for events that are not a log window's.
    bool bearbeite_event(QEvent* event);

    // GUI thread: takes ownership of the worker and starts it at low priority (with deferred
    // start set, the first poll tick starts it). One worker at a time.
    void starte_thread(CCThread* thread);
    // GUI thread, every poll tick: once the worker has finished, deletes it, calls
    // `thread_beendet` and enables the window's buttons again.
    void pruefe_thread();
    // True while a worker is handed over and has not finished; the window refuses to close then.
    bool worker_laeuft() const;
    // The program ends under the GUI thread: every window's worker is told to stop (both cancel
    // marks) and waited for, a few seconds at most, before the program's static objects go; a
    // worker that does not end by then ends with the process at once, exit code 1.
    static void halte_alle_worker_an();

    // The single-shot poll timer (child of the owner); the window connects its timeout to the
    // slot that calls `pruefe_thread`, e.g. verbinde_poll_timer(this, &Fenster::slot_timer).
    QTimer* gib_poll_timer() const { return poll_timer; }
    template <typename Fenster, typename Slot>
    QMetaObject::Connection verbinde_poll_timer(const Fenster* fenster, Slot slot)
    {
        return QObject::connect(poll_timer.data(), &QTimer::timeout, fenster, slot);
    }
    // Id of the 200 ms timer a deferred start runs on the owner; -1 when there is none.
    int gib_schnell_timer_id() const { return schnell_timer_id; }

    // Opens the protocol source in the installed viewer; nothing without a source or viewer.
    void zeige_protokoll();
    // The viewer that `zeige_protokoll` calls with the protocol source (process-wide; the report
    // viewer installs it). An empty function removes it.
    using Protokollanzeige = std::function<void(const CQString& quelle)>;
    static void setze_protokollanzeige(Protokollanzeige anzeige);

    QWidget* gib_besitzer() const { return besitzer; }
    // The window's text area (printed and saved); null for a window without one. Lines reach it
    // on the event loop after their event: `zeige_ausstehende` appends those still on their way,
    // the step `nachtrag` does it a slice at a time (`CZeilenpuffer::nachtrag`; empty when none is).
    QTextEdit* gib_textbereich() const { return textbereich; }
    void zeige_ausstehende();
    std::function<int(qint64 bis_ms)> nachtrag();
    unsigned gib_total_steps() const { return total_steps; }
    const CQString& gib_dateityp() const { return dateityp; }
    const CQString& gib_dateifilter() const { return dateifilter; }
    const CQString& gib_protokollquelle() const { return protokollquelle; }
    void setze_protokollquelle(const CQString& quelle) { protokollquelle = quelle; }
    bool gib_richtext() const { return richtext != 0; }
    void setze_sammeln(bool an) { sammeln = an; }
    void setze_stop_bei_abbruch(bool an) { stop_bei_abbruch = an; }
    void setze_abbruch_erlaubt(bool an) { abbruch_erlaubt = an; }
    void setze_verzoegerter_start(bool an) { verzoegerter_start = an; }
    void setze_schliessen_nach_ende(bool an) { schliessen_nach_ende = an; }
    // Lines collected while collecting was on; empties the collection.
    CQString nimm_gesammelte_ausgabe();

protected:
    // Hands the event to the owner; without an owner the event is dropped.
    void poste(QEvent* event);
    // Sets both cancel marks, waits for a running worker and deletes it, without calling
    // `thread_beendet`. The concrete window's destructor calls it first (see above).
    void beende_worker();
    // Takes over the widgets of the log windows' common form, hides its icon label, cancel and
    // protocol button and gives the print button its icon (defined with the form).
    void uebernimm_formular(const DialogThreadLog& form);
    // Puts the save button of the save type in place of the form's placeholder; the window
    // connects it to its save slot.
    CSpeichernButton* erzeuge_speichern_knopf(DialogThreadLog& form);
    // Appends a line now, behind those still queued, through the line buffer as a worker's line
    // goes (the view following the end as the buffer keeps it); nothing without a text area.
    void haenge_zeile_an(const QString& text);

    QProgressBar* fortschrittsbalken = nullptr;
    QTextEdit* textbereich = nullptr;
    QPushButton* schliessen_knopf = nullptr;
    QPushButton* abbrechen_knopf = nullptr;
    QPushButton* protokoll_knopf = nullptr;
    QLabel* titel_label = nullptr;
    QLabel* data_label = nullptr;
    QLabel* icon_label = nullptr;
    QPushButton* drucken_knopf = nullptr;
    CSpeichernButton* speichern_knopf = nullptr;

private:
    // Disables closing, enables cancelling when allowed, shows the wait cursor, starts the worker.
    void beginne_lauf();
    // Waits for the worker's thread to be gone, then deletes it.
    void loesche_worker();
    void beende_schnell_timer();
    void warte_cursor_aus();
    // The text area's line buffer, made on first use.
    CZeilenpuffer* gib_zeilenpuffer();
    // Any thread: queues the line for the window; the first line of a run posts the event that
    // takes the run.
    void reiche_zeile(const CQString& zeile, int typ);
    // GUI thread: takes the lines waiting for the window and hands them to the line buffer.
    std::vector<CCbaseLogNeueTextzeile::Zeile> uebernimm_zeilen();

    CQString dateityp;
    CQString dateifilter;
    QWidget* besitzer;
    QElapsedTimer fortschritt_uhr;
    std::atomic<bool> fehler_marke{false};
    std::atomic<bool> abbruch_marke{false};
    bool erzwinge_fortschritt = true;
    bool stop_bei_abbruch = false;
    bool abbruch_erlaubt = false;
    bool sammeln = false;
    bool verzoegerter_start = false;
    bool schliessen_nach_ende = true;
    bool warte_cursor = false;
    CQString gesammelt;
    CQString protokollquelle;
    unsigned total_steps = 0;
    int schnell_timer_id = -1;
    int richtext = 0;
    CCThread* worker = nullptr;
    // Child of the text area.
    QPointer<CZeilenpuffer> zeilenpuffer;
    // Lines posted and not yet taken by the window; while there are any, an event to take them is
    // on its way.
    std::mutex zeilen_sperre;
    std::vector<CCbaseLogNeueTextzeile::Zeile> wartende_zeilen;
    // Set in the worker thread right after its run() has returned; read after the end.
    std::atomic<bool> worker_fertig{false};
    // The system started no thread for the worker.
    bool ohne_start = false;
    QPointer<QTimer> poll_timer;
};
