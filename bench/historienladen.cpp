// Times loading the browser's history with and without expiry: how long the store takes to come up on a history of many visits.
//
// historienladen [--besuche N] [--tage D] [--laeufe N]
//   writes a history of N visits (default 1000000) spread evenly over the last D days (default
//   365), newest last as the browser appends them, in a data folder of its own; then creates the
//   history store on a copy of it, once with visits that never expire and once with the 30-day
//   limit (which removes the visits older than 30 days), and prints the best and the median of
//   the runs (default 3) in ms and the ratio of the medians.
#include "sanitizervorgaben.h"
#include "historyitem.h"
#include "historymanager.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSaveFile>
#include <QSettings>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Ergebnis
{
    qint64 bestes = 0;
    qint64 median = 0;
    int behalten = 0;
};

// The history of `besuche` visits over the last `tage` days, oldest first, into `datei`.
bool schreibe_history(const QString& datei, int besuche, int tage)
{
    QSaveFile ziel(datei);
    if (!ziel.open(QIODevice::WriteOnly))
        return false;
    const QDateTime jetzt = QDateTime::currentDateTime();
    const qint64 spanne_s = qint64(tage) * 86400;
    const QDate heute = jetzt.date();
    const int sekunden_heute = jetzt.time().msecsSinceStartOfDay() / 1000;
    for (int i = 0; i < besuche; ++i) {
        // Built from date and time of day, as the store reads them, without a conversion each.
        const qint64 zurueck = spanne_s - spanne_s * i / std::max(besuche, 1);
        const qint64 s = qint64(sekunden_heute) - zurueck;
        const qint64 tag = s >= 0 ? s / 86400 : -((-s + 86399) / 86400);
        const QDateTime zeit(heute.addDays(tag), QTime::fromMSecsSinceStartOfDay(int((s - tag * 86400) * 1000)));
        const HistoryItem besuch(QStringLiteral("http://seite%1.example/pfad/%2.html").arg(i % 5000).arg(i),
                                 zeit, QStringLiteral("Seite %1").arg(i));
        if (ziel.write(history_datensatz(besuch)) < 0)
            return false;
    }
    return ziel.commit();
}

// Creates the store `laeufe` times on a fresh copy of `vorlage` with the limit `tage`.
Ergebnis miss(const QString& vorlage, int limit, int laeufe)
{
    QSettings().setValue(QStringLiteral("history/historyLimit"), limit);
    std::vector<qint64> zeiten;
    Ergebnis ergebnis;
    for (int lauf = 0; lauf < laeufe; ++lauf) {
        QFile::remove(HistoryManager::dateiname());
        if (!QFile::copy(vorlage, HistoryManager::dateiname())) {
            std::fprintf(stderr, "historienladen: cannot copy the history\n");
            std::exit(1);
        }
        QElapsedTimer uhr;
        uhr.start();
        auto* history = new HistoryManager;
        zeiten.push_back(uhr.elapsed());
        ergebnis.behalten = history->entries().size();
        // Outside the measured time: the store writes the shortened file when it goes.
        delete history;
    }
    std::sort(zeiten.begin(), zeiten.end());
    ergebnis.bestes = zeiten.front();
    ergebnis.median = zeiten[zeiten.size() / 2];
    return ergebnis;
}

} // namespace

int main(int argc, char** argv)
{
    // Data and settings in a folder of their own: the user's history stays untouched.
    QTemporaryDir ordner;
    if (!ordner.isValid())
        return 1;
    qputenv("XDG_DATA_HOME", QFile::encodeName(ordner.filePath(QStringLiteral("daten"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(ordner.filePath(QStringLiteral("einstellungen"))));
    QCoreApplication anwendung(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("historienladen"));
    QCoreApplication::setApplicationName(QStringLiteral("historienladen"));
    int besuche = 1000000;
    int tage = 365;
    int laeufe = 3;
    const QStringList argumente = QCoreApplication::arguments().mid(1);
    for (int i = 0; i < argumente.size(); ++i) {
        if (argumente[i] == QLatin1String("--besuche") && i + 1 < argumente.size())
            besuche = std::max(1, argumente[++i].toInt());
        else if (argumente[i] == QLatin1String("--tage") && i + 1 < argumente.size())
            tage = std::max(1, argumente[++i].toInt());
        else if (argumente[i] == QLatin1String("--laeufe") && i + 1 < argumente.size())
            laeufe = std::max(1, argumente[++i].toInt());
        else {
            std::fprintf(stderr, "Aufruf: historienladen [--besuche N] [--tage D] [--laeufe N]\n");
            return 2;
        }
    }
    QDir().mkpath(QFileInfo(HistoryManager::dateiname()).path());
    const QString vorlage = ordner.filePath(QStringLiteral("vorlage"));
    if (!schreibe_history(vorlage, besuche, tage)) {
        std::fprintf(stderr, "historienladen: cannot write the history\n");
        return 1;
    }
    const Ergebnis ohne = miss(vorlage, -1, laeufe);
    const Ergebnis mit = miss(vorlage, 30, laeufe);
    std::printf("%-24s %9s %9s %14s\n", "limit", "visits", "kept", "load ms");
    std::printf("%-24s %9s %9s %14s\n", "", "", "", "best/median");
    const auto zeile = [besuche](const char* name, const Ergebnis& e) {
        std::printf("%-24s %9d %9d %6lld/%-7lld\n", name, besuche, e.behalten, static_cast<long long>(e.bestes),
                    static_cast<long long>(e.median));
    };
    zeile("never (nothing expires)", ohne);
    zeile("30 days", mit);
    std::printf("ratio of the medians: %.2f\n", ohne.median > 0 ? double(mit.median) / double(ohne.median) : 0.0);
    return 0;
}
