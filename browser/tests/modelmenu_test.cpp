// Model menus, the edit table view and the clearable and search line edits.
#include "editviews.h"
#include "exlineedit.h"
#include "modelmenu.h"
#include "searchlineedit.h"

#include <QApplication>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr int trennRolle = Qt::UserRole + 4;
constexpr int hoverRolle = Qt::UserRole + 3;

// Rows "0" to "9"; row 0 has the children "a", a separator and "b".
void fuelle(QStandardItemModel& model)
{
    for (int i = 0; i < 10; ++i) {
        auto* item = new QStandardItem(QString::number(i));
        item->setData(i == 5 ? QString() : QStringLiteral("http://%1.example/").arg(i), hoverRolle);
        model.appendRow(item);
    }
    auto* trenner = new QStandardItem;
    trenner->setData(true, trennRolle);
    model.item(0)->appendRows({new QStandardItem("a"), trenner, new QStandardItem("b")});
}

int oeffne(QMenu& menu)
{
    emit menu.aboutToShow();
    return menu.actions().size();
}

} // namespace

TEST(ModelMenu, ZeilenGrenzeTrennerUndUntermenues)
{
    QStandardItemModel model;
    fuelle(model);
    ModelMenu menu;
    menu.setModel(&model);
    menu.setSeparatorRole(trennRolle);
    menu.setHoverRole(hoverRolle);
    EXPECT_EQ(oeffne(menu), 6);
    menu.setMaxRows(-1);
    EXPECT_EQ(oeffne(menu), 10);
    menu.setMaxRows(7);
    menu.setFirstSeparator(3);
    ASSERT_EQ(oeffne(menu), 11);
    EXPECT_TRUE(menu.actions().at(3)->isSeparator());
    EXPECT_EQ(menu.actions().at(4)->text(), "3");

    QMenu* unter = menu.actions().at(0)->menu();
    ASSERT_NE(unter, nullptr);
    EXPECT_EQ(unter->title(), "0");
    EXPECT_TRUE(unter->actions().isEmpty());
    oeffne(*unter);
    ASSERT_EQ(oeffne(*unter), 3);
    EXPECT_TRUE(unter->actions().at(1)->isSeparator());

    // Opened again and again: one click, one signal; also from a sub-menu.
    oeffne(menu);
    oeffne(menu);
    QSignalSpy aktiviert(&menu, &ModelMenu::activated);
    menu.actions().at(1)->trigger();
    ASSERT_EQ(aktiviert.size(), 1);
    EXPECT_EQ(aktiviert.at(0).at(0).value<QModelIndex>().row(), 1);
    unter = menu.actions().at(0)->menu();
    oeffne(*unter);
    unter->actions().at(2)->trigger();
    ASSERT_EQ(aktiviert.size(), 2);
    EXPECT_EQ(aktiviert.at(1).at(0).value<QModelIndex>().data().toString(), "b");

    QSignalSpy hover(&menu, qOverload<const QString&>(&ModelMenu::hovered));
    menu.actions().at(5)->hover(); // row 4
    menu.actions().at(6)->hover(); // row 5: no text
    ASSERT_EQ(hover.size(), 1);
    EXPECT_EQ(hover.at(0).at(0).toString(), "http://4.example/");
}

TEST(ModelMenu, LangeTitelWerdenInDerMitteGekuerzt)
{
    QStandardItemModel model;
    const QString lang = "Anfang" + QString(300, QChar(0x00e4)) + "Ende";
    model.appendRow(new QStandardItem(lang));
    ModelMenu menu;
    menu.setModel(&model);
    oeffne(menu);
    const QString text = menu.actions().at(0)->text();
    EXPECT_TRUE(text.startsWith("Anfang") && text.endsWith("Ende") && text.contains(QChar(0x2026)));
    const QFontMetrics fm(menu.font());
    EXPECT_LE(fm.horizontalAdvance(text), fm.horizontalAdvance(QLatin1Char('m')) * 30);
}

TEST(EditTableView, EntfernenWaehltDieNaechsteZeileUndLeereTabelleNichts)
{
    QStandardItemModel model;
    for (const char* t : {"a", "b", "c"})
        model.appendRow(new QStandardItem(t));
    EditTableView view;
    view.setModel(&model);
    view.setCurrentIndex(model.index(2, 0));
    QTest::keyClick(&view, Qt::Key_Delete);
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(view.currentIndex().row(), 1);
    EXPECT_TRUE(view.selectionModel()->isRowSelected(1, QModelIndex()));

    view.removeAll();
    EXPECT_EQ(model.rowCount(), 0);
    view.removeOne();
    EXPECT_FALSE(view.currentIndex().isValid());
    EXPECT_TRUE(view.selectionModel()->selectedIndexes().isEmpty());
}

TEST(ExLineEdit, KnopfLeertDasFeldUndVerschwindet)
{
    ExLineEdit feld;
    feld.resize(200, 30);
    feld.show();
    QTest::keyClicks(&feld, "a");
    EXPECT_TRUE(feld.clearButton()->isVisible());
    QTest::mouseClick(feld.clearButton(), Qt::LeftButton);
    EXPECT_EQ(feld.lineEdit()->text(), "");
    EXPECT_FALSE(feld.clearButton()->isVisible());
}

TEST(SearchLineEdit, HinweisInDerFarbeDesDeaktiviertenTextsUndKnopfbreite)
{
    QWidget fenster;
    auto* feld = new SearchLineEdit(&fenster);
    auto* anderes = new QLineEdit(&fenster);
    anderes->move(0, 40);
    feld->setInactiveText("MMMMMMMM");
    QPalette palette = feld->palette();
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(255, 0, 0));
    palette.setColor(QPalette::Active, QPalette::Text, QColor(0, 0, 255));
    feld->setPalette(palette);
    feld->resize(200, 30);
    fenster.show();
    anderes->setFocus();
    QApplication::setActiveWindow(&fenster);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&fenster, 30000));

    const auto rotePunkte = [feld] {
        const QImage bild = feld->grab().toImage();
        int anzahl = 0;
        for (int y = 0; y < bild.height(); ++y)
            for (int x = 0; x < bild.width(); ++x) {
                const QColor c = bild.pixelColor(x, y);
                anzahl += c.red() > 200 && c.green() < 80 && c.blue() < 80;
            }
        return anzahl;
    };
    EXPECT_GT(rotePunkte(), 10);
    feld->setFocus();
    ASSERT_TRUE(feld->hasFocus());
    EXPECT_EQ(rotePunkte(), 0);

    EXPECT_EQ(feld->searchButton()->width(), (30 / 5) * 4);
    EXPECT_EQ(feld->searchButton()->height(), 30);
    feld->menu();
    EXPECT_EQ(feld->searchButton()->width(), 31);
}
