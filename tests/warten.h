// Waits in the event loop for a condition, with a time-out, as the tests of signals from other threads and processes do.
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <ctime>
#include <functional>

// The calling thread's processor time in ms: how long a window's thread was held by its own work,
// which a machine busy with other work does not stretch as it stretches the wall clock.
inline qint64 rechenzeit_ms()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

// Runs the event loop until `bedingung` holds or `ms` have passed; whether it holds. Objects
// given to deleteLater go as they would in the application's loop.
inline bool warte(const std::function<bool()>& bedingung, int ms = 30000)
{
    QElapsedTimer uhr;
    uhr.start();
    while (!bedingung() && uhr.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QThread::msleep(5);
    }
    return bedingung();
}

// Whether the process `pid` is gone, or a zombie that no one has reaped yet, within `ms`: a
// killed process takes its moment to die, longer on a loaded machine.
inline bool prozess_ist_weg(qint64 pid, int ms = 10000)
{
    const auto weg = [pid] {
        QFile status(QStringLiteral("/proc/%1/status").arg(pid));
        return !status.open(QIODevice::ReadOnly) || status.readAll().contains("State:\tZ");
    };
    for (QDeadlineTimer frist(ms); !weg() && !frist.hasExpired();)
        QThread::msleep(20);
    return weg();
}
