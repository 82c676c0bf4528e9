// Start-up set-up of the framework's logging: the configuration file, else a default log file.
#pragma once

#include <QString>

// Called once at start. Names the logger after the upper-cased application name, makes the
// personal folder the log folder, sets the root priority to INFO and the debug output off,
// then reads `dateiname` (searched in the current, personal, application and support folders;
// one planted there by another user is passed over with a warning in the log).
// Without that file, or when it is faulty, the root category also appends to
// <LOGGER NAME><suffix>.log in the log folder with the pattern "%D: %m%n".
void konfiguriere_logging(const QString& dateiname, const QString& suffix);
