// The uninstall run: lists the recorded paths, or deletes the recorded files and then the folders.
#pragma once

#include "cqstring.h"

class CCBaseLog;

// Mode 2 (or below) deletes what the uninstall map names below `wurzel`, mode 3 (or above) lists
// the records (also without a mode); `produkt` names the product when there are none. The log
// window may be null.
// True when the run ended without error.
bool UninstallInThread(CCBaseLog* log, int* modus, const CQString& wurzel, const CQString& produkt);
