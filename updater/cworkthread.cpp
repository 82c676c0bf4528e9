// Placeholder until the jobs are built: a job window without a job.
#include "cworkthread.h"

CKlasse eintrag_CWorkThread("CWorkThread");
CKlasse* CWorkThread::klasse = &eintrag_CWorkThread;

CWorkThread::CWorkThread(QWidget* eltern, const CQString& name, Qt::WindowFlags flags)
    : CCWidgetLog(eltern, name, flags)
{
}

CWorkThread::~CWorkThread()
{
    beende_worker();
}

void CWorkThread::richte_job_ein(int* modus, const CQString&)
{
    jobmodus = *modus;
}

void CWorkThread::thread_beendet() {}

int CWorkThread::laufende_jobs()
{
    return 0;
}

CLoadThread::CLoadThread(CCBaseLog* log, int modus, const CQString& archiv, const CQString& ziel,
                         const CQString& produkt)
    : log(log), modus(modus), archiv(archiv), ziel(ziel), produkt(produkt)
{
}

void CLoadThread::run() {}

void ImportZIPInThread(CCBaseLog*, int*, const CQString&, const CQString&) {}
