// The own browser window's small separate window in which an address is typed.
#pragma once

#include <QWidget>

class UrlLineEdit;
class WebView;

// A top-level window without parent, hidden until its browser window asks for it.
class CUrlEingabe : public QWidget
{
    Q_OBJECT
public:
    CUrlEingabe();

    UrlLineEdit* lineEdit() const { return m_lineEdit; }
    // Binds the address field to the browser window's view, once.
    void setWebView(WebView* view);
    // Shows the window with the whole address selected and the field focused.
    void zeige();

signals:
    void loadPageSig(const QString& text);

public slots:
    void lineEditReturnPressed();

private:
    UrlLineEdit* m_lineEdit;
};
