// The web page of a report view: every navigation of its frames is put to the view before the engine follows it.
#pragma once

#include <QWebEnginePage>

#include <functional>

class Berichtsseite : public QWebEnginePage
{
    Q_OBJECT
public:
    // Decides whether the engine follows a navigation: (address, kind, main frame or not).
    using Wegweiser = std::function<bool(const QUrl& adresse, NavigationType art, bool hauptrahmen)>;

    // On the default profile, a child of `eltern`; without a guide every navigation is refused.
    Berichtsseite(Wegweiser wegweiser, QObject* eltern);

protected:
    // Also asked for an address of a scheme the engine does not load itself: refused, it never
    // reaches the desktop.
    bool acceptNavigationRequest(const QUrl& adresse, NavigationType art, bool hauptrahmen) override;

private:
    Wegweiser wegweiser;
};
