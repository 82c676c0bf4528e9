// The jobs on the window road: dispatch, job windows and threads, their end, with the dialogs answered.
#include "../../widgets/tests/logfenstertest.h"
#include "cdocklog.h"
#include "clogsubwidget.h"
#include "cqstringsteuer.h"
#include "cuninstallinfo.h"
#include "cworkthread.h"
#include "dialogseam.h"
#include "startzustand.h"
#include "updatermainwindow.h"
#include "wortbreite.h"
#include "zip_hilfe.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextEdit>
#include <gtest/gtest.h>

using namespace testzip;

// Readable failures.
void PrintTo(const QString& text, std::ostream* aus)
{
    *aus << text.toStdString();
}

namespace {

class JobLauf : public ::testing::Test
{
protected:
    void SetUp() override
    {
        D = dir.path() + "/D";
        QDir().mkpath(D);
        unistall_map().clear();
        setze_zielverzeichnis_vorgabe(CQString(D));
        setze_wortbreiten_abfrage([] { return true; });
        QApplication::setQuitOnLastWindowClosed(false);
        setze_meldung_funktion([this](QWidget*, const QString& titel, const QString& text, auto, auto) {
            boxen << titel + "|" + text;
            return QMessageBox::Ok;
        });
        setze_oeffnen_funktion([this](QWidget*, const QString& titel, const QString&, const QString& filter) {
            fragen << titel + "|" + filter;
            return antwort;
        });
    }
    void TearDown() override
    {
        UpdaterMainWindow::zerstoere_instanz();
        loesche_spaetere();
        setze_meldung_funktion({});
        setze_oeffnen_funktion({});
        setze_wortbreiten_abfrage(nullptr);
        setze_zielverzeichnis_vorgabe(CQString());
        unistall_map().clear();
    }

    // A fresh window of the start mode, set up as `main` does, with a fresh start state.
    UpdaterMainWindow* oeffne(int modus)
    {
        UpdaterMainWindow::zerstoere_instanz();
        startmodus = modus;
        installationszaehler = 0;
        update_erfolgreich = deinstallation_erfolgreich = false;
        boxen.clear();
        UpdaterMainWindow* w = UpdaterMainWindow::instanz();
        w->show();
        w->richte_fenster_ein();
        return w;
    }
    QPointer<CWorkThread> starte(UpdaterMainWindow* w, void (UpdaterMainWindow::*slot)())
    {
        (w->*slot)();
        return w->gib_letztes_jobfenster();
    }
    static bool ende() { return warte_bis([] { return CWorkThread::laufende_jobs() == 0; }); }
    static QString text(CWorkThread* job) { return job ? job->gib_textbereich()->toPlainText() : "<zu>"; }
    void uninstall_dat(const QStringList& schluessel)
    {
        QByteArray b = "#\r\n# A\r\n# B\r\n#\r\n";
        for (const QString& s : schluessel)
            b += "06.12.2026 09:17:18;" + s.toUtf8() + "\r\n";
        schreibe(D + "/uninstall.dat", b);
    }

    QTemporaryDir dir;
    QString D;
    QString antwort;
    QStringList fragen, boxen;
};

} // namespace

TEST_F(JobLauf, InstallStartInstalliertZeichnetAufUndBeendetDasProgramm)
{
    schreibe(D + "/t.zip", baue({datei("a.txt", "a"), datei("sub/b.txt", "b")}));
    UpdaterMainWindow* w = oeffne(1);
    w->setze_archivname(CQString("t.zip"));
    w->slot_zeitverzoegerung();
    ASSERT_TRUE(ende());
    EXPECT_EQ(lies(D + "/sub/b.txt"), "b");
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(update_erfolgreich);
    EXPECT_TRUE(lies(D + "/uninstall.dat").contains(";sub/b.txt\r\n"));
    EXPECT_TRUE(fragen.isEmpty() && boxen.isEmpty());

    // An absolute archive name is taken as it is, not below the source folder.
    QDir().mkpath(dir.path() + "/anders");
    const QString absolut = dir.path() + "/anders/u.zip";
    schreibe(absolut, baue({datei("c.txt", "c")}));
    w = oeffne(1);
    w->setze_archivname(CQString(absolut));
    w->setze_quellverzeichnis(CQString(dir.path() + "/quelle"));
    w->slot_zeitverzoegerung();
    ASSERT_TRUE(ende());
    EXPECT_EQ(lies(D + "/c.txt"), "c");
    EXPECT_EQ(QString(gib_sdir_update_zip().gib_wert_qstr()), absolut);
}

TEST_F(JobLauf, FalscheWortbreiteInstalliertNichtsUndLaesstDasProgrammOffen)
{
    schreibe(D + "/x86.zip", baue({datei("x86.dll", pe_datei(0x14c))}));
    PiepZaehler piep;
    UpdaterMainWindow* w = oeffne(1);
    w->setze_archivname(CQString("x86.zip"));
    const QPointer<CWorkThread> job = starte(w, &UpdaterMainWindow::slot_zeitverzoegerung);
    ASSERT_TRUE(ende());
    EXPECT_FALSE(QFileInfo::exists(D + "/x86.dll"));
    EXPECT_TRUE(unistall_map().empty());
    EXPECT_TRUE(text(job).contains("x86.dll (32Bit) ist ungültig! Zielsystem ist 64Bit."));
    EXPECT_TRUE(text(job).contains("EXE bzw. DLL aus dem ZIP-Archiv passen nicht zur Bitness des Zielsystems. Das "
                                   "Archiv darf nicht installiert werden!"));
    EXPECT_TRUE(w->gib_protokolldock()->isVisible());
    EXPECT_EQ(piep.anzahl, 1);
    EXPECT_EQ(boxen, QStringList{"Installation ...|Bei der Installation von ... sind Fehler aufgetreten !\n"
                                 "Bitte beenden Sie diese Anwendung manuell (X)."});
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(update_erfolgreich);
}

TEST_F(JobLauf, UninstallStartLoeschtDateienDannOrdnerUndBeendetDasProgramm)
{
    QDir().mkpath(D + "/a/b");
    schreibe(D + "/a/b/c.dll", "c");
    uninstall_dat({"a/", "a/b/", "a/b/c.dll"});
    UpdaterMainWindow* w = oeffne(2);
    w->slot_zeitverzoegerung();
    ASSERT_TRUE(ende());
    // The job window has closed with the program; its lines are in the dock too.
    CLogSubWidget* dock = w->gib_protokolldock()->gib_ausgabeseite();
    ASSERT_TRUE(warte_bis([dock] { return dock->toPlainText().contains("Deinstallation beendet."); }));
    QStringList zeilen;
    for (const QString& z : dock->toPlainText().split('\n'))
        zeilen << z.trimmed();
    const int datei = zeilen.indexOf("gelöscht " + D + "/a/b/c.dll");
    EXPECT_GE(datei, 0);
    EXPECT_LT(datei, zeilen.indexOf("gelöscht " + D + "/a/b"));
    EXPECT_LT(zeilen.indexOf("gelöscht " + D + "/a/b"), zeilen.indexOf("gelöscht " + D + "/a"));
    EXPECT_FALSE(QFileInfo::exists(D + "/a"));
    EXPECT_TRUE(deinstallation_erfolgreich);
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(QFileInfo::exists(D + "/uninstall.dat"));
    EXPECT_TRUE(boxen.isEmpty());
}

TEST_F(JobLauf, UninstallMitFehlernOderOhneEintraegeMeldetEs)
{
    schreibe(dir.path() + "/draussen.txt", "bleibt");
    uninstall_dat({"fehlt.txt", "../draussen.txt"});
    PiepZaehler piep;
    UpdaterMainWindow* w = oeffne(2);
    const QPointer<CWorkThread> job = starte(w, &UpdaterMainWindow::slot_zeitverzoegerung);
    ASSERT_TRUE(ende());
    EXPECT_TRUE(text(job).contains("Fehlgeschlagen Löschen Datei " + D + "/fehlt.txt"));
    EXPECT_EQ(lies(dir.path() + "/draussen.txt"), "bleibt");
    EXPECT_EQ(boxen, QStringList{"Deinstallation ...|Bei der Deinstallation von ... sind Fehler aufgetreten !\n"
                                 "Bitte löschen Sie verbleibende Dateien im Verzeichnis\n'" + D + "'\n"
                                 "bzw. das Verzeichnis selbst manuell."});
    EXPECT_FALSE(w->gib_protokolldock()->isVisible());
    EXPECT_EQ(piep.anzahl, 1);
    EXPECT_FALSE(deinstallation_erfolgreich);
    EXPECT_TRUE(w->isVisible());
    w->close();
    EXPECT_TRUE(QFileInfo::exists(D + "/uninstall.dat"));

    QFile::remove(D + "/uninstall.dat");
    unistall_map().clear();
    w = oeffne(2);
    w->slot_zeitverzoegerung();
    EXPECT_EQ(boxen, QStringList{"Deinstallation ...|Keine Uninstall Information für ... gefunden !\nBitte löschen "
                                 "Sie verbleibende Dateien im Verzeichnis'" + D + "'\n"
                                 "bzw. das Verzeichnis selbst manuell."});
    EXPECT_EQ(w->gib_letztes_jobfenster(), nullptr);
    EXPECT_FALSE(w->isVisible());
}

TEST_F(JobLauf, ArchivDialogUndListeMitNamenAlsText)
{
    UpdaterMainWindow* w = oeffne(0);
    w->slot_zeitverzoegerung();
    EXPECT_EQ(fragen, QStringList{"Update Archiv für ... auswählen|Update (*.zip)"});
    EXPECT_EQ(w->gib_letztes_jobfenster(), nullptr);

    antwort = dir.path() + "/liste.zip";
    schreibe(antwort, baue({datei("a<&>.txt", "x")}));
    const QPointer<CWorkThread> job = starte(w, &UpdaterMainWindow::SlotListZIP);
    EXPECT_EQ(w->statusBar()->currentMessage(), "ZIP Inhalt");
    ASSERT_TRUE(ende());
    for (const char* kopf : {"Größe", "Größe komp.", "Ratio", "Datum", "Zeit", "Name", "a<&>.txt"})
        EXPECT_TRUE(text(job).contains(QString::fromUtf8(kopf))) << kopf;
    EXPECT_TRUE(update_erfolgreich);
    EXPECT_TRUE(w->isVisible() && job);
}

// Also run in the ThreadSanitizer build: the install records while the listing of the records reads them.
TEST_F(JobLauf, GleichzeitigeJobsZeigenNurIhreEigenenZeilen)
{
    uninstall_dat({"a<&>.txt"});
    UpdaterMainWindow* w = oeffne(0);
    const QPointer<CWorkThread> zeige = starte(w, &UpdaterMainWindow::SlotUinfo);
    antwort = dir.path() + "/weg.zip";
    const QPointer<CWorkThread> liste = starte(w, &UpdaterMainWindow::SlotListZIP);
    antwort = dir.path() + "/neu.zip";
    schreibe(antwort, baue({datei("b.txt", "b")}));
    const QPointer<CWorkThread> install = starte(w, &UpdaterMainWindow::SlotImportZIP);
    ASSERT_TRUE(ende());

    EXPECT_TRUE(text(zeige).contains("0001: 06.12.2026 09:17:18  a<&>.txt"));
    EXPECT_FALSE(text(zeige).contains("ZIP") || text(zeige).contains("b.txt"));
    EXPECT_TRUE(zeige->ist_ok());
    EXPECT_TRUE(text(liste).contains("ZIP nicht zu öffnen: " + dir.path() + "/weg.zip"));
    EXPECT_FALSE(text(liste).contains("b.txt") || liste->ist_ok());
    EXPECT_TRUE(text(install).contains("installiere b.txt"));
    EXPECT_FALSE(text(install).contains("weg.zip"));
    EXPECT_TRUE(install->ist_ok());
    EXPECT_EQ(unistall_kopie().size(), 2u);
    // The dock still gets every line, through the logger.
    CLogSubWidget* dock = w->gib_protokolldock()->gib_ausgabeseite();
    EXPECT_TRUE(warte_bis([dock] {
        return dock->toPlainText().contains("weg.zip") && dock->toPlainText().contains("installiere b.txt");
    }));
}
