#include "dpagesetupwidget.h"
#include "dpagepreview.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QRadioButton>
#include <QSpacerItem>
#include <QVBoxLayout>

namespace {

// The papers offered, in the order shown; Custom is not among them.
constexpr int papierliste[] = {5, 6, 7, 8, 0, 9, 10, 11, 12, 13, 14, 15, 17, 18, 19,
                               1, 20, 21, 22, 23, 16, 24, 26, 4, 27, 28, 3, 2, 29, 25};

constexpr int einheit_mm = 0;
constexpr int einheit_punkt = 1;

QDoubleSpinBox* neues_feld(QWidget* eltern, const char* name, double maximum)
{
    auto* feld = new QDoubleSpinBox(eltern);
    feld->setObjectName(QString::fromLatin1(name));
    feld->setMaximum(maximum);
    return feld;
}

QDoubleSpinBox* neuer_rand(QWidget* eltern, const char* name)
{
    QDoubleSpinBox* feld = neues_feld(eltern, name, 999.99);
    feld->setAlignment(Qt::AlignRight | Qt::AlignTrailing | Qt::AlignVCenter);
    return feld;
}

// The form's texts, in the translation context "PageSetupWidget".
struct FormText
{
    Q_DECLARE_TR_FUNCTIONS(PageSetupWidget)
};

void setze_randtexte(QDoubleSpinBox* feld, const char* text)
{
    feld->setToolTip(FormText::tr(text));
    feld->setAccessibleName(FormText::tr(text));
}

} // namespace

QSizeF papiergroesse(bool quer, int papier, int einheit)
{
    QPageSize groesse(static_cast<QPageSize::PageSizeId>(papier));
    if (!groesse.isValid())
        groesse = QPageSize(QPageSize::A4);
    QPageSize::Unit masseinheit = QPageSize::Millimeter;
    if (einheit == einheit_punkt)
        masseinheit = QPageSize::Point;
    else if (einheit == 2)
        masseinheit = QPageSize::Inch;
    const QSizeF masse = groesse.size(masseinheit);
    return quer ? masse.transposed() : masse;
}

void Ui::PageSetupWidget::setupUi(QWidget* form)
{
    if (form->objectName().isEmpty())
        form->setObjectName(QStringLiteral("PageSetupWidget"));
    form->resize(371, 310);
    gridLayout = new QGridLayout(form);
    gridLayout->setObjectName(QStringLiteral("gridLayout"));

    groupBox_2 = new QGroupBox(form);
    groupBox_2->setObjectName(QStringLiteral("groupBox_2"));
    auto* papierraster = new QGridLayout(groupBox_2);
    pageSizeLabel = new QLabel(groupBox_2);
    pageSizeLabel->setObjectName(QStringLiteral("pageSizeLabel"));
    papierraster->addWidget(pageSizeLabel, 0, 0);
    paperSize = new QComboBox(groupBox_2);
    paperSize->setObjectName(QStringLiteral("paperSize"));
    papierraster->addWidget(paperSize, 0, 1);
    widthLabel = new QLabel(groupBox_2);
    widthLabel->setObjectName(QStringLiteral("widthLabel"));
    papierraster->addWidget(widthLabel, 1, 0);
    auto* masszeile = new QHBoxLayout;
    paperWidth = neues_feld(groupBox_2, "paperWidth", 9999.99);
    masszeile->addWidget(paperWidth);
    heightLabel = new QLabel(groupBox_2);
    heightLabel->setObjectName(QStringLiteral("heightLabel"));
    masszeile->addWidget(heightLabel);
    paperHeight = neues_feld(groupBox_2, "paperHeight", 9999.99);
    masszeile->addWidget(paperHeight);
    papierraster->addLayout(masszeile, 1, 1);
    papierraster->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum), 1, 2);
    gridLayout->addWidget(groupBox_2, 0, 0, 1, 2);

    groupBox_3 = new QGroupBox(form);
    groupBox_3->setObjectName(QStringLiteral("groupBox_3"));
    auto* ausrichtung = new QVBoxLayout(groupBox_3);
    portrait = new QRadioButton(groupBox_3);
    portrait->setObjectName(QStringLiteral("portrait"));
    portrait->setChecked(true);
    ausrichtung->addWidget(portrait);
    landscape = new QRadioButton(groupBox_3);
    landscape->setObjectName(QStringLiteral("landscape"));
    ausrichtung->addWidget(landscape);
    gridLayout->addWidget(groupBox_3, 1, 0);

    preview = new QWidget(form);
    preview->setObjectName(QStringLiteral("preview"));
    preview->setMinimumWidth(150);
    gridLayout->addWidget(preview, 1, 1, 2, 1);

    groupBox = new QGroupBox(form);
    groupBox->setObjectName(QStringLiteral("groupBox"));
    auto* randraster = new QGridLayout(groupBox);
    topMargin = neuer_rand(groupBox, "topMargin");
    randraster->addWidget(topMargin, 0, 0, 1, 3, Qt::AlignHCenter);
    leftMargin = neuer_rand(groupBox, "leftMargin");
    randraster->addWidget(leftMargin, 1, 0);
    randraster->addItem(new QSpacerItem(20, 20, QSizePolicy::Expanding, QSizePolicy::Minimum), 1, 1);
    rightMargin = neuer_rand(groupBox, "rightMargin");
    randraster->addWidget(rightMargin, 1, 2);
    bottomMargin = neuer_rand(groupBox, "bottomMargin");
    randraster->addWidget(bottomMargin, 2, 0, 1, 3, Qt::AlignHCenter);
    gridLayout->addWidget(groupBox, 2, 0);

    gridLayout->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding), 3, 0);

    widthLabel->setBuddy(paperWidth);
    pageSizeLabel->setBuddy(paperSize);
    heightLabel->setBuddy(paperHeight);

    retranslateUi(form);
    QMetaObject::connectSlotsByName(form);
}

void Ui::PageSetupWidget::retranslateUi(QWidget* form)
{
    form->setWindowTitle(FormText::tr("Form"));
    groupBox_2->setTitle(FormText::tr("Papier"));
    pageSizeLabel->setText(FormText::tr("Seitengröße:"));
    widthLabel->setText(FormText::tr("Breite:"));
    heightLabel->setText(FormText::tr("Höhe:"));
    groupBox_3->setTitle(FormText::tr("Ausrichtung"));
    portrait->setText(FormText::tr("Hochformat"));
    landscape->setText(FormText::tr("Querformat"));
    groupBox->setTitle(FormText::tr("Ränder"));
    setze_randtexte(topMargin, QT_TRANSLATE_NOOP("PageSetupWidget", "top margin"));
    setze_randtexte(leftMargin, QT_TRANSLATE_NOOP("PageSetupWidget", "left margin"));
    setze_randtexte(rightMargin, QT_TRANSLATE_NOOP("PageSetupWidget", "right margin"));
    setze_randtexte(bottomMargin, QT_TRANSLATE_NOOP("PageSetupWidget", "bottom margin"));
}

DPageSetupWidget::DPageSetupWidget(QWidget* parent) : QWidget(parent), form(std::make_unique<Ui::PageSetupWidget>())
{
    form->setupUi(this);

    const QString endung = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem
                               ? QStringLiteral(" in")
                               : QStringLiteral(" mm");
    for (QDoubleSpinBox* feld : {form->topMargin, form->leftMargin, form->rightMargin, form->bottomMargin,
                                 form->paperWidth, form->paperHeight})
        feld->setSuffix(endung);

    auto* rahmen = new QVBoxLayout(form->preview);
    rahmen->setContentsMargins(0, 0, 0, 0);
    vorschau = new DPagePreview(form->preview);
    rahmen->addWidget(vorschau);

    fuelle_papierliste();
    setAttribute(Qt::WA_WState_Polished, false);

    connect(form->paperSize, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &DPageSetupWidget::Slot_paperSizeChanged);
    connect(form->paperWidth, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this,
            &DPageSetupWidget::Slot_paperSizeChanged);
    connect(form->paperHeight, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this,
            &DPageSetupWidget::Slot_paperSizeChanged);
    connect(form->leftMargin, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this,
            &DPageSetupWidget::setLeftMargin);
    connect(form->topMargin, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this,
            &DPageSetupWidget::setTopMargin);
    connect(form->rightMargin, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this,
            &DPageSetupWidget::setRightMargin);
    connect(form->bottomMargin, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this,
            &DPageSetupWidget::setBottomMargin);
    connect(form->portrait, &QRadioButton::clicked, this, &DPageSetupWidget::Slot_pageOrientationChanged);
    connect(form->landscape, &QRadioButton::clicked, this, &DPageSetupWidget::Slot_pageOrientationChanged);
}

DPageSetupWidget::~DPageSetupWidget() = default;

void DPageSetupWidget::fuelle_papierliste()
{
    form->paperSize->clear();
    for (const int id : papierliste)
        form->paperSize->addItem(QPageSize(static_cast<QPageSize::PageSizeId>(id)).name(), id);
}

void DPageSetupWidget::setze_drucker(QPrinter* neuer_drucker)
{
    drucker = neuer_drucker;
    if (!drucker)
        return;
    beschaeftigt = true;

    // Both unit sets from the layout, whatever unit it keeps: a layout in points (as the
    // platform's dialog leaves it) shows its real margins too.
    const QPageLayout layout = drucker->pageLayout();
    const QMarginsF mm = layout.margins(QPageLayout::Millimeter);
    const QMarginsF pt = layout.margins(QPageLayout::Point);
    links_mm = mm.left();
    oben_mm = mm.top();
    rechts_mm = mm.right();
    unten_mm = mm.bottom();
    links_pt = pt.left();
    oben_pt = pt.top();
    rechts_pt = pt.right();
    unten_pt = pt.bottom();

    fuelle_papierliste();
    form->paperSize->setCurrentIndex(
        form->paperSize->findData(static_cast<int>(layout.pageSize().id()), Qt::UserRole, Qt::MatchExactly));

    einheitsfaktor = 2.83464566929;
    for (QDoubleSpinBox* feld : {form->topMargin, form->leftMargin, form->rightMargin, form->bottomMargin,
                                 form->paperWidth, form->paperHeight})
        feld->setSuffix(QStringLiteral(" mm"));
    form->topMargin->setValue(oben_mm);
    form->leftMargin->setValue(links_mm);
    form->rightMargin->setValue(rechts_mm);
    form->bottomMargin->setValue(unten_mm);
    zeige_raender();

    papier = layout.fullRect(QPageLayout::Point).size();
    zeige_papier(layout.fullRect(QPageLayout::Millimeter).size());
    form->landscape->setChecked(layout.orientation() == QPageLayout::Landscape);

    beschaeftigt = false;
    Slot_paperSizeChanged();
}

void DPageSetupWidget::uebernimm_in_drucker()
{
    if (!drucker)
        return;
    const bool quer = !form->portrait->isChecked();
    drucker->setPageOrientation(quer ? QPageLayout::Landscape : QPageLayout::Portrait);

    const QVariant daten = form->paperSize->currentData(Qt::UserRole);
    const int id = daten.type() == QVariant::Int ? daten.toInt() : static_cast<int>(drucker->pageLayout().pageSize().id());
    if (id != QPageSize::Custom)
        drucker->setPageSize(QPageSize(static_cast<QPageSize::PageSizeId>(id)));
    else
        drucker->setPageSize(QPageSize(quer ? papier.transposed() : papier, QPageSize::Point));

    drucker->setPageMargins(QMarginsF(links_mm, oben_mm, rechts_mm, unten_mm), QPageLayout::Millimeter);
}

void DPageSetupWidget::Slot_paperSizeChanged()
{
    if (beschaeftigt)
        return;
    beschaeftigt = true;
    const int id = form->paperSize->currentData(Qt::UserRole).toInt();
    const bool quer = !form->portrait->isChecked();
    papier = papiergroesse(quer, id, einheit_punkt);
    zeige_papier(papiergroesse(quer, id, einheit_mm));
    vorschau->setze_papiergroesse(papier);
    vorschau->update();
    form->paperWidth->setEnabled(false);
    form->paperHeight->setEnabled(false);
    form->widthLabel->setEnabled(false);
    form->heightLabel->setEnabled(false);
    beschaeftigt = false;
}

void DPageSetupWidget::Slot_pageOrientationChanged()
{
    Slot_paperSizeChanged();
}

void DPageSetupWidget::setTopMargin(double wert)
{
    setze_rand(oben_mm, oben_pt, wert);
}

void DPageSetupWidget::setBottomMargin(double wert)
{
    setze_rand(unten_mm, unten_pt, wert);
}

void DPageSetupWidget::setLeftMargin(double wert)
{
    setze_rand(links_mm, links_pt, wert);
}

void DPageSetupWidget::setRightMargin(double wert)
{
    setze_rand(rechts_mm, rechts_pt, wert);
}

void DPageSetupWidget::setze_rand(double& millimeter, double& punkte, double wert)
{
    if (beschaeftigt)
        return;
    millimeter = wert;
    punkte = einheitsfaktor * wert;
    zeige_raender();
}

// The paper's own millimetres: its size in points is kept in whole points and would show A5
// as 209.90 x 148.17.
void DPageSetupWidget::zeige_papier(const QSizeF& millimeter)
{
    form->paperWidth->setValue(millimeter.width());
    form->paperHeight->setValue(millimeter.height());
}

void DPageSetupWidget::zeige_raender()
{
    vorschau->setze_raender(links_pt, oben_pt, rechts_pt, unten_pt);
    vorschau->update();
}
