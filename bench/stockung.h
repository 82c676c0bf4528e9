// The GUI thread's longest stall as the benchmarks measure it: the longest time between two ticks of a 10 ms timer.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// Ticks while the event loop turns; a step that holds the GUI thread shows as a long gap.
class CStockung : public QObject
{
public:
    CStockung()
    {
        takt.setTimerType(Qt::PreciseTimer);
        connect(&takt, &QTimer::timeout, this, [this] { laengste = qMax(laengste, uhr.restart()); });
        beginne();
        takt.start(10);
    }
    // Measures from now on.
    void beginne()
    {
        laengste = 0;
        uhr.start();
    }
    // The longest gap so far, the one still open included: a step that held the GUI thread to its
    // end has let no tick end it yet.
    qint64 gib_laengste() const { return qMax(laengste, uhr.elapsed()); }
    // The longest gap that a tick has ended.
    qint64 laengste = 0;

private:
    QTimer takt;
    QElapsedTimer uhr;
};
