// The integer spin boxes of the framework's windows.
#pragma once

#include <QSpinBox>

class CQSpinBox : public QSpinBox
{
    Q_OBJECT
public:
    using QSpinBox::QSpinBox;
};

class CSpinBox : public QSpinBox
{
    Q_OBJECT
public:
    using QSpinBox::QSpinBox;
};
