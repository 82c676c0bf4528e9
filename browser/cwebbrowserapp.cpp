#include "cwebbrowserapp.h"
#include "browsereinstellungswerte.h"
#include "browserapplication.h"
#include "gespeicherterzustand.h"
#include "ctextedit.h"
#include "dialogseam.h"
#include "einstellungenanwenden.h"
#include "lokalnachricht.h"

#include <QDataStream>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QLocalServer>
#include <QSettings>
#include <QSslSocket>
#include <QTimer>

namespace {

const QLatin1String servername("WebBrowser");

} // namespace

CWebBrowserApp::CWebBrowserApp() : QObject(nullptr)
{
    BrowserApplication::setze_anwendungsobjekt(this);
    QGuiApplication::setQuitOnLastWindowClosed(true);

    localServer = new QLocalServer(this);
    connect(localServer, &QLocalServer::newConnection, this, &CWebBrowserApp::newLocalSocketConnection);
    lausche();

    if (!QSslSocket::supportsSsl())
        frage_mit_knoepfen(nullptr, QMessageBox::Information, QCoreApplication::applicationName(),
                           QStringLiteral("This system does not support OpenSSL. SSL websites will not be available."),
                           {QStringLiteral("OK")}, 0, 0);

    QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "openUrl");
    // No translator of the browser's own: the program's language decides Qt's texts and the
    // layout direction for every window, and the language selection has installed them already.

    QSettings einstellungen;
    einstellungen.beginGroup(QStringLiteral("sessions"));
    lastSession = einstellungen.value(QStringLiteral("lastSession")).toByteArray();
    einstellungen.endGroup();
    melde_beiseite_gelegte_einstellungen();
    // The tabbed browser restores from the same session, not from a second read of the store.
    BrowserApplication::setze_letzteSitzung(lastSession);

    // The profile's folder can be set only before its first page, which the window that made
    // this object makes next; the rest of the settings follow in `postLaunch`.
    wende_profilordner_an();
    QTimer::singleShot(0, this, &CWebBrowserApp::postLaunch);
}

// The socket file lies in the shared temporary folder: only its owner may connect, so no other
// local user can reach the browser through it.
void CWebBrowserApp::lausche()
{
    localServer->setSocketOptions(QLocalServer::UserAccessOption);
    if (localServer->listen(servername))
        return;
    if (localServer->serverError() == QAbstractSocket::AddressInUseError) {
        QLocalServer::removeServer(servername);
        if (localServer->listen(servername))
            return;
    }
    qWarning("Could not create local socket %s.", QString(servername).toLocal8Bit().constData());
}

// The download manager belongs to BrowserApplication's holder, which hands it out to the end of
// the process; deleting it here would leave that holder with a dangling pointer.
CWebBrowserApp::~CWebBrowserApp() = default;

CWebBrowserApp* CWebBrowserApp::instance(bool create)
{
    static CWebBrowserApp* objekt = nullptr;
    if (!objekt && create)
        objekt = new CWebBrowserApp;
    return objekt;
}

HistoryManager* CWebBrowserApp::historyManager()
{
    return BrowserApplication::historyManager();
}

DownloadManager* CWebBrowserApp::downloadManager()
{
    return BrowserApplication::downloadManager();
}

void CWebBrowserApp::loadSettings()
{
    wende_einstellungen_an();
}

void CWebBrowserApp::restoreLastSession()
{
    // The window states inside belong to the tabbed browser; here they are only taken apart.
    QDataStream strom(lastSession);
    const QList<QByteArray> fensterzustaende = lies_liste<QByteArray>(strom);
    Q_UNUSED(fensterzustaende);
}

void CWebBrowserApp::lastWindowClosed() {}

void CWebBrowserApp::quitBrowser() {}

void CWebBrowserApp::postLaunch()
{
    loadSettings();
    historyManager();
}

void CWebBrowserApp::openUrl(const QUrl& url)
{
    // The opener's shell road starts its program directly, not through the desktop services,
    // so this does not come back here.
    CTextEdit::oeffne_url(CQString(url.toString()), true);
}

void CWebBrowserApp::newLocalSocketConnection()
{
    // The word opens nothing here; reading it empties the connection.
    QString wort;
    lies_lokale_nachricht(localServer, wort);
}
