// Saving onto a file system that takes only a few KiB more, or none: every file the program writes whole keeps its old bytes and the failure is told.
#include "bookmarksmanager.h"
#include "cgbrowser.h"
#include "cgbrowserex.h"
#include "cprinter.h"
#include "cqiodatei.h"
#include "cqstringsteuer.h"
#include "cseiteeinrichtenwidget.h"
#include "cuninstallinfo.h"
#include "dateien.h"
#include "dateigrenze.h"
#include "dateisperre.h"
#include "dialogseam.h"
#include "downloadmanager.h"
#include "einstellungsformat.h"
#include "heimordner.h"
#include "historymanager.h"
#include "kleinesdateisystem.h"
#include "logmitschnitt.h"
#include "plattform.h"
#include "printtopdfdialog.h"
#include "protokolldruck.h"
#include "startzustand.h"
#include "toolbarsearch.h"
#include "updatermainwindow.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTest>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/xattr.h>

namespace {

QStringList& warnungen()
{
    static QStringList liste;
    return liste;
}

QByteArray inhalt(const QString& pfad)
{
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray("<fehlt>");
}

BookmarkNode* lesezeichen(int i)
{
    auto* node = new BookmarkNode(BookmarkNode::Bookmark);
    node->title = QStringLiteral("Lesezeichen %1").arg(i);
    node->url = QStringLiteral("http://lesezeichen%1.example/").arg(i);
    return node;
}

// Each store's new file is larger than the limit but smaller than the 16 KiB that QFileDevice
// buffers: only its last flush fails, the failure that QSaveFile::commit does not see.
constexpr rlim_t grenze = 4096;

class Schreibgrenze : public ::testing::Test
{
protected:
    void SetUp() override
    {
        alterHome = qgetenv("HOME");
        qputenv("HOME", home.path().toUtf8());
        QSettings().remove(QStringLiteral("history"));
        setze_frage_funktion([this](QWidget*, QMessageBox::Icon, const QString& titel, const QString&,
                                    const QStringList&, int, int abbruch) {
            boxen << titel;
            return abbruch;
        });
        warnungen().clear();
        vorher = qInstallMessageHandler([](QtMsgType typ, const QMessageLogContext&, const QString& text) {
            if (typ == QtWarningMsg)
                warnungen() << text;
        });
    }
    void TearDown() override
    {
        qInstallMessageHandler(vorher);
        setze_frage_funktion(nullptr);
        qputenv("HOME", alterHome);
    }

    QTemporaryDir home;
    QByteArray alterHome;
    QStringList boxen;
    QtMessageHandler vorher = nullptr;
};

} // namespace

TEST_F(Schreibgrenze, JederSpeicherBehaeltDieAlteDateiUndMeldetDenFehler)
{
    const QString zu_gross = QString::fromLocal8Bit(std::strerror(EFBIG));
    // Bookmarks: 124 saved, then one more that does not fit.
    {
        BookmarksManager manager;
        for (int i = 0; i < 124; ++i)
            manager.addBookmark(manager.menu(), lesezeichen(i));
        manager.saveIfNecessary();
    }
    const QString xbel = BookmarksManager::fileName();
    const QByteArray xbel_alt = inhalt(xbel);
    ASSERT_GT(xbel_alt.size(), int(grenze));
    ASSERT_LT(xbel_alt.size(), 16384 - 200);
    {
        BookmarksManager manager;
        {
            const Dateigrenze voll(grenze);
            manager.addBookmark(manager.menu(), lesezeichen(124));
            manager.saveIfNecessary();
        }
        EXPECT_EQ(inhalt(xbel), xbel_alt);
        EXPECT_EQ(boxen, QStringList({"Saving Bookmarks"}));
        EXPECT_TRUE(warnungen().join('\n').contains(xbel)) << qPrintable(warnungen().join('\n'));
        // With room again the program goes on as before.
        manager.addBookmark(manager.menu(), lesezeichen(125));
        manager.saveIfNecessary();
    }
    EXPECT_EQ(BookmarksManager().menu()->children().size(), 126);

    // History: 100 visits saved, then a removal, which rewrites the file whole.
    {
        HistoryManager history;
        for (int i = 0; i < 100; ++i)
            history.addUrl(QStringLiteral("http://besuch%1.example/").arg(i));
        history.saveIfNecessary();
    }
    const QString verlauf = HistoryManager::dateiname();
    const QByteArray verlauf_alt = inhalt(verlauf);
    ASSERT_GT(verlauf_alt.size(), int(grenze));
    ASSERT_LT(verlauf_alt.size(), 16384);
    warnungen().clear();
    {
        HistoryManager history;
        const Dateigrenze voll(grenze);
        history.removeUrl(QStringLiteral("http://besuch0.example/"));
        history.saveIfNecessary();
        EXPECT_EQ(inhalt(verlauf), verlauf_alt);
        // The message names the cause.
        EXPECT_TRUE(warnungen().join('\n').contains(QStringLiteral("Unable to write history file")))
            << qPrintable(warnungen().join('\n'));
        EXPECT_TRUE(warnungen().join('\n').endsWith(zu_gross)) << qPrintable(warnungen().join('\n'));
    }
    EXPECT_EQ(HistoryManager().entries().size(), 100);

    // The core's copy and its text file written whole.
    const QString quelle = home.filePath(QStringLiteral("quelle.bin"));
    const QString ziel = home.filePath(QStringLiteral("ziel.bin"));
    const QString text = home.filePath(QStringLiteral("text.txt"));
    ASSERT_TRUE(schreibe_ganz(quelle, QByteArray(8000, 'q')).isEmpty());
    ASSERT_TRUE(schreibe_ganz(ziel, "alt").isEmpty());
    ASSERT_TRUE(schreibe_ganz(text, "alter Text").isEmpty());
    {
        const Dateigrenze voll(grenze);
        EXPECT_EQ(kopiere_datei(quelle, ziel, true, false), 2);
        CQIODatei datei{CQString(text)};
        ASSERT_TRUE(datei.oeffne(false, true, true, false, true));
        datei.setze_codec(true);
        datei.schreibe_zeile(CQString(QString(8000, QLatin1Char('t'))));
        EXPECT_FALSE(datei.schliesse());
        EXPECT_EQ(datei.gib_fehlertext(), zu_gross);
    }
    EXPECT_EQ(inhalt(ziel), "alt");
    EXPECT_EQ(inhalt(text), "alter Text");
    EXPECT_EQ(QDir(home.path()).entryList(QDir::Files), QStringList({"quelle.bin", "text.txt", "ziel.bin"}));
}

namespace {

// One file the program writes whole: its name in the report and how to make the program write
// it. The step is called twice, the first time to make the old file, the second with another
// change while writing fails; it answers the file's path and adds what the program itself
// answered about a failure to `gesagt` (boxes and warnings are collected by the test). A store
// added later gets a row here.
struct Speicher
{
    const char* name;
    std::function<QString(int runde, QStringList& gesagt)> schreibe;
};

BookmarkNode* seite(int i)
{
    auto* node = new BookmarkNode(BookmarkNode::Bookmark);
    node->title = QStringLiteral("Seite %1").arg(i);
    node->url = QStringLiteral("http://seite%1.example/").arg(i);
    return node;
}

// The folder of the test's files other than the program's own stores.
QString& ablage()
{
    static QString pfad;
    return pfad;
}

// The error lines naming the file that the program writes into its log while `schritt` runs are
// what it told.
void fehler_im_log(QStringList& gesagt, const QString& datei, const std::function<void()>& schritt)
{
    const LogMitschnitt log;
    schritt();
    for (const QString& zeile : QString::fromStdString(log.text()).split(QLatin1Char('\n')))
        if (zeile.contains(QStringLiteral("ERROR")) && zeile.contains(datei))
            gesagt << zeile;
}

// Lines of text that differ from round to round.
QString text_der_runde(int runde, int zeilen)
{
    QStringList text;
    for (int i = 0; i < zeilen; ++i)
        text << QStringLiteral("Zeile %1 der Runde %2").arg(i).arg(runde);
    return text.join(QLatin1Char('\n'));
}

// A report source in the folder for each round, made before the write that fails.
QString berichtsquelle(int runde, const char* endung)
{
    const auto quelle = [endung](int r) { return ablage() + QStringLiteral("/quelle%1.%2").arg(r).arg(QLatin1String(endung)); };
    for (int r = 0; runde == 0 && r < 6; ++r)
        (void)schreibe_ganz(quelle(r), text_der_runde(r, 40).toUtf8());
    return quelle(runde);
}

// A text report saved by the report window as `art` (0 text, 1 HTML, 2 PDF) into `name`; its
// error lines in the log are what the window tells.
QString speichere_bericht(int art, const char* name, int runde, QStringList& gesagt)
{
    const QString quelle = berichtsquelle(runde, "txt");
    const QString ziel = ablage() + QLatin1Char('/') + QLatin1String(name);
    fehler_im_log(gesagt, ziel, [&] {
        CGBrowser bericht(nullptr, CQString("b"), false);
        bericht.setze_quelle(CQString(quelle));
        bericht.speicherziel = CQString(ziel);
        bericht.speichern_unter(art, false);
    });
    return ziel;
}

// The printer writes a PDF file.
void schreibt_pdf_datei(QPrinter& drucker, const QString& pfad)
{
    drucker.setOutputFormat(QPrinter::PdfFormat);
    drucker.setOutputFileName(pfad);
}

// The print dialog answered with a PDF file, for the time of one print.
void drucke_in_datei(const QString& pfad, const std::function<void()>& drucken)
{
    setze_drucker_funktion([pfad](QWidget*, QPrinter& drucker) {
        schreibt_pdf_datei(drucker, pfad);
        return true;
    });
    drucken();
    setze_drucker_funktion({});
}

// A protocol saved from a log window as `art` (0 text, 1 HTML, 2 PDF) into `name`.
QString speichere_protokoll(int art, const char* name, int runde, QStringList& gesagt)
{
    const QString pfad = ablage() + QLatin1Char('/') + QLatin1String(name);
    setze_speichern_funktion([pfad](QWidget*, const QString&, const QString&, const QString&, QFileDialog::Options) {
        return pfad;
    });
    static const char* const typen[] = {"txt", "html", "pdf"};
    const QString text = art == 1 ? QStringLiteral("<html><body><p>%1</p></body></html>").arg(text_der_runde(runde, 40))
                                  : text_der_runde(runde, 40);
    fehler_im_log(gesagt, pfad, [&] { speichere_text_datei(CQString(text), CQString(), CQString(typen[art]), &art); });
    setze_speichern_funktion({});
    return pfad;
}

// PDF data of one page, as a finished web print hands them over.
QByteArray pdf_daten(int runde)
{
    QBuffer puffer;
    puffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter schreiber(&puffer);
        QPainter maler(&schreiber);
        maler.drawText(QPointF(100, 100), text_der_runde(runde, 1));
    }
    return puffer.data();
}

const std::vector<Speicher>& speicher()
{
    static const std::vector<Speicher> tabelle = {
        {"Lesezeichen (bookmarks.xbel)",
         [](int runde, QStringList&) {
             BookmarksManager manager;
             for (int i = 0; i < (runde == 0 ? 8 : 1); ++i)
                 manager.addBookmark(manager.menu(), seite(runde * 100 + i));
             manager.saveIfNecessary();
             return BookmarksManager::fileName();
         }},
        {"Lesezeichen exportiert",
         [](int runde, QStringList& gesagt) {
             const QString pfad = ablage() + QStringLiteral("/export.xbel");
             setze_speichern_funktion([pfad](QWidget*, const QString&, const QString&, const QString&,
                                             QFileDialog::Options) { return pfad; });
             setze_meldung_funktion([&gesagt](QWidget*, const QString&, const QString& text,
                                              QMessageBox::StandardButtons, QMessageBox::StandardButton) {
                 gesagt << text;
                 return QMessageBox::Ok;
             });
             {
                 BookmarksManager manager;
                 manager.addBookmark(manager.toolbar(), seite(200 + runde));
                 manager.exportBookmarks();
                 // Nothing of this row is left for the bookmark file's own row.
                 manager.undoRedoStack()->undo();
             }
             setze_meldung_funktion(nullptr);
             setze_speichern_funktion(nullptr);
             return pfad;
         }},
        {"Verlauf (history), ganz neu geschrieben",
         [](int runde, QStringList&) {
             HistoryManager verlauf;
             if (runde == 0) {
                 for (int i = 0; i < 10; ++i)
                     verlauf.addUrl(QStringLiteral("http://besuch%1.example/").arg(i));
             } else {
                 verlauf.removeUrl(QStringLiteral("http://besuch%1.example/").arg(runde - 1));
             }
             verlauf.saveIfNecessary();
             return HistoryManager::dateiname();
         }},
        {"Einstellungen: die letzten Suchen",
         [](int runde, QStringList&) {
             {
                 ToolbarSearch suche;
                 for (int i = 0; i < 8; ++i) {
                     suche.lineEdit()->setText(QStringLiteral("Suche %1 in Runde %2").arg(i).arg(runde));
                     QTest::keyClick(&suche, Qt::Key_Return);
                 }
             }
             return QSettings().fileName();
         }},
        {"Einstellungen: die Downloadliste",
         [](int runde, QStringList&) {
             {
                 DownloadManager liste;
                 liste.resize(400 + runde, 300);
                 liste.save();
             }
             return QSettings().fileName();
         }},
        {"Einstellungen: ein anderes Programm des Kerns",
         [](int runde, QStringList& gesagt) {
             QSettings einstellungen;
             for (int i = 0; i < 10; ++i)
                 einstellungen.setValue(QStringLiteral("kern/wert%1").arg(i), QStringLiteral("Runde %1").arg(runde));
             const QString fehler = sichere_einstellungen(einstellungen);
             if (!fehler.isEmpty())
                 gesagt << fehler;
             return einstellungen.fileName();
         }},
        {"Bericht als Text gespeichert",
         [](int runde, QStringList& gesagt) { return speichere_bericht(0, "bericht.txt", runde, gesagt); }},
        {"Bericht als HTML gespeichert",
         [](int runde, QStringList& gesagt) { return speichere_bericht(1, "bericht.html", runde, gesagt); }},
        {"Bericht als PDF gespeichert",
         [](int runde, QStringList& gesagt) { return speichere_bericht(2, "bericht.pdf", runde, gesagt); }},
        {"Bericht seitenweise in eine Datei gedruckt",
         [](int runde, QStringList& gesagt) {
             const QString quelle = berichtsquelle(runde, "html");
             const QString pfad = ablage() + QStringLiteral("/bericht_druck.pdf");
             fehler_im_log(gesagt, pfad, [&] {
                 CGBrowser papier(nullptr, CQString("b"), true);
                 papier.gib_textseite1()->zeige_quelle(CQString(quelle));
                 drucke_in_datei(pfad, [&] { papier.drucke(1); });
             });
             return pfad;
         }},
        {"Protokoll als Text gespeichert",
         [](int runde, QStringList& gesagt) { return speichere_protokoll(0, "protokoll.txt", runde, gesagt); }},
        {"Protokoll als HTML gespeichert",
         [](int runde, QStringList& gesagt) { return speichere_protokoll(1, "protokoll.html", runde, gesagt); }},
        {"Protokoll als PDF gespeichert",
         [](int runde, QStringList& gesagt) { return speichere_protokoll(2, "protokoll.pdf", runde, gesagt); }},
        {"Protokoll in eine PDF-Datei gedruckt",
         [](int runde, QStringList& gesagt) {
             const QString pfad = ablage() + QStringLiteral("/protokoll_druck.pdf");
             QTextDocument dokument;
             dokument.setPlainText(text_der_runde(runde, 40));
             int art = 0;
             fehler_im_log(gesagt, pfad, [&] {
                 drucke_in_datei(pfad, [&] { drucke_protokoll(&dokument, nullptr, false, CQString(), &art); });
             });
             return pfad;
         }},
        {"Drucker: PDF-Daten als Bilder in seine Ausgabedatei",
         [](int runde, QStringList& gesagt) {
             const QString pfad = ablage() + QStringLiteral("/drucker.pdf");
             CPrinter drucker{QPrinterInfo(), QPrinter::ScreenResolution};
             schreibt_pdf_datei(drucker, pfad);
             fehler_im_log(gesagt, pfad, [&] {
                 if (!drucker.drucke_pdf(pdf_daten(runde)))
                     gesagt << QStringLiteral("drucke_pdf: false");
             });
             return pfad;
         }},
        {"Drucker: fertige PDF-Daten in seine Ausgabedatei",
         [](int runde, QStringList& gesagt) {
             const QString pfad = ablage() + QStringLiteral("/drucker_daten.pdf");
             CPrinter drucker{QPrinterInfo(), QPrinter::ScreenResolution};
             schreibt_pdf_datei(drucker, pfad);
             fehler_im_log(gesagt, pfad, [&] {
                 if (!drucker.schreibe_pdf_datei(pdf_daten(runde)))
                     gesagt << QStringLiteral("schreibe_pdf_datei: false");
             });
             return pfad;
         }},
        {"Druckerzuordnung: Testseite auf einen PDF-Drucker",
         [](int runde, QStringList& gesagt) {
             const QString pfad = ablage() + QStringLiteral("/testseite.pdf");
             CSeiteEinrichtenWidget zuordnung;
             CPrinter* drucker = zuordnung.fuege_pdf_drucker_hinzu();
             drucker->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), runde == 0 ? QPageLayout::Portrait : QPageLayout::Landscape,
                                                QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter));
             drucker->setze_ausgabedatei(pfad);
             // The printer asks for its output file, offering the one it has.
             setze_speichern_funktion([pfad](QWidget*, const QString&, const QString&, const QString&,
                                             QFileDialog::Options) { return pfad; });
             fehler_im_log(gesagt, pfad, [&] { zuordnung.slot_druckeTestseite(); });
             setze_speichern_funktion({});
             return pfad;
         }},
        {"Browser: Drucken als PDF (die Daten der Seite)",
         [](int runde, QStringList&) {
             const QString pfad = ablage() + QStringLiteral("/seite.pdf");
             schreibe_pdf_daten(nullptr, pfad, pdf_daten(runde));
             return pfad;
         }},
        {"Updater: die Aufzeichnung der installierten Dateien (uninstall.dat)",
         [](int runde, QStringList& gesagt) {
             const QString ordner = ablage() + QStringLiteral("/installiert");
             QDir().mkpath(ordner);
             for (int i = 0; i < 20; ++i) {
                 CZeitVDN zeit;
                 zeit.setze_jetzt();
                 (void)ergaenze_unistall(QStringLiteral("runde%1/datei%2.txt").arg(runde).arg(i), zeit);
             }
             QString datei;
             fehler_im_log(gesagt, ordner, [&] {
                 CUninstallInfo aufzeichnung(ordner);
                 if (!aufzeichnung.schreibe_unistall())
                     gesagt << QStringLiteral("schreibe_unistall: false");
                 datei = aufzeichnung.gib_dateiname();
             });
             unistall_map().clear();
             return datei;
         }},
        {"Updater: das Register des Produkts (/sdirUpdateZip)",
         [](int runde, QStringList& gesagt) {
             const QString ziel = ablage() + QStringLiteral("/produkt");
             QDir().mkpath(ziel);
             QFile(ziel + QStringLiteral("/talvor.exe")).open(QIODevice::WriteOnly);
             setze_zielverzeichnis_vorgabe(CQString(ziel));
             UpdaterMainWindow::vergiss_produkt();
             // The archive chosen last, a long name so that the file outgrows the limit.
             gib_sdir_update_zip().setze_wert_qstr(
                 CQString(ablage() + QLatin1Char('/') + QString(300, QLatin1Char('a' + runde)) + QStringLiteral(".zip")));
             const QString datei =
                 QSettings(einstellungsformat(), QSettings::UserScope, QStringLiteral("Quorbel GmbH"), QStringLiteral("Talvor"))
                     .fileName();
             fehler_im_log(gesagt, datei, [] { UpdaterMainWindow::instanz()->speichere_einstellungen(); });
             UpdaterMainWindow::zerstoere_instanz();
             gib_sdir_update_zip().setze_wert_qstr(CQString());
             setze_zielverzeichnis_vorgabe(CQString());
             return datei;
         }},
        {"Kern: eine Datei ganz geschrieben",
         [](int runde, QStringList& gesagt) {
             const QString pfad = ablage() + QStringLiteral("/ganz.txt");
             const QString fehler = schreibe_ganz(pfad, QByteArray(600 + runde, 'g'));
             if (!fehler.isEmpty())
                 gesagt << fehler;
             return pfad;
         }},
        {"Kern: eine Kopie",
         [](int runde, QStringList& gesagt) {
             const QString quelle = ablage() + QStringLiteral("/quelle.bin");
             const QString pfad = ablage() + QStringLiteral("/kopie.bin");
             if (runde == 0 && !schreibe_ganz(quelle, QByteArray(700, 'q')).isEmpty())
                 gesagt << QStringLiteral("keine Quelle");
             if (kopiere_datei(quelle, pfad, true, false) != 0)
                 gesagt << QStringLiteral("kopiere_datei: 2");
             return pfad;
         }},
        {"Kern: eine Textdatei ganz geschrieben",
         [](int runde, QStringList& gesagt) {
             const QString pfad = ablage() + QStringLiteral("/text.txt");
             CQIODatei datei{CQString(pfad)};
             if (!datei.oeffne(false, true, true, false, true)) {
                 gesagt << QStringLiteral("nicht geoeffnet: ") + datei.gib_fehlertext();
                 return pfad;
             }
             datei.setze_codec(true);
             datei.schreibe_zeile(CQString(QString(800, QLatin1Char('a' + runde))));
             if (!datei.schliesse())
                 gesagt << datei.gib_fehlertext();
             return pfad;
         }},
    };
    return tabelle;
}

// Runs every row once to make its old file, then again while `scheitern` stands for the failing
// write: each old file stays byte for byte and each failure was told.
class Speichertabelle : public Schreibgrenze
{
protected:
    std::vector<QString> schreibe_alle(const QString& ordner)
    {
        qputenv("HOME", ordner.toUtf8());
        QSettings::setPath(einstellungsformat(), QSettings::UserScope, ordner + QStringLiteral("/config"));
        ablage() = ordner;
        std::vector<QString> dateien;
        for (const Speicher& zeile : speicher()) {
            QStringList gesagt;
            dateien.push_back(zeile.schreibe(0, gesagt));
            EXPECT_TRUE(gesagt.isEmpty() && boxen.isEmpty()) << zeile.name << ": " << qPrintable(gesagt.join('\n'));
        }
        return dateien;
    }

    void pruefe(const QString& ordner, const std::function<std::function<void()>()>& scheitern)
    {
        const std::vector<QString> dateien = schreibe_alle(ordner);
        std::vector<QByteArray> alt;
        // Several rows share the settings file: it is taken once all have written.
        for (const QString& datei : dateien) {
            alt.push_back(inhalt(datei));
            EXPECT_GT(alt.back().size(), int(grenze_klein)) << qPrintable(datei);
        }
        for (std::size_t i = 0; i < speicher().size(); ++i) {
            const Speicher& zeile = speicher()[i];
            boxen.clear();
            warnungen().clear();
            QStringList gesagt;
            {
                const std::function<void()> ende = scheitern();
                zeile.schreibe(1, gesagt);
                ende();
            }
            EXPECT_EQ(inhalt(dateien[i]), alt[i]) << zeile.name;
            gesagt << boxen << warnungen();
            EXPECT_FALSE(gesagt.isEmpty()) << zeile.name << " did not tell of the failure";
        }
        // Nothing is left behind beside the files.
        for (const QString& datei : dateien)
            for (const QString& name : QDir(QFileInfo(datei).path()).entryList(QDir::Files | QDir::Hidden))
                EXPECT_FALSE(name.contains(QStringLiteral(".tmp")) || name.endsWith(QStringLiteral(".lock")))
                    << qPrintable(name);
    }

    static constexpr rlim_t grenze_klein = 256;
};

} // namespace

TEST_F(Speichertabelle, JedeGanzGeschriebeneDateiBleibtBeiDateigrenzeUndVollemDateisystemUndDerFehlerWirdGesagt)
{
    QTemporaryDir begrenzt;
    {
        SCOPED_TRACE("file-size limit");
        pruefe(begrenzt.path(), [] {
            auto grenze = std::make_shared<Dateigrenze>(grenze_klein);
            return [grenze]() mutable { grenze.reset(); };
        });
    }

    // A small file system of its own, filled up before the second write.
    const KleinesDateisystem klein("size=256k");
    if (!klein.ok)
        GTEST_SKIP() << "no tmpfs can be mounted here (mounting needs root): the full file system is left to a run as root";
    pruefe(klein.ordner, [&klein] {
        klein.fuelle_bis(0);
        return [&klein] { klein.leere(); };
    });
}

// Every store writes the file its path names as the file system finds it (a link, a chain, a
// relative link in a linked folder, where resolving the text would hit a decoy), writes in place
// in a folder where no file may be added, and keeps owner, group, ACL and attributes of a shared file.
TEST_F(Speichertabelle, JedeGanzGeschriebeneDateiGehtDurchVerweiseUndBleibtDieGeteilte)
{
    QTemporaryDir tmp;
    const QString o = tmp.path();
    const std::vector<QString> dateien = schreibe_alle(o);
    ASSERT_TRUE(QDir().mkpath(o + "/echt/ordner") && QDir().mkpath(o + "/echt/daten") && QDir().mkpath(o + "/daten")
                && QFile::link(o + "/echt/ordner", o + "/verlinkt"));
    // The kernel's layout of "system.posix_acl_access"; the named user 4242 may read.
    const QByteArray leser = QByteArray::fromHex("0200040092100000");
    const QByteArray acl = QByteArray::fromHex("0200000001000600ffffffff") + leser
                           + QByteArray::fromHex("04000600ffffffff10000600ffffffff20000400ffffffff");
    const char* const faelle[] = {"Verweis", "Kette", "Ordner", "gesperrt", "geteilt"};
    for (int fall = 0; fall < 5; ++fall) {
        for (std::size_t i = 0; i < speicher().size(); ++i) {
            const QString pfad = dateien[i], name = QLatin1String(faelle[fall]) + QString::number(i);
            SCOPED_TRACE(std::string(faelle[fall]) + ": " + speicher()[i].name);
            // The installer's record never follows a link in the product's folder; Qt's settings
            // need a lock file beside theirs.
            if (pfad.endsWith("uninstall.dat") || (fall == 3 && pfad.endsWith(".conf")))
                continue;
            const QString echt = fall > 2 ? pfad : o + "/echt/daten/" + name;
            const QString ziel = fall == 0 ? echt : (fall == 1 ? o + "/echt/" : o + "/verlinkt/") + name;
            const QByteArray bisher = inhalt(pfad), e = QFile::encodeName(echt);
            ASSERT_TRUE(QFile::remove(pfad) && schreibe_ganz(echt, bisher).isEmpty()
                        && (fall != 2 || schreibe_ganz(o + "/daten/" + name, "Koeder").isEmpty()));
            ASSERT_TRUE(fall > 2 || ((fall == 0 || QFile::link((fall == 1 ? "daten/" : "../daten/") + name, ziel)) && QFile::link(ziel, pfad)));
            const timespec damals[2] = {{978307200, 0}, {978307200, 0}};
            ASSERT_EQ(::utimensat(AT_FDCWD, e, damals, 0), 0);
            if ((fall == 3 && QProcess::execute("chattr", {"+i", QFileInfo(pfad).path()}) != 0)
                || (fall == 4 && (::chown(e, 65534, 65534) != 0 || ::chmod(e, 0664) != 0
                                  || ::setxattr(e, "system.posix_acl_access", acl.constData(), acl.size(), 0) != 0
                                  || ::setxattr(e, "user.herkunft", "geteilt", 7, 0) != 0)))
                GTEST_SKIP() << "a locked folder and another user's file with an access list need root and ext4";
            QStringList gesagt;
            boxen.clear();
            speicher()[i].schreibe(fall + 1, gesagt);
            ASSERT_TRUE(fall != 3 || QProcess::execute("chattr", {"-i", QFileInfo(pfad).path()}) == 0);
            EXPECT_TRUE(gesagt.isEmpty() && boxen.isEmpty()) << qPrintable(gesagt.join('\n') + boxen.join('\n'));
            EXPECT_GT(QFileInfo(echt).lastModified().date().year(), 2001);
            EXPECT_TRUE(QFileInfo(pfad).isSymLink() == (fall < 3) && (fall != 2 || inhalt(o + "/daten/" + name) == "Koeder"));
            char wert[100];
            EXPECT_TRUE(fall != 4 || (QFileInfo(echt).ownerId() == 65534 && QFileInfo(echt).groupId() == 65534
                                      && ::getxattr(e, "user.herkunft", wert, sizeof wert) == 7
                                      && QByteArray(wert, int(qMax<ssize_t>(0, ::getxattr(e, "system.posix_acl_access", wert, sizeof wert))))
                                             .contains(leser)));
        }
    }
}

// In a sticky folder that others may write, what another account planted at the store's name (a
// link to the user's file, a link to a name it chose, its own file that all may write, its device)
// is neither followed nor written nor replaced: nothing of the user's changes, and the save is
// refused with the file named.
TEST_F(Speichertabelle, JedeGanzGeschriebeneDateiFolgtImGeteiltenOrdnerKeinemFremden)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "links and files of another account need root to be made";
    QTemporaryDir tmp;
    const QString o = tmp.path();
    const std::vector<QString> dateien = schreibe_alle(o);
    ASSERT_TRUE(QDir().mkpath(o + "/echt"));
    const char* const faelle[] = {"Link eines anderen auf die eigene Datei", "verwaister Link eines anderen",
                                  "Datei eines anderen, die alle schreiben duerfen", "Geraet eines anderen"};
    for (int fall = 0; fall < 4; ++fall) {
        for (std::size_t i = 0; i < speicher().size(); ++i) {
            const QString pfad = dateien[i], echt = o + QStringLiteral("/echt/%1-%2").arg(fall).arg(i);
            const QByteArray ordner = QFile::encodeName(QFileInfo(pfad).path()), p = QFile::encodeName(pfad);
            SCOPED_TRACE(std::string(faelle[fall]) + ": " + speicher()[i].name);
            const QByteArray bisher = inhalt(pfad), fremd = "gehoert einem anderen";
            struct stat vorher;
            ASSERT_TRUE(::stat(ordner, &vorher) == 0 && QFile::remove(pfad) && (fall != 0 || schreibe_ganz(echt, bisher).isEmpty()));
            ASSERT_TRUE(fall == 3 ? ::mknod(p, S_IFCHR | 0666, makedev(1, 3)) == 0 : fall == 2 ? schreibe_ganz(pfad, fremd).isEmpty() && ::chmod(p, 0666) == 0 : QFile::link(echt, pfad));
            const mode_t geteilt[] = {01777, 01770, 03775}; // all, or a team alone
            ASSERT_TRUE(::lchown(p, 65534, 65534) == 0 && ::chmod(ordner, geteilt[(std::size_t(fall) + i) % 3]) == 0);
            QStringList gesagt;
            boxen.clear();
            warnungen().clear();
            speicher()[i].schreibe(fall + 1, gesagt);
            EXPECT_TRUE(fall >= 2 || CDateisperre::sperrdatei(pfad).isEmpty()); // nor is a lock file made anywhere
            ASSERT_EQ(::chmod(ordner, vorher.st_mode & 07777), 0);
            EXPECT_EQ(inhalt(fall == 2 ? pfad : echt), fall == 0 ? bisher : (fall == 2 ? fremd : QByteArray("<fehlt>")));
            EXPECT_TRUE(::lstat(p, &vorher) == 0 && S_ISLNK(vorher.st_mode) == (fall < 2) && S_ISCHR(vorher.st_mode) == (fall == 3) && vorher.st_uid == 65534);
            // The copy, and the installer's record behind a link, answer only yes or no.
            gesagt << boxen << warnungen();
            EXPECT_TRUE(gesagt.join('\n').contains(QFileInfo(pfad).fileName())
                        || (gesagt.size() == 1 && QRegularExpression("^\\w+: (false|2)$").match(gesagt[0]).hasMatch()))
                << qPrintable(gesagt.join('\n'));
            ASSERT_TRUE(QFile::remove(pfad) && schreibe_ganz(pfad, bisher).isEmpty());
        }
    }
    // A reader by a name the user gave takes the one rule too: a copy from such a link reads nothing.
    ASSERT_TRUE(QFile::link(o + "/echt/0-0", o + "/quelle") && ::lchown(QFile::encodeName(o + "/quelle"), 65534, 65534) == 0
                && ::chmod(QFile::encodeName(o), 01777) == 0);
    EXPECT_EQ(kopiere_datei(o + "/quelle", o + "/echt/kopie", true, false), 1);
    EXPECT_EQ(::chmod(QFile::encodeName(o), 0700), 0);
}
