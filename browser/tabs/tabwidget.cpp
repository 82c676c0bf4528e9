#include "tabwidget.h"
#include "browserapplication.h"
#include "downloadmanager.h"
#include "fullscreennotification.h"
#include "gespeicherterzustand.h"
#include "historycompletionmodel.h"
#include "historyfiltermodel.h"
#include "historymanager.h"
#include "savepagedialog.h"
#include "tabbar.h"
#include "urllineedit.h"
#include "webactionmapper.h"
#include "webpage.h"
#include "webview.h"

#include <QApplication>
#include <QClipboard>
#include <QCompleter>
#include <QContextMenuEvent>
#include <QDataStream>
#include <QFileInfo>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QStackedWidget>
#include <QWebEngineDownloadItem>
#include <QWebEngineHistory>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace {

constexpr qint32 TabMarker = 0xaa;
constexpr qint32 TabVersion = 1;
// Closed tabs kept for the menu.
constexpr int MaxRecentlyClosed = 9;

} // namespace

TabWidget::TabWidget(QWidget* parent)
    : QTabWidget(parent), m_recentlyClosedTabsAction(nullptr), m_newTabAction(nullptr), m_closeTabAction(nullptr),
      m_nextTabAction(nullptr), m_previousTabAction(nullptr), m_recentlyClosedTabsMenu(nullptr),
      m_lineEdits(nullptr), m_tabBar(new TabBar(this)), m_profile(QWebEngineProfile::defaultProfile())
{
    setElideMode(Qt::ElideRight);

    connect(m_tabBar, &TabBar::newTab, this, [this] { newTab(); });
    connect(m_tabBar, qOverload<int>(&TabBar::closeTab), this, &TabWidget::requestCloseTab);
    connect(m_tabBar, qOverload<int>(&TabBar::cloneTab), this, &TabWidget::cloneTab);
    connect(m_tabBar, qOverload<int>(&TabBar::closeOtherTabs), this, &TabWidget::closeOtherTabs);
    connect(m_tabBar, qOverload<int>(&TabBar::reloadTab), this, &TabWidget::reloadTab);
    connect(m_tabBar, &TabBar::reloadAllTabs, this, &TabWidget::reloadAllTabs);
    connect(m_tabBar, &QTabBar::tabMoved, this, &TabWidget::moveTab);
    connect(m_tabBar, &QTabBar::tabBarDoubleClicked, this, &TabWidget::handleTabBarDoubleClicked);
    connect(m_tabBar, qOverload<int, bool>(&TabBar::muteTab), this, &TabWidget::setAudioMutedForTab);
    setTabBar(m_tabBar);
    setDocumentMode(true);

    m_newTabAction = new QAction(QIcon(QStringLiteral(":addtab.png")), tr("New &Tab"), this);
    m_newTabAction->setShortcuts(QKeySequence::AddTab);
    m_newTabAction->setIconVisibleInMenu(false);
    connect(m_newTabAction, &QAction::triggered, this, [this] { newTab(); });

    m_closeTabAction = new QAction(QIcon(QStringLiteral(":closetab.png")), tr("&Close Tab"), this);
    m_closeTabAction->setShortcuts(QKeySequence::Close);
    m_closeTabAction->setIconVisibleInMenu(false);
    connect(m_closeTabAction, &QAction::triggered, this, [this] { requestCloseTab(); });

    m_nextTabAction = new QAction(tr("Show Next Tab"), this);
    m_nextTabAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_BraceRight), QKeySequence(Qt::CTRL | Qt::Key_PageDown),
                                   QKeySequence(Qt::CTRL | Qt::Key_BracketRight), QKeySequence(Qt::CTRL | Qt::Key_Less)});
    connect(m_nextTabAction, &QAction::triggered, this, &TabWidget::nextTab);

    m_previousTabAction = new QAction(tr("Show Previous Tab"), this);
    m_previousTabAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_BraceLeft), QKeySequence(Qt::CTRL | Qt::Key_PageUp),
                                       QKeySequence(Qt::CTRL | Qt::Key_BracketLeft), QKeySequence(Qt::CTRL | Qt::Key_Greater)});
    connect(m_previousTabAction, &QAction::triggered, this, &TabWidget::previousTab);

    m_recentlyClosedTabsMenu = new QMenu(this);
    connect(m_recentlyClosedTabsMenu, &QMenu::aboutToShow, this, &TabWidget::aboutToShowRecentTabsMenu);
    connect(m_recentlyClosedTabsMenu, &QMenu::triggered, this, &TabWidget::aboutToShowRecentTriggeredAction);
    m_recentlyClosedTabsAction = new QAction(tr("Recently Closed Tabs"), this);
    m_recentlyClosedTabsAction->setMenu(m_recentlyClosedTabsMenu);
    m_recentlyClosedTabsAction->setEnabled(false);

    connect(this, &QTabWidget::currentChanged, this, &TabWidget::currentChanged);

    m_lineEdits = new QStackedWidget(this);
}

TabWidget::~TabWidget()
{
    delete m_fullScreenView;
}

void TabWidget::clear()
{
    m_recentlyClosedTabs.clear();
    for (int i = 0; i < m_lineEdits->count(); ++i) {
        QLineEdit* edit = static_cast<UrlLineEdit*>(m_lineEdits->widget(i))->lineEdit();
        edit->setText(edit->text());
    }
}

void TabWidget::addWebAction(QAction* action, QWebEnginePage::WebAction webAction)
{
    if (!action)
        return;
    m_actions.append(new WebActionMapper(action, webAction, this));
}

QStackedWidget* TabWidget::lineEditStack() const
{
    return m_lineEdits;
}

QLineEdit* TabWidget::currentLineEdit() const
{
    auto* edit = qobject_cast<UrlLineEdit*>(m_lineEdits->currentWidget());
    return edit ? edit->lineEdit() : nullptr;
}

WebView* TabWidget::currentWebView() const
{
    return webView(currentIndex());
}

WebView* TabWidget::webView(int index) const
{
    QWidget* widget = this->widget(index);
    if (auto* view = qobject_cast<WebView*>(widget))
        return view;
    // The first tab waits as a plain widget until a page is needed.
    if (widget && count() == 1) {
        auto* that = const_cast<TabWidget*>(this);
        that->setUpdatesEnabled(false);
        that->newTab();
        that->closeTab(0);
        that->setUpdatesEnabled(true);
        return currentWebView();
    }
    return nullptr;
}

int TabWidget::tabIndexOf(const QObject* view) const
{
    for (int i = 0; i < count(); ++i)
        if (widget(i) == view)
            return i;
    return -1;
}

int TabWidget::gueltigerIndex(int index) const
{
    if (index < 0)
        index = currentIndex();
    if (index < 0 || index >= count())
        return -1;
    return index;
}

void TabWidget::currentChanged(int index)
{
    if (index < 0)
        return;
    for (const QMetaObject::Connection& verbindung : qAsConst(m_aktuelleVerbindungen))
        disconnect(verbindung);
    m_aktuelleVerbindungen.clear();

    WebView* view = qobject_cast<WebView*>(widget(index));
    if (!view) {
        // The placeholder left when the last tab closed shows no page: the window is named by
        // the program alone, and the user starts at the new tab's address field.
        for (WebActionMapper* mapper : qAsConst(m_actions))
            mapper->updateCurrent(nullptr);
        emit setCurrentTitle(QString());
        m_lineEdits->setCurrentIndex(index);
        emit loadProgress(0);
        emit showStatusBarMessage(QString());
        m_lineEdits->currentWidget()->setFocus();
        return;
    }

    QWebEnginePage* page = view->page();
    m_aktuelleVerbindungen << connect(page, &QWebEnginePage::linkHovered, this, &TabWidget::linkHovered)
                           << connect(view, &QWebEngineView::loadProgress, this, &TabWidget::loadProgress)
                           << connect(page->profile(), &QWebEngineProfile::downloadRequested, this,
                                      &TabWidget::downloadRequested)
                           << connect(page, &QWebEnginePage::fullScreenRequested, this,
                                      &TabWidget::fullScreenRequested);

    for (WebActionMapper* mapper : qAsConst(m_actions))
        mapper->updateCurrent(page);
    emit setCurrentTitle(view->title());
    m_lineEdits->setCurrentIndex(index);
    emit loadProgress(view->progress());
    emit showStatusBarMessage(view->lastStatusBarText());
    if (view->url().isEmpty())
        m_lineEdits->currentWidget()->setFocus();
    else
        view->setFocus();
}

WebView* TabWidget::newTab(bool makeCurrent)
{
    auto* urlLineEdit = new UrlLineEdit;
    QLineEdit* lineEdit = urlLineEdit->lineEdit();
    if (!m_lineEditCompleter && count() > 0) {
        auto* completionModel = new HistoryCompletionModel(this);
        completionModel->setSourceModel(BrowserApplication::historyManager()->historyFilterModel());
        m_lineEditCompleter = new QCompleter(completionModel, this);
        // Uniform item sizes keep long histories quick to scroll.
        if (auto* listView = qobject_cast<QListView*>(m_lineEditCompleter->popup()))
            listView->setUniformItemSizes(true);
    }
    lineEdit->setCompleter(m_lineEditCompleter);
    connect(lineEdit, &QLineEdit::returnPressed, this, &TabWidget::lineEditReturnPressed);
    m_lineEdits->addWidget(urlLineEdit);
    m_lineEdits->setSizePolicy(lineEdit->sizePolicy());

    if (count() == 0) {
        auto* emptyWidget = new QWidget;
        QPalette p = emptyWidget->palette();
        p.setColor(QPalette::Window, palette().color(QPalette::Base));
        emptyWidget->setPalette(p);
        emptyWidget->setAutoFillBackground(true);
        disconnect(this, &QTabWidget::currentChanged, this, &TabWidget::currentChanged);
        addTab(emptyWidget, tr("(Untitled)"));
        connect(this, &QTabWidget::currentChanged, this, &TabWidget::currentChanged);
        currentChanged(currentIndex());
        return nullptr;
    }

    auto* webView = new WebView;
    webView->setPage(new WebPage(m_profile, webView));
    urlLineEdit->setWebView(webView);
    connect(webView, &QWebEngineView::loadStarted, this, &TabWidget::webViewLoadStarted);
    connect(webView, &QWebEngineView::iconChanged, this, &TabWidget::webViewIconChanged);
    connect(webView, &QWebEngineView::titleChanged, this, &TabWidget::webViewTitleChanged);
    connect(webView, &QWebEngineView::urlChanged, this, &TabWidget::webViewUrlChanged);
    connect(webView->page(), &QWebEnginePage::audioMutedChanged, this, &TabWidget::webPageMutedOrAudibleChanged);
    connect(webView->page(), &QWebEnginePage::recentlyAudibleChanged, this,
            &TabWidget::webPageMutedOrAudibleChanged);

    addTab(webView, tr("(Untitled)"));
    if (makeCurrent)
        setCurrentWidget(webView);
    setupPage(webView->page());

    if (count() == 1)
        currentChanged(currentIndex());
    emit tabsChanged();
    return webView;
}

void TabWidget::setupPage(QWebEnginePage* page)
{
    connect(page, &QWebEnginePage::windowCloseRequested, this, &TabWidget::windowCloseRequested);
    connect(page, &QWebEnginePage::geometryChangeRequested, this, &TabWidget::geometryChangeRequested);
    for (WebActionMapper* mapper : qAsConst(m_actions))
        if (QAction* action = page->action(mapper->webAction()))
            connect(action, &QAction::changed, mapper, &WebActionMapper::childChanged);
}

void TabWidget::cloneTab(int index)
{
    index = gueltigerIndex(index);
    if (index < 0)
        return;
    const QUrl url = webView(index)->url();
    WebView* tab = newTab(false);
    tab->setUrl(url);
}

void TabWidget::requestCloseTab(int index)
{
    index = gueltigerIndex(index);
    if (index < 0)
        return;
    WebView* tab = webView(index);
    if (!tab)
        return;
    tab->page()->triggerAction(QWebEnginePage::RequestClose);
}

void TabWidget::windowCloseRequested()
{
    auto* page = qobject_cast<QWebEnginePage*>(sender());
    for (int i = 0; i < count(); ++i) {
        auto* view = qobject_cast<WebView*>(widget(i));
        if (view && view->page() == page) {
            closeTab(i);
            return;
        }
    }
}

void TabWidget::closeTab(int index)
{
    if (index < 0 || index >= count())
        return;

    bool hasFocus = false;
    if (WebView* tab = qobject_cast<WebView*>(widget(index))) {
        hasFocus = tab->hasFocus();
        if (m_profile == QWebEngineProfile::defaultProfile()) {
            m_recentlyClosedTabsAction->setEnabled(true);
            m_recentlyClosedTabs.prepend(tab->url());
            while (m_recentlyClosedTabs.size() > MaxRecentlyClosed)
                m_recentlyClosedTabs.removeLast();
        }
    }
    QWidget* lineEdit = m_lineEdits->widget(index);
    m_lineEdits->removeWidget(lineEdit);
    lineEdit->deleteLater();
    QWidget* tabWidget = widget(index);
    removeTab(index);
    tabWidget->deleteLater();

    emit tabsChanged();
    if (hasFocus && count() > 0 && currentWebView())
        currentWebView()->setFocus();
    if (count() == 0)
        emit lastTabClosed();
}

void TabWidget::closeOtherTabs(int index)
{
    if (index < 0 || index >= count())
        return;
    for (int i = count() - 1; i > index; --i)
        closeTab(i);
    for (int i = index - 1; i >= 0; --i)
        closeTab(i);
}

void TabWidget::reloadTab(int index)
{
    index = gueltigerIndex(index);
    if (index < 0)
        return;
    if (WebView* tab = qobject_cast<WebView*>(widget(index)))
        tab->reload();
}

void TabWidget::reloadAllTabs()
{
    for (int i = 0; i < count(); ++i)
        if (auto* tab = qobject_cast<WebView*>(widget(i)))
            tab->reload();
}

void TabWidget::nextTab()
{
    if (count() == 0)
        return;
    const int next = currentIndex() + 1;
    setCurrentIndex(next == count() ? 0 : next);
}

void TabWidget::previousTab()
{
    if (count() == 0)
        return;
    const int previous = currentIndex() - 1;
    setCurrentIndex(previous < 0 ? count() - 1 : previous);
}

void TabWidget::setAudioMutedForTab(int index, bool mute)
{
    if (WebView* tab = qobject_cast<WebView*>(widget(index)))
        tab->page()->setAudioMuted(mute);
}

void TabWidget::moveTab(int fromIndex, int toIndex)
{
    QWidget* lineEdit = m_lineEdits->widget(fromIndex);
    m_lineEdits->removeWidget(lineEdit);
    m_lineEdits->insertWidget(toIndex, lineEdit);
}

void TabWidget::handleTabBarDoubleClicked(int index)
{
    if (index != -1)
        return;
    newTab();
}

void TabWidget::contextMenuEvent(QContextMenuEvent* event)
{
    if (!childAt(event->pos())) {
        QMetaObject::invokeMethod(m_tabBar, "contextMenuRequested", Q_ARG(QPoint, m_tabBar->mapFrom(this, event->pos())));
        return;
    }
    QTabWidget::contextMenuEvent(event);
}

void TabWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!childAt(event->pos()) && event->pos().y() < (m_tabBar->y() + m_tabBar->height())) {
        newTab();
        return;
    }
    QTabWidget::mouseDoubleClickEvent(event);
}

void TabWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton && !childAt(event->pos())
        && event->pos().y() < (m_tabBar->y() + m_tabBar->height())) {
        const QUrl url = QUrl::fromUserInput(QApplication::clipboard()->text(QClipboard::Selection));
        // A word without a scheme is no address to open.
        if (!url.isEmpty() && url.isValid() && !url.scheme().isEmpty()) {
            if (WebView* tab = newTab())
                tab->setUrl(url);
        }
        return;
    }
    QTabWidget::mouseReleaseEvent(event);
}

void TabWidget::loadUrlInCurrentTab(const QUrl& url)
{
    if (WebView* view = currentWebView()) {
        view->loadUrl(url);
        view->setFocus();
    }
}

void TabWidget::aboutToShowRecentTabsMenu()
{
    m_recentlyClosedTabsMenu->clear();
    for (const QUrl& url : qAsConst(m_recentlyClosedTabs)) {
        QAction* action = new QAction(m_recentlyClosedTabsMenu);
        action->setData(url);
        action->setIcon(BrowserApplication::icon(url));
        action->setText(url.toString());
        m_recentlyClosedTabsMenu->addAction(action);
    }
}

void TabWidget::aboutToShowRecentTriggeredAction(QAction* action)
{
    loadUrlInCurrentTab(action->data().toUrl());
}

void TabWidget::downloadRequested(QWebEngineDownloadItem* download)
{
    // A download leaves its page where it was: the page's address line shows the page's address
    // again, not the download's.
    for (int i = 0; i < count(); ++i)
        if (WebView* view = webView(i); view && download->page() && view->page() == download->page())
            static_cast<UrlLineEdit*>(m_lineEdits->widget(i))->zeigeSeitenadresse();
    if (!DownloadManager::nimm_an(download))
        return;
    if (download->savePageFormat() != QWebEngineDownloadItem::UnknownSaveFormat) {
        if (!SavePageDialog::frage(this, download))
            return;
    }
    BrowserApplication::downloadManager()->download(download);
    download->accept();
}

void TabWidget::webViewLoadStarted()
{
    const int index = tabIndexOf(sender());
    if (index != -1)
        setTabIcon(index, QIcon(QStringLiteral(":loading.gif")));
}

void TabWidget::webViewIconChanged(const QIcon& icon)
{
    const int index = tabIndexOf(sender());
    if (index != -1)
        setTabIcon(index, icon);
}

void TabWidget::webViewTitleChanged(const QString& title)
{
    auto* view = qobject_cast<WebView*>(sender());
    const int index = tabIndexOf(view);
    if (index == -1)
        return;
    setTabText(index, title);
    if (currentIndex() == index)
        emit setCurrentTitle(title);
    BrowserApplication::historyManager()->updateTitle(view->url(), title);
}

void TabWidget::webPageMutedOrAudibleChanged()
{
    auto* page = qobject_cast<QWebEnginePage*>(sender());
    if (!page)
        return;
    for (int i = 0; i < count(); ++i) {
        auto* view = qobject_cast<WebView*>(widget(i));
        if (view && view->page() == page)
            zeigeTitel(i, view);
    }
}

void TabWidget::zeigeTitel(int index, const WebView* view)
{
    QString titel = view->title();
    if (view->page()->isAudioMuted())
        titel += tr(" (muted)");
    else if (view->page()->recentlyAudible())
        titel += tr(" (audible)");
    setTabText(index, titel);
}

void TabWidget::webViewUrlChanged(const QUrl& url)
{
    const int index = tabIndexOf(sender());
    if (index != -1)
        m_tabBar->setTabData(index, url);
    if (url.isValid())
        BrowserApplication::historyManager()->addUrl(url.toString());
    emit tabsChanged();
}

void TabWidget::lineEditReturnPressed()
{
    auto* lineEdit = qobject_cast<QLineEdit*>(sender());
    if (!lineEdit)
        return;
    emit loadPage(lineEdit->text());
    if (currentLineEdit() == lineEdit)
        if (WebView* view = currentWebView())
            view->setFocus();
}

void TabWidget::fullScreenRequested(QWebEngineFullScreenRequest request)
{
    auto* webPage = qobject_cast<WebPage*>(sender());
    if (!webPage)
        return;
    if (request.toggleOn()) {
        if (!m_fullScreenView) {
            m_fullScreenView = new QWebEngineView;
            m_fullScreenNotification = new FullScreenNotification(m_fullScreenView);
            auto* exitFullScreenAction = new QAction(m_fullScreenView);
            exitFullScreenAction->setShortcut(Qt::Key_Escape);
            connect(exitFullScreenAction, &QAction::triggered,
                    [webPage] { webPage->triggerAction(QWebEnginePage::ExitFullScreen); });
            m_fullScreenView->addAction(exitFullScreenAction);
        }
        // setView moves the page; the view's own setPage would delete the page's old one later.
        webPage->setView(m_fullScreenView);
        request.accept();
        m_fullScreenView->showFullScreen();
        m_fullScreenView->raise();
        m_fullScreenNotification->show();
    } else {
        if (!m_fullScreenView)
            return;
        if (auto* view = qobject_cast<WebView*>(widget(m_lineEdits->currentIndex())))
            webPage->setView(view);
        request.accept();
        delete m_fullScreenView;
        m_fullScreenView = nullptr;
        m_fullScreenNotification = nullptr;
        window()->hide();
        window()->show();
    }
}

void TabWidget::setProfile(QWebEngineProfile* profile)
{
    m_profile = profile;
    for (int i = 0; i < count(); ++i) {
        auto* view = qobject_cast<WebView*>(widget(i));
        if (!view)
            continue;
        auto* webPage = new WebPage(m_profile, view);
        setupPage(webPage);
        connect(webPage, &QWebEnginePage::audioMutedChanged, this, &TabWidget::webPageMutedOrAudibleChanged);
        connect(webPage, &QWebEnginePage::recentlyAudibleChanged, this, &TabWidget::webPageMutedOrAudibleChanged);
        webPage->load(view->page()->url());
        view->setPage(webPage);
    }
    // The current tab's connections belong to the old page and profile.
    currentChanged(currentIndex());
}

QByteArray TabWidget::saveState() const
{
    QStringList tabs;
    for (int i = 0; i < count(); ++i) {
        if (auto* tab = qobject_cast<WebView*>(widget(i)))
            tabs.append(tab->url().toString());
        else
            tabs.append(QString());
    }
    QByteArray data;
    QDataStream stream(&data, QIODevice::WriteOnly);
    schreibe_kopf(stream, TabMarker, TabVersion);
    stream << tabs << qint32(currentIndex());
    return data;
}

bool TabWidget::restoreState(const QByteArray& state)
{
    QDataStream stream(state);
    if (!lies_kopf(stream, TabMarker, TabVersion))
        return false;
    const QStringList openTabs = lies_liste<QString>(stream);
    qint32 currentTab = 0;
    stream >> currentTab;
    if (stream.status() != QDataStream::Ok)
        return false;

    for (int i = 0; i < openTabs.count(); ++i) {
        if (i != 0)
            newTab();
        emit loadPage(openTabs.at(i));
    }
    setCurrentIndex(currentTab);
    return true;
}
