// The protocol's words for an exception that ended a run of the install, the uninstall or the listing.
#pragma once

#include <QString>

#include <exception>

// What the exception says of its cause: that the memory ran out, that the system started no
// further thread (a limit of processes, no room for a thread's stack) with the system's reason,
// or its own text.
QString ausnahmetext(std::exception_ptr ausnahme);

// Whether the exception says that the memory ran out.
bool ist_speichermangel(std::exception_ptr ausnahme);
