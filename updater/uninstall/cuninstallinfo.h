// The uninstall information: the program-wide map of installed paths and its file "uninstall.dat".
#pragma once

#include "cuninstallkarte.h"
#include "czeit.h"
#include "czielsperre.h"

#include <QByteArray>
#include <array>
#include <functional>
#include <mutex>
#include <QString>
#include <map>
#include <memory>
#include <optional>

struct statx;

// The name of the records' file in its folder.
inline QLatin1String unistall_dateiname()
{
    return QLatin1String("uninstall.dat");
}

// Recorded path (relative to the installation folder, "/" as separator, folders ending in "/")
// -> time of installation; ordered by plain QString comparison. The program keeps the records in
// a `CUninstallKarte`; a copy for a walk is a plain map.
using CUninstallMap = std::map<QString, CZeitVDN>;
// The map itself, without its lock: only for set-up and tests while no job runs. Jobs may run
// at the same time (an install records while a listing reads), so the program reaches it
// through the functions below, which hold the lock; readers walk a copy.
CUninstallKarte& unistall_map();

// Sets the map entry of the path to the time (inserts or overwrites); the entry it had before.
std::optional<CZeitVDN> ergaenze_unistall(const QString& pfad, const CZeitVDN& zeit);
// The same for a file of an install, where only the path must be on disk before the file takes
// its name: a path already on record only changes its time, which waits for the run's final
// write (a killed run leaves the time before, the path still named); `spaeter` says so. A path not
// on record yet goes to the next write as with `ergaenze_unistall`.
std::optional<CZeitVDN> ergaenze_unistall(const QString& pfad, const CZeitVDN& zeit, bool& spaeter);
// Removes the map entry of the path, or sets it back to `vorher` when that holds a time.
void setze_unistall_zurueck(const QString& pfad, const std::optional<CZeitVDN>& vorher = std::nullopt);
// The map entry of the path, when there is one.
std::optional<CZeitVDN> unistall_eintrag(const QString& pfad);
// The records as they are now.
CUninstallMap unistall_kopie();
// The same, compactly, for a walk over many records.
CUninstallKarte::Auszug unistall_auszug();
std::size_t unistall_anzahl();

// Why the uninstall information of this process cannot be used (its file exists but cannot be
// read); empty while it can. Installing and uninstalling refuse to work while it is set, so that
// no record is lost.
QString gib_unistall_ladefehler();

class CUninstallInfo;

// The hold of a job on its target folder `ordner` (see `CZielsperre`): where the records of
// `info` (may be null) lie there and this process takes the folder anew, they are read afresh
// under the hold (`lies_neu`), so that the job works on what another process left. `angehalten`:
// whether the job is to stop, which ends a wait for the hold (see `CZielsperre`).
std::unique_ptr<CZielsperre> halte_ziel(const QString& ordner, CZielsperre::Zugriff zugriff, CUninstallInfo* info,
                                        const std::function<void(const QString&)>& beim_warten = {},
                                        const std::function<bool()>& angehalten = {});

// The file "uninstall.dat" of an installation folder: the map is loaded from it when built, and
// read afresh by each job that takes the folder anew; only jobs write it, while they hold the
// folder (`halte_ziel`), so that between jobs another updater may work on the folder.
class CUninstallInfo
{
public:
    // The file in the installation folder (`gib_zielverzeichnis`).
    CUninstallInfo();
    // The file in the given folder.
    explicit CUninstallInfo(const QString& verzeichnis);
    ~CUninstallInfo();
    CUninstallInfo(const CUninstallInfo&) = delete;
    CUninstallInfo& operator=(const CUninstallInfo&) = delete;

    // Adds every valid line of the file to the map; a missing file (or folder) changes nothing.
    // False (and the map unchanged) when the file exists but cannot be read: not a regular file,
    // a link, no permission, a read error.
    bool lies_unistall();
    // Only while the folder is held: the map becomes what the file says now (empty where it
    // cannot be read, see `gib_ladefehler`), and what a killed run left half-way in the folder
    // goes. A file still as this information read or wrote it last, with the map unchanged
    // since, is not read again.
    void lies_neu();
    // Replaces the file atomically; false when it cannot be written (reported once with its
    // cause, also when asked again with the same records; `melden` false keeps the report for a
    // later call). An empty map writes nothing and leaves an existing file as it is, unless
    // that file names records as this information read or wrote it: it then gets the header
    // alone (a run that took back every record it wrote ahead leaves none). Nothing is written
    // while the information could not be loaded.
    // Any thread may call it. `ordner`: the handle of the file's folder that a run holds, through
    // which the file is written (by its path where -1): a run's records go to the folder whose
    // files it changes, should that folder be renamed or moved meanwhile.
    [[nodiscard]] bool schreibe_unistall(bool melden = true, int ordner = -1);
    // The same for a run that is still under way, at the cost of the records it added: while the
    // map has only grown since the last write, the new lines follow the file's last content in
    // the order they came (a key of an earlier line again: the later line holds, as reading
    // takes it); else the whole file is written as above.
    [[nodiscard]] bool schreibe_zwischenstand(bool melden = true, int ordner = -1);
    // Empties the map and deletes the file (through the folder's handle `ordner` where not -1);
    // false, with the log line, where the file could not be deleted.
    bool remove_unistall(int ordner = -1);

    const QString& gib_dateiname() const { return dateiname; }
    // See gib_unistall_ladefehler.
    const QString& gib_ladefehler() const { return ladefehler; }

private:
    QByteArray kopf() const;
    // Under the write lock, before a write in full (`voll`) or one that adds: its result when
    // nothing is to be written (the information could not be loaded, the map is empty, or the
    // map is as the last such write took it); else none, and `stand` is the map's change.
    std::optional<bool> ohne_schreiben(bool voll, bool melden, quint64& stand);
    // Writes the file's content with `schreibe` (given the new file's handle), taken from the map
    // at its change `stand` (which `schreibe` may set); `voll`: the whole map in order.
    bool schreibe_inhalt(quint64& stand, bool voll, const std::function<bool(int fd)>& schreibe, bool melden, int ordner);
    // The file's name to open relative to `ordner` (its path where -1, as for AT_FDCWD).
    QByteArray name_in(int ordner) const;
    // The last write's result, reported once when it failed.
    bool melde_ergebnis(bool melden);
    // Takes the file of which `st` tells, holding the map at its change `stand`, as the base of
    // the next write that adds to it; none with null.
    void merke_basis(const struct statx* st, quint64 stand = 0);
    // Whether the file at the records' name is still the base, unchanged, and the map as the
    // base holds it.
    bool ist_wie_basis();

    QString dateiname;
    QString ladefehler;
    // The map's change that the last write took (none yet: the largest number), whether it wrote
    // the whole map in order, and whether it succeeded; jobs that install at the same time write
    // one after the other.
    std::mutex schreib_mutex;
    quint64 letzter_stand = ~quint64(0);
    bool letzter_voll = false;
    bool letzter_erfolg = false;
    // The file that the last write left, while it succeeded, or the file read when the map took
    // it whole: a write that adds to it copies it on disk and holds none of its lines in memory.
    // Its device and inode and its size (-1: none) tell that it is still that file. For a job
    // that takes the folder anew so do its birth time (a file made later at its inode has
    // another one; none where the file system keeps none) and the times of its last changes;
    // `basis_stand` is the map's change that it holds.
    quint64 basis_geraet = 0;
    quint64 basis_inode = 0;
    qint64 basis_groesse = -1;
    std::optional<std::array<qint64, 6>> basis_zeiten;
    quint64 basis_stand = 0;
    // Whether the file on disk names records as this information read or wrote it last.
    bool eintraege_auf_platte = false;
    // Why the last write failed, and whether that was reported.
    QString letzte_ursache;
    bool fehler_gemeldet = false;
};

// The text of one record line as written to the file, without line end.
QString uninstall_zeile(const QString& pfad, const CZeitVDN& zeit);
