#include "webpage.h"
#include "anmeldedialoge.h"
#include "dialogseam.h"
#include "linkfreigabe.h"
#include "plattform.h"
#include "popupwindow.h"
#include "webview.h"

#include <QWebEngineCertificateError>

namespace {

WebPage::FensterFunktion& fensterfunktion()
{
    static WebPage::FensterFunktion funktion;
    return funktion;
}

WebPage::HauptfensterFunktion& hauptfensterfunktion()
{
    static WebPage::HauptfensterFunktion funktion;
    return funktion;
}

} // namespace

WebPage::WebPage(QWebEngineProfile* profile, QObject* parent) : WegweiserSeite(profile, &WebPage::folgt, parent)
{
    connect(this, &QWebEnginePage::authenticationRequired, this, &WebPage::authenticationRequired);
    connect(this, &QWebEnginePage::proxyAuthenticationRequired, this, &WebPage::proxyAuthenticationRequired);
}

bool WebPage::folgt(const QUrl& adresse, NavigationType art, bool hauptrahmen)
{
    if (WegweiserSeite::laedt_selbst(adresse))
        return true;
    const bool vom_anwender = hauptrahmen && (art == NavigationTypeLinkClicked || art == NavigationTypeTyped);
    if (pruefe_link(adresse.toString()).art == Linkart::Mailadresse && vom_anwender)
        oeffne_mit_shell(adresse.toString());
    return false;
}

void WebPage::setze_fensterfunktion(FensterFunktion funktion)
{
    fensterfunktion() = std::move(funktion);
}

void WebPage::setze_hauptfensterfunktion(HauptfensterFunktion funktion)
{
    hauptfensterfunktion() = std::move(funktion);
}

QWidget* WebPage::hauptfenster() const
{
    QWidget* fenster = hauptfensterfunktion() ? hauptfensterfunktion()(const_cast<WebPage*>(this)) : nullptr;
    if (!fenster && view())
        fenster = view()->window();
    return fenster;
}

QWebEnginePage* WebPage::createWindow(WebWindowType type)
{
    switch (type) {
    case WebBrowserTab:
    case WebBrowserBackgroundTab:
    case WebBrowserWindow:
        return fensterfunktion() ? fensterfunktion()(this, type) : nullptr;
    case WebDialog:
        break;
    }
    auto* popup = new PopupWindow(profile());
    popup->setAttribute(Qt::WA_DeleteOnClose);
    popup->show();
    return popup->view()->page();
}

bool WebPage::certificateError(const QWebEngineCertificateError& error)
{
    if (error.isOverridable()) {
        const QString text =
            error.errorDescription() + QStringLiteral("\n\n") +
            tr("If you wish so, you may continue with an unverified certificate. Accepting an unverified certificate "
               "means you may not be connected with the host you tried to connect to.\nDo you wish to override the "
               "security check and continue?");
        const QStringList knoepfe{tr("Yes"), tr("No")};
        return frage_mit_knoepfen(nullptr, QMessageBox::Warning, tr("Certificate Error"), text, knoepfe, 1, 1) == 0;
    }
    zeige_meldung_kritisch(view(), tr("Certificate Error"), error.errorDescription(), QMessageBox::Ok);
    return false;
}

void WebPage::authenticationRequired(const QUrl& requestUrl, QAuthenticator* auth)
{
    frage_anmeldung(hauptfenster(), tr("<qt>Enter username and password for \"%1\" at %2</qt>"), requestUrl, auth);
}

void WebPage::proxyAuthenticationRequired(const QUrl&, QAuthenticator* auth, const QString& proxyHost)
{
    frage_proxyanmeldung(hauptfenster(), tr("<qt>Connect to proxy \"%1\" using:</qt>"), proxyHost, auth);
}
