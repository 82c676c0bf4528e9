#include "historyitem.h"

#include <QDataStream>
#include <QIODevice>
#include <algorithm>
#include <limits>

namespace {

constexpr qint32 datensatz_version = 23;

void stelle_ein(QDataStream& strom)
{
    strom.setVersion(QDataStream::Qt_5_15);
}

// The visit time as QDataStream writes a QDateTime: Julian day, milliseconds of the day, time
// kind (Qt::TimeSpec) and, for a fixed offset, the offset. A time tied to a named zone is refused
// (invalid): Qt would look the name up as a file below its zone-info folder, and this program
// never writes one.
QDateTime lies_zeit(QDataStream& strom)
{
    qint64 tag = 0;
    quint32 millisekunden = 0;
    qint8 art = 0;
    strom >> tag >> millisekunden >> art;
    const QDate datum = QDate::fromJulianDay(tag);
    const QTime zeit = millisekunden > quint32(std::numeric_limits<int>::max())
                           ? QTime()
                           : QTime::fromMSecsSinceStartOfDay(int(millisekunden));
    switch (art) {
    case Qt::UTC:
        return QDateTime(datum, zeit, Qt::UTC);
    case Qt::OffsetFromUTC: {
        qint32 versatz = 0;
        strom >> versatz;
        return QDateTime(datum, zeit, Qt::OffsetFromUTC, versatz);
    }
    case Qt::TimeZone:
        return QDateTime();
    default:
        return QDateTime(datum, zeit, Qt::LocalTime);
    }
}

} // namespace

QByteArray history_datensatz(const HistoryItem& item)
{
    QByteArray inhalt;
    {
        QDataStream strom(&inhalt, QIODevice::WriteOnly);
        stelle_ein(strom);
        strom << datensatz_version << item.url << item.dateTime << item.title;
    }
    QByteArray satz;
    QDataStream strom(&satz, QIODevice::WriteOnly);
    stelle_ein(strom);
    strom << inhalt;
    return satz;
}

QList<HistoryItem> lies_history(QIODevice& datei, bool* neu_schreiben, bool* unvollstaendig)
{
    QDataStream strom(&datei);
    stelle_ein(strom);
    QList<HistoryItem> liste;
    bool sortieren = false;
    bool beschaedigt = false;
    bool uebersprungen = false;
    while (!strom.atEnd()) {
        QByteArray satz;
        strom >> satz;
        if (strom.status() != QDataStream::Ok) {
            beschaedigt = true;
            break;
        }
        QDataStream inhalt(satz);
        stelle_ein(inhalt);
        qint32 version = 0;
        inhalt >> version;
        if (version != datensatz_version) {
            uebersprungen = true;
            continue;
        }
        HistoryItem item;
        inhalt >> item.url;
        item.dateTime = lies_zeit(inhalt);
        inhalt >> item.title;
        if (inhalt.status() != QDataStream::Ok || !item.dateTime.isValid()) {
            uebersprungen = true;
            continue;
        }
        if (!liste.isEmpty()) {
            if (item == liste.first())
                continue;
            if (item.dateTime < liste.first().dateTime)
                sortieren = true;
        }
        liste.prepend(item);
    }
    if (sortieren)
        std::sort(liste.begin(), liste.end());
    if (neu_schreiben)
        *neu_schreiben = sortieren || beschaedigt;
    if (unvollstaendig)
        *unvollstaendig = beschaedigt || uebersprungen;
    return liste;
}
