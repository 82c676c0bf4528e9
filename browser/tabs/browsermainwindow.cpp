#include "browsermainwindow.h"
#include "auswahlkopie.h"
#include "bedienhilfe.h"
#include "browsereinstellungswerte.h"
#include "autosaver.h"
#include "addbookmarkdialog.h"
#include "bookmarksdialog.h"
#include "bookmarksmanager.h"
#include "bookmarksmenu.h"
#include "bookmarkstoolbar.h"
#include "browserapplication.h"
#include "chasewidget.h"
#include "dialogseam.h"
#include "downloadmanager.h"
#include "fenstergroesse.h"
#include "gespeicherterzustand.h"
#include "historymenu.h"
#include "printtopdfdialog.h"
#include "settings.h"
#include "tabwidget.h"
#include "toolbarsearch.h"
#include "webview.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWebEngineHistory>

namespace {

constexpr qint32 FensterMarker = 0xba;
constexpr qint32 FensterVersion = 2;

QString anwendungsname()
{
    return QCoreApplication::applicationName();
}

} // namespace

BrowserMainWindow::BrowserMainWindow(QWidget* parent, Qt::WindowFlags flags)
    : QMainWindow(parent, flags), m_navigationBar(nullptr), m_toolbarSearch(nullptr), m_bookmarksToolbar(nullptr),
      m_chaseWidget(nullptr), m_tabWidget(new TabWidget(this)), m_autoSaver(new AutoSaver(this)),
      m_historyBack(nullptr), m_historyBackMenu(nullptr), m_historyForward(nullptr), m_historyForwardMenu(nullptr),
      m_windowMenu(nullptr), m_stop(nullptr), m_reload(nullptr), m_stopReload(nullptr), m_viewToolbar(nullptr),
      m_viewBookmarkBar(nullptr), m_viewStatusbar(nullptr),
      m_reloadIcon(style()->standardIcon(QStyle::SP_BrowserReload))
{
    setToolButtonStyle(Qt::ToolButtonFollowStyle);
    setAttribute(Qt::WA_DeleteOnClose, true);
    statusBar()->setSizeGripEnabled(true);
    setupMenu();
    setupToolBar();

    auto* centralWidget = new QWidget(this);
    BookmarksModel* bookmarksModel = BrowserApplication::bookmarksManager()->bookmarksModel();
    m_bookmarksToolbar = new BookmarksToolBar(bookmarksModel, this);
    m_bookmarksToolbar->setObjectName(QStringLiteral("bookmarksToolBar"));
    connect(m_bookmarksToolbar, &BookmarksToolBar::openUrl, m_tabWidget, &TabWidget::loadUrlInCurrentTab);
    connect(m_bookmarksToolbar->toggleViewAction(), &QAction::toggled, this,
            &BrowserMainWindow::updateBookmarksToolbarActionText);
    // A tab's address field and page, and the bookmark buttons, are made after the bars and would
    // come last in the Tab chain: the order is set again whenever the ones shown change.
    connect(m_bookmarksToolbar, &BookmarksToolBar::neuGebaut, this, &BrowserMainWindow::ordneTabfolge);
    connect(m_tabWidget, &QTabWidget::currentChanged, this, &BrowserMainWindow::ordneTabfolge);
    connect(m_tabWidget->lineEditStack(), &QStackedWidget::currentChanged, this, &BrowserMainWindow::ordneTabfolge);

    auto* layout = new QVBoxLayout;
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
    addToolBarBreak();
    addToolBar(m_bookmarksToolbar);
    layout->addWidget(m_tabWidget);
    centralWidget->setLayout(layout);
    setCentralWidget(centralWidget);

    connect(m_tabWidget, &TabWidget::loadPage, this, &BrowserMainWindow::loadPage);
    connect(m_tabWidget, &TabWidget::setCurrentTitle, this, &BrowserMainWindow::slotUpdateWindowTitle);
    connect(m_tabWidget, &TabWidget::showStatusBarMessage, statusBar(), [this](const QString& text) {
        statusBar()->showMessage(text);
    });
    connect(m_tabWidget, &TabWidget::linkHovered, statusBar(), [this](const QString& text) {
        statusBar()->showMessage(text);
    });
    connect(m_tabWidget, &TabWidget::loadProgress, this, &BrowserMainWindow::slotLoadProgress);
    connect(m_tabWidget, &TabWidget::tabsChanged, m_autoSaver, &AutoSaver::changeOccurred);
    connect(m_tabWidget, &TabWidget::geometryChangeRequested, this, &BrowserMainWindow::geometryChangeRequested);
    connect(m_tabWidget, &TabWidget::menuBarVisibilityChangeRequested, menuBar(), &QWidget::setVisible);
    connect(m_tabWidget, &TabWidget::statusBarVisibilityChangeRequested, statusBar(), &QWidget::setVisible);
    connect(m_tabWidget, &TabWidget::toolBarVisibilityChangeRequested, m_navigationBar, &QWidget::setVisible);
    connect(m_tabWidget, &TabWidget::toolBarVisibilityChangeRequested, m_bookmarksToolbar, &QWidget::setVisible);
    connect(m_tabWidget, &TabWidget::lastTabClosed, m_tabWidget, [this] { m_tabWidget->newTab(); });

    slotUpdateWindowTitle();
    slotLoadProgress(0);
    loadDefaultState();
    m_tabWidget->newTab();

    const int size = m_tabWidget->lineEditStack()->sizeHint().height();
    m_navigationBar->setIconSize(QSize(size, size));

    auto* swapFocus = new QShortcut(QKeySequence(Qt::Key_F6), this);
    connect(swapFocus, &QShortcut::activated, this, &BrowserMainWindow::slotSwapFocus);
    auto* find = new QShortcut(QKeySequence(QStringLiteral("/")), this);
    connect(find, &QShortcut::activated, this, &BrowserMainWindow::slotEditFind);
}

BrowserMainWindow::~BrowserMainWindow()
{
    m_autoSaver->changeOccurred();
    m_autoSaver->saveIfNecessary();
}

void BrowserMainWindow::loadDefaultState()
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("BrowserMainWindow"));
    const QByteArray data = settings.value(QStringLiteral("defaultState")).toByteArray();
    restoreState(data);
    settings.endGroup();
}

QSize BrowserMainWindow::sizeHint() const
{
    const QScreen* bildschirm = screen();
    const QSize size = bildschirm ? bildschirm->geometry().size() : QSize(800, 600);
    return QSize(qRound(size.width() * 0.9), qRound(size.height() * 0.9));
}

void BrowserMainWindow::save()
{
    BrowserApplication::zustand()->saveSession();

    QSettings settings;
    settings.beginGroup(QStringLiteral("BrowserMainWindow"));
    settings.setValue(QStringLiteral("defaultState"), saveState(false));
    settings.endGroup();
    speichere_einstellungen(settings);
}

QByteArray BrowserMainWindow::saveState(bool withTabs) const
{
    QByteArray data;
    QDataStream stream(&data, QIODevice::WriteOnly);
    schreibe_kopf(stream, FensterMarker, FensterVersion);
    stream << size() << !m_navigationBar->isHidden()
           << !m_bookmarksToolbar->isHidden() << !statusBar()->isHidden();
    if (withTabs)
        stream << m_tabWidget->saveState();
    else
        stream << QByteArray();
    return data;
}

bool BrowserMainWindow::restoreState(const QByteArray& state)
{
    QDataStream stream(state);
    if (!lies_kopf(stream, FensterMarker, FensterVersion))
        return false;

    QSize size;
    bool showToolbar = false;
    bool showBookmarksBar = false;
    bool showStatusbar = false;
    QByteArray tabState;
    stream >> size >> showToolbar >> showBookmarksBar >> showStatusbar >> tabState;
    // A damaged state changes nothing.
    if (stream.status() != QDataStream::Ok)
        return false;

    // A session or default state written on a larger screen, or made up, must not outgrow this one.
    resize(passende_fenstergroesse(this, size, sizeHint()));

    m_navigationBar->setVisible(showToolbar);
    updateToolbarActionText(showToolbar);

    m_bookmarksToolbar->setVisible(showBookmarksBar);
    updateBookmarksToolbarActionText(showBookmarksBar);

    statusBar()->setVisible(showStatusbar);
    updateStatusbarActionText(showStatusbar);

    return m_tabWidget->restoreState(tabState);
}

void BrowserMainWindow::runScriptOnOpenViews(const QString& source)
{
    for (int i = 0; i < m_tabWidget->count(); ++i)
        if (WebView* view = qobject_cast<WebView*>(m_tabWidget->widget(i)))
            view->page()->runJavaScript(source);
}

void BrowserMainWindow::setupMenu()
{
    // File
    QMenu* fileMenu = menuBar()->addMenu(tr("&File"));
    fileMenu->addAction(tr("&New Window"), this, &BrowserMainWindow::slotFileNew, QKeySequence::New);
    fileMenu->addAction(m_tabWidget->newTabAction());
    fileMenu->addAction(tr("&Open File..."), this, &BrowserMainWindow::slotFileOpen, QKeySequence::Open);
    fileMenu->addAction(tr("Open &Location..."), this, &BrowserMainWindow::slotSelectLineEdit,
                        QKeySequence(Qt::CTRL | Qt::Key_L));
    fileMenu->addSeparator();
    fileMenu->addAction(m_tabWidget->closeTabAction());
    fileMenu->addSeparator();
    fileMenu->addAction(tr("&Import Bookmarks..."), BrowserApplication::bookmarksManager(),
                        &BookmarksManager::importBookmarks);
    fileMenu->addAction(tr("&Export Bookmarks..."), BrowserApplication::bookmarksManager(),
                        &BookmarksManager::exportBookmarks);
    fileMenu->addSeparator();
    fileMenu->addAction(tr("&Print to PDF..."), this, &BrowserMainWindow::slotFilePrintToPDF);
    fileMenu->addSeparator();

    QAction* action = fileMenu->addAction(tr("Private &Browsing..."), this, &BrowserMainWindow::slotPrivateBrowsing);
    action->setCheckable(true);
    action->setChecked(BrowserApplication::privateBrowsing());
    connect(BrowserApplication::zustand(), &BrowserZustand::privateBrowsingChanged, action, &QAction::setChecked);
    fileMenu->addSeparator();
    // Quit ends the browser: every one of its windows, and the Downloads window, which would
    // otherwise keep the program running with no browser.
    fileMenu->addAction(tr("&Quit"), BrowserApplication::zustand(), &BrowserZustand::quitBrowser,
                        QKeySequence(Qt::CTRL | Qt::Key_Q));

    // Edit
    QMenu* editMenu = menuBar()->addMenu(tr("&Edit"));
    const auto mapped = [this, editMenu](const QString& text, QKeySequence::StandardKey taste,
                                         QWebEnginePage::WebAction webAction) {
        QAction* a = editMenu->addAction(text);
        a->setShortcuts(taste);
        m_tabWidget->addWebAction(a, webAction);
    };
    mapped(tr("&Undo"), QKeySequence::Undo, QWebEnginePage::Undo);
    mapped(tr("&Redo"), QKeySequence::Redo, QWebEnginePage::Redo);
    editMenu->addSeparator();
    mapped(tr("Cu&t"), QKeySequence::Cut, QWebEnginePage::Cut);
    mapped(tr("&Copy"), QKeySequence::Copy, QWebEnginePage::Copy);
    mapped(tr("&Paste"), QKeySequence::Paste, QWebEnginePage::Paste);
    editMenu->addSeparator();

    QAction* find = editMenu->addAction(tr("&Find"), this, &BrowserMainWindow::slotEditFind);
    find->setShortcuts(QKeySequence::Find);
    QAction* findNext = editMenu->addAction(tr("&Find Next"), this, &BrowserMainWindow::slotEditFindNext);
    findNext->setShortcuts(QKeySequence::FindNext);
    QAction* findPrevious = editMenu->addAction(tr("&Find Previous"), this, &BrowserMainWindow::slotEditFindPrevious);
    findPrevious->setShortcuts(QKeySequence::FindPrevious);
    editMenu->addSeparator();
    editMenu->addAction(tr("&Preferences"), this, &BrowserMainWindow::slotPreferences, QKeySequence(tr("Ctrl+,")));

    // View
    QMenu* viewMenu = menuBar()->addMenu(tr("&View"));
    m_viewBookmarkBar = new QAction(this);
    updateBookmarksToolbarActionText(true);
    m_viewBookmarkBar->setShortcut(QKeySequence(tr("Shift+Ctrl+B")));
    connect(m_viewBookmarkBar, &QAction::triggered, this, &BrowserMainWindow::slotViewBookmarksBar);
    viewMenu->addAction(m_viewBookmarkBar);

    m_viewToolbar = new QAction(this);
    updateToolbarActionText(true);
    m_viewToolbar->setShortcut(QKeySequence(tr("Ctrl+|")));
    connect(m_viewToolbar, &QAction::triggered, this, &BrowserMainWindow::slotViewToolbar);
    viewMenu->addAction(m_viewToolbar);

    m_viewStatusbar = new QAction(this);
    updateStatusbarActionText(true);
    m_viewStatusbar->setShortcut(QKeySequence(tr("Ctrl+/")));
    connect(m_viewStatusbar, &QAction::triggered, this, &BrowserMainWindow::slotViewStatusbar);
    viewMenu->addAction(m_viewStatusbar);

    viewMenu->addSeparator();

    m_stop = viewMenu->addAction(tr("&Stop"));
    m_stop->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Period), QKeySequence(Qt::Key_Escape)});
    m_tabWidget->addWebAction(m_stop, QWebEnginePage::Stop);

    m_reload = viewMenu->addAction(tr("Reload Page"));
    m_reload->setShortcuts(QKeySequence::Refresh);
    m_tabWidget->addWebAction(m_reload, QWebEnginePage::Reload);

    viewMenu->addAction(tr("Zoom &In"), this, &BrowserMainWindow::slotViewZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Plus));
    viewMenu->addAction(tr("Zoom &Out"), this, &BrowserMainWindow::slotViewZoomOut,
                        QKeySequence(Qt::CTRL | Qt::Key_Minus));
    viewMenu->addAction(tr("Reset &Zoom"), this, &BrowserMainWindow::slotViewResetZoom,
                        QKeySequence(Qt::CTRL | Qt::Key_0));

    viewMenu->addSeparator();
    viewMenu->addAction(tr("Page S&ource"), this, &BrowserMainWindow::slotViewPageSource,
                        QKeySequence(tr("Ctrl+Alt+U")));
    QAction* fullScreen = viewMenu->addAction(tr("&Full Screen"), this, &BrowserMainWindow::slotViewFullScreen,
                                              QKeySequence(Qt::Key_F11));
    fullScreen->setCheckable(true);

    // History
    auto* historyMenu = new HistoryMenu(this);
    connect(historyMenu, &HistoryMenu::openUrl, m_tabWidget, &TabWidget::loadUrlInCurrentTab);
    connect(historyMenu, qOverload<const QString&>(&ModelMenu::hovered), this, &BrowserMainWindow::slotUpdateStatusbar);
    historyMenu->setTitle(tr("Hi&story"));
    menuBar()->addMenu(historyMenu);
    QList<QAction*> historyActions;

    m_historyBack = new QAction(tr("Back"), this);
    m_tabWidget->addWebAction(m_historyBack, QWebEnginePage::Back);
    m_historyBack->setShortcuts(QKeySequence::Back);
    m_historyBack->setIconVisibleInMenu(false);
    historyActions.append(m_historyBack);

    m_historyForward = new QAction(tr("Forward"), this);
    m_tabWidget->addWebAction(m_historyForward, QWebEnginePage::Forward);
    m_historyForward->setShortcuts(QKeySequence::Forward);
    m_historyForward->setIconVisibleInMenu(false);
    historyActions.append(m_historyForward);

    QAction* homeAction = new QAction(tr("Home"), this);
    connect(homeAction, &QAction::triggered, this, &BrowserMainWindow::slotHome);
    homeAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H));
    historyActions.append(homeAction);
    historyMenu->setInitialActions(historyActions);

    // Bookmarks
    auto* bookmarksMenu = new BookmarksMenu(this);
    connect(bookmarksMenu, &BookmarksMenu::openUrl, m_tabWidget, &TabWidget::loadUrlInCurrentTab);
    connect(bookmarksMenu, qOverload<const QString&>(&ModelMenu::hovered), this, &BrowserMainWindow::slotUpdateStatusbar);
    bookmarksMenu->setTitle(tr("&Bookmarks"));
    menuBar()->addMenu(bookmarksMenu);

    QList<QAction*> bookmarksActions;
    QAction* showAllBookmarksAction = new QAction(tr("Show All Bookmarks"), this);
    connect(showAllBookmarksAction, &QAction::triggered, this, &BrowserMainWindow::slotShowBookmarksDialog);
    QAction* addBookmark = new QAction(QIcon(QStringLiteral(":addbookmark.png")), tr("Add Bookmark..."), this);
    addBookmark->setIconVisibleInMenu(false);
    connect(addBookmark, &QAction::triggered, this, &BrowserMainWindow::slotAddBookmark);
    addBookmark->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    bookmarksActions.append(showAllBookmarksAction);
    bookmarksActions.append(addBookmark);
    bookmarksMenu->setInitialActions(bookmarksActions);

    // Window
    m_windowMenu = menuBar()->addMenu(tr("&Window"));
    connect(m_windowMenu, &QMenu::aboutToShow, this, &BrowserMainWindow::slotAboutToShowWindowMenu);
    slotAboutToShowWindowMenu();

    QMenu* toolsMenu = menuBar()->addMenu(tr("&Tools"));
    toolsMenu->addAction(tr("Web &Search"), this, &BrowserMainWindow::slotWebSearch,
                         QKeySequence(tr("Ctrl+K", "Web Search")));

    QMenu* helpMenu = menuBar()->addMenu(tr("Hilfe"));
    helpMenu->addAction(tr("Über %1").arg(anwendungsname()), this, &BrowserMainWindow::slotAboutApplication);
    helpMenu->addAction(tr("Über Qt"), qApp, &QApplication::aboutQt);
}

void BrowserMainWindow::setupToolBar()
{
    m_navigationBar = addToolBar(tr("Navigation"));
    m_navigationBar->setObjectName(QStringLiteral("navigation"));
    connect(m_navigationBar->toggleViewAction(), &QAction::toggled, this,
            &BrowserMainWindow::updateToolbarActionText);

    m_historyBack->setIcon(style()->standardIcon(QStyle::SP_ArrowBack, nullptr, this));
    m_historyBackMenu = new QMenu(this);
    m_historyBack->setMenu(m_historyBackMenu);
    connect(m_historyBackMenu, &QMenu::aboutToShow, this, &BrowserMainWindow::slotAboutToShowBackMenu);
    connect(m_historyBackMenu, &QMenu::triggered, this, &BrowserMainWindow::slotOpenActionUrl);
    m_navigationBar->addAction(m_historyBack);

    m_historyForward->setIcon(style()->standardIcon(QStyle::SP_ArrowForward, nullptr, this));
    m_historyForwardMenu = new QMenu(this);
    connect(m_historyForwardMenu, &QMenu::aboutToShow, this, &BrowserMainWindow::slotAboutToShowForwardMenu);
    connect(m_historyForwardMenu, &QMenu::triggered, this, &BrowserMainWindow::slotOpenActionUrl);
    m_historyForward->setMenu(m_historyForwardMenu);
    m_navigationBar->addAction(m_historyForward);

    m_stopReload = new QAction(this);
    m_stopReload->setObjectName(QStringLiteral("stopReload"));
    m_stopReload->setIcon(m_reloadIcon);
    m_navigationBar->addAction(m_stopReload);

    m_navigationBar->addWidget(m_tabWidget->lineEditStack());

    m_toolbarSearch = new ToolbarSearch(m_navigationBar);
    m_navigationBar->addWidget(m_toolbarSearch);
    connect(m_toolbarSearch, &ToolbarSearch::search, this, &BrowserMainWindow::loadUrl);

    m_chaseWidget = new ChaseWidget(this);
    m_navigationBar->addWidget(m_chaseWidget);
    mache_tastbar(m_navigationBar);
}

void BrowserMainWindow::ordneTabfolge()
{
    QStackedWidget* const adressen = m_tabWidget->lineEditStack();
    QList<QWidget*> folge;
    for (QToolBar* leiste : {m_navigationBar, static_cast<QToolBar*>(m_bookmarksToolbar)})
        for (QAction* aktion : leiste->actions()) {
            QWidget* w = leiste->widgetForAction(aktion);
            folge << (w == adressen ? adressen->currentWidget() : w);
        }
    // The tab widget stands for its tab bar. The pages are made after the bars and come last.
    folge << m_tabWidget;
    QWidget* davor = nullptr;
    for (QWidget* w : qAsConst(folge)) {
        if (!w || w->focusPolicy() == Qt::NoFocus)
            continue;
        if (davor)
            QWidget::setTabOrder(davor, w);
        davor = w;
    }
}

void BrowserMainWindow::slotShowBookmarksDialog()
{
    auto* dialog = new BookmarksDialog(this);
    connect(dialog, &BookmarksDialog::openUrl, m_tabWidget, &TabWidget::loadUrlInCurrentTab);
    dialog->show();
}

void BrowserMainWindow::slotAddBookmark()
{
    WebView* webView = currentTab();
    if (!webView)
        return;
    const QString url = webView->url().toString();
    const QString title = webView->title();
    AddBookmarkDialog dialog(url, title);
    dialog.exec();
}

void BrowserMainWindow::slotViewToolbar()
{
    if (m_navigationBar->isVisible()) {
        updateToolbarActionText(false);
        m_navigationBar->close();
    } else {
        updateToolbarActionText(true);
        m_navigationBar->show();
    }
    m_autoSaver->changeOccurred();
}

void BrowserMainWindow::slotViewBookmarksBar()
{
    if (m_bookmarksToolbar->isVisible()) {
        updateBookmarksToolbarActionText(false);
        m_bookmarksToolbar->close();
    } else {
        updateBookmarksToolbarActionText(true);
        m_bookmarksToolbar->show();
    }
    m_autoSaver->changeOccurred();
}

void BrowserMainWindow::updateStatusbarActionText(bool visible)
{
    m_viewStatusbar->setText(!visible ? tr("Show Status Bar") : tr("Hide Status Bar"));
}

void BrowserMainWindow::updateToolbarActionText(bool visible)
{
    m_viewToolbar->setText(!visible ? tr("Show Toolbar") : tr("Hide Toolbar"));
}

void BrowserMainWindow::updateBookmarksToolbarActionText(bool visible)
{
    m_viewBookmarkBar->setText(!visible ? tr("Show Bookmarks bar") : tr("Hide Bookmarks bar"));
}

void BrowserMainWindow::slotViewStatusbar()
{
    if (statusBar()->isVisible()) {
        updateStatusbarActionText(false);
        statusBar()->close();
    } else {
        updateStatusbarActionText(true);
        statusBar()->show();
    }
    m_autoSaver->changeOccurred();
}

void BrowserMainWindow::loadUrl(const QUrl& url)
{
    if (!currentTab() || !url.isValid())
        return;
    m_tabWidget->currentLineEdit()->setText(QString::fromUtf8(url.toEncoded()));
    m_tabWidget->loadUrlInCurrentTab(url);
}

void BrowserMainWindow::slotDownloadManager()
{
    BrowserApplication::downloadManager()->show();
}

void BrowserMainWindow::slotSelectLineEdit()
{
    if (QLineEdit* edit = m_tabWidget->currentLineEdit()) {
        edit->selectAll();
        edit->setFocus();
    }
}

void BrowserMainWindow::slotFileSaveAs()
{
}

void BrowserMainWindow::slotPreferences()
{
    auto* dialog = new SettingsDialog(this);
    dialog->show();
}

void BrowserMainWindow::slotUpdateStatusbar(const QString& string)
{
    statusBar()->showMessage(string, 2000);
}

void BrowserMainWindow::slotUpdateWindowTitle(const QString& title)
{
    if (title.isEmpty())
        setWindowTitle(anwendungsname());
    else
        setWindowTitle(tr("%1 - %2", "Seiten Titel und Browser Name").arg(title, anwendungsname()));
}

void BrowserMainWindow::slotAboutApplication()
{
    QMessageBox::about(this, tr("Über %1").arg(QStringLiteral("WebBrowser")), BrowserApplication::aboutText());
}

void BrowserMainWindow::slotFileNew()
{
    BrowserMainWindow* fenster = BrowserApplication::zustand()->newMainWindow();
    fenster->slotHome();
}

void BrowserMainWindow::slotFileOpen()
{
    // The window may be deleted while the dialog is open.
    const QPointer<BrowserMainWindow> selbst(this);
    const QString file = frage_dateiname_oeffnen(
        this, tr("Open Web Resource"), QString(),
        tr("Web Resources (*.html *.htm *.svg *.png *.gif *.svgz);;All files (*.*)"));
    if (file.isEmpty() || !selbst)
        return;
    loadUrl(QUrl::fromUserInput(file));
}

void BrowserMainWindow::slotFilePrintPreview()
{
    if (!currentTab())
        return;
    // Not on this stack: the window may be deleted while the dialog runs.
    auto* dialog = new QPrintPreviewDialog(this);
    connect(dialog, &QPrintPreviewDialog::paintRequested, currentTab(), &WebView::print);
    fuehre_dialog_aus(dialog);
}

void BrowserMainWindow::slotFilePrint()
{
}

void BrowserMainWindow::slotFilePrintToPDF()
{
    if (!currentTab() || !m_printerOutputFileName.isEmpty())
        return;

    QString pfad;
    QPageLayout layout;
    if (!PrintToPdfDialog::frage(this, tr("Print to PDF"), pfad, layout) || !currentTab()
        || !m_printerOutputFileName.isEmpty())
        return;

    // The window answers while the engine makes the PDF; the window or the tab closed meanwhile
    // goes once the file is written.
    m_printerOutputFileName = pfad;
    const QPointer<BrowserMainWindow> fenster(this);
    const QByteArray data = mache_pdf_daten(this, currentTab()->page(), pfad, layout);
    if (!fenster)
        return;
    slotHandlePdfPrinted(data);
    m_printerOutputFileName.clear();
}

void BrowserMainWindow::slotHandlePdfPrinted(const QByteArray& result)
{
    if (result.isEmpty())
        return;
    const QString pfad = m_printerOutputFileName;
    m_printerOutputFileName.clear();
    schreibe_pdf_daten(this, pfad, result);
}

void BrowserMainWindow::slotPrivateBrowsing()
{
    BrowserZustand* zustand = BrowserApplication::zustand();
    if (BrowserApplication::privateBrowsing()) {
        zustand->setPrivateBrowsing(false);
        return;
    }
    const QString title = tr("Are you sure you want to turn on private browsing?");
    const QString text =
        tr("<b>%1</b><br><br>"
           "This action will reload all open tabs.<br>"
           "When private browsing in turned on,"
           " webpages are not added to the history,"
           " items are automatically removed from the Downloads window,"
           " new cookies are not stored, current cookies can't be accessed,"
           " site icons wont be stored, session wont be saved, "
           " and searches are not added to the pop-up menu in the Google search box."
           "  Until you close the window, you can still click the Back and Forward buttons"
           " to return to the webpages you have opened.")
            .arg(title);
    const QStringList knoepfe{tr("OK"), tr("Cancel")};
    if (frage_mit_knoepfen(this, QMessageBox::Question, tr("Private Browsing"), text, knoepfe, 0, 1) == 0)
        zustand->setPrivateBrowsing(true);
    // A cancelled question leaves the checkable menu entry as it was.
    if (auto* action = qobject_cast<QAction*>(sender()))
        action->setChecked(BrowserApplication::privateBrowsing());
}

void BrowserMainWindow::closeEvent(QCloseEvent* event)
{
    if (m_tabWidget->count() > 1) {
        const QString text = tr("Are you sure you want to close the window?"
                                "  There are %1 tabs open")
                                 .arg(m_tabWidget->count());
        if (frage_mit_knoepfen(this, QMessageBox::Warning, tr("Close Window"), text, {tr("Yes"), tr("No")}, 1, 1) != 0) {
            event->ignore();
            return;
        }
    }
    event->accept();
    deleteLater();
}

void BrowserMainWindow::slotEditFind()
{
    if (!currentTab())
        return;
    bool ok = false;
    const QPointer<BrowserMainWindow> selbst(this);
    const QString search =
        QInputDialog::getText(this, tr("Find"), tr("Text:"), QLineEdit::Normal, m_lastSearch, &ok);
    if (ok && !search.isEmpty() && selbst) {
        m_lastSearch = search;
        findText(m_lastSearch, false);
    }
}

void BrowserMainWindow::findText(const QString& text, bool backward)
{
    QPointer<BrowserMainWindow> fenster(this);
    currentTab()->findText(text, backward ? QWebEnginePage::FindBackward : QWebEnginePage::FindFlags(),
                           [fenster](bool found) {
                               if (fenster && !found)
                                   fenster->slotUpdateStatusbar(tr("\"%1\" not found.").arg(fenster->m_lastSearch));
                           });
}

void BrowserMainWindow::slotEditFindNext()
{
    if (!currentTab() || m_lastSearch.isEmpty())
        return;
    findText(m_lastSearch, false);
}

void BrowserMainWindow::slotEditFindPrevious()
{
    if (!currentTab() || m_lastSearch.isEmpty())
        return;
    findText(m_lastSearch, true);
}

void BrowserMainWindow::slotViewZoomIn()
{
    if (WebView* tab = currentTab())
        tab->setZoomFactor(tab->zoomFactor() + 0.1);
}

void BrowserMainWindow::slotViewZoomOut()
{
    if (WebView* tab = currentTab())
        tab->setZoomFactor(tab->zoomFactor() - 0.1);
}

void BrowserMainWindow::slotViewResetZoom()
{
    if (WebView* tab = currentTab())
        tab->setZoomFactor(1.0);
}

void BrowserMainWindow::slotViewFullScreen(bool makeFullScreen)
{
    if (makeFullScreen) {
        showFullScreen();
    } else {
        if (isMinimized())
            showMinimized();
        else if (isMaximized())
            showMaximized();
        else
            showNormal();
    }
}

void BrowserMainWindow::slotViewPageSource()
{
    WebView* tab = currentTab();
    if (!tab)
        return;
    auto* view = new QPlainTextEdit;
    view->setWindowTitle(tr("Page Source of %1").arg(tab->title()));
    view->setMinimumWidth(640);
    view->setAttribute(Qt::WA_DeleteOnClose);
    // The source of a long page: select all and copy answer at once.
    new CAuswahlkopie(view);
    view->show();
    QPointer<QPlainTextEdit> ziel(view);
    tab->page()->toHtml([ziel](const QString& html) {
        if (ziel)
            ziel->setPlainText(html);
    });
}

void BrowserMainWindow::slotHome()
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("MainWindow"));
    const QString home = settings.value(QStringLiteral("home")).toString();
    loadPage(home);
}

void BrowserMainWindow::slotWebSearch()
{
    m_toolbarSearch->lineEdit()->selectAll();
    m_toolbarSearch->lineEdit()->setFocus();
}

void BrowserMainWindow::slotToggleInspector(bool)
{
}

void BrowserMainWindow::slotSwapFocus()
{
    if (currentTab() && currentTab()->hasFocus())
        m_tabWidget->currentLineEdit()->setFocus();
    else if (currentTab())
        currentTab()->setFocus();
}

void BrowserMainWindow::loadPage(const QString& page)
{
    loadUrl(QUrl::fromUserInput(page));
}

WebView* BrowserMainWindow::currentTab() const
{
    return m_tabWidget->currentWebView();
}

void BrowserMainWindow::slotLoadProgress(int progress)
{
    if (progress < 100 && progress > 0) {
        m_chaseWidget->setAnimated(true);
        disconnect(m_stopReload, &QAction::triggered, m_reload, &QAction::trigger);
        if (m_stopIcon.isNull())
            m_stopIcon = style()->standardIcon(QStyle::SP_BrowserStop);
        m_stopReload->setIcon(m_stopIcon);
        connect(m_stopReload, &QAction::triggered, m_stop, &QAction::trigger, Qt::UniqueConnection);
        m_stopReload->setToolTip(tr("Stop loading the current page"));
    } else {
        m_chaseWidget->setAnimated(false);
        disconnect(m_stopReload, &QAction::triggered, m_stop, &QAction::trigger);
        m_stopReload->setIcon(m_reloadIcon);
        connect(m_stopReload, &QAction::triggered, m_reload, &QAction::trigger, Qt::UniqueConnection);
        m_stopReload->setToolTip(tr("Reload the current page"));
    }
}

void BrowserMainWindow::fuegeVerlaufEin(QMenu* menu, const QWebEngineHistoryItem& item, int data)
{
    auto* action = new QAction(menu);
    action->setData(data);
    action->setIcon(BrowserApplication::icon(item.url()));
    action->setText(item.title());
    menu->addAction(action);
}

void BrowserMainWindow::slotAboutToShowBackMenu()
{
    m_historyBackMenu->clear();
    if (!currentTab())
        return;
    QWebEngineHistory* history = currentTab()->history();
    const QList<QWebEngineHistoryItem> backItems = history->backItems(history->count());
    // Each item carries the number of steps back to it: forward items do not count.
    const int anzahl = backItems.count();
    for (int i = anzahl - 1; i >= 0; --i)
        fuegeVerlaufEin(m_historyBackMenu, backItems.at(i), i - anzahl);
}

void BrowserMainWindow::slotAboutToShowForwardMenu()
{
    m_historyForwardMenu->clear();
    if (!currentTab())
        return;
    QWebEngineHistory* history = currentTab()->history();
    const int historyCount = history->count();
    const QList<QWebEngineHistoryItem> forwardItems = history->forwardItems(historyCount);
    for (int i = 0; i < forwardItems.count(); ++i)
        fuegeVerlaufEin(m_historyForwardMenu, forwardItems.at(i), historyCount - i);
}

void BrowserMainWindow::slotAboutToShowWindowMenu()
{
    m_windowMenu->clear();
    m_windowMenu->addAction(m_tabWidget->nextTabAction());
    m_windowMenu->addAction(m_tabWidget->previousTabAction());
    m_windowMenu->addSeparator();
    m_windowMenu->addAction(tr("Downloads"), this, &BrowserMainWindow::slotDownloadManager,
                            QKeySequence(tr("Alt+Ctrl+L", "Download Manager")));
    m_windowMenu->addSeparator();

    const QList<BrowserMainWindow*> windows = BrowserApplication::zustand()->mainWindows();
    for (int i = 0; i < windows.count(); ++i) {
        BrowserMainWindow* window = windows.at(i);
        QAction* action = m_windowMenu->addAction(window->windowTitle(), this, &BrowserMainWindow::slotShowWindow);
        action->setData(i);
        action->setCheckable(true);
        if (window == this)
            action->setChecked(true);
    }
}

void BrowserMainWindow::slotShowWindow()
{
    auto* action = qobject_cast<QAction*>(sender());
    if (!action)
        return;
    const QList<BrowserMainWindow*> windows = BrowserApplication::zustand()->mainWindows();
    const int index = action->data().toInt();
    if (index < 0 || index >= windows.count())
        return;
    BrowserMainWindow* window = windows.at(index);
    window->activateWindow();
    if (WebView* tab = window->currentTab())
        tab->setFocus();
}

void BrowserMainWindow::slotOpenActionUrl(QAction* action)
{
    const int offset = action->data().toInt();
    WebView* tab = currentTab();
    if (!tab)
        return;
    QWebEngineHistory* history = tab->history();
    if (offset < 0) {
        const QList<QWebEngineHistoryItem> items = history->backItems(-offset);
        if (!items.isEmpty())
            history->goToItem(items.first());
    } else if (offset > 0) {
        const QList<QWebEngineHistoryItem> items = history->forwardItems(history->count() - offset + 1);
        if (!items.isEmpty())
            history->goToItem(items.last());
    }
}

void BrowserMainWindow::geometryChangeRequested(const QRect& geometry)
{
    setGeometry(geometry);
}
