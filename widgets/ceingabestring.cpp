#include "ceingabestring.h"
#include "clineedit.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QSpacerItem>

namespace {

QLabel* neues_label(QDialog* dialog, const char* name)
{
    auto* label = new QLabel(dialog);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(false);
    return label;
}

// Both buttons keep exactly 80 x 25 pixels whatever the dialog's size.
QPushButton* neuer_knopf(QDialog* dialog, const char* name)
{
    auto* knopf = new QPushButton(dialog);
    knopf->setObjectName(QString::fromLatin1(name));
    knopf->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    knopf->setFixedSize(80, 25);
    knopf->setAutoDefault(true);
    return knopf;
}

} // namespace

void EingabeString::setupUi(QDialog* dialog)
{
    if (dialog->objectName().isEmpty())
        dialog->setObjectName(QStringLiteral("EingabeString"));
    dialog->resize(588, 189);
    dialog->setMinimumSize(0, 0);
    dialog->setMaximumSize(32767, 32767);
    dialog->setSizeGripEnabled(true);

    gridLayout_2 = new QGridLayout(dialog);
    gridLayout_2->setObjectName(QStringLiteral("gridLayout_2"));
    gridLayout_2->setSpacing(6);
    gridLayout_2->setContentsMargins(11, 11, 11, 11);

    textLabel1 = neues_label(dialog, "textLabel1");
    gridLayout_2->addWidget(textLabel1, 0, 0, 1, 2);
    textLabel2 = neues_label(dialog, "textLabel2");
    gridLayout_2->addWidget(textLabel2, 1, 0, 1, 2);

    EingabeLabel = neues_label(dialog, "EingabeLabel");
    EingabeLabel->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    EingabeLabel->setMinimumSize(20, 20);
    QFont fett = EingabeLabel->font();
    fett.setBold(true);
    fett.setWeight(75);
    EingabeLabel->setFont(fett);
    gridLayout_2->addWidget(EingabeLabel, 2, 0, 1, 1);

    lineEdit = new CLineEdit(dialog, CQString());
    lineEdit->setObjectName(QStringLiteral("lineEdit"));
    lineEdit->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    lineEdit->setMinimumSize(0, 0);
    lineEdit->setMaximumSize(32767, 32767);
    gridLayout_2->addWidget(lineEdit, 2, 1, 1, 1);
    // A screen reader names the field by its label.
    EingabeLabel->setBuddy(lineEdit);

    groupBox = new QGroupBox(dialog);
    groupBox->setObjectName(QStringLiteral("groupBox"));
    gridLayout = new QGridLayout(groupBox);
    gridLayout->setObjectName(QStringLiteral("gridLayout"));
    gridLayout->setSpacing(6);
    gridLayout->setContentsMargins(11, 11, 11, 11);
    checkBox = new QCheckBox(groupBox);
    checkBox->setObjectName(QStringLiteral("checkBox"));
    gridLayout->addWidget(checkBox, 0, 0, 1, 1);
    gridLayout_2->addWidget(groupBox, 3, 0, 1, 2);

    spacer = new QSpacerItem(20, 160, QSizePolicy::Minimum, QSizePolicy::Expanding);
    gridLayout_2->addItem(spacer, 4, 0, 1, 2);

    hboxLayout = new QHBoxLayout();
    hboxLayout->setObjectName(QStringLiteral("hboxLayout"));
    hboxLayout->setSpacing(6);
    spacer_2 = new QSpacerItem(360, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
    hboxLayout->addItem(spacer_2);
    bNNOk = neuer_knopf(dialog, "bNNOk");
    bNNOk->setDefault(true);
    hboxLayout->addWidget(bNNOk);
    bNNCancel = neuer_knopf(dialog, "bNNCancel");
    hboxLayout->addWidget(bNNCancel);
    gridLayout_2->addLayout(hboxLayout, 5, 0, 1, 2);

    QWidget::setTabOrder(bNNOk, bNNCancel);

    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(EingabeString)
};

} // namespace

void EingabeString::retranslateUi(QDialog* dialog)
{
    dialog->setWindowTitle(Text::tr("Eingabe"));
    textLabel1->setText(Text::tr("textLabel1"));
    textLabel2->setText(Text::tr("textLabel2"));
    EingabeLabel->setText(Text::tr("Eingabe"));
    groupBox->setTitle(Text::tr("Suchoptionen"));
    checkBox->setText(Text::tr("CheckBox"));
    bNNOk->setText(Text::tr("&Ok"));
    bNNOk->setShortcut(QKeySequence(Text::tr("Alt+O")));
    bNNCancel->setText(Text::tr("&Abbrechen"));
    bNNCancel->setShortcut(QKeySequence(Text::tr("Alt+A")));
}

CEingabeString::CEingabeString(QWidget* eltern, const CQString& name, bool, Qt::WindowFlags flags)
    : CDialog(eltern, flags), formular(std::make_unique<EingabeString>())
{
    this->name = name;
    if (!name.isEmpty())
        setObjectName(name);
    formular->setupUi(this);
    formular->groupBox->hide();
    connect(formular->bNNOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(formular->bNNCancel, &QPushButton::clicked, this, &QDialog::reject);
}

CEingabeString::~CEingabeString() = default;
