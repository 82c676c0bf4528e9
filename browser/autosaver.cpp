#include "autosaver.h"

#include <QElapsedTimer>
#include <QMetaObject>
#include <QTimerEvent>
#include <QtGlobal>

namespace {

constexpr int sammelzeit_ms = 3000;
constexpr qint64 hoechstwartezeit_ms = 15000;

AutoSaver::Uhr& uhr()
{
    static AutoSaver::Uhr u;
    return u;
}

qint64 jetzt()
{
    if (uhr())
        return uhr()();
    static QElapsedTimer monoton;
    if (!monoton.isValid())
        monoton.start();
    return monoton.elapsed();
}

} // namespace

AutoSaver::AutoSaver(QObject* parent) : QObject(parent) {}

AutoSaver::~AutoSaver()
{
    if (timer.isActive())
        qWarning("AutoSaver: still active when destroyed, changes not saved.");
}

void AutoSaver::setze_uhr(Uhr neue_uhr)
{
    uhr() = std::move(neue_uhr);
}

void AutoSaver::changeOccurred()
{
    if (erste_aenderung < 0)
        erste_aenderung = jetzt();
    if (jetzt() - erste_aenderung > hoechstwartezeit_ms)
        saveIfNecessary();
    else
        timer.start(sammelzeit_ms, this);
}

void AutoSaver::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == timer.timerId())
        saveIfNecessary();
    else
        QObject::timerEvent(event);
}

void AutoSaver::saveIfNecessary()
{
    if (!timer.isActive())
        return;
    timer.stop();
    erste_aenderung = -1;
    if (!QMetaObject::invokeMethod(parent(), "save", Qt::DirectConnection))
        qWarning("AutoSaver: error invoking slot save() on parent");
}
