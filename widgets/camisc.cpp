#include "camisc.h"
#include "cdocklog.h"
#include "cqworkspace.h"
#include "anwendung.h"
#include "ccat.h"
#include "html.h"
#include "steuerdaten.h"
#include "systemwerte.h"

#include <QStatusBar>

#include <atomic>
#include <mutex>

namespace {

std::atomic<CQWorkspace*> workspace_zeiger{nullptr};
std::atomic<QStatusBar*> statusbar_zeiger{nullptr};
std::atomic<CDockLog*> docklog_zeiger{nullptr};

// A window of the snapshot, or the live one when the snapshot holds none (any more).
template <typename T>
T* oder_aktuell(const QPointer<QObject>& gesammelt, T* aktuell)
{
    return gesammelt ? static_cast<T*>(gesammelt.data()) : aktuell;
}

} // namespace

CDruckerzuordnung::~CDruckerzuordnung() = default;

CQWorkspace* gib_workspace() { return workspace_zeiger; }
void setze_workspace(CQWorkspace* workspace) { workspace_zeiger = workspace; }
QStatusBar* gib_statusbar() { return statusbar_zeiger; }
void setze_statusbar(QStatusBar* statusbar) { statusbar_zeiger = statusbar; }
CDockLog* gib_docklog() { return docklog_zeiger; }
void setze_docklog(CDockLog* dock) { docklog_zeiger = dock; }

CAmisc* CAmisc::instanz(const bool& erzeugen)
{
    static std::atomic<CAmisc*> objekt{nullptr};
    static std::mutex mutex;
    if (CAmisc* da = objekt.load())
        return da;
    if (!erzeugen)
        return nullptr;
    std::lock_guard<std::mutex> lock(mutex);
    if (!objekt.load())
        objekt = new CAmisc;
    return objekt.load();
}

CAmisc::CAmisc()
{
    sammle();
}

void CAmisc::sammle()
{
    meldungstitel = CQString(::gib_meldungstitel());
    workspace = ::gib_workspace();
    hauptfenster = ::gib_hauptfenster();
    docklog = ::gib_docklog();
    statusbar = ::gib_statusbar();
    logger = CQCat::gib_instanz();
    steuerdaten = ::gib_steuerdaten(false);
    steuervariablen = gib_steuervar_liste();
    einstellungen = ::gib_einstellungen();
    farbe_warnung = CQString(QString::fromStdString(::gib_farbe_warnung()));
    farbe_fehler = CQString(QString::fromStdString(::gib_farbe_fehler()));
    log_ziele = &gib_qlog_ziele();
}

CQWorkspace* CAmisc::gib_workspace() const { return oder_aktuell(workspace, ::gib_workspace()); }
QWidget* CAmisc::gib_hauptfenster() const { return oder_aktuell(hauptfenster, ::gib_hauptfenster()); }
CDockLog* CAmisc::gib_docklog() const { return oder_aktuell(docklog, ::gib_docklog()); }
QStatusBar* CAmisc::gib_statusbar() const { return oder_aktuell(statusbar, ::gib_statusbar()); }
CSteuerdaten* CAmisc::gib_steuerdaten() const { return steuerdaten ? steuerdaten : ::gib_steuerdaten(false); }
