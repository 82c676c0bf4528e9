// The line buffer of the log views: the text it makes is the text QTextEdit::append makes of the same lines.
#include "zeilenpuffer.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <gtest/gtest.h>

// Lines as the message functions and workers send them: plain, plain with a line break in HTML,
// and such lines that the HTML parser reads otherwise than they stand (blanks, entities, markup).
TEST(Zeilenpuffer, GibtDenTextVonAppendWieder)
{
    const QStringList zeilen{
        QStringLiteral("installiere ebene01/teil02/datei00003.txt<br>"),
        QStringLiteral("zwei  Blanks<br>"),
        QStringLiteral(" vorne<br>"),
        QStringLiteral("hinten <br>"),
        QStringLiteral("a &amp; b &lt;c&gt;<br>"),
        QStringLiteral("x > y<br>"),
        QStringLiteral("Tab\there<br>"),
        QStringLiteral("<span style=\"color:#b20000\">Fehler bei entpacken</span><br>"),
        QStringLiteral("schlichte Zeile ohne Markup"),
        QStringLiteral("<b>fett</b> und normal"),
        QString::fromUtf8("Ünïcödé ∑ \xf0\x9f\x98\x80 Größe<br>"),
        QStringLiteral("<br>"),
        QStringLiteral(""),
        QStringLiteral("<table border=1><tr><td><b>1</b></td><td>a.txt</td></tr></table>"),
        QStringLiteral("<span style=\"color:#000000\">installiere ebene01/datei00004.txt</span>"),
        QStringLiteral("<span style=\"color:#b20000\">Fehler: &quot;a&quot; &amp; b &ge; c &#233;&Auml;&szlig;</span>"),
        QStringLiteral("<span style=\"color:#b36b3f\">Warnung &nbsp;mit Umbruch</span><br>"),
        QStringLiteral("<span style=\"color:#999999\">&nbsp;</span>"),
        QStringLiteral("<span style=\"color:#000000\">zwei  Blanks</span>"),
        QStringLiteral("<span style=\"color:#000000\">  vorne, hinten \n</span>"),
        QStringLiteral("<span style=\"color:#000000\">a \n\t b\r</span><br>"),
        QStringLiteral("<span style=\"color:#000000\">   </span>"),
        QString::fromUtf8("<span style=\"color:#000000\">gesch\u00fctzt\u00a0Blank und \u2003Geviert</span>"),
        QStringLiteral("<span style=\"color:#000000\">a<br>b</span>"),
        QStringLiteral("<span style=\"color:#000000\">&unbekannt; &copy;</span>"),
        QStringLiteral("<span style=\"color:#zzzzzz\">falsche Farbe</span>"),
        QString::fromUtf8("<span style=\"color:#000000\">\u05e9\u05dc\u05d5\u05dd ebene01/datei.txt</span>"),
        QString::fromUtf8("<span style=\"color:#000000\">123 - \u0645\u0631\u062d\u0628\u0627 abc</span>"),
        QString::fromUtf8("<span style=\"color:#000000\">123 - 456 \u05d0</span><br>"),
        QString::fromUtf8("<span style=\"color:#000000\">(1) \xf0\x90\xa0\x80 a</span>"),
        QString::fromUtf8("<span style=\"color:#000000\">123 - 456</span>"),
        QString::fromUtf8("\u05e9\u05dc\u05d5\u05dd<br>"),
        QStringLiteral("ende<br>"),
    };
    QTextEdit einzeln;
    for (const QString& zeile : zeilen)
        einzeln.append(zeile);

    QTextEdit gepuffert;
    auto* puffer = new CZeilenpuffer(&gepuffert);
    for (const QString& zeile : zeilen)
        puffer->nimm(zeile);
    EXPECT_TRUE(gepuffert.document()->isEmpty());
    puffer->schreibe();
    EXPECT_TRUE(puffer->ist_leer());

    EXPECT_EQ(gepuffert.document()->blockCount(), einzeln.document()->blockCount());
    EXPECT_EQ(gepuffert.toPlainText().toStdString(), einzeln.toPlainText().toStdString());
    EXPECT_EQ(gepuffert.toHtml().toStdString(), einzeln.toHtml().toStdString());
    // Each paragraph runs in the same direction, left to right or (by its first character of a
    // strong direction) right to left.
    for (QTextBlock a = gepuffert.document()->begin(), b = einzeln.document()->begin(); a.isValid() && b.isValid();
         a = a.next(), b = b.next())
        EXPECT_EQ(a.textDirection(), b.textDirection()) << a.text().toStdString();
}
