#include "bedienhilfe.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QToolBar>
#include <QToolButton>
#include <QList>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QTabWidget>
#include <QTextEdit>
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

// The tab widget of more than one page whose page `ansicht` is itself (a report that fills its
// page); null where it is none.
QTabWidget* reiter_von_seite(QWidget* ansicht)
{
    QWidget* const stapel = ansicht->parentWidget();
    auto* reiter = stapel ? qobject_cast<QTabWidget*>(stapel->parentWidget()) : nullptr;
    return reiter && reiter->count() > 1 && reiter->indexOf(ansicht) >= 0 ? reiter : nullptr;
}

// The tab widget of more than one page on one of whose pages `reiter` lies; null where none is.
QTabWidget* aeusserer_reiter(const QTabWidget* reiter)
{
    for (QWidget* w = reiter->parentWidget(); w; w = w->parentWidget())
        if (auto* aussen = qobject_cast<QTabWidget*>(w))
            return aussen->count() > 1 ? aussen : nullptr;
    return nullptr;
}

// Turns the pages as Qt's tab widget does for Ctrl+Tab and Ctrl+Shift+Tab, straight to it: through
// the application the key would meet a shortcut of ours again. From its last page (its first,
// backwards) a tab widget on a page of another turns that one: Qt turned the inner one round and
// round, and the keyboard never reached the other pages of the outer. A page turned to that holds
// tab widgets opens them at the page the walk reaches first, so that it passes every page.
void blaettere(QTabWidget* reiter, bool vorwaerts)
{
    QTabWidget* const aussen = aeusserer_reiter(reiter);
    if (aussen && reiter->currentIndex() == (vorwaerts ? reiter->count() - 1 : 0)) {
        blaettere(aussen, vorwaerts);
        return;
    }
    QKeyEvent taste(QEvent::KeyPress, Qt::Key_Tab, vorwaerts ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
    static_cast<QObject*>(reiter)->event(&taste);
    QWidget* const seite = reiter->currentWidget();
    for (QTabWidget* innen : seite ? seite->findChildren<QTabWidget*>() : QList<QTabWidget*>())
        if (aeusserer_reiter(innen) == reiter)
            innen->setCurrentIndex(vorwaerts ? 0 : innen->count() - 1);
}

// 1 for Ctrl+Tab, -1 for Ctrl+Shift+Tab (Backtab from most keyboards, Shift+Tab from some), else 0.
int strg_tab_richtung(const QKeyEvent& taste)
{
    const Qt::KeyboardModifiers mods = taste.modifiers() & ~Qt::KeypadModifier;
    if ((taste.key() != Qt::Key_Tab && taste.key() != Qt::Key_Backtab)
        || (mods != Qt::ControlModifier && mods != (Qt::ControlModifier | Qt::ShiftModifier)))
        return 0;
    return taste.key() == Qt::Key_Tab && mods == Qt::ControlModifier ? 1 : -1;
}

// Ctrl+Tab and Ctrl+Shift+Tab that reach a tab widget turn it by `blaettere`; a child of it.
class CStrgTabBlaettern : public QObject
{
public:
    explicit CStrgTabBlaettern(QTabWidget* reiter) : QObject(reiter), reiter(reiter)
    {
        setObjectName(name());
        reiter->installEventFilter(this);
    }
    static QString name() { return QStringLiteral("strgtabblaettern"); }

    bool eventFilter(QObject* ziel, QEvent* ereignis) override
    {
        if (ziel != reiter || ereignis->type() != QEvent::KeyPress)
            return false;
        const int richtung = strg_tab_richtung(*static_cast<QKeyEvent*>(ereignis));
        if (richtung == 0)
            return false;
        blaettere(reiter, richtung > 0);
        return true;
    }

private:
    QTabWidget* reiter;
};

void verlasse(QWidget* ansicht, bool vorwaerts)
{
    // A view that is a page by itself has no other control there: the pages turn.
    if (QTabWidget* const reiter = reiter_von_seite(ansicht))
        blaettere(reiter, vorwaerts);
    else
        gehe_hinaus(ansicht, vorwaerts);
}

// Ctrl+Tab and Ctrl+Shift+Tab for every multi-line field of every window, wherever and by whatever
// code it is made (a QTextEdit, a QPlainTextEdit, a report view derived from them): without it the
// key went on to the tab widget around the field and turned its pages, while Tab typed a tab. And
// for every choice that only offers its list (a combo box that cannot be typed into): it took the
// key's tab character as the first letter of an item to look for and kept the key, so that the
// pages around it never turned.
class CStrgTabTasten : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject* ziel, QEvent* ereignis) override
    {
        if (ereignis->type() != QEvent::KeyPress)
            return false;
        const int richtung = strg_tab_richtung(*static_cast<QKeyEvent*>(ereignis));
        if (richtung == 0)
            return false;
        if (qobject_cast<QTextEdit*>(ziel) || qobject_cast<QPlainTextEdit*>(ziel)) {
            verlasse(static_cast<QWidget*>(ziel), richtung > 0);
            return true;
        }
        const auto* auswahl = qobject_cast<QComboBox*>(ziel);
        if (!auswahl || auswahl->isEditable())
            return false;
        // Not delivered, and not taken: Qt hands it on to the choice's parents, as a key the choice
        // ignored.
        ereignis->ignore();
        return true;
    }
};

// Every program with the widget library has the filter from the start of its application object.
void richte_strg_tab_tasten_ein()
{
    QCoreApplication* const anwendung = QCoreApplication::instance();
    anwendung->installEventFilter(new CStrgTabTasten(anwendung));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(richte_strg_tab_tasten_ein)

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
        QObject::connect(kuerzel, &QShortcut::activated, ansicht,
                         [ansicht, vorwaerts = vorwaerts] { verlasse(ansicht, vorwaerts); });
    }
}

void blaettere_per_strg_bild(QTabWidget* reiter)
{
    if (!reiter->findChild<QObject*>(CStrgTabBlaettern::name(), Qt::FindDirectChildrenOnly))
        new CStrgTabBlaettern(reiter);
    const std::initializer_list<std::pair<Qt::Key, bool>> tasten{{Qt::Key_PageDown, true}, {Qt::Key_PageUp, false}};
    for (const auto& [taste, vorwaerts] : tasten) {
        auto* kuerzel = new QShortcut(QKeySequence(Qt::CTRL | taste), reiter, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
        // Tab widgets inside one another answer alike (Qt calls the key ambiguous then): the
        // innermost around the focus turns, as Ctrl+Tab turns it.
        const auto drehe = [reiter, vorwaerts = vorwaerts] {
            for (QWidget* w = QApplication::focusWidget(); w; w = w == reiter ? nullptr : w->parentWidget())
                if (auto* innen = qobject_cast<QTabWidget*>(w); innen && innen->count() > 1) {
                    blaettere(innen, vorwaerts);
                    return;
                }
        };
        QObject::connect(kuerzel, &QShortcut::activated, reiter, drehe);
        QObject::connect(kuerzel, &QShortcut::activatedAmbiguously, reiter, drehe);
    }
}

void reihe_in_tabfolge_ein(QWidget* teil, QWidget* stelle)
{
    QWidget* const fenster = teil->window();
    // A part that takes no focus itself but hands it on to a control inside (a box of buttons hands
    // it to its first button) keeps its old place in the chain, which Qt will not move: Tab would
    // still jump from there into the part and on past everything before its new place.
    if (teil->focusPolicy() == Qt::NoFocus && teil->focusProxy() && teil->isAncestorOf(teil->focusProxy()))
        teil->setFocusProxy(nullptr);
    QList<QWidget*> teile;
    for (QWidget* w = fenster->nextInFocusChain(); w != fenster; w = w->nextInFocusChain())
        if (w->focusPolicy() != Qt::NoFocus && (w == teil || teil->isAncestorOf(w)))
            teile << w;
    // Qt chains only controls that take the focus: the last such one up to the place.
    QWidget* vorher = stelle;
    while (vorher != fenster && (vorher->focusPolicy() == Qt::NoFocus || teile.contains(vorher)))
        vorher = vorher->previousInFocusChain();
    for (QWidget* w : qAsConst(teile)) {
        if (vorher != fenster)
            QWidget::setTabOrder(vorher, w);
        vorher = w;
    }
}

void ans_ende_der_tabfolge(QWidget* teil)
{
    reihe_in_tabfolge_ein(teil, teil->window()->previousInFocusChain());
}
