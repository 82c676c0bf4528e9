// The small functions every window calls: wait cursor, error beep, colours, file dialogs, message boxes, settings.
#pragma once

#include "cqstring.h"

#include <QMessageBox>
#include <QPalette>
#include <QVariant>

class QColor;
class QWidget;

// Pushes the wait cursor (on), the arrow cursor (off with `pfeil`), or pops one override cursor
// (off without `pfeil`). Nothing happens without a QApplication. Calls are not counted: every
// "on" must be balanced by one plain "off" of the same caller.
void setze_warte_cursor(bool an, bool pfeil);
// The error beep: 440 Hz for 50 ms through the core's beep.
void fehler_ton();
