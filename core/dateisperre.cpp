#include "dateisperre.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

CDateisperre::CDateisperre(const QString& pfad, int warte_ms)
{
    const int offen = ::open(QFile::encodeName(pfad).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (offen < 0)
        return;
    const QDeadlineTimer frist(warte_ms);
    for (;;) {
        if (::flock(offen, LOCK_EX | LOCK_NB) == 0) {
            fd = offen;
            return;
        }
        belegt = errno == EWOULDBLOCK;
        if ((errno != EWOULDBLOCK && errno != EINTR) || frist.hasExpired())
            break;
        QThread::msleep(2);
    }
    ::close(offen);
}

CDateisperre::~CDateisperre()
{
    // Closing the last descriptor of the open file gives the lock up.
    if (fd >= 0)
        ::close(fd);
}
