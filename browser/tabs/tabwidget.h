// The tabs of the tabbed browser: one web view and one address field per tab, recently closed tabs, full screen, profile switching, saved state.
#pragma once

#include <QList>
#include <QMetaObject>
#include <QTabWidget>
#include <QUrl>
#include <QWebEngineFullScreenRequest>
#include <QWebEnginePage>

class FullScreenNotification;
class QCompleter;
class QLineEdit;
class QMenu;
class QStackedWidget;
class QWebEngineDownloadItem;
class QWebEngineProfile;
class QWebEngineView;
class TabBar;
class WebActionMapper;
class WebPage;
class WebView;

class TabWidget : public QTabWidget
{
    Q_OBJECT
signals:
    void loadPage(const QString& url);
    void tabsChanged();
    void lastTabClosed();
    void setCurrentTitle(const QString& url);
    void showStatusBarMessage(const QString& message);
    void linkHovered(const QString& link);
    void loadProgress(int progress);
    void geometryChangeRequested(const QRect& geometry);
    void menuBarVisibilityChangeRequested(bool visible);
    void statusBarVisibilityChangeRequested(bool visible);
    void toolBarVisibilityChangeRequested(bool visible);

public:
    explicit TabWidget(QWidget* parent = nullptr);
    ~TabWidget() override;

    // Forgets the recently closed tabs and the undo history of every address field.
    void clear();
    void addWebAction(QAction* action, QWebEnginePage::WebAction webAction);

    QAction* newTabAction() const { return m_newTabAction; }
    QAction* closeTabAction() const { return m_closeTabAction; }
    QAction* recentlyClosedTabsAction() const { return m_recentlyClosedTabsAction; }
    QAction* nextTabAction() const { return m_nextTabAction; }
    QAction* previousTabAction() const { return m_previousTabAction; }

    QStackedWidget* lineEditStack() const;
    QLineEdit* currentLineEdit() const;
    WebView* currentWebView() const;
    // The tab's view; the placeholder of a window's first tab is replaced by a view here.
    WebView* webView(int index) const;

    QByteArray saveState() const;
    bool restoreState(const QByteArray& state);

    void setProfile(QWebEngineProfile* profile);
    QWebEngineProfile* profile() const { return m_profile; }
    // The addresses of the recently closed tabs, newest first.
    QList<QUrl> recentlyClosedTabs() const { return m_recentlyClosedTabs; }
    // The view shown in full screen; null while none.
    QWebEngineView* fullScreenView() const { return m_fullScreenView; }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

public slots:
    void loadUrlInCurrentTab(const QUrl& url);
    WebView* newTab(bool makeCurrent = true);
    void cloneTab(int index = -1);
    void requestCloseTab(int index = -1);
    void closeTab(int index);
    void closeOtherTabs(int index);
    void reloadTab(int index = -1);
    void reloadAllTabs();
    void nextTab();
    void previousTab();
    void setAudioMutedForTab(int index, bool mute);

private slots:
    void currentChanged(int index);
    void aboutToShowRecentTabsMenu();
    void aboutToShowRecentTriggeredAction(QAction* action);
    void downloadRequested(QWebEngineDownloadItem* download);
    void webViewLoadStarted();
    void webViewIconChanged(const QIcon& icon);
    void webViewTitleChanged(const QString& title);
    void webViewUrlChanged(const QUrl& url);
    void lineEditReturnPressed();
    void windowCloseRequested();
    void moveTab(int fromIndex, int toIndex);
    void fullScreenRequested(QWebEngineFullScreenRequest request);
    void handleTabBarDoubleClicked(int index);
    void webPageMutedOrAudibleChanged();

private:
    void setupPage(QWebEnginePage* page);
    // The index of the tab that shows the view; -1 for none.
    int tabIndexOf(const QObject* view) const;
    // The index of an existing tab: -1 stands for the current one; -1 when there is none.
    int gueltigerIndex(int index) const;
    void zeigeTitel(int index, const WebView* view);

    QAction* m_recentlyClosedTabsAction;
    QAction* m_newTabAction;
    QAction* m_closeTabAction;
    QAction* m_nextTabAction;
    QAction* m_previousTabAction;
    QMenu* m_recentlyClosedTabsMenu;
    QList<QUrl> m_recentlyClosedTabs;
    QList<WebActionMapper*> m_actions;
    QCompleter* m_lineEditCompleter = nullptr;
    QStackedWidget* m_lineEdits;
    TabBar* m_tabBar;
    QWebEngineProfile* m_profile;
    QWebEngineView* m_fullScreenView = nullptr;
    FullScreenNotification* m_fullScreenNotification = nullptr;
    // What ties the current view to this widget; undone when another tab becomes current.
    QList<QMetaObject::Connection> m_aktuelleVerbindungen;
};
