// Number and text conversion of the framework: fixed-width number texts, rounding, trimming, escaping.
#pragma once

#include <charconv>
#include <set>
#include <string>

// None of these functions raises: invalid arguments and numbers that do not fit give a warning
// through `melde` and a placeholder text ("*", a run of asterisks, "nan", "-") or 0.
// Every number text uses the configured decimal separator ("/Allgemein/Dezimaltrennzeichen") in
// place of the point, and texts read as numbers accept it; nothing depends on the C locale.
// The not-set value 99999999 is shown as "-", right-aligned in the requested width.

// Whole numbers. `breite` 0..99 (0 = as wide as needed); a number wider than `breite` is returned
// whole, with a warning.
std::string itoa(int zahl, int breite);
std::string itoa(unsigned zahl, int breite);
// Like `itoa`, with the leading blanks (all but the last character) turned into "0".
std::string itoa_nullen(int zahl, int breite);
// Upper-case hexadecimal digit of 0..15; "0" with a warning otherwise.
char itohex(int wert);
// Value of the first character as a hexadecimal digit (either case); 0 with a warning otherwise.
int hextoi(const char* ziffer);
// The value of a hexadecimal digit (either case), -1 for any other character; no warning.
int hexziffer_wert(char zeichen);
// Blanks around the number are allowed, a point is not. An empty text gives 99999999; an invalid
// text (also one outside the int range) gives 0 and sets *ok to false, or warns when ok is null.
int string_zu_int(const std::string& text, bool* ok = nullptr);
// The warning of `string_zu_int` for a text that is no whole number.
void warne_keine_ganzzahl(const std::string& text);
// `string_zu_int` of `ab_position(text, position)`, warning on failure.
int zahl_ab_position(const std::string& text, int position);

// Doubles.
// Halves round away from zero; 99999999.0, NaN, infinities and results outside the int range
// give 99999999.
int runde(double zahl);
bool ist_endlich(double zahl);
// Equal within `prozent` percent of the larger magnitude, or else within `absolut` when that is
// not 0; magnitudes below 1e-100 count as zero.
bool ist_gleich(double a, double b, double prozent, double absolut);
// Number of decimals (0..12) needed to write the value exactly.
int zaehle_nachkommastellen(double zahl);
// Text of `breite` characters (0 = free width, at most 399), left-aligned; art 1 exponential,
// art 2 fixed point, any other value fixed point unless exponential fits better. A negative
// `nachkommastellen` means six decimals with a free width and as many as fit otherwise; more than
// 399 decimals are not written. A number that does not fit gives a run of asterisks and a warning.
std::string dtoa(double zahl, int breite, int nachkommastellen, int art);
// The special cases of `formatiere_double`: returns false with their text in `text`, or true
// when ordinary formatting must follow.
bool ftoa(double zahl, int gesamtstellen, int art, double schwellwert, const std::string& nullstring,
          int nan_leer, int strich_leer, std::string& text);
// Right-aligned in `gesamtstellen` (0..99) with `nachkommastellen` decimals; art 1 exponential,
// art 2 fixed point, any other value fixed or exponential by the size of the exponent (as "%#G"). |zahl| below `schwellwert` gives
// `nullstring`; NaN gives "nan" (nothing when nan_leer is 1), 99999999.0 the not-set text
// (nothing when strich_leer is 1).
std::string formatiere_double(double zahl, int gesamtstellen, int nachkommastellen, int art,
                              double schwellwert, const std::string& nullstring, int nan_leer,
                              int strich_leer);
// The same; returns whether ordinary formatting was done.
bool versuche_formatiere_double(double zahl, int gesamtstellen, int nachkommastellen, int art,
                                double schwellwert, const std::string& nullstring, int nan_leer,
                                int strich_leer, std::string& text);
// `formatiere_double` with threshold 0 and null text "0.0", trimmed unless `ungetrimmt`.
// In modus 2 the decimals are the fewer of `max_nachkommastellen` and those the value needs.
std::string double_zu_string(double zahl, int breite, int nachkommastellen, int max_nachkommastellen,
                             int modus, int art, bool ungetrimmt, int nan_leer, int strich_leer);
// The same through `versuche_formatiere_double`; trims only a text of ordinary formatting.
bool versuche_double_zu_string(double zahl, int breite, int nachkommastellen, int max_nachkommastellen,
                               int modus, int art, bool ungetrimmt, int nan_leer, int strich_leer,
                               std::string& text);
// An empty text, "-" and blanks give 99999999.0; blanks inside are ignored; "inf" and "nan" are
// read as those values. An invalid text (also one too large for a double) gives 99999999.0
// and sets *ok to false, or warns; one too small for a double is 0, as strtod reads it.
double string_zu_double(const std::string& text, bool* ok = nullptr);
// The number at `anfang` as the C library's strtod reads it, without its locale: one sign, then a
// decimal number, inf or nan, or after "0x" a hexadecimal one with a binary exponent ("p"). A
// value too small for a double is 0 with its sign (a denormal stays one); one too large gives
// result_out_of_range and leaves `wert` as it was. The pointer stands after the number read.
std::from_chars_result lies_double(const char* anfang, const char* ende, double& wert);

// Texts.
// Leading blanks are dropped (blank fill) or replaced by the fill character (any other fill, also
// when `vorne` is false); `hinten` drops trailing blanks and carriage returns.
std::string trimme(const std::string& text, bool vorne, bool hinten, char fuellzeichen);
// Drops trailing blanks and carriage returns in place.
void trimme_rechts(char* text);
// Removes the character at `index` in place; nothing for an index outside the text.
void entferne_zeichen(char* text, int index);
// Moves the text to the right end of a field of `breite` characters, blanks in front.
// The buffer must hold `breite` + 1 characters.
void rechtsbuendig(char* text, int breite);
// False when either is null or the text is shorter; true for an empty `anfang`.
bool beginnt_mit(const char* text, const char* anfang);
// ASCII letters in upper case; every other byte unchanged.
std::string in_grossbuchstaben(const std::string& text);
// The rest of the text from `position`; "" at or beyond the end (and for a negative position).
std::string ab_position(const std::string& text, int position);
// Trailing blanks and carriage returns dropped, cut to `max_laenge` characters (0, less or
// 99999999: 1000000), and a backslash put in front of every special character. The text is read
// as UTF-8 and never split inside a character; a byte that is no part of a valid UTF-8 sequence
// counts as one Latin-1 character.
std::string maskiere(const std::string& text, int max_laenge);
// Slash, backslash, double quote, acute accent (U+00B4), backquote, semicolon, apostrophe.
const std::set<char32_t>& gib_sonderzeichen();
