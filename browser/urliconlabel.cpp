#include "urliconlabel.h"
#include "webview.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>

UrlIconLabel::UrlIconLabel(QWidget* parent) : QLabel(parent)
{
    setMinimumWidth(16);
    setMinimumHeight(16);
}

void UrlIconLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_dragStartPos = event->pos();
    QLabel::mousePressEvent(event);
}

void UrlIconLabel::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() == Qt::LeftButton &&
        (event->pos() - m_dragStartPos).manhattanLength() > QApplication::startDragDistance() && m_webView) {
        auto* drag = new QDrag(this);
        auto* daten = new QMimeData;
        const QUrl adresse = m_webView->url();
        daten->setText(QString::fromUtf8(adresse.toEncoded()));
        daten->setUrls({adresse});
        drag->setMimeData(daten);
        drag->exec(Qt::MoveAction);
    }
}
