// A combo box whose right-button signal carries the box itself, so that one slot serves many boxes.
#pragma once

#include <QComboBox>

class CComboButton : public QComboBox
{
    Q_OBJECT
public:
    explicit CComboButton(QWidget* eltern = nullptr);

signals:
    void rightButtonPressed(CComboButton* box);
};
