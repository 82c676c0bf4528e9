#include "cdoublespinbox.h"

#include <QMetaType>

CDoubleSpinBox::CDoubleSpinBox(QWidget* eltern) : QDoubleSpinBox(eltern)
{
    // Queued connections across threads carry only registered types.
    qRegisterMetaType<CDoubleSpinBox*>();
    connect(this, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, &CDoubleSpinBox::slot_value);
}

void CDoubleSpinBox::slot_value(double)
{
    emit value_Changed(this);
}
