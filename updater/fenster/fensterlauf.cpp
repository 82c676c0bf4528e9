#include "fensterlauf.h"
#include "canwendung.h"
#include "ccat.h"
#include "ccbaselog.h"
#include "cfehler.h"
#include "csprache.h"
#include "plattform.h"
#include "sitzungsende.h"
#include "startzustand.h"
#include "updatermainwindow.h"

#include <QApplication>
#include <QSocketNotifier>
#include <exception>
#include <memory>

namespace {

// "\n-Aktualisierer Programmende mit Fehlern (exec)-\n" and its "(catch)" variants.
std::string fehlerende(const char* wie)
{
    return (QStringLiteral("\n-Aktualisierer ") + QCoreApplication::translate("QObject", "Programmende mit Fehlern")
            + QLatin1String(wie) + QLatin1Char('\n'))
        .toStdString();
}

// The first job's timer and the event loop; their exit code.
int laufe(UpdaterMainWindow* fenster)
{
    fenster->starte_verzoegert();
    return QApplication::exec();
}

// Qt's X11 plugin ends the program with exit() when the display goes away (the session ends
// under the window). The thread-local objects of the thread that calls exit go in the reverse
// order of their making, before any static one: the log windows' guard, made by the first job
// after this one, has stopped the jobs (their records written, their lock let go) when this one
// says in the log why the program ends.
struct CAnzeigewache
{
    bool im_lauf = false;
    ~CAnzeigewache()
    {
        if (im_lauf)
            CQCat::gib_instanz()->error(CQString(QCoreApplication::translate(
                "QObject", "Programmende: die Verbindung zur Anzeige ist abgebrochen, laufende Aufträge wurden angehalten")));
    }
};
thread_local CAnzeigewache anzeigewache;

// An exception ended the window road: the window goes (its jobs stop, their records written) and
// the run has failed, as on the silent road.
int ende_nach_ausnahme(const char* wie)
{
    UpdaterMainWindow::zerstoere_instanz();
    warte_auf_enter(fehlerende(wie));
    return 1;
}

} // namespace

void setze_kommandozeilensprache(const CKommandozeile& kommandozeile, CSprache& sprache)
{
    if (!kommandozeile.en)
        return;
    try {
        if (sprache.setze_sprache(CQString("en")))
            return;
    } catch (const CFehlerBasis& fehler) {
        fehler.melde(true);
    }
    // The reason (no or an unreadable English file) is reported already; this says what follows.
    sprache.setze_sprache(CQString("de"));
    CQCat::gib_instanz()->warn(CQString(
        QCoreApplication::translate("QObject", "Sprache '%1' nicht verfuegbar - das Programm startet in Deutsch")
            .arg(QStringLiteral("en"))));
}

int fensterlauf(const CKommandozeile& kommandozeile, CSprache& sprache,
                const std::function<void()>& hilfe_einrichten)
{
    setze_kommandozeilensprache(kommandozeile, sprache);
    CQCat* logger = CQCat::gib_instanz();
    // A signal that ends the session ends the event loop and every one within it (a box, a
    // dialog): the window goes, its jobs stop as a stop ends them, and nothing is asked.
    std::unique_ptr<QSocketNotifier> sitzungsende;
    if (sitzungsende_handle() >= 0) {
        sitzungsende = std::make_unique<QSocketNotifier>(sitzungsende_handle(), QSocketNotifier::Read);
        QObject::connect(sitzungsende.get(), &QSocketNotifier::activated, [melder = sitzungsende.get()] {
            melder->setEnabled(false);
            QCoreApplication::exit(1);
        });
    }

    // The handlers guard the set-up and every start, not only one with "cons": without a console
    // the wait for Enter does nothing, and the program still ends with an exit code instead of an
    // abort (memory that runs out while the records are read, for one).
    int ergebnis = 0;
    // Nor does the window begin without room for it and a job.
    if (const QString grund = CCBaseLog::raumfehler(); !grund.isEmpty()) {
        logger->error(CQString(grund));
        return 1;
    }
    try {
        UpdaterMainWindow* fenster = UpdaterMainWindow::instanz();
        dbx_modus = kommandozeile.dbx;
        fenster->show();
        logger->info(CQString(gib_versionstext()));
        fenster->richte_fenster_ein();
        if (kommandozeile.modus == 1 && !kommandozeile.archiv.isEmpty())
            fenster->setze_archivname(CQString(kommandozeile.archiv));
        if (kommandozeile.modus == 1 && !kommandozeile.quelle.isEmpty())
            fenster->setze_quellverzeichnis(CQString(kommandozeile.quelle));
        if (hilfe_einrichten)
            hilfe_einrichten();
        anzeigewache.im_lauf = true;
        ergebnis = laufe(fenster);
        anzeigewache.im_lauf = false;
    } catch (const CFehlerBasis& fehler) {
        anzeigewache.im_lauf = false;
        logger->error(CQString("Exception in main. Line:279"));
        fehler.melde(true);
        return ende_nach_ausnahme(" (catch)-");
    } catch (...) {
        anzeigewache.im_lauf = false;
        // What it was in words: that memory ran out, for one.
        melde_ausnahme(QStringLiteral("main"));
        return ende_nach_ausnahme(" (catch ...)-");
    }
    UpdaterMainWindow::zerstoere_instanz();
    if (melde_sitzungsende())
        return 1;
    if (ergebnis == 0)
        return update_erfolgreich ? 0 : 1;
    const std::string text = fehlerende(" (exec)-");
    logger->info(text);
    warte_auf_enter(text);
    // An exception that a slot let escape ended the loop: a failed run, as on the silent road.
    return ergebnis == ausnahme_ende ? ausnahme_ende : -1;
}
