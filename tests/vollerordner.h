// A small file system of its own for the tests of writes on a full disk: a tmpfs mounted on a temporary folder (as root), filled up to a given room.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <sys/mount.h>
#include <sys/statvfs.h>

// Mounts a tmpfs of `groesse` bytes on a new temporary folder while this object lives. Only root
// may mount: elsewhere `bereit()` is false and the test says why it skips.
class VollerOrdner
{
public:
    explicit VollerOrdner(unsigned long groesse)
    {
        if (!ordner.isValid())
            return;
        const QByteArray optionen = "size=" + QByteArray::number(static_cast<qulonglong>(groesse));
        eingehaengt = ::mount("tmpfs", QFile::encodeName(ordner.path()).constData(), "tmpfs", 0, optionen.constData()) == 0;
    }
    ~VollerOrdner()
    {
        if (eingehaengt)
            ::umount2(QFile::encodeName(ordner.path()).constData(), MNT_DETACH);
    }
    VollerOrdner(const VollerOrdner&) = delete;
    VollerOrdner& operator=(const VollerOrdner&) = delete;

    bool bereit() const { return eingehaengt; }
    QString pfad(const QString& name) const { return ordner.filePath(name); }

    // Fills the file system with a file of its own until at most `rest` bytes are free.
    void fuelle_bis(qint64 rest)
    {
        QFile fueller(pfad(QStringLiteral(".fueller")));
        if (!fueller.open(QIODevice::Append))
            return;
        const QByteArray block(4096, 'f');
        for (;;) {
            struct statvfs platz {};
            if (::statvfs(QFile::encodeName(ordner.path()).constData(), &platz) != 0)
                return;
            const qint64 frei = static_cast<qint64>(platz.f_bavail) * static_cast<qint64>(platz.f_frsize);
            if (frei <= rest || fueller.write(block) != block.size() || !fueller.flush())
                return;
        }
    }

private:
    QTemporaryDir ordner;
    bool eingehaengt = false;
};
