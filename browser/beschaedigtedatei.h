// Keeping a store's file that could not be read whole, before the store replaces it with what it read.
#pragma once

#include <QString>

// Keeps `datei` aside (see `lege_beiseite`) and tells the user where, under `titel`, after
// `grund` (what could not be read); a file kept before, as `gemeldet` says, is not told of again.
// `gemeldet` then holds where the file is kept. False when it could not be kept (the user is told
// so once): the store must then leave the file as it is.
bool behalte_beschaedigte_datei(const QString& datei, const QString& titel, const QString& grund, QString& gemeldet);
