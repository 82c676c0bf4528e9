// Getters of global settings for the mail hand-off and the user administration, and the product-area names.
#pragma once

#include "cqstring.h"

#include <map>

// "/Privat/Anwender".
CQString gib_anwender();
// "/VARNEL/smtp_beginn", or "/Privat/MapiProfilNUV" while that is empty.
CQString gib_smtp_beginn();
// "/VARNEL/smtp_beginn_ext", "/VARNEL/smtp_ende", "/VARNEL/smtp_ende_ext"; each
// `gib_smtp_beginn` while it is empty.
CQString gib_smtp_beginn_ext();
CQString gib_smtp_ende();
CQString gib_smtp_ende_ext();
// "/Privat/IQ_Modus" (99999999 while not set).
unsigned gib_iq_modus();

// Translated name of product area 0-7, "?modus?" for any other number.
CQString gib_spartenname(int nummer);
// The eight product areas 0 to 7 with their names.
std::map<int, CQString> gib_sparten_liste();
// Number of the first product area (in ascending order) whose name is exactly `name`; 99999999 for none.
int gib_spartennummer(const CQString& name);
