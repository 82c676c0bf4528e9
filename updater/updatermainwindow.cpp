// PLACEHOLDER of the jobs branch, to be dropped at merge: the least of the main window that the jobs need (workspace, dock, fields, close).
#include "updatermainwindow.h"
#include "camisc.h"
#include "ccat.h"
#include "cdocklog.h"
#include "cloginterface.h"
#include "cqstringsteuer.h"
#include "cqworkspace.h"
#include "cuninstallinfo.h"
#include "cworkthread.h"
#include "gui.h"
#include "melde.h"
#include "startzustand.h"
#include "systemwerte.h"

#include <QCloseEvent>
#include <QStatusBar>
#include <log4cpp/Category.hh>
#include <log4cpp/PatternLayout.hh>

namespace {

UpdaterMainWindow* zelle = nullptr;

} // namespace

CQStringSteuer& gib_sdir_update_zip()
{
    static CQStringSteuer* variable = new CQStringSteuer(CQString("/sdirUpdateZip"), CQString(), CQString(), false);
    return *variable;
}

UpdaterMainWindow* UpdaterMainWindow::instanz()
{
    if (!zelle)
        zelle = new UpdaterMainWindow;
    return zelle;
}

void UpdaterMainWindow::zerstoere_instanz()
{
    delete zelle;
    zelle = nullptr;
}

UpdaterMainWindow::UpdaterMainWindow(QWidget* eltern, Qt::WindowFlags flags) : QMainWindow(eltern, flags)
{
    CQCat::gib_instanz();
    setze_hauptfenster(this);
    setze_statusbar(statusBar());
    workspace = new CQWorkspace(this);
    setCentralWidget(workspace);
    setze_workspace(workspace);
    richte_protokollfenster_ein();
    setWindowTitle(QStringLiteral("Aktualisierer"));
    zielverzeichnis = ::gib_zielverzeichnis();
    produktanzeige = CQString("...");
}

UpdaterMainWindow::~UpdaterMainWindow()
{
    delete uninstall_info;
    if (gib_hauptfenster() == this)
        setze_hauptfenster(nullptr);
}

void UpdaterMainWindow::richte_protokollfenster_ein()
{
    protokolldock = new CDockLog(this);
    protokolldock->setAllowedAreas(Qt::BottomDockWidgetArea);
    addDockWidget(Qt::BottomDockWidgetArea, protokolldock);
    protokoll_schnittstelle = protokolldock;
    auto* appender = new log4cpp::CLogInterfaceAppender("InterfaceAppender", protokoll_schnittstelle);
    auto* layout = new log4cpp::PatternLayout;
    layout->setConversionPattern("%m %n");
    appender->setLayout(layout);
    log4cpp::Category::getRoot().addAppender(appender);
    setze_qmelde_schalter(false);
    protokolldock->hide();
}

void UpdaterMainWindow::richte_fenster_ein()
{
    uninstall_info = new CUninstallInfo;
}

void UpdaterMainWindow::setze_quellverzeichnis(const CQString& text)
{
    quellverzeichnis = text;
}

void UpdaterMainWindow::closeEvent(QCloseEvent* e)
{
    if (CWorkThread::laufende_jobs() > 0) {
        fehler_ton();
        e->ignore();
        return;
    }
    if (startmodus == 2 && deinstallation_erfolgreich && uninstall_info)
        uninstall_info->remove_unistall();
    delete uninstall_info;
    uninstall_info = nullptr;
    QMainWindow::closeEvent(e);
}

void UpdaterMainWindow::paintEvent(QPaintEvent* e) { QMainWindow::paintEvent(e); }
void UpdaterMainWindow::resizeEvent(QResizeEvent* e) { QMainWindow::resizeEvent(e); }
void UpdaterMainWindow::SlotBeenden() {}
void UpdaterMainWindow::SlotwindowsMenuAboutToShow() {}
void UpdaterMainWindow::SlotwindowsMenuActivated(int) {}
void UpdaterMainWindow::SlotVertical() {}
void UpdaterMainWindow::SlotTileVertical() {}
void UpdaterMainWindow::SlotCascade() {}
void UpdaterMainWindow::SlotProtokoll() {}
void UpdaterMainWindow::slot_doc_save() {}
void UpdaterMainWindow::slot_doc_print() {}
void UpdaterMainWindow::SlotWSSizeChanged() {}
void UpdaterMainWindow::resize_timer_signal() {}
void UpdaterMainWindow::SlotSchliesseAlleFenster() {}
void UpdaterMainWindow::SlotShowHelp() {}
void UpdaterMainWindow::SlotShowAbout() {}
void UpdaterMainWindow::app_quit() {}
