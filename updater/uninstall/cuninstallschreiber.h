// Keeps "uninstall.dat" current while a run changes the records: at most every half second, and whenever asked.
#pragma once

#include <QElapsedTimer>

#include <atomic>

class CUninstallInfo;

// A run that installs or removes files writes its records through one of these, so that a run
// killed at any moment leaves a file that names what is on disk. The threads of one run may
// share it. Without an uninstall information object nothing is written and every write succeeds.
// `ordner`: the run's handle of the folder of the records (-1: none), through which they are
// written: the folder whose files the run changes, also once it was renamed or moved.
class CUninstallSchreiber
{
public:
    explicit CUninstallSchreiber(CUninstallInfo* info, int ordner = -1, qint64 abstand_ms = 500);
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

    // Counts a change of the map, made just before.
    void vermerke_aenderung() { ++aenderungen; }
    // Whether every change counted is on disk: a write of any thread took it.
    bool alles_geschrieben() const { return geschrieben.load() >= aenderungen.load(); }

private:
    CUninstallInfo* const info;
    const int ordner;
    const qint64 abstand;
    QElapsedTimer uhr;
    std::atomic<qint64> letzte{0};
    std::atomic<bool> gemeldet{false};
    std::atomic<quint64> aenderungen{0};
    std::atomic<quint64> geschrieben{0};
};
