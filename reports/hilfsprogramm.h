// The mail-client bridge programs: which one serves a mail profile, how it is run, and the result file it writes.
#pragma once

#include "cqstring.h"

#include <QString>
#include <QStringList>

// The mail sender or mail-client bridge for the profile (when empty, the setting
// "/Privat/MapiProfil"), relative to the application root: "SMTP;" profiles go to the mail
// sender, the others to the bridge of the mail client's word size ("/Privat/Outlook64" in the
// control data), each in the folder that matches the system's word size.
CQString waehle_hilfsprogramm(const QString& profil);
// The chosen program as absolute path under the application root.
QString gib_hilfsprogramm_pfad(const QString& profil);

// A new, empty temporary file "CallOutlook_result_XXXXXX.csv" that stays after closing; its
// name, or an empty text when it cannot be made.
QString erzeuge_ergebnisdatei();

// Starts the bridge with the arguments and waits for it up to 30 s (the GUI thread blocks);
// true when it ended within that time. One that is still running then is killed.
bool fuehre_hilfsprogramm_aus(const QString& programm, const QStringList& argumente);

// Reads the bridge's result file (UTF-8, "kind;text" per line): "inf", "warn" and "err" lines go
// to the logger as "OI: <text>", "file" lines name saved files, which go to `dateien`; other
// lines are passed over. The file is removed afterwards. False when it cannot be opened.
bool lies_ergebnisdatei(const QString& datei, QStringList& dateien);
