#include "zeilenauswahl.h"

#include <QAbstractItemModel>

QItemSelection zeilenauswahl(const QAbstractItemModel* modell, const QVector<int>& zeilen, int spalten)
{
    QItemSelection auswahl;
    if (!modell || spalten <= 0)
        return auswahl;
    const int rechts = qMin(spalten, modell->columnCount()) - 1;
    for (int i = 0; i < zeilen.size();) {
        int ende = i;
        while (ende + 1 < zeilen.size() && zeilen.at(ende + 1) == zeilen.at(ende) + 1)
            ++ende;
        const QModelIndex oben = modell->index(zeilen.at(i), 0);
        const QModelIndex unten = modell->index(zeilen.at(ende), rechts);
        if (oben.isValid() && unten.isValid())
            auswahl.select(oben, unten);
        i = ende + 1;
    }
    return auswahl;
}
