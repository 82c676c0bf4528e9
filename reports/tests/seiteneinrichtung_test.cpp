// The page set-up of PDF-file printers: paper sizes, the form filled from a printer, Ok and Cancel, the preview, and the dialog seam.
#include "dpagepreview.h"
#include "dpagesetupdialog.h"
#include "dpagesetupwidget.h"
#include "seitendialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPageLayout>
#include <QPrinter>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

void erwarte_raender(const QPrinter& drucker, const QMarginsF& mm)
{
    const QMarginsF ist = drucker.pageLayout().margins(QPageLayout::Millimeter);
    EXPECT_NEAR(ist.left(), mm.left(), 0.01);
    EXPECT_NEAR(ist.top(), mm.top(), 0.01);
    EXPECT_NEAR(ist.right(), mm.right(), 0.01);
    EXPECT_NEAR(ist.bottom(), mm.bottom(), 0.01);
}

// A PDF printer on A5 landscape with the margins 10, 15, 20, 25 mm.
void richte_a5_quer_ein(QPrinter& drucker)
{
    drucker.setOutputFormat(QPrinter::PdfFormat);
    drucker.setPageSize(QPageSize(QPageSize::A5));
    drucker.setPageOrientation(QPageLayout::Landscape);
    drucker.setPageMargins(QMarginsF(10, 15, 20, 25), QPageLayout::Millimeter);
}

// Runs the modal dialog that is about to open with `handlung` done as the user once it shows.
void sobald_offen(const std::function<void(QDialog&)>& handlung)
{
    QTimer::singleShot(0, [handlung] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        handlung(*dialog);
    });
}

} // namespace

TEST(Seiteneinrichtung, PapiergroessenUndListe)
{
    const QSizeF a4 = papiergroesse(false, 0, 0);
    EXPECT_NEAR(a4.width(), 210, 0.01);
    EXPECT_NEAR(a4.height(), 297, 0.01);
    const QSizeF quer = papiergroesse(true, 0, 1);
    EXPECT_NEAR(quer.width(), 842, 1);
    EXPECT_NEAR(quer.height(), 595, 1);
    const QSizeF a5 = papiergroesse(false, 9, 7);
    EXPECT_NEAR(a5.width(), 148, 0.01);
    EXPECT_NEAR(a5.height(), 210, 0.01);

    DPageSetupWidget widget;
    const QComboBox* liste = widget.gib_form()->paperSize;
    ASSERT_EQ(liste->count(), 30);
    EXPECT_EQ(liste->itemText(0), QStringLiteral("A0"));
    EXPECT_EQ(liste->itemData(0).toInt(), 5);
    EXPECT_EQ(liste->itemText(4), QStringLiteral("A4"));
    EXPECT_EQ(liste->itemData(4).toInt(), 0);
    EXPECT_EQ(liste->findData(30), -1);
}

TEST(Seiteneinrichtung, FormZeigtDruckerUndOkUebernimmtRaender)
{
    QPrinter drucker(QPrinter::ScreenResolution);
    richte_a5_quer_ein(drucker);

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
        EXPECT_DOUBLE_EQ(form.topMargin->value(), 15);
        EXPECT_DOUBLE_EQ(form.bottomMargin->value(), 25);
        // Portrait swaps the display, not the paper.
        form.portrait->click();
        EXPECT_EQ(form.paperSize->currentText(), QStringLiteral("A5"));
        EXPECT_EQ(form.paperWidth->text(), QStringLiteral("148.00 mm"));
    }

    // Cancel leaves the printer as it was, even with a margin typed.
    DPageSetupDialog abgebrochen(&drucker, nullptr);
    sobald_offen([&abgebrochen](QDialog& offen) {
        EXPECT_EQ(&offen, &abgebrochen);
        abgebrochen.gib_widget()->gib_form()->leftMargin->setValue(30);
        offen.reject();
    });
    EXPECT_EQ(abgebrochen.exec(), QDialog::Rejected);
    erwarte_raender(drucker, QMarginsF(10, 15, 20, 25));

    DPageSetupDialog dialog(&drucker, nullptr);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Seite einrichten"));
    sobald_offen([&dialog](QDialog& offen) {
        dialog.gib_widget()->gib_form()->leftMargin->setValue(30);
        offen.accept();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    erwarte_raender(drucker, QMarginsF(30, 15, 20, 25));
    EXPECT_EQ(drucker.pageLayout().pageSize().id(), QPageSize::A5);
    EXPECT_EQ(drucker.pageLayout().orientation(), QPageLayout::Landscape);
}

// Margins kept in points (as the platform's dialog leaves them) show and stay in millimetres; a
// paper the list does not offer shows A4 and survives Ok.
TEST(Seiteneinrichtung, PunkteUndFremdesPapier)
{
    QPrinter drucker(QPrinter::ScreenResolution);
    drucker.setOutputFormat(QPrinter::PdfFormat);
    drucker.setPageSize(QPageSize(QPageSize::A10));
    drucker.setPageMargins(QMarginsF(2.83464566929 * 20, 0, 0, 0), QPageLayout::Point);

    DPageSetupWidget widget;
    widget.setze_drucker(&drucker);
    const Ui::PageSetupWidget& form = *widget.gib_form();
    EXPECT_EQ(form.paperSize->currentIndex(), -1);
    EXPECT_EQ(form.paperWidth->text(), QStringLiteral("210.00 mm"));
    EXPECT_EQ(form.leftMargin->text(), QStringLiteral("20.00 mm"));

    widget.uebernimm_in_drucker();
    EXPECT_EQ(drucker.pageLayout().pageSize().id(), QPageSize::A10);
    erwarte_raender(drucker, QMarginsF(20, 0, 0, 0));
}

TEST(Seiteneinrichtung, VorschauMaltOhneRaender)
{
    QPrinter drucker(QPrinter::ScreenResolution);
    drucker.setOutputFormat(QPrinter::PdfFormat);
    drucker.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    DPageSetupWidget widget;
    widget.setze_drucker(&drucker);
    widget.resize(371, 310);
    widget.show();
    DPagePreview* vorschau = widget.gib_vorschau();
    const QImage bild = vorschau->grab().toImage();
    ASSERT_FALSE(bild.isNull());
    // The sheet (light) stands out from the widget's background at the centre.
    EXPECT_EQ(bild.pixelColor(bild.width() / 2, 3), vorschau->palette().color(QPalette::Window));
    EXPECT_NE(bild.pixelColor(bild.rect().center()), vorschau->palette().color(QPalette::Window));
}

TEST(Seiteneinrichtung, NahtFuehrtDenEigenenDialogOderDieErsatzfunktion)
{
    QPrinter drucker(QPrinter::ScreenResolution);
    richte_a5_quer_ein(drucker);

    sobald_offen([](QDialog& offen) {
        EXPECT_EQ(offen.windowTitle(), QStringLiteral("Seite einrichten - Drucker PDFDatei"));
        ASSERT_NE(qobject_cast<DPageSetupDialog*>(&offen), nullptr);
        EXPECT_FALSE(offen.windowFlags() & Qt::WindowContextHelpButtonHint);
        offen.findChild<QDoubleSpinBox*>(QStringLiteral("bottomMargin"))->setValue(5);
        offen.accept();
    });
    EXPECT_EQ(frage_seiteneinrichtung(&drucker, nullptr, true, QStringLiteral("Seite einrichten - Drucker PDFDatei")),
              QDialog::Accepted);
    erwarte_raender(drucker, QMarginsF(10, 15, 20, 5));

    bool eigener = true;
    setze_seiteneinrichtung_funktion([&eigener](QWidget*, QPrinter& p, bool eigener_dialog, const QString&) {
        eigener = eigener_dialog;
        p.setPageMargins(QMarginsF(1, 1, 1, 1), QPageLayout::Millimeter);
        return int(QDialog::Rejected);
    });
    EXPECT_EQ(frage_seiteneinrichtung(&drucker, nullptr, false, QString()), QDialog::Rejected);
    EXPECT_FALSE(eigener);
    EXPECT_EQ(frage_seiteneinrichtung(nullptr, nullptr, true, QString()), QDialog::Rejected);
    setze_seiteneinrichtung_funktion({});
}
