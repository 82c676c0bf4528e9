// The password dialog: the rows of its three modes, the limits of its fields and the product-area choice.
#include "canwender_passwort.h"
#include "ccombobox.h"
#include "katalog.h"
#include "plattform.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QStringList sichtbar(const QDialog& dialog)
{
    QStringList namen;
    for (QWidget* w : dialog.findChildren<QWidget*>())
        if (!w->objectName().isEmpty() && w->isVisibleTo(&dialog) && w->parentWidget() == &dialog)
            namen.append(w->objectName());
    namen.sort();
    return namen;
}

TEST(Passwortdialog, ModiZeigenIhreZeilenUndFokus)
{
    Canwender_passwort setzen(nullptr, CQString("pass"), 1);
    EXPECT_EQ(setzen.windowTitle(), QStringLiteral("Kennwort setzen"));
    EXPECT_EQ(sichtbar(setzen), (QStringList{"bNNCancel", "bNNOk", "cUser", "ePass_n", "ePass_nb", "lPass_n",
                                             "lPass_nb", "lUser"}));
    setzen.show();
    QApplication::setActiveWindow(&setzen);
    EXPECT_EQ(QApplication::focusWidget(), setzen.ePass_n);
    QTest::keyClick(setzen.ePass_n, Qt::Key_Return);
    EXPECT_EQ(setzen.result(), QDialog::Accepted);

    Canwender_passwort aendern(nullptr, CQString("pass"), 0);
    EXPECT_EQ(aendern.windowTitle(), QStringLiteral("Kennwort ändern"));
    EXPECT_TRUE(aendern.ePass->isVisibleTo(&aendern));
    EXPECT_FALSE(aendern.comboUser->isVisibleTo(&aendern));

    Canwender_passwort eingeben(nullptr, CQString("pass"), 7);
    EXPECT_EQ(eingeben.windowTitle(), QStringLiteral("Kennwort Anwender/Bearbeiter"));
    EXPECT_EQ(eingeben.lPass->text(), QStringLiteral("Kennwort"));
    EXPECT_TRUE(eingeben.comboUser->isVisibleTo(&eingeben));
    EXPECT_FALSE(eingeben.ePass_n->isVisibleTo(&eingeben));
    EXPECT_FALSE(eingeben.comboModus->isVisibleTo(&eingeben));
}

TEST(Passwortdialog, NeuesKennwortNurLatin1OhneRandleerzeichenUndHoechstens100)
{
    int pieptoene = 0;
    setze_piep_funktion([&](unsigned, unsigned) {
        ++pieptoene;
        return 0;
    });
    Canwender_passwort dialog(nullptr, CQString("pass"), 1);
    QTest::keyClicks(dialog.ePass_n, QString(101, QLatin1Char('x')));
    EXPECT_EQ(dialog.ePass_n->text().size(), 100);
    dialog.ePass_n->clear();
    QTest::keyClicks(dialog.ePass_n, QStringLiteral("abc "));
    EXPECT_EQ(dialog.ePass_n->text(), QStringLiteral("abc"));
    dialog.ePass_n->clear();
    QKeyEvent euro(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar(0x20AC)));
    QApplication::sendEvent(dialog.ePass_n, &euro);
    EXPECT_EQ(dialog.ePass_n->text(), QString());
    EXPECT_GE(pieptoene, 1);
    setze_piep_funktion({});
}

TEST(Passwortdialog, OhneIqModusAlleSpartenUndKeineGewaehlt)
{
    Canwender_passwort dialog(nullptr, CQString("pass"), 7);
    gib_katalog_privat().iq_modus.setze_undefiniert();
    fuelle_sparten_combo(dialog.comboModus);
    EXPECT_EQ(dialog.comboModus->count(), 8);
    EXPECT_EQ(dialog.comboModus->currentIndex(), -1);
}

} // namespace
