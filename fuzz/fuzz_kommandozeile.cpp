// Fuzz target: the updater's command-line grammar.
#include "kommandozeile.h"

#include <QByteArray>
#include <QStringList>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse)
{
    // Arguments are separated by NUL bytes, as the process receives them.
    const QByteArray bytes(reinterpret_cast<const char*>(daten), static_cast<int>(groesse));
    QStringList argumente{QStringLiteral("/opt/aktualisierer/aktualisierer")};
    for (const QByteArray& teil : bytes.split('\0'))
        argumente << QString::fromLocal8Bit(teil);

    const CKommandozeile k = lies_kommandozeile(argumente);

    // An option of the program itself is never taken as a value.
    for (const QString* wert : {&k.archiv, &k.quelle, &k.ziel})
        if (ist_eigene_option(*wert))
            std::abort();
    if (k.modus < 0 || k.modus > 2 || k.konsolen < 0 || k.konsolen > argumente.size())
        std::abort();
    // Only an argument that is a registration option ends the reading that way.
    if (k.ende == CKommandozeile::Ende::Registrierung && !argumente.contains(k.registrierung))
        std::abort();
    return 0;
}
