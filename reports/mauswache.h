// Hands a web view the mouse presses and releases that reach the engine's render widget, and reads the address of the selection for the middle button.
#pragma once

#include <QObject>
#include <QUrl>

#include <functional>

class QMouseEvent;
class QWebEngineView;

// Real mouse events go to the engine's render widget, the view's focus proxy, never to the view;
// the engine may replace that widget, so the watch follows every new child of the view. A child of
// the view.
class Mauswache : public QObject
{
public:
    using Behandlung = std::function<void(const QMouseEvent& ereignis)>;
    // `druck` sees each press before the render widget, `loslassen` each release after it. The
    // render widget accepts every mouse event, so whether it did tells nothing.
    Mauswache(QWebEngineView* ansicht, Behandlung druck, Behandlung loslassen);

    // The address in the selection clipboard when it is a valid one with a scheme (tolerant
    // reading); else an empty URL.
    static QUrl auswahl_adresse();

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    QWebEngineView* ansicht;
    Behandlung druck;
    Behandlung loslassen;
    // Set while the release is handed to the render widget itself.
    bool leitet_weiter = false;
};
