#include "dpagesetupdialog.h"
#include "dpagesetupwidget.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

DPageSetupDialog::DPageSetupDialog(QPrinter* drucker, QWidget* parent) : QDialog(parent), drucker(drucker)
{
    setWindowTitle(tr("Seite einrichten"));
    baue_auf();
}

DPageSetupDialog::~DPageSetupDialog() = default;

void DPageSetupDialog::baue_auf()
{
    widget = new DPageSetupWidget(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    widget->setze_drucker(drucker);
    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Horizontal, this);
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(widget);
    layout->addWidget(knoepfe);
}

int DPageSetupDialog::exec()
{
    const int ergebnis = QDialog::exec();
    if (ergebnis == QDialog::Accepted)
        widget->uebernimm_in_drucker();
    return ergebnis;
}
