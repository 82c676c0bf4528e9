// An action that carries a process-wide unique negative id and reports its activation with it.
#pragma once

#include <QAction>

class CQAction : public QAction
{
    Q_OBJECT
public:
    // Takes the next id: -2 for the first action of the process, then -3, and so on; ids are
    // never reused.
    explicit CQAction(QObject* eltern);

    int gib_id() const { return id; }

signals:
    void cactivated(int id);
    void cactivated();

public slots:
    void SlotTriggered(bool checked);

private:
    int id;
};
