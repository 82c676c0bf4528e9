// Reads one entry's data straight from the archive file: inflates it, or copies it when stored,
// and checks that exactly the stated number of bytes came out with the stated CRC.
#pragma once

#include "zipverzeichnis.h"

#include <zlib.h>

#include <memory>

class CZipEingabe;

// minizip's reading cannot be trusted with every entry: it ignores ZIP64 sizes and offsets, and it
// checks neither the number of bytes nor (unless all stated bytes came) the CRC. This reader takes
// the entry's place and sizes from our own reading of the directory and never reads beyond the
// entry's stated compressed data. One reader serves all entries of an archive, one at a time; its
// buffers and inflate state are kept from entry to entry. Codes are minizip's.
class CEintragsleser
{
public:
    explicit CEintragsleser(CZipEingabe& eingabe);
    ~CEintragsleser();
    CEintragsleser(const CEintragsleser&) = delete;
    CEintragsleser& operator=(const CEintragsleser&) = delete;

    // UNZ_OK, or UNZ_BADZIPFILE for a method other than stored or deflated.
    int oeffne(const CEintragsort& ort);
    // Fills up to `anzahl` bytes: their number, 0 at the end of the data (also when it runs
    // beyond the stated size, which `schliesse` then reports), or a negative code when the data
    // is damaged or cannot be read.
    int lies(char* ziel, int anzahl);
    // UNZ_OK when the data came out complete: the stated size, the stated CRC and, when
    // deflated, the stream's end; else UNZ_CRCERROR.
    int schliesse();

private:
    int nachfuellen();

    CZipEingabe& eingabe;
    z_stream strom{};
    bool strom_bereit = false;
    std::unique_ptr<char[]> eingang;
    CEintragsort ort;
    ZPOS64_T position = 0;
    ZPOS64_T rest_eingang = 0;
    ZPOS64_T erzeugt = 0;
    uLong crc = 0;
    bool offen = false;
    bool fertig = false;
    bool stromende = false;
};
