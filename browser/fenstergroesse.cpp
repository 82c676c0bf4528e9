#include "fenstergroesse.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

QSize passende_fenstergroesse(const QWidget* fenster, const QSize& gewuenscht, const QSize& vorgabe)
{
    const QScreen* bildschirm = fenster ? fenster->screen() : nullptr;
    if (!bildschirm)
        bildschirm = QGuiApplication::primaryScreen();
    // Without any screen nothing can be measured: the window's own default is all there is.
    if (!bildschirm)
        return vorgabe;
    const QSize flaeche = bildschirm->availableGeometry().size();
    const bool passt = gewuenscht.width() > 0 && gewuenscht.height() > 0 && gewuenscht.width() <= flaeche.width()
                       && gewuenscht.height() <= flaeche.height();
    return passt ? gewuenscht : vorgabe.boundedTo(flaeche);
}
