// Test helper: writes ZIP archives byte by byte, so that tests can also build broken and hostile ones.
#pragma once

#include "ccbaselog.h"

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <log4cpp/Category.hh>
#include <log4cpp/StringQueueAppender.hh>
#include <zlib.h>

#include <functional>
#include <stdexcept>
#include <vector>

namespace testzip {

// 4 March 2021, 05:06:08 as a DOS date (high half) and time (low half).
constexpr quint32 dos_zeit = (((2021u - 1980u) << 9 | 3u << 5 | 4u) << 16) | (5u << 11 | 6u << 5 | 8u / 2u);

inline QDateTime dos_als_datum()
{
    return QDateTime(QDate(2021, 3, 4), QTime(5, 6, 8), Qt::LocalTime);
}

struct Eintrag
{
    QByteArray name;
    QByteArray daten;
    bool komprimiert = true;
    quint16 flag = 0;
    quint32 zeit = dos_zeit;
    // Changes the CRC stored in both headers.
    quint32 crc_fehler = 0;
    // Sizes in the central directory only, written as ZIP64 values (for listing very large entries).
    quint64 gross64 = 0;
    quint64 komp64 = 0;
    // Real ZIP64 headers: the sizes (and, centrally, the local header's offset) only in the ZIP64
    // extra fields, the 32-bit fields marked 0xFFFFFFFF.
    bool zip64 = false;
    // Flag bit 3: the local header holds no CRC and sizes; a data descriptor follows the data.
    bool deskriptor = false;
    // The uncompressed size stated in every header, when it is not the data's real size.
    qint64 gross_angabe = -1;
    // The central record points at the local header of that earlier entry (whose data it must
    // have); no local header and data of its own are written.
    int lokal_von = -1;
    // Added to the local header offset in the central record.
    qint64 versatz_fehler = 0;
};

inline Eintrag datei(const QByteArray& name, const QByteArray& daten)
{
    Eintrag e;
    e.name = name;
    e.daten = daten;
    return e;
}

inline void le16(QByteArray& b, quint32 v)
{
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}

inline void le32(QByteArray& b, quint32 v)
{
    le16(b, v & 0xFFFF);
    le16(b, v >> 16);
}

inline void le64(QByteArray& b, quint64 v)
{
    le32(b, quint32(v & 0xFFFFFFFFu));
    le32(b, quint32(v >> 32));
}

inline QByteArray deflate_roh(const QByteArray& daten)
{
    z_stream z{};
    if (deflateInit2(&z, 6, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2");
    QByteArray aus(int(deflateBound(&z, uLong(daten.size()))), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(daten.constData()));
    z.avail_in = uInt(daten.size());
    z.next_out = reinterpret_cast<Bytef*>(aus.data());
    z.avail_out = uInt(aus.size());
    deflate(&z, Z_FINISH);
    aus.resize(int(z.total_out));
    deflateEnd(&z);
    return aus;
}

// Offsets of the pieces of a built archive, for tests that damage them.
struct Lage
{
    std::vector<int> lokal;   // local headers
    std::vector<int> daten;   // entry data
    std::vector<int> zentral; // central directory headers
};

inline QByteArray baue(const std::vector<Eintrag>& eintraege, Lage* lage = nullptr, const QByteArray& kommentar = {})
{
    QByteArray zip;
    QByteArray verzeichnis;
    Lage l;
    for (const Eintrag& e : eintraege) {
        const QByteArray gepackt = e.komprimiert ? deflate_roh(e.daten) : e.daten;
        const quint32 crc = quint32(crc32(0, reinterpret_cast<const Bytef*>(e.daten.constData()), uInt(e.daten.size())))
                            ^ e.crc_fehler;
        const quint16 methode = e.komprimiert ? 8 : 0;
        const quint64 gross = e.gross_angabe >= 0 ? quint64(e.gross_angabe) : quint64(e.daten.size());
        const quint64 komp = quint64(gepackt.size());
        const int offset = e.lokal_von >= 0 ? l.lokal[size_t(e.lokal_von)] : zip.size();
        if (e.lokal_von < 0) {
            l.lokal.push_back(offset);
            le32(zip, 0x04034b50);
            le16(zip, e.zip64 ? 45 : 20);
            le16(zip, e.flag | (e.deskriptor ? 8u : 0u));
            le16(zip, methode);
            le32(zip, e.zeit);
            le32(zip, e.deskriptor ? 0 : crc);
            le32(zip, e.zip64 ? 0xFFFFFFFFu : e.deskriptor ? 0 : quint32(komp));
            le32(zip, e.zip64 ? 0xFFFFFFFFu : e.deskriptor ? 0 : quint32(gross));
            le16(zip, quint32(e.name.size()));
            le16(zip, e.zip64 ? 20 : 0);
            zip += e.name;
            if (e.zip64) {
                le16(zip, 0x0001);
                le16(zip, 16);
                le64(zip, e.deskriptor ? 0 : gross);
                le64(zip, e.deskriptor ? 0 : komp);
            }
            l.daten.push_back(zip.size());
            zip += gepackt;
            if (e.deskriptor) {
                le32(zip, 0x08074b50);
                le32(zip, crc);
                if (e.zip64) {
                    le64(zip, komp);
                    le64(zip, gross);
                } else {
                    le32(zip, quint32(komp));
                    le32(zip, quint32(gross));
                }
            }
        } else {
            l.lokal.push_back(offset);
            l.daten.push_back(l.daten[size_t(e.lokal_von)]);
        }

        const bool nur_zentral64 = e.gross64 != 0;
        const bool zip64 = nur_zentral64 || e.zip64;
        QByteArray extra;
        if (nur_zentral64) {
            le16(extra, 0x0001);
            le16(extra, 16);
            le64(extra, e.gross64);
            le64(extra, e.komp64);
        } else if (e.zip64) {
            le16(extra, 0x0001);
            le16(extra, 24);
            le64(extra, gross);
            le64(extra, komp);
            le64(extra, quint64(offset + e.versatz_fehler));
        }
        l.zentral.push_back(verzeichnis.size());
        le32(verzeichnis, 0x02014b50);
        le16(verzeichnis, zip64 ? 45 : 20);
        le16(verzeichnis, zip64 ? 45 : 20);
        le16(verzeichnis, e.flag | (e.deskriptor ? 8u : 0u));
        le16(verzeichnis, methode);
        le32(verzeichnis, e.zeit);
        le32(verzeichnis, crc);
        le32(verzeichnis, zip64 ? 0xFFFFFFFFu : quint32(komp));
        le32(verzeichnis, zip64 ? 0xFFFFFFFFu : quint32(gross));
        le16(verzeichnis, quint32(e.name.size()));
        le16(verzeichnis, quint32(extra.size()));
        le16(verzeichnis, 0);
        le16(verzeichnis, 0);
        le16(verzeichnis, 0);
        le32(verzeichnis, 0);
        le32(verzeichnis, e.zip64 ? 0xFFFFFFFFu : quint32(offset + e.versatz_fehler));
        verzeichnis += e.name;
        verzeichnis += extra;
    }
    const int cd_offset = zip.size();
    for (int& z : l.zentral)
        z += cd_offset;
    zip += verzeichnis;
    le32(zip, 0x06054b50);
    le16(zip, 0);
    le16(zip, 0);
    le16(zip, quint32(eintraege.size()));
    le16(zip, quint32(eintraege.size()));
    le32(zip, quint32(verzeichnis.size()));
    le32(zip, quint32(cd_offset));
    le16(zip, quint32(kommentar.size()));
    zip += kommentar;
    if (lage)
        *lage = l;
    return zip;
}

// The name of entry `i` of `viele_eintraege`: folders of 1000 files.
inline QString vieler_name(int i)
{
    return QStringLiteral("o%1/%2").arg(i / 1000).arg(i % 1000);
}

// An archive of `anzahl` stored entries of 0 or 1 byte (see `vieler_name`), and `dazu` behind
// them. Past 65,535 entries its end record holds the count modulo 65,536, as the 16-bit field
// does in an archive without a ZIP64 end record.
inline QByteArray viele_eintraege(int anzahl, const std::vector<Eintrag>& dazu = {})
{
    std::vector<Eintrag> eintraege;
    eintraege.reserve(size_t(anzahl) + dazu.size());
    for (int i = 0; i < anzahl; ++i) {
        Eintrag e = datei(vieler_name(i).toLatin1(), i % 2 ? QByteArray("x") : QByteArray());
        e.komprimiert = false;
        eintraege.push_back(e);
    }
    eintraege.insert(eintraege.end(), dazu.begin(), dazu.end());
    return baue(eintraege);
}

// Puts `anzahl` into both entry counts of the end record of an archive without comment.
inline void setze_endanzahl(QByteArray& zip, quint16 anzahl)
{
    for (int feld : {8, 10}) {
        zip[zip.size() - 22 + feld] = char(anzahl & 0xFF);
        zip[zip.size() - 22 + feld + 1] = char(anzahl >> 8);
    }
}

inline void schreibe(const QString& pfad, const QByteArray& daten)
{
    QFile f(pfad);
    if (!f.open(QIODevice::WriteOnly) || f.write(daten) != daten.size())
        throw std::runtime_error("cannot write test file");
}

inline QByteArray lies(const QString& pfad)
{
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<fehlt>");
    return f.readAll();
}

// A PE file's first bytes: "MZ", the header offset at 60, "PE\0\0" and the machine field.
inline QByteArray pe_datei(quint16 maschine)
{
    QByteArray b(0x80, '\0');
    b[0] = 'M';
    b[1] = 'Z';
    b[60] = char(0x40);
    b[0x40] = 'P';
    b[0x41] = 'E';
    b[0x44] = char(maschine & 0xFF);
    b[0x45] = char(maschine >> 8);
    return b + QByteArray(3000, 'x');
}

// A log window that records every call in order, as readable lines ("titel: ...", "text0: ...").
class AufzeichnenderLog : public CCBaseLog
{
public:
    AufzeichnenderLog() : CCBaseLog(nullptr) { anmelden(); }
    ~AufzeichnenderLog() override { abmelden(); }

    void neue_textzeile(const CQString& text, const int& typ) override
    {
        const QString klar = Qt::mightBeRichText(text) ? QTextDocumentFragment::fromHtml(text).toPlainText()
                                                       : QString(text);
        aufrufe << QStringLiteral("text%1: %2").arg(typ).arg(klar);
    }
    void neue_titelzeile(const CQString& text) override { aufrufe << QStringLiteral("titel: ") + text; }
    void setTotalSteps(int gesamt) override { aufrufe << QStringLiteral("gesamt: %1").arg(gesamt); }
    void setze_fortschritt(int schritt) override
    {
        aufrufe << QStringLiteral("schritt: %1").arg(schritt);
        if (wirf_bei_schritt >= 0 && schritt == wirf_bei_schritt)
            throw std::runtime_error("test");
    }
    void setze_fehler() override
    {
        aufrufe << QStringLiteral("fehler");
        CCBaseLog::setze_fehler();
    }
    void setze_abbruch() override
    {
        aufrufe << QStringLiteral("abbruch");
        CCBaseLog::setze_abbruch();
    }
    void thread_beendet() override {}

    // Lines of one kind ("text0", "titel", ...), without the prefix.
    QStringList nur(const QString& art) const
    {
        QStringList r;
        for (const QString& a : aufrufe)
            if (a.startsWith(art + QLatin1String(": ")))
                r << a.mid(art.size() + 2);
        return r;
    }
    bool hat_text(const QString& text) const
    {
        for (const QString& a : aufrufe)
            if (a.startsWith(QLatin1String("text")) && a.mid(a.indexOf(QLatin1String(": ")) + 2) == text)
                return true;
        return false;
    }

    QStringList aufrufe;
    int wirf_bei_schritt = -1;
};

// A log window that moves a folder away once a text line starts with `ausloeser` (in the thread
// that reports it), and keeps what the folder then held.
struct VerschiebenderLog : AufzeichnenderLog
{
    QString von, nach, ausloeser;
    QStringList bei_verschiebung;
    void neue_textzeile(const CQString& text, const int& typ) override
    {
        AufzeichnenderLog::neue_textzeile(text, typ);
        if (bei_verschiebung.isEmpty() && aufrufe.last().startsWith("text0: " + ausloeser) && QDir().rename(von, nach))
            bei_verschiebung = inhalt(nach);
    }
    // The paths below the folder, a file's with its size and time.
    static QStringList inhalt(const QString& ordner)
    {
        QStringList r;
        for (QDirIterator it(ordner, QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories); it.hasNext();) {
            const QString pfad = it.next().mid(ordner.size());
            const QFileInfo& f = it.fileInfo();
            r << (f.isDir() ? pfad : QStringLiteral("%1 %2 %3").arg(pfad).arg(f.size()).arg(f.lastModified().toSecsSinceEpoch()));
        }
        r.sort();
        return r;
    }
};

// Collects what reaches the logger while it lives.
class LoggerMitschnitt
{
public:
    LoggerMitschnitt() : appender(new log4cpp::StringQueueAppender("mitschnitt"))
    {
        log4cpp::Category& root = log4cpp::Category::getRoot();
        root.setPriority(log4cpp::Priority::INFO);
        root.addAppender(appender);
    }
    ~LoggerMitschnitt() { log4cpp::Category::getRoot().removeAppender(appender); }

    QStringList zeilen()
    {
        QStringList r;
        auto& q = appender->getQueue();
        while (!q.empty()) {
            const std::string s = q.front();
            q.pop();
            r << QString::fromStdString(s).trimmed();
        }
        for (const QString& s : r)
            alle << s;
        return alle;
    }
    bool hat(const QString& teil)
    {
        for (const QString& z : zeilen())
            if (z.contains(teil))
                return true;
        return false;
    }

private:
    log4cpp::StringQueueAppender* appender;
    QStringList alle;
};

} // namespace testzip
