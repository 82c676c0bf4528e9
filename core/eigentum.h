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

// Which links a walk follows: `nur_eigene` only those of the user, root or the owner of the sticky
// folder the link lies in, who may replace it anyway (where what is opened is obeyed, or others may
// write its folder), `geteilt` every link but another account's in a shared
// folder (see `ist_fremd_im_geteilten_ordner`), as the kernel's protected_symlinks would.
enum class Verweise { nur_eigene, geteilt };

// Opens `pfad` (from the current folder when relative) with the open(2) flags `modus`, part by
// part: each folder on the way is held by its descriptor and each link judged and read through
// one, so that nothing swapped in after the look is followed, and a link anywhere on the way is
// followed only as `regel` allows (O_NOFOLLOW: not at the end). What stands at the name is looked
// at through a handle that opens nothing: only a regular file is opened, so that a pipe or device
// is never opened, not even for a moment, nor waited on. Where `modus` writes, another account's
// file in a sticky folder others may write is not opened (see `ist_fremd_im_geteilten_ordner`;
// O_TRUNC cuts only a file that passed). The descriptor (close-on-exec, blocking), or -1 with
// errno: EPERM (`nur_eigene`) or EACCES (`geteilt`) for a link not followed, EINVAL for something
// that is no regular file, EACCES for another account's file in such a folder. `ordner`, when
// given, receives the descriptor (O_PATH) of the folder the last part was looked for in, also
// when that failed, or -1 where the walk did not get there; the caller closes it.
int oeffne_ueber_ordner(const char* pfad, int modus, unsigned rechte, Verweise regel, int* ordner = nullptr);
// The same with `Verweise::nur_eigene`, for a file in a folder others may write.
int oeffne_ohne_fremde_links(const char* pfad, int modus, unsigned rechte);

// The kernel's rules for a sticky folder that others may write (the system's folder for temporary
// files, a shared drop folder), kept where the kernel has them switched off (protected_symlinks,
// protected_regular): an entry there that belongs neither to the user nor to the folder's owner is
// another account's. Such a link is not followed and such a file is not opened for writing: it
// may lead to the user's own files, or hand what the user writes to the other. `ordner` and
// `eintrag` as stat and lstat give them.
bool ist_fremd_im_geteilten_ordner(const struct stat& ordner, const struct stat& eintrag);
