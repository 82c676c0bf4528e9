// The end of the user's session (log-out, shut-down, Ctrl+C, kill): SIGTERM, SIGHUP and SIGINT stop the runs as a stop does.
#pragma once

// From here on SIGTERM, SIGHUP and SIGINT no longer end the program at once: the first one is
// noted, every run of the process stops between two entries as its stop does (its records
// written, its temporary files and the target's lock gone), and the program ends with exit code 1.
// Called once by the program's start, before any run; `mit_weckruf` for an event loop that is
// to wake up for the signal (`sitzungsende_handle`).
void fange_sitzungsende_ab(bool mit_weckruf);

// The signal that ends the session; 0 while none came. Any thread may ask.
int sitzungsende_signal();

class CQLogBase;
// Whether the job that writes to `log` (may be null) is to stop: its window goes, the program
// ends under it, or the session ends. Any thread may ask.
bool job_angehalten(CQLogBase* log);

// Readable once such a signal came, for an event loop to wake up for it; -1 without a wake-up.
int sitzungsende_handle();

// Writes the log line that names the signal, when one came; whether one came.
bool melde_sitzungsende();
