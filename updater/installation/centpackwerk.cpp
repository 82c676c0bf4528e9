#include "centpackwerk.h"
#include "cuninstallinfo.h"
#include "eintragsleser.h"
#include "handlevorrat.h"
#include "zielordner.h"
#include "zipeingabe.h"

#include <QFile>
#include <QtGlobal>

#include <algorithm>
#include <chrono>
#include <climits>
#include <fcntl.h>
#include <optional>
#include <sched.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

constexpr int hoechstzahl_arbeiter = 16;
// Entries on their way: each may hold an open unnamed file and a folder handle until it is
// reported. The files of an install take their names in batches, after their records are
// written: the larger the window, the fewer times the records are written. Beyond eight batches
// of the reporting side's (512) the window gains no speed, only memory.
constexpr quint64 hoechstes_fenster = 4096;
// The workers take entries in packets of consecutive ones (which lie side by side in the
// archive and share its read blocks): few hand-overs, each of which may wake a thread.
constexpr size_t paket_eintraege = 16;
constexpr quint64 paket_bytes = 1024 * 1024;

std::atomic<int> vorgabe_arbeiter{0};

int kerne()
{
    cpu_set_t menge;
    CPU_ZERO(&menge);
    if (::sched_getaffinity(0, sizeof menge, &menge) == 0)
        return qMax(1, CPU_COUNT(&menge));
    return 1;
}

// The handles a run holds at any one time besides its workers' and the window's: the reading
// thread's folder look-ups and clean-ups, the naming thread's folder walks, a write of the records
// (folder, file, flush) on either side, the folder in which a file takes its name, a folder on
// another file system below the target, opened for a moment to measure its room.
constexpr quint64 eigene_handles = 14;
// A worker's own: its handle on the archive, the target folder's, its current folder's, and a
// look-up of the next one.
constexpr quint64 handles_je_arbeiter = 4;
// An entry on its way: its unnamed file and its folder's handle.
constexpr quint64 handles_je_eintrag = 2;
// Room kept free on the target's file system beside the files on their way: the records are
// written whole beside their old file (twice their size, so that they may grow), and the run
// makes folders and names a file for a moment in the folder of temporary files.
constexpr quint64 vorbehalt_bytes = 1024 * 1024;
constexpr quint64 vorbehalt_knoten = 16;
// Entries on their way that make a worker worth its handles.
constexpr quint64 eintraege_je_arbeiter = 4;

} // namespace

// The workers and the window, chosen so that the handles in use stay below the soft limit of open
// files, which is raised first as far as this process may (it is often far below the hard one):
// with a low limit fewer workers (one at the least) and a smaller window, so that the run
// succeeds all the same, with more writes of the records.
CEntpackWerk::CPlan CEntpackWerk::plane(int arbeiter)
{
    arbeiter = qMax(1, arbeiter);
    const quint64 vorrat = freie_handles(eigene_handles + quint64(arbeiter) * handles_je_arbeiter
                                         + hoechstes_fenster * handles_je_eintrag);
    const quint64 frei = vorrat > eigene_handles ? vorrat - eigene_handles : 0;
    const quint64 tragbar = frei / (handles_je_arbeiter + eintraege_je_arbeiter * handles_je_eintrag);
    arbeiter = int(qBound<quint64>(1, quint64(arbeiter), qMax<quint64>(1, tragbar)));
    const quint64 rest = frei > quint64(arbeiter) * handles_je_arbeiter ? frei - quint64(arbeiter) * handles_je_arbeiter : 0;
    return CPlan{arbeiter, qBound<quint64>(1, rest / handles_je_eintrag, hoechstes_fenster)};
}

namespace {

// The table of open files grows in steps, and while threads run each step waits for all CPUs
// to pass a quiescent state (milliseconds on a busy machine): it is grown once, before the
// workers start, for the files and folders the window may hold open.
void reserviere_deskriptoren(quint64 fenster)
{
    const int basis = ::open("/", O_PATH | O_CLOEXEC);
    if (basis < 0)
        return;
    struct rlimit grenze{};
    quint64 hoechstes = handles_je_eintrag * fenster + 64;
    if (::getrlimit(RLIMIT_NOFILE, &grenze) == 0 && grenze.rlim_cur != RLIM_INFINITY)
        hoechstes = qMin<quint64>(hoechstes, quint64(grenze.rlim_cur) - 1);
    const int hoch = ::fcntl(basis, F_DUPFD_CLOEXEC, int(hoechstes));
    if (hoch >= 0)
        ::close(hoch);
    ::close(basis);
}

// A worker's file: stops writing as soon as the run is broken off.
class CArbeiterDatei : public CZieldatei
{
public:
    CArbeiterDatei(const std::atomic<bool>& abbruch, bool unbenannt) : CZieldatei(false, unbenannt), abbruch(abbruch) {}
    bool schreibe(int anzahl) override
    {
        if (!abgebrochen())
            return CZieldatei::schreibe(anzahl);
        errno = ECANCELED;
        return false;
    }
    bool abgebrochen() const override { return abbruch.load(std::memory_order_relaxed); }

private:
    const std::atomic<bool>& abbruch;
};

} // namespace

// Room on one file system below the target: a folder on it to measure with (the target's handle,
// else the path of a folder below it, opened for each measure: under a low limit of open files a
// handle kept for each of many file systems took what the run needs); what was free when
// measured last (less the reserve; `frei_allein` less what the records and the run's folders
// need alone), what went out since, the caps after a want of room, the block size. What the
// entries on their way hold there, and whether a worker ran out of room there since.
struct CEntpackWerk::CDateisystem
{
    explicit CDateisystem(int fd, bool mit_aufzeichnung) : fd(fd), mit_aufzeichnung(mit_aufzeichnung) {}
    ~CDateisystem()
    {
        if (fd >= 0)
            ::close(fd);
    }
    CDateisystem(const CDateisystem&) = delete;
    CDateisystem& operator=(const CDateisystem&) = delete;

    const int fd;
    const bool mit_aufzeichnung;
    QByteArray ordner;
    dev_t geraet = 0;
    quint64 frei_bytes = ~quint64(0);
    quint64 frei_allein = ~quint64(0);
    quint64 frei_knoten = ~quint64(0);
    quint64 seit_messung_bytes = 0;
    quint64 seit_messung_knoten = 0;
    quint64 deckel_bytes = ~quint64(0);
    quint64 deckel_knoten = ~quint64(0);
    quint64 block = 4096;
    quint64 unterwegs_bytes = 0;
    quint64 unterwegs_knoten = 0;
    quint64 unterwegs_ohne_raum = 0;
    // The room of the files that took their names since the last measure: no longer on their way,
    // yet what they wrote after it is not in it, and it is not free.
    quint64 benannt_bytes = 0;
    quint64 benannt_knoten = 0;
    std::atomic<bool> knapp{false};
};

int gib_entpack_arbeiter()
{
    if (const int vorgabe = vorgabe_arbeiter.load(); vorgabe > 0)
        return qMin(vorgabe, hoechstzahl_arbeiter);
    bool ok = false;
    const int umgebung = qEnvironmentVariableIntValue("AKTUALISIERER_ARBEITER", &ok);
    if (ok && umgebung > 0)
        return qMin(umgebung, hoechstzahl_arbeiter);
    return qMin(kerne(), hoechstzahl_arbeiter);
}

void setze_entpack_arbeiter(int anzahl)
{
    vorgabe_arbeiter = qMax(0, anzahl);
}

void CEntpackWerk::reserviere_handles(int arbeiter)
{
    reserviere_deskriptoren(plane(arbeiter).fenster);
}

CEntpackWerk::CEntpackWerk(const CZipEingabe& eingabe, const QString& ziel, int anzahl, bool unbenannt,
                           bool vergleichen)
    : ziel(ziel), unbenannt(unbenannt), vergleichen(vergleichen), plan(plane(anzahl)), groesse(plan.fenster), plaetze(new CPlatz[groesse])
{
    reserviere_deskriptoren(groesse);
    const int fd = oeffne_ordnerhandle(QFile::encodeName(ziel));
    dateisysteme.push_back(std::make_unique<CDateisystem>(fd, true));
    struct stat st{};
    dateisysteme.front()->geraet = fd >= 0 && ::fstat(fd, &st) == 0 ? st.st_dev : 0;
    miss_raum(*dateisysteme.front());
    sammlung.reserve(paket_eintraege);
    arbeiter.reserve(size_t(plan.arbeiter));
    // As many workers as the system gives: one it cannot start (under a limit of threads, without
    // room for a stack) is left out. Without any the run fails with the system's reason, not the
    // program.
    for (int i = 0; i < plan.arbeiter; ++i) {
        try {
            std::thread faden([this, eigene = eingabe.zweite()]() mutable { arbeite(std::move(eigene)); });
            const std::lock_guard<std::mutex> lock(mutex);
            arbeiter.push_back(std::move(faden));
        } catch (...) {
            if (!arbeiter.empty())
                break;
            halte_an();
            throw;
        }
    }
}

CEntpackWerk::~CEntpackWerk()
{
    halte_an();
}

void CEntpackWerk::halte_an()
{
    brich_ab();
    {
        std::lock_guard<std::mutex> lock(mutex);
        ende = true;
    }
    arbeit_da.notify_all();
    for (std::thread& t : arbeiter)
        t.join();
    arbeiter.clear();
}

bool CEntpackWerk::warte_auf_platz(quint64 index)
{
    if (hat_platz(index))
        return !abbruch;
    schicke(true);
    // On again once a quarter of the window is free.
    const quint64 bis = index + 1 - groesse + groesse / 4;
    std::unique_lock<std::mutex> lock(schlaf);
    lesen_wartet_bis = bis;
    fuer_lesen.wait(lock, [&] { return abbruch || gemeldet.load() >= bis; });
    lesen_wartet_bis = 0;
    return !abbruch;
}

bool CEntpackWerk::warte_bis_gemeldet(quint64 index)
{
    schicke(true);
    std::unique_lock<std::mutex> lock(schlaf);
    lesen_wartet_bis = index + 1;
    fuer_lesen.wait(lock, [&] { return abbruch || gemeldet.load() > index; });
    lesen_wartet_bis = 0;
    return !abbruch;
}

// The folder by which a file system below the target was found, while that still lies there: -1
// else (moved away, or something else at its name).
int CEntpackWerk::oeffne_zum_messen(const CDateisystem& fs) const
{
    if (fs.fd >= 0)
        return fs.fd;
    const int fd = oeffne_unterhalb(dateisysteme.front()->fd, fs.ordner, O_PATH | O_DIRECTORY);
    struct stat st{};
    if (fd >= 0 && (::fstat(fd, &st) != 0 || st.st_dev != fs.geraet)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void CEntpackWerk::miss_raum(CDateisystem& fs)
{
    struct statvfs st{};
    const int fd = oeffne_zum_messen(fs);
    const bool gemessen = fd >= 0 && ::fstatvfs(fd, &st) == 0;
    if (fd >= 0 && fd != fs.fd)
        ::close(fd);
    if (!gemessen) {
        fs.frei_bytes = fs.frei_allein = fs.frei_knoten = ~quint64(0);
        return;
    }
    fs.block = qMax<quint64>(512, st.f_frsize ? st.f_frsize : st.f_bsize);
    struct stat aufzeichnung{};
    const QByteArray name = QFile::encodeName(unistall_dateiname());
    const quint64 aufzeichnung_bytes =
        fs.mit_aufzeichnung && ::fstatat(fs.fd, name.constData(), &aufzeichnung, AT_SYMLINK_NOFOLLOW) == 0
            ? quint64(aufzeichnung.st_size)
            : 0;
    // What the records and the run's folders need, and a margin for files written side by side.
    const quint64 noetig = 2 * aufzeichnung_bytes + vorbehalt_knoten * fs.block;
    const quint64 vorbehalt = vorbehalt_bytes + noetig;
    const quint64 frei = quint64(st.f_bavail) * fs.block;
    // A file system that counts no blocks at all (some network and user-space ones) says nothing.
    fs.frei_bytes = st.f_blocks == 0 ? ~quint64(0) : frei > vorbehalt ? frei - vorbehalt : 0;
    fs.frei_allein = st.f_blocks == 0 ? ~quint64(0) : frei > noetig ? frei - noetig : 0;
    // A file system without a count of inodes (f_files 0) has no bound on them.
    fs.frei_knoten = st.f_files == 0                           ? ~quint64(0)
                     : quint64(st.f_favail) > vorbehalt_knoten ? quint64(st.f_favail) - vorbehalt_knoten
                                                               : 0;
    fs.seit_messung_bytes = fs.seit_messung_knoten = fs.benannt_bytes = fs.benannt_knoten = 0;
    fs.knapp = false;
}

quint64 CEntpackWerk::belegt(const CDateisystem& fs, quint64 gross)
{
    // A file takes its size in whole blocks, and a block more for what the file system keeps of it.
    return (gross + 2 * fs.block - 1) / fs.block * fs.block;
}

CEntpackWerk::CRaum CEntpackWerk::passt(CDateisystem& fs, quint64 gross)
{
    const std::lock_guard<std::mutex> lock(raum_mutex);
    const quint64 bytes = belegt(fs, gross);
    const quint64 knoten = 1;
    // A file let through without room may take it all the same: it counts as on its way.
    const bool allein = fs.unterwegs_knoten == 0 && fs.unterwegs_ohne_raum == 0;
    if (!allein && (fs.unterwegs_bytes + bytes > fs.deckel_bytes || fs.unterwegs_knoten + knoten > fs.deckel_knoten))
        return CRaum::Spaeter;
    // What the files on their way wrote is no longer free, and is counted again with them: at
    // most about half of the room goes out at once, never more.
    const auto reicht = [&] {
        return fs.unterwegs_bytes + fs.benannt_bytes + bytes <= fs.frei_bytes
               && fs.unterwegs_knoten + fs.benannt_knoten + knoten <= fs.frei_knoten;
    };
    if (!fs.knapp && reicht() && fs.seit_messung_bytes + bytes <= fs.frei_bytes / 4
        && fs.seit_messung_knoten + knoten <= fs.frei_knoten / 4)
        return CRaum::Ja;
    miss_raum(fs);
    if (reicht())
        return CRaum::Ja;
    if (!allein)
        return CRaum::Spaeter;
    // Alone, every earlier file there has its name and no file of this run lies unnamed there:
    // what is free now stays free, and a file that does not fit now never will. It fails at
    // once: written, it would only fill the disk to its last block, while the records are
    // written, for nothing. The margin for files written side by side is not needed alone.
    return bytes <= fs.frei_allein && knoten <= fs.frei_knoten ? CRaum::Ja : CRaum::Nie;
}

void CEntpackWerk::halte_raum(CPlatz& p, CDateisystem& fs, quint64 gross, bool mit_raum)
{
    const std::lock_guard<std::mutex> lock(raum_mutex);
    const quint64 bytes = mit_raum ? belegt(fs, gross) : 0;
    const quint64 knoten = mit_raum ? 1 : 0;
    p.dateisystem = &fs;
    p.bytes = bytes;
    p.knoten = knoten;
    p.ohne_raum = !mit_raum;
    fs.unterwegs_ohne_raum += p.ohne_raum;
    fs.unterwegs_bytes += bytes;
    fs.unterwegs_knoten += knoten;
    fs.seit_messung_bytes += bytes;
    fs.seit_messung_knoten += knoten;
}

void CEntpackWerk::gib_raum_frei(CPlatz& p, bool benannt)
{
    const std::lock_guard<std::mutex> lock(raum_mutex);
    if (p.dateisystem) {
        p.dateisystem->unterwegs_bytes -= p.bytes;
        p.dateisystem->unterwegs_knoten -= p.knoten;
        p.dateisystem->unterwegs_ohne_raum -= p.ohne_raum;
        if (benannt) {
            p.dateisystem->benannt_bytes += p.bytes;
            p.dateisystem->benannt_knoten += p.knoten;
        }
    }
    p.bytes = p.knoten = 0;
    p.ohne_raum = false;
}

CEntpackWerk::CDateisystem* CEntpackWerk::dateisystem_mit(dev_t geraet) const
{
    const auto gleich = std::find_if(dateisysteme.begin(), dateisysteme.end(),
                                     [geraet](const auto& bekannt) { return bekannt->geraet == geraet; });
    return gleich == dateisysteme.end() ? nullptr : gleich->get();
}

CEntpackWerk::CDateisystem& CEntpackWerk::dateisystem_von(const CEintragUnterwegs& eintrag)
{
    CDateisystem& wurzel = *dateisysteme.front();
    const QString& ordner = eintrag.ordner;
    if (ordner.isEmpty())
        return wurzel;
    // Nearly every folder lies on a file system known already: found without a look at it.
    if (eintrag.geraet)
        if (CDateisystem* bekannt = dateisystem_mit(*eintrag.geraet))
            return *bekannt;
    if (const auto bekannt = ordner_dateisystem.constFind(ordner); bekannt != ordner_dateisystem.constEnd())
        return **bekannt;
    // A folder still to be made lies on the file system of the level above it.
    QByteArray stufe = QFile::encodeName(ordner);
    int fd = oeffne_unterhalb(wurzel.fd, stufe, O_PATH | O_DIRECTORY);
    while (fd < 0 && errno == ENOENT && !stufe.isEmpty()) {
        stufe.truncate(qMax(0, stufe.lastIndexOf('/')));
        fd = oeffne_unterhalb(wurzel.fd, stufe, O_PATH | O_DIRECTORY);
    }
    CDateisystem* fs = &wurzel;
    struct stat st{};
    if (fd >= 0 && ::fstat(fd, &st) == 0 && st.st_dev != wurzel.geraet) {
        fs = dateisystem_mit(st.st_dev);
        if (!fs) {
            dateisysteme.push_back(std::make_unique<CDateisystem>(-1, false));
            fs = dateisysteme.back().get();
            fs->ordner = stufe;
            fs->geraet = st.st_dev;
            const std::lock_guard<std::mutex> lock(raum_mutex);
            miss_raum(*fs);
        }
    }
    if (fd >= 0)
        ::close(fd);
    ordner_dateisystem.insert(ordner, fs);
    return *fs;
}

bool CEntpackWerk::braucht_keinen_raum(const CDateisystem& fs, const CEintragUnterwegs& eintrag, quint64 gross)
{
    // As the worker decides whether to compare (see `arbeite`). One at a time: files of one size
    // that all differ would each take room that nothing measured, and an entry that found
    // itself alone would fail for room they hold.
    {
        const std::lock_guard<std::mutex> lock(raum_mutex);
        if (fs.unterwegs_ohne_raum > 0)
            return false;
    }
    if (!vergleichen.load() || eintrag.nach_gleichem)
        return false;
    const int fd = oeffne_unterhalb(dateisysteme.front()->fd, QFile::encodeName(eintrag.name), O_PATH | O_NOFOLLOW);
    struct stat st{};
    const bool gleich = fd >= 0 && ::fstat(fd, &st) == 0 && kann_gleich_sein(st, gross);
    if (fd >= 0)
        ::close(fd);
    return gleich;
}

CEntpackWerk::CRaum CEntpackWerk::passt_oder_gleich(CDateisystem& fs, const CEintragUnterwegs& eintrag, quint64 gross,
                                                    bool& ohne_raum)
{
    const CRaum raum = passt(fs, gross);
    // A file that holds the entry's data already is left as it is: it needs no room. Should it
    // differ, its write fails for want of room, and is written again as any other.
    ohne_raum = raum != CRaum::Ja && braucht_keinen_raum(fs, eintrag, gross);
    return ohne_raum ? CRaum::Ja : raum;
}

void CEntpackWerk::stelle_ein(quint64 index, CEintragUnterwegs eintrag, const CZipEintrag& gelesen)
{
    // The reports counted before the room is measured: when it is not there, the wait is for a
    // report after that measure. Entries before this one may all be reported by the time it
    // waits (then it is alone, and measures again at once); a wait for one more report then
    // would wait for its own.
    quint64 vor_messung = gemeldet.load();
    const bool zu_schreiben = eintrag.fuer_arbeiter() && !abbruch;
    CDateisystem* fs = zu_schreiben ? &dateisystem_von(eintrag) : nullptr;
    bool ohne_raum = false;
    CRaum raum = fs ? passt_oder_gleich(*fs, eintrag, gelesen.ort.gross, ohne_raum) : CRaum::Ja;
    if (raum == CRaum::Spaeter) {
        // The entries on their way go ahead; each one reported frees room.
        schicke(true);
        for (;;) {
            {
                std::unique_lock<std::mutex> lock(schlaf);
                const quint64 bis = vor_messung + 1;
                lesen_wartet_bis = bis;
                fuer_lesen.wait(lock, [&] { return abbruch || gemeldet.load() >= bis; });
                lesen_wartet_bis = 0;
            }
            if (abbruch)
                break;
            vor_messung = gemeldet.load();
            if (raum = passt_oder_gleich(*fs, eintrag, gelesen.ort.gross, ohne_raum); raum != CRaum::Spaeter)
                break;
        }
    }
    if (raum == CRaum::Nie) {
        // Failed without a write, and for good: nothing this run does makes room for it.
        eintrag.ergebnis = ENTPACK_VOLL;
        eintrag.endgueltig = true;
    }
    const bool zum_arbeiter = zu_schreiben && !abbruch && raum != CRaum::Nie;
    CPlatz& p = platz(index);
    p.eintrag = std::move(eintrag);
    if (zum_arbeiter) {
        p.gelesen = gelesen;
        halte_raum(p, *fs, gelesen.ort.gross, !ohne_raum);
        sammlung.push_back(CAuftrag{index, gelesen});
        sammlung_bytes += p.eintrag.datei ? gelesen.ort.gross : 0;
        p.zustand.store(beim_arbeiter);
    } else {
        p.zustand.store(fertig);
        melde_fertig(index, index);
    }
    // Sent early when the reporting side waits for the first of them (it takes the entries in
    // order: it waits for none of the others before that one). While it waits for an entry a
    // worker has, a packet sent early only wakes a worker for an entry or two: the reading side
    // spent its time waking workers, and fell behind.
    if (!sammlung.empty() && gesucht.load() == sammlung.front().index)
        schicke(true);
    else if (sammlung.size() >= paket_eintraege || sammlung_bytes >= paket_bytes)
        schicke();
}

void CEntpackWerk::schicke(bool wecken)
{
    const bool neu = !sammlung.empty();
    if (!neu && !wecken)
        return;
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (neu)
            warteschlange.push_back(std::move(sammlung));
        wecken = (wecken || schlafend == int(arbeiter.size()) || warteschlange.size() > 1) && schlafend > 0
                 && !warteschlange.empty();
    }
    if (wecken)
        arbeit_da.notify_one();
    if (neu) {
        sammlung = std::vector<CAuftrag>();
        sammlung.reserve(paket_eintraege);
        sammlung_bytes = 0;
    }
}

void CEntpackWerk::melde_fertig(quint64 von, quint64 bis)
{
    const quint64 wartet = gesucht.load();
    if (wartet >= von && wartet <= bis) {
        std::lock_guard<std::mutex> lock(schlaf);
        fuer_meldung.notify_one();
    }
}

void CEntpackWerk::schliesse_lesen(quint64 index, CLeseschluss art, int code) noexcept
{
    try {
        schicke(true);
    } catch (...) {
        // Without memory for the queue the gathered entries are not written; the reporting
        // side stops at the first of them, where the reading ends now.
        if (!sammlung.empty())
            index = qMin(index, sammlung.front().index), art = CLeseschluss::Ausnahme;
        sammlung.clear();
    }
    schluss = art;
    schluss_code = code;
    schluss_index = index;
    melde_fertig(0, ~quint64(0) - 1);
}

bool CEntpackWerk::hole(quint64 index, CEintragUnterwegs& eintrag, CLeseschluss& art, int& code, int frist_ms)
{
    CPlatz& p = platz(index);
    if (p.nochmal && p.zustand.load() == fertig) {
        // Its file was thrown away for an entry before it: it is written again now, holding its
        // room anew.
        p.nochmal = false;
        halte_raum(p, *p.dateisystem, p.gelesen.ort.gross);
        gib_erneut(index);
    }
    const auto da = [&] { return p.zustand.load() == fertig || index >= schluss_index.load(); };
    // A result that is about to come is waited for awake, a few microseconds: going to sleep and
    // being woken would cost more. Not by giving the processor away: on a loaded machine each
    // turn given away lasts a time slice, and a run whose window holds few entries crawled.
    const auto wach_bis = std::chrono::steady_clock::now() + std::chrono::microseconds(20);
    while (!da() && std::chrono::steady_clock::now() < wach_bis) {
    }
    if (!da()) {
        std::unique_lock<std::mutex> lock(schlaf);
        gesucht = index;
        if (frist_ms < 0)
            fuer_meldung.wait(lock, da);
        else
            fuer_meldung.wait_for(lock, std::chrono::milliseconds(frist_ms), da);
        gesucht = ~quint64(0);
    }
    if (p.zustand.load() != fertig) {
        if (index < schluss_index.load()) {
            art = CLeseschluss::Keiner;
            return false;
        }
        art = schluss;
        code = schluss_code;
        return false;
    }
    eintrag = std::move(p.eintrag);
    p.eintrag = CEintragUnterwegs();
    p.zustand.store(frei);
    return true;
}

void CEntpackWerk::ist_gemeldet(quint64 index)
{
    // Its file has its name: its room is no longer on its way (an old file of that name is gone
    // then); the next measure tells what is free.
    for (quint64 i = gemeldet.load(); i <= index; ++i) {
        CPlatz& p = platz(i);
        gib_raum_frei(p, true);
        p.dateisystem = nullptr;
        p.gelesen = CZipEintrag();
        p.nochmal = false;
    }
    gemeldet = index + 1;
    const quint64 bis = lesen_wartet_bis.load();
    if (bis != 0 && index + 1 >= bis) {
        std::lock_guard<std::mutex> lock(schlaf);
        fuer_lesen.notify_one();
    }
}

void CEntpackWerk::wiederhole(quint64 index, CEintragUnterwegs eintrag)
{
    CPlatz& p = platz(index);
    {
        // Fewer go at once to the file system that ran out of room.
        const std::lock_guard<std::mutex> lock(raum_mutex);
        CDateisystem& fs = *p.dateisystem;
        fs.deckel_bytes = qMax(p.bytes, fs.unterwegs_bytes / 2);
        fs.deckel_knoten = qMax<quint64>(1, fs.unterwegs_knoten / 2);
    }
    // The files completed for later entries hold room that this one needs. An entry that went to
    // no worker (it failed for good, for want of room) has nothing to write.
    for (quint64 i = index + 1; i < index + groesse; ++i) {
        CPlatz& spaeter = platz(i);
        if (spaeter.zustand.load() != fertig || spaeter.nochmal || !spaeter.eintrag.fuer_arbeiter()
            || !spaeter.dateisystem)
            continue;
        spaeter.eintrag.fertig.verwirf();
        spaeter.eintrag.ergebnis = ENTPACK_OK;
        spaeter.eintrag.ausgabe.clear();
        spaeter.nochmal = true;
        gib_raum_frei(spaeter);
    }
    eintrag.fertig.verwirf();
    eintrag.ergebnis = ENTPACK_OK;
    eintrag.ausgabe.clear();
    eintrag.endgueltig = true;
    p.eintrag = std::move(eintrag);
    gib_erneut(index);
}

void CEntpackWerk::gib_erneut(quint64 index)
{
    CPlatz& p = platz(index);
    p.zustand.store(beim_arbeiter);
    {
        std::lock_guard<std::mutex> lock(mutex);
        warteschlange.push_front(std::vector<CAuftrag>{CAuftrag{index, p.gelesen}});
    }
    arbeit_da.notify_one();
}

void CEntpackWerk::brich_ab()
{
    abbruch = true;
    {
        std::lock_guard<std::mutex> lock(mutex);
        warteschlange.clear();
    }
    std::lock_guard<std::mutex> lock(schlaf);
    fuer_lesen.notify_all();
}

void CEntpackWerk::verwirf_uebrige()
{
    halte_an();
    sammlung.clear();
    for (quint64 i = gemeldet; i < gemeldet + groesse; ++i) {
        CPlatz& p = platz(i);
        p.eintrag = CEintragUnterwegs();
        p.gelesen = CZipEintrag();
        p.dateisystem = nullptr;
        p.nochmal = false;
        p.zustand.store(frei);
    }
}

void CEntpackWerk::arbeite(std::unique_ptr<CZipEingabe> eingabe)
{
    // Without memory for its reader or its file a worker writes nothing: each entry it takes
    // fails for want of memory.
    std::unique_ptr<CEintragsleser> leser;
    std::optional<CArbeiterDatei> datei;
    try {
        if (eingabe)
            leser.reset(new CEintragsleser(*eingabe));
        datei.emplace(abbruch, unbenannt);
    } catch (const std::bad_alloc&) {
        datei.reset();
    }
    for (;;) {
        std::vector<CAuftrag> paket;
        bool weiter_wecken = false;
        {
            std::unique_lock<std::mutex> lock(mutex);
            while (!ende && warteschlange.empty()) {
                ++schlafend;
                arbeit_da.wait(lock);
                --schlafend;
            }
            if (warteschlange.empty())
                return;
            paket = std::move(warteschlange.front());
            warteschlange.pop_front();
            weiter_wecken = !warteschlange.empty() && schlafend > 0;
        }
        if (weiter_wecken)
            arbeit_da.notify_one();
        for (CAuftrag& auftrag : paket) {
            CEintragUnterwegs& e = platz(auftrag.index).eintrag;
            e.ergebnis = datei ? ENTPACK_SCHREIBEN : ENTPACK_SPEICHER;
            if (abbruch || !datei)
                continue;
            // Nothing may end a worker: an entry that throws fails, its file goes.
            try {
                const CEntpackAusgabeSammler sammler(e.ausgabe);
                if (auftrag.eintrag.leser)
                    auftrag.eintrag.leser = leser.get();
                // An entry before it with the same path may not have its name yet.
                datei->setze_vergleich(vergleichen.load() && !e.nach_gleichem);
                e.ergebnis = entpacke_eintrag(nullptr, auftrag.eintrag, ziel, false, *datei);
                e.fertig = datei->nimm_fertige();
                // The room measured last was not there: the next entry there measures anew.
                if (e.ergebnis == ENTPACK_VOLL)
                    platz(auftrag.index).dateisystem->knapp = true;
            } catch (...) {
                e.ergebnis = gib_ausnahmecode(std::current_exception());
                e.fertig.verwirf();
                datei->nimm_fertige();
            }
        }
        for (const CAuftrag& auftrag : paket)
            platz(auftrag.index).zustand.store(fertig);
        melde_fertig(paket.front().index, paket.back().index);
    }
}
