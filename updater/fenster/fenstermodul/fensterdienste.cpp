#include "fensterdienste.h"
#include "cgbrowserdiag.h"
#include "chilfesystem.h"
#include "cqstring.h"
#include "oeffneurl.h"
#include "updatermainwindow.h"

AktualisiererHilfestart aktualisierer_richte_fensterdienste_ein()
{
    // Links of the text fields open by the browser mode from here on.
    registriere_browser();
    // The log windows' protocol button opens the report viewer.
    installiere_protokollanzeige();
    // "Manual" (F1) shows the topic "updater" in Qt Assistant.
    UpdaterMainWindow::setze_hilfeanzeige([](const CQString& thema) { CHilfeSystem::instanz()->zeige_hilfe(thema); });
    return [] { init_hilfsystem(CQString("updater")); };
}
