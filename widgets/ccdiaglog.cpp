#include "ccdiaglog.h"
#include "cspeichernbutton.h"
#include "gui.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QTextEdit>

CKlasse eintrag_CCDiagLog("CCDiagLog");
CKlasse* CCDiagLog::klasse = &eintrag_CCDiagLog;

CCDiagLog::CCDiagLog(QWidget* eltern, const CQString& name, Qt::WindowFlags flags)
    : CDialog(eltern, flags), CCBaseLog(this)
{
    this->name = name;
    setAttribute(Qt::WA_DeleteOnClose);
    formular.setupUi(this, DialogThreadLog::Art::Dialog);
    uebernimm_formular(formular);
    connect(abbrechen_knopf, &QPushButton::released, this, &CCDiagLog::slot_abbruch);
    connect(protokoll_knopf, &QPushButton::released, this, &CCDiagLog::slot_protokoll);
    connect(drucken_knopf, &QPushButton::clicked, this, &CCDiagLog::slot_print);
    verbinde_poll_timer(this, &CCDiagLog::slot_timer);
    connect(schliessen_knopf, &QPushButton::clicked, this, &QWidget::close);
    anmelden();
}

CCDiagLog::~CCDiagLog()
{
    // While the whole window still exists: a worker still running is stopped and waited for.
    beende_worker();
    abmelden();
    if (QTimer* timer = gib_poll_timer())
        timer->disconnect(this);
}

bool CCDiagLog::bleibt_offen()
{
    if (!worker_laeuft())
        return false;
    fehler_ton();
    return true;
}

void CCDiagLog::done(int ergebnis)
{
    // QDialog would hide the dialog and, closing it, delete it under its running worker.
    if (bleibt_offen())
        return;
    CDialog::done(ergebnis);
}

void CCDiagLog::customEvent(QEvent* e)
{
    bearbeite_event(e);
}

void CCDiagLog::closeEvent(QCloseEvent* e)
{
    if (bleibt_offen()) {
        e->ignore();
        return;
    }
    // Not QDialog's handling, which would close through reject().
    QWidget::closeEvent(e);
}

void CCDiagLog::showEvent(QShowEvent* e)
{
    if (erste_anzeige && !e->spontaneous()) {
        erste_anzeige = false;
        connect(erzeuge_speichern_knopf(formular), &CSpeichernButton::signalActionEvent, this, &CCDiagLog::slot_saveAs);
    }
    CDialog::showEvent(e);
}

void CCDiagLog::slot_timer()
{
    pruefe_thread();
}

void CCDiagLog::slot_print()
{
    drucke_fenster();
}

void CCDiagLog::slot_saveAs(int art)
{
    speichere_fenster(art);
}

void CCDiagLog::slot_abbruch()
{
    breche_ab();
}

void CCDiagLog::slot_protokoll()
{
    zeige_protokoll();
    accept();
}
