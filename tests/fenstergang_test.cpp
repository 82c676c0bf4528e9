// Every window and dialog of the project without the web engine, walked by Tab: each control reached, named for a screen reader, in reading order.
#include "bedienbarkeit.h"
#include "bvtest.h"
#include "canwender_passwort.h"
#include "cbenutzerverwaltung.h"
#include "cdbbvsetting.h"
#include "ccmessagebox.h"
#include "cdocklog.h"
#include "ceingabestring.h"
#include "cgbrowser.h"
#include "cgbrowserdiag.h"
#include "ckalenderdialog.h"
#include "cprozessthread.h"
#include "cseiteeinrichtenwidget.h"
#include "cworkthread.h"
#include "dpagesetupdialog.h"
#include "einstellungsformat.h"
#include "startzustand.h"
#include "testdateien.h"
#include "updatermainwindow.h"
#include "version.h"

#include <QPrinter>
#include <QSettings>

using Fenstergang = BVTest;

TEST_F(Fenstergang, JedesFensterIstPerTastaturErreichbarBenanntUndInLesefolge)
{
    QSettings::setPath(einstellungsformat(), QSettings::UserScope, ordner.filePath(QStringLiteral("config")));
    setze_zielverzeichnis_vorgabe(CQString(ordner.path()));
    melde_an({"INSERT INTO bv_gruppen (grp_id, grp_name) VALUES (2, 'Technik')",
              "INSERT INTO bv_anwender (anw_id, anw_gruppe, anw_name) VALUES (3, 2, 'meier')"});
    // A report with links: Tab goes from link to link and then on to the tool bars.
    const QString bericht =
        schreibe_datei(ordner, "bericht.html", "<p>Protokoll</p><a href=\"a.html\">eins</a> <a href=\"b.html\">zwei</a>");
    const auto betrachter = [](bool zwei) { return new CGBrowserDiag(nullptr, CQString("Bericht"), true, {}, zwei); };
    QPrinter drucker;
    bedienbarkeit::pruefe_zeilen({
        {"Hauptfenster", [] {
             UpdaterMainWindow::instanz()->richte_fenster_ein();
             return UpdaterMainWindow::instanz();
         }, false},
        {"Jobfenster", [] {
             auto* job = new CWorkThread(nullptr, CQString());
             job->zeigeImArbeitsbereich(false, QSize());
             job->setze_fertig(); // "Ok" takes part once the run is over.
             return job;
         }},
        {"Dock", [] { return new CDockLog; }},
        {"Info", [] { return new version; }},
        {"Berichtsbetrachter", [&] {
             CGBrowserDiag* b = betrachter(false);
             b->browser->setze_quelle(CQString(bericht));
             return b;
         }},
        {"Berichtsbetrachter mit zwei Seiten", [&] { return betrachter(true); }},
        {"Programmlauf", [] { return new CProzessThread(nullptr); }},
        {"Meldungsfenster", [] { return new CCMessageBox(nullptr, CQString("Titel"), CQString("m")); }},
        {"Texteingabe", [] { return new CEingabeString(nullptr, CQString("eingabe")); }},
        {"Kalender", [] { return new CKalenderDialog; }},
        {"Seite einrichten", [] { return new CSeiteEinrichtenWidget; }},
        {"Seite einrichten Qt", [&] { return new DPageSetupDialog(&drucker, nullptr); }},
        {"Kennwort aendern", [] { return new Canwender_passwort(nullptr, CQString("p"), 0); }},
        {"Kennwort setzen", [] { return new Canwender_passwort(nullptr, CQString("p"), 1); }},
        {"Kennwort eingeben", [] { return new Canwender_passwort(nullptr, CQString("p"), 7); }},
        {"Benutzerverwaltung", [] { return new CBenutzerVerwaltung; }},
        // Its user page, built anew for a connection made on the settings page, keeps its place.
        {"Benutzerverwaltung, nach dem Oeffnen verbunden", [] {
             bv_abmelden();
             gib_bvdb_einstellungen().bvdb_verbindung.setze_wert(NEIN);
             auto* fenster = new CBenutzerVerwaltung;
             fenster->einstellungen->SlotDatabase();
             return fenster;
         }},
    });
    UpdaterMainWindow::zerstoere_instanz();
    setze_zielverzeichnis_vorgabe(CQString());
}
