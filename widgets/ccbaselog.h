// The half of a log window that a worker thread talks to: every call posts an event to the window.
#pragma once

#include "clogbase.h"
#include "cqstring.h"

#include <QElapsedTimer>
#include <atomic>

class QEvent;
class QLabel;
class QProgressBar;
class QPushButton;
class QTextEdit;
class QWidget;

// Worker side (any thread): the text, title, progress and status operations, which never touch
// a widget but post events to the owner. GUI side: `bearbeite_event`, called by the owning
// window's customEvent, applies them to whichever of the window's widgets exist. The concrete
// window calls `anmelden` at the end of its constructor, so that messages reach it only when whole.
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
    virtual void setze_dateityp(const CQString& filter, const CQString& typ);

    // GUI thread: applies one posted event; false for events that are not a log window's.
    bool bearbeite_event(QEvent* event);

    QWidget* gib_besitzer() const { return besitzer; }
    unsigned gib_total_steps() const { return total_steps; }
    const CQString& gib_dateityp() const { return dateityp; }
    const CQString& gib_dateifilter() const { return dateifilter; }
    const CQString& gib_protokollquelle() const { return protokollquelle; }
    void setze_protokollquelle(const CQString& quelle) { protokollquelle = quelle; }
    bool gib_richtext() const { return richtext != 0; }
    void setze_sammeln(bool an) { sammeln = an; }
    void setze_stop_bei_abbruch(bool an) { stop_bei_abbruch = an; }
    // Lines collected while collecting was on; empties the collection.
    CQString nimm_gesammelte_ausgabe();

protected:
    // Hands the event to the owner; without an owner the event is dropped.
    void poste(QEvent* event);

    QProgressBar* fortschrittsbalken = nullptr;
    QTextEdit* textbereich = nullptr;
    QPushButton* schliessen_knopf = nullptr;
    QPushButton* abbrechen_knopf = nullptr;
    QPushButton* protokoll_knopf = nullptr;
    QLabel* titel_label = nullptr;
    QLabel* data_label = nullptr;

private:
    CQString dateityp;
    CQString dateifilter;
    QWidget* besitzer;
    QElapsedTimer fortschritt_uhr;
    std::atomic<bool> fehler_marke{false};
    std::atomic<bool> abbruch_marke{false};
    bool erzwinge_fortschritt = true;
    bool stop_bei_abbruch = false;
    bool sammeln = false;
    CQString gesammelt;
    CQString protokollquelle;
    unsigned total_steps = 0;
    int richtext = 0;
};
