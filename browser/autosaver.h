// Delays and batches the saving of its parent's data after changes: 3 s after the last, at most 15 s after the first.
#pragma once

#include <QBasicTimer>
#include <QObject>
#include <functional>

// The parent must have a slot "save". Owners call `saveIfNecessary` in their destructors: a
// saver destroyed with a save pending does not save (it warns).
class AutoSaver : public QObject
{
    Q_OBJECT
public:
    explicit AutoSaver(QObject* parent);
    ~AutoSaver() override;

    // Saves at once when a save is pending.
    void saveIfNecessary();

    // The clock the delays are measured with, in milliseconds (tests replace it); an empty
    // function restores the monotonic clock.
    using Uhr = std::function<qint64()>;
    static void setze_uhr(Uhr uhr);

public slots:
    void changeOccurred();

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    QBasicTimer timer;
    // Time of the first change since the last save; -1 while none is pending.
    qint64 erste_aenderung = -1;
};
