// Text files: codec choice, byte-order mark, reading lines with comments, closing.
#include "anwendung.h"
#include "cqiodatei.h"
#include "testziele.h"

#include <QFile>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <tuple>
#include <unistd.h>

namespace {

class DateiTest : public ::testing::Test
{
protected:
    void TearDown() override { setze_sprachcode(QStringLiteral("de")); }

    QByteArray inhalt(const QString& name) const
    {
        QFile f(name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<fehlt>");
    }
    void lege_an(const QString& name, const QByteArray& bytes) const
    {
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    // All lines that carry text, read with the codec choice of `utf8`.
    QStringList lies_alles(const QString& name, bool utf8, bool kommentar = false) const
    {
        CQIODatei datei{CQString(name)};
        QStringList zeilen;
        if (!datei.oeffne(true, false, true, false, false))
            return {QStringLiteral("<nicht offen>")};
        datei.setze_codec(utf8);
        CQString zeile;
        int nummer = 0;
        while (datei.lies_zeile(zeile, nummer, kommentar))
            zeilen << zeile;
        return zeilen;
    }
    void schreibe(const QString& name, const QString& text, bool bom, bool utf8) const
    {
        CQIODatei datei{CQString(name)};
        ASSERT_TRUE(datei.oeffne(false, true, true, false, true));
        if (bom)
            datei.setze_utf8_bom(utf8);
        else
            datei.setze_codec(utf8);
        datei.schreibe_zeile(CQString(text));
        EXPECT_TRUE(datei.schliesse());
    }

    TestOrdner ordner;
    const QString umlaute = QStringLiteral("Gr\u00FC\u00DFe \u00E4\u00F6 \u20AC");
};

} // namespace

TEST_F(DateiTest, Utf8MitUndOhneByteOrderMark)
{
    schreibe("ohne.txt", umlaute, false, true);
    EXPECT_EQ(inhalt("ohne.txt"), umlaute.toUtf8() + "\n");
    schreibe("mit.txt", umlaute, true, true);
    EXPECT_EQ(inhalt("mit.txt"), "\xEF\xBB\xBF" + umlaute.toUtf8() + "\n");

    // Read back while the language is German and UTF-8 is not asked for: the content decides.
    EXPECT_EQ(lies_alles("ohne.txt", false), QStringList{umlaute});
    EXPECT_EQ(lies_alles("mit.txt", false), QStringList{umlaute});
    EXPECT_EQ(lies_alles("mit.txt", true), QStringList{umlaute});
}

TEST_F(DateiTest, AchtBitCodeSeite)
{
    // Written without UTF-8 in German: Windows-1252 (the euro sign is 0x80 there).
    schreibe("ansi.txt", umlaute, false, false);
    EXPECT_EQ(inhalt("ansi.txt"), QByteArray("Gr\xFC\xDF" "e \xE4\xF6 \x80\n"));
    schreibe("ansi_bom.txt", umlaute, true, false);
    EXPECT_EQ(inhalt("ansi_bom.txt"), QByteArray("Gr\xFC\xDF" "e \xE4\xF6 \x80\n"));
    // Invalid UTF-8 is read as the 8-bit code page, even when UTF-8 was asked for.
    EXPECT_EQ(lies_alles("ansi.txt", false), QStringList{umlaute});
    EXPECT_EQ(lies_alles("ansi.txt", true), QStringList{umlaute});
}

TEST_F(DateiTest, AndereSpracheSchreibtImmerUtf8)
{
    setze_sprachcode(QStringLiteral("ru"));
    schreibe("ru.txt", umlaute, false, false);
    EXPECT_EQ(inhalt("ru.txt"), umlaute.toUtf8() + "\n");
    schreibe("ru_bom.txt", umlaute, true, false);
    EXPECT_EQ(inhalt("ru_bom.txt"), "\xEF\xBB\xBF" + umlaute.toUtf8() + "\n");
}

TEST_F(DateiTest, InhaltsprobeUeber2048Bytes)
{
    // A character cut by the 2048-byte probe does not count as invalid.
    const QByteArray vorne(2047, 'a');
    lege_an("grenze.txt", vorne + "\xC3\xA4" + "\n");
    EXPECT_EQ(lies_alles("grenze.txt", false), QStringList{QString(vorne) + QStringLiteral("\u00E4")});
    // What lies beyond the probe does not take part.
    lege_an("spaet.txt", QByteArray(3000, 'b') + "\xC3\xA4 \xE4\n");
    const QStringList spaet = lies_alles("spaet.txt", false);
    ASSERT_EQ(spaet.size(), 1);
    EXPECT_TRUE(spaet[0].endsWith(QStringLiteral("\u00E4 \uFFFD")));
    // A file cut inside its last character still reads as UTF-8 up to that point.
    lege_an("abgeschnitten.txt", QByteArray("\xC3\xA4x\xE2\x82"));
    const QStringList kurz = lies_alles("abgeschnitten.txt", false);
    ASSERT_EQ(kurz.size(), 1);
    EXPECT_TRUE(kurz[0].startsWith(QStringLiteral("\u00E4x")));
    // An empty file passes the probe and has no line.
    lege_an("leer.txt", QByteArray());
    EXPECT_TRUE(lies_alles("leer.txt", false).isEmpty());
}

TEST_F(DateiTest, ZeilenMitKommentarenUndLeerzeilen)
{
    lege_an("zeilen.txt", "erste\r\n\n   \t\n! ganz Kommentar\nx ! y\n!\nletzte ohne Ende");
    CQIODatei datei{CQString("zeilen.txt")};
    ASSERT_TRUE(datei.oeffne(true, false, true, false, false));
    datei.setze_codec(false);
    CQString zeile;
    int nummer = 0;
    ASSERT_TRUE(datei.lies_zeile(zeile, nummer, true));
    EXPECT_EQ(zeile, QStringLiteral("erste"));
    EXPECT_EQ(nummer, 1);
    ASSERT_TRUE(datei.lies_zeile(zeile, nummer, true));
    EXPECT_EQ(zeile, QStringLiteral("x "));
    EXPECT_EQ(nummer, 5); // the skipped lines count too
    ASSERT_TRUE(datei.lies_zeile(zeile, nummer, true));
    EXPECT_EQ(zeile, QStringLiteral("letzte ohne Ende"));
    EXPECT_EQ(nummer, 7);
    EXPECT_FALSE(datei.lies_zeile(zeile, nummer, true));
    EXPECT_EQ(nummer, 7);

    EXPECT_EQ(lies_alles("zeilen.txt", false, false),
              (QStringList{"erste", "! ganz Kommentar", "x ! y", "!", "letzte ohne Ende"}));

    lege_an("nur_kommentar.txt", "! a\n\n! b\n");
    CQIODatei kommentare{CQString("nur_kommentar.txt")};
    ASSERT_TRUE(kommentare.oeffne(true, false, true, false, false));
    nummer = 0;
    EXPECT_FALSE(kommentare.lies_zeile(zeile, nummer, true));
    EXPECT_EQ(nummer, 3);
    EXPECT_EQ(zeile, QStringLiteral("! b")); // the last line read stays in the argument
}

TEST_F(DateiTest, OeffnenUndSchliessen)
{
    CQIODatei fehlt{CQString("gibt_es_nicht.txt")};
    EXPECT_FALSE(fehlt.oeffne(true, false, true, false, false));
    EXPECT_EQ(fehlt.gib_stream(), nullptr);
    EXPECT_FALSE(fehlt.schliesse());
    fehlt.schreibe_zeile(CQString("nichts")); // not open: nothing happens
    fehlt.setze_codec(true);
    CQString zeile;
    int nummer = 0;
    EXPECT_FALSE(fehlt.lies_zeile(zeile, nummer, false));
    EXPECT_FALSE(QFile::exists("gibt_es_nicht.txt"));

    CQIODatei datei{CQString("offen.txt")};
    ASSERT_TRUE(datei.oeffne(false, true, true, false, true));
    EXPECT_FALSE(datei.oeffne(false, true, true, false, true)); // already open
    EXPECT_NE(datei.gib_stream(), nullptr);
    EXPECT_TRUE(datei.schliesse());
    EXPECT_FALSE(datei.schliesse());
    EXPECT_EQ(datei.gib_stream(), nullptr);

    // Appending keeps what is there.
    schreibe("anhang.txt", "a", false, true);
    {
        CQIODatei anhang{CQString("anhang.txt")};
        ASSERT_TRUE(anhang.oeffne(false, true, true, true, false));
        anhang.setze_codec(true);
        // Written through the stream without a flush: closing in the destructor keeps it.
        *anhang.gib_stream() << "b";
    }
    EXPECT_EQ(inhalt("anhang.txt"), QByteArray("a\nb"));
    // One object opens its file again after closing it, in another mode.
    {
        CQIODatei wieder{CQString("anhang.txt")};
        ASSERT_TRUE(wieder.oeffne(true, false, true, false, false));
        EXPECT_TRUE(wieder.schliesse());
        ASSERT_TRUE(wieder.oeffne(false, true, true, true, false));
        *wieder.gib_stream() << "\nc";
        EXPECT_TRUE(wieder.schliesse());
    }
    EXPECT_EQ(inhalt("anhang.txt"), QByteArray("a\nb\nc"));
}

TEST_F(DateiTest, SchreibfehlerWirdGemeldet)
{
    const Dateigrenze grenze(4);
    CQIODatei voll{CQString("voll.txt")};
    ASSERT_TRUE(voll.oeffne(false, true, true, false, false));
    voll.setze_codec(true);
    voll.schreibe_zeile(CQString("geht nicht"));
    EXPECT_FALSE(voll.schliesse());
}

// A name that is no regular file opens in no mode, and never waits: a pipe without a writer or
// reader, a link to it, a pipe with a reader, a device.
TEST_F(DateiTest, RohrOderGeraetOeffnetNichtUndWartetNicht)
{
    const Wecker wecker;
    ASSERT_TRUE(lege_rohr_an(QStringLiteral("rohr")));
    ASSERT_TRUE(QFile::link(QStringLiteral("rohr"), QStringLiteral("verweis")));
    for (const char* name : {"rohr", "verweis", "/dev/zero"}) {
        for (const auto& [lesen, schreiben, anhaengen] : {std::make_tuple(true, false, false),
                                                          std::make_tuple(false, true, true),
                                                          std::make_tuple(false, true, false)}) {
            SCOPED_TRACE(std::string(name) + (lesen ? " lesen" : anhaengen ? " anhaengen" : " schreiben"));
            CQIODatei datei{CQString(name)};
            EXPECT_FALSE(datei.oeffne(lesen, schreiben, true, anhaengen, false));
            EXPECT_EQ(datei.gib_stream(), nullptr);
            EXPECT_FALSE(datei.gib_fehlertext().isEmpty());
        }
    }
    const int leser = ::open("rohr", O_RDONLY | O_NONBLOCK);
    ASSERT_GE(leser, 0);
    CQIODatei anhang{CQString("rohr")};
    EXPECT_FALSE(anhang.oeffne(false, true, true, true, false));
    char zeichen;
    EXPECT_EQ(::read(leser, &zeichen, 1), 0);
    ::close(leser);

    // A file opened after a refusal reports no old reason.
    lege_an(QStringLiteral("da.txt"), "da\n");
    CQIODatei da{CQString("da.txt")};
    EXPECT_TRUE(da.oeffne(true, false, true, false, false));
    EXPECT_EQ(lies_alles(QStringLiteral("da.txt"), true), QStringList{QStringLiteral("da")});
}

TEST(Leerzeile, NurWeissraum)
{
    EXPECT_TRUE(ist_leerzeile(CQString("")));
    EXPECT_TRUE(ist_leerzeile(CQString(" \t \r")));
    EXPECT_FALSE(ist_leerzeile(CQString(" x ")));
}

// A line far longer than any the framework reads (a file another program hands in may hold one
// endless line): passed over, counted as one line, and the lines around it are read as before.
TEST_F(DateiTest, UeberlangeZeileWirdUebergangen)
{
    const int lang = 3 * CQIODatei::laengste_zeile + 17;
    lege_an("lang.txt", "vorher\n" + QByteArray(lang, 'x') + "\nnachher\n" + QByteArray(lang, 'y'));
    CQIODatei datei{CQString("lang.txt")};
    ASSERT_TRUE(datei.oeffne(true, false, true, false, false));
    datei.setze_codec(false);
    CQString zeile;
    int nummer = 0;
    QStringList zeilen;
    while (datei.lies_zeile(zeile, nummer, false))
        zeilen << zeile + QStringLiteral("@") + QString::number(nummer);
    EXPECT_EQ(zeilen, QStringList({"vorher@1", "nachher@3"}));
    EXPECT_EQ(nummer, 4);
}
