// The report browser on a web page, under a virtual X server: loading, the local files a report may read and the jumps it may make, links by the allow-list in both kinds of page, printing through PDF data with and without printer assignment, the test print, PDF files to show, the load-then-print road, and the report viewer mailing UTF-8 copies of its report with their PDF.
#include "berichtstest.h"
#include "camisc.h"
#include "cgbrowserdiag.h"
#include "cgbrowserex.h"
#include "cgmail.h"
#include "cseiteeinrichtenwidget.h"
#include "fensterschliesser.h"
#include "pdfpruefung.h"
#include "plattform.h"
#include "schreibtisch.h"
#include "seitenlesung.h"
#include "systemwerte.h"
#include "testserver.h"
#include "verzeichnisse.h"
#include "kleinesdateisystem.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMouseEvent>
#include <QProgressBar>
#include <QProgressDialog>
#include <QToolBar>
#include <QDir>
#include <QDirIterator>
#include <QWebEngineProfile>
#include <QFile>
#include <QImage>
#include <QStandardPaths>
#include <QTextCodec>
#include <QTimer>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

namespace {

// Lets the engine deliver what it still has in hand.
void lasse_laufen(int ms)
{
    warte([] { return false; }, ms);
}

int zaehle(const std::string& text, const std::string& teil)
{
    int anzahl = 0;
    for (auto pos = text.find(teil); pos != std::string::npos; pos = text.find(teil, pos + 1))
        ++anzahl;
    return anzahl;
}

class Webseite : public Berichtstest
{
protected:
    void SetUp() override
    {
        Berichtstest::SetUp();
        druckdatei = pfad("o/dialog.pdf");
        QDir().mkpath(pfad("o"));
        CGBrowserWeb::setze_renderwaechter([this](QWebEngineView* seite) { bewacht << seite; });
        gib_steuerdaten(true)->setze_wert(QStringLiteral("/Allgemein/HTML_Viewer_verwende_QWebEngineView"),
                                          QStringLiteral("true"));
        // A page red from edge to edge.
        rot = schreibe(QStringLiteral("r/w.html"),
                       "<html><head><style>html,body{margin:0;height:100%;background:#ff0000}</style></head>"
                       "<body><p>ROT</p></body></html>");
    }

    void TearDown() override
    {
        browser.reset();
        CGBrowserWeb::setze_renderwaechter({});
        CAmisc::instanz(true)->setze_druckerzuordnung(nullptr);
        Berichtstest::TearDown();
    }

    // The browser in its one-page form with `quelle` loaded, by default the red page.
    std::unique_ptr<CGBrowser> geladener_browser(const QString& quelle = QString())
    {
        auto browser = std::make_unique<CGBrowser>(nullptr, CQString("web"), false);
        CGBrowserWeb* seite = browser->gib_webseite1();
        if (!seite)
            return browser;
        QObject::connect(seite, &CGBrowserWeb::homeAvailable, [this](bool b) { zuhause << b; });
        browser->resize(600, 400);
        browser->show();
        browser->setze_quelle(CQString(quelle.isEmpty() ? rot : quelle));
        EXPECT_TRUE(warte([this] { return !zuhause.isEmpty(); }));
        lasse_laufen(300);
        return browser;
    }
    // The page of `browser`, loaded with `quelle`; null without a web page.
    CGBrowserWeb* zeige(const QString& quelle)
    {
        browser = geladener_browser(quelle);
        return browser->gib_webseite1();
    }

    std::unique_ptr<CGBrowser> browser;
    QList<QWebEngineView*> bewacht;
    QList<bool> zuhause;
    QString rot;
};

} // namespace

TEST_F(Webseite, LaedtSeineQuelleEinmalUndGibtSichDemWaechter)
{
    const std::unique_ptr<CGBrowser> browser = geladener_browser();
    ASSERT_TRUE(browser->verwendet_web());
    CGBrowserWeb* seite = browser->gib_webseite1();
    ASSERT_NE(seite, nullptr);
    EXPECT_TRUE(browser->findChildren<CGBrowserEx*>().isEmpty());
    EXPECT_EQ(bewacht, QList<QWebEngineView*>{seite});
    EXPECT_EQ(zuhause, QList<bool>{false});
    EXPECT_EQ(seite->gib_quelle(), rot);
    EXPECT_TRUE(seite->gib_html().contains(QStringLiteral("ROT")));

    // Each finished load arrives once, with its warning when the progress had not reached 100.
    const std::string warnung = "Received finished signal while progress is still:";
    const int vorher = zaehle(log.text(), warnung);
    seite->setProgress(40);
    emit static_cast<QWebEngineView*>(seite)->loadFinished(true);
    EXPECT_EQ(zaehle(log.text(), warnung), vorher + 1) << log.text();
    seite->setProgress(100);
    emit static_cast<QWebEngineView*>(seite)->loadFinished(true);
    EXPECT_EQ(zaehle(log.text(), warnung), vorher + 1);

    // The middle button loads the selection when it is an address, not a plain word.
    const auto mittelklick = [seite](const QString& auswahl) {
        QApplication::clipboard()->setText(auswahl, QClipboard::Selection);
        QMouseEvent druck(QEvent::MouseButtonPress, QPointF(50, 50), Qt::MiddleButton, Qt::MiddleButton, Qt::NoModifier);
        QApplication::sendEvent(seite->focusProxy(), &druck);
        QMouseEvent los(QEvent::MouseButtonRelease, QPointF(50, 50), Qt::MiddleButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(seite->focusProxy(), &los);
        lasse_laufen(300);
    };
    mittelklick(QStringLiteral("Wort"));
    EXPECT_EQ(seite->url(), QUrl::fromLocalFile(rot));
    const QUrl ziel(QUrl::fromLocalFile(rot).toString() + QStringLiteral("?mitte=1"));
    mittelklick(ziel.toString());
    EXPECT_TRUE(warte([&] { return seite->url() == ziel; })) << seite->url().toString().toStdString();
}

// Every file of the program's profile is the user's alone, "Visited Links" too once the engine wrote it.
TEST_F(Webseite, DasProfilDesProgrammsLiestNurSeinBenutzer)
{
    const std::unique_ptr<CGBrowser> browser = geladener_browser();
    const QString profil = QWebEngineProfile::defaultProfile()->persistentStoragePath();
    EXPECT_TRUE(warte([&] { return QFileInfo(profil + "/Visited Links").size() > 0; }, 20000));
    for (QDirIterator dateien(profil, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); dateien.hasNext();)
        EXPECT_EQ(QFileInfo(dateien.next()).permissions() & 0x0077, 0) << qPrintable(dateien.filePath());
}

// A web report in Cyrillic and Chinese that names no charset, saved as HTML with the language
// German right after it was shown: the save waits for the page and the file reads back with every
// character, in the encoding it declares.
TEST_F(Webseite, SpeichernErstGeladenGanzUndMitFremderSchrift)
{
    const QString bericht = schreibe(QStringLiteral("b/kunde.html"),
                                     "<html><head><title>K</title></head><body>" + QByteArray("<p>Zeile</p>").repeated(50000)
                                         + "<p>Kunde &#1048;&#1074;&#1072;&#1085;"
                                     "&#1086;&#1074; Ort &#26481;&#20140; Gr&uuml;&szlig;e</p></body></html>");
    browser = std::make_unique<CGBrowser>(nullptr, CQString("web"), false);
    browser->setze_quelle(CQString(bericht));
    ASSERT_TRUE(browser->gib_webseite1()->laedt());
    browser->speicherziel = CQString(pfad("o/kunde.html"));
    browser->speichern_unter(1, false);
    EXPECT_TRUE(boxen.isEmpty()) << boxen.join('|').toStdString();
    const QByteArray html = lies(pfad("o/kunde.html"));
    QTextCodec* codec = QTextCodec::codecForHtml(html, QTextCodec::codecForName("Windows-1252"));
    EXPECT_EQ(codec->name(), "UTF-8") << html.constData();
    EXPECT_TRUE(codec->toUnicode(html).contains(QStringLiteral("Kunde Иванов Ort 東京 Grüße"))) << html.constData();
}

// A "file:" link with a relative path in a web report leads beside the report, as in a text page.
TEST_F(Webseite, RelativerDateiLinkFuehrtNebenDenBericht)
{
    const QString unten = schreibe(QStringLiteral("rel/sub/u.html"), "<p>UNTEN</p>");
    const QString bericht = schreibe(QStringLiteral("rel/bericht.html"),
                                     "<html><body style=\"margin:0\"><a href=\"file:sub/u.html\" "
                                     "style=\"display:block;height:40px\">U</a></body></html>");
    CGBrowserWeb* seite = zeige(bericht);
    ASSERT_NE(seite, nullptr);
    QString unter_der_maus;
    QObject::connect(seite, &CGBrowserWeb::linkHovered, [&](const QString& link) { unter_der_maus = link; });
    const QPointF stelle(20, 20);
    QMouseEvent bewegung(QEvent::MouseMove, stelle, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(seite->focusProxy(), &bewegung);
    ASSERT_TRUE(warte([&] { return !unter_der_maus.isEmpty(); }, 5000));
    QMouseEvent druck(QEvent::MouseButtonPress, stelle, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(seite->focusProxy(), &druck);
    QMouseEvent los(QEvent::MouseButtonRelease, stelle, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(seite->focusProxy(), &los);
    EXPECT_TRUE(warte([&] { return seite->url() == QUrl::fromLocalFile(unten); }, 10000))
        << seite->url().toString().toStdString() << " " << unter_der_maus.toStdString();
    EXPECT_TRUE(boxen.isEmpty()) << boxen.join('|').toStdString();
}

TEST_F(Webseite, BerichtLiestKeineLokalenDateienAusserhalbSeinesOrdners)
{
    const QString ordner = QStringLiteral("Bericht \"Ä ö\" 'x' #1");
    const QString geheim = schreibe(QStringLiteral("aussen/geheim.txt"), "GEHEIM");
    schreibe(ordner + "/neben.txt", "NEBEN");
    schreibe(ordner + "/stil.css", "#s { color: rgb(255, 0, 0); }");
    QDir().mkpath(pfad(ordner + "/bilder"));
    QImage(7, 5, QImage::Format_RGB32).save(pfad(ordner + "/bild.png"));
    QImage(3, 2, QImage::Format_RGB32).save(pfad(ordner + "/bilder/unten.png"));
    // A link beside the report that leads out of its folder.
    ASSERT_TRUE(QFile::link(pfad(QStringLiteral("aussen")), pfad(ordner + "/verweis")));
    const QString bericht = schreibe(
        ordner + "/bericht.html",
        QStringLiteral("<html><head><link rel=\"stylesheet\" href=\"stil.css\"></head><body><p id=\"s\">-</p>"
                       "<img id=\"b1\" src=\"bild.png\"><img id=\"b2\" src=\"bilder/unten.png\">"
                       "<iframe src=\"../aussen/geheim.txt\"></iframe><iframe src=\"verweis/geheim.txt\"></iframe>"
                       "<iframe src=\"neben.txt\"></iframe><script>"
                       "function lies(a) { try { var x = new XMLHttpRequest(); x.open('GET', a, false); x.send();"
                       " return x.responseText; } catch (e) { return 'verweigert'; } }"
                       "window.gelesen = [lies(\"%1\"), lies('../aussen/geheim.txt'), lies('verweis/geheim.txt'),"
                       " lies('neben.txt')];"
                       "document.getElementById('s').textContent = 'GEAENDERT';"
                       "</script></body></html>")
            .arg(QUrl::fromLocalFile(geheim).toString(QUrl::FullyEncoded))
            .toUtf8());

    CGBrowser browser(nullptr, CQString("web"), false);
    CGBrowserWeb* seite = browser.gib_webseite1();
    ASSERT_NE(seite, nullptr);
    QObject::connect(seite, &CGBrowserWeb::homeAvailable, [this](bool b) { zuhause << b; });
    browser.resize(600, 400);
    browser.show();
    browser.setze_quelle(CQString(bericht));
    ASSERT_TRUE(warte([this] { return !zuhause.isEmpty(); }));
    lasse_laufen(500);

    QString ergebnis;
    seite->page()->runJavaScript(
        QStringLiteral("JSON.stringify([gelesen, document.getElementById('s').textContent,"
                       " getComputedStyle(document.getElementById('s')).color,"
                       " document.getElementById('b1').naturalWidth, document.getElementById('b2').naturalWidth])"),
        [&](const QVariant& wert) { ergebnis = wert.toString(); });
    ASSERT_TRUE(warte([&] { return !ergebnis.isEmpty(); }));
    // No script reads a local file, not even one beside the report; the script still changes
    // the page, and style sheet and pictures beside the report and below it load.
    EXPECT_EQ(ergebnis, QStringLiteral("[[\"verweigert\",\"verweigert\",\"verweigert\",\"verweigert\"],"
                                       "\"GEAENDERT\",\"rgb(255, 0, 0)\",7,3]"));
    // Nor by fetch, once the page has loaded.
    const std::string verweigert = "verweigert | verweigert";
    EXPECT_EQ(lies_durch_seite(seite->page(), QUrl::fromLocalFile(geheim)), verweigert);
    EXPECT_EQ(lies_durch_seite(seite->page(), QUrl::fromLocalFile(pfad(ordner + "/neben.txt"))), verweigert);

    // Frames show what lies beside the report, nothing from elsewhere.
    QString text;
    seite->page()->toPlainText([&](const QString& t) { text = t; });
    ASSERT_TRUE(warte([&] { return !text.isEmpty(); }));
    EXPECT_TRUE(text.contains(QStringLiteral("NEBEN"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("GEHEIM"))) << text.toStdString();
    EXPECT_FALSE(seite->gib_html().contains(QStringLiteral("GEHEIM")));
    EXPECT_NE(log.text().find(("nicht geladen: '" + geheim + "'").toStdString()), std::string::npos) << log.text();
}

TEST_F(Webseite, DrucktUeberPdfDatenAufDemZugeordnetenDrucker)
{
    const std::unique_ptr<CGBrowser> browser = geladener_browser();
    CSeiteEinrichtenWidget zuordnung;
    CAmisc::instanz(true)->setze_druckerzuordnung(&zuordnung);
    ASSERT_NE(zuordnung.fuege_pdf_drucker_hinzu(), nullptr);
    zuordnung.slot_setzeDefault();
    antwort = pfad("o/w.pdf");

    // A second print before the first one's data came is refused.
    QTimer::singleShot(0, [&] { browser->drucke(0); });
    browser->drucke(0);
    const QString fertig = QStringLiteral("1|PDF erstellt: '%1'").arg(antwort);
    ASSERT_TRUE(warte([&] { return boxen.contains(fertig); })) << boxen.join(QLatin1Char('|')).toStdString();
    lasse_laufen(300);
    EXPECT_EQ(boxen, QStringList({QStringLiteral("2|Es ist noch eine Druckausgabe aktiv.\n- Bitte warten -"), fertig}));
    EXPECT_EQ(seitenzahl(antwort), 1);
    const QVector<QImage> bilder = seitenbilder(antwort, 20);
    ASSERT_EQ(bilder.size(), 1);
    const QColor mitte = bilder[0].pixelColor(bilder[0].rect().center());
    EXPECT_TRUE(mitte.red() > 200 && mitte.green() < 60 && mitte.blue() < 60) << mitte.name().toStdString();

    // A refused output file ends the job: the next print asks again.
    boxen.clear();
    antwort.clear();
    const int dialoge = speicherdialoge;
    browser->drucke(0);
    browser->drucke(0);
    EXPECT_EQ(speicherdialoge, dialoge + 2);
    EXPECT_TRUE(boxen.isEmpty()) << boxen.join(QLatin1Char('|')).toStdString();

    // A file that cannot be written: an error, and no word of a PDF made.
    antwort = pfad("fehlt/w.pdf");
    browser->drucke(0);
    ASSERT_TRUE(warte([&] { return log.text().find("fehlgeschlagen") != std::string::npos; })) << log.text();
    lasse_laufen(200);
    EXPECT_TRUE(boxen.isEmpty()) << boxen.join(QLatin1Char('|')).toStdString();
}

TEST_F(Webseite, OhneZuordnungWaehltDerDruckdialog)
{
    const std::unique_ptr<CGBrowser> browser = geladener_browser();
    browser->drucke(0);
    EXPECT_EQ(druckdialoge, 1);
    ASSERT_TRUE(warte([&] { return QFile::exists(pfad("o/dialog.pdf")); }));
    lasse_laufen(300);
    EXPECT_EQ(seitenzahl(pfad("o/dialog.pdf")), 1);
    // A PDF file chosen in the dialog holds the page's text, not a picture of it.
    EXPECT_TRUE(seiten_text(pfad("o/dialog.pdf")).value(0).contains(QStringLiteral("ROT")));
    EXPECT_TRUE(boxen.isEmpty()) << boxen.join(QLatin1Char('|')).toStdString();
}

TEST_F(Webseite, TestdruckDerZuordnungUeberEineVerborgeneSeite)
{
    CSeiteEinrichtenWidget zuordnung;
    CAmisc::instanz(true)->setze_druckerzuordnung(&zuordnung);
    ASSERT_NE(zuordnung.fuege_pdf_drucker_hinzu(), nullptr);
    antwort = pfad("o/test.pdf");
    zuordnung.slot_druckeTestseiteWE();
    ASSERT_TRUE(warte([&] { return log.text().find("Testdruck auf Drucker 'PDFDatei' erfolgt") != std::string::npos; }))
        << log.text();
    EXPECT_NE(log.text().find("INFO"), std::string::npos);
    EXPECT_TRUE(boxen.contains(QStringLiteral("1|PDF erstellt: '%1'").arg(antwort)));
    // The printer prints the page as a picture: the description shows as dark pixels.
    const QVector<QImage> bilder = seitenbilder(antwort, 30);
    ASSERT_EQ(bilder.size(), 1);
    bool dunkel = false;
    for (int y = 0; y < bilder[0].height() && !dunkel; ++y)
        for (int x = 0; x < bilder[0].width() && !dunkel; ++x)
            dunkel = bilder[0].pixelColor(x, y).lightness() < 128;
    EXPECT_TRUE(dunkel);
    CQString meldung;
    EXPECT_EQ(zuordnung.gib_testdrucker(meldung), nullptr);
    lasse_laufen(200);
}

TEST_F(Webseite, PdfZumZeigenJedesMalNeuUndLadenZumDrucken)
{
    viewer_stub(true);
    const std::unique_ptr<CGBrowser> browser = geladener_browser();
    browser->speichern_unter(2, true);
    ASSERT_EQ(gezeigt(1).size(), 1);
    browser->speichern_unter(2, true);
    const QStringList dateien = gezeigt(2);
    ASSERT_EQ(dateien.size(), 2);
    EXPECT_NE(dateien[0], dateien[1]);
    for (const QString& datei : dateien) {
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^%1/tmp_Quorbel_\\w{6}\\.pdf$")
                                           .arg(QRegularExpression::escape(QDir::tempPath())))
                        .match(datei)
                        .hasMatch())
            << datei.toStdString();
        EXPECT_EQ(seitenzahl(datei), 1);
        QFile::remove(datei);
    }

    // Saved where the user chose: the rights of any file the user saves, not the engine's own.
    const mode_t maske = ::umask(022);
    browser->speicherziel = CQString(pfad("o/gespeichert.pdf"));
    browser->speichern_unter(2, false);
    const QFileInfo gespeichert(pfad("o/gespeichert.pdf"));
    EXPECT_TRUE(warte([&] {
        QFileInfo jetzt(gespeichert.filePath());
        return jetzt.size() > 0 && (jetzt.permissions() & QFileDevice::ReadOther);
    }, 10000));
    ::umask(maske);
    EXPECT_EQ(seitenzahl(gespeichert.filePath()), 1);
    // A saved PDF is not shown: the viewer got the two files to show and nothing more.
    lasse_laufen(1000);
    EXPECT_EQ(QString::fromUtf8(lies(pfad("viewer.txt"))).count(QLatin1Char('\n')), 2);
    EXPECT_TRUE(shell.isEmpty());

    CGBrowserWeb drucken(nullptr);
    int fertig = 0;
    int ohne_pdf = 0;
    QObject::connect(&drucken, &CGBrowserWeb::pdfFertig, [&] { ++fertig; });
    QObject::connect(&drucken, &CGBrowserWeb::pdfFehlgeschlagen, [&] { ++ohne_pdf; });
    drucken.lade_zum_drucken(CQString(rot), CQString(pfad("o/l.pdf")), CQString(pfad("o/l2.html")));
    ASSERT_TRUE(warte([&] { return fertig > 0; }));
    lasse_laufen(500);
    EXPECT_EQ(fertig, 1);
    EXPECT_EQ(ohne_pdf, 0);
    EXPECT_EQ(seitenzahl(pfad("o/l.pdf")), 1);
    QFile zweiter(pfad("o/l2.html"));
    ASSERT_TRUE(zweiter.open(QIODevice::ReadOnly));
    EXPECT_TRUE(zweiter.readAll().contains("ROT"));
    // A second name that cannot be written is said, with why; the PDF still comes.
    drucken.lade_zum_drucken(CQString(rot), CQString(pfad("o/l3.pdf")), CQString(pfad("fehlt/l3.html")));
    ASSERT_TRUE(warte([&] { return fertig > 1; }));
    EXPECT_NE(log.text().find(QStringLiteral("Konnte Ausgabedatei '%1' nicht oeffnen. %2").arg(pfad("fehlt/l3.html"), qt_error_string(ENOENT)).toStdString()),
              std::string::npos)
        << log.text();

    CGBrowserWeb fehlt(nullptr);
    int fehlt_fertig = 0;
    int fehlt_ohne = 0;
    QObject::connect(&fehlt, &CGBrowserWeb::pdfFertig, [&] { ++fehlt_fertig; });
    QObject::connect(&fehlt, &CGBrowserWeb::pdfFehlgeschlagen, [&] { ++fehlt_ohne; });
    fehlt.lade_zum_drucken(CQString(pfad("fehlt.html")), CQString(pfad("o/m.pdf")), CQString());
    ASSERT_TRUE(warte([&] { return fehlt_ohne > 0; }));
    lasse_laufen(300);
    EXPECT_EQ(fehlt_ohne, 1);
    EXPECT_EQ(fehlt_fertig, 0);
    EXPECT_FALSE(QFile::exists(pfad("o/m.pdf")));
}

// A web page saved as PDF over an existing file on a full file system: the old file keeps every
// byte, the failure is logged with the file's name, and no temporary file is left.
TEST_F(Webseite, PdfAufVollemDatentraegerLaesstDieAlteDateiUndWirdGemeldet)
{
    const KleinesDateisystem voll("size=256k");
    if (!voll.ok)
        GTEST_SKIP() << "a small file system of its own can only be mounted as root";
    const QString ziel = voll.pfad(QStringLiteral("bericht.pdf"));
    const QByteArray alt = "%PDF-1.4 the old report\n";
    {
        QFile datei(ziel);
        ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
        datei.write(alt);
    }
    voll.fuelle_bis(1024);
    const std::unique_ptr<CGBrowser> browser = geladener_browser();
    browser->speicherziel = CQString(ziel);
    browser->speichern_unter(2, false);
    const std::string meldung = QStringLiteral("Konnte Ausgabedatei '%1' nicht oeffnen.").arg(ziel).toStdString();
    ASSERT_TRUE(warte([&] { return log.text().find(meldung) != std::string::npos; }, 20000)) << log.text();
    EXPECT_EQ(lies(ziel), alt);
    EXPECT_EQ(QDir(QFileInfo(ziel).path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{QStringLiteral(".fueller"), QStringLiteral("bericht.pdf")}));
}

TEST_F(Webseite, BetrachterMailtDasProtokollMitSeinemPdf)
{
    if (!ist_64bit_system())
        GTEST_SKIP() << "the bridge's path is that of a 64-bit system";
    QWidget haupt;
    setze_hauptfenster(&haupt);
    auto* betrachter = new CGBrowserDiag(&haupt, CQString("Vorgangsprotokoll"), false, Qt::WindowFlags(), false);
    const QList<QAction*> aktionen = betrachter->findChildren<QToolBar*>().value(0)->actions();
    QStringList texte;
    for (const QAction* a : aktionen)
        texte << (a->isSeparator() ? QStringLiteral("|") : a->text() + (a->isEnabled() ? "" : "-"));
    EXPECT_EQ(texte, QStringList({"Drucken", "Speichern unter...", "Mailen", "|", "PDF zeigen (um zu Drucken)",
                                  "Aktuelle Seite neu laden", "Home-", "Zurück-", "Vorwärts-"}));
    EXPECT_EQ(aktionen[1]->menu()->actions().size(), 2);
    QProgressBar* balken = betrachter->findChild<QProgressBar*>();
    betrachter->slotLoadProgress(50);
    EXPECT_TRUE(balken->isVisibleTo(betrachter) && balken->value() == 50);
    betrachter->slotLoadProgress(100);
    EXPECT_FALSE(balken->isVisibleTo(betrachter));

    const QString bruecke = bruecke_stub();
    const auto maile = [&](const QString& quelle) {
        zuhause.clear();
        QObject::connect(betrachter->browser->gib_webseite1(), &CGBrowserWeb::homeAvailable, [this](bool b) { zuhause << b; });
        betrachter->browser->setze_quelle(CQString(quelle));
        EXPECT_TRUE(warte([this] { return !zuhause.isEmpty(); }));
        lasse_laufen(300);
        aktionen[2]->trigger();
    };
    const QString protokoll = schreibe("p/protokoll.html", "<p>PROTOKOLL</p>");
    maile(protokoll);
    ASSERT_TRUE(warte([&] { return QFile::exists(pfad("args.txt")) && !mail_aktiv; }));
    const QString mailordner = QRegularExpression::escape(gib_eigene_dateien().absolutePath()) + "/\\.mail_\\w{6}/";
    EXPECT_EQ(lies(protokoll), "<p>PROTOKOLL</p>");
    EXPECT_TRUE(QRegularExpression("^" + mailordner + "protokoll\\.html$").match(anlagen().value(0)).hasMatch());
    EXPECT_TRUE(lies(pfad("copy.txt")).contains("\r\n2\r\nprotokoll.html\r\nprotokoll.pdf\r\n"));
    EXPECT_EQ(QString::fromUtf8(lies(pfad("args.txt"))).section('\n', 0, 0), bruecke);
    EXPECT_TRUE(boxen.isEmpty()) << boxen.join('|').toStdString();

    // A report that is missing is said so when it is opened; the viewer is empty then, before
    // the engine has loaded its empty page, and there is nothing to mail: said so again, nothing starts.
    QFile::remove(pfad("args.txt"));
    betrachter->browser->setze_quelle(CQString(pfad("fehlt/p.html")));
    EXPECT_EQ(boxen, QStringList{"2|Der Bericht '" + pfad("fehlt/p.html") + "' ist nicht vorhanden !"});
    int piepser = 0;
    setze_piep_funktion([&piepser](unsigned, unsigned) {
        ++piepser;
        return 0;
    });
    aktionen[2]->trigger();
    setze_piep_funktion({});
    EXPECT_EQ(piepser, 0);
    lasse_laufen(300);
    EXPECT_EQ(boxen, QStringList({boxen.value(0), boxen.value(0)}));
    EXPECT_FALSE(QFile::exists(pfad("args.txt")));
    EXPECT_FALSE(mail_aktiv);
}

TEST_F(Webseite, MailenSchicktUtf8KopienUndLaesstBerichtUndPdfDanebenUnberuehrt)
{
    if (!ist_64bit_system())
        GTEST_SKIP() << "the bridge's path is that of a 64-bit system";
    QWidget haupt;
    setze_hauptfenster(&haupt);
    bruecke_stub();
    const QString arbeitsordner = gib_eigene_dateien().absolutePath();
    // The logo lies beside the report, which refers to it relatively.
    const QByteArray html = "<html><head><meta charset=\"utf-8\"><title>B</title></head><body>"
                            "<p>\xCE\xA9mega \xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82</p>"
                            "<img src=\"logo.png\" width=\"200\" height=\"200\"></body></html>";
    QImage logo(200, 200, QImage::Format_RGB32);
    logo.fill(Qt::red);
    const QByteArray text = "Zeile 1: \xCE\xA9mega\r\nZeile 2: \xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82\r\n";
    const QString omega = QString::fromUtf8("\xCE\xA9mega");
    const QString privet = QString::fromUtf8("\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82");
    for (const bool web : {false, true}) {
        gib_steuerdaten(true)->setze_wert(QStringLiteral("/Allgemein/HTML_Viewer_verwende_QWebEngineView"),
                                          web ? QStringLiteral("true") : QStringLiteral("false"));
        for (const QString& name : {QString::fromUtf8("B\xC3\xA4richt \"1\" 'a'.html"), QStringLiteral("notiz.txt")}) {
            SCOPED_TRACE((web ? "web " : "text ") + name.toStdString());
            const bool ist_text = name.endsWith(".txt");
            // Blanks, quotes and umlauts in the folder, and a step back in the path.
            const QString ordner = QString::fromUtf8("\xC3\x9C" "ber \"%1\" 'x'").arg(web ? "w" : "t");
            const QString bericht = pfad(ordner + "/unten/../" + name);
            schreibe(ordner + "/" + name, ist_text ? text : html);
            ASSERT_TRUE(QDir().mkpath(pfad(ordner + "/unten")) && logo.save(pfad(ordner + "/logo.png")));
            const QString stamm = QFileInfo(name).completeBaseName();
            const QString daneben = schreibe(ordner + "/" + stamm + ".pdf", "%PDF-1.4 vom Anwender");

            auto* betrachter = new CGBrowserDiag(&haupt, CQString("Bericht"), true, Qt::WindowFlags(), false);
            ASSERT_EQ(betrachter->browser->verwendet_web(), web);
            if (web) {
                zuhause.clear();
                QObject::connect(betrachter->browser->gib_webseite1(), &CGBrowserWeb::homeAvailable,
                                 [this](bool b) { zuhause << b; });
            }
            betrachter->browser->setze_quelle(CQString(bericht));
            if (web) {
                ASSERT_TRUE(warte([this] { return !zuhause.isEmpty(); }));
            }
            lasse_laufen(300);

            // The bridge waits while the test looks at what it was given.
            schreibe("halt", "");
            QFile::remove(pfad("args.txt"));
            for (QAction* aktion : betrachter->findChildren<QToolBar*>().value(0)->actions())
                if (aktion->text() == "Mailen")
                    aktion->trigger();
            ASSERT_TRUE(warte([&] { return QFile::exists(pfad("args.txt")); }));
            const QStringList liste = anlagen();
            ASSERT_EQ(liste.size(), 2);
            const QString kopie = liste[0];
            EXPECT_TRUE(kopie.startsWith(arbeitsordner + "/")) << kopie.toStdString();
            EXPECT_EQ(QFileInfo(kopie).fileName(), name);
            EXPECT_EQ(liste[1], QFileInfo(kopie).path() + "/" + stamm + ".pdf");
            if (ist_text) {
                EXPECT_EQ(lies(kopie), "\xEF\xBB\xBF" + text);
            } else {
                const QString kopiertext = QString::fromUtf8(lies(kopie));
                EXPECT_TRUE(kopiertext.contains(omega + " " + privet)) << kopiertext.toStdString();
                EXPECT_TRUE(kopiertext.contains("charset=utf-8")) << kopiertext.toStdString();
            }
            const QString pdftext = seiten_text(liste[1]).join("\n");
            EXPECT_TRUE(pdftext.contains(omega) && pdftext.contains(privet)) << pdftext.toStdString();
            if (!ist_text) {
                // The PDF shows the logo found beside the report.
                const QVector<QImage> bilder = seitenbilder(liste[1], 20);
                ASSERT_FALSE(bilder.isEmpty());
                int rote = 0;
                for (int y = 0; y < bilder[0].height(); ++y)
                    for (int x = 0; x < bilder[0].width(); ++x)
                        rote += bilder[0].pixelColor(x, y) == QColor(Qt::red);
                EXPECT_GT(rote, 100);
            }

            QFile::remove(pfad("halt"));
            EXPECT_TRUE(warte([] { return !mail_aktiv; }));
            EXPECT_FALSE(QFileInfo::exists(QFileInfo(kopie).path()));
            EXPECT_EQ(lies(bericht), ist_text ? text : html);
            EXPECT_EQ(lies(daneben), "%PDF-1.4 vom Anwender");
            EXPECT_TRUE(boxen.isEmpty()) << boxen.join('|').toStdString();
            betrachter->close();
        }
    }
}

// A report page's own jumps to a file outside its folder (a refresh, a script at once and later,
// a form) are refused and logged: the page keeps showing its report, and saving as HTML and PDF
// and mailing hold only the report. A report named relative to the current folder is the file
// there.
TEST_F(Webseite, SprungAufEineDateiAusserhalbDesOrdnersBleibtAus)
{
    if (!ist_64bit_system())
        GTEST_SKIP() << "the bridge's path is that of a 64-bit system";
    QWidget haupt;
    setze_hauptfenster(&haupt);
    const QString geheim = schreibe(QStringLiteral("aussen/geheim.txt"), "GEHEIM");
    const QList<QPair<QString, QByteArray>> berichte{
        {QStringLiteral("refresh.html"),
         "<html><head><meta http-equiv=\"refresh\" content=\"0; url=../aussen/geheim.txt\"></head>"
         "<body><p>BERICHT</p></body></html>"},
        {QStringLiteral("sofort.html"),
         "<html><body><p>BERICHT</p><script>location.replace('../aussen/geheim.txt');</script></body></html>"},
        {QStringLiteral("spaeter.html"),
         "<html><body><p>BERICHT</p><script>setTimeout(function() { location.href = '../aussen/geheim.txt'; }, "
         "100);</script></body></html>"},
        {QStringLiteral("formular.html"),
         "<html><body><p>BERICHT</p><form method=\"get\" action=\"../aussen/geheim.txt\"></form>"
         "<script>document.forms[0].submit();</script></body></html>"},
    };
    bruecke_stub();
    QDir().mkpath(pfad("o"));
    for (const auto& [name, html] : berichte) {
        SCOPED_TRACE(name.toStdString());
        const QString bericht = schreibe("b/" + name, html);
        auto* betrachter = new CGBrowserDiag(&haupt, CQString("Bericht"), true, Qt::WindowFlags(), false);
        CGBrowser* browser = betrachter->browser;
        CGBrowserWeb* seite = browser->gib_webseite1();
        ASSERT_NE(seite, nullptr);
        zuhause.clear();
        QObject::connect(seite, &CGBrowserWeb::homeAvailable, [this](bool b) { zuhause << b; });
        betrachter->show();
        const std::string vorher = log.text();
        browser->setze_quelle(CQString(bericht));
        ASSERT_TRUE(warte([this] { return !zuhause.isEmpty(); }));
        // The jump refused is logged once the page tried it.
        EXPECT_TRUE(warte([&] { return log.text().size() > vorher.size()
                                       && log.text().find("nicht gefolgt: '" + geheim.toStdString() + "'",
                                                          vorher.size()) != std::string::npos; }, 10000))
            << log.text();
        lasse_laufen(500);
        EXPECT_EQ(seite->url(), QUrl::fromLocalFile(bericht));
        EXPECT_TRUE(seite->gib_html().contains(QStringLiteral("BERICHT")));
        EXPECT_FALSE(seite->gib_html().contains(QStringLiteral("GEHEIM")));

        browser->speicherziel = CQString(pfad("o/" + name));
        browser->speichern_unter(1, false);
        EXPECT_TRUE(lies(pfad("o/" + name)).contains("BERICHT"));
        EXPECT_FALSE(lies(pfad("o/" + name)).contains("GEHEIM"));
        const QString pdf = pfad("o/" + name + ".pdf");
        browser->speicherziel = CQString(pdf);
        browser->speichern_unter(2, false);
        ASSERT_TRUE(warte([&] { return lies(pdf).contains("%%EOF"); }));
        EXPECT_TRUE(seiten_text(pdf).join(QString()).contains(QStringLiteral("BERICHT")));
        EXPECT_FALSE(seiten_text(pdf).join(QString()).contains(QStringLiteral("GEHEIM")));

        // The bridge waits while the test looks at the copies it was given.
        schreibe("halt", "");
        QFile::remove(pfad("args.txt"));
        betrachter->domailSlot();
        ASSERT_TRUE(warte([&] { return QFile::exists(pfad("args.txt")); }));
        const QStringList liste = anlagen();
        ASSERT_EQ(liste.size(), 2);
        EXPECT_TRUE(lies(liste[0]).contains("BERICHT"));
        EXPECT_FALSE(lies(liste[0]).contains("GEHEIM"));
        EXPECT_FALSE(seiten_text(liste[1]).join(QString()).contains(QStringLiteral("GEHEIM")));
        QFile::remove(pfad("halt"));
        EXPECT_TRUE(warte([] { return !mail_aktiv; }));
        betrachter->close();
    }
    EXPECT_TRUE(boxen.isEmpty()) << boxen.join('|').toStdString();

    schreibe(QStringLiteral("b/rel.html"), "<p>REL</p>");
    const QString vorher = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(pfad("b")));
    CGBrowser browser(nullptr, CQString("web"), false);
    browser.setze_quelle(CQString("rel.html"));
    QDir::setCurrent(vorher);
    EXPECT_EQ(browser.gib_webseite1()->url(), QUrl::fromLocalFile(pfad("b/rel.html")));
    EXPECT_TRUE(boxen.isEmpty()) << boxen.join('|').toStdString();
}

// The links of a report in both kinds of page, clicked as a user clicks them: every kind the
// allow-list refuses reaches neither the shell nor the desktop and is logged; a mail address and
// documents go to the shell, a report file beside the report loads in the page, and one that is
// missing is said so while the page stays.
TEST_F(Webseite, LinksBeiderSeitenartenNurNachDerErlaubnisliste)
{
    CTextEdit::setze_url_oeffner({});
    const Schreibtisch schreibtisch({"vbscript", "ms-msdt", "mailto", "file", "data", "javascript", "ftp", "http",
                                     "https"});
    const QString ordner = QStringLiteral("links");
    const QList<Linkfall> faelle = linkfaelle(ordner);
    const QString neben = schreibe(ordner + "/neben.html", "<p>NEBEN</p>");
    QString html = QStringLiteral("<html><body style=\"margin:0\">");
    for (int i = 0; i < faelle.size(); ++i)
        html += QStringLiteral("<a href=\"%1\" style=\"display:block;height:20px;font:14px monospace\">L%2</a>")
                    .arg(faelle[i].link.toHtmlEscaped())
                    .arg(i);
    html += QStringLiteral("<a href=\"fehlt.html\" style=\"display:block;height:20px\">F</a>"
                           "<a href=\"neben.html\" style=\"display:block;height:20px\">N</a></body></html>");
    const QString bericht = schreibe(ordner + "/bericht.html", html.toUtf8());

    // The text page.
    {
        gib_steuerdaten(true)->setze_wert(QStringLiteral("/Allgemein/HTML_Viewer_verwende_QWebEngineView"),
                                          QStringLiteral("false"));
        CGBrowser browser(nullptr, CQString("text"), false);
        browser.setze_quelle(CQString(bericht));
        for (const Linkfall& fall : faelle) {
            shell.clear();
            browser.anchorClickedSlot(QUrl(fall.link));
            EXPECT_EQ(shell, fall.ziel.isEmpty() ? QStringList() : QStringList{fall.ziel}) << fall.link.toStdString();
        }
        gib_steuerdaten(true)->setze_wert(QStringLiteral("/Allgemein/HTML_Viewer_verwende_QWebEngineView"),
                                          QStringLiteral("true"));
    }

    // The web page, a real mouse on each link.
    CGBrowser browser(nullptr, CQString("web"), false);
    CGBrowserWeb* seite = browser.gib_webseite1();
    ASSERT_NE(seite, nullptr);
    QObject::connect(seite, &CGBrowserWeb::homeAvailable, [this](bool b) { zuhause << b; });
    QString unter_der_maus;
    int gemeldet = 0;
    QObject::connect(seite, &CGBrowserWeb::linkHovered, [&](const QString& link) {
        unter_der_maus = link;
        ++gemeldet;
    });
    browser.resize(600, 900);
    browser.show();
    browser.setze_quelle(CQString(bericht));
    ASSERT_TRUE(warte([this] { return !zuhause.isEmpty(); }));
    lasse_laufen(300);
    const auto bewege = [&](const QPointF& stelle) {
        QMouseEvent bewegung(QEvent::MouseMove, stelle, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(seite->focusProxy(), &bewegung);
    };
    const auto klicke = [&](int zeile) {
        QWidget* flaeche = seite->focusProxy();
        // Off the links first: two links to the same file are one link to the engine.
        const int vorher = gemeldet;
        bewege(QPointF(20, 880));
        warte([&] { return gemeldet > vorher; }, 300);
        const QPointF stelle(20, zeile * 20 + 10);
        bewege(stelle);
        EXPECT_TRUE(warte([&] { return !unter_der_maus.isEmpty(); }, 5000)) << zeile;
        QMouseEvent druck(QEvent::MouseButtonPress, stelle, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(flaeche, &druck);
        QMouseEvent los(QEvent::MouseButtonRelease, stelle, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(flaeche, &los);
        lasse_laufen(400);
    };
    for (int i = 0; i < faelle.size(); ++i) {
        // A script address is no navigation: the page runs it itself.
        if (faelle[i].link.startsWith(QLatin1String("javascript:")))
            continue;
        SCOPED_TRACE(faelle[i].link.toStdString());
        shell.clear();
        klicke(i);
        EXPECT_EQ(shell, faelle[i].ziel.isEmpty() ? QStringList() : QStringList{faelle[i].ziel});
        EXPECT_TRUE(schreibtisch.adressen.isEmpty()) << schreibtisch.adressen.join(' ').toStdString();
        EXPECT_EQ(seite->url(), QUrl::fromLocalFile(bericht));
    }
    const std::string text = log.text();
    EXPECT_NE(text.find("Schema 'vbscript'"), std::string::npos) << text;
    EXPECT_NE(text.find("Schema 'ms-msdt'"), std::string::npos) << text;
    EXPECT_NE(text.find((pfad(ordner) + "/x.hta").toStdString()), std::string::npos) << text;

    klicke(faelle.size());
    EXPECT_EQ(boxen, QStringList{"2|Der Bericht '" + pfad(ordner + "/fehlt.html") + "' ist nicht vorhanden !"});
    EXPECT_EQ(seite->url(), QUrl::fromLocalFile(bericht));
    klicke(faelle.size() + 1);
    EXPECT_TRUE(warte([&] { return seite->url() == QUrl::fromLocalFile(neben); }));
    EXPECT_TRUE(schreibtisch.adressen.isEmpty()) << schreibtisch.adressen.join(' ').toStdString();
}


// A web report of some 200 sheets saved as PDF, shown as PDF and printed, its viewer closed or
// deleted meanwhile by every road: every PDF holds every line, or is not there and the user was told.
TEST_F(Webseite, PdfUndDruckKommenGanzAuchWennDerBetrachterGeht)
{
    viewer_stub(true);
    const QString bericht = schreibe("b/lang.html", QByteArray("<p>Zeile Kunde</p>").repeated(9000));
    for (const int art : {0, 1, 2}) {
        for (const auto& weg : schliesswege) {
            const QString ziel = art == 0 ? pfad("o/w.pdf") : art == 2 ? druckdatei : pfad("viewer.txt");
            QFile::remove(ziel);
            boxen.clear();
            QPointer<CGBrowserDiag> diag = new CGBrowserDiag(nullptr, CQString("w"), true, {}, false);
            diag->show();
            diag->browser->setze_quelle(CQString(bericht));
            ASSERT_TRUE(warte([&] { return !diag->browser->gib_webseite1()->laedt(); }, 60000));
            diag->browser->speicherziel = CQString(ziel);
            CGBrowser* const browser = diag->browser;
            const auto schliesser = std::make_unique<FensterSchliesser>(diag, weg);
            art == 2 ? browser->drucke(0) : browser->speichern_unter(2, art == 1);
            schliesser->schliesse();
            const QString datei = art != 1 ? ziel : boxen.isEmpty() ? gezeigt(1).value(0) : QString();
            pruefe_datei(datei, QStringLiteral("Kunde"), 9000, weg.second, boxen, "Art " + std::to_string(art) + ", " + std::to_string(weg.first) + " ms");
            delete diag.data();
        }
    }
}

// Pages whose load failed (a refused connection, an untrusted certificate, a loop of redirects, an
// empty "404 Not Found") are no report: save, print and mail asked right after say so with the
// engine's reason and leave the files as they were.
TEST_F(Webseite, GescheiterteLadungIstKeinBericht)
{
    bruecke_stub();
    TestServer zu, fremd, kreis;
    const QUrl abgewiesen = zu.url("/");
    zu.close();
    ASSERT_TRUE(fremd.mit_tls(pfad(".")));
    kreis.setze("/a", TestServer::Antwort{{}, "text/html", 0, "Location: /a\r\n", -1, false, {}, "302 Found"});
    kreis.setze("/weg", TestServer::Antwort{{}, "text/html", 0, {}, -1, false, {}, "404 Not Found"});
    for (const auto& [adresse, grund] : {std::pair(abgewiesen, "ERR_CONNECTION_REFUSED"), std::pair(fremd.url("/"), "ERR_CERT_AUTHORITY_INVALID"),
                                          std::pair(kreis.url("/a"), "ERR_TOO_MANY_REDIRECTS"), std::pair(kreis.url("/weg"), "HTTP ERROR 404")}) {
        browser = std::make_unique<CGBrowser>(nullptr, CQString("web"), false);
        browser->setze_quelle(CQString(adresse.toString()));
        boxen.clear();
        for (const int art : {0, 1, 2}) {
            browser->speicherziel = CQString(schreibe(QStringLiteral("o/alt%1").arg(art), "alt"));
            browser->speichern_unter(art, false);
            EXPECT_TRUE(lies(browser->speicherziel) == "alt") << grund;
        }
        browser->drucke(0);
        browser->sende_bericht();
        EXPECT_EQ(boxen, QVector<QString>(5, "2|Die Seite '" + adresse.toString() + "' konnte nicht geladen werden. " + grund).toList());
    }
    EXPECT_TRUE(druckdialoge == 0 && !QFile::exists(pfad("args.txt")));

    // A good page loaded in the same viewer after them is a report again: saved, printed and
    // mailed without a box, each file holding the page.
    boxen.clear();
    browser->setze_quelle(CQString(rot));
    const QStringList gut = {pfad("o/gut.txt"), pfad("o/gut.html"), pfad("o/gut.pdf"), druckdatei};
    for (const int art : {0, 1, 2})
        browser->speicherziel = CQString(gut[art]), browser->speichern_unter(art, false);
    browser->drucke(0);
    browser->sende_bericht();
    EXPECT_TRUE(warte([this] { return QFile::exists(pfad("args.txt")); }));
    for (const QString& datei : gut)
        EXPECT_TRUE((datei.endsWith(".pdf") ? seiten_text(datei).join(QString()) : QString::fromUtf8(lies(datei))).contains("ROT")) << datei.toStdString();
    EXPECT_TRUE(boxen.isEmpty()) << boxen.join('|').toStdString();
}

// A web report whose server sends part of the page and then nothing: save, print and mail each
// wait with a dialog that shows after its delay, a busy bar once the share stands still, and its
// Abbrechen ends the wait at once, the file untouched.
TEST_F(Webseite, StockendeSeiteZeigtDenWartedialogUndAbbrechenEndetIhn)
{
    bruecke_stub();
    TestServer server;
    server.setze("/halb", TestServer::Antwort{"<html><body><p>Anfang</p>", "text/html", 0, {}, 1 << 20, true});
    browser = std::make_unique<CGBrowser>(nullptr, CQString("web"), false);
    browser->show();
    browser->setze_quelle(CQString(server.url("/halb").toString()));
    lasse_laufen(1000);
    ASSERT_TRUE(browser->gib_webseite1()->laedt());
    for (const int art : {0, 1, 2, 3, 4}) {
        browser->speicherziel = CQString(schreibe(QStringLiteral("o/halb%1").arg(art), "alt"));
        QElapsedTimer uhr;
        qint64 gezeigt = -1, abgebrochen = -1;
        QTimer abbrecher;
        QObject::connect(&abbrecher, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
            gezeigt = dialog && gezeigt < 0 ? uhr.elapsed() : gezeigt;
            // Once it shows a busy bar; a wait Abbrechen leaves running ends when the server lets go 10 s on.
            // Half that is the bound for the dialog and for the end: a busy machine answers late.
            if (dialog && dialog->maximum() == 0 && abgebrochen < 0 && (abgebrochen = uhr.elapsed()))
                emit dialog->canceled(), QTimer::singleShot(10000, &abbrecher, [&] { qDeleteAll(server.findChildren<QSslSocket*>()); });
        });
        abbrecher.start(20);
        uhr.start();
        art < 3 ? browser->speichern_unter(art, false) : art == 3 ? browser->drucke(0) : browser->sende_bericht();
        EXPECT_TRUE(gezeigt >= 0 && gezeigt < 5000 && abgebrochen > 0 && uhr.elapsed() - abgebrochen < 5000) << art << ' ' << gezeigt << ' ' << uhr.elapsed() - abgebrochen;
        EXPECT_EQ(lies(browser->speicherziel), "alt") << art;
    }
    EXPECT_TRUE(druckdialoge == 0 && !QFile::exists(pfad("args.txt")) && boxen.isEmpty()) << boxen.join('|').toStdString();
}
