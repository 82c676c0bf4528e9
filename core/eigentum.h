// Whether a file found by its name may be trusted (who owns it, and who else may change it or its folder, by mode and access control list), and opening it so that what was judged is what is read.
#pragma once

#include <QFile>
#include <QString>

#include <memory>

#include <sys/stat.h>

// What a look-up found under a name.
enum class Fund { keiner, uebergangen, genommen };

// Opens `name` in the folder `ordner` for reading, by the rule of every look-up of a configuration,
// index, picture or translation: wherever it lies, only the user's own file is taken: it belongs
// to the user or root, and no one else may write it: not others, not a named user or group of its
// access control list (through the list's mask), not a group but the owner's own (the group of
// the owner's name that no other account has as member or as primary group). Where it lies in the
// user's home, its folder and each above it up to the home must be such too (a folder that cannot
// be looked at counts as another's). A link on the way is followed only when the user or root
// owns it. Anything else makes the file `uebergangen`.
// The folder is opened by its descriptor, the file opened in that folder, judged by its own
// descriptor and handed on open: nothing swapped in under its name meanwhile is read.
// A folder, pipe or device of the name is `keiner`, and never waited on. `datei` is the open file
// when `genommen`, else null.
Fund oeffne_zum_lesen(const QString& ordner, const QString& name, std::unique_ptr<QFile>& datei);

// Whether the open file or folder `fd` (with `info` from it) belongs to the user or root and no
// one else may write it, by its mode and its access control list: with a list, the group bits of
// the mode are only the list's mask, and the list itself says who that lets write (a named user
// or group, the owning group, each unless it is the user, root or the owner's own group).
bool nur_eigentuemer_darf_schreiben(int fd, const struct stat& info);

// Opens `pfad` with the open(2) flags `modus` (such as O_CREAT | O_APPEND | O_WRONLY) where others
// may write the folder: a link is followed only when the user or root owns it, and each link is
// judged and read through one descriptor, so that a link swapped in after the look is not
// followed either. Only a regular file is kept; a pipe or device is never waited on. The
// descriptor (close-on-exec, blocking), or -1 with errno: EPERM for a link of another user,
// EINVAL for something that is no regular file, EACCES for another account's file in a sticky
// folder others may write when `modus` writes (see `ist_fremd_im_geteilten_ordner`; O_TRUNC cuts
// only a file that passed).
int oeffne_ohne_fremde_links(const char* pfad, int modus, unsigned rechte);

// The kernel's rules for a sticky folder that others may write (the system's folder for temporary
// files, a shared drop folder), kept where the kernel has them switched off (protected_symlinks,
// protected_regular): an entry there that belongs neither to the user nor to the folder's owner is
// another account's. Such a link is not followed and such a file is not opened for writing: it
// may lead to the user's own files, or hand what the user writes to the other. `ordner` and
// `eintrag` as stat and lstat give them.
bool ist_fremd_im_geteilten_ordner(const struct stat& ordner, const struct stat& eintrag);
