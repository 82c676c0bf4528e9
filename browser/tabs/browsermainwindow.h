// The tabbed browser window: menus, navigation bar with back and forward menus, bookmarks bar, tabs, status bar, saved state.
#pragma once

#include <QIcon>
#include <QMainWindow>
#include <QUrl>

class AutoSaver;
class BookmarksToolBar;
class ChaseWidget;
class QAction;
class QMenu;
class QToolBar;
class QWebEngineHistoryItem;
class TabWidget;
class ToolbarSearch;
class WebView;

class BrowserMainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit BrowserMainWindow(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~BrowserMainWindow() override;

    // 0.9 times the size of the window's screen.
    QSize sizeHint() const override;

    TabWidget* tabWidget() const { return m_tabWidget; }
    WebView* currentTab() const;
    QString lastSearch() const { return m_lastSearch; }
    void setLastSearch(const QString& text) { m_lastSearch = text; }

    QByteArray saveState(bool withTabs = true) const;
    bool restoreState(const QByteArray& state);

    Q_INVOKABLE void runScriptOnOpenViews(const QString& source);

public slots:
    void loadPage(const QString& url);
    void slotHome();

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    void save();

public slots:
    void slotLoadProgress(int progress);
    void slotUpdateStatusbar(const QString& string);
    void slotUpdateWindowTitle(const QString& title = QString());

    void loadUrl(const QUrl& url);
    void slotPreferences();

    void slotFileNew();
    void slotFileOpen();
    void slotFilePrintPreview();
    // Printing goes through the print preview.
    void slotFilePrint();
    void slotFilePrintToPDF();
    void slotPrivateBrowsing();
    // Saving a page goes through the page's own Save Page action.
    void slotFileSaveAs();
    void slotEditFind();
    void slotEditFindNext();
    void slotEditFindPrevious();
    void slotShowBookmarksDialog();
    void slotAddBookmark();
    void slotViewZoomIn();
    void slotViewZoomOut();
    void slotViewResetZoom();
    void slotViewToolbar();
    void slotViewBookmarksBar();
    void slotViewStatusbar();
    void slotViewPageSource();
    void slotViewFullScreen(bool enable);

    void slotWebSearch();
    // The engine's inspector is not offered.
    void slotToggleInspector(bool enable);
    void slotAboutApplication();
    void slotDownloadManager();
    void slotSelectLineEdit();

    void slotAboutToShowBackMenu();
    void slotAboutToShowForwardMenu();
    void slotAboutToShowWindowMenu();
    void slotOpenActionUrl(QAction* action);
    void slotShowWindow();
    void slotSwapFocus();
    void slotHandlePdfPrinted(const QByteArray& result);

    void geometryChangeRequested(const QRect& geometry);
    void updateToolbarActionText(bool visible);
    void updateBookmarksToolbarActionText(bool visible);

private:
    void loadDefaultState();
    void setupMenu();
    void setupToolBar();
    void updateStatusbarActionText(bool visible);
    // Tab goes as the eye reads: along the navigation bar with the address shown, along the
    // bookmarks bar, to the tabs and into the current page.
    void ordneTabfolge();
    void findText(const QString& text, bool backward);
    static void fuegeVerlaufEin(QMenu* menu, const QWebEngineHistoryItem& item, int data);

    QToolBar* m_navigationBar;
    ToolbarSearch* m_toolbarSearch;
    BookmarksToolBar* m_bookmarksToolbar;
    ChaseWidget* m_chaseWidget;
    TabWidget* m_tabWidget;
    AutoSaver* m_autoSaver;

    QAction* m_historyBack;
    QMenu* m_historyBackMenu;
    QAction* m_historyForward;
    QMenu* m_historyForwardMenu;
    QMenu* m_windowMenu;

    QAction* m_stop;
    QAction* m_reload;
    QAction* m_stopReload;
    QAction* m_viewToolbar;
    QAction* m_viewBookmarkBar;
    QAction* m_viewStatusbar;

    QIcon m_reloadIcon;
    QIcon m_stopIcon;

    QString m_lastSearch;
    QString m_printerOutputFileName;
};
