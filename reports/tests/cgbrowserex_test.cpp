// The text page on reports of any size: one beyond the limit is refused with a message at once, and so are its print, save and mail; large ones of every markup are shown, printed and saved whole while the window keeps answering, memory a small multiple of the file.
#include "berichtsdokument.h"
#include "berichtslink.h"
#include "berichtstest.h"
#include "cgbrowserdiag.h"
#include "cgbrowserex.h"
#include "cgmail.h"
#include "cqiodatei.h"
#include "fensterschliesser.h"
#include "heimordner.h"
#include "pdfpruefung.h"
#include "protokolldruck.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QMimeData>
#include <QPrinter>
#include <QLocale>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextTable>
#include <QTimer>

#include <algorithm>
#include <tuple>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// The highest resident memory of this process since the last call, in MiB.
qint64 hoechster_speicher_mib()
{
    QFile status(QStringLiteral("/proc/self/status"));
    qint64 kib = -1;
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& zeile : status.readAll().split('\n'))
            if (zeile.startsWith("VmHWM:"))
                kib = zeile.mid(6).trimmed().split(' ').value(0).toLongLong();
    // Starts the next measurement from what the process holds now.
    QFile zuruecksetzen(QStringLiteral("/proc/self/clear_refs"));
    if (zuruecksetzen.open(QIODevice::WriteOnly))
        zuruecksetzen.write("5");
    return kib / 1024;
}

qint64 speicher_jetzt_mib()
{
    hoechster_speicher_mib();
    return hoechster_speicher_mib();
}

class Textseite : public Berichtstest
{
};

} // namespace

// A 1 GB text report (a sparse file): the viewer refuses it with a message at once, leaves no
// earlier report in its place, the page answers, and memory stays as it was.
TEST_F(Textseite, RiesigerTextberichtWirdMitMeldungAbgewiesen)
{
    const QString riesig = pfad("r/riesig.txt");
    QDir().mkpath(pfad("r"));
    {
        QFile datei(riesig);
        ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
        ASSERT_TRUE(datei.resize(qint64(1) << 30));
    }
    const QString klein = schreibe(QStringLiteral("r/klein.txt"), "klein\n");
    CGBrowser browser(nullptr, CQString("b"), false);
    CGBrowserEx* seite = browser.gib_textseite1();
    browser.setze_quelle(CQString(klein));
    browser.quelle = CQString(klein);

    const qint64 vorher = speicher_jetzt_mib();
    browser.setze_quelle(CQString(riesig));
    const QString meldung = "Der Bericht '" + riesig + "' ist mit 1024 MB zu groß zum Anzeigen (höchstens 256 MB).";
    EXPECT_EQ(boxen, QStringList{"2|" + meldung});
    EXPECT_NE(log.text().find(meldung.toStdString()), std::string::npos) << log.text();
    EXPECT_TRUE(seite->toPlainText().isEmpty());
    EXPECT_TRUE(browser.quelle.isEmpty());

    // A link to it from a page shown: the page stays; a mail does not take it in either.
    boxen.clear();
    browser.setze_quelle(CQString(klein));
    browser.anchorClickedSlot(QUrl::fromLocalFile(riesig));
    EXPECT_EQ(boxen, QStringList{"2|" + meldung});
    EXPECT_EQ(seite->toPlainText(), QStringLiteral("klein\n"));
    CGMail mail;
    mail.html = CQString("vorher");
    mail.lies_text(CQString(riesig), true);
    EXPECT_EQ(mail.html, QStringLiteral("vorher"));
    seite->quelle = CQString(riesig);
    EXPECT_TRUE(seite->lies_quelldatei().isEmpty());
    EXPECT_LT(hoechster_speicher_mib() - vorher, 64);

    // An HTML report just over the limit: printing, saving and mailing the refused report say so
    // again, rather than printing a blank sheet or writing empty files.
    constexpr qint64 mib = 1024 * 1024;
    const QString gross = pfad("r/gross.html");
    {
        QFile datei(gross);
        ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
        ASSERT_TRUE(datei.resize(32 * mib + 1));
    }
    boxen.clear();
    browser.setze_quelle(CQString(gross));
    browser.drucke(0);
    browser.speicherziel = CQString(pfad("r/kopie"));
    for (const int art : {0, 1, 2})
        browser.speichern_unter(art, false);
    browser.sende_bericht();
    const QString punkt = QLocale().decimalPoint();
    const QString abgewiesen = "2|Der Bericht '" + gross + "' ist mit 32" + punkt + "1 MB zu groß zum Anzeigen (höchstens 32 MB).";
    EXPECT_EQ(boxen, QVector<QString>(6, abgewiesen).toList());
    EXPECT_EQ(druckdialoge, 0);
    EXPECT_FALSE(QFile::exists(druckdatei));
    EXPECT_FALSE(QFile::exists(pfad("r/kopie")));
    // Sizes as a user reads them: a whole number of MB as it is, anything more rounded up to a tenth.
    for (const auto& [bytes, text] : {std::pair<qint64, QString>{5 * mib, "5"}, {5 * mib + 1, "5" + punkt + "1"}, {300 * mib, "300"}})
        EXPECT_TRUE(zu_gross_text(gross, bytes).contains(" mit " + text + " MB ")) << zu_gross_text(gross, bytes).toStdString();
}

// Reports of every markup, far more than Qt parses and lays out at once on the GUI thread (a
// "<pre>" block of 200,000 lines, a table of 3,000 rows with a picture in each, 600 small
// tables): each shows whole, takes a new width where it shows the same line, and its copy after
// select all, PDF and print hold every line, row and picture once and in order, while a 10 ms
// timer of the window never waits a second of the window's own time; a part of it selected is
// copied as it stands. The copy is what Qt copies of the whole report: a long table one table, no
// empty lines between its parts, also for a short selection across two of them. A table with a heading row of 1,200 rows,
// and whole reports (head, styles, a "<div>" around) of 1,500 rows with a heading row, a heading
// cell over two rows and a right-to-left table, are printed on A4 and A5 as the whole table: the
// heading on every sheet, as many sheets.
TEST_F(Textseite, GrosseBerichteJederArtKommenGanzOhneDasFensterAnzuhalten)
{
    struct Fall
    {
        QString name;
        QByteArray html;
        int zeilen;
        int bilder;
        bool kopf = false;
    };
    QImage bild(40, 30, QImage::Format_RGB32);
    bild.fill(Qt::darkCyan);
    QDir().mkpath(pfad("r"));
    ASSERT_TRUE(bild.save(pfad("r/bild.png")));
    QByteArray pre = "<html><body><pre>\n";
    for (int i = 0; i < 200000; ++i)
        pre += "Zeile " + QByteArray::number(i) + "  Kunde Ort Betrag 123,45 EUR offen\n";
    QByteArray bilder = "<table border=1>\n";
    for (int i = 0; i < 3000; ++i)
        bilder += "<tr><td>Kunde</td><td><img src=\"bild.png\"></td><td>12,34</td><td>Zeile " + QByteArray::number(i) + "</td></tr>\n";
    QByteArray kopf = "<table border=1><thead><tr><th>Nummer</th><th>Kunde</th><th>Betrag</th></tr></thead><tbody>";
    for (int i = 0; i < 1200; ++i)
        kopf += "<tr><td>Zeile " + QByteArray::number(i) + "</td><td>Kunde Ort</td><td>12,34</td></tr>";
    const auto bericht_mit_kopf = [](const QByteArray& tabelle, const QByteArray& kopfzeilen) {
        QByteArray html = "<html><head><style>td{padding:2px}</style></head><body><h1>Bericht</h1><div>" + tabelle + "<thead>"
                          + kopfzeilen + "</thead><tbody>\n";
        for (int i = 0; i < 1500; ++i)
            html += "<tr><td>Zeile " + QByteArray::number(i) + "</td><td>Kunde Ort</td><td>12,34</td></tr>\n";
        return html + "</tbody></table></div><p>Ende</p></body></html>";
    };
    const QByteArray nummer = "<th>Nummer</th><th>Kunde</th><th>Betrag</th>";
    const QByteArray kopfhtml = bericht_mit_kopf("<table border=1>", "<tr>" + nummer + "</tr>");
    const QByteArray spanne = bericht_mit_kopf("<table border=1>", "<tr><th rowspan=2>Nummer</th><th colspan=2>Kunde</th></tr><tr><th>Ort</th><th>Betrag</th></tr>");
    const QByteArray rtl = bericht_mit_kopf("<table border=1 dir=\"rtl\">", "<tr>" + nummer + "</tr>");
    QByteArray tabellen;
    for (int i = 0; i < 600; ++i)
        tabellen += "<p>Zeile " + QByteArray::number(i) + "</p><table border=1>" + QByteArray("<tr><td>a</td><td>b c</td><td>1,23</td><td>d</td></tr>").repeated(5) + "</table>\n";
    const auto alle_im_text = [](const QString& text, int zeilen) {
        std::vector<int> nummern;
        const QRegularExpression zeile(QStringLiteral("Zeile (\\d+)"));
        for (auto treffer = zeile.globalMatch(text); treffer.hasNext();)
            nummern.push_back(treffer.next().captured(1).toInt());
        return nummern.size() == static_cast<std::size_t>(zeilen) && std::is_sorted(nummern.begin(), nummern.end())
               && std::adjacent_find(nummern.begin(), nummern.end()) == nummern.end();
    };
    const auto alle = [&alle_im_text](const QString& pdf, int zeilen) {
        return alle_im_text(laufe(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}, 600000), zeilen);
    };
    QClipboard* const ablage = QApplication::clipboard();
    const std::function<bool()> kopiert = [ablage] { return ablage->mimeData() && ablage->mimeData()->hasText(); };
    const auto bildzahl = [](const QString& pdf) {
        return laufe(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}).count(QLatin1Char('\n')) - 2;
    };
    for (const Fall& fall : {Fall{"pre", pre, 200000, 0}, Fall{"bilder", bilder, 3000, 3000}, Fall{"tabellen", tabellen, 600, 0},
                             Fall{"kopf", kopf, 1200, 0, true}, Fall{"kopfhtml", kopfhtml, 1500, 0, true},
                             Fall{"spanne", spanne, 1500, 0, true}, Fall{"rtl", rtl, 1500, 0, true}}) {
        const QString bericht = schreibe("r/" + fall.name + ".html", fall.html);
        CGBrowser browser(nullptr, CQString("b"), false);
        CGBrowserEx* const seite = browser.gib_textseite1();
        browser.resize(700, 500);
        browser.show();
        // The window's own time between two ticks (the GUI thread's processor time): a machine
        // busy with other work stretches the wall clock's gaps, not this.
        qint64 luecke = 0, zuletzt = rechenzeit_ms();
        QTimer takt;
        QObject::connect(&takt, &QTimer::timeout, [&] {
            const qint64 jetzt = rechenzeit_ms();
            luecke = qMax(luecke, jetzt - zuletzt);
            zuletzt = jetzt;
        });
        takt.start(10);
        browser.setze_quelle(CQString(bericht));
        ASSERT_TRUE(warte([seite] { return !seite->laedt(); }, 600000));
        // Select all and copy while it is still being laid out: the copy comes while it takes new widths.
        ablage->clear();
        for (const Qt::Key taste : {Qt::Key_A, Qt::Key_C}) {
            QKeyEvent druck(QEvent::KeyPress, taste, Qt::ControlModifier);
            QApplication::sendEvent(seite, &druck);
        }
        const auto gelegt = [seite] {
            const QTextBlock letzter = seite->document()->lastBlock();
            return !seite->laedt() && letzter.layout()->lineCount() > 0;
        };
        ASSERT_TRUE(warte(gelegt, 600000)) << fall.name.toStdString();
        EXPECT_TRUE(seite->toPlainText().contains("Zeile " + QString::number(fall.zeilen - 1))) << fall.name.toStdString();
        seite->verticalScrollBar()->setValue(seite->verticalScrollBar()->maximum() / 2);
        const auto oben = [seite] { return seite->cursorForPosition(QPoint(20, 5)).position(); };
        const int vorher = oben();
        browser.resize(600, 500);
        EXPECT_TRUE(warte(gelegt, 600000)) << fall.name.toStdString();
        // Back at the row it showed, not where the row's part of a long table begins.
        EXPECT_TRUE(warte([&] { return qAbs(oben() - vorher) < 200; }, 60000)) << fall.name.toStdString();
        // Wider again: back at the row it showed.
        browser.resize(900, 500);
        EXPECT_TRUE(warte(gelegt, 600000)) << fall.name.toStdString();
        EXPECT_TRUE(warte([&] { return qAbs(oben() - vorher) < 200; }, 60000)) << fall.name.toStdString();

        EXPECT_TRUE(warte(kopiert, 600000));
        EXPECT_TRUE(alle_im_text(ablage->text(), fall.zeilen)) << fall.name.toStdString();
        const QString kopie = ablage->text();
        const QByteArray kopie_html = ablage->mimeData()->data(QStringLiteral("text/html"));

        browser.speicherziel = CQString(pfad("r/" + fall.name + ".pdf"));
        browser.speichern_unter(2, false);
        if (fall.bilder > 0)
            browser.drucke(0);
        takt.stop();
        EXPECT_LT(luecke, 1000) << fall.name.toStdString();
        // What Qt copies of the whole report: as many tables, not one for each part of a long one.
        QTextDocument ganz;
        ganz.setDefaultFont(seite->document()->defaultFont());
        ganz.setHtml(QString::fromUtf8(fall.html));
        QTextCursor alles(&ganz);
        alles.select(QTextCursor::Document);
        EXPECT_EQ(kopie, alles.selection().toPlainText()) << fall.name.toStdString();
        const auto tabellenzahl = [](const QString& html) { return html.count(QLatin1String("<table")); };
        EXPECT_EQ(kopie_html.count("<table"), tabellenzahl(alles.selection().toHtml())) << fall.name.toStdString();
        // A short selection over the end of a part, and one from within one row to within another
        // far below, over many parts: exactly that, without the empty lines between parts.
        QKeyEvent kopieren(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
        const QList<QTextFrame*> rahmen = seite->document()->rootFrame()->childFrames();
        const int zweiter = qMax(100, rahmen.size() > 1 ? rahmen[1]->firstPosition() : seite->document()->characterCount() / 2);
        for (const auto& [von, bis] : {std::pair(zweiter - 100, zweiter + 100),
                                       std::pair(seite->document()->characterCount() / 3, seite->document()->characterCount() * 2 / 3)}) {
            QTextCursor teil(seite->document());
            teil.setPosition(von);
            teil.setPosition(bis, QTextCursor::KeepAnchor);
            seite->setTextCursor(teil);
            ablage->clear();
            QApplication::sendEvent(seite, &kopieren);
            EXPECT_TRUE(warte(kopiert, 600000));
            const bool eine = fall.name != QLatin1String("tabellen");
            QString text = teil.selection().toPlainText();
            EXPECT_EQ(ablage->text(), eine ? text.replace(QRegularExpression(QStringLiteral("\n\n+")), QStringLiteral("\n")) : text)
                << fall.name.toStdString();
            EXPECT_LE(tabellenzahl(ablage->mimeData()->html()), eine ? 1 : 600) << fall.name.toStdString();
        }

        EXPECT_TRUE(alle(browser.speicherziel, fall.zeilen)) << fall.name.toStdString();
        EXPECT_EQ(bildzahl(browser.speicherziel), fall.bilder) << fall.name.toStdString();
        if (fall.bilder > 0) {
            EXPECT_TRUE(alle(druckdatei, fall.zeilen));
            EXPECT_EQ(bildzahl(druckdatei), fall.bilder);
        }
        // A table with a heading row, printed as the whole table is: the heading on every sheet.
        const CGBrowser::Druckeinstellungen& rand = CGBrowser::gib_druckeinstellungen();
        Druckeinrichtung einrichtung;
        einrichtung.raender_mm = QMarginsF(rand.rand_links.gib_wert(), rand.rand_oben.gib_wert(), rand.rand_rechts.gib_wert(), rand.rand_unten.gib_wert()) * 10;
        for (const QPageSize::PageSizeId blatt : {QPageSize::A4, QPageSize::A5}) {
            if (!fall.kopf)
                break;
            papier = QPageSize(blatt);
            browser.drucke(0);
            QPrinter drucker(QPrinter::HighResolution);
            drucker.setOutputFormat(QPrinter::PdfFormat);
            drucker.setOutputFileName(pfad("r/ganz.pdf"));
            drucker.setPageSize(papier);
            drucke_auf_drucker(&ganz, drucker, CQString(), einrichtung);
            const QStringList seiten = seiten_text(druckdatei);
            EXPECT_EQ(seiten.size(), seiten_text(pfad("r/ganz.pdf")).size()) << QPageSize::name(blatt).toStdString();
            EXPECT_EQ(seiten.filter(QStringLiteral("Nummer")).size(), seiten.size()) << QPageSize::name(blatt).toStdString();
        }
        EXPECT_TRUE(boxen.isEmpty()) << boxen.join('|').toStdString();
        // Copied once more, and the viewer closed while the copy runs: it ends with it, and says so.
        QApplication::sendEvent(seite, &kopieren);
    }
    // Each selection too long to be copied at once (all but that of the small tables).
    EXPECT_EQ(QString::fromStdString(log.text()).count("bevor die Auswahl kopiert war"), 6);
}

// A long table's parts show as the whole: a style sheet in the body holds for all, a cell keeps its
// rows, and no row wraps in a view a little narrower than the one the parts were cut for.
TEST_F(Textseite, GeschnitteneTabelleBehaeltStilZeilenspannenUndHoehe)
{
    const QByteArray html = "<html><body><style>.x{color:#ff0000}</style><table><tr><td>S</td><td colspan=2>s</td></tr>"
                            + QByteArray("<tr><td rowspan=2>R<td>x Betrag 12.345,67 EUR offen<td class=x>z</tr><tr><td>y<td class=x>z</tr>").repeated(500);
    const auto zellen = [](QTextDocument& dokument, QStringList alle = {}) {
        for (QTextBlock b = dokument.begin(); b.isValid(); b = b.next())
            if (const QTextTable* t = QTextCursor(b).currentTable())
                alle << b.text() + QString::number(t->cellAt(b.position()).column() * 10 + t->cellAt(b.position()).rowSpan()) + b.charFormat().foreground().color().name();
        return alle;
    };
    QTextDocument ganz;
    ganz.setHtml(html);
    CBerichtsdokument teile;
    teile.setze_bericht(html, QString(), 600);
    EXPECT_EQ(zellen(teile), zellen(ganz));
    ganz.setTextWidth(560);
    teile.setTextWidth(560);
    EXPECT_NEAR(teile.size().height(), ganz.size().height(), ganz.size().height() / 100);
    // Later rows longer than the first part's, in a column that wraps: within the width, as the whole.
    QByteArray lang = "<table border=1>";
    for (int i = 0; i < 1500; ++i)
        lang += "<tr><td>Z" + QByteArray::number(i).rightJustified(5, '0') + "<td>" + QByteArray("Betrag offen ").repeated(6) + QByteArray::number(i) + "</tr>";
    CBerichtsdokument lange;
    lange.setze_bericht(lang, QString(), 600);
    lange.setTextWidth(600);
    EXPECT_LE(lange.size().width(), 601);
    // A later URL with a number wider than the view: within the width, the row numbers beside it whole.
    QByteArray url = "<table border=1>";
    for (int i = 0; i < 1500; ++i)
        url += "<tr><td>Z" + QByteArray::number(i) + "<td>" + (i == 1200 ? "http://h/" + QByteArray("ab/cd-").repeated(40) + QByteArray("1234567890").repeated(30) : "kurz") + "</tr>";
    CBerichtsdokument breit;
    breit.setze_bericht(url, QString(), 600);
    breit.setTextWidth(600);
    ganz.setHtml(url);
    ganz.setTextWidth(600);
    EXPECT_LE(breit.size().width(), 601);
    EXPECT_NEAR(breit.size().height(), ganz.size().height(), ganz.size().height() / 100);
    // Later rows over both columns, or with a table in a cell, where the first part has none:
    // as tall as the whole, not squeezed into the first part's narrow columns.
    // A later row over both columns far longer than the first part's: the same.
    for (const auto& [spaeter, ende, anfang] : {std::tuple<QByteArray, QByteArray, QByteArray>{"<tr><td colspan=2>", "</td></tr>", ""},
                                                {"<tr><td>x<td><table><tr><td>", "</td></tr></table></td></tr>", ""},
                                                {"<tr><td colspan=2>", "</td></tr>", "<tr><td colspan=2>G</tr>"}}) {
        QByteArray gemischt = "<table border=1>" + anfang;
        for (int i = 0; i < 1500; ++i)
            gemischt += i < 1000 ? "<tr><td>Z" + QByteArray::number(i) + "<td>kurz</tr>"
                                 : spaeter + QByteArray("Betrag offen ").repeated(12) + ende;
        CBerichtsdokument teile_gemischt;
        teile_gemischt.setze_bericht(gemischt, QString(), 600);
        teile_gemischt.setTextWidth(600);
        ganz.setHtml(gemischt);
        ganz.setTextWidth(600);
        EXPECT_NEAR(teile_gemischt.size().height(), ganz.size().height(), ganz.size().height() / 10) << spaeter.toStdString();
    }
    // First rows of six cells, later ones of three: the columns of a later part stand where the whole's do.
    QByteArray kurz = "<table border=1>";
    for (int i = 0; i < 1200; ++i)
        kurz += "<tr><td>Z" + QByteArray::number(i) + (i < 200 ? "<td>Kunde Nord<td>Ort<td>12,34<td>offen<td>x" : "<td>Betrag<td>offen");
    const auto kanten = [](QTextDocument& dokument) {
        const QTextCursor zeile = dokument.find(QStringLiteral("Z1100"));
        QTextTable* const tabelle = zeile.currentTable();
        std::vector<qreal> x;
        for (int spalte = 0; tabelle && spalte < qMin(4, tabelle->columns()); ++spalte)
            x.push_back(dokument.documentLayout()->blockBoundingRect(tabelle->cellAt(tabelle->cellAt(zeile).row(), spalte).firstCursorPosition().block()).left());
        return x;
    };
    CBerichtsdokument kuerzer;
    kuerzer.setze_bericht(kurz, QString(), 600);
    kuerzer.setTextWidth(600);
    ganz.setHtml(kurz);
    ganz.setTextWidth(600);
    const std::vector<qreal> soll = kanten(ganz);
    const std::vector<qreal> ist = kanten(kuerzer);
    EXPECT_TRUE(std::equal(soll.begin(), soll.end(), ist.begin(), ist.end(), [](qreal a, qreal b) { return qAbs(a - b) <= 2; }));
    EXPECT_GT(kuerzer.rootFrame()->childFrames().size(), 1);
    // Measured in a narrow window that is widened then: its rows wrap no more than the whole's,
    // and it is still the file's, which save and print read beside the window.
    CBerichtsdokument eng;
    const QString datei = schreibe("r/eng.html", html);
    ASSERT_TRUE(eng.lade(datei, 150).isEmpty());
    eng.nimm_breite(1200);
    EXPECT_EQ(eng.gib_datei(), datei);
    eng.setTextWidth(1200);
    ganz.setHtml(html);
    ganz.setTextWidth(1200);
    EXPECT_NEAR(eng.size().height(), ganz.size().height(), ganz.size().height() / 100);
}

// A text report of 200 MB: the window's timers keep firing while it loads, it comes whole, and
// memory stays a small multiple of the file. (Under the sanitizers a smaller one, its memory
// not measured.)
TEST_F(Textseite, GrosserTextberichtLaedtOhneDasFensterAnzuhalten)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    // The sanitizers keep freed memory aside for a while: what the process holds says nothing
    // of what the page takes.
    const int mib = 24;
    const bool speicher_messbar = false;
#else
    const int mib = 200;
    const bool speicher_messbar = true;
#endif
    const QByteArray zeile = "Zeile 0000000: Kunde Ort Betrag 123,45 EUR <b>fett</b> & mehr Text, wie ein Bericht ihn hat\r\n";
    QByteArray block;
    while (block.size() + zeile.size() <= (1 << 20))
        block += zeile;
    const QString bericht = pfad("r/gross.txt");
    QDir().mkpath(pfad("r"));
    {
        QFile datei(bericht);
        ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
        for (int i = 0; i < mib; ++i)
            ASSERT_EQ(datei.write(block), block.size());
        ASSERT_TRUE(datei.write("Letzte Zeile \xC3\xA4\r\n") > 0);
    }
    const int zeilen = mib * (block.size() / zeile.size()) + 1;

    CGBrowser browser(nullptr, CQString("b"), false);
    CGBrowserEx* seite = browser.gib_textseite1();
    browser.resize(600, 400);
    browser.show();
    const auto geladen = [seite, zeilen] {
        return seite->document()->blockCount() >= zeilen &&
               seite->document()->findBlockByNumber(zeilen - 1).text() == QStringLiteral("Letzte Zeile ä");
    };
    int takte = 0;
    QTimer uhr;
    QObject::connect(&uhr, &QTimer::timeout, [&] {
        if (!geladen())
            ++takte;
    });
    uhr.start(10);
    const qint64 vorher = speicher_jetzt_mib();
    browser.setze_quelle(CQString(bericht));
    EXPECT_TRUE(warte(geladen, 300000));
    uhr.stop();
    EXPECT_GE(takte, 5);
    EXPECT_EQ(seite->document()->blockCount(), zeilen + 1);
    EXPECT_EQ(seite->document()->firstBlock().text(), QString::fromLatin1(zeile.trimmed()));
    EXPECT_EQ(seite->quelle, bericht);
    if (speicher_messbar) {
        EXPECT_LT(hoechster_speicher_mib() - vorher, 6 * mib) << mib << " MiB";
    }
    EXPECT_TRUE(boxen.isEmpty()) << boxen.join('|').toStdString();
}

// Back in the history to a text report, which the history loads passing by `setSource`: the
// report comes again, as text.
TEST_F(Textseite, ZurueckZumTextberichtZeigtIhnWieder)
{
    const QString text = schreibe(QStringLiteral("r/a.txt"), "Zeile <1>\r\nZeile 2\r\n");
    const QString html = schreibe(QStringLiteral("r/b.html"), "<html><body><p>HTML</p></body></html>");
    CGBrowser browser(nullptr, CQString("b"), false);
    CGBrowserEx* seite = browser.gib_textseite1();
    browser.setze_quelle(CQString(text));
    EXPECT_EQ(seite->toPlainText(), QStringLiteral("Zeile <1>\nZeile 2\n"));
    browser.setze_quelle(CQString(html));
    EXPECT_EQ(seite->toPlainText(), QStringLiteral("HTML"));
    browser.zurueck();
    EXPECT_TRUE(warte([seite] { return seite->toPlainText() == QStringLiteral("Zeile <1>\nZeile 2\n"); }, 10000))
        << seite->toPlainText().toStdString();
    browser.vorwaerts();
    EXPECT_TRUE(warte([seite] { return seite->toPlainText() == QStringLiteral("HTML"); }, 10000));
}

// Saved and printed while a text report is still being read: what is written is the whole
// report, not the page's note that it loads.
TEST_F(Textseite, SpeichernUndDruckenWaehrendDesLadensNehmenDenGanzenBericht)
{
    QByteArray text;
    for (int i = 0; text.size() < 3 * CQIODatei::laengste_zeile; ++i)
        text += "Zeile " + QByteArray::number(i) + " eines Berichts, der in Stuecken geladen wird\n";
    text += "ENDE";
    const QString bericht = schreibe(QStringLiteral("r/mittel.txt"), text);
    QDir().mkpath(pfad("o"));
    CGBrowser browser(nullptr, CQString("b"), false);
    browser.setze_quelle(CQString(bericht));
    ASSERT_TRUE(browser.gib_textseite1()->laedt());
    browser.speicherziel = CQString(pfad("o/t.txt"));
    browser.speichern_unter(0, false);
    EXPECT_EQ(lies(pfad("o/t.txt")), text);

    browser.setze_quelle(CQString(schreibe(QStringLiteral("r/b.html"), "<p>HTML</p>")));
    browser.setze_quelle(CQString(bericht));
    ASSERT_TRUE(browser.gib_textseite1()->laedt());
    browser.drucke(0);
    EXPECT_TRUE(seiten_text(druckdatei).join(QString()).contains(QStringLiteral("ENDE")));

    // The two-page form, a report of 30,000 lines still read on page 2, saved as PDF: every line.
    QByteArray lang;
    for (int i = 1; i <= 30000; ++i)
        lang += "Zeile " + QByteArray::number(i) + '\n';
    CGBrowser zwei(nullptr, CQString("b"), true);
    zwei.gib_textseite1()->zeige_quelle(CQString(schreibe(QStringLiteral("r/kurz.html"), "<p>Kurz</p>")));
    zwei.gib_textseite2()->zeige_quelle(CQString(schreibe(QStringLiteral("r/lang.txt"), lang)));
    zwei.speicherziel = CQString(pfad("o/zwei.pdf"));
    zwei.speichern_unter(2, false);
    EXPECT_EQ(seiten_text(zwei.speicherziel).join(QString()).count(QStringLiteral("Zeile ")), 30000);
}

// A report written anew after it was shown, the viewer closed while saving: both give what it showed.
TEST_F(Textseite, NeuGeschriebenerBerichtKommtWieAngezeigtAuchBeimSchliessen)
{
    const QString bericht = schreibe("r/a.html", "<p>ALT</p>");
    QPointer<CGBrowser> browser = new CGBrowser(nullptr, CQString("b"), false);
    browser->setze_quelle(CQString(bericht));
    schreibe("r/a.html", "<p>NEUER</p>");
    browser->speicherziel = CQString(pfad("r/k.txt"));
    browser->drucke(0);
    QTimer::singleShot(0, browser, &QWidget::close);
    browser->speichern_unter(0, false);
    EXPECT_EQ(lies(pfad("r/k.txt")), "ALT");
    EXPECT_EQ(seiten_text(druckdatei).join(QString()).simplified(), "ALT 1");
    EXPECT_TRUE(warte([&] { return browser.isNull(); }, 10000));
}

// Reports of 2 and 8 MiB saved as text, HTML and PDF, printed and mailed right after they were
// shown, in either form, the viewer closed or deleted meanwhile by every road: nothing crashes, and
// every file holds every line, or is not there and the user was told.
TEST_F(Textseite, BetrachterGehtWaehrendSpeichernDruckenUndMailen)
{
    bruecke_stub();
    QDir().mkpath(pfad("o"));
    for (const int mib : {2, 8}) {
        QByteArray html;
        int zeilen = 0;
        for (; html.size() < mib << 20; ++zeilen)
            html += "<p><span style=\"color:#102030;font-family:sans-serif\">Zeile " + QByteArray::number(zeilen) + "</span><span style=\"font-style:normal\"> Kunde</span></p>\n";
        const QString bericht = schreibe("r/g.html", html);
        for (const int art : {0, 1, 2, 3, 4}) {
            for (const auto& weg : schliesswege) {
                const QString ziel = art == 4 ? pfad("args.txt") : art == 3 ? druckdatei : pfad("o/k" + QString::number(art));
                QFile::remove(ziel);
                boxen.clear();
                schreibe("halt", ""); // the mail's bridge waits while the test reads the copy it was given
                QPointer<CGBrowserDiag> diag = new CGBrowserDiag(nullptr, CQString("b"), true, {}, art == 4 || (mib == 2 && !weg.second));
                diag->show();
                diag->browser->setze_quelle(CQString(bericht));
                diag->browser->speicherziel = CQString(ziel);
                CGBrowser* const browser = diag->browser;
                const auto schliesser = std::make_unique<FensterSchliesser>(diag, weg);
                art < 3 ? browser->speichern_unter(art, false) : art == 3 ? browser->drucke(0) : browser->sende_bericht();
                schliesser->schliesse();
                const std::string fall = std::to_string(mib) + " MiB, Art " + std::to_string(art) + ", " + std::to_string(weg.first) + " ms";
                EXPECT_TRUE(warte([&] { return QFile::exists(ziel) || !boxen.isEmpty(); }, 60000)) << fall;
                const QString text = art == 2 || art == 3 || !QFile::exists(ziel) ? QString() : QString::fromUtf8(lies(art == 4 ? anlagen().value(0) : ziel));
                QFile::remove(pfad("halt"));
                EXPECT_TRUE(warte([] { return !mail_aktiv; })) << fall;
                pruefe_datei(ziel, QStringLiteral("Zeile "), zeilen, weg.second, boxen, fall, text);
                delete diag.data();
            }
        }
        // Abbrechen while the viewer (1) or the mail (2) prepares it: no mail goes.
        for (int welcher = 1; welcher <= 2 && mib == 8; ++welcher) {
            QPointer<CGBrowserDiag> diag = new CGBrowserDiag(nullptr, CQString("b"), true, {}, true);
            diag->browser->setze_quelle(CQString(bericht));
            ASSERT_TRUE(warte([&] { return !diag->browser->gib_textseite1()->laedt(); }, 60000));
            int gesehen = 0;
            QPointer<QProgressDialog> letzter;
            QTimer abbrecher;
            QObject::connect(&abbrecher, &QTimer::timeout, [&] {
                for (QWidget* w : QApplication::topLevelWidgets())
                    if (auto* dialog = qobject_cast<QProgressDialog*>(w); dialog && dialog != letzter)
                        if (letzter = dialog; ++gesehen == welcher)
                            emit dialog->canceled();
            });
            abbrecher.start(0);
            diag->browser->sende_bericht();
            EXPECT_GE(gesehen, welcher);
            EXPECT_FALSE(mail_aktiv) << welcher;
            delete diag.data();
        }
    }
}

// A 7 MiB report saved as text, and one of 512 KiB as PDF, while every window closes around the
// save (the updater's "Beenden" and the session's end, which close them as `closeAllWindows` does,
// the modal window first; the viewer closed as the last window): the file is whole, then the
// program ends by itself.
TEST_F(Textseite, AlleFensterZuWaehrendDesSpeichernsDateiGanzUndProgrammEndet)
{
    for (const bool pdf : {false, true}) {
        QByteArray html = "<html><head><style>td{color:#102030}</style></head><body><table><thead><tr><th>Kopf</th></tr></thead>\n";
        int zeilen = 0;
        for (; html.size() < (pdf ? 1 << 19 : 7 << 20); ++zeilen)
            html += "<tr><td>Zeile " + QByteArray::number(zeilen) + " Kunde</td></tr>\n";
        const QString bericht = schreibe("r/g.html", html + "</table></body></html>");
        for (const bool alle : {true, false}) {
            QWidget haupt;
            haupt.setVisible(alle);
            QPointer<CGBrowserDiag> diag = new CGBrowserDiag(alle ? &haupt : nullptr, CQString("b"), true, {}, false);
            diag->show();
            diag->browser->setze_quelle(CQString(bericht));
            const QString ziel = pfad(QString(alle ? "alle" : "letztes") + (pdf ? ".pdf" : ".txt"));
            diag->browser->speicherziel = CQString(ziel);
            QTimer schliesser;
            QObject::connect(&schliesser, &QTimer::timeout, [&] {
                if (QApplication::activeModalWidget() && (schliesser.stop(), true))
                    alle ? QApplication::closeAllWindows() : (void)diag->close();
            });
            schliesser.start(10);
            QTimer::singleShot(0, diag, pdf ? &CGBrowserDiag::saveAsPDFSlot : &CGBrowserDiag::saveAsTextSlot);
            // Ended by itself within a minute of the file, else the test ends it (99).
            QElapsedTimer seit_datei;
            seit_datei.start();
            QTimer waechter;
            QObject::connect(&waechter, &QTimer::timeout, [&] {
                if (!QFile::exists(ziel))
                    seit_datei.restart();
                else if (seit_datei.hasExpired(60000))
                    QCoreApplication::exit(99);
            });
            waechter.start(100);
            EXPECT_EQ(QApplication::exec(), 0) << pdf << alle;
            QCoreApplication::removePostedEvents(qApp, QEvent::Quit);
            const QString text = pdf ? seiten_text(ziel).join(QString()) : QString::fromUtf8(lies(ziel));
            EXPECT_EQ(text.count(QStringLiteral("Zeile ")), zeilen) << pdf << alle;
            delete diag.data();
        }
    }
}
