#include "cuninstallschreiber.h"
#include "cuninstallinfo.h"

CUninstallSchreiber::CUninstallSchreiber(CUninstallInfo* info, int ordner, qint64 abstand_ms)
    : info(info), ordner(ordner), abstand(abstand_ms)
{
    uhr.start();
}

bool CUninstallSchreiber::ist_faellig() const
{
    return uhr.elapsed() - letzte.load(std::memory_order_relaxed) >= abstand;
}

bool CUninstallSchreiber::schreibe(bool melden, bool endstand)
{
    // Every change counted before this point is in the map that the write takes.
    const quint64 stand = aenderungen.load();
    letzte = uhr.elapsed();
    const bool melde_jetzt = melden && !gemeldet.load();
    const bool ok = !info || (endstand ? info->schreibe_unistall(melde_jetzt, ordner) : info->schreibe_zwischenstand(melde_jetzt, ordner));
    if (!ok && melde_jetzt)
        gemeldet = true;
    quint64 bisher = geschrieben.load();
    while (ok && bisher < stand && !geschrieben.compare_exchange_weak(bisher, stand)) {
    }
    return ok;
}

bool CUninstallSchreiber::bei_bedarf()
{
    return !ist_faellig() || schreibe();
}
