// Value-type descriptors of configuration variables: name, description, unit, SQL type, preset and bounds.
#pragma once

#include "cbasis.h"
#include "cstring.h"
#include "einheit.h"
#include "werttyp.h"

#include <set>
#include <string>
#include <vector>

// Turns values, given as their plain text, into display texts.
class CCodeTabelle
{
public:
    virtual ~CCodeTabelle();
    virtual std::string gib_text(const std::string& wert) const = 0;
};

// Parameter record of `kopiere`: the owner class of the copy, and a flag that sets the copy's
// `frei_stufe` back to 9999.
struct CKopierParameter
{
    CKlasse* klasse = nullptr;
    bool zuruecksetzen = false;
};

class CVariableBeschr : public CBasis
{
    FRAMEWORK_KLASSE(CBasis)
public:
    // A day of 99999999 means "no date" (date stamp 0).
    CVariableBeschr(const std::string& name, const std::string& beschreibung, const std::string& einheit,
                    CKlasse* const& klasse, const int& textlaenge, const int& tag, const int& monat,
                    const int& jahr, const int& stunde, const int& minute, const int& werteprofil,
                    int kennzahl, const int& stellenzahl);
    CVariableBeschr(const CVariableBeschr& quelle, const CKopierParameter& parameter);
    // Never throws: a descriptor missing from the descriptor list is reported.
    ~CVariableBeschr() override;

    CVariableBeschr& operator=(const CVariableBeschr&) = delete;

    virtual CString gib_beschreibung() const;
    virtual bool ist_kopie() const;
    virtual std::string gib_einheit_text() const;
    virtual const std::string& gib_name() const;
    virtual const std::string& gib_anzeigename() const;
    virtual int gib_typ() const = 0;
    virtual std::string gib_db_typ() const = 0;
    virtual int gib_attribut() const;
    virtual bool gib_schalter_1() const;
    virtual bool gib_schalter_2() const;
    virtual bool gib_schalter_3() const;
    virtual bool gib_schalter_4() const;
    virtual bool hat_codetabelle() const;
    virtual const CCodeTabelle* gib_codetabelle() const;
    virtual bool hat_codetabelle_2() const;
    // A new copy, owned by the caller.
    virtual CVariableBeschr* kopiere(const CKopierParameter& parameter) const = 0;

    // The unit as text: the table's text, or the unit text given when it is not in the table.
    std::string gib_einheit_str() const;
    std::string gib_einheit2_str() const;
    // Factor from the unit to the display unit; 1.0 where there is none.
    double gib_einheitenfaktor() const;
    // Kind for the current calculation methods.
    int gib_art() const;

    EEinheit gib_einheit() const { return einheit; }
    EEinheit gib_einheit2() const { return einheit2; }
    int gib_textlaenge() const { return textlaenge; }
    int gib_nachkommastellen() const { return nachkommastellen; }
    int gib_anzeigestellen() const { return anzeigestellen; }
    int gib_stellenzahl() const { return stellenzahl; }
    bool ist_exponentialform() const { return exponentialform; }
    int gib_werteprofil() const { return werteprofil; }
    int gib_kennzahl() const { return kennzahl; }
    int gib_datum() const { return datum; }
    CKlasse* gib_besitzer() const { return besitzer; }

    // Minutes since 1 January 2000 in a calendar of twelve months of 31 days; 0 for day 99999999.
    static int datumsstempel(int tag, int monat, int jahr, int stunde, int minute);

    static constexpr int ANZAHL_VERFAHREN = 65;

protected:
    CVariableBeschr(const CVariableBeschr&) = default;

    std::string name;
    bool frei_bool = false;
    CString beschreibung;
    std::string frei_text1;
    std::string frei_text2;
    std::string einheit_text;
    EEinheit einheit;
    EEinheit einheit2;
    int frei_zahl1 = 99999999;
    int textlaenge;
    int nachkommastellen = 3;
    int anzeigestellen = 3;
    int werteprofil = 99999999;
    int stellenzahl;
    bool exponentialform = false;
    CKlasse* besitzer;
    int kennzahl;
    std::vector<int> arten;
    std::set<int> frei_menge;
    bool frei_schalter[4] = {false, false, false, false};
    int frei_stufe = 9999; // `kopiere` can set it back
    std::string frei_text3;
    std::string alias;
    std::string frei_text4;
    int datum = 0;
    int frei_zahl2 = 262144;
    bool frei_bool2 = false;
    bool frei_bool3 = false;
    int frei_zahl3 = 0;
    bool frei_bool4 = false;

private:
    void uebernimm_werteprofil();
    void in_liste_aufnehmen();
};

template <typename T>
class CVariableBeschrTemplate : public CVariableBeschr
{
    FRAMEWORK_KLASSE(CVariableBeschr)
public:
    CVariableBeschrTemplate(const std::string& name, const std::string& beschreibung, const std::string& einheit,
                            CKlasse* const& klasse, const bool& vorgabe_gesetzt, const T& vorgabewert,
                            const int& textlaenge, const CCodeTabelle* codetabelle, const bool& schalter1,
                            const int& tag, const int& monat, const int& jahr, const int& stunde,
                            const int& minute, int kennzahl, const int& stellenzahl, const bool& schalter2,
                            const bool& schalter3, const bool& schalter4);
    CVariableBeschrTemplate(const CVariableBeschrTemplate& quelle, const CKopierParameter& parameter);
    // Copies are made through `kopiere`, which enters them in the descriptor list.
    CVariableBeschrTemplate(const CVariableBeschrTemplate&) = delete;
    ~CVariableBeschrTemplate() override;

    bool ist_kopie() const override { return kopie; }
    int gib_typ() const override { return SWertTyp<T>::code; }
    std::string gib_db_typ() const override;
    int gib_attribut() const override { return attribut; }
    bool gib_schalter_1() const override { return schalter[0]; }
    bool gib_schalter_2() const override { return schalter[1]; }
    bool gib_schalter_3() const override { return schalter[2]; }
    bool gib_schalter_4() const override { return schalter[3]; }
    bool hat_codetabelle() const override { return codetabelle != nullptr; }
    const CCodeTabelle* gib_codetabelle() const override { return codetabelle; }
    bool hat_codetabelle_2() const override { return codetabelle != nullptr; }
    CVariableBeschr* kopiere(const CKopierParameter& parameter) const override;
    // Exact for whole numbers, EBool and texts; doubles and floats within `toleranz` percent.
    virtual bool ist_wert_gleich(const T& a, const T& b, const double& toleranz) const;

    bool hat_vorgabe() const { return vorgabe_gesetzt; }
    const T& gib_vorgabe() const { return vorgabe; }
    // Bounds; a bound that holds the undefined value is absent.
    const T& gib_zulaessig_unten() const { return zulaessig_unten; }
    const T& gib_zulaessig_oben() const { return zulaessig_oben; }
    const T& gib_plausibel_unten() const { return plausibel_unten; }
    const T& gib_plausibel_oben() const { return plausibel_oben; }

protected:
    bool vorgabe_gesetzt;
    bool schalter[4];
    T vorgabe;
    const CCodeTabelle* codetabelle;
    T zulaessig_unten;
    T zulaessig_oben;
    T plausibel_unten;
    T plausibel_oben;
    int attribut = 0;
    bool kopie = false;
};

extern template class CVariableBeschrTemplate<int>;
extern template class CVariableBeschrTemplate<unsigned>;
extern template class CVariableBeschrTemplate<float>;
extern template class CVariableBeschrTemplate<double>;
extern template class CVariableBeschrTemplate<std::string>;
extern template class CVariableBeschrTemplate<EBool>;

// The one descriptor per value type that every configuration variable of that type points to:
// empty name, description "Steuervariable", no unit, no bounds. Built on first use, never destroyed.
template <typename T>
CVariableBeschrTemplate<T>* gib_standard_beschreiber();
template <>
CVariableBeschrTemplate<int>* gib_standard_beschreiber<int>();
template <>
CVariableBeschrTemplate<unsigned>* gib_standard_beschreiber<unsigned>();
template <>
CVariableBeschrTemplate<float>* gib_standard_beschreiber<float>();
template <>
CVariableBeschrTemplate<double>* gib_standard_beschreiber<double>();
template <>
CVariableBeschrTemplate<std::string>* gib_standard_beschreiber<std::string>();
template <>
CVariableBeschrTemplate<EBool>* gib_standard_beschreiber<EBool>();

// A copy of the list of all descriptors, in the order in which they were built.
std::vector<CVariableBeschr*> gib_beschreiber_liste();
