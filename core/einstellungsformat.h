// The format of every settings file of the programs: Qt's INI layout, written whole by the checked writer, private to its user.
#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>

// The settings format of every store. From the start of the application object on it is also the
// default format, which QSettings() takes. Its files lie where those of the native format lie on
// Linux ("<organisation>/<application>.conf" in the configuration folder) and hold the INI text Qt
// writes, so stored files read back and older programs read the new ones. Unlike Qt's own format:
// - a file is replaced only by a complete copy (also a failed last flush is seen); otherwise the
//   old file stays byte for byte and `sichere_einstellungen` says why (`status()` cannot: a
//   QSettings object keeps its first error for good);
// - the file is readable by its user alone (0600): it may hold passwords;
// - group and key names read back exactly as written ("general" too, which Qt reads back as
//   "General");
// - a file that cannot be read whole is first kept aside (`lege_beiseite`), and the notice waits
//   in `nimm_beiseite_hinweise` for the program to show; what could be read is used. A file that
//   could not be kept is not written again (a write fails).
QSettings::Format einstellungsformat();

// Qt opens a settings file, and waits for its lock file, before the format's reader or writer
// runs: a pipe at the file's name holds the first read for ever, and a lock file the user cannot
// lock (a pipe, another account's) every save. Called before the first settings object of the
// user's files of `organisation` and `anwendung` (with the application's names at its start and
// whenever they change), it moves what stands there and is no regular file, or at the lock's name
// no regular file of the user's own, to a free name beside it ("<name>.beiseite"); where that
// cannot be done, the user's settings live for this run only. Either is told once
// (`nimm_beiseite_hinweise`). Programs of the user that start together look one at a time (the
// lock of the settings' saves, waited for two seconds at most), and an entry gone meanwhile is
// looked at again: none moves what another moved, nor the file another saved since.
void pruefe_einstellungsorte(const QString& organisation, const QString& anwendung);

// Writes what `einstellungen` holds unsaved, creating its missing folders readable by the user
// alone. Empty on success, else the failure's text with the file's name (the old file stays).
[[nodiscard]] QString sichere_einstellungen(QSettings& einstellungen);

// The texts about settings files kept aside or moved aside since the last call (each names the
// file and where its bytes now are); the list is emptied.
QStringList nimm_beiseite_hinweise();

// The text layout itself. The reader answers false when a line could not be read (the rest is
// read all the same).
bool lies_einstellungstext(QIODevice& geraet, QSettings::SettingsMap& werte);
QByteArray einstellungstext(const QSettings::SettingsMap& werte);
