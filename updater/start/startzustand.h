// Process-wide start state of the updater, written by the main function and read by the jobs.
#pragma once

#include "cqstring.h"

#include <atomic>

// 0 plain start, 1 "install", 2 "uninstall".
extern std::atomic<int> startmodus;
// "dbx" was given: job ends neither close the program nor show message boxes.
extern std::atomic<bool> dbx_modus;
// At least one job ended without error; decides the exit code.
extern std::atomic<bool> update_erfolgreich;
// Number of install jobs begun.
extern std::atomic<int> installationszaehler;

// The "dst" folder: empty unless given on the command line.
CQString gib_zielverzeichnis_vorgabe();
void setze_zielverzeichnis_vorgabe(const CQString& verzeichnis);

// The installation folder and place of "uninstall.dat": the "dst" folder when given, else the
// absolute path of the application root.
CQString gib_zielverzeichnis();
