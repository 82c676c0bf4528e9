// The main window: menus, title by product, registry, closing, protocol printing, background, About dialog, window road.
#include "cdocklog.h"
#include "cqmenu.h"
#include "cqstringsteuer.h"
#include "cqworkspace.h"
#include "csprache.h"
#include "dialogseam.h"
#include "einstellungsformat.h"
#include "fensterlauf.h"
#include "plattform.h"
#include "startzustand.h"
#include "updatermainwindow.h"
#include "version.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QDeadlineTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <log4cpp/Category.hh>
#include <log4cpp/StringQueueAppender.hh>

namespace {

void warte(int ms)
{
    QEventLoop schleife;
    QTimer::singleShot(ms, &schleife, &QEventLoop::quit);
    schleife.exec();
}

class Hauptfenster : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        ziel = tmp.filePath("ziel");
        QDir().mkpath(ziel);
        setze_zielverzeichnis_vorgabe(CQString(ziel));
        QSettings::setPath(einstellungsformat(), QSettings::UserScope, tmp.filePath("config"));
        startmodus = 0;
        update_erfolgreich = false;
        UpdaterMainWindow::vergiss_produkt();
        gib_sdir_update_zip().setze_wert_qstr(CQString());
        mitschnitt = new log4cpp::StringQueueAppender("mitschnitt");
        log4cpp::Category::getRoot().addAppender(mitschnitt);
        log4cpp::Category::getRoot().setPriority(log4cpp::Priority::DEBUG);
        // A job started by the window's timer must never wait for a file dialog.
        setze_oeffnen_funktion([](QWidget*, const QString&, const QString&, const QString&) { return QString(); });
    }

    void TearDown() override
    {
        UpdaterMainWindow::zerstoere_instanz();
        log4cpp::Category::getRoot().removeAppender(mitschnitt);
        setze_drucker_funktion({});
        setze_oeffnen_funktion({});
        UpdaterMainWindow::setze_hilfeanzeige({});
        setze_zielverzeichnis_vorgabe(CQString());
    }

    UpdaterMainWindow* neues_fenster()
    {
        UpdaterMainWindow::zerstoere_instanz();
        UpdaterMainWindow::vergiss_produkt();
        UpdaterMainWindow* fenster = UpdaterMainWindow::instanz();
        fenster->richte_fenster_ein();
        return fenster;
    }

    void lege_an(const QString& name) { QFile(ziel + "/" + name).open(QIODevice::WriteOnly); }

    QString log()
    {
        QString alles;
        for (auto& zeilen = mitschnitt->getQueue(); !zeilen.empty(); zeilen.pop())
            alles += QString::fromStdString(zeilen.front());
        return alles;
    }

    QString registrydatei() const { return tmp.filePath("config/Quorbel GmbH/Talvor.conf"); }

    // One line per entry, "text / status tip"; "|" for a separator.
    static std::string eintraege(const QWidget* menue)
    {
        QStringList liste;
        for (const QAction* a : menue->actions())
            liste << (a->isSeparator() ? QString("|") : a->text() + " / " + a->statusTip());
        return liste.join('\n').toStdString();
    }

    QTemporaryDir tmp;
    QString ziel;
    log4cpp::StringQueueAppender* mitschnitt = nullptr;
};

} // namespace

TEST_F(Hauptfenster, MenuesStehenInIhrerOrdnungMitTextenTippsUndAktionen)
{
    std::vector<CQString> hilfethemen;
    UpdaterMainWindow::setze_hilfeanzeige([&](const CQString& thema) { hilfethemen.push_back(thema); });
    UpdaterMainWindow* fenster = neues_fenster();
    EXPECT_FALSE(fenster->windowIcon().isNull());

    EXPECT_EQ(eintraege(fenster->menuBar()), "&Datei / \n&Fenster / \n|\n&Hilfe / ");
    EXPECT_EQ(eintraege(fenster->gib_dateimenue()),
              "Inhalt Update / Listet Inhalt des Update ZIP-Archivs\n"
              "Update installieren / Installiert Update aus ZIP Archiv\n"
              "Anzeigen Uninstall-Info / Zeigt den Inhalt der Uninstall Information 'uninstall.dat'\n|\n"
              "Protokoll speichern / Speichert den Protokoll-Fensterinhalt in eine Datei\n"
              "Protokoll drucken / Gibt den Protokoll-Fensterinhalt auf Drucker aus\n|\n"
              "Beenden / Beendet die Anwendung");
    const QList<QAction*> datei = fenster->gib_dateimenue()->actions();
    for (const QAction* a : datei)
        EXPECT_TRUE(a->isSeparator() || !a->icon().isNull()) << a->text().toStdString();
    EXPECT_EQ(datei.first()->toolTip(), "Listet Inhalt des Update ZIP-Archivs");
    EXPECT_EQ(datei.last()->whatsThis(), "Beenden\n\nÜber diese Funktion verlassen Sie das Programm Aktualisierer.");

    EXPECT_EQ(eintraege(fenster->gib_hilfemenue()), "Manual / Updater Online Hilfe\nInfo / Über Updater");
    QAction* manual = fenster->gib_hilfemenue()->actions().first();
    EXPECT_EQ(manual->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(manual->whatsThis(),
              "Updater Online Hilfe\n\nMit dieser Funktion schalten Sie einen Browser für die Online Hilfe auf.");
    manual->trigger();
    EXPECT_EQ(hilfethemen, std::vector<CQString>{CQString("updater")});

    // The window menu is built anew each time it opens: one entry, which toggles the dock.
    CQMenu* fenstermenue = fenster->gib_fenstermenue();
    emit fenstermenue->aboutToShow();
    emit fenstermenue->aboutToShow();
    EXPECT_EQ(eintraege(fenstermenue), "Protokollfenster / Ein-/ausblenden des Protokollfensters");
    ASSERT_TRUE(fenster->gib_protokolldock()->isHidden());
    fenstermenue->actions().first()->trigger();
    EXPECT_FALSE(fenster->gib_protokolldock()->isHidden());
}

TEST_F(Hauptfenster, TitelNenntDasGefundeneProduktUndDenStartmodus)
{
    EXPECT_EQ(neues_fenster()->windowTitle(), "... wird aktualisiert (Update)");

    lege_an("Talvor.exe");
    lege_an("anderes.exe");
    EXPECT_EQ(neues_fenster()->windowTitle(), "TALVOR wird aktualisiert (Update)");
    EXPECT_EQ(UpdaterMainWindow::instanz()->ermittle_produktname(), CQString("Talvor"));

    // Both products: the first by name decides, however the folder lists its entries.
    lege_an("KelmorQt.exe");
    startmodus = 1;
    EXPECT_EQ(neues_fenster()->windowTitle(), "Kelmor wird installiert");
    startmodus = 2;
    EXPECT_EQ(neues_fenster()->windowTitle(), "Kelmor wird deinstalliert");
}

TEST_F(Hauptfenster, RegistryNurBeiEinfachemStartMitProdukt)
{
    lege_an("talvor.exe");
    {
        QSettings registry(einstellungsformat(), QSettings::UserScope, "Quorbel GmbH", "Talvor");
        registry.setValue("/sdirUpdateZip", "-#nix#-");
    }
    UpdaterMainWindow* fenster = neues_fenster();
    EXPECT_TRUE(log().contains("Keine Einstellungen in Registry gefunden"));
    EXPECT_EQ(gib_sdir_update_zip().gib_wert_qstr(), CQString());

    gib_sdir_update_zip().setze_wert_qstr(CQString("/archive/neu.zip"));
    fenster->close();
    QFile datei(registrydatei());
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
    EXPECT_TRUE(datei.readAll().contains("sdirUpdateZip=/archive/neu.zip"));

    gib_sdir_update_zip().setze_wert_qstr(CQString());
    neues_fenster();
    EXPECT_EQ(gib_sdir_update_zip().gib_wert_qstr(), CQString("/archive/neu.zip"));
    EXPECT_TRUE(log().contains("Einstellungen aus Registry 'Quorbel GmbH/Talvor' eingelesen"));

    // "install" and "uninstall" starts neither read nor write it.
    for (int modus : {1, 2}) {
        QFile::remove(registrydatei());
        startmodus = modus;
        log();
        neues_fenster()->close();
        EXPECT_FALSE(QFile::exists(registrydatei())) << modus;
        EXPECT_FALSE(log().contains("Registry")) << modus;
    }
}

TEST_F(Hauptfenster, ProtokollDruckenGibtDieZeilenDesDocksAus)
{
    const QString pdf = tmp.filePath("protokoll.pdf");
    setze_drucker_funktion([&](QWidget*, QPrinter& drucker) {
        drucker.setOutputFormat(QPrinter::PdfFormat);
        drucker.setOutputFileName(pdf);
        return true;
    });
    UpdaterMainWindow* fenster = neues_fenster();
    log4cpp::Category::getRoot().info("Erste Zeile im Protokoll");
    log4cpp::Category::getRoot().warn("Zweite Zeile im Protokoll");
    QCoreApplication::processEvents();
    fenster->gib_dateimenue()->actions().at(5)->trigger();

    QProcess text;
    text.start("pdftotext", {pdf, "-"});
    ASSERT_TRUE(text.waitForFinished(60000) && text.exitCode() == 0) << text.readAllStandardError().toStdString();
    const QString inhalt = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(inhalt.contains("Erste Zeile im Protokoll")) << inhalt.toStdString();
    EXPECT_TRUE(inhalt.contains("Zweite Zeile im Protokoll"));
    EXPECT_TRUE(inhalt.contains("Software-Root: " + ziel));
}

TEST_F(Hauptfenster, HintergrundFuelltDenArbeitsbereichUndFolgtDerGroesseNachEinerSekunde)
{
    UpdaterMainWindow* fenster = neues_fenster();
    fenster->resize(700, 500);
    fenster->show();
    QCoreApplication::processEvents();
    fenster->resize_timer_signal();
    CQWorkspace* workspace = fenster->gib_workspace();
    auto bildgroesse = [&] { return workspace->background().texture().size(); };
    ASSERT_FALSE(workspace->background().texture().isNull()) << "no workspace_image_quorbel found";
    EXPECT_EQ(bildgroesse(), workspace->size());

    const QSize vorher = workspace->size();
    fenster->resize(900, 650);
    QCoreApplication::processEvents();
    ASSERT_NE(workspace->size(), vorher);
    warte(300);
    EXPECT_EQ(bildgroesse(), vorher);
    // The second is over soon; a loaded machine may take longer to run its timer.
    for (QDeadlineTimer frist(30000); bildgroesse() != workspace->size() && !frist.hasExpired();)
        warte(20);
    EXPECT_EQ(bildgroesse(), workspace->size());
}

TEST(Infodialog, ZeigtNameZweckVersionUndHinweisInFesterGroesse)
{
    version dialog;
    EXPECT_EQ(dialog.objectName(), "versionBase");
    EXPECT_EQ(dialog.windowTitle(), "Aktualisierer");
    for (const QSize& groesse : {dialog.size(), dialog.minimumSize(), dialog.maximumSize()})
        EXPECT_EQ(groesse, QSize(500, 200));
    auto text = [&](const char* name) {
        const QLabel* label = dialog.findChild<QLabel*>(name);
        return label ? label->text() : QString("<%1 fehlt>").arg(name);
    };
    EXPECT_EQ(text("TextLabel1"), "UPDATER");
    EXPECT_EQ(text("lDemoVersion"), "Aktualisieren einer Anwendung");
    EXPECT_EQ(text("lohneDB"), "aus ZIP-Archiv");
    EXPECT_EQ(text("TextLabel2"), ist_64bit_system() ? "Version 5.9.3.7 64Bit vom 09.02.18" : "Version 5.9.3.7 vom 09.02.18");
    EXPECT_EQ(text("TextLabel3"), QString("© 2015-%1 Quorbel GmbH").arg(QDate::currentDate().year()));
    ASSERT_TRUE(dialog.findChild<QLabel*>("PixmapLabel") && dialog.findChild<QPushButton*>("OKbut"));
    EXPECT_FALSE(dialog.findChild<QLabel*>("PixmapLabel")->pixmap(Qt::ReturnByValue).isNull());
    dialog.show();
    dialog.findChild<QPushButton*>("OKbut")->click();
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(Hauptfenster, FensterlaufEndetMitDemCodeDerJobsUndDerSchleife)
{
    static CSprache* const sprache = new CSprache(CQString("Aktualisierer"));
    CKommandozeile kommandozeile;
    kommandozeile.modus = 1;
    kommandozeile.archiv = "a.zip";
    kommandozeile.quelle = "/quelle/\"";
    kommandozeile.dbx = true;
    startmodus = 1;

    // Closed without a successful job: 1. The command line reached the window, and the help was
    // set up once the workspace existed.
    CQString quelle;
    bool hilfe_mit_workspace = false;
    QTimer::singleShot(100, [&] {
        quelle = UpdaterMainWindow::instanz()->gib_quellverzeichnis();
        QApplication::closeAllWindows();
    });
    EXPECT_EQ(fensterlauf(kommandozeile, *sprache,
                          [&] { hilfe_mit_workspace = UpdaterMainWindow::instanz()->gib_workspace() != nullptr; }),
              1);
    EXPECT_TRUE(hilfe_mit_workspace);
    EXPECT_EQ(quelle, CQString("/quelle/"));
    EXPECT_TRUE(dbx_modus);
    const QString zeilen = log();
    EXPECT_TRUE(zeilen.contains(gib_versionstext()) && zeilen.contains("Zip-Archiv: a.zip")) << zeilen.toStdString();

    QTimer::singleShot(100, [] {
        update_erfolgreich = true;
        UpdaterMainWindow::instanz()->SlotBeenden();
    });
    EXPECT_EQ(fensterlauf(kommandozeile, *sprache), 0);

    // The loop ended with an error while no job had succeeded.
    update_erfolgreich = false;
    QTimer::singleShot(100, [] { UpdaterMainWindow::instanz()->app_quit(); });
    EXPECT_EQ(fensterlauf(kommandozeile, *sprache), -1);
    EXPECT_TRUE(log().contains("Programmende mit Fehlern (exec)-"));
}
