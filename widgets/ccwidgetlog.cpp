#include "ccwidgetlog.h"
#include "camisc.h"
#include "ccbaselogevents.h"
#include "cqmdisubwindow.h"
#include "cqworkspace.h"
#include "cspeichernbutton.h"
#include "gui.h"
#include "platziere.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QTextEdit>
#include <QTimerEvent>

CKlasse eintrag_CCWidgetLog("CCWidgetLog");
CKlasse* CCWidgetLog::klasse = &eintrag_CCWidgetLog;

CCWidgetLog::CCWidgetLog(QWidget* eltern, const CQString& name, Qt::WindowFlags flags)
    : CWidget(eltern, name, flags), CCBaseLog(this)
{
    setAttribute(Qt::WA_DeleteOnClose);
    formular.setupUi(this, DialogThreadLog::Art::Widget);
    uebernimm_formular(formular);
    connect(abbrechen_knopf, &QPushButton::released, this, &CCWidgetLog::slot_abbruch);
    connect(protokoll_knopf, &QPushButton::released, this, &CCWidgetLog::slot_protokoll);
    connect(drucken_knopf, &QPushButton::clicked, this, &CCWidgetLog::slot_print);
    verbinde_poll_timer(this, &CCWidgetLog::slot_timer);
    connect(schliessen_knopf, &QPushButton::clicked, this, &QWidget::close);
    anmelden();
}

CCWidgetLog::~CCWidgetLog()
{
    // While the whole window still exists: a worker still running is stopped and waited for.
    beende_worker();
    abmelden();
    if (QTimer* timer = gib_poll_timer())
        timer->disconnect(this);
    // Only a sub-window that is neither closing nor being destroyed is still known here.
    if (CQMdiSubWindow* fenster = unterfenster) {
        unterfenster = nullptr;
        // Out of it first: closing it would otherwise close this half-destroyed widget again.
        fenster->setWidget(nullptr);
        // An empty sub-window serves nothing, whether or not it agrees to close.
        if (!fenster->close())
            fenster->deleteLater();
    }
}

void CCWidgetLog::vergiss_unterfenster()
{
    unterfenster = nullptr;
}

void CCWidgetLog::zeigeImArbeitsbereich(bool im_fenster, const QSize& groesse)
{
    CQWorkspace* workspace = gib_workspace();
    // Without a workspace there is nothing to put a sub-window into: the widget shows on its own.
    if (im_fenster && workspace) {
        auto* fenster = new CQMdiSubWindow(0, nullptr);
        fenster->setWidget(this);
        fenster->setAttribute(Qt::WA_DeleteOnClose);
        unterfenster = fenster;
        // QWidget announces its destruction before it deletes its children (this widget among
        // them), so the sub-window is forgotten before this destructor could reach it.
        connect(fenster, &CQMdiSubWindow::closeEvent_signal, this, &CCWidgetLog::vergiss_unterfenster);
        connect(fenster, &QObject::destroyed, this, &CCWidgetLog::vergiss_unterfenster);
        workspace->addSubWindow(fenster);
        fenster->show();
        if (groesse.width() > 0)
            fenster->resize(groesse);
        show();
    }
    platziere_fenster(this);
    connect(erzeuge_speichern_knopf(formular), &CSpeichernButton::signalActionEvent, this, &CCWidgetLog::slot_saveAs);
    show();
}

void CCWidgetLog::setze_fertig()
{
    poste(new CCbaseLogsetTotalSteps(-1));
}

void CCWidgetLog::timerEvent(QTimerEvent* e)
{
    if (e->timerId() == gib_schnell_timer_id())
        pruefe_thread();
}

void CCWidgetLog::customEvent(QEvent* e)
{
    bearbeite_event(e);
}

void CCWidgetLog::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
}

void CCWidgetLog::closeEvent(QCloseEvent* e)
{
    if (worker_laeuft()) {
        fehler_ton();
        e->ignore();
        return;
    }
    QWidget::closeEvent(e);
}

void CCWidgetLog::slot_timer()
{
    pruefe_thread();
}

void CCWidgetLog::slot_print()
{
    drucke_fenster();
}

void CCWidgetLog::slot_saveAs(int art)
{
    speichere_fenster(art);
}

void CCWidgetLog::slot_abbruch()
{
    breche_ab();
}

void CCWidgetLog::slot_protokoll()
{
    zeige_protokoll();
    close();
}
