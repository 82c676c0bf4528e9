#include "zeichenlaenge.h"

namespace {

// The UTF-16 units of the character that starts at `i`: 2 for a whole surrogate pair, else 1.
int einheiten(const QString& text, int i)
{
    return text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate() ? 2 : 1;
}

} // namespace

int zeichenzahl(const QString& text)
{
    int zahl = 0;
    for (int i = 0; i < text.size(); i += einheiten(text, i))
        ++zahl;
    return zahl;
}

QString kuerze_auf_zeichen(const QString& text, int maximum)
{
    int ende = 0;
    for (int zahl = 0; zahl < maximum && ende < text.size(); ++zahl)
        ende += einheiten(text, ende);
    return text.left(ende);
}
