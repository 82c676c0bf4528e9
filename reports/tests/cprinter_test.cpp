// The framework's printer: its name, the PDF output file through the save dialog, and PDF data printed page by page, read back with the poppler tools.
#include "cprinter.h"
#include "cqstringsteuer.h"
#include "dialogseam.h"
#include "logmitschnitt.h"
#include "pdfpruefung.h"
#include "steuerdaten.h"
#include "steuervarliste.h"

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
    {
        QPdfWriter schreiber(&puffer);
        schreiber.setPageSize(QPageSize(QPageSize::A4));
        schreiber.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter maler(&schreiber);
        const QRect alles(0, 0, schreiber.width(), schreiber.height());
        maler.fillRect(alles, Qt::red);
        schreiber.newPage();
        maler.fillRect(alles, Qt::green);
        schreiber.newPage();
        maler.fillRect(alles, Qt::blue);
    }
    return puffer.data();
}

// 'R', 'G', 'B' for a clear colour, '?' for anything else.
char farbe(const QColor& c)
{
    if (c.red() > 200 && c.green() < 60 && c.blue() < 60)
        return 'R';
    if (c.green() > 200 && c.red() < 60 && c.blue() < 60)
        return 'G';
    if (c.blue() > 200 && c.red() < 60 && c.green() < 60)
        return 'B';
    return '?';
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

    // The colours of the printed pages' centres.
    std::string seitenfarben(const QString& unterordner)
    {
        EXPECT_TRUE(QDir(tmp.path()).mkpath(unterordner));
        std::string farben;
        for (const QImage& bild : seitenbilder(ausgabe(), 20, tmp.filePath(unterordner)))
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

TEST_F(Drucker, NameNachPdfMerkerDruckernameOderAusgabedatei)
{
    EXPECT_FALSE(drucker.ist_default());
    EXPECT_FALSE(drucker.ist_pdf_datei());
    EXPECT_FALSE(drucker.mit_druckerversatz());
    EXPECT_EQ(drucker.gib_druckername(), ausgabe());
    drucker.setze_pdf_datei(true);
    EXPECT_EQ(drucker.gib_druckername(), QStringLiteral("PDFDatei"));
}

TEST_F(Drucker, DrucktSeitenMitBereichReihenfolgeUndKopien)
{
    const QByteArray pdf = rgb_pdf();
    ASSERT_TRUE(drucker.drucke_pdf(pdf));
    EXPECT_EQ(seitenzahl(ausgabe()), 3);
    EXPECT_EQ(seitenfarben("alle"), "RGB");

    drucker.setFromTo(2, 99);
    ASSERT_TRUE(drucker.drucke_pdf(pdf));
    EXPECT_EQ(seitenfarben("bereich"), "GB");

    drucker.setFromTo(0, 0);
    drucker.setPageOrder(QPrinter::LastPageFirst);
    ASSERT_TRUE(drucker.drucke_pdf(pdf));
    EXPECT_EQ(seitenfarben("rueckwaerts"), "BGR");

    drucker.setPageOrder(QPrinter::FirstPageFirst);
    drucker.setCopyCount(2);
    drucker.setCollateCopies(true);
    ASSERT_TRUE(drucker.drucke_pdf(pdf));
    EXPECT_EQ(seitenfarben("sortiert"), "RRGGBB");
    drucker.setCollateCopies(false);
    ASSERT_TRUE(drucker.drucke_pdf(pdf));
    EXPECT_EQ(seitenfarben("ungeordnet"), "RGBRGB");
}

// Margins in points are read as millimetres would be: the page starts 20 mm from the edge, not 56.69.
TEST_F(Drucker, LinkerRandInPunktenBeginntBeiZwanzigMillimetern)
{
    drucker.setPageMargins(QMarginsF(56.6929, 0, 0, 0), QPageLayout::Point);
    ASSERT_TRUE(drucker.drucke_pdf(rgb_pdf()));
    const QVector<QImage> bilder = seitenbilder(ausgabe(), 72, tmp.path());
    ASSERT_EQ(bilder.size(), 3);
    const QImage& erste = bilder.first();
    const int mitte = erste.height() / 2;
    int rot_ab = -1;
    for (int x = 0; x < erste.width() && rot_ab < 0; ++x) {
        if (farbe(erste.pixelColor(x, mitte)) == 'R')
            rot_ab = x;
    }
    const double millimeter = rot_ab * 25.4 / 72;
    EXPECT_NEAR(millimeter, 20, 1);
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

TEST_F(Drucker, AusgabedateiUeberDenSpeicherdialog)
{
    // Registered once, as a text variable the save dialog can keep.
    EXPECT_EQ(gib_steuervar_liste()->count("/Privat/Print/pdfausgabedatei"), 1u);
    EXPECT_NE(dynamic_cast<CQStringSteuer*>(suche_steuervariable(CQString("/Privat/Print/pdfausgabedatei"))),
              nullptr);

    EXPECT_TRUE(drucker.setze_pdf_ausgabedatei(nullptr));
    EXPECT_EQ(dialoge, 0);

    drucker.setze_pdf_datei(true);
    const QString gewaehlt = tmp.filePath(QStringLiteral("o/q.pdf"));
    antwort = gewaehlt;
    EXPECT_TRUE(drucker.setze_pdf_ausgabedatei(nullptr));
    EXPECT_EQ(dialoge, 1);
    EXPECT_EQ(titel, QStringLiteral("PDF Ausgabe"));
    EXPECT_EQ(drucker.outputFileName(), gewaehlt);
    EXPECT_EQ(drucker.gib_ausgabedatei(), gewaehlt);
    EXPECT_EQ(gib_steuerwert(CQString("/Privat/Print/pdfausgabedatei"), false).toString(), gewaehlt);

    antwort.clear();
    EXPECT_FALSE(drucker.setze_pdf_ausgabedatei(nullptr));
    EXPECT_EQ(dialoge, 2);
    EXPECT_EQ(vorschlag, gewaehlt);
    EXPECT_EQ(drucker.outputFileName(), gewaehlt);
}
