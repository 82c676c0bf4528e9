// The dialog that shows the outcome of a certificate request: the server's chain, one certificate's details, or the errors.
#pragma once

#include <QDialog>
#include <QList>
#include <QPointer>
#include <QSslCertificate>
#include <QString>
#include <QStringList>
#include <functional>

class CQNetworkAccessManager;
class QListWidget;
class QNetworkReply;

// Filled once, when the watched request has finished. The upper list is the certification path
// (the server first, then its issuers), the lower one the details of the selected certificate.
class CertificateInfo : public QDialog
{
    Q_OBJECT
public:
    // Waits for `reply` (watched by `manager`, whose errors are shown) with the wait cursor on.
    CertificateInfo(CQNetworkAccessManager* manager, QNetworkReply* reply, QWidget* eltern = nullptr);
    ~CertificateInfo() override;

    void setzeZertifikatkette(const QList<QSslCertificate>& kette);
    // The lines that describe one certificate; none for a null certificate.
    static QStringList beschreibeZertifikat(const QSslCertificate& zertifikat);

    // The critical box of a failed request with the server's chain: title line and text in the
    // framework's message box. Replaceable, so that a test can answer it; an empty function
    // restores the box.
    using FehlerboxFunktion = std::function<void(QWidget* eltern, const QString& titelzeile, const QString& text)>;
    static void setze_fehlerbox_funktion(FehlerboxFunktion funktion);

private slots:
    void updateCertificateInfo(int index);
    void SLOThttpFinished();

private:
    struct Formular
    {
        QListWidget* pfadliste = nullptr;
        QListWidget* infoliste = nullptr;
    } formular;
    QList<QSslCertificate> kette;
    CQNetworkAccessManager* manager;
    QPointer<QNetworkReply> reply;
    // The wait cursor pushed while the request runs, until it has finished.
    bool warte_cursor = false;
};
