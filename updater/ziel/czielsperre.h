// The exclusive hold of this process on an installation folder, so that two updaters never work on one folder at once.
#pragma once

#include <QString>

#include <functional>

// Held while it lives: a job holds it for its run, never longer. The lock is taken once per
// process and folder and shared by every job of the process that works on that folder (the window
// runs several jobs at once); another process waits a short, bounded time for it and then gives
// up. Within the process, a job that changes the folder (an install, an uninstall) waits until
// another one that changes it has ended; jobs that only read it never wait for each other. The lock lies on a hidden file in the folder that
// only those who may write the folder can open, so that updaters of every such account exclude
// each other and no one else can hold it. A folder that does not exist needs no lock, nor one
// where this user can have no lock file (a folder he may not write, a file there he may not
// write): it counts as held.
class CZielsperre
{
public:
    enum Zugriff { lesen, aendern };
    // `beim_warten` is called once, before the holder waits for another job of the process, with
    // the line that says so (for the protocol). `beim_nehmen` is called when the process takes the
    // folder anew (no other job of it holds the folder, or the folder is not there), before any
    // other job of the process can hold it: what another process changed meanwhile is read there.
    // An exception from it lets the folder go again and leaves the constructor. Every wait (for
    // another process or another job) ends at once, without the lock, when the session ends
    // (`sitzungsende.h`) or `angehalten` says that the job is to stop.
    explicit CZielsperre(const QString& ordner, Zugriff zugriff = lesen,
                         const std::function<void(const QString&)>& beim_warten = {},
                         const std::function<void()>& beim_nehmen = {},
                         const std::function<bool()>& angehalten = {});
    ~CZielsperre();
    CZielsperre(const CZielsperre&) = delete;
    CZielsperre& operator=(const CZielsperre&) = delete;

    bool gehalten() const { return gehalten_; }
    // Why the lock could not be had (for the protocol); empty while it is held.
    QString gib_fehlertext() const { return fehlertext; }
    // Whether another process held the folder all the wait (not held then).
    bool besetzt() const { return besetzt_; }

    // The name of the lock file at the top of the folder, which no archive entry takes.
    static QLatin1String gib_sperrdateiname();

    // How long another process's lock is waited for, in milliseconds.
    static int gib_wartezeit();
    static void setze_wartezeit(int ms);

private:
    bool gehalten_ = false;
    bool besetzt_ = false;
    bool eingetragen = false;
    bool aendert = false;
    unsigned long long geraet = 0;
    unsigned long long knoten = 0;
    QString fehlertext;
};
