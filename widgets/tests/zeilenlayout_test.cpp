// The layout of long logs: shows what the standard layout shows, and lays out no more than is seen.
#include "zeilenlayout.h"
#include "zeilenpuffer.h"

#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

// Lines as a job writes them: coloured, plain, wrapped, right to left, empty, with a break.
QStringList zeilen(int anzahl)
{
    QStringList r;
    for (int i = 0; i < anzahl; ++i) {
        switch (i % 7) {
        case 0:
            r << QStringLiteral("<span style=\"color:#000000\">Installiere ebene%1/teil/datei%2.txt</span>").arg(i % 40).arg(i);
            break;
        case 1:
            r << QStringLiteral("<span style=\"color:#b20000\">Fehler bei Schreiben in Ausgabedatei: %1 %2</span>")
                     .arg(QStringLiteral("lang ").repeated(30))
                     .arg(i);
            break;
        case 2:
            r << QString::fromUtf8("<span style=\"color:#000000\">\u05e9\u05dc\u05d5\u05dd %1</span>").arg(i);
            break;
        case 3:
            r << QStringLiteral("schlichte Zeile %1").arg(i);
            break;
        case 4:
            r << QStringLiteral("<br>");
            break;
        case 5:
            r << QStringLiteral("<b>fett</b> und <i>schraeg</i> %1").arg(i);
            break;
        default:
            r << QStringLiteral("<span style=\"color:#b36b3f\">Warnung &amp; mehr %1</span><br>").arg(i);
        }
    }
    return r;
}

// A shown log view with the lines appended through the buffer; with `eigenes` false it keeps the
// standard layout (the buffer decides at its start, for a read-only view).
struct Ansicht
{
    explicit Ansicht(bool eigenes, const QStringList& inhalt)
    {
        bereich.setReadOnly(eigenes);
        bereich.resize(420, 300);
        bereich.show();
        puffer = new CZeilenpuffer(&bereich);
        bereich.setReadOnly(true);
        for (const QString& zeile : inhalt)
            puffer->nimm(zeile);
        puffer->schreibe();
        QApplication::processEvents();
    }
    QImage bild()
    {
        QApplication::processEvents();
        return bereich.viewport()->grab().toImage();
    }
    QTextBrowser bereich;
    CZeilenpuffer* puffer = nullptr;
};

int gelegte(const QTextDocument* dokument)
{
    int anzahl = 0;
    for (QTextBlock block = dokument->begin(); block.isValid(); block = block.next())
        anzahl += block.layout() && block.layout()->lineCount() > 0;
    return anzahl;
}

} // namespace

TEST(Zeilenlayout, ZeigtWasDasStandardlayoutZeigt)
{
    const QStringList inhalt = zeilen(300);
    Ansicht eigen(true, inhalt);
    Ansicht standard(false, inhalt);
    ASSERT_NE(dynamic_cast<CZeilenlayout*>(eigen.bereich.document()->documentLayout()), nullptr);
    ASSERT_EQ(dynamic_cast<CZeilenlayout*>(standard.bereich.document()->documentLayout()), nullptr);
    // At the end, where a log view stands, and at its top.
    EXPECT_EQ(eigen.bild(), standard.bild());
    for (Ansicht* a : {&eigen, &standard})
        a->bereich.verticalScrollBar()->setValue(0);
    EXPECT_EQ(eigen.bild(), standard.bild());
    // A line found is brought into sight, selected, as by the standard layout.
    for (Ansicht* a : {&eigen, &standard}) {
        a->bereich.moveCursor(QTextCursor::End);
        ASSERT_TRUE(a->bereich.find(QStringLiteral("datei147.txt"), QTextDocument::FindBackward));
    }
    EXPECT_EQ(eigen.bereich.cursorRect(), standard.bereich.cursorRect());
    EXPECT_EQ(eigen.bild(), standard.bild());
    // A point of the view hits the same place.
    const QPoint punkt(60, 40);
    EXPECT_EQ(eigen.bereich.cursorForPosition(punkt).position(), standard.bereich.cursorForPosition(punkt).position());
}

TEST(Zeilenlayout, LegtNurAusWasGezeigtWird)
{
    Ansicht ansicht(true, zeilen(20000));
    QTextDocument* dokument = ansicht.bereich.document();
    ansicht.bild();
    // The last screen, not the thousands of lines above it.
    EXPECT_LT(gelegte(dokument), 100);
    QScrollBar* leiste = ansicht.bereich.verticalScrollBar();
    EXPECT_EQ(leiste->value(), leiste->maximum());
    const QTextBlock letzter = dokument->lastBlock();
    EXPECT_TRUE(ansicht.bereich.viewport()->rect().intersects(
        ansicht.bereich.cursorRect(QTextCursor(letzter)).adjusted(0, 0, 1, 1)));
    // The first line at the top, once scrolled there.
    leiste->setValue(0);
    ansicht.bild();
    EXPECT_EQ(ansicht.bereich.cursorForPosition(QPoint(5, 5)).block().blockNumber(), 0);
    EXPECT_LT(gelegte(dokument), 200);
}

// A table of the document (here one with markup in a cell) or a picture is laid out by the
// standard layout: the document gets it back.
TEST(Zeilenlayout, TabelleBekommtDasStandardlayout)
{
    Ansicht ansicht(true, zeilen(50));
    CZeilenpuffer* puffer = ansicht.puffer;
    puffer->nimm(QStringLiteral("<table border=1><tr><td><b>1</b></td><td>a.txt</td></tr></table>"));
    puffer->schreibe();
    QApplication::processEvents();
    QTextDocument* dokument = ansicht.bereich.document();
    EXPECT_EQ(dynamic_cast<CZeilenlayout*>(dokument->documentLayout()), nullptr);
    EXPECT_GT(gelegte(dokument), 40);
    EXPECT_GT(dokument->documentLayout()->documentSize().height(), 50 * 10);
}

// A table of plain text cells comes as a paragraph per row, and a table that follows at once
// continues it: every cell starts in its column, the same in this layout as in the standard one,
// and a wider cell of a later row moves the columns of the rows before it too.
TEST(Zeilenlayout, SchlichteTabellenStehenAlsEineInSpalten)
{
    const QStringList inhalt{
        QString::fromUtf8("<table border=1><tr><td>Größe</td><td>Name</td></tr><tr><td>    7</td><td>a &amp;  b.txt</td></tr></table>")};
    Ansicht eigen(true, inhalt);
    Ansicht standard(false, inhalt);
    ASSERT_NE(dynamic_cast<CZeilenlayout*>(eigen.bereich.document()->documentLayout()), nullptr);
    int spalte = -1;
    for (Ansicht* a : {&eigen, &standard}) {
        // Each in a pass of its own, the view's cursor in the first row.
        for (const QString& zeile : {QStringLiteral("<table border=1><tr><td>1</td><td>b.txt</td></tr></table>"),
                                    QStringLiteral("<table border=1><tr><td>12345678901234567890</td><td>c.txt</td></tr></table><br/>"),
                                    QStringLiteral("danach")}) {
            a->puffer->nimm(zeile);
            a->puffer->schreibe();
        }
        a->bild();
        QTextDocument* dokument = a->bereich.document();
        EXPECT_FALSE(CZeilenlayout::ist_tabellenzeile(dokument->lastBlock().blockFormat()));
        EXPECT_TRUE(dokument->lastBlock().blockFormat().tabPositions().isEmpty());
        EXPECT_TRUE(dokument->findBlockByNumber(3).blockFormat().tabPositions() == dokument->firstBlock().blockFormat().tabPositions());
        EXPECT_TRUE(dokument->rootFrame()->childFrames().isEmpty());
        EXPECT_EQ(dokument->toPlainText(), QString::fromUtf8("Größe\tName\n7\ta & b.txt\n1\tb.txt\n12345678901234567890\tc.txt\n\ndanach"));
        for (int zeile = 0; zeile < 4; ++zeile) {
            const QTextBlock block = dokument->findBlockByNumber(zeile);
            QTextCursor cursor(block);
            cursor.setPosition(block.position() + block.text().indexOf(QLatin1Char('\t')) + 1);
            const int x = a->bereich.cursorRect(cursor).x();
            if (spalte < 0)
                spalte = x;
            EXPECT_EQ(x, spalte) << zeile;
        }
    }
    EXPECT_GT(spalte, QFontMetrics(eigen.bereich.document()->defaultFont()).horizontalAdvance(QStringLiteral("12345678901234567890")));
}
