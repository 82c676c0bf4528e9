#include "allg.h"
#include "ci18n.h"
#include "cstring.h"
#include "ebool.h"
#include "kerneinstellungen.h"
#include "melde.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>

namespace {

const int WARNUNG = 4;
// Widths and decimals of `dtoa` stay below this bound.
const int DTOA_GRENZE = 400;
const int MAX_NACHKOMMASTELLEN = DTOA_GRENZE - 1;

void warne(const char* funktion, const CString& text)
{
    melde(WARNUNG, klasse_funktion, funktion, text.gib_string());
}

CString uebersetzt(const char* text)
{
    return uebersetze_(CString(text), klasse_funktion);
}

std::string nicht_gesetzt_text(int breite)
{
    if (breite < 2)
        return "-";
    return std::string(breite - 1, ' ') + "-";
}

// The first `breite` characters of a run of 21 asterisks.
std::string ueberlauf_text(int breite)
{
    return std::string(std::clamp(breite, 0, 21), '*');
}

std::string rechts_in(const std::string& text, int breite)
{
    if (breite > 0 && static_cast<int>(text.size()) < breite)
        return std::string(breite - text.size(), ' ') + text;
    return text;
}

std::string links_in(const std::string& text, int breite)
{
    if (breite > 0 && static_cast<int>(text.size()) < breite)
        return text + std::string(breite - text.size(), ' ');
    return text;
}

// The first point becomes the configured decimal separator.
std::string mit_trenner(std::string text)
{
    const char trenner = gib_dezimaltrennzeichen();
    if (trenner != '.' && trenner != '\0') {
        const auto punkt = text.find('.');
        if (punkt != std::string::npos)
            text[punkt] = trenner;
    }
    return text;
}

std::string roh(double zahl, std::chars_format format, int genauigkeit)
{
    // Fixed form: at most 309 integer digits, sign and point; exponential form: far less.
    std::string puffer(static_cast<std::size_t>(genauigkeit) + 330, '\0');
    const auto [ende, fehler] =
        std::to_chars(puffer.data(), puffer.data() + puffer.size(), zahl, format, genauigkeit);
    puffer.resize(fehler == std::errc() ? static_cast<std::size_t>(ende - puffer.data()) : 0);
    return puffer;
}

int exponent_von(const std::string& exponentialtext)
{
    const auto e = exponentialtext.find('e');
    int wert = 0;
    if (e == std::string::npos || e + 2 > exponentialtext.size())
        return 0;
    const char* anfang = exponentialtext.data() + e + 2;
    std::from_chars(anfang, exponentialtext.data() + exponentialtext.size(), wert);
    return exponentialtext[e + 1] == '-' ? -wert : wert;
}

// What printf makes of "%.<genauigkeit><art>" (with "#" when `alternativ`) for art 'f', 'E'
// or 'G', with a point whatever the C locale says. A negative precision means 6.
std::string c_format(double zahl, char art, int genauigkeit, bool alternativ)
{
    const bool gross = art != 'f';
    if (std::isnan(zahl))
        return gross ? "NAN" : "nan";
    if (std::isinf(zahl))
        return std::string(zahl < 0 ? "-" : "") + (gross ? "INF" : "inf");
    if (genauigkeit < 0)
        genauigkeit = 6;
    genauigkeit = std::min(genauigkeit, MAX_NACHKOMMASTELLEN);

    std::string text;
    if (art == 'G') {
        const int stellen = genauigkeit == 0 ? 1 : genauigkeit;
        text = roh(zahl, std::chars_format::scientific, stellen - 1);
        const int x = exponent_von(text);
        if (x < stellen && x >= -4)
            text = roh(zahl, std::chars_format::fixed, stellen - 1 - x);
        if (!alternativ && text.find('.') != std::string::npos) {
            const auto e = text.find('e');
            const auto ende = e == std::string::npos ? text.size() : e;
            auto letzte = text.find_last_not_of('0', ende - 1);
            if (text[letzte] == '.')
                --letzte;
            text.erase(letzte + 1, ende - letzte - 1);
        }
    } else {
        text = roh(zahl, art == 'f' ? std::chars_format::fixed : std::chars_format::scientific,
                   genauigkeit);
    }
    const auto e = text.find('e');
    if (alternativ && text.find('.') == std::string::npos)
        text.insert(e == std::string::npos ? text.size() : e, ".");
    if (gross && e != std::string::npos)
        text[text.find('e')] = 'E';
    return text;
}

// Text of `betrag` with `nachkommastellen` decimals (negative: the most up to six that fit) in at
// most `platz` characters; empty when it does not fit. With a width the point comes only with
// decimals.
std::string passender_text(double betrag, char art, int nachkommastellen, int platz)
{
    if (platz <= 0)
        return {};
    const int von = nachkommastellen >= 0 ? std::min(nachkommastellen, MAX_NACHKOMMASTELLEN)
                                          : std::min(6, platz);
    const int bis = nachkommastellen >= 0 ? von : 0;
    for (int d = von; d >= bis; --d) {
        const std::string text = c_format(betrag, art, d, d > 0);
        if (static_cast<int>(text.size()) <= platz)
            return text;
    }
    return {};
}

CString ueberlauf_meldung(const char* anfang, double zahl, int breite, int nachkommastellen,
                          const char* ende)
{
    CString text = uebersetzt(anfang) + CString(mit_trenner(c_format(zahl, 'G', 6, true)))
                   + uebersetzt(QT_TRANSLATE_NOOP("QObject", "< innerhalb von >")) + CString(std::to_string(breite));
    if (nachkommastellen > 0 && ende == nullptr)
        return text + uebersetzt(QT_TRANSLATE_NOOP("QObject", "< Zeichen Breite und >"))
               + CString(std::to_string(nachkommastellen))
               + uebersetzt(QT_TRANSLATE_NOOP("QObject", "< Nachkommastellen nicht moeglich!"));
    return text + uebersetzt(ende ? ende : QT_TRANSLATE_NOOP("QObject", "< Zeichen Breite nicht moeglich!"));
}

struct Form
{
    std::string text;
    CString warnung; // empty when the form needs none
    bool ueberlauf = false;
};

// One form of `dtoa` for a width above 0: the sign takes a place of its own and the magnitude
// is written left-aligned after it.
Form form_mit_breite(double zahl, int breite, int nachkommastellen, bool exponential)
{
    const bool negativ = std::signbit(zahl);
    const int platz = breite - (negativ ? 1 : 0);
    const double betrag = std::fabs(zahl);
    const char art = exponential ? 'E' : 'f';
    Form form;
    std::string text = passender_text(betrag, art, nachkommastellen, platz);
    if (!text.empty()) {
        form.text = links_in((negativ ? "-" : "") + mit_trenner(text), breite);
        return form;
    }
    if (exponential && betrag != 0.0 && betrag < 1e-99) {
        // Only the three-digit exponent is in the way: such a number is written as 0.
        text = passender_text(0.0, art, nachkommastellen, breite);
        if (!text.empty()) {
            form.text = links_in(mit_trenner(text), breite);
            form.warnung = ueberlauf_meldung(
                QT_TRANSLATE_NOOP("QObject", "Bei Exponentialdarstellung Ausgabe der Zahl >"), zahl, breite,
                nachkommastellen, QT_TRANSLATE_NOOP("QObject", "< Zeichen Breite nicht moeglich! 0 wird ausgegeben."));
            return form;
        }
    }
    const char* anfang =
        exponential            ? QT_TRANSLATE_NOOP("QObject", "Bei Exponentialdarstellung Ausgabe der Zahl >")
        : nachkommastellen > 0 ? QT_TRANSLATE_NOOP("QObject", "Bei Fixkommadarstellung Ausgabe der Zahl >")
        : nachkommastellen < 0 ? QT_TRANSLATE_NOOP("QObject", "Bei variabler Kommadarstellung Ausgabe der Zahl >")
                               : QT_TRANSLATE_NOOP("QObject", "Die Ausgabe der Zahl >");
    form.text = ueberlauf_text(breite);
    form.warnung = ueberlauf_meldung(anfang, zahl, breite, nachkommastellen, nullptr);
    form.ueberlauf = true;
    return form;
}

Form dtoa_form(double zahl, int breite, int nachkommastellen, bool exponential)
{
    if (breite == 0) {
        Form form;
        form.text = mit_trenner(c_format(zahl, exponential ? 'E' : 'f', nachkommastellen, true));
        return form;
    }
    return form_mit_breite(zahl, breite, nachkommastellen, exponential);
}

template <typename T>
std::string ganzzahl_text(T zahl, int breite)
{
    if (breite < 0 || breite > 99) {
        warne("itoa", uebersetzt(QT_TRANSLATE_NOOP("QObject",
                                                   "Breiteangabe breite=%1 nicht im erlaubten Bereich: 0<=breite<100."))
                          .arg(CString(std::to_string(breite))));
        return "*";
    }
    if (zahl == static_cast<T>(NICHT_GESETZT))
        return nicht_gesetzt_text(breite);
    const std::string text = rechts_in(std::to_string(zahl), breite);
    if (breite != 0 && static_cast<int>(text.size()) > breite)
        warne("itoa",
              uebersetzt(QT_TRANSLATE_NOOP("QObject", "Ausgabe einer Zahl (%1) uebersteigt angegebene Breite (%2)"))
                  .arg(CString(std::to_string(zahl)))
                  .arg(CString(std::to_string(breite))));
    return text;
}

// Length of the valid UTF-8 sequence at `i` (its code point in `zeichen`); 0 when none starts there.
std::size_t utf8_laenge(const std::string& text, std::size_t i, char32_t& zeichen)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char b = byte(i);
    if (b < 0x80) {
        zeichen = b;
        return 1;
    }
    std::size_t laenge;
    unsigned char min2 = 0x80, max2 = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
        laenge = 2;
        zeichen = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        laenge = 3;
        zeichen = b & 0x0F;
        if (b == 0xE0)
            min2 = 0xA0; // no overlong forms
        if (b == 0xED)
            max2 = 0x9F; // no surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
        laenge = 4;
        zeichen = b & 0x07;
        if (b == 0xF0)
            min2 = 0x90;
        if (b == 0xF4)
            max2 = 0x8F;
    } else {
        return 0;
    }
    if (i + laenge > text.size())
        return 0;
    for (std::size_t k = 1; k < laenge; ++k) {
        const unsigned char f = byte(i + k);
        if (f < (k == 1 ? min2 : 0x80) || f > (k == 1 ? max2 : 0xBF))
            return 0;
        zeichen = (zeichen << 6) | (f & 0x3F);
    }
    return laenge;
}

} // namespace

std::string itoa(int zahl, int breite)
{
    return ganzzahl_text(zahl, breite);
}

std::string itoa(unsigned zahl, int breite)
{
    return ganzzahl_text(zahl, breite);
}

std::string itoa_nullen(int zahl, int breite)
{
    std::string text = itoa(zahl, breite);
    for (std::string::size_type i = 0; i + 1 < text.size() && text[i] == ' '; ++i)
        text[i] = '0';
    return text;
}

char itohex(int wert)
{
    if (wert < 0 || wert > 15) {
        warne("itohex", uebersetzt(QT_TRANSLATE_NOOP("QObject", "Ungueltiger Eingabewert in itohex()")));
        return '0';
    }
    return "0123456789ABCDEF"[wert];
}

int hexziffer_wert(char z)
{
    if (z >= '0' && z <= '9')
        return z - '0';
    if (z >= 'a' && z <= 'f')
        return z - 'a' + 10;
    if (z >= 'A' && z <= 'F')
        return z - 'A' + 10;
    return -1;
}

int hextoi(const char* ziffer)
{
    if (ziffer) {
        const int wert = hexziffer_wert(ziffer[0]);
        if (wert >= 0)
            return wert;
    }
    warne("hextoi", uebersetzt(QT_TRANSLATE_NOOP("QObject", "'%1' ist keine Hexadezimalziffer!")).arg(CString(ziffer)));
    return 0;
}

int string_zu_int(const std::string& text, bool* ok)
{
    if (ok)
        *ok = true;
    if (text.empty())
        return NICHT_GESETZT;

    const auto anfang = text.find_first_not_of(' ');
    const auto ende = anfang == std::string::npos ? anfang : text.find_last_not_of(' ') + 1;
    bool gueltig = true;
    int minus = 0;
    int plus = 0;
    int wert = 0;
    if (anfang != std::string::npos) {
        for (auto i = anfang; i < ende; ++i) {
            const char z = text[i];
            if (z == '-')
                ++minus;
            else if (z == '+')
                ++plus;
            else if (z < '0' || z > '9')
                gueltig = false; // also a blank inside the number and a point
        }
        gueltig = gueltig && minus <= 1 && plus <= 1;
        if (gueltig) {
            // As atoi reads it: one sign, then the digits up to the first other character;
            // a number beyond the int range makes the text invalid.
            const char* p = text.data() + anfang;
            const char* const e = text.data() + ende;
            const bool negativ = *p == '-';
            if (*p == '-' || *p == '+')
                ++p;
            long long betrag = 0;
            for (; p < e && *p >= '0' && *p <= '9' && gueltig; ++p) {
                betrag = betrag * 10 + (*p - '0');
                gueltig = betrag <= (negativ ? -static_cast<long long>(INT_MIN) : INT_MAX);
            }
            wert = static_cast<int>(negativ ? -betrag : betrag);
        }
    }
    if (gueltig)
        return wert;
    if (ok)
        *ok = false;
    else
        warne_keine_ganzzahl(text);
    return 0;
}

void warne_keine_ganzzahl(const std::string& text)
{
    warne("string_zu_int",
          uebersetzt(QT_TRANSLATE_NOOP("QObject", "Fehler bei Umwandlung von String in int: ")) + CString(text));
}

int zahl_ab_position(const std::string& text, int position)
{
    return string_zu_int(ab_position(text, position));
}

int runde(double zahl)
{
    if (zahl == 99999999.0 || !std::isfinite(zahl))
        return NICHT_GESETZT;
    const double gerundet = std::round(zahl); // halves away from zero
    if (gerundet < static_cast<double>(INT_MIN) || gerundet > static_cast<double>(INT_MAX))
        return NICHT_GESETZT;
    return static_cast<int>(gerundet);
}

bool ist_endlich(double zahl)
{
    return std::isfinite(zahl);
}

bool ist_gleich(double a, double b, double prozent, double absolut)
{
    const bool a_null = std::fabs(a) < 1e-100;
    const bool b_null = std::fabs(b) < 1e-100;
    if (a_null || b_null)
        return a_null && b_null;
    const double differenz = std::fabs(a - b);
    if (differenz / std::max(std::fabs(a), std::fabs(b)) <= prozent / 100.0)
        return true;
    return absolut != 0.0 && differenz <= absolut;
}

int zaehle_nachkommastellen(double zahl)
{
    if (!std::isfinite(zahl))
        return 0;
    double faktor = 1.0; // powers of ten up to 1e12 are exact
    for (int k = 0; k <= 12; ++k, faktor *= 10.0) {
        const double y = zahl * faktor;
        if (std::fabs(y - std::trunc(y)) <= 1e-100)
            return k;
    }
    return 12;
}

std::string dtoa(double zahl, int breite, int nachkommastellen, int art)
{
    if (!std::isfinite(zahl))
        return "nan";
    if (zahl == 99999999.0)
        return nicht_gesetzt_text(breite);
    if (breite < 0 || breite >= DTOA_GRENZE) {
        warne("dtoa", uebersetzt(QT_TRANSLATE_NOOP("QObject",
                                                   "Breiteangabe breite=%1 nicht im erlaubten Bereich: 0<=breite<%2."))
                          .arg(CString(std::to_string(breite)))
                          .arg(CString(std::to_string(DTOA_GRENZE))));
        return "*";
    }
    Form form;
    if (art == 1 || art == 2) {
        form = dtoa_form(zahl, breite, nachkommastellen, art == 1);
    } else {
        // The other form is tried only when the preferred one does not fit.
        const bool klein = zahl != 0.0 && std::fabs(zahl) < 0.001;
        form = dtoa_form(zahl, breite, nachkommastellen, klein);
        if (form.ueberlauf)
            form = dtoa_form(zahl, breite, nachkommastellen, !klein);
    }
    if (!form.warnung.gib_string_ref().empty())
        warne("dtoa", form.warnung);
    return form.text;
}

bool ftoa(double zahl, int gesamtstellen, int art, double schwellwert, const std::string& nullstring,
          int nan_leer, int strich_leer, std::string& text)
{
    if (!std::isfinite(zahl)) {
        text = nan_leer == 1 ? std::string() : rechts_in("nan", gesamtstellen);
        return false;
    }
    if (std::fabs(zahl) < schwellwert) {
        text = nullstring;
        return false;
    }
    if (zahl == 99999999.0) {
        text = strich_leer == 1 ? std::string() : nicht_gesetzt_text(gesamtstellen);
        return false;
    }
    if (gesamtstellen < 0 || gesamtstellen > 99) {
        warne("ftoa",
              uebersetzt(QT_TRANSLATE_NOOP("QObject", "Gesamtstellenangabe gesamtstellen="))
                  + CString(itoa(gesamtstellen, 0))
                  + uebersetzt(QT_TRANSLATE_NOOP("QObject", "nicht im erlaubten Bereich: 0<=gesamtstellen<100."))
                  + uebersetzt(QT_TRANSLATE_NOOP("QObject",
                                                 " für Funktion ftoa(const double& zahl, const int& gesamtstellen, "
                                                 "const int& nachkommastellen, const int& art, const double& "
                                                 "schwellwert, const string& nullstring) in 'allg' ")));
        text = "*";
        return false;
    }
    if (art == 2 && std::fabs(zahl) > 1e50) {
        warne("ftoa", uebersetzt(QT_TRANSLATE_NOOP("QObject", "Zahl kann nicht dargestellt werden")));
        text = ueberlauf_text(gesamtstellen);
        return false;
    }
    text.clear();
    return true;
}

bool versuche_formatiere_double(double zahl, int gesamtstellen, int nachkommastellen, int art,
                                double schwellwert, const std::string& nullstring, int nan_leer,
                                int strich_leer, std::string& text)
{
    if (!ftoa(zahl, gesamtstellen, art, schwellwert, nullstring, nan_leer, strich_leer, text)) {
        if (std::fabs(zahl) < schwellwert && text == "0.0" && gib_dezimaltrennzeichen() == ',')
            text = "0,0";
        return false;
    }
    const char umwandlung = art == 1 ? 'E' : art == 2 ? 'f' : 'G';
    text = rechts_in(mit_trenner(c_format(zahl, umwandlung, nachkommastellen, true)), gesamtstellen);
    return true;
}

std::string formatiere_double(double zahl, int gesamtstellen, int nachkommastellen, int art,
                              double schwellwert, const std::string& nullstring, int nan_leer,
                              int strich_leer)
{
    std::string text;
    versuche_formatiere_double(zahl, gesamtstellen, nachkommastellen, art, schwellwert, nullstring,
                               nan_leer, strich_leer, text);
    return text;
}

namespace {

// For a number text that from_chars found out of range: whether it is too small for a double
// rather than too large, by the power of its first significant digit (of ten, or of two after
// "0x" with the binary exponent "p").
bool ist_unterlauf(const char* p, const char* ende, bool hex)
{
    long long stellen_vor_punkt = 0; // digits from the first significant one to the point
    long long nullen_nach_punkt = 0; // zeros after the point before the first significant digit
    bool punkt = false;
    bool gefunden = false;
    for (; p != ende; ++p) {
        if (*p == '.') {
            punkt = true;
            continue;
        }
        if (hex ? hexziffer_wert(*p) < 0 : (*p < '0' || *p > '9'))
            break;
        gefunden = gefunden || *p != '0';
        if (gefunden && !punkt)
            ++stellen_vor_punkt;
        else if (!gefunden && punkt)
            ++nullen_nach_punkt;
    }
    long long exponent = 0;
    if (p != ende && ++p != ende) {
        if (*p == '+')
            ++p;
        if (std::from_chars(p, ende, exponent).ec == std::errc::result_out_of_range)
            exponent = *p == '-' ? -(1LL << 40) : (1LL << 40);
    }
    const long long stelle = stellen_vor_punkt > 0 ? stellen_vor_punkt - 1 : -(nullen_nach_punkt + 1);
    return (hex ? 4 * stelle : stelle) + exponent < 0;
}

} // namespace

std::from_chars_result lies_double(const char* anfang, const char* ende, double& wert)
{
    const char* p = anfang;
    const bool negativ = p != ende && *p == '-';
    if (p != ende && (*p == '+' || *p == '-'))
        ++p;
    // from_chars takes a sign of its own: a second one would slip through.
    if (p != ende && (*p == '+' || *p == '-'))
        return {anfang, std::errc::invalid_argument};
    const bool hex = ende - p > 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X')
                     && (hexziffer_wert(p[2]) >= 0 || p[2] == '.');
    if (hex)
        p += 2;
    std::from_chars_result ergebnis = hex ? std::from_chars(p, ende, wert, std::chars_format::hex)
                                          : std::from_chars(p, ende, wert);
    // strtod's underflow: a value too small even for a denormal is 0 (a denormal is read as such).
    if (ergebnis.ec == std::errc::result_out_of_range && ist_unterlauf(p, ergebnis.ptr, hex)) {
        wert = 0.0;
        ergebnis.ec = std::errc();
    }
    if (ergebnis.ec == std::errc() && negativ)
        wert = -wert;
    return ergebnis;
}

namespace {

int stellen_fuer(double zahl, int nachkommastellen, int max_nachkommastellen, int modus)
{
    if (modus == 2)
        return std::min(max_nachkommastellen, zaehle_nachkommastellen(zahl));
    return nachkommastellen;
}

} // namespace

bool versuche_double_zu_string(double zahl, int breite, int nachkommastellen, int max_nachkommastellen,
                               int modus, int art, bool ungetrimmt, int nan_leer, int strich_leer,
                               std::string& text)
{
    const bool formatiert = versuche_formatiere_double(
        zahl, breite, stellen_fuer(zahl, nachkommastellen, max_nachkommastellen, modus), art, 0.0, "0.0",
        nan_leer, strich_leer, text);
    if (formatiert && !ungetrimmt)
        text = trimme(text, true, true, ' ');
    return formatiert;
}

std::string double_zu_string(double zahl, int breite, int nachkommastellen, int max_nachkommastellen,
                             int modus, int art, bool ungetrimmt, int nan_leer, int strich_leer)
{
    std::string text = formatiere_double(zahl, breite,
                                         stellen_fuer(zahl, nachkommastellen, max_nachkommastellen, modus),
                                         art, 0.0, "0.0", nan_leer, strich_leer);
    return ungetrimmt ? text : trimme(text, true, true, ' ');
}

double string_zu_double(const std::string& text, bool* ok)
{
    if (ok)
        *ok = true;
    const std::string getrimmt = trimme(text, true, true, ' ');
    if (getrimmt.empty() || getrimmt == "-")
        return 99999999.0;

    std::string t = text;
    const char trenner = gib_dezimaltrennzeichen();
    if (trenner != '.' && trenner != '\0') {
        const auto stelle = t.find(trenner);
        if (stelle != std::string::npos)
            t[stelle] = '.';
    }
    t.erase(std::remove(t.begin(), t.end(), ' '), t.end());

    const char* const ende = t.data() + t.size();
    double wert = 0.0;
    const auto [rest, fehler] = lies_double(t.data(), ende, wert);
    if (fehler == std::errc() && rest == ende)
        return wert;
    if (fehler != std::errc::result_out_of_range && (t == "." || t == "-." || t == "-"))
        return 0.0;
    if (ok)
        *ok = false;
    else
        warne("string_zu_double",
              uebersetzt(QT_TRANSLATE_NOOP("QObject", "Buchstabe bei Umwandlung von string in double: %1"))
                  .arg(CString(text)));
    return 99999999.0;
}

std::string trimme(const std::string& text, bool vorne, bool hinten, char fuellzeichen)
{
    std::string t = text;
    if (vorne || fuellzeichen != ' ') {
        const auto anzahl = std::min(t.find_first_not_of(' '), t.size());
        if (fuellzeichen == ' ')
            t.erase(0, anzahl);
        else
            std::fill_n(t.begin(), anzahl, fuellzeichen);
    }
    if (hinten) {
        const auto letzte = t.find_last_not_of(" \r");
        t.erase(letzte == std::string::npos ? 0 : letzte + 1);
    }
    return t;
}

void trimme_rechts(char* text)
{
    if (!text)
        return;
    std::size_t laenge = std::strlen(text);
    while (laenge > 0 && (text[laenge - 1] == ' ' || text[laenge - 1] == '\r'))
        --laenge;
    text[laenge] = '\0';
}

void entferne_zeichen(char* text, int index)
{
    if (!text || index < 0)
        return;
    const std::size_t laenge = std::strlen(text);
    const auto i = static_cast<std::size_t>(index);
    if (i >= laenge)
        return;
    std::memmove(text + i, text + i + 1, laenge - i); // with the terminating zero
}

void rechtsbuendig(char* text, int breite)
{
    if (!text || breite <= 0)
        return;
    const std::size_t laenge = std::strlen(text);
    const auto feld = static_cast<std::size_t>(breite);
    if (laenge >= feld)
        return;
    std::memmove(text + (feld - laenge), text, laenge + 1);
    std::memset(text, ' ', feld - laenge);
}

bool beginnt_mit(const char* text, const char* anfang)
{
    if (!text || !anfang)
        return false;
    const std::size_t n = std::strlen(anfang);
    return std::strlen(text) >= n && std::strncmp(text, anfang, n) == 0;
}

std::string in_grossbuchstaben(const std::string& text)
{
    std::string t = text;
    for (char& z : t)
        if (z >= 'a' && z <= 'z')
            z = static_cast<char>(z - 'a' + 'A');
    return t;
}

std::string ab_position(const std::string& text, int position)
{
    if (position < 0 || static_cast<std::size_t>(position) >= text.size())
        return position == 0 ? text : std::string();
    return text.substr(static_cast<std::size_t>(position));
}

const std::set<char32_t>& gib_sonderzeichen()
{
    static const std::set<char32_t> menge{U'/', U'\\', U'"', U'\u00B4', U'`', U';', U'\''};
    return menge;
}

std::string maskiere(const std::string& text, int max_laenge)
{
    static const std::string fluchttext = "\\";
    const std::size_t grenze =
        (max_laenge <= 0 || max_laenge == NICHT_GESETZT) ? 1000000 : static_cast<std::size_t>(max_laenge);
    const auto letzte = text.find_last_not_of(" \r");
    if (letzte == std::string::npos)
        return "";
    const std::string t = text.substr(0, letzte + 1);

    const std::set<char32_t>& sonderzeichen = gib_sonderzeichen();
    std::string ergebnis;
    std::size_t zeichenzahl = 0;
    for (std::size_t i = 0; i < t.size() && zeichenzahl < grenze; ++zeichenzahl) {
        char32_t zeichen = 0;
        std::size_t laenge = utf8_laenge(t, i, zeichen);
        if (laenge == 0) {
            laenge = 1;
            zeichen = static_cast<unsigned char>(t[i]);
        }
        if (sonderzeichen.count(zeichen))
            ergebnis += fluchttext;
        ergebnis.append(t, i, laenge);
        i += laenge;
    }
    return ergebnis;
}
