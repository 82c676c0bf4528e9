// Times the install through the real main window against the silent install, and how long the GUI thread went without its event loop meanwhile.
//
// fensterinstallation [--dateien N]... [--arbeit ORDNER]
//   builds an archive of N small files in nested folders (once, kept in the work folder) for each
//   --dateien given (default 20000 and 60000), then installs each archive silently, through the
//   window with the protocol dock hidden and with it shown, each run in a process of its own into
//   a fresh folder, and prints a table.
// fensterinstallation --lauf silent|fenster|dock <archive> <target>
//   one run; prints "ERGEBNIS <seconds> <longest gap in ms> <lines in the job window> <lines in the dock>
//   <CPU seconds of the GUI thread>".
// The GUI thread's CPU time says what the window costs with far less spread than the times: the
// install's own time varies with the file system's state by as much as the window costs.
#include "sanitizervorgaben.h"
#include "cdocklog.h"
#include "clogsubwidget.h"
#include "cqstring.h"
#include "cworkthread.h"
#include "logging.h"
#include "silentinstallation.h"
#include "startzustand.h"
#include "updatermainwindow.h"
#include "anwendung.h"
#include "canwendung.h"
#include "camisc.h"

#include <minizip/zip.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <cstdio>
#include <ctime>

namespace {

// minizip writes the record of the central directory's end in its 16-bit form alone (the count
// of entries cut off at 65,535) unless the archive passes 4 GiB: for more entries the ZIP64 end
// record and its locator go in front of it, as the format asks.
bool ergaenze_zip64_ende(const QString& pfad, int anzahl)
{
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadWrite) || datei.size() < 22 || !datei.seek(datei.size() - 22))
        return false;
    const QByteArray ende = datei.read(22);
    if (!ende.startsWith("PK\x05\x06"))
        return false;
    const auto lies32 = [&ende](int pos) {
        quint32 wert = 0;
        for (int i = 3; i >= 0; --i)
            wert = wert << 8 | quint8(ende[pos + i]);
        return quint64(wert);
    };
    const quint64 groesse = lies32(12);
    const quint64 anfang = lies32(16);
    const qint64 hier = datei.size() - 22;
    QByteArray neu;
    const auto schreibe = [&neu](quint64 wert, int bytes) {
        for (int i = 0; i < bytes; ++i)
            neu += char(wert >> (8 * i) & 0xFF);
    };
    neu += QByteArray("PK\x06\x06", 4);
    schreibe(44, 8);          // size of the rest of the record
    schreibe(45, 2);          // made by
    schreibe(45, 2);          // needed
    schreibe(0, 4);           // this disk
    schreibe(0, 4);           // disk of the directory
    schreibe(quint64(anzahl), 8);
    schreibe(quint64(anzahl), 8);
    schreibe(groesse, 8);
    schreibe(anfang, 8);
    neu += QByteArray("PK\x06\x07", 4);
    schreibe(0, 4);
    schreibe(quint64(hier), 8);
    schreibe(1, 4);
    neu += ende;
    return datei.seek(hier) && datei.write(neu) == neu.size();
}

// An archive of `anzahl` text files of 100 to 6000 bytes in 40 x 25 x 3 folders.
bool baue_archiv(const QString& pfad, int anzahl)
{
    const QString vorlaeufig = pfad + QStringLiteral(".tmp");
    zipFile zip = zipOpen64(QFile::encodeName(vorlaeufig).constData(), APPEND_STATUS_CREATE);
    if (!zip)
        return false;
    QRandomGenerator zufall(7);
    static const char* const woerter[] = {"aktualisierer", "archiv", "datei", "ordner", "zeile", "text", "wert", "update"};
    bool ok = true;
    for (int i = 0; i < anzahl && ok; ++i) {
        const QByteArray name = QStringLiteral("ebene%1/teil%2/tiefer%3/datei%4.txt")
                                    .arg(i % 40, 2, 10, QLatin1Char('0'))
                                    .arg(i / 40 % 25, 2, 10, QLatin1Char('0'))
                                    .arg(i % 3)
                                    .arg(i, 5, 10, QLatin1Char('0'))
                                    .toUtf8();
        const int groesse = zufall.bounded(100, 6001);
        QByteArray inhalt;
        while (inhalt.size() < groesse)
            inhalt += QByteArray(woerter[zufall.bounded(8)]) + ' ';
        inhalt.truncate(groesse);
        zip_fileinfo info{};
        info.tmz_date = tm_zip{8, 6, 5, 4, 2, 2021};
        ok = zipOpenNewFileInZip64(zip, name.constData(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                                   Z_DEFAULT_COMPRESSION, 0) == ZIP_OK
             && zipWriteInFileInZip(zip, inhalt.constData(), static_cast<unsigned>(inhalt.size())) == ZIP_OK
             && zipCloseFileInZip(zip) == ZIP_OK;
    }
    ok = zipClose(zip, nullptr) == ZIP_OK && ok;
    return ok && (anzahl < 0xFFFF || ergaenze_zip64_ende(vorlaeufig, anzahl)) && QFile::rename(vorlaeufig, pfad);
}

// The longest time between two ticks of a 10 ms timer of the GUI thread.
class Lueckenmesser : public QObject
{
public:
    Lueckenmesser()
    {
        uhr.start();
        takt.setTimerType(Qt::PreciseTimer);
        connect(&takt, &QTimer::timeout, this, [this] {
            laengste = qMax(laengste, uhr.restart());
        });
        takt.start(10);
    }
    qint64 laengste = 0;

private:
    QElapsedTimer uhr;
    QTimer takt;
};

// CPU seconds the calling thread has used.
double thread_cpu()
{
    timespec zeit{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &zeit);
    return double(zeit.tv_sec) + double(zeit.tv_nsec) / 1e9;
}

int zeilen(const QTextEdit* bereich)
{
    return bereich ? bereich->document()->blockCount() : 0;
}

// Lets the event loop run until `fertig` says so.
template <typename Bedingung>
void laufe_bis(Bedingung fertig)
{
    QEventLoop schleife;
    QTimer pruefung;
    QObject::connect(&pruefung, &QTimer::timeout, &schleife, [&] {
        if (fertig())
            schleife.quit();
    });
    pruefung.start(5);
    schleife.exec();
}

int ein_lauf(const QString& art, const QString& archiv, const QString& ziel)
{
    QDir().mkpath(ziel);
    // The protocol goes to a log file, as in a real run.
    const QString init = ziel + QStringLiteral("/../") + QFileInfo(ziel).fileName() + QStringLiteral(".init");
    QFile datei(init);
    if (!datei.open(QIODevice::WriteOnly))
        return 2;
    datei.write(QStringLiteral("appender root pattern file %1.log %D: %m%n\n").arg(ziel).toUtf8());
    datei.close();
    konfiguriere_logging(init, QString());
    setze_zielverzeichnis_vorgabe(CQString(ziel));
    startmodus = 1;

    if (art == QLatin1String("silent")) {
        QElapsedTimer uhr;
        uhr.start();
        const bool ok = silent_installation(archiv, QString());
        std::printf("ERGEBNIS %.3f 0 0 0 0\n", uhr.elapsed() / 1000.0);
        return ok ? 0 : 1;
    }

    // An "install" start with "dbx": the job window stays open at the end.
    dbx_modus = true;
    UpdaterMainWindow* fenster = UpdaterMainWindow::instanz();
    fenster->show();
    fenster->richte_fenster_ein();
    fenster->setze_archivname(CQString(archiv));
    if (art == QLatin1String("dock"))
        zeige_protokollfenster();
    QCoreApplication::processEvents();

    QElapsedTimer uhr;
    uhr.start();
    const double cpu_anfang = thread_cpu();
    Lueckenmesser messer;
    fenster->slot_zeitverzoegerung();
    laufe_bis([] { return CWorkThread::laufende_jobs() == 0; });
    // Then until every line is shown: the counts stay the same over several ticks. The time is
    // that of the job's end, or of the tick that saw the last new line after it; the ticks that
    // only confirm it do not count.
    qint64 ende_ms = uhr.elapsed();
    const CWorkThread* job = fenster->gib_letztes_jobfenster();
    const QTextEdit* seite = gib_docklog() ? gib_docklog()->gib_ausgabeseite() : nullptr;
    int job_zeilen = zeilen(job ? job->gib_textbereich() : nullptr);
    int dock_zeilen = zeilen(seite);
    int gleich = 0;
    laufe_bis([&] {
        const int j = zeilen(job ? job->gib_textbereich() : nullptr);
        const int d = zeilen(seite);
        gleich = j == job_zeilen && d == dock_zeilen ? gleich + 1 : 0;
        if (gleich == 0)
            ende_ms = uhr.elapsed();
        job_zeilen = j;
        dock_zeilen = d;
        return gleich >= 4;
    });
    const double sekunden = ende_ms / 1000.0;
    std::printf("ERGEBNIS %.3f %lld %d %d %.3f\n", sekunden, static_cast<long long>(messer.laengste), job_zeilen,
                dock_zeilen, thread_cpu() - cpu_anfang);
    const bool ok = update_erfolgreich;
    fenster->close();
    UpdaterMainWindow::zerstoere_instanz();
    return ok ? 0 : 1;
}

// Runs one mode in a child process, into the fresh folder `ziel`; its figures, or an empty list
// when it failed.
QStringList starte_lauf(const QString& art, const QString& archiv, const QString& ziel)
{
    QProcess kind;
    kind.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    kind.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--lauf"), art, archiv, ziel});
    if (!kind.waitForFinished(-1) || kind.exitStatus() != QProcess::NormalExit || kind.exitCode() != 0) {
        std::fprintf(stderr, "fensterinstallation: run '%s' failed (%d)\n", qPrintable(art), kind.exitCode());
        return {};
    }
    // The run's own protocol goes to the console too; its figures are the line marked for them.
    const QStringList ausgabe = QString::fromUtf8(kind.readAllStandardOutput()).split(QLatin1Char('\n'));
    for (const QString& zeile : ausgabe)
        if (zeile.startsWith(QLatin1String("ERGEBNIS ")))
            return zeile.mid(9).simplified().split(QLatin1Char(' '));
    return {};
}

int alle_laeufe(const QList<int>& anzahlen, const QString& arbeit)
{
    QDir().mkpath(arbeit);
    std::printf("%-8s %-8s %9s %9s %7s %9s %11s %11s %9s\n", "files", "window", "total s", "silent s", "ratio",
                "gap ms", "job lines", "dock lines", "gui cpu s");
    bool ok = true;
    for (const int anzahl : anzahlen) {
        const QString archiv = QStringLiteral("%1/fenster%2.zip").arg(arbeit).arg(anzahl);
        if (!QFile::exists(archiv)) {
            std::printf("building %s ...\n", qPrintable(archiv));
            std::fflush(stdout);
            if (!baue_archiv(archiv, anzahl)) {
                std::fprintf(stderr, "fensterinstallation: cannot build %s\n", qPrintable(archiv));
                return 1;
            }
        }
        // Every run gets a folder of its own, and the folders go only after all runs: a file system
        // that has just freed thousands of inodes spends seconds allocating new ones, for one run
        // and not the other.
        const auto ziel = [&](const QString& art) { return QStringLiteral("%1/ziel%2-%3").arg(arbeit).arg(anzahl).arg(art); };
        for (const char* art : {"silent", "fenster", "dock"})
            QDir(ziel(QLatin1String(art))).removeRecursively();
        const QStringList still = starte_lauf(QStringLiteral("silent"), archiv, ziel(QStringLiteral("silent")));
        if (still.isEmpty())
            return 1;
        const double still_s = still.at(0).toDouble();
        for (const char* art : {"fenster", "dock"}) {
            const QStringList werte = starte_lauf(QLatin1String(art), archiv, ziel(QLatin1String(art)));
            if (werte.size() < 5) {
                ok = false;
                continue;
            }
            const double gesamt = werte.at(0).toDouble();
            std::printf("%-8d %-8s %9.2f %9.2f %7.2f %9s %11s %11s %9s\n", anzahl,
                        art == QLatin1String("dock") ? "dock" : "no dock", gesamt, still_s,
                        still_s > 0 ? gesamt / still_s : 0.0, qPrintable(werte.at(1)), qPrintable(werte.at(2)),
                        qPrintable(werte.at(3)), qPrintable(werte.at(4)));
            std::fflush(stdout);
        }
        for (const char* art : {"silent", "fenster", "dock"})
            QDir(ziel(QLatin1String(art))).removeRecursively();
    }
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    schalte_hochaufloesung_ein();
    CAnwendung anwendung(argc, argv);
    setze_anwendungsname(QStringLiteral("Aktualisierer"));
    QApplication::setApplicationName(QStringLiteral("Aktualisierer"));
    const QStringList argumente = QApplication::arguments().mid(1);
    if (argumente.value(0) == QLatin1String("--lauf") && argumente.size() == 4)
        return ein_lauf(argumente[1], QFileInfo(argumente[2]).absoluteFilePath(), QDir(argumente[3]).absolutePath());

    QList<int> anzahlen;
    QString arbeit = QStringLiteral("bench-fenster");
    for (int i = 0; i < argumente.size(); ++i) {
        if (argumente[i] == QLatin1String("--dateien") && i + 1 < argumente.size())
            anzahlen << argumente[++i].toInt();
        else if (argumente[i] == QLatin1String("--arbeit") && i + 1 < argumente.size())
            arbeit = argumente[++i];
        else {
            std::fprintf(stderr, "Aufruf: fensterinstallation [--dateien N]... [--arbeit ORDNER]\n"
                                 "        fensterinstallation --lauf silent|fenster|dock <Archiv> <Ziel>\n");
            return 2;
        }
    }
    if (anzahlen.isEmpty())
        anzahlen = {20000, 60000};
    return alle_laeufe(anzahlen, QDir(arbeit).absolutePath());
}
