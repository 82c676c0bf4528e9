// A sequence of texts in little memory: each kept as the length it shares with the text before it and the bytes that follow.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Texts that follow one another often begin alike (paths in order, the lines of a log): each is
// kept as the number of bytes it shares with the one before, its remaining bytes and a number of
// the caller's, the numbers seven bits a byte. They are read back in order, one after the other.
class CTextreihe
{
public:
    void haenge_an(const char* text, std::size_t laenge, std::uint64_t zahl = 0);
    std::size_t size() const { return anzahl; }
    bool empty() const { return anzahl == 0; }
    void swap(CTextreihe& andere) noexcept;

    // Reads the texts from the first.
    class Leser
    {
    public:
        explicit Leser(const CTextreihe& reihe) : reihe(reihe) {}
        // The next text (held until the next call) and its number; false after the last.
        bool naechster(const std::string*& text, std::uint64_t& zahl);

    private:
        const CTextreihe& reihe;
        std::size_t stelle = 0;
        std::string text;
    };

private:
    void schreibe_zahl(std::uint64_t zahl);
    std::uint64_t lies_zahl(std::size_t& stelle) const;

    std::string daten;
    std::size_t anzahl = 0;
    std::string letzter;
};
