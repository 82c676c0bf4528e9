#include "ctextreihe.h"

#include <algorithm>

void CTextreihe::haenge_an(const char* text, std::size_t laenge, std::uint64_t zahl)
{
    const std::size_t grenze = std::min(laenge, letzter.size());
    std::size_t gemeinsam = 0;
    while (gemeinsam < grenze && text[gemeinsam] == letzter[gemeinsam])
        ++gemeinsam;
    schreibe_zahl(gemeinsam);
    schreibe_zahl(laenge - gemeinsam);
    daten.append(text + gemeinsam, laenge - gemeinsam);
    schreibe_zahl(zahl);
    letzter.assign(text, laenge);
    ++anzahl;
}

void CTextreihe::swap(CTextreihe& andere) noexcept
{
    daten.swap(andere.daten);
    std::swap(anzahl, andere.anzahl);
    letzter.swap(andere.letzter);
}

void CTextreihe::schreibe_zahl(std::uint64_t zahl)
{
    // The high bit of a byte says that more follow.
    do {
        const char teil = char(zahl & 0x7F);
        zahl >>= 7;
        daten.push_back(zahl ? char(teil | 0x80) : teil);
    } while (zahl);
}

std::uint64_t CTextreihe::lies_zahl(std::size_t& stelle) const
{
    std::uint64_t zahl = 0;
    for (int schiebe = 0;; schiebe += 7) {
        const auto teil = static_cast<unsigned char>(daten[stelle++]);
        zahl |= std::uint64_t(teil & 0x7F) << schiebe;
        if (!(teil & 0x80))
            return zahl;
    }
}

bool CTextreihe::Leser::naechster(const std::string*& naechster_text, std::uint64_t& zahl)
{
    if (stelle >= reihe.daten.size())
        return false;
    text.resize(reihe.lies_zahl(stelle));
    const std::size_t rest = reihe.lies_zahl(stelle);
    text.append(reihe.daten, stelle, rest);
    stelle += rest;
    zahl = reihe.lies_zahl(stelle);
    naechster_text = &text;
    return true;
}
