// Names from outside shown in protocol, log and console lines without their control characters, and names kept free of characters a reader cannot see.
#pragma once

#include <QString>

// True when the text holds a control character (C0, DEL, C1, or a Unicode line or paragraph
// separator).
bool hat_steuerzeichen(const QString& text);

// True when the text holds a character a reader cannot see, told by Unicode property over whole
// code points (also past U+FFFF): a control character, a format character (general category Cf),
// a default-ignorable code point (soft hyphen, fillers, variation selectors, tags, ...) or a lone
// surrogate. With them "anna5" and a different name look the same, or "invoice<U+202E>txt.exe"
// reads as a text file. The joiners U+200C and U+200D count only where no script needs them:
// right after a virama, and a non-joiner between Arabic-style joining letters, they shape the
// name and stay.
bool hat_unsichtbare_zeichen(const QString& text);

// The text without the characters `hat_unsichtbare_zeichen` finds: for names the program makes.
QString ohne_unsichtbare_zeichen(const QString& text);

// The text with every character `hat_unsichtbare_zeichen` finds written out as "\xHH" (or
// "\uHHHH", "\UHHHHHHHH"), so that a crafted name cannot start a line of its own, move the cursor, or pass for
// another.
QString maskiere_steuerzeichen(const QString& text);
