// The framework's printer: its name, the PDF output file through the save dialog, and PDF data printed page by page, read back with the poppler tools.
#include "cprinter.h"
#include "dateigrenze.h"
#include "dialogseam.h"
#include "logmitschnitt.h"
#include "pdfpruefung.h"
#include "steuerdaten.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

namespace {

// Three A4 pages, solid red, green and blue.
QByteArray rgb_pdf()
{
    QBuffer puffer;
    puffer.open(QIODevice::WriteOnly);
    QPdfWriter schreiber(&puffer);
    schreiber.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter maler(&schreiber);
    for (const QColor& farbe : {QColor(Qt::red), QColor(Qt::green), QColor(Qt::blue)}) {
        if (farbe != Qt::red)
            schreiber.newPage();
        maler.fillRect(QRect(0, 0, schreiber.width(), schreiber.height()), farbe);
    }
    maler.end();
    return puffer.data();
}

// 'R', 'G', 'B' for a clear colour, '?' for anything else.
char farbe(const QColor& c)
{
    const int r = c.red() > 200 ? 1 : c.red() < 60 ? 0 : 9;
    const int g = c.green() > 200 ? 1 : c.green() < 60 ? 0 : 9;
    const int b = c.blue() > 200 ? 1 : c.blue() < 60 ? 0 : 9;
    return r + g + b != 1 ? '?' : r ? 'R' : g ? 'G' : 'B';
}

class Drucker : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        drucker.setOutputFormat(QPrinter::PdfFormat);
        drucker.setPageSize(QPageSize(QPageSize::A4));
        drucker.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        drucker.setOutputFileName(ausgabe());
        setze_speichern_funktion([this](QWidget*, const QString& titel, const QString& vorschlag, const QString&,
                                        QFileDialog::Options) {
            ++dialoge;
            this->titel = titel;
            this->vorschlag = vorschlag;
            return antwort;
        });
    }

    void TearDown() override
    {
        setze_speichern_funktion({});
    }

    QString ausgabe() const { return tmp.filePath(QStringLiteral("aus.pdf")); }

    // Prints the pages with that range, order and copies; the colours of the printed pages' centres.
    std::string drucke(int von, int bis, QPrinter::PageOrder reihenfolge, int kopien, bool sortiert)
    {
        drucker.setFromTo(von, bis);
        drucker.setPageOrder(reihenfolge);
        drucker.setCopyCount(kopien);
        drucker.setCollateCopies(sortiert);
        EXPECT_TRUE(drucker.drucke_pdf(rgb_pdf()));
        std::string farben;
        for (const QImage& bild : seitenbilder(ausgabe(), 20))
            farben += farbe(bild.pixelColor(bild.rect().center()));
        return farben;
    }

    std::string log() const { return mitschnitt.text(); }

    QTemporaryDir tmp;
    CPrinter drucker{QPrinterInfo(), QPrinter::ScreenResolution};
    LogMitschnitt mitschnitt;
    int dialoge = 0;
    QString titel;
    QString vorschlag;
    QString antwort;
};

} // namespace

TEST_F(Drucker, DrucktSeitenMitBereichReihenfolgeUndKopien)
{
    EXPECT_EQ(drucke(0, 0, QPrinter::FirstPageFirst, 1, false), "RGB");
    EXPECT_EQ(seitenzahl(ausgabe()), 3);
    EXPECT_EQ(drucke(2, 99, QPrinter::FirstPageFirst, 1, false), "GB");
    EXPECT_EQ(drucke(0, 0, QPrinter::LastPageFirst, 1, false), "BGR");
    EXPECT_EQ(drucke(0, 0, QPrinter::FirstPageFirst, 2, true), "RRGGBB");
    EXPECT_EQ(drucke(0, 0, QPrinter::FirstPageFirst, 2, false), "RGBRGB");
}

// Margins in points are read as millimetres would be: the page starts 20 mm from the edge, not 56.69.
TEST_F(Drucker, LinkerRandInPunktenBeginntBeiZwanzigMillimetern)
{
    drucker.setPageMargins(QMarginsF(56.6929, 0, 0, 0), QPageLayout::Point);
    ASSERT_TRUE(drucker.drucke_pdf(rgb_pdf()));
    const QVector<QImage> bilder = seitenbilder(ausgabe(), 72);
    ASSERT_EQ(bilder.size(), 3);
    int rot_ab = 0;
    while (rot_ab < bilder[0].width() && farbe(bilder[0].pixelColor(rot_ab, bilder[0].height() / 2)) != 'R')
        ++rot_ab;
    EXPECT_NEAR(rot_ab * 25.4 / 72, 20, 1);
}

TEST_F(Drucker, UnlesbareDatenUndFehlenderOrdnerSchreibenNichts)
{
    EXPECT_FALSE(drucker.drucke_pdf(QByteArray()));
    EXPECT_FALSE(drucker.drucke_pdf(QByteArray("kein PDF, nur Text")));
    QByteArray abgeschnitten = rgb_pdf();
    abgeschnitten.truncate(abgeschnitten.size() / 3);
    EXPECT_FALSE(drucker.drucke_pdf(abgeschnitten));
    EXPECT_FALSE(QFile::exists(ausgabe()));
    EXPECT_EQ(log().find("ERROR"), std::string::npos) << log();

    drucker.setze_pdf_datei(true);
    drucker.setOutputFileName(tmp.filePath(QStringLiteral("fehlt/aus.pdf")));
    EXPECT_FALSE(drucker.drucke_pdf(rgb_pdf()));
    EXPECT_NE(log().find("ERROR"), std::string::npos) << log();
    EXPECT_NE(log().find("Verbindung zu Drucker 'PDFDatei' fehlgeschlagen. Ist Ausgabedatei noch geöffnet?"),
              std::string::npos)
        << log();
}

// PDF data printed onto a printer whose PDF file cannot be written whole (the file-size limit
// stands in for a full disk): the old file keeps every byte, the print fails with a log line, and
// no temporary file is left.
TEST_F(Drucker, NichtGanzGeschriebeneAusgabeLaesstDieAlteDatei)
{
    const QByteArray alt = "%PDF-1.4 the old print\n";
    QFile datei(ausgabe());
    ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
    datei.write(alt);
    datei.close();
    const QByteArray daten = rgb_pdf();
    {
        const Dateigrenze grenze(2048);
        EXPECT_FALSE(drucker.drucke_pdf(daten));
    }
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
    EXPECT_EQ(datei.readAll(), alt);
    EXPECT_NE(log().find("ERROR"), std::string::npos) << log();
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("aus.pdf")});
}

TEST_F(Drucker, NameUndAusgabedateiUeberDenSpeicherdialog)
{
    // Without the PDF-file flag: no question, and the output file names the printer.
    EXPECT_TRUE(drucker.setze_pdf_ausgabedatei(nullptr));
    EXPECT_EQ(dialoge, 0);
    EXPECT_EQ(drucker.gib_druckername(), ausgabe());

    drucker.setze_pdf_datei(true);
    EXPECT_EQ(drucker.gib_druckername(), QStringLiteral("PDFDatei"));
    const QString gewaehlt = tmp.filePath(QStringLiteral("o/q.pdf"));
    antwort = gewaehlt;
    EXPECT_TRUE(drucker.setze_pdf_ausgabedatei(nullptr));
    EXPECT_EQ(dialoge, 1);
    EXPECT_EQ(titel, QStringLiteral("PDF Ausgabe"));
    EXPECT_EQ(drucker.outputFileName(), gewaehlt);
    EXPECT_EQ(gib_steuerwert(CQString("/Privat/Print/pdfausgabedatei"), false).toString(), gewaehlt);

    antwort.clear();
    EXPECT_FALSE(drucker.setze_pdf_ausgabedatei(nullptr));
    EXPECT_EQ(dialoge, 2);
    EXPECT_EQ(vorschlag, gewaehlt);
    EXPECT_EQ(drucker.outputFileName(), gewaehlt);
}
