// The message box of the framework's windows.
#pragma once

#include <QMessageBox>

class CQMessageBox : public QMessageBox
{
    Q_OBJECT
public:
    using QMessageBox::QMessageBox;
};
