// Fuzz target: the parser of date-time texts and the text written back.
#include "cfehler.h"
#include "czeit.h"
#include "kerneinstellungen.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse)
{
    kern_einstellungen().setze_fehlerdatei(0);
    const std::string text(reinterpret_cast<const char*>(daten), groesse);
    CZeitVDN zeit;
    try {
        zeit.setze_text(text);
    } catch (const CFehlerBasis&) {
        return 0;
    }
    std::string aus;
    zeit.gib_text(aus, true, true, false);
    zeit.gib_text(aus, false, false, true);
    zeit.gib_zeit_text(aus, true, true, true);
    // Fields the 19-character layout can hold read back unchanged.
    const auto zweistellig = [](int wert) { return wert >= 0 && wert <= 99; };
    if (text.size() == 19 && zweistellig(zeit.tag) && zweistellig(zeit.monat) && zeit.jahr >= 0
        && zeit.jahr <= 9999 && zweistellig(zeit.stunde) && zweistellig(zeit.minute)
        && zweistellig(zeit.sekunde)) {
        std::string layout;
        zeit.gib_text(layout, true, true, false);
        CZeitVDN wieder;
        try {
            wieder.setze_text(layout);
        } catch (const CFehlerBasis&) {
            return 0; // fields outside two or four digits make a longer text
        }
        if (layout.size() == 19 && (wieder.tag != zeit.tag || wieder.monat != zeit.monat
                                    || wieder.jahr != zeit.jahr || wieder.stunde != zeit.stunde
                                    || wieder.minute != zeit.minute || wieder.sekunde != zeit.sekunde))
            std::abort();
    }
    return 0;
}
