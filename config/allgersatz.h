// Stand-ins for number and text conversions that core/allg does not offer yet; to be replaced by core/allg.
#pragma once

// TEMPORARY: every function here carries the name and arguments that core/allg.h is to declare.
// Once allg.h has them, delete this unit and the "using namespace allg_ersatz;" lines.

#include <string>

namespace allg_ersatz {

// Halves round away from zero; 99999999.0 and NaN give 99999999, values beyond int are clamped.
int runde(double zahl);
// Relative tolerance in percent of the larger magnitude, then the absolute tolerance when not 0.
bool ist_gleich(double a, double b, double prozent, double absolut);
int zaehle_nachkommastellen(double zahl);
// printf "%#<gesamtstellen>.<nachkommastellen><E|f|G>" for art 1, 2, other, with the special cases
// of NaN, small values (nullstring), the not-set value and unrepresentable numbers.
std::string formatiere_double(double zahl, int gesamtstellen, int nachkommastellen, int art,
                              double schwellwert, std::string nullstring, int nan_leer, int strich_leer);
// modus 2: as many decimals as the number has, at most max_nachkommastellen.
std::string double_zu_string(double zahl, int breite, int nachkommastellen, int max_nachkommastellen,
                             int modus, int art, bool ungetrimmt, int nan_leer, int strich_leer);
std::string trimme(std::string text, bool vorne, bool hinten, char fuellzeichen);
// Cuts the text to max_laenge bytes (0 or 99999999: 1000000) and escapes special characters with "\".
std::string maskiere(std::string text, int max_laenge);
// ASCII letters only: independent of the C library's locale.
std::string in_grossbuchstaben(std::string text);
bool beginnt_mit(const char* text, const char* anfang);

} // namespace allg_ersatz
