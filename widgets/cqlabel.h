// The label of the framework's windows.
#pragma once

#include <QLabel>

class CQLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;
};
