// The dialog base of the windows that take dropped files.
#pragma once

#include <QDialog>

class CDragFileDialog : public QDialog
{
    Q_OBJECT
public:
    using QDialog::QDialog;
};
