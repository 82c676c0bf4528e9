#include "ziparchiv.h"
#include "eintragsleser.h"
#include "zipeingabe.h"

#include <QFile>
#include <QTextCodec>

#include <sys/mman.h>
#include <unistd.h>

namespace {

// The end-of-central-directory record of an archive without entries, at the very start of the
// file as minizip sees it and followed only by its comment. minizip takes a record at offset 0 for
// "not found".
bool ist_leeres_archiv(CZipEingabe& eingabe)
{
    constexpr ZPOS64_T satzlaenge = 22;
    const ZPOS64_T groesse = eingabe.gib_groesse() - eingabe.minizip_anfang;
    if (groesse < satzlaenge || groesse > satzlaenge + 0xFFFF)
        return false;
    uchar b[satzlaenge];
    if (eingabe.lies(eingabe.minizip_anfang, reinterpret_cast<char*>(b), satzlaenge) != satzlaenge || b[0] != 'P' || b[1] != 'K'
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
    // minizip finds no ZIP64 end record behind bytes before the archive (a program in front of
    // it): it is shown the archive alone, as our own reading found it.
    const bool gelesen = lies_zip_verzeichnis(*eingabe, verzeichnis);
    eingabe->minizip_anfang = gelesen ? verzeichnis.davor : 0;
    zlib_filefunc64_def funktionen;
    eingabe->fuelle_funktionen(funktionen);
    datei = unzOpen2_64(name.constData(), &funktionen);
    if (!datei) {
        const bool ohne_eintraege = ist_leeres_archiv(*eingabe);
        schliesse();
        leer = ohne_eintraege;
        return leer;
    }
    // Our own reading of the directory must find the end record minizip found.
    unz_global_info64 info{};
    if (!gelesen || unzGetGlobalInfo64(datei, &info) != UNZ_OK
        || info.number_entry != verzeichnis.angegeben) {
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
    orte_frei_bis = 0;
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
    // Not minizip's count: that is the end record's, which may have wrapped.
    if (verzeichnis.anzahl_falsch)
        return UNZ_BADZIPFILE;
    anzahl = verzeichnis.anzahl;
    return UNZ_OK;
}

int CZipArchiv::lies_eintrag(CZipEintrag& eintrag)
{
    if (!datei)
        return UNZ_PARAMERROR;
    // Only the records our reading found are entries: beyond them lies the one that cannot be read.
    if (verzeichnis.anzahl_falsch || index >= verzeichnis.orte.size())
        return UNZ_BADZIPFILE;
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
    // A place given back is not read: the walk went past it and does not come back.
    if (quintptr(&verzeichnis.orte[size_t(index)]) < orte_frei_bis)
        return UNZ_PARAMERROR;
    eintrag.ort = verzeichnis.orte[size_t(index)];
    eintrag.leser = leser.get();
    eintrag.info.compressed_size = eintrag.ort.komp;
    eintrag.info.uncompressed_size = eintrag.ort.gross;
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
    if (!datei || index + 1 >= verzeichnis.anzahl)
        return UNZ_END_OF_LIST_OF_FILE;
    if (index + 1 >= verzeichnis.orte.size())
        return UNZ_BADZIPFILE;
    // minizip's own step ends at the end record's count, which may have wrapped: it is led to the
    // record that our reading found next.
    unz64_file_pos stelle{verzeichnis.orte[size_t(index + 1)].zentral, index + 1};
    const int code = unzGoToFilePos64(datei, &stelle);
    if (code == UNZ_OK)
        ++index;
    gib_gelesene_orte_frei();
    return code;
}

void CZipArchiv::gib_gelesene_orte_frei()
{
    // The walk only goes forward: the places behind it are not read again. Their whole pages go
    // back to the system a megabyte at a time, so that the directory of a large archive is not
    // held beside the records to the end of the run.
    static const auto seite = quintptr(::sysconf(_SC_PAGESIZE));
    const auto anfang = quintptr(verzeichnis.orte.data());
    const auto bis = (anfang + quintptr(qMin<ZPOS64_T>(index, verzeichnis.orte.size())) * sizeof(CEintragsort)) & ~(seite - 1);
    const quintptr von = qMax((anfang + seite - 1) & ~(seite - 1), orte_frei_bis);
    if (bis >= von + (1u << 20)) {
        ::madvise(reinterpret_cast<void*>(von), bis - von, MADV_DONTNEED);
        orte_frei_bis = bis;
    }
}
