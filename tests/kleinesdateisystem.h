// A small file system of its own for the tests of writes on a nearly full disk: a tmpfs mounted on a folder (as root), filled up on request.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <fcntl.h>
#include <memory>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

// Mounted with the options ("size=8m,nr_inodes=4000") at the folder (made when missing), or at a
// new temporary folder of its own, and unmounted with the object however the test ends. Only root
// may mount, as CI runs: `ok` says whether it worked, and a test without it says why it skips.
// An "ext4" of `optionen` bytes ("8M"), an image on a loop device, reuses a deleted file's inode.
class KleinesDateisystem
{
public:
    KleinesDateisystem(const QString& ordner, const QByteArray& optionen, const char* art = "tmpfs") : ordner(ordner)
    {
        haenge_ein(optionen, art);
    }
    // A "ramfs" (`art`) stamps files by a clock that ticks every few milliseconds, as ext4 did before Linux 6.13.
    explicit KleinesDateisystem(const QByteArray& optionen, const char* art = "tmpfs")
        : eigener(std::make_unique<QTemporaryDir>()), ordner(eigener->path())
    {
        if (eigener->isValid())
            haenge_ein(optionen, art);
    }
    ~KleinesDateisystem()
    {
        if (ok)
            ::umount2(QFile::encodeName(ordner).constData(), MNT_DETACH);
    }
    KleinesDateisystem(const KleinesDateisystem&) = delete;
    KleinesDateisystem& operator=(const KleinesDateisystem&) = delete;

    QString pfad(const QString& name) const { return ordner + QLatin1Char('/') + name; }

    struct statvfs frei() const
    {
        struct statvfs st {};
        ::statvfs(QFile::encodeName(ordner).constData(), &st);
        return st;
    }

    // Fills the file system with a file of its own until at most `rest` bytes are free; with 0,
    // up to the last byte that file's blocks hold.
    void fuelle_bis(qint64 rest) const
    {
        const int fd = ::open(QFile::encodeName(pfad(fueller())).constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
        if (fd < 0)
            return;
        const QByteArray block(4096, 'f');
        const auto frei_bytes = [this] {
            const struct statvfs st = frei();
            return static_cast<qint64>(st.f_bavail) * static_cast<qint64>(st.f_frsize);
        };
        while (frei_bytes() > rest && ::write(fd, block.constData(), block.size()) > 0) {
        }
        while (rest == 0 && ::write(fd, block.constData(), 1) > 0) {
        }
        ::close(fd);
    }
    // Gives the room of `fuelle_bis` back.
    void leere() const { QFile::remove(pfad(fueller())); }

private:
    void haenge_ein(const QByteArray& optionen, const char* art = "tmpfs")
    {
        QDir().mkpath(ordner);
        const QString abbild = ordner + QStringLiteral("/.ext4"); // hidden by the file system it holds, and gone with the folder
        ok = QByteArray(art) != "ext4" ? ::mount(art, QFile::encodeName(ordner).constData(), art, 0, optionen.constData()) == 0
                                       : QProcess::execute("truncate", {"-s", optionen, abbild}) == 0
                                             && QProcess::execute("mkfs.ext4", {"-q", "-F", abbild}) == 0
                                             && QProcess::execute("mount", {"-o", "loop", abbild, ordner}) == 0;
    }
    static QString fueller() { return QStringLiteral(".fueller"); }

    const std::unique_ptr<QTemporaryDir> eigener;

public:
    const QString ordner;
    bool ok = false;
};
