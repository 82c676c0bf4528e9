// Names from outside shown in protocol, log and console lines without their control characters.
#pragma once

#include <QString>

// True when the text holds a control character (C0, DEL, C1, or a Unicode line or paragraph
// separator).
bool hat_steuerzeichen(const QString& text);

// The text with every control character written out as "\xHH" (or "\uHHHH"), so that a crafted
// name cannot start a line of its own or move the cursor.
QString maskiere_steuerzeichen(const QString& text);
