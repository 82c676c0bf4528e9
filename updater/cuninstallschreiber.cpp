#include "cuninstallschreiber.h"
#include "cuninstallinfo.h"

CUninstallSchreiber::CUninstallSchreiber(CUninstallInfo* info, qint64 abstand_ms) : info(info), abstand(abstand_ms)
{
    uhr.start();
}

bool CUninstallSchreiber::ist_faellig() const
{
    return uhr.elapsed() - letzte.load(std::memory_order_relaxed) >= abstand;
}

bool CUninstallSchreiber::schreibe(bool melden)
{
    if (!info)
        return true;
    letzte = uhr.elapsed();
    const bool melde_jetzt = melden && !gemeldet.load();
    const bool ok = info->schreibe_unistall(melde_jetzt);
    if (!ok && melde_jetzt)
        gemeldet = true;
    return ok;
}

bool CUninstallSchreiber::bei_bedarf()
{
    return !ist_faellig() || schreibe();
}
