// Process-wide values of the running program: its main window and the names of the product areas.
#pragma once

#include "cqstring.h"

class QWidget;

// The main window: null until the window sets it, and again once that window is destroyed.
void setze_hauptfenster(QWidget* fenster);
QWidget* gib_hauptfenster();

// Translated name of a product area 0-7 ("Strom" ... "Versionsverwaltung"), "?modus?" otherwise.
CQString gib_sparte(int modus);
