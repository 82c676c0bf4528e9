#include "exlineedit.h"

#include <QCompleter>
#include <QFocusEvent>
#include <QPainter>
#include <QStyleOptionFrame>

ClearButton::ClearButton(QWidget* parent)
    : QAbstractButton(parent)
{
    setCursor(Qt::ArrowCursor);
    setToolTip(tr("Clear"));
    setVisible(false);
    setFocusPolicy(Qt::NoFocus);
}

void ClearButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int w = width();
    const int h = height();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QColor farbe = isDown() ? palette().color(QPalette::Dark) : palette().color(QPalette::Mid);
    painter.setBrush(farbe);
    painter.setPen(farbe);
    const int offset = w / 5;
    const int durchmesser = w - 2 * offset;
    painter.drawEllipse(offset, offset, durchmesser, durchmesser);

    painter.setPen(palette().color(QPalette::Base));
    const int rand = offset * 2;
    painter.drawLine(rand, rand, w - rand, h - rand);
    painter.drawLine(rand, h - rand, w - rand, rand);
}

void ClearButton::textChanged(const QString& text)
{
    setVisible(!text.isEmpty());
}

ExLineEdit::ExLineEdit(QWidget* parent)
    : QWidget(parent)
    , m_lineEdit(new QLineEdit(this))
    , m_clearButton(nullptr)
{
    setFocusPolicy(m_lineEdit->focusPolicy());
    setAttribute(Qt::WA_InputMethodEnabled);
    setSizePolicy(m_lineEdit->sizePolicy());
    setBackgroundRole(m_lineEdit->backgroundRole());
    setMouseTracking(true);
    setAcceptDrops(true);
    setAttribute(Qt::WA_MacShowFocusRect, true);
    QPalette p = m_lineEdit->palette();
    setPalette(p);

    m_lineEdit->setFrame(false);
    m_lineEdit->setFocusProxy(this);
    m_lineEdit->setAttribute(Qt::WA_MacShowFocusRect, false);
    // The outer frame's background shows through.
    QPalette klar = m_lineEdit->palette();
    klar.setBrush(QPalette::All, QPalette::Base, QBrush(Qt::transparent));
    m_lineEdit->setPalette(klar);

    m_clearButton = new ClearButton(this);
    connect(m_clearButton, &QAbstractButton::clicked, m_lineEdit, &QLineEdit::clear);
    connect(m_lineEdit, &QLineEdit::textChanged, m_clearButton, &ClearButton::textChanged);
}

void ExLineEdit::initStyleOption(QStyleOptionFrame* option) const
{
    option->initFrom(this);
    option->rect = contentsRect();
    option->lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, option, this);
    option->midLineWidth = 0;
    option->state |= QStyle::State_Sunken;
    if (m_lineEdit->isReadOnly())
        option->state |= QStyle::State_ReadOnly;
    option->features = QStyleOptionFrame::None;
}

QRect ExLineEdit::inhaltsRechteck() const
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
}

void ExLineEdit::updateGeometries()
{
    const QRect rect = inhaltsRechteck();
    const int hoehe = height();
    QPoint links;
    QSize linksGroesse;
    if (m_leftWidget) {
        linksGroesse = m_leftWidget->size();
        links = QPoint(rect.x() + 2, rect.y() + (rect.height() - linksGroesse.height()) / 2);
        m_leftWidget->move(links);
    }
    const int seite = hoehe;
    m_clearButton->setGeometry(width() - seite, 0, seite, seite);
    m_lineEdit->setGeometry(links.x() + linksGroesse.width(), 0,
                            rect.width() - seite - linksGroesse.width(), hoehe);
}

void ExLineEdit::resizeEvent(QResizeEvent* event)
{
    updateGeometries();
    QWidget::resizeEvent(event);
}

QSize ExLineEdit::sizeHint() const
{
    m_lineEdit->setFrame(true);
    const QSize groesse = m_lineEdit->sizeHint();
    m_lineEdit->setFrame(false);
    return groesse;
}

void ExLineEdit::focusInEvent(QFocusEvent* event)
{
    m_lineEdit->event(event);
    QWidget::focusInEvent(event);
}

void ExLineEdit::focusOutEvent(QFocusEvent* event)
{
    m_lineEdit->event(event);
    // The inner edit detached its completer from itself; completion goes on while the focus
    // sits on the outer widget.
    if (QCompleter* completer = m_lineEdit->completer()) {
        connect(completer, SIGNAL(activated(QString)), m_lineEdit, SLOT(setText(QString)), Qt::UniqueConnection);
        connect(completer, SIGNAL(highlighted(QString)), m_lineEdit, SLOT(_q_completionHighlighted(QString)),
                Qt::UniqueConnection);
    }
    QWidget::focusOutEvent(event);
}

void ExLineEdit::keyPressEvent(QKeyEvent* event)
{
    m_lineEdit->event(event);
}

bool ExLineEdit::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride)
        return m_lineEdit->event(event);
    return QWidget::event(event);
}

void ExLineEdit::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QStyleOptionFrame option;
    initStyleOption(&option);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &p, this);
}

QVariant ExLineEdit::inputMethodQuery(Qt::InputMethodQuery property) const
{
    return m_lineEdit->inputMethodQuery(property);
}

void ExLineEdit::inputMethodEvent(QInputMethodEvent* event)
{
    m_lineEdit->event(event);
}
