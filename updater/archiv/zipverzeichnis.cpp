#include "zipverzeichnis.h"
#include "zipeingabe.h"

#include <algorithm>
#include <string>

namespace {

constexpr quint32 sig_lokal = 0x04034b50;
constexpr quint32 sig_zentral = 0x02014b50;
constexpr quint32 sig_ende = 0x06054b50;
constexpr quint32 sig_ende64 = 0x06064b50;
constexpr quint32 sig_locator64 = 0x07064b50;
constexpr quint32 sig_signatur = 0x05054b50;
constexpr int laenge_signatur = 6;
constexpr ZPOS64_T marke32 = 0xFFFFFFFFu;
constexpr int laenge_lokal = 30;
constexpr int laenge_zentral = 46;
constexpr int laenge_ende = 22;
constexpr int laenge_locator64 = 20;
constexpr int laenge_ende64 = 56;
// The end record is looked for within this distance from the file's end, as minizip does.
constexpr ZPOS64_T suchweite_ende = 0xFFFF + laenge_ende;

quint32 wert16(const uchar* b)
{
    return quint32(b[0]) | quint32(b[1]) << 8;
}

quint32 wert32(const uchar* b)
{
    return wert16(b) | wert16(b + 2) << 16;
}

ZPOS64_T wert64(const uchar* b)
{
    return ZPOS64_T(wert32(b)) | ZPOS64_T(wert32(b + 4)) << 32;
}

bool lies_ganz(CZipEingabe& eingabe, ZPOS64_T position, uchar* ziel, size_t anzahl)
{
    return eingabe.lies(position, reinterpret_cast<char*>(ziel), anzahl) == anzahl;
}

// The central directory as the end record gives it.
struct CVerzeichnislage
{
    ZPOS64_T anfang = 0; // its first byte, from the file's start
    ZPOS64_T ende = 0;   // the byte behind it: the (ZIP64) end record
    ZPOS64_T anzahl = 0; // the number of entries stated
    ZPOS64_T davor = 0;  // bytes before the archive (a program in front of it)
    bool zip64 = false;  // stated by a ZIP64 end record
};

// The central directory from the last end record, or from the ZIP64 end record a locator right
// before it points at.
bool finde_verzeichnis(CZipEingabe& eingabe, CVerzeichnislage& lage)
{
    const ZPOS64_T groesse = eingabe.gib_groesse();
    const ZPOS64_T weite = qMin(groesse, suchweite_ende);
    std::vector<uchar> ende(static_cast<size_t>(weite));
    if (!lies_ganz(eingabe, groesse - weite, ende.data(), ende.size()))
        return false;
    qint64 stelle = qint64(weite) - laenge_ende;
    while (stelle >= 0 && wert32(&ende[size_t(stelle)]) != sig_ende)
        --stelle;
    if (stelle < 0)
        return false;
    const uchar* satz = &ende[size_t(stelle)];
    const ZPOS64_T satzstelle = groesse - weite + ZPOS64_T(stelle);
    ZPOS64_T satzanfang = satzstelle;
    ZPOS64_T groesse_verzeichnis = wert32(satz + 12);
    ZPOS64_T versatz_verzeichnis = wert32(satz + 16);
    lage.anzahl = wert16(satz + 10);

    uchar locator[laenge_locator64];
    uchar satz64[laenge_ende64];
    const auto ist_satz64 = [&](ZPOS64_T stelle) {
        return lies_ganz(eingabe, stelle, satz64, sizeof satz64) && wert32(satz64) == sig_ende64;
    };
    bool mit_satz64 = false;
    if (satzstelle >= laenge_locator64 + laenge_ende64
        && lies_ganz(eingabe, satzstelle - laenge_locator64, locator, sizeof locator) && wert32(locator) == sig_locator64
        && wert32(locator + 4) == 0 && wert32(locator + 16) == 1) {
        // The locator gives the ZIP64 end record's offset from the archive's start: with bytes
        // before the archive (a program in front of it) it lies that much further, right before
        // the locator (a record without extensible data).
        const ZPOS64_T angegeben = wert64(locator + 8);
        const ZPOS64_T direkt = satzstelle - laenge_locator64 - laenge_ende64;
        if (ist_satz64(angegeben))
            satzanfang = angegeben, mit_satz64 = true;
        else if (direkt > angegeben && ist_satz64(direkt) && wert64(satz64 + 4) == laenge_ende64 - 12)
            satzanfang = direkt, mit_satz64 = true;
    }
    if (mit_satz64) {
        lage.anzahl = wert64(satz64 + 32);
        lage.zip64 = true;
        groesse_verzeichnis = wert64(satz64 + 40);
        versatz_verzeichnis = wert64(satz64 + 48);
    }
    if (groesse_verzeichnis > satzanfang || versatz_verzeichnis > satzanfang - groesse_verzeichnis)
        return false;
    lage.ende = satzanfang;
    lage.anfang = satzanfang - groesse_verzeichnis;
    lage.davor = lage.anfang - versatz_verzeichnis;
    return true;
}

// Whether the name has no folder and ends in ".exe" or ".dll" (any case). Its bytes are those of
// the record, in UTF-8 or code page 437: both write these characters and the separators as ASCII.
bool ist_programmname(const std::vector<uchar>& name)
{
    if (name.size() < 4 || std::any_of(name.begin(), name.end(), [](uchar c) { return c == '/' || c == '\\'; }))
        return false;
    std::string ende(name.end() - 4, name.end());
    for (char& c : ende)
        if (c >= 'A' && c <= 'Z')
            c = char(c + ('a' - 'A'));
    return ende == ".exe" || ende == ".dll";
}

// The central records, from the directory's start to its end, as many as can be read, and the
// programs' among them; the local header offsets still relative. False when one cannot be read,
// or runs beyond the directory.
bool lies_zentrale_saetze(CZipEingabe& eingabe, const CVerzeichnislage& lage, CZipVerzeichnis& verzeichnis)
{
    std::vector<CEintragsort>& orte = verzeichnis.orte;
    uchar satz[laenge_zentral];
    std::vector<uchar> extra;
    std::vector<uchar> name_bytes;
    orte.reserve(size_t(qMin<ZPOS64_T>(lage.anzahl, (lage.ende - lage.anfang) / laenge_zentral)));
    for (ZPOS64_T position = lage.anfang; position < lage.ende;) {
        // The directory may end in a digital signature (PKWARE's tools write one), which ends
        // exactly where the directory does.
        if (lage.ende - position >= laenge_signatur && lies_ganz(eingabe, position, satz, laenge_signatur)
            && wert32(satz) == sig_signatur && lage.ende - position == laenge_signatur + wert16(satz + 4))
            break;
        if (lage.ende - position < laenge_zentral || !lies_ganz(eingabe, position, satz, sizeof satz)
            || wert32(satz) != sig_zentral)
            return false;
        CEintragsort ort;
        ort.methode = quint16(wert16(satz + 10));
        ort.crc = wert32(satz + 16);
        ort.komp = wert32(satz + 20);
        ort.gross = wert32(satz + 24);
        ort.lokal = wert32(satz + 42);
        ort.zentral = position - lage.davor;
        const quint32 name = wert16(satz + 28);
        const quint32 extralaenge = wert16(satz + 30);
        const quint32 kommentar = wert16(satz + 32);
        const ZPOS64_T laenge = ZPOS64_T(laenge_zentral) + name + extralaenge + kommentar;
        if (lage.ende - position < laenge)
            return false;
        if (extralaenge > 0 && (ort.komp == marke32 || ort.gross == marke32 || ort.lokal == marke32)) {
            extra.resize(extralaenge);
            if (!lies_ganz(eingabe, position + laenge_zentral + name, extra.data(), extra.size()))
                return false;
            lies_zip64_werte(extra.data(), int(extra.size()), ort.gross, ort.komp, ort.lokal);
        }
        name_bytes.resize(name);
        if (!lies_ganz(eingabe, position + laenge_zentral, name_bytes.data(), name_bytes.size()))
            return false;
        if (ist_programmname(name_bytes))
            verzeichnis.programme.push_back({orte.size(), ort.zentral});
        orte.push_back(ort);
        position += laenge;
    }
    return true;
}

// Whether the stated count fits the records of the whole directory: the same number, or, in the
// 16-bit field of an end record without ZIP64 record, that number modulo 65,536 or 0xFFFF (as
// writers put it for more entries than the field holds).
bool anzahl_passt(ZPOS64_T gelesen, const CVerzeichnislage& lage)
{
    if (gelesen == lage.anzahl)
        return true;
    return !lage.zip64 && gelesen > 0xFFFF && (gelesen % 0x10000 == lage.anzahl || lage.anzahl == 0xFFFF);
}

} // namespace

void lies_zip64_werte(const uchar* extra, int laenge, ZPOS64_T& gross, ZPOS64_T& komp, ZPOS64_T& lokal)
{
    for (int pos = 0; pos + 4 <= laenge;) {
        const int kennung = int(wert16(extra + pos));
        const int feldlaenge = int(wert16(extra + pos + 2));
        const int ende = qMin(laenge, pos + 4 + feldlaenge);
        if (kennung == 0x0001) {
            int feld = pos + 4;
            for (ZPOS64_T* wert : {&gross, &komp, &lokal}) {
                if (*wert != marke32)
                    continue;
                if (feld + 8 > ende)
                    return;
                *wert = wert64(extra + feld);
                feld += 8;
            }
            return;
        }
        pos += 4 + feldlaenge;
    }
}

bool lies_zip_verzeichnis(CZipEingabe& eingabe, CZipVerzeichnis& verzeichnis)
{
    verzeichnis = CZipVerzeichnis();
    CVerzeichnislage lage;
    if (!finde_verzeichnis(eingabe, lage))
        return false;
    verzeichnis.angegeben = lage.anzahl;
    std::vector<CEintragsort>& orte = verzeichnis.orte;
    if (!lies_zentrale_saetze(eingabe, lage, verzeichnis))
        verzeichnis.anzahl = orte.size() + 1;
    else if (anzahl_passt(orte.size(), lage))
        verzeichnis.anzahl = orte.size();
    else
        verzeichnis.anzahl_falsch = true;
    const ZPOS64_T anfang = lage.anfang;
    const ZPOS64_T davor = lage.davor;
    verzeichnis.davor = davor;

    // In the file's order (usually the directory's already), each entry must end before the next
    // begins, and all before the central directory.
    std::vector<CEintragsort*> reihe;
    reihe.reserve(orte.size());
    for (CEintragsort& ort : orte) {
        if (ort.lokal > anfang - davor)
            return false;
        ort.lokal += davor;
        reihe.push_back(&ort);
    }
    std::sort(reihe.begin(), reihe.end(), [](const CEintragsort* a, const CEintragsort* b) { return a->lokal < b->lokal; });
    ZPOS64_T frei_ab = davor;
    uchar kopf[laenge_lokal];
    for (CEintragsort* ort : reihe) {
        if (ort->lokal < frei_ab || anfang - ort->lokal < laenge_lokal
            || !lies_ganz(eingabe, ort->lokal, kopf, sizeof kopf) || wert32(kopf) != sig_lokal)
            return false;
        const ZPOS64_T kopflaenge = laenge_lokal + ZPOS64_T(wert16(kopf + 26)) + wert16(kopf + 28);
        if (anfang - ort->lokal < kopflaenge)
            return false;
        ort->daten = ort->lokal + kopflaenge;
        if (anfang - ort->daten < ort->komp)
            return false;
        frei_ab = ort->daten + ort->komp;
    }
    return true;
}
