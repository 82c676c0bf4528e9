#include "urllineedit.h"
#include "urliconlabel.h"
#include "webview.h"

#include <QFocusEvent>
#include <QLinearGradient>
#include <QPainter>

UrlLineEdit::UrlLineEdit(QWidget* parent) : ExLineEdit(parent), m_iconLabel(new UrlIconLabel(this))
{
    m_iconLabel->resize(16, 16);
    setLeftWidget(m_iconLabel);
    m_defaultBaseColor = palette().color(QPalette::Base);
    // A screen reader's name for the field, the word the URL entry window puts beside it: the
    // tabbed window shows it without a label.
    setAccessibleName(QStringLiteral("URL"));
}

void UrlLineEdit::setWebView(WebView* webView)
{
    m_webView = webView;
    m_iconLabel->m_webView = webView;
    connect(webView, &QWebEngineView::urlChanged, this, &UrlLineEdit::webViewUrlChanged);
    connect(webView, &QWebEngineView::iconChanged, this, &UrlLineEdit::webViewIconChanged);
    connect(webView, &QWebEngineView::loadProgress, this, QOverload<>::of(&QWidget::update));
}

void UrlLineEdit::zeigeSeitenadresse()
{
    if (m_webView)
        webViewUrlChanged(m_webView->url());
}

QString UrlLineEdit::adresstext() const
{
    return QString::fromUtf8(m_webView->url().toEncoded());
}

void UrlLineEdit::webViewUrlChanged(const QUrl& url)
{
    m_lineEdit->setText(QString::fromUtf8(url.toEncoded()));
    m_lineEdit->setCursorPosition(0);
}

void UrlLineEdit::webViewIconChanged(const QIcon& icon)
{
    m_iconLabel->setPixmap(icon.pixmap(16, 16));
}

QLinearGradient UrlLineEdit::verlauf(const QColor& farbe) const
{
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, m_defaultBaseColor);
    g.setColorAt(0.15, farbe.lighter(120));
    g.setColorAt(0.5, farbe);
    g.setColorAt(0.85, farbe.lighter(120));
    g.setColorAt(1, m_defaultBaseColor);
    return g;
}

void UrlLineEdit::focusOutEvent(QFocusEvent* event)
{
    if (m_lineEdit->text().isEmpty() && m_webView)
        m_lineEdit->setText(adresstext());
    ExLineEdit::focusOutEvent(event);
}

void UrlLineEdit::paintEvent(QPaintEvent* event)
{
    QPalette p = palette();
    if (m_webView && m_webView->url().scheme() == QLatin1String("https"))
        p.setBrush(QPalette::Base, QBrush(verlauf(QColor(248, 248, 210))));
    else
        p.setBrush(QPalette::Base, m_defaultBaseColor);
    setPalette(p);
    ExLineEdit::paintEvent(event);

    if (!m_webView || hasFocus())
        return;
    QPainter painter(this);
    const QRect r = inhaltsRechteck();
    const int breite = static_cast<int>(r.width() / 100.0f * m_webView->progress());
    painter.setBrush(verlauf(QColor(116, 192, 250)));
    painter.setPen(Qt::transparent);
    painter.drawRect(r.x(), r.y(), breite, r.height());
}
