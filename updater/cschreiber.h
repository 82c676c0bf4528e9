// Writes the extracted files in a thread of its own while the caller reads and inflates the next entry.
#pragma once

#include "entpacken.h"

#include <QByteArray>
#include <QString>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// A target for `entpacke_eintrag` whose file work (creating, writing, setting the time,
// renaming) for large entries runs in a writer thread while the entry is still being read and
// inflated; small entries are written at once in the caller's thread. Entries are written in the
// order given. An entry's data is first gathered up to a threshold; only when the entry is about
// to be written is the hook `vor_dem_schreiben` called, so that the caller can first finish the
// previous entry (wait for its result, report it). At most one entry is thus with the writer
// while the next is read, and what is written after a stop is exactly what a one-by-one run
// would have written.
class CSchreiber : public CEntpackZiel
{
public:
    CSchreiber();
    ~CSchreiber() override;
    CSchreiber(const CSchreiber&) = delete;
    CSchreiber& operator=(const CSchreiber&) = delete;

    int beginne(const QString& ziel, const QString& name, bool ohne_pfad, unsigned long dos_zeit) override;
    QByteArray& puffer() override;
    bool schreibe(int anzahl) override;
    // Hands the entry to the writer; its result comes from `warte`.
    int beende(bool behalten) override;

    void setze_vor_dem_schreiben(std::function<void()> hook) { vor_dem_schreiben = std::move(hook); }
    // True while an ended entry's result has not been taken.
    bool hat_offenes() const { return offen; }
    // How many entries went to the writer so far.
    unsigned long long gib_uebergeben() const { return uebergeben; }
    // Waits for the result of the entry handed over last (its extraction code).
    int warte();
    // Throws away an entry that was begun but not ended (after an exception).
    void brich_ab();

private:
    enum class Art { Beginn, Daten, Ende, Stopp };
    struct Befehl
    {
        explicit Befehl(Art art = Art::Stopp) : art(art) {}
        Art art;
        QString ziel;
        QString name;
        bool ohne_pfad = false;
        unsigned long dos_zeit = 0;
        QByteArray block;
        int anzahl = 0;
        bool behalten = false;
    };

    void starte(std::vector<Befehl>& rest);
    int schreibe_direkt(bool behalten);
    void sende(std::vector<Befehl>& befehle);
    void sende(Befehl befehl);
    void arbeite();
    QByteArray hole_block();

    std::function<void()> vor_dem_schreiben;
    // Caller's side.
    Befehl beginn;
    QByteArray aktuell;
    std::vector<Befehl> gesammelt;
    int gesammelt_bytes = 0;
    bool begonnen = false;
    bool gestartet = false;
    bool offen = false;
    unsigned long long uebergeben = 0;
    // Small entries: written here, their result kept for `warte`.
    CZieldatei datei_direkt;
    std::vector<QByteArray> freie_direkt;
    bool direkt = false;
    int direkt_ergebnis = ENTPACK_OK;

    // Shared with the writer thread, under `mutex`.
    std::mutex mutex;
    // The writer waits for work; the caller waits for room in the queue or for a result. Each
    // side is woken only while it waits.
    std::condition_variable arbeit_da;
    std::condition_variable fuer_aufrufer;
    bool schreiber_wartet = false;
    bool aufrufer_wartet = false;
    std::deque<Befehl> warteschlange;
    long long warteschlange_bytes = 0;
    std::vector<QByteArray> freie_bloecke;
    bool ergebnis_da = false;
    int ergebnis = 0;

    std::thread schreiber;
};
