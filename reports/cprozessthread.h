// The log dialog of the external program runner: runs the worker and decides at its end whether the dialog closes.
#pragma once

#include "ccdiaglog.h"
#include "cpbthread.h"

#include <memory>

class CPPRInterface;

class CProzessThread : public CCDiagLog
{
    Q_OBJECT
public:
    explicit CProzessThread(QWidget* eltern);
    ~CProzessThread() override;

    // Window title, title line and a new worker for the program; `schliessmodus` as the runner's.
    void starte(const QString& titel, const QString& text, int schliessmodus,
                std::shared_ptr<CPPRInterface> schnittstelle, const CProzessAufruf& aufruf);

    // Closes the dialog after a good run (close mode 0) or always (2); otherwise it stays with
    // "- Prozess beendet -" or, after a failure, the warning and the error beep.
    void thread_beendet() override;

signals:
    void prozessfertig_signal();

public slots:
    void fensterzeigen_slot();

private:
    int fortschritt_gesamt = 110;
    int schliessmodus = 0;
};
