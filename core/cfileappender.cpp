#include "cfileappender.h"
#include "eigentum.h"

#include <log4cpp/Layout.hh>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <iostream>
#include <map>
#include <mutex>
#include <system_error>

namespace log4cpp {

// One open log file and what has been said about it. Its lock orders the writes of all
// appenders sharing it and the exchange of the descriptor by a reopen.
struct CGeteilteLogdatei
{
    explicit CGeteilteLogdatei(const std::string& p) : pfad(p) {}
    ~CGeteilteLogdatei();
    CGeteilteLogdatei(const CGeteilteLogdatei&) = delete;
    CGeteilteLogdatei& operator=(const CGeteilteLogdatei&) = delete;

    const std::string pfad;
    std::mutex mutex;
    int fd = -1;
    bool oeffnen_gemeldet = false;
    bool schreiben_gemeldet = false;
};

namespace {

struct Logverzeichnis
{
    std::mutex mutex;
    std::string pfad;
};

Logverzeichnis& logverzeichnis()
{
    static Logverzeichnis* l = new Logverzeichnis;
    return *l;
}

// The log files of the process by the name they were opened under. Built on first use and never
// destroyed: appenders go when log4cpp ends, late.
struct Logdateien
{
    std::mutex mutex;
    std::map<std::string, std::weak_ptr<CGeteilteLogdatei>> dateien;
};

Logdateien& logdateien()
{
    static auto* l = new Logdateien;
    return *l;
}

// The handles the log holds: files and sockets.
std::atomic<long> loghandles{0};
std::atomic<bool> grenze_gemeldet{false};

// The log's share of the open-files limit: the rest is the program's own work.
long hoechstzahl_loghandles()
{
    struct rlimit grenze{};
    if (::getrlimit(RLIMIT_NOFILE, &grenze) != 0 || grenze.rlim_cur == RLIM_INFINITY)
        return -1;
    return static_cast<long>(grenze.rlim_cur / 4);
}

std::string grund(int fehler)
{
    // EPERM: a link of another user, which is never followed.
    if (fehler == EPERM)
        return "Link eines anderen Anwenders";
    return fehler == EINVAL ? std::string("keine regulaere Datei") : std::generic_category().message(fehler);
}

// Said on standard error: an appender must not log from inside an appender.
void melde(const std::string& text)
{
    std::cerr << text << std::endl;
}

} // namespace

CGeteilteLogdatei::~CGeteilteLogdatei()
{
    if (fd >= 0) {
        ::close(fd);
        CFileAppender::gib_loghandle_frei();
    }
}

bool CFileAppender::belege_loghandle(const std::string& name)
{
    const long hoechstens = hoechstzahl_loghandles();
    long belegt = loghandles.load();
    do {
        if (hoechstens >= 0 && belegt >= hoechstens) {
            if (!grenze_gemeldet.exchange(true))
                melde("Log-Ziel " + name + " und weitere werden nicht geoeffnet: das Log belegt schon "
                      + std::to_string(hoechstens) + " offene Dateien, ein Viertel der Grenze");
            return false;
        }
    } while (!loghandles.compare_exchange_weak(belegt, belegt + 1));
    return true;
}

void CFileAppender::gib_loghandle_frei()
{
    --loghandles;
}

// The library's own open waits on a pipe until a reader comes, which may be never: the file is
// opened here, and the appender writes through the shared file; the library's descriptor stays
// unused, so that its close has nothing to close.
CFileAppender::CFileAppender(const std::string& name, const std::string& datei, bool anhaengen)
    : FileAppender(name, -1), pfad(mit_pfad(datei))
{
    _flags = O_CREAT | O_APPEND | O_WRONLY | (anhaengen ? 0 : O_TRUNC);
    _mode = 00644;
    this->datei = teile_datei(pfad, [this] { return oeffne(); }, !anhaengen);
}

// A log folder may be one that others write (a "path" to a shared folder, the current one): a
// link of the log's name that another user planted there is never written through.
int CFileAppender::oeffne() const
{
    return oeffne_ohne_fremde_links(pfad.c_str(), _flags, _mode);
}

CFileAppender::~CFileAppender() = default;

std::shared_ptr<CGeteilteLogdatei>
CFileAppender::teile_datei(const std::string& schluessel, const std::function<int()>& oeffne, bool kuerzen)
{
    auto& alle = logdateien();
    std::lock_guard<std::mutex> lock(alle.mutex);
    std::weak_ptr<CGeteilteLogdatei>& eintrag = alle.dateien[schluessel];
    std::shared_ptr<CGeteilteLogdatei> datei = eintrag.lock();
    if (!datei) {
        datei = std::make_shared<CGeteilteLogdatei>(schluessel);
        eintrag = datei;
    }
    std::lock_guard<std::mutex> dateilock(datei->mutex);
    if (datei->fd >= 0) {
        // As a second open of the name would have done it.
        if (kuerzen)
            (void)::ftruncate(datei->fd, 0);
        return datei;
    }
    if (!belege_loghandle(schluessel))
        return datei;
    datei->fd = oeffne();
    if (datei->fd < 0) {
        const int fehler = errno;
        gib_loghandle_frei();
        if (!datei->oeffnen_gemeldet)
            melde("Log-Datei " + schluessel + " kann nicht geoeffnet werden: " + grund(fehler));
        datei->oeffnen_gemeldet = true;
    }
    return datei;
}

bool CFileAppender::reopen()
{
    std::lock_guard<std::mutex> lock(datei->mutex);
    if (datei->fd < 0 && !belege_loghandle(pfad))
        return false;
    const int fd = oeffne();
    if (fd < 0) {
        if (datei->fd < 0)
            gib_loghandle_frei();
        return false;
    }
    if (datei->fd >= 0)
        ::close(datei->fd);
    datei->fd = fd;
    datei->schreiben_gemeldet = false;
    return true;
}

void CFileAppender::_append(const LoggingEvent& ereignis)
{
    const std::string text = _getLayout().format(ereignis);
    std::lock_guard<std::mutex> lock(datei->mutex);
    if (datei->fd < 0)
        return;
    std::size_t geschrieben = 0;
    while (geschrieben < text.size()) {
        const ssize_t n = ::write(datei->fd, text.data() + geschrieben, text.size() - geschrieben);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            // A full disk or the file-size limit: said once, not at every line; a later line is
            // tried all the same, for the space may come back.
            if (!datei->schreiben_gemeldet)
                melde("Log-Datei " + pfad + " kann nicht mehr geschrieben werden: "
                      + grund(n < 0 ? errno : ENOSPC));
            datei->schreiben_gemeldet = true;
            return;
        }
        geschrieben += static_cast<std::size_t>(n);
    }
}

void CFileAppender::setze_pfad(const std::string& verzeichnis)
{
    std::lock_guard<std::mutex> lock(logverzeichnis().mutex);
    logverzeichnis().pfad = verzeichnis;
}

std::string CFileAppender::gib_pfad()
{
    std::lock_guard<std::mutex> lock(logverzeichnis().mutex);
    return logverzeichnis().pfad;
}

std::string CFileAppender::mit_pfad(const std::string& datei)
{
    const std::string verzeichnis = gib_pfad();
    // Also in front of an absolute name: the folder decides where every log goes.
    return verzeichnis.empty() ? datei : verzeichnis + "/" + datei;
}

} // namespace log4cpp
