// Where an archive's entries lie: read from the central directory and the local headers ourselves,
// ZIP64 values included, and checked before anything of the archive is used.
#pragma once

#include <minizip/ioapi.h>

#include <QtGlobal>

#include <vector>

class CZipEingabe;

// One entry's data, as its central record states it.
struct CEintragsort
{
    ZPOS64_T lokal = 0;  // local header, from the file's start
    ZPOS64_T daten = 0;  // first byte of the data, behind the local header
    ZPOS64_T komp = 0;   // compressed size
    ZPOS64_T gross = 0;  // uncompressed size
    quint32 crc = 0;
    quint16 methode = 0;
    // The central record, from the archive's start (bytes before the archive not counted, as
    // minizip counts its positions in the directory).
    ZPOS64_T zentral = 0;
};

// An entry at the archive's top level named like a Windows program or library: ".exe" or ".dll",
// in any case.
struct CProgrammort
{
    quint64 index = 0;
    // Its central record, from the archive's start as minizip counts it (without bytes before it).
    ZPOS64_T satz = 0;
};

// The places of the entries, in the central directory's order.
struct CZipVerzeichnis
{
    std::vector<CEintragsort> orte;
    // The number of entries: those read to the central directory's end, or, where a central
    // record cannot be read, those before it and that one (reading it reports the damage).
    ZPOS64_T anzahl = 0;
    // The number the end record states, as minizip takes it: its ZIP64 record's when it has one.
    ZPOS64_T angegeben = 0;
    // The bytes before the archive (a program in front of it).
    ZPOS64_T davor = 0;
    // The directory was read to its end, and the end record states a number of entries that it
    // does not hold, also where its 16-bit field wrapped: neither can be trusted.
    bool anzahl_falsch = false;
    // Of the entries read, those at the top level named like a program: the word-size check looks
    // at these alone, without walking every entry through minizip.
    std::vector<CProgrammort> programme;
};

// Reads the central directory the way minizip finds it (the last end record, its ZIP64 record
// when a locator points at one, bytes before the archive allowed, also before a ZIP64 record) and the local header of each
// entry. The directory's records are read to its end as the end record's size and offset give
// it, not as far as its count: the count of an end record without ZIP64 record holds only 16
// bits, and writers put the number of entries modulo 65,536 or 0xFFFF there. False when the
// archive is damaged: the end record is missing, a local header is not where its central record
// says (no local header signature there, or at or beyond the start of the central directory), or
// the data of two entries overlap or run into the central directory. Overlapping entries would
// let a small archive install the same data again and again. The walk stops quietly at a central
// record that cannot be read; reading the entries reports that one.
bool lies_zip_verzeichnis(CZipEingabe& eingabe, CZipVerzeichnis& verzeichnis);

// Takes the ZIP64 values of an extra field for the fields marked 0xFFFFFFFF: sizes and the local
// header's offset (in this order, each present only when marked).
void lies_zip64_werte(const uchar* extra, int laenge, ZPOS64_T& gross, ZPOS64_T& komp, ZPOS64_T& lokal);
