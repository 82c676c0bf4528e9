#include "cprinter.h"
#include "ccat.h"
#include "cqstringsteuer.h"
#include "dateien.h"
#include "druckfolge.h"
#include "gui.h"
#include "pdfausgabe.h"
#include "steuerdaten.h"
#include "steuerzeichen.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPdfDocument>

namespace {

// The printer's texts, in the translation context "QObject" (a class of its own, so that lupdate
// sees the context too).
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(QObject)
};

const char* const schluessel_ausgabedatei = "/Privat/Print/pdfausgabedatei";

// The PDF output folder and last file of PDF-file printers; declared here once, registered while
// globals are built, so that the control data know the key before the first print job.
CQStringSteuer& pdf_ausgabedatei()
{
    static auto* variable =
        new CQStringSteuer(CQString(schluessel_ausgabedatei), CQString(), CQString(), false);
    return *variable;
}

const bool ausgabedatei_angelegt = (pdf_ausgabedatei(), true);

bool ist_gestoppt(const QPrinter& drucker)
{
    const QPrinter::PrinterState zustand = drucker.printerState();
    return zustand == QPrinter::Aborted || zustand == QPrinter::Error;
}

qreal in_pixel(qreal millimeter, int dpi)
{
    return millimeter / 25.4 * dpi;
}

// Where the pages go on the device, in device pixels: the paper less the margins, moved by the
// printer's own offsets when it reports no minimum margin at the left or the top. The layout may
// keep its margins in any unit (the platform's dialog leaves points): they are read in millimetres.
QRectF gib_zielrechteck(const QPrinter& drucker)
{
    QPageLayout layout = drucker.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    const QMarginsF rand = layout.margins();
    const QMarginsF minimum = layout.minimumMargins();
    const int dpi_x = drucker.logicalDpiX();
    const int dpi_y = drucker.logicalDpiY();
    const qreal links = in_pixel(rand.left(), dpi_x);
    const qreal rechts = in_pixel(rand.right(), dpi_x);
    const qreal oben = in_pixel(rand.top(), dpi_y);
    const qreal unten = in_pixel(rand.bottom(), dpi_y);

    QPointF versatz(0, 0);
    if (minimum.left() <= 0 || minimum.top() <= 0) {
        const QRectF seite = drucker.pageRect(QPrinter::DevicePixel);
        versatz = QPointF(in_pixel((rand.left() - minimum.left()) - seite.x() * 25.4 / dpi_x, dpi_x),
                          in_pixel((rand.top() - minimum.top()) - seite.y() * 25.4 / dpi_y, dpi_y));
    }
    const QSizeF papier = drucker.paperRect(QPrinter::DevicePixel).size();
    return QRectF(versatz, QSizeF(papier.width() - links - rechts, papier.height() - oben - unten));
}

// The finest raster a PDF page is drawn in for a printer.
constexpr qreal hoechste_bildaufloesung = 300;

} // namespace

CPrinter::CPrinter(const QPrinterInfo& info, QPrinter::PrinterMode modus) : QPrinter(info, modus) {}

CPrinter::~CPrinter() = default;

QString CPrinter::gib_druckername() const
{
    if (pdf_datei)
        return Text::tr("PDFDatei");
    const QString name = printerName();
    return name.isEmpty() ? outputFileName() : name;
}

bool CPrinter::setze_pdf_ausgabedatei(QWidget* eltern)
{
    if (!pdf_datei)
        return true;
    gib_steuerdaten(true);
    const CQString schluessel(schluessel_ausgabedatei);
    auto* const variable = dynamic_cast<CQStringSteuer*>(suche_steuervariable(schluessel));
    if (!variable) {
        CQCat::gib_instanz()->error(
            CQString(Text::tr("Interner Fehler: Steuervariable '%1' nicht definiert !!").arg(schluessel)));
        return false;
    }
    if (ausgabedatei.isEmpty())
        ausgabedatei = gib_steuerwert(schluessel, false).toString();

    const QString antwort = speichere_datei_dialog(eltern, *variable, Text::tr("PDF Ausgabe"), Text::tr("pdfdatei"),
                                                   QStringLiteral(".pdf"), Text::tr("PDF Ausgabe"), true, true);
    if (antwort.isEmpty())
        return false;
    ausgabedatei = antwort;
    setze_steuerwert(schluessel, CQString(antwort));
    setOutputFileName(antwort);
    return true;
}

bool CPrinter::schreibe_pdf_datei(const QByteArray& pdf)
{
    if (pdf.isEmpty() || outputFormat() != QPrinter::PdfFormat || outputFileName().isEmpty())
        return false;
    const QString fehler = schreibe_ganz(outputFileName(), pdf);
    if (!fehler.isEmpty())
        CQCat::gib_instanz()->error(CQString(maskiere_steuerzeichen(outputFileName()) + QStringLiteral(": ") + fehler));
    return fehler.isEmpty();
}

bool CPrinter::drucke_pdf(const QByteArray& pdf)
{
    if (pdf.isEmpty())
        return false;
    // Opened before anything is written: data that cannot be read leave no output behind.
    QBuffer quelle;
    quelle.setData(pdf);
    quelle.open(QIODevice::ReadOnly);
    QPdfDocument dokument;
    dokument.load(&quelle);
    if (dokument.status() != QPdfDocument::Ready || dokument.pageCount() < 1)
        return false;
    const QRectF ziel = gib_zielrechteck(*this);
    // A page drawn at a printer's full resolution is half a gigabyte at 1200 dpi; at 300 dpi it
    // is a sixteenth of that and still finer than the engine's own raster.
    const qreal aufloesung = qMax(logicalDpiX(), logicalDpiY());
    const qreal verkleinerung = aufloesung > hoechste_bildaufloesung ? hoechste_bildaufloesung / aufloesung : 1.0;
    const QSize bildgroesse = (ziel.size() * verkleinerung).toSize();
    if (bildgroesse.isEmpty())
        return false;
    const QVector<int> folge = gib_druckfolge(*this, dokument.pageCount());
    if (folge.isEmpty())
        return false;

    // A PDF file is written beside its target: the old file stays until the new one is whole.
    CPdfAusgabe ausgabe(*this);
    QPainter maler;
    if (!maler.begin(this)) {
        (void)ausgabe.beende(false);
        CQCat::gib_instanz()->error(
            CQString(Text::tr("Verbindung zu Drucker '%1' fehlgeschlagen. Ist Ausgabedatei noch geöffnet?")
                         .arg(gib_druckername())));
        return false;
    }
    bool gedruckt = true;
    int gezeigt = 0;
    QImage bild;
    for (int i = 0; i < folge.size() && gedruckt; ++i) {
        if (ist_gestoppt(*this)) {
            gedruckt = false;
            break;
        }
        // A copy of the page just drawn needs no second rendering.
        if (folge.at(i) != gezeigt) {
            gezeigt = folge.at(i);
            bild = dokument.render(gezeigt - 1, bildgroesse);
        }
        if (bild.isNull()) {
            gedruckt = false;
            break;
        }
        if (i > 0)
            newPage();
        maler.drawImage(ziel, bild, QRectF(bild.rect()));
    }
    const bool beendet = maler.end();
    const QString fehler = ausgabe.beende(beendet && printerState() != QPrinter::Error);
    if (!fehler.isEmpty())
        CQCat::gib_instanz()->error(CQString(fehler));
    return gedruckt && beendet && printerState() != QPrinter::Error && fehler.isEmpty();
}
