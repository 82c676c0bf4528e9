// Whether a file found by its name may be trusted: who owns it, and who else may change it or its folder.
#pragma once

#include <QString>

#include <string>

// True when the folder `ordner` may be written by anyone but the user running the program and
// root: others may write it, or a group that is not its owner's own (the group of the owner's
// name that holds no one else), or another user owns it (a folder that cannot be looked at
// counts as such).
bool ist_fremd_beschreibbar(const QString& ordner);
// True when `pfad` belongs to the user running the program (or root) and no one else may write
// it: neither others nor a group but the owner's own; a link counts only when the link and the
// file it leads to both do.
bool ist_eigene_datei(const QString& pfad);
// The check of every look-up of a configuration, index or picture by name: a file found in the
// current folder, or in a folder others may write, is taken only when it is the user's own
// (above); anywhere else every file is taken.
bool darf_genommen_werden(const QString& ordner, const QString& pfad);

// Appending to `pfad` in a folder others may write: never through a link another user owns
// (false), and a link that appears after the look is not followed either (`weitere` gets
// O_NOFOLLOW, to be added to the open flags). A link of the user's own or root's is followed.
bool darf_angehaengt_werden(const std::string& pfad, int& weitere);
