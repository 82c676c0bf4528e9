// The icon at the left of the URL line edit, from which the page's address can be dragged away.
#pragma once

#include <QPointer>
#include <QLabel>
#include <QPoint>

class WebView;

class UrlIconLabel : public QLabel
{
    Q_OBJECT
public:
    explicit UrlIconLabel(QWidget* parent);

    // The view whose address a drag carries; none, no drag.
    // Guarded: the view may be deleted before the line edit.
    QPointer<WebView> m_webView;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QPoint m_dragStartPos;
};
