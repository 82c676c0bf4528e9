#include "entpacken.h"
#include "ausnahmetext.h"
#include "dateien.h"
#include "eintragsleser.h"
#include "parallelschleife.h"
#include "steuerzeichen.h"
#include "zielordner.h"

#include <QDir>
#include <QFile>

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <mutex>
#include <new>
#include <optional>
#include <vector>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>
#include <zlib.h>

namespace {

// Opens the entry for reading: ENTPACK_OK or ENTPACK_OEFFNEN.
int oeffne_eintrag(const CZipEintrag& eintrag)
{
    const int code = eintrag.leser ? eintrag.leser->oeffne(eintrag.ort) : UNZ_BADZIPFILE;
    if (code == UNZ_OK)
        return ENTPACK_OK;
    entpack_ausgabe("error %d with zipfile in unzOpenCurrentFile\n", code);
    return ENTPACK_OEFFNEN;
}

// Reads the next block of the entry: the number of bytes (0 at the end), or ENTPACK_LESEN.
int lies_block(const CZipEintrag& eintrag, QByteArray& block)
{
    const int gelesen = eintrag.leser->lies(block.data(), block.size());
    if (gelesen >= 0)
        return gelesen;
    entpack_ausgabe("error %d with zipfile in unzReadCurrentFile\n", gelesen);
    return ENTPACK_LESEN;
}

// Closes the entry. This checks that the data came complete, with the stated size and CRC:
// ENTPACK_SCHLIESSEN when not; an earlier error is passed on.
int schliesse_eintrag(const CZipEintrag& eintrag, int ergebnis)
{
    const int code = eintrag.leser->schliesse();
    if (ergebnis != ENTPACK_OK)
        return ergebnis;
    if (code == UNZ_OK)
        return ENTPACK_OK;
    entpack_ausgabe("error %d with zipfile in unzCloseCurrentFile\n", code);
    return ENTPACK_SCHLIESSEN;
}

} // namespace

int gib_ausnahmecode(std::exception_ptr ausnahme)
{
    return ist_speichermangel(ausnahme) ? ENTPACK_SPEICHER : ENTPACK_SCHREIBEN;
}

QString gib_entpack_fehlertext(int code)
{
    switch (code) {
    case ENTPACK_INFO: return QStringLiteral("Fehler bei unzGetCurrentFileInfo");
    case ENTPACK_SPEICHER: return QStringLiteral("Error allocating memory\n");
    case ENTPACK_OEFFNEN: return QStringLiteral("Fehler bei unzOpenCurrentFile");
    case ENTPACK_AUSGABE: return QStringLiteral("Fehler bei Open auf Ausgabedatei");
    case ENTPACK_LESEN: return QStringLiteral("Fehler bei unzReadCurrentFile");
    case ENTPACK_SCHREIBEN: return QStringLiteral("Fehler bei Schreiben in Ausgabedatei");
    case ENTPACK_SCHLIESSEN: return QStringLiteral("Fehler bei unzCloseCurrentFile");
    case ENTPACK_NAME: return QStringLiteral("Unzulässiger Name: Pfad außerhalb des Zielverzeichnisses");
    case ENTPACK_VERSCHLUESSELT: return QStringLiteral("Verschlüsselter Eintrag wird nicht unterstützt");
    case ENTPACK_STEUERZEICHEN: return QStringLiteral("Unzulässiger Name: Steuerzeichen im Namen");
    case ENTPACK_VOLL: return QStringLiteral("Fehler bei Schreiben in Ausgabedatei: Datenträger voll");
    case ENTPACK_VERSCHOBEN: return QStringLiteral("Verzeichnis wurde während der Installation aus dem Zielverzeichnis verschoben");
    default: return QStringLiteral("Unbekannter Fehler %1").arg(code);
    }
}

namespace {

thread_local QByteArray* ausgabe_sammler = nullptr;

} // namespace

void entpack_ausgabe(const char* format, ...)
{
    va_list argumente;
    va_start(argumente, format);
    if (ausgabe_sammler) {
        char zeile[512];
        const int n = std::vsnprintf(zeile, sizeof zeile, format, argumente);
        if (n > 0)
            ausgabe_sammler->append(zeile, qMin(n, int(sizeof zeile) - 1));
    } else {
        std::vfprintf(stdout, format, argumente);
    }
    va_end(argumente);
}

CEntpackAusgabeSammler::CEntpackAusgabeSammler(QByteArray& ziel) : vorher(ausgabe_sammler)
{
    ausgabe_sammler = &ziel;
}

CEntpackAusgabeSammler::~CEntpackAusgabeSammler()
{
    ausgabe_sammler = vorher;
}

int pruefe_eintragsname(const QString& name)
{
    // Control characters would break the line format of "uninstall.dat" and fake protocol lines.
    if (hat_steuerzeichen(name))
        return ENTPACK_STEUERZEICHEN;
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')) || name.contains(QLatin1Char(':')))
        return ENTPACK_NAME;
    // A double quote cannot be read back from "uninstall.dat" unchanged (it opens a quoted cell).
    int teil_anfang = 0;
    const int n = name.size();
    for (int i = 0; i <= n; ++i) {
        if (i == n || name[i] == QLatin1Char('/')) {
            if (i - teil_anfang == 2 && name[teil_anfang] == QLatin1Char('.') && name[teil_anfang + 1] == QLatin1Char('.'))
                return ENTPACK_NAME;
            teil_anfang = i + 1;
            continue;
        }
        if (name[i] == QLatin1Char('"'))
            return ENTPACK_NAME;
    }
    return ENTPACK_OK;
}

int lege_verzeichnis_an(const QString& pfad)
{
    if (pfad.isEmpty())
        return 0;
    if (QDir().mkpath(pfad))
        return 0;
    entpack_ausgabe("couldn't create directory %s\n", QFile::encodeName(pfad).constData());
    return 1;
}

namespace {

// The moment the local time `t` names, as mktime gives it. mktime looks at the time zone file
// again on every call and changes memory that all threads share, so the workers would take
// turns: where the time is plain (its fields in range, and shown by localtime_r with exactly
// these fields at the offset found) the moment is found without it. Of an hour that occurs twice
// either moment may be taken, as by mktime.
time_t als_ortszeit(std::tm t)
{
    std::tm utc = t;
    const time_t als_utc = ::timegm(&utc);
    std::tm ort{};
    if (als_utc != time_t(-1) && ::localtime_r(&als_utc, &ort)) {
        const time_t zeit = als_utc - ort.tm_gmtoff;
        if (::localtime_r(&zeit, &ort) && ort.tm_year == t.tm_year && ort.tm_mon == t.tm_mon
            && ort.tm_mday == t.tm_mday && ort.tm_hour == t.tm_hour && ort.tm_min == t.tm_min
            && ort.tm_sec == t.tm_sec)
            return zeit;
    }
    static std::mutex zeitzone;
    const std::lock_guard<std::mutex> lock(zeitzone);
    return std::mktime(&t);
}

// The moment of a DOS date (high half) and time (low half), read as local time.
time_t als_dateizeit(unsigned long dos_datum_zeit)
{
    // Many entries of an archive share a time stamp: remember the last conversion.
    thread_local unsigned long letzte_dos = 0;
    thread_local time_t letzte_zeit = 0;
    if (dos_datum_zeit != letzte_dos || letzte_dos == 0) {
        const unsigned long datum = dos_datum_zeit >> 16;
        const unsigned long zeit = dos_datum_zeit & 0xFFFFu;
        std::tm t{};
        t.tm_year = static_cast<int>((datum >> 9) & 0x7F) + 80;
        t.tm_mon = static_cast<int>((datum >> 5) & 0x0F) - 1;
        t.tm_mday = static_cast<int>(datum & 0x1F);
        t.tm_hour = static_cast<int>((zeit >> 11) & 0x1F);
        t.tm_min = static_cast<int>((zeit >> 5) & 0x3F);
        t.tm_sec = static_cast<int>((zeit & 0x1F) * 2);
        t.tm_isdst = -1;
        letzte_zeit = als_ortszeit(t);
        letzte_dos = dos_datum_zeit;
    }
    return letzte_zeit;
}

// Reads up to `anzahl` bytes at the file's position (or from `ab`, leaving the position as it
// is), fewer only at the end of the file: their number, or -1.
ssize_t lies_ganz(int fd, char* ziel, size_t anzahl, off_t ab = -1)
{
    size_t gelesen = 0;
    while (gelesen < anzahl) {
        const ssize_t n = ab < 0 ? ::read(fd, ziel + gelesen, anzahl - gelesen)
                                 : ::pread(fd, ziel + gelesen, anzahl - gelesen, ab + off_t(gelesen));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        gelesen += size_t(n);
    }
    return ssize_t(gelesen);
}

// Below this size no CRC is looked at: a difference found late costs at most this much inflated
// again, while the CRC's pass costs a file that holds the data already a second read of it.
constexpr quint64 pruefen_ab = 1024 * 1024;
// The parts in which a large file's CRC is computed, on several threads at once.
constexpr quint64 pruefteil = 8 * 1024 * 1024;
// The old file is read in pieces of this size: they need no second block of the full size, and
// they are taken from the heap, not mapped anew for every file.
constexpr int altstueck = 64 * 1024;

} // namespace

bool setze_dateizeit(int fd, unsigned long dos_datum_zeit)
{
    struct timespec zeiten[2];
    zeiten[0].tv_sec = 0;
    zeiten[0].tv_nsec = UTIME_OMIT;
    zeiten[1].tv_sec = als_dateizeit(dos_datum_zeit);
    zeiten[1].tv_nsec = 0;
    return ::futimens(fd, zeiten) == 0;
}

CEntpackZiel::~CEntpackZiel() = default;

CZieldatei::CZieldatei(bool sofort, bool unbenannt) : sofort(sofort), unbenannt(unbenannt) {}

CZieldatei::~CZieldatei()
{
    beende_vergleich();
    datei.verwirf();
    ordner.reset();
}

// The folder of the next file, below the target folder and never reached through a link
// that leaves it. Consecutive files of one folder share its handle. A file that takes its name
// later waits, while its folder is missing, in the deepest level there is (`ordner_rest` is the
// path from there): the folder is made only once the records name it.
int CZieldatei::verzeichnis(const QByteArray& basis, const QByteArray& relativ)
{
    if (basis_fd < 0 || basis != basis_pfad) {
        // Files completed in the old target folder keep its handle while they need it.
        basis_handle.reset();
        basis_temp.reset();
        basis_fd = oeffne_ordnerhandle(basis);
        basis_pfad = basis_fd >= 0 ? basis : QByteArray();
        ordner_pfad.clear();
        ordner.reset();
        if (basis_fd < 0)
            return -1;
        basis_handle = std::make_shared<COrdnerhandle>(basis_fd);
        struct stat st{};
        basis_geraet = ::fstat(basis_fd, &st) == 0 ? std::optional<dev_t>(st.st_dev) : std::nullopt;
        struct statfs fs{};
        basis_im_speicher = ::fstatfs(basis_fd, &fs) == 0 && (fs.f_type == TMPFS_MAGIC || fs.f_type == RAMFS_MAGIC);
    }
    if (ordner && relativ == ordner_pfad)
        return ordner->fd();
    ordner.reset();
    ordner_rest.clear();
    QByteArray vorhanden = relativ;
    int fd = oeffne_unterhalb(basis_fd, vorhanden, O_PATH | O_DIRECTORY);
    while (fd < 0 && errno == ENOENT && !sofort && !vorhanden.isEmpty()) {
        const int trenner = vorhanden.lastIndexOf('/');
        vorhanden.truncate(qMax(0, trenner));
        fd = oeffne_unterhalb(basis_fd, vorhanden, O_PATH | O_DIRECTORY);
    }
    if (fd < 0)
        return -1;
    ordner = std::make_shared<COrdnerhandle>(fd);
    ordner_temp.reset();
    neuer_modus.reset();
    gleiche_platte.reset();
    ordner_pfad = relativ;
    if (vorhanden.size() < relativ.size())
        ordner_rest = relativ.mid(vorhanden.isEmpty() ? 0 : vorhanden.size() + 1);
    return fd;
}

int CZieldatei::beginne(const QString& ziel, const QString& eintrag, bool ohne_pfad, unsigned long zeit,
                        quint64 groesse, quint32 crc)
{
    // Asked again after a difference was found: the file is written this time, and the look at its
    // name stands.
    const bool vergleichen = vergleich_erlaubt && !neu_anfangen;
    if (!neu_anfangen) {
        ziel_gesehen = false;
        ziel_stand.reset();
        ziel_frei = false;
    }
    neu_anfangen = false;
    beende_vergleich();
    datei.verwirf();
    const int trenner = eintrag.lastIndexOf(QLatin1Char('/'));
    const bool mit_ordner = !ohne_pfad && trenner > 0;
    const QByteArray basis = QFile::encodeName(ziel);
    const QByteArray relativ = mit_ordner ? QFile::encodeName(eintrag.left(trenner)) : QByteArray();
    datei.name = QFile::encodeName(eintrag.mid(trenner + 1));
    datei.anzeige = maskiere_steuerzeichen(ohne_pfad ? eintrag.mid(trenner + 1) : eintrag).toUtf8();
    dos_zeit = zeit;
    ersatz = false;

    int fd = verzeichnis(basis, relativ);
    if (fd < 0 && errno == ENOENT && mit_ordner && basis_fd >= 0) {
        // One level only: a missing target folder is not created behind the caller's back.
        const int letzter = relativ.lastIndexOf('/');
        const int eltern = oeffne_unterhalb(basis_fd, letzter < 0 ? QByteArray() : relativ.left(letzter),
                                            O_PATH | O_DIRECTORY);
        if (eltern >= 0) {
            ::mkdirat(eltern, relativ.mid(letzter + 1).constData(), 0777);
            ::close(eltern);
        }
        fd = verzeichnis(basis, relativ);
    }
    const int ordnerfehler = fd < 0 ? errno : 0;
    if (fd >= 0) {
        datei.ordner = ordner;
        datei.rest = ordner_rest;
        if (vergleichen)
            beginne_vergleich(fd, groesse, crc);
        if (alt_fd < 0)
            oeffne_datei(fd);
    }
    if (alt_fd < 0 && datei.fd < 0) {
        const int fehler = fd < 0 ? ordnerfehler : errno;
        entpack_ausgabe("error opening %s: %s\n", datei.anzeige.constData(), qPrintable(systemfehler(fehler)));
        datei.verwirf();
        return verlaesst_ordner(ordnerfehler) ? ENTPACK_NAME : ist_platzmangel(fehler) ? ENTPACK_VOLL : ENTPACK_AUSGABE;
    }
    return ENTPACK_OK;
}

const struct stat* CZieldatei::schaue_ziel_an(int ordner_fd)
{
    if (!ziel_gesehen) {
        ziel_gesehen = true;
        struct stat st{};
        if (::fstatat(ordner_fd, datei.name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0)
            ziel_stand = st;
        else
            ziel_frei = errno == ENOENT;
    }
    return ziel_stand ? &*ziel_stand : nullptr;
}

bool CZieldatei::oeffne_datei(int ordner_fd)
{
    if (!sofort && unbenannt && basis_im_speicher && datei.rest.isEmpty() && !ziel_frei)
        oeffne_als_ersatz(ordner_fd);
    if (datei.fd < 0) {
        datei.fd = oeffne_neue_datei(ordner_fd, 0666, ordner_temp, datei.temp, unbenannt);
        datei.hatte_temp = !datei.temp.isEmpty();
        if (datei.hatte_temp)
            datei.temp_ort = ordner_temp;
    }
    return datei.fd >= 0;
}

bool kann_gleich_sein(const struct stat& st, quint64 groesse)
{
    return S_ISREG(st.st_mode) && quint64(st.st_size) == groesse && st.st_uid == eigene_uid() && st.st_nlink == 1;
}

// Anything else at the name is left to the replacement, which checks it again.
void CZieldatei::beginne_vergleich(int ordner_fd, quint64 groesse, quint32 crc)
{
    if (!datei.rest.isEmpty())
        return;
    const struct stat* const da = schaue_ziel_an(ordner_fd);
    if (!da || !kann_gleich_sein(*da, groesse))
        return;
    const int fd = ::openat(ordner_fd, datei.name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat offen{};
    // The file opened is the one looked at.
    if (::fstat(fd, &offen) != 0 || offen.st_dev != da->st_dev || offen.st_ino != da->st_ino) {
        ::close(fd);
        return;
    }
    alt_fd = fd;
    alt_zeit = offen.st_mtim;
    alt_groesse = groesse;
    alt_crc = crc;
    verglichen = 0;
}

bool CZieldatei::hat_pruefsumme(int fd, quint64 groesse, quint32 crc)
{
    const std::size_t teile = std::size_t((groesse + pruefteil - 1) / pruefteil);
    if (teile > 1 && !pruefer)
        pruefer = std::make_unique<CParallelschleife>(pruef_helfer);
    std::vector<uLong> summen(teile);
    std::atomic<bool> fehler{false};
    const auto summiere = [&](std::size_t k) {
        const quint64 anfang = k * pruefteil;
        const quint64 laenge = qMin(pruefteil, groesse - anfang);
        const std::unique_ptr<char[]> stueck(new (std::nothrow) char[altstueck]);
        uLong summe = crc32(0, nullptr, 0);
        for (quint64 pos = 0; pos < laenge && !fehler.load(std::memory_order_relaxed) && !abgebrochen();) {
            const size_t n = size_t(qMin<quint64>(altstueck, laenge - pos));
            if (!stueck || lies_ganz(fd, stueck.get(), n, off_t(anfang + pos)) != ssize_t(n))
                fehler = true;
            else
                summe = crc32(summe, reinterpret_cast<const Bytef*>(stueck.get()), uInt(n));
            pos += n;
        }
        summen[k] = summe;
    };
    // A file of one part is summed here, without helpers made for it.
    if (pruefer)
        pruefer->fuer_alle(teile, summiere);
    else
        summiere(0);
    if (fehler || abgebrochen())
        return false;
    uLong summe = summen.front();
    for (std::size_t k = 1; k < teile; ++k)
        summe = crc32_combine(summe, summen[k], z_off_t(qMin(pruefteil, groesse - k * pruefteil)));
    return summe == crc;
}

bool CZieldatei::vergleiche(int anzahl)
{
    if (alt_block.size() < altstueck) {
        try {
            alt_block = QByteArray(altstueck, Qt::Uninitialized);
        } catch (const std::bad_alloc&) {
            return false;
        }
    }
    if (verglichen + quint64(anzahl) > alt_groesse)
        return false;
    for (int pos = 0; pos < anzahl; pos += altstueck) {
        const int n = qMin(altstueck, anzahl - pos);
        if (lies_ganz(alt_fd, alt_block.data(), size_t(n)) != n
            || std::memcmp(alt_block.constData(), block.constData() + pos, size_t(n)) != 0)
            return false;
    }
    verglichen += quint64(anzahl);
    // All of it alike: the file must end there, too.
    char mehr = 0;
    return verglichen < alt_groesse || lies_ganz(alt_fd, &mehr, 1) == 0;
}

void CZieldatei::beende_vergleich()
{
    if (alt_fd >= 0)
        ::close(alt_fd);
    alt_fd = -1;
}

QByteArray& CZieldatei::puffer()
{
    if (block.isEmpty()) {
        try {
            block = QByteArray(entpack_blockgroesse, Qt::Uninitialized);
        } catch (const std::bad_alloc&) {
            block.clear();
        }
    }
    return block;
}

bool CZieldatei::schreibe(int anzahl)
{
    if (alt_fd < 0)
        return schreibe_daten(block.constData(), anzahl);
    // A changed file mostly differs in its first block already. When a large one does not, its CRC
    // is looked at before the rest is compared: when it is not the entry's, the file holds other
    // data for certain, and is written at once, from this block on, so that the entry is inflated
    // a single time. Equal sums prove nothing: the comparison decides (a difference it finds
    // later has the entry read again).
    const bool erster = verglichen == 0;
    if (vergleiche(anzahl) && (!erster || alt_groesse < pruefen_ab || hat_pruefsumme(alt_fd, alt_groesse, alt_crc)))
        return true;
    // A difference: the data is written from its start, by a new `beginne`.
    beende_vergleich();
    neu_anfangen = true;
    return false;
}

bool CZieldatei::schreibe_daten(const char* daten, int anzahl)
{
    if (datei.fd >= 0 && schreibe_ganz(datei.fd, daten, anzahl))
        return true;
    // The caller tells a full disk by errno.
    const int fehler = datei.fd >= 0 ? errno : EBADF;
    entpack_ausgabe("error in writing extracted file: %s\n", qPrintable(systemfehler(fehler)));
    errno = fehler;
    return false;
}

int CZieldatei::beende(bool behalten)
{
    if (alt_fd >= 0) {
        bool gleich = false;
        int fehler = ENTPACK_AUSGABE;
        if (behalten) {
            // An empty entry was never compared: the file must be empty as well.
            char mehr = 0;
            gleich = verglichen == alt_groesse && (verglichen > 0 || lies_ganz(alt_fd, &mehr, 1) == 0);
            // Only a file of the target takes the entry's time: its folder, held since an earlier
            // entry, may have been moved out of the target meanwhile.
            if (gleich && (alt_zeit.tv_sec != als_dateizeit(dos_zeit) || alt_zeit.tv_nsec != 0)) {
                gleich = ist_noch_unterhalb(basis_fd, ordner_pfad, ordner->fd());
                if (!gleich && errno == ENOENT)
                    fehler = ENTPACK_VERSCHOBEN;
                gleich = gleich && setze_dateizeit(alt_fd, dos_zeit);
            }
        }
        beende_vergleich();
        if (!behalten) {
            datei.verwirf();
            return ENTPACK_OK;
        }
        if (!gleich) {
            entpack_ausgabe("error opening %s\n", datei.anzeige.constData());
            datei.verwirf();
            return fehler;
        }
        datei.unveraendert = true;
        return sofort ? datei.benenne() : ENTPACK_OK;
    }
    if (datei.fd < 0)
        return ENTPACK_AUSGABE;
    if (!behalten) {
        datei.verwirf();
        return ENTPACK_OK;
    }
    setze_dateizeit(datei.fd, dos_zeit);
    // A temporary file is closed now, so that a failed write shows; like an unnamed one it stays
    // open (through a duplicate that keeps its lock) until it has its name.
    if (!datei.temp.isEmpty() && !ersatz) {
        if (!schliesse_behalte_sperre(datei.fd)) {
            const int fehler = errno;
            entpack_ausgabe("error in writing extracted file: %s\n", qPrintable(systemfehler(fehler)));
            datei.verwirf();
            return ist_platzmangel(fehler) ? ENTPACK_VOLL : ENTPACK_SCHREIBEN;
        }
    }
    if (sofort)
        return datei.benenne();
    bereite_ersetzen_vor();
    return ENTPACK_OK;
}

// An update replaces most of its files, and the files take their names one after the other, in
// the archive's order: what a replacement needs besides the rename itself is done by the worker,
// while the others write. When a file that may be replaced holds the name (a folder never, a file
// only while writable, a link itself), the new file is made at once under a temporary name in
// the target folder's folder of temporary files (where every run and the uninstall clear what a
// killed run left), so it needs no link to a name of its own later; the base's file system has
// unnamed files, and like them it is not closed before it has its name. Where the file's folder
// lies on another file system, or nothing holds the name, the file is made as any other. Only in
// memory: on a disk a new file's inode is placed near the folder it is made in, and an update's
// files made in that one folder would crowd into one place, where ext4 without a journal passes
// over every inode the same update freed (the update took 1.5 times as long).
void CZieldatei::oeffne_als_ersatz(int ordner_fd)
{
    const struct stat* const st = schaue_ziel_an(ordner_fd);
    if (!st || !ist_ersetzbar(*st, ordner_fd, datei.name) || !basis_handle || !basis_geraet)
        return;
    if (!gleiche_platte) {
        struct stat ordner_st{};
        gleiche_platte = ::fstat(ordner_fd, &ordner_st) == 0 && ordner_st.st_dev == *basis_geraet;
    }
    if (!*gleiche_platte)
        return;
    QByteArray temp;
    const int fd = oeffne_temporaer(basis_handle->fd(), 0666, basis_temp, temp);
    if (fd < 0)
        return;
    datei.fd = fd;
    datei.temp = temp;
    datei.temp_ort = basis_temp;
    ersatz = true;
}

// Completes the worker's part of a replacement: the new file takes the old one's permissions, and
// a file made as any other takes a temporary name where a file that may be replaced holds its
// name (in the target folder's folder of temporary files; on another file system below it,
// beside the old file). Whatever fails here is left to the naming, which checks everything again.
void CZieldatei::bereite_ersetzen_vor()
{
    if (!datei.ordner || !datei.rest.isEmpty() || datei.fd < 0)
        return;
    const int ordner_fd = datei.ordner->fd();
    const struct stat* const da = schaue_ziel_an(ordner_fd);
    if (!da || (!ersatz && !ist_ersetzbar(*da, ordner_fd, datei.name)))
        return;
    const struct stat& st = *da;
    // The new files of one folder are made with one mode (the umask, or the folder's default
    // access list): it is looked up once, and a file whose old one had the same keeps it as made.
    if (!neuer_modus) {
        struct stat neu{};
        if (::fstat(datei.fd, &neu) == 0)
            neuer_modus = neu.st_mode & 07777;
    }
    if (!S_ISLNK(st.st_mode) && neuer_modus != std::optional<mode_t>(st.st_mode & 07777)
        && ::fchmod(datei.fd, st.st_mode & 07777) != 0)
        return;
    if (datei.temp.isEmpty()) {
        for (const auto& [ort, tempordner] :
             {std::pair(basis_handle, &basis_temp), std::pair(datei.ordner, &ordner_temp)}) {
            QByteArray temp;
            if (ort && verlinke_temporaer(datei.fd, ort->fd(), *tempordner, temp)) {
                datei.temp = temp;
                datei.temp_ort = *tempordner;
                break;
            }
            if (errno != EXDEV)
                break;
        }
        if (datei.temp.isEmpty())
            return;
    }
    datei.ersetzt = true;
}

CFertigeDatei CZieldatei::nimm_fertige()
{
    return std::move(datei);
}

int entpacke_eintrag(unzFile, const CZipEintrag& eintrag, const QString& ziel, bool ohne_pfad,
                     CEntpackZiel& ausgabe)
{
    const int trenner = eintrag.name.lastIndexOf(QLatin1Char('/'));
    if (trenner == eintrag.name.size() - 1) {
        if (ohne_pfad)
            return ENTPACK_OK;
        entpack_ausgabe("creating directory: %s\n", maskiere_steuerzeichen(eintrag.name).toUtf8().constData());
        CZielordner ordner(ziel);
        QStringList angelegt;
        QString fehlstufe;
        // Whether the folder could be made is not the entry's concern, unless a link would
        // have led it out of the target.
        return verlaesst_ordner(ordner.lege_an(eintrag.name, angelegt, fehlstufe)) ? ENTPACK_NAME : ENTPACK_OK;
    }
    if (eintrag.ist_verschluesselt())
        return ENTPACK_VERSCHLUESSELT;

    if (const int code = oeffne_eintrag(eintrag); code != ENTPACK_OK)
        return code;
    if (const int anfang = ausgabe.beginne(ziel, eintrag.name, ohne_pfad, eintrag.info.dosDate,
                                           eintrag.info.uncompressed_size, eintrag.ort.crc);
        anfang != ENTPACK_OK) {
        eintrag.leser->schliesse();
        return anfang;
    }
    entpack_ausgabe(" extracting: %s\n",
                    maskiere_steuerzeichen(ohne_pfad ? eintrag.name.mid(trenner + 1) : eintrag.name).toUtf8().constData());
    int ergebnis = ENTPACK_OK;
    quint64 bisher = 0;
    for (;;) {
        QByteArray& block = ausgabe.puffer();
        if (block.isEmpty()) {
            entpack_ausgabe("Error allocating memory\n");
            ergebnis = ENTPACK_SPEICHER;
            break;
        }
        const int gelesen = lies_block(eintrag, block);
        if (gelesen <= 0) {
            ergebnis = gelesen;
            break;
        }
        if (ausgabe.schreibe(gelesen)) {
            bisher += quint64(gelesen);
            continue;
        }
        if (ausgabe.von_vorn()) {
            // The file at the name held other data: the file is made now and takes the data from
            // its first byte, this block when it is the first, else read anew.
            ergebnis = ausgabe.beginne(ziel, eintrag.name, ohne_pfad, eintrag.info.dosDate,
                                       eintrag.info.uncompressed_size, eintrag.ort.crc);
            if (ergebnis != ENTPACK_OK)
                break;
            if (bisher > 0) {
                eintrag.leser->schliesse();
                bisher = 0;
                if (ergebnis = oeffne_eintrag(eintrag); ergebnis != ENTPACK_OK)
                    break;
                continue;
            }
            if (ausgabe.schreibe(gelesen)) {
                bisher += quint64(gelesen);
                continue;
            }
        }
        ergebnis = ist_platzmangel(errno) ? ENTPACK_VOLL : ENTPACK_SCHREIBEN;
        break;
    }
    ergebnis = schliesse_eintrag(eintrag, ergebnis);
    const int ende = ausgabe.beende(ergebnis == ENTPACK_OK);
    return ergebnis != ENTPACK_OK ? ergebnis : ende;
}

int lies_eintrag_anfang(unzFile, const CZipEintrag& eintrag, int anzahl, QByteArray& anfang,
                        QByteArray& puffer)
{
    anfang.clear();
    if (eintrag.ist_verschluesselt())
        return ENTPACK_VERSCHLUESSELT;
    if (puffer.isEmpty()) {
        try {
            puffer = QByteArray(entpack_blockgroesse, Qt::Uninitialized);
        } catch (const std::bad_alloc&) {
            entpack_ausgabe("Error allocating memory\n");
            return ENTPACK_SPEICHER;
        }
    }
    if (const int code = oeffne_eintrag(eintrag); code != ENTPACK_OK)
        return code;
    int ergebnis = ENTPACK_OK;
    for (;;) {
        const int gelesen = lies_block(eintrag, puffer);
        if (gelesen <= 0) {
            ergebnis = gelesen;
            break;
        }
        if (anfang.size() < anzahl)
            anfang.append(puffer.constData(), qMin(gelesen, anzahl - anfang.size()));
    }
    return schliesse_eintrag(eintrag, ergebnis);
}
