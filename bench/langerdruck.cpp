// Measures printing long protocols into a PDF file, and counts every line of a long log window and text report on paper.
//
// langerdruck [--zeilen N[,N...]] [--protokoll N] [--bericht N] [--ordner ORDNER]
//   lays out and prints documents of N lines each (default 10000,100000,1000000) on the print
//   road every protocol and text report takes (A4, a 1200 dpi PDF printer, the footer on each
//   page) into ORDNER (default a temporary folder), and prints for each the time, the time per
//   10,000 lines and the file size.
//   Then it prints as a user does, the print dialog choosing a PDF file: a log window of
//   --protokoll lines (default 500000), fed by a worker as a job feeds it, through the window's
//   print, and a text report of --bericht lines (default 400000, ended in CR LF) through the
//   report viewer's print. For each it reads the PDF back with pdftotext and prints the lines
//   found on paper, whether they are all there in order, the pages, and how many of them a count
//   of whole lines finds: pdftotext puts each page's form feed before the page's first line, so
//   such a count (grep -c '^Zeile') misses one line on every page after the first. 0 leaves a
//   road out. The exit code is 1 when a line is missing or out of order.
// Runs offscreen (QT_QPA_PLATFORM=offscreen).
#include "sanitizervorgaben.h"
#include "benchanwendung.h"
#include "ccdiaglog.h"
#include "cgbrowser.h"
#include "dialogseam.h"
#include "protokolldruck.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextDocument>
#include <cstdio>
#include <functional>

namespace {

// Reports its lines as a job does, every seventh as a warning (a coloured line).
class Protokollarbeiter : public CCThread
{
public:
    Protokollarbeiter(CCBaseLog& log, int zeilen) : log(log), zeilen(zeilen) {}

protected:
    void run() override
    {
        for (int i = 1; i <= zeilen; ++i)
            log.neue_textzeile(CQString(QStringLiteral("Zeile %1 des langen Protokolls").arg(i)), i % 7 ? 0 : 1);
    }

private:
    CCBaseLog& log;
    int zeilen;
};

class LangesProtokoll : public CCDiagLog
{
public:
    LangesProtokoll() : CCDiagLog(nullptr, CQString("Langes Protokoll")) {}
    ~LangesProtokoll() override { beende_worker(); }
    void thread_beendet() override {}
};

// The lines "Zeile <n> ..." that pdftotext finds in a PDF, page by page.
struct Zaehlung
{
    int gefunden = 0;
    bool in_folge = true;
    int seiten = 0;
    int ganze_zeilen = 0;
};

bool zaehle(const QString& pdf, int zeilen, Zaehlung& zaehlung)
{
    QProcess leser;
    leser.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    if (!leser.waitForFinished(-1) || leser.exitStatus() != QProcess::NormalExit || leser.exitCode() != 0) {
        std::fprintf(stderr, "langerdruck: pdftotext %s: %s\n", qPrintable(pdf), qPrintable(leser.errorString()));
        return false;
    }
    const QString text = QString::fromUtf8(leser.readAllStandardOutput());
    const QRegularExpression zeile(QStringLiteral("^Zeile (\\d+) "), QRegularExpression::MultilineOption);
    for (const QString& seite : text.split(QLatin1Char('\f'), Qt::SkipEmptyParts)) {
        ++zaehlung.seiten;
        for (auto treffer = zeile.globalMatch(seite); treffer.hasNext();)
            zaehlung.in_folge = treffer.next().captured(1).toInt() == ++zaehlung.gefunden && zaehlung.in_folge;
    }
    zaehlung.in_folge = zaehlung.in_folge && zaehlung.gefunden == zeilen;
    for (auto treffer = zeile.globalMatch(text); treffer.hasNext(); treffer.next())
        ++zaehlung.ganze_zeilen;
    return true;
}

// Prints through `drucke`, the print dialog answered with the PDF file `datei`, and counts the
// lines on paper; false when one is missing or out of order.
bool zaehle_druck(const char* weg, int zeilen, const QString& datei, const std::function<void()>& drucke)
{
    drucke_in_pdf(datei);
    QElapsedTimer uhr;
    uhr.start();
    drucke();
    const qint64 ms = uhr.elapsed();
    setze_drucker_funktion({});
    Zaehlung zaehlung;
    if (!zaehle(datei, zeilen, zaehlung))
        return false;
    std::printf("%-22s %10d %10lld %10d %10s %8d %14d\n", weg, zeilen, static_cast<long long>(ms), zaehlung.gefunden,
                zaehlung.in_folge ? "yes" : "NO", zaehlung.seiten, zaehlung.ganze_zeilen);
    std::fflush(stdout);
    return zaehlung.in_folge;
}

bool zaehle_protokoll(int zeilen, const QString& ordner)
{
    LangesProtokoll fenster;
    fenster.show();
    fenster.starte_thread(new Protokollarbeiter(fenster, zeilen));
    while (fenster.worker_laeuft())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return zaehle_druck("log window", zeilen, ordner + QStringLiteral("/protokoll.pdf"), [&] { fenster.drucke_fenster(); });
}

bool zaehle_bericht(int zeilen, const QString& ordner)
{
    const QString quelle = ordner + QStringLiteral("/bericht.txt");
    QFile datei(quelle);
    QByteArray text;
    for (int i = 1; i <= zeilen; ++i)
        text += "Zeile " + QByteArray::number(i) + " des Berichts\r\n";
    if (!datei.open(QIODevice::WriteOnly) || datei.write(text) != text.size() || !datei.flush()) {
        std::fprintf(stderr, "langerdruck: %s: %s\n", qPrintable(quelle), qPrintable(datei.errorString()));
        return false;
    }
    CGBrowser browser(nullptr, CQString("Bericht"), false);
    browser.resize(900, 700);
    browser.show();
    browser.setze_quelle(CQString(quelle));
    return zaehle_druck("text report", zeilen, ordner + QStringLiteral("/bericht.pdf"), [&] { browser.drucke(0); });
}

} // namespace

int main(int argc, char** argv)
{
    // The log window is fed by a worker thread.
    CBenchAnwendung anwendung(argc, argv);
    QStringList laengen{QStringLiteral("10000"), QStringLiteral("100000"), QStringLiteral("1000000")};
    int protokoll = 500000;
    int bericht = 400000;
    QString ordner;
    const QStringList argumente = QCoreApplication::arguments();
    for (int i = 1; i + 1 < argumente.size(); i += 2) {
        if (argumente[i] == QLatin1String("--zeilen"))
            laengen = argumente[i + 1].split(QLatin1Char(','));
        else if (argumente[i] == QLatin1String("--protokoll"))
            protokoll = argumente[i + 1].toInt();
        else if (argumente[i] == QLatin1String("--bericht"))
            bericht = argumente[i + 1].toInt();
        else if (argumente[i] == QLatin1String("--ordner"))
            ordner = argumente[i + 1];
    }
    QTemporaryDir vorgabe;
    if (ordner.isEmpty())
        ordner = vorgabe.path();

    std::printf("%10s %10s %16s %12s\n", "lines", "ms", "ms/10000 lines", "KiB");
    for (const QString& laenge : qAsConst(laengen)) {
        const int zeilen = laenge.toInt();
        if (zeilen <= 0)
            return 2;
        QString text;
        for (int i = 1; i <= zeilen; ++i)
            text += QStringLiteral("Zeile %1 des langen Protokolls\n").arg(i);
        QTextDocument dokument;
        dokument.setPlainText(text);
        const QString datei = ordner + QStringLiteral("/druck-%1.pdf").arg(zeilen);
        QPrinter drucker(QPrinter::HighResolution);
        drucker.setOutputFormat(QPrinter::PdfFormat);
        drucker.setOutputFileName(datei);
        QElapsedTimer uhr;
        uhr.start();
        if (!drucke_auf_drucker(&dokument, drucker, CQString("Langes Protokoll"), Druckeinrichtung()))
            return 1;
        const qint64 ms = uhr.elapsed();
        std::printf("%10d %10lld %16.1f %12.0f\n", zeilen, static_cast<long long>(ms), ms * 10000.0 / zeilen,
                    QFileInfo(datei).size() / 1024.0);
        std::fflush(stdout);
    }

    if (protokoll <= 0 && bericht <= 0)
        return 0;
    // "Die Ausgabe enthält ... Zeilen! Wirklich drucken?" is answered yes.
    setze_frage_funktion([](QWidget*, QMessageBox::Icon, const QString&, const QString&, const QStringList&, int, int) {
        return 0;
    });
    std::printf("\n%-22s %10s %10s %10s %10s %8s %14s\n", "printed", "lines", "ms", "on paper", "in order", "pages",
                "whole lines");
    bool ok = true;
    if (protokoll > 0)
        ok = zaehle_protokoll(protokoll, ordner) && ok;
    if (bericht > 0)
        ok = zaehle_bericht(bericht, ordner) && ok;
    return ok ? 0 : 1;
}
