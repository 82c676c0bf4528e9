// The printer assignment: its messages, table and list, the test print and the protocol print road through it, on PDF printers read back with the PDF tools.
#include "camisc.h"
#include "cseiteeinrichtenwidget.h"
#include "dateigrenze.h"
#include "dialogseam.h"
#include "protokolldruck.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPageLayout>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>
#include <gtest/gtest.h>
#include <log4cpp/Category.hh>
#include <log4cpp/StringQueueAppender.hh>

namespace {

// Answers the seams' dialogs as a user would, records the boxes, and captures the log.
class Zuordnung : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        setze_frage_funktion([this](QWidget*, QMessageBox::Icon, const QString& titel, const QString& text,
                                    const QStringList& knoepfe, int, int abbruch) {
            boxen << titel + QLatin1Char('|') + text + QLatin1Char('|') + knoepfe.join(QLatin1Char(','));
            return abbruch;
        });
        // The print dialog: the user picks printing to a file, three copies.
        setze_drucker_funktion([this](QWidget*, QPrinter& drucker) {
            drucker.setOutputFormat(QPrinter::PdfFormat);
            drucker.setOutputFileName(pfad("z.pdf"));
            drucker.setCopyCount(3);
            return true;
        });
        // Asked for the output file of a PDF-file printer.
        setze_speichern_funktion([this](QWidget*, const QString&, const QString&, const QString&,
                                        QFileDialog::Options) { return ausgabe; });
        log4cpp::Category::getRoot().addAppender(mitschnitt);
        log4cpp::Category::getRoot().setPriority(log4cpp::Priority::DEBUG);
    }

    void TearDown() override
    {
        log4cpp::Category::getRoot().removeAppender(mitschnitt);
        setze_speichern_funktion({});
        setze_drucker_funktion({});
        setze_frage_funktion({});
    }

    QString pfad(const char* name) const { return tmp.filePath(QLatin1String(name)); }

    bool geloggt(const char* prioritaet, const QString& text) const
    {
        bool gefunden = false;
        for (auto zeilen = mitschnitt->getQueue(); !zeilen.empty(); zeilen.pop()) {
            const QString zeile = QString::fromStdString(zeilen.front());
            gefunden |= zeile.contains(QLatin1String(prioritaet)) && zeile.contains(text);
        }
        return gefunden;
    }

    // The PDF-file printer with A4 portrait, margins 20 mm and its output file.
    CPrinter* pdf_drucker(const char* datei)
    {
        CPrinter* drucker = zuordnung.fuege_pdf_drucker_hinzu();
        drucker->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 20, 20, 20),
                                           QPageLayout::Millimeter));
        ausgabe = pfad(datei);
        drucker->setze_ausgabedatei(ausgabe);
        return drucker;
    }

    QStringList zeile(int nummer) const
    {
        QStringList zellen;
        for (int spalte = 0; spalte < 8; ++spalte)
            zellen << tabelle->zellDaten(nummer, spalte).toString();
        return zellen;
    }

    // Selects the printer's row as a click would.
    void waehle(const QString& name)
    {
        for (int nummer = 0; nummer < tabelle->gibModell()->rowCount(); ++nummer)
            if (tabelle->zellDaten(nummer, 0).toString() == name)
                tabelle->selectRow(nummer);
    }

    void klicke(const char* knopf) { zuordnung.findChild<QPushButton*>(QLatin1String(knopf))->click(); }

    QTemporaryDir tmp;
    CSeiteEinrichtenWidget zuordnung;
    CQTableView* tabelle = zuordnung.findChild<CQTableView*>(QStringLiteral("tabelle"));
    QLabel* meldung = zuordnung.findChild<QLabel*>(QStringLiteral("meldung"));
    QStringList boxen;
    QString ausgabe;
    log4cpp::StringQueueAppender* mitschnitt = new log4cpp::StringQueueAppender("mitschnitt");
};

QString mit_titel(const char* text)
{
    return QString::fromUtf8(text).arg(QStringLiteral("???"));
}

// The next modal dialog is answered as soon as it shows; `gezeigt` tells whether one did.
void beantworte_naechsten_dialog(bool annehmen, bool* gezeigt)
{
    QTimer::singleShot(0, [annehmen, gezeigt] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        *gezeigt = dialog != nullptr;
        if (dialog)
            dialog->done(annehmen ? QDialog::Accepted : QDialog::Rejected);
    });
}

// A missing tool fails the test: the output could not be checked.
QString pdf_text(const QString& pdf)
{
    QProcess prozess;
    prozess.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    EXPECT_TRUE(prozess.waitForFinished(60000) && prozess.exitCode() == 0) << "pdftotext did not run";
    return QString::fromUtf8(prozess.readAllStandardOutput());
}

} // namespace

TEST_F(Zuordnung, TabelleBeschreibungUndStandardFolgenDerAuswahl)
{
    CPrinter* pdf = pdf_drucker("o.pdf");
    // From the print dialog only the identity of the printer is taken: its file.
    bool seite_gezeigt = false; // the page layout that follows is cancelled
    beantworte_naechsten_dialog(false, &seite_gezeigt);
    klicke("druckerHinzu");
    ASSERT_EQ(zuordnung.gib_druckerliste().size(), 2);
    CPrinter* zweiter = zuordnung.gib_druckerliste().at(1);
    EXPECT_EQ(zweiter->gib_druckername(), pfad("z.pdf"));
    EXPECT_EQ(zweiter->copyCount(), 1);
    // The platform's page dialog leaves points; the table and description show millimetres.
    zweiter->setPageMargins(QMarginsF(26.93, 56.69, 56.69, 56.69), QPageLayout::Point);
    zuordnung.zeige_druckertabelle();

    waehle(pfad("z.pdf"));
    zuordnung.slot_setzeDefault();
    waehle(QStringLiteral("PDFDatei"));
    zuordnung.slot_setzeDefault();
    CQString text;
    EXPECT_EQ(zuordnung.gib_standarddrucker(text, false), pdf);
    EXPECT_FALSE(zweiter->ist_default());
    QString beschreibung;
    zuordnung.gib_druckerbeschreibung(beschreibung, nullptr, true);
    EXPECT_EQ(beschreibung, QStringLiteral("Drucker: 'PDFDatei' A4, Hochformat, Margins(Links: 20 Rechts: 20 Oben: 20 "
                                           "Unten: 20) Ausgabedatei: %1")
                                .arg(pfad("o.pdf")));
    EXPECT_EQ(zeile(0), (QStringList{"PDFDatei", "Default", "A4", "Hochformat", "20", "20", "20", "20"}));
    EXPECT_EQ(zeile(1), (QStringList{pfad("z.pdf"), "", "A4", "Hochformat", "9.5", "20", "20", "20"}));
    tabelle->sortByColumn(4, Qt::AscendingOrder);
    EXPECT_EQ(zeile(0).at(0), pfad("z.pdf"));

    waehle(QStringLiteral("PDFDatei"));
    zuordnung.slot_deletePrinter();
    ASSERT_EQ(zuordnung.gib_druckerliste(), QList<CPrinter*>{zweiter});
    EXPECT_EQ(zuordnung.gib_standarddrucker(text, true), nullptr);
    EXPECT_EQ(zeile(0).at(1), QString());
    EXPECT_TRUE(meldung->isVisibleTo(&zuordnung));
}

TEST_F(Zuordnung, MeldungenOhneDruckerOderStandardJederNameEinmalHoechstensZwanzig)
{
    CQString text;
    EXPECT_EQ(zuordnung.gib_standarddrucker(text, false), nullptr);
    EXPECT_EQ(text, mit_titel("Es sind keine %1-Drucker zugeordnet.\nSiehe %1 Datei->Seite einrichten"));
    QString beschreibung;
    zuordnung.gib_druckerbeschreibung(beschreibung, nullptr, false);
    EXPECT_EQ(beschreibung, QStringLiteral("? kein Drucker zugeordnet ?"));
    EXPECT_EQ(zuordnung.gib_testdrucker(text), nullptr);
    EXPECT_EQ(text, QStringLiteral("Testdrucker nicht zugeordnet zugeordnet."));

    CPrinter* pdf = zuordnung.fuege_pdf_drucker_hinzu();
    // A second one of the same display name is the listed one.
    EXPECT_EQ(zuordnung.fuege_pdf_drucker_hinzu(), pdf);
    EXPECT_EQ(zuordnung.gib_druckerliste().size(), 1);
    EXPECT_EQ(zuordnung.gib_standarddrucker(text, true), nullptr);
    EXPECT_EQ(text, mit_titel("Es ist kein %1-Drucker als Standarddrucker zugeordnet."));
    EXPECT_EQ(meldung->text(), text);

    for (int i = 1; i < CSeiteEinrichtenWidget::hoechstzahl; ++i) {
        auto* datei = new CPrinter(QPrinterInfo(), QPrinter::ScreenResolution);
        datei->setOutputFormat(QPrinter::PdfFormat);
        datei->setOutputFileName(pfad("d") + QString::number(i));
        ASSERT_EQ(zuordnung.uebernimm_drucker(datei), nullptr);
    }
    // The 21st is refused before the print dialog, which would add one.
    klicke("druckerHinzu");
    EXPECT_EQ(boxen, QStringList{QStringLiteral("Drucker zuordnen|Es sind maximal 20 Drucker zulässig!|Ok")});
    EXPECT_EQ(zuordnung.gib_druckerliste().size(), 20);
}

TEST_F(Zuordnung, TestseiteDrucktDieBeschreibungUndEndetDanach)
{
    pdf_drucker("t.pdf");
    klicke("testseite");
    EXPECT_TRUE(pdf_text(pfad("t.pdf")).contains(QStringLiteral("Drucker: 'PDFDatei'")));
    EXPECT_TRUE(geloggt("INFO", QStringLiteral("Testdruck auf Drucker 'PDFDatei' erfolgt")));
    CQString text;
    EXPECT_EQ(zuordnung.gib_testdrucker(text), nullptr);

    // An output file that cannot be written: reported, no file, and the test print is over.
    pdf_drucker("fehlt/t.pdf");
    zuordnung.slot_druckeTestseite();
    EXPECT_FALSE(QFile::exists(pfad("fehlt/t.pdf")));
    ASSERT_EQ(boxen.size(), 1);
    EXPECT_TRUE(boxen[0].startsWith(QStringLiteral("???|Testdruck auf Drucker 'PDFDatei' fehlgeschlagen. "))) << qPrintable(boxen[0]);
    EXPECT_EQ(zuordnung.gib_testdrucker(text), nullptr);

    // A file that cannot be written whole (the file-size limit stands in for a full disk) over
    // the earlier one: the earlier one keeps every byte, and the test print failed.
    QFile frueher(pfad("t.pdf"));
    ASSERT_TRUE(frueher.open(QIODevice::ReadOnly));
    const QByteArray alt = frueher.readAll();
    frueher.close();
    pdf_drucker("t.pdf");
    {
        const Dateigrenze grenze(1024);
        zuordnung.slot_druckeTestseite();
    }
    ASSERT_TRUE(frueher.open(QIODevice::ReadOnly));
    EXPECT_EQ(frueher.readAll(), alt);
    EXPECT_EQ(boxen.size(), 2);
    EXPECT_TRUE(boxen.value(1).contains(QStringLiteral("fehlgeschlagen. Die PDF-Datei '") + pfad("t.pdf")))
        << qPrintable(boxen.value(1));
}

TEST_F(Zuordnung, ProtokolldruckNimmtDenStandarddruckerOderBietetDieZuordnungAn)
{
    QTextDocument dokument(QStringLiteral("Erste Zeile des Vorgangs\nZweite Zeile"));
    int art = 1;
    CAmisc::instanz(true)->setze_druckerzuordnung(&zuordnung);
    CPrinter* pdf = pdf_drucker("p.pdf");

    // Without a default: the warning, then the assignment; cancelled, nothing is printed.
    bool angeboten = false;
    beantworte_naechsten_dialog(false, &angeboten);
    drucke_protokoll(&dokument, nullptr, false, CQString("Vorgang"), &art);
    EXPECT_TRUE(angeboten);
    EXPECT_EQ(boxen, QStringList{mit_titel("%1|Es ist kein %1-Drucker als Standarddrucker zugeordnet.\n"
                                           "Siehe %1 Datei->Seite einrichten|Ok")});
    EXPECT_FALSE(QFile::exists(pfad("p.pdf")));

    waehle(QStringLiteral("PDFDatei"));
    zuordnung.slot_setzeDefault();
    drucke_protokoll(&dokument, nullptr, false, CQString("Vorgang"), &art);
    EXPECT_TRUE(pdf_text(pfad("p.pdf")).contains(QStringLiteral("Erste Zeile des Vorgangs")));
    QString beschreibung;
    zuordnung.gib_druckerbeschreibung(beschreibung, pdf, true);
    EXPECT_TRUE(geloggt("INFO", beschreibung)) << qPrintable(beschreibung);
}

TEST(ZuordnungImBuendel, EineZerstoerteZuordnungWirdVergessen)
{
    auto* zuordnung = new CSeiteEinrichtenWidget;
    CAmisc::instanz(true)->setze_druckerzuordnung(zuordnung);
    delete zuordnung;
    EXPECT_EQ(CAmisc::instanz(true)->gib_druckerzuordnung(), nullptr);
}
