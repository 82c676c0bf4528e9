// The item table: selection queries over several ranges, read-only cells, clearing and sorting.
#include "ctable.h"

#include <gtest/gtest.h>

namespace {

TEST(CTable, MarkierungNachBereichen)
{
    CTable tabelle(10, 10);
    tabelle.markiereBereich(2, 1, 4, 3);
    EXPECT_TRUE(tabelle.istZelleMarkiert(3, 3));
    EXPECT_FALSE(tabelle.istZelleMarkiert(3, 4));
    EXPECT_TRUE(tabelle.istSpalteMarkiert(1, false));
    EXPECT_FALSE(tabelle.istSpalteMarkiert(1, true));
    EXPECT_FALSE(tabelle.istZeileMarkiert(3, true));
    EXPECT_FALSE(tabelle.istZelleMarkiert(20, -3));

    tabelle.hebeMarkierungAuf();
    tabelle.markiereBereich(0, 0, 1, 0);
    tabelle.markiereBereich(0, 5, 1, 5);
    EXPECT_TRUE(tabelle.istZelleMarkiert(0, 5)); // held by the second range
    // Row 1 is selected over its whole width, in two ranges: the first holding it decides.
    tabelle.markiereBereich(1, 1, 1, 4);
    tabelle.markiereBereich(1, 6, 1, 9);
    EXPECT_FALSE(tabelle.istZeileMarkiert(1, true));
    tabelle.markiereBereich(12, 0, 14, 2);

    CTable().hebeMarkierungAuf(false);
    CTable klein(3, 3);
    klein.markiereBereich(0, 0, 2, 2);
    klein.hebeMarkierungAuf(false);
    EXPECT_TRUE(klein.selectedRanges().isEmpty());
}

TEST(CTable, TexteUndNurLesen)
{
    CTable tabelle(10, 10);
    tabelle.setzeText(0, 0, "frei");
    tabelle.setzeNurLesen(true);
    tabelle.setzeText(1, 0, "fest");
    tabelle.setzeText(0, 0, "neu");
    tabelle.setzeText(10, 0, "draussen");
    EXPECT_TRUE(tabelle.item(0, 0)->flags() & Qt::ItemIsEditable);
    EXPECT_FALSE(tabelle.item(1, 0)->flags() & Qt::ItemIsEditable);
    EXPECT_EQ(static_cast<CTableItem*>(tabelle.item(1, 0))->gibSchluessel(), -1);
    EXPECT_EQ(tabelle.zellText(0, 0), "neu");
    EXPECT_EQ(tabelle.zellText(5, 5), "");
    EXPECT_EQ(tabelle.zellText(10, 0), "");
}

TEST(CTable, SortierenMerktSpalteUndRichtung)
{
    CTable tabelle(0, 3);
    tabelle.setNumRows(3);
    for (int zeile = 0; zeile < 3; ++zeile) {
        tabelle.setzeText(zeile, 0, QString::number(zeile));
        tabelle.setzeText(zeile, 2, QStringList({"b", "c", "a"}).at(zeile));
    }
    tabelle.sortColumn(2, false);
    EXPECT_EQ(tabelle.zellText(0, 0) + tabelle.zellText(1, 0) + tabelle.zellText(2, 0), "102");
    EXPECT_EQ(tabelle.sortierSpalte(), 2);
    EXPECT_FALSE(tabelle.sortiertAufsteigend());
    tabelle.sortColumn(7, true);
    EXPECT_EQ(tabelle.sortierSpalte(), 2);
    tabelle.setNumRows(-4);
    EXPECT_EQ(tabelle.rowCount(), 0);
}

} // namespace
