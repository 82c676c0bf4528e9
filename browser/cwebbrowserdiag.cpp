#include "cwebbrowserdiag.h"
#include "auswahlkopie.h"
#include "bedienhilfe.h"
#include "wegweiserseite.h"
#include "webpage.h"
#include "anmeldedialoge.h"
#include "browserapplication.h"
#include "cwebbrowserapp.h"
#include "dialogseam.h"
#include "downloadmanager.h"
#include "historymanager.h"
#include "historymenu.h"
#include "linkfreigabe.h"
#include "printtopdfdialog.h"
#include "savepagedialog.h"
#include "settings.h"
#include "systemwerte.h"
#include "webactionmapper.h"
#include "webview.h"

#include <QAction>
#include <QApplication>
#include <QAuthenticator>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSettings>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QWebEngineDownloadItem>
#include <QWebEngineProfile>

namespace {

// Every window made so far, oldest first; a deleted one drops out by itself.
QList<QPointer<CWebBrowserDiag>>& fenster()
{
    static QList<QPointer<CWebBrowserDiag>> liste;
    return liste;
}

// The window that asks about a download: the one whose page requested it. An item without page
// goes to the active window, else to the newest that is still open; an item of another page
// (a tab of the tabbed browser) is left to that page's own handler.
CWebBrowserDiag* fenster_fuer(const QWebEngineDownloadItem* item)
{
    fenster().removeAll(QPointer<CWebBrowserDiag>());
    CWebBrowserDiag* neuestes = nullptr;
    for (const QPointer<CWebBrowserDiag>& f : qAsConst(fenster())) {
        if (!f->view())
            continue;
        if (f->view()->page() == item->page())
            return f;
        neuestes = f;
    }
    if (item->page())
        return nullptr;
    auto* aktiv = qobject_cast<CWebBrowserDiag*>(QApplication::activeWindow());
    return aktiv && aktiv->view() ? aktiv : neuestes;
}

// The engine's default profile is shared by every window, and every window's view lives on it:
// one connection for the process, so that a download is asked about and listed once, and a
// closed window never hears it. The browser application object lives as long as the process.
void verbinde_downloads_einmal(QObject* kontext)
{
    static bool verbunden = false;
    if (verbunden)
        return;
    verbunden = true;
    QObject::connect(QWebEngineProfile::defaultProfile(), &QWebEngineProfile::downloadRequested, kontext,
                     [](QWebEngineDownloadItem* item) {
                         if (CWebBrowserDiag* f = fenster_fuer(item))
                             f->downloadRequested(item);
                     });
}

} // namespace

CWebBrowserDiag::CWebBrowserDiag(QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    CWebBrowserApp* anwendung = CWebBrowserApp::instance(true);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(QStringLiteral(":/Kelmor_common/images/kelmor.png")));

    m_layout = new QGridLayout(this);
    m_layout->setSpacing(0);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_toolBar = new QToolBar(tr("toolbar"), this);
    m_toolBar->setMovable(false);

    baueMenues();
    m_view = new WebView(this);
    // The engine's own page (no tabs, no pop-ups, the window answers authentication), whose
    // addresses of other schemes go the browser's way, never to the desktop.
    static_cast<QWebEngineView*>(m_view)->setPage(new WegweiserSeite(&WebPage::folgt, m_view));
    QSizePolicy flaeche(QSizePolicy::Expanding, QSizePolicy::Expanding);
    flaeche.setHorizontalStretch(1);
    flaeche.setVerticalStretch(1);
    m_view->setSizePolicy(flaeche);
    m_layout->addWidget(m_view, 1, 0, 1, 2);

    m_urlEingabe.setWebView(m_view);
    m_urlEingabe.setWindowIcon(windowIcon());
    connect(&m_urlEingabe, &CUrlEingabe::loadPageSig, this, &CWebBrowserDiag::loadPage);
    connect(m_view, &WebView::backwardAvailable, this, &CWebBrowserDiag::setBackwardAvailableSlot);
    connect(m_view, &WebView::forwardAvailable, this, &CWebBrowserDiag::setForwardAvailableSlot);
    connect(m_view, &QWebEngineView::urlChanged, this, &CWebBrowserDiag::webViewUrlChanged);

    m_statusBar = new QStatusBar(this);
    QSizePolicy leiste(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_statusBar->setSizePolicy(leiste);
    m_layout->addWidget(m_statusBar, 3, 0, 1, 2);
    m_layout->addWidget(m_toolBar, 0, 0);

    QWebEnginePage* seite = m_view->page();
    connect(seite, &QWebEnginePage::linkHovered, this, &CWebBrowserDiag::showMessageSlot);

    m_progressBar = new QProgressBar(this);
    m_progressBar->hide();
    m_statusBar->addPermanentWidget(m_progressBar);
    connect(m_view, &QWebEngineView::loadProgress, this, &CWebBrowserDiag::LoadProgressSlot);

    verbinde_downloads_einmal(anwendung);
    fenster().removeAll(QPointer<CWebBrowserDiag>());
    fenster().append(this);

    resize(minimumSizeHint().expandedTo(QSize(800, 600)));
    mache_tastbar(m_toolBar);
    folgeSeite();
    connect(seite, &QWebEnginePage::authenticationRequired, this, &CWebBrowserDiag::authenticationRequired);
    connect(seite, &QWebEnginePage::proxyAuthenticationRequired, this,
            &CWebBrowserDiag::proxyAuthenticationRequired);
}

CWebBrowserDiag::~CWebBrowserDiag() = default;

QAction* CWebBrowserDiag::neueAktion(QMenu* menu, const char* text, const QKeySequence& taste)
{
    auto* aktion = new QAction(tr(text), this);
    aktion->setShortcut(taste);
    if (menu)
        menu->addAction(aktion);
    return aktion;
}

QAction* CWebBrowserDiag::neueSeitenAktion(QMenu* menu, const char* text, int webAction, const QKeySequence& taste)
{
    QAction* aktion = neueAktion(menu, text, taste);
    m_mappers.append(new WebActionMapper(aktion, QWebEnginePage::WebAction(webAction), this));
    return aktion;
}

void CWebBrowserDiag::baueMenues()
{
    // Each menu hangs on a tool-bar button that opens it at once.
    const auto neuesMenue = [this](QMenu* menu) {
        m_toolBar->addAction(menu->menuAction());
        if (auto* knopf = qobject_cast<QToolButton*>(m_toolBar->widgetForAction(menu->menuAction())))
            knopf->setPopupMode(QToolButton::InstantPopup);
        return menu;
    };

    QMenu* datei = neuesMenue(new QMenu(tr("Datei"), this));
    connect(neueAktion(datei, QT_TR_NOOP("Neues Fenster")), &QAction::triggered, this, &CWebBrowserDiag::slotFileNew);
    connect(neueAktion(datei, QT_TR_NOOP("lade Datei...")), &QAction::triggered, this, &CWebBrowserDiag::slotFileOpen);
    connect(neueAktion(datei, QT_TR_NOOP("lade URL...")), &QAction::triggered, this,
            &CWebBrowserDiag::slotSelectLineEdit);
    datei->addSeparator();
    connect(neueAktion(datei, QT_TR_NOOP("Speichern als PDF...")), &QAction::triggered, this,
            &CWebBrowserDiag::slotFilePrintToPDF);
    datei->addSeparator();
    connect(neueAktion(datei, QT_TR_NOOP("Beenden")), &QAction::triggered, this, &QWidget::close);

    QMenu* bearbeiten = neuesMenue(new QMenu(tr("Bearbeiten"), this));
    neueSeitenAktion(bearbeiten, QT_TR_NOOP("Kopieren"), QWebEnginePage::Copy, QKeySequence::Copy);
    bearbeiten->addSeparator();
    connect(neueAktion(bearbeiten, QT_TR_NOOP("Suchen"), QKeySequence::Find), &QAction::triggered, this,
            &CWebBrowserDiag::slotEditFind);
    new QShortcut(QKeySequence(QStringLiteral("/")), this, SLOT(slotEditFind()));
    connect(neueAktion(bearbeiten, QT_TR_NOOP("Suchen weiter"), QKeySequence::FindNext), &QAction::triggered, this,
            &CWebBrowserDiag::slotEditFindNext);
    connect(neueAktion(bearbeiten, QT_TR_NOOP("Suchen zurück"), QKeySequence::FindPrevious), &QAction::triggered,
            this, &CWebBrowserDiag::slotEditFindPrevious);
    bearbeiten->addSeparator();
    connect(neueAktion(bearbeiten, QT_TR_NOOP("Einstellungen")), &QAction::triggered, this,
            &CWebBrowserDiag::slotPreferences);

    QMenu* ansicht = neuesMenue(new QMenu(tr("Ansicht"), this));
    neueSeitenAktion(ansicht, QT_TR_NOOP("Stop"), QWebEnginePage::Stop, QKeySequence())
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Period), QKeySequence(Qt::Key_Escape)});
    neueSeitenAktion(ansicht, QT_TR_NOOP("Seite neu laden"), QWebEnginePage::Reload, QKeySequence::Refresh);
    connect(neueAktion(ansicht, QT_TR_NOOP("Zoom &In"), QKeySequence(Qt::CTRL | Qt::Key_Plus)), &QAction::triggered,
            this, &CWebBrowserDiag::slotViewZoomIn);
    connect(neueAktion(ansicht, QT_TR_NOOP("Zoom &Out"), QKeySequence(Qt::CTRL | Qt::Key_Minus)),
            &QAction::triggered, this, &CWebBrowserDiag::slotViewZoomOut);
    connect(neueAktion(ansicht, QT_TR_NOOP("Reset &Zoom"), QKeySequence(Qt::CTRL | Qt::Key_0)), &QAction::triggered,
            this, &CWebBrowserDiag::slotViewResetZoom);
    ansicht->addSeparator();
    connect(neueAktion(ansicht, QT_TR_NOOP("Seiten Quelltext anzeigen")), &QAction::triggered, this,
            &CWebBrowserDiag::slotViewPageSource);
    ansicht->addSeparator();
    connect(neueAktion(ansicht, QT_TR_NOOP("Downloads")), &QAction::triggered, this,
            &CWebBrowserDiag::slotDownloadManager);

    auto* chronik = new HistoryMenu(this);
    chronik->setTitle(tr("Chronik"));
    neuesMenue(chronik);
    connect(chronik, &HistoryMenu::openUrl, this, &CWebBrowserDiag::loadUrl);
    connect(chronik, qOverload<const QString&>(&ModelMenu::hovered), this, &CWebBrowserDiag::showMessageSlot);
    // The initial actions belong to the window: the menu clears its own at every opening.
    m_backAction = neueSeitenAktion(nullptr, QT_TR_NOOP("Zurück"), QWebEnginePage::Back, QKeySequence::Back);
    m_backAction->setIconVisibleInMenu(false);
    m_forwardAction = neueSeitenAktion(nullptr, QT_TR_NOOP("Vorwärts"), QWebEnginePage::Forward, QKeySequence::Forward);
    m_forwardAction->setIconVisibleInMenu(false);
    QAction* startseite = neueAktion(nullptr, QT_TR_NOOP("Startseite"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H));
    connect(startseite, &QAction::triggered, this, &CWebBrowserDiag::slotHome);
    chronik->setInitialActions({m_backAction, m_forwardAction, startseite});

    QMenu* hilfe = neuesMenue(new QMenu(tr("Hilfe"), this));
    connect(neueAktion(hilfe, QT_TR_NOOP("Über WebBrowser")), &QAction::triggered, this,
            &CWebBrowserDiag::slotAboutApplication);
    connect(neueAktion(hilfe, QT_TR_NOOP("Über Qt")), &QAction::triggered, qApp, &QApplication::aboutQt);
}

void CWebBrowserDiag::folgeSeite()
{
    QWebEnginePage* seite = m_view ? m_view->page() : nullptr;
    for (WebActionMapper* mapper : qAsConst(m_mappers)) {
        mapper->updateCurrent(seite);
        if (seite)
            connect(seite->action(mapper->webAction()), &QAction::changed, mapper, &WebActionMapper::childChanged,
                    Qt::UniqueConnection);
    }
}

void CWebBrowserDiag::loadStartPage(const QString& text)
{
    m_startPage = text;
    QUrl url;
    if (text.startsWith(QLatin1String("file:")) && !text.contains(QLatin1Char('?'))
        && !text.contains(QLatin1Char('&'))) {
        // A relative path is taken from the current folder.
        const QString lokal = lokaler_pfad(QUrl(text));
        if (!lokal.isEmpty())
            url = QUrl::fromLocalFile(QFileInfo(lokal).absoluteFilePath());
    } else {
        // A file named relative to the current folder is that file, not a web host of its name.
        url = QUrl::fromUserInput(text, QDir::currentPath());
    }
    const QString lokal = lokaler_pfad(url);
    m_startPage = lokal.isEmpty() ? text : lokal;
    loadUrl(url);
}

WebView* CWebBrowserDiag::view() const
{
    return m_view;
}

QUrl CWebBrowserDiag::aktuelle_seite() const
{
    return m_view ? m_view->url() : QUrl();
}

void CWebBrowserDiag::closeEvent(QCloseEvent* event)
{
    QDialog::closeEvent(event);
    if (!event->isAccepted())
        return;
    // The entry window goes first: hiding it may still ask the view for its address. From here
    // until the window is deleted nothing reaches the view any more. A PDF still being made needs
    // its page: the view then goes with the window, once the file is written.
    m_urlEingabe.hide();
    if (!m_pdfPath.isEmpty())
        return;
    delete m_view;
    folgeSeite();
}

void CWebBrowserDiag::slotHome()
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("MainWindow"));
    QString home = settings.value(QStringLiteral("home")).toString();
    if (!m_startPage.isEmpty())
        home = m_startPage;
    loadUrl(QUrl::fromUserInput(home));
}

void CWebBrowserDiag::loadPage(const QString& text)
{
    loadUrl(QUrl::fromUserInput(text));
}

void CWebBrowserDiag::LoadProgressSlot(int progress)
{
    if (progress > 0 && progress < 100) {
        m_progressBar->setValue(progress);
        m_progressBar->show();
        return;
    }
    m_progressBar->hide();
    m_progressBar->setRange(0, 100);
    m_progressBar->reset();
}

void CWebBrowserDiag::slotFileNew()
{
    auto* neu = new CWebBrowserDiag;
    neu->slotHome();
    neu->show();
}

void CWebBrowserDiag::slotFileOpen()
{
    // The window may be deleted while the dialog is open.
    const QPointer<CWebBrowserDiag> selbst(this);
    const QString datei = frage_dateiname_oeffnen(
        this, tr("Open Web Resource"), QString(),
        tr("Web Resources (*.html *.htm *.xml *.svg *.png *.gif *.svgz);;All files (*.*)"));
    if (!datei.isEmpty() && selbst)
        loadUrl(QUrl::fromUserInput(datei));
}

void CWebBrowserDiag::loadUrl(const QUrl& url)
{
    if (!url.isValid() || !m_view)
        return;
    m_view->loadUrl(url);
    m_view->setFocus(Qt::OtherFocusReason);
    setWindowTitle(url.toDisplayString());
}

void CWebBrowserDiag::slotSelectLineEdit()
{
    m_urlEingabe.zeige();
}

void CWebBrowserDiag::authenticationRequired(const QUrl& requestUrl, QAuthenticator* auth)
{
    frage_anmeldung(gib_hauptfenster(), tr("<qt>Benutzername und Kennwort eingeben für \"%1\" at %2</qt>"),
                    requestUrl, auth);
}

void CWebBrowserDiag::proxyAuthenticationRequired(const QUrl&, QAuthenticator* auth, const QString& proxyHost)
{
    frage_proxyanmeldung(gib_hauptfenster(), tr("<qt>Verbinden zu Proxy \"%1\" verwenden:</qt>"), proxyHost, auth);
}

void CWebBrowserDiag::slotFilePrintToPDF()
{
    // One PDF at a time: a second asked for while one is being made does nothing.
    if (!m_view || !m_pdfPath.isEmpty())
        return;
    QString pfad;
    QPageLayout layout;
    if (!PrintToPdfDialog::frage(this, tr("Speichern als PDF"), pfad, layout) || !m_view || !m_pdfPath.isEmpty())
        return;
    // The window answers while the engine makes the PDF; closed meanwhile, it waits for it.
    m_pdfPath = pfad;
    const QPointer<CWebBrowserDiag> selbst(this);
    const QByteArray daten = mache_pdf_daten(this, m_view->page(), pfad, layout);
    if (!selbst)
        return;
    slotHandlePdfPrinted(daten);
    m_pdfPath.clear();
}

void CWebBrowserDiag::slotHandlePdfPrinted(const QByteArray& data)
{
    if (data.isEmpty())
        return;
    const QString pfad = m_pdfPath;
    m_pdfPath.clear();
    schreibe_pdf_daten(this, pfad, data);
}

void CWebBrowserDiag::slotEditFind()
{
    if (!m_view)
        return;
    bool ok = false;
    const QPointer<CWebBrowserDiag> selbst(this);
    const QString text =
        QInputDialog::getText(this, tr("Suchen"), tr("Text:"), QLineEdit::Normal, m_lastSearch, &ok);
    if (!ok || text.isEmpty() || !selbst || !m_view)
        return;
    m_lastSearch = text;
    m_view->findText(text, QWebEnginePage::FindFlags(), [selbst, text](bool gefunden) {
        if (!selbst || gefunden)
            return;
        selbst->m_statusBar->showMessage(tr("\"%1\" nicht gefunden.").arg(text));
        selbst->m_lastSearch.clear();
    });
}

void CWebBrowserDiag::suche(bool rueckwaerts)
{
    if (m_lastSearch.isEmpty() || !m_view)
        return;
    m_view->findText(m_lastSearch, rueckwaerts ? QWebEnginePage::FindBackward : QWebEnginePage::FindFlags());
}

void CWebBrowserDiag::slotEditFindNext()
{
    suche(false);
}

void CWebBrowserDiag::slotEditFindPrevious()
{
    suche(true);
}

void CWebBrowserDiag::slotPreferences()
{
    (new SettingsDialog(this))->show();
}

void CWebBrowserDiag::slotViewZoomIn()
{
    if (m_view)
        m_view->setZoomFactor(m_view->zoomFactor() + 0.1);
}

void CWebBrowserDiag::slotViewZoomOut()
{
    if (m_view)
        m_view->setZoomFactor(m_view->zoomFactor() - 0.1);
}

void CWebBrowserDiag::slotViewResetZoom()
{
    if (m_view)
        m_view->setZoomFactor(1.0);
}

void CWebBrowserDiag::slotViewPageSource()
{
    if (!m_view)
        return;
    auto* quelltext = new QPlainTextEdit;
    quelltext->setWindowTitle(tr("Quelltext von %1").arg(windowTitle()));
    quelltext->setMinimumWidth(640);
    quelltext->setAttribute(Qt::WA_DeleteOnClose);
    // The source of a long page: select all and copy answer at once.
    new CAuswahlkopie(quelltext);
    quelltext->show();
    const QPointer<QPlainTextEdit> ziel(quelltext);
    m_view->page()->toHtml([ziel](const QString& html) {
        if (ziel)
            ziel->setPlainText(html);
    });
}

void CWebBrowserDiag::slotDownloadManager()
{
    BrowserApplication::downloadManager()->show();
}

void CWebBrowserDiag::downloadRequested(QWebEngineDownloadItem* item)
{
    if (!DownloadManager::nimm_an(item))
        return;
    // A page save that the page's own save started has its file already and runs.
    if (item->savePageFormat() != QWebEngineDownloadItem::UnknownSaveFormat
        && item->state() == QWebEngineDownloadItem::DownloadRequested) {
        // Not accepted (or gone with the window): the engine drops the item once the request returns.
        if (!SavePageDialog::frage(this, item))
            return;
    }
    DownloadManager* manager = BrowserApplication::downloadManager();
    manager->download(item);
    item->accept();
    manager->show();
}

void CWebBrowserDiag::slotAboutApplication()
{
    QMessageBox::about(this, tr("Über %1").arg(QStringLiteral("WebBrowser")), BrowserApplication::aboutText());
}

void CWebBrowserDiag::webViewUrlChanged(const QUrl& url)
{
    if (url.isValid())
        BrowserApplication::historyManager()->addUrl(url.toString());
    folgeSeite();
}

void CWebBrowserDiag::setBackwardAvailableSlot(bool available)
{
    m_backAction->setEnabled(available);
}

void CWebBrowserDiag::setForwardAvailableSlot(bool available)
{
    m_forwardAction->setEnabled(available);
}

void CWebBrowserDiag::showMessageSlot(const QString& text)
{
    m_statusBar->showMessage(text);
}
