#include "wortbreite.h"

#include <QString>
#include <QSysInfo>
#include <atomic>

namespace {

// The system's answer; the core's `ist_64bit_system` takes its place once it is available.
bool system_ist_64bit()
{
    static const bool ist64 = [] {
        const QString a = QSysInfo::currentCpuArchitecture();
        for (const char* name : {"x86_64", "arm64", "ia64", "mips64", "power64", "riscv64", "s390x", "sparcv9"})
            if (a == QLatin1String(name))
                return true;
        return false;
    }();
    return ist64;
}

std::atomic<WortbreitenAbfrage> abfrage{nullptr};

} // namespace

int gib_pe_bitness_daten(const QByteArray& anfang)
{
    const auto* b = reinterpret_cast<const unsigned char*>(anfang.constData());
    const int n = qMin(anfang.size(), pe_pruefbereich);
    if (n < 62)
        return -1;
    const int kopf = b[60] | (b[61] << 8);
    if (kopf + 4 >= n || b[kopf] != 'P' || b[kopf + 1] != 'E')
        return -1;
    switch (b[kopf + 4]) {
    case 0x4C: return 0;
    case 0x64: return 1;
    default: return -1;
    }
}

bool zielsystem_ist_64bit()
{
    const WortbreitenAbfrage a = abfrage.load();
    return a ? a() : system_ist_64bit();
}

void setze_wortbreiten_abfrage(WortbreitenAbfrage neu)
{
    abfrage = neu;
}
