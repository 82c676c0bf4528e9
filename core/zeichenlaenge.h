// Lengths and cuts of texts counted in characters (Unicode code points), as database columns count them.
#pragma once

#include <QString>

// The number of characters: a surrogate pair (an emoji, say) counts once, as a VARCHAR column
// of MariaDB or PostgreSQL counts it; QString::size counts it twice.
int zeichenzahl(const QString& text);

// The first `maximum` characters of the text (all of it when it has no more; nothing for 0 or
// less), never the first half of a surrogate pair without its second.
QString kuerze_auf_zeichen(const QString& text, int maximum);
