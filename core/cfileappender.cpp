#include "cfileappender.h"

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

CFileAppender::CFileAppender(const std::string& name, const std::string& datei, bool anhaengen)
    : FileAppender(name, mit_pfad(datei), anhaengen, 00644)
{
}

CFileAppender::~CFileAppender() = default;

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
