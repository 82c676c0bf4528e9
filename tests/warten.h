// Waits in the event loop for a condition, with a time-out, as the tests of signals from other threads and processes do.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <functional>

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
