// The small window in which a page opens a dialog-type window: an address bar above a web view.
#pragma once

#include <QWidget>

class QLineEdit;
class QWebEngineProfile;
class WebView;

class PopupWindow : public QWidget
{
    Q_OBJECT
public:
    explicit PopupWindow(QWebEngineProfile* profile);

    WebView* view() const { return m_view; }

public slots:
    void setUrl(const QUrl& url);
    // The page area gets the requested size, with the address bar above it.
    void adjustGeometry(const QRect& newGeometry);

private:
    QLineEdit* m_addressBar;
    WebView* m_view;
};
