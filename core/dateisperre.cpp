#include "dateisperre.h"

#include "dateien.h"
#include "privatdatei.h"
#include "sitzungsende.h"
#include "steuerzeichen.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The lock file opened, or made 0600; -1 where this user cannot have it alone: a link, no
// regular file, or a file of another account stands at its name.
int oeffne_sperrdatei(const QByteArray& name)
{
    const int fd = ::open(name.constData(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, S_IRUSR | S_IWUSR);
    struct stat info;
    // A file of this user's that others could open (made so by hand) is closed to them now.
    if (fd >= 0
        && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()
            || ((info.st_mode & 077) != 0 && !mache_privat(fd)))) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

QString CDateisperre::sperrdatei(const QString& datei)
{
    // Hidden beside the file: one lock for every name the file has. None where a link is not
    // followed: nothing is written there either.
    const QString echt = echter_pfad(datei);
    if (echt.isEmpty())
        return QString();
    const QFileInfo info(echt);
    return info.path() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".sperre");
}

CDateisperre::CDateisperre(const QString& datei, int warte_ms)
{
    const QString name = sperrdatei(datei);
    // Where no lock file of this user's alone can be had, what it guards goes on without, as it
    // did before there was a lock: so no one else can hold it up, not even with a file he put at
    // its name in a folder others may write.
    const int offen = name.isEmpty() ? -1 : oeffne_sperrdatei(QFile::encodeName(name));
    if (offen < 0)
        return;
    if (nimm(offen, LOCK_EX, warte_ms, true)) {
        fd = offen;
        return;
    }
    if (errno == EWOULDBLOCK)
        grund = QCoreApplication::translate("Dateisperre", "Die Sperrdatei %1 haelt ein anderes Programm seit mehr als %2 s")
                    .arg(maskiere_steuerzeichen(name))
                    .arg(warte_ms / 1000.0);
    else if (errno == ECANCELED)
        grund = QCoreApplication::translate("Dateisperre", "Warten auf die Sperrdatei %1 angehalten").arg(maskiere_steuerzeichen(name));
    ::close(offen);
}

bool CDateisperre::nimm(int fd, int art, int warte_ms, bool bis_zum_sitzungsende)
{
    const QDeadlineTimer frist(warte_ms);
    for (;;) {
        if (::flock(fd, art | LOCK_NB) == 0)
            return true;
        if ((errno != EWOULDBLOCK && errno != EINTR) || frist.hasExpired())
            return false;
        if (bis_zum_sitzungsende && sitzungsende_signal() != 0) {
            errno = ECANCELED;
            return false;
        }
        QThread::msleep(2);
    }
}

CDateisperre::~CDateisperre()
{
    // Closing the last descriptor of the open file gives the lock up.
    if (fd >= 0)
        ::close(fd);
}
