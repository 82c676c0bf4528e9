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
// reads as a text file. What writes a name stays: the joiners U+200C and U+200D where a script
// shapes letters with them (around a virama, in Arabic-style joining) and inside an emoji
// sequence ("👩‍💻"), and a variation selector right after a character it chooses a form of (an
// emoji or keycap, an ideograph, a Mongolian letter). Bidirectional controls, tags, a joiner
// between Latin letters and a selector after nothing it can modify are found.
bool hat_unsichtbare_zeichen(const QString& text);

// The text without the characters `hat_unsichtbare_zeichen` finds: for names the program makes.
QString ohne_unsichtbare_zeichen(const QString& text);

// A name as a reader sees it, to tell whether two names look alike: composed (NFC), without what
// `hat_unsichtbare_zeichen` finds and without every joiner and variation selector, also those
// that stay in a name. "😀" with and without an emoji selector, two emoji with and without a
// joiner that makes no picture of them, "葛" with and without its variant, "é" as one character
// or two, look the same or nearly so.
QString gestalt_des_namens(const QString& text);

// The text with every character `hat_unsichtbare_zeichen` finds written out as "\xHH" (or
// "\uHHHH", "\UHHHHHHHH"), so that a crafted name cannot start a line of its own, move the cursor, or pass for
// another.
QString maskiere_steuerzeichen(const QString& text);
