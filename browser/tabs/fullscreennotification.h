// The notice over a page gone full screen that tells for a few seconds how to leave it.
#pragma once

#include <QWidget>

class QLabel;
class QPropertyAnimation;

class FullScreenNotification : public QWidget
{
    Q_OBJECT
public:
    explicit FullScreenNotification(QWidget* parent);

    // Shows the notice after 300 ms, centred on the parent's width at that time, and fades it
    // out after five seconds.
    void show();

public slots:
    void fadeOut();
    void fadeOutFinished();

private:
    QLabel* m_label;
    QPropertyAnimation* m_animation;
    int m_width = 400;
    int m_height = 80;
    int m_x;
    int m_y = 80;
};
