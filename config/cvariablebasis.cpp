#include "cvariablebasis.h"
#include "cfehler.h"
#include "ci18n.h"
#include "cvariablebeschr.h"
#include "klassen.h"

#include <map>
#include <mutex>

CKlasse* CVariableBasis::klasse = &eintrag_CVariableBasis;

namespace {

std::string text_basis(const char* text)
{
    return uebersetze_(CString(text), CVariableBasis::klasse).gib_string();
}

[[noreturn]] void programmierfehler(const char* methode, const char* text)
{
    throw CFehler(1, klasse_funktion, methode, text_basis(text));
}

// The messages of the required-value check, one per descriptor, kept for the life of the process.
struct SPlausiSaetze
{
    std::mutex sperre;
    int zaehler = 1;
    std::map<const CVariableBeschr*, const CSteuerPlausi*> saetze;
};

SPlausiSaetze& plausi_saetze()
{
    static SPlausiSaetze* s = new SPlausiSaetze;
    return *s;
}

} // namespace

CVariableBasis::CVariableBasis(CVariableBeschr* beschreibung_) : beschreibung(beschreibung_) {}

CVariableBasis::~CVariableBasis() = default;

void CVariableBasis::setze_id(const int&)
{
    throw CFehler(0, klasse, "setze_id",
                  CString(text_basis(QT_TRANSLATE_NOOP("QObject", "Id in dieser Variable nicht unterstüzt: %1")))
                      .arg(CString(gib_schluessel()))
                      .gib_string());
}

void CVariableBasis::ergaenze_geaendert()
{
    programmierfehler("ergaenze_geaendert", "Aufruf der Methode bei dieser Variablenklasse nich zulässig");
}

bool CVariableBasis::reserviert_1() const { return false; }
bool CVariableBasis::reserviert_2() const { return false; }
bool CVariableBasis::reserviert_3() const { return false; }

CVariableBasis* CVariableBasis::erzeuge_variable(const std::string&, const std::string&, const std::string&,
                                                 const std::string&, const int&)
{
    return nullptr;
}

std::string CVariableBasis::gib_defaultwert_str(const int&) const
{
    return std::string();
}

std::string CVariableBasis::gib_wert_str_einheit(const int& zeile, const EEinheit&, const bool& feste_stellen) const
{
    return gib_wert_str_roh(zeile, feste_stellen);
}

std::string CVariableBasis::gib_aktuellen_wert_str() const
{
    return std::string();
}

CBasis* CVariableBasis::reserviert_7() const { return nullptr; }

CString CVariableBasis::gib_beschreibung() const
{
    return beschreibung->gib_beschreibung();
}

std::string CVariableBasis::gib_einheit_str() const
{
    return beschreibung->gib_einheit_str();
}

std::string CVariableBasis::gib_einheit2_str() const
{
    return beschreibung->gib_einheit2_str();
}

const std::string& CVariableBasis::gib_beschr_name() const
{
    return beschreibung->gib_name();
}

const std::string& CVariableBasis::gib_beschr_anzeigename() const
{
    return beschreibung->gib_anzeigename();
}

int CVariableBasis::gib_beschr_kennzahl() const
{
    return beschreibung->gib_kennzahl();
}

bool CVariableBasis::reserviert_8(const int&, const int&) { return false; }

CSteuerVarListe CVariableBasis::reserviert_9(const int&, const int&) const
{
    return CSteuerVarListe();
}

bool CVariableBasis::ist_leer() const
{
    return ist_undefiniert(false, false);
}

void CVariableBasis::reserviert_10(const int&, const int&) {}
bool CVariableBasis::reserviert_11() const { return false; }
void CVariableBasis::reserviert_12() {}
void CVariableBasis::reserviert_13() {}

CBasis* CVariableBasis::gib_dbobjekt() const
{
    programmierfehler("gib_dbobjekt", "Diese Variableart kann kennt ihr DBObjekt nicht");
}

CBasis* CVariableBasis::reserviert_14() const { return nullptr; }

int CVariableBasis::gib_status() const
{
    const int art = beschreibung->gib_art();
    const bool schalter = beschreibung->gib_schalter_1();
    switch (art) {
    case 0:
        return !schalter ? 6 : ist_leer() ? 9 : 8;
    case 1:
    case 2:
        return !schalter ? 5 : ist_leer() ? 9 : 8;
    case 3:
        if (!schalter)
            return ist_undefiniert(false, false) ? 4 : 3;
        return ist_leer() ? 9 : 8;
    case 4:
        return ist_leer() ? 2 : schalter ? 8 : 1;
    default:
        return !schalter ? 0 : ist_leer() ? 9 : 8;
    }
}

bool CVariableBasis::reserviert_15() const { return false; }
bool CVariableBasis::reserviert_16() const { return false; }
bool CVariableBasis::reserviert_17(const int&, const int&, const int&) const { return false; }
bool CVariableBasis::reserviert_18(const int&, const int&) const { return false; }
bool CVariableBasis::reserviert_19(const int&) const { return false; }
bool CVariableBasis::reserviert_20() const { return false; }

bool CVariableBasis::ist_nicht_ui() const
{
    return true;
}

void CVariableBasis::reserviert_21(const int&) {}
bool CVariableBasis::reserviert_22(const int&) { return false; }
void CVariableBasis::reserviert_23(const int&) {}
void CVariableBasis::reserviert_24(const int&, const int&) {}
void CVariableBasis::reserviert_25() {}
void CVariableBasis::reserviert_26() {}

bool CVariableBasis::ist_geaendert() const
{
    programmierfehler("ist_geaendert", "Methode muss ueberladen werden");
}

bool CVariableBasis::reserviert_27(const int&) { return false; }
void CVariableBasis::setze_undefiniert() {}
void CVariableBasis::reserviert_28() {}
void CVariableBasis::reserviert_29(const int&, const int&) {}

int CVariableBasis::pruefe_wert(CPruefMeldungen& meldungen, const int&) const
{
    if (beschreibung->gib_art() != 4 || !ist_leer())
        return 0;
    SPlausiSaetze& s = plausi_saetze();
    const CSteuerPlausi* satz = nullptr;
    {
        std::lock_guard<std::mutex> lock(s.sperre);
        auto it = s.saetze.find(beschreibung);
        if (it == s.saetze.end()) {
            const std::string text =
                CString(text_basis(QT_TRANSLATE_NOOP(
                            "QObject",
                            "Variable %1 muss im aktuellen Berechnungsverfahren belegt sein und hat keinen Wert")))
                    .arg(CString(beschreibung->gib_name()))
                    .gib_string();
            it = s.saetze.emplace(beschreibung, new CSteuerPlausi(++s.zaehler, beschreibung, 5, 99999999, text)).first;
        }
        satz = it->second;
    }
    meldungen.push_back(CPruefMeldung{3, std::string(), satz});
    return 3;
}

std::string CVariableBasis::gib_schluessel() const
{
    return std::string();
}

bool CVariableBasis::ungleich_defaultwert() const
{
    programmierfehler("ungleich_defaultwert",
                      "Methode ungleich_defaultwert wurde bei dieser Variablenklasse nicht ueberladen");
}

void CVariableBasis::setze_auf_default() {}

bool CVariableBasis::hat_vorgabe() const
{
    return false;
}

CVariableBasis* CVariableBasis::gib_vorlage() const
{
    return nullptr;
}

int CVariableBasis::gib_typ() const
{
    return beschreibung->gib_typ();
}

bool CVariableBasis::reserviert_30() const { return false; }
bool CVariableBasis::reserviert_31(const int&) const { return false; }

bool CVariableBasis::uebernimm_wert(const CVariableBasis&)
{
    return false;
}

bool CVariableBasis::uebernimm_wert_bedingt(const CVariableBasis&, const bool&)
{
    return false;
}

bool CVariableBasis::hat_gleichen_wert(const CVariableBasis&, const double&) const
{
    return false;
}

bool CVariableBasis::reserviert_32(const int&) { return false; }
bool CVariableBasis::reserviert_33(const int&) { return false; }
void CVariableBasis::reserviert_34() {}

int CVariableBasis::gib_beschr_attribut() const
{
    return 0;
}

int CVariableBasis::gib_wert_int() const
{
    return 0;
}

bool CVariableBasis::reserviert_35() const { return false; }
int CVariableBasis::reserviert_36() const { return 99999999; }

int CVariableBasis::gib_id() const
{
    return 99999999;
}
