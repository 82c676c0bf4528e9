// The log window as a dialog of its own: title lines, text area, progress bar and buttons, fed by a worker thread.
#pragma once

#include "ccbaselog.h"
#include "ccthread.h"
#include "dialogthreadlog.h"

class QCloseEvent;
class QShowEvent;

// Deletes itself when closed. While its worker runs it cannot be closed in any way: the frame's
// close, Escape and done() are refused with the error beep, and "Ok" is disabled. The concrete
// window supplies `thread_beendet` and calls `beende_worker` first in its own destructor.
class CCDiagLog : public CDialog, public CCBaseLog
{
    Q_OBJECT
    FRAMEWORK_KLASSE(CCBaseLog)
public:
    CCDiagLog(QWidget* eltern, const CQString& name, Qt::WindowFlags flags = Qt::WindowFlags());
    ~CCDiagLog() override;


    // Refused with the error beep while the worker runs (Escape, reject() and accept() end here).
    void done(int ergebnis) override;

public slots:
    void slot_timer();
    void slot_print();
    void slot_saveAs(int art);
    void slot_abbruch();
    void slot_protokoll();

protected:
    void customEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    // The first show the program asks for creates the save button.
    void showEvent(QShowEvent* e) override;

    // True (after the error beep) when the worker runs and the window must stay.
    bool bleibt_offen();

    DialogThreadLog formular;

private:
    bool erste_anzeige = true;
};
