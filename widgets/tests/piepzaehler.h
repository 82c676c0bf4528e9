// Test helper: counts the beeps through the core's beep hook while it lives.
#pragma once

#include "plattform.h"

struct PiepZaehler
{
    PiepZaehler()
    {
        setze_piep_funktion([this](unsigned, unsigned) {
            ++anzahl;
            return 0;
        });
    }
    ~PiepZaehler() { setze_piep_funktion({}); }
    PiepZaehler(const PiepZaehler&) = delete;
    PiepZaehler& operator=(const PiepZaehler&) = delete;
    int anzahl = 0;
};
