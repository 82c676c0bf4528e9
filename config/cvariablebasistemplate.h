// Typed value interface of configuration variables (int, unsigned, double, std::string, EBool) and its typed bodies.
#pragma once

#include "cvariablebasis.h"
#include "cvariablebeschr.h"
#include "werttyp.h"

template <typename T>
class CVariableBasisTemplate : public CVariableBasis
{
    FRAMEWORK_KLASSE(CVariableBasis)
public:
    explicit CVariableBasisTemplate(CVariableBeschr* beschreibung);
    ~CVariableBasisTemplate() override;

    bool reserviert_3() const override;
    std::string gib_wert_str(const int& zeile = 0) const override;
    std::string gib_anzeige_str(const int& zeile, const int& breite) const override;
    std::string gib_defaultwert_str(const int& zeile = 0) const override;
    std::string gib_wert_str_einheit(const int& zeile, const EEinheit& einheit,
                                     const bool& feste_stellen) const override;
    std::string gib_wert_str_roh(const int& zeile, const bool& feste_stellen) const override;
    std::string gib_aktuellen_wert_str() const override;
    std::string reserviert_6(const int& a) const override;
    std::string gib_db_string() const override;
    std::string gib_db_typ() const override;
    void setze_wert_str(const std::string& text, const bool& pruefen) override;
    bool kopiere_wert_von(const CVariableBasis& quelle) override;
    bool ist_undefiniert(const bool& nur_wert, const bool& ohne_pruefung) const override;
    bool ist_leer() const override;
    void setze_undefiniert() override;
    // Range check against the descriptor's bounds: code 3 outside the permitted range, 2 outside
    // the plausible one; the variable is not changed.
    int pruefe_wert(CPruefMeldungen& meldungen, const int& modus) const override;
    void setze_auf_default() override;
    bool hat_vorgabe() const override;
    bool reserviert_30() const override;
    bool uebernimm_wert(const CVariableBasis& quelle) override;
    // True when the value was written.
    bool uebernimm_wert_bedingt(const CVariableBasis& quelle, const bool& undefiniert_lassen) override;
    bool hat_gleichen_wert(const CVariableBasis& quelle, const double& toleranz) const override;
    int gib_beschr_attribut() const override;
    int gib_wert_int() const override;

    virtual void setze_wert(int zeile, const T& wert) = 0;
    virtual void setze_wert(const T& wert) = 0;
    virtual const T& gib_wert(int zeile) const = 0;
    // The current value, or the default while it is undefined.
    virtual const T& gib_wert() const = 0;
    // The current value, also when it is undefined.
    virtual const T& gib_aktuellen_wert() const = 0;
    virtual T gib_wert_kopie() const;

protected:
    // The descriptor when it is the typed descriptor of T, else null.
    const CVariableBeschrTemplate<T>* typ_beschreiber() const;
    // The value as `gib_wert_str` shows it, through the code table when there is one.
    std::string wert_text(const T& wert) const;
};

extern template class CVariableBasisTemplate<int>;
extern template class CVariableBasisTemplate<unsigned>;
extern template class CVariableBasisTemplate<double>;
extern template class CVariableBasisTemplate<std::string>;
extern template class CVariableBasisTemplate<EBool>;
