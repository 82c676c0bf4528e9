// The uninstall run: lists the recorded paths, or deletes the recorded files and then the folders.
#pragma once

#include "cqstring.h"

class CCBaseLog;
class CUninstallInfo;

// Mode 2 (or below) deletes what the uninstall map names below `wurzel`, mode 3 (or above) lists
// the records (also without a mode); `produkt` names the product when there are none. The log
// window may be null. The deletion takes the record of each file and folder that is gone (or was
// gone already) off the uninstall map and keeps the file of `uninstall` (when given) current,
// so that a killed run leaves records of everything still there; a write that fails does not
// stop the deletion (on a full disk the deletion makes the room), a last write that fails is an
// error.
// True when the run ended without error. `besetzt` (may be null) tells after a deletion whether
// another program held the target all the wait for it, so that nothing was tried.
bool UninstallInThread(CCBaseLog* log, int* modus, const CQString& wurzel, const CQString& produkt,
                       CUninstallInfo* uninstall = nullptr, bool* besetzt = nullptr);
