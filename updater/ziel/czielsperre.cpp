#include "czielsperre.h"
#include "steuerzeichen.h"
#include "zielordner.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace {

std::atomic<int> wartezeit{5000};

// The folders this process holds, by device and inode, with the descriptor that carries the
// lock, the number of holders and whether one of them changes the folder. One descriptor per
// folder: a second flock of the same process on another descriptor would wait for the first.
struct CSperrliste
{
    struct CEintrag
    {
        int fd = -1;
        int halter = 0;
        bool geaendert = false;
    };
    std::mutex mutex;
    std::condition_variable frei;
    std::map<std::pair<unsigned long long, unsigned long long>, CEintrag> ordner;
};

// Waits, as a holder of the entry, until no other job of the process changes the folder, and
// marks the entry as changed by this one.
void warte_auf_alleinige(CSperrliste& liste, std::unique_lock<std::mutex>& lock, CSperrliste::CEintrag& eintrag,
                         const QString& ordner, const std::function<void(const QString&)>& beim_warten)
{
    if (eintrag.geaendert && beim_warten) {
        lock.unlock();
        beim_warten(QCoreApplication::translate("UpdaterMainWindow",
                                                "Zielverzeichnis %1 wird von einem anderen Auftrag bearbeitet: "
                                                "warte, bis er endet")
                        .arg(maskiere_steuerzeichen(ordner)));
        lock.lock();
    }
    liste.frei.wait(lock, [&eintrag] { return !eintrag.geaendert; });
    eintrag.geaendert = true;
}

CSperrliste& sperrliste()
{
    static CSperrliste* liste = new CSperrliste;
    return *liste;
}

} // namespace

int CZielsperre::gib_wartezeit()
{
    return wartezeit;
}

void CZielsperre::setze_wartezeit(int ms)
{
    wartezeit = ms;
}

CZielsperre::CZielsperre(const QString& ordner, Zugriff zugriff, const std::function<void(const QString&)>& beim_warten)
{
    const int fd = ::open(QFile::encodeName(ordner).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct stat st{};
    if (fd < 0 || ::fstat(fd, &st) != 0) {
        const int fehler = errno;
        if (fd >= 0)
            ::close(fd);
        // Nothing to protect in a folder that is not there; the work itself reports it.
        gehalten_ = fehler == ENOENT || fehler == ENOTDIR;
        if (!gehalten_)
            fehlertext = zielordner_fehlertext(ordner, fehler);
        return;
    }
    geraet = st.st_dev;
    knoten = st.st_ino;
    CSperrliste& liste = sperrliste();
    // The list stays locked while another process is waited for, so that two jobs of this
    // process never wait for it at once. The entry stays while it has holders.
    std::unique_lock<std::mutex> lock(liste.mutex);
    auto& eintrag = liste.ordner[{geraet, knoten}];
    if (eintrag.halter > 0) {
        ::close(fd);
        ++eintrag.halter;
        gehalten_ = eingetragen = true;
        if (zugriff == aendern)
            warte_auf_alleinige(liste, lock, eintrag, ordner, beim_warten);
        aendert = zugriff == aendern;
        return;
    }
    QElapsedTimer uhr;
    uhr.start();
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            eintrag.fd = fd;
            eintrag.halter = 1;
            eintrag.geaendert = aendert = zugriff == aendern;
            gehalten_ = eingetragen = true;
            return;
        }
        if ((errno != EWOULDBLOCK && errno != EINTR) || uhr.elapsed() >= wartezeit)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ::close(fd);
    liste.ordner.erase({geraet, knoten});
    fehlertext = QCoreApplication::translate("UpdaterMainWindow",
                                             "Zielverzeichnis %1 wird von einem anderen Programm bearbeitet")
                     .arg(maskiere_steuerzeichen(ordner));
}

CZielsperre::~CZielsperre()
{
    if (!eingetragen)
        return;
    CSperrliste& liste = sperrliste();
    std::lock_guard<std::mutex> lock(liste.mutex);
    const auto it = liste.ordner.find({geraet, knoten});
    if (it == liste.ordner.end())
        return;
    if (aendert) {
        it->second.geaendert = false;
        liste.frei.notify_all();
    }
    if (--it->second.halter > 0)
        return;
    ::close(it->second.fd);
    liste.ordner.erase(it);
}
