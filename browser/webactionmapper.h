// Ties a window's action to one web action of whichever page is current.
#pragma once

#include <QObject>
#include <QWebEnginePage>

class QAction;

// The root mirrors the checked and enabled state of the current page's action and triggers it.
// Whoever makes a page connects the `changed()` of its action to `childChanged()`.
class WebActionMapper : public QObject
{
    Q_OBJECT
public:
    WebActionMapper(QAction* root, QWebEnginePage::WebAction webAction, QObject* parent);

    QWebEnginePage::WebAction webAction() const { return m_webAction; }
    void updateCurrent(QWebEnginePage* currentParent);

public slots:
    void rootTriggered();
    void childChanged();
    void rootDestroyed();
    void currentDestroyed();

private:
    // The root takes the state of the page's action.
    void folge(const QAction* aktion);

    QWebEnginePage* m_currentParent = nullptr;
    QAction* m_root;
    QWebEnginePage::WebAction m_webAction;
};
