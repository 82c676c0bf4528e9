// Stand-in programs for tests: a script that records how it was started, and waiting for that record.
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QThread>

// An executable script at `pfad` that writes "$#|$1" to `protokoll` whole (through a rename).
inline bool schreibe_stubprogramm(const QString& pfad, const QString& protokoll)
{
    QDir().mkpath(QFileInfo(pfad).absolutePath());
    QFile datei(pfad);
    const QByteArray ziel = "'" + QFile::encodeName(protokoll) + "'";
    return datei.open(QIODevice::WriteOnly)
           && datei.write("#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" >" + ziel + ".neu && /bin/mv " + ziel + ".neu " + ziel)
           && datei.setPermissions(datei.permissions() | QFileDevice::ExeOwner);
}

// The record once it exists, after at most thirty seconds (a loaded machine starts a program
// slowly); empty when none came.
inline QString warte_auf_protokoll(const QString& protokoll)
{
    for (const QDeadlineTimer frist(30000); !QFile::exists(protokoll) && !frist.hasExpired(); QThread::msleep(10))
        QCoreApplication::processEvents();
    QFile datei(protokoll);
    return datei.open(QIODevice::ReadOnly) ? QString::fromUtf8(datei.readAll()) : QString();
}
