#include "chasewidget.h"

#include <QApplication>
#include <QPainter>
#include <QTimerEvent>

ChaseWidget::ChaseWidget(QWidget* parent, const QPixmap& pixmap, bool pixmapEnabled)
    : QWidget(parent), m_pixmap(pixmap), m_pixmapEnabled(pixmapEnabled)
{
}

void ChaseWidget::setAnimated(bool value)
{
    if (m_animated == value)
        return;
    m_animated = value;
    if (m_timerId != -1) {
        killTimer(m_timerId);
        m_timerId = -1;
    }
    if (m_animated) {
        m_segment = 0;
        m_timerId = startTimer(m_delay);
    }
    update();
}

QSize ChaseWidget::sizeHint() const
{
    return QSize(32, 32);
}

void ChaseWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_pixmapEnabled && !m_pixmap.isNull()) {
        p.drawPixmap(0, 0, m_pixmap);
        return;
    }

    const int extent = qMin(width() - 8, height() - 8);
    const int displ = extent / 4;
    const int ext = displ - 1;
    const int anzahl = 360 / m_step;

    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(m_animated ? QColor(Qt::gray) : palette().dark().color());
    p.translate(width() / 2, height() / 2);
    for (int punkt = 0; punkt < anzahl; ++punkt) {
        p.rotate(QApplication::isRightToLeft() ? m_step : -m_step);
        if (m_animated) {
            const int c = qMax(0, 255 - (255 / anzahl) * ((punkt + m_segment) % anzahl));
            p.setBrush(QColor(c, c, c, 255));
        } else {
            p.setBrush(palette().window());
        }
        p.drawEllipse(QRect(displ, -ext / 2, ext, ext));
    }
}

void ChaseWidget::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_timerId) {
        ++m_segment;
        update();
    }
    QWidget::timerEvent(event);
}
