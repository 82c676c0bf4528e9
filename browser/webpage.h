// The page of the tabbed browser's views: new windows, certificate errors and authentication.
#pragma once

#include "wegweiserseite.h"

#include <QAuthenticator>

#include <functional>

class WebPage : public WegweiserSeite
{
    Q_OBJECT
public:
    // Its navigations go to `folgt`.
    WebPage(QWebEngineProfile* profile, QObject* parent);

    // Makes the page of a new tab, background tab or window; the tabbed window installs it.
    // While there is none such requests give null and the engine drops them.
    using FensterFunktion = std::function<QWebEnginePage*(WebPage* seite, WebWindowType typ)>;
    static void setze_fensterfunktion(FensterFunktion funktion);
    // The window that the page's dialogs belong to; the tabbed window installs it. While there
    // is none, or it gives null, the dialogs belong to the window of the page's view.
    using HauptfensterFunktion = std::function<QWidget*(WebPage* seite)>;
    static void setze_hauptfensterfunktion(HauptfensterFunktion funktion);
    QWidget* hauptfenster() const;

    // Whether a page of the browser follows a navigation: the schemes the engine loads itself
    // are followed; an address of any other is never handed to the desktop: a mail address the
    // user follows goes to the shell, anything else is refused and logged.
    static bool folgt(const QUrl& adresse, NavigationType art, bool hauptrahmen);

    // Written by the view at each mouse press.
    Qt::KeyboardModifiers m_keyboardModifiers;
    Qt::MouseButtons m_pressedButtons;

protected:
    QWebEnginePage* createWindow(WebWindowType type) override;
    bool certificateError(const QWebEngineCertificateError& error) override;

private slots:
    void authenticationRequired(const QUrl& requestUrl, QAuthenticator* auth);
    void proxyAuthenticationRequired(const QUrl& requestUrl, QAuthenticator* auth, const QString& proxyHost);
};
