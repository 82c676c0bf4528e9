// Inflates and writes archive entries on worker threads; the reporting side takes them in the archive's order.
#pragma once

#include "entpacken.h"
#include "ziparchiv.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include <sys/types.h>

class CZipEingabe;

// The number of worker threads of an install: the cores this process may run on, at most 16.
// The environment variable AKTUALISIERER_ARBEITER, or `setze_entpack_arbeiter`, fixes it; with 1
// the entries are written one after the other.
int gib_entpack_arbeiter();
// 0 restores the choice above.
void setze_entpack_arbeiter(int anzahl);

// An entry on its way from the archive to the report.
struct CEintragUnterwegs
{
    // From the reading side.
    QString name;
    // The name as the protocol shows it.
    QString anzeige;
    // The entry's own failure, known before anything is written.
    int code = ENTPACK_OK;
    bool uebersprungen = false;
    // A file entry.
    bool datei = false;
    // The folder the entry needs (all levels of a folder entry); null when none. `wie_vorher`:
    // the folder of the entry before, with nothing of that name in between. It is made once the
    // records name its levels. `nach_gleichem`: a file of the same path (or one that may be the
    // same file, through a link) came shortly before; its file takes its name in its report.
    QString ordner;
    bool wie_vorher = false;
    bool nach_gleichem = false;
    // The device of the file system its files land on (its folder's deepest level that exists),
    // where the reading side learnt it when it planned the folder.
    std::optional<dev_t> geraet;

    // From a worker: the code of the file, the complete file still without its name, and the
    // diagnostics for standard output. When its folder is made: the levels that this run made
    // (each ending in "/"), and the level at which making the folder failed, with its errno.
    int ergebnis = ENTPACK_OK;
    CFertigeDatei fertig;
    QByteArray ausgabe;
    QStringList angelegt;
    QString fehlstufe;
    int ordnerfehler = 0;

    // Whether a failure for want of room is final: it was written again after one (see
    // `wiederhole`), or it did not fit when nothing else was on its way (no worker wrote it).
    bool endgueltig = false;

    // Whether it is to be installed, and whether a worker writes a file for it.
    bool gilt() const { return code == ENTPACK_OK && !uebersprungen; }
    bool fuer_arbeiter() const { return gilt() && datei; }
};

// How the reading of the archive ended.
enum class CLeseschluss { Keiner, Ende, Zipfehler, Ausnahme };

// Between the side that reads the archive (its own thread) and the side that reports (the
// caller's thread). The reading side puts each entry into a window; one of the workers writes its
// file, each worker reading the archive through its own handle with positioned reads.
// A worker leaves the file without its name: the reporting side takes the entries in the
// archive's order, and the files take their names in that order, once their records are written
// (of two entries of one path the later one wins). Memory stays bounded: at most `fenster()`
// entries are on their way, and an entry's data passes through a worker's buffers in blocks.
// Room bounds them too, on each file system below the target (a folder may be another one): the
// files of the entries on their way hold no more space and inodes than the file system they
// land on shows free (less a reserve for the records and the run's folders), measured again as
// the run goes on; after a file failed for want of room fewer go there at once (see
// `wiederhole`). A file of the user's own that may hold its entry's data already needs no room
// (see `CZieldatei::setze_vergleich`): it is written only when it differs.
class CEntpackWerk
{
public:
    // The workers read through handles of their own on the archive's file and write below
    // `ziel`; they make no folder. `unbenannt`: they make their files without a name (see
    // `pruefe_namensregeln`). `vergleichen`: a file that holds an entry's data already stays as
    // it is (see `CZieldatei::setze_vergleich`), unless an entry before it had its path. Of the
    // `arbeiter` workers as many start as the system gives; where none does, the exception that
    // says why (std::system_error) leaves the constructor.
    CEntpackWerk(const CZipEingabe& eingabe, const QString& ziel, int arbeiter, bool unbenannt, bool vergleichen);
    // Stops the workers; entries not taken are thrown away with their files.
    ~CEntpackWerk();
    CEntpackWerk(const CEntpackWerk&) = delete;
    CEntpackWerk& operator=(const CEntpackWerk&) = delete;

    // How many entries may be on their way.
    quint64 fenster() const { return groesse; }
    // Grows the process's table of open files for a run of `arbeiter` workers, as the constructor
    // does: while other threads run, each step of its growth waits for every CPU, so a run that
    // starts threads of its own before the workers calls this first.
    static void reserviere_handles(int arbeiter);

    // Reading side. Whether the entry fits into the window now.
    bool hat_platz(quint64 index) const { return index - gemeldet.load() < groesse; }
    // Waits until the entry fits into the window; false once stopped.
    bool warte_auf_platz(quint64 index);
    // Waits until the entry was reported (its file has its name); false once stopped.
    bool warte_bis_gemeldet(quint64 index);
    // Puts the entry into the window; `gelesen` is the entry as read, for the workers. An entry
    // for a worker waits first until the file system of its folder has room for it beside those
    // on their way; one that does not fit alone fails at once, `ENTPACK_VOLL`, for good.
    void stelle_ein(quint64 index, CEintragUnterwegs eintrag, const CZipEintrag& gelesen);
    // Hands the entries put in so far to the workers now, without waiting for a packet to fill.
    void sende_gesammelte() { schicke(true); }
    // Ends the reading before the entry `index`; never fails.
    void schliesse_lesen(quint64 index, CLeseschluss schluss, int code = 0) noexcept;
    bool ist_gestoppt() const { return abbruch.load(); }
    // From the entry put in next on, no file is compared: a folder of the target was reached
    // through a link, and two paths may name one file (the later entry must win, and the earlier
    // one may replace the file after the later one's worker looked at it).
    void vergleiche_nicht_mehr() { vergleichen.store(false); }

    // Reporting side. Waits for the entry and takes it; false when the reading ended before it
    // (`schluss` and `code` say how), or with `schluss` Keiner when `frist_ms` (not negative)
    // passed first.
    bool hole(quint64 index, CEintragUnterwegs& eintrag, CLeseschluss& schluss, int& code, int frist_ms = -1);
    // Whether the reading side waits for entries to be reported.
    bool lesen_wartet() const { return lesen_wartet_bis.load() != 0; }
    // The entry taken last was reported: its place is free again.
    void ist_gemeldet(quint64 index);
    // The entry taken last (every entry before it reported) failed for want of room and was not
    // written again before: from now on half as much goes at once; the files that workers
    // completed for later entries are thrown away (each is written again when its turn comes),
    // and the entry is written again alone, `hole` takes it anew.
    void wiederhole(quint64 index, CEintragUnterwegs eintrag);
    // Stops reading side and workers: nothing more is begun, waits end.
    void brich_ab();
    // Stops, and after the reading side and the workers have ended throws the files of the
    // entries put in and not taken away.
    void verwirf_uebrige();

private:
    struct CAuftrag
    {
        quint64 index = 0;
        CZipEintrag eintrag;
    };
    enum Zustand : int { frei, beim_arbeiter, fertig };
    struct CDateisystem;
    // A place of the window. The side whose turn it is (by `zustand`) alone touches the entry.
    struct CPlatz
    {
        std::atomic<int> zustand{frei};
        CEintragUnterwegs eintrag;
        // A worker's entry as read, for writing it again; the file system it lands on (null when
        // it went to no worker) and the room it holds there while on its way.
        CZipEintrag gelesen;
        CDateisystem* dateisystem = nullptr;
        quint64 bytes = 0;
        quint64 knoten = 0;
        // Let through without room: its file may hold the entry's data already.
        bool ohne_raum = false;
        // Its file was thrown away: the entry is written again when it is taken.
        bool nochmal = false;
    };

    // Hands the gathered entries to the workers; `wecken`: a sleeping worker is woken for them.
    void schicke(bool wecken = false);
    void halte_an();
    void arbeite(std::unique_ptr<CZipEingabe> eingabe);
    CPlatz& platz(quint64 index) { return plaetze[size_t(index % groesse)]; }
    // Wakes the reporting side when it waits for one of these entries.
    void melde_fertig(quint64 von, quint64 bis);
    // Room: whether the file system has it for a file of `gross` bytes (and an inode) beside
    // those on their way (measured again when it seems not to, and after a quarter of what was
    // free went out); the entry then holds it until reported. `Nie`: not even alone. Under
    // `raum_mutex` but `passt`, `halte_raum` and `gib_raum_frei`.
    enum class CRaum { Ja, Spaeter, Nie };
    CRaum passt(CDateisystem& fs, quint64 gross);
    void miss_raum(CDateisystem& fs);
    static quint64 belegt(const CDateisystem& fs, quint64 gross);
    void halte_raum(CPlatz& p, CDateisystem& fs, quint64 gross, bool mit_raum = true);
    // `benannt`: the file took its name; its room counts as taken until the next measure.
    void gib_raum_frei(CPlatz& p, bool benannt = false);
    // Reading side: the file system of the entry's folder (of its deepest level that exists), by
    // the device the entry names where it is one known already; whether its file may hold the
    // entry's data already, and no other such entry is on its way there (one that differs takes
    // room unmeasured).
    CDateisystem& dateisystem_von(const CEintragUnterwegs& eintrag);
    CDateisystem* dateisystem_mit(dev_t geraet) const;
    int oeffne_zum_messen(const CDateisystem& fs) const;
    bool braucht_keinen_raum(const CDateisystem& fs, const CEintragUnterwegs& eintrag, quint64 gross);
    // Measures as `passt`, and lets a file through that may need no room.
    CRaum passt_oder_gleich(CDateisystem& fs, const CEintragUnterwegs& eintrag, quint64 gross, bool& ohne_raum);
    // Hands the entry in its place to a worker again, alone and before all others.
    void gib_erneut(quint64 index);

    struct CPlan
    {
        int arbeiter;
        quint64 fenster;
    };
    static CPlan plane(int arbeiter);

    const QString ziel;
    const bool unbenannt;
    std::atomic<bool> vergleichen;
    const CPlan plan;
    const quint64 groesse;
    std::unique_ptr<CPlatz[]> plaetze;
    std::atomic<bool> abbruch{false};
    // Reading side only: entries gathered for the workers, not yet handed over.
    std::vector<CAuftrag> sammlung;
    quint64 sammlung_bytes = 0;
    // Entries before this one were reported.
    std::atomic<quint64> gemeldet{0};
    // How the reading ended, before which entry (none yet: the largest index).
    std::atomic<quint64> schluss_index{~quint64(0)};
    CLeseschluss schluss = CLeseschluss::Keiner;
    int schluss_code = 0;

    // Waking a sleeping thread costs more than a small entry's whole work (on a virtual machine
    // tens of microseconds), and so does a lock that makes a thread sleep: the places of the
    // window pass between the sides through their state alone, and each side wakes another
    // only where it must. A worker that takes a packet while more wait wakes the next worker;
    // the reading side wakes one only when none is awake or packets pile up. A worker wakes the
    // reporting side once per packet, and only when it waits for one of its entries; the
    // reporting side wakes the reading side once a quarter of the window is free.
    std::mutex mutex;
    std::condition_variable arbeit_da;
    std::deque<std::vector<CAuftrag>> warteschlange;
    int schlafend = 0;
    bool ende = false;
    std::vector<std::thread> arbeiter;

    // Where the reporting side and the reading side sleep.
    std::mutex schlaf;
    std::condition_variable fuer_meldung;
    std::condition_variable fuer_lesen;
    // The entry the reporting side waits for, or none.
    std::atomic<quint64> gesucht{~quint64(0)};

    // The file systems below the target, the target folder's own first (it holds the records),
    // each with its room (under `raum_mutex`); the reading side's own: the file system of each
    // folder of an entry so far.
    std::vector<std::unique_ptr<CDateisystem>> dateisysteme;
    QHash<QString, CDateisystem*> ordner_dateisystem;
    std::mutex raum_mutex;
    // The reading side waits until `gemeldet` reaches this; 0 while it does not wait.
    std::atomic<quint64> lesen_wartet_bis{0};
};
