// The exclusive hold of this process on an installation folder, so that two updaters never work on one folder at once.
#pragma once

#include <QString>

// Held while it lives. The lock is taken once per process and folder and shared by every job of
// the process that works on that folder (the window runs several jobs at once); another process
// waits a short, bounded time for it and then gives up. A folder that does not exist needs no
// lock: it counts as held.
class CZielsperre
{
public:
    explicit CZielsperre(const QString& ordner);
    ~CZielsperre();
    CZielsperre(const CZielsperre&) = delete;
    CZielsperre& operator=(const CZielsperre&) = delete;

    bool gehalten() const { return gehalten_; }
    // Why the lock could not be had (for the protocol); empty while it is held.
    QString gib_fehlertext() const { return fehlertext; }

    // How long another process's lock is waited for, in milliseconds.
    static int gib_wartezeit();
    static void setze_wartezeit(int ms);

private:
    bool gehalten_ = false;
    bool eingetragen = false;
    unsigned long long geraet = 0;
    unsigned long long knoten = 0;
    QString fehlertext;
};
