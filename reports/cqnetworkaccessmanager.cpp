#include "cqnetworkaccessmanager.h"
#include "katalog.h"
#include "ckrypt.h"
#include "melde.h"

#include <QAuthenticator>
#include <QNetworkProxy>
#include <QSslConfiguration>
#include <QTimer>

namespace {

// Short outputs: no type prefix and no context, the manager's name as method.
void meldung(int typ, const QString& text)
{
    qmelde(typ, klasse_kurz, CQString("CQNetworkAccessManager"), CQString(text));
}

} // namespace

CQNetworkAccessManager::CQNetworkAccessManager(QObject* eltern)
    : QNetworkAccessManager(eltern), zeitgeber(new QTimer(this))
{
    qRegisterMetaType<QList<QSslError>>();
    qRegisterMetaType<QNetworkReply::NetworkError>();
    connect(zeitgeber, &QTimer::timeout, this, &CQNetworkAccessManager::SLOTtimeout);
    connect(this, &QNetworkAccessManager::proxyAuthenticationRequired, this,
            &CQNetworkAccessManager::SLOTproxyAuthenticationRequired);
}

CQNetworkAccessManager::~CQNetworkAccessManager() = default;

void CQNetworkAccessManager::beobachte(QNetworkReply* neue, bool zertifikat, int zeitlimit_ms)
{
    zeitgeber->stop();
    // The reply before may still run; its late signals must not land in this request's record.
    if (reply) {
        disconnect(reply, nullptr, this, nullptr);
        disconnect(reply, nullptr, zeitgeber, nullptr);
    }
    reply = neue;
    zertifikatabfrage = zertifikat;
    zeitablauf = false;
    if (!reply)
        return;
    connect(reply, &QNetworkReply::metaDataChanged, this, &CQNetworkAccessManager::SLOTmetaDataChanged);
    connect(reply, &QNetworkReply::sslErrors, this, &CQNetworkAccessManager::SlotsslErrors);
    connect(reply, &QNetworkReply::finished, this, &CQNetworkAccessManager::SLOTRequestFinished);
    connect(reply, &QNetworkReply::errorOccurred, this, &CQNetworkAccessManager::SLOThttpError);
    // The timer keeps ticking while the request runs: a server slow to hand over its chain is
    // cut off at the first tick after the chain has come, not left running for ever.
    if (zertifikatabfrage) {
        connect(reply, &QNetworkReply::finished, zeitgeber, &QTimer::stop);
        zeitgeber->start(zeitlimit_ms);
    }
}

QStringList CQNetworkAccessManager::gibFehler() const
{
    return fehler;
}

void CQNetworkAccessManager::SLOTmetaDataChanged()
{
    if (reply && reply->error() == QNetworkReply::NoError && !reply->isRunning() && !reply->isFinished())
        reply->abort();
}

void CQNetworkAccessManager::SlotsslErrors(const QList<QSslError>& fehlerliste)
{
    // Only a certificate request may go on despite SSL errors: it needs the chain the dialog
    // shows. Any other request would otherwise talk to whoever answers in the server's place.
    bool uebergehen = zertifikatabfrage;
    for (const QSslError& f : fehlerliste) {
        switch (f.error()) {
        case QSslError::UnableToGetLocalIssuerCertificate:
        case QSslError::UnableToVerifyFirstCertificate:
        case QSslError::CertificateUntrusted:
            continue;
        case QSslError::NoSslSupport:
            uebergehen = false;
            break;
        default:
            break;
        }
        fehler << tr("SSL-Fehler:(%1) %2").arg(static_cast<int>(f.error())).arg(f.errorString());
    }
    if (uebergehen && reply)
        reply->ignoreSslErrors();
}

void CQNetworkAccessManager::SLOTRequestFinished() {}

void CQNetworkAccessManager::SLOTproxyAuthenticationRequired(const QNetworkProxy&, QAuthenticator* auth)
{
    const CQString benutzer = gib_katalog_privat().proxy_user.gib_wert_qstr();
    const CQString gespeichert = gib_katalog_privat().proxy_pass.gib_wert_qstr();
    if (proxy_versuche == 0) {
        proxy_versuche = 1;
        if (benutzer.isEmpty()) {
            meldung(2, tr("Proxy-Server Authentification: fehlender Proxy Benutzername"));
            return;
        }
    } else if (proxy_versuche == 1) {
        // The proxy refused the credentials given the first time.
        proxy_versuche = 2;
        meldung(2, gespeichert.isEmpty() ? tr("Proxy-Server Authentification:  fehlendes Proxy Benutzerkennwort")
                                         : tr("Proxy-Server Authentification:  falsches Proxy Benutzerkennwort"));
        return;
    }
    auth->setUser(benutzer);
    auth->setPassword(entschluessele_kennwort(gespeichert));
}

void CQNetworkAccessManager::SLOThttpError(QNetworkReply::NetworkError code)
{
    if (code == QNetworkReply::OperationCanceledError && zeitablauf)
        return; // the time-out has been reported already
    const QString text = tr("Netzwerkzugriff fehlgeschlagen: %1").arg(reply ? reply->errorString() : QString());
    meldung(2, text);
    fehler << text;
}

void CQNetworkAccessManager::SLOTtimeout()
{
    if (!zertifikatabfrage || !reply || !reply->isRunning()
        || reply->sslConfiguration().peerCertificateChain().isEmpty())
        return;
    meldung(4, tr("Zeitablauf bei Zertifikatabfrage von %1").arg(reply->url().toString()));
    zeitablauf = true;
    reply->abort();
}
