// Fixed table of the known configuration key paths and their numbers; constant data, usable before main.
#pragma once

#include <string>

// The key's number; 99999999 for a key that the table does not hold (exact, case-sensitive, UTF-8).
int gib_steuervar_nummer(const std::string& schluessel);
// The table is constant data and always complete; kept for callers that build it explicitly.
void fuelle_steuervar_nummern();
