// Test helper: what a model menu shows once it is about to show, as a list of texts.
#pragma once

#include <QAction>
#include <QMenu>
#include <QStringList>

// "-" for a separator, "[text]" for a submenu, else the action's text.
inline QStringList menu_texte(QMenu& menu)
{
    emit menu.aboutToShow();
    QStringList liste;
    for (QAction* a : menu.actions())
        liste << (a->isSeparator() ? "-" : a->menu() ? "[" + a->text() + "]" : a->text());
    return liste;
}
