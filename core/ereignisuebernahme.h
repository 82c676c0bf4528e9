// An application-wide filter that takes over every posted event for ThreadSanitizer before any receiver reads it.
#pragma once

#include "ereignisuebergabe.h"

#include <QEvent>
#include <QObject>

// Every event reaches the application's filters before any receiver: there the posted events that
// crossed threads are taken over (nothing in builds without ThreadSanitizer). For programs that
// run their own QApplication (tests, benchmarks).
class CEreignisUebernahme : public QObject
{
public:
    bool eventFilter(QObject*, QEvent* ereignis) override
    {
        uebernimm_ereignis(ereignis);
        return false;
    }
};
