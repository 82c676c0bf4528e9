#include "popupwindow.h"
#include "webpage.h"
#include "webview.h"

#include <QLineEdit>
#include <QVBoxLayout>

PopupWindow::PopupWindow(QWebEngineProfile* profile)
    : QWidget(nullptr), m_addressBar(new QLineEdit(this)), m_view(new WebView(this))
{
    auto* page = new WebPage(profile, m_view);
    m_view->setPage(page);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_addressBar);
    // Shown without a label: the word the URL entry's label gives its field.
    m_addressBar->setAccessibleName(QStringLiteral("URL"));
    layout->addWidget(m_view);
    m_view->setFocus(Qt::OtherFocusReason);
    connect(m_view, &QWebEngineView::titleChanged, this, &QWidget::setWindowTitle);
    connect(m_view, &QWebEngineView::urlChanged, this, &PopupWindow::setUrl);
    connect(page, &QWebEnginePage::geometryChangeRequested, this, &PopupWindow::adjustGeometry);
    connect(page, &QWebEnginePage::windowCloseRequested, this, &QWidget::close);
}

void PopupWindow::setUrl(const QUrl& url)
{
    m_addressBar->setText(url.toString());
}

void PopupWindow::adjustGeometry(const QRect& newGeometry)
{
    const int links = frameGeometry().left() - geometry().left();
    const int oben = frameGeometry().top() - geometry().top();
    const int rechts = frameGeometry().right() - geometry().right();
    const int unten = frameGeometry().bottom() - geometry().bottom();
    setGeometry(newGeometry.adjusted(links, oben - m_addressBar->height(), rechts, unten));
}
