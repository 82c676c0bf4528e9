// A web page that puts every navigation of its frames to a guide before the engine follows it.
#pragma once

#include <QWebEnginePage>

#include <functional>

class WegweiserSeite : public QWebEnginePage
{
    Q_OBJECT
public:
    // Decides whether the engine follows a navigation: (address, kind, main frame or not).
    using Wegweiser = std::function<bool(const QUrl& adresse, NavigationType art, bool hauptrahmen)>;

    // On the default profile, a child of `eltern`. Addresses of schemes the engine does not load
    // itself are put to the guide too, clicked or not (without it they would go to the desktop
    // once accepted). Without a guide every navigation is refused.
    WegweiserSeite(Wegweiser wegweiser, QObject* eltern);

    // True for the schemes the engine loads itself ("http", "https", "file", "data", "about",
    // "blob", "qrc"); an address of any other would be handed to the desktop.
    static bool laedt_selbst(const QUrl& adresse);

protected:
    bool acceptNavigationRequest(const QUrl& adresse, NavigationType art, bool hauptrahmen) override;

private:
    Wegweiser wegweiser;
};
