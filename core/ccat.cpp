#include "ccat.h"
#include "klassen.h"

#include <atomic>
#include <mutex>
#include <cstdlib>
#include <log4cpp/Category.hh>

CKlasse* CQCat::klasse = &eintrag_CQCat;

namespace {

struct Zustand
{
    std::mutex mutex;
    CQString name;
    log4cpp::Category* kategorie = nullptr;
};

Zustand& zustand()
{
    static Zustand* z = new Zustand;
    return *z;
}

std::atomic<bool> beendet{false};

void markiere_ende()
{
    beendet = true;
}

} // namespace

CQCat* CQCat::gib_instanz()
{
    static CQCat* instanz = new CQCat;
    return instanz;
}

CQCat::CQCat()
{
    std::lock_guard<std::mutex> lock(zustand().mutex);
    if (!zustand().kategorie) {
        const std::string name = zustand().name.toStdString();
        // Asking for a category builds log4cpp's hierarchy first; an exit handler registered
        // after that runs before the hierarchy is torn down at exit.
        log4cpp::Category::getRoot();
        std::atexit(markiere_ende);
        zustand().kategorie = name.empty() ? &log4cpp::Category::getRoot()
                                           : &log4cpp::Category::getInstance(name);
    }
    kategorie = zustand().kategorie;
}

CQCat::~CQCat() = default;

void CQCat::ausgabe(std::ostream&) const {}

CQString CQCat::gib_name() const
{
    std::lock_guard<std::mutex> lock(zustand().mutex);
    return zustand().name;
}

void CQCat::setze_name(const CQString& name)
{
    std::lock_guard<std::mutex> lock(zustand().mutex);
    zustand().name = name;
}

bool CQCat::ist_beendet()
{
    return beendet;
}

void CQCat::debug(const CQString& text) { log(log4cpp::Priority::DEBUG, text); }
void CQCat::info(const CQString& text) { log(log4cpp::Priority::INFO, text); }
void CQCat::warn(const CQString& text) { log(log4cpp::Priority::WARN, text); }
void CQCat::error(const CQString& text) { log(log4cpp::Priority::ERROR, text); }

void CQCat::log(int prioritaet, const CQString& text)
{
    if (beendet)
        return;
    try {
        kategorie->log(prioritaet, qstring_zu_string(text));
    } catch (...) {
        // Logging never fails its caller.
    }
}

void CQCat::info(const std::string& text)
{
    if (!beendet)
        kategorie->info(text);
}

void CQCat::error(const std::string& text)
{
    if (!beendet)
        kategorie->error(text);
}

void CQCat::log(int prioritaet, const std::string& text)
{
    if (beendet)
        return;
    try {
        kategorie->log(prioritaet, text);
    } catch (...) {
    }
}
