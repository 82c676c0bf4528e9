#include "allg.h"
#include "cvariablesteuer.h"
#include "cfehler.h"
#include "ci18n.h"
#include "csteuervarinterface.h"
#include "cvariablesteuerfarbe.h"
#include "cwert.h"
#include "klassen.h"
#include "werttext.h"

#include <memory>
#include <type_traits>


template <typename T>
CKlasse* CVariableSteuer<T>::klasse = &eintrag_CVariableSteuer;

namespace {

// Keys of these settings groups make variables for the settings dialog (a plain prefix test).
constexpr const char* einstellungsgruppen[] = {
    "/Allgemein", "/Datenbankeinstellungen", "/Dockwindow", "/Druckereinstellungen",
    "/ErgebnisVariable", "/Grafik", "/GruppenProfil", "/NetzSchemaGrafik",
    "/NGGrafik", "/NSGrafik", "/Tabelle", "/WertGruppenProfil"};

bool ist_einstellungsgruppe(const std::string& schluessel)
{
    for (const char* gruppe : einstellungsgruppen)
        if (beginnt_mit(schluessel.c_str(), gruppe))
            return true;
    return false;
}

// The row forms are not supported: the error is recorded in the error file and dropped.
void zeile_nicht_unterstuetzt(const char* methode, int zeile)
{
    try {
        const CFehler fehler(1, &eintrag_CVariableSteuer, methode,
                             uebersetze_(CString(QT_TRANSLATE_NOOP(
                                             "QObject", "Zeile: %1 - Methode nicht implementiert! - nichts passiert")),
                                         &eintrag_CVariableSteuer)
                                 .arg(zeile)
                                 .gib_string());
    } catch (...) {
    }
}

const bool vorlagen_angelegt = (lege_steuervar_vorlagen_an(), true);

} // namespace

template <typename T>
CVariableSteuer<T>::CVariableSteuer(const std::string& schluessel_, const T& defaultwert_,
                                    const std::string& beschreibung_, const std::string& zusatz_)
    : CVariableBasisTemplate<T>(gib_standard_beschreiber<T>()), schluessel(schluessel_), defaultwert(defaultwert_),
      aktueller_wert(undefinierter_wert<T>()), zusatz(zusatz_), beschreibung_text(beschreibung_)
{
    ergaenze_steuervar(this);
}

template <typename T>
CVariableSteuer<T>::CVariableSteuer(const int& vorlagennummer, const std::string& typname)
    : CVariableBasisTemplate<T>(gib_standard_beschreiber<T>()), id(0), schluessel(typname),
      defaultwert(undefinierter_wert<T>()), aktueller_wert(undefinierter_wert<T>()), beschreibung_text("Vorlage")
{
    ergaenze_steuervar_vorlage(vorlagennummer, this);
}

template <typename T>
CVariableSteuer<T>::~CVariableSteuer()
{
    entferne_steuervar(schluessel, this);
}

template <typename T>
void CVariableSteuer<T>::setze_id(const int& id_)
{
    id = id_;
}

template <typename T>
int CVariableSteuer<T>::gib_id() const
{
    return id;
}

template <typename T>
void CVariableSteuer<T>::reserviert_4(const int&)
{
}

template <typename T>
void CVariableSteuer<T>::reserviert_5(const int&, const int&)
{
}

template <typename T>
CVariableBasis* CVariableSteuer<T>::erzeuge_variable(const std::string& schluessel_, const std::string& werttext,
                                                     const std::string& beschreibung_, const std::string& zusatz_,
                                                     const int& modus)
{
    const bool ui = modus == 2 || (modus == 0 && ist_einstellungsgruppe(schluessel_));
    const T& undefiniert = undefinierter_wert<T>();
    std::unique_ptr<CVariableSteuer<T>> neu(
        ui ? new CVariableSteuerUI<T>(schluessel_, undefiniert, beschreibung_, zusatz_)
           : new CVariableSteuer<T>(schluessel_, undefiniert, beschreibung_, zusatz_));
    // A refused value text deletes the new variable again, which leaves the registry with it.
    neu->setze_wert_str(werttext, false);
    neu->vorlage = this;
    return neu.release();
}

template <typename T>
std::string CVariableSteuer<T>::gib_defaultwert_str(const int&) const
{
    if constexpr (std::is_same_v<T, double>)
        return formatiere_double(defaultwert, 8, 2, 2, 0.0, "0.0", 0, 0);
    else if constexpr (std::is_same_v<T, std::string>)
        return defaultwert;
    else if constexpr (std::is_same_v<T, EBool>)
        return ja_nein(defaultwert, klasse);
    else
        return ganzzahl_text(defaultwert);
}

template <typename T>
CString CVariableSteuer<T>::gib_beschreibung() const
{
    return uebersetze_(CString(beschreibung_text), klasse);
}

template <typename T>
bool CVariableSteuer<T>::ist_undefiniert(const bool& nur_wert, const bool&) const
{
    const bool aktuell_undefiniert = ist_undefinierter_wert(gib_aktuellen_wert());
    if (nur_wert)
        return aktuell_undefiniert;
    return aktuell_undefiniert && ist_undefinierter_wert(defaultwert);
}

template <typename T>
std::string CVariableSteuer<T>::gib_schluessel() const
{
    return schluessel;
}

template <typename T>
bool CVariableSteuer<T>::ungleich_defaultwert() const
{
    return defaultwert != gib_wert();
}

template <typename T>
void CVariableSteuer<T>::setze_auf_default()
{
    setze_wert(gib_defaultwert());
}

template <typename T>
CVariableBasis* CVariableSteuer<T>::gib_vorlage() const
{
    return vorlage;
}

template <typename T>
int CVariableSteuer<T>::gib_variablenart() const
{
    return 6;
}

template <typename T>
void CVariableSteuer<T>::setze_wert(int zeile, const T&)
{
    zeile_nicht_unterstuetzt("setze_wert", zeile);
}

template <typename T>
void CVariableSteuer<T>::setze_wert(const T& wert)
{
    CSteuerVarInterface* speicher = gib_steuervar_interface();
    if (id != 99999999 && speicher->ist_aktiv()) {
        if (!speicher->immer_schreiben() && wert == gib_wert())
            return;
        schreibe_steuerwert(this, wert);
        return;
    }
    aktueller_wert = wert;
}

template <typename T>
const T& CVariableSteuer<T>::gib_wert(int zeile) const
{
    zeile_nicht_unterstuetzt("gib_wert", zeile);
    return defaultwert;
}

template <typename T>
const T* CVariableSteuer<T>::speicherwert() const
{
    if (id == 99999999)
        return nullptr;
    CWert* wert = gib_steuervar_interface()->gib_wertobjekt(const_cast<CVariableSteuer<T>*>(this));
    const auto* typisiert = dynamic_cast<const CWertT<T>*>(wert);
    return typisiert ? &typisiert->gib_wert() : nullptr;
}

template <typename T>
const T& CVariableSteuer<T>::gib_wert() const
{
    if (const T* s = speicherwert())
        return *s;
    return ist_undefinierter_wert(aktueller_wert) ? defaultwert : aktueller_wert;
}

template <typename T>
const T& CVariableSteuer<T>::gib_aktuellen_wert() const
{
    if (const T* s = speicherwert())
        return *s;
    return aktueller_wert;
}

template <typename T>
const T& CVariableSteuer<T>::gib_defaultwert() const
{
    return defaultwert;
}

template <typename T>
void CVariableSteuer<T>::setze_merker(const bool& merker_)
{
    merker = merker_;
}

template <typename T>
bool CVariableSteuer<T>::gib_merker() const
{
    return merker;
}

template <typename T>
CVariableSteuerUI<T>::CVariableSteuerUI(const std::string& schluessel_, const T& defaultwert_,
                                        const std::string& beschreibung_, const std::string& zusatz_)
    : CVariableSteuer<T>(schluessel_, defaultwert_, beschreibung_, zusatz_)
{
}

template <typename T>
CVariableSteuerUI<T>::~CVariableSteuerUI() = default;

template <typename T>
bool CVariableSteuerUI<T>::ist_nicht_ui() const
{
    return false;
}

template class CVariableSteuer<int>;
template class CVariableSteuer<unsigned>;
template class CVariableSteuer<double>;
template class CVariableSteuer<std::string>;
template class CVariableSteuer<EBool>;
template class CVariableSteuerUI<int>;
template class CVariableSteuerUI<unsigned>;
template class CVariableSteuerUI<double>;
template class CVariableSteuerUI<std::string>;
template class CVariableSteuerUI<EBool>;

void lege_steuervar_vorlagen_an()
{
    // Built in this order.
    static const bool angelegt = [] {
        new CVariableSteuer<double>(0, "double");
        new CVariableSteuer<int>(1, "int");
        new CVariableSteuer<unsigned>(2, "unsigned");
        new CVariableSteuer<EBool>(4, "bool");
        new CVariableSteuer<std::string>(3, "string");
        new CVariableSteuerFarbe(5, "farbe");
        return true;
    }();
    (void)angelegt;
}
