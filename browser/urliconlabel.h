// The icon at the left of the URL line edit, from which the page's address can be dragged away.
#pragma once

#include <QLabel>
#include <QPoint>

class WebView;

class UrlIconLabel : public QLabel
{
    Q_OBJECT
public:
    explicit UrlIconLabel(QWidget* parent);

    // The view whose address a drag carries; none, no drag.
    WebView* m_webView = nullptr;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QPoint m_dragStartPos;
};
