// Measures large reports in the report viewer's text page: showing, select all and copy, a new width, saving as PDF and printing, each with its time, the GUI thread's longest stall, the peak memory, and every line, row and picture counted in the copy and the PDF.
//
// grosserbericht [--berichte pre,bilder,tabellen,riesig,kopf] [--ordner ORDNER] [--ohne-zaehlung] [--layout SEKUNDEN]
//   writes each report into ORDNER (default a temporary folder) and opens it in the viewer's
//   one-page form (800 x 600): "pre" 200,000 lines in a "<pre>" block (about 9 MB), "bilder" a
//   table of 3,000 rows of four columns with a picture in each row, "tabellen" 600 small tables
//   of 20 cells, "riesig" one table of 524,288 rows (31 MiB), "kopf" (not by default) a whole
//   HTML document with a style sheet around a table of 100,000 rows under a heading row (7.4
//   MiB): its copy is counted as tables in the clipboard's HTML and empty lines in its text, and
//   its print as the sheets that show the heading. A 10 ms timer on the GUI thread
//   measures the longest time between its ticks while each step runs: the page shown, all of it
//   selected (Ctrl+A) and copied (Ctrl+C) at once, the copy in the clipboard, laid out to its end,
//   a narrower and then a wider width while it shows its middle, saved as PDF, printed into a PDF
//   file. The rows are counted in the clipboard's text; pdftotext and pdfimages count the rows and
//   pictures in both PDFs.
// Runs offscreen (QT_QPA_PLATFORM=offscreen).
#include "sanitizervorgaben.h"
#include "benchanwendung.h"
#include "speicherspitze.h"
#include "stockung.h"
#include "cgbrowser.h"
#include "cgbrowserex.h"
#include "dialogseam.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QMimeData>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

namespace {

struct Bericht
{
    QString name;
    QByteArray html;
    // Every row carries "Z" and its number; the rows and pictures the PDF must hold.
    int zeilen = 0;
    int bilder = 0;
};

QByteArray nummer(int i)
{
    return QByteArray::number(i).rightJustified(6, '0');
}

Bericht bericht(const QString& art, const QString& ordner)
{
    Bericht b{art, {}, 0, 0};
    if (art == QLatin1String("pre")) {
        b.zeilen = 200000;
        b.html = "<html><body><pre>\n";
        for (int i = 0; i < b.zeilen; ++i)
            b.html += "Z" + nummer(i) + " Kunde Ort Betrag 123,45 EUR offen\n";
        b.html += "</pre></body></html>\n";
    } else if (art == QLatin1String("bilder")) {
        for (int i = 0; i < 30; ++i) {
            QImage bild(48, 32, QImage::Format_RGB32);
            bild.fill(QColor::fromHsv(i * 12, 200, 220));
            bild.save(ordner + QStringLiteral("/bild%1.png").arg(i));
        }
        b.zeilen = b.bilder = 3000;
        b.html = "<html><body><table border=1 cellspacing=0>\n";
        for (int i = 0; i < b.zeilen; ++i)
            b.html += "<tr><td>Kunde " + QByteArray::number(i % 97) + "</td><td><img src=\"bild" + QByteArray::number(i % 30) +
                      ".png\"></td><td>12,34 EUR</td><td>Z" + nummer(i) + "</td></tr>\n";
        b.html += "</table></body></html>\n";
    } else if (art == QLatin1String("tabellen")) {
        b.zeilen = 600;
        b.html = "<html><body>\n";
        for (int t = 0; t < b.zeilen; ++t) {
            b.html += "<p>Z" + nummer(t) + "</p><table border=1>";
            for (int r = 0; r < 5; ++r)
                b.html += "<tr><td>a</td><td>b c</td><td>d</td><td>1,23</td></tr>";
            b.html += "</table>\n";
        }
        b.html += "</body></html>\n";
    } else if (art == QLatin1String("kopf")) {
        b.zeilen = 100000;
        b.html = "<html><head><style>td{padding:2px}</style></head><body><h1>Bericht</h1><div><table border=1>"
                 "<thead><tr><th>Kopf A</th><th>Kopf B</th><th>Kopf C</th></tr></thead><tbody>\n";
        for (int i = 0; i < b.zeilen; ++i)
            b.html += "<tr><td>Z" + nummer(i) + "</td><td>Kunde Ort Betrag offen</td><td>12.345,67 EUR</td></tr>\n";
        b.html += "</tbody></table></div></body></html>\n";
    } else if (art == QLatin1String("riesig")) {
        b.zeilen = 524288;
        b.html = "<table>\n";
        for (int i = 0; i < b.zeilen; ++i)
            b.html += "<tr><td>Z" + nummer(i) + "</td><td>Betrag 12.345,67 EUR offen</td></tr>\n";
        b.html += "</table>\n";
    }
    return b;
}

// How many of the rows "Z<number>" the text holds once each.
int einmal_im_text(const QString& text, const Bericht& b)
{
    QVector<int> gesehen(b.zeilen, 0);
    const QRegularExpression zeile(QStringLiteral("Z(\\d{6})"));
    for (auto treffer = zeile.globalMatch(text); treffer.hasNext();) {
        const int n = treffer.next().captured(1).toInt();
        if (n < b.zeilen)
            ++gesehen[n];
    }
    return static_cast<int>(std::count(gesehen.begin(), gesehen.end(), 1));
}

// How many of the rows "Z<number>" the PDF holds once each, and how many pictures.
QString zaehle(const QString& pdf, const Bericht& b)
{
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    text.waitForFinished(-1);
    const int einmal = einmal_im_text(QString::fromUtf8(text.readAllStandardOutput()), b);
    QProcess bilder;
    bilder.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    bilder.waitForFinished(-1);
    const int bildzahl = qMax(0, QString::fromUtf8(bilder.readAllStandardOutput()).count(QLatin1Char('\n')) - 2);
    return QStringLiteral("%1/%2 rows, %3/%4 pictures").arg(einmal).arg(b.zeilen).arg(bildzahl).arg(b.bilder);
}

void zeile(const QString& bericht, const char* schritt, qint64 ms, const CStockung& stockung, const QString& mehr = {})
{
    std::printf("%-9s %-14s %9lld ms %7lld ms %8.0f MiB  %s\n", qPrintable(bericht), schritt, static_cast<long long>(ms),
                static_cast<long long>(stockung.laengste), spitze_mib(), qPrintable(mehr));
    std::fflush(stdout);
}

bool ganz_gelegt(CGBrowserEx* seite)
{
    QTextDocument* const dokument = seite->document();
    const QTextBlock letzter = dokument->lastBlock();
    return !seite->laedt() && letzter.layout() && letzter.layout()->lineCount() > 0
           && !dokument->documentLayout()->blockBoundingRect(letzter).isNull();
}

} // namespace

int main(int argc, char** argv)
{
    // The report is read beside the window.
    CBenchAnwendung anwendung(argc, argv);
    QStringList arten{QStringLiteral("pre"), QStringLiteral("bilder"), QStringLiteral("tabellen"), QStringLiteral("riesig")};
    QString ordner;
    bool zaehlen = true;
    // How long the page's layout to its end is waited for: the window answers meanwhile, and the
    // save and print read the file, not the page.
    qint64 layout_ms = 600000;
    const QStringList argumente = QCoreApplication::arguments();
    for (int i = 1; i < argumente.size(); ++i) {
        if (argumente[i] == QLatin1String("--berichte") && i + 1 < argumente.size())
            arten = argumente[++i].split(QLatin1Char(','));
        else if (argumente[i] == QLatin1String("--ordner") && i + 1 < argumente.size())
            ordner = argumente[++i];
        else if (argumente[i] == QLatin1String("--ohne-zaehlung"))
            zaehlen = false;
        else if (argumente[i] == QLatin1String("--layout") && i + 1 < argumente.size())
            layout_ms = argumente[++i].toLongLong() * 1000;
    }
    QTemporaryDir vorgabe;
    if (ordner.isEmpty())
        ordner = vorgabe.path();
    QDir().mkpath(ordner);
    QString druckdatei;
    drucke_in_pdf(druckdatei);
    int boxen = 0;
    setze_frage_funktion([&boxen](QWidget*, QMessageBox::Icon, const QString&, const QString& text, const QStringList&,
                                  int, int abbruch) {
        std::printf("box: %s\n", qPrintable(text));
        ++boxen;
        return abbruch;
    });

    std::printf("%-9s %-14s %12s %10s %12s\n", "report", "step", "time", "stall", "peak");
    CStockung stockung;
    for (const QString& art : qAsConst(arten)) {
        const Bericht b = bericht(art, ordner);
        if (b.html.isEmpty())
            return 2;
        const QString datei = ordner + QLatin1Char('/') + art + QStringLiteral(".html");
        QFile ausgabe(datei);
        if (!ausgabe.open(QIODevice::WriteOnly) || ausgabe.write(b.html) != b.html.size())
            return 1;
        ausgabe.close();

        auto browser = std::make_unique<CGBrowser>(nullptr, CQString("b"), false);
        CGBrowserEx* const seite = browser->gib_textseite1();
        browser->resize(800, 600);
        browser->show();
        QElapsedTimer uhr;
        setze_spitze_zurueck();
        stockung.beginne();
        uhr.start();
        browser->setze_quelle(CQString(datei));
        warte([seite] { return !seite->laedt(); }, 3600000);
        zeile(art, "shown", uhr.elapsed(), stockung, QStringLiteral("%1 KiB").arg(QFileInfo(datei).size() / 1024));

        // Select all and copy while it is still being laid out; the clipboard gets the copy later.
        QClipboard* const ablage = QApplication::clipboard();
        ablage->clear();
        for (const auto& [taste, schritt] : {std::pair(Qt::Key_A, "select all"), std::pair(Qt::Key_C, "copy")}) {
            stockung.beginne();
            uhr.restart();
            QKeyEvent druck(QEvent::KeyPress, taste, Qt::ControlModifier);
            QApplication::sendEvent(seite, &druck);
            zeile(art, schritt, uhr.elapsed(), stockung);
        }
        warte([ablage] { return ablage->mimeData() && ablage->mimeData()->hasText(); }, 3600000);
        zeile(art, "copied", uhr.elapsed(), stockung,
              zaehlen ? QStringLiteral("%1/%2 rows, %3 tables, %4 empty lines")
                            .arg(einmal_im_text(ablage->text(), b))
                            .arg(b.zeilen)
                            .arg(ablage->mimeData()->html().count(QLatin1String("<table")))
                            .arg(ablage->text().count(QLatin1String("\n\n")))
                      : QString());
        ablage->clear();
        stockung.beginne();
        uhr.restart();
        const bool gelegt = warte([seite] { return ganz_gelegt(seite); }, layout_ms);
        zeile(art, "laid out", uhr.elapsed(), stockung, gelegt ? QString() : QStringLiteral("NOT to its end yet"));

        QScrollBar* const leiste = seite->verticalScrollBar();
        warte([leiste] { return leiste->maximum() > 0; }, 1000);
        leiste->setValue(leiste->maximum() / 2);
        const int oben = seite->cursorForPosition(QPoint(20, 5)).position();
        stockung.beginne();
        uhr.restart();
        browser->resize(700, 600);
        // Back at the line it showed at its top.
        const auto zurueck = [seite, oben] { return qAbs(seite->cursorForPosition(QPoint(20, 5)).position() - oben) < 200; };
        warte([seite, &zurueck, gelegt] { return (!gelegt || ganz_gelegt(seite)) && zurueck(); }, layout_ms);
        zeile(art, "new width", uhr.elapsed(), stockung, zurueck() ? QStringLiteral("back in place") : QStringLiteral("NOT back"));
        // Wider than the columns were measured for: they are measured anew.
        stockung.beginne();
        uhr.restart();
        browser->resize(1000, 600);
        warte([seite, &zurueck, gelegt] { return (!gelegt || ganz_gelegt(seite)) && zurueck(); }, layout_ms);
        zeile(art, "wider", uhr.elapsed(), stockung, zurueck() ? QStringLiteral("back in place") : QStringLiteral("NOT back"));

        const QString pdf = ordner + QLatin1Char('/') + art + QStringLiteral(".pdf");
        browser->speicherziel = CQString(pdf);
        setze_spitze_zurueck();
        stockung.beginne();
        uhr.restart();
        browser->speichern_unter(2, false);
        zeile(art, "saved as PDF", uhr.elapsed(), stockung, zaehlen ? zaehle(pdf, b) : QString());

        druckdatei = ordner + QLatin1Char('/') + art + QStringLiteral("-druck.pdf");
        setze_spitze_zurueck();
        stockung.beginne();
        uhr.restart();
        browser->drucke(0);
        zeile(art, "printed", uhr.elapsed(), stockung, zaehlen ? zaehle(druckdatei, b) : QString());
        if (zaehlen && art == QLatin1String("kopf")) {
            QProcess text;
            text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), druckdatei, QStringLiteral("-")});
            text.waitForFinished(-1);
            QStringList blaetter = QString::fromUtf8(text.readAllStandardOutput()).split(QLatin1Char('\f'));
            while (!blaetter.isEmpty() && blaetter.last().trimmed().isEmpty())
                blaetter.removeLast();
            std::printf("%-9s %d/%d sheets with the heading\n", qPrintable(art), blaetter.filter(QStringLiteral("Kopf A")).size(),
                        static_cast<int>(blaetter.size()));
        }

        stockung.beginne();
        uhr.restart();
        browser.reset();
        zeile(art, "closed", uhr.elapsed(), stockung);
    }
    return boxen == 0 ? 0 : 1;
}
