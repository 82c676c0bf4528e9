// An update archive opened for reading: the ".zip" fallback, the empty archive, entries with their decoded names.
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include "zipverzeichnis.h"

#include <minizip/unzip.h>

#include <memory>

class CEintragsleser;
class CZipEingabe;

// The current entry's information, its name decoded once and with "/" as the only separator.
// Sizes are the real ones, also where the central record holds them in its ZIP64 field.
struct CZipEintrag
{
    QString name;
    unz_file_info64 info{};
    // Where the entry's data lies, and the archive's reader for it (null in an entry not read
    // from an archive).
    CEintragsort ort;
    CEintragsleser* leser = nullptr;

    bool ist_verzeichnis() const { return name.endsWith(QLatin1Char('/')); }
    bool ist_verschluesselt() const { return (info.flag & 1u) != 0; }
};

// UTF-8 when the entry's flag bit 11 says so or the bytes are valid UTF-8, else code page 437.
QString dekodiere_eintragsname(const QByteArray& roh, unsigned long flag);

class CZipArchiv
{
public:
    CZipArchiv();
    ~CZipArchiv();
    CZipArchiv(const CZipArchiv&) = delete;
    CZipArchiv& operator=(const CZipArchiv&) = delete;

    // Opens the path, else the path with ".zip" appended. Only a regular file opens. A valid
    // empty archive, which minizip cannot open, opens as an archive without entries. A damaged
    // archive (entries overlapping or not where the directory says) does not open.
    bool oeffne(const QString& pfad);
    void schliesse();

    // minizip codes (0 on success). The number of entries is that of the central directory read
    // to its end: UNZ_BADZIPFILE when the end record states one it does not hold. Past the last
    // entry `naechster` gives UNZ_END_OF_LIST_OF_FILE.
    int lies_anzahl(quint64& anzahl);
    int lies_eintrag(CZipEintrag& eintrag);
    int naechster();
    // Makes the program's entry the current one.
    int gehe_zu(const CProgrammort& programm);

    // The entries at the top level named like a program, when every central record could be
    // read; null otherwise (only a walk over every entry finds them then, and names the record
    // that cannot be read).
    const std::vector<CProgrammort>* gib_programme() const;

    unzFile gib_handle() const { return datei; }
    // The open archive file; null while none is open.
    const CZipEingabe* gib_eingabe() const { return eingabe.get(); }

private:
    bool oeffne_datei(const QString& pfad);

    std::unique_ptr<CZipEingabe> eingabe;
    unzFile datei = nullptr;
    CZipVerzeichnis verzeichnis;
    std::unique_ptr<CEintragsleser> leser;
    // Gives the memory of the places the walk has passed back to the system.
    void gib_gelesene_orte_frei();

    // The index of minizip's current entry in the directory.
    ZPOS64_T index = 0;
    // Where the places given back end (an address in `verzeichnis.orte`).
    quintptr orte_frei_bis = 0;
    bool leer = false;
    QByteArray namenspuffer = QByteArray(512, '\0');
};
