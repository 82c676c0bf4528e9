// The PDF opener: shows a file in the configured PDF viewer, or through the shell's association.
#pragma once

#include "cqstring.h"

// Opens `datei` with the program of "/Privat/pdfReader"; while that is empty, through the shell.
// False when the shell failed (logged as "Fehler (31) bei 'ShellExecute'"), or the viewer is
// missing or could not be started (not reported here: the callers tell the user).
bool zeige_datei_extern(const CQString& datei);

// `zeige_datei_extern`, and when that failed the box that tells the user what to check: without a
// configured viewer the information that none is set up, else the warning naming the viewer.
// The texts are translated in `kontext`. False when it failed.
bool zeige_pdf_mit_meldung(const CQString& datei, const char* kontext);
