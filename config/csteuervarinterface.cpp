#include "csteuervarinterface.h"
#include "cwert.h"

#include <atomic>

namespace {

std::atomic<CSteuerVarInterface*> installiert{nullptr};

CSteuerVarInterface* standard_speicher()
{
    // Never destroyed: variables may still be read while the globals of other units are torn down.
    static CSteuerVarInterface* const standard = new CSteuerVarInterface;
    return standard;
}

template <typename T>
void schreibe(CVariableBasis* variable, const T& wert)
{
    CWertDT<T> objekt(wert);
    gib_steuervar_interface()->setze_wertobjekt(variable, &objekt);
}

} // namespace

CSteuerVarInterface::~CSteuerVarInterface() = default;

CWert* CSteuerVarInterface::gib_wertobjekt(CVariableBasis*)
{
    return nullptr;
}

void CSteuerVarInterface::setze_wertobjekt(CVariableBasis*, CWert*) {}

bool CSteuerVarInterface::ist_aktiv() const
{
    return false;
}

void CSteuerVarInterface::vorbehalten_1(const int&) {}

bool CSteuerVarInterface::immer_schreiben() const
{
    return false;
}

void CSteuerVarInterface::vorbehalten_2(const int&) {}

CSteuerVarInterface* gib_steuervar_interface()
{
    CSteuerVarInterface* speicher = installiert.load();
    return speicher ? speicher : standard_speicher();
}

CSteuerVarInterface* setze_steuervar_interface(CSteuerVarInterface* speicher)
{
    return installiert.exchange(speicher);
}

void schreibe_steuerwert(CVariableBasis* variable, const int& wert)
{
    schreibe(variable, wert);
}

void schreibe_steuerwert(CVariableBasis* variable, const unsigned& wert)
{
    schreibe(variable, wert);
}

void schreibe_steuerwert(CVariableBasis* variable, const double& wert)
{
    schreibe(variable, wert);
}

void schreibe_steuerwert(CVariableBasis* variable, const std::string& wert)
{
    schreibe(variable, wert);
}

void schreibe_steuerwert(CVariableBasis* variable, const EBool& wert)
{
    schreibe(variable, wert);
}
