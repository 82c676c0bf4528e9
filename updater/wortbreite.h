// Word size of the running system and of a PE executable's first bytes, for the archive's word-size check.
#pragma once

#include <QByteArray>

// 1 for a 64-bit PE file, 0 for a 32-bit one, -1 when the bytes are no PE header we know.
int gib_pe_bitness_daten(const QByteArray& anfang);

// How many bytes of a file the probe reads.
constexpr int pe_pruefbereich = 1000;

// True on a 64-bit system. Tests put another answer in place through `setze_wortbreiten_abfrage`.
bool zielsystem_ist_64bit();
using WortbreitenAbfrage = bool (*)();
// Null restores the system's own answer.
void setze_wortbreiten_abfrage(WortbreitenAbfrage abfrage);
