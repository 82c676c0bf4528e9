#include "cqmenu.h"
#include "cqaction.h"

#include <QHelpEvent>
#include <QToolTip>

namespace {

// Qt shows no tool tips of menu entries by itself: while the mouse rests on an entry, its tool
// tip is shown here. The event goes on to the base class in every case.
void zeige_tooltip_der_aktion(QEvent* e, const QAction* aktiv)
{
    if (e->type() == QEvent::ToolTip && aktiv)
        QToolTip::showText(static_cast<QHelpEvent*>(e)->globalPos(), aktiv->toolTip());
}

} // namespace

CQMenu::CQMenu(QWidget* eltern) : QMenu(eltern), aktion(new CQAction(this))
{
    aktion->setMenu(this);
}

CQMenu::~CQMenu()
{
    leere();
}

void CQMenu::leere()
{
    for (QAction* a : actions()) {
        if (auto* untermenue = qobject_cast<CQMenu*>(a->menu()); untermenue && untermenue != this)
            untermenue->leere();
    }
    clear();
}

int CQMenu::insertSeparator(int index)
{
    auto* trenner = new CQAction(this);
    trenner->setSeparator(true);
    const QList<QAction*> eintraege = actions();
    if (index < 0 || index >= eintraege.size())
        addAction(trenner);
    else
        insertAction(eintraege.at(index), trenner);
    return trenner->gib_id();
}

bool CQMenu::event(QEvent* e)
{
    zeige_tooltip_der_aktion(e, activeAction());
    return QMenu::event(e);
}

void CQMenu::SlotTriggered(bool checked)
{
    emit cactivated(checked ? 1 : 0);
}

bool CQMenuBar::event(QEvent* e)
{
    zeige_tooltip_der_aktion(e, activeAction());
    return QMenuBar::event(e);
}
