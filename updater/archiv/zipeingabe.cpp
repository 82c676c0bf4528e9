#include "zipeingabe.h"
#include "dateien.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr size_t blockgroesse_archiv = 256 * 1024;
constexpr size_t blockgroesse_arbeiter = 64 * 1024;

ssize_t lies_ab(int fd, char* ziel, size_t anzahl, ZPOS64_T position)
{
    for (;;) {
        const ssize_t n = ::pread(fd, ziel, anzahl, static_cast<off_t>(position));
        if (n >= 0 || errno != EINTR)
            return n;
    }
}

} // namespace

// One block of the file held in memory.
struct CZipEingabe::CBlock
{
    std::unique_ptr<char[]> daten;
    ZPOS64_T anfang = 0;
    ZPOS64_T laenge = 0;
    unsigned long long benutzt = 0;

    bool enthaelt(ZPOS64_T position) const { return position >= anfang && position - anfang < laenge; }
};

std::unique_ptr<CZipEingabe> CZipEingabe::oeffne(const char* pfad)
{
    // A FIFO or a device would block the opening or the first read: refused at once.
    const int fd = oeffne_regulaere_datei(pfad, O_RDONLY);
    if (fd < 0)
        return nullptr;
    struct stat st{};
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<CZipEingabe>(new CZipEingabe(fd, static_cast<ZPOS64_T>(st.st_size), blockgroesse_archiv));
}

std::unique_ptr<CZipEingabe> CZipEingabe::zweite() const
{
    // A duplicate of the handle, not a new opening of the path: the file whose directory was
    // checked, whatever the path names by now.
    const int kopie = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (kopie < 0)
        return nullptr;
    return std::unique_ptr<CZipEingabe>(new CZipEingabe(kopie, groesse, blockgroesse_arbeiter));
}

// Two blocks: minizip alternates between the central directory at the end of the file and the
// entries' data, and each of the two is read in order.
CZipEingabe::CZipEingabe(int fd, ZPOS64_T groesse, size_t blockgroesse)
    : fd(fd), groesse(groesse), blockgroesse(blockgroesse), bloecke(new CBlock[2])
{
    for (int i = 0; i < 2; ++i)
        bloecke[i].daten.reset(new char[blockgroesse]);
}

CZipEingabe::~CZipEingabe()
{
    ::close(fd);
}

size_t CZipEingabe::lies(ZPOS64_T position, char* ziel, size_t anzahl)
{
    size_t rest = anzahl;
    while (rest > 0) {
        CBlock* block = bloecke[0].enthaelt(position)   ? &bloecke[0]
                        : bloecke[1].enthaelt(position) ? &bloecke[1]
                                                        : nullptr;
        if (block) {
            const ZPOS64_T versatz = position - block->anfang;
            const size_t n = size_t(qMin<ZPOS64_T>(rest, block->laenge - versatz));
            std::memcpy(ziel, block->daten.get() + versatz, n);
            block->benutzt = ++uhr;
            ziel += n;
            rest -= n;
            position += n;
            continue;
        }
        if (rest >= blockgroesse) {
            const ssize_t n = lies_ab(fd, ziel, rest, position);
            if (n < 0)
                fehler = true;
            if (n <= 0)
                break;
            ziel += n;
            rest -= size_t(n);
            position += ZPOS64_T(n);
            continue;
        }
        block = bloecke[0].benutzt <= bloecke[1].benutzt ? &bloecke[0] : &bloecke[1];
        const ssize_t n = lies_ab(fd, block->daten.get(), blockgroesse, position);
        if (n < 0)
            fehler = true;
        if (n <= 0)
            break;
        block->anfang = position;
        block->laenge = ZPOS64_T(n);
        block->benutzt = ++uhr;
    }
    return anzahl - rest;
}

namespace {

CZipEingabe* als_eingabe(voidpf strom)
{
    return static_cast<CZipEingabe*>(strom);
}

voidpf ZCALLBACK oeffne_fuer_minizip(voidpf eingabe, const void*, int modus)
{
    if ((modus & ZLIB_FILEFUNC_MODE_READWRITEFILTER) != ZLIB_FILEFUNC_MODE_READ)
        return nullptr;
    als_eingabe(eingabe)->minizip_position = 0;
    return eingabe;
}

uLong ZCALLBACK lies_fuer_minizip(voidpf, voidpf strom, void* puffer, uLong anzahl)
{
    CZipEingabe* e = als_eingabe(strom);
    const size_t n = e->lies(e->minizip_anfang + e->minizip_position, static_cast<char*>(puffer), anzahl);
    e->minizip_position += n;
    return uLong(n);
}

uLong ZCALLBACK schreibe_fuer_minizip(voidpf, voidpf, const void*, uLong)
{
    return 0;
}

ZPOS64_T ZCALLBACK position_fuer_minizip(voidpf, voidpf strom)
{
    return als_eingabe(strom)->minizip_position;
}

long ZCALLBACK suche_fuer_minizip(voidpf, voidpf strom, ZPOS64_T versatz, int herkunft)
{
    CZipEingabe* e = als_eingabe(strom);
    switch (herkunft) {
    case ZLIB_FILEFUNC_SEEK_SET: e->minizip_position = versatz; break;
    case ZLIB_FILEFUNC_SEEK_CUR: e->minizip_position += versatz; break;
    case ZLIB_FILEFUNC_SEEK_END: e->minizip_position = e->gib_groesse() - e->minizip_anfang + versatz; break;
    default: return -1;
    }
    return 0;
}

// The input belongs to the archive, which closes it after minizip.
int ZCALLBACK schliesse_fuer_minizip(voidpf, voidpf)
{
    return 0;
}

int ZCALLBACK fehler_fuer_minizip(voidpf, voidpf strom)
{
    return als_eingabe(strom)->hat_fehler() ? 1 : 0;
}

} // namespace

void CZipEingabe::fuelle_funktionen(zlib_filefunc64_def& funktionen)
{
    funktionen.zopen64_file = oeffne_fuer_minizip;
    funktionen.zread_file = lies_fuer_minizip;
    funktionen.zwrite_file = schreibe_fuer_minizip;
    funktionen.ztell64_file = position_fuer_minizip;
    funktionen.zseek64_file = suche_fuer_minizip;
    funktionen.zclose_file = schliesse_fuer_minizip;
    funktionen.zerror_file = fehler_fuer_minizip;
    funktionen.opaque = this;
}
