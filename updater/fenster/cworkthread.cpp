#include "cworkthread.h"
#include "ausnahmetext.h"
#include "ccat.h"
#include "cdocklog.h"
#include "cfehler.h"
#include "cuninstallinfo.h"
#include "gui.h"
#include "importzip.h"
#include "klassen.h"
#include "melde.h"
#include "sitzungsende.h"
#include "startzustand.h"
#include "steuerzeichen.h"
#include "uninstallinthread.h"
#include "updatermainwindow.h"

#include <QApplication>
#include <QCoreApplication>
#include <exception>

CKlasse eintrag_CWorkThread("CWorkThread");
CKlasse* CWorkThread::klasse = &eintrag_CWorkThread;

namespace {

// Job windows whose thread has not yet reached its job-ended hook (GUI thread only).
int laufend = 0;

} // namespace

CWorkThread::CWorkThread(QWidget* eltern, const CQString& name, Qt::WindowFlags flags)
    : CCWidgetLog(eltern, name, flags)
{
}

CWorkThread::~CWorkThread()
{
    beende_worker();
    // Gone before its job ended (the program closes under it): the job is no longer counted.
    if (job_laeuft) {
        --laufend;
        setze_warte_cursor(false, false);
    }
}

int CWorkThread::laufende_jobs()
{
    return laufend;
}

void CWorkThread::richte_job_ein(int* modus, const CQString& archiv)
{
    jobmodus = *modus;
    const UpdaterMainWindow* fenster = UpdaterMainWindow::instanz();
    setWindowTitle(fenster->gib_produktanzeige() + QLatin1String(" Aktualisierer"));
    neue_titelzeile(archiv);
    setTotalSteps(jobmodus == 2 ? static_cast<int>(unistall_anzahl()) : 0);
    setze_warte_cursor(true, false);
    job_laeuft = true;
    ++laufend;
    starte_thread(new CLoadThread(this, jobmodus, archiv, fenster->gib_zielverzeichnis(), fenster->gib_produktanzeige(),
                                  &ziel_besetzt));
}

void CWorkThread::thread_beendet()
{
    if (job_laeuft) {
        job_laeuft = false;
        --laufend;
    }
    setze_warte_cursor(false, false);
    const bool ok = ist_ok();
    // A success is never taken back by a later failure.
    if (ok)
        update_erfolgreich = true;
    // The session ends: the program ends without a word more (see `fensterlauf`).
    if (dbx_modus || sitzungsende_signal() != 0)
        return;

    if (ok) {
        // Only the work of the command line ends the program; every other job is marked
        // cancelled by its thread and leaves it open.
        const bool erstes_install = jobmodus == 0 && startmodus == 1 && installationszaehler == 1;
        if (!ist_abbruch() && (erstes_install || jobmodus == 2)) {
            close();
            QApplication::closeAllWindows();
        }
        return;
    }

    if (jobmodus != 2)
        zeige_protokollfenster();
    fehler_ton();
    UpdaterMainWindow* fenster = UpdaterMainWindow::instanz();
    const QString produkt = fenster->gib_produktanzeige();
    QString titel;
    QString text;
    if (jobmodus == 2 && ziel_besetzt) {
        // Nothing was deleted: there is nothing to clear by hand, only a later try.
        titel = tr("Deinstallation %1").arg(produkt);
        text = tr("Die Deinstallation von %1 wurde nicht begonnen: ein anderes Programm bearbeitet das Verzeichnis")
                   .arg(produkt)
               + QLatin1Char('\n') + QStringLiteral("'%1'").arg(fenster->gib_zielverzeichnis()) + QLatin1Char('\n')
               + tr("Bitte versuchen Sie es später noch einmal.");
    } else if (jobmodus == 2) {
        titel = tr("Deinstallation %1").arg(produkt);
        text = tr("Bei der Deinstallation von %1 sind Fehler aufgetreten !").arg(produkt) + QLatin1Char('\n')
               + tr("Bitte löschen Sie verbleibende Dateien im Verzeichnis") + QLatin1Char('\n')
               + QStringLiteral("'%1'").arg(fenster->gib_zielverzeichnis()) + QLatin1Char('\n')
               + tr("bzw. das Verzeichnis selbst manuell.");
    } else if (jobmodus == 0 && startmodus == 1) {
        titel = tr("Installation %1").arg(produkt);
        text = tr("Bei der Installation von %1 sind Fehler aufgetreten !").arg(produkt) + QLatin1Char('\n')
               + tr("Bitte beenden Sie diese Anwendung manuell (X).");
    }
    if (!titel.isEmpty())
        meldung_kritisch(fenster, CQString(titel), CQString(text));
}

CLoadThread::CLoadThread(CCBaseLog* log, int modus, const CQString& archiv, const CQString& ziel,
                         const CQString& produkt, bool* besetzt)
    : log(log), modus(modus), archiv(archiv), ziel(ziel), produkt(produkt), besetzt(besetzt)
{
}

void CLoadThread::run()
{
    // The job's lines go to its own window; other windows see none of them.
    const CEigenesMeldeziel eigenes_ziel(log);
    // An error escaping the work would end the whole program from this thread: it fails the job.
    try {
        if (modus <= 1)
            ImportZIPInThread(log, &modus, archiv, ziel);
        else
            UninstallInThread(log, &modus, ziel, produkt, UpdaterMainWindow::instanz()->gib_uninstall_info(), besetzt);
    } catch (const CFehlerBasis& fehler) {
        fehler.melde(true);
        log->setze_fehler();
    } catch (...) {
        // Memory ran out, or no thread could be started: the line says so. Nothing may leave
        // the thread, not even from its own report.
        log->setze_fehler();
        try {
            const QString text = ausnahmetext(std::current_exception());
            CQCat::gib_instanz()->error(CQString(QStringLiteral("Exception im Job: %1").arg(text)));
            qmelde(2, klasse_kurz, CQString("run"), CQString(text));
        } catch (...) {
        }
    }
}

void ImportZIPInThread(CCBaseLog* log, int* modus, const CQString& archiv, const CQString& ziel)
{
    if (*modus > 1)
        return;
    CUninstallInfo* uninstall = UpdaterMainWindow::instanz()->gib_uninstall_info();
    log->neue_titelzeile(CQString(QCoreApplication::translate("UpdaterMainWindow", "ZIP Archiv öffnen")));
    // The mark keeps the program open at the job's end: only the first install of an "install"
    // start, without "dbx", goes without it.
    if (!(startmodus == 1 && installationszaehler <= 1 && !dbx_modus))
        log->setze_abbruch();
    qmelde(5, klasse_kurz, CQString("ImportZIPInThread"),
           CQString(QCoreApplication::translate("UpdaterMainWindow", "ZIP einlesen: %1").arg(maskiere_steuerzeichen(archiv))));
    if (*modus == 0) {
        int pruefung = 2;
        if (!ImportZIP_installation(log, &pruefung, archiv, ziel, uninstall))
            return;
    }
    ImportZIP_installation(log, modus, archiv, ziel, uninstall);
}
