// Reader of the logging configuration file: the commands "path", "appender", "priority", "category".
#pragma once

#include <string>

namespace log4cpp {

// Reads the file command by command into log4cpp's categories. Every fault raises
// log4cpp::ConfigureFailure with its text; what earlier lines set up stays in place.
void konfiguriere_datei(const std::string& dateiname);
// The same for the commands of such a file that the caller read.
void konfiguriere_text(const std::string& text);

} // namespace log4cpp
