#include "cqiodatei.h"
#include "anwendung.h"
#include "dateien.h"

#include <QCoreApplication>
#include <QTextCodec>
#include <cerrno>
#include <cstring>

namespace {

// The stand-in for the system's 8-bit code page of text files.
QTextCodec* acht_bit_codec()
{
    static QTextCodec* codec = [] {
        QTextCodec* c = QTextCodec::codecForName("Windows-1252");
        return c ? c : QTextCodec::codecForName("ISO-8859-1");
    }();
    return codec;
}

QTextCodec* utf8_codec()
{
    static QTextCodec* codec = QTextCodec::codecForName("UTF-8");
    return codec;
}

// Languages other than German and English are always written and read as UTF-8.
bool sprache_braucht_utf8()
{
    const QString sprache = gib_sprache();
    return sprache != QLatin1String("de") && sprache != QLatin1String("en");
}

const char utf8_bom[] = "\xEF\xBB\xBF";

} // namespace

CQIODatei::CQIODatei(const CQString& dateiname) : QFile(dateiname), iodatei(new QFile(dateiname)) {}

CQIODatei::~CQIODatei()
{
    if (offen)
        schliesse();
}

bool CQIODatei::oeffne(const bool& lesen, const bool& schreiben, const bool& text, const bool& anhaengen,
                       const bool& abschneiden)
{
    if (offen || iodatei->isOpen())
        return false;
    QIODevice::OpenMode modus = QIODevice::NotOpen;
    if (lesen)
        modus |= QIODevice::ReadOnly;
    if (schreiben)
        modus |= QIODevice::WriteOnly;
    if (text)
        modus |= QIODevice::Text;
    if (anhaengen)
        modus |= QIODevice::Append;
    if (abschneiden)
        modus |= QIODevice::Truncate;
    fehlertext.clear();
    // The name is this object's own: a device opened on a descriptor no longer knows it.
    ganz = schreiben && !lesen && !anhaengen;
    if (ganz) {
        // Written whole: the old file is replaced only by a complete new one.
        iodatei = oeffne_ganz(fileName(), modus);
        if (!iodatei->isOpen()) {
            fehlertext = iodatei->errorString();
            return false;
        }
    } else {
        auto datei = std::make_unique<QFile>(fileName());
        // A pipe or device of the name is not waited for: it counts as a file that cannot be opened.
        const bool geoeffnet = oeffne_regulaere_datei(*datei, modus);
        if (!geoeffnet)
            fehlertext = systemfehler(errno);
        iodatei = std::move(datei);
        if (!geoeffnet)
            return false;
    }
    beginne_stream();
    return true;
}

bool CQIODatei::lies_aus(std::unique_ptr<QFile> geoeffnet)
{
    if (offen || iodatei->isOpen() || !geoeffnet || !geoeffnet->isReadable())
        return false;
    fehlertext.clear();
    ganz = false;
    geoeffnet->setTextModeEnabled(true);
    iodatei = std::move(geoeffnet);
    beginne_stream();
    return true;
}

void CQIODatei::beginne_stream()
{
    offen = true;
    stream.reset(new QTextStream(iodatei.get()));
    stream->setCodec(acht_bit_codec());
    stream->setAutoDetectUnicode(true);
}

void CQIODatei::setze_codec(bool utf8)
{
    if (!stream)
        return;
    bool ist_utf8 = utf8 || sprache_braucht_utf8();
    if (!(iodatei->openMode() & QIODevice::WriteOnly)) {
        const QByteArray anfang = iodatei->peek(100);
        // The content decides: valid UTF-8 in the first 2048 bytes.
        if (!anfang.startsWith(utf8_bom))
            ist_utf8 = codec_von(iodatei->peek(2048)) == utf8_codec();
    }
    stream->setCodec(ist_utf8 ? utf8_codec() : acht_bit_codec());
}

void CQIODatei::setze_utf8_bom(bool utf8)
{
    if (!stream)
        return;
    if (utf8 || sprache_braucht_utf8()) {
        stream->flush();
        iodatei->write(utf8_bom, 3);
        setze_codec(true);
    } else {
        setze_codec(false);
    }
}

void CQIODatei::setze_codec_fuer(const QString& text)
{
    setze_utf8_bom(!passt_in_codepage(text));
}

bool CQIODatei::passt_in_codepage(const QString& text)
{
    return acht_bit_codec()->canEncode(text);
}

QTextCodec* CQIODatei::codec_von(const QByteArray& anfang)
{
    QTextCodec::ConverterState zustand;
    utf8_codec()->toUnicode(anfang.constData(), anfang.size(), &zustand);
    return zustand.invalidChars == 0 ? utf8_codec() : acht_bit_codec();
}

bool CQIODatei::lies_text(const QString& datei, QString& text, QString& grund, qint64 hoechstens)
{
    grund.clear();
    if (!ist_datei(datei))
        return false;
    CQIODatei eingabe{CQString(datei)};
    if (!eingabe.oeffne(true, false, false, false, false)) {
        grund = eingabe.gib_fehlertext();
        return false;
    }
    // The size of the file opened, not of the name: it may have been replaced meanwhile.
    const qint64 groesse = eingabe.iodatei->size();
    if (groesse > hoechstens) {
        grund = QCoreApplication::translate("CQIODatei", "zu groß (%1 Bytes, höchstens %2)").arg(groesse).arg(hoechstens);
        return false;
    }
    eingabe.setze_codec(false);
    text = eingabe.gib_stream()->read(hoechstens);
    eingabe.schliesse();
    return true;
}

QTextStream* CQIODatei::gib_stream() const
{
    return stream.get();
}

bool CQIODatei::lies_zeile(CQString& zeile, int& zeilennummer, bool kommentar)
{
    if (!stream || stream->atEnd())
        return false;
    for (;;) {
        zeile = stream->readLine(laengste_zeile);
        ++zeilennummer;
        if (zeile.size() >= laengste_zeile) {
            // No line of a file the framework reads is that long: the rest of it is passed over
            // too, piece by piece, so that a file of one endless line never fills the memory. (A
            // rest of exactly a piece's length takes the next line along.)
            while (!stream->atEnd() && stream->readLine(laengste_zeile).size() >= laengste_zeile) {
            }
            zeile.clear();
        }
        if (!zeile.isEmpty()) {
            bool ist_kommentar = false;
            if (kommentar) {
                const int marke = static_cast<const QString&>(zeile).indexOf(QLatin1Char('!'));
                if (marke == 0)
                    ist_kommentar = true;
                else if (marke > 0)
                    zeile.truncate(marke);
            }
            if (!ist_kommentar && !ist_leerzeile(zeile))
                return true;
        }
        if (stream->atEnd())
            return false;
    }
}

void CQIODatei::schreibe_zeile(const CQString& text)
{
    if (!stream)
        return;
    *stream << text << Qt::endl;
}

bool CQIODatei::schliesse()
{
    if (!offen)
        return false;
    offen = false;
    // The stream hands over what it still holds before the file closes.
    stream->flush();
    bool geschrieben = stream->status() != QTextStream::WriteFailed;
    stream.reset();
    // Written whole (see `oeffne`).
    if (ganz) {
        fehlertext = beende_ganz(*iodatei, geschrieben);
        return fehlertext.isEmpty();
    }
    iodatei->close();
    return geschrieben && iodatei->error() != QFileDevice::WriteError;
}

QString CQIODatei::gib_fehlertext() const
{
    return fehlertext.isEmpty() ? iodatei->errorString() : fehlertext;
}

bool ist_leerzeile(const CQString& text)
{
    return text.vereinfacht().isEmpty();
}
