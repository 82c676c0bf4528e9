// One writer at a time among processes and threads: the kernel's lock on a folder or file, taken with a bounded wait.
#pragma once

#include <QString>

// Held while the object lives. The lock is the kernel's (flock): a process that ends, however it
// ends, gives it up, and no file is made for it. Each object is a lock of its own, also two in one
// process or thread, so that two stores of one process wait for each other as two processes do.
class CDateisperre
{
public:
    // Waits at most `warte_ms` for the lock on the folder or file `pfad`. Not taken when `pfad`
    // cannot be opened (no lock is possible there) or another holds it still when the time ran
    // out (`besetzt()`); a pipe is never waited for.
    CDateisperre(const QString& pfad, int warte_ms);
    ~CDateisperre();
    CDateisperre(const CDateisperre&) = delete;
    CDateisperre& operator=(const CDateisperre&) = delete;

    // Another holds the lock: what it guards must wait.
    bool besetzt() const { return belegt; }

private:
    int fd = -1;
    bool belegt = false;
};
