// Process-wide settings of the running application: its name, the interface language, the message caption, the scaling of its windows.
#pragma once

#include "cqstring.h"

#include <QString>

// "Quorbel-Software" until the main function names the program.
QString gib_anwendungsname();
void setze_anwendungsname(const QString& name);

// Current interface language ("de" at start) and the language of the Qt translators.
QString gib_sprache();
void setze_sprachcode(const QString& sprache);
QString gib_qt_sprache();
void setze_qt_sprachcode(const QString& sprache);

class QSettings;

// The process-wide settings object that windows may read; none is installed in this system (null).
QSettings* gib_einstellungen();
void setze_einstellungen(QSettings* einstellungen);

// Caption of the framework's message boxes ("???" until set), as the framework string that the
// widget library hands to its message boxes.
CQString gib_meldungstitel();
void setze_meldungstitel(const QString& titel);

// Before the application object: windows, fonts and pictures grow with the screen's resolution,
// so that sizes given in pixels at 96 dpi keep their proportions to the texts on a high-DPI
// screen (twice the pixels at 192 dpi). Every program of the system calls it first in its main.
void schalte_hochaufloesung_ein();
