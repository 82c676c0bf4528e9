// Walks a window as a keyboard and screen-reader user would: what Tab reaches, in which order, and what each control is called.
#pragma once

#include "sprachpruefung.h"
#include "warten.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <gtest/gtest.h>

#include <functional>

namespace bedienbarkeit {

// A control whose inner widgets (an edit, arrows, a viewport) are its own parts.
inline bool hat_eigene_teile(QWidget* w)
{
    return qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QTabBar*>(w)
           || qobject_cast<QAbstractItemView*>(w) || qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w)
           || w->objectName().startsWith(QLatin1String("qt_"));
}

// A widget a user operates: a button, field, list or tab bar, or any other that takes focus by Tab.
inline bool ist_bedienelement(QWidget* w, QWidget* fenster)
{
    for (QWidget* p = w->parentWidget(); p && p != fenster; p = p->parentWidget())
        // Qt's holders of a program's controls (tab pages, a scroll area's inside) are no parts.
        if (hat_eigene_teile(p) && p->objectName() != "qt_tabwidget_stackedwidget" && p->objectName() != "qt_scrollarea_viewport")
            return false;
    return !w->objectName().startsWith(QLatin1String("qt_")) && !qobject_cast<QScrollBar*>(w) && !w->focusProxy()
           && (hat_eigene_teile(w) || qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w)
               || (w->focusPolicy() & Qt::TabFocus));
}

// The control a part belongs to: the outermost widget below the window that takes Tab itself (a
// search field with its inner edit and button), else the part itself.
inline QWidget* einheit(QWidget* w, QWidget* fenster)
{
    QWidget* ganz = w;
    for (QWidget* p = w->parentWidget(); p && p != fenster; p = p->parentWidget())
        if ((p->focusPolicy() & Qt::TabFocus) && !p->focusProxy() && !qobject_cast<QAbstractScrollArea*>(p))
            ganz = p;
    return ganz;
}

// The focus proxy of a view (a web page's render widget) is announced as the view.
inline QString name_fuer_vorleser(QWidget* w)
{
    QAccessibleInterface* schnittstelle = QAccessible::queryAccessibleInterface(w);
    const QString name = schnittstelle ? schnittstelle->text(QAccessible::Name).trimmed() : QString();
    QWidget* eltern = w->parentWidget();
    return name.isEmpty() && eltern && eltern->focusProxy() == w ? name_fuer_vorleser(eltern) : name;
}

// Radio buttons of one exclusive group share one Tab stop; the arrow keys move inside the group.
inline QList<QAbstractButton*> gruppe_von(QAbstractButton* knopf)
{
    if (knopf->group() && knopf->group()->exclusive())
        return knopf->group()->buttons();
    QList<QAbstractButton*> gruppe{knopf};
    for (QAbstractButton* b : knopf->parentWidget()->findChildren<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly))
        if (knopf->autoExclusive() && b->autoExclusive() && !b->group())
            gruppe << b;
    return gruppe;
}

// Whether `b` comes before `a` in reading order: above it in the same column, or left of it on the
// same line or above; a column to the right comes after. A box, page or bar is read as a whole:
// two controls in different ones are ordered by the places of those.
inline bool liegt_davor(QWidget* b, QWidget* a, QWidget* fenster)
{
    while (a->parentWidget() != fenster && !a->parentWidget()->isAncestorOf(b))
        a = a->parentWidget();
    while (b->parentWidget() != a->parentWidget() && b->parentWidget() != fenster)
        b = b->parentWidget();
    const QRect ra(a->mapTo(fenster, QPoint(0, 0)), a->size());
    const QRect rb(b->mapTo(fenster, QPoint(0, 0)), b->size());
    if (rb.right() < ra.left())
        return rb.center().y() <= ra.bottom();
    return rb.left() <= ra.right() && rb.center().y() < ra.top();
}

inline void druecke_tab(QWidget* w)
{
    QKeyEvent taste(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(w, &taste);
}

// Presses Tab until the focus comes to a control again: the controls in the order they took it,
// each once (a report keeps it from link to link).
inline QList<QWidget*> tab_folge(QWidget* fenster)
{
    QList<QWidget*> folge;
    if (!fenster->focusWidget())
        druecke_tab(fenster);
    for (int i = 0; i < 1000 && fenster->focusWidget(); ++i) {
        QWidget* jetzt = fenster->focusWidget();
        // The focus may start on a widget of a page shown before.
        if (jetzt->isVisibleTo(fenster) && (folge.isEmpty() || folge.last() != jetzt)) {
            if (folge.contains(jetzt))
                break;
            folge << jetzt;
        }
        druecke_tab(jetzt);
        // A web page takes Tab in its renderer and hands the focus back later.
        if (QByteArray(jetzt->metaObject()->className()).contains("WebEngine"))
            warte([&] { return fenster->focusWidget() != jetzt; }, 1000);
    }
    return folge;
}

// A field of a box named by the box's title (Qt's fallback without a label of its own).
inline bool nach_rahmen_benannt(QWidget* w)
{
    bool fallback = w->accessibleName().isEmpty() && qobject_cast<QGroupBox*>(w->parentWidget())
                    && (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w));
    for (QLabel* label : fallback ? w->parentWidget()->findChildren<QLabel*>() : QList<QLabel*>())
        fallback = fallback && label->buddy() != w;
    return fallback;
}

// A dialog's default (Return's) buttons; with `boxen` its button boxes' accepting buttons instead.
inline QList<QPushButton*> standardknoepfe(QWidget* fenster, bool boxen = false)
{
    QList<QPushButton*> knoepfe;
    for (QPushButton* k : qobject_cast<QDialog*>(fenster) ? fenster->findChildren<QPushButton*>() : QList<QPushButton*>()) {
        auto* box = qobject_cast<QDialogButtonBox*>(k->parentWidget());
        if (boxen ? box && box->buttonRole(k) == QDialogButtonBox::AcceptRole : k->isDefault())
            knoepfe << k;
    }
    return knoepfe;
}

// Ctrl+Tab in a multi-line field (not a page by itself) of a window Tab leads through: a fault
// when the focus stays or a tab widget around turns.
inline QString strg_tab_fehler(QWidget* feld)
{
    QList<QPair<QTabWidget*, int>> reiter;
    for (QWidget* p = feld->parentWidget(); p; p = p->parentWidget())
        if (auto* r = qobject_cast<QTabWidget*>(p); r && r->indexOf(feld) < 0)
            reiter << qMakePair(r, r->currentIndex());
        else if (r && r->count() > 1)
            return QString();
    feld->setFocus(Qt::TabFocusReason);
    QKeyEvent taste(QEvent::KeyPress, Qt::Key_Tab, Qt::ControlModifier);
    QApplication::sendEvent(feld, &taste);
    bool blaettert = false;
    for (const auto& [r, seite] : reiter)
        blaettert = blaettert || r->currentIndex() != seite;
    return feld->window()->focusWidget() == feld ? "Strg+Tab bleibt im Feld: " : blaettert ? "Strg+Tab blaettert: " : "";
}

// One line per fault: a visible, enabled control that Tab (or the arrow keys inside its group)
// does not reach, one without a name for a screen reader or named by its box alone, a Tab order
// that leaves the reading order more than once (the step from the last control back to the first),
// a multi-line field Ctrl+Tab does not leave for its page, and a dialog's default button that it
// did not declare (`erklaert` before it showed, or its button box's accepting one): Qt makes the
// first it meets and any focused one so, and a Return a field leaves unhandled presses it; and the
// keyboard in a control out of view.
inline QStringList pruefe(QWidget* fenster, const QList<QPushButton*>& erklaert = {})
{
    const auto beschreibe = [](QWidget* w) {
        const auto* knopf = qobject_cast<QAbstractButton*>(w);
        return QStringLiteral("%1 \"%2\"").arg(w->metaObject()->className(), knopf ? knopf->text() : w->objectName());
    };
    QStringList fehler;
    if (QWidget* fokus = fenster->focusWidget(); fokus && !fokus->isVisibleTo(fenster))
        fehler << QStringLiteral("Tastatur ausser Sicht: ") + beschreibe(fokus);
    const QList<QPushButton*> standard = erklaert + standardknoepfe(fenster, true);
    const QList<QWidget*> folge = tab_folge(fenster);
    for (QWidget* w : folge)
        if (!qobject_cast<QAbstractButton*>(w)) {
            w->setFocus(Qt::MouseFocusReason);
            for (QPushButton* k : standardknoepfe(fenster))
                if (!standard.contains(k))
                    fehler << "Standardknopf nicht erklaert: " + beschreibe(k);
            break;
        }
    QList<QWidget*> erreicht;
    // A second walk reaches what the first enabled (a row taken from a list enables its buttons).
    for (QWidget* w : folge + tab_folge(fenster)) {
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
        else if (nach_rahmen_benannt(w))
            fehler << QStringLiteral("nur nach dem Rahmen benannt: ") + beschreibe(w);
        const bool mehrzeilig = qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w);
        if (const QString falsch = mehrzeilig && erreicht.contains(w) && folge.size() > 1 ? strg_tab_fehler(w) : QString();
            !falsch.isEmpty())
            fehler << falsch + beschreibe(w);
    }
    int rueckschritte = 0;
    QStringList reihe;
    for (int i = 0; i < folge.size(); ++i) {
        rueckschritte += liegt_davor(folge[(i + 1) % folge.size()], folge[i], fenster);
        reihe << beschreibe(folge[i]);
    }
    if (rueckschritte > 1)
        fehler << QStringLiteral("Tab-Folge gegen die Lesefolge: ") + reihe.join(QStringLiteral(", "));
    return fehler + sprachpruefung::doppelte_kuerzel(fenster);
}

// A window of a table: its name, how it opens, and whether the table deletes it after the walk.
struct Zeile
{
    const char* name;
    std::function<QWidget*()> oeffne;
    bool loeschen = true;
};

// Shows each row's window and walks it once it has had `ruhe_ms` to settle, each page of its
// first tab widget on its own, and each page of a tab widget on such a page.
inline void pruefe_zeilen(const std::vector<Zeile>& zeilen, int ruhe_ms = 0)
{
    for (const Zeile& zeile : zeilen) {
        QWidget* fenster = zeile.oeffne();
        ASSERT_NE(fenster, nullptr) << zeile.name;
        const QList<QPushButton*> erklaert = standardknoepfe(fenster);
        fenster->show();
        QTabWidget* reiter = fenster->findChildren<QTabWidget*>().value(0);
        for (int seite = 0; seite < (reiter ? reiter->count() : 1); ++seite) {
            if (reiter)
                reiter->setCurrentIndex(seite);
            QTabWidget* innen = reiter ? reiter->widget(seite)->findChild<QTabWidget*>() : nullptr;
            for (int unter = 0; unter < (innen ? innen->count() : 1); ++unter) {
                if (innen)
                    innen->setCurrentIndex(unter);
                QCoreApplication::processEvents();
                warte([] { return false; }, ruhe_ms);
                EXPECT_EQ(pruefe(fenster, erklaert).join(QLatin1Char('\n')).toStdString(), "")
                    << zeile.name << ", Seite " << seite + 1 << "." << unter + 1;
            }
        }
        if (zeile.loeschen)
            delete fenster;
    }
}

} // namespace bedienbarkeit
