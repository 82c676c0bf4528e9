#include "wortbreite.h"
#include "plattform.h"

#include <atomic>

namespace {

std::atomic<WortbreitenAbfrage> abfrage{nullptr};

} // namespace

bool zielsystem_ist_64bit()
{
    const WortbreitenAbfrage a = abfrage.load();
    return a ? a() : ist_64bit_system();
}

void setze_wortbreiten_abfrage(WortbreitenAbfrage neu)
{
    abfrage = neu;
}
