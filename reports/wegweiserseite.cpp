#include "wegweiserseite.h"

#include <QWebEngineProfile>
#include <QWebEngineSettings>

WegweiserSeite::WegweiserSeite(QWebEngineProfile* profil, Wegweiser wegweiser_, QObject* eltern)
    : QWebEnginePage(profil, eltern), wegweiser(std::move(wegweiser_))
{
    settings()->setUnknownUrlSchemePolicy(QWebEngineSettings::AllowAllUnknownUrlSchemes);
    // Set on the page itself: a page takes what its profile says only for what it does not set,
    // and a profile of its own (private browsing) starts from the engine's defaults.
    sperre_lokale_zugriffe(settings());
}

WegweiserSeite::WegweiserSeite(Wegweiser wegweiser_, QObject* eltern)
    : WegweiserSeite(QWebEngineProfile::defaultProfile(), std::move(wegweiser_), eltern)
{
}

bool WegweiserSeite::laedt_selbst(const QUrl& adresse)
{
    static const QStringList schemata{QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("file"),
                                      QStringLiteral("data"), QStringLiteral("about"), QStringLiteral("blob"),
                                      QStringLiteral("qrc")};
    return schemata.contains(adresse.scheme().toLower());
}

void WegweiserSeite::sperre_lokale_zugriffe(QWebEngineSettings* einstellungen)
{
    einstellungen->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    einstellungen->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
}

bool WegweiserSeite::acceptNavigationRequest(const QUrl& adresse, NavigationType art, bool hauptrahmen)
{
    return wegweiser && wegweiser(adresse, art, hauptrahmen);
}
