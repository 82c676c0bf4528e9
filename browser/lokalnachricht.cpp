#include "lokalnachricht.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QTextStream>

namespace {

// A peer is given this long to send its word.
constexpr int wartezeit_ms = 1000;

} // namespace

bool lies_lokale_nachricht(QLocalServer* server, QString& wort)
{
    QLocalSocket* const socket = server ? server->nextPendingConnection() : nullptr;
    if (!socket)
        return false;
    socket->waitForReadyRead(wartezeit_ms);
    // Only what has arrived is read: a peer that floods cannot hold the GUI thread longer.
    QTextStream strom(socket);
    wort.clear();
    strom >> wort;
    delete socket;
    return true;
}
