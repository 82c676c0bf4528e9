#include "searchlineedit.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionFrame>

SearchButton::SearchButton(QWidget* parent)
    : QAbstractButton(parent)
{
    setObjectName(QStringLiteral("SearchButton"));
    setCursor(Qt::ArrowCursor);
    setFocusPolicy(Qt::NoFocus);
}

void SearchButton::zeigeMenue()
{
    if (QWidget* p = parentWidget(); m_menu && p) {
        const QPoint r = p->mapToGlobal(QPoint(0, p->height()));
        m_menu->exec(QPoint(r.x() + height() / 2, r.y()));
    }
}

void SearchButton::mousePressEvent(QMouseEvent* event)
{
    if (m_menu && parentWidget() && event->button() == Qt::LeftButton) {
        zeigeMenue();
        event->accept();
    }
    QAbstractButton::mousePressEvent(event);
}

void SearchButton::paintEvent(QPaintEvent*)
{
    QPainterPath lupe;
    const int h = height();
    const int w = width();
    const int radius = (h / 5) * 2;
    const QRect kreis(h / 3 - 1, h / 4, radius, radius);
    lupe.addEllipse(kreis);

    lupe.arcMoveTo(kreis, 300);
    const QPointF c = lupe.currentPosition();
    const int diff = h / 7;
    lupe.lineTo(qMin(w - 2, int(c.x()) + diff), c.y() + diff);

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(Qt::darkGray, 2, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.drawPath(lupe);

    if (m_menu) {
        QPainterPath pfeil;
        pfeil.arcMoveTo(kreis, 320);
        const QPointF d = pfeil.currentPosition() + QPointF(3.5, 0.5);
        pfeil.moveTo(d);
        pfeil.lineTo(d.x() + 4, d.y());
        pfeil.lineTo(d.x() + 2, d.y() + 2);
        pfeil.closeSubpath();
        painter.setPen(Qt::darkGray);
        painter.setBrush(Qt::darkGray);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.drawPath(pfeil);
    }
}

SearchLineEdit::SearchLineEdit(QWidget* parent)
    : ExLineEdit(parent)
    , m_searchButton(new SearchButton(this))
{
    connect(lineEdit(), &QLineEdit::textChanged, this, &SearchLineEdit::textChanged);
    setLeftWidget(m_searchButton);
    setInactiveText(tr("Search"));

    QSizePolicy policy = sizePolicy();
    setSizePolicy(QSizePolicy::Preferred, policy.verticalPolicy());
}

void SearchLineEdit::paintEvent(QPaintEvent* event)
{
    ExLineEdit::paintEvent(event);
    if (lineEdit()->text().isEmpty() && !hasFocus() && !m_inactiveText.isEmpty()) {
        const QRect r = inhaltsRechteck();
        const int m = lineEdit()->x();
        const int fh = fontMetrics().height();
        const QRect textRect(r.x() + m, r.y() + (r.height() - fh + 1) / 2, r.width() - m * 2, fh);
        QPainter painter(this);
        painter.setPen(palette().brush(QPalette::Disabled, QPalette::Text).color());
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, m_inactiveText);
    }
}

void SearchLineEdit::keyPressEvent(QKeyEvent* event)
{
    const bool menuetaste = (event->key() == Qt::Key_F4 && event->modifiers() == Qt::NoModifier)
                            || (event->key() == Qt::Key_Down && event->modifiers() == Qt::AltModifier);
    if (menuetaste && m_searchButton->m_menu)
        m_searchButton->zeigeMenue();
    else
        ExLineEdit::keyPressEvent(event);
}

void SearchLineEdit::resizeEvent(QResizeEvent* event)
{
    updateGeometries();
    ExLineEdit::resizeEvent(event);
}

void SearchLineEdit::updateGeometries()
{
    const int seite = height();
    const int breite = m_searchButton->m_menu ? seite + 1 : (seite / 5) * 4;
    m_searchButton->resize(QSize(breite, seite));
}

QMenu* SearchLineEdit::menu() const
{
    if (!m_searchButton->m_menu) {
        m_searchButton->m_menu = new QMenu(m_searchButton);
        if (isVisible())
            const_cast<SearchLineEdit*>(this)->updateGeometries();
    }
    return m_searchButton->m_menu;
}
