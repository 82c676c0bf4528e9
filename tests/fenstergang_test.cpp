// Every window and dialog of the project without the web engine, walked by Tab: each control reached, named for a screen reader, in reading order.
#include "bedienbarkeit.h"
#include "bvtest.h"
#include "canwender_passwort.h"
#include "cbenutzerverwaltung.h"
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
#include "gui.h"
#include "startzustand.h"
#include "updatermainwindow.h"
#include "version.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QSettings>
#include <QTabWidget>

#include <functional>
#include <memory>

namespace {

struct Zeile
{
    const char* name;
    std::function<QWidget*()> oeffne;
};

class Fenstergang : public BVTest
{
protected:
    void SetUp() override
    {
        BVTest::SetUp();
        QSettings::setPath(einstellungsformat(), QSettings::UserScope, ordner.filePath(QStringLiteral("config")));
        setze_zielverzeichnis_vorgabe(CQString(ordner.path()));
        melde_an({"INSERT INTO bv_gruppen (grp_id, grp_name) VALUES (2, 'Technik')",
                  "INSERT INTO bv_anwender (anw_id, anw_gruppe, anw_name) VALUES (3, 2, 'meier')"});
    }
    void TearDown() override
    {
        UpdaterMainWindow::zerstoere_instanz();
        setze_zielverzeichnis_vorgabe(CQString());
        BVTest::TearDown();
    }

    // A report with links: Tab goes from link to link and then on to the tool bars.
    QString bericht() const
    {
        const QString pfad = ordner.filePath(QStringLiteral("bericht.html"));
        QFile datei(pfad);
        EXPECT_TRUE(datei.open(QIODevice::WriteOnly));
        datei.write("<html><body><p>Protokoll</p><a href=\"a.html\">eins</a> <a href=\"b.html\">zwei</a></body></html>");
        return pfad;
    }

    void pruefe(QWidget* fenster, const QString& zeile)
    {
        SCOPED_TRACE(zeile.toStdString());
        fenster->show();
        QCoreApplication::processEvents();
        EXPECT_EQ(bedienbarkeit::pruefe(fenster).join(QLatin1Char('\n')).toStdString(), "");
    }
};

} // namespace

TEST_F(Fenstergang, JedesFensterIstPerTastaturErreichbarBenanntUndInLesefolge)
{
    QPrinter drucker;
    const std::vector<Zeile> zeilen{
        {"Hauptfenster",
         [] {
             UpdaterMainWindow* fenster = UpdaterMainWindow::instanz();
             fenster->richte_fenster_ein();
             return fenster;
         }},
        {"Jobfenster",
         [] {
             auto* job = new CWorkThread(nullptr, CQString());
             job->zeigeImArbeitsbereich(false, QSize());
             // The run is over: "Ok" takes part.
             job->setze_fertig();
             QCoreApplication::processEvents();
             return job;
         }},
        {"Dock", [] { return new CDockLog; }},
        {"Info", [] { return new version; }},
        {"Berichtsbetrachter",
         [this] {
             auto* betrachter = new CGBrowserDiag(nullptr, CQString("Bericht"), true, Qt::WindowFlags(), false);
             betrachter->browser->setze_quelle(CQString(bericht()));
             return betrachter;
         }},
        {"Berichtsbetrachter mit zwei Seiten",
         [] { return new CGBrowserDiag(nullptr, CQString("Bericht"), true, Qt::WindowFlags(), true); }},
        {"Programmlauf", [] { return new CProzessThread(nullptr); }},
        {"Meldungsfenster", [] { return new CCMessageBox(nullptr, CQString("Titel"), CQString("m")); }},
        {"Texteingabe", [] { return new CEingabeString(nullptr, CQString("eingabe")); }},
        {"Kalender", [] { return new CKalenderDialog; }},
        {"Seite einrichten", [] { return new CSeiteEinrichtenWidget; }},
        {"Seite einrichten Qt", [&drucker] { return new DPageSetupDialog(&drucker, nullptr); }},
        {"Kennwort aendern", [] { return new Canwender_passwort(nullptr, CQString("p"), 0); }},
        {"Kennwort setzen", [] { return new Canwender_passwort(nullptr, CQString("p"), 1); }},
        {"Kennwort eingeben", [] { return new Canwender_passwort(nullptr, CQString("p"), 7); }},
        {"Benutzerverwaltung", [] { return new CBenutzerVerwaltung; }},
    };
    for (const Zeile& zeile : zeilen) {
        QWidget* fenster = zeile.oeffne();
        // Each page of a window with tabs is walked on its own.
        const QList<QTabWidget*> reiter = fenster->findChildren<QTabWidget*>();
        const int seiten = reiter.isEmpty() ? 1 : reiter.first()->count();
        for (int seite = 0; seite < seiten; ++seite) {
            if (!reiter.isEmpty())
                reiter.first()->setCurrentIndex(seite);
            pruefe(fenster, QStringLiteral("%1, Seite %2").arg(QLatin1String(zeile.name)).arg(seite + 1));
        }
        if (fenster != UpdaterMainWindow::instanz())
            delete fenster;
    }
}
