#include "czielsperre.h"
#include "sitzungsende.h"
#include "steuerzeichen.h"
#include "zielordner.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace {

std::atomic<int> wartezeit{5000};

// The lock is taken on a file in the folder, never on the folder itself: anyone who may open a
// folder could lock it and hold every install off. The file is there only while a run holds it
// (the holder removes it before it lets go), and only those who may write the folder may open it:
// its owner, its group and others as the folder lets them write, nobody for reading alone. The
// lock is a write lock (an OFD lock, one per open file, as two processes have), which no one can
// take on a file he may only read.
constexpr char sperrname[] = ".aktualisierer.sperre";
// Written into a lock file the program made: only such a file is removed, never a file of that
// name that someone else put there.
constexpr char marke[] = "Sperre des Aktualisierers\n";

// The folders this process holds, by device and inode, with the descriptors of the folder and of
// the lock file (-1 where the folder allows none), the number of holders and whether one of them
// changes the folder. One lock file per folder: a second lock of the same process on another
// descriptor would wait for the first.
struct CSperrliste
{
    struct CEintrag
    {
        int ordner = -1;
        int fd = -1;
        bool eigene = false;
        int halter = 0;
        bool geaendert = false;
    };
    std::mutex mutex;
    std::condition_variable frei;
    std::map<std::pair<unsigned long long, unsigned long long>, CEintrag> ordner;
};

// How often a wait looks whether its run is to stop: a stop acts well within 100 ms.
constexpr std::chrono::milliseconds haltblick(10);

// Whether the run that waits is to stop: the session ends, or its job (`angehalten`).
bool halt(const std::function<bool()>& angehalten)
{
    return sitzungsende_signal() != 0 || (angehalten && angehalten());
}

// Waits, as a holder of the entry, until no other job of the process changes the folder, and
// marks the entry as changed by this one; false, without the mark, where the run is to stop first.
bool warte_auf_alleinige(CSperrliste& liste, std::unique_lock<std::mutex>& lock, CSperrliste::CEintrag& eintrag,
                         const QString& ordner, const std::function<void(const QString&)>& beim_warten,
                         const std::function<bool()>& angehalten)
{
    if (eintrag.geaendert && beim_warten) {
        lock.unlock();
        beim_warten(QCoreApplication::translate("UpdaterMainWindow",
                                                "Zielverzeichnis %1 wird von einem anderen Auftrag bearbeitet: "
                                                "warte, bis er endet")
                        .arg(maskiere_steuerzeichen(ordner)));
        lock.lock();
    }
    while (!liste.frei.wait_for(lock, haltblick, [&eintrag] { return !eintrag.geaendert; }))
        if (halt(angehalten))
            return false;
    eintrag.geaendert = true;
    return true;
}

CSperrliste& sperrliste()
{
    static CSperrliste* liste = new CSperrliste;
    return *liste;
}

// A new lock file opens to those who may write the folder `st` describes, and carries the mark.
// In a sticky folder others may add files but change none of this user's: they get no share.
void richte_ein(int fd, const struct stat& ordner)
{
    mode_t rechte = S_IRUSR | S_IWUSR;
    const mode_t schreiben = (ordner.st_mode & S_ISVTX) ? 0 : ordner.st_mode;
    // A file made by the administrator in a user's folder belongs to the user, as the folder.
    if ((schreiben & S_IWGRP) && ::fchown(fd, ::geteuid() == 0 ? ordner.st_uid : uid_t(-1), ordner.st_gid) == 0)
        rechte |= S_IRGRP | S_IWGRP;
    else if (::geteuid() == 0)
        (void)::fchown(fd, ordner.st_uid, gid_t(-1));
    if (schreiben & S_IWOTH)
        rechte |= S_IROTH | S_IWOTH;
    (void)::fchmod(fd, rechte);
    (void)!::write(fd, marke, sizeof marke - 1);
}

// The lock file of the folder, opened for writing or made; -1 where none can be had: the folder
// takes no file (this user may not write it), or something that is no regular file stands at its
// name; -2 for a file this user may not write (one just made is so for a moment, until it opens
// to all who may write the folder). `eigene`: made by the program, so it may go again.
int oeffne_sperrdatei(int ordner, bool& eigene)
{
    int fd = ::openat(ordner, sperrname, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR);
    struct stat st{};
    eigene = fd >= 0;
    if (eigene && ::fstat(ordner, &st) == 0)
        richte_ein(fd, st);
    else if (!eigene && errno == EEXIST && (fd = ::openat(ordner, sperrname, O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC)) < 0)
        return errno == EACCES ? -2 : -1;
    if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
        ::close(fd);
        return -1;
    }
    char inhalt[sizeof marke] = {};
    if (fd >= 0 && !eigene)
        eigene = ::pread(fd, inhalt, sizeof inhalt, 0) == ssize_t(sizeof marke - 1) && std::strcmp(inhalt, marke) == 0;
    return fd;
}

// Whether the open lock file `fd` is still the one at its name in `ordner`.
bool steht_noch(int ordner, int fd)
{
    struct stat offen{};
    struct stat jetzt{};
    return ::fstat(fd, &offen) == 0 && ::fstatat(ordner, sperrname, &jetzt, AT_SYMLINK_NOFOLLOW) == 0
           && offen.st_dev == jetzt.st_dev && offen.st_ino == jetzt.st_ino;
}

// Takes the lock of the folder within the wait that `uhr` measures: the lock file's descriptor,
// or -1, with `besetzt` when another run held it all that time (without, where the folder allows
// no lock), or with `gestoppt` when the run was to stop while it waited.
int nimm_sperre(int ordner, bool& eigene, bool& besetzt, bool& gestoppt, const QElapsedTimer& uhr,
                const std::function<bool()>& angehalten)
{
    const auto warte = [&] {
        gestoppt = halt(angehalten);
        if (!gestoppt)
            std::this_thread::sleep_for(haltblick);
        return !gestoppt;
    };
    for (;;) {
        const int fd = oeffne_sperrdatei(ordner, eigene);
        // Waited for while it may be a new one; then the run goes on without, as where the
        // folder allows none.
        if (fd == -2 && uhr.elapsed() < wartezeit) {
            if (!warte())
                return -1;
            continue;
        }
        if (fd < 0)
            return -1;
        struct flock sperre{};
        sperre.l_type = F_WRLCK;
        sperre.l_whence = SEEK_SET;
        while (::fcntl(fd, F_OFD_SETLK, &sperre) != 0) {
            const int fehler = errno;
            besetzt = fehler == EAGAIN || fehler == EACCES;
            if ((!besetzt && fehler != EINTR) || uhr.elapsed() >= wartezeit || !warte()) {
                ::close(fd);
                return -1;
            }
        }
        besetzt = false;
        // Its holder removed it before letting go: a lock on a file that is no longer at its name
        // guards nothing.
        if (steht_noch(ordner, fd))
            return fd;
        ::close(fd);
    }
}

// Lets the lock go: the program's own lock file is removed first, while still held.
void gib_frei(const CSperrliste::CEintrag& eintrag)
{
    if (eintrag.fd >= 0 && eintrag.eigene && steht_noch(eintrag.ordner, eintrag.fd))
        ::unlinkat(eintrag.ordner, sperrname, 0);
    if (eintrag.fd >= 0)
        ::close(eintrag.fd);
    ::close(eintrag.ordner);
}

// Whether the path still names the open folder: one renamed or replaced while its lock was
// waited for is no longer the target, and its lock guards nothing of it.
bool nennt_noch(const QByteArray& pfad, int ordner)
{
    struct stat offen{};
    struct stat jetzt{};
    return ::fstat(ordner, &offen) == 0 && ::stat(pfad.constData(), &jetzt) == 0 && offen.st_dev == jetzt.st_dev
           && offen.st_ino == jetzt.st_ino;
}

} // namespace

QLatin1String CZielsperre::gib_sperrdateiname()
{
    return QLatin1String(sperrname);
}

int CZielsperre::gib_wartezeit()
{
    return wartezeit;
}

void CZielsperre::setze_wartezeit(int ms)
{
    wartezeit = ms;
}

CZielsperre::CZielsperre(const QString& ordner, Zugriff zugriff, const std::function<void(const QString&)>& beim_warten,
                         const std::function<void()>& beim_nehmen, const std::function<bool()>& angehalten)
{
    const auto gestoppt = [this, &ordner] {
        fehlertext = QCoreApplication::translate("UpdaterMainWindow", "Warten auf Zielverzeichnis %1 angehalten")
                         .arg(maskiere_steuerzeichen(ordner));
    };
    const QByteArray pfad = QFile::encodeName(ordner);
    QElapsedTimer uhr;
    uhr.start();
    // Once more with the folder that now stands at the path, where the one waited for went.
    for (;;) {
        const int fd = ::open(pfad.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        struct stat st{};
        if (fd < 0 || ::fstat(fd, &st) != 0) {
            const int fehler = errno;
            if (fd >= 0)
                ::close(fd);
            // Nothing to protect in a folder that is not there; the work itself reports it.
            gehalten_ = fehler == ENOENT || fehler == ENOTDIR;
            if (!gehalten_)
                fehlertext = zielordner_fehlertext(ordner, fehler);
            else if (beim_nehmen)
                beim_nehmen();
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
            // Stopped while it waits, it leaves as a holder that never held (the destructor
            // counts it off).
            if (zugriff == aendern && !warte_auf_alleinige(liste, lock, eintrag, ordner, beim_warten, angehalten)) {
                gehalten_ = false;
                gestoppt();
                return;
            }
            aendert = zugriff == aendern;
            return;
        }
        bool eigene = false;
        bool gehalten_von_anderem = false;
        bool stop = false;
        const int sperre = nimm_sperre(fd, eigene, gehalten_von_anderem, stop, uhr, angehalten);
        if (stop) {
            ::close(fd);
            liste.ordner.erase({geraet, knoten});
            gestoppt();
            return;
        }
        if (!gehalten_von_anderem) {
            eintrag = {fd, sperre, eigene, 1, zugriff == aendern};
            if (!nennt_noch(pfad, fd)) {
                gib_frei(eintrag);
                liste.ordner.erase({geraet, knoten});
                continue;
            }
            if (beim_nehmen) {
                try {
                    beim_nehmen();
                } catch (...) {
                    gib_frei(eintrag);
                    liste.ordner.erase({geraet, knoten});
                    throw;
                }
            }
            aendert = zugriff == aendern;
            gehalten_ = eingetragen = true;
            return;
        }
        ::close(fd);
        liste.ordner.erase({geraet, knoten});
        besetzt_ = true;
        fehlertext = QCoreApplication::translate("UpdaterMainWindow",
                                                 "Zielverzeichnis %1 wird von einem anderen Programm bearbeitet")
                         .arg(maskiere_steuerzeichen(ordner));
        return;
    }
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
    gib_frei(it->second);
    liste.ordner.erase(it);
}
