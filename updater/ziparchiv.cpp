#include "ziparchiv.h"
#include "zipeingabe.h"

#include <QFile>
#include <QTextCodec>

namespace {

// The end-of-central-directory record of an archive without entries, at the very start of the
// file and followed only by its comment. minizip takes a record at offset 0 for "not found".
bool ist_leeres_archiv(const QString& pfad)
{
    constexpr qint64 satzlaenge = 22;
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly))
        return false;
    const qint64 groesse = datei.size();
    if (groesse < satzlaenge || groesse > satzlaenge + 0xFFFF)
        return false;
    const QByteArray satz = datei.read(satzlaenge);
    if (satz.size() != satzlaenge || !satz.startsWith(QByteArray("PK\x05\x06", 4)))
        return false;
    const auto* b = reinterpret_cast<const uchar*>(satz.constData());
    // Disk numbers, entry counts, directory size and offset are all 0; then the comment length.
    for (int i = 4; i < 20; ++i)
        if (b[i] != 0)
            return false;
    const qint64 kommentar = b[20] | (b[21] << 8);
    return groesse == satzlaenge + kommentar;
}

unzFile oeffne_minizip(const QString& pfad)
{
    const QByteArray name = QFile::encodeName(pfad);
    zlib_filefunc64_def funktionen;
    fuelle_zip_eingabe(funktionen);
    return unzOpen2_64(name.constData(), &funktionen);
}

// minizip 1.1 compares the 32-bit size fields with (unsigned long)-1, which on 64-bit Linux
// never matches, so it ignores the ZIP64 extra field: take the real sizes from it here.
void lies_zip64_groessen(const QByteArray& extra, unz_file_info64& info)
{
    constexpr ZPOS64_T marke = 0xFFFFFFFFu;
    const auto* b = reinterpret_cast<const uchar*>(extra.constData());
    const int n = extra.size();
    const auto wert64 = [b](int pos) {
        ZPOS64_T v = 0;
        for (int i = 7; i >= 0; --i)
            v = (v << 8) | b[pos + i];
        return v;
    };
    for (int pos = 0; pos + 4 <= n;) {
        const int kennung = b[pos] | (b[pos + 1] << 8);
        const int laenge = b[pos + 2] | (b[pos + 3] << 8);
        const int ende = qMin(n, pos + 4 + laenge);
        if (kennung == 0x0001) {
            int feld = pos + 4;
            if (info.uncompressed_size == marke && feld + 8 <= ende) {
                info.uncompressed_size = wert64(feld);
                feld += 8;
            }
            if (info.compressed_size == marke && feld + 8 <= ende)
                info.compressed_size = wert64(feld);
            return;
        }
        pos += 4 + laenge;
    }
}

} // namespace

QString dekodiere_eintragsname(const QByteArray& roh, unsigned long flag)
{
    constexpr unsigned long utf8_flag = 1u << 11;
    if (flag & utf8_flag)
        return QString::fromUtf8(roh);
    static QTextCodec* const utf8 = QTextCodec::codecForName("UTF-8");
    static QTextCodec* const cp437 = QTextCodec::codecForName("IBM437");
    QTextCodec::ConverterState zustand;
    const QString text = utf8->toUnicode(roh.constData(), roh.size(), &zustand);
    if (zustand.invalidChars == 0 && zustand.remainingChars == 0)
        return text;
    return cp437->toUnicode(roh);
}

CZipArchiv::~CZipArchiv()
{
    schliesse();
}

bool CZipArchiv::oeffne(const QString& pfad)
{
    schliesse();
    const QString mit_endung = pfad + QLatin1String(".zip");
    for (const QString& p : {pfad, mit_endung}) {
        datei = oeffne_minizip(p);
        if (datei)
            return true;
        if (ist_leeres_archiv(p)) {
            leer = true;
            return true;
        }
    }
    return false;
}

void CZipArchiv::schliesse()
{
    if (datei)
        unzClose(datei);
    datei = nullptr;
    leer = false;
}

int CZipArchiv::lies_anzahl(quint64& anzahl)
{
    anzahl = 0;
    if (leer)
        return UNZ_OK;
    if (!datei)
        return UNZ_PARAMERROR;
    unz_global_info64 info{};
    const int code = unzGetGlobalInfo64(datei, &info);
    if (code == UNZ_OK)
        anzahl = info.number_entry;
    return code;
}

int CZipArchiv::lies_eintrag(CZipEintrag& eintrag)
{
    if (!datei)
        return UNZ_PARAMERROR;
    // minizip leaves a name that fills the buffer unterminated: size the buffer from the name.
    int code = unzGetCurrentFileInfo64(datei, &eintrag.info, namenspuffer.data(),
                                       static_cast<uLong>(namenspuffer.size()), nullptr, 0, nullptr, 0);
    if (code == UNZ_OK && eintrag.info.size_filename > static_cast<uLong>(namenspuffer.size())) {
        namenspuffer.resize(static_cast<int>(eintrag.info.size_filename));
        code = unzGetCurrentFileInfo64(datei, &eintrag.info, namenspuffer.data(),
                                       static_cast<uLong>(namenspuffer.size()), nullptr, 0, nullptr, 0);
    }
    if (code != UNZ_OK)
        return code;
    if ((eintrag.info.uncompressed_size == 0xFFFFFFFFu || eintrag.info.compressed_size == 0xFFFFFFFFu)
        && eintrag.info.size_file_extra > 0) {
        QByteArray extra(static_cast<int>(eintrag.info.size_file_extra), '\0');
        unz_file_info64 info{};
        code = unzGetCurrentFileInfo64(datei, &info, nullptr, 0, extra.data(), static_cast<uLong>(extra.size()),
                                       nullptr, 0);
        if (code != UNZ_OK)
            return code;
        lies_zip64_groessen(extra, eintrag.info);
    }
    const QByteArray roh(namenspuffer.constData(), static_cast<int>(eintrag.info.size_filename));
    eintrag.name = dekodiere_eintragsname(roh, eintrag.info.flag);
    eintrag.name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return UNZ_OK;
}

int CZipArchiv::naechster()
{
    return datei ? unzGoToNextFile(datei) : UNZ_END_OF_LIST_OF_FILE;
}
