// Value profiles: per value-profile number the display settings that a descriptor takes over when built.
#pragma once

#include "cbasis.h"

#include <map>
#include <string>

// What a descriptor takes from a profile record.
struct CProfilEintrag
{
    int nachkommastellen = 99999999;
    int anzeigestellen = 99999999;
    int einheit2 = 99999999; // a unit code (EEinheit)
};

// One profile: value-profile number -> record.
class CProfil : public CBasis
{
    FRAMEWORK_KLASSE(CBasis)
public:
    std::map<int, CProfilEintrag> eintraege;
};

// Singleton, created empty and never destroyed; nothing in the program loads profiles into it.
class CWerteProfile : public CBasis
{
    FRAMEWORK_KLASSE(CBasis)
public:
    // A name that is not empty replaces the profile file name ("gruppen.dat" at start).
    static CWerteProfile* gib_instanz(const std::string& dateiname);

    bool ist_geladen() const { return geladen; }
    // Looks the number up in the current profile: returns the second unit code and fills the
    // display digits and decimals; 99999999 when there is none. Without a current profile the
    // out-arguments stay as they were.
    int gib_werte(const int& nummer, int& anzeigestellen, int& nachkommastellen) const;

private:
    CWerteProfile() = default;
    ~CWerteProfile() override;

    std::map<std::string, CProfil> profile;
    bool geladen = false;
    const CProfil* aktuell = nullptr;
};

// The file name of the value profiles.
std::string gib_werteprofil_dateiname();
