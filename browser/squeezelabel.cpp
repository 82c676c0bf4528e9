#include "squeezelabel.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

SqueezeLabel::SqueezeLabel(QWidget* parent) : QLabel(parent) {}

void SqueezeLabel::paintEvent(QPaintEvent* event)
{
    const QFontMetrics metrik = fontMetrics();
    if (metrik.horizontalAdvance(text()) <= contentsRect().width()) {
        QLabel::paintEvent(event);
        return;
    }
    // Painted as the label paints plain text, but without setting the short text: a text set
    // while painting asks for the next paint, and the label would repaint without end.
    QPainter maler(this);
    drawFrame(&maler);
    const int rand = margin();
    const QRect flaeche = contentsRect().adjusted(rand, rand, -rand, -rand);
    style()->drawItemText(&maler, flaeche, int(QStyle::visualAlignment(layoutDirection(), alignment())), palette(),
                          isEnabled(), metrik.elidedText(text(), Qt::ElideMiddle, width()), foregroundRole());
}
