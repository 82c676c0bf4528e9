// The text page on reports of any size: a huge text report is refused with a message at once, a large one is shown while the window keeps answering, memory a small multiple of the file.
#include "berichtstest.h"
#include "cgbrowserex.h"
#include "cgmail.h"
#include "cqiodatei.h"
#include "pdfpruefung.h"

#include <QElapsedTimer>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

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
}

// An HTML report of 31 MiB, one table of 524,288 rows, which a text page would take minutes and
// gigabytes to lay out on the GUI thread: refused at once with its size, while a 10 ms timer of
// the window keeps its pace, and memory stays as it was; a table of a MiB by its cells.
TEST_F(Textseite, GrosserHtmlBerichtWirdSofortMitSeinerGroesseAbgewiesen)
{
    QByteArray zeilen;
    for (int i = 0; i < 524288; ++i)
        zeilen += "<tr><td>" + QByteArray::number(i).rightJustified(7, '0') + "</td><td>Betrag 12.345,67 EUR offen</td></tr>\n";
    const QString bericht = schreibe(QStringLiteral("r/tabelle.html"), "<table>\n" + zeilen + "</table>\n");
    CGBrowser browser(nullptr, CQString("b"), false);
    browser.show();
    QElapsedTimer uhr;
    qint64 luecke = 0;
    int takte = 0;
    QTimer takt;
    QObject::connect(&takt, &QTimer::timeout, [&] { luecke = qMax(luecke, uhr.restart()); ++takte; });
    const qint64 vorher = speicher_jetzt_mib();
    uhr.start();
    takt.start(10);
    QTimer::singleShot(30, [&] { browser.setze_quelle(CQString(bericht)); });
    EXPECT_TRUE(warte([&] { return takte >= 30; }, 300000));
    EXPECT_LT(luecke, 2000);
    EXPECT_EQ(boxen, QStringList{"2|Der Bericht '" + bericht + "' ist mit 31 MB zu groß zum Anzeigen (höchstens 4 MB)."});
    EXPECT_TRUE(browser.gib_textseite1()->toPlainText().isEmpty());
    EXPECT_LT(hoechster_speicher_mib() - vorher, 64);

    // A table of a MiB would still hold the window for seconds: it is refused by its cells.
    const QString mittel = schreibe(QStringLiteral("r/mittel.html"), "<table>\n" + zeilen.left(61 * 20000) + "</table>");
    browser.setze_quelle(CQString(mittel));
    EXPECT_EQ(boxen.value(1), "2|Der Bericht '" + mittel + "' ist mit 40000 Tabellenzellen zu groß zum Anzeigen (höchstens 10000).");
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
}
