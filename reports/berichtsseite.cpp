#include "berichtsseite.h"

Berichtsseite::Berichtsseite(Wegweiser wegweiser_, QObject* eltern)
    : QWebEnginePage(eltern), wegweiser(std::move(wegweiser_))
{
}

bool Berichtsseite::acceptNavigationRequest(const QUrl& adresse, NavigationType art, bool hauptrahmen)
{
    return wegweiser && wegweiser(adresse, art, hauptrahmen);
}
