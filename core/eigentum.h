// Whether a file found by its name may be trusted (who owns it, and who else may change it or its folder, by mode and access control list), and opening it so that what was judged is what is read.
#pragma once

#include <QFile>
#include <QString>

#include <memory>

// What a look-up found under a name.
enum class Fund { keiner, uebergangen, genommen };

// Opens `name` in the folder `ordner` for reading, by the rule of every look-up of a configuration,
// index, picture or translation. In the current folder, and in a folder others may write (anyone
// but the user running the program and root may write it, by its mode or its access control
// list, or another user owns it; a folder that cannot be looked at counts as such), only the
// user's own file is taken: it belongs to the user or root, and no one else may write it: not
// others, not a named user or group of its access control list (through the list's mask), not a
// group but the owner's own (the group of the owner's name that no other account has as member
// or as primary group). Anywhere else every regular file is taken. A link on the way is followed
// only when the user or root owns it; another's makes the file `uebergangen`.
// The folder is opened and judged by its descriptor, the file opened in that folder, judged by
// its own descriptor and handed on open: nothing swapped in under either name meanwhile is read.
// A folder, pipe or device of the name is `keiner`, and never waited on. `datei` is the open file
// when `genommen`, else null.
Fund oeffne_zum_lesen(const QString& ordner, const QString& name, std::unique_ptr<QFile>& datei);

// Opens `pfad` with the open(2) flags `modus` (such as O_CREAT | O_APPEND | O_WRONLY) where others
// may write the folder: a link is followed only when the user or root owns it, and each link is
// judged and read through one descriptor, so that a link swapped in after the look is not
// followed either. Only a regular file is kept; a pipe or device is never waited on. The
// descriptor (close-on-exec, blocking), or -1 with errno: EPERM for a link of another user,
// EINVAL for something that is no regular file.
int oeffne_ohne_fremde_links(const char* pfad, int modus, unsigned rechte);
