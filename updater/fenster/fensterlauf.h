// The updater's road with a window: main window, first job after one second, exit code from the jobs.
#pragma once

#include "kommandozeile.h"

#include <functional>

class CSprache;

// "-en" switches to English; when the English files are missing or unreadable, a log line says
// so and the program stays German. Without "-en" nothing changes.
void setze_kommandozeilensprache(const CKommandozeile& kommandozeile, CSprache& sprache);

// Runs the window road on the existing QApplication (start state already set, logging
// configured): "en", the main window, its set-up, the delayed first job, the event loop. Returns
// the process exit code: 0 when a job succeeded; 1 when none did, when an exception ended the
// set-up or escaped a slot (memory ran out) or a signal ended the session (`sitzungsende.h`);
// -1 when the loop ended with an error. `hilfe_einrichten` sets up the help system once the
// window and its workspace exist, before the first job (the program passes the real one).
int fensterlauf(const CKommandozeile& kommandozeile, CSprache& sprache,
                const std::function<void()>& hilfe_einrichten = {});
