// The word size the archive check compares against: the running system's, replaceable in tests.
#pragma once

// How many leading bytes of an entry the PE probe looks at.
constexpr int pe_pruefbereich = 1000;

// True on a 64-bit system (`ist_64bit_system`), unless a test has put another answer in place.
bool zielsystem_ist_64bit();
using WortbreitenAbfrage = bool (*)();
// Null restores the system's own answer.
void setze_wortbreiten_abfrage(WortbreitenAbfrage abfrage);
