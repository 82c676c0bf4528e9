#include "cmailordner.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString namensvorlage = QStringLiteral(".mail_XXXXXX");

// Opens the folder at `pfad`, never through a link, when it is a folder of this user's, and takes
// its lock: the descriptor, or -1. Then `belegt` says whether a live process holds the lock or the
// name no longer names the folder opened (a cleanup took it); when it is clear, the folder cannot
// be opened or its file system has no locks.
int sperre_ordner(const QString& pfad, bool& belegt)
{
    belegt = false;
    const QByteArray name = QFile::encodeName(pfad);
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat offen{};
    struct stat jetzt{};
    if (::fstat(fd, &offen) == 0 && offen.st_uid == ::geteuid()) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            if (::lstat(name.constData(), &jetzt) == 0 && jetzt.st_dev == offen.st_dev && jetzt.st_ino == offen.st_ino)
                return fd;
            belegt = true;
        } else {
            belegt = errno == EWOULDBLOCK;
        }
    }
    ::close(fd);
    return -1;
}

// Every mail's folder in `arbeitsverzeichnis` that no live process holds: its mail is gone.
void entferne_verwaiste(const QString& arbeitsverzeichnis)
{
    const QDir ordner(arbeitsverzeichnis);
    const QString muster = QString(namensvorlage).replace(QLatin1Char('X'), QLatin1Char('?'));
    for (const QString& name : ordner.entryList({muster}, QDir::Dirs | QDir::Hidden | QDir::NoSymLinks)) {
        const QString pfad = ordner.filePath(name);
        bool belegt = false;
        const int fd = sperre_ordner(pfad, belegt);
        if (fd < 0)
            continue;
        // Removed while locked: a mail that made a folder of this name just now finds it gone
        // once it has the lock, and makes another.
        QDir(pfad).removeRecursively();
        ::close(fd);
    }
}

} // namespace

CMailordner::CMailordner(const QString& arbeitsverzeichnis)
{
    entferne_verwaiste(arbeitsverzeichnis);
    // Another mail's cleanup may take a new folder before it is locked: then another is made. On
    // a file system without locks the folder does without; no cleanup takes it there either.
    for (int versuch = 0; versuch < 3; ++versuch) {
        ordner = std::make_unique<QTemporaryDir>(arbeitsverzeichnis + QLatin1Char('/') + namensvorlage);
        if (!ordner->isValid()) {
            fehler = ordner->errorString();
            ordner.reset();
            return;
        }
        bool belegt = false;
        sperre = sperre_ordner(ordner->path(), belegt);
        if (!belegt)
            return;
    }
    fehler = QString::fromLocal8Bit(std::strerror(EBUSY));
    ordner.reset();
}

CMailordner::~CMailordner()
{
    // Removed before its lock goes: no cleanup can take it while it is being removed.
    ordner.reset();
    if (sperre >= 0)
        ::close(sperre);
}

bool CMailordner::ist_gueltig() const
{
    return ordner != nullptr;
}

QString CMailordner::gib_fehlertext() const
{
    return fehler;
}

QString CMailordner::datei(const QString& name) const
{
    return ordner ? ordner->filePath(name) : QString();
}

std::shared_ptr<const int> CMailordner::sperre_fuer_programm() const
{
    const int kopie = sperre >= 0 ? ::fcntl(sperre, F_DUPFD_CLOEXEC, 0) : -1;
    if (kopie < 0)
        return nullptr;
    return std::shared_ptr<const int>(new int(kopie), [](const int* fd) {
        ::close(*fd);
        delete fd;
    });
}

void CMailordner::behalten()
{
    if (ordner)
        ordner->setAutoRemove(false);
}
