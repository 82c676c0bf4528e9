#include "startzustand.h"

#include <QCoreApplication>
#include <QDir>
#include <QMutex>
#include <QMutexLocker>

std::atomic<int> startmodus{0};
std::atomic<bool> dbx_modus{false};
std::atomic<bool> update_erfolgreich{false};
std::atomic<int> installationszaehler{0};

namespace {

struct Vorgabe
{
    QMutex mutex;
    CQString verzeichnis;
};

Vorgabe& vorgabe()
{
    static Vorgabe* v = new Vorgabe;
    return *v;
}

// Stand-in for the core's application root until it is available: the first folder upward from
// the program that holds "support/", else the program's folder.
QDir anwendungsverzeichnis()
{
    const QDir programm(QCoreApplication::applicationDirPath());
    for (QDir d = programm;; ) {
        if (d.exists(QStringLiteral("support")))
            return d;
        if (!d.cdUp())
            return programm;
    }
}

} // namespace

CQString gib_zielverzeichnis_vorgabe()
{
    QMutexLocker lock(&vorgabe().mutex);
    return vorgabe().verzeichnis;
}

void setze_zielverzeichnis_vorgabe(const CQString& verzeichnis)
{
    QMutexLocker lock(&vorgabe().mutex);
    vorgabe().verzeichnis = verzeichnis;
}

CQString gib_zielverzeichnis()
{
    const CQString vorgabe = gib_zielverzeichnis_vorgabe();
    if (!vorgabe.isEmpty())
        return vorgabe;
    return CQString(anwendungsverzeichnis().absolutePath());
}
