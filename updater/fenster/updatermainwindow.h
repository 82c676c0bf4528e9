// The updater's main window: workspace for the job windows, protocol dock, menus, background picture, registry.
#pragma once

#include "cqstring.h"
#include "cstring.h"
#include "cworkthread.h"

#include <QImage>
#include <QMainWindow>
#include <QPixmap>
#include <QPointer>
#include <functional>

class CDockLog;
class CQMenu;
class CQStringSteuer;
class CQWorkspace;
class CUninstallInfo;
class QAction;
class QCloseEvent;
class QIODevice;
class QPaintEvent;
class QResizeEvent;
class QTimer;

namespace log4cpp {
class CLogInterface;
}

// The archive chosen last ("/sdirUpdateZip"): where the archive dialog starts and what it stores.
CQStringSteuer& gib_sdir_update_zip();

class UpdaterMainWindow : public QMainWindow
{
    Q_OBJECT
public:
    // Creates the window on the first call; null while it is being constructed.
    static UpdaterMainWindow* instanz();
    // Destroys the window made by `instanz` (tests and the end of the window road).
    static void zerstoere_instanz();

    ~UpdaterMainWindow() override;

    // Post-show set-up: registry settings, "Fenster" and "Hilfe" menus, uninstall information.
    void richte_fenster_ein();
    // Stores the source folder without one trailing '"', "'" or '/'.
    void setze_quellverzeichnis(const CQString& text);
    void setze_archivname(const CQString& name) { archivname = name; }
    // Logs the "install" start, scales the background, and starts the first job after one second.
    void starte_verzoegert();

    // Product kind found in the folder (cached once per process): 0 none, 1 Kelmor, 2 Talvor.
    static int ermittle_produkt(const QString& verzeichnis);
    static QString gib_produktname(int art);
    static QString gib_produktanzeige(int art);
    CQString ermittle_produktname() const;
    // Forgets the cached product kind (tests only: each test has its own folder).
    static void vergiss_produkt();

    void setze_fenstertitel(const CQString& anzeige);
    void lies_einstellungen();
    void speichere_einstellungen();

    // Background picture; see the slots for rescaling.
    void lade_hintergrund();
    // The picture read from `bild`, an open file (a look-up judged it; its name is not read again).
    bool setze_hintergrundbild(QIODevice& bild);

    // Dispatcher of a job (0 install, 1 list, 2 uninstall, 3 show uninstall information).
    void bereite_job_vor(int* modus);
    // Creates and shows the job window for the archive in "/sdirUpdateZip".
    void starte_job(int* modus);

    CQWorkspace* gib_workspace() const { return workspace; }
    CDockLog* gib_protokolldock() const { return protokolldock; }
    CUninstallInfo* gib_uninstall_info() const { return uninstall_info; }
    CWorkThread* gib_letztes_jobfenster() const { return letztes_jobfenster; }
    const CQString& gib_zielverzeichnis() const { return zielverzeichnis; }
    const CQString& gib_produktanzeige() const { return produktanzeige; }
    const CQString& gib_archivname() const { return archivname; }
    const CQString& gib_quellverzeichnis() const { return quellverzeichnis; }
    CQMenu* gib_dateimenue() const { return dateimenue; }
    CQMenu* gib_fenstermenue() const { return fenstermenue; }
    CQMenu* gib_hilfemenue() const { return hilfemenue; }

    // What "Manual" calls with the topic "updater"; the program installs the help system here.
    using Hilfeanzeige = std::function<void(const CQString& thema)>;
    static void setze_hilfeanzeige(Hilfeanzeige anzeige);

public slots:
    void SlotBeenden();
    void slot_zeitverzoegerung();
    void SlotwindowsMenuAboutToShow();
    void SlotwindowsMenuActivated(int index);
    void SlotVertical();
    void SlotTileVertical();
    void SlotCascade();
    void SlotProtokoll();
    void slot_doc_save();
    void slot_doc_print();
    void SlotWSSizeChanged();
    void resize_timer_signal();
    void SlotSchliesseAlleFenster();
    void SlotShowHelp();
    void SlotShowAbout();
    void SlotUinfo();
    void SlotListZIP();
    void SlotImportZIP();
    void app_quit();

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    UpdaterMainWindow(QWidget* eltern = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    void richte_protokollfenster_ein();
    bool uebernimm_hintergrundbild();
    void skaliere_hintergrund();

    CQWorkspace* workspace = nullptr;
    // Job windows delete themselves when closed.
    QPointer<CWorkThread> letztes_jobfenster;
    CQMenu* fenstermenue = nullptr;
    CQMenu* dateimenue = nullptr;
    QAction* aktion_liste = nullptr;
    QAction* aktion_installieren = nullptr;
    QAction* aktion_uinfo = nullptr;
    QAction* aktion_speichern = nullptr;
    QAction* aktion_drucken = nullptr;
    QAction* aktion_beenden = nullptr;
    CQMenu* hilfemenue = nullptr;
    QAction* aktion_manual = nullptr;
    QAction* aktion_info = nullptr;
    QImage hintergrund;
    QPixmap hintergrund_voll;
    QPixmap hintergrund_skaliert;
    bool pinselmodus = true;
    bool bildmodus = false;
    int umwandlung = Qt::PreferDither;
    QTimer* groessen_timer = nullptr;
    CQString zielverzeichnis;
    CQString produktanzeige;
    CQString archivname;
    CQString quellverzeichnis;
    CUninstallInfo* uninstall_info = nullptr;
    log4cpp::CLogInterface* protokoll_schnittstelle = nullptr;
    CDockLog* protokolldock = nullptr;
};
