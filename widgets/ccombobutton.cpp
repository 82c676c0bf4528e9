#include "ccombobutton.h"

#include <QMetaType>

CComboButton::CComboButton(QWidget* eltern) : QComboBox(eltern)
{
    // Queued connections across threads carry only registered types.
    qRegisterMetaType<CComboButton*>();
}
