#include "cbasis.h"
#include "klassen.h"

#include <mutex>

namespace {

// The registry lives on the heap from the first entry on and is never torn down, so entries
// of any unit may register and unregister in any order of static construction and destruction.
std::map<std::string, CKlasse*>*& registry()
{
    static std::map<std::string, CKlasse*>* map = nullptr;
    return map;
}

std::mutex& registry_lock()
{
    static std::mutex* m = new std::mutex;
    return *m;
}

int& klassenzaehler()
{
    static int zaehler = 1;
    return zaehler;
}

} // namespace

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
    std::lock_guard<std::mutex> lock(registry_lock());
    id = ++klassenzaehler();
    registriere_klasse();
}

CKlasse::CKlasse(const std::string& name_, CKlasse* eltern_)
    : CKlasse(name_, 99999999, std::string(), eltern_)
{
}

CKlasse::~CKlasse()
{
    std::lock_guard<std::mutex> lock(registry_lock());
    if (registry())
        registry()->erase(name);
}

void CKlasse::registriere_klasse()
{
    if (!registry())
        registry() = new std::map<std::string, CKlasse*>;
    (*registry())[name] = this;
}

CKlasse* CKlasse::finde(const std::string& name)
{
    std::lock_guard<std::mutex> lock(registry_lock());
    if (!registry())
        return nullptr;
    auto it = registry()->find(name);
    return it == registry()->end() ? nullptr : it->second;
}

void CKlasse::ausgabe(std::ostream& os) const
{
    os << "Klassenbeschreibungsobjekt: Klasse:" << name;
}
