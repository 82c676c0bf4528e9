// How long the SQL layer waits for a database server: to connect, for an answer, for a lock that another session holds.
#pragma once

class QString;

// Seconds. A connection takes them when it is opened (`zeitgrenzen_optionen`), a session when it is
// set up (`CCDataBase::richte_sitzung_ein`). Process-wide and GUI thread only; tests lower them.
struct CDBZeitgrenzen
{
    // Until the server has taken the log-on.
    int verbinden = 10;
    // Until the server has answered a statement: longer than any wait of the SQL layer's own (a
    // template writer waits 30 s for another).
    int lesen = 60;
    // Until a lock that another session holds is given up and the statement fails.
    int sperre = 5;
};
CDBZeitgrenzen& gib_db_zeitgrenzen();

// The connect options that give a connection of the driver its time-outs, so that a server that
// stops answering ends a statement or a log-on with an error. MySQL/MariaDB: connect, read and
// write time-outs. PostgreSQL: the connect time-out, keepalives (a cut network ends the
// connection) and the statement time-out; libpq has no read time-out, so a server process that is
// stopped but whose machine still answers is not noticed by the driver: the SQL layer ends a
// statement on its connection after the read time-out itself (`CCDataBase::laufe`), and the
// statements a person waits for run beside the window (`fuehre_beiseite_aus`). SQLite: the wait
// for a lock.
// Empty for other drivers.
QString zeitgrenzen_optionen(const QString& treiber);
