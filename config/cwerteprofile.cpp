#include "cwerteprofile.h"
#include "klassen.h"

#include <mutex>

CKlasse* CProfil::klasse = &eintrag_CProfil;
CKlasse* CWerteProfile::klasse = &eintrag_CWerteProfile;

namespace {

struct SDateiname
{
    std::mutex sperre;
    std::string name = "gruppen.dat";
};

SDateiname& dateiname()
{
    static SDateiname* d = new SDateiname;
    return *d;
}

} // namespace

CWerteProfile::~CWerteProfile() = default;

CWerteProfile* CWerteProfile::gib_instanz(const std::string& name)
{
    static CWerteProfile* const instanz = new CWerteProfile;
    SDateiname& d = dateiname();
    std::lock_guard<std::mutex> lock(d.sperre);
    if (!name.empty() && &name != &d.name)
        d.name = name;
    return instanz;
}

int CWerteProfile::gib_werte(const int& nummer, int& anzeigestellen, int& nachkommastellen) const
{
    if (!aktuell)
        return 99999999;
    anzeigestellen = 99999999;
    nachkommastellen = 99999999;
    const auto it = aktuell->eintraege.find(nummer);
    if (it == aktuell->eintraege.end())
        return 99999999;
    anzeigestellen = it->second.anzeigestellen;
    nachkommastellen = it->second.nachkommastellen;
    return it->second.einheit2;
}

std::string gib_werteprofil_dateiname()
{
    SDateiname& d = dateiname();
    std::lock_guard<std::mutex> lock(d.sperre);
    return d.name;
}
