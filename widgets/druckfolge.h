// The order in which a print job's pages go to the printer: range, page order and copies.
#pragma once

#include <QVector>

class QPrinter;

// The page numbers (from 1) in print order, each as often as it is printed: the printer's range
// (0 to 0 meaning all pages) kept within 1 to `seitenzahl`, downwards when the printer asks for
// the last page first. Copies the printer cannot make itself come page by page when collating
// is set (1, 1, 2, 2) and as the whole run again otherwise (1, 2, 1, 2). Empty when the range
// holds no page.
QVector<int> gib_druckfolge(const QPrinter& drucker, int seitenzahl);
