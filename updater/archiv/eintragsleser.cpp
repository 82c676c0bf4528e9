#include "eintragsleser.h"
#include "zipeingabe.h"

#include <minizip/unzip.h>

namespace {

// Compressed data is read in blocks of this size; from this size on the input reads them straight
// into our buffer.
constexpr ZPOS64_T eingangsgroesse = 256 * 1024;
constexpr int methode_gespeichert = 0;

} // namespace

CEintragsleser::CEintragsleser(CZipEingabe& eingabe) : eingabe(eingabe) {}

CEintragsleser::~CEintragsleser()
{
    if (strom_bereit)
        inflateEnd(&strom);
}

int CEintragsleser::oeffne(const CEintragsort& neuer_ort)
{
    offen = false;
    if (neuer_ort.methode != methode_gespeichert && neuer_ort.methode != Z_DEFLATED)
        return UNZ_BADZIPFILE;
    if (neuer_ort.methode == Z_DEFLATED) {
        if (!eingang)
            eingang.reset(new char[eingangsgroesse]);
        const int code = strom_bereit ? inflateReset(&strom) : inflateInit2(&strom, -MAX_WBITS);
        if (code != Z_OK)
            return UNZ_INTERNALERROR;
        strom_bereit = true;
        strom.next_in = nullptr;
        strom.avail_in = 0;
    }
    ort = neuer_ort;
    position = ort.daten;
    rest_eingang = ort.komp;
    erzeugt = 0;
    crc = crc32(0, nullptr, 0);
    offen = true;
    fertig = false;
    stromende = false;
    return UNZ_OK;
}

// The next block of compressed data: UNZ_OK, or UNZ_ERRNO when the file cannot be read.
int CEintragsleser::nachfuellen()
{
    const size_t anzahl = size_t(qMin(rest_eingang, eingangsgroesse));
    if (eingabe.lies(position, eingang.get(), anzahl) != anzahl)
        return UNZ_ERRNO;
    position += anzahl;
    rest_eingang -= anzahl;
    strom.next_in = reinterpret_cast<Bytef*>(eingang.get());
    strom.avail_in = uInt(anzahl);
    return UNZ_OK;
}

int CEintragsleser::lies(char* ziel, int anzahl)
{
    if (!offen)
        return UNZ_PARAMERROR;
    if (fertig || anzahl <= 0)
        return 0;
    // One byte more than the stated size is asked for, so that longer data shows at once.
    const ZPOS64_T rest = ort.gross >= erzeugt ? ort.gross - erzeugt : 0;
    const uInt platz = rest < ZPOS64_T(anzahl) ? uInt(rest + 1) : uInt(anzahl);
    uInt geliefert = 0;
    if (ort.methode == methode_gespeichert) {
        const size_t n = size_t(qMin<ZPOS64_T>(platz, rest_eingang));
        if (eingabe.lies(position, ziel, n) != n)
            return UNZ_ERRNO;
        position += n;
        rest_eingang -= n;
        geliefert = uInt(n);
        fertig = rest_eingang == 0;
    } else {
        strom.next_out = reinterpret_cast<Bytef*>(ziel);
        strom.avail_out = platz;
        while (strom.avail_out > 0) {
            if (strom.avail_in == 0 && rest_eingang > 0)
                if (const int code = nachfuellen(); code != UNZ_OK)
                    return code;
            const int code = inflate(&strom, Z_NO_FLUSH);
            if (code == Z_STREAM_END) {
                stromende = fertig = true;
                break;
            }
            if (code == Z_BUF_ERROR && strom.avail_in == 0 && rest_eingang == 0) {
                // The compressed data ends before the stream does.
                fertig = true;
                break;
            }
            if (code != Z_OK)
                return code == Z_MEM_ERROR ? UNZ_INTERNALERROR : Z_DATA_ERROR;
        }
        geliefert = platz - strom.avail_out;
    }
    erzeugt += geliefert;
    if (erzeugt > ort.gross) {
        fertig = true;
        return 0;
    }
    crc = crc32(crc, reinterpret_cast<const Bytef*>(ziel), geliefert);
    return int(geliefert);
}

int CEintragsleser::schliesse()
{
    if (!offen)
        return UNZ_PARAMERROR;
    offen = false;
    const bool vollstaendig = erzeugt == ort.gross && (ort.methode == methode_gespeichert || stromende);
    return vollstaendig && crc == ort.crc ? UNZ_OK : UNZ_CRCERROR;
}
