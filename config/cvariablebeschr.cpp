#include "allg.h"
#include "cvariablebeschr.h"
#include "cfehler.h"
#include "ci18n.h"
#include "cwerteprofile.h"
#include "klassen.h"

#include <algorithm>
#include <mutex>


CKlasse* CVariableBeschr::klasse = &eintrag_CVariableBeschr;
template <typename T>
CKlasse* CVariableBeschrTemplate<T>::klasse = &eintrag_CVariableBeschrTemplate;

namespace {

// Lives to the end of the process, so descriptors of any unit may come and go in any order.
struct SBeschrListe
{
    std::mutex sperre;
    std::vector<CVariableBeschr*> liste;
};

SBeschrListe& beschr_liste()
{
    static SBeschrListe* l = new SBeschrListe;
    return *l;
}

// Calculation methods in force; nothing in this program adds one.
const std::set<int>& aktuelle_verfahren()
{
    static const std::set<int>* verfahren = new std::set<int>;
    return *verfahren;
}

} // namespace

CCodeTabelle::~CCodeTabelle() = default;

int CVariableBeschr::datumsstempel(int tag, int monat, int jahr, int stunde, int minute)
{
    if (tag == 99999999)
        return 0;
    const long long minuten = ((((static_cast<long long>(jahr) * 12 + monat) * 31 + tag) * 24 + stunde) * 60
                               + minute)
                              - 1071406080LL;
    return static_cast<int>(minuten);
}

CVariableBeschr::CVariableBeschr(const std::string& name_, const std::string& beschreibung_,
                                 const std::string& einheit_, CKlasse* const& klasse_, const int& textlaenge_,
                                 const int& tag, const int& monat, const int& jahr, const int& stunde,
                                 const int& minute, const int& werteprofil_, int kennzahl_,
                                 const int& stellenzahl_)
    : name(name_), beschreibung(beschreibung_), einheit(string_in_einheit(einheit_)), einheit2(einheit),
      textlaenge(textlaenge_), werteprofil(werteprofil_), stellenzahl(stellenzahl_), besitzer(klasse_),
      kennzahl(kennzahl_), arten(ANZAHL_VERFAHREN, 5)
{
    if (einheit == EINHEIT_UNBEKANNT)
        einheit_text = einheit_;
    uebernimm_werteprofil();
    datum = datumsstempel(tag, monat, jahr, stunde, minute);
    in_liste_aufnehmen();
}

CVariableBeschr::CVariableBeschr(const CVariableBeschr& quelle, const CKopierParameter& parameter)
    : CVariableBeschr(quelle)
{
    // A copy starts with its own kind table and set, and belongs to the class of the parameter record.
    arten.assign(ANZAHL_VERFAHREN, 5);
    frei_menge.clear();
    besitzer = parameter.klasse;
    in_liste_aufnehmen();
}

CVariableBeschr::~CVariableBeschr()
{
    bool gefunden = false;
    {
        SBeschrListe& l = beschr_liste();
        std::lock_guard<std::mutex> lock(l.sperre);
        const auto it = std::find(l.liste.begin(), l.liste.end(), this);
        if (it != l.liste.end()) {
            l.liste.erase(it);
            gefunden = true;
        }
    }
    if (gefunden)
        return;
    // A destructor must not throw: report the fault instead of raising it.
    try {
        const CFehler fehler(
            1, klasse_funktion, "~CVariableBeschr",
            uebersetze_(CString(QT_TRANSLATE_NOOP("QObject", "unplausibel: Variablenbeschreiber nicht in Liste")),
                        klasse)
                .gib_string());
        fehler.melde();
    } catch (...) {
    }
}

void CVariableBeschr::in_liste_aufnehmen()
{
    SBeschrListe& l = beschr_liste();
    std::lock_guard<std::mutex> lock(l.sperre);
    l.liste.push_back(this);
}

void CVariableBeschr::uebernimm_werteprofil()
{
    if (werteprofil == 99999999)
        return;
    const CWerteProfile* profile = CWerteProfile::gib_instanz(std::string());
    if (!profile->ist_geladen())
        return;
    int stellen = 99999999;
    int nachkomma = 99999999;
    const int einheit_profil = profile->gib_werte(werteprofil, stellen, nachkomma);
    if (stellen == 99999999 || nachkomma == 99999999 || einheit_profil == 99999999 || einheit_profil == 0)
        return;
    anzeigestellen = stellen;
    nachkommastellen = nachkomma;
    einheit2 = static_cast<EEinheit>(einheit_profil);
}

CString CVariableBeschr::gib_beschreibung() const
{
    return uebersetze_(beschreibung, klasse);
}

bool CVariableBeschr::ist_kopie() const
{
    return false;
}

std::string CVariableBeschr::gib_einheit_text() const
{
    return uebersetze_(CString(einheit_text), klasse).gib_string();
}

const std::string& CVariableBeschr::gib_name() const
{
    return name;
}

const std::string& CVariableBeschr::gib_anzeigename() const
{
    return alias.empty() ? name : alias;
}

int CVariableBeschr::gib_attribut() const
{
    return 0;
}

bool CVariableBeschr::gib_schalter_1() const
{
    return false;
}

bool CVariableBeschr::gib_schalter_2() const
{
    return false;
}

bool CVariableBeschr::gib_schalter_3() const
{
    return false;
}

bool CVariableBeschr::gib_schalter_4() const
{
    return false;
}

bool CVariableBeschr::hat_codetabelle() const
{
    return false;
}

const CCodeTabelle* CVariableBeschr::gib_codetabelle() const
{
    return nullptr;
}

bool CVariableBeschr::hat_codetabelle_2() const
{
    return false;
}

std::string CVariableBeschr::gib_einheit_str() const
{
    return einheit != EINHEIT_UNBEKANNT ? einheit_in_string(einheit) : einheit_text;
}

std::string CVariableBeschr::gib_einheit2_str() const
{
    return einheit2 != EINHEIT_UNBEKANNT ? einheit_in_string(einheit2) : einheit_text;
}

double CVariableBeschr::gib_einheitenfaktor() const
{
    return umrechnungsfaktor(einheit, einheit2, true);
}

int CVariableBeschr::gib_art() const
{
    const std::set<int>& verfahren = aktuelle_verfahren();
    if (verfahren.empty())
        return arten[0];
    int art = 0;
    for (int v : verfahren) {
        if (v < 0 || v >= ANZAHL_VERFAHREN || arten[v] == 5)
            continue;
        art = std::max(art, arten[v]);
    }
    return art;
}

template <typename T>
CVariableBeschrTemplate<T>::CVariableBeschrTemplate(
    const std::string& name_, const std::string& beschreibung_, const std::string& einheit_, CKlasse* const& klasse_,
    const bool& vorgabe_gesetzt_, const T& vorgabewert, const int& textlaenge_, const CCodeTabelle* codetabelle_,
    const bool& schalter1, const int& tag, const int& monat, const int& jahr, const int& stunde, const int& minute,
    int kennzahl_, const int& stellenzahl_, const bool& schalter2, const bool& schalter3, const bool& schalter4)
    : CVariableBeschr(name_, beschreibung_, einheit_, klasse_, textlaenge_, 99999999, 0, 0, 0, 0, 99999999,
                      kennzahl_, stellenzahl_),
      vorgabe_gesetzt(vorgabe_gesetzt_), schalter{schalter1, schalter2, schalter3, schalter4}, vorgabe(vorgabewert),
      codetabelle(codetabelle_), zulaessig_unten(undefinierter_wert<T>()), zulaessig_oben(undefinierter_wert<T>()),
      plausibel_unten(undefinierter_wert<T>()), plausibel_oben(undefinierter_wert<T>())
{
    datum = datumsstempel(tag, monat, jahr, stunde, minute);
}

template <typename T>
CVariableBeschrTemplate<T>::CVariableBeschrTemplate(const CVariableBeschrTemplate& quelle,
                                                    const CKopierParameter& parameter)
    : CVariableBeschr(quelle, parameter), vorgabe_gesetzt(quelle.vorgabe_gesetzt),
      schalter{quelle.schalter[0], quelle.schalter[1], quelle.schalter[2], quelle.schalter[3]},
      vorgabe(quelle.vorgabe), codetabelle(quelle.codetabelle), zulaessig_unten(quelle.zulaessig_unten),
      zulaessig_oben(quelle.zulaessig_oben), plausibel_unten(quelle.plausibel_unten),
      plausibel_oben(quelle.plausibel_oben), attribut(0), kopie(true)
{
}

template <typename T>
CVariableBeschrTemplate<T>::~CVariableBeschrTemplate() = default;

template <typename T>
std::string CVariableBeschrTemplate<T>::gib_db_typ() const
{
    if constexpr (std::is_same_v<T, int> || std::is_same_v<T, unsigned>)
        return "int";
    else if constexpr (std::is_same_v<T, float>)
        return "float";
    else if constexpr (std::is_same_v<T, double>)
        return "double";
    else if constexpr (std::is_same_v<T, EBool>)
        return "bool";
    else
        return textlaenge != 0 ? "char(" + std::to_string(textlaenge) + ")" : std::string("text");
}

template <typename T>
CVariableBeschr* CVariableBeschrTemplate<T>::kopiere(const CKopierParameter& parameter) const
{
    auto* kopie_ = new CVariableBeschrTemplate<T>(*this, parameter);
    if (parameter.zuruecksetzen)
        kopie_->frei_stufe = 9999;
    return kopie_;
}

template <typename T>
bool CVariableBeschrTemplate<T>::ist_wert_gleich(const T& a, const T& b, const double& toleranz) const
{
    if constexpr (std::is_floating_point_v<T>)
        return ist_gleich(static_cast<double>(a), static_cast<double>(b), toleranz, 0.0);
    else
        return a == b;
}

template class CVariableBeschrTemplate<int>;
template class CVariableBeschrTemplate<unsigned>;
template class CVariableBeschrTemplate<float>;
template class CVariableBeschrTemplate<double>;
template class CVariableBeschrTemplate<std::string>;
template class CVariableBeschrTemplate<EBool>;

namespace {

template <typename T>
CVariableBeschrTemplate<T>* neuer_standard_beschreiber(const T& vorgabe, int textlaenge)
{
    const int keine = 99999999;
    return new CVariableBeschrTemplate<T>(std::string(), "Steuervariable", std::string(), klasse_funktion, false,
                                          vorgabe, textlaenge, nullptr, false, keine, 0, 0, 0, 0, 0, 5, false,
                                          false, false);
}

struct SStandardBeschreiber
{
    // Built in this order: double, int, unsigned, EBool, float, std::string.
    CVariableBeschrTemplate<double>* d = neuer_standard_beschreiber(0.0, 20);
    CVariableBeschrTemplate<int>* i = neuer_standard_beschreiber(0, 20);
    CVariableBeschrTemplate<unsigned>* u = neuer_standard_beschreiber(0u, 20);
    CVariableBeschrTemplate<EBool>* b = neuer_standard_beschreiber(NEIN, 20);
    CVariableBeschrTemplate<float>* f = neuer_standard_beschreiber(0.0f, 20);
    CVariableBeschrTemplate<std::string>* s = neuer_standard_beschreiber(std::string(), 255);
};

const SStandardBeschreiber& standard_beschreiber()
{
    static const SStandardBeschreiber* alle = new SStandardBeschreiber;
    return *alle;
}

} // namespace

template <>
CVariableBeschrTemplate<double>* gib_standard_beschreiber<double>()
{
    return standard_beschreiber().d;
}

template <>
CVariableBeschrTemplate<int>* gib_standard_beschreiber<int>()
{
    return standard_beschreiber().i;
}

template <>
CVariableBeschrTemplate<unsigned>* gib_standard_beschreiber<unsigned>()
{
    return standard_beschreiber().u;
}

template <>
CVariableBeschrTemplate<EBool>* gib_standard_beschreiber<EBool>()
{
    return standard_beschreiber().b;
}

template <>
CVariableBeschrTemplate<float>* gib_standard_beschreiber<float>()
{
    return standard_beschreiber().f;
}

template <>
CVariableBeschrTemplate<std::string>* gib_standard_beschreiber<std::string>()
{
    return standard_beschreiber().s;
}

std::vector<CVariableBeschr*> gib_beschreiber_liste()
{
    SBeschrListe& l = beschr_liste();
    std::lock_guard<std::mutex> lock(l.sperre);
    return l.liste;
}
