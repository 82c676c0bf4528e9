// The process's peak resident memory as the benchmarks measure it, step by step.
#pragma once

#include <QFile>

// The process's peak resident set in MiB since the last reset.
inline double spitze_mib()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& zeile : status.readAll().split('\n'))
        if (zeile.startsWith("VmHWM:"))
            return zeile.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

// Starts the next measurement from the memory in use now.
inline void setze_spitze_zurueck()
{
    QFile clear_refs(QStringLiteral("/proc/self/clear_refs"));
    if (clear_refs.open(QIODevice::WriteOnly))
        clear_refs.write("5");
}
