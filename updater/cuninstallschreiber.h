// Keeps "uninstall.dat" current while a run changes the records: at most every half second, and whenever asked.
#pragma once

#include <QElapsedTimer>

#include <atomic>
#include <functional>

class CUninstallInfo;

// A run that installs or removes files writes its records through one of these, so that a run
// killed at any moment leaves a file that names what is on disk. The threads of one run may
// share it. Without an uninstall information object nothing is written and every write succeeds.
class CUninstallSchreiber
{
public:
    explicit CUninstallSchreiber(CUninstallInfo* info, qint64 abstand_ms = 500);
    CUninstallSchreiber(const CUninstallSchreiber&) = delete;
    CUninstallSchreiber& operator=(const CUninstallSchreiber&) = delete;

    // Whether the interval since the last write has passed.
    bool ist_faellig() const;
    // Writes the records now (atomically: a file that is complete, on disk, takes the name);
    // in their final order with `endstand`, else as a run's intermediate state. False when that
    // failed; the cause is reported once per run (a thread that may not report passes `melden`
    // false and leaves the report to a later call).
    [[nodiscard]] bool schreibe(bool melden = true, bool endstand = false);
    // Writes when the interval has passed; true when nothing was due.
    [[nodiscard]] bool bei_bedarf();
    // Called after every successful write, in the thread that wrote, with the number of the
    // last change the write took: what waited for those records may follow them on disk.
    void setze_nach_schreiben(std::function<void(quint64)> aufruf) { nach_schreiben = std::move(aufruf); }

    // Counts a change of the map, made just before: its number, for `ist_geschrieben`. A thread
    // that waits for its changes to reach the disk goes on as soon as any thread has written.
    quint64 vermerke_aenderung() { return ++aenderungen; }
    // Whether the changes up to number `stand` are on disk.
    bool ist_geschrieben(quint64 stand) const { return geschrieben.load() >= stand; }
    bool alles_geschrieben() const { return geschrieben.load() >= aenderungen.load(); }

private:
    CUninstallInfo* const info;
    const qint64 abstand;
    QElapsedTimer uhr;
    std::atomic<qint64> letzte{0};
    std::atomic<bool> gemeldet{false};
    std::atomic<quint64> aenderungen{0};
    std::atomic<quint64> geschrieben{0};
    std::function<void(quint64)> nach_schreiben;
};
