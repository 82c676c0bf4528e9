// Copying, moving and removing files, and the word-size probe of Windows executables (PE files).
#pragma once

#include <QByteArray>
#include <QString>

// 0 copied, 1 the source cannot be opened or read, 2 the target cannot be opened or written.
// The target is replaced only by a complete copy. Unless `ohne_cursor` the wait cursor shows
// and the event loop runs (without user input) between blocks; `ohne_kopf` drops the first
// three bytes of the source (a byte-order mark).
int kopiere_datei(const QString& quelle, const QString& ziel, const bool& ohne_cursor,
                  const bool& ohne_kopf);
// The copy's result, or 3 when the source cannot be removed after the copy (both files stay).
// The source is removed only after a complete copy; a file moved onto itself stays (0).
int verschiebe_datei(const QString& quelle, const QString& ziel, const bool& ohne_cursor);
// 0 removed, 1 not removed.
int loesche_datei(const QString& name);

// Word size of an executable: 0 for 32 bit (machine 0x14C), 1 for 64 bit (a machine whose low
// byte is 0x64, x64 and Arm64), -1 for anything that is not such a PE file or cannot be read.
int gib_pe_bitness(const QString& dateiname);
// The same probe over the first bytes of a file (at most the first 1000 are looked at).
int gib_pe_bitness_von(const QByteArray& kopf);
