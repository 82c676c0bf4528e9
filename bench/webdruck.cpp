// Measures the peak memory of printing a long web page: into a PDF file chosen in the print dialog, and as pictures onto a printer.
//
// webdruck [--seiten N] [--ordner ORDNER]
//   loads a page of about N printed pages (default 30) into the report browser's web view, has
//   the engine make its PDF data, then prints them twice onto a 1200 dpi printer: as the print
//   dialog's PDF file (the data taken as they are) and page by page as pictures (the road of a
//   real printer). For each road it prints the time, the pages, the file size and the highest
//   memory the process used meanwhile (its peak resident set, reset before each road).
// Runs on a display (xvfb-run) or offscreen; as root the engine needs QTWEBENGINE_DISABLE_SANDBOX=1.
#include "sanitizervorgaben.h"
#include "speicherspitze.h"
#include "anwendung.h"
#include "cgbrowserweb.h"
#include "cprinter.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QTimer>
#include <cstdio>

namespace {

template <typename Bedingung>
bool warte(Bedingung fertig, int ms = 120000)
{
    QElapsedTimer uhr;
    uhr.start();
    while (!fertig() && uhr.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return fertig();
}

void melde(const char* weg, qint64 ms, const QString& datei)
{
    std::printf("%-22s %8lld ms %6.0f MiB peak %8.1f KiB file\n", weg, static_cast<long long>(ms), spitze_mib(),
                QFileInfo(datei).size() / 1024.0);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("QT_QUICK_BACKEND", "software");
    }
    schalte_hochaufloesung_ein();
    QApplication anwendung(argc, argv);
    int seiten = 30;
    QString ordner = QDir::tempPath() + QStringLiteral("/webdruck");
    const QStringList argumente = QApplication::arguments().mid(1);
    for (int i = 0; i < argumente.size(); ++i) {
        if (argumente[i] == QLatin1String("--seiten") && i + 1 < argumente.size())
            seiten = argumente[++i].toInt();
        else if (argumente[i] == QLatin1String("--ordner") && i + 1 < argumente.size())
            ordner = argumente[++i];
        else {
            std::fprintf(stderr, "Aufruf: webdruck [--seiten N] [--ordner ORDNER]\n");
            return 2;
        }
    }
    QDir().mkpath(ordner);

    QString html = QStringLiteral("<html><body style=\"font-size:12pt\">");
    for (int i = 1; i <= seiten * 45; ++i)
        html += QStringLiteral("<p style=\"margin:0\">Zeile %1 eines langen Berichts mit Text</p>").arg(i);
    const QString quelle = ordner + QStringLiteral("/lang.html");
    QFile datei(quelle);
    if (!datei.open(QIODevice::WriteOnly) || datei.write((html + QStringLiteral("</body></html>")).toUtf8()) < 0)
        return 1;
    datei.close();

    CGBrowserWeb seite(nullptr);
    bool geladen = false;
    QObject::connect(&seite, &QWebEngineView::loadFinished, [&](bool ok) { geladen = ok; });
    seite.zeige_quelle(CQString(quelle));
    if (!warte([&] { return geladen; })) {
        std::fprintf(stderr, "webdruck: page not loaded\n");
        return 1;
    }
    QByteArray pdf;
    seite.page()->printToPdf([&](const QByteArray& daten) { pdf = daten.isEmpty() ? QByteArray("-") : daten; },
                             CGBrowserWeb::pdf_layout());
    if (!warte([&] { return !pdf.isEmpty(); }) || pdf == "-") {
        std::fprintf(stderr, "webdruck: no PDF data\n");
        return 1;
    }
    std::printf("page of %d lines, engine PDF %.1f KiB\n", seiten * 45, pdf.size() / 1024.0);

    bool ok = true;
    for (const bool als_datei : {true, false}) {
        CPrinter drucker(QPrinterInfo(), QPrinter::HighResolution);
        drucker.setOutputFormat(QPrinter::PdfFormat);
        const QString ziel = ordner + (als_datei ? QStringLiteral("/datei.pdf") : QStringLiteral("/bilder.pdf"));
        drucker.setOutputFileName(ziel);
        setze_spitze_zurueck();
        QElapsedTimer uhr;
        uhr.start();
        ok = (als_datei ? drucker.schreibe_pdf_datei(pdf) : drucker.drucke_pdf(pdf)) && ok;
        melde(als_datei ? "PDF file (data)" : "printer (pictures)", uhr.elapsed(), ziel);
    }
    return ok ? 0 : 1;
}
