// Measures a job window and the hidden protocol dock holding the coloured lines of a large install: saved as text, HTML and PDF and printed, each with its time and the GUI thread's longest stall, every line counted once in each file.
//
// protokollfenster [--zeilen N] [--ordner ORDNER] [--ohne-zaehlung]
//   a worker reports N files (default 200,000) as an install reports them, through the message
//   functions to its job window, and through the logger to the protocol dock of a main window,
//   which stays hidden as it does in the updater: "installiere <entry>", every 500th
//   "Fehler bei entpacken von <entry> : ..." (an error, red), every 1,000th "überspringe <entry>".
//   Then, while a 10 ms timer on the GUI thread measures the longest time between its ticks, the
//   window saves its text as text, HTML and PDF and prints it, and the dock saves and prints its
//   own, into ORDNER (default a temporary folder); the file dialog and the print dialog answer
//   with a file there. Each entry's number is counted in each file (pdftotext reads the PDFs).
//   The exit code is 1 when a number is missing or twice in a file, or a message box came.
// Runs offscreen when there is no display.
#include "sanitizervorgaben.h"
#include "benchanwendung.h"
#include "speicherspitze.h"
#include "stockung.h"
#include "cbasis.h"
#include "ccwidgetlog.h"
#include "cdocklog.h"
#include "clogsubwidget.h"
#include "camisc.h"
#include "dialogseam.h"
#include "gui.h"
#include "melde.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>
#include <log4cpp/Category.hh>
#include <log4cpp/PatternLayout.hh>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// The entry of line `i`; its number is what the files are searched for.
QString eintrag(int i)
{
    return QStringLiteral("programm/modul%1/datei%2.dll").arg(i % 97).arg(i, 7, 10, QLatin1Char('0'));
}

// Reports the entries of an install as its reporting thread does.
class Installationsbericht : public CCThread
{
public:
    Installationsbericht(CCBaseLog& log, int zeilen) : log(log), zeilen(zeilen) {}

protected:
    void run() override
    {
        // The job's lines go to its own window, and to the logger.
        const CEigenesMeldeziel eigenes_ziel(&log);
        for (int i = 1; i <= zeilen; ++i) {
            if (i % 500 == 0)
                qmelde(2, klasse_kurz, CQString("ImportZIP_installation"),
                       CQString(QStringLiteral("Fehler bei entpacken von %1 : Datei nicht zu schreiben").arg(eintrag(i))));
            else if (i % 1000 == 1)
                qmelde(5, klasse_kurz, CQString("ImportZIP_installation"), CQString(QStringLiteral("überspringe %1").arg(eintrag(i))));
            else
                qmelde(5, klasse_kurz, CQString("ImportZIP_installation"), CQString(QStringLiteral("installiere %1").arg(eintrag(i))));
        }
    }

private:
    CCBaseLog& log;
    int zeilen;
};

class Jobfenster : public CCWidgetLog
{
public:
    Jobfenster() : CCWidgetLog(nullptr, CQString("Installation")) {}
    ~Jobfenster() override { beende_worker(); }
    void thread_beendet() override {}
};

// How many of the entries 1 to `zeilen` the text names once each; the rest are missing or twice.
int einmal_im_text(const QString& text, int zeilen)
{
    std::vector<int> gesehen(std::size_t(zeilen) + 1, 0);
    const QRegularExpression nummer(QStringLiteral("datei(\\d{7})\\.dll"));
    for (auto treffer = nummer.globalMatch(text); treffer.hasNext();) {
        const int n = treffer.next().captured(1).toInt();
        if (n >= 1 && n <= zeilen)
            ++gesehen[std::size_t(n)];
    }
    return static_cast<int>(std::count(gesehen.begin() + 1, gesehen.end(), 1));
}

QString lies(const QString& datei)
{
    if (datei.endsWith(QLatin1String(".pdf"))) {
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {datei, QStringLiteral("-")});
        text.waitForFinished(-1);
        return QString::fromUtf8(text.readAllStandardOutput());
    }
    QFile f(datei);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

int main(int argc, char** argv)
{
    // The window is fed by a worker thread; save and print work beside it.
    CBenchAnwendung anwendung(argc, argv);
    int zeilen = 200000;
    QString ordner;
    bool zaehlen = true;
    const QStringList argumente = QCoreApplication::arguments();
    for (int i = 1; i < argumente.size(); ++i) {
        if (argumente[i] == QLatin1String("--zeilen") && i + 1 < argumente.size())
            zeilen = argumente[++i].toInt();
        else if (argumente[i] == QLatin1String("--ordner") && i + 1 < argumente.size())
            ordner = argumente[++i];
        else if (argumente[i] == QLatin1String("--ohne-zaehlung"))
            zaehlen = false;
        else {
            std::fprintf(stderr, "Aufruf: protokollfenster [--zeilen N] [--ordner ORDNER] [--ohne-zaehlung]\n");
            return 2;
        }
    }
    QTemporaryDir vorgabe;
    if (ordner.isEmpty())
        ordner = vorgabe.path();
    QDir().mkpath(ordner);

    // The main window's dock, fed by the logger as the updater sets it up, hidden.
    QMainWindow haupt;
    setze_hauptfenster(&haupt);
    auto* dock = new CDockLog(&haupt);
    haupt.addDockWidget(Qt::BottomDockWidgetArea, dock);
    auto* layout = new log4cpp::PatternLayout;
    layout->setConversionPattern("%m %n");
    auto* appender = new log4cpp::CLogInterfaceAppender("InterfaceAppender", dock);
    appender->setLayout(layout);
    log4cpp::Category::getRoot().setPriority(log4cpp::Priority::INFO);
    log4cpp::Category::getRoot().addAppender(appender);
    setze_qmelde_schalter(false);
    dock->hide();
    haupt.resize(1000, 700);
    haupt.show();

    QString ziel;
    setze_speichern_funktion([&ziel](QWidget*, const QString&, const QString&, const QString&, QFileDialog::Options) {
        return ziel;
    });
    drucke_in_pdf(ziel);
    int boxen = 0;
    setze_frage_funktion([&boxen](QWidget*, QMessageBox::Icon, const QString&, const QString& text, const QStringList&, int, int) {
        // "Die Ausgabe enthält ... Zeilen ! Wirklich drucken ?" is answered yes; any other box counts.
        if (!text.startsWith(QStringLiteral("Die Ausgabe enthält"))) {
            std::printf("box: %s\n", qPrintable(text));
            ++boxen;
        }
        return 0;
    });

    std::printf("%-7s %-14s %10s %10s %10s  %s\n", "window", "step", "time", "stall", "peak", "lines once in the file");
    CStockung stockung;
    QElapsedTimer uhr;
    // Time and stall are read as the step ends, before its file is read back.
    const auto zeile = [&](const char* fenster, const char* schritt, qint64 ms, qint64 stall, const QString& mehr) {
        std::printf("%-7s %-14s %7lld ms %7lld ms %6.0f MiB  %s\n", fenster, schritt, static_cast<long long>(ms),
                    static_cast<long long>(stall), spitze_mib(), qPrintable(mehr));
        std::fflush(stdout);
    };

    auto* job = new Jobfenster;
    job->resize(900, 600);
    job->show();
    stockung.beginne();
    uhr.start();
    job->starte_thread(new Installationsbericht(*job, zeilen));
    warte([job] { return !job->worker_laeuft(); }, 3600000);
    QTextDocument* const text = job->gib_textbereich()->document();
    warte([&] { return text->blockCount() >= zeilen; }, 600000);
    zeile("job", "shown", uhr.elapsed(), stockung.gib_laengste(), QStringLiteral("%1 lines").arg(text->blockCount()));

    bool ok = true;
    const auto schritt = [&](const char* fenster, const char* name, const QString& datei, const std::function<void()>& tun) {
        ziel = datei;
        setze_spitze_zurueck();
        stockung.beginne();
        uhr.restart();
        tun();
        const qint64 ms = uhr.elapsed();
        const qint64 stall = stockung.gib_laengste();
        const int einmal = zaehlen ? einmal_im_text(lies(datei), zeilen) : zeilen;
        zeile(fenster, name, ms, stall, zaehlen ? QStringLiteral("%1/%2").arg(einmal).arg(zeilen) : QString());
        ok = ok && einmal == zeilen;
    };
    schritt("job", "saved as text", ordner + QStringLiteral("/job.txt"), [job] { job->slot_saveAs(0); });
    schritt("job", "saved as HTML", ordner + QStringLiteral("/job.html"), [job] { job->slot_saveAs(1); });
    schritt("job", "saved as PDF", ordner + QStringLiteral("/job.pdf"), [job] { job->slot_saveAs(2); });
    schritt("job", "printed", ordner + QStringLiteral("/job-druck.pdf"), [job] { job->slot_print(); });
    schritt("dock", "saved", ordner + QStringLiteral("/dock.txt"), [dock] { dock->speichere(); });
    int druckart = 0;
    schritt("dock", "printed", ordner + QStringLiteral("/dock-druck.pdf"), [dock, &druckart] { dock->drucke(&druckart); });

    stockung.beginne();
    uhr.restart();
    delete job;
    zeile("job", "closed", uhr.elapsed(), stockung.gib_laengste(), QString());
    delete dock;
    setze_hauptfenster(nullptr);
    return ok && boxen == 0 ? 0 : 1;
}
