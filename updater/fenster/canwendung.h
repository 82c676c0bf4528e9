// The application object of the updater's window road: an exception escaping an event handler ends the program in order.
#pragma once

#include <QApplication>
#include <QString>

// The event loop's exit code after an exception: that of a failed run (as the silent road's).
constexpr int ausnahme_ende = 1;

// Qt cannot carry an exception through its event loop: one that leaves a slot or an event
// handler would abort the program without a word. Here it is logged as an error and the event
// loop ends with `ausnahme_ende`, so that the program ends as a failed run.
class CAnwendung : public QApplication
{
    Q_OBJECT
public:
    CAnwendung(int& argc, char** argv);

    bool notify(QObject* empfaenger, QEvent* ereignis) override;
};

// Only inside a catch block: logs the exception being handled as an error, "Exception in " +
// `wo` + ": " + its message, and lets a framework error also report itself to the log windows.
void melde_ausnahme(const QString& wo);
