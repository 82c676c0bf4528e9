#include "mauswache.h"

#include <QApplication>
#include <QChildEvent>
#include <QClipboard>
#include <QMouseEvent>
#include <QWebEngineView>

Mauswache::Mauswache(QWebEngineView* ansicht, Behandlung druck, Behandlung loslassen)
    : QObject(ansicht), ansicht(ansicht), druck(std::move(druck)), loslassen(std::move(loslassen))
{
    ansicht->installEventFilter(this);
    for (QObject* kind : ansicht->children())
        if (kind->isWidgetType())
            kind->installEventFilter(this);
}

QUrl Mauswache::auswahl_adresse()
{
    const QUrl adresse(QApplication::clipboard()->text(QClipboard::Selection), QUrl::TolerantMode);
    if (!adresse.isEmpty() && adresse.isValid() && !adresse.scheme().isEmpty())
        return adresse;
    return QUrl();
}

bool Mauswache::eventFilter(QObject* objekt, QEvent* ereignis)
{
    if (objekt == ansicht) {
        if (ereignis->type() == QEvent::ChildAdded) {
            QObject* const kind = static_cast<QChildEvent*>(ereignis)->child();
            if (kind->isWidgetType())
                kind->installEventFilter(this);
        }
        return false;
    }
    if (objekt != ansicht->focusProxy() || leitet_weiter)
        return false;
    if (ereignis->type() == QEvent::MouseButtonPress) {
        druck(*static_cast<QMouseEvent*>(ereignis));
    } else if (ereignis->type() == QEvent::MouseButtonRelease) {
        leitet_weiter = true;
        objekt->event(ereignis);
        leitet_weiter = false;
        loslassen(*static_cast<QMouseEvent*>(ereignis));
        return true;
    }
    return false;
}
