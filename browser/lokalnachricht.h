// The message of a second start: one word that another process sends through the browser's local server.
#pragma once

#include <QString>

class QLocalServer;

// Takes the server's next pending connection, waits at most a second for data, reads the first
// whitespace-delimited word and closes the connection. False when no connection was pending (or
// there is no server); the word is then left alone. The GUI thread waits meanwhile.
bool lies_lokale_nachricht(QLocalServer* server, QString& wort);
