// Access to the control-data store, which this program does not have: every read takes its road without a store.
#pragma once

#include "cqstring.h"

#include <QVariant>

// The store of control keys read from a database; only declared here.
class CSteuerdaten;

// The store, created when `erzeugen` is set and a database exists; null otherwise (always here).
CSteuerdaten* gib_steuerdaten(const bool& erzeugen);
// The value of a control key; an invalid QVariant when there is no store or no such key, then
// with `melden` logged as "'%1' nicht gefunden !".
QVariant gib_steuerwert(const CQString& schluessel, const bool& melden);
