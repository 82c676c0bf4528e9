#include "certificateinfo.h"
#include "ccmessagebox.h"
#include "cqnetworkaccessmanager.h"
#include "gui.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QNetworkReply>
#include <QSslConfiguration>
#include <QSslKey>
#include <QVBoxLayout>

namespace {

// Built on first use and never destroyed, like the widget library's dialog replacements.
CertificateInfo::FehlerboxFunktion& fehlerbox_haken()
{
    static auto* f = new CertificateInfo::FehlerboxFunktion;
    return *f;
}

void zeige_fehlerbox(QWidget* eltern, const QString& titelzeile, const QString& text)
{
    if (fehlerbox_haken()) {
        fehlerbox_haken()(eltern, titelzeile, text);
        return;
    }
    // The box deletes itself when exec() returns.
    auto* box = new CCMessageBox(eltern, gib_meldungstitel(), CQString("Netzwerkfehler"));
    box->haengeTextAn(CQString(text));
    box->setzeSymbol(QMessageBox::Critical);
    box->neue_titelzeile(CQString(titelzeile));
    box->exec();
}

QString verbunden(const QStringList& teile)
{
    return teile.join(QLatin1Char(' '));
}

// The six name lines of the subject or of the issuer.
QStringList namenszeilen(const QSslCertificate& z, bool aussteller)
{
    const auto feld = [&z, aussteller](QSslCertificate::SubjectInfo f) {
        return verbunden(aussteller ? z.issuerInfo(f) : z.subjectInfo(f));
    };
    return {
        QStringLiteral("  Allgemeiner Name (CN): %1").arg(feld(QSslCertificate::CommonName)),
        QStringLiteral("  Organisation (O): %1").arg(feld(QSslCertificate::Organization)),
        QStringLiteral("  Organisationseinheit (OU): %1").arg(feld(QSslCertificate::OrganizationalUnitName)),
        (aussteller ? QStringLiteral("  Land (C): %1") : QStringLiteral("  Staat (C): %1"))
            .arg(feld(QSslCertificate::CountryName)),
        QStringLiteral("  Provinz (ST): %1").arg(feld(QSslCertificate::StateOrProvinceName)),
        QStringLiteral("  Ort (L): %1").arg(feld(QSslCertificate::LocalityName)),
    };
}

QString datum(const QDateTime& zeit)
{
    return QLocale().toString(zeit, QLocale::ShortFormat);
}

} // namespace

CertificateInfo::CertificateInfo(CQNetworkAccessManager* manager, QNetworkReply* reply, QWidget* eltern)
    : QDialog(eltern), manager(manager), reply(reply)
{
    setWindowTitle(tr("Zertifikat"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Zertifizierungspfad"), this));
    formular.pfadliste = new QListWidget(this);
    formular.pfadliste->setObjectName(QStringLiteral("pfadliste"));
    layout->addWidget(formular.pfadliste);
    layout->addWidget(new QLabel(tr("Zertifikatinformationen"), this));
    formular.infoliste = new QListWidget(this);
    formular.infoliste->setObjectName(QStringLiteral("infoliste"));
    layout->addWidget(formular.infoliste, 1);
    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(knoepfe);
    resize(520, 460);

    if (!reply)
        return;
    setze_warte_cursor(true, false);
    warte_cursor = true;
    if (reply->isFinished())
        QMetaObject::invokeMethod(this, &CertificateInfo::SLOThttpFinished, Qt::QueuedConnection);
    else
        connect(reply, &QNetworkReply::finished, this, &CertificateInfo::SLOThttpFinished);
}

CertificateInfo::~CertificateInfo()
{
    if (warte_cursor)
        setze_warte_cursor(false, false);
}

void CertificateInfo::setze_fehlerbox_funktion(FehlerboxFunktion funktion)
{
    fehlerbox_haken() = std::move(funktion);
}

void CertificateInfo::setzeZertifikatkette(const QList<QSslCertificate>& neue)
{
    kette = neue;
    formular.pfadliste->clear();
    for (int i = 0; i < kette.size(); ++i) {
        const QSslCertificate& z = kette.at(i);
        formular.pfadliste->addItem(tr("%1%2 (%3)")
                                        .arg(i == 0 ? QString() : tr("Aussteller: "),
                                             verbunden(z.subjectInfo(QSslCertificate::Organization)),
                                             verbunden(z.subjectInfo(QSslCertificate::CommonName))));
    }
    connect(formular.pfadliste, &QListWidget::currentRowChanged, this, &CertificateInfo::updateCertificateInfo,
            Qt::UniqueConnection);
    // Clearing the list left no row current, so this change fills the information list.
    formular.pfadliste->setCurrentRow(0);
}

void CertificateInfo::updateCertificateInfo(int index)
{
    formular.infoliste->clear();
    if (index >= 0 && index < kette.size())
        formular.infoliste->addItems(beschreibeZertifikat(kette.at(index)));
}

QStringList CertificateInfo::beschreibeZertifikat(const QSslCertificate& z)
{
    if (z.isNull())
        return {};
    QStringList zeilen{QStringLiteral("Ausgestellt für")};
    zeilen << namenszeilen(z, false) << QStringLiteral("Ausgestellt von") << namenszeilen(z, true)
           << QStringLiteral("Validität") << QStringLiteral("  Ausgestellt am: %1").arg(datum(z.effectiveDate()))
           << QStringLiteral("  Läuft ab am: %1").arg(datum(z.expiryDate()))
           // Qt gives the serial as hexadecimal bytes joined by ":"; a one-byte serial such as 10
           // looks decimal but is hexadecimal too, so the text is shown as it is.
           << QStringLiteral("  Seriennummer: %1").arg(QString::fromLatin1(z.serialNumber()).toUpper())
           << QStringLiteral("  Version: %1").arg(QString::fromLatin1(z.version()))
           << QStringLiteral("  Zertifikat zurückgezogen: %1")
                  .arg(z.isBlacklisted() ? QStringLiteral("ja") : QStringLiteral("nein"))
           << (z.publicKey().algorithm() == QSsl::Rsa ? QStringLiteral("Algorithmus: RSA")
                                                      : QStringLiteral("Algorithmus: DSA"))
           << QStringLiteral(" ");
    return zeilen;
}

void CertificateInfo::SLOThttpFinished()
{
    if (warte_cursor) {
        setze_warte_cursor(false, false);
        warte_cursor = false;
    }
    fehler_ton();
    const QStringList fehler = manager ? manager->gibFehler() : QStringList();
    const QList<QSslCertificate> neue_kette =
        reply ? reply->sslConfiguration().peerCertificateChain() : QList<QSslCertificate>();
    if (neue_kette.isEmpty()) {
        formular.infoliste->addItem(QStringLiteral("\n"));
        for (const QString& f : fehler)
            formular.infoliste->addItem(f + QLatin1Char('\n'));
        formular.infoliste->addItem(tr("Kein Zertifikat verfügbar!"));
        fehler_ton();
        return;
    }
    if (!fehler.isEmpty()) {
        QString text = reply->url().toString() + QStringLiteral("\n\n");
        for (const QString& f : fehler)
            text += f + QLatin1Char('\n');
        fehler_ton();
        zeige_fehlerbox(gib_hauptfenster(), tr("Fehler bei Netzwerkanfrage"), text);
    }
    setzeZertifikatkette(neue_kette);
}
