#include "druckfolge.h"

#include <QPrinter>

QVector<int> gib_druckfolge(const QPrinter& drucker, int seitenzahl)
{
    int von = drucker.fromPage();
    int bis = drucker.toPage();
    if (von == 0 && bis == 0) {
        von = 1;
        bis = seitenzahl;
    }
    von = qMax(von, 1);
    bis = qMin(bis, seitenzahl);
    const bool rueckwaerts = drucker.pageOrder() == QPrinter::LastPageFirst;

    int lauf_kopien = drucker.supportsMultipleCopies() ? 1 : qMax(drucker.copyCount(), 1);
    int seiten_kopien = 1;
    if (drucker.collateCopies()) {
        seiten_kopien = lauf_kopien;
        lauf_kopien = 1;
    }

    QVector<int> folge;
    for (int lauf = 0; lauf < lauf_kopien; ++lauf) {
        for (int i = 0; i <= bis - von; ++i) {
            const int seite = rueckwaerts ? bis - i : von + i;
            for (int k = 0; k < seiten_kopien; ++k)
                folge.append(seite);
        }
    }
    return folge;
}
