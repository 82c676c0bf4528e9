#include "webactionmapper.h"

#include <QAction>

WebActionMapper::WebActionMapper(QAction* root, QWebEnginePage::WebAction webAction, QObject* parent)
    : QObject(parent), m_root(root), m_webAction(webAction)
{
    if (!m_root)
        return;
    connect(m_root, &QAction::triggered, this, &WebActionMapper::rootTriggered);
    connect(m_root, &QObject::destroyed, this, &WebActionMapper::rootDestroyed);
    m_root->setEnabled(false);
}

void WebActionMapper::updateCurrent(QWebEnginePage* currentParent)
{
    if (m_currentParent)
        disconnect(m_currentParent, &QObject::destroyed, this, &WebActionMapper::currentDestroyed);
    m_currentParent = currentParent;
    if (!m_root)
        return;
    if (!m_currentParent) {
        m_root->setEnabled(false);
        m_root->setChecked(false);
        return;
    }
    folge(m_currentParent->action(m_webAction));
    connect(m_currentParent, &QObject::destroyed, this, &WebActionMapper::currentDestroyed);
}

void WebActionMapper::rootTriggered()
{
    if (m_currentParent)
        m_currentParent->action(m_webAction)->trigger();
}

void WebActionMapper::childChanged()
{
    auto* aktion = qobject_cast<QAction*>(sender());
    if (aktion && m_root && m_currentParent && aktion->parent() == m_currentParent)
        folge(aktion);
}

void WebActionMapper::rootDestroyed()
{
    m_root = nullptr;
}

void WebActionMapper::currentDestroyed()
{
    updateCurrent(nullptr);
}

void WebActionMapper::folge(const QAction* aktion)
{
    m_root->setChecked(aktion->isChecked());
    m_root->setEnabled(aktion->isEnabled());
}
