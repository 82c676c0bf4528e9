#include "allg.h"
#include "ci18n.h"
#include "cstring.h"
#include "kerneinstellungen.h"
#include "melde.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

const int WARNUNG = 4;

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

std::string rechtsbuendig_in(const std::string& text, int breite)
{
    if (breite > 0 && static_cast<int>(text.size()) < breite)
        return std::string(breite - text.size(), ' ') + text;
    return text;
}

template <typename T>
std::string ganzzahl_text(T zahl, int breite)
{
    if (breite < 0 || breite > 99) {
        warne("itoa", uebersetzt("Breiteangabe breite=%1 nicht im erlaubten Bereich: 0<=breite<100.")
                          .arg(CString(std::to_string(breite))));
        return "*";
    }
    if (zahl == static_cast<T>(99999999))
        return nicht_gesetzt_text(breite);
    const std::string text = rechtsbuendig_in(std::to_string(zahl), breite);
    if (breite != 0 && static_cast<int>(text.size()) > breite)
        warne("itoa", uebersetzt("Ausgabe einer Zahl (%1) uebersteigt angegebene Breite (%2)")
                          .arg(CString(text))
                          .arg(CString(std::to_string(breite))));
    return text;
}

// Locale-free "%#.<n>f" / "%#.<n>E" (six decimals for a negative n).
std::string formatiere(double zahl, int nachkommastellen, bool exponential)
{
    char puffer[512];
    const int n = nachkommastellen < 0 ? 6 : nachkommastellen;
    const auto format = exponential ? std::chars_format::scientific : std::chars_format::fixed;
    auto [ende, fehler] = std::to_chars(puffer, puffer + sizeof puffer, zahl, format, n);
    if (fehler != std::errc())
        return "*";
    std::string text(puffer, ende);
    if (exponential) {
        const auto e = text.find('e');
        if (e != std::string::npos)
            text[e] = 'E';
        if (text.find('.') == std::string::npos)
            text.insert(e, ".");
    } else if (text.find('.') == std::string::npos) {
        text += '.';
    }
    const char trenner = gib_dezimaltrennzeichen();
    if (trenner != '.' && trenner != '\0') {
        const auto punkt = text.find('.');
        if (punkt != std::string::npos)
            text[punkt] = trenner;
    }
    return text;
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
        warne("itohex", uebersetzt("Ungueltiger Eingabewert in itohex()"));
        return '0';
    }
    return "0123456789ABCDEF"[wert];
}

std::string dtoa(double zahl, int breite, int nachkommastellen, int art)
{
    if (std::isnan(zahl) || std::isinf(zahl))
        return "nan";
    if (zahl == 99999999.0)
        return nicht_gesetzt_text(breite);
    if (breite < 0 || breite > 399) {
        warne("dtoa", uebersetzt("Breiteangabe breite=%1 nicht im erlaubten Bereich: 0<=breite<%2.")
                          .arg(CString(std::to_string(breite)))
                          .arg(CString("400")));
        return "*";
    }
    bool exponential = art == 1;
    if (art != 1 && art != 2)
        exponential = zahl != 0.0 && std::fabs(zahl) < 0.001;
    std::string text = formatiere(zahl, nachkommastellen, exponential);
    if (breite > 0) {
        if (static_cast<int>(text.size()) > breite)
            return std::string(breite, '*');
        text += std::string(breite - text.size(), ' ');
    }
    return text;
}
