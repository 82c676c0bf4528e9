// The network access manager and the certificate dialog against the test's own servers on the loopback interface.
#include "certificateinfo.h"
#include "cqnetworkaccessmanager.h"
#include "katalog.h"
#include "logmitschnitt.h"

#include <QEventLoop>
#include <QListWidget>
#include <QNetworkProxy>
#include <QProcess>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

namespace {

const QString selbst_signiert = QStringLiteral("SSL-Fehler:(9) The certificate is self-signed, and untrusted");

// Key and certificate (CN=localhost, O=Test, C=DE) in one PEM text, with the given serial.
QByteArray pem(const char* serie)
{
    QProcess openssl;
    openssl.setStandardErrorFile(QProcess::nullDevice());
    openssl.start("openssl", {"req", "-x509", "-days", "2", "-subj", "/CN=localhost/O=Test/C=DE", "-set_serial", serie,
                              "-newkey", "rsa:2048", "-nodes", "-keyout", "/dev/stdout", "-out", "/dev/stdout"});
    openssl.waitForFinished();
    return openssl.readAllStandardOutput();
}
const QByteArray& pem1234()
{
    static const QByteArray p = pem("0x1234");
    return p;
}

// Answers each request "ok": over TLS, not at all after the handshake, or as a proxy that wants user:secret.
class Server : public QTcpServer
{
public:
    enum Art { tls, tls_stumm, proxy } art;
    explicit Server(Art art) : art(art)
    {
        pem1234(); // made before any client waits for a handshake
        listen(QHostAddress::LocalHost);
    }
    QString adresse() const { return QStringLiteral("https://localhost:%1/").arg(serverPort()); }

protected:
    void incomingConnection(qintptr deskriptor) override
    {
        QTcpSocket* s = art == proxy ? new QTcpSocket(this) : new QSslSocket(this);
        s->setSocketDescriptor(deskriptor);
        if (auto* ssl = qobject_cast<QSslSocket*>(s)) {
            ssl->setLocalCertificate(QSslCertificate(pem1234()));
            ssl->setPrivateKey(QSslKey(pem1234(), QSsl::Rsa));
            ssl->startServerEncryption();
        }
        auto puffer = std::make_shared<QByteArray>();
        connect(s, &QTcpSocket::readyRead, this, [this, s, puffer] {
            *puffer += s->readAll();
            for (int ende; (ende = puffer->indexOf("\r\n\r\n")) >= 0 && art != tls_stumm; puffer->remove(0, ende + 4))
                s->write(art == proxy && !puffer->left(ende).contains("Proxy-Authorization: Basic dXNlcjpzZWNyZXQ=")
                             ? "HTTP/1.1 407 Proxy\r\nProxy-Authenticate: Basic realm=\"p\"\r\nContent-Length: 0\r\n\r\n"
                             : "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok");
        });
    }
};

// Starts the request, hands it to the manager and waits for its end (10 s at most).
QNetworkReply* abruf(CQNetworkAccessManager& manager, const QString& url, bool zertifikat,
                     int zeitlimit_ms = CQNetworkAccessManager::zeitlimit_zertifikatabfrage_ms,
                     std::unique_ptr<CertificateInfo>* dialog = nullptr)
{
    QNetworkReply* reply = manager.get(QNetworkRequest(QUrl(url)));
    manager.beobachte(reply, zertifikat, zeitlimit_ms);
    if (dialog)
        dialog->reset(new CertificateInfo(&manager, reply));
    QEventLoop schleife;
    QObject::connect(reply, &QNetworkReply::finished, &schleife, &QEventLoop::quit);
    QTimer::singleShot(10000, &schleife, &QEventLoop::quit);
    schleife.exec();
    EXPECT_TRUE(reply->isFinished());
    return reply;
}

// How often the log holds a line that ends in the text.
int anzahl(const LogMitschnitt& log, const QString& text)
{
    return QString::fromStdString(log.text()).count(": " + text + "\n");
}

QStringList zeilen(const QDialog& dialog, const char* liste)
{
    QStringList z;
    for (const QListWidgetItem* zeile : dialog.findChild<QListWidget*>(liste)->findItems("", Qt::MatchStartsWith))
        z << zeile->text();
    return z;
}

} // namespace

// A refused connection, a stalled certificate request: each reported once, in its own way.
TEST(CQNetworkAccessManager, AbgewieseneUndGestockteAnfragen)
{
    LogMitschnitt log;
    QTcpServer belegt;
    ASSERT_TRUE(belegt.listen(QHostAddress::LocalHost));
    const QString url = QStringLiteral("http://127.0.0.1:%1/").arg(belegt.serverPort());
    belegt.close();
    CQNetworkAccessManager manager;
    std::unique_ptr<CertificateInfo> dialog;
    abruf(manager, url, true, 300, &dialog);
    const QString text = QStringLiteral("Netzwerkzugriff fehlgeschlagen: Connection refused");
    EXPECT_EQ(manager.gibFehler(), QStringList{text});
    EXPECT_EQ(anzahl(log, text), 1);
    EXPECT_EQ(log.text().find("FEHLER"), std::string::npos);
    EXPECT_EQ(zeilen(*dialog, "infoliste"), (QStringList{"\n", text + "\n", "Kein Zertifikat verfügbar!"}));

    LogMitschnitt log2;
    Server stumm(Server::tls_stumm);
    CQNetworkAccessManager zweiter;
    EXPECT_EQ(abruf(zweiter, stumm.adresse(), true, 300)->error(), QNetworkReply::OperationCanceledError);
    EXPECT_EQ(anzahl(log2, "Zeitablauf bei Zertifikatabfrage von " + stumm.adresse()), 1);
    EXPECT_EQ(log2.text().find("Netzwerkzugriff fehlgeschlagen"), std::string::npos);
    EXPECT_EQ(zweiter.gibFehler(), QStringList{selbst_signiert});
}

// Only a certificate request goes on despite the self-signed certificate; the dialog shows its chain.
TEST(CQNetworkAccessManager, SslFehlerLassenNurDieZertifikatabfrageDurch)
{
    Server server(Server::tls);
    CQNetworkAccessManager manager;
    QNetworkReply* gewoehnlich = abruf(manager, server.adresse(), false);
    EXPECT_NE(gewoehnlich->error(), QNetworkReply::NoError);
    EXPECT_TRUE(gewoehnlich->readAll().isEmpty());
    ASSERT_EQ(manager.gibFehler().size(), 2);
    EXPECT_EQ(manager.gibFehler()[0], selbst_signiert);
    EXPECT_TRUE(manager.gibFehler()[1].startsWith("Netzwerkzugriff fehlgeschlagen: "));

    QStringList boxen;
    CertificateInfo::setze_fehlerbox_funktion([&](QWidget*, const QString& zeile, const QString& text) { boxen << zeile << text; });
    CQNetworkAccessManager zweiter;
    std::unique_ptr<CertificateInfo> dialog;
    EXPECT_EQ(abruf(zweiter, server.adresse(), true, 5000, &dialog)->readAll(), "ok");
    CertificateInfo::setze_fehlerbox_funktion({});
    EXPECT_EQ(zweiter.gibFehler(), QStringList{selbst_signiert});
    EXPECT_EQ(boxen, (QStringList{"Fehler bei Netzwerkanfrage", server.adresse() + "\n\n" + selbst_signiert + "\n"}));
    EXPECT_EQ(zeilen(*dialog, "pfadliste"), QStringList{"Test (localhost)"});
    EXPECT_EQ(zeilen(*dialog, "infoliste").value(1), "  Allgemeiner Name (CN): localhost");
}

TEST(CQNetworkAccessManager, ProxyBekommtGespeicherteAnmeldungOderMeldung)
{
    Server server(Server::proxy);
    CKatalogPrivat& privat = gib_katalog_privat();
    const auto versuch = [&](const char* benutzer, const char* kennwort, const QString& meldung) {
        LogMitschnitt log;
        privat.proxy_user.setze_wert_qstr(CQString(benutzer));
        privat.proxy_pass.setze_wert_qstr(CQString(kennwort));
        CQNetworkAccessManager manager;
        manager.setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, "127.0.0.1", server.serverPort()));
        QNetworkReply* reply = abruf(manager, "http://127.0.0.1:9/", false);
        if (meldung.isEmpty())
            EXPECT_TRUE(manager.gibFehler().isEmpty());
        else
            EXPECT_EQ(anzahl(log, meldung), 1);
        return std::make_pair(reply->error(), reply->readAll());
    };
    EXPECT_EQ(versuch("user", "736563726574", ""), std::make_pair(QNetworkReply::NoError, QByteArray("ok")));
    EXPECT_EQ(versuch("", "736563726574", "Proxy-Server Authentification: fehlender Proxy Benutzername").first,
              QNetworkReply::ProxyAuthenticationRequiredError);
    EXPECT_EQ(versuch("user", "6661756C", "Proxy-Server Authentification:  falsches Proxy Benutzerkennwort").first,
              QNetworkReply::ProxyAuthenticationRequiredError);
    privat.proxy_user.setze_wert_qstr(CQString());
    privat.proxy_pass.setze_wert_qstr(CQString());
}

TEST(CertificateInfo, BeschreibtZertifikatMitQtsSeriennummer)
{
    const QStringList z = CertificateInfo::beschreibeZertifikat(QSslCertificate(pem1234()));
    ASSERT_EQ(z.size(), 22);
    EXPECT_EQ((QStringList{z[0], z[1], z[2], z[4], z[17], z[19], z[20], z[21]}),
              (QStringList{"Ausgestellt für", "  Allgemeiner Name (CN): localhost", "  Organisation (O): Test",
                           "  Staat (C): DE", "  Seriennummer: 12:34", "  Zertifikat zurückgezogen: nein",
                           "Algorithmus: RSA", " "}));
    EXPECT_EQ(CertificateInfo::beschreibeZertifikat(QSslCertificate(pem("0x10"))).value(17), "  Seriennummer: 10");
    EXPECT_TRUE(CertificateInfo::beschreibeZertifikat(QSslCertificate()).isEmpty());

    CertificateInfo dialog(nullptr, nullptr);
    dialog.setzeZertifikatkette({QSslCertificate(pem1234())});
    EXPECT_EQ(zeilen(dialog, "infoliste"), z);
    for (int index : {-1, 5}) {
        QMetaObject::invokeMethod(&dialog, "updateCertificateInfo", Q_ARG(int, 0));
        QMetaObject::invokeMethod(&dialog, "updateCertificateInfo", Q_ARG(int, index));
        EXPECT_TRUE(zeilen(dialog, "infoliste").isEmpty()) << index;
    }
}
