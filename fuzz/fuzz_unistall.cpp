// Fuzz target: the reader of "uninstall.dat"; what it took in is written and read back unchanged.
#include "cuninstallinfo.h"
#include "kerneinstellungen.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse)
{
    kern_einstellungen().setze_fehlerdatei(0);
    QTemporaryDir ordner;
    if (!ordner.isValid())
        return 0;
    {
        QFile datei(ordner.path() + QStringLiteral("/uninstall.dat"));
        if (!datei.open(QIODevice::WriteOnly))
            return 0;
        datei.write(reinterpret_cast<const char*>(daten), static_cast<qint64>(groesse));
    }
    unistall_map().clear();
    std::map<QString, QString> gelesen;
    {
        CUninstallInfo info(ordner.path());
        for (const auto& [pfad, zeit] : unistall_map())
            gelesen[pfad] = zeit.als_qstring(true, true, false);
        // Keys the writer can quote read back unchanged; a key that itself holds a double quote
        // or a line break cannot be stored and is left out of the comparison.
        for (auto it = unistall_map().begin(); it != unistall_map().end();) {
            const QString k = it->first;
            const bool stoerend = k.contains(QLatin1Char('"')) || k.contains(QLatin1Char('\n'))
                                  || k.contains(QLatin1Char('\r')) || k.trimmed().isEmpty()
                                  || k.trimmed().startsWith(QLatin1Char('#'));
            it = stoerend ? unistall_map().erase(it) : std::next(it);
        }
        // A time outside the file's layout (a year of other than four digits, read from a damaged
        // line) is written as it is and not read back: only records in the layout are compared.
        for (auto it = gelesen.begin(); it != gelesen.end();)
            it = unistall_map().count(it->first) && it->second.size() == 19 ? std::next(it) : gelesen.erase(it);
        if (!info.schreibe_unistall())
            std::abort();
        unistall_map().clear();
    }
    CUninstallInfo wieder(ordner.path());
    std::map<QString, QString> zurueck;
    for (const auto& [pfad, zeit] : unistall_map())
        zurueck[pfad] = zeit.als_qstring(true, true, false);
    unistall_map().clear();
    // The destructor of `wieder` finds an empty map and writes nothing.
    for (const auto& [pfad, zeit] : gelesen) {
        const auto it = zurueck.find(pfad);
        if (it == zurueck.end() || it->second != zeit)
            std::abort();
    }
    return 0;
}
