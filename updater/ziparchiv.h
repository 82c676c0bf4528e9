// An update archive opened for reading: the ".zip" fallback, the empty archive, entries with their decoded names.
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <minizip/unzip.h>

// The current entry's information, its name decoded once and with "/" as the only separator.
struct CZipEintrag
{
    QString name;
    unz_file_info64 info{};

    bool ist_verzeichnis() const { return name.endsWith(QLatin1Char('/')); }
    bool ist_verschluesselt() const { return (info.flag & 1u) != 0; }
};

// UTF-8 when the entry's flag bit 11 says so or the bytes are valid UTF-8, else code page 437.
QString dekodiere_eintragsname(const QByteArray& roh, unsigned long flag);

class CZipArchiv
{
public:
    CZipArchiv() = default;
    ~CZipArchiv();
    CZipArchiv(const CZipArchiv&) = delete;
    CZipArchiv& operator=(const CZipArchiv&) = delete;

    // Opens the path, else the path with ".zip" appended. A valid empty archive, which minizip
    // cannot open, opens as an archive without entries.
    bool oeffne(const QString& pfad);
    void schliesse();

    // minizip codes (0 on success).
    int lies_anzahl(quint64& anzahl);
    int lies_eintrag(CZipEintrag& eintrag);
    int naechster();

    unzFile gib_handle() const { return datei; }

private:
    unzFile datei = nullptr;
    bool leer = false;
    QByteArray namenspuffer = QByteArray(512, '\0');
};
