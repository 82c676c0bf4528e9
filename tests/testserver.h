// A small HTTP server on 127.0.0.1 inside a test, plain or over TLS with a self-signed certificate, for pages, redirects, slow answers, files held open and Basic log-ins.
#pragma once

#include <QFile>
#include <QHostAddress>
#include <QHash>
#include <QPointer>
#include <QProcess>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>
#include <QTimer>
#include <QUrl>

// Answers GET requests by path; an unknown path gets 404. Each answer closes its connection
// unless it is held open.
class TestServer : public QTcpServer
{
public:
    struct Antwort {
        QByteArray inhalt;
        QByteArray typ = "text/html; charset=utf-8";
        // Time before the answer is sent.
        int verzoegerung_ms = 0;
        // Further header lines, each ending "\r\n".
        QByteArray kopfzeilen = {};
        // Content-Length; -1: the body's size.
        qint64 laenge = -1;
        // The connection stays open after the body (a download that never ends).
        bool offen_halten = false;
        // Not empty: a request without credentials gets 401 asking for Basic log-in in this realm.
        QByteArray realm = {};
        // The status line's code and text.
        QByteArray status = "200 OK";
    };

    TestServer() { listen(QHostAddress::LocalHost); }
    // Held connections go before the tables their handlers use.
    ~TestServer() override { qDeleteAll(findChildren<QSslSocket*>()); }

    // Serves over TLS from now on with a fresh self-signed certificate for 127.0.0.1, made by
    // `openssl req -x509` in `ordner`; false when openssl failed.
    bool mit_tls(const QString& ordner)
    {
        const QString schluessel = ordner + QStringLiteral("/schluessel.pem");
        const QString zertifikat = ordner + QStringLiteral("/zertifikat.pem");
        QProcess openssl;
        openssl.start(QStringLiteral("openssl"),
                      {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                       QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-days"),
                       QStringLiteral("1"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"),
                       QStringLiteral("-keyout"), schluessel, QStringLiteral("-out"), zertifikat});
        if (!openssl.waitForFinished(30000) || openssl.exitCode() != 0)
            return false;
        QFile k(schluessel);
        QFile z(zertifikat);
        if (!k.open(QIODevice::ReadOnly) || !z.open(QIODevice::ReadOnly))
            return false;
        schluessel_ = QSslKey(k.readAll(), QSsl::Rsa);
        zertifikat_ = QSslCertificate(z.readAll());
        return !schluessel_.isNull() && !zertifikat_.isNull();
    }

    void setze(const QString& pfad, const Antwort& antwort) { antworten.insert(pfad, antwort); }
    void setze(const QString& pfad, const QByteArray& html) { setze(pfad, Antwort{html}); }

    QUrl url(const QString& pfad) const
    {
        QUrl u;
        u.setScheme(zertifikat_.isNull() ? QStringLiteral("http") : QStringLiteral("https"));
        u.setHost(QStringLiteral("127.0.0.1"));
        u.setPort(serverPort());
        u.setPath(pfad);
        return u;
    }

    // The paths asked for so far, in order.
    QStringList anfragen;
    // The Basic credentials received so far, decoded ("user:password"), in order.
    QStringList anmeldungen;

protected:
    void incomingConnection(qintptr deskriptor) override
    {
        auto* socket = new QSslSocket(this);
        socket->setSocketDescriptor(deskriptor);
        connect(socket, &QSslSocket::readyRead, socket, [this, socket] { lies(socket); });
        connect(socket, &QSslSocket::disconnected, socket, &QObject::deleteLater);
        if (!zertifikat_.isNull()) {
            socket->setPrivateKey(schluessel_);
            socket->setLocalCertificate(zertifikat_);
            socket->startServerEncryption();
        }
    }

private:
    void lies(QSslSocket* socket)
    {
        QByteArray& puffer = gelesen[socket];
        puffer += socket->readAll();
        if (!puffer.contains("\r\n\r\n"))
            return;
        const QByteArray anfrage = gelesen.take(socket);
        const QList<QByteArray> teile = anfrage.left(anfrage.indexOf("\r\n")).split(' ');
        const QString pfad = teile.size() > 1 ? QUrl(QString::fromUtf8(teile.at(1))).path() : QString();
        anfragen << pfad;
        const auto it = antworten.constFind(pfad);
        const QByteArray basic = kopfzeile(anfrage, "authorization");
        if (basic.startsWith("Basic "))
            anmeldungen << QString::fromUtf8(QByteArray::fromBase64(basic.mid(6)));
        QByteArray text;
        int verzoegerung = 0;
        bool offen = false;
        if (it == antworten.constEnd()) {
            text = "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
        } else if (!it->realm.isEmpty() && !basic.startsWith("Basic ")) {
            const QByteArray koerper = "<html><body>Anmeldung fehlt</body></html>";
            text = "HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"" + it->realm +
                   "\"\r\nContent-Type: text/html\r\nContent-Length: " + QByteArray::number(koerper.size()) +
                   "\r\nConnection: close\r\n\r\n" + koerper;
        } else {
            const qint64 laenge = it->laenge < 0 ? it->inhalt.size() : it->laenge;
            text = "HTTP/1.1 " + it->status + "\r\nContent-Type: " + it->typ + "\r\nContent-Length: " +
                   QByteArray::number(laenge) + "\r\nConnection: close\r\n" + it->kopfzeilen + "\r\n" +
                   it->inhalt;
            verzoegerung = it->verzoegerung_ms;
            offen = it->offen_halten;
        }
        QPointer<QSslSocket> ziel(socket);
        QTimer::singleShot(verzoegerung, this, [ziel, text, offen] {
            if (!ziel)
                return;
            ziel->write(text);
            if (!offen)
                ziel->disconnectFromHost();
        });
    }

    // The value of a header line of the request (name in lower case), empty when it is missing.
    static QByteArray kopfzeile(const QByteArray& anfrage, const QByteArray& name)
    {
        for (const QByteArray& zeile : anfrage.left(anfrage.indexOf("\r\n\r\n")).split('\n')) {
            const int doppelpunkt = zeile.indexOf(':');
            if (doppelpunkt > 0 && zeile.left(doppelpunkt).trimmed().toLower() == name)
                return zeile.mid(doppelpunkt + 1).trimmed();
        }
        return QByteArray();
    }

    QHash<QString, Antwort> antworten;
    QHash<QSslSocket*, QByteArray> gelesen;
    QSslKey schluessel_;
    QSslCertificate zertifikat_;
};
