// The tab bar of the tabbed browser: context menu, Ctrl+digit shortcuts, middle-click closing and dragging a tab out as its address.
#pragma once

#include <QList>
#include <QPoint>
#include <QAction>
#include <QTabBar>

class QDrag;
class QShortcut;

class TabBar : public QTabBar
{
    Q_OBJECT
signals:
    void newTab();
    void cloneTab(int index);
    void closeTab(int index);
    void closeOtherTabs(int index);
    void reloadTab(int index);
    void muteTab(int index, bool mute);
    void reloadAllTabs();
    // Kept for the drop side of the reordering drag; nothing emits it.
    void tabMoveRequested(int fromIndex, int toIndex);

public:
    explicit TabBar(QWidget* parent = nullptr);

protected:
    // The menu key asks for the current tab's menu, wherever the middle of the bar lies.
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    // Runs the drag of a tab; tests take it over to look at what it carries.
    virtual void starteZiehen(QDrag* drag);

private slots:
    void selectTabAction();
    void cloneTab();
    void closeTab();
    void closeOtherTabs();
    void reloadTab();
    void muteTab();
    void unmuteTab();
    void contextMenuRequested(const QPoint& position);

private:
    // Calls `signal` with the index carried by the sending menu action; nothing for another sender.
    template <typename Signal>
    void mitAktionsIndex(Signal signal)
    {
        if (auto* action = qobject_cast<QAction*>(sender()))
            signal(action->data().toInt());
    }

    QList<QShortcut*> m_tabShortcuts;
    QPoint m_dragStartPos;
};
