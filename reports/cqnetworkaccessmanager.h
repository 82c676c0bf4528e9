// The network access manager that watches one request: collects its errors, answers the proxy, guards certificate requests.
#pragma once

#include <QList>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QSslError>
#include <QStringList>

class QAuthenticator;
class QNetworkProxy;
class QTimer;

// Messages go to every log window and the logger as short outputs. The errors list grows over
// all requests and is never cleared; the proxy attempt counter is never reset either, so a
// later request on the same manager gets the stored credentials at once, without messages.
class CQNetworkAccessManager : public QNetworkAccessManager
{
    Q_OBJECT
public:
    // How long a certificate request may run once the server's chain is known.
    static constexpr int zeitlimit_zertifikatabfrage_ms = 10000;

    explicit CQNetworkAccessManager(QObject* eltern = nullptr);
    ~CQNetworkAccessManager() override;

    // Watches `reply` (one of this manager's) in place of the one before: connects its signals
    // to the slots below and sets the certificate-request mark. A certificate request only
    // fetches the server's chain, so its SSL errors are let pass; every `zeitlimit_ms` while it
    // runs it is checked, and aborted once the chain is known. An ordinary request fails on
    // any SSL error.
    void beobachte(QNetworkReply* reply, bool zertifikatabfrage,
                   int zeitlimit_ms = zeitlimit_zertifikatabfrage_ms);

    QStringList gibFehler() const;

private slots:
    void SLOTmetaDataChanged();
    void SlotsslErrors(const QList<QSslError>& fehlerliste);
    void SLOTRequestFinished();
    void SLOTproxyAuthenticationRequired(const QNetworkProxy& proxy, QAuthenticator* auth);
    void SLOThttpError(QNetworkReply::NetworkError code);
    void SLOTtimeout();

private:
    QPointer<QNetworkReply> reply;
    bool zertifikatabfrage = false;
    bool zeitablauf = false;
    int proxy_versuche = 0;
    QStringList fehler;
    QTimer* zeitgeber;
};
