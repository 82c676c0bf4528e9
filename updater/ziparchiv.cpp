#include "ziparchiv.h"
#include "eintragsleser.h"
#include "zipeingabe.h"

#include <QFile>
#include <QTextCodec>

namespace {

// The end-of-central-directory record of an archive without entries, at the very start of the
// file and followed only by its comment. minizip takes a record at offset 0 for "not found".
bool ist_leeres_archiv(CZipEingabe& eingabe)
{
    constexpr ZPOS64_T satzlaenge = 22;
    const ZPOS64_T groesse = eingabe.gib_groesse();
    if (groesse < satzlaenge || groesse > satzlaenge + 0xFFFF)
        return false;
    uchar b[satzlaenge];
    if (eingabe.lies(0, reinterpret_cast<char*>(b), satzlaenge) != satzlaenge || b[0] != 'P' || b[1] != 'K'
        || b[2] != 5 || b[3] != 6)
        return false;
    // Disk numbers, entry counts, directory size and offset are all 0; then the comment length.
    for (int i = 4; i < 20; ++i)
        if (b[i] != 0)
            return false;
    const ZPOS64_T kommentar = b[20] | (b[21] << 8);
    return groesse == satzlaenge + kommentar;
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

CZipArchiv::CZipArchiv() = default;

CZipArchiv::~CZipArchiv()
{
    schliesse();
}

bool CZipArchiv::oeffne(const QString& pfad)
{
    schliesse();
    return oeffne_datei(pfad) || oeffne_datei(pfad + QLatin1String(".zip"));
}

bool CZipArchiv::oeffne_datei(const QString& pfad)
{
    schliesse();
    const QByteArray name = QFile::encodeName(pfad);
    eingabe = CZipEingabe::oeffne(name.constData());
    if (!eingabe)
        return false;
    zlib_filefunc64_def funktionen;
    eingabe->fuelle_funktionen(funktionen);
    datei = unzOpen2_64(name.constData(), &funktionen);
    if (!datei) {
        const bool ohne_eintraege = ist_leeres_archiv(*eingabe);
        schliesse();
        leer = ohne_eintraege;
        return leer;
    }
    // Our own reading of the directory must find the entries minizip walks.
    unz_global_info64 info{};
    if (!lies_zip_verzeichnis(*eingabe, verzeichnis) || unzGetGlobalInfo64(datei, &info) != UNZ_OK
        || info.number_entry != verzeichnis.anzahl) {
        schliesse();
        return false;
    }
    leser.reset(new CEintragsleser(*eingabe));
    return true;
}

void CZipArchiv::schliesse()
{
    if (datei)
        unzClose(datei);
    datei = nullptr;
    leser.reset();
    eingabe.reset();
    verzeichnis = CZipVerzeichnis();
    index = 0;
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
    if (index < verzeichnis.orte.size()) {
        eintrag.ort = verzeichnis.orte[size_t(index)];
        eintrag.leser = leser.get();
        eintrag.info.compressed_size = eintrag.ort.komp;
        eintrag.info.uncompressed_size = eintrag.ort.gross;
    } else {
        eintrag.ort = CEintragsort();
        eintrag.leser = nullptr;
    }
    const QByteArray roh(namenspuffer.constData(), static_cast<int>(eintrag.info.size_filename));
    eintrag.name = dekodiere_eintragsname(roh, eintrag.info.flag);
    eintrag.name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return UNZ_OK;
}

int CZipArchiv::gehe_zu(const CProgrammort& programm)
{
    if (!datei)
        return UNZ_PARAMERROR;
    unz64_file_pos ort{programm.satz, programm.index};
    const int code = unzGoToFilePos64(datei, &ort);
    if (code == UNZ_OK)
        index = programm.index;
    return code;
}

const std::vector<CProgrammort>* CZipArchiv::gib_programme() const
{
    if (leer)
        return &verzeichnis.programme;
    return datei && verzeichnis.orte.size() == verzeichnis.anzahl ? &verzeichnis.programme : nullptr;
}

int CZipArchiv::naechster()
{
    if (!datei)
        return UNZ_END_OF_LIST_OF_FILE;
    const int code = unzGoToNextFile(datei);
    if (code == UNZ_OK)
        ++index;
    return code;
}
