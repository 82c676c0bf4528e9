#include "cprozessthread.h"
#include "gui.h"
#include "melde.h"

#include <QProgressBar>

CProzessThread::CProzessThread(QWidget* eltern) : CCDiagLog(eltern, CQString()) {}

CProzessThread::~CProzessThread()
{
    // While the dialog is whole: a running worker kills its program and is waited for.
    beende_worker();
}

void CProzessThread::starte(const QString& titel, const QString& text, int modus,
                            std::shared_ptr<CPPRInterface> schnittstelle, const CProzessAufruf& aufruf)
{
    schliessmodus = modus;
    setWindowTitle(titel);
    neue_titelzeile(CQString(text));
    fortschritt_gesamt = 110;
    if (fortschrittsbalken)
        fortschrittsbalken->setMaximum(fortschritt_gesamt);
    auto* worker = new CPBThread(this, std::move(schnittstelle), aufruf);
    connect(worker, &CPBThread::fensterzeigen_signal, this, &CProzessThread::fensterzeigen_slot);
    starte_thread(worker);
}

void CProzessThread::fensterzeigen_slot()
{
    // An exception must not leave a slot.
    try {
        show();
    } catch (...) {
    }
}

void CProzessThread::thread_beendet()
{
    if (fortschrittsbalken)
        fortschrittsbalken->setMaximum(fortschritt_gesamt);
    setze_fortschritt(fortschritt_gesamt);
    const bool ok = ist_ok();
    show();
    if (schliessmodus == 2 || (schliessmodus == 0 && ok)) {
        close();
    } else if (!ok) {
        // To this dialog only: other log windows have nothing to do with this run.
        qmelde(2, klasse, CQString("thread_beendet"), CQString(tr("ACHTUNG - Es sind Fehler aufgetreten !")), this);
        fehler_ton();
    } else {
        neue_textzeile(CQString("<br>&nbsp;\n"), 0);
        neue_textzeile(CQString(tr("- Prozess beendet -")), 0);
    }
    neue_titelzeile(CQString());
    emit prozessfertig_signal();
}
