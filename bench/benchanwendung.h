// The application object of the benchmarks that run their own windows (offscreen without a display, high-DPI scaling on, the events of worker threads taken over as the program's are), and waiting on its event loop.
#pragma once

#include "anwendung.h"
#include "dialogseam.h"
#include "ereignisuebernahme.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPrinter>

// Work beside the window (a worker's lines, a report read or printed on a thread of its own) posts
// its events to the window: they are taken over before any filter of the application (the keys of
// multi-line fields) looks at them, as the program and the test programs do.
class CBenchAnwendung : public QApplication
{
public:
    CBenchAnwendung(int& argc, char** argv) : QApplication(vorbereitet(argc), argv) { installEventFilter(&uebernahme); }

private:
    // Before the application object is made: its platform and scaling are fixed then.
    static int& vorbereitet(int& argc)
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        schalte_hochaufloesung_ein();
        return argc;
    }

    CEreignisUebernahme uebernahme;
};

// Runs the event loop until `fertig` holds, `ms` milliseconds at most; whether it holds.
template <typename Bedingung>
bool warte(Bedingung fertig, qint64 ms)
{
    QElapsedTimer uhr;
    uhr.start();
    while (!fertig() && uhr.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return fertig();
}

// The print dialog answers with a PDF file at `datei`, read when the print asks (the name may
// change between prints).
inline void drucke_in_pdf(const QString& datei)
{
    setze_drucker_funktion([&datei](QWidget*, QPrinter& drucker) {
        drucker.setOutputFormat(QPrinter::PdfFormat);
        drucker.setOutputFileName(datei);
        return true;
    });
}
