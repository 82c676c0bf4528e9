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

constexpr char32_t zwnj = 0x200C;
constexpr char32_t zwj = 0x200D;
constexpr unsigned char virama = 9; // canonical combining class

bool ist_steuerzeichen(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

bool ist_ignorierbar(char32_t c)
{
    const Bereich* b = std::upper_bound(std::begin(ignorierbare), std::end(ignorierbare), c,
                                        [](char32_t x, const Bereich& r) { return x < r.von; });
    return b != std::begin(ignorierbare) && c <= std::prev(b)->bis;
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

// Whether the joiner at `i` shapes the letters around it, as IDNA's CONTEXTJ rule has it: either
// joiner right after a virama, or a non-joiner between a letter joining to its left and one joining
// to its right (transparent marks between them). Anywhere else it only hides in a name.
bool verbindet(const std::vector<char32_t>& punkte, std::size_t i)
{
    if (i > 0 && QChar::combiningClass(uint(punkte[i - 1])) == virama)
        return true;
    if (punkte[i] != zwnj)
        return false;
    std::size_t vor = i;
    while (vor > 0 && verbindung(punkte[vor - 1]) == QChar::Joining_Transparent)
        --vor;
    std::size_t nach = i + 1;
    while (nach < punkte.size() && verbindung(punkte[nach]) == QChar::Joining_Transparent)
        ++nach;
    if (vor == 0 || nach == punkte.size())
        return false;
    const QChar::JoiningType links = verbindung(punkte[vor - 1]);
    const QChar::JoiningType rechts = verbindung(punkte[nach]);
    return (links == QChar::Joining_Left || links == QChar::Joining_Dual)
           && (rechts == QChar::Joining_Right || rechts == QChar::Joining_Dual);
}

bool ist_unsichtbar_an(const std::vector<char32_t>& punkte, std::size_t i)
{
    const char32_t c = punkte[i];
    if ((c == zwnj || c == zwj) && verbindet(punkte, i))
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
