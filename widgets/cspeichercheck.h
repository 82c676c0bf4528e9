// A widget that relays a toggle and a click, received on its slots, as its own signals.
#pragma once

#include <QWidget>

class CSpeicherCheck : public QWidget
{
    Q_OBJECT
public:
    explicit CSpeicherCheck(QWidget* eltern = nullptr);
    ~CSpeicherCheck() override;

signals:
    void button_clicked();
    void toggled(bool aval);

protected slots:
    void SlotToggled(bool aval);
    void SlotButton();
};
