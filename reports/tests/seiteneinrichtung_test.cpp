// The page set-up of PDF-file printers: paper sizes, the form filled from a printer, Ok and Cancel through the dialog seam, the preview.
#include "dpagepreview.h"
#include "dpagesetupdialog.h"
#include "dpagesetupwidget.h"
#include "seitendialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPageLayout>
#include <QPrinter>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Left, top, right, bottom margin in millimetres, to 0.01 mm.
QString raender(const QPrinter& drucker)
{
    const QMarginsF mm = drucker.pageLayout().margins(QPageLayout::Millimeter);
    return QString::asprintf("%.2f %.2f %.2f %.2f", mm.left(), mm.top(), mm.right(), mm.bottom());
}

// A PDF printer on A5 landscape with the margins 10, 15, 20, 25 mm.
class Seiteneinrichtung : public ::testing::Test
{
protected:
    void SetUp() override
    {
        drucker.setOutputFormat(QPrinter::PdfFormat);
        drucker.setPageSize(QPageSize(QPageSize::A5));
        drucker.setPageOrientation(QPageLayout::Landscape);
        drucker.setPageMargins(QMarginsF(10, 15, 20, 25), QPageLayout::Millimeter);
    }

    // Opens the page set-up through the seam, types the left margin and answers as the user.
    int richte_ein(bool annehmen)
    {
        QTimer::singleShot(0, [this, annehmen] {
            auto* dialog = qobject_cast<DPageSetupDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            titel = dialog->windowTitle();
            dialog->findChild<QDoubleSpinBox*>(QStringLiteral("leftMargin"))->setValue(30);
            annehmen ? dialog->accept() : dialog->reject();
        });
        return frage_seiteneinrichtung(&drucker, nullptr, true, QStringLiteral("Seite einrichten - Drucker PDFDatei"));
    }

    QPrinter drucker{QPrinter::ScreenResolution};
    QString titel;
};

} // namespace

TEST_F(Seiteneinrichtung, PapiergroessenUndListe)
{
    EXPECT_NEAR(papiergroesse(false, 0, 0).width(), 210, 0.01);
    EXPECT_NEAR(papiergroesse(false, 0, 0).height(), 297, 0.01);
    EXPECT_NEAR(papiergroesse(true, 0, 1).width(), 842, 1);
    EXPECT_NEAR(papiergroesse(true, 0, 1).height(), 595, 1);
    EXPECT_NEAR(papiergroesse(false, 9, 7).width(), 148, 0.01);
    EXPECT_NEAR(papiergroesse(false, 9, 7).height(), 210, 0.01);

    DPageSetupWidget widget;
    const QComboBox* liste = widget.gib_form()->paperSize;
    ASSERT_EQ(liste->count(), 30);
    EXPECT_EQ(liste->itemText(0), QStringLiteral("A0"));
    EXPECT_EQ(liste->itemData(0).toInt(), 5);
    EXPECT_EQ(liste->itemText(4), QStringLiteral("A4"));
    EXPECT_EQ(liste->itemData(4).toInt(), 0);
    EXPECT_EQ(liste->findData(30), -1);
}

TEST_F(Seiteneinrichtung, FormZeigtDenDruckerUndDieVorschauMalt)
{
    DPageSetupWidget widget;
    widget.setze_drucker(&drucker);
    const Ui::PageSetupWidget& form = *widget.gib_form();
    EXPECT_EQ(form.paperSize->currentText(), QStringLiteral("A5"));
    EXPECT_TRUE(form.landscape->isChecked());
    EXPECT_EQ(form.paperWidth->text(), QStringLiteral("210.00 mm"));
    EXPECT_EQ(form.paperHeight->text(), QStringLiteral("148.00 mm"));
    EXPECT_FALSE(form.paperWidth->isEnabled());
    EXPECT_FALSE(form.paperHeight->isEnabled());
    EXPECT_DOUBLE_EQ(form.bottomMargin->value(), 25);
    // Portrait swaps the display, not the paper.
    form.portrait->click();
    EXPECT_EQ(form.paperSize->currentText(), QStringLiteral("A5"));
    EXPECT_EQ(form.paperWidth->text(), QStringLiteral("148.00 mm"));

    for (QDoubleSpinBox* rand : {form.leftMargin, form.topMargin, form.rightMargin, form.bottomMargin})
        rand->setValue(0);
    widget.resize(371, 310);
    widget.show();
    const QImage bild = widget.gib_vorschau()->grab().toImage();
    ASSERT_FALSE(bild.isNull());
    // The sheet stands out from the background at the centre.
    const QColor hintergrund = widget.gib_vorschau()->palette().color(QPalette::Window);
    EXPECT_EQ(bild.pixelColor(bild.width() / 2, 3), hintergrund);
    EXPECT_NE(bild.pixelColor(bild.rect().center()), hintergrund);
}

TEST_F(Seiteneinrichtung, NurOkSchreibtInDenDrucker)
{
    EXPECT_EQ(richte_ein(false), QDialog::Rejected);
    EXPECT_EQ(titel, QStringLiteral("Seite einrichten - Drucker PDFDatei"));
    EXPECT_EQ(raender(drucker), QStringLiteral("10.00 15.00 20.00 25.00"));

    EXPECT_EQ(richte_ein(true), QDialog::Accepted);
    EXPECT_EQ(raender(drucker), QStringLiteral("30.00 15.00 20.00 25.00"));
    EXPECT_EQ(drucker.pageLayout().pageSize().id(), QPageSize::A5);
    EXPECT_EQ(drucker.pageLayout().orientation(), QPageLayout::Landscape);
}

// Margins kept in points (as the platform's dialog leaves them) show and stay in millimetres; a
// paper the list does not offer shows A4 and survives Ok.
TEST_F(Seiteneinrichtung, PunkteUndFremdesPapier)
{
    drucker.setPageOrientation(QPageLayout::Portrait);
    drucker.setPageSize(QPageSize(QPageSize::A10));
    drucker.setPageMargins(QMarginsF(2.83464566929 * 20, 0, 0, 0), QPageLayout::Point);

    DPageSetupWidget widget;
    widget.setze_drucker(&drucker);
    EXPECT_EQ(widget.gib_form()->paperSize->currentIndex(), -1);
    EXPECT_EQ(widget.gib_form()->paperWidth->text(), QStringLiteral("210.00 mm"));
    EXPECT_EQ(widget.gib_form()->leftMargin->text(), QStringLiteral("20.00 mm"));
    widget.uebernimm_in_drucker();
    EXPECT_EQ(drucker.pageLayout().pageSize().id(), QPageSize::A10);
    EXPECT_EQ(raender(drucker), QStringLiteral("20.00 0.00 0.00 0.00"));
}
