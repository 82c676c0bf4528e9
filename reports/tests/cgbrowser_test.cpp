// The report browser on text pages: its forms, links by scheme, saving as text, HTML and PDF, the PDF viewer, and printing with running page numbers, read back with the PDF tools.
#include "berichthtml.h"
#include "berichtstest.h"
#include "cgmail.h"
#include "cgbrowser.h"
#include "cgbrowserex.h"
#include "dateigrenze.h"
#include "pdfpruefung.h"
#include "heimordner.h"
#include "wecker.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPaintEngine>
#include <QPrintEngine>
#include <QPrinter>
#include <QProgressDialog>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextCodec>
#include <QTextDocument>
#include <QTimer>
#include <gtest/gtest.h>

#include <iostream>
#include <numeric>
#include <sys/stat.h>
#include <vector>

namespace {

// A word of a PDF page and where pdftotext found it, in points.
struct Wort
{
    QString text;
    double links;
    double rechts;
};

QVector<QVector<Wort>> woerter(const QString& pdf)
{
    QVector<QVector<Wort>> seiten;
    const QString xml = laufe(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    const QRegularExpression wort(QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"[\\d.]+\" xMax=\"([\\d.]+)\" "
                                                 "yMax=\"[\\d.]+\">([^<]*)</word>"));
    for (const QString& seite : xml.split(QStringLiteral("<page ")).mid(1)) {
        QVector<Wort> liste;
        for (auto treffer = wort.globalMatch(seite); treffer.hasNext();) {
            const QRegularExpressionMatch m = treffer.next();
            liste.append({m.captured(3), m.captured(1).toDouble(), m.captured(2).toDouble()});
        }
        seiten.append(liste);
    }
    return seiten;
}

// The number in the footer box (the first number after "Seite:", on narrow paper below it) of every
// page. On narrow paper the reading order may put the time of the date cell ("00:18") between the
// two, so the next word alone is not always the number.
QStringList seitennummern(const QString& pdf)
{
    const QRegularExpression zahl(QStringLiteral("^\\d+$"));
    QStringList nummern;
    for (const QVector<Wort>& seite : woerter(pdf)) {
        nummern << QStringLiteral("-");
        for (int i = 1; i < seite.size(); ++i) {
            if (seite[i - 1].text != QLatin1String("Seite:"))
                continue;
            for (int j = i; j < seite.size(); ++j)
                if (zahl.match(seite[j].text).hasMatch()) {
                    nummern.last() = seite[j].text;
                    break;
                }
        }
    }
    return nummern;
}

class Bericht : public Berichtstest
{
protected:
    // A report source of `blaetter` sheets, each with its word.
    QString berichtsseite(const QString& name, const QString& wort, int blaetter) const
    {
        QString html = QStringLiteral("<html><body>");
        for (int i = 1; i <= blaetter; ++i)
            html += QStringLiteral("<p%1>%2</p>")
                        .arg(i < blaetter ? QStringLiteral(" style=\"page-break-after:always\"") : QString(), wort);
        return schreibe(name, (html + QStringLiteral("</body></html>")).toUtf8());
    }

    // The text report `quelle` saved as PDF into `ziel` by a report window of its own.
    static void speichere_als_pdf(const QString& quelle, const QString& ziel)
    {
        CGBrowser pdf(nullptr, CQString("b"), false);
        pdf.setze_quelle(CQString(quelle));
        pdf.speicherziel = CQString(ziel);
        pdf.speichern_unter(2, false);
    }
};

} // namespace

TEST_F(Bericht, EineSeiteOhneSteuerdatenZweiSeitenInReiternOhneWeb)
{
    CGBrowser eine(nullptr, CQString("eine"), false);
    EXPECT_FALSE(eine.verwendet_web());
    EXPECT_EQ(eine.findChildren<CGBrowserEx*>().size(), 1);
    EXPECT_EQ(eine.findChild<QTabWidget*>(QStringLiteral("tabWidget2")), nullptr);

    // The two-page form keeps text pages whatever the control data say.
    gib_steuerdaten(true)->setze_wert(QStringLiteral("/Allgemein/HTML_Viewer_verwende_QWebEngineView"),
                                      QStringLiteral("true"));
    CGBrowser zwei(nullptr, CQString("zwei"), true);
    EXPECT_FALSE(zwei.verwendet_web());
    auto* reiter = zwei.findChild<QTabWidget*>(QStringLiteral("tabWidget2"));
    ASSERT_NE(reiter, nullptr);
    ASSERT_EQ(reiter->count(), 2);
    EXPECT_EQ(reiter->tabText(0), QStringLiteral("Seite 1"));
    EXPECT_EQ(reiter->tabText(1), QStringLiteral("Seite 2"));
    EXPECT_EQ(reiter->widget(1), zwei.gib_textseite2());
}

TEST_F(Bericht, LinksFuehrenZumZielMitDessenTitelUndAnkerBleibenAufDerSeite)
{
    QString lang;
    for (int i = 0; i < 300; ++i)
        lang += QStringLiteral("<p>Zeile %1</p>").arg(i);
    const QString a = schreibe(QStringLiteral("r/a.html"),
                               ("<html><head><title>Alpha</title></head><body><a href=\"b.html\">B</a>" + lang +
                                "<p><a name=\"abschnitt\"></a>Ende</p></body></html>")
                                   .toUtf8());
    schreibe(QStringLiteral("r/b.html"), "<html><head><title>Beta</title></head><body>B</body></html>");
    CGBrowser browser(nullptr, CQString("b"), true);
    browser.resize(400, 300);
    browser.show();
    browser.setze_quelle(CQString(a));
    browser.gib_textseite2()->zeige_quelle(CQString(a));

    browser.anchorClickedSlot(QUrl(QStringLiteral("b.html")));
    EXPECT_EQ(QFileInfo(browser.gib_textseite1()->source().toLocalFile()).fileName(), QStringLiteral("b.html"));
    EXPECT_EQ(browser.titel(), QStringLiteral("Beta"));
    browser.anchorClickedSlot2(QUrl(QStringLiteral("b.html")));
    EXPECT_EQ(QFileInfo(browser.gib_textseite2()->source().toLocalFile()).fileName(), QStringLiteral("b.html"));
    EXPECT_EQ(browser.titel(), QStringLiteral("Beta"));

    // An anchor of the shown page scrolls there; nothing goes to the shell or the opener.
    browser.setze_quelle(CQString(a));
    QApplication::processEvents();
    ASSERT_EQ(browser.gib_textseite1()->verticalScrollBar()->value(), 0);
    browser.anchorClickedSlot(QUrl(QStringLiteral("#abschnitt")));
    EXPECT_GT(browser.gib_textseite1()->verticalScrollBar()->value(), 0);
    EXPECT_EQ(browser.gib_textseite1()->source(), QUrl::fromLocalFile(a));
    EXPECT_EQ(browser.gib_textseite1()->quelle, a);
    EXPECT_TRUE(geoeffnet.isEmpty());
    EXPECT_TRUE(shell.isEmpty());
}

// "file:" links with a relative path are meant from the report's folder, as names without
// scheme are: the page, its pictures and a text report beside it, whatever the current folder holds.
TEST_F(Bericht, RelativeDateiLinksGeltenVomOrdnerDesBerichts)
{
    const QString bild = QStringLiteral("<img src=\"file:bild.png\">");
    const QString bericht = schreibe(QStringLiteral("r/bericht.html"), ("<html><body>" + bild + "</body></html>").toUtf8());
    schreibe(QStringLiteral("r/andere.html"), "<html><head><title>Richtig</title></head><body>RICHTIG</body></html>");
    schreibe(QStringLiteral("r/sub/u.html"), "<html><head><title>Unten</title></head><body>UNTEN</body></html>");
    schreibe(QStringLiteral("r/sub/t.txt"), "TEXT <neben>");
    QImage png(3, 2, QImage::Format_RGB32);
    png.fill(Qt::red);
    ASSERT_TRUE(png.save(pfad("r/bild.png")));
    schreibe(QStringLiteral("cwd/andere.html"), "<html><head><title>Falsch</title></head><body>FALSCH</body></html>");
    const QString vorher = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(pfad("cwd")));

    CGBrowser browser(nullptr, CQString("b"), false);
    CGBrowserEx* seite = browser.gib_textseite1();
    browser.setze_quelle(CQString(bericht));
    const QVariant geladen = seite->document()->resource(QTextDocument::ImageResource, QUrl("file:bild.png"));
    EXPECT_EQ(qvariant_cast<QImage>(geladen).size(), QSize(3, 2));
    browser.anchorClickedSlot(QUrl(QStringLiteral("file:andere.html")));
    EXPECT_EQ(seite->toPlainText(), QStringLiteral("RICHTIG"));
    EXPECT_EQ(seite->quelle, pfad("r/andere.html"));
    browser.anchorClickedSlot(QUrl(QStringLiteral("file:sub/u.html")));
    EXPECT_EQ(seite->toPlainText(), QStringLiteral("UNTEN"));
    EXPECT_EQ(browser.titel(), QStringLiteral("Unten"));
    browser.anchorClickedSlot(QUrl(QStringLiteral("file:t.txt")));
    EXPECT_EQ(seite->toPlainText(), QStringLiteral("TEXT <neben>"));

    // The two-page form on paper and as PDF, page 2 beside a picture of another folder.
    CGBrowser zwei(nullptr, CQString("b"), true);
    zwei.gib_textseite1()->zeige_quelle(CQString(bericht));
    zwei.gib_textseite2()->zeige_quelle(CQString(schreibe(QStringLiteral("r/sub/s2.html"), "<img src=\"../bild.png\">")));
    zwei.drucke(0);
    zwei.speicherziel = CQString(pfad("beide.pdf"));
    zwei.speichern_unter(2, false);
    for (const QString& pdf : {druckdatei, pfad("beide.pdf")})
        EXPECT_EQ(laufe("pdfimages", {"-list", pdf}).count(QRegularExpression("\\n +\\d+ +\\d+ +image +3 +2 ")), 2)
            << laufe("pdfimages", {"-list", pdf}).toStdString();
    QDir::setCurrent(vorher);
    EXPECT_TRUE(boxen.isEmpty()) << boxen.join('|').toStdString();
}

TEST_F(Bericht, QuellenGehenNachSchemaUndEndung)
{
    CGBrowser browser(nullptr, CQString("b"), false);
    CGBrowserEx* seite = browser.gib_textseite1();

    browser.setze_quelle(CQString("https://example.invalid/a?b=1"));
    EXPECT_EQ(geoeffnet, QStringList{QStringLiteral("https://example.invalid/a?b=1|web")});
    EXPECT_TRUE(seite->source().isEmpty());

    // A scheme is a scheme in capitals too.
    geoeffnet.clear();
    browser.setze_quelle(CQString("HTTPS://example.invalid/x.html"));
    EXPECT_EQ(geoeffnet, QStringList{QStringLiteral("HTTPS://example.invalid/x.html|web")});
    EXPECT_TRUE(seite->source().isEmpty());

    viewer_stub(true);
    const QString pdf = schreibe(QStringLiteral("r/Doc.PDF"), "%PDF");
    browser.setze_quelle(CQString(QStringLiteral("file://") + pdf));
    EXPECT_EQ(gezeigt(1), QStringList{pdf});
    EXPECT_TRUE(boxen.isEmpty());

    geoeffnet.clear();
    browser.setze_quelle(CQString("//server/share/x.doc"));
    EXPECT_EQ(geoeffnet, QStringList{QStringLiteral("\\\\server\\share\\x.doc|datei")});

    const QString htm = schreibe(QStringLiteral("r/a.HTM"), "<p>gross</p>");
    browser.setze_quelle(CQString(htm));
    EXPECT_NE(log.text().find(("URL: file://" + htm).toStdString()), std::string::npos) << log.text();
    EXPECT_EQ(seite->toPlainText(), QStringLiteral("gross"));

    // The host "localhost" is this machine.
    const QString lokal = schreibe(QStringLiteral("r/x.txt"), "lokal");
    browser.setze_quelle(CQString(QStringLiteral("file://localhost") + lokal));
    EXPECT_EQ(seite->toPlainText(), QStringLiteral("lokal"));
    EXPECT_TRUE(boxen.isEmpty()) << boxen.join('|').toStdString();

    browser.quelle = CQString("bericht.txt");
    browser.setze_quelle(CQString());
    EXPECT_TRUE(browser.quelle.isEmpty());
    EXPECT_EQ(seite->source(), QUrl(QStringLiteral("file://localhost") + lokal));
}

TEST_F(Bericht, SkriptlinksUndProgrammeErreichenDieShellNichtAdressenUndDokumenteSchon)
{
    // The real road: the URL opener hands addresses and files to the shell.
    CTextEdit::setze_url_oeffner({});
    const QString ordner = QStringLiteral("Bericht \"Ä ö\" 'x' #1");
    const QString bericht = schreibe(ordner + "/bericht.html", "<html><body><p>B</p></body></html>");
    QList<Linkfall> faelle = linkfaelle(ordner);
    faelle.append({QStringLiteral("https://example.invalid/a?b=1"), QStringLiteral("https://example.invalid/a?b=1")});
    CGBrowser browser(nullptr, CQString("b"), false);
    browser.setze_quelle(CQString(bericht));

    int verweigert = 0;
    for (const Linkfall& fall : faelle) {
        shell.clear();
        browser.anchorClickedSlot(QUrl(fall.link));
        EXPECT_EQ(shell, fall.ziel.isEmpty() ? QStringList() : QStringList{fall.ziel}) << fall.link.toStdString();
        verweigert += fall.ziel.isEmpty() ? 1 : 0;
    }
    EXPECT_TRUE(geoeffnet.isEmpty());
    EXPECT_TRUE(boxen.isEmpty());
    // The page still shows its report; each link refused is named in the log, a file by its name.
    EXPECT_EQ(browser.gib_textseite1()->quelle, bericht);
    const std::string text = log.text();
    int abgewiesen = 0;
    for (auto pos = text.find("nicht geöffnet"); pos != std::string::npos; pos = text.find("nicht geöffnet", pos + 1))
        ++abgewiesen;
    EXPECT_EQ(abgewiesen, verweigert) << text;
    EXPECT_NE(text.find((pfad(ordner) + QStringLiteral("/start.sh")).toStdString()), std::string::npos) << text;
    EXPECT_NE(text.find("Schema 'vbscript'"), std::string::npos) << text;
}

// A text report of many lines, its first one with a "<" and no ">", in the 8-bit code page with
// Windows line ends: the window, the saved text, a saved PDF and a printed page 1 hold it line by
// line, every "<", ">" and "&" as it stands; page 1, long enough to be laid out in parts, leaves
// no sheet without its lines.
TEST_F(Bericht, TextberichtBleibtTextZeileFuerZeile)
{
    QStringList zeilen{QStringLiteral("Messwert 3 < 5 und 7 > 2"), QStringLiteral("Größe <b>fett</b> & &amp; mehr")};
    for (int i = 3; i <= 30000; ++i)
        zeilen << QStringLiteral("Zeile %1: a<b & c>d").arg(i);
    const QString bericht =
        schreibe(QStringLiteral("r/bericht.txt"), QTextCodec::codecForName("Windows-1252")->fromUnicode(zeilen.join("\r\n")));
    const QString ohne_leerraum = zeilen.join(QString()).remove(QLatin1Char(' '));

    CGBrowser browser(nullptr, CQString("b"), false);
    browser.setze_quelle(CQString(bericht));
    ASSERT_TRUE(warte([&] { return !browser.gib_textseite1()->laedt(); }));
    EXPECT_EQ(browser.gib_textseite1()->toPlainText(), zeilen.join(QLatin1Char('\n')));
    EXPECT_EQ(browser.gib_textseite1()->document()->blockCount(), zeilen.size());

    browser.speicherziel = CQString(pfad("o/t.txt"));
    QDir().mkpath(pfad("o"));
    browser.speichern_unter(0, false);
    EXPECT_EQ(QString::fromUtf8(lies(pfad("o/t.txt"))), zeilen.join(QLatin1Char('\n')));

    browser.speicherziel = CQString(pfad("o/t.pdf"));
    browser.speichern_unter(2, false);
    EXPECT_TRUE(text_ohne_fusszeilen(pfad("o/t.pdf")) == ohne_leerraum);

    CGBrowser zwei(nullptr, CQString("b"), true);
    zwei.gib_textseite1()->zeige_quelle(CQString(bericht));
    // Not yet read whole, the two-page form waits for its page and prints every line.
    zwei.drucke(1);
    EXPECT_TRUE(boxen.isEmpty()) << boxen.join('|').toStdString();
    const QStringList seiten = seiten_text(druckdatei);
    ASSERT_EQ(seiten.join(QString()).count(QStringLiteral("Zeile ")), zeilen.size() - 2);
    EXPECT_TRUE(seiten[0].contains(zeilen[0])) << seiten[0].left(300).toStdString();
    EXPECT_TRUE(seiten[0].contains(zeilen[1])) << seiten[0].left(300).toStdString();
    EXPECT_TRUE(seiten.last().contains(zeilen.last())) << seiten.last().toStdString();
    for (int i = 0; i < seiten.size(); ++i)
        EXPECT_TRUE(seiten[i].contains(QStringLiteral("Zeile"))) << "sheet " << i + 1;
}

// A link that opens elsewhere (a PDF, a web address), one refused and one to a missing report
// leave the page with its report: the missing one is said so, and printing page 1 and mailing
// take the report shown.
TEST_F(Bericht, NachLinksWoandershinDruckenUndMailenDenGezeigtenBericht)
{
    if (!ist_64bit_system())
        GTEST_SKIP() << "the bridge's path is that of a 64-bit system";
    const QString bericht = schreibe(QStringLiteral("r/bericht.html"), "<html><body><p>BERICHTTEXT</p></body></html>");
    schreibe(QStringLiteral("r/x.pdf"), "%PDF-1.4");
    CGBrowser browser(nullptr, CQString("b"), true);
    browser.gib_textseite1()->zeige_quelle(CQString(bericht));
    const QUrl gezeigt = browser.gib_textseite1()->source();

    for (const char* link : {"x.pdf", "https://example.invalid/x.pdf", "vbscript:MsgBox(1)", "fehlt.html"}) {
        browser.anchorClickedSlot(QUrl(QLatin1String(link)));
        EXPECT_EQ(browser.gib_textseite1()->quelle, bericht) << link;
        EXPECT_EQ(browser.gib_textseite1()->source(), gezeigt) << link;
        EXPECT_EQ(browser.gib_textseite1()->toPlainText(), QStringLiteral("BERICHTTEXT")) << link;
    }
    EXPECT_EQ(boxen, QStringList{"2|Der Bericht '" + pfad("r/fehlt.html") + "' ist nicht vorhanden !"});

    browser.drucke(1);
    EXPECT_TRUE(seiten_text(druckdatei).value(0).contains(QStringLiteral("BERICHTTEXT")));

    // The bridge waits while the test looks at the copy it was given.
    bruecke_stub();
    boxen.clear();
    mail_aktiv = false;
    schreibe("halt", "");
    browser.setze_quelle(CQString());
    browser.sende_bericht();
    ASSERT_TRUE(warte([&] { return QFile::exists(pfad("args.txt")); }));
    const QString kopie = anlagen().value(0);
    EXPECT_EQ(QFileInfo(kopie).fileName(), QStringLiteral("bericht.html"));
    EXPECT_TRUE(lies(kopie).contains("BERICHTTEXT")) << kopie.toStdString();
    QFile::remove(pfad("halt"));
    EXPECT_TRUE(warte([] { return !mail_aktiv; }));
    EXPECT_TRUE(boxen.isEmpty()) << boxen.join('|').toStdString();
}

TEST_F(Bericht, SpeichertTextUndHtmlMitRelativenDateienUndUtf8)
{
    CGBrowser browser(nullptr, CQString("b"), false);
    browser.gib_textseite1()->setHtml(QStringLiteral("<p>Zeile1</p><p>Zeile2 &lt;x&gt;</p>"));
    QDir().mkpath(pfad("o"));
    browser.speicherziel = CQString(pfad("o/t.txt"));
    browser.speichern_unter(0, false);
    EXPECT_EQ(lies(pfad("o/t.txt")), QByteArray("Zeile1\nZeile2 <x>"));

    // The logo is referred to by its file address, as a page found it on disk.
    const QByteArray bild("\x89PNG\r\n\x1a\n-bytes-");
    const QString logo = schreibe(QStringLiteral("src/logo.png"), bild);
    browser.gib_textseite1()->setHtml(QStringLiteral("<p>Grüße € Ωmega</p><img src=\"file://%1\">").arg(logo));
    browser.weitere_dateien << logo;
    browser.speicherziel = CQString(pfad("o/bericht.html"));
    browser.speichern_unter(1, false);
    const QByteArray html = lies(pfad("o/bericht.html"));
    EXPECT_TRUE(html.contains("src=\"./logo.png\"")) << html.toStdString();
    EXPECT_FALSE(html.contains("file:")) << html.toStdString();
    QTextCodec::ConverterState zustand;
    const QString text = QTextCodec::codecForName("UTF-8")->toUnicode(html.constData(), html.size(), &zustand);
    EXPECT_EQ(zustand.invalidChars, 0);
    EXPECT_TRUE(text.contains(QStringLiteral("Grüße € Ωmega")));
    EXPECT_TRUE(text.contains(QStringLiteral("charset=utf-8"), Qt::CaseInsensitive));
    EXPECT_EQ(lies(pfad("o/logo.png")), bild);
    // A page that declares UTF-8, however it spells it, is saved in UTF-8 as it was.
    for (const QString erklaerung : {"<meta charset=\"utf-8\">", "<meta charset='UTF-8'>", "<META CHARSET=utf8>",
                                     "<meta http-equiv=Content-Type content='text/html; charset = utf-8'>"}) {
        const QString seite = "<html><head>" + erklaerung + "</head><body><p>Größe</p></body></html>";
        ASSERT_TRUE(schreibe_berichtshtml(pfad("o/d.html"), seite));
        EXPECT_EQ(lies(pfad("o/d.html")), (seite + '\n').toUtf8()) << erklaerung.toStdString();
    }
    // One that declares nothing is in the code page, and a page reads it so again, as one in UTF-8.
    ASSERT_TRUE(schreibe_berichtshtml(pfad("o/n.html"), QStringLiteral("<p>Größe 5 € „x“</p>")));
    for (const QString& seite : {pfad("o/n.html"), schreibe(QStringLiteral("o/u.html"), "<p>Größe 5 € „x“</p>")}) {
        browser.setze_quelle(CQString(seite));
        EXPECT_EQ(browser.gib_textseite1()->toPlainText().trimmed(), QStringLiteral("Größe 5 € „x“")) << seite.toStdString();
    }
    // A page read as the save reads its declaration, however it is written and wherever: shown,
    // and saved with every character ("€" is 0xA4 in ISO-8859-15).
    const QByteArray latin9 = "<p>Gr\xF6\xDF" "e 5 \xA4</p>";
    for (const QByteArray& kopf : {QByteArray("<meta http-equiv=Content-Type content='text/html; charset = iso-8859-15'>"),
                                   "<!--" + QByteArray(2000, '-') + "--><meta charset=\"ISO-8859-15\">",
                                   QByteArray("<!-- <meta charset=\"koi8-r\"> --><meta charset=\"ISO-8859-15\">")}) {
        browser.setze_quelle(CQString(schreibe("o/l" + QString::number(kopf.size()) + ".html", "<html><head>" + kopf + "</head><body>" + latin9 + "</body></html>")));
        EXPECT_EQ(browser.gib_textseite1()->toPlainText().trimmed(), QStringLiteral("Größe 5 €")) << kopf.toStdString();
        browser.speicherziel = CQString(pfad("o/l-kopie.html"));
        browser.speichern_unter(1, false);
        EXPECT_TRUE(html_aus_bytes(lies(pfad("o/l-kopie.html"))).contains(QStringLiteral("Größe 5 €"))) << kopf.toStdString();
    }

    // Saved beside the logo: nothing to copy, the logo stays as it is.
    browser.speicherziel = CQString(pfad("src/b.html"));
    browser.speichern_unter(1, false);
    EXPECT_TRUE(QFile::exists(pfad("src/b.html")));
    EXPECT_EQ(lies(logo), bild);
    EXPECT_EQ(log.text().find("ERROR"), std::string::npos) << log.text();

    // Cancelled while the report is read (HTML) and while it is saved (text, PDF): nothing written,
    // not in part either, no failure said, only that it was cancelled.
    browser.setze_quelle(CQString(schreibe("o/g.html", QByteArray("<p>Zeile</p>").repeated(100000))));
    for (const int art : {1, 0, 2}) {
        browser.speicherziel = CQString(pfad("o/abgebrochen" + QString::number(art)));
        ASSERT_TRUE(art == 1 || warte([&] { return !browser.gib_textseite1()->laedt(); }, 60000));
        // The first wait's dialog there is.
        QTimer abbrecher;
        QObject::connect(&abbrecher, &QTimer::timeout, [&abbrecher] {
            for (QWidget* fenster : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<QProgressDialog*>(fenster))
                    abbrecher.stop(), emit dialog->canceled();
        });
        abbrecher.start(0);
        browser.speichern_unter(art, false);
        EXPECT_TRUE(QDir(pfad("o")).entryList({"*abgebrochen*"}, QDir::Files | QDir::Hidden).isEmpty());
        EXPECT_NE(log.text().find("Speichern abgebrochen: '" + browser.speicherziel.toStdString()), std::string::npos);
    }
    EXPECT_EQ(log.text().find("ERROR"), std::string::npos) << log.text();

    browser.speicherziel = CQString(pfad("fehlt/x.html"));
    browser.speichern_unter(1, false);
    EXPECT_NE(log.text().find(("ERROR") ), std::string::npos);
    EXPECT_NE(log.text().find(("Konnte Ausgabedatei '" + pfad("fehlt/x.html") + "' nicht oeffnen.").toStdString()),
              std::string::npos)
        << log.text();
    EXPECT_FALSE(QFile::exists(pfad("fehlt/logo.png")));

    // The last text file is proposed as HTML; a cancelled dialog writes nothing.
    browser.speicherziel.clear();
    gib_katalog_privat().dirs_exp_html.setze_wert_qstr(CQString(pfad("o/neu.txt")));
    browser.speichern_unter(1, false);
    EXPECT_EQ(gib_katalog_privat().dirs_exp_html.gib_wert_qstr(), pfad("o/neu.html"));
    EXPECT_FALSE(QFile::exists(pfad("o/neu.html")));
}

// A PDF that cannot be written whole (the file-size limit stands in for a full disk) over an
// existing file, saved from a text page and printed on the paged road into a PDF file: the old
// file keeps every byte, the failure is logged with the file's name, no temporary file is left.
TEST_F(Bericht, PdfDasNichtGanzGeschriebenWirdLaesstDieAlteDateiUndWirdGemeldet)
{
    const QByteArray alt = "%PDF-1.4 the old report\n";
    const QString gespeichert = pfad(QStringLiteral("bericht.pdf"));
    const QString quelle = berichtsseite(QStringLiteral("b.html"), QStringLiteral("Inhalt"), 20);
    for (const QString& datei : {gespeichert, druckdatei})
        schreibe(QFileInfo(datei).fileName(), alt);
    const QStringList texte = {pfad("alt.txt"), pfad("alt.html")};
    for (const QString& datei : texte)
        schreibe(QFileInfo(datei).fileName(), alt);
    const QStringList vorher = QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden);
    CGBrowser text(nullptr, CQString("b"), false);
    text.setze_quelle(CQString(quelle));
    text.speicherziel = CQString(gespeichert);
    CGBrowser papier(nullptr, CQString("b"), true);
    papier.gib_textseite1()->zeige_quelle(CQString(quelle));
    // Saved as text and as HTML too, in writes larger than Qt's buffer.
    CGBrowser lang(nullptr, CQString("b"), false);
    lang.gib_textseite1()->setHtml(QStringLiteral("<p>Zeile mit Inhalt</p>").repeated(5000));
    {
        const Dateigrenze grenze(4096);
        text.speichern_unter(2, false);
        papier.drucke(1);
        for (const int art : {0, 1})
            lang.speicherziel = CQString(texte[art]), lang.speichern_unter(art, false);
    }
    for (const QString& datei : {gespeichert, druckdatei, texte[0], texte[1]})
        EXPECT_EQ(lies(datei), alt) << datei.toStdString();
    // Each names the system's reason, not "Unknown error".
    for (const QString& datei : texte)
        EXPECT_NE(log.text().find(QStringLiteral("Konnte Ausgabedatei '%1' nicht oeffnen. %2").arg(datei, qt_error_string(EFBIG)).toStdString()), std::string::npos);
    EXPECT_NE(log.text().find(QStringLiteral("Die Datei %1 kann nicht geschrieben werden !").arg(gespeichert).toStdString()),
              std::string::npos)
        << log.text();
    EXPECT_NE(log.text().find(QStringLiteral("Konnte Ausgabedatei '%1' nicht oeffnen.").arg(druckdatei).toStdString()),
              std::string::npos)
        << log.text();
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden), vorher);

    // With room both replace the old files by whole PDFs.
    text.speichern_unter(2, false);
    papier.drucke(1);
    EXPECT_EQ(seitenzahl(gespeichert), 20);
    EXPECT_EQ(seitenzahl(druckdatei), 20);
}

// A report far longer than Qt's text layout holds at a printer's resolution: printed on the
// paged road and saved as PDF, every line reaches the PDF once and in order, the pages numbered
// through.
TEST_F(Bericht, LangerBerichtKommtGanzAufPapierUndInsPdf)
{
    constexpr int zeilen = 150000;
    QString html = QStringLiteral("<html><body>");
    for (int i = 1; i <= zeilen; ++i)
        html += QStringLiteral("<p>Zeile %1</p>").arg(i);
    const QString quelle = schreibe(QStringLiteral("lang.html"), (html + QStringLiteral("</body></html>")).toUtf8());
    const auto nummern_der_zeilen = [](const QString& pdf) { return zeilennummern(pdf, QStringLiteral("Zeile")); };
    std::vector<int> alle(zeilen);
    std::iota(alle.begin(), alle.end(), 1);

    QElapsedTimer uhr;
    uhr.start();
    CGBrowser papier(nullptr, CQString("b"), true);
    papier.gib_textseite1()->zeige_quelle(CQString(quelle));
    ASSERT_TRUE(warte([&] { return !papier.gib_textseite1()->laedt(); }, 120000));
    papier.drucke(1);
    std::cout << "paged print of " << zeilen << " lines: " << uhr.restart() << " ms" << std::endl;
    EXPECT_EQ(nummern_der_zeilen(druckdatei), alle);
    const int seiten = seitenzahl(druckdatei);
    QStringList erwartet;
    for (int i = 1; i <= seiten; ++i)
        erwartet << QString::number(i);
    EXPECT_EQ(seitennummern(druckdatei), erwartet);

    uhr.restart();
    speichere_als_pdf(quelle, pfad("lang.pdf"));
    std::cout << "PDF of " << zeilen << " lines: " << uhr.elapsed() << " ms" << std::endl;
    EXPECT_EQ(nummern_der_zeilen(pfad("lang.pdf")), alle);
}

// A text report of 1,000,000 lines, far more than one text layout holds, saved as PDF: every
// line is in the PDF's text once and in order.
TEST_F(Bericht, LangerBerichtMitMillionTextzeilenKommtJedeEinmalInsPdf)
{
    constexpr int zeilen = 1000000;
    QByteArray text;
    for (int i = 1; i <= zeilen; ++i)
        text += "Zeile " + QByteArray::number(i) + '\n';
    const QString quelle = schreibe(QStringLiteral("lang.txt"), text);
    QElapsedTimer uhr;
    uhr.start();
    speichere_als_pdf(quelle, pfad("lang.pdf"));
    std::cout << "PDF of a text report of " << zeilen << " lines: " << uhr.elapsed() << " ms" << std::endl;
    EXPECT_EQ(log.text().find("ERROR"), std::string::npos) << log.text();
    std::vector<int> alle(zeilen);
    std::iota(alle.begin(), alle.end(), 1);
    EXPECT_TRUE(zeilennummern(pfad("lang.pdf"), QStringLiteral("Zeile")) == alle);
}

// A report that is not there is said so and leaves nothing to save; a saved text has no stand-ins
// for images; a print title is text in the footer, whatever it holds.
TEST_F(Bericht, FehlenderBerichtBilderImTextUndTitelMitZeichen)
{
    CGBrowser leer(nullptr, CQString("b"), false);
    const QString fehlt = pfad("ordner mit Blank/fehlt ä.html");
    leer.setze_quelle(CQString(fehlt));
    EXPECT_EQ(boxen, QStringList{QStringLiteral("2|Der Bericht '%1' ist nicht vorhanden !").arg(fehlt)});
    EXPECT_NE(log.text().find("ist nicht vorhanden"), std::string::npos) << log.text();
    for (const int art : {0, 1, 2}) {
        leer.speicherziel = CQString(pfad(QStringLiteral("leer%1").arg(art)));
        leer.speichern_unter(art, false);
        EXPECT_FALSE(QFile::exists(leer.speicherziel)) << art;
    }

    CGBrowser bild(nullptr, CQString("b"), false);
    bild.gib_textseite1()->setHtml(QStringLiteral("<p>vor<img src=\"x.png\">nach</p>"));
    bild.speicherziel = CQString(pfad("bild.txt"));
    bild.speichern_unter(0, false);
    EXPECT_EQ(lies(pfad("bild.txt")), QByteArray("vornach"));

    CGBrowser papier(nullptr, CQString("b"), true);
    CGBrowser::druck_titel = QStringLiteral("A<B & \"C\"");
    papier.gib_textseite1()->zeige_quelle(CQString(berichtsseite(QStringLiteral("t.html"), QStringLiteral("Text"), 1)));
    papier.drucke(1);
    CGBrowser::druck_titel.clear();
    EXPECT_TRUE(seiten_text(druckdatei).value(0).contains(QStringLiteral("A<B & \"C\""))) << seiten_text(druckdatei).value(0).toStdString();
}

// A report, or a picture of one, that is a pipe is never waited for: the page shows what it can
// at once, and the report's source reads as empty.
TEST_F(Bericht, RohrAlsBerichtOderBildWartetNicht)
{
    const Wecker wecker;
    const QString rohr = pfad(QStringLiteral("rohr.txt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(rohr).constData(), 0600), 0);
    ASSERT_EQ(::mkfifo(QFile::encodeName(pfad(QStringLiteral("rohr.png"))).constData(), 0600), 0);
    CGBrowser browser(nullptr, CQString("b"), false);
    CGBrowserEx* seite = browser.gib_textseite1();
    browser.setze_quelle(CQString(rohr));
    EXPECT_EQ(seite->toPlainText(), QString());
    EXPECT_EQ(seite->lies_quelldatei(), QString());

    browser.setze_quelle(CQString(schreibe(QStringLiteral("mit_bild.html"), "<p>vor<img src=\"rohr.png\">nach</p>")));
    EXPECT_EQ(seite->toPlainText().remove(QChar::ObjectReplacementCharacter), QStringLiteral("vornach"));
    EXPECT_EQ(seite->lies_quelldatei(), QStringLiteral("<p>vor<img src=\"rohr.png\">nach</p>"));
}

// A PDF from a text page: its first line begins exactly at the configured left and top margins.
TEST_F(Bericht, ErsteZeileSitztAmEingestelltenRand)
{
    CGBrowser::gib_druckeinstellungen().rand_links.setze_wert(3.0);
    CGBrowser::gib_druckeinstellungen().rand_oben.setze_wert(2.5);
    CGBrowser browser(nullptr, CQString("b"), false);
    browser.gib_textseite1()->setHtml(QStringLiteral("<p>XMARK</p>"));
    browser.speicherziel = CQString(pfad("rand.pdf"));
    browser.speichern_unter(2, false);
    const QString xml = laufe(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pfad("rand.pdf"), QStringLiteral("-")});
    const QRegularExpressionMatch wort =
        QRegularExpression(QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>XMARK<")).match(xml);
    ASSERT_TRUE(wort.hasMatch()) << xml.toStdString();
    constexpr double punkte_je_cm = 72 / 2.54;
    EXPECT_NEAR(wort.captured(1).toDouble(), 3.0 * punkte_je_cm, 1.0);
    EXPECT_NEAR(wort.captured(2).toDouble(), 2.5 * punkte_je_cm, 1.0);
}

TEST_F(Bericht, PdfMitDenRaendernDerEinstellungenUndZumZeigen)
{
    const auto xmark_links = [this](const char* datei) {
        CGBrowser browser(nullptr, CQString("b"), false);
        browser.gib_textseite1()->setHtml(QStringLiteral("<p>XMARK PDFMARK</p>"));
        browser.speicherziel = CQString(pfad(datei));
        browser.speichern_unter(2, false);
        for (const Wort& wort : woerter(pfad(datei)).value(0))
            if (wort.text == QLatin1String("XMARK"))
                return wort.links;
        ADD_FAILURE() << "XMARK fehlt in " << datei;
        return 0.0;
    };
    const double vorher = xmark_links("a.pdf");
    EXPECT_TRUE(seiten_text(pfad("a.pdf")).value(0).contains(QStringLiteral("PDFMARK")));
    CGBrowser::gib_druckeinstellungen().rand_links.setze_wert(3.0);
    EXPECT_NEAR(xmark_links("b.pdf") - vorher, 28.35, 2);

    // Shown from a text page: written to the personal folder, no viewer opened here.
    CGBrowser browser(nullptr, CQString("b"), false);
    browser.gib_textseite1()->setHtml(QStringLiteral("<p>ZEIGEN</p>"));
    browser.speichern_unter(2, true);
    EXPECT_TRUE(seiten_text(HeimOrdner::gib().path() + QStringLiteral("/.zeigePDF.pdf")).value(0).contains(
        QStringLiteral("ZEIGEN")));
    EXPECT_TRUE(shell.isEmpty());
    EXPECT_TRUE(boxen.isEmpty());
}

TEST_F(Bericht, PdfViewerFehlerMeldenSich)
{
    CGBrowser browser(nullptr, CQString("b"), false);
    shell_gelingt = false;
    browser.zeigePDFSlot();
    EXPECT_NE(log.text().find("Fehler (31) bei 'ShellExecute'"), std::string::npos) << log.text();
    EXPECT_EQ(boxen, QStringList{QStringLiteral("1|Kein PDF Viewer spezifiziert !\nOder der PDF Viewer ist nicht mit der "
                                                "Endung 'pdf' verknüpft.\nBitte verwenden Sie den "
                                                "Eigenschaften-Dialog.\n")});

    // A viewer missing, and one that is there but cannot be run: both are failures.
    for (const QString& viewer : {pfad("fehlt/viewer"), viewer_stub(false)}) {
        boxen.clear();
        gib_katalog_privat().pdf_reader.setze_wert_qstr(CQString(viewer));
        browser.zeigePDFSlot();
        EXPECT_EQ(boxen, QStringList{QStringLiteral("2|Der PDF Viewer\n\n%1\n\nkonnte nicht gestartet werden !\nBitte "
                                                    "prüfen Sie, ob das Programm am angegebenen Ort existiert.")
                                         .arg(viewer)});
    }
    boxen.clear();
    viewer_stub(true);
    browser.zeigePDFSlot();
    EXPECT_EQ(gezeigt(1), QStringList{HeimOrdner::gib().path() + QStringLiteral("/.zeigePDF.pdf")});
    EXPECT_TRUE(boxen.isEmpty());
}

TEST_F(Bericht, ZweiSeitenZaehlenDieSeitennummernWeiter)
{
    CGBrowser browser(nullptr, CQString("b"), true);
    browser.gib_textseite1()->zeige_quelle(CQString(berichtsseite(QStringLiteral("s1.html"), QStringLiteral("Eins"), 3)));
    browser.gib_textseite2()->zeige_quelle(CQString(berichtsseite(QStringLiteral("s2.html"), QStringLiteral("Zwei"), 2)));

    // On A5 the footer's cells wrap: the box is as tall, and whole on every sheet all the same.
    for (const QPageSize::PageSizeId id : {QPageSize::A5, QPageSize::A4}) {
        SCOPED_TRACE(QPageSize::name(id).toStdString());
        papier = QPageSize(id);
        browser.drucke(0);
        EXPECT_EQ(seitenzahl(druckdatei), 5);
        EXPECT_EQ(seitennummern(druckdatei), QStringList({"1", "2", "3", "4", "5"}));
        EXPECT_TRUE(seiten_text(druckdatei).value(4).contains(QStringLiteral("Zwei")));
        EXPECT_TRUE(seiten_text(druckdatei).value(0).contains(QStringLiteral("vared")));
        EXPECT_TRUE(seiten_text(druckdatei).value(0).contains(QStringLiteral("Uhr")));
    }
    browser.drucke(1);
    EXPECT_EQ(seitennummern(druckdatei), QStringList({"1", "2", "3"}));
    browser.drucke(2);
    EXPECT_EQ(seitennummern(druckdatei), QStringList({"1", "2"}));
    EXPECT_TRUE(seiten_text(druckdatei).value(0).contains(QStringLiteral("Zwei")));

    // Last page first: page 2 goes on after page 1's last page all the same.
    reihenfolge = QPrinter::LastPageFirst;
    browser.drucke(0);
    EXPECT_EQ(seitennummern(druckdatei), QStringList({"3", "2", "1", "5", "4"}));

    reihenfolge = QPrinter::FirstPageFirst;
    von = 2;
    bis = 3;
    browser.gib_textseite1()->zeige_quelle(CQString(berichtsseite(QStringLiteral("s5.html"), QStringLiteral("Eins"), 5)));
    browser.gib_textseite2()->zeige_quelle(CQString(berichtsseite(QStringLiteral("s3.html"), QStringLiteral("Zwei"), 3)));
    browser.drucke(0);
    EXPECT_EQ(seitennummern(druckdatei), QStringList({"2", "3", "5", "6"}));

    // Without the footer box: bare numbers ending at the right margin (2 cm from the edge).
    von = bis = 0;
    CGBrowser::gib_druckeinstellungen().fusszeile.setze_wert(NEIN);
    browser.drucke(0);
    const QVector<QVector<Wort>> seiten = woerter(druckdatei);
    ASSERT_EQ(seiten.size(), 8);
    for (int i = 0; i < seiten.size(); ++i) {
        bool gefunden = false;
        for (const Wort& wort : seiten[i]) {
            EXPECT_NE(wort.text, QStringLiteral("Seite:"));
            EXPECT_NE(wort.text, QStringLiteral("vared"));
            if (wort.text == QString::number(i + 1)) {
                gefunden = true;
                EXPECT_NEAR(wort.rechts, 595.28 - 56.69, 3);
            }
        }
        EXPECT_TRUE(gefunden) << "Seite " << i + 1;
    }

    // Page 2 without text: asked for it alone, the dialog comes and nothing is printed.
    QFile::remove(druckdatei);
    browser.gib_textseite2()->quelle = CQString(schreibe(QStringLiteral("leer.html"), QByteArray()));
    const int dialoge = druckdialoge;
    browser.drucke(2);
    EXPECT_EQ(druckdialoge, dialoge + 1);
    EXPECT_FALSE(QFile::exists(druckdatei));
}

TEST_F(Bericht, EineSeiteDrucktSichSelbstOhneFusszeile)
{
    CGBrowser browser(nullptr, CQString("b"), false);
    browser.setze_quelle(CQString(berichtsseite(QStringLiteral("s.html"), QStringLiteral("Allein"), 2)));
    browser.drucke(0);
    const QStringList seiten = seiten_text(druckdatei);
    ASSERT_EQ(seiten.size(), 2);
    EXPECT_TRUE(seiten[0].contains(QStringLiteral("Allein")));
    EXPECT_FALSE(seiten.join(QString()).contains(QStringLiteral("Seite:")));
    EXPECT_FALSE(seiten.join(QString()).contains(QStringLiteral("vared")));
}

namespace {

// An A4 printer at 72 dpi that draws nothing and goes to Aborted when its second sheet begins.
class AbbrechendeMaschine : public QPaintEngine, public QPrintEngine
{
public:
    AbbrechendeMaschine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawTextItem(const QPointF&, const QTextItem&) override {}
    Type type() const override { return QPaintEngine::User; }

    void setProperty(PrintEnginePropertyKey, const QVariant&) override {}
    QVariant property(PrintEnginePropertyKey schluessel) const override
    {
        if (schluessel == PPK_QPageLayout)
            return QVariant::fromValue(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        if (schluessel == PPK_Resolution)
            return 72;
        if (schluessel == PPK_CopyCount || schluessel == PPK_NumberOfCopies)
            return 1;
        return schluessel == PPK_FullPage ? QVariant(true) : QVariant();
    }
    bool newPage() override
    {
        zustand = QPrinter::Aborted;
        return true;
    }
    bool abort() override { return true; }
    int metric(QPaintDevice::PaintDeviceMetric metrik) const override
    {
        const QMap<QPaintDevice::PaintDeviceMetric, int> werte{
            {QPaintDevice::PdmWidth, 595},       {QPaintDevice::PdmHeight, 842},     {QPaintDevice::PdmWidthMM, 210},
            {QPaintDevice::PdmHeightMM, 297},    {QPaintDevice::PdmDepth, 32},       {QPaintDevice::PdmNumColors, INT_MAX},
            {QPaintDevice::PdmDevicePixelRatio, 1},
            {QPaintDevice::PdmDevicePixelRatioScaled, static_cast<int>(QPaintDevice::devicePixelRatioFScale())}};
        return werte.value(metrik, 72);
    }
    QPrinter::PrinterState printerState() const override { return zustand; }

private:
    QPrinter::PrinterState zustand = QPrinter::Active;
};

class AbbrechenderDrucker : public QPrinter
{
public:
    AbbrechenderDrucker() { setEngines(&maschine, &maschine); }

private:
    AbbrechendeMaschine maschine;
};

} // namespace

TEST_F(Bericht, AbbrechenderDruckerGibtNurSeinenWartecursorZurueck)
{
    CGBrowser browser(nullptr, CQString("b"), true);
    AbbrechenderDrucker drucker;
    QString drei;
    for (int i = 0; i < 3; ++i)
        drei += QStringLiteral("<p style=\"page-break-after:always\">Blatt</p>");
    const CQString html(drei);
    QApplication::setOverrideCursor(Qt::CrossCursor);
    browser.drucke_berichtsseiten(drucker, &html, &html, true);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::CrossCursor);
    QApplication::restoreOverrideCursor();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(Bericht, FusszeileUndDruckfarben)
{
    CGBrowser browser(nullptr, CQString("b"), true);
    const QString fuss = browser.fusszeile_html(3);
    const QRegularExpression zellen(QStringLiteral("<td width=(\\d+)% align=center>([^<]*)</td>\n"));
    QStringList inhalt;
    for (auto treffer = zellen.globalMatch(fuss); treffer.hasNext();)
        inhalt << treffer.next().captured(2);
    ASSERT_EQ(inhalt.size(), 3) << fuss.toStdString();
    EXPECT_TRUE(fuss.startsWith(QStringLiteral("<table border=3 width=100% bordercolor=#000000 cellpadding=0 "
                                               "cellspacing=0 >\n<tr bgcolor=#ffffff>\n<td width=15% align=center>")));
    EXPECT_TRUE(fuss.endsWith(QStringLiteral("</td>\n</tr>\n</table>\n")));
    EXPECT_EQ(inhalt[0], QStringLiteral("vared"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Bericht gedruckt am: .+ Uhr$")).match(inhalt[1]).hasMatch())
        << inhalt[1].toStdString();
    EXPECT_EQ(inhalt[2], QStringLiteral("Seite: 3"));
    CGBrowser::druck_stoermeldung = true;
    CGBrowser::druck_titel = QStringLiteral("Titel");
    EXPECT_TRUE(browser.fusszeile_html(1).contains(QStringLiteral(">Titel</td>")));
    EXPECT_TRUE(browser.fusszeile_html(1).contains(QStringLiteral(">Störungsmeldung gedruckt am: ")));

    EXPECT_EQ(bereite_html_fuer_druck(QStringLiteral(
                  "<td bgcolor=\"#ff0000\" style=\"background-color:#00ff00;color:#ffffff;\">x</td>")),
              QStringLiteral("<td  style=\"color:#000000;\">x</td>"));
    EXPECT_EQ(bereite_html_fuer_druck(QStringLiteral("<p style=\"background-color:#eee\">A &amp; B</p>")),
              QStringLiteral("<p style=\"\">A &amp; B</p>"));
    EXPECT_EQ(bereite_html_fuer_druck(QStringLiteral("<font color=\"#FFFFFF\">w</font>")),
              QStringLiteral("<font color=\"#000000\">w</font>"));
}
