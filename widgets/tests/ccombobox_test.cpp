// The combo box: the wheel by setting and focus, Return closing it with its own signal, showing texts.
#include "ccombobox.h"
#include "widgeteinstellungen.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>
#include <gtest/gtest.h>

namespace {

// A turn as the window system delivers it: the application hands out focus by the widget's
// policy first. True when the box or a parent took it.
bool drehe_runter(QWidget* ziel)
{
    QWheelEvent rad(QPointF(5, 5), QPointF(ziel->mapToGlobal(QPoint(5, 5))), QPoint(), QPoint(0, -120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&rad);
    QApplication::instance()->notify(ziel, &rad);
    return rad.isAccepted();
}

TEST(CComboBox, MausradWirktNachEinstellungUndFokus)
{
    auto& einstellung = gib_widget_einstellungen().mausrad_in_combobox;
    QWidget rahmen;
    auto* linie = new QLineEdit(&rahmen);
    auto* box = new CComboBox(&rahmen, "box");
    box->addItems({"a", "b", "c"});
    rahmen.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&rahmen, 30000));
    const auto drehe = [&](unsigned modus, QWidget* fokus) {
        einstellung.setze_wert(modus);
        fokus->setFocus();
        return drehe_runter(box);
    };
    EXPECT_FALSE(drehe(1, linie));
    EXPECT_EQ(box->currentIndex(), 0);
    EXPECT_TRUE(drehe(1, box));
    EXPECT_EQ(box->currentIndex(), 1);
    EXPECT_TRUE(drehe(2, linie));
    EXPECT_EQ(box->currentIndex(), 2);
    box->setCurrentIndex(0);
    EXPECT_FALSE(drehe(3, box));
    EXPECT_EQ(box->currentIndex(), 0);
    einstellung.setze_auf_default();
}

TEST(CComboBox, ReturnSchliesstNurMitSignal)
{
    CComboBox box, editierbar(true, nullptr);
    box.addItems({"a", "b", "c"});
    box.show();
    QSignalSpy signale(&box, &CComboBox::closeCombo);
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_EQ(signale.count(), 1);
    box.showPopup();
    box.view()->setCurrentIndex(box.model()->index(2, 0));
    QTest::keyClick(box.view(), Qt::Key_Return);
    EXPECT_EQ(signale.count(), 2);
    EXPECT_EQ(box.currentIndex(), 0);
    EXPECT_FALSE(box.view()->isVisible());
    editierbar.setEditText("neu");
    QTest::keyClick(editierbar.lineEdit(), Qt::Key_Enter);
    EXPECT_EQ(editierbar.count(), 0);
}

TEST(CComboBox, SetzeTextBenenntUmOderZeigtImFeld)
{
    CComboBox box, editierbar(true, nullptr);
    box.setzeText("x");
    EXPECT_EQ(box.count(), 0);
    box.addItems({"a", "B"});
    box.setzeText("b");
    EXPECT_EQ(box.itemText(0), "b");
    EXPECT_EQ(box.itemText(1), "B");
    editierbar.addItem("a");
    editierbar.setzeText("zz");
    EXPECT_EQ(editierbar.currentText(), "zz");
    EXPECT_EQ(editierbar.count(), 1);
}

} // namespace
