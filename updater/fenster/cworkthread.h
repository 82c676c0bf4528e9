// A job of the updater: its window in the workspace and the thread that installs, lists or uninstalls.
#pragma once

#include "ccthread.h"
#include "ccwidgetlog.h"
#include "cqstring.h"

// The job window: a log window in the workspace whose job-ended hook records success and, for
// the work of the command line, ends the program.
class CWorkThread : public CCWidgetLog
{
    Q_OBJECT
    FRAMEWORK_KLASSE(CCWidgetLog)
public:
    CWorkThread(QWidget* eltern, const CQString& name, Qt::WindowFlags flags = Qt::WindowFlags());
    ~CWorkThread() override;

    // Stores the mode, titles the window and its log, and starts the job thread on `archiv`.
    void richte_job_ein(int* modus, const CQString& archiv);
    int gib_jobmodus() const { return jobmodus; }

    void thread_beendet() override;

    // Number of job windows whose thread has not yet ended (GUI thread).
    static int laufende_jobs();

private:
    int jobmodus = 0;
    // Counted in `laufende_jobs` from the thread's start until the job-ended hook.
    bool job_laeuft = false;
    // Set by the thread of an uninstall that another program kept from the target; read once
    // the thread has ended.
    bool ziel_besetzt = false;
};

// The job thread: mode 0 or 1 runs `ImportZIPInThread`, 2 or 3 `UninstallInThread`. The archive
// is fixed when the thread is made, so that the window may choose another one meanwhile.
class CLoadThread : public CCThread
{
    Q_OBJECT
public:
    // `besetzt` (may be null) is set when an uninstall found the target held by another program.
    CLoadThread(CCBaseLog* log, int modus, const CQString& archiv, const CQString& ziel,
                const CQString& produkt, bool* besetzt = nullptr);

protected:
    void run() override;

private:
    CCBaseLog* log;
    int modus;
    CQString archiv;
    CQString ziel;
    CQString produkt;
    bool* besetzt;
};

// The list and install body of a job thread: the word-size check before an install (mode 0),
// then the install or the listing.
void ImportZIPInThread(CCBaseLog* log, int* modus, const CQString& archiv, const CQString& ziel);
