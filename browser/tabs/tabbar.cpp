#include "tabbar.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QShortcut>
#include <QUrl>

TabBar::TabBar(QWidget* parent) : QTabBar(parent)
{
    setContextMenuPolicy(Qt::CustomContextMenu);
    setAcceptDrops(true);
    connect(this, &QWidget::customContextMenuRequested, this, &TabBar::contextMenuRequested);

    for (int i = 1; i <= 9; ++i) {
        auto* shortcut = new QShortcut(QKeySequence(QStringLiteral("Ctrl+%1").arg(i)), this);
        m_tabShortcuts.append(shortcut);
        connect(shortcut, &QShortcut::activated, this, &TabBar::selectTabAction);
    }
    setTabsClosable(true);
    connect(this, &QTabBar::tabCloseRequested, this, qOverload<int>(&TabBar::closeTab));
    setSelectionBehaviorOnRemove(QTabBar::SelectPreviousTab);
    setMovable(true);
}

void TabBar::selectTabAction()
{
    auto* shortcut = qobject_cast<QShortcut*>(sender());
    setCurrentIndex(m_tabShortcuts.indexOf(shortcut));
}

void TabBar::cloneTab()
{
    mitAktionsIndex([this](int index) { emit cloneTab(index); });
}

void TabBar::closeTab()
{
    mitAktionsIndex([this](int index) { emit closeTab(index); });
}

void TabBar::closeOtherTabs()
{
    mitAktionsIndex([this](int index) { emit closeOtherTabs(index); });
}

void TabBar::reloadTab()
{
    mitAktionsIndex([this](int index) { emit reloadTab(index); });
}

void TabBar::muteTab()
{
    mitAktionsIndex([this](int index) { emit muteTab(index, true); });
}

void TabBar::unmuteTab()
{
    mitAktionsIndex([this](int index) { emit muteTab(index, false); });
}

void TabBar::contextMenuRequested(const QPoint& position)
{
    QMenu menu;
    menu.addAction(tr("New &Tab"), this, &TabBar::newTab, QKeySequence::AddTab);
    const int index = tabAt(position);
    if (index != -1) {
        const auto eintrag = [&](const QString& text, void (TabBar::*slot)(), const QKeySequence& taste) {
            QAction* action = menu.addAction(text, this, slot, taste);
            action->setData(index);
        };
        eintrag(tr("Clone Tab"), qOverload<>(&TabBar::cloneTab), QKeySequence());
        menu.addSeparator();
        eintrag(tr("&Close Tab"), qOverload<>(&TabBar::closeTab), QKeySequence::Close);
        eintrag(tr("Close &Other Tabs"), qOverload<>(&TabBar::closeOtherTabs), QKeySequence());
        menu.addSeparator();
        eintrag(tr("Reload Tab"), qOverload<>(&TabBar::reloadTab), QKeySequence::Refresh);
        eintrag(tr("Mute tab"), qOverload<>(&TabBar::muteTab), QKeySequence());
        eintrag(tr("Unmute tab"), &TabBar::unmuteTab, QKeySequence());
    } else {
        menu.addSeparator();
    }
    menu.addAction(tr("Reload All Tabs"), this, &TabBar::reloadAllTabs);
    menu.exec(QCursor::pos());
}

bool TabBar::event(QEvent* event)
{
    auto* anfrage = event->type() == QEvent::ContextMenu ? static_cast<QContextMenuEvent*>(event) : nullptr;
    if (!anfrage || anfrage->reason() != QContextMenuEvent::Keyboard || currentIndex() < 0)
        return QTabBar::event(event);
    const QPoint mitte = tabRect(currentIndex()).center();
    QContextMenuEvent amTab(QContextMenuEvent::Keyboard, mitte, mapToGlobal(mitte), anfrage->modifiers());
    return QTabBar::event(&amTab);
}

void TabBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_dragStartPos = event->pos();
    QTabBar::mousePressEvent(event);

    if (event->button() == Qt::MiddleButton) {
        const int index = tabAt(event->pos());
        if (index != -1)
            emit closeTab(index);
    }
}

void TabBar::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() == Qt::LeftButton) {
        const QPoint abstand = event->pos() - m_dragStartPos;
        // Only a pull straight up takes the tab out; sideways is the bar's own reordering.
        if (abstand.manhattanLength() > QApplication::startDragDistance() && abstand.x() >= -2
            && abstand.x() <= 2 && abstand.y() < -10) {
            const int index = tabAt(event->pos());
            auto* drag = new QDrag(this);
            auto* daten = new QMimeData;
            daten->setUrls({tabData(index).toUrl()});
            daten->setText(tabText(index));
            daten->setData(QStringLiteral("action"), QByteArrayLiteral("tab-reordering"));
            drag->setMimeData(daten);
            starteZiehen(drag);
        }
    }
    QTabBar::mouseMoveEvent(event);
}

void TabBar::starteZiehen(QDrag* drag)
{
    drag->exec(Qt::MoveAction);
}
