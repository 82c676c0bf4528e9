#include "cuninstallkarte.h"

#include <QHashFunctions>
#include <algorithm>
#include <cstring>

namespace {

constexpr std::uint32_t entfernt = ~std::uint32_t(0);
// The time number in the head of a removed record's key.
constexpr std::uint32_t ohne_zeit = ~std::uint32_t(0);

std::uint32_t hash_von(const char* pfad, std::uint32_t laenge)
{
    return std::uint32_t(qHashBits(pfad, laenge, 0x5bd1e995u));
}

// Whether the UTF-8 key a comes before b in the order of their UTF-16 code units (QString's
// plain comparison). Byte order is code point order; UTF-16 differs from it only where a
// character from U+10000 on (a surrogate pair, lead byte 0xF0 to 0xF4) meets one of U+E000 to
// U+FFFF (lead byte 0xEE or 0xEF): the pair's units come first. `hinter_bmp`: whether a key
// holds such a character at all. Up to the first differing byte both keys have the same
// characters, so that byte is a lead byte in both or in neither.
bool kommt_vor(const char* a, std::uint32_t la, bool a_hinter_bmp, const char* b, std::uint32_t lb, bool b_hinter_bmp)
{
    const std::uint32_t n = std::min(la, lb);
    if (!a_hinter_bmp && !b_hinter_bmp) {
        const int vergleich = std::memcmp(a, b, n);
        return vergleich != 0 ? vergleich < 0 : la < lb;
    }
    const auto [pa, pb] = std::mismatch(a, a + n, b);
    if (pa == a + n)
        return la < lb;
    const unsigned char x = static_cast<unsigned char>(*pa);
    const unsigned char y = static_cast<unsigned char>(*pb);
    const auto hinten_im_bmp = [](unsigned char c) { return c == 0xEE || c == 0xEF; };
    if (x >= 0xF0 && hinten_im_bmp(y))
        return true;
    if (y >= 0xF0 && hinten_im_bmp(x))
        return false;
    return x < y;
}

std::array<int, 7> felder(const CZeitVDN& z)
{
    return {z.jahr, z.monat, z.tag, z.stunde, z.minute, z.sekunde, z.millisekunde};
}

} // namespace

void CUninstallKarte::clear()
{
    *this = CUninstallKarte();
}

std::size_t CUninstallKarte::suche(const char* pfad, std::uint32_t laenge, std::uint32_t hash, bool& gefunden) const
{
    gefunden = false;
    const std::size_t maske = plaetze.size() - 1;
    std::size_t frei = plaetze.size();
    for (std::size_t i = hash & maske;; i = (i + 1) & maske) {
        const std::uint32_t p = plaetze[i];
        if (p == 0)
            return frei < plaetze.size() ? frei : i;
        if (p == entfernt) {
            if (frei == plaetze.size())
                frei = i;
            continue;
        }
        const Kopf k = kopf(p - 1);
        if (k.laenge == laenge && std::memcmp(schluessel(p - 1), pfad, laenge) == 0) {
            gefunden = true;
            return i;
        }
    }
}

const std::uint32_t* CUninstallKarte::finde(const QByteArray& pfad) const
{
    if (anzahl == 0)
        return nullptr;
    const auto laenge = std::uint32_t(pfad.size());
    bool gefunden = false;
    const std::size_t i = suche(pfad.constData(), laenge, hash_von(pfad.constData(), laenge), gefunden);
    return gefunden ? &plaetze[i] : nullptr;
}

std::uint32_t CUninstallKarte::zeit_index(const CZeitVDN& zeit)
{
    // A run records all its entries with one time: the last one taken is asked first.
    if (!zeiten.empty() && felder(zeiten.back()) == felder(zeit))
        return std::uint32_t(zeiten.size() - 1);
    const auto [it, neu] = zeit_nummern.try_emplace(felder(zeit), std::uint32_t(zeiten.size()));
    if (neu)
        zeiten.push_back(zeit);
    return it->second;
}

std::uint32_t CUninstallKarte::lege_ab(const QByteArray& pfad, std::uint32_t zeit)
{
    const std::size_t groesse = sizeof(Kopf) + std::size_t(pfad.size());
    if (bloecke.empty() || belegt + groesse > blockgroesse) {
        // A key longer than a block gets one of its own, which nothing follows.
        bloecke.emplace_back(new char[std::max<std::size_t>(groesse, blockgroesse)]);
        belegt = 0;
    }
    const auto stelle = std::uint32_t((bloecke.size() - 1) * blockgroesse + belegt);
    belegt = groesse > blockgroesse ? blockgroesse : std::uint32_t(belegt + groesse);
    const bool hinter_bmp = std::any_of(pfad.cbegin(), pfad.cend(), [](char c) { return static_cast<unsigned char>(c) >= 0xF0; });
    setze_kopf(stelle, Kopf{zeit, std::uint32_t(pfad.size()), hinter_bmp});
    std::memcpy(bloecke.back().get() + stelle % blockgroesse + sizeof(Kopf), pfad.constData(), std::size_t(pfad.size()));
    return stelle;
}

void CUninstallKarte::wachse()
{
    // Twice the records' number at least; removed ones are dropped on the way.
    std::size_t neu = 64;
    while (neu < 2 * anzahl + 2)
        neu *= 2;
    std::vector<std::uint32_t> alt(neu, 0);
    alt.swap(plaetze);
    benutzt = 0;
    for (const std::uint32_t p : alt) {
        if (p == 0 || p == entfernt)
            continue;
        const Kopf k = kopf(p - 1);
        std::size_t i = hash_von(schluessel(p - 1), k.laenge) & (plaetze.size() - 1);
        while (plaetze[i] != 0)
            i = (i + 1) & (plaetze.size() - 1);
        plaetze[i] = p;
        ++benutzt;
    }
}

std::optional<CZeitVDN> CUninstallKarte::setze(const QByteArray& pfad, const CZeitVDN& zeit)
{
    // At most three quarters of the slots taken, removed ones included.
    if (4 * (benutzt + 1) > 3 * plaetze.size())
        wachse();
    const auto laenge = std::uint32_t(pfad.size());
    bool gefunden = false;
    const std::size_t i = suche(pfad.constData(), laenge, hash_von(pfad.constData(), laenge), gefunden);
    const std::uint32_t nummer = zeit_index(zeit);
    if (gefunden) {
        const std::uint32_t stelle = plaetze[i] - 1;
        Kopf k = kopf(stelle);
        std::optional<CZeitVDN> vorher = zeiten[k.zeit];
        k.zeit = nummer;
        setze_kopf(stelle, k);
        return vorher;
    }
    if (plaetze[i] == 0)
        ++benutzt;
    plaetze[i] = lege_ab(pfad, nummer) + 1;
    ++anzahl;
    geordnet = false;
    ordnung = {};
    return std::nullopt;
}

bool CUninstallKarte::entferne(const QByteArray& pfad)
{
    const std::uint32_t* platz = finde(pfad);
    if (!platz)
        return false;
    // The key's bytes stay in their block until the map is emptied, its head marked.
    const std::uint32_t stelle = *platz - 1;
    Kopf k = kopf(stelle);
    k.zeit = ohne_zeit;
    setze_kopf(stelle, k);
    *const_cast<std::uint32_t*>(platz) = entfernt;
    if (--anzahl == 0)
        clear();
    else if (geordnet)
        ++entfernt_in_ordnung;
    return true;
}

std::optional<CZeitVDN> CUninstallKarte::zeit_von(const QByteArray& pfad) const
{
    const std::uint32_t* platz = finde(pfad);
    if (!platz)
        return std::nullopt;
    return zeiten[kopf(*platz - 1).zeit];
}

void CUninstallKarte::ordne() const
{
    if (geordnet && entfernt_in_ordnung > 0) {
        ordnung.erase(std::remove_if(ordnung.begin(), ordnung.end(),
                                     [this](std::uint32_t stelle) { return kopf(stelle).zeit == ohne_zeit; }),
                      ordnung.end());
        entfernt_in_ordnung = 0;
    }
    if (geordnet)
        return;
    entfernt_in_ordnung = 0;
    ordnung.clear();
    ordnung.reserve(anzahl);
    for (const std::uint32_t p : plaetze)
        if (p != 0 && p != entfernt)
            ordnung.push_back(p - 1);
    std::sort(ordnung.begin(), ordnung.end(), [this](std::uint32_t a, std::uint32_t b) {
        const Kopf ka = kopf(a);
        const Kopf kb = kopf(b);
        return kommt_vor(schluessel(a), ka.laenge, ka.hinter_bmp, schluessel(b), kb.laenge, kb.hinter_bmp);
    });
    geordnet = true;
}

CUninstallKarte::const_iterator CUninstallKarte::begin() const
{
    ordne();
    return const_iterator(this, 0);
}

CUninstallKarte::const_iterator CUninstallKarte::end() const
{
    // Made here too: a caller may ask for the end first.
    ordne();
    return const_iterator(this, ordnung.size());
}

CUninstallKarte::const_iterator CUninstallKarte::erase(const_iterator it)
{
    const std::uint32_t stelle = ordnung[it.stelle];
    entferne(QByteArray::fromRawData(schluessel(stelle), int(kopf(stelle).laenge)));
    // The order stays made: the next record takes the removed one's step.
    return anzahl == 0 ? end() : (ordne(), const_iterator(this, it.stelle));
}

CUninstallKarte::value_type CUninstallKarte::eintrag(std::size_t stelle) const
{
    const std::uint32_t p = ordnung[stelle];
    const Kopf k = kopf(p);
    return {QString::fromUtf8(schluessel(p), int(k.laenge)), zeiten[k.zeit]};
}

CUninstallKarte::Auszug CUninstallKarte::auszug() const
{
    Auszug a;
    a.zeiten = zeiten;
    ordne();
    for (const std::uint32_t stelle : ordnung) {
        const Kopf k = kopf(stelle);
        a.schluessel.haenge_an(schluessel(stelle), k.laenge, k.zeit);
    }
    return a;
}

bool CUninstallKarte::Auszug::Leser::naechster(QString& schluessel, const CZeitVDN*& zeit)
{
    const std::string* text = nullptr;
    std::uint64_t nummer = 0;
    if (!leser.naechster(text, nummer))
        return false;
    schluessel = QString::fromUtf8(text->data(), int(text->size()));
    zeit = &auszug.zeiten[std::size_t(nummer)];
    return true;
}

std::map<QString, CZeitVDN> CUninstallKarte::als_map() const
{
    std::map<QString, CZeitVDN> kopie;
    fuer_jeden([&kopie](const char* pfad, int laenge, const CZeitVDN& zeit) {
        kopie.emplace_hint(kopie.end(), QString::fromUtf8(pfad, laenge), zeit);
    });
    return kopie;
}
