// Findings of the value checks of configuration variables: kept message records and the caller's message list.
#pragma once

#include "cbasis.h"

#include <string>
#include <vector>

class CVariableBeschr;

// A message of the required-value check, kept for the life of the process, one per descriptor.
class CSteuerPlausi : public CObjekt
{
    FRAMEWORK_KLASSE(CObjekt)
public:
    CSteuerPlausi(int nummer, const CVariableBeschr* beschreiber, int wert1, int wert2, const std::string& text);
    ~CSteuerPlausi() override;

    void ausgabe(std::ostream& os) const override;

    int gib_nummer() const { return nummer; }
    const CVariableBeschr* gib_beschreiber() const { return beschreiber; }
    int gib_wert1() const { return wert1; }
    int gib_wert2() const { return wert2; }
    const std::string& gib_text() const { return text; }

private:
    int nummer;
    const CVariableBeschr* beschreiber;
    int wert1;
    int wert2;
    std::string text;
};

// One finding: code 3 outside the permitted range (or a required value missing), 2 outside the
// plausible range; the finished text, or a kept record (null when the text says it all).
struct CPruefMeldung
{
    int code;
    std::string text;
    const CSteuerPlausi* satz;
};

using CPruefMeldungen = std::vector<CPruefMeldung>;
