#include "gui.h"
#include "plattform.h"

#include <QApplication>

void setze_warte_cursor(bool an, bool pfeil)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    if (an)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else if (pfeil)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    else
        QApplication::restoreOverrideCursor();
}

void fehler_ton()
{
    piepe(440, 50);
}
