// Reading an archive file: positions are kept in memory and data comes in large blocks.
#pragma once

#include <minizip/ioapi.h>

#include <QtGlobal>

#include <memory>

// An archive file opened for reading. minizip seeks before every read, also within a few bytes;
// through stdio each seek is a system call. This input reads the file with pread in blocks of
// 256 KiB, so that an archive of many small entries costs few system calls, and lets larger
// reads go straight into the caller's buffer. A worker's input, which reads only the data of
// consecutive entries, reads in blocks of 64 KiB: as few calls for small entries, less memory.
class CZipEingabe
{
public:
    // Null when the path is no regular file or cannot be opened.
    static std::unique_ptr<CZipEingabe> oeffne(const char* pfad);
    ~CZipEingabe();
    CZipEingabe(const CZipEingabe&) = delete;
    CZipEingabe& operator=(const CZipEingabe&) = delete;

    // A second input on the same open file, for a worker thread: positions and blocks of its own.
    // Null when the handle cannot be duplicated.
    std::unique_ptr<CZipEingabe> zweite() const;

    ZPOS64_T gib_groesse() const { return groesse; }
    // Reads up to `anzahl` bytes from `position`: the number read, less at the file's end or on
    // a read error (which is remembered).
    size_t lies(ZPOS64_T position, char* ziel, size_t anzahl);
    bool hat_fehler() const { return fehler; }

    // minizip's file functions on this input: they read through it at minizip's own position.
    // minizip opens its file once, gets this input for it, and never closes it.
    void fuelle_funktionen(zlib_filefunc64_def& funktionen);

    // minizip's position in the file, counted from `minizip_anfang`: minizip sees the file from
    // there on (the archive without bytes before it).
    ZPOS64_T minizip_position = 0;
    ZPOS64_T minizip_anfang = 0;

private:
    struct CBlock;
    CZipEingabe(int fd, ZPOS64_T groesse, size_t blockgroesse);

    int fd;
    ZPOS64_T groesse;
    size_t blockgroesse;
    std::unique_ptr<CBlock[]> bloecke;
    unsigned long long uhr = 0;
    bool fehler = false;
};
