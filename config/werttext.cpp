#include "allg.h"
#include "werttext.h"
#include "ci18n.h"
#include "cvariablebeschr.h"
#include "kerneinstellungen.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>


namespace {

bool ist_leerzeichen(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool ist_ziffer(char c)
{
    return c >= '0' && c <= '9';
}

std::string ohne_rand(const std::string& text)
{
    std::size_t a = 0;
    std::size_t e = text.size();
    while (a < e && ist_leerzeichen(text[a]))
        ++a;
    while (e > a && ist_leerzeichen(text[e - 1]))
        --e;
    return text.substr(a, e - a);
}

// Sign and digits of a whole number; false when the text is anything else.
bool zerlege_ganzzahl(const std::string& text, bool& negativ, std::string& ziffern)
{
    const std::string t = ohne_rand(text);
    std::size_t i = 0;
    negativ = false;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) {
        negativ = t[i] == '-';
        ++i;
    }
    ziffern = t.substr(i);
    if (ziffern.empty())
        return false;
    for (char c : ziffern)
        if (!ist_ziffer(c))
            return false;
    return true;
}

template <typename T>
ELesen lies_ganzzahl(const std::string& text, T& wert)
{
    bool negativ = false;
    std::string ziffern;
    if (!zerlege_ganzzahl(text, negativ, ziffern))
        return ELesen::UNGUELTIG;
    unsigned long long betrag = 0;
    const auto [ende, fehler] = std::from_chars(ziffern.data(), ziffern.data() + ziffern.size(), betrag);
    (void)ende;
    if (fehler == std::errc::result_out_of_range)
        return negativ ? ELesen::ZU_KLEIN : ELesen::ZU_GROSS;
    if (negativ) {
        if (betrag == 0) {
            wert = 0;
            return ELesen::OK;
        }
        // |min| of T as unsigned: max + 1 for signed types, 0 for unsigned ones.
        const unsigned long long grenze =
            std::numeric_limits<T>::is_signed ? static_cast<unsigned long long>(std::numeric_limits<T>::max()) + 1 : 0;
        if (betrag > grenze)
            return ELesen::ZU_KLEIN;
        wert = static_cast<T>(-static_cast<long long>(betrag));
        return ELesen::OK;
    }
    if (betrag > static_cast<unsigned long long>(std::numeric_limits<T>::max()))
        return ELesen::ZU_GROSS;
    wert = static_cast<T>(betrag);
    return ELesen::OK;
}

// printf "%.<n>f" with a point.
std::string festkomma(double zahl, int nachkommastellen)
{
    char puffer[512];
    const auto [ende, fehler] =
        std::to_chars(puffer, puffer + sizeof puffer, zahl, std::chars_format::fixed, nachkommastellen);
    return fehler == std::errc() ? std::string(puffer, ende) : std::string("***");
}

} // namespace

std::string ganzzahl_text(long long zahl)
{
    char puffer[32];
    const auto [ende, fehler] = std::to_chars(puffer, puffer + sizeof puffer, zahl);
    (void)fehler;
    return std::string(puffer, ende);
}

std::string ja_nein(const EBool& wert, CKlasse* kontext)
{
    const char* text = wert == JA ? "Ja" : "Nein";
    return kontext ? uebersetze_(CString(text), kontext).gib_string() : std::string(text);
}

std::string double_text(const CVariableBeschr& beschreiber, double zahl, int modus, int leer)
{
    return double_zu_string(zahl, 8, beschreiber.gib_nachkommastellen(), beschreiber.gib_stellenzahl(), modus,
                            beschreiber.ist_exponentialform() ? 1 : 2, false, leer, leer);
}

std::string anzeige_text(double zahl, int stellen, int breite)
{
    std::string text;
    if (breite == 0)
        return "***";
    if (breite == 99999999) {
        if (zahl > std::pow(10.0, 97 - stellen) - 0.000001)
            return "UEB";
        text = festkomma(zahl, stellen != 0 && stellen != 99999999 ? stellen : 6);
        if (text.size() > 100)
            text.erase(100);
    } else {
        int platz = breite;
        double betrag = zahl;
        if (zahl < 0) {
            platz = breite - 1;
            betrag = -zahl;
        }
        if (betrag >= 1e9)
            return "***";
        int ganzstellen = 1;
        for (double grenze = 10.0; betrag >= grenze && ganzstellen < 9; grenze *= 10.0)
            ++ganzstellen;
        if (ganzstellen > platz)
            return "***";
        const int nachkomma = platz - ganzstellen - 1;
        text = festkomma(zahl, nachkomma >= 1 && stellen != 0 ? std::min(nachkomma, stellen) : 0);
    }
    const char trenner = gib_dezimaltrennzeichen();
    const auto punkt = text.find('.');
    if (trenner != '.' && trenner != '\0' && punkt != std::string::npos)
        text[punkt] = trenner;
    return text;
}

std::string db_double_text(double zahl)
{
    char puffer[64];
    const auto [ende, fehler] = std::to_chars(puffer, puffer + sizeof puffer, zahl, std::chars_format::general, 6);
    (void)fehler;
    return std::string(puffer, ende);
}

ELesen lies_zahl(const std::string& text, int& wert)
{
    return lies_ganzzahl(text, wert);
}

ELesen lies_zahl(const std::string& text, unsigned& wert)
{
    return lies_ganzzahl(text, wert);
}

ELesen lies_zahl(const std::string& text, double& wert)
{
    std::string t = ohne_rand(text);
    const char trenner = gib_dezimaltrennzeichen();
    if (trenner != '.' && trenner != '\0') {
        const auto pos = t.find(trenner);
        if (pos != std::string::npos)
            t[pos] = '.';
    }
    // Only digits, one point, an exponent and signs where a number has them: no "inf", "nan", hex.
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        ++i;
    std::size_t ziffern = 0;
    bool punkt = false;
    for (; i < t.size() && (ist_ziffer(t[i]) || t[i] == '.'); ++i) {
        if (t[i] == '.') {
            if (punkt)
                return ELesen::UNGUELTIG;
            punkt = true;
        } else {
            ++ziffern;
        }
    }
    if (ziffern == 0)
        return ELesen::UNGUELTIG;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-'))
            ++i;
        if (i == t.size())
            return ELesen::UNGUELTIG;
        for (; i < t.size(); ++i)
            if (!ist_ziffer(t[i]))
                return ELesen::UNGUELTIG;
    }
    if (i != t.size())
        return ELesen::UNGUELTIG;
    // Read as the core reads numbers: a value too small for a double is 0, one too large is out of range.
    double zahl = 0.0;
    const auto [ende, fehler] = lies_double(t.data(), t.data() + t.size(), zahl);
    if (fehler == std::errc::result_out_of_range)
        return t[0] == '-' ? ELesen::ZU_KLEIN : ELesen::ZU_GROSS;
    if (fehler != std::errc() || ende != t.data() + t.size())
        return ELesen::UNGUELTIG;
    wert = zahl;
    return ELesen::OK;
}
