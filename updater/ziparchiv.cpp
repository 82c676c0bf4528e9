#include "ziparchiv.h"

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
    return unzOpen64(name.constData());
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
    const QByteArray roh(namenspuffer.constData(), static_cast<int>(eintrag.info.size_filename));
    eintrag.name = dekodiere_eintragsname(roh, eintrag.info.flag);
    eintrag.name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return UNZ_OK;
}

int CZipArchiv::naechster()
{
    return datei ? unzGoToNextFile(datei) : UNZ_END_OF_LIST_OF_FILE;
}
