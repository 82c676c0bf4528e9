#include "modelmenu.h"

#include <QAbstractItemModel>
#include <QFontMetrics>

ModelMenu::ModelMenu(QWidget* parent)
    : QMenu(parent)
{
    connect(this, &QMenu::aboutToShow, this, &ModelMenu::aboutToShow);
}

bool ModelMenu::prePopulated()
{
    return false;
}

void ModelMenu::postPopulated()
{
}

void ModelMenu::aboutToShow()
{
    if (auto* menu = qobject_cast<QMenu*>(sender())) {
        const QVariant v = menu->menuAction()->data();
        if (menu != this && v.canConvert<QModelIndex>()) {
            createMenu(qvariant_cast<QModelIndex>(v), -1, menu, menu);
            // Filled once: a second opening would add the rows again.
            disconnect(menu, &QMenu::aboutToShow, this, &ModelMenu::aboutToShow);
            return;
        }
    }

    clear();
    // The sub-menus of the last opening go with their actions.
    for (const QPointer<QMenu>& alt : qAsConst(m_subMenus))
        delete alt.data();
    m_subMenus.clear();
    if (prePopulated())
        addSeparator();
    int max = m_maxRows;
    if (max != -1)
        max += m_firstSeparator;
    createMenu(m_root, max, this, this);
    postPopulated();
}

void ModelMenu::createMenu(const QModelIndex& parent, int max, QMenu* parentMenu, QMenu* menu)
{
    if (!m_model)
        return;
    if (!menu) {
        const QString title = parent.data().toString();
        const QVariant decoration = parent.data(Qt::DecorationRole);
        menu = new QMenu(title, this);
        m_subMenus.append(menu);
        menu->setIcon(decoration.canConvert<QIcon>() ? qvariant_cast<QIcon>(decoration) : QIcon());
        parentMenu->addMenu(menu);
        menu->menuAction()->setData(QVariant::fromValue(QModelIndex(parent)));
        connect(menu, &QMenu::aboutToShow, this, &ModelMenu::aboutToShow);
        return;
    }

    int end = m_model->rowCount(parent);
    if (max != -1)
        end = qMin(max, end);

    // UniqueConnection: the top menu is this menu and is filled on every opening.
    connect(menu, &QMenu::triggered, this, qOverload<QAction*>(&ModelMenu::triggered), Qt::UniqueConnection);
    connect(menu, &QMenu::hovered, this, qOverload<QAction*>(&ModelMenu::hovered), Qt::UniqueConnection);

    for (int i = 0; i < end; ++i) {
        const QModelIndex idx = m_model->index(i, 0, parent);
        if (m_model->hasChildren(idx))
            createMenu(idx, -1, menu);
        else if (m_separatorRole != 0 && idx.data(m_separatorRole).toBool())
            menu->addSeparator();
        else
            menu->addAction(makeAction(idx));
        if (menu == this && i == m_firstSeparator - 1)
            addSeparator();
    }
}

QAction* ModelMenu::makeAction(const QModelIndex& index)
{
    const QVariant decoration = index.data(Qt::DecorationRole);
    const QIcon icon = decoration.canConvert<QIcon>() ? qvariant_cast<QIcon>(decoration) : QIcon();
    QAction* action = makeAction(icon, index.data().toString(), this);
    action->setData(QVariant::fromValue(index));
    return action;
}

QAction* ModelMenu::makeAction(const QIcon& icon, const QString& text, QObject* parent)
{
    const QFontMetrics fm(font());
    if (m_maxWidth == -1)
        m_maxWidth = fm.horizontalAdvance(QLatin1Char('m')) * 30;
    return new QAction(icon, fm.elidedText(text, Qt::ElideMiddle, m_maxWidth), parent);
}

namespace {

// QMenu repeats a sub-menu's signals in its parent menus; only the menu that holds the action
// is heard, so that one click or hover is announced once.
bool vonEigenerAktion(const QObject* sender, QAction* action)
{
    const auto* menu = qobject_cast<const QMenu*>(sender);
    return !menu || menu->actions().contains(action);
}

} // namespace

void ModelMenu::triggered(QAction* action)
{
    if (!vonEigenerAktion(sender(), action))
        return;
    const QVariant v = action->data();
    if (v.canConvert<QModelIndex>())
        emit activated(qvariant_cast<QModelIndex>(v));
}

void ModelMenu::hovered(QAction* action)
{
    if (!vonEigenerAktion(sender(), action))
        return;
    const QVariant v = action->data();
    if (!v.canConvert<QModelIndex>())
        return;
    const QString text = qvariant_cast<QModelIndex>(v).data(m_hoverRole).toString();
    if (!text.isEmpty())
        emit hovered(text);
}
