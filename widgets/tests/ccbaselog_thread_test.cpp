// A log window running real workers: start, polling, clean-up, the deferred start and deletion mid-run.
#include "ccbaselog.h"
#include "ccthread.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimerEvent>
#include <gtest/gtest.h>

#include <atomic>
#include <algorithm>
#include <functional>
#include <vector>

namespace {

std::atomic<int> geloeschte_arbeiter{0};

class Arbeiter : public CCThread
{
public:
    explicit Arbeiter(std::function<void()> arbeit) : arbeit(std::move(arbeit)) {}
    ~Arbeiter() override { ++geloeschte_arbeiter; }

protected:
    void run() override { arbeit(); }

private:
    std::function<void()> arbeit;
};

// A log window as the concrete windows build it: real widgets, events and both timers wired to
// the log-window side, and the worker stopped first thing in the destructor.
class LogFenster : public QWidget, public CCBaseLog
{
public:
    explicit LogFenster(QWidget* eltern = nullptr) : QWidget(eltern), CCBaseLog(this)
    {
        fortschrittsbalken = new QProgressBar(this);
        textbereich = new QTextEdit(this);
        schliessen_knopf = new QPushButton(this);
        abbrechen_knopf = new QPushButton(this);
        protokoll_knopf = new QPushButton(this);
        abbrechen_knopf->setEnabled(false);
        protokoll_knopf->setEnabled(false);
        verbinde_poll_timer(this, &LogFenster::slot_timer);
        anmelden();
    }
    ~LogFenster() override
    {
        if (selbst_beenden)
            beende_worker();
        abmelden();
    }

    void thread_beendet() override
    {
        ++beendet;
        zeige_ausstehende();
        letzte_zeile_beim_ende = textbereich->document()->lastBlock().text();
        balken_voll_beim_ende = fortschrittsbalken->value() == fortschrittsbalken->maximum();
        schliessen_beim_ende = schliessen_knopf->isEnabled();
    }

    QProgressBar* balken() const { return fortschrittsbalken; }
    QTextEdit* text() const { return textbereich; }
    QPushButton* schliessen() const { return schliessen_knopf; }
    QPushButton* abbrechen() const { return abbrechen_knopf; }
    QPushButton* protokoll() const { return protokoll_knopf; }

    bool selbst_beenden = true;
    int beendet = 0;
    int schnelle_ticks = 0;
    bool balken_voll_beim_ende = true;
    bool schliessen_beim_ende = true;
    QString letzte_zeile_beim_ende;

protected:
    void customEvent(QEvent* e) override { bearbeite_event(e); }
    void timerEvent(QTimerEvent* e) override
    {
        if (e->timerId() != gib_schnell_timer_id())
            return;
        ++schnelle_ticks;
        pruefe_thread();
    }

private:
    void slot_timer() { pruefe_thread(); }
};

bool warte_bis(const std::function<bool()>& bedingung, qint64 ms)
{
    QElapsedTimer uhr;
    uhr.start();
    while (!bedingung()) {
        if (uhr.elapsed() > ms)
            return false;
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    return true;
}

void verarbeite_fuer(qint64 ms)
{
    warte_bis([] { return false; }, ms);
}

} // namespace

TEST(CCBaseLogThread, FortschrittImBalkenNurAnDenRaendernUndNachEinerPause)
{
    for (const bool mit_pause : {false, true}) {
        SCOPED_TRACE(mit_pause);
        std::vector<int> werte;
        LogFenster f;
        QObject::connect(f.balken(), &QProgressBar::valueChanged, [&werte](int w) { werte.push_back(w); });
        CCBaseLog* log = &f;
        // How long the steps between the edges took (without the pause): a loaded machine may
        // stretch them past the throttle, which then rightly lets a step through.
        std::atomic<qint64> dauer_ms{0};
        f.starte_thread(new Arbeiter([log, mit_pause, &dauer_ms] {
            log->setTotalSteps(100);
            QElapsedTimer uhr;
            uhr.start();
            for (int i = 1; i <= 100; ++i) {
                if (mit_pause && i == 50) {
                    dauer_ms += uhr.elapsed();
                    QThread::msleep(600);
                    uhr.restart();
                }
                log->setze_fortschritt(i);
            }
            dauer_ms += uhr.elapsed();
        }));
        ASSERT_TRUE(warte_bis([&f] { return f.beendet == 1; }, 30000));
        EXPECT_EQ(f.balken()->maximum(), 100);
        ASSERT_GE(werte.size(), 3u);
        EXPECT_EQ(std::vector<int>(werte.begin(), werte.begin() + 2), std::vector<int>({0, 1}));
        EXPECT_EQ(werte.back(), 100);
        // The step after the pause always passes; otherwise at most one step per 500 ms.
        if (mit_pause) {
            EXPECT_NE(std::find(werte.begin(), werte.end(), 50), werte.end());
        }
        const qint64 zwischen = static_cast<qint64>(werte.size()) - 3 - (mit_pause ? 1 : 0);
        EXPECT_LE(zwischen, dauer_ms / 500) << dauer_ms << " ms";
    }
}

TEST(CCBaseLogThread, LaufSperrtDasFensterBisZumEnde)
{
    for (const bool verzoegert : {false, true}) {
        for (const char* quelle : {"", "protokoll.html"}) {
            SCOPED_TRACE(testing::Message() << "verzoegert " << verzoegert << " quelle " << quelle);
            LogFenster f;
            f.setze_verzoegerter_start(verzoegert);
            f.setze_abbruch_erlaubt(true);
            f.setze_protokollquelle(CQString(quelle));
            f.balken()->setRange(0, 10);
            const int vorher = geloeschte_arbeiter;
            f.starte_thread(new Arbeiter([] { QThread::msleep(300); }));
            EXPECT_TRUE(f.worker_laeuft());
            if (verzoegert) {
                // Nothing runs before the first poll tick.
                EXPECT_TRUE(f.schliessen()->isEnabled());
                EXPECT_EQ(QApplication::overrideCursor(), nullptr);
                EXPECT_EQ(f.gib_schnell_timer_id(), -1);
                ASSERT_TRUE(warte_bis([&f] { return !f.schliessen()->isEnabled(); }, 30000));
                EXPECT_GT(f.gib_schnell_timer_id(), 0);
            }
            EXPECT_FALSE(f.schliessen()->isEnabled());
            EXPECT_TRUE(f.abbrechen()->isEnabled());
            ASSERT_NE(QApplication::overrideCursor(), nullptr);
            EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);

            ASSERT_TRUE(warte_bis([&f] { return f.beendet > 0; }, 30000));
            EXPECT_FALSE(f.balken_voll_beim_ende);
            EXPECT_FALSE(f.schliessen_beim_ende);
            EXPECT_EQ(geloeschte_arbeiter, vorher + 1);
            EXPECT_FALSE(f.worker_laeuft());
            EXPECT_TRUE(f.schliessen()->isEnabled());
            EXPECT_FALSE(f.abbrechen()->isEnabled());
            EXPECT_EQ(QApplication::overrideCursor(), nullptr);
            EXPECT_EQ(f.balken()->value(), 10);
            EXPECT_EQ(f.protokoll()->isEnabled(), *quelle != '\0');
            EXPECT_EQ(f.gib_schnell_timer_id(), -1);
            if (verzoegert) {
                EXPECT_GE(f.schnelle_ticks, 1);
            }

            // Later ticks find no worker.
            verarbeite_fuer(700);
            EXPECT_EQ(f.beendet, 1);
        }
    }
}

TEST(CCBaseLogThread, SchliessenNachEndeBleibtAusWennAbbestellt)
{
    LogFenster f;
    f.setze_schliessen_nach_ende(false);
    f.starte_thread(new Arbeiter([] {}));
    ASSERT_TRUE(warte_bis([&f] { return f.beendet > 0; }, 30000));
    EXPECT_FALSE(f.schliessen()->isEnabled());
}

TEST(CCBaseLogThread, ProtokollKnopfNachDemLaufFreigegeben)
{
    LogFenster f;
    f.setze_protokollquelle(CQString("protokoll.html"));
    std::atomic<bool> weiter{false};
    f.starte_thread(new Arbeiter([&weiter] {
        while (!weiter)
            QThread::msleep(5);
    }));
    f.setting(1);
    verarbeite_fuer(50);
    EXPECT_FALSE(f.protokoll()->isHidden());
    EXPECT_FALSE(f.protokoll()->isEnabled());

    weiter = true;
    ASSERT_TRUE(warte_bis([&f] { return f.beendet > 0; }, 30000));
    EXPECT_TRUE(f.protokoll()->isEnabled());
    f.setting(0);
    verarbeite_fuer(20);
    EXPECT_TRUE(f.protokoll()->isHidden());
    f.setting(1);
    verarbeite_fuer(20);
    EXPECT_FALSE(f.protokoll()->isHidden());
    EXPECT_TRUE(f.protokoll()->isEnabled());
}

TEST(CCBaseLogThread, GesammelteAusgabeKommtAmEndeZeilenweise)
{
    LogFenster f;
    f.setze_sammeln(true);
    CCBaseLog* log = &f;
    f.starte_thread(new Arbeiter([log] {
        log->neue_textzeile(CQString("erste"), 0);
        log->neue_textzeile(CQString("zweite"), 0);
    }));
    ASSERT_TRUE(warte_bis([&f] { return f.beendet > 0; }, 30000));
    verarbeite_fuer(20);
    EXPECT_EQ(f.text()->toPlainText(), QStringLiteral("erste\nzweite"));
}

// A worker that logs as fast as it can: its lines reach the window in runs, every one once and in
// its order, and the line logged right before its end is in the window when the job-ended hook
// runs.
TEST(CCBaseLogThread, JedeZeileKommtEinmalInIhrerReihenfolgeUndDieLetzteVorDemEnde)
{
    constexpr int anzahl = 50000;
    LogFenster f;
    CCBaseLog* log = &f;
    f.starte_thread(new Arbeiter([log] {
        for (int i = 1; i <= anzahl; ++i)
            log->neue_textzeile(CQString(QStringLiteral("Zeile %1").arg(i)), i % 3);
        log->neue_textzeile(CQString("fertig"), 0);
    }));
    ASSERT_TRUE(warte_bis([&f] { return f.beendet > 0; }, 60000));
    EXPECT_EQ(f.letzte_zeile_beim_ende, QStringLiteral("fertig"));
    f.zeige_ausstehende();
    const QStringList zeilen = f.text()->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(zeilen.size(), anzahl + 1);
    for (int i = 0; i < anzahl; ++i)
        ASSERT_EQ(zeilen[i], QStringLiteral("Zeile %1").arg(i + 1));
    EXPECT_EQ(zeilen.last(), QStringLiteral("fertig"));
}

TEST(CCBaseLogThread, LoeschenWaehrendDesLaufsWartetAufDenWorker)
{
    // Once with the window stopping its worker itself, once left to the base's safety net.
    for (const bool selbst : {true, false}) {
        SCOPED_TRACE(selbst);
        std::atomic<bool> sah_abbruch{false}, sah_abgebrochen{false}, fertig{false};
        auto* eltern = new QWidget;
        auto* f = new LogFenster(eltern);
        f->selbst_beenden = selbst;
        CCBaseLog* log = f;
        // Qualified calls: while the base destructor runs, the window's virtual table is gone.
        // The worker waits for the marks far longer than any run: it ends by them, or not at all
        // within the test's time (and then saw none).
        f->starte_thread(new Arbeiter([log, &sah_abbruch, &sah_abgebrochen, &fertig] {
            QElapsedTimer uhr;
            uhr.start();
            while (uhr.elapsed() < 120000 && !(log->CCBaseLog::ist_abbruch() && log->CQLogBase::ist_abgebrochen()))
                QThread::msleep(5);
            sah_abbruch = log->CCBaseLog::ist_abbruch();
            sah_abgebrochen = log->CQLogBase::ist_abgebrochen();
            log->CCBaseLog::neue_textzeile(CQString("noch da"), 0);
            fertig = true;
        }));
        verarbeite_fuer(50);
        delete eltern;
        EXPECT_TRUE(fertig);
        EXPECT_TRUE(sah_abbruch);
        EXPECT_TRUE(sah_abgebrochen);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }

    // A deferred worker that never started is deleted with the window.
    const int vorher = geloeschte_arbeiter;
    {
        LogFenster f;
        f.setze_verzoegerter_start(true);
        f.starte_thread(new Arbeiter([] { ADD_FAILURE() << "never started"; }));
    }
    EXPECT_EQ(geloeschte_arbeiter, vorher + 1);
    verarbeite_fuer(20);
}

TEST(CCBaseLog, ProtokollGehtAnDieInstallierteAnzeige)
{
    struct OhneFenster : CCBaseLog
    {
        OhneFenster() : CCBaseLog(nullptr) {}
        void thread_beendet() override {}
    } log;
    log.zeige_protokoll(); // no viewer, no source: nothing
    std::vector<QString> gezeigt;
    CCBaseLog::setze_protokollanzeige([&gezeigt](const CQString& quelle) { gezeigt.push_back(quelle); });
    log.zeige_protokoll();
    EXPECT_TRUE(gezeigt.empty());
    log.setze_protokollquelle(CQString("protokoll.html"));
    log.zeige_protokoll();
    ASSERT_EQ(gezeigt.size(), 1u);
    EXPECT_EQ(gezeigt[0], QStringLiteral("protokoll.html"));
    CCBaseLog::setze_protokollanzeige({});
    log.zeige_protokoll();
    EXPECT_EQ(gezeigt.size(), 1u);
}
