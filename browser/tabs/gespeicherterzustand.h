// The frame of the tabbed browser's saved states: a data stream at a pinned version, a marker and a version, lists read only as far as they are whole.
#pragma once

#include <QDataStream>
#include <QList>

// Pinned so that states written by one Qt version read back under the next.
constexpr QDataStream::Version ZustandsVersion = QDataStream::Qt_5_15;

inline void schreibe_kopf(QDataStream& stream, qint32 marker, qint32 version)
{
    stream.setVersion(ZustandsVersion);
    stream << marker << version;
}

// False for an empty state or one of another marker or version.
inline bool lies_kopf(QDataStream& stream, qint32 marker, qint32 version)
{
    stream.setVersion(ZustandsVersion);
    if (stream.atEnd())
        return false;
    qint32 gelesenerMarker = 0;
    qint32 gelesenerVersion = 0;
    stream >> gelesenerMarker >> gelesenerVersion;
    return gelesenerMarker == marker && gelesenerVersion == version;
}

// A counted list, read by hand: the stream's own list operator reserves room for whatever count
// it is given. Stops at the first entry that is not whole; the stream's status tells.
template <typename T>
QList<T> lies_liste(QDataStream& stream)
{
    quint32 anzahl = 0;
    stream >> anzahl;
    QList<T> liste;
    for (quint32 i = 0; i < anzahl && stream.status() == QDataStream::Ok; ++i) {
        T eintrag;
        stream >> eintrag;
        if (stream.status() == QDataStream::Ok)
            liste.append(eintrag);
    }
    return liste;
}
