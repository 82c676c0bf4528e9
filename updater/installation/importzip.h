// The one routine that opens an update archive and installs it, lists it or checks its word size.
#pragma once

#include <QString>

class CCBaseLog;
class CUninstallInfo;

// Modes: 0 install every entry below `ziel` and record it in the uninstall map (then write
// "uninstall.dat" through `uninstall`), 1 list the archive as an HTML table in the log window,
// 2 check that the top-level ".exe" and ".dll" files fit the system's word size; any other
// value does nothing and returns true. The log window may be null in every mode.
// Mode 0: true when no entry failed and "uninstall.dat" could be written; mode 1: true unless the
// archive cannot be opened; mode 2: true when every tested file fits and nothing failed.
bool ImportZIP_installation(CCBaseLog* log, int* modus, const QString& archiv, const QString& ziel,
                            CUninstallInfo* uninstall);
