#include "handlevorrat.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>

namespace {

// The handles this process holds now (a window job holds more than the silent install).
quint64 offene_handles(rlim_t grenze)
{
    quint64 anzahl = 0;
    if (DIR* ordner = ::opendir("/proc/self/fd")) {
        while (const dirent* e = ::readdir(ordner))
            anzahl += e->d_name[0] != '.';
        ::closedir(ordner);
        // Without the listing's own.
        return anzahl > 0 ? anzahl - 1 : 0;
    }
    for (int fd = 0; fd < int(qMin<rlim_t>(grenze, 4096)); ++fd)
        anzahl += ::fcntl(fd, F_GETFD) != -1;
    return anzahl;
}

} // namespace

quint64 freie_handles(quint64 gewuenscht)
{
    struct rlimit grenze{};
    if (::getrlimit(RLIMIT_NOFILE, &grenze) != 0 || grenze.rlim_cur == RLIM_INFINITY)
        return gewuenscht;
    const quint64 offen = offene_handles(grenze.rlim_cur);
    const rlim_t noetig = rlim_t(offen + gewuenscht);
    if (grenze.rlim_cur < noetig && grenze.rlim_cur < grenze.rlim_max) {
        grenze.rlim_cur = grenze.rlim_max == RLIM_INFINITY ? noetig : qMin(grenze.rlim_max, noetig);
        if (::setrlimit(RLIMIT_NOFILE, &grenze) != 0)
            ::getrlimit(RLIMIT_NOFILE, &grenze);
    }
    return quint64(grenze.rlim_cur) > offen ? quint64(grenze.rlim_cur) - offen : 0;
}
