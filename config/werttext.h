// Texts of variable values (whole numbers, yes/no, doubles of a descriptor) and strict reading of number texts.
#pragma once

#include "cbasis.h"
#include "ebool.h"

#include <string>

class CVariableBeschr;

// Plain decimal text, also for the undefined value 99999999.
std::string ganzzahl_text(long long zahl);
// "Ja" for 1, "Nein" for every other value; translated in the class's context when it is given.
std::string ja_nein(const EBool& wert, CKlasse* kontext = nullptr);
// A double as the descriptor shows it: 8 places, modus 1 its decimals, modus 2 as many decimals
// as the number has up to its digit count; `leer` 1 gives an empty text for NaN and 99999999.0.
std::string double_text(const CVariableBeschr& beschreiber, double zahl, int modus, int leer);
// A double in a field of `breite` places with at most `stellen` decimals: "***" when it does not
// fit, "UEB" when it is too large for a field without width (99999999).
std::string anzeige_text(double zahl, int stellen, int breite);
// printf "%g" with a point, for database texts.
std::string db_double_text(double zahl);

// Result of reading a number text.
enum class ELesen { OK, UNGUELTIG, ZU_GROSS, ZU_KLEIN };

// Blanks around the number are allowed; one sign directly before the digits; nothing else.
// Numbers beyond the type's range are ZU_GROSS or ZU_KLEIN (for unsigned: every negative number).
ELesen lies_zahl(const std::string& text, int& wert);
ELesen lies_zahl(const std::string& text, unsigned& wert);
// As above, with the decimal separator of the settings (or a point) and an optional exponent;
// a number too small to be told from 0 reads as 0.
ELesen lies_zahl(const std::string& text, double& wert);
