#include "historymanager.h"
#include "autosaver.h"
#include "beschaedigtedatei.h"
#include "browserapplication.h"
#include "datenordner.h"
#include "browsereinstellungswerte.h"
#include "dateien.h"
#include "dateisperre.h"
#include "dialogseam.h"
#include "historyfiltermodel.h"
#include "historymodel.h"
#include "historytreemodel.h"
#include "privatdatei.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <algorithm>

namespace {

constexpr int eine_woche_s = 7 * 86400;

// The address as the history keeps it: parsed tolerantly, without password, host in lower case.
QString bereinigt(const QString& adresse)
{
    QUrl url(adresse, QUrl::TolerantMode);
    url.setPassword(QString());
    url.setHost(url.host().toLower());
    return url.toString();
}

// A visit as the store tells visits apart when it merges: address and local date and time, read
// without a conversion to UTC (which would cost a time-zone look-up for each of many visits).
QString besuch(const HistoryItem& item)
{
    return QString::number(item.dateTime.date().toJulianDay()) + QLatin1Char(' ')
           + QString::number(item.dateTime.time().msecsSinceStartOfDay()) + QLatin1Char(' ') + item.url;
}

} // namespace

HistoryManager::HistoryManager(QObject* parent)
    : QObject(parent), saveTimer(new AutoSaver(this)), expiredTimer(this)
{
    expiredTimer.setSingleShot(true);
    connect(&expiredTimer, &QTimer::timeout, this, &HistoryManager::checkForExpired);
    connect(this, &HistoryManager::entryAdded, saveTimer, &AutoSaver::changeOccurred);
    connect(this, &HistoryManager::entryRemoved, saveTimer, &AutoSaver::changeOccurred);
    load();
    // From here on the history model carries out every change of the list.
    m_historyModel = new HistoryModel(this, this);
    m_historyFilterModel = new HistoryFilterModel(m_historyModel, this);
    m_historyTreeModel = new HistoryTreeModel(m_historyFilterModel, this);
}

HistoryManager::~HistoryManager()
{
    saveIfNecessary();
}

QString HistoryManager::dateiname()
{
    return gib_browser_datenordner() + QStringLiteral("/history");
}

void HistoryManager::saveIfNecessary()
{
    // At the end of the program, or on the user's word: worth waiting for another process's
    // rewrite of a long history, which holds the lock for seconds.
    dringend = true;
    saveTimer->saveIfNecessary();
    dringend = false;
}

void HistoryManager::addUrl(const QString& url)
{
    const HistoryItem item(bereinigt(url), QDateTime::currentDateTime());
    if (BrowserApplication::privateBrowsing())
        return;
    emit entryAdded(item);
    // A history that was empty has no expiry timer yet.
    if (history.count() == 1)
        checkForExpired();
}

void HistoryManager::removeUrl(const QString& url)
{
    const QString adresse = bereinigt(url);
    QList<HistoryItem> bleiben;
    bleiben.reserve(history.size());
    for (const HistoryItem& item : qAsConst(history)) {
        if (item.url == adresse)
            vergiss(item);
        else
            bleiben.append(item);
    }
    if (bleiben.size() == history.size())
        return;
    // The visits may lie anywhere in the file: only a full rewrite drops them there.
    lastSavedUrl.clear();
    // One change of the list for all visits of the address: one by one, each would have the models
    // look for it and build the address list anew.
    naechsteListe = bleiben;
    emit historyReset();
    saveTimer->changeOccurred();
}

void HistoryManager::updateTitle(const QUrl& url, const QString& title)
{
    for (int i = 0; i < history.count(); ++i) {
        if (QUrl(history.at(i).url) != url)
            continue;
        history[i].title = title;
        // A visit already in the file gets its new title only by a full rewrite; one not yet
        // saved is appended with it.
        const int gespeichert = gespeichertAb();
        if (gespeichert >= 0 && i >= gespeichert)
            lastSavedUrl.clear();
        saveTimer->changeOccurred();
        emit entryUpdated(i);
        return;
    }
}

void HistoryManager::setHistoryLimit(int limit)
{
    if (limit == m_historyLimit)
        return;
    m_historyLimit = limit;
    checkForExpired();
    saveTimer->changeOccurred();
}

void HistoryManager::clear()
{
    geleertAm = QDateTime::currentDateTime();
    lastSavedUrl.clear();
    emit historyReset();
    saveTimer->changeOccurred();
    saveIfNecessary();
}

void HistoryManager::loadSettings()
{
    QSettings einstellungen;
    einstellungen.beginGroup(QStringLiteral("history"));
    // A damaged entry would read as 0 days and expire the whole history at once.
    m_historyLimit = lies_zahl(einstellungen, QStringLiteral("historyLimit"), 30);
}

void HistoryManager::checkForExpired()
{
    if (m_historyLimit < 0) {
        expiredTimer.stop();
        return;
    }
    if (history.isEmpty())
        return;
    const QDateTime jetzt = QDateTime::currentDateTime();
    // A visit expires once its date moved on by the limit, its time of day kept, is reached. The
    // oldest visits stand at the end. Those that expired a day or more ago are found in one pass
    // against one bound: a visit in local time by its date and time of day as read, without a
    // time-zone look-up each (a history of a million visits would take three times as long to
    // load); no change of the clock's offset moves a visit by a day.
    const qint64 tag_ms = 86400000;
    const qint64 grenze_lokal =
        (jetzt.date().toJulianDay() - m_historyLimit - 1) * tag_ms + jetzt.time().msecsSinceStartOfDay();
    const qint64 grenze_ms = jetzt.toMSecsSinceEpoch() - tag_ms;
    const auto laengst_abgelaufen = [&](const QDateTime& zeit) {
        if (zeit.timeSpec() == Qt::LocalTime)
            return zeit.date().toJulianDay() * tag_ms + zeit.time().msecsSinceStartOfDay() <= grenze_lokal;
        return zeit.addDays(m_historyLimit).toMSecsSinceEpoch() <= grenze_ms;
    };
    int erster = history.count();
    while (erster > 0 && laengst_abgelaufen(history.at(erster - 1).dateTime))
        --erster;
    // The visits of the last day before the bound are weighed one by one, up to the first that
    // has not expired, whose moment sets the timer.
    qint64 naechster = 0;
    while (erster > 0) {
        const QDateTime ablauf = history.at(erster - 1).dateTime.addDays(m_historyLimit);
        // Counted in 64 bits: a visit of long ago must not wrap round into the future.
        naechster = jetzt.daysTo(ablauf) > 7 ? eine_woche_s : jetzt.secsTo(ablauf);
        if (naechster > 0)
            break;
        --erster;
    }
    if (erster < history.count()) {
        lastSavedUrl.clear();
        // Once the models exist the history model takes them out, in one removal; while loading
        // there is no model yet.
        if (m_historyModel)
            m_historyModel->entferneAb(erster);
        else
            history.erase(history.begin() + erster, history.end());
        saveTimer->changeOccurred();
    }
    if (naechster > 0)
        expiredTimer.start(int(naechster * 1000));
}

void HistoryManager::load()
{
    loadSettings();
    QFile datei(dateiname());
    if (!datei.exists())
        return;
    // Others may read a file as earlier versions made it: from now on its user alone.
    (void)mache_privat(dateiname());
    // The file's look is taken before it is read, not after: a visit another process adds
    // meanwhile then shows as a change, which the next rewrite takes over.
    const Dateistand gelesen = dateistand();
    if (!oeffne_regulaere_datei(datei, QIODevice::ReadOnly)) {
        qWarning("Unable to open history file %s", qUtf8Printable(datei.fileName()));
        return;
    }
    bool neu_schreiben = false;
    nichtErsetzen = !liesDatei(datei, history, &neu_schreiben);
    bekannterStand = gelesen;
    // The marker first: visits that expire now are in the file and need a full rewrite.
    merkeGespeichert();
    checkForExpired();
    emit historyReset();
    if (neu_schreiben)
        dateiVeraltet();
}

void HistoryManager::save()
{
    QSettings einstellungen;
    einstellungen.beginGroup(QStringLiteral("history"));
    einstellungen.setValue(QStringLiteral("historyLimit"), m_historyLimit);
    speichere_einstellungen(einstellungen);

    const int gespeichert = gespeichertAb();
    const bool saveAll = gespeichert < 0;
    const int first = saveAll ? history.count() - 1 : gespeichert - 1;

    if (!saveAll && first < 0)
        return;
    QDir().mkpath(gib_browser_datenordner());
    const QString name = dateiname();
    // Appending and rewriting take one lock, from the look at the file to the write: a record
    // appended to the file that a rewrite has read would go with it.
    const CDateisperre sperre(name, dringend ? 30000 : 100);
    if (sperre.besetzt()) {
        sperreBesetzt(sperre.fehlertext());
        return;
    }
    if (saveAll) {
        schreibeGanz(name);
        return;
    }
    // Appended behind another process's records, ours leave the file unknown to this one: the
    // next full rewrite reads it first.
    const bool bekannt = dateistand() == bekannterStand;
    QFile anhang(name);
    if (!oeffne_privat_zum_anhaengen(anhang)) {
        qWarning("Unable to open history file for saving %s", qUtf8Printable(name));
        return;
    }
    qint64 angehaengt = 0;
    for (int i = first; i >= 0; --i)
        angehaengt += anhang.write(history_datensatz(history.at(i)));
    anhang.close();
    if (anhang.error() != QFileDevice::NoError) {
        // A record may have reached the file only in half: the next save replaces it whole.
        qWarning("Unable to write history file %s: %s", qUtf8Printable(name), qUtf8Printable(anhang.errorString()));
        lastSavedUrl.clear();
        return;
    }
    // The file stays known only if it grew by our records alone: another process may have
    // appended between the look above and our write.
    const Dateistand danach = dateistand();
    if (bekannt && danach.groesse == bekannterStand.groesse + angehaengt)
        bekannterStand = danach;
    merkeGespeichert();
}

void HistoryManager::schreibeGanz(const QString& name)
{
    if (!(dateistand() == bekannterStand))
        nichtErsetzen = !uebernimmFremdeBesuche() || nichtErsetzen;
    if (nichtErsetzen) {
        qWarning("History file not replaced, it could not be kept aside: %s", qUtf8Printable(name));
        return;
    }
    const std::unique_ptr<QFileDevice> datei = oeffne_ganz(name);
    if (!datei->isOpen() || !mache_privat(datei->handle())) {
        qWarning("Unable to open history file for saving %s", qUtf8Printable(name));
        return;
    }
    bool geschrieben = true;
    for (int i = history.count() - 1; i >= 0 && geschrieben; --i) {
        const QByteArray satz = history_datensatz(history.at(i));
        geschrieben = datei->write(satz) == satz.size();
    }
    const QString fehler = beende_ganz(*datei, geschrieben);
    if (!fehler.isEmpty()) {
        // The old file stays as it was; the marker too, so the next save tries again.
        qWarning("Unable to write history file %s: %s", qUtf8Printable(name), qUtf8Printable(fehler));
        return;
    }
    bekannterStand = dateistand();
    merkeGespeichert();
}

bool HistoryManager::liesDatei(QIODevice& datei, QList<HistoryItem>& liste, bool* neu_schreiben)
{
    bool unvollstaendig = false;
    liste = lies_history(datei, neu_schreiben, &unvollstaendig);
    return !unvollstaendig
           || behalte_beschaedigte_datei(dateiname(), tr("Loading History"),
                                         tr("The history file could not be read whole."), beiseiteGemeldet);
}

bool HistoryManager::uebernimmFremdeBesuche()
{
    QFile datei(dateiname());
    if (!oeffne_regulaere_datei(datei, QIODevice::ReadOnly))
        return true;
    QList<HistoryItem> inDatei;
    const bool bewahrt = liesDatei(datei, inDatei, nullptr);
    QSet<QString> bekannt;
    bekannt.reserve(history.size());
    for (const HistoryItem& item : qAsConst(history))
        bekannt.insert(besuch(item));
    QList<HistoryItem> zusammen = history;
    for (const HistoryItem& item : inDatei) {
        if (geleertAm.isValid() && item.dateTime <= geleertAm)
            continue;
        const QString schluessel = besuch(item);
        if (bekannt.contains(schluessel) || entfernt.contains(schluessel))
            continue;
        bekannt.insert(schluessel);
        zusammen.append(item);
    }
    if (zusammen.size() == history.size())
        return bewahrt;
    // Newest first again; of two visits at one moment, this process's first.
    std::stable_sort(zusammen.begin(), zusammen.end());
    naechsteListe = zusammen;
    emit historyReset();
    // The other process may keep its visits longer than this one.
    checkForExpired();
    return bewahrt;
}

HistoryManager::Dateistand HistoryManager::dateistand()
{
    const QFileInfo info(dateiname());
    Dateistand stand;
    if (info.exists()) {
        stand.groesse = info.size();
        stand.geaendert = info.lastModified();
        stand.status = info.metadataChangeTime();
    }
    return stand;
}

void HistoryManager::sperreBesetzt(const QString& grund)
{
    qWarning("History not saved: %s", qUtf8Printable(grund));
    // Tried again later; a save that cannot wait any longer tells the user what is not in the file.
    saveTimer->changeOccurred();
    if (dringend)
        zeige_warnung(nullptr, tr("Saving History"),
                      tr("The history could not be saved; the visits since its last save are not in the file.\n%1")
                          .arg(grund));
}

void HistoryManager::vergiss(const HistoryItem& item)
{
    entfernt.insert(besuch(item));
}

void HistoryManager::dateiVeraltet()
{
    lastSavedUrl.clear();
    saveTimer->changeOccurred();
}

int HistoryManager::gespeichertAb() const
{
    if (lastSavedUrl.isEmpty())
        return -1;
    for (int i = 0; i < history.count(); ++i)
        if (history.at(i).url == lastSavedUrl && history.at(i).dateTime == lastSavedDateTime)
            return i;
    return -1;
}

void HistoryManager::merkeGespeichert()
{
    lastSavedUrl = history.isEmpty() ? QString() : history.first().url;
    lastSavedDateTime = history.isEmpty() ? QDateTime() : history.first().dateTime;
}
