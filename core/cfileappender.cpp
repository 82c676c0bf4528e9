#include "cfileappender.h"
#include "dateien.h"

#include <fcntl.h>
#include <unistd.h>

#include <mutex>

namespace log4cpp {

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

} // namespace

// The library's own open waits on a pipe until a reader comes, which may be never: the file is
// opened here, and the library takes the descriptor.
CFileAppender::CFileAppender(const std::string& name, const std::string& datei, bool anhaengen)
    : FileAppender(name, -1), pfad(mit_pfad(datei))
{
    _flags = O_CREAT | O_APPEND | O_WRONLY | (anhaengen ? 0 : O_TRUNC);
    _mode = 00644;
    _fd = oeffne_regulaere_datei(pfad.c_str(), _flags, _mode);
}

CFileAppender::~CFileAppender() = default;

bool CFileAppender::reopen()
{
    const int fd = oeffne_regulaere_datei(pfad.c_str(), _flags, _mode);
    if (fd < 0)
        return false;
    if (_fd != -1)
        ::close(_fd);
    _fd = fd;
    return true;
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
