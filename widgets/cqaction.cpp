#include "cqaction.h"

namespace {

// The id counter of every action of the library; it starts at -1 and is decremented before each
// use. Only the GUI thread makes actions.
int naechste_id()
{
    static int zaehler = -1;
    return --zaehler;
}

} // namespace

CQAction::CQAction(QObject* eltern) : QAction(eltern), id(naechste_id())
{
    connect(this, &QAction::triggered, this, &CQAction::SlotTriggered);
}

void CQAction::SlotTriggered(bool)
{
    emit cactivated(id);
}
