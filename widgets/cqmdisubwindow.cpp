#include "cqmdisubwindow.h"
#include "bilder.h"
#include "camisc.h"
#include "cqworkspace.h"
#include "gui.h"

#include <QCloseEvent>
#include <QMenu>

CQMdiSubWindow::CQMdiSubWindow(int modus, QWidget* inhalt)
    : QMdiSubWindow(nullptr, Qt::WindowFlags()), inhalt(inhalt), modus(modus), fensterzustand(windowState())
{
    if (modus == 1) {
        if (inhalt)
            setWidget(inhalt);
        if (CQWorkspace* workspace = CAmisc::instanz(true)->gib_workspace())
            workspace->addSubWindow(this);
        setAttribute(Qt::WA_DeleteOnClose);
    }
    setWindowIcon(QIcon(gib_logo_pixmap()));
    if (QMenu* menue = systemMenu())
        connect(menue, &QMenu::triggered, this, &CQMdiSubWindow::SlotWinSysMenuTriggered);
}

void CQMdiSubWindow::resizeEvent(QResizeEvent* e)
{
    QMdiSubWindow::resizeEvent(e);
}

void CQMdiSubWindow::SlotStateChanged(Qt::WindowStates, Qt::WindowStates newState)
{
    fensterzustand = newState;
}

void CQMdiSubWindow::SlotWinSysMenuTriggered(QAction* action)
{
    QMdiArea* bereich = mdiArea();
    if (!bereich || bereich->viewMode() != QMdiArea::TabbedView)
        return;
    const QMdiSubWindow* aktiv = bereich->activeSubWindow();
    if (!aktiv)
        return;
    const QList<QAction*> eintraege = aktiv->actions();
    if (eintraege.size() >= 2 && action == eintraege.first()) {
        if (auto* workspace = qobject_cast<CQWorkspace*>(bereich))
            workspace->setzeTabAnsicht(false);
    }
}

void CQMdiSubWindow::closeEvent(QCloseEvent* e)
{
    if (!schliessen_erlaubt) {
        fehler_ton();
        e->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(e);
    // The content may refuse to close; only a close that happens is reported.
    if (e->isAccepted())
        emit closeEvent_signal(this);
}
