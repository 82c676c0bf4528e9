#include "steuerzeichen.h"

namespace {

bool ist_steuerzeichen(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

bool ist_formatzeichen(char16_t c)
{
    return (c >= 0x200B && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) || (c >= 0x2060 && c <= 0x2064)
           || (c >= 0x2066 && c <= 0x2069) || c == 0xFEFF;
}

bool ist_unsichtbar(char16_t c)
{
    return ist_steuerzeichen(c) || ist_formatzeichen(c);
}

template <typename Art>
bool enthaelt(const QString& text, Art art)
{
    for (const QChar c : text)
        if (art(c.unicode()))
            return true;
    return false;
}

} // namespace

bool hat_steuerzeichen(const QString& text)
{
    return enthaelt(text, ist_steuerzeichen);
}

bool hat_unsichtbare_zeichen(const QString& text)
{
    return enthaelt(text, ist_unsichtbar);
}

QString ohne_unsichtbare_zeichen(const QString& text)
{
    if (!hat_unsichtbare_zeichen(text))
        return text;
    QString ergebnis;
    ergebnis.reserve(text.size());
    for (const QChar c : text)
        if (!ist_unsichtbar(c.unicode()))
            ergebnis += c;
    return ergebnis;
}

QString maskiere_steuerzeichen(const QString& text)
{
    if (!hat_unsichtbare_zeichen(text))
        return text;
    QString ergebnis;
    ergebnis.reserve(text.size() + 8);
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (!ist_unsichtbar(u)) {
            ergebnis += c;
            continue;
        }
        // Hexadecimal throughout: the protocol window's HTML turns a backslash and "n" into a break.
        if (u <= 0xFF)
            ergebnis += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
        else
            ergebnis += QStringLiteral("\\u%1").arg(int(u), 4, 16, QLatin1Char('0'));
    }
    return ergebnis;
}
