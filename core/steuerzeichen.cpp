#include "steuerzeichen.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

struct Bereich
{
    char32_t von;
    char32_t bis;
};

// Default_Ignorable_Code_Point as Unicode's DerivedCoreProperties.txt lists it: characters a
// renderer shows as nothing when it does not know them (fillers, variation selectors, tags, and
// the code points kept free for more of them), in ascending order.
constexpr Bereich ignorierbare[] = {
    {0x00AD, 0x00AD},   {0x034F, 0x034F},   {0x061C, 0x061C}, {0x115F, 0x1160}, {0x17B4, 0x17B5},
    {0x180B, 0x180F},   {0x200B, 0x200F},   {0x202A, 0x202E}, {0x2060, 0x206F}, {0x3164, 0x3164},
    {0xFE00, 0xFE0F},   {0xFEFF, 0xFEFF},   {0xFFA0, 0xFFA0}, {0xFFF0, 0xFFF8}, {0x1BCA0, 0x1BCA3},
    {0x1D173, 0x1D17A}, {0xE0000, 0xE0FFF},
};

// Extended_Pictographic as Unicode's emoji-data.txt lists it: the pictures an emoji sequence is
// made of (a joiner between two of them makes one picture), in ascending order.
constexpr Bereich bildzeichen[] = {
    {0x00A9, 0x00A9},   {0x00AE, 0x00AE},   {0x203C, 0x203C},   {0x2049, 0x2049},   {0x2122, 0x2122},
    {0x2139, 0x2139},   {0x2194, 0x2199},   {0x21A9, 0x21AA},   {0x231A, 0x231B},   {0x2328, 0x2328},
    {0x2388, 0x2388},   {0x23CF, 0x23CF},   {0x23E9, 0x23F3},   {0x23F8, 0x23FA},   {0x24C2, 0x24C2},
    {0x25AA, 0x25AB},   {0x25B6, 0x25B6},   {0x25C0, 0x25C0},   {0x25FB, 0x25FE},   {0x2600, 0x2605},
    {0x2607, 0x2612},   {0x2614, 0x2685},   {0x2690, 0x2705},   {0x2708, 0x2712},   {0x2714, 0x2714},
    {0x2716, 0x2716},   {0x271D, 0x271D},   {0x2721, 0x2721},   {0x2728, 0x2728},   {0x2733, 0x2734},
    {0x2744, 0x2744},   {0x2747, 0x2747},   {0x274C, 0x274C},   {0x274E, 0x274E},   {0x2753, 0x2755},
    {0x2757, 0x2757},   {0x2763, 0x2767},   {0x2795, 0x2797},   {0x27A1, 0x27A1},   {0x27B0, 0x27B0},
    {0x27BF, 0x27BF},   {0x2934, 0x2935},   {0x2B05, 0x2B07},   {0x2B1B, 0x2B1C},   {0x2B50, 0x2B50},
    {0x2B55, 0x2B55},   {0x3030, 0x3030},   {0x303D, 0x303D},   {0x3297, 0x3297},   {0x3299, 0x3299},
    {0x1F000, 0x1F0FF}, {0x1F10D, 0x1F10F}, {0x1F12F, 0x1F12F}, {0x1F16C, 0x1F171}, {0x1F17E, 0x1F17F},
    {0x1F18E, 0x1F18E}, {0x1F191, 0x1F19A}, {0x1F1AD, 0x1F1E5}, {0x1F201, 0x1F20F}, {0x1F21A, 0x1F21A},
    {0x1F22F, 0x1F22F}, {0x1F232, 0x1F23A}, {0x1F23C, 0x1F23F}, {0x1F249, 0x1F3FA}, {0x1F400, 0x1F53D},
    {0x1F546, 0x1F64F}, {0x1F680, 0x1F6FF}, {0x1F774, 0x1F77F}, {0x1F7D5, 0x1F7FF}, {0x1F80C, 0x1F80F},
    {0x1F848, 0x1F84F}, {0x1F85A, 0x1F85F}, {0x1F888, 0x1F88F}, {0x1F8AE, 0x1F8FF}, {0x1F90C, 0x1F93A},
    {0x1F93C, 0x1F945}, {0x1F947, 0x1FAFF}, {0x1FC00, 0x1FFFD},
};

constexpr char32_t zwnj = 0x200C;
constexpr char32_t zwj = 0x200D;
constexpr char32_t text_stil = 0xFE0E;
constexpr char32_t emoji_stil = 0xFE0F;
constexpr char32_t tastenkappe = 0x20E3;
constexpr unsigned char virama = 9; // canonical combining class

bool liegt_in(const Bereich* anfang, const Bereich* ende, char32_t c)
{
    const Bereich* b = std::upper_bound(anfang, ende, c, [](char32_t x, const Bereich& r) { return x < r.von; });
    return b != anfang && c <= std::prev(b)->bis;
}

bool ist_bildzeichen(char32_t c)
{
    return liegt_in(std::begin(bildzeichen), std::end(bildzeichen), c);
}

// The five skin tones, which colour the emoji before them.
bool ist_hautton(char32_t c)
{
    return c >= 0x1F3FB && c <= 0x1F3FF;
}

bool ist_variantenwaehler(char32_t c)
{
    return (c >= 0xFE00 && c <= 0xFE0F) || (c >= 0xE0100 && c <= 0xE01EF);
}

bool ist_mongolischer_waehler(char32_t c)
{
    return (c >= 0x180B && c <= 0x180D) || c == 0x180F;
}

bool ist_buchstabe_der_schrift(char32_t c, QChar::Script schrift)
{
    return QChar::isLetter(uint(c)) && QChar::script(uint(c)) == schrift;
}

bool ist_steuerzeichen(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

bool ist_ignorierbar(char32_t c)
{
    return liegt_in(std::begin(ignorierbare), std::end(ignorierbare), c);
}

// Invisible whatever stands around it. A lone surrogate counts: no encoding can write it.
bool ist_unsichtbar(char32_t c)
{
    if (c >= 0x20 && c < 0x7F)
        return false;
    return ist_steuerzeichen(c) || (c >= 0xD800 && c <= 0xDFFF) || QChar::category(uint(c)) == QChar::Other_Format
           || ist_ignorierbar(c);
}

// The code points of the text, a surrogate without its partner as itself.
std::vector<char32_t> codepunkte(const QString& text)
{
    std::vector<char32_t> punkte;
    punkte.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            punkte.push_back(QChar::surrogateToUcs4(c, text.at(++i)));
        else
            punkte.push_back(c.unicode());
    }
    return punkte;
}

QChar::JoiningType verbindung(char32_t c)
{
    return QChar::joiningType(uint(c));
}

// Whether the letter nearest to `i` on one side (marks transparent to joining skipped) joins
// towards `i`: the one before joining to its left, the one after joining to its right.
bool schliesst_an(const std::vector<char32_t>& punkte, std::size_t i, bool davor)
{
    std::size_t j = i;
    for (;;) {
        if (davor ? j == 0 : j + 1 >= punkte.size())
            return false;
        j = davor ? j - 1 : j + 1;
        const QChar::JoiningType art = verbindung(punkte[j]);
        if (art != QChar::Joining_Transparent)
            return art == QChar::Joining_Dual || art == (davor ? QChar::Joining_Left : QChar::Joining_Right);
    }
}

// A joiner between two pictures of an emoji sequence, the selectors and skin tones of the first
// between them: "👩‍💻" is one picture.
bool verbindet_bilder(const std::vector<char32_t>& punkte, std::size_t i)
{
    std::size_t vor = i;
    while (vor > 0 && (punkte[vor - 1] == emoji_stil || ist_hautton(punkte[vor - 1])))
        --vor;
    return vor > 0 && ist_bildzeichen(punkte[vor - 1]) && i + 1 < punkte.size() && ist_bildzeichen(punkte[i + 1]);
}

// Whether the joiner at `i` shapes what stands around it: either joiner right after a virama and
// a joiner right before one after a letter of its script (Bengali ra, joiner, virama, ya); a
// non-joiner between a letter joining to its left and one joining to its right (IDNA's CONTEXTJ);
// a joiner that gives the letter on one side only the joined form it would not have (Arabic
// "ه‍"); a joiner of an emoji sequence. Anywhere else it only hides in a name.
bool verbindet(const std::vector<char32_t>& punkte, std::size_t i)
{
    if (i > 0 && QChar::combiningClass(uint(punkte[i - 1])) == virama)
        return true;
    const bool links = schliesst_an(punkte, i, true);
    const bool rechts = schliesst_an(punkte, i, false);
    if (punkte[i] == zwnj)
        return links && rechts;
    if (i > 0 && i + 1 < punkte.size() && QChar::combiningClass(uint(punkte[i + 1])) == virama
        && ist_buchstabe_der_schrift(punkte[i - 1], QChar::script(uint(punkte[i + 1]))))
        return true;
    return links != rechts || verbindet_bilder(punkte, i);
}

// Whether the selector at `i` chooses a form of the character right before it: the emoji or text
// style of a picture (of a keycap's digit too), a variant of an ideograph, a Mongolian letter's
// variant. A selector anywhere else selects nothing and only hides.
bool waehlt_form(const std::vector<char32_t>& punkte, std::size_t i)
{
    if (i == 0)
        return false;
    const char32_t c = punkte[i];
    const char32_t basis = punkte[i - 1];
    if (ist_mongolischer_waehler(c))
        return ist_buchstabe_der_schrift(basis, QChar::Script_Mongolian);
    if (ist_buchstabe_der_schrift(basis, QChar::Script_Han))
        return true;
    if (c != emoji_stil && c != text_stil)
        return false;
    if (ist_bildzeichen(basis))
        return true;
    const bool kappe = (basis >= '0' && basis <= '9') || basis == '#' || basis == '*';
    return kappe && i + 1 < punkte.size() && punkte[i + 1] == tastenkappe;
}

bool ist_unsichtbar_an(const std::vector<char32_t>& punkte, std::size_t i)
{
    const char32_t c = punkte[i];
    if ((c == zwnj || c == zwj) && verbindet(punkte, i))
        return false;
    if ((ist_variantenwaehler(c) || ist_mongolischer_waehler(c)) && waehlt_form(punkte, i))
        return false;
    return ist_unsichtbar(c);
}

// Fast answer for the common text with nothing to look at closer.
bool nur_sichtbares_ascii(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7F; });
}

void haenge_an(QString& text, char32_t c)
{
    if (QChar::requiresSurrogates(uint(c))) {
        text += QChar(QChar::highSurrogate(uint(c)));
        text += QChar(QChar::lowSurrogate(uint(c)));
    } else {
        text += QChar(static_cast<ushort>(c));
    }
}

// The text rebuilt code point by code point, each invisible one handed to `ersatz`.
template <typename Ersatz>
QString ersetze_unsichtbare(const QString& text, Ersatz ersatz)
{
    if (nur_sichtbares_ascii(text))
        return text;
    const std::vector<char32_t> punkte = codepunkte(text);
    QString ergebnis;
    ergebnis.reserve(text.size() + 8);
    for (std::size_t i = 0; i < punkte.size(); ++i) {
        if (ist_unsichtbar_an(punkte, i))
            ersatz(ergebnis, punkte[i]);
        else
            haenge_an(ergebnis, punkte[i]);
    }
    return ergebnis;
}

} // namespace

bool hat_steuerzeichen(const QString& text)
{
    const std::vector<char32_t> punkte = codepunkte(text);
    return std::any_of(punkte.begin(), punkte.end(), ist_steuerzeichen);
}

bool hat_unsichtbare_zeichen(const QString& text)
{
    if (nur_sichtbares_ascii(text))
        return false;
    const std::vector<char32_t> punkte = codepunkte(text);
    for (std::size_t i = 0; i < punkte.size(); ++i)
        if (ist_unsichtbar_an(punkte, i))
            return true;
    return false;
}

QString ohne_unsichtbare_zeichen(const QString& text)
{
    return ersetze_unsichtbare(text, [](QString&, char32_t) {});
}

QString gestalt_des_namens(const QString& text)
{
    if (nur_sichtbares_ascii(text))
        return text;
    QString gestalt;
    for (const char32_t c : codepunkte(ohne_unsichtbare_zeichen(text).normalized(QString::NormalizationForm_C)))
        if (c != zwnj && c != zwj && !ist_variantenwaehler(c) && !ist_mongolischer_waehler(c))
            haenge_an(gestalt, c);
    return gestalt;
}

QString maskiere_steuerzeichen(const QString& text)
{
    // Hexadecimal throughout: the protocol window's HTML turns a backslash and "n" into a break.
    return ersetze_unsichtbare(text, [](QString& ergebnis, char32_t c) {
        if (c <= 0xFF)
            ergebnis += QStringLiteral("\\x%1").arg(uint(c), 2, 16, QLatin1Char('0'));
        else if (c <= 0xFFFF)
            ergebnis += QStringLiteral("\\u%1").arg(uint(c), 4, 16, QLatin1Char('0'));
        else
            ergebnis += QStringLiteral("\\U%1").arg(uint(c), 8, 16, QLatin1Char('0'));
    });
}
