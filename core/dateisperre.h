// One writer at a time among a user's processes and threads: the kernel's lock on a lock file only that user can open, taken with a bounded wait.
#pragma once

#include <QString>

// Held while the object lives. The lock is the kernel's (flock) on the hidden lock file
// `sperrdatei` beside the file it guards: a regular file of the user's own that no one else may
// open (mode 0600), made when missing and never opened through a link, so that no other account
// can hold it, as it could a folder or a file others can open. A process that ends, however it
// ends, gives it up. Each object is a lock of its own, also two in one process or thread, so that
// two stores of one process wait for each other as two processes do.
class CDateisperre
{
public:
    // Waits at most `warte_ms` for the lock that guards the file `datei` (the file its links
    // name). Not taken, and not `besetzt`, where this user can have no lock file alone: in a
    // folder where he may add nothing (where the guarded file cannot be replaced either), where
    // another account's file or a link stands at its name (in a folder others may write), or
    // where a link to the file is not followed; what it guards goes on without, as before.
    // `besetzt` when another process held it for the whole wait, or when the session ended
    // while it waited (`sitzungsende.h`); a pipe is never waited for.
    CDateisperre(const QString& datei, int warte_ms);
    ~CDateisperre();
    CDateisperre(const CDateisperre&) = delete;
    CDateisperre& operator=(const CDateisperre&) = delete;

    // The lock could not be had: what it guards must wait, or go on and say so (`fehlertext`).
    bool besetzt() const { return !grund.isEmpty(); }
    // Why the lock could not be had, naming the lock file; empty when it is held or not possible.
    QString fehlertext() const { return grund; }

    // The lock file that guards `datei`; empty where a link to it is not followed.
    static QString sperrdatei(const QString& datei);
    // The kernel's lock `art` (LOCK_SH, LOCK_EX) on the open file `fd`, waited for at most
    // `warte_ms`: false with errno (EWOULDBLOCK when another held it all the while). With
    // `bis_zum_sitzungsende`, the wait ends as the session ends (ECANCELED); without, a write that
    // ends a stopped run still gets the lock another program holds for a moment.
    static bool nimm(int fd, int art, int warte_ms, bool bis_zum_sitzungsende = false);

private:
    int fd = -1;
    QString grund;
};
