#include "steuerzeichen.h"

namespace {

bool ist_steuerzeichen(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

} // namespace

bool hat_steuerzeichen(const QString& text)
{
    for (const QChar c : text)
        if (ist_steuerzeichen(c.unicode()))
            return true;
    return false;
}

QString maskiere_steuerzeichen(const QString& text)
{
    if (!hat_steuerzeichen(text))
        return text;
    QString ergebnis;
    ergebnis.reserve(text.size() + 8);
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (!ist_steuerzeichen(u)) {
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
