// Value-store interface through which an outside store can take over the values of configuration variables.
#pragma once

#include "ebool.h"

#include <string>

class CVariableBasis;
class CWert;

// The bodies here are the answers of the default store: no value, not active.
class CSteuerVarInterface
{
public:
    constexpr CSteuerVarInterface() = default;
    virtual ~CSteuerVarInterface();

    // The store's value object for the variable (a CWertT of its value type), or null.
    virtual CWert* gib_wertobjekt(CVariableBasis* variable);
    // The value object lives only during the call: a store copies what it keeps.
    virtual void setze_wertobjekt(CVariableBasis* variable, CWert* wert);
    // Whether variables write their values to the store.
    virtual bool ist_aktiv() const;
    virtual void vorbehalten_1(const int& argument);
    // When false, a variable does not write a value equal to its present value.
    virtual bool immer_schreiben() const;
    virtual void vorbehalten_2(const int& argument);
};

// The installed store, else the default object; never null.
CSteuerVarInterface* gib_steuervar_interface();
// Installs a store (not owned; null goes back to the default) and returns the one installed before.
// The program itself installs none; tests and future stores use it.
CSteuerVarInterface* setze_steuervar_interface(CSteuerVarInterface* speicher);

// Hands the value to the store's `setze_wertobjekt` in a value object that lives for the call.
void schreibe_steuerwert(CVariableBasis* variable, const int& wert);
void schreibe_steuerwert(CVariableBasis* variable, const unsigned& wert);
void schreibe_steuerwert(CVariableBasis* variable, const double& wert);
void schreibe_steuerwert(CVariableBasis* variable, const std::string& wert);
void schreibe_steuerwert(CVariableBasis* variable, const EBool& wert);
