// Times the install, the listing and the uninstall through the real main window against the silent install and `rm -rf`, with the GUI thread's longest stall and the memory.
//
// fensterinstallation [--dateien N]... [--arbeit ORDNER] [--vergleich installation|liste|deinstallation]
//                     [--laeufe N] [--zweites PROGRAMM]
//   builds an archive of N small files in nested folders (once, kept in the work folder) for each
//   --dateien given, then, each run in a process of its own and into a fresh folder:
//   installation (default 20000 and 60000 files): the silent install, the window install with the
//     protocol dock hidden and with it shown;
//   liste (default 16000 and 65000 entries): the window install, then the list job of the archive;
//   deinstallation (default 20000 and 200000 files): the window install, then the uninstall job of
//     the tree it made; and `rm -rf` of a tree the silent install made.
//   The runs alternate; with --zweites, the same runs of another build of this program (for example
//   the one before a change) alternate with this one's, so that both meet the same load. Prints
//   the medians of --laeufe runs (default 1 for installation, else 3).
// fensterinstallation --lauf silent|fenster|dock|liste|deinstall <archive> <target>
//   one run; prints "ERGEBNIS <seconds> <longest gap in ms> <lines in the job window> <lines in the dock>
//   <CPU seconds of the GUI thread> <peak memory in MiB>".
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
#include "dialogseam.h"
#include "stockung.h"

#include <minizip/zip.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <sys/resource.h>

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

// Peak memory of this process in MiB.
double spitzenspeicher()
{
    rusage nutzung{};
    getrusage(RUSAGE_SELF, &nutzung);
    return double(nutzung.ru_maxrss) / 1024.0;
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
    // An "install" start (the first install takes the archive named), or an "uninstall" start.
    startmodus = art == QLatin1String("deinstall") ? 2 : 1;

    if (art == QLatin1String("silent")) {
        QElapsedTimer uhr;
        uhr.start();
        const bool ok = silent_installation(archiv, QString());
        std::printf("ERGEBNIS %.3f 0 0 0 0 %.1f\n", uhr.elapsed() / 1000.0, spitzenspeicher());
        return ok ? 0 : 1;
    }

    // With "dbx": the job window stays open at the end.
    dbx_modus = true;
    UpdaterMainWindow* fenster = UpdaterMainWindow::instanz();
    fenster->show();
    fenster->richte_fenster_ein();
    fenster->setze_archivname(CQString(archiv));
    if (art == QLatin1String("dock"))
        zeige_protokollfenster();
    // The list job asks for its archive.
    setze_oeffnen_funktion([archiv](QWidget*, const QString&, const QString&, const QString&) { return archiv; });
    QCoreApplication::processEvents();

    QElapsedTimer uhr;
    uhr.start();
    const double cpu_anfang = thread_cpu();
    CStockung messer;
    if (art == QLatin1String("liste"))
        fenster->SlotListZIP();
    else
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
    std::printf("ERGEBNIS %.3f %lld %d %d %.3f %.1f\n", sekunden, static_cast<long long>(messer.laengste), job_zeilen,
                dock_zeilen, thread_cpu() - cpu_anfang, spitzenspeicher());
    const bool ok = update_erfolgreich;
    fenster->close();
    UpdaterMainWindow::zerstoere_instanz();
    return ok ? 0 : 1;
}

// The figures of one run: seconds, longest gap in ms, lines of the job window and of the dock,
// CPU seconds of the GUI thread, peak memory in MiB.
struct Werte
{
    double sekunden = 0;
    double luecke_ms = 0;
    double job_zeilen = 0;
    double dock_zeilen = 0;
    double gui_cpu = 0;
    double speicher = 0;
};

// Runs one mode of `programm` in a child process, into the folder `ziel`; its figures, or none
// when it failed.
std::optional<Werte> starte_lauf(const QString& programm, const QString& art, const QString& archiv, const QString& ziel)
{
    QProcess kind;
    kind.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    kind.start(programm, {QStringLiteral("--lauf"), art, archiv, ziel});
    if (!kind.waitForFinished(-1) || kind.exitStatus() != QProcess::NormalExit || kind.exitCode() != 0) {
        std::fprintf(stderr, "fensterinstallation: run '%s' of %s failed (%d)\n", qPrintable(art), qPrintable(programm),
                     kind.exitCode());
        return std::nullopt;
    }
    // The run's own protocol goes to the console too; its figures are the line marked for them.
    const QStringList ausgabe = QString::fromUtf8(kind.readAllStandardOutput()).split(QLatin1Char('\n'));
    for (const QString& zeile : ausgabe) {
        if (!zeile.startsWith(QLatin1String("ERGEBNIS ")))
            continue;
        const QStringList f = zeile.mid(9).simplified().split(QLatin1Char(' '));
        if (f.size() < 6)
            break;
        return Werte{f[0].toDouble(), f[1].toDouble(), f[2].toDouble(), f[3].toDouble(), f[4].toDouble(), f[5].toDouble()};
    }
    return std::nullopt;
}

// `rm -rf` of the folder: its seconds, or a negative number when it failed.
double entferne_mit_rm(const QString& ordner)
{
    QElapsedTimer uhr;
    uhr.start();
    const int code = QProcess::execute(QStringLiteral("rm"), {QStringLiteral("-rf"), ordner});
    return code == 0 ? uhr.elapsed() / 1000.0 : -1;
}

double median(QVector<double> werte)
{
    if (werte.isEmpty())
        return 0;
    std::sort(werte.begin(), werte.end());
    const int mitte = werte.size() / 2;
    return werte.size() % 2 ? werte[mitte] : (werte[mitte - 1] + werte[mitte]) / 2;
}

// The figures of one kind of run over all runs.
struct Reihe
{
    QVector<Werte> laeufe;
    double med(double Werte::*feld) const
    {
        QVector<double> w;
        for (const Werte& l : laeufe)
            w << l.*feld;
        return median(w);
    }
};

// The archive of `anzahl` files in the work folder, built when it is not there.
QString archiv_fuer(const QString& arbeit, int anzahl)
{
    const QString archiv = QStringLiteral("%1/fenster%2.zip").arg(arbeit).arg(anzahl);
    if (!QFile::exists(archiv)) {
        std::printf("building %s ...\n", qPrintable(archiv));
        std::fflush(stdout);
        if (!baue_archiv(archiv, anzahl)) {
            std::fprintf(stderr, "fensterinstallation: cannot build %s\n", qPrintable(archiv));
            return QString();
        }
    }
    return archiv;
}

int installationen(const QList<int>& anzahlen, const QString& arbeit, const QStringList& programme, int laeufe)
{
    std::printf("%-8s %-9s %-8s %9s %9s %7s %9s %11s %11s %9s %9s\n", "files", "program", "window", "total s", "silent s",
                "ratio", "gap ms", "job lines", "dock lines", "gui cpu s", "peak MiB");
    for (const int anzahl : anzahlen) {
        const QString archiv = archiv_fuer(arbeit, anzahl);
        if (archiv.isEmpty())
            return 1;
        Reihe still;
        QMap<QString, Reihe> reihen;
        // Every run gets a folder of its own, and the folders go only after all runs of the
        // archive: a file system that has just freed thousands of inodes spends seconds
        // allocating new ones, for one run and not the other.
        QStringList ordner;
        const auto ziel = [&](const QString& name) {
            ordner << QStringLiteral("%1/ziel%2-%3").arg(arbeit).arg(anzahl).arg(name);
            QDir(ordner.last()).removeRecursively();
            return ordner.last();
        };
        for (int lauf = 0; lauf < laeufe; ++lauf) {
            const auto w = starte_lauf(programme[0], QStringLiteral("silent"), archiv, ziel(QStringLiteral("silent%1").arg(lauf)));
            if (!w)
                return 1;
            still.laeufe << *w;
            for (int p = 0; p < programme.size(); ++p)
                for (const QString& art : {QStringLiteral("fenster"), QStringLiteral("dock")})
                    if (const auto w = starte_lauf(programme[p], art, archiv, ziel(QStringLiteral("%1%2-%3").arg(art).arg(p).arg(lauf))))
                        reihen[QStringLiteral("%1 %2").arg(p).arg(art == QLatin1String("dock"))].laeufe << *w;
        }
        const double still_s = still.med(&Werte::sekunden);
        for (auto r = reihen.cbegin(); r != reihen.cend(); ++r) {
            const QStringList teile = r.key().split(QLatin1Char(' '));
            const double gesamt = r->med(&Werte::sekunden);
            std::printf("%-8d %-9s %-8s %9.2f %9.2f %7.2f %9.0f %11.0f %11.0f %9.3f %9.1f\n", anzahl,
                        teile[0] == QLatin1String("0") ? "this" : "second",
                        teile[1] == QLatin1String("1") ? "dock" : "no dock", gesamt, still_s,
                        still_s > 0 ? gesamt / still_s : 0.0, r->med(&Werte::luecke_ms), r->med(&Werte::job_zeilen),
                        r->med(&Werte::dock_zeilen), r->med(&Werte::gui_cpu), r->med(&Werte::speicher));
        }
        std::fflush(stdout);
        for (const QString& o : ordner)
            QDir(o).removeRecursively();
    }
    return 0;
}

// The list job beside the window install of the same archive, each program's runs in turn.
int listen(const QList<int>& anzahlen, const QString& arbeit, const QStringList& programme, int laeufe)
{
    std::printf("%-8s %-8s %10s %8s %7s %8s %9s %11s %11s %7s %10s\n", "entries", "program", "install s", "list s",
                "ratio", "gap ms", "list cpu", "install MiB", "list MiB", "ratio", "list lines");
    for (const int anzahl : anzahlen) {
        const QString archiv = archiv_fuer(arbeit, anzahl);
        if (archiv.isEmpty())
            return 1;
        QVector<Reihe> installiert(programme.size());
        QVector<Reihe> gelistet(programme.size());
        for (int lauf = 0; lauf < laeufe; ++lauf) {
            for (int p = 0; p < programme.size(); ++p) {
                const QString ziel = QStringLiteral("%1/liste%2-%3-%4").arg(arbeit).arg(anzahl).arg(p).arg(lauf);
                QDir(ziel).removeRecursively();
                const auto i = starte_lauf(programme[p], QStringLiteral("fenster"), archiv, ziel);
                const auto l = starte_lauf(programme[p], QStringLiteral("liste"), archiv, ziel + QStringLiteral("-l"));
                QDir(ziel).removeRecursively();
                QDir(ziel + QStringLiteral("-l")).removeRecursively();
                if (!i || !l)
                    return 1;
                installiert[p].laeufe << *i;
                gelistet[p].laeufe << *l;
            }
        }
        for (int p = 0; p < programme.size(); ++p) {
            const double i_s = installiert[p].med(&Werte::sekunden);
            const double l_s = gelistet[p].med(&Werte::sekunden);
            const double i_m = installiert[p].med(&Werte::speicher);
            const double l_m = gelistet[p].med(&Werte::speicher);
            std::printf("%-8d %-8s %10.2f %8.2f %7.2f %8.0f %9.3f %11.1f %11.1f %7.2f %10.0f\n", anzahl,
                        p == 0 ? "this" : "second", i_s, l_s, i_s > 0 ? l_s / i_s : 0.0, gelistet[p].med(&Werte::luecke_ms),
                        gelistet[p].med(&Werte::gui_cpu), i_m, l_m, i_m > 0 ? l_m / i_m : 0.0,
                        gelistet[p].med(&Werte::job_zeilen));
        }
        std::fflush(stdout);
    }
    return 0;
}

// The uninstall job of a tree the window install made, beside that install and `rm -rf` of a
// tree the silent install made; each program's runs in turn.
int deinstallationen(const QList<int>& anzahlen, const QString& arbeit, const QStringList& programme, int laeufe)
{
    std::printf("%-8s %-8s %10s %12s %8s %9s %9s %8s %11s %9s %11s\n", "files", "program", "install s", "uninstall s",
                "rm -rf s", "x install", "x rm -rf", "gap ms", "install MiB", "uninst MiB", "job lines");
    for (const int anzahl : anzahlen) {
        const QString archiv = archiv_fuer(arbeit, anzahl);
        if (archiv.isEmpty())
            return 1;
        QVector<Reihe> installiert(programme.size());
        QVector<Reihe> entfernt(programme.size());
        QVector<double> rm;
        for (int lauf = 0; lauf < laeufe; ++lauf) {
            for (int p = 0; p < programme.size(); ++p) {
                const QString ziel = QStringLiteral("%1/deinst%2-%3-%4").arg(arbeit).arg(anzahl).arg(p).arg(lauf);
                QDir(ziel).removeRecursively();
                const auto i = starte_lauf(programme[p], QStringLiteral("fenster"), archiv, ziel);
                const auto u = i ? starte_lauf(programme[p], QStringLiteral("deinstall"), archiv, ziel) : std::nullopt;
                QDir(ziel).removeRecursively();
                if (!u)
                    return 1;
                installiert[p].laeufe << *i;
                entfernt[p].laeufe << *u;
            }
            const QString ziel = QStringLiteral("%1/rm%2-%3").arg(arbeit).arg(anzahl).arg(lauf);
            QDir(ziel).removeRecursively();
            if (!starte_lauf(programme[0], QStringLiteral("silent"), archiv, ziel))
                return 1;
            rm << entferne_mit_rm(ziel);
        }
        const double rm_s = median(rm);
        for (int p = 0; p < programme.size(); ++p) {
            const double i_s = installiert[p].med(&Werte::sekunden);
            const double u_s = entfernt[p].med(&Werte::sekunden);
            std::printf("%-8d %-8s %10.2f %12.2f %8.2f %9.2f %9.2f %8.0f %11.1f %9.1f %11.0f\n", anzahl,
                        p == 0 ? "this" : "second", i_s, u_s, rm_s, i_s > 0 ? u_s / i_s : 0.0, rm_s > 0 ? u_s / rm_s : 0.0,
                        entfernt[p].med(&Werte::luecke_ms), installiert[p].med(&Werte::speicher),
                        entfernt[p].med(&Werte::speicher), entfernt[p].med(&Werte::job_zeilen));
        }
        std::fflush(stdout);
    }
    return 0;
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
    QString vergleich = QStringLiteral("installation");
    QStringList programme{QCoreApplication::applicationFilePath()};
    int laeufe = 0;
    for (int i = 0; i < argumente.size(); ++i) {
        const bool wert = i + 1 < argumente.size();
        if (argumente[i] == QLatin1String("--dateien") && wert)
            anzahlen << argumente[++i].toInt();
        else if (argumente[i] == QLatin1String("--arbeit") && wert)
            arbeit = argumente[++i];
        else if (argumente[i] == QLatin1String("--vergleich") && wert)
            vergleich = argumente[++i];
        else if (argumente[i] == QLatin1String("--laeufe") && wert)
            laeufe = argumente[++i].toInt();
        else if (argumente[i] == QLatin1String("--zweites") && wert)
            programme << QFileInfo(argumente[++i]).absoluteFilePath();
        else
            vergleich.clear();
    }
    const QMap<QString, std::pair<QList<int>, decltype(&installationen)>> arten{
        {QStringLiteral("installation"), {{20000, 60000}, &installationen}},
        {QStringLiteral("liste"), {{16000, 65000}, &listen}},
        {QStringLiteral("deinstallation"), {{20000, 200000}, &deinstallationen}}};
    if (!arten.contains(vergleich)) {
        std::fprintf(stderr, "Aufruf: fensterinstallation [--dateien N]... [--arbeit ORDNER] [--vergleich "
                             "installation|liste|deinstallation] [--laeufe N] [--zweites PROGRAMM]\n"
                             "        fensterinstallation --lauf silent|fenster|dock|liste|deinstall <Archiv> <Ziel>\n");
        return 2;
    }
    if (anzahlen.isEmpty())
        anzahlen = arten[vergleich].first;
    if (laeufe <= 0)
        laeufe = vergleich == QLatin1String("installation") ? 1 : 3;
    arbeit = QDir(arbeit).absolutePath();
    QDir().mkpath(arbeit);
    double last[3] = {};
    getloadavg(last, 3);
    std::printf("%d runs each; load %.2f %.2f %.2f\n", laeufe, last[0], last[1], last[2]);
    return arten[vergleich].second(anzahlen, arbeit, programme, laeufe);
}
