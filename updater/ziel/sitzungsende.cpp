#include "sitzungsende.h"
#include "ccat.h"
#include "clogbase.h"

#include <QCoreApplication>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {

std::atomic<int> empfangen{0};
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler may only touch a lock-free value");
// One descriptor, not the two of a pipe: under a low limit of open files every one counts.
int weckruf = -1;

// Only what a signal handler may do: a lock-free store and a write to an event counter (never
// blocking).
void bei_signal(int nummer)
{
    const int alt = errno;
    int keins = 0;
    empfangen.compare_exchange_strong(keins, nummer);
    const std::uint64_t eins = 1;
    if (weckruf >= 0)
        (void)!::write(weckruf, &eins, sizeof eins);
    errno = alt;
}

const char* signalname(int nummer)
{
    switch (nummer) {
    case SIGTERM: return "SIGTERM";
    case SIGHUP: return "SIGHUP";
    case SIGINT: return "SIGINT";
    default: return "?";
    }
}

} // namespace

void fange_sitzungsende_ab(bool mit_weckruf)
{
    if (mit_weckruf && weckruf < 0)
        weckruf = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    struct sigaction aktion{};
    aktion.sa_handler = bei_signal;
    sigemptyset(&aktion.sa_mask);
    // The threads' calls go on where they were: a run sees the signal between two entries.
    aktion.sa_flags = SA_RESTART;
    for (const int nummer : {SIGTERM, SIGHUP, SIGINT})
        ::sigaction(nummer, &aktion, nullptr);
}

int sitzungsende_signal()
{
    return empfangen.load();
}

bool job_angehalten(CQLogBase* log)
{
    return (log && log->ist_abgebrochen()) || sitzungsende_signal() != 0;
}

int sitzungsende_handle()
{
    return weckruf;
}

bool melde_sitzungsende()
{
    const int nummer = sitzungsende_signal();
    if (nummer == 0)
        return false;
    CQCat::gib_instanz()->error(CQString(
        QCoreApplication::translate("QObject", "Programmende durch Signal %1: laufende Aufträge wurden angehalten")
            .arg(QLatin1String(signalname(nummer)))));
    return true;
}
