#include "einstellungenanwenden.h"
#include "browsereinstellungswerte.h"
#include "wegweiserseite.h"

#include <QDir>
#include <QNetworkProxy>
#include <QSettings>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

namespace {

void wende_webeinstellungen_an(QSettings& einstellungen)
{
    QWebEngineSettings* const web = QWebEngineSettings::defaultSettings();
    QWebEngineProfile* const profil = QWebEngineProfile::defaultProfile();
    einstellungen.beginGroup(QStringLiteral("websettings"));

    const QFont standard = lies_schrift(einstellungen, QStringLiteral("standardFont"),
                                        QFont(web->fontFamily(QWebEngineSettings::StandardFont),
                                              web->fontSize(QWebEngineSettings::DefaultFontSize)));
    web->setFontFamily(QWebEngineSettings::StandardFont, standard.family());
    web->setFontSize(QWebEngineSettings::DefaultFontSize, standard.pointSize());
    const QFont fest = lies_schrift(einstellungen, QStringLiteral("fixedFont"),
                                    QFont(web->fontFamily(QWebEngineSettings::FixedFont),
                                          web->fontSize(QWebEngineSettings::DefaultFixedFontSize)));
    web->setFontFamily(QWebEngineSettings::FixedFont, fest.family());
    web->setFontSize(QWebEngineSettings::DefaultFixedFontSize, fest.pointSize());

    web->setAttribute(QWebEngineSettings::JavascriptEnabled,
                      lies_schalter(einstellungen, QStringLiteral("enableJavascript"), true));
    web->setAttribute(QWebEngineSettings::ScrollAnimatorEnabled,
                      lies_schalter(einstellungen, QStringLiteral("enableScrollAnimator"), true));
    web->setAttribute(QWebEngineSettings::PluginsEnabled,
                      lies_schalter(einstellungen, QStringLiteral("enablePlugins"), true));
    // An empty text gives the engine's own header back.
    profil->setHttpUserAgent(einstellungen.value(QStringLiteral("httpUserAgent")).toString());
    profil->setHttpAcceptLanguage(einstellungen.value(QStringLiteral("httpAcceptLanguage")).toString());

    switch (lies_zahl(einstellungen, QStringLiteral("faviconDownloadMode"), 1)) {
    case 0:
        web->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
        break;
    case 1:
        web->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, true);
        web->setAttribute(QWebEngineSettings::TouchIconsEnabled, false);
        break;
    case 2:
        web->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, true);
        web->setAttribute(QWebEngineSettings::TouchIconsEnabled, true);
        break;
    default:
        // A mode the dialog does not offer leaves the engine's icon settings alone.
        break;
    }
    web->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, true);
    // Not a setting of the user's: also a page the engine makes by itself keeps to it.
    WegweiserSeite::sperre_lokale_zugriffe(web);
    einstellungen.endGroup();
}

void wende_cookies_an(QSettings& einstellungen)
{
    QWebEngineProfile* const profil = QWebEngineProfile::defaultProfile();
    einstellungen.beginGroup(QStringLiteral("cookies"));
    int politik = lies_zahl(einstellungen, QStringLiteral("persistentCookiesPolicy"), 0);
    if (politik < QWebEngineProfile::NoPersistentCookies || politik > QWebEngineProfile::ForcePersistentCookies)
        politik = QWebEngineProfile::NoPersistentCookies;
    profil->setPersistentCookiesPolicy(static_cast<QWebEngineProfile::PersistentCookiesPolicy>(politik));
    einstellungen.endGroup();
    wende_profilordner_an();
}

QNetworkProxy lies_proxy(QSettings& einstellungen)
{
    einstellungen.beginGroup(QStringLiteral("proxy"));
    QNetworkProxy proxy;
    if (lies_schalter(einstellungen, QStringLiteral("enabled"), false)) {
        proxy.setType(lies_zahl(einstellungen, QStringLiteral("type"), 0) == 0 ? QNetworkProxy::Socks5Proxy
                                                                               : QNetworkProxy::HttpProxy);
        proxy.setHostName(einstellungen.value(QStringLiteral("hostName")).toString());
        int port = lies_zahl(einstellungen, QStringLiteral("port"), 1080);
        // A number no port can have would wrap around to some other port.
        if (port < 0 || port > 65535)
            port = 1080;
        proxy.setPort(static_cast<quint16>(port));
        proxy.setUser(einstellungen.value(QStringLiteral("userName")).toString());
        // Stored as typed: the store holds the password in plain text.
        proxy.setPassword(einstellungen.value(QStringLiteral("password")).toString());
    }
    einstellungen.endGroup();
    return proxy;
}

} // namespace

bool wende_profilordner_an()
{
    QWebEngineProfile* const profil = QWebEngineProfile::defaultProfile();
    // Read before the first change: an empty path stands for it.
    static const QString eigener = profil->persistentStoragePath();
    // An empty path gives the engine's default folder back.
    const QString ordner = QSettings().value(QStringLiteral("cookies/persistentDataPath")).toString();
    if (QDir::cleanPath(ordner.isEmpty() ? eigener : ordner) == QDir::cleanPath(profil->persistentStoragePath()))
        return true;
    if (WegweiserSeite::hat_seiten(profil))
        return false;
    profil->setPersistentStoragePath(ordner);
    return true;
}

void wende_einstellungen_an()
{
    QSettings einstellungen;
    wende_webeinstellungen_an(einstellungen);
    wende_cookies_an(einstellungen);
    QNetworkProxy::setApplicationProxy(lies_proxy(einstellungen));
}
