// The page set-up form for PDF-file printers: paper size, orientation and margins in millimetres, with a live preview.
#pragma once

#include <QSizeF>
#include <QWidget>

#include <memory>

class DPagePreview;
class QComboBox;
class QDoubleSpinBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QPrinter;
class QRadioButton;

// The paper of a QPageSize id (an unknown id gives A4) in unit 0 millimetres, 1 points, 2 inches
// (any other: millimetres); width and height swapped when `quer` is set.
QSizeF papiergroesse(bool quer, int papier, int einheit);

namespace Ui {

// The form's controls under their object names; its texts come from `retranslateUi` in the
// translation context "PageSetupWidget".
class PageSetupWidget
{
public:
    void setupUi(QWidget* form);
    void retranslateUi(QWidget* form);

    QGridLayout* gridLayout = nullptr;
    QGroupBox* groupBox_2 = nullptr;
    QLabel* pageSizeLabel = nullptr;
    QComboBox* paperSize = nullptr;
    QLabel* widthLabel = nullptr;
    QDoubleSpinBox* paperWidth = nullptr;
    QLabel* heightLabel = nullptr;
    QDoubleSpinBox* paperHeight = nullptr;
    QGroupBox* groupBox_3 = nullptr;
    QRadioButton* portrait = nullptr;
    QRadioButton* landscape = nullptr;
    QWidget* preview = nullptr;
    QGroupBox* groupBox = nullptr;
    QDoubleSpinBox* topMargin = nullptr;
    QDoubleSpinBox* leftMargin = nullptr;
    QDoubleSpinBox* rightMargin = nullptr;
    QDoubleSpinBox* bottomMargin = nullptr;
};

} // namespace Ui

// Edits a printer's paper, orientation and margins; the printer changes only through
// `uebernimm_in_drucker`. The paper sizes shown are always millimetres.
class DPageSetupWidget : public QWidget
{
    Q_OBJECT
public:
    explicit DPageSetupWidget(QWidget* parent = nullptr);
    ~DPageSetupWidget() override;

    // Shows the printer's paper, orientation and margins (not owned; it must outlive the widget).
    void setze_drucker(QPrinter* drucker);
    // Writes the choices into the printer: orientation, paper (the printer's own when the list
    // holds none of it) and the margins in millimetres.
    void uebernimm_in_drucker();

    Ui::PageSetupWidget* gib_form() const { return form.get(); }
    DPagePreview* gib_vorschau() const { return vorschau; }

public slots:
    void Slot_paperSizeChanged();
    void Slot_pageOrientationChanged();
    void setTopMargin(double wert);
    void setBottomMargin(double wert);
    void setLeftMargin(double wert);
    void setRightMargin(double wert);

private:
    void fuelle_papierliste();
    // One side's margin from its spin box, in both units.
    void setze_rand(double& millimeter, double& punkte, double wert);
    void zeige_papier(const QSizeF& millimeter);
    void zeige_raender();

    std::unique_ptr<Ui::PageSetupWidget> form;
    QPrinter* drucker = nullptr;
    // Set while the widget fills its own controls: the slots then leave the fields alone.
    bool beschaeftigt = false;
    DPagePreview* vorschau = nullptr;
    double links_mm = 0;
    double oben_mm = 0;
    double rechts_mm = 0;
    double unten_mm = 0;
    double links_pt = 0;
    double oben_pt = 0;
    double rechts_pt = 0;
    double unten_pt = 0;
    // Points per displayed unit (millimetres).
    double einheitsfaktor = 2.83464566929;
    // In points, already swapped for landscape; invalid until a printer or paper is shown.
    QSizeF papier;
};
