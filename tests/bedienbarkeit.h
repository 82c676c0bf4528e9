// Walks a window as a keyboard and screen-reader user would: what Tab reaches, in which order, and what each control is called.
#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabBar>
#include <QTextEdit>
#include <QWidget>

#include <algorithm>

namespace bedienbarkeit {

// A widget a user operates: buttons, fields, lists, tab bars, and any other that takes focus by
// Tab (a web view, say). The parts Qt builds inside its own controls (a combo box's or spin box's
// edit, a tab bar's arrows, the "qt_..." widgets of docks, tool bars and scroll areas) are theirs.
inline bool ist_bedienelement(QWidget* w, QWidget* fenster)
{
    if (w->objectName().startsWith(QLatin1String("qt_")) || qobject_cast<QScrollBar*>(w))
        return false;
    for (QWidget* p = w->parentWidget(); p && p != fenster; p = p->parentWidget()) {
        if (qobject_cast<QComboBox*>(p) || qobject_cast<QAbstractSpinBox*>(p) || qobject_cast<QTabBar*>(p)
            || qobject_cast<QAbstractItemView*>(p) || qobject_cast<QTextEdit*>(p) || qobject_cast<QPlainTextEdit*>(p)
            || p->objectName().startsWith(QLatin1String("qt_")))
            return false;
    }
    if (w->focusProxy())
        return false;
    return qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w)
           || qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QAbstractItemView*>(w) || qobject_cast<QTextEdit*>(w)
           || qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTabBar*>(w) || (w->focusPolicy() & Qt::TabFocus);
}

// The control a part belongs to: the outermost widget below the window that takes the focus by
// Tab itself (a search field whose inner edit and button are its parts), else the part itself.
inline QWidget* einheit(QWidget* w, QWidget* fenster)
{
    QWidget* ganz = w;
    for (QWidget* p = w->parentWidget(); p && p != fenster; p = p->parentWidget())
        if ((p->focusPolicy() & Qt::TabFocus) && !p->focusProxy() && !qobject_cast<QAbstractScrollArea*>(p))
            ganz = p;
    return ganz;
}

inline QString beschreibe(QWidget* w)
{
    return QStringLiteral("%1 \"%2\"").arg(QString::fromLatin1(w->metaObject()->className()), w->objectName());
}

inline QString name_fuer_vorleser(QWidget* w)
{
    QAccessibleInterface* schnittstelle = QAccessible::queryAccessibleInterface(w);
    const QString name = schnittstelle ? schnittstelle->text(QAccessible::Name).trimmed() : QString();
    // The focus proxy of a view (a web page's render widget) is announced as the view.
    QWidget* eltern = w->parentWidget();
    if (name.isEmpty() && eltern && eltern->focusProxy() == w)
        return name_fuer_vorleser(eltern);
    return name;
}

// Radio buttons of one exclusive group share one Tab stop; the arrow keys move inside the group.
inline QList<QAbstractButton*> gruppe_von(QAbstractButton* knopf)
{
    if (knopf->group() && knopf->group()->exclusive())
        return knopf->group()->buttons();
    if (!knopf->autoExclusive() || !knopf->parentWidget())
        return {knopf};
    QList<QAbstractButton*> gruppe;
    for (QAbstractButton* b : knopf->parentWidget()->findChildren<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly))
        if (b->autoExclusive() && !b->group())
            gruppe << b;
    return gruppe;
}

// Whether `b` comes before `a` in reading order (top to bottom, then left to right): it lies
// above `a` in the same column, or to its left on the same line or above it; a column to the right
// comes after. A box, page or bar is read as a whole: two controls in different ones are ordered
// by the places of those.
inline bool liegt_davor(QWidget* b, QWidget* a, QWidget* fenster)
{
    while (a->parentWidget() != fenster && !a->parentWidget()->isAncestorOf(b))
        a = a->parentWidget();
    while (b->parentWidget() != a->parentWidget() && b->parentWidget() != fenster)
        b = b->parentWidget();
    const QRect ra(a->mapTo(fenster, QPoint(0, 0)), a->size());
    const QRect rb(b->mapTo(fenster, QPoint(0, 0)), b->size());
    const int mitte = rb.center().y();
    if (rb.right() < ra.left())
        return mitte <= ra.bottom();
    return rb.left() <= ra.right() && mitte < ra.top();
}

// Presses Tab from the window's focus widget until the focus comes round again; the controls in
// the order they took the focus (a control that keeps it over several presses, such as a report
// going from link to link, counts once).
inline QList<QWidget*> tab_folge(QWidget* fenster)
{
    QList<QWidget*> folge;
    if (!fenster->focusWidget()) {
        QKeyEvent taste(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(fenster, &taste);
    }
    for (int i = 0; i < 1000 && fenster->focusWidget(); ++i) {
        QWidget* jetzt = fenster->focusWidget();
        // The focus may start on a widget of a page shown before.
        if (jetzt->isVisibleTo(fenster) && (folge.isEmpty() || folge.last() != jetzt)) {
            if (folge.size() > 1 && folge.first() == jetzt)
                break;
            if (!folge.contains(jetzt))
                folge << jetzt;
        }
        QKeyEvent taste(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(jetzt, &taste);
        // A web page takes Tab in its renderer and hands the focus back later.
        if (QByteArray(jetzt->metaObject()->className()).contains("WebEngine")) {
            QElapsedTimer uhr;
            uhr.start();
            while (fenster->focusWidget() == jetzt && uhr.elapsed() < 1000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
    }
    return folge;
}

// One line per fault: a visible, enabled control that Tab (or the arrow keys inside its group)
// does not reach, a control without a name for a screen reader, and a Tab order that leaves the
// reading order more than once (the one step from the last control back to the first).
inline QStringList pruefe(QWidget* fenster)
{
    QStringList fehler;
    const QList<QWidget*> folge = tab_folge(fenster);
    QList<QWidget*> erreicht;
    for (QWidget* w : folge) {
        erreicht << w << einheit(w, fenster);
        if (auto* knopf = qobject_cast<QAbstractButton*>(w))
            for (QAbstractButton* b : gruppe_von(knopf))
                erreicht << b;
    }
    for (QWidget* w : fenster->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(fenster) || !w->isEnabled() || !ist_bedienelement(w, fenster) || einheit(w, fenster) != w)
            continue;
        if (!erreicht.contains(w))
            fehler << QStringLiteral("nicht per Tab erreichbar: ") + beschreibe(w);
        else if (name_fuer_vorleser(w).isEmpty())
            fehler << QStringLiteral("ohne Namen: ") + beschreibe(w);
    }
    int rueckschritte = 0;
    QStringList reihe;
    for (int i = 0; i < folge.size(); ++i) {
        if (liegt_davor(folge[(i + 1) % folge.size()], folge[i], fenster))
            ++rueckschritte;
        reihe << beschreibe(folge[i]);
    }
    if (rueckschritte > 1)
        fehler << QStringLiteral("Tab-Folge gegen die Lesefolge: ") + reihe.join(QStringLiteral(", "));
    return fehler;
}

} // namespace bedienbarkeit
