// Log-on and log-off of the user administration: its connection, database object, structure and process-wide pointers.
#pragma once

#include "cqstring.h"

#include <QSqlDatabase>
#include <QString>

// What a connection is opened with; the settings page tests its fields with it too.
struct CBVVerbindungswerte
{
    QString treiber;
    QString host;
    QString name;
    unsigned port = 99999999u;
    QString benutzer;
    QString kennwort;
};

// The values stored under "/BV-DB/".
CBVVerbindungswerte gib_bv_verbindungswerte();

// Opens a connection named `verbindungsname`, with the time-outs of `zeitgrenzen_optionen`; empty on
// success, else the one message with the driver's text (the connection is removed again then). The
// password goes to the driver only. A server (`laeuft_beiseite`) is asked beside the window first:
// one that does not answer ends it with a message within the connect time-out, the window answering.
QString oeffne_bv_verbindung(const QString& verbindungsname, const CBVVerbindungswerte& werte);

// The name of the user administration's connection.
QString bv_verbindungsname();

// Whether a database is set up for the user administration at all (a driver is stored): a first
// start has none, and its log-on would only fail.
bool bv_eingerichtet();

// Logs on with the stored values (logging off first): opens the connection, builds the database
// object (its session set up for the whole of Unicode and, on MySQL, strict mode) and the
// structure (with the system file of the application root), sets the process-wide
// pointers, creates missing groups, users and protocol tables and checks them, brings their text
// columns to the exact comparison (MySQL) and gives the user name a unique key, makes the table of
// the highest ids handed out (an account that can neither make nor use it gets a warning that says
// so, and its adds number by the highest id), and on MySQL numbers new records of every
// administration table the server auto-numbers, and reads the access-group list (a failure is
// reported and ends no log-on). Empty on success; else one text with the driver's message, and every step
// taken is undone. A table that cannot have the exact comparison or the unique key (names held
// twice, named in it; another session holding the table longer than the lock wait) gets a warning
// line in the log windows and the log, and the log-on goes on: a later log-on tries again.
CQString bv_anmelden();
// Clears the pointers and the active flag, releases the database object and closes the connection.
void bv_abmelden();
