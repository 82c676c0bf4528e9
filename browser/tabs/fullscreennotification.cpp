#include "fullscreennotification.h"

#include <QGridLayout>
#include <QLabel>
#include <QPropertyAnimation>
#include <QTimer>

FullScreenNotification::FullScreenNotification(QWidget* parent)
    : QWidget(parent), m_label(new QLabel(tr("You are now in fullscreen mode. Press ESC to quit!"), this)),
      m_animation(new QPropertyAnimation(this, "windowOpacity", this)), m_x((parent->width() - 400) / 2)
{
    setVisible(false);
    setWindowFlags(Qt::ToolTip | Qt::WindowDoesNotAcceptFocus);

    // A long translation wraps instead of widening the notice past its fixed size.
    m_label->setWordWrap(true);
    m_label->setAlignment(Qt::AlignCenter);
    auto* layout = new QGridLayout(this);
    layout->addWidget(m_label, 0, 0, Qt::AlignHCenter | Qt::AlignVCenter);

    setGeometry(m_x, m_y, m_width, m_height);
    setStyleSheet(QStringLiteral("background-color: white;        color: black;"));

    connect(m_animation, &QPropertyAnimation::finished, this, &FullScreenNotification::fadeOutFinished);
}

void FullScreenNotification::show()
{
    setWindowOpacity(1.0);
    // The timers die with the notice, which goes with its full-screen view.
    QTimer::singleShot(300, this, [this] {
        QWidget* eltern = parentWidget();
        m_x = (eltern->width() - m_width) / 2;
        move(eltern->mapToGlobal(QPoint(m_x, m_y)));
        QWidget::show();
        raise();
    });
    QTimer::singleShot(5000, this, &FullScreenNotification::fadeOut);
}

void FullScreenNotification::fadeOut()
{
    m_animation->setDuration(800);
    m_animation->setStartValue(1.0);
    m_animation->setEndValue(0.0);
    m_animation->setEasingCurve(QEasingCurve::OutQuad);
    m_animation->start();
}

void FullScreenNotification::fadeOutFinished()
{
    hide();
    m_animation->stop();
    setWindowOpacity(1.0);
}
