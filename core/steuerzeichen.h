// Names from outside shown in protocol, log and console lines without their control characters, and names kept free of characters a reader cannot see.
#pragma once

#include <QString>

// True when the text holds a control character (C0, DEL, C1, or a Unicode line or paragraph
// separator).
bool hat_steuerzeichen(const QString& text);

// True when the text holds a character a reader cannot see: a control character, or a
// zero-width or direction format character (U+200B-U+200F, U+202A-U+202E, U+2060-U+2064,
// U+2066-U+2069, U+FEFF), with which "anna5" and a different name look the same, or
// "invoice<U+202E>txt.exe" reads as a text file.
bool hat_unsichtbare_zeichen(const QString& text);

// The text without the characters `hat_unsichtbare_zeichen` finds: for names the program makes.
QString ohne_unsichtbare_zeichen(const QString& text);

// The text with every character `hat_unsichtbare_zeichen` finds written out as "\xHH" (or
// "\uHHHH"), so that a crafted name cannot start a line of its own, move the cursor, or pass for
// another.
QString maskiere_steuerzeichen(const QString& text);
