#include "webview.h"
#include "browserapplication.h"
#include "featurepermissionbar.h"
#include "mauswache.h"
#include "pdfausgabe.h"
#include "printtopdfdialog.h"
#include "renderwaechter.h"
#include "webpage.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDebug>
#include <QEventLoop>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QPrinter>
#include <QWebEngineContextMenuData>
#include <QWebEngineHistory>

#include <memory>
#include <optional>

namespace {

// The page's feature signals pass through queued connections too.
void registriere_metatypen()
{
    qRegisterMetaType<QWebEnginePage::Feature>("QWebEnginePage::Feature");
    qRegisterMetaType<QWebEnginePage::PermissionPolicy>("QWebEnginePage::PermissionPolicy");
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(registriere_metatypen)

WebView::WebView(QWidget* parent) : QWebEngineView(parent)
{
    connect(this, &QWebEngineView::loadProgress, this, &WebView::setProgress);
    connect(this, &QWebEngineView::loadFinished, this, &WebView::loadFinished);
    // A screen reader announces the page by its title.
    connect(this, &QWebEngineView::titleChanged, this, &QWidget::setAccessibleName);
    bewache_renderprozess(this);
    // Real mouse events reach the render widget, not this view's handlers.
    new Mauswache(
        this,
        [this](const QMouseEvent& e) {
            if (m_page)
                merkeDruck(e);
        },
        [this](const QMouseEvent&) {
            if (m_page)
                nachLoslassen();
        });
}

void WebView::setPage(WebPage* page)
{
    if (m_page)
        m_page->deleteLater();
    m_page = page;
    QWebEngineView::setPage(page);
    // The icon goes through `onIconChanged`, which stands in the default icon for none.
    disconnect(page, &QWebEnginePage::iconChanged, this, &QWebEngineView::iconChanged);
    connect(page, &QWebEnginePage::iconChanged, this, &WebView::onIconChanged);
    connect(page, &QWebEnginePage::featurePermissionRequested, this, &WebView::onFeaturePermissionRequested);
}

void WebView::loadUrl(const QUrl& url)
{
    m_initialUrl = url;
    load(url);
}

QUrl WebView::url() const
{
    const QUrl adresse = QWebEngineView::url();
    return adresse.isEmpty() ? m_initialUrl : adresse;
}

void WebView::setProgress(int progress)
{
    m_progress = progress;
}

void WebView::loadFinished(bool ok)
{
    if (ok && m_progress != 100)
        qWarning() << "Received finished signal while progress is still:" << m_progress << "Url:" << url();
    m_progress = 0;
    emit backwardAvailable(history()->canGoBack());
    emit forwardAvailable(history()->canGoForward());
}

void WebView::setStatusBarText(const QString& text)
{
    m_statusBarText = text;
}

void WebView::openLinkInNewTab()
{
    page()->triggerAction(QWebEnginePage::OpenLinkInNewTab);
}

void WebView::onFeaturePermissionRequested(const QUrl& securityOrigin, QWebEnginePage::Feature feature)
{
    auto* bar = new FeaturePermissionBar(this);
    connect(bar, &FeaturePermissionBar::featurePermissionProvided, page(), &QWebEnginePage::setFeaturePermission);
    connect(page(), &QWebEnginePage::loadStarted, bar, &QObject::deleteLater);
    bar->requestPermission(securityOrigin, feature);
}

void WebView::onIconChanged(const QIcon& icon)
{
    emit iconChanged(icon.isNull() ? BrowserApplication::icon(url()) : icon);
}

void WebView::contextMenuEvent(QContextMenuEvent* event)
{
    QWebEnginePage* seite = page();
    const QWebEngineContextMenuData& daten = seite->contextMenuData();
    QMenu* menu;
    if (daten.isValid() && daten.linkUrl().isValid()) {
        menu = new QMenu(this);
        menu->addAction(seite->action(QWebEnginePage::OpenLinkInThisWindow));
        menu->addAction(seite->action(QWebEnginePage::OpenLinkInNewWindow));
        menu->addAction(seite->action(QWebEnginePage::OpenLinkInNewBackgroundTab));
        menu->addSeparator();
        menu->addAction(seite->action(QWebEnginePage::DownloadLinkToDisk));
        menu->addAction(seite->action(QWebEnginePage::CopyLinkToClipboard));
    } else {
        menu = seite->createStandardContextMenu();
    }
    if (daten.selectedText().isEmpty())
        menu->addAction(seite->action(QWebEnginePage::SavePage));
    connect(menu, &QMenu::aboutToHide, menu, &QObject::deleteLater);
    menu->popup(event->globalPos());
}

void WebView::merkeDruck(const QMouseEvent& event)
{
    m_page->m_pressedButtons = event.buttons();
    m_page->m_keyboardModifiers = event.modifiers();
}

void WebView::nachLoslassen()
{
    if (!(m_page->m_pressedButtons & Qt::MiddleButton))
        return;
    const QUrl adresse = Mauswache::auswahl_adresse();
    if (!adresse.isEmpty())
        setUrl(adresse);
}

void WebView::mousePressEvent(QMouseEvent* event)
{
    if (m_page)
        merkeDruck(*event);
    QWebEngineView::mousePressEvent(event);
}

void WebView::mouseReleaseEvent(QMouseEvent* event)
{
    QWebEngineView::mouseReleaseEvent(event);
    if (m_page && !event->isAccepted())
        nachLoslassen();
}

void WebView::wheelEvent(QWheelEvent* event)
{
    // The view does not zoom by the wheel.
    QWidget::wheelEvent(event);
}

void WebView::print(QPrinter* printer)
{
    // A PDF file is written beside its target: the old file stays until the new one is whole.
    CPdfAusgabe ausgabe(*printer);
    // Shared with the engine's answer, which also comes (false) when the page goes meanwhile.
    const auto gelungen = std::make_shared<std::optional<bool>>();
    const QPointer<WebView> selbst(this);
    page()->print(printer, [gelungen](bool ok) { *gelungen = ok; });
    // Not a nested QEventLoop: the program's end leaves every one at once, for good, while the
    // engine still draws into the printer.
    while (!gelungen->has_value())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const QString fehler = ausgabe.beende(**gelungen);
    if (!fehler.isEmpty())
        melde_pdf_fehler(selbst, printer->outputFileName(), fehler);
}
