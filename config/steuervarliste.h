// Process-wide registry of configuration variables by key path, and the list of template variables.
#pragma once

#include <map>
#include <string>

class CVariableBasis;

// Ordered by byte-wise comparison of the key paths. It does not own the variables.
using CSteuerVarListe = std::map<std::string, CVariableBasis*>;
// Template variables by kind number: 0 double, 1 int, 2 unsigned, 3 string, 4 bool, 5 farbe.
using CSteuerVarVorlagen = std::map<int, CVariableBasis*>;

// Created on first use, never destroyed. Walk it or find in it from any thread, but not while
// another thread creates or destroys variables.
CSteuerVarListe* gib_steuervar_liste();
// Sets the variable's key number, then registers it under its key. A key that is already
// registered raises CFehler "Steuervariable %1 bereits in Liste"; the registry keeps the first.
void ergaenze_steuervar(CVariableBasis* variable);
// Enters a template variable; a kind number already taken raises "Vorlage wurde bereits aufgenommen".
void ergaenze_steuervar_vorlage(const int& nummer, CVariableBasis* vorlage);
// Removes the entries that point to this variable (and no other), so that a destroyed variable
// leaves nothing behind in the registry or the template list.
void entferne_steuervar(const std::string& schluessel, const CVariableBasis* variable);
// The template list, with the templates of int, unsigned, double, std::string, EBool and colours in it.
CSteuerVarVorlagen* gib_steuervar_vorlagen();
