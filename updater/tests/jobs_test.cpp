// The jobs on the window road: dispatch, job windows and threads, their end, with the dialogs answered.
#include "../../widgets/tests/logfenstertest.h"
#include "cdocklog.h"
#include "cqmdisubwindow.h"
#include "cqworkspace.h"
#include "clogsubwidget.h"
#include "cuninstallinfo.h"
#include "cworkthread.h"
#include "czielsperre.h"
#include "dialogseam.h"
#include "startzustand.h"
#include "updatermainwindow.h"
#include "wortbreite.h"
#include "zip_hilfe.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFrame>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>

using namespace testzip;

namespace {

// The bound for waits on long jobs: a safety net against a job that never ends, not a measure.
constexpr int grosse_frist = 300000;

class JobLauf : public ::testing::Test
{
protected:
    void SetUp() override
    {
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
        // A job still running after a failed wait would outlive the window it reports to.
        warte_bis([] { return CWorkThread::laufende_jobs() == 0; }, grosse_frist);
        UpdaterMainWindow::zerstoere_instanz();
        loesche_spaetere();
        setze_meldung_funktion({});
        setze_oeffnen_funktion({});
        setze_wortbreiten_abfrage(nullptr);
        setze_zielverzeichnis_vorgabe(CQString());
        unistall_map().clear();
        CZielsperre::setze_wartezeit(5000);
    }

    // A fresh window of the start mode, set up as the program does, with a fresh start state.
    UpdaterMainWindow* oeffne(int modus, const QString& archivname = QString())
    {
        UpdaterMainWindow::zerstoere_instanz();
        startmodus = modus;
        installationszaehler = 0;
        update_erfolgreich = false;
        boxen.clear();
        UpdaterMainWindow* w = UpdaterMainWindow::instanz();
        w->show();
        w->richte_fenster_ein();
        w->setze_archivname(CQString(archivname));
        return w;
    }
    // Runs the slot; the job window it opened, and whether every job ended.
    QPointer<CWorkThread> starte(UpdaterMainWindow* w, void (UpdaterMainWindow::*slot)(), bool warten = true)
    {
        (w->*slot)();
        QPointer<CWorkThread> job = w->gib_letztes_jobfenster();
        if (warten) {
            EXPECT_TRUE(warte_bis([] { return CWorkThread::laufende_jobs() == 0; }));
        }
        return job;
    }
    // Every line the job reported, also those still on their way into the view.
    static QString text(CWorkThread* job)
    {
        if (!job)
            return "<zu>";
        job->zeige_ausstehende();
        return job->gib_textbereich()->toPlainText();
    }
    void uninstall_dat(const QStringList& schluessel)
    {
        QByteArray b = "#\r\n# A\r\n# B\r\n#\r\n";
        for (const QString& s : schluessel)
            b += "06.12.2026 09:17:18;" + s.toUtf8() + "\r\n";
        schreibe(D + "/uninstall.dat", b);
    }

    QTemporaryDir dir;
    const QString D = dir.path() + "/D";
    QString antwort;
    QStringList fragen, boxen;
    PiepZaehler piep;
};

} // namespace

TEST_F(JobLauf, InstallStartInstalliertZeichnetAufUndBeendetDasProgramm)
{
    schreibe(D + "/t.zip", baue({datei("a.txt", "a"), datei("sub/b.txt", "b")}));
    UpdaterMainWindow* w = oeffne(1, "t.zip");
    starte(w, &UpdaterMainWindow::slot_zeitverzoegerung);
    EXPECT_EQ(lies(D + "/sub/b.txt"), "b");
    EXPECT_TRUE(update_erfolgreich && !w->isVisible());
    EXPECT_TRUE(lies(D + "/uninstall.dat").contains(";sub/b.txt\r\n"));
    EXPECT_TRUE(fragen.isEmpty() && boxen.isEmpty() && piep.anzahl == 0);

    // An absolute archive name is taken as it is, not below the source folder.
    const QString absolut = dir.path() + "/u.zip";
    schreibe(absolut, baue({datei("c.txt", "c")}));
    w = oeffne(1, absolut);
    w->setze_quellverzeichnis(CQString(dir.path() + "/quelle"));
    starte(w, &UpdaterMainWindow::slot_zeitverzoegerung);
    EXPECT_EQ(lies(D + "/c.txt"), "c");
}

TEST_F(JobLauf, FalscheWortbreiteInstalliertNichtsUndLaesstDasProgrammOffen)
{
    schreibe(D + "/x86.zip", baue({datei("x86.dll", pe_datei(0x14c))}));
    UpdaterMainWindow* w = oeffne(1, "x86.zip");
    const QPointer<CWorkThread> job = starte(w, &UpdaterMainWindow::slot_zeitverzoegerung);
    EXPECT_FALSE(QFileInfo::exists(D + "/x86.dll"));
    EXPECT_TRUE(text(job).contains("x86.dll (32Bit) ist ungültig! Zielsystem ist 64Bit."));
    EXPECT_TRUE(text(job).contains("Das Archiv darf nicht installiert werden!"));
    EXPECT_TRUE(piep.anzahl == 1 && w->gib_protokolldock()->isVisible());
    EXPECT_EQ(boxen, QStringList{"Installation ...|Bei der Installation von ... sind Fehler aufgetreten !\n"
                                 "Bitte beenden Sie diese Anwendung manuell (X)."});
    EXPECT_TRUE(w->isVisible() && !update_erfolgreich);
}

TEST_F(JobLauf, UninstallStartEntferntDasInstallierteOderMeldetWasBleibt)
{
    QDir().mkpath(D + "/a/b");
    schreibe(D + "/a/b/c.dll", "c");
    uninstall_dat({"a/", "a/b/", "a/b/c.dll"});
    UpdaterMainWindow* w = oeffne(2);
    starte(w, &UpdaterMainWindow::slot_zeitverzoegerung);
    EXPECT_FALSE(QFileInfo::exists(D + "/a"));
    EXPECT_TRUE(update_erfolgreich && !w->isVisible());
    EXPECT_TRUE(!QFileInfo::exists(D + "/uninstall.dat") && boxen.isEmpty());

    // A recorded file that is missing (as good as deleted), and a key that leads out of the folder.
    schreibe(dir.path() + "/draussen.txt", "bleibt");
    uninstall_dat({"fehlt.txt", "../draussen.txt"});
    w = oeffne(2);
    const QPointer<CWorkThread> job = starte(w, &UpdaterMainWindow::slot_zeitverzoegerung);
    EXPECT_TRUE(text(job).contains("gelöscht " + D + "/fehlt.txt"));
    EXPECT_TRUE(text(job).contains("Fehlgeschlagen Löschen Datei " + D + "/../draussen.txt"));
    EXPECT_EQ(lies(dir.path() + "/draussen.txt"), "bleibt");
    EXPECT_EQ(boxen, QStringList{"Deinstallation ...|Bei der Deinstallation von ... sind Fehler aufgetreten !\n"
                                 "Bitte löschen Sie verbleibende Dateien im Verzeichnis\n'" + D + "'\n"
                                 "bzw. das Verzeichnis selbst manuell."});
    EXPECT_TRUE(piep.anzahl == 1 && !w->gib_protokolldock()->isVisible());
    EXPECT_TRUE(w->isVisible() && !update_erfolgreich);
    w->close();
    // What stays keeps its record; what is gone has none.
    EXPECT_TRUE(lies(D + "/uninstall.dat").endsWith(";../draussen.txt\r\n"));
    EXPECT_FALSE(lies(D + "/uninstall.dat").contains("fehlt.txt"));

    // Another program holds the folder all the wait: nothing is tried, no step is said, and the box
    // asks for a later try, as nothing is left to delete by hand.
    QDir().mkpath(D + "/a");
    schreibe(D + "/a/c.dll", "c");
    unistall_map().clear();
    uninstall_dat({"a/", "a/c.dll"});
    const QByteArray sperrdatei = QFile::encodeName(D + "/.aktualisierer.sperre");
    const int anderer = ::open(sperrdatei.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    struct flock sperre{F_WRLCK, SEEK_SET, 0, 0, 0};
    ASSERT_EQ(::fcntl(anderer, F_OFD_SETLK, &sperre), 0);
    CZielsperre::setze_wartezeit(100);
    w = oeffne(2);
    const QPointer<CWorkThread> abgewiesen = starte(w, &UpdaterMainWindow::slot_zeitverzoegerung);
    ::close(anderer), ::unlink(sperrdatei.constData());
    EXPECT_TRUE(text(abgewiesen).contains("Zielverzeichnis " + D + " wird von einem anderen Programm bearbeitet"));
    EXPECT_FALSE(text(abgewiesen).contains("Lösche")) << text(abgewiesen).toStdString();
    EXPECT_EQ(boxen, QStringList{"Deinstallation ...|Die Deinstallation von ... wurde nicht begonnen: ein anderes "
                                 "Programm bearbeitet das Verzeichnis\n'" + D + "'\nBitte versuchen Sie es später noch einmal."});
    EXPECT_EQ(lies(D + "/a/c.dll"), "c");
    w->close();

    // No records at all: the box, and the program ends without a job.
    QFile::remove(D + "/uninstall.dat");
    unistall_map().clear();
    w = oeffne(2);
    EXPECT_TRUE(starte(w, &UpdaterMainWindow::slot_zeitverzoegerung).isNull());
    EXPECT_EQ(boxen, QStringList{"Deinstallation ...|Keine Uninstall Information für ... gefunden !\nBitte löschen "
                                 "Sie verbleibende Dateien im Verzeichnis '" + D + "'\n"
                                 "bzw. das Verzeichnis selbst manuell."});
    EXPECT_FALSE(w->isVisible());
    schreibe(D + "/datei", "d");
    setze_zielverzeichnis_vorgabe(CQString(D + "/datei"));
    EXPECT_TRUE(starte(oeffne(2), &UpdaterMainWindow::slot_zeitverzoegerung).isNull());
    EXPECT_EQ(boxen, QStringList{"Deinstallation ...|Zielverzeichnis " + D + "/datei existiert nicht"});
}

// Also run in the ThreadSanitizer build: four job threads at once.
TEST_F(JobLauf, ArchivDialogUndGleichzeitigeJobsMitNurIhrenEigenenZeilen)
{
    uninstall_dat({"a<&>.txt"});
    // Opened while another run held the target: the jobs after that run work.
    const QByteArray sperrdatei = QFile::encodeName(D + "/.aktualisierer.sperre");
    const int anderer = ::open(sperrdatei.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    struct flock sperre{F_WRLCK, SEEK_SET, 0, 0, 0};
    ASSERT_EQ(::fcntl(anderer, F_OFD_SETLK, &sperre), 0);
    UpdaterMainWindow* w = oeffne(0);
    ::close(anderer), ::unlink(sperrdatei.constData());
    EXPECT_TRUE(starte(w, &UpdaterMainWindow::slot_zeitverzoegerung).isNull());
    EXPECT_EQ(fragen, QStringList{"Update Archiv für ... auswählen|Update (*.zip)"});

    const QPointer<CWorkThread> zeige = starte(w, &UpdaterMainWindow::SlotUinfo, false);
    antwort = dir.path() + "/liste.zip";
    schreibe(antwort, baue({datei("a<&>.txt", "x")}));
    const QPointer<CWorkThread> liste = starte(w, &UpdaterMainWindow::SlotListZIP, false);
    EXPECT_EQ(w->statusBar()->currentMessage(), "ZIP Inhalt");
    antwort = dir.path() + "/weg.zip";
    const QPointer<CWorkThread> fehler = starte(w, &UpdaterMainWindow::SlotListZIP, false);
    antwort = dir.path() + "/neu.zip";
    schreibe(antwort, baue({datei("b.txt", "b")}));
    const QPointer<CWorkThread> install = starte(w, &UpdaterMainWindow::SlotImportZIP);

    EXPECT_TRUE(text(zeige).contains("0001: 06.12.2026 09:17:18  a<&>.txt"));
    EXPECT_FALSE(text(zeige).contains("ZIP") || text(zeige).contains("installiere") || !zeige->ist_ok());
    for (const char* kopf : {"Größe", "Größe komp.", "Ratio", "Datum", "Zeit", "Name", "a<&>.txt"})
        EXPECT_TRUE(text(liste).contains(QString::fromUtf8(kopf))) << kopf;
    EXPECT_FALSE(text(liste).contains("weg.zip") || text(liste).contains("b.txt") || !liste->ist_ok());
    EXPECT_TRUE(text(fehler).contains("ZIP nicht zu öffnen: " + dir.path() + "/weg.zip"));
    EXPECT_FALSE(text(fehler).contains("b.txt") || fehler->ist_ok());
    EXPECT_TRUE(text(install).contains("installiere b.txt") && install->ist_ok());
    EXPECT_EQ(unistall_kopie().size(), 2u);
    EXPECT_TRUE(update_erfolgreich && w->isVisible());
    // The dock still gets every line, through the logger.
    CDockLog* protokolldock = w->gib_protokolldock();
    CLogSubWidget* dock = protokolldock->gib_ausgabeseite();
    EXPECT_TRUE(warte_bis([protokolldock, dock] {
        protokolldock->zeige_ausstehende();
        return dock->toPlainText().contains("weg.zip") && dock->toPlainText().contains("installiere b.txt");
    }));
}

// Also run in the ThreadSanitizer build: two installs of one archive into one target at once.
TEST_F(JobLauf, ZweiInstallationenInEinZielMeldenKeineFalschenFehler)
{
    // Each plans with the handles the process may have; the machine's limit, here lower (for good:
    // the hard limit cannot be raised again), so that a few thousand entries fill it.
    rlimit grenze{4000, 4000};
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &grenze), 0);
    std::vector<Eintrag> eintraege;
    for (int i = 0; i < 6000; ++i)
        eintraege.push_back(datei("o" + QByteArray::number(i % 40) + "/u" + QByteArray::number(i % 7) + "/d"
                                      + QByteArray::number(i) + ".txt",
                                  QByteArray(100 + i % 500, char('a' + i % 26))));
    antwort = dir.path() + "/viele.zip";
    schreibe(antwort, baue(eintraege));
    UpdaterMainWindow* w = oeffne(0);
    const QPointer<CWorkThread> erster = starte(w, &UpdaterMainWindow::SlotImportZIP, false);
    const QPointer<CWorkThread> zweiter = starte(w, &UpdaterMainWindow::SlotImportZIP, false);
    // Two installs of 6,000 entries, one after the other: minutes under the thread sanitizer on a
    // loaded machine.
    ASSERT_TRUE(warte_bis([] { return CWorkThread::laufende_jobs() == 0; }, grosse_frist));
    // One of them waited for the other, and said so.
    int gewartet = 0;
    for (const QPointer<CWorkThread>& job : {erster, zweiter}) {
        ASSERT_FALSE(job.isNull());
        const QString t = text(job);
        EXPECT_FALSE(t.contains("Fehler")) << t.count("Fehler bei Open auf Ausgabedatei");
        EXPECT_TRUE(t.contains("Installation beendet.") && job->ist_ok());
        gewartet += t.count("Zielverzeichnis " + D + " wird von einem anderen Auftrag bearbeitet: warte, bis er endet");
    }
    EXPECT_EQ(gewartet, 1);
    EXPECT_EQ(unistall_kopie().size(), 6000u + 40 + 40 * 7);
    for (const Eintrag& e : eintraege)
        ASSERT_EQ(lies(D + "/" + e.name), e.daten) << e.name.toStdString();
    EXPECT_TRUE(update_erfolgreich && piep.anzahl == 0);
}

// A listing of more entries than one table holds shows every entry in one row of the columns,
// once, under one header, as paragraphs in the same columns (no table of the document).
TEST_F(JobLauf, ListeZeigtJedenEintragEinmalInSeinerZeile)
{
    std::vector<Eintrag> eintraege;
    QStringList erwartet{QString::fromUtf8("Größe\tGröße komp.\tRatio\tDatum\tZeit\tName")};
    for (int i = 0; i < 1000; ++i) {
        Eintrag e = datei("o" + QByteArray::number(i % 7) + "/<&> d" + QByteArray::number(i) + ".txt", QByteArray(i, 'x'));
        e.komprimiert = false;
        eintraege.push_back(e);
        erwartet << QStringLiteral("%1\t%1\t%2%\t04.03.21\t05:06\t%3").arg(i).arg(i ? 100 : 0).arg(QString::fromUtf8(e.name));
    }
    antwort = dir.path() + "/liste.zip";
    schreibe(antwort, baue(eintraege));
    const QPointer<CWorkThread> liste = starte(oeffne(0), &UpdaterMainWindow::SlotListZIP);
    const QStringList zeilen = text(liste).split(QLatin1Char('\n'));
    const int kopf = zeilen.indexOf(erwartet.front());
    ASSERT_GE(kopf, 0);
    for (const QString& zeile : erwartet)
        EXPECT_EQ(zeilen.count(zeile), 1) << zeile.toStdString();
    const QTextDocument* dokument = liste->gib_textbereich()->document();
    EXPECT_TRUE(dokument->rootFrame()->childFrames().isEmpty());
    const QList<QTextOption::Tab> spalten = dokument->findBlockByNumber(kopf).blockFormat().tabPositions();
    for (int i = 0; i < erwartet.size(); ++i)
        EXPECT_TRUE(dokument->findBlockByNumber(kopf + i).blockFormat().tabPositions() == spalten) << i;
}

TEST_F(JobLauf, HauptfensterSchliesstErstNachDemLetztenJob)
{
    schreibe(D + "/t.zip", baue({datei("a.txt", "a")}));
    UpdaterMainWindow* w = oeffne(0);
    antwort = D + "/t.zip";
    starte(w, &UpdaterMainWindow::SlotListZIP, false);
    // The job counts as running until its end has been handled in this thread.
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(piep.anzahl, 1);
    EXPECT_TRUE(warte_bis([] { return CWorkThread::laufende_jobs() == 0; }));
    EXPECT_TRUE(w->close());
    EXPECT_EQ(piep.anzahl, 1);

    // Destroyed under a running uninstall (an exception ended the event loop): the job stops
    // before the records it works on go, and they name every file that is left.
    QStringList schluessel;
    for (int i = 0; i < 4000; ++i) {
        schluessel << QStringLiteral("v%1/d%2").arg(i % 40).arg(i);
        QDir().mkpath(D + "/v" + QString::number(i % 40));
        schreibe(D + "/" + schluessel.last(), "x");
    }
    uninstall_dat(schluessel);
    starte(oeffne(2), &UpdaterMainWindow::slot_zeitverzoegerung, false);
    UpdaterMainWindow::zerstoere_instanz();
    const QString dat = lies(D + "/uninstall.dat");
    for (const QString& s : schluessel)
        EXPECT_TRUE(!QFileInfo::exists(D + "/" + s) || dat.contains(";" + s + "\r\n")) << s.toStdString();
}

// At the main window's size of a first start, a job window and the shown protocol dock share the
// window: the job window lies wholly in the workspace, with no scroll bar over its buttons.
TEST_F(JobLauf, JobfensterUndDockPassenOhneRollbalken)
{
    schreibe(D + "/t.zip", baue({datei("a.txt", "a")}));
    antwort = D + "/t.zip";
    for (const bool dock_zuerst : {false, true}) {
        SCOPED_TRACE(dock_zuerst);
        UpdaterMainWindow* w = oeffne(0);
        // The size the window takes on a first start on a 1280 x 1024 screen (two thirds of it).
        w->resize(853, 682);
        w->gib_protokolldock()->setVisible(dock_zuerst);
        const QPointer<CWorkThread> job = starte(w, &UpdaterMainWindow::SlotImportZIP);
        ASSERT_FALSE(job.isNull());
        zeige_protokollfenster();
        QCoreApplication::processEvents();
        const CQWorkspace* bereich = w->gib_workspace();
        EXPECT_TRUE(bereich->viewport()->rect().contains(job->gib_unterfenster()->geometry()));
        EXPECT_FALSE(bereich->verticalScrollBar()->isVisible());
        EXPECT_FALSE(bereich->horizontalScrollBar()->isVisible());
    }
}
