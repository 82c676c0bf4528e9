// A tiny HTTP server on 127.0.0.1 inside a test: fixed answers by path, optionally held open mid-body.
#pragma once

#include <QHash>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

class LoopbackHttp : public QTcpServer
{
public:
    struct Antwort
    {
        QByteArray koerper;
        QByteArray kopfzeilen;      // further header lines, each ending "\r\n"
        qint64 laenge = -1;         // Content-Length; -1: the body's size
        bool offen_halten = false;  // true: the connection stays open after the body
    };

    LoopbackHttp() { listen(QHostAddress::LocalHost); }
    // Held connections go before the table their handlers use.
    ~LoopbackHttp() override { qDeleteAll(findChildren<QTcpSocket*>()); }

    void setze(const QString& pfad, const Antwort& antwort) { antworten.insert(pfad, antwort); }
    QUrl url(const QString& pfad) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(pfad));
    }

protected:
    void incomingConnection(qintptr deskriptor) override
    {
        auto* socket = new QTcpSocket(this);
        socket->setSocketDescriptor(deskriptor);
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            anfrage[socket] += socket->readAll();
            if (!anfrage[socket].contains("\r\n\r\n"))
                return;
            const QList<QByteArray> zeile = anfrage[socket].left(anfrage[socket].indexOf("\r\n")).split(' ');
            const auto it = antworten.constFind(QString::fromLatin1(zeile.value(1)));
            if (it == antworten.constEnd()) {
                socket->write("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
                socket->disconnectFromHost();
                return;
            }
            const qint64 laenge = it->laenge < 0 ? it->koerper.size() : it->laenge;
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: "
                          + QByteArray::number(laenge) + "\r\nConnection: close\r\n" + it->kopfzeilen + "\r\n"
                          + it->koerper);
            if (!it->offen_halten)
                socket->disconnectFromHost();
        });
        connect(socket, &QTcpSocket::disconnected, socket, [this, socket] {
            anfrage.remove(socket);
            socket->deleteLater();
        });
    }

private:
    QHash<QString, Antwort> antworten;
    QHash<QTcpSocket*, QByteArray> anfrage;
};
