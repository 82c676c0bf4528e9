#include "logprioritaet.h"

#include <array>
#include <charconv>

namespace log4cpp {

namespace {

// Ordered by priority value, 100 apart; the tenth name is never printed.
const std::array<std::string, 10>& namen()
{
    static const std::array<std::string, 10> tabelle = {"FATAL", "ALERT",  "CRIT", "ERRORPRIO",
                                                        "WARN",  "NOTICE", "INFO", "DEBUGPRIO",
                                                        "NOTSET", "UNKNOWN"};
    return tabelle;
}

} // namespace

const std::string& gib_prioritaetsname(int prioritaet)
{
    const long index = (static_cast<long>(prioritaet) + 1) / 100;
    return namen()[index < 0 || index > 8 ? 8 : static_cast<std::size_t>(index)];
}

bool gib_prioritaetswert(const std::string& wort, int& wert)
{
    for (int i = 0; i < 9; ++i) {
        if (wort == namen()[static_cast<std::size_t>(i)]) {
            wert = i * 100;
            return true;
        }
    }
    if (wort.empty())
        return false;
    int zahl = 0;
    const char* ende = wort.data() + wort.size();
    const auto [zeiger, fehler] = std::from_chars(wort.data(), ende, zahl);
    if (fehler != std::errc() || zeiger != ende || zahl < 0)
        return false;
    wert = zahl;
    return true;
}

} // namespace log4cpp
