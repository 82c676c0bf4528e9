// The list table: German date-times, typed cells, new rows behind a sorting proxy, keys, right clicks, presets and models.
#include "cqtableview.h"

#include <QApplication>
#include <QColor>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <gtest/gtest.h>

#include <memory>

namespace {

QStringList warnungen;

TEST(LiesDatumZeit, DeutscheSchreibweisenMitZweistelligemJahrUndSekunden)
{
    EXPECT_EQ(lies_datum_zeit("1.2.23 9:05"), QDateTime(QDate(2023, 2, 1), QTime(9, 5, 0)));
    EXPECT_EQ(lies_datum_zeit("1.2.51 9:05").date(), QDate(1951, 2, 1));
    EXPECT_EQ(lies_datum_zeit("1.2.50 9:05").date(), QDate(2050, 2, 1));
    EXPECT_EQ(lies_datum_zeit("31.12.2020 23:59:59"), QDateTime(QDate(2020, 12, 31), QTime(23, 59, 59)));
    EXPECT_EQ(lies_datum_zeit("31.12.2020 23:59"), QDateTime(QDate(2020, 12, 31), QTime(23, 59, 0)));
    EXPECT_EQ(lies_datum_zeit("1.2.23 23:59:59"), QDateTime(QDate(2023, 2, 1), QTime(23, 59, 59)));
    EXPECT_FALSE(lies_datum_zeit("31.2.2020 10:00").isValid());

    const QtMessageHandler vorher = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
        warnungen << text;
    });
    EXPECT_FALSE(lies_datum_zeit("abc").isValid());
    qInstallMessageHandler(vorher);
    EXPECT_EQ(warnungen, QStringList("CDatumValidator: Fehler im regExp"));
}

TEST(CQTableView, ZeilenschreiberWandeltNachSpaltentyp)
{
    CQTableView view(nullptr, 4);
    const CSpaltenTypen typen{{0, QMetaType::Int}, {1, QMetaType::Double}, {2, QMetaType::QDate}};
    auto* erste = new CQTableViewZeile(&view, &typen, false);
    auto* zweite = new CQTableViewZeile(&view, &typen, false);
    for (int spalte = 0; spalte < 4; ++spalte)
        erste->setzeZelle(spalte, QStringList({"abc", "2.5", "24.12.2023", "24.12.2023"}).at(spalte));
    zweite->setzeZelle(0, "17");
    zweite->setzeZelle(2, "31.02.2023");
    zweite->setzeZelle(9, "nirgends");

    EXPECT_EQ(view.zellDaten(0, 0), QVariant(0));
    EXPECT_EQ(view.zellDaten(0, 1), QVariant(2.5));
    EXPECT_EQ(view.zellDaten(0, 2), QVariant(QDate(2023, 12, 24)));
    EXPECT_EQ(view.zellDaten(0, 3), QVariant("24.12.2023"));
    EXPECT_EQ(view.zellDaten(1, 0), QVariant(17));
    EXPECT_FALSE(view.zellDaten(1, 2).toDate().isValid());
}

// The proxy of a user who sorted shows new rows elsewhere than their model number; a proxy
// that sorts as data change moves a row as soon as its first cell is written.
TEST(CQTableView, NeueZeileWirdGezeigtWoDerProxySieEinsortiert)
{
    CQTableView view(nullptr, 2);
    QSortFilterProxyModel sortierend;
    sortierend.setDynamicSortFilter(true);
    for (QSortFilterProxyModel* proxy : {view.gibProxy(), &sortierend}) {
        SCOPED_TRACE(proxy == &sortierend ? "sortierender Proxy" : "eigener Proxy");
        view.setzeModell(nullptr, proxy);
        view.loescheZeilen();
        for (const char* wert : {"b", "a", "c"})
            view.neueZeile({QString(wert), QString("x")});
        view.sortByColumn(0, Qt::DescendingOrder);

        const int zeile = view.neueZeile({QString("z"), QString("y")}, true, true);
        const QModelIndexList gewaehlt = view.selectionModel()->selectedRows();
        ASSERT_EQ(gewaehlt.size(), 1);
        EXPECT_EQ(view.zellDatenIndex(gewaehlt.front(), 0), QVariant("z"));
        for (int spalte = 0; spalte < 2; ++spalte)
            EXPECT_EQ(view.gibModell()->index(zeile, spalte).data(Qt::ForegroundRole), QVariant(QColor(Qt::red)));

        const CSpaltenTypen typen{{1, QMetaType::Int}};
        auto* schreiber = new CQTableViewZeile(&view, &typen, false);
        schreiber->setzeZelle(0, "zz");
        schreiber->setzeZelle(1, "42");
        EXPECT_EQ(view.gibModell()->index(schreiber->gibZeile(), 1).data(), QVariant(42));
    }
}

void sende(QWidget* ziel, QEvent::Type typ, int taste, const QPoint& ort = {})
{
    if (typ == QEvent::KeyPress) {
        QKeyEvent ereignis(typ, taste, Qt::NoModifier);
        QApplication::sendEvent(ziel, &ereignis);
        return;
    }
    const Qt::MouseButtons gedrueckt(typ == QEvent::MouseButtonPress ? Qt::RightButton : Qt::NoButton);
    QMouseEvent ereignis(typ, ort, ort, QPoint(700, 500), Qt::RightButton, gedrueckt, Qt::NoModifier);
    QApplication::sendEvent(ziel, &ereignis);
}

TEST(CQTableView, TastenUndRechteMaustaste)
{
    CQTableView view(nullptr, 2);
    view.neueZeile({QString("a"), QString("b")});
    view.show();
    int leer = 0, eingabe = 0;
    QList<QModelIndex> rechts;
    QObject::connect(&view, &CQTableView::spacePressed, [&] { ++leer; });
    QObject::connect(&view, &CQTableView::returnPressed, [&] { ++eingabe; });
    QObject::connect(&view, &CQTableView::rightButtonPressed, [&](CQTableView*, QModelIndex index) { rechts << index; });

    view.setzeTastenAus(true);
    sende(&view, QEvent::KeyPress, Qt::Key_Space);
    EXPECT_EQ(leer, 0);
    view.setzeTastenAus(false);
    sende(&view, QEvent::KeyPress, Qt::Key_Space);
    sende(&view, QEvent::KeyPress, Qt::Key_Return);
    EXPECT_EQ(leer, 1);
    EXPECT_EQ(eingabe, 1);

    view.markiereZeile(0, true);
    const QPoint unten(10, view.viewport()->height() - 5);
    sende(view.viewport(), QEvent::MouseButtonPress, 0, unten);
    sende(view.viewport(), QEvent::MouseButtonRelease, 0, unten);
    ASSERT_EQ(rechts.size(), 1);
    EXPECT_FALSE(rechts.front().isValid());
    EXPECT_TRUE(view.selectionModel()->isRowSelected(0, QModelIndex()));
    EXPECT_TRUE(view.rechteMaustaste());
    EXPECT_EQ(view.rechtsKlickPosition(), QPoint(700, 500));
    view.setzeRechteMaustasteZurueck();
    EXPECT_FALSE(view.rechteMaustaste());
}

TEST(CQTableView, SpaltentitelSortieranzeigeUndRollen)
{
    CQTableView view(nullptr, 3);
    view.neueZeile({QString("a"), QString("1"), QString("x")});
    view.neueZeile({QString("b"), QString("2"), QString("y")});

    view.setzeSpaltentitel(5, "x", 50);
    view.horizontalHeader()->resizeSection(0, 300);
    view.passeSpaltenbreitenAn(true);
    EXPECT_LT(view.columnWidth(0), 300); // no preset: every column fitted to its contents
    view.setzeSpaltentitel(2, "Titel", 77);
    view.passeSpaltenbreitenAn(true);
    EXPECT_EQ(view.columnWidth(0), 77); // presets go by call order
    EXPECT_EQ(view.gibModell()->headerData(2, Qt::Horizontal), QVariant("Titel"));

    view.sortByColumn(1, Qt::DescendingOrder);
    view.zeigeSortierung(0);
    EXPECT_EQ(view.horizontalHeader()->sortIndicatorSection(), 0);
    EXPECT_EQ(view.horizontalHeader()->sortIndicatorOrder(), Qt::AscendingOrder);
    EXPECT_EQ(view.gibProxy()->sortOrder(), Qt::DescendingOrder);

    view.setzeDaten(0, 2, "verborgen", Qt::UserRole);
    view.setzeDaten(0, 1, "sichtbar");
    EXPECT_EQ(view.gibIndex(0, 2).data(Qt::UserRole), QVariant("verborgen"));
    EXPECT_EQ(view.zellDaten(0, 2), QVariant("y"));
    EXPECT_EQ(view.zellDaten(0, 1), QVariant("sichtbar"));
}

TEST(CQTableView, FremdeModelleUndFehlendesModell)
{
    CQTableView view(nullptr, 1);
    QStandardItemModel unter_proxy(2, 1);
    view.setzeModell(&unter_proxy, view.gibProxy());
    EXPECT_EQ(view.gibProxy()->sourceModel(), &unter_proxy);
    EXPECT_TRUE(view.findChildren<QStandardItemModel*>().isEmpty());

    auto direkt = std::make_unique<QStandardItemModel>(3, 1);
    direkt->setItem(1, new QStandardItem("a"));
    view.setzeModell(direkt.get(), nullptr);
    EXPECT_EQ(view.model(), direkt.get());
    EXPECT_TRUE(view.findChildren<QSortFilterProxyModel*>().isEmpty());
    EXPECT_EQ(view.zellDaten(1, 0), QVariant("a"));
    view.markiereZeile(2, true);
    EXPECT_TRUE(view.selectionModel()->isRowSelected(2, QModelIndex()));

    // Outside the table, and after the model went away: neutral answers, nothing written.
    view.markiereZeile(9, true);
    view.setzeDaten(-1, 0, "x");
    EXPECT_FALSE(view.gibIndex(0, 4).isValid());
    direkt.reset();
    EXPECT_EQ(view.neueZeile({QString("x")}, true, true), -1);
    (new CQTableViewZeile(&view, nullptr, true))->setzeZelle(0, "x");
    EXPECT_FALSE(view.zellDaten(0, 0).isValid());
    view.zeigeSortierung(0);
}

} // namespace
