#include "ccheckbox.h"

#include <QMetaType>

CCheckBox::CCheckBox(QWidget* eltern) : QCheckBox(eltern)
{
    verbinde();
}

CCheckBox::CCheckBox(const QString& text, QWidget* eltern) : QCheckBox(text, eltern)
{
    verbinde();
}

void CCheckBox::verbinde()
{
    // Queued connections across threads carry only registered types.
    qRegisterMetaType<CCheckBox*>();
    connect(this, &QCheckBox::stateChanged, this, &CCheckBox::slot_stat);
}

void CCheckBox::slot_stat(int)
{
    emit state_Changed(this);
}
