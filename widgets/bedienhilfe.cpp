#include "bedienhilfe.h"

#include <QAction>
#include <QEvent>
#include <QKeyEvent>
#include <QToolBar>
#include <QToolButton>
#include <QList>
#include <QWidget>

namespace {

bool ist_menuetaste(const QKeyEvent& taste)
{
    const Qt::KeyboardModifiers mods = taste.modifiers() & ~Qt::KeypadModifier;
    switch (taste.key()) {
    case Qt::Key_Down:
        return mods == Qt::NoModifier || mods == Qt::AltModifier;
    case Qt::Key_F4:
    case Qt::Key_Menu:
        return mods == Qt::NoModifier;
    default:
        return false;
    }
}

// A child of the button it serves, so that it goes with it.
class CMenueTasten : public QObject
{
public:
    explicit CMenueTasten(QToolButton* knopf) : QObject(knopf), knopf(knopf)
    {
        setObjectName(name());
        knopf->installEventFilter(this);
    }
    static QString name() { return QStringLiteral("menuetasten"); }

    bool eventFilter(QObject* ziel, QEvent* ereignis) override
    {
        if (ziel != knopf || ereignis->type() != QEvent::KeyPress || !knopf->isEnabled())
            return false;
        const bool mit_menue = knopf->menu() || (knopf->defaultAction() && knopf->defaultAction()->menu());
        if (!mit_menue || !ist_menuetaste(*static_cast<QKeyEvent*>(ereignis)))
            return false;
        knopf->showMenu();
        return true;
    }

private:
    QToolButton* knopf;
};

} // namespace

void oeffne_menue_per_taste(QToolButton* knopf)
{
    if (knopf && !knopf->findChild<QObject*>(CMenueTasten::name(), Qt::FindDirectChildrenOnly))
        new CMenueTasten(knopf);
}

void mache_tastbar(QToolBar* leiste)
{
    for (QAction* aktion : leiste->actions()) {
        auto* knopf = qobject_cast<QToolButton*>(leiste->widgetForAction(aktion));
        if (!knopf)
            continue;
        knopf->setFocusPolicy(Qt::TabFocus);
        oeffne_menue_per_taste(knopf);
        if (aktion->text().isEmpty()) {
            const auto nenne = [knopf, aktion] { knopf->setAccessibleName(aktion->toolTip()); };
            nenne();
            QObject::connect(aktion, &QAction::changed, knopf, nenne);
        }
    }
}

void setze_tipp_und_namen(QWidget* element, const QString& tipp)
{
    element->setToolTip(tipp);
    element->setAccessibleName(tipp);
}

void gib_platz_fuer_text(QWidget* element)
{
    const QSize mindestens = element->minimumSize().expandedTo(element->minimumSizeHint());
    element->setMinimumSize(mindestens);
    element->setMaximumSize(element->maximumSize().expandedTo(mindestens));
}

void ans_ende_der_tabfolge(QWidget* teil)
{
    QWidget* const fenster = teil->window();
    QList<QWidget*> teile;
    for (QWidget* w = fenster->nextInFocusChain(); w != fenster; w = w->nextInFocusChain())
        if (w->focusPolicy() != Qt::NoFocus && (w == teil || teil->isAncestorOf(w)))
            teile << w;
    for (QWidget* w : teile) {
        QWidget* letzter = fenster->previousInFocusChain();
        while (letzter != fenster && (letzter->focusPolicy() == Qt::NoFocus || letzter == w))
            letzter = letzter->previousInFocusChain();
        if (letzter != fenster)
            QWidget::setTabOrder(letzter, w);
    }
}
