// Placing newly shown windows in the workspace on a diagonal cascade.
#pragma once

#include <QPoint>

class QWidget;

// Moves the window's frame (its sub-window, else the window itself) to the next place of the
// cascade and shows it normal; a maximised window stays maximised. Nothing happens without a
// workspace or in tabbed view. The counter and the offset live for the whole process.
void platziere_fenster(QWidget* fenster);

// Where the next window goes (unless the cascade starts again).
QPoint gib_platzier_versatz();
void setze_platzier_versatz(const QPoint& versatz);
