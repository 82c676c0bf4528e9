// The browser's page view: progress, status text, its own context menu, the middle click and the render-process watchdog.
#pragma once

#include <QIcon>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>

class QPrinter;
class WebPage;

class WebView : public QWebEngineView
{
    Q_OBJECT
public:
    explicit WebView(QWidget* parent = nullptr);

    // The view owns the page; a page set before is deleted later.
    void setPage(WebPage* page);
    // Null while the view has the engine's default page.
    WebPage* webPage() const { return m_page; }

    void loadUrl(const QUrl& url);
    // The view's address, or the one last given to `loadUrl` while the view has none yet.
    QUrl url() const;
    QString lastStatusBarText() const { return m_statusBarText; }
    // The last load progress; 0 at start and after every finished load.
    int progress() const { return m_progress; }

signals:
    void backwardAvailable(bool available);
    void forwardAvailable(bool available);

public slots:
    void setProgress(int progress);
    void loadFinished(bool ok);
    void setStatusBarText(const QString& text);
    void openLinkInNewTab();
    void onFeaturePermissionRequested(const QUrl& securityOrigin, QWebEnginePage::Feature feature);
    void onIconChanged(const QIcon& icon);
    // Prints the page and returns when the engine has finished: a print preview paints only
    // while its request runs.
    void print(QPrinter* printer);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void merkeDruck(const QMouseEvent& event);
    // After a release with the middle button the selection's address, when it is one, is loaded.
    void nachLoslassen();

    QString m_statusBarText;
    QUrl m_initialUrl;
    int m_progress = 0;
    WebPage* m_page = nullptr;
};
