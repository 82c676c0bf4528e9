#include "fensterlauf.h"
#include "ccat.h"
#include "cfehler.h"
#include "csprache.h"
#include "plattform.h"
#include "startzustand.h"
#include "updatermainwindow.h"

#include <QApplication>
#include <exception>

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
    UpdaterMainWindow* fenster = UpdaterMainWindow::instanz();
    dbx_modus = kommandozeile.dbx;
    fenster->show();
    CQCat* logger = CQCat::gib_instanz();
    logger->info(CQString(gib_versionstext()));
    fenster->richte_fenster_ein();
    if (kommandozeile.modus == 1 && !kommandozeile.archiv.isEmpty())
        fenster->setze_archivname(CQString(kommandozeile.archiv));
    if (kommandozeile.modus == 1 && !kommandozeile.quelle.isEmpty())
        fenster->setze_quellverzeichnis(CQString(kommandozeile.quelle));
    if (hilfe_einrichten)
        hilfe_einrichten();

    // The handlers guard every start, not only one with "cons": without a console the wait for
    // Enter does nothing, and the program still ends with -1 instead of an abort.
    int ergebnis = 0;
    try {
        ergebnis = laufe(fenster);
    } catch (const CFehlerBasis& fehler) {
        logger->error(CQString("Exception in main. Line:279"));
        fehler.melde(true);
        UpdaterMainWindow::zerstoere_instanz();
        warte_auf_enter(fehlerende(" (catch)-"));
        return -1;
    } catch (...) {
        logger->error(CQString("Exception in main"));
        UpdaterMainWindow::zerstoere_instanz();
        warte_auf_enter(fehlerende(" (catch ...)-"));
        return -1;
    }
    UpdaterMainWindow::zerstoere_instanz();
    if (ergebnis == 0)
        return update_erfolgreich ? 0 : 1;
    const std::string text = fehlerende(" (exec)-");
    logger->info(text);
    warte_auf_enter(text);
    return -1;
}
