// The records map of the uninstall information, kept compact: UTF-8 keys in large blocks, times in a table.
#pragma once

#include "ctextreihe.h"
#include "czeit.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Recorded path -> time of installation. A run of hundreds of thousands of entries keeps one record
// per entry for the whole run: a record costs its key's UTF-8 bytes and a few more, where a tree
// of QString keys and time objects cost four times as much. Walked in the order of plain QString
// comparison, as the file is written.
class CUninstallKarte
{
public:
    using value_type = std::pair<QString, CZeitVDN>;

    // Walks the records in order; a step gives a copy of the record.
    class const_iterator
    {
    public:
        // What `->` points to: the copy lives as long as the expression.
        struct Zeiger
        {
            value_type wert;
            const value_type* operator->() const { return &wert; }
        };
        using iterator_category = std::forward_iterator_tag;
        using value_type = CUninstallKarte::value_type;
        using difference_type = std::ptrdiff_t;
        using pointer = Zeiger;
        using reference = value_type;

        value_type operator*() const { return karte->eintrag(stelle); }
        Zeiger operator->() const { return Zeiger{karte->eintrag(stelle)}; }
        const_iterator& operator++()
        {
            ++stelle;
            return *this;
        }
        bool operator==(const const_iterator& o) const { return stelle == o.stelle; }
        bool operator!=(const const_iterator& o) const { return stelle != o.stelle; }

    private:
        friend class CUninstallKarte;
        const_iterator(const CUninstallKarte* karte, std::size_t stelle) : karte(karte), stelle(stelle) {}
        const CUninstallKarte* karte;
        std::size_t stelle;
    };
    using iterator = const_iterator;

    CUninstallKarte() = default;
    CUninstallKarte(CUninstallKarte&&) noexcept = default;
    CUninstallKarte& operator=(CUninstallKarte&&) noexcept = default;
    CUninstallKarte(const CUninstallKarte&) = delete;
    CUninstallKarte& operator=(const CUninstallKarte&) = delete;

    std::size_t size() const { return anzahl; }
    bool empty() const { return anzahl == 0; }
    // Gives all memory back.
    void clear();
    std::size_t count(const QString& pfad) const { return finde(pfad.toUtf8()) ? 1 : 0; }

    // Sets the record of the path (UTF-8) to the time; the time it had before.
    std::optional<CZeitVDN> setze(const QByteArray& pfad, const CZeitVDN& zeit);
    // Removes the record of the path; whether there was one.
    bool entferne(const QByteArray& pfad);
    // The time of the path's record, when there is one.
    std::optional<CZeitVDN> zeit_von(const QByteArray& pfad) const;

    const_iterator begin() const;
    const_iterator end() const;
    // Removes the record the iterator stands on; the next one.
    const_iterator erase(const_iterator it);

    // Calls `f(const char* pfad, int laenge, const CZeitVDN& zeit)` for every record in order.
    template <class F>
    void fuer_jeden(F&& f) const
    {
        ordne();
        for (const std::uint32_t stelle : ordnung) {
            const Kopf k = kopf(stelle);
            f(schluessel(stelle), int(k.laenge), zeiten[k.zeit]);
        }
    }

    // The records of one moment in order, for a walk that takes its time while the map changes
    // (the uninstall, the listing of the records), in little memory: the keys one after the other
    // as each shares its start with the one before, each time as the number of one of the few
    // distinct times.
    class Auszug
    {
    public:
        std::size_t size() const { return schluessel.size(); }
        bool empty() const { return schluessel.empty(); }

        // Reads the records one after the other, from the first.
        class Leser
        {
        public:
            explicit Leser(const Auszug& auszug) : auszug(auszug), leser(auszug.schluessel) {}
            // The next record's key and time; false after the last.
            bool naechster(QString& schluessel, const CZeitVDN*& zeit);

        private:
            const Auszug& auszug;
            CTextreihe::Leser leser;
        };

    private:
        friend class CUninstallKarte;
        CTextreihe schluessel;
        std::vector<CZeitVDN> zeiten;
    };
    Auszug auszug() const;

    // The copy as a plain map.
    std::map<QString, CZeitVDN> als_map() const;

private:
    // Before every key in the blocks: its time's place in `zeiten` and its length in bytes.
    struct Kopf
    {
        std::uint32_t zeit;
        std::uint32_t laenge : 31;
        // Whether the key holds a character beyond U+FFFF, which sorts apart from its bytes.
        std::uint32_t hinter_bmp : 1;
    };
    // A record lies whole in one block: its place is block * blockgroesse + offset.
    static constexpr std::uint32_t blockgroesse = 1u << 20;

    Kopf kopf(std::uint32_t stelle) const
    {
        Kopf k;
        std::memcpy(&k, bloecke[stelle / blockgroesse].get() + stelle % blockgroesse, sizeof k);
        return k;
    }
    void setze_kopf(std::uint32_t stelle, const Kopf& k)
    {
        std::memcpy(bloecke[stelle / blockgroesse].get() + stelle % blockgroesse, &k, sizeof k);
    }
    const char* schluessel(std::uint32_t stelle) const
    {
        return bloecke[stelle / blockgroesse].get() + stelle % blockgroesse + sizeof(Kopf);
    }
    // The slot of `plaetze` that holds the key or, when none does, the free one where it goes.
    std::size_t suche(const char* pfad, std::uint32_t laenge, std::uint32_t hash, bool& gefunden) const;
    const std::uint32_t* finde(const QByteArray& pfad) const;
    std::uint32_t zeit_index(const CZeitVDN& zeit);
    std::uint32_t lege_ab(const QByteArray& pfad, std::uint32_t zeit);
    void wachse();
    void ordne() const;
    value_type eintrag(std::size_t stelle) const;

    std::vector<std::unique_ptr<char[]>> bloecke;
    std::uint32_t belegt = blockgroesse; // of the last block
    // Open addressing: 0 free, `entfernt` a removed record, else a record's place + 1.
    std::vector<std::uint32_t> plaetze;
    std::size_t anzahl = 0;
    std::size_t benutzt = 0; // slots not free
    // The distinct times; most records of a run share one.
    std::vector<CZeitVDN> zeiten;
    std::map<std::array<int, 7>, std::uint32_t> zeit_nummern;
    // The places of the records in order, made when a walk asks for it. A record removed keeps
    // its place there, marked, until the next walk leaves the marked ones out: removing many
    // records one by one (the uninstall) costs no sort each time the records are written.
    mutable std::vector<std::uint32_t> ordnung;
    mutable bool geordnet = true;
    mutable std::size_t entfernt_in_ordnung = 0;
};
