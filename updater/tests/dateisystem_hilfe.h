// Test helper: a small file system of its own (tmpfs) at a folder, for runs on a nearly full disk.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <sys/mount.h>
#include <sys/statvfs.h>

namespace testzip {

// Mounted at the folder (made when missing) with the options ("size=8m,nr_inodes=4000"), and
// unmounted with the object. Mounting needs root, as CI runs: `ok` says whether it worked.
class KleinesDateisystem
{
public:
    KleinesDateisystem(const QString& pfad, const QByteArray& optionen) : pfad(QFile::encodeName(pfad))
    {
        QDir().mkpath(pfad);
        ok = ::mount("tmpfs", this->pfad.constData(), "tmpfs", 0, optionen.constData()) == 0;
    }
    ~KleinesDateisystem()
    {
        if (ok)
            ::umount2(pfad.constData(), MNT_DETACH);
    }
    KleinesDateisystem(const KleinesDateisystem&) = delete;
    KleinesDateisystem& operator=(const KleinesDateisystem&) = delete;

    struct statvfs frei() const
    {
        struct statvfs st{};
        ::statvfs(pfad.constData(), &st);
        return st;
    }

    const QByteArray pfad;
    bool ok = false;
};

} // namespace testzip
