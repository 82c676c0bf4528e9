// The log window as a plain widget inside the program's workspace, wrapped in a sub-window.
#pragma once

#include "ccbaselog.h"
#include "ccthread.h"
#include "cqmdisubwindow.h" // whole: the inline getter converts the QPointer
#include "dialogthreadlog.h"

#include <QPointer>
#include <QSize>

class QCloseEvent;
class QResizeEvent;
class QTimerEvent;

// Deletes itself when closed; refuses to close (error beep) while its worker runs. The
// sub-window it lives in is watched: closing this widget closes the sub-window too, and a
// sub-window that closes or is destroyed first (with the workspace, say) is forgotten, so the
// widget never reaches into a sub-window that is going. The concrete window supplies
// `thread_beendet` and calls `beende_worker` first in its own destructor.
class CCWidgetLog : public CWidget, public CCBaseLog
{
    Q_OBJECT
    FRAMEWORK_KLASSE(CCBaseLog)
public:
    CCWidgetLog(QWidget* eltern, const CQString& name, Qt::WindowFlags flags = Qt::WindowFlags());
    ~CCWidgetLog() override;

    // Shows the widget in the workspace: inside a new sub-window of `groesse` (when its width is
    // above 0) with `im_fenster`, else as it is; placed on the cascade, with the save button.
    void zeigeImArbeitsbereich(bool im_fenster, const QSize& groesse);
    // Any thread: the run is over, "Ok" (and the protocol button, when there is a source) enabled.
    void setze_fertig() override;

    CQMdiSubWindow* gib_unterfenster() const { return unterfenster; }

public slots:
    void slot_timer();
    void slot_print();
    void slot_saveAs(int art);
    void slot_abbruch();
    void slot_protokoll();

protected:
    void timerEvent(QTimerEvent* e) override;
    void customEvent(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

    DialogThreadLog formular;

private:
    void vergiss_unterfenster();

    QPointer<CQMdiSubWindow> unterfenster;
};
