#include "wegweiserseite.h"

#include <QWebEngineSettings>

WegweiserSeite::WegweiserSeite(Wegweiser wegweiser_, QObject* eltern)
    : QWebEnginePage(eltern), wegweiser(std::move(wegweiser_))
{
    settings()->setUnknownUrlSchemePolicy(QWebEngineSettings::AllowAllUnknownUrlSchemes);
}

bool WegweiserSeite::laedt_selbst(const QUrl& adresse)
{
    static const QStringList schemata{QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("file"),
                                      QStringLiteral("data"), QStringLiteral("about"), QStringLiteral("blob"),
                                      QStringLiteral("qrc")};
    return schemata.contains(adresse.scheme().toLower());
}

bool WegweiserSeite::acceptNavigationRequest(const QUrl& adresse, NavigationType art, bool hauptrahmen)
{
    return wegweiser && wegweiser(adresse, art, hauptrahmen);
}
