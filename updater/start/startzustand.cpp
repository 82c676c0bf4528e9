#include "startzustand.h"
#include "verzeichnisse.h"

#include <mutex>

std::atomic<int> startmodus{0};
std::atomic<bool> dbx_modus{false};
std::atomic<bool> update_erfolgreich{false};
std::atomic<int> installationszaehler{0};

namespace {

struct Vorgabe
{
    std::mutex mutex;
    CQString verzeichnis;
};

Vorgabe& vorgabe()
{
    static Vorgabe* v = new Vorgabe;
    return *v;
}

} // namespace

CQString gib_zielverzeichnis_vorgabe()
{
    std::lock_guard<std::mutex> lock(vorgabe().mutex);
    return vorgabe().verzeichnis;
}

void setze_zielverzeichnis_vorgabe(const CQString& verzeichnis)
{
    std::lock_guard<std::mutex> lock(vorgabe().mutex);
    vorgabe().verzeichnis = verzeichnis;
}

CQString gib_zielverzeichnis()
{
    const CQString vorgabe = gib_zielverzeichnis_vorgabe();
    if (!vorgabe.isEmpty())
        return vorgabe;
    return CQString(gib_anwendungsverzeichnis().absolutePath());
}
