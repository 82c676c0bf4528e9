// One visit of the browser's history and its record in the "history" file.
#pragma once

#include <QDateTime>
#include <QList>
#include <QMetaType>
#include <QString>

class QIODevice;

class HistoryItem
{
public:
    HistoryItem() = default;
    HistoryItem(const QString& url, const QDateTime& dateTime, const QString& title = QString())
        : title(title), url(url), dateTime(dateTime)
    {
    }

    bool operator==(const HistoryItem& other) const
    {
        return other.title == title && other.url == url && other.dateTime == dateTime;
    }
    bool operator!=(const HistoryItem& other) const { return !(*this == other); }
    // Later visits sort first, so that a sorted list is newest first.
    bool operator<(const HistoryItem& other) const { return dateTime > other.dateTime; }

    QString title;
    QString url;
    QDateTime dateTime;
};

Q_DECLARE_METATYPE(HistoryItem)

// The "history" file is a QDataStream (pinned to Qt 5.15) of byte arrays, oldest visit first.
// Each byte array is a stream of its own holding the record version 23, url, dateTime and title,
// so that a reader can step over a whole record of a version it does not know.

// The framed record of one visit, as appended to the file.
QByteArray history_datensatz(const HistoryItem& item);

// Reads the records up to the end of the file, newest first. Records of another version, with an
// invalid time or equal to the record kept before them are skipped; a frame that is cut off or
// damaged ends the reading, and what came before it stays. A file not in time order is sorted.
// `neu_schreiben` tells that the file must be written anew rather than appended to: it was not in
// time order, or reading stopped before its end (a record appended behind the damage would never
// be read again). `unvollstaendig` tells that something of the file is not in the list (a record
// skipped for its version or time, or the damage): a rewrite would lose it.
QList<HistoryItem> lies_history(QIODevice& datei, bool* neu_schreiben, bool* unvollstaendig = nullptr);
