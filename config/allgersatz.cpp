#include "allgersatz.h"
#include "ci18n.h"
#include "cstring.h"
#include "kerneinstellungen.h"
#include "melde.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>

namespace allg_ersatz {

namespace {

const int WARNUNG = 4;

void warne(const char* funktion, const std::string& text)
{
    melde(WARNUNG, klasse_funktion, funktion, text);
}

std::string uebersetzt(const char* text)
{
    return uebersetze_(CString(text), klasse_funktion).gib_string();
}

std::string rechtsbuendig(const std::string& text, int breite)
{
    if (breite > 0 && static_cast<int>(text.size()) < breite)
        return std::string(breite - text.size(), ' ') + text;
    return text;
}

std::string nicht_gesetzt_text(int breite)
{
    return breite < 2 ? std::string("-") : std::string(breite - 1, ' ') + "-";
}

std::string ueberlauf_text(int breite)
{
    return std::string(std::clamp(breite, 0, 21), '*');
}

std::string zeichen(double zahl, std::chars_format format, int genauigkeit)
{
    char puffer[1100];
    auto [ende, fehler] = std::to_chars(puffer, puffer + sizeof puffer, zahl, format, genauigkeit);
    return fehler == std::errc() ? std::string(puffer, ende) : std::string("*");
}

// The '#' flag: the decimal point stays even without decimals.
void mit_punkt(std::string& text, std::string::size_type vor)
{
    if (text.find('.') == std::string::npos)
        text.insert(vor, ".");
}

std::string exponential(double zahl, int genauigkeit)
{
    std::string text = zeichen(zahl, std::chars_format::scientific, genauigkeit);
    auto e = text.find('e');
    if (e == std::string::npos)
        return text;
    text[e] = 'E';
    mit_punkt(text, e);
    return text;
}

std::string fest(double zahl, int genauigkeit)
{
    std::string text = zeichen(zahl, std::chars_format::fixed, genauigkeit);
    mit_punkt(text, text.size());
    return text;
}

// "%#.<n>G": significant digits with trailing zeros kept.
std::string allgemein(double zahl, int genauigkeit)
{
    const int p = genauigkeit == 0 ? 1 : genauigkeit;
    const std::string probe = exponential(zahl, p - 1);
    const auto e = probe.find('E');
    int x = 0;
    if (e != std::string::npos) {
        const char* a = probe.c_str() + e + 1;
        std::from_chars(a + (*a == '+' ? 1 : 0), probe.c_str() + probe.size(), x);
    }
    if (p > x && x >= -4)
        return fest(zahl, p - 1 - x);
    return probe;
}

} // namespace

int runde(double zahl)
{
    if (zahl == 99999999.0 || std::isnan(zahl))
        return 99999999;
    const double r = zahl > 0 ? std::trunc(zahl + 0.5) : std::trunc(zahl - 0.5);
    if (r >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (r <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(r);
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
    if (std::fabs(zahl - std::trunc(zahl)) <= 1e-100)
        return 0;
    double faktor = 1.0;
    for (int k = 1; k <= 12; ++k) {
        faktor *= 10.0;
        const double x = faktor * zahl;
        if (std::fabs(x - std::trunc(x)) <= 1e-100)
            return k;
    }
    return 12;
}

std::string formatiere_double(double zahl, int gesamtstellen, int nachkommastellen, int art,
                              double schwellwert, std::string nullstring, int nan_leer, int strich_leer)
{
    std::string text;
    bool gewoehnlich = false;
    if (std::isnan(zahl) || std::isinf(zahl)) {
        text = nan_leer == 1 ? std::string() : rechtsbuendig("nan", gesamtstellen);
    } else if (std::fabs(zahl) < schwellwert) {
        text = nullstring;
    } else if (zahl == 99999999.0) {
        text = strich_leer == 1 ? std::string() : nicht_gesetzt_text(gesamtstellen);
    } else if (gesamtstellen < 0 || gesamtstellen > 99) {
        warne("ftoa", "Gesamtstellenangabe gesamtstellen=" + std::to_string(gesamtstellen)
                          + "nicht im erlaubten Bereich: 0<=gesamtstellen<100."
                          + " für Funktion ftoa(const double& zahl, const int& gesamtstellen, const int& "
                            "nachkommastellen, const int& art, const double& schwellwert, const string& "
                            "nullstring) in 'allg' ");
        text = "*";
    } else if (art == 2 && std::fabs(zahl) > 1e50) {
        warne("ftoa", uebersetzt("Zahl kann nicht dargestellt werden"));
        text = ueberlauf_text(gesamtstellen);
    } else {
        gewoehnlich = true;
    }
    const char trenner = gib_dezimaltrennzeichen();
    if (!gewoehnlich) {
        if (std::fabs(zahl) < schwellwert && text == "0.0" && trenner == ',')
            text = "0,0";
        return text;
    }
    const int n = nachkommastellen < 0 ? 6 : nachkommastellen;
    if (art == 1)
        text = exponential(zahl, n);
    else if (art == 2)
        text = fest(zahl, n);
    else
        text = allgemein(zahl, n);
    if (trenner != '.' && trenner != '\0') {
        const auto punkt = text.find('.');
        if (punkt != std::string::npos)
            text[punkt] = trenner;
    }
    return rechtsbuendig(text, gesamtstellen);
}

std::string double_zu_string(double zahl, int breite, int nachkommastellen, int max_nachkommastellen,
                             int modus, int art, bool ungetrimmt, int nan_leer, int strich_leer)
{
    const int stellen =
        modus == 2 ? std::min(max_nachkommastellen, zaehle_nachkommastellen(zahl)) : nachkommastellen;
    const std::string text = formatiere_double(zahl, breite, stellen, art, 0.0, "0.0", nan_leer, strich_leer);
    return ungetrimmt ? text : trimme(text, true, true, ' ');
}

std::string trimme(std::string text, bool vorne, bool hinten, char fuellzeichen)
{
    const auto erstes = text.find_first_not_of(' ');
    if (erstes == std::string::npos)
        return std::string();
    if (vorne || fuellzeichen != ' ') {
        if (fuellzeichen == ' ')
            text.erase(0, erstes);
        else
            std::fill(text.begin(), text.begin() + erstes, fuellzeichen);
    }
    if (hinten) {
        const auto letztes = text.find_last_not_of(" \r");
        text.erase(letztes == std::string::npos ? 0 : letztes + 1);
    }
    return text;
}

std::string maskiere(std::string text, int max_laenge)
{
    if (max_laenge == 0 || max_laenge == 99999999)
        max_laenge = 1000000;
    const auto letztes = text.find_last_not_of(" \r");
    if (letztes == std::string::npos)
        return std::string();
    text.erase(letztes + 1);
    if (max_laenge > 0 && text.size() > static_cast<std::size_t>(max_laenge))
        text.erase(max_laenge);
    std::string ergebnis;
    ergebnis.reserve(text.size() * 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        // The acute accent is the UTF-8 pair C2 B4; a lone B4 byte belongs to another character.
        const bool akut = c == '\xC2' && i + 1 < text.size() && text[i + 1] == '\xB4';
        const bool sonder = c != '\0' && std::strchr("/\\\"`;'", c) != nullptr;
        if (akut || sonder)
            ergebnis += '\\';
        ergebnis += c;
        if (akut)
            ergebnis += text[++i];
    }
    return ergebnis;
}

std::string in_grossbuchstaben(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

bool beginnt_mit(const char* text, const char* anfang)
{
    if (!text || !anfang)
        return false;
    const std::size_t n = std::strlen(anfang);
    return std::strlen(text) >= n && std::strncmp(text, anfang, n) == 0;
}

} // namespace allg_ersatz
