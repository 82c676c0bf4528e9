// A widget that relays a click, received on its slot, as its own signal.
#pragma once

#include <QWidget>

class CSpeicherLabel : public QWidget
{
    Q_OBJECT
public:
    explicit CSpeicherLabel(QWidget* eltern = nullptr);
    ~CSpeicherLabel() override;

signals:
    void clicked();

protected slots:
    void SlotButton();
};
