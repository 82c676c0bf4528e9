// The busy indicator of the tabbed browser: a ring of nine dots that chase each other while a page loads.
#pragma once

#include <QPixmap>
#include <QWidget>

class ChaseWidget : public QWidget
{
    Q_OBJECT
public:
    explicit ChaseWidget(QWidget* parent = nullptr, const QPixmap& pixmap = QPixmap(), bool pixmapEnabled = false);

    void setAnimated(bool value);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    int m_segment = 0;
    int m_delay = 100;
    int m_step = 40;
    int m_timerId = -1;
    bool m_animated = false;
    QPixmap m_pixmap;
    bool m_pixmapEnabled;
};
