// The logger's own priority names: "ERRORPRIO" for 300 and "DEBUGPRIO" for 700, printed and read.
#pragma once

#include <string>

namespace log4cpp {

// The name printed for a priority value: a value just below a step (299) already takes that
// step's name, and values outside the table print "NOTSET", as the library's own table does.
const std::string& gib_prioritaetsname(int prioritaet);

// A priority name of the table (exact, case-sensitive) or a decimal number; false for any other word.
bool gib_prioritaetswert(const std::string& wort, int& wert);

} // namespace log4cpp
