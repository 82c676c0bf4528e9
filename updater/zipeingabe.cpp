#include "zipeingabe.h"

#include <QtGlobal>

#include <cerrno>
#include <cstring>
#include <memory>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr size_t blockgroesse = 256 * 1024;

// One block of the file held in memory.
struct CBlock
{
    std::unique_ptr<char[]> daten{new char[blockgroesse]};
    ZPOS64_T anfang = 0;
    ZPOS64_T laenge = 0;
    unsigned long long benutzt = 0;

    bool enthaelt(ZPOS64_T position) const { return position >= anfang && position < anfang + laenge; }
};

// Two blocks: minizip alternates between the central directory at the end of the file and the
// entries' data, and each of the two is read in order.
struct CZipEingabe
{
    int fd = -1;
    ZPOS64_T groesse = 0;
    ZPOS64_T position = 0;
    CBlock bloecke[2];
    unsigned long long uhr = 0;
    int fehler = 0;
};

qint64 lies_ab(int fd, char* ziel, size_t anzahl, ZPOS64_T position)
{
    for (;;) {
        const ssize_t n = ::pread(fd, ziel, anzahl, static_cast<off_t>(position));
        if (n >= 0 || errno != EINTR)
            return n;
    }
}

voidpf ZCALLBACK oeffne(voidpf, const void* dateiname, int modus)
{
    if (!dateiname || (modus & ZLIB_FILEFUNC_MODE_READWRITEFILTER) != ZLIB_FILEFUNC_MODE_READ)
        return nullptr;
    const int fd = ::open(static_cast<const char*>(dateiname), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat st{};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    auto* e = new CZipEingabe;
    e->fd = fd;
    e->groesse = static_cast<ZPOS64_T>(st.st_size);
    return e;
}

uLong ZCALLBACK lies(voidpf, voidpf strom, void* puffer, uLong anzahl)
{
    auto* e = static_cast<CZipEingabe*>(strom);
    char* ziel = static_cast<char*>(puffer);
    uLong rest = anzahl;
    while (rest > 0) {
        CBlock* block = e->bloecke[0].enthaelt(e->position)   ? &e->bloecke[0]
                        : e->bloecke[1].enthaelt(e->position) ? &e->bloecke[1]
                                                              : nullptr;
        if (block) {
            const ZPOS64_T versatz = e->position - block->anfang;
            const uLong n = uLong(qMin<ZPOS64_T>(rest, block->laenge - versatz));
            std::memcpy(ziel, block->daten.get() + versatz, n);
            block->benutzt = ++e->uhr;
            ziel += n;
            rest -= n;
            e->position += n;
            continue;
        }
        if (rest >= blockgroesse) {
            const qint64 n = lies_ab(e->fd, ziel, rest, e->position);
            if (n < 0)
                e->fehler = 1;
            if (n <= 0)
                break;
            ziel += n;
            rest -= uLong(n);
            e->position += ZPOS64_T(n);
            continue;
        }
        block = e->bloecke[0].benutzt <= e->bloecke[1].benutzt ? &e->bloecke[0] : &e->bloecke[1];
        const qint64 n = lies_ab(e->fd, block->daten.get(), blockgroesse, e->position);
        if (n < 0)
            e->fehler = 1;
        if (n <= 0)
            break;
        block->anfang = e->position;
        block->laenge = ZPOS64_T(n);
        block->benutzt = ++e->uhr;
    }
    return anzahl - rest;
}

uLong ZCALLBACK schreibe(voidpf, voidpf, const void*, uLong)
{
    return 0;
}

ZPOS64_T ZCALLBACK position(voidpf, voidpf strom)
{
    return static_cast<CZipEingabe*>(strom)->position;
}

long ZCALLBACK suche(voidpf, voidpf strom, ZPOS64_T versatz, int herkunft)
{
    auto* e = static_cast<CZipEingabe*>(strom);
    ZPOS64_T neu = 0;
    switch (herkunft) {
    case ZLIB_FILEFUNC_SEEK_SET: neu = versatz; break;
    case ZLIB_FILEFUNC_SEEK_CUR: neu = e->position + versatz; break;
    case ZLIB_FILEFUNC_SEEK_END: neu = e->groesse + versatz; break;
    default: return -1;
    }
    e->position = neu;
    return 0;
}

int ZCALLBACK schliesse(voidpf, voidpf strom)
{
    auto* e = static_cast<CZipEingabe*>(strom);
    const int ergebnis = ::close(e->fd);
    delete e;
    return ergebnis;
}

int ZCALLBACK fehler(voidpf, voidpf strom)
{
    return static_cast<CZipEingabe*>(strom)->fehler;
}

} // namespace

void fuelle_zip_eingabe(zlib_filefunc64_def& funktionen)
{
    funktionen.zopen64_file = oeffne;
    funktionen.zread_file = lies;
    funktionen.zwrite_file = schreibe;
    funktionen.ztell64_file = position;
    funktionen.zseek64_file = suche;
    funktionen.zclose_file = schliesse;
    funktionen.zerror_file = fehler;
    funktionen.opaque = nullptr;
}
