// A number spin box whose change signal carries the box itself, so that one slot serves many boxes.
#pragma once

#include <QDoubleSpinBox>

class CDoubleSpinBox : public QDoubleSpinBox
{
    Q_OBJECT
public:
    // Every value change is passed on as `value_Changed(this)`.
    explicit CDoubleSpinBox(QWidget* eltern = nullptr);

signals:
    void value_Changed(CDoubleSpinBox* box);

public slots:
    void slot_value(double aval);
};
