// The browser's history store: the visited pages, newest first, their "history" file and expiry.
#pragma once

#include "historyitem.h"

#include <QList>
#include <QObject>
#include <QSet>
#include <QTimer>
#include <QUrl>

class AutoSaver;
class HistoryFilterModel;
class HistoryModel;
class HistoryTreeModel;

// After construction the store never changes its list itself: it announces each change by a
// signal (expired visits it hands over directly), and its `HistoryModel`, which it creates at
// once, performs the change inside the model's own notifications. One store per process (BrowserApplication::historyManager()).
//
// Other processes may use the same file. Appending never touches their visits; before the file
// is written whole, the visits another process has written to it since this one last read or
// wrote it are read back into the list, so that no visit already in the file is lost. Visits
// this process removed (or cleared) stay removed. Appending and rewriting hold one lock (a lock
// file of the user's alone beside the file), so that no visit is appended to a file that a
// rewrite has read and replaces. The file is readable by its user alone.
class HistoryManager : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int historyLimit READ historyLimit WRITE setHistoryLimit)

signals:
    void historyReset();
    void entryAdded(const HistoryItem& item);
    void entryRemoved(const HistoryItem& item);
    void entryUpdated(int offset);

public:
    explicit HistoryManager(QObject* parent = nullptr);
    ~HistoryManager() override;

    // Records a visit of the cleaned address (no password, host in lower case); nothing while
    // private browsing is on.
    void addUrl(const QString& url);
    // Removes every visit of the cleaned address.
    void removeUrl(const QString& url);
    // Titles the newest visit of `url`.
    void updateTitle(const QUrl& url, const QString& title);

    const QList<HistoryItem>& entries() const { return history; }

    // Days a visit is kept; negative: visits never expire.
    int historyLimit() const { return m_historyLimit; }
    void setHistoryLimit(int limit);

    // Writes a pending change at once; for the end of the program.
    void saveIfNecessary();

    HistoryModel* historyModel() const { return m_historyModel; }
    HistoryFilterModel* historyFilterModel() const { return m_historyFilterModel; }
    HistoryTreeModel* historyTreeModel() const { return m_historyTreeModel; }

    // The file the store reads and writes.
    static QString dateiname();

public slots:
    void clear();
    void loadSettings();
    void save();
    void checkForExpired();

private:
    friend class HistoryModel;

    void load();
    // Writes the whole list through a file that takes the old one's place only when complete,
    // after taking over the visits another process has added to the file.
    void schreibeGanz(const QString& name);
    // Puts into the list the visits of the file that this process neither knows nor removed.
    // False when the file could not be read whole and could not be kept aside.
    bool uebernimmFremdeBesuche();
    // Reads the file's visits; one that cannot be read whole is kept aside first (the user is
    // told where). False when it could not be kept: then it must not be rewritten.
    bool liesDatei(QIODevice& datei, QList<HistoryItem>& liste, bool* neu_schreiben);
    // The file no longer matches the list: the next save writes it anew, and a save is due.
    void dateiVeraltet();
    // Another process holds the lock past the save's bound: said, and the save is tried again.
    void sperreBesetzt(const QString& grund);
    // The visit leaves the list on purpose: it is not taken back from the file.
    void vergiss(const HistoryItem& item);
    // Position of the newest visit known to be in the file; -1 when none is known.
    int gespeichertAb() const;
    void merkeGespeichert();

    AutoSaver* saveTimer;
    // A save that cannot be put off (see `saveIfNecessary`): it waits longer for the lock, and
    // says when it cannot have it.
    bool dringend = false;
    int m_historyLimit = 30;
    QTimer expiredTimer;
    QList<HistoryItem> history;
    // The last-saved marker: the newest visit known to be in the file, by address and time (the
    // address alone would take a later visit of the same page for saved). An empty address means
    // the whole file must be rewritten.
    QString lastSavedUrl;
    QDateTime lastSavedDateTime;
    // What the file looked like when this process last read or wrote all of it: size,
    // modification and status change; another writer changes one of them.
    struct Dateistand
    {
        qint64 groesse = -1;
        QDateTime geaendert;
        QDateTime status;
        bool operator==(const Dateistand& anderer) const
        {
            return groesse == anderer.groesse && geaendert == anderer.geaendert && status == anderer.status;
        }
    };
    static Dateistand dateistand();
    Dateistand bekannterStand;
    // Visits removed by this process and the moment it last cleared the history: the file may
    // still hold them, or another process's file may bring them back.
    QSet<QString> entfernt;
    QDateTime geleertAm;
    // Where the damaged file was last kept (or the file, when it could not be), as the user was told.
    QString beiseiteGemeldet;
    // The damaged file could not be kept aside: it is only appended to.
    bool nichtErsetzen = false;
    // The list that the history model takes at its next reset (empty: the history is cleared).
    QList<HistoryItem> naechsteListe;
    HistoryModel* m_historyModel = nullptr;
    HistoryFilterModel* m_historyFilterModel = nullptr;
    HistoryTreeModel* m_historyTreeModel = nullptr;
};
