// The system's own browser window: one web view, five German menus on a tool bar, a status bar with the load progress.
#pragma once

#include "aktuelleseite.h"
#include "curleingabe.h"

#include <QDialog>
#include <QList>
#include <QPointer>
#include <QString>

class QAction;
class QAuthenticator;
class QGridLayout;
class QKeySequence;
class QMenu;
class QProgressBar;
class QStatusBar;
class QToolBar;
class QWebEngineDownloadItem;
class WebActionMapper;
class WebView;

// Made without parent for every address that the opener sends to the own browser, and by
// "Neues Fenster". The first window makes the browser application object. Closing a window
// deletes it with its view, its URL entry window and its settings dialogs.
class CWebBrowserDiag : public QDialog, public AktuelleSeite
{
    Q_OBJECT
public:
    explicit CWebBrowserDiag(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~CWebBrowserDiag() override;

    // Keeps the text as the start page ("Startseite" returns to it) and loads it. A text that
    // begins with "file:" and holds neither "?" nor "&" names a local file.
    void loadStartPage(const QString& text);
    // The start page: the local path of a file, else the text given; empty for a new window.
    QString startPage() const { return m_startPage; }

    QUrl aktuelle_seite() const override;
    // Null once the window was closed.
    WebView* view() const;
    CUrlEingabe& urlEingabe() { return m_urlEingabe; }

protected:
    void closeEvent(QCloseEvent* event) override;

public slots:
    void slotHome();
    void loadPage(const QString& text);
    void LoadProgressSlot(int progress);
    void slotFileNew();
    void slotFileOpen();
    void loadUrl(const QUrl& url);
    void slotSelectLineEdit();
    void authenticationRequired(const QUrl& requestUrl, QAuthenticator* auth);
    void proxyAuthenticationRequired(const QUrl& requestUrl, QAuthenticator* auth, const QString& proxyHost);
    void slotFilePrintToPDF();
    void slotHandlePdfPrinted(const QByteArray& data);
    void slotEditFind();
    void slotEditFindNext();
    void slotEditFindPrevious();
    void slotPreferences();
    void slotViewZoomIn();
    void slotViewZoomOut();
    void slotViewResetZoom();
    void slotViewPageSource();
    void slotDownloadManager();
    // Takes the item unless another handler did (DownloadManager::nimm_an); a page save asks
    // for format and file first.
    void downloadRequested(QWebEngineDownloadItem* item);
    void slotAboutApplication();
    void webViewUrlChanged(const QUrl& url);
    void setBackwardAvailableSlot(bool available);
    void setForwardAvailableSlot(bool available);
    void showMessageSlot(const QString& text);

private:
    void baueMenues();
    // An action of the window, put in `menu` unless that is null; the second one stands for the
    // page's `webAction` through a mapper.
    QAction* neueAktion(QMenu* menu, const char* text, const QKeySequence& taste = QKeySequence());
    QAction* neueSeitenAktion(QMenu* menu, const char* text, int webAction, const QKeySequence& taste);
    // Every mapper follows the view's page; the page actions' changes reach their mappers.
    void folgeSeite();
    void suche(bool rueckwaerts);

    QGridLayout* m_layout;
    QToolBar* m_toolBar;
    QStatusBar* m_statusBar;
    QProgressBar* m_progressBar;
    QPointer<WebView> m_view;
    QString m_startPage;
    CUrlEingabe m_urlEingabe;
    QString m_pdfPath;
    QString m_lastSearch;
    QAction* m_backAction = nullptr;
    QAction* m_forwardAction = nullptr;
    QList<WebActionMapper*> m_mappers;
};
