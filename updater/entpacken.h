// Writing the archive's current entry to disk, safely: extraction codes, folder creation, file time.
#pragma once

#include "ziparchiv.h"

#include <QByteArray>
#include <QString>

#include <memory>

// Extraction codes; `gib_entpack_fehlertext` gives their protocol texts.
enum EntpackCode : int {
    ENTPACK_OK = 0,
    ENTPACK_INFO = -106,           // the entry's information cannot be read
    ENTPACK_SPEICHER = -107,       // the copy buffer cannot be allocated
    ENTPACK_OEFFNEN = -108,        // the entry cannot be opened for reading
    ENTPACK_AUSGABE = -109,        // the output file cannot be created or replaced
    ENTPACK_LESEN = -110,          // reading the entry's data failed
    ENTPACK_SCHREIBEN = -111,      // the output file cannot be written completely
    ENTPACK_SCHLIESSEN = -112,     // closing the entry failed (among others a CRC mismatch)
    ENTPACK_NAME = -113,           // the entry's name could lead outside the target folder
    ENTPACK_VERSCHLUESSELT = -114, // the entry is encrypted
};

QString gib_entpack_fehlertext(int code);

// Short English diagnostics on standard output (not part of the protocol).
void entpack_ausgabe(const char* format, ...) __attribute__((format(printf, 1, 2)));

// ENTPACK_NAME for a name that is empty, absolute, holds a drive letter or ":" (an uninstall key
// with ":" counts as absolute), a ".." part, a control character or a double quote; else ENTPACK_OK.
int pruefe_eintragsname(const QString& name);

// Creates the folder with all missing levels: 0 on success or when it exists, 1 on failure.
int lege_verzeichnis_an(const QString& pfad);

// Sets the modification time of the open file to the DOS date (high half) and time (low half),
// read as local time; the access time stays.
bool setze_dateizeit(int fd, unsigned long dos_datum_zeit);

// What one run of extractions shares: the copy buffer, and the folder of the last entry held
// open, so that consecutive entries of one folder are created by name within it.
class CEntpackKontext
{
public:
    CEntpackKontext();
    ~CEntpackKontext();
    CEntpackKontext(const CEntpackKontext&) = delete;
    CEntpackKontext& operator=(const CEntpackKontext&) = delete;

    bool ist_gueltig() const { return daten != nullptr; }
    char* gib_daten() { return daten.get(); }
    unsigned gib_groesse() const;
    // A handle of the folder for the *at functions; -1 (errno set) when it cannot be opened.
    int verzeichnis(const QByteArray& pfad);

private:
    std::unique_ptr<char[]> daten;
    QByteArray ordner;
    int ordner_fd = -1;
};

// Writes the current entry below the target folder, keeping its folder path unless `ohne_pfad`.
// A file is written to a temporary file beside its target and renamed over it only when its CRC
// has been verified and its date and time are set; on any error the old file stays as it was.
int entpacke_eintrag(unzFile archiv, const CZipEintrag& eintrag, const QString& ziel, bool ohne_pfad,
                     CEntpackKontext& kontext);

// Reads the current entry to its end (so that its CRC is verified) and keeps its first bytes.
int lies_eintrag_anfang(unzFile archiv, const CZipEintrag& eintrag, int anzahl, QByteArray& anfang,
                        CEntpackKontext& kontext);
