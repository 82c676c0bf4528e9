#include "platziere.h"
#include "camisc.h"
#include "cqworkspace.h"

#include <QMdiSubWindow>
#include <QWidget>

#include <algorithm>

namespace {

// The cascade of the whole process; GUI thread only.
struct Platzierung
{
    int zaehler = 0;
    QPoint versatz;
};

Platzierung& platzierung()
{
    static Platzierung p;
    return p;
}

} // namespace

QPoint gib_platzier_versatz() { return platzierung().versatz; }
void setze_platzier_versatz(const QPoint& versatz) { platzierung().versatz = versatz; }

void platziere_fenster(QWidget* fenster)
{
    // The bundle may have been made before the main window published its workspace; it then
    // reads the live pointer.
    const CQWorkspace* workspace = CAmisc::instanz(true)->gib_workspace();
    if (!fenster || !workspace || workspace->ist_tabansicht())
        return;

    Platzierung& p = platzierung();
    p.zaehler = std::max(p.zaehler, 0);
    const QRect flaeche = workspace->geometry();
    const int flaeche_breite = flaeche.right() - flaeche.left();
    const int flaeche_hoehe = flaeche.bottom() - flaeche.top();
    const int hoehe = std::max(fenster->height(), 100);
    const int breite = std::max(fenster->width(), 200);

    QPoint pos = p.zaehler < 1 ? QPoint(0, 0) : p.versatz;
    const bool passt = pos.x() + breite <= flaeche_breite && pos.y() + hoehe <= flaeche_hoehe;
    if (!passt && (pos.x() > 200 || pos.y() > 200))
        pos = QPoint(0, 0);
    if (pos.x() > static_cast<int>(0.75 * flaeche_breite) || pos.y() > static_cast<int>(0.75 * flaeche_hoehe))
        pos = QPoint(0, 0);

    if (fenster->isVisible() && fenster->isMaximized()) {
        fenster->hide();
        fenster->showMaximized();
        ++p.zaehler;
        return;
    }

    // A window shown in the workspace is framed by its sub-window; any other one moves itself.
    QWidget* rahmen = qobject_cast<QMdiSubWindow*>(fenster->parentWidget());
    (rahmen ? rahmen : fenster)->move(pos);
    ++p.zaehler;
    p.versatz = pos + QPoint(20, 20);
    fenster->showNormal();
}
