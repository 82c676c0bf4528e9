// The main window's job dispatch: which job may start, on which archive, and its window in the workspace.
#include "ccat.h"
#include "cdocklog.h"
#include "cfehler.h"
#include "cqstringsteuer.h"
#include "cqworkspace.h"
#include "cuninstallinfo.h"
#include "cworkthread.h"
#include "gui.h"
#include "platziere.h"
#include "sitzungsende.h"
#include "startzustand.h"
#include "updatermainwindow.h"
#include "verzeichnisse.h"
#include "zielordner.h"

#include <QApplication>
#include <QDir>
#include <QStatusBar>

namespace {

// The archive of the first install of an "install" start. A relative name lies in the source
// folder, or in the target folder without one; an absolute name is taken as it is.
QString erstes_archiv(const QString& name, const QString& quelle, const QString& ziel)
{
    const QString archiv = name.isEmpty() ? QStringLiteral("update.zip") : name;
    if (QDir::isAbsolutePath(archiv))
        return archiv;
    return (quelle.isEmpty() ? ziel : quelle) + gib_pfadtrenner() + archiv;
}

// A job could not even be started: the run counts as failed, the user is told and sees the protocol.
void melde_startfehler(QWidget* fenster, const QString& text, const CFehlerBasis* fehler)
{
    CQCat::gib_instanz()->error(CQString(text));
    update_erfolgreich = false;
    if (fehler)
        fehler->melde(true);
    meldung_kritisch(fenster, CQString("Aktualisierer"), CQString(text));
    zeige_protokollfenster();
}

} // namespace

void UpdaterMainWindow::slot_zeitverzoegerung()
{
    int modus = startmodus == 2 ? 2 : 0;
    bereite_job_vor(&modus);
}

void UpdaterMainWindow::SlotUinfo()
{
    int modus = 3;
    bereite_job_vor(&modus);
}

void UpdaterMainWindow::SlotListZIP()
{
    int modus = 1;
    bereite_job_vor(&modus);
}

void UpdaterMainWindow::SlotImportZIP()
{
    int modus = 0;
    bereite_job_vor(&modus);
}

void UpdaterMainWindow::bereite_job_vor(int* modus)
{
    // The session ends: no job begins any more.
    if (sitzungsende_signal() != 0)
        return;
    // Without room for its window a job does not begin (see `CCBaseLog::raumfehler`); the work of
    // the command line ends, as a failed job, without a box that could not be shown either.
    if (const QString grund = CCBaseLog::raumfehler(); !grund.isEmpty()) {
        CQCat::gib_instanz()->error(CQString(grund));
        statusBar()->showMessage(grund);
        if (*modus == 2 || (*modus == 0 && startmodus == 1 && installationszaehler == 0))
            QApplication::closeAllWindows();
        return;
    }
    if (*modus == 0)
        ++installationszaehler;
    // Records that could not be read when the window opened are read again by the job, which
    // says why where it cannot.
    if (*modus == 2 && unistall_anzahl() == 0 && gib_unistall_ladefehler().isEmpty()) {
        // A target that is not there, or no folder, holds no records: it is named as such.
        const CZielordner ziel(zielverzeichnis);
        meldung_kritisch(this, CQString(tr("Deinstallation %1").arg(produktanzeige)),
                         CQString(ziel.handle() < 0 ? zielordner_fehlertext(zielverzeichnis, ziel.gib_oeffnungsfehler())
                                  : tr("Keine Uninstall Information für %1 gefunden !").arg(produktanzeige)
                                  + QLatin1Char('\n') + tr("Bitte löschen Sie verbleibende Dateien im Verzeichnis")
                                  + QStringLiteral(" '%1'\n").arg(zielverzeichnis)
                                  + tr("bzw. das Verzeichnis selbst manuell.")));
        QApplication::closeAllWindows();
        return;
    }
    if (*modus == 0 && startmodus == 1 && installationszaehler == 1) {
        gib_sdir_update_zip().setze_wert_qstr(CQString(erstes_archiv(archivname, quellverzeichnis, zielverzeichnis)));
    } else if (*modus == 0 || *modus == 1) {
        const QString gewaehlt = oeffne_datei_dialog(this, gib_sdir_update_zip(), QStringLiteral("Update (*.zip)"),
                                                     tr("Update Archiv für %1 auswählen").arg(produktanzeige), true);
        if (gewaehlt.isEmpty())
            return;
    }
    // Only the start of the job is guarded; the thread's work reports in its window.
    try {
        starte_job(modus);
    } catch (const CFehlerBasis& fehler) {
        melde_startfehler(this, tr("Fehler beim Update!"), &fehler);
    } catch (...) {
        melde_startfehler(this, tr("Fehler ... beim Update!"), nullptr);
    }
}

void UpdaterMainWindow::starte_job(int* modus)
{
    static const char* const statustexte[] = {QT_TR_NOOP("ZIP Installieren"), QT_TR_NOOP("ZIP Inhalt"),
                                              QT_TR_NOOP("Deinstallation"), QT_TR_NOOP("Uninstall Info")};
    const int art = *modus;
    statusBar()->showMessage(tr(statustexte[art >= 1 && art <= 3 ? art : 0]), 2000);

    auto* fenster = new CWorkThread(workspace, CQString());
    letztes_jobfenster = fenster;
    // The archive is read here, once: a dialog of a later job may change the variable meanwhile.
    fenster->richte_job_ein(modus, gib_sdir_update_zip().gib_wert_qstr());

    QSize groesse = workspace->size();
    groesse.setHeight(groesse.height() - groesse.height() / 4);
    fenster->zeigeImArbeitsbereich(true, groesse);
    setze_platzier_versatz(QPoint(0, gib_platzier_versatz().y()));
}
