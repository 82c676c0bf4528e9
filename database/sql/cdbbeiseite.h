// Statements a person waits for, run beside the window: a connection of their own in a thread of their own, given up when the server does not answer in time; and the opening of a connection, its server asked there first.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QSqlDatabase;

// How a connection of its own is opened: the values of another connection or of the log-on.
struct CDBZugang
{
    QString treiber;
    QString host;
    QString name;
    QString benutzer;
    QString kennwort;
    // Connect options, the time-outs among them (`zeitgrenzen_optionen`).
    QString optionen;
    // -1: the driver's own.
    int port = -1;
    // Run once the connection is open, before anything else (the session's character set, say).
    QStringList sitzung;

    // The values of the connection, read in the thread it belongs to.
    static CDBZugang von(const QSqlDatabase& verbindung);
    // Gives a connection not yet open these values (the driver excepted, which it was made with).
    void setze_an(QSqlDatabase& verbindung) const;
};

// Whether statements of the driver run beside the window: those of servers that may stop
// answering and whose time-outs `zeitgrenzen_optionen` sets (MySQL/MariaDB, PostgreSQL). SQLite and
// other drivers run where they are called.
bool laeuft_beiseite(const QString& treiber);

// Opens a connection with `zugang` in a thread of its own and runs `arbeit` on it (none: the
// connection alone), while the calling thread's events go on with its user input held back: the
// window repaints and its timers fire, and no click lands in the half-done action. A wait longer
// than a moment says in a window modal to the program what it waits for; the input of the others
// is dropped then, never kept for a list that has changed, and its "Abbrechen" (Escape) gives the
// wait up at once; closed from around (every window closed, the session's end) it is no
// "Abbrechen": it shows again until the wait has ended, and the program's end waits too. The
// server is waited for until it has taken the connection at most the connect time-out, then for
// `arbeit` at most the read time-out (`gib_db_zeitgrenzen`), each half a second more than the
// driver's own. Empty when `arbeit` ran and returned empty; else the driver's error,
// `arbeit`'s (its text, never empty on a failure), or, given up, a text that says the server does
// not answer or that the wait was given up. `abgewiesen`
// (when given) tells a connection refused at once (in less than half the connect time-out: a limit
// of connections or of open files, a server that is not there) from one that was waited for: only
// the second is a server that stops answering, and the caller may go the old road. A thread given
// up is left to end on its own: `arbeit` runs there and must touch only the connection and what it
// holds itself (captured by value or shared). The end of the program (exit() or the return from
// `main` of the main thread that called here) waits for such a thread until it has ended, at most
// the connect time-out and a second, before anything it uses is torn down; one the server keeps
// longer is cut off with the program, which then ends with 1. Where no thread can be started, it
// all runs in the calling thread.
QString fuehre_beiseite_aus(const CDBZugang& zugang, const std::function<QString(QSqlDatabase&)>& arbeit,
                            bool* abgewiesen = nullptr);

// Opens the connection with the settings it has. A server (`laeuft_beiseite`) is asked beside the
// window first: one that does not answer ends it with the text of the wait within the connect
// time-out, the window answering; one that refuses at once is asked here again, and its own answer
// stands. The server's count of the account's connections may still hold the one that asked a
// moment ago (a limit of one): a few tries a tenth of a second apart. Empty on success, else the
// driver's text or the wait's.
QString oeffne_verbindung(QSqlDatabase& verbindung);
