// Many whole rows as one selection, so that a view takes them in one step instead of one round of selection work per row.
#pragma once

#include <QItemSelection>
#include <QVector>

class QAbstractItemModel;

// The rows (ascending; invalid ones left out) over columns 0 to `spalten` - 1 of the model, each
// run of neighbouring rows as one range.
QItemSelection zeilenauswahl(const QAbstractItemModel* modell, const QVector<int>& zeilen, int spalten);
