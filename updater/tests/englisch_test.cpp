// Under "en" the windows the updater opens show no German: main, job and protocol window, the report viewer of the
// protocol button, a file dialog.
#include "../../widgets/tests/logfenstertest.h"
#include "cdocklog.h"
#include "cgbrowserdiag.h"
#include "cqmenu.h"
#include "csprache.h"
#include "cuninstallinfo.h"
#include "cworkthread.h"
#include "dialogseam.h"
#include "sprachpruefung.h"
#include "startzustand.h"
#include "updatermainwindow.h"
#include "wortbreite.h"
#include "zip_hilfe.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>
#include <gtest/gtest.h>

using namespace testzip;

using namespace sprachpruefung;

TEST(Englisch, FensterDesAktualisierersZeigenKeinDeutsch)
{
    QTemporaryDir dir;
    const QString ziel = dir.filePath("ziel");
    QDir().mkpath(ziel);
    const QString archiv = dir.filePath("a.zip");
    schreibe(archiv, baue({datei("liesmich.txt", "x"), datei("programm/a.ini", "y")}));
    unistall_map().clear();
    setze_zielverzeichnis_vorgabe(CQString(ziel));
    setze_wortbreiten_abfrage([] { return true; });
    setze_oeffnen_funktion([archiv](QWidget*, const QString&, const QString&, const QString&) { return archiv; });
    QApplication::setQuitOnLastWindowClosed(false);
    installiere_protokollanzeige();
    startmodus = 0;
    dbx_modus = true;

    static CSprache* const sprache = new CSprache(CQString("Aktualisierer"));
    ASSERT_TRUE(sprache->setze_sprache(CQString("en")));
    const QSet<QString> deutsch = deutsche_texte(QStringLiteral(UEBERSETZUNGEN "/aktualisierer_en.ts"));
    ASSERT_TRUE(deutsch.contains("Update installieren"));

    UpdaterMainWindow* fenster = UpdaterMainWindow::instanz();
    fenster->show();
    fenster->richte_fenster_ein();
    emit fenster->gib_fenstermenue()->aboutToShow();
    fenster->SlotProtokoll();
    fenster->SlotListZIP();
    CWorkThread* job = fenster->gib_letztes_jobfenster();
    ASSERT_TRUE(job);
    EXPECT_TRUE(warte_bis([] { return CWorkThread::laufende_jobs() == 0; }));

    // The protocol button's road: the job window's protocol in the report viewer.
    const QString protokoll = dir.filePath("protokoll.html");
    QFile f(protokoll);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(job->gib_textbereich()->document()->toHtml("utf-8").toUtf8());
    f.close();
    job->setze_protokollquelle(CQString(protokoll));
    job->zeige_protokoll();
    CGBrowserDiag* anzeige = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<CGBrowserDiag*>(w))
            anzeige = d;
    ASSERT_TRUE(anzeige);

    QFileDialog dateidialog;
    dateidialog.setOption(QFileDialog::DontUseNativeDialog);

    const std::pair<const char*, QWidget*> fenster_liste[] = {{"main window", fenster},
                                                              {"job window", job},
                                                              {"protocol window", fenster->gib_protokolldock()},
                                                              {"report viewer", anzeige},
                                                              {"file dialog", &dateidialog}};
    for (const auto& [name, w] : fenster_liste) {
        EXPECT_EQ(deutsch_in(w, deutsch).join(" | ").toStdString(), "") << name;
        EXPECT_EQ((sprachpruefung::doppelte_kuerzel(w) + sprachpruefung::menues_ohne_kuerzel(w)).join(" | ").toStdString(), "")
            << name;
        EXPECT_GT(texte_von(w).size(), 3) << name;
    }
    EXPECT_TRUE(texte_von(anzeige).contains("Save as PDF"));
    EXPECT_TRUE(texte_von(fenster).contains("&File"));

    delete anzeige;
    UpdaterMainWindow::zerstoere_instanz();
    loesche_spaetere();
    setze_oeffnen_funktion({});
    setze_wortbreiten_abfrage(nullptr);
    setze_zielverzeichnis_vorgabe(CQString());
    ASSERT_TRUE(sprache->setze_sprache(CQString("de")));
}
