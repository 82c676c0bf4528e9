#include "cbasis.h"
#include "klassen.h"

#include <mutex>
#include <new>

namespace {

// Room for a pseudo entry: constant-initialised, so its address is valid from load time on,
// while the entry itself is built by the registry. Never destroyed, like the registry.
union PseudoPlatz
{
    constexpr PseudoPlatz() : leer() {}
    ~PseudoPlatz() {}
    char leer;
    CKlasse eintrag;
};

PseudoPlatz platz_funktion;
PseudoPlatz platz_kurz;

// Recursive: building the pseudo entries registers them while the first entry holds the lock.
std::recursive_mutex& registry_lock()
{
    static std::recursive_mutex* m = new std::recursive_mutex;
    return *m;
}

int& klassenzaehler()
{
    static int zaehler = 1;
    return zaehler;
}

// The registry lives on the heap from its first use on and is never torn down, so entries of any
// unit may register and unregister in any order of static construction and destruction. It
// builds the two pseudo entries itself when it is created: they come before every other entry,
// whichever unit is initialised first. Called with the lock held.
std::map<std::string, CKlasse*>& registry()
{
    static std::map<std::string, CKlasse*>* map = nullptr;
    if (!map) {
        map = new std::map<std::string, CKlasse*>;
        new (&platz_funktion.eintrag) CKlasse("Funktion oder nicht von CObjekt abgeleitete Klasse");
        new (&platz_kurz.eintrag) CKlasse("Dummy: fuer kurze Ausgaben");
    }
    return *map;
}

} // namespace

CKlasse* klasse_funktion = &platz_funktion.eintrag;
CKlasse* klasse_kurz = &platz_kurz.eintrag;

CKlasse* CBasis::klasse = &eintrag_CBasis;
CKlasse* CObjekt::klasse = &eintrag_CObjekt;
CKlasse* CKlasse::klasse = &eintrag_CKlasse;

CBasis::~CBasis() = default;

CKlasse* const& CBasis::gib_klasse() const
{
    return klasse;
}

bool CBasis::ist_abgeleitet_von(CKlasse* const& k) const
{
    return k == klasse;
}

CKlasse::CKlasse(const std::string& name_, int zahl3_, const std::string& text5_,
                 CKlasse* eltern_, const std::string& text2_, const std::string& text3_,
                 const int& zahl1_, const std::string& text4_, const int& zahl2_)
    : name(name_), text2(text2_), eltern(eltern_), zahl1(zahl1_), text3(text3_),
      zahl2(zahl2_), text4(text4_), zahl3(zahl3_), text5(text5_)
{
    std::lock_guard<std::recursive_mutex> lock(registry_lock());
    registriere_klasse();
}

CKlasse::CKlasse(const std::string& name_, CKlasse* eltern_)
    : CKlasse(name_, 99999999, std::string(), eltern_)
{
}

CKlasse::~CKlasse()
{
    std::lock_guard<std::recursive_mutex> lock(registry_lock());
    registry().erase(name);
}

void CKlasse::registriere_klasse()
{
    // The registry first: when it is created now, its pseudo entries take the ids before this one.
    std::map<std::string, CKlasse*>& eintraege = registry();
    id = ++klassenzaehler();
    eintraege[name] = this;
}

CKlasse* CKlasse::finde(const std::string& name)
{
    std::lock_guard<std::recursive_mutex> lock(registry_lock());
    auto it = registry().find(name);
    return it == registry().end() ? nullptr : it->second;
}

std::vector<CKlasse*> CKlasse::gib_alle()
{
    std::lock_guard<std::recursive_mutex> lock(registry_lock());
    std::vector<CKlasse*> alle;
    alle.reserve(registry().size());
    for (const auto& eintrag : registry())
        alle.push_back(eintrag.second);
    return alle;
}

void CKlasse::ausgabe(std::ostream& os) const
{
    os << "Klassenbeschreibungsobjekt: Klasse:" << name;
}
