#include "bedienhilfe.h"

#include <QAction>
#include <QEvent>
#include <QKeyEvent>
#include <QToolBar>
#include <QToolButton>
#include <QList>
#include <QShortcut>
#include <QTabWidget>
#include <QWidget>

#include <initializer_list>
#include <utility>

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

// The control that Tab or Shift+Tab would reach from `ansicht` if the view did not keep the key:
// the next one along the window's focus chain outside the view that takes the focus by Tab.
void gehe_hinaus(QWidget* ansicht, bool vorwaerts)
{
    QWidget* const fenster = ansicht->window();
    const auto schritt = [vorwaerts](QWidget* w) { return vorwaerts ? w->nextInFocusChain() : w->previousInFocusChain(); };
    for (QWidget* w = schritt(ansicht); w != ansicht; w = schritt(w)) {
        if (!ansicht->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && w->isEnabled()
            && w->window() == fenster && w->isVisibleTo(fenster)) {
            w->setFocus(vorwaerts ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

// The tab widget around `ansicht` of more than one page: Ctrl+Tab turns its pages, as Qt's tab
// widget does for whatever has the focus in it. Null where there is none.
QTabWidget* reiter_um(QWidget* ansicht)
{
    for (QWidget* w = ansicht->parentWidget(); w && !w->isWindow(); w = w->parentWidget())
        if (auto* reiter = qobject_cast<QTabWidget*>(w); reiter && reiter->count() > 1)
            return reiter;
    return nullptr;
}

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

void verlasse_per_strg_tab(QWidget* ansicht)
{
    // Shift+Tab comes as Backtab from most keyboards, as Shift+Tab from some.
    const std::initializer_list<std::pair<QKeySequence, bool>> tasten{
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), true},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), false},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), false}};
    for (const auto& [taste, vorwaerts] : tasten) {
        auto* kuerzel = new QShortcut(taste, ansicht, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
        QObject::connect(kuerzel, &QShortcut::activated, ansicht, [ansicht, vorwaerts = vorwaerts] {
            QTabWidget* const reiter = reiter_um(ansicht);
            if (!reiter) {
                gehe_hinaus(ansicht, vorwaerts);
                return;
            }
            // Straight to the tab widget: through the application the key would meet this
            // shortcut again.
            QKeyEvent taste(QEvent::KeyPress, Qt::Key_Tab, vorwaerts ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
            static_cast<QObject*>(reiter)->event(&taste);
        });
    }
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
