#include "loeschaufschub.h"
#include "ereignisuebergabe.h"

#include <QCoreApplication>
#include <QEvent>

CLoeschaufschub::CLoeschaufschub()
{
    QCoreApplication::instance()->installEventFilter(this);
}

CLoeschaufschub::~CLoeschaufschub()
{
    QCoreApplication::instance()->removeEventFilter(this);
    for (const QPointer<QObject>& objekt : qAsConst(zu_loeschen))
        if (objekt)
            objekt->deleteLater();
}

bool CLoeschaufschub::eventFilter(QObject* objekt, QEvent* ereignis)
{
    // The first to read an event another thread may have posted.
    uebernimm_ereignis(ereignis);
    if (ereignis->type() != QEvent::DeferredDelete)
        return false;
    zu_loeschen.append(objekt);
    return true;
}
