// Printing a protocol onto PDF printers and saving it as text, HTML and PDF, read back with the PDF tools.
#include "camisc.h"
#include "ccbaselog.h"
#include "ccdiaglog.h"
#include "dateigrenze.h"
#include "dialogseam.h"
#include "gui.h"
#include "logfenstertest.h"
#include "logmitschnitt.h"
#include "melde.h"
#include "pdfpruefung.h"
#include "plattform.h"
#include "protokolldruck.h"
#include "tabellenteile.h"
#include "druckseiten.h"
#include "warten.h"
#include "zeilenpuffer.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPointer>
#include <QPrinter>
#include <QProgressDialog>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFrame>
#include <QTextTable>
#include <QHash>
#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <numeric>
#include <atomic>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Frage
{
    QMessageBox::Icon symbol;
    QString titel;
    QString text;
    QStringList knoepfe;
    int standard;
    int abbruch;
};

// Answers every dialog of the seam, records what was asked (in one sequence, so that the order
// of questions and printer choices shows), and captures beeps and log lines.
class Protokolldruck : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        setze_piep_funktion([this](unsigned, unsigned) {
            ++pieptoene;
            return 0;
        });
        setze_frage_funktion([this](QWidget*, QMessageBox::Icon symbol, const QString& titel, const QString& text,
                                    const QStringList& knoepfe, int standard, int abbruch) {
            fragen.push_back({symbol, titel, text, knoepfe, standard, abbruch});
            ablauf.push_back("frage");
            return antworten.empty() ? abbruch : nimm(antworten);
        });
        setze_drucker_funktion([this](QWidget*, QPrinter& drucker) {
            ablauf.push_back("drucker");
            drucker.setOutputFormat(QPrinter::PdfFormat);
            drucker.setOutputFileName(druckdatei);
            return true;
        });
        setze_speichern_funktion([this](QWidget*, const QString& titel, const QString&, const QString& filter,
                                        QFileDialog::Options) {
            speichertitel = titel;
            speicherfilter = filter;
            return dateinamen.empty() ? QString() : nimm(dateinamen);
        });
        druckdatei = tmp.filePath("druck.pdf");
    }

    void TearDown() override
    {
        setze_speichern_funktion({});
        setze_drucker_funktion({});
        setze_frage_funktion({});
        setze_piep_funktion({});
    }

    template <typename T>
    static T nimm(std::vector<T>& liste)
    {
        T vorne = liste.front();
        liste.erase(liste.begin());
        return vorne;
    }

    std::string log() const { return mitschnitt.text(); }

    QTemporaryDir tmp;
    QString druckdatei;
    int pieptoene = 0;
    std::vector<Frage> fragen;
    std::vector<int> antworten;
    std::vector<std::string> ablauf;
    std::vector<QString> dateinamen;
    QString speichertitel;
    QString speicherfilter;
    LogMitschnitt mitschnitt;
};

QString letzte_zeile(const QString& seite)
{
    QStringList zeilen = seite.split(QLatin1Char('\n'));
    while (!zeilen.isEmpty() && zeilen.last().trimmed().isEmpty())
        zeilen.removeLast();
    return zeilen.isEmpty() ? QString() : zeilen.last().simplified();
}

QString zeilen(int anzahl)
{
    QStringList liste;
    for (int i = 1; i <= anzahl; ++i)
        liste << QStringLiteral("Zeile %1").arg(i);
    return liste.join(QLatin1Char('\n'));
}

// Every page ends with the title and its own number on the footer line.
void erwarte_fusszeilen(const QString& pdf, const QString& titel, int mindestens)
{
    EXPECT_GE(seitenzahl(pdf), mindestens);
    const QStringList seiten = seiten_text(pdf);
    ASSERT_GE(seiten.size(), mindestens);
    for (int i = 0; i < seiten.size(); ++i)
        EXPECT_EQ(letzte_zeile(seiten[i]), QStringLiteral("%1 %2").arg(titel).arg(i + 1)) << "page " << i + 1;
}

QByteArray inhalt(const QString& datei)
{
    QFile f(datei);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A log window of the smallest kind: a widget with a text area.
class Logfenster : public QWidget, public CCBaseLog
{
public:
    Logfenster() : CCBaseLog(this)
    {
        textbereich = new QTextEdit(this);
        anmelden();
    }
    ~Logfenster() override { beende_worker(); }
    void thread_beendet() override {}
    // Shows the line the way a worker reports it.
    void zeige(const char* text, int typ)
    {
        neue_textzeile(CQString(text), typ);
        QCoreApplication::sendPostedEvents();
    }

protected:
    void customEvent(QEvent* e) override { bearbeite_event(e); }
};

// The printer assignment as the print road sees it: hands out its PDF printer, once assigned.
// The printer cannot reach the last half millimetre of the paper, and its body is placed by its
// offsets below a wide top margin: the footer's place from the margins alone lies off the paper.
class TestZuordnung : public CDruckerzuordnung
{
public:
    explicit TestZuordnung(const QString& datei)
    {
        drucker.setOutputFormat(QPrinter::PdfFormat);
        drucker.setOutputFileName(datei);
        drucker.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, raender,
                                          QPageLayout::Millimeter, QMarginsF(0, 0, 0, 0.5)));
    }
    QPrinter* gib_standarddrucker(CQString& meldung, const bool& ohne_hinweis) override
    {
        EXPECT_FALSE(ohne_hinweis);
        if (zugeordnet)
            return &drucker;
        meldung = CQString("Es ist kein Test-Drucker als Standarddrucker zugeordnet.");
        return nullptr;
    }
    int richte_seite_ein() override
    {
        ++einrichtungen;
        zugeordnet = true;
        return 1;
    }
    bool setze_pdf_ausgabedatei(QPrinter* p, QWidget*) override
    {
        EXPECT_EQ(p, &drucker);
        ++ausgabedateien;
        return true;
    }
    void gib_druckerbeschreibung(QString& ergebnis, QPrinter*, bool ohne_minimum) override
    {
        EXPECT_TRUE(ohne_minimum);
        ergebnis = QStringLiteral("Drucker: 'PDFDatei' A4, Hochformat");
    }
    bool mit_druckerversatz(QPrinter*) override { return true; }
    QMarginsF gib_seitenraender(QPrinter*) override { return raender; }

    const QMarginsF raender{15, 30, 15, 5};
    QPrinter drucker{QPrinter::HighResolution};
    bool zugeordnet = false;
    int einrichtungen = 0;
    int ausgabedateien = 0;
};

// The words of each page with their places, as pdftotext reads them ("x y word", in tenths of a point).
QVector<QStringList> woerter_mit_ort(const QString& pdf)
{
    const QRegularExpression wort(QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>([^<]*)</word>"));
    QVector<QStringList> seiten;
    for (const QString& seite : laufe("pdftotext", {"-bbox", pdf, "-"}).split("<page ").mid(1)) {
        seiten.append(QStringList());
        for (auto treffer = wort.globalMatch(seite); treffer.hasNext();) {
            const QRegularExpressionMatch m = treffer.next();
            const auto zehntel = [&m](int teil) { return qRound(m.captured(teil).toDouble() * 10); };
            seiten.last() << QStringLiteral("%1 %2 %3").arg(zehntel(1)).arg(zehntel(2)).arg(m.captured(3));
        }
    }
    return seiten;
}

} // namespace

TEST_F(Protokolldruck, JedeSeiteTraegtTitelUndNummerImFuss)
{
    QWidget eltern;
    eltern.setWindowTitle(QStringLiteral("Protokoll-Test"));
    QTextDocument dokument;
    dokument.setPlainText(zeilen(150));
    int art = 0;

    drucke_protokoll(&dokument, &eltern, false, CQString(), &art);

    EXPECT_EQ(ablauf, std::vector<std::string>{"drucker"});
    EXPECT_EQ(pieptoene, 0);
    erwarte_fusszeilen(druckdatei, QStringLiteral("Protokoll-Test"), 2);
    const QString text = seiten_text(druckdatei).join(QString());
    EXPECT_TRUE(text.contains(QStringLiteral("Zeile 1\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("Zeile 150\n")));

    // A given title takes the place of the window's.
    QFile::remove(druckdatei);
    drucke_protokoll(&dokument, &eltern, false, CQString("Eigener Titel"), &art);
    erwarte_fusszeilen(druckdatei, QStringLiteral("Eigener Titel"), 2);
}

TEST_F(Protokolldruck, AbVierhunderteinsZeilenFragtErVorDerDruckerwahl)
{
    QWidget eltern;
    QTextDocument dokument;
    dokument.setPlainText(zeilen(401));
    int art = 0;

    antworten = {1};
    drucke_protokoll(&dokument, &eltern, false, CQString(), &art);
    EXPECT_EQ(ablauf, std::vector<std::string>{"frage"});
    EXPECT_FALSE(QFile::exists(druckdatei));
    ASSERT_EQ(fragen.size(), 1u);
    EXPECT_EQ(fragen[0].text, QStringLiteral("Die Ausgabe enthält 401 Zeilen !\nWirklich drucken ?"));
    EXPECT_EQ(fragen[0].knoepfe, (QStringList{QStringLiteral("Ja"), QStringLiteral("Nein")}));
    EXPECT_EQ(fragen[0].standard, 1);
    EXPECT_EQ(fragen[0].abbruch, 1);
    EXPECT_EQ(fragen[0].titel, QString(gib_meldungstitel()));

    antworten = {0};
    ablauf.clear();
    drucke_protokoll(&dokument, &eltern, false, CQString(), &art);
    EXPECT_EQ(ablauf, (std::vector<std::string>{"frage", "drucker"}));
    EXPECT_GE(seitenzahl(druckdatei), 2);

    dokument.setPlainText(zeilen(400));
    ablauf.clear();
    drucke_protokoll(&dokument, &eltern, false, CQString(), &art);
    EXPECT_EQ(ablauf, std::vector<std::string>{"drucker"});
    EXPECT_EQ(pieptoene, 0);
}

TEST_F(Protokolldruck, LeeresDokumentPiepstNurUndEinePdfOhneOrdnerWirdGemeldet)
{
    QWidget eltern;
    QTextDocument leer;
    int art = 0;
    drucke_protokoll(&leer, &eltern, false, CQString(), &art);
    EXPECT_EQ(pieptoene, 1);
    EXPECT_TRUE(ablauf.empty());
    EXPECT_FALSE(QFile::exists(druckdatei));

    // The printer's file lies below a regular file: it cannot be created.
    QFile sperre(tmp.filePath(QStringLiteral("sperre")));
    ASSERT_TRUE(sperre.open(QIODevice::WriteOnly));
    sperre.close();
    druckdatei = tmp.filePath(QStringLiteral("sperre/druck.pdf"));
    QTextDocument dokument;
    dokument.setPlainText(zeilen(3));
    drucke_protokoll(&dokument, &eltern, false, CQString(), &art);
    EXPECT_EQ(pieptoene, 2);
    const std::string protokoll = log();
    EXPECT_NE(protokoll.find("ERROR"), std::string::npos) << protokoll;
    EXPECT_NE(protokoll.find(druckdatei.toStdString()), std::string::npos) << protokoll;
}

TEST_F(Protokolldruck, DruckartEinsNimmtDenZugeordnetenDrucker)
{
    const QString datei = tmp.filePath(QStringLiteral("zugeordnet.pdf"));
    TestZuordnung zuordnung(datei);
    CAmisc::instanz(true)->setze_druckerzuordnung(&zuordnung);
    QWidget eltern;
    eltern.setWindowTitle(QStringLiteral("Protokoll-Test"));
    QTextDocument dokument;
    dokument.setPlainText(zeilen(150));
    int art = 1;

    // No default printer yet: reported, then the page set-up assigns one and printing goes on.
    drucke_protokoll(&dokument, &eltern, false, CQString(), &art);
    EXPECT_EQ(zuordnung.einrichtungen, 1);
    EXPECT_EQ(zuordnung.ausgabedateien, 1);
    ASSERT_EQ(fragen.size(), 1u);
    EXPECT_EQ(fragen[0].symbol, QMessageBox::Warning);
    EXPECT_EQ(fragen[0].text, QStringLiteral("Es ist kein Test-Drucker als Standarddrucker zugeordnet."));
    EXPECT_EQ(std::count(ablauf.begin(), ablauf.end(), "drucker"), 0);
    const std::string protokoll = log();
    EXPECT_NE(protokoll.find("ERROR"), std::string::npos) << protokoll;
    EXPECT_NE(protokoll.find("Standarddrucker zugeordnet."), std::string::npos) << protokoll;
    EXPECT_NE(protokoll.find("INFO"), std::string::npos) << protokoll;
    EXPECT_NE(protokoll.find("Drucker: 'PDFDatei' A4, Hochformat"), std::string::npos) << protokoll;
    erwarte_fusszeilen(datei, QStringLiteral("Protokoll-Test"), 2);

    // Any other kind leaves the assignment alone and asks for a printer.
    art = 0;
    drucke_protokoll(&dokument, &eltern, false, CQString(), &art);
    EXPECT_EQ(zuordnung.ausgabedateien, 1);
    EXPECT_EQ(std::count(ablauf.begin(), ablauf.end(), "drucker"), 1);
    CAmisc::instanz(true)->setze_druckerzuordnung(nullptr);
}

TEST_F(Protokolldruck, TextdateiBekommtIhreEndungUndFragtVorDemUeberschreiben)
{
    const QString basis = tmp.filePath(QStringLiteral("proto"));
    const QString datei = basis + QStringLiteral(".txt");
    int art = 0;

    dateinamen = {basis};
    speichere_text_datei(CQString("Zeile ä"), CQString(), CQString(), &art);
    EXPECT_EQ(inhalt(datei), QByteArray("Zeile \xC3\xA4\n"));
    EXPECT_EQ(speichertitel, QStringLiteral("Speichern unter"));
    EXPECT_EQ(speicherfilter, QStringLiteral("Text-Datei (*.txt)"));
    EXPECT_TRUE(fragen.empty());

    dateinamen = {basis};
    antworten = {1};
    speichere_text_datei(CQString("neu"), CQString(), CQString(), &art);
    ASSERT_EQ(fragen.size(), 1u);
    EXPECT_EQ(fragen[0].text, QStringLiteral("Die Datei %1 ist bereits vorhanden !\nÜberschreiben ?").arg(datei));
    EXPECT_EQ(fragen[0].knoepfe, (QStringList{QStringLiteral("Ja"), QStringLiteral("Nein")}));
    EXPECT_EQ(fragen[0].abbruch, 1);
    EXPECT_EQ(inhalt(datei), QByteArray("Zeile \xC3\xA4\n"));

    dateinamen = {basis};
    antworten = {0};
    speichere_text_datei(CQString("neu"), CQString(), CQString(), &art);
    EXPECT_EQ(inhalt(datei), QByteArray("neu\n"));

    // The suffix in another case is the type's suffix all the same.
    const QString gross = tmp.filePath(QStringLiteral("proto.TXT"));
    dateinamen = {gross};
    speichere_text_datei(CQString("gross"), CQString(), CQString(), &art);
    EXPECT_EQ(inhalt(gross), QByteArray("gross\n"));
    EXPECT_FALSE(QFile::exists(gross + QStringLiteral(".txt")));
    EXPECT_EQ(fragen.size(), 2u);

    // Cancelling the file dialog writes nothing.
    speichere_text_datei(CQString("weg"), CQString(), CQString(), &art);
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files).size(), 2);
    EXPECT_EQ(pieptoene, 0);
}

TEST_F(Protokolldruck, LogfensterSpeichertHtmlNurNachRichtextUndPdfMitSeinenZeilen)
{
    Logfenster bunt;
    bunt.zeige("Erste Zeile", 0);
    bunt.zeige("Vorsicht Warnung", 1);
    dateinamen = {tmp.filePath(QStringLiteral("bunt"))};
    speichere_als(&bunt, 1, CQString(), CQString());
    EXPECT_EQ(speicherfilter, QStringLiteral("HTML-Datei (*.html)"));
    const QByteArray html = inhalt(tmp.filePath(QStringLiteral("bunt.html")));
    EXPECT_TRUE(html.contains("<!DOCTYPE")) << html.constData();
    EXPECT_TRUE(html.contains("charset=utf-8\"")) << html.constData();
    EXPECT_TRUE(html.contains("color:#b36b3f")) << html.constData();

    Logfenster schlicht;
    schlicht.zeige("Nur Text", 0);
    schlicht.zeige("Noch eine Zeile", 0);
    dateinamen = {tmp.filePath(QStringLiteral("schlicht"))};
    speichere_als(&schlicht, 1, CQString(), CQString());
    EXPECT_EQ(inhalt(tmp.filePath(QStringLiteral("schlicht.html"))), QByteArray("Nur Text\nNoch eine Zeile\n"));

    dateinamen = {tmp.filePath(QStringLiteral("bunt"))};
    speichere_als(&bunt, 2, CQString(), CQString());
    EXPECT_EQ(speicherfilter, QStringLiteral("PDF-Datei (*.pdf)"));
    const QString pdf = tmp.filePath(QStringLiteral("bunt.pdf"));
    EXPECT_TRUE(inhalt(pdf).startsWith("%PDF-"));
    const QString text = seiten_text(pdf).join(QString());
    EXPECT_TRUE(text.contains(QStringLiteral("Erste Zeile"))) << qPrintable(text);
    EXPECT_TRUE(text.contains(QStringLiteral("Vorsicht Warnung"))) << qPrintable(text);

    // A window already saving PDF keeps its filter, and a save without a chosen format still
    // writes a PDF for it.
    schlicht.setze_dateityp(CQString("Protokoll als PDF (*.pdf)"), CQString("pdf"));
    dateinamen = {tmp.filePath(QStringLiteral("vorgabe"))};
    speichere_als(&schlicht, -1, CQString(), CQString());
    EXPECT_EQ(speicherfilter, QStringLiteral("Protokoll als PDF (*.pdf)"));
    const QString vorgabe = tmp.filePath(QStringLiteral("vorgabe.pdf"));
    EXPECT_TRUE(inhalt(vorgabe).startsWith("%PDF-"));
    EXPECT_TRUE(seiten_text(vorgabe).join(QString()).contains(QStringLiteral("Noch eine Zeile")));

    // An empty window only beeps.
    Logfenster leer;
    dateinamen = {tmp.filePath(QStringLiteral("leer"))};
    speichere_als(&leer, 0, CQString(), CQString());
    EXPECT_EQ(pieptoene, 1);
    EXPECT_FALSE(QFile::exists(tmp.filePath(QStringLiteral("leer.txt"))));
}

TEST_F(Protokolldruck, UnschreibbaresZielWirdGemeldetUndPiepstEinmal)
{
    QFile sperre(tmp.filePath(QStringLiteral("sperre")));
    ASSERT_TRUE(sperre.open(QIODevice::WriteOnly));
    sperre.close();
    const QString basis = tmp.filePath(QStringLiteral("sperre/proto"));

    int art = 0;
    dateinamen = {basis};
    speichere_text_datei(CQString("Zeile"), CQString(), CQString(), &art);
    EXPECT_EQ(pieptoene, 1);
    std::string protokoll = log();
    EXPECT_NE(protokoll.find("ERROR"), std::string::npos) << protokoll;
    EXPECT_NE(protokoll.find((basis + QStringLiteral(".txt")).toStdString()), std::string::npos) << protokoll;

    art = 2;
    dateinamen = {basis};
    speichere_text_datei(CQString("Zeile"), CQString(), CQString("pdf"), &art);
    EXPECT_EQ(pieptoene, 2);
    protokoll = log();
    EXPECT_NE(protokoll.find((basis + QStringLiteral(".pdf")).toStdString()), std::string::npos) << protokoll;
}

// A PDF that cannot be written whole (the file-size limit stands in for a full disk) over an
// existing file, saved from a protocol and printed to a PDF printer, and the protocol saved as
// text: the old file keeps every byte, the failure is logged with the file's name (the text's with
// the system's reason) and beeped, and no temporary file is left.
TEST_F(Protokolldruck, DateiDieNichtGanzGeschriebenWirdLaesstDieAlteDateiUndWirdGemeldet)
{
    const QByteArray alt = "%PDF-1.4 the old protocol\n";
    const auto alte_datei = [&](const QString& datei) {
        QFile f(datei);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(alt);
    };
    const QString gespeichert = tmp.filePath(QStringLiteral("proto.pdf"));
    const QString text = tmp.filePath(QStringLiteral("proto.txt"));
    for (const QString& datei : {gespeichert, druckdatei, text})
        alte_datei(datei);
    QWidget eltern;
    QTextDocument dokument;
    dokument.setPlainText(zeilen(300));
    int art = 2;
    {
        const Dateigrenze grenze(4096);
        dateinamen = {gespeichert, text};
        speichere_text_datei(CQString(zeilen(300)), CQString(), CQString("pdf"), &art);
        art = 0;
        speichere_text_datei(CQString(zeilen(3000)), CQString(), CQString(), &art);
        drucke_protokoll(&dokument, &eltern, false, CQString(), &art);
    }
    for (const QString& datei : {gespeichert, druckdatei, text})
        EXPECT_EQ(inhalt(datei), alt);
    EXPECT_EQ(pieptoene, 3);
    const std::string protokoll = log();
    EXPECT_NE(protokoll.find(QStringLiteral("%1 kann nicht geschrieben werden ! %2").arg(text, std::strerror(EFBIG)).toStdString()),
              std::string::npos);
    for (const QString& datei : {gespeichert, druckdatei})
        EXPECT_NE(protokoll.find(QStringLiteral("Die Datei %1 kann nicht geschrieben werden !").arg(datei).toStdString()),
                  std::string::npos)
            << protokoll;
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{QStringLiteral("druck.pdf"), QStringLiteral("proto.pdf"), QStringLiteral("proto.txt")}));

    // With room the same roads replace the old files by whole PDFs.
    dateinamen = {gespeichert};
    art = 2;
    speichere_text_datei(CQString(zeilen(300)), CQString(), CQString("pdf"), &art);
    art = 0;
    drucke_protokoll(&dokument, &eltern, false, CQString(), &art);
    EXPECT_TRUE(seiten_text(gespeichert).join(QString()).contains(QStringLiteral("Zeile 300")));
    EXPECT_TRUE(seiten_text(druckdatei).join(QString()).contains(QStringLiteral("Zeile 300")));
    EXPECT_EQ(pieptoene, 3);
}

// A log window of 1,000,000 lines, far more than one text layout holds, printed into a PDF file:
// every line is in the PDF's text once and in order, and the pages are numbered through.
TEST_F(Protokolldruck, LangesProtokollEinerMillionZeilenKommtJedeEinmalInsPdf)
{
    constexpr int anzahl = 1000000;
    Logfenster fenster;
    fenster.setWindowTitle(QStringLiteral("Langes Protokoll"));
    fenster.gib_textbereich()->setPlainText(zeilen(anzahl));
    antworten = {0};
    fenster.drucke_fenster();
    EXPECT_EQ(pieptoene, 0) << log();
    EXPECT_EQ(fragen.size(), 1u);
    std::vector<int> alle(anzahl);
    std::iota(alle.begin(), alle.end(), 1);
    EXPECT_TRUE(zeilennummern(druckdatei, QStringLiteral("Zeile")) == alle);
    const int seiten = seitenzahl(druckdatei);
    ASSERT_GT(seiten, 10000);
    const QString letzte = laufe(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-f"),
                                                               QString::number(seiten), druckdatei, QStringLiteral("-")});
    EXPECT_EQ(letzte_zeile(letzte), QStringLiteral("Langes Protokoll %1").arg(seiten));
}

namespace {

// The numbers of the entries "datei<n>.dll" in a text, in their order.
std::vector<int> eintraege(const QString& text)
{
    std::vector<int> nummern;
    const QRegularExpression eintrag(QStringLiteral("datei(\\d+)\\.dll"));
    for (auto treffer = eintrag.globalMatch(text); treffer.hasNext();)
        nummern.push_back(treffer.next().captured(1).toInt());
    return nummern;
}

} // namespace

// A log window with the coloured lines of an install as the message functions send them, all still
// on their way at the first save, and more of them than one piece and one part of the copy made
// beside the window, more lines coming in meanwhile: each line once and in order in the text, the
// HTML, the PDF and on paper.
TEST_F(Protokolldruck, InstallationsprotokollKommtJedeZeileEinmalInDateiUndDruck)
{
    constexpr int anzahl = 8000;
    Logfenster fenster;
    for (int i = 1; i <= anzahl; ++i)
        qmelde(i % 500 ? 5 : 2, klasse_kurz, CQString("ImportZIP_installation"),
               CQString(QStringLiteral("installiere programm/modul%1/datei%2.dll").arg(i % 97).arg(i)), &fenster, true);
    // The records a worker lists end the text, and wider rows of them come in meanwhile, in lists
    // of fifty.
    QString zelle;
    const auto zeile = [&] { fenster.neue_textzeile(CQString("<table><tr><td>Summe</td><td>" + zelle + "</td></tr></table>"), 0); };
    zeile();
    QTimer nachzuegler;
    QObject::connect(&nachzuegler, &QTimer::timeout, [&] {
        zelle += QLatin1Char('x');
        if (zelle.size() % 50 == 0)
            fenster.neue_textzeile(CQString("Liste"), 0);
        zeile();
    });
    nachzuegler.start(1);
    std::vector<int> alle(anzahl);
    std::iota(alle.begin(), alle.end(), 1);
    for (const auto& [art, datei] : {std::pair(0, QString("p.txt")), {1, "p.html"}, {2, "p.pdf"}, {-2, "druck.pdf"}}) {
        SCOPED_TRACE(datei.toStdString());
        dateinamen = {tmp.filePath(datei)};
        antworten = {0};
        if (art == -2)
            fenster.drucke_fenster();
        else
            speichere_als(&fenster, art, CQString(), CQString());
        const QString text = datei.endsWith(QLatin1String("pdf")) ? laufe("pdftotext", {tmp.filePath(datei), "-"}, 600000)
                                                                  : QString::fromUtf8(inhalt(tmp.filePath(datei)));
        EXPECT_TRUE(eintraege(text) == alle);
    }
    EXPECT_EQ(pieptoene, 0) << log();
}

// The window goes while its text is copied beside it for a save or a print: deleted at once,
// nothing is written and the user is told (a log line and the beep, a box for the print); closed,
// deleted later, the file is whole and the window goes after. The user's Abbrechen there writes
// nothing either, and the log says so, without a beep.
TEST_F(Protokolldruck, FensterDasBeimKopierenGehtHinterlaesstNieEineHalbeDatei)
{
    constexpr int anzahl = 20000;
    for (const int ende : {0, 1, 2}) {
        const bool sofort = ende == 0;
        for (const bool drucken : {false, true}) {
            SCOPED_TRACE(std::to_string(ende) + std::to_string(drucken));
            const QPointer<Logfenster> fenster = new Logfenster;
            fenster->gib_textbereich()->setPlainText(zeilen(anzahl));
            const QString datei = tmp.filePath(QStringLiteral("weg%1%2.%3").arg(ende).arg(drucken).arg(drucken ? "pdf" : "txt"));
            druckdatei = datei;
            dateinamen = {datei};
            antworten = {0};
            const int piepser = pieptoene;
            fragen.clear();
            QTimer::singleShot(0, [fenster, ende] {
                for (QWidget* dialog : QApplication::topLevelWidgets())
                    if (ende == 2 && qobject_cast<QProgressDialog*>(dialog))
                        emit static_cast<QProgressDialog*>(dialog)->canceled();
                ende == 0 ? delete fenster.data() : ende == 1 ? fenster->deleteLater() : void();
            });
            drucken ? fenster->drucke_fenster() : fenster->speichere_fenster(0);
            loesche_spaetere();
            if (ende == 2) {
                delete fenster.data();
                EXPECT_FALSE(QFile::exists(datei));
                EXPECT_NE(log().find(QStringLiteral("Speichern abgebrochen: '%1' wurde nicht geschrieben.").arg(datei).toStdString()), std::string::npos);
                EXPECT_EQ(pieptoene, piepser);
                continue;
            }
            EXPECT_TRUE(fenster.isNull());
            if (sofort) {
                EXPECT_FALSE(QFile::exists(datei));
                const QString gesagt = drucken ? fragen.back().text : QString::fromStdString(log());
                EXPECT_TRUE(gesagt.contains(QStringLiteral("Das Fenster wurde geschlossen"))) << gesagt.toStdString();
                EXPECT_EQ(pieptoene - piepser, drucken ? 0 : 1);
                continue;
            }
            std::vector<int> alle(anzahl);
            std::iota(alle.begin(), alle.end(), 1);
            EXPECT_TRUE(drucken ? zeilennummern(datei, QStringLiteral("Zeile")) == alle
                                : inhalt(datei) == (zeilen(anzahl) + QLatin1Char('\n')).toUtf8());
        }
    }
}

// One paragraph far taller than a layout keeps its glyphs in (400,000 lines broken inside it): the
// print is refused with its reason before anything is written, and an old file stays.
TEST_F(Protokolldruck, ZuLangerAbsatzWirdVorDemSchreibenAbgelehnt)
{
    QStringList liste;
    for (int i = 1; i <= 400000; ++i)
        liste << QStringLiteral("Zeile %1").arg(i);
    QTextDocument dokument;
    dokument.setPlainText(liste.join(QChar::LineSeparator));
    ASSERT_EQ(dokument.blockCount(), 1);
    QFile alt(druckdatei);
    ASSERT_TRUE(alt.open(QIODevice::WriteOnly));
    alt.write("alt");
    alt.close();
    QWidget eltern;
    int art = 0;
    antworten = {0};
    drucke_protokoll(&dokument, &eltern, false, CQString(), &art);
    EXPECT_EQ(inhalt(druckdatei), QByteArray("alt"));
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("druck.pdf")});
    ASSERT_FALSE(fragen.empty());
    EXPECT_EQ(fragen.back().symbol, QMessageBox::Warning);
    EXPECT_TRUE(fragen.back().text.startsWith(QStringLiteral("Ein Absatz oder eine Tabelle ist zu lang für den Druck")))
        << fragen.back().text.toStdString();
    EXPECT_NE(log().find(fragen.back().text.toStdString()), std::string::npos) << log();
}

// A protocol as the dock shows it (lines fed through the line buffer, not wrapped, in Courier),
// with a run of 100,000 characters without a blank among 1,200 lines, and a table of 3,000 rows:
// on small paper, upright and across, the PDF's text holds every character, line and cell once
// and in order.
TEST_F(Protokolldruck, JedesZeichenJedeZeileUndZelleKommtEinmalAufsPapier)
{
    QTextEdit dock;
    dock.setReadOnly(true);
    dock.setWordWrapMode(QTextOption::NoWrap);
    dock.document()->setDefaultFont(QFont(QStringLiteral("Courier"), 10));
    CZeilenpuffer puffer(&dock);
    QRandomGenerator zufall(48);
    QString lauf;
    for (int i = 0; i < 100000; ++i)
        lauf += QChar(QLatin1Char('a').unicode() + zufall.bounded(26));
    QString erwartet;
    for (int i = 1; i <= 1200; ++i) {
        puffer.nimm(QStringLiteral("Zeile %1").arg(i));
        erwartet += QStringLiteral("Zeile%1").arg(i);
        if (i == 600) {
            puffer.nimm(lauf);
            erwartet += lauf;
        }
    }
    puffer.schreibe();

    QPageSize papier(QPageSize::A4);
    QPageLayout::Orientation richtung = QPageLayout::Portrait;
    setze_drucker_funktion([&](QWidget*, QPrinter& drucker) {
        drucker.setOutputFormat(QPrinter::PdfFormat);
        drucker.setOutputFileName(druckdatei);
        drucker.setPageSize(papier);
        drucker.setPageOrientation(richtung);
        return true;
    });
    int art = 0;
    for (const QPageSize::PageSizeId id : {QPageSize::A6, QPageSize::A7}) {
        for (const QPageLayout::Orientation r : {QPageLayout::Portrait, QPageLayout::Landscape}) {
            SCOPED_TRACE(QPageSize::name(id).toStdString() + (r == QPageLayout::Landscape ? " quer" : ""));
            papier = QPageSize(id);
            richtung = r;
            QFile::remove(druckdatei);
            antworten = {0};
            drucke_protokoll(dock.document(), nullptr, false, CQString("Protokoll"), &art);
            const QString text = text_ohne_fusszeilen(druckdatei);
            EXPECT_EQ(text.size(), erwartet.size());
            EXPECT_TRUE(text == erwartet);
        }
    }

    // Cells of several lines, many of their rows split across sheets, in a column set wider than
    // the paper: every word once.
    constexpr int reihen = 3000;
    QString html = QStringLiteral("<table border=1>");
    QHash<QString, int> erwartete_woerter;
    for (int i = 1; i <= reihen; ++i) {
        QString zelle;
        for (int k = 1; k <= 24; ++k)
            zelle += QStringLiteral(" w%1x%2").arg(i).arg(k);
        // One of them in a table of its own within the cell, set as wide.
        const QString tabelle_darin = i == reihen / 2 ? QStringLiteral("<table><tr><td width=1500>%1</table>") : QStringLiteral("%1");
        html += QStringLiteral("<tr><td>a%1</td><td width=1500>%2</td></tr>").arg(i).arg(tabelle_darin.arg(zelle));
        for (const QString& w : (QStringLiteral("a%1").arg(i) + zelle).split(QLatin1Char(' '), Qt::SkipEmptyParts))
            erwartete_woerter[w] = 1;
    }
    QTextEdit ansicht;
    ansicht.setHtml(html + QStringLiteral("</table>"));
    papier = QPageSize(QPageSize::A4);
    richtung = QPageLayout::Portrait;
    QFile::remove(druckdatei);
    antworten = {0};
    drucke_protokoll(ansicht.document(), nullptr, false, CQString("Tabelle"), &art);
    QHash<QString, int> woerter;
    for (const QString& seite : seiten_text(druckdatei)) {
        QStringList zeilen = seite.split(QLatin1Char('\n'));
        while (!zeilen.isEmpty() && zeilen.last().trimmed().isEmpty())
            zeilen.removeLast();
        zeilen.removeLast();
        for (const QString& w : zeilen.join(QLatin1Char(' ')).split(QLatin1Char(' '), Qt::SkipEmptyParts))
            ++woerter[w];
    }
    EXPECT_TRUE(woerter == erwartete_woerter);
}

// Paper that cannot hold a line and the footer is said so, and nothing is written; on narrow
// paper the title gives way to the page number.
TEST_F(Protokolldruck, ZuKleinesPapierWirdGemeldetUndDieSeitenzahlUeberdecktNieDenTitel)
{
    QPageSize papier(QPageSize::A10);
    setze_drucker_funktion([&](QWidget*, QPrinter& drucker) {
        drucker.setOutputFormat(QPrinter::PdfFormat);
        drucker.setOutputFileName(druckdatei);
        drucker.setPageSize(papier);
        return true;
    });
    QTextDocument dokument;
    dokument.setPlainText(zeilen(30));
    int art = 0;
    drucke_protokoll(&dokument, nullptr, false, CQString("Ein Titel, der auf schmalem Papier keinen Platz hat"), &art);
    EXPECT_FALSE(QFile::exists(druckdatei));
    const QString meldung =
        QStringLiteral("Das Papier 'A10' ist zu klein für eine Zeile und die Fußzeile: es wurde nichts gedruckt.");
    EXPECT_EQ(fragen.size(), 1u);
    for (const Frage& frage : fragen) {
        EXPECT_EQ(frage.symbol, QMessageBox::Warning);
        EXPECT_EQ(frage.text, meldung);
    }
    EXPECT_NE(log().find("ERROR"), std::string::npos) << log();
    EXPECT_NE(log().find(meldung.toStdString()), std::string::npos) << log();

    papier = QPageSize(QPageSize::A8);
    drucke_protokoll(&dokument, nullptr, false, CQString("Ein Titel, der auf schmalem Papier keinen Platz hat"), &art);
    const QString xml = laufe(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), druckdatei, QStringLiteral("-")});
    const QRegularExpression wort(QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                                                 "yMax=\"[\\d.]+\">([^<]*)</word>"));
    const QStringList seiten = xml.split(QStringLiteral("<page ")).mid(1);
    ASSERT_GE(seiten.size(), 2);
    for (int i = 0; i < seiten.size(); ++i) {
        // The footer line: the lowest words of the page; the number is the one farthest right.
        struct Wort
        {
            double links, oben, rechts;
            QString text;
        };
        QVector<Wort> fuss;
        for (auto treffer = wort.globalMatch(seiten[i]); treffer.hasNext();) {
            const QRegularExpressionMatch m = treffer.next();
            const Wort w{m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(), m.captured(4)};
            if (!fuss.isEmpty() && w.oben > fuss.first().oben + 1)
                fuss.clear();
            if (fuss.isEmpty() || w.oben > fuss.first().oben - 1)
                fuss.append(w);
        }
        ASSERT_GE(fuss.size(), 2) << "page " << i + 1;
        const Wort nummer = *std::max_element(fuss.begin(), fuss.end(),
                                              [](const Wort& a, const Wort& b) { return a.links < b.links; });
        EXPECT_EQ(nummer.text, QString::number(i + 1));
        for (const Wort& w : fuss) {
            if (w.links < nummer.links) {
                EXPECT_LT(w.rechts, nummer.links) << w.text.toStdString() << " page " << i + 1;
            }
        }
    }
}

namespace {

// Closes itself when its worker ends, as the process runner's window does after a good run.
class SchliessendesLog : public CCDiagLog
{
public:
    SchliessendesLog() : CCDiagLog(nullptr, CQString("schliessend")) {}
    ~SchliessendesLog() override { beende_worker(); }
    void thread_beendet() override { close(); }
};

} // namespace

// The user prints or saves while the worker still runs; it ends while a dialog of that road is
// open, and the window closes and is deleted under the dialog. Nothing of the window is read or
// drawn afterwards (the sanitizer build sees any such read), nothing is printed or written.
TEST_F(Protokolldruck, FensterDasUnterDemDialogGehtWirdWederGedrucktNochGespeichert)
{
    const QString gespeichert = tmp.filePath("gespeichert.txt");
    // With the question before the print dialog, straight to the print dialog, and saving.
    for (const int fall : {0, 1, 2}) {
        SCOPED_TRACE(fall);
        std::atomic<bool> frei{false};
        auto* fenster = new SchliessendesLog;
        const QPointer<SchliessendesLog> wache(fenster);
        fenster->show();
        const int zeilen = fall == 0 ? 450 : 10;
        fenster->starte_thread(new Arbeiter(fenster, frei, zeilen));
        ASSERT_TRUE(warte([&] { return fenster->gib_textbereich()->document()->blockCount() == zeilen; }));

        const auto ende_im_dialog = [&] {
            frei = true;
            EXPECT_TRUE(warte([&] { return wache.isNull(); }));
        };
        ablauf.clear();
        setze_frage_funktion([&](QWidget*, QMessageBox::Icon, const QString&, const QString&, const QStringList&,
                                 int, int) {
            ablauf.push_back("frage");
            ende_im_dialog();
            return 0;
        });
        setze_drucker_funktion([&](QWidget*, QPrinter& drucker) {
            ablauf.push_back("drucker");
            ende_im_dialog();
            drucker.setOutputFormat(QPrinter::PdfFormat);
            drucker.setOutputFileName(druckdatei);
            return true;
        });
        setze_speichern_funktion([&](QWidget*, const QString&, const QString&, const QString&, QFileDialog::Options) {
            ablauf.push_back("speichern");
            ende_im_dialog();
            return gespeichert;
        });
        if (fall < 2)
            fenster->slot_print();
        else
            fenster->slot_saveAs(0);

        EXPECT_TRUE(wache.isNull());
        EXPECT_EQ(ablauf, std::vector<std::string>{fall == 0 ? "frage" : fall == 1 ? "drucker" : "speichern"});
        EXPECT_FALSE(QFile::exists(druckdatei));
        EXPECT_FALSE(QFile::exists(gespeichert));
    }
}

// The Qt dialogs themselves, when their parent window is deleted while they are open: they go
// with it, and the answer is that of a cancel.
TEST(Dialogseam, DialogGehtMitSeinemGeloeschtenElternfenster)
{
    auto* eltern = new QWidget;
    eltern->show();
    QTimer::singleShot(100, [eltern] { delete eltern; });
    EXPECT_EQ(frage_mit_knoepfen(eltern, QMessageBox::Information, QStringLiteral("Titel"), QStringLiteral("Frage"),
                                 {QStringLiteral("Ja"), QStringLiteral("Nein")}, 1, 1),
              1);

    auto* zweites = new QWidget;
    zweites->show();
    QTimer::singleShot(100, [zweites] { delete zweites; });
    QPrinter drucker;
    EXPECT_FALSE(frage_drucker(zweites, drucker));
}

// A report and a log window of install lines printed in slices of 150 paragraphs, as a long
// document is printed, and in one: each page holds the same words in the same places and the
// same pictures, a list numbered on, right-aligned, right-to-left and indented paragraphs, tables
// and pictures across the slices' ends, pictures taller than the rest of the page too (on A5 and
// Letter across, in the line and floating); every item and line is on paper once, in order. A long
// table cut into parts whose first has a heading row is headed on every page, as the whole table;
// a heading row taller than a page is printed once, never over the rows.
TEST_F(Protokolldruck, InScheibenStehtJederAbsatzUndPunktWieUngeschnitten)
{
    QImage bild(40, 90, QImage::Format_RGB32);
    bild.fill(Qt::darkRed);
    ASSERT_TRUE(bild.save(tmp.filePath(QStringLiteral("bild.png"))));
    QString punkte, absaetze;
    for (int i = 1; i <= 1200; ++i) {
        punkte += QStringLiteral("<li>Punkt %1</li>").arg(i);
        absaetze += QStringLiteral("<p align=right>Rechts %1</p><p dir=rtl>Latin %1 \u05e9\u05dc\u05d5\u05dd</p><p style='margin-left:60px'>"
                                   "Rein %1%2</p>").arg(i).arg(i % 9 ? QString() : QStringLiteral("<img src='%1'><table border=1><tr><td>a %2</td>"
                                   "<td>b<br>c</td></tr><tr><td>d</td><td>e</td></tr></table>").arg(tmp.filePath("bild.png")).arg(i));
    }
    QTextEdit bericht;
    bericht.setHtml("<ol>" + punkte + "</ol>" + absaetze);
    Logfenster fenster;
    QStringList zeilen;
    for (int i = 1; i <= 3000; ++i)
        zeilen << QStringLiteral("Installiert %1 /opt/kelmor/lib/modul_%1/teil.dll 4711 Bytes ok").arg(i);
    fenster.gib_textbereich()->setPlainText(zeilen.join(QLatin1Char('\n')));
    QTextEdit hoch;
    for (int i = 1; i <= 800; ++i)
        hoch.append((i % 23 ? QString() : "<img width=40 height=900 src='" + tmp.filePath("bild.png") + "'>")
                    + QStringLiteral("Hoch %1").arg(i) + (i % 46 == 23 ? QStringLiteral("<br>weiter") : QString()));
    QTextEdit schwebend;
    for (int i = 1; i <= 800; ++i)
        schwebend.append((i % 60 == 30 ? "<img align=left width=40 height=900 src='" + tmp.filePath("bild.png") + "'>" : QString())
                         + QStringLiteral("Hoch %1").arg(i));
    // A long table cut into parts, as a long report's is, where all its parts together are too tall for a slice.
    QString teile;
    for (int i = 1; i <= 800; ++i)
        teile += (i % 20 == 1 ? "<table border=1><tr><td>Hoch " : "<tr><td>Hoch ") + QString::number(i)
                 + (i % 20 ? "</td><td>x<br>y</td></tr>" : "</td><td>x<br>y</td></tr></table>");
    QTextEdit tabelle;
    tabelle.setHtml(teile);
    // The same, its first part with a heading row and the later ones marked as going on from it,
    // as a long report's are, and as one table: on paper the heading heads every page, as the whole's.
    const QString kopfzeile = QStringLiteral("<table border=1><thead><tr><th width=120>Kopf A</th><th width=60>Kopf B</th></tr></thead>");
    // The same under a heading row taller than a page: printed once, where it stands, never over the rows.
    QTextEdit kopf, ganz, ueberhoch;
    kopf.setHtml(kopfzeile + teile.mid(16));
    ganz.setHtml(kopfzeile + QString(teile).remove(QStringLiteral("</table>")).remove(QStringLiteral("<table border=1>")) + "</table>");
    ueberhoch.setHtml(QString(kopfzeile).replace(QStringLiteral("Kopf A"), "Kopf" + QStringLiteral("<br>x").repeated(70)) + teile.mid(16));
    for (QTextEdit* const mit_teilen : {&kopf, &ueberhoch}) {
        for (QTextFrame* const teil : mit_teilen->document()->rootFrame()->childFrames().mid(1)) {
            QTextTableFormat format = static_cast<QTextTable*>(teil)->format();
            format.setProperty(tabellenfortsetzung, true);
            static_cast<QTextTable*>(teil)->setFormat(format);
            // A report's body around the table leaves one more empty paragraph between its parts.
            QTextCursor(mit_teilen->document()->findBlock(teil->firstPosition() - 1)).insertBlock();
        }
    }
    QPageLayout blatt;
    setze_drucker_funktion([&](QWidget*, QPrinter& drucker) {
        drucker.setOutputFormat(QPrinter::PdfFormat);
        drucker.setOutputFileName(druckdatei);
        return drucker.setPageLayout(blatt);
    });
    int art = 0;
    for (const auto& [bereich, papier] : {std::pair(&bericht, QPageSize::A4), {fenster.gib_textbereich(), QPageSize::A4},
                                          {&hoch, QPageSize::A5}, {&hoch, QPageSize::Letter}, {&schwebend, QPageSize::A5},
                                          {&tabelle, QPageSize::A4}, {&kopf, QPageSize::A5}, {&ueberhoch, QPageSize::A5}}) {
        SCOPED_TRACE(QPageSize::name(papier).toStdString());
        blatt = QPageLayout(QPageSize(papier), papier == QPageSize::Letter ? QPageLayout::Landscape : QPageLayout::Portrait, {});
        QVector<QStringList> seiten[2];
        std::string bilder[2];
        for (int geschnitten = 0; geschnitten < 2; ++geschnitten) {
            const int vorher = CDruckseiten::setze_scheibenbloecke(geschnitten ? 150 : 1 << 30);
            const qreal hoehe = CDruckseiten::setze_hoechste_scheibe(geschnitten ? 8000 : 1 << 22);
            QFile::remove(druckdatei);
            antworten = {0};
            drucke_protokoll(bereich->document(), nullptr, false, CQString("T"), &art);
            CDruckseiten::setze_scheibenbloecke(vorher);
            CDruckseiten::setze_hoechste_scheibe(hoehe);
            seiten[geschnitten] = woerter_mit_ort(druckdatei);
            bilder[geschnitten] = bereich == &schwebend ? "" : laufe("pdfimages", {"-list", druckdatei}).toStdString();
            // Qt draws every floating picture on every page, clipped away: the red each page shows counts.
            for (const QImage& seite : bereich == &schwebend ? seitenbilder(druckdatei, 10) : QVector<QImage>()) {
                int rot = 0;
                for (int i = 0; i < seite.width() * seite.height(); ++i)
                    rot += seite.pixelColor(i % seite.width(), i / seite.width()).saturation() > 100;
                bilder[geschnitten] += std::to_string(rot) + ' ';
            }
        }
        EXPECT_EQ(bilder[0], bilder[1]);
        ASSERT_GT(seiten[0].size(), 20);
        if (bereich == &kopf) {
            antworten = {0};
            drucke_protokoll(ganz.document(), nullptr, false, CQString("T"), &art);
            EXPECT_EQ(woerter_mit_ort(druckdatei), seiten[1]);
        }
        if (bereich == &ueberhoch) {
            int kopfworte = 0;
            for (const QStringList& seite : qAsConst(seiten[1]))
                kopfworte += seite.filter(QRegularExpression(QStringLiteral(" Kopf$"))).size();
            // "Kopf" of both its cells, once each.
            EXPECT_EQ(kopfworte, 2);
        }
        const auto ab = std::mismatch(seiten[0].begin(), seiten[0].end(), seiten[1].begin(), seiten[1].end());
        EXPECT_TRUE(ab.first == seiten[0].end() && ab.second == seiten[1].end()) << "page " << ab.first - seiten[0].begin() + 1;
        // Each word with the words after it, in order; the items' numbers stand before "Punkt".
        QStringList woerter;
        for (const QStringList& seite : qAsConst(seiten[1]))
            for (const QString& wort : seite)
                woerter << wort.section(QLatin1Char(' '), 2);
        QHash<QString, QStringList> folgen;
        for (int i = 0; i + 1 < woerter.size(); ++i) {
            folgen[woerter[i]] << woerter[i + 1];
            if (woerter[i + 1] == QLatin1String("Punkt"))
                folgen[QStringLiteral("#")] << woerter[i].chopped(1);
        }
        const bool ist_bericht = bereich == &bericht;
        QStringList zahlen;
        for (int i = 1; i <= (ist_bericht ? 1200 : bereich == fenster.gib_textbereich() ? 3000 : 800); ++i)
            zahlen << QString::number(i);
        const QStringList hier = ist_bericht ? QStringList{"Punkt", "Rechts", "Latin", "Rein", "#"}
                                             : QStringList{bereich == fenster.gib_textbereich() ? "Installiert" : "Hoch"};
        for (const char* wort : {"Punkt", "Rechts", "Latin", "Rein", "#", "Installiert", "Hoch"})
            EXPECT_TRUE(folgen.value(wort) == (hier.contains(wort) ? zahlen : QStringList())) << wort;
    }
}


