// The user administration's e-mail lookup that the mail hand-off asks for a sender address.
#pragma once

#include "cqstring.h"

#include <functional>

// The e-mail address stored for the user in the user table; empty when there is none, and
// always empty until the user administration installs its lookup. Asked only while
// `benutzerverwaltung_aktiv()` says the user administration is in use. GUI thread only.
CQString gib_anwender_email_tags(const CQString& anwender);

using AnwenderEmailFunktion = std::function<CQString(const CQString& anwender)>;
// Installs the lookup; an empty function removes it.
void setze_anwender_email_funktion(AnwenderEmailFunktion funktion);
