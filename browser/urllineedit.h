// The address field bound to a web view: address and icon, a pale background for https, the load progress behind the text.
#pragma once

#include "exlineedit.h"

#include <QPointer>
#include <QColor>

class QIcon;
class QUrl;
class UrlIconLabel;
class WebView;

class UrlLineEdit : public ExLineEdit
{
    Q_OBJECT
public:
    explicit UrlLineEdit(QWidget* parent = nullptr);

    // Binds the field to a view once, right after the view is made.
    void setWebView(WebView* webView);
    // Shows the view's address again, in place of what was typed or loaded without leaving the
    // page (a download).
    void zeigeSeitenadresse();

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private slots:
    void webViewUrlChanged(const QUrl& url);
    void webViewIconChanged(const QIcon& icon);

private:
    // Fades from the base colour at the edges to `farbe` in the middle, over the field's height.
    QLinearGradient verlauf(const QColor& farbe) const;
    // The view's address as the field shows it.
    QString adresstext() const;

    // Guarded: the view may be deleted before the line edit.
    QPointer<WebView> m_webView;
    UrlIconLabel* m_iconLabel;
    QColor m_defaultBaseColor;
};
