// What the log-window tests share: a beep counter, a worker that runs until released, waiting on the event loop.
#pragma once

#include "ccbaselog.h"
#include "ccthread.h"
#include "piepzaehler.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTextCursor>
#include <QTextEdit>
#include <atomic>
#include <functional>

// Reports one line (or `zeilen` lines), then sleeps until released or until its window cancels it.
class Arbeiter : public CCThread
{
public:
    Arbeiter(CCBaseLog* log, std::atomic<bool>& frei, int zeilen = 1) : log(log), frei(frei), zeilen(zeilen) {}

protected:
    void run() override
    {
        log->neue_textzeile(CQString("Arbeiter laeuft"), 0);
        for (int i = 2; i <= zeilen; ++i)
            log->neue_textzeile(CQString(QStringLiteral("Zeile %1").arg(i)), 0);
        while (!frei && !log->ist_abbruch())
            msleep(5);
    }

private:
    CCBaseLog* log;
    std::atomic<bool>& frei;
    int zeilen;
};

// Runs the event loop until the condition holds; false after `ms` (ten seconds) without.
inline bool warte_bis(const std::function<bool()>& bedingung, int ms = 10000)
{
    QElapsedTimer uhr;
    uhr.start();
    while (!bedingung()) {
        if (uhr.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// Whether the view shows the last line of its text (top to bottom; a line wider than the view counts).
inline bool letzte_zeile_zu_sehen(const QTextEdit* text)
{
    QTextCursor ende(text->document());
    ende.movePosition(QTextCursor::End);
    const QRect zeile = text->cursorRect(ende);
    return zeile.top() >= 0 && zeile.bottom() < text->viewport()->height();
}

// Carries out the pending deleteLater calls, also those that the deletions post in turn.
inline void loesche_spaetere()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}
