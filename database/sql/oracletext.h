// The Oracle special characters as their UTF-8 bytes read through Windows-1252, written for long texts and repaired when read.
#pragma once

#include "cqstring.h"

// True when the text holds one of ä ü ö Ä Ü Ö ß ´ § ² ³ µ €.
bool hat_oracle_sonderzeichen(const QString& text);
// Each special character as the characters of its UTF-8 bytes read as Windows-1252 ("ü" -> "Ã¼").
CQString ersetze_oracle_sonderzeichen(const QString& text);
// The exact inverse: only complete sequences that `ersetze_oracle_sonderzeichen` writes become
// their character again; every other character, a lone lead character too, stays.
CQString repariere_oracle_text(const QString& text);
