#include "updatermainwindow.h"
#include "altefassung.h"
#include "bilder.h"
#include "camisc.h"
#include "ccat.h"
#include "cdocklog.h"
#include "cloginterface.h"
#include "cqaction.h"
#include "cqmenu.h"
#include "cqstringsteuer.h"
#include "cqworkspace.h"
#include "cuninstallinfo.h"
#include "cvariablebasis.h"
#include "cworkthread.h"
#include "einstellungsformat.h"
#include "gui.h"
#include "melde.h"
#include "startzustand.h"
#include "steuervarliste.h"
#include "systemwerte.h"
#include "verzeichnisse.h"
#include "version.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QKeySequence>
#include <QMdiSubWindow>
#include <QResizeEvent>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <log4cpp/Category.hh>
#include <log4cpp/PatternLayout.hh>

#include <memory>
#include <vector>

// The first class entry of the system: the updater's unit is built before the framework's.
CKlasse eintrag_UpdaterMainWindow("UpdaterMainWindow");

namespace {

const char* const anwendungsname = "Aktualisierer";
const char* const organisation = "Quorbel GmbH";
const char* const schluessel_archiv = "/sdirUpdateZip";
// What the registry answers for a key it does not hold; a stored "-#nix#-" counts as none too.
const char* const kein_wert = "-#nix#-";
const int kein_produkt = 99999999;

int produkt_cache = kein_produkt;

UpdaterMainWindow* fenster = nullptr;
bool im_bau = false;

UpdaterMainWindow::Hilfeanzeige& hilfeanzeige()
{
    static UpdaterMainWindow::Hilfeanzeige anzeige;
    return anzeige;
}

// Registered while globals are built, so that the registry knows the key before any window exists.
const bool archiv_angelegt = (gib_sdir_update_zip(), true);

// The registry settings of the product, user scope: the file of the native format, written whole.
std::unique_ptr<QSettings> oeffne_registry(const QString& produkt)
{
    pruefe_einstellungsorte(QString::fromLatin1(organisation), produkt);
    return std::make_unique<QSettings>(einstellungsformat(), QSettings::UserScope,
                                       QString::fromLatin1(organisation), produkt);
}

// The variables kept in the registry: every key that begins with "/sdirUpdateZip".
std::vector<CVariableBasis*> registry_variablen()
{
    std::vector<CVariableBasis*> variablen;
    for (const auto& [schluessel, variable] : *gib_steuervar_liste()) {
        if (schluessel.rfind(schluessel_archiv, 0) == 0)
            variablen.push_back(variable);
    }
    return variablen;
}

// A menu of the menu bar: the entry that stands for it carries the title.
void haenge_an(QMenuBar* leiste, CQMenu* menue, const QString& titel)
{
    menue->setTitle(titel);
    menue->gib_aktion()->setText(titel);
    leiste->addAction(menue->gib_aktion());
}

} // namespace

CQStringSteuer& gib_sdir_update_zip()
{
    static CQStringSteuer* variable =
        new CQStringSteuer(CQString(schluessel_archiv), CQString(), CQString(), false);
    return *variable;
}

UpdaterMainWindow* UpdaterMainWindow::instanz()
{
    if (im_bau)
        return nullptr;
    if (!fenster) {
        im_bau = true;
        try {
            fenster = new UpdaterMainWindow;
        } catch (...) {
            im_bau = false;
            throw;
        }
        im_bau = false;
    }
    return fenster;
}

void UpdaterMainWindow::zerstoere_instanz()
{
    delete fenster;
    fenster = nullptr;
}

void UpdaterMainWindow::setze_hilfeanzeige(Hilfeanzeige anzeige)
{
    hilfeanzeige() = std::move(anzeige);
}

UpdaterMainWindow::UpdaterMainWindow(QWidget* eltern, Qt::WindowFlags flags) : QMainWindow(eltern, flags)
{
    CQCat::gib_instanz();
    setze_hauptfenster(this);

    setMenuBar(new CQMenuBar);
    setze_statusbar(statusBar());

    workspace = new CQWorkspace(this);
    workspace->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    workspace->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setze_hintergrundrolle(workspace, QPalette::Button);
    setCentralWidget(workspace);
    setze_workspace(workspace);

    richte_protokollfenster_ein();
    CAmisc::instanz(true)->sammle();

    setWindowTitle(QString::fromLatin1(anwendungsname));
    setWindowIcon(QIcon(QStringLiteral(":/updater/setup.png")));

    dateimenue = new CQMenu(this);
    haenge_an(menuBar(), dateimenue, tr("&Datei"));
    auto eintrag = [this](const QIcon& icon, const QString& text, const QString& tipp,
                          void (UpdaterMainWindow::*slot)()) {
        auto* aktion = new QAction(icon, text, this);
        aktion->setStatusTip(tipp);
        connect(aktion, &QAction::triggered, this, slot);
        dateimenue->addAction(aktion);
        return aktion;
    };
    aktion_liste = eintrag(gib_icon_data(), tr("Inhalt Update"), tr("Listet Inhalt des Update ZIP-Archivs"),
                           &UpdaterMainWindow::SlotListZIP);
    aktion_liste->setToolTip(aktion_liste->statusTip());
    aktion_installieren = eintrag(QIcon(QStringLiteral(":/updater/setup.png")), tr("Update installieren"),
                                  tr("Installiert Update aus ZIP Archiv"), &UpdaterMainWindow::SlotImportZIP);
    aktion_uinfo = eintrag(gib_icon_configure(), tr("Anzeigen Uninstall-Info"),
                           tr("Zeigt den Inhalt der Uninstall Information 'uninstall.dat'"),
                           &UpdaterMainWindow::SlotUinfo);
    dateimenue->insertSeparator(-1);
    aktion_speichern = eintrag(gib_icon_filesaveas(), tr("Protokoll speichern"),
                               tr("Speichert den Protokoll-Fensterinhalt in eine Datei"),
                               &UpdaterMainWindow::slot_doc_save);
    aktion_drucken = eintrag(gib_icon_print(), tr("Protokoll drucken"),
                             tr("Gibt den Protokoll-Fensterinhalt auf Drucker aus"),
                             &UpdaterMainWindow::slot_doc_print);
    dateimenue->insertSeparator(-1);
    aktion_beenden = eintrag(gib_icon_exit(), tr("Beenden"), tr("Beendet die Anwendung"),
                             &UpdaterMainWindow::SlotBeenden);
    aktion_beenden->setWhatsThis(tr("Beenden") + QStringLiteral("\n\n")
                                 + tr("Über diese Funktion verlassen Sie das Programm %1.")
                                       .arg(QString::fromLatin1(anwendungsname)));

    zielverzeichnis = ::gib_zielverzeichnis();
    lade_hintergrund();
    connect(workspace, &CQWorkspace::signalWSSizeChanged, this, &UpdaterMainWindow::SlotWSSizeChanged);
    produktanzeige = CQString(gib_produktanzeige(ermittle_produkt(zielverzeichnis)));
}

UpdaterMainWindow::~UpdaterMainWindow()
{
    // Not closed first (an exception ended the event loop under a job, the end of a test): the
    // job windows go first, each stopping its thread, which works on the uninstall information;
    // then the information is still written.
    if (::gib_workspace() == workspace)
        setze_workspace(nullptr);
    delete workspace;
    workspace = nullptr;
    delete uninstall_info;
    uninstall_info = nullptr;
    if (::gib_statusbar() == statusBar())
        setze_statusbar(nullptr);
}

void UpdaterMainWindow::richte_protokollfenster_ein()
{
    protokolldock = new CDockLog(this);
    protokolldock->setAllowedAreas(Qt::BottomDockWidgetArea);
    addDockWidget(Qt::BottomDockWidgetArea, protokolldock);

    auto* layout = new log4cpp::PatternLayout;
    layout->setConversionPattern("%m %n");
    auto* appender = new log4cpp::CLogInterfaceAppender("InterfaceAppender", protokolldock);
    appender->setLayout(layout);
    // The root category owns the appender; the dock takes it off again when it goes.
    log4cpp::Category::getRoot().addAppender(appender);
    protokoll_schnittstelle = protokolldock;

    setze_qmelde_schalter(false);
    protokolldock->hide();
    setze_docklog(protokolldock);
}

void UpdaterMainWindow::richte_fenster_ein()
{
    lies_einstellungen();

    fenstermenue = new CQMenu(this);
    connect(fenstermenue, &QMenu::aboutToShow, this, &UpdaterMainWindow::SlotwindowsMenuAboutToShow);
    haenge_an(menuBar(), fenstermenue, tr("&Fenster"));
    menuBar()->addSeparator();

    hilfemenue = new CQMenu(this);
    haenge_an(menuBar(), hilfemenue, tr("&Hilfe"));
    aktion_manual = new QAction(
        QIcon(gib_support_verzeichnis(false).absolutePath() + QStringLiteral("/qtassistant.png")),
        tr("Manual"), this);
    aktion_manual->setStatusTip(tr("Updater Online Hilfe"));
    aktion_manual->setWhatsThis(tr("Updater Online Hilfe") + QStringLiteral("\n\n")
                                + tr("Mit dieser Funktion schalten Sie einen Browser für die Online Hilfe auf."));
    aktion_manual->setShortcut(QKeySequence(Qt::Key_F1));
    connect(aktion_manual, &QAction::triggered, this, &UpdaterMainWindow::SlotShowHelp);
    hilfemenue->addAction(aktion_manual);
    aktion_info = new QAction(QIcon(QStringLiteral(":/updater/setup.png")), tr("Info"), this);
    aktion_info->setStatusTip(tr("Über Updater"));
    connect(aktion_info, &QAction::triggered, this, &UpdaterMainWindow::SlotShowAbout);
    hilfemenue->addAction(aktion_info);

    // The records as they are now, without a hold on the folder: each job holds it only while it
    // runs and reads them afresh.
    delete uninstall_info;
    uninstall_info = nullptr;
    uninstall_info = new CUninstallInfo(zielverzeichnis);
}

void UpdaterMainWindow::setze_quellverzeichnis(const CQString& text)
{
    QString ordner = text;
    if (ordner.endsWith(QLatin1Char('"')) || ordner.endsWith(QLatin1Char('\'')) || ordner.endsWith(QLatin1Char('/')))
        ordner.chop(1);
    quellverzeichnis = CQString(ordner);
}

void UpdaterMainWindow::starte_verzoegert()
{
    if (startmodus == 1) {
        CQCat* logger = CQCat::gib_instanz();
        logger->info(CQString(tr("Setup-Installation")));
        logger->info(CQString(tr("Zip-Archiv: %1").arg(archivname)));
        logger->info(CQString(tr("Installationsquelle: %1").arg(quellverzeichnis)));
    }
    resize_timer_signal();
    QTimer::singleShot(1000, this, &UpdaterMainWindow::slot_zeitverzoegerung);
}

int UpdaterMainWindow::ermittle_produkt(const QString& verzeichnis)
{
    if (produkt_cache != kein_produkt)
        return produkt_cache;
    produkt_cache = 0;
    // Sorted by name: the file system lists a folder in no fixed order, and with both products
    // present the answer must not depend on it.
    const QStringList namen = QDir(verzeichnis).entryList({QStringLiteral("*.exe")}, QDir::NoFilter, QDir::Name);
    for (const QString& name : namen) {
        const QString klein = name.toLower();
        if (klein == QLatin1String("kelmorqt.exe"))
            produkt_cache = 1;
        else if (klein == QLatin1String("talvor.exe"))
            produkt_cache = 2;
        if (produkt_cache != 0)
            break;
    }
    return produkt_cache;
}

void UpdaterMainWindow::vergiss_produkt()
{
    produkt_cache = kein_produkt;
}

QString UpdaterMainWindow::gib_produktname(int art)
{
    switch (art) {
    case 1:
        return QStringLiteral("Kelmor");
    case 2:
        return QStringLiteral("Talvor");
    default:
        return QString();
    }
}

QString UpdaterMainWindow::gib_produktanzeige(int art)
{
    switch (art) {
    case 0:
        return QStringLiteral("...");
    case 1:
        return QStringLiteral("Kelmor");
    case 2:
        return QStringLiteral("TALVOR");
    default:
        return QStringLiteral("??");
    }
}

CQString UpdaterMainWindow::ermittle_produktname() const
{
    return CQString(gib_produktname(ermittle_produkt(zielverzeichnis)));
}

void UpdaterMainWindow::setze_fenstertitel(const CQString& anzeige)
{
    produktanzeige = anzeige;
    QString zustand = tr("wird aktualisiert (Update)");
    if (startmodus == 1)
        zustand = tr("wird installiert");
    else if (startmodus == 2)
        zustand = tr("wird deinstalliert");
    const QString titel = QStringLiteral("%1 %2").arg(anzeige, zustand);
    if (!anzeige.isEmpty())
        CQCat::gib_instanz()->info(CQString(titel));
    setWindowTitle(titel);
}

void UpdaterMainWindow::lies_einstellungen()
{
    CQCat* logger = CQCat::gib_instanz();
    logger->info(CQString(tr("Software-Root: %1").arg(zielverzeichnis)));
    for (const QString& hinweis : nimm_hinweise_alter_fassungen() + nimm_beiseite_hinweise())
        logger->warn(CQString(hinweis));
    setze_fenstertitel(produktanzeige);

    const CQString produkt = ermittle_produktname();
    if (produkt.isEmpty() || startmodus == 1 || startmodus == 2)
        return;
    const auto registry = oeffne_registry(produkt);
    for (const QString& hinweis : nimm_beiseite_hinweise())
        logger->warn(CQString(hinweis));
    for (CVariableBasis* variable : registry_variablen()) {
        const QString text = registry
                                 ->value(QString::fromStdString(variable->gib_schluessel()),
                                         QString::fromLatin1(kein_wert))
                                 .toString();
        if (text != QLatin1String(kein_wert)) {
            variable->setze_wert_str(text.toStdString(), false);
            logger->info(CQString(tr("Einstellungen aus Registry '%1/%2' eingelesen")
                                      .arg(QString::fromLatin1(organisation), produkt)));
            return;
        }
    }
    logger->info(CQString(tr("Keine Einstellungen in Registry gefunden")));
}

void UpdaterMainWindow::speichere_einstellungen()
{
    const CQString produkt = ermittle_produktname();
    if (produkt.isEmpty())
        return;
    CQCat::gib_instanz()->debug(CQString(tr("Einstellungen speichern (Quorbel GmbH/%1)").arg(produkt)));
    const auto registry = oeffne_registry(produkt);
    for (CVariableBasis* variable : registry_variablen())
        registry->setValue(QString::fromStdString(variable->gib_schluessel()),
                           QString::fromStdString(variable->gib_wert_str()));
    const QString fehler = sichere_einstellungen(*registry);
    if (!fehler.isEmpty())
        CQCat::gib_instanz()->error(CQString(tr("Einstellungen nicht gespeichert: %1").arg(fehler)));
}

void UpdaterMainWindow::lade_hintergrund()
{
    const SGefundeneDatei bild = oeffne_hintergrundbild(QStringLiteral("workspace_image_quorbel"), true);
    if (bild.datei)
        setze_hintergrundbild(*bild.datei);
}

bool UpdaterMainWindow::setze_hintergrundbild(QIODevice& bild)
{
    umwandlung = Qt::PreferDither;
    bildmodus = true;
    setze_warte_cursor(true, false);
    if (!hintergrund.load(&bild, nullptr)) {
        setze_warte_cursor(false, false);
        return false;
    }
    const bool ok = uebernimm_hintergrundbild();
    setze_warte_cursor(false, false);
    return ok;
}

bool UpdaterMainWindow::uebernimm_hintergrundbild()
{
    setze_warte_cursor(true, false);
    hintergrund_voll = QPixmap::fromImage(hintergrund, Qt::ImageConversionFlags(umwandlung));
    if (hintergrund_voll.isNull()) {
        setze_warte_cursor(false, false);
        return false;
    }
    hintergrund_skaliert = QPixmap();
    skaliere_hintergrund();
    setze_warte_cursor(false, false);
    return true;
}

void UpdaterMainWindow::skaliere_hintergrund()
{
    if (hintergrund_voll.isNull())
        return;
    setze_warte_cursor(true, false);
    const QSize ziel = centralWidget() ? centralWidget()->size() : size();
    if (ziel == hintergrund_voll.size())
        hintergrund_skaliert = hintergrund_voll;
    else
        hintergrund_skaliert = hintergrund_voll.scaled(ziel, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (pinselmodus)
        workspace->setBackground(QBrush(hintergrund_skaliert));
    setze_warte_cursor(false, false);
}

void UpdaterMainWindow::SlotWSSizeChanged()
{
    if (hintergrund_voll.isNull() || groessen_timer)
        return;
    groessen_timer = new QTimer(this);
    connect(groessen_timer, &QTimer::timeout, this, &UpdaterMainWindow::resize_timer_signal);
    groessen_timer->start(1000);
}

void UpdaterMainWindow::resize_timer_signal()
{
    if (groessen_timer) {
        groessen_timer->disconnect(this);
        groessen_timer->deleteLater();
        groessen_timer = nullptr;
    }
    if (hintergrund_voll.isNull() || hintergrund_voll.size().isEmpty())
        return;
    const QSize ziel = centralWidget() ? centralWidget()->size() : size();
    if (ziel != hintergrund_skaliert.size())
        skaliere_hintergrund();
}

void UpdaterMainWindow::paintEvent(QPaintEvent* e)
{
    // The picture is the workspace's background brush: nothing to paint here.
    QMainWindow::paintEvent(e);
}

void UpdaterMainWindow::resizeEvent(QResizeEvent* e)
{
    SlotWSSizeChanged();
    QMainWindow::resizeEvent(e);
}

void UpdaterMainWindow::closeEvent(QCloseEvent* e)
{
    // The jobs' threads work on the uninstall information and read this window: the program
    // may not end under them.
    if (CWorkThread::laufende_jobs() > 0) {
        fehler_ton();
        e->ignore();
        return;
    }
    if (startmodus != 1 && startmodus != 2)
        speichere_einstellungen();
    delete uninstall_info;
    uninstall_info = nullptr;
    QMainWindow::closeEvent(e);
}

void UpdaterMainWindow::SlotBeenden()
{
    QApplication::closeAllWindows();
}

void UpdaterMainWindow::SlotwindowsMenuAboutToShow()
{
    fenstermenue->clear();
    auto* aktion = new QAction(tr("Protokollfenster"), fenstermenue);
    aktion->setStatusTip(tr("Ein-/ausblenden des Protokollfensters"));
    aktion->setWhatsThis(tr("Protokollfenster") + QStringLiteral("\n\n")
                         + tr("Hierüber kann das Protokollfenster ein- bzw. ausgeblendet werden."));
    connect(aktion, &QAction::triggered, this, &UpdaterMainWindow::SlotProtokoll);
    fenstermenue->addAction(aktion);
}

void UpdaterMainWindow::SlotwindowsMenuActivated(int index)
{
    const QList<QMdiSubWindow*> unterfenster = workspace->subWindowList(QMdiArea::CreationOrder);
    if (index < 0 || index >= unterfenster.size())
        return;
    unterfenster.at(index)->showNormal();
    unterfenster.at(index)->setFocus(Qt::OtherFocusReason);
}

void UpdaterMainWindow::SlotVertical()
{
    workspace->anordnen(2);
}

void UpdaterMainWindow::SlotTileVertical()
{
    workspace->anordnen(1);
}

void UpdaterMainWindow::SlotCascade()
{
    workspace->anordnen(0);
}

void UpdaterMainWindow::SlotProtokoll()
{
    setze_warte_cursor(false, false);
    schalte_protokollfenster();
}

void UpdaterMainWindow::slot_doc_save()
{
    protokolldock->speichere();
}

void UpdaterMainWindow::slot_doc_print()
{
    int druckart = 0;
    protokolldock->drucke(&druckart);
}

void UpdaterMainWindow::SlotSchliesseAlleFenster() {}

void UpdaterMainWindow::SlotShowHelp()
{
    if (hilfeanzeige())
        hilfeanzeige()(CQString("updater"));
}

void UpdaterMainWindow::SlotShowAbout()
{
    version dialog(this);
    dialog.exec();
}

void UpdaterMainWindow::app_quit()
{
    if (!update_erfolgreich)
        QCoreApplication::exit(-1);
}
