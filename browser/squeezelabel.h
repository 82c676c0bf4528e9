// A label that shows its text shortened in the middle when it does not fit, and still gives the whole text.
#pragma once

#include <QLabel>

class SqueezeLabel : public QLabel
{
    Q_OBJECT
public:
    explicit SqueezeLabel(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
