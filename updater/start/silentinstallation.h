// The silent road: installs the command line's archive without a window and without the word-size check.
#pragma once

#include <QString>

// Installs `archiv` (below `quelle` when that is given) into the installation folder and writes
// "uninstall.dat"; true when everything was installed and recorded.
bool silent_installation(const QString& archiv, const QString& quelle);
