// The text input dialog: its form, the keys that end it, and how it grows.
#include "ceingabestring.h"

#include <QGroupBox>
#include "clineedit.h"
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Presses the key in the input once the dialog is active; a dialog the key does not end
// ends with -1 after a while (long enough that a loaded machine never meets it).
int fuehre_aus(Qt::Key taste, Qt::KeyboardModifiers mit)
{
    CEingabeString dialog;
    QTimer::singleShot(0, &dialog, [&] {
        if (QTest::qWaitForWindowActive(&dialog, 60000))
            QTest::keyClick(dialog.gib_formular()->lineEdit, taste, mit);
    });
    QTimer::singleShot(60000, &dialog, [&] { dialog.done(-1); });
    return dialog.exec();
}

TEST(CEingabeString, FormularTastenUndGroesse)
{
    CEingabeString dialog;
    EingabeString* form = dialog.gib_formular();
    dialog.show();
    EXPECT_TRUE(form->groupBox->isHidden());
    EXPECT_EQ(dialog.windowTitle(), "Eingabe");
    EXPECT_TRUE(form->bNNOk->isDefault());
    const int breite = form->lineEdit->width();
    dialog.resize(900, 400);
    QApplication::processEvents();
    EXPECT_EQ(form->bNNOk->size(), QSize(80, 25));
    EXPECT_EQ(form->bNNCancel->size(), QSize(80, 25));
    EXPECT_GT(form->lineEdit->width(), breite);

    EXPECT_EQ(fuehre_aus(Qt::Key_Return, Qt::NoModifier), QDialog::Accepted);
    EXPECT_EQ(fuehre_aus(Qt::Key_O, Qt::AltModifier), QDialog::Accepted);
    EXPECT_EQ(fuehre_aus(Qt::Key_A, Qt::AltModifier), QDialog::Rejected);
}

} // namespace
