// The configuration variable: a typed setting with key path, default, value and description, registered by key.
#pragma once

#include "cvariablebasistemplate.h"

#include <string>

template <typename T>
class CVariableSteuer : public CVariableBasisTemplate<T>
{
    FRAMEWORK_KLASSE(CVariableBasisTemplate<T>)
public:
    // Registers the variable under its key; a key already registered raises CFehler
    // "Steuervariable %1 bereits in Liste".
    CVariableSteuer(const std::string& schluessel, const T& defaultwert, const std::string& beschreibung,
                    const std::string& zusatz);
    // A template variable ("Vorlage"): not registered, entered in the template list under its number.
    CVariableSteuer(const int& vorlagennummer, const std::string& typname);
    // Leaves the registry and the template list (only entries that point to this variable).
    ~CVariableSteuer() override;

    CVariableSteuer(const CVariableSteuer&) = delete;
    CVariableSteuer& operator=(const CVariableSteuer&) = delete;

    void setze_id(const int& id) override;
    int gib_id() const override;
    void reserviert_4(const int& a) override;
    void reserviert_5(const int& a, const int& b) override;
    // Called on a template: a new variable (owned by the caller), registered under `schluessel`,
    // with its value set from `werttext`. modus 2, or modus 0 with a key of a settings group,
    // makes a CVariableSteuerUI.
    CVariableBasis* erzeuge_variable(const std::string& schluessel, const std::string& werttext,
                                     const std::string& beschreibung, const std::string& zusatz,
                                     const int& modus) override;
    std::string gib_defaultwert_str(const int& zeile = 0) const override;
    CString gib_beschreibung() const override;
    bool ist_undefiniert(const bool& nur_wert, const bool& ohne_pruefung) const override;
    std::string gib_schluessel() const override;
    bool ungleich_defaultwert() const override;
    void setze_auf_default() override;
    CVariableBasis* gib_vorlage() const override;
    int gib_variablenart() const override;

    using CVariableBasisTemplate<T>::setze_wert;
    using CVariableBasisTemplate<T>::gib_wert;
    // Row forms: not supported; they leave a line in the error file and change nothing.
    void setze_wert(int zeile, const T& wert) override;
    // Through the value store when the variable has a key number and the store is active.
    void setze_wert(const T& wert) override;
    const T& gib_wert(int zeile) const override;
    const T& gib_wert() const override;
    const T& gib_aktuellen_wert() const override;

    virtual const T& gib_defaultwert() const;
    virtual void setze_merker(const bool& merker);
    virtual bool gib_merker() const;

protected:
    // The store's value for this variable, or null.
    const T* speicherwert() const;

    int id = 99999999;
    std::string schluessel;
    T defaultwert;
    T aktueller_wert;
    std::string zusatz;
    std::string beschreibung_text;
    bool merker = true;
    CVariableBasis* vorlage = nullptr;
};

// The same variable as shown in the settings groups of the settings dialog.
template <typename T>
class CVariableSteuerUI : public CVariableSteuer<T>
{
public:
    CVariableSteuerUI(const std::string& schluessel, const T& defaultwert, const std::string& beschreibung,
                      const std::string& zusatz);
    ~CVariableSteuerUI() override;

    bool ist_nicht_ui() const override;
};

extern template class CVariableSteuer<int>;
extern template class CVariableSteuer<unsigned>;
extern template class CVariableSteuer<double>;
extern template class CVariableSteuer<std::string>;
extern template class CVariableSteuer<EBool>;
extern template class CVariableSteuerUI<int>;
extern template class CVariableSteuerUI<unsigned>;
extern template class CVariableSteuerUI<double>;
extern template class CVariableSteuerUI<std::string>;
extern template class CVariableSteuerUI<EBool>;

// Builds the template variables of int, unsigned, double, std::string, EBool and colours once
// (kind numbers 1, 2, 0, 3, 4, 5); they are never destroyed.
void lege_steuervar_vorlagen_an();
