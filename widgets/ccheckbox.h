// A check box whose state signal carries the box itself, so that one slot serves many boxes.
#pragma once

#include <QCheckBox>

class CCheckBox : public QCheckBox
{
    Q_OBJECT
public:
    // Every state change is passed on as `state_Changed(this)`.
    explicit CCheckBox(QWidget* eltern = nullptr);
    CCheckBox(const QString& text, QWidget* eltern = nullptr);

signals:
    void state_Changed(CCheckBox* box);

public slots:
    void slot_stat(int astate);

private:
    void verbinde();
};
