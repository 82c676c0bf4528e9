// CQString: construction from every source, members, and the UTF-8 conversion to std::string.
#include "anwendung.h"
#include "cqstring.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <sstream>

TEST(CQString, Konstruktion)
{
    EXPECT_TRUE(CQString(static_cast<const char*>(nullptr)).isEmpty());
    EXPECT_EQ(CQString("Gr\xc3\xbc\xc3\x9f" "e"), QString::fromUtf8("Grüße"));
    EXPECT_EQ(CQString("Grüße").size(), 5);
    EXPECT_EQ(CQString(QByteArray("a\0b", 3)), QString("a"));
    EXPECT_EQ(CQString(QChar(0x20AC)), QString(QChar(0x20AC)));
    EXPECT_EQ(CQString(QStringList{"a", "b", "c"}), QString("a b c"));
    EXPECT_EQ(CQString(QStringList{"", ""}), QString(" "));
    EXPECT_EQ(CQString(QStringList{}), QString());
    const CQString kopie(CQString("k"));
    EXPECT_EQ(kopie, QString("k"));
}

TEST(CQString, Split)
{
    const CQString s("a;;b");
    EXPECT_EQ(s.split(QChar(';'), false), (QStringList{"a", "b"}));
    EXPECT_EQ(s.split(QChar(';'), true), (QStringList{"a", "", "b"}));
    EXPECT_EQ(s.split(QString(";;"), true), (QStringList{"a", "b"}));
    EXPECT_EQ(CQString("aXb").split(QString("x"), true), (QStringList{"aXb"}));
}

TEST(CQString, RemoveAendertDasObjektUndGibtKopie)
{
    CQString s("abcd");
    const CQString r = s.remove(0, 2);
    EXPECT_EQ(s, QString("cd"));
    EXPECT_EQ(r, QString("cd"));
}

TEST(CQString, IndexOf)
{
    EXPECT_EQ(CQString("xABC").indexOf("abc", 0, false), 1);
    EXPECT_EQ(CQString("xABC").indexOf("abc", 0, true), -1);
    EXPECT_EQ(CQString("abab").indexOf("b", 3, true), 3);
    EXPECT_EQ(CQString("abab").indexOf("a", 3, true), -1);
}

TEST(CQString, ZuDouble)
{
    bool ok = false;
    EXPECT_DOUBLE_EQ(CQString("1.5").zu_double(&ok), 1.5);
    EXPECT_TRUE(ok);
    EXPECT_DOUBLE_EQ(CQString("abc").zu_double(&ok), 0.0);
    EXPECT_FALSE(ok);
    EXPECT_DOUBLE_EQ(CQString("2.25").zu_double(), 2.25);

    const QLocale vorher;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    // The system locale comes from the environment; only check the C-locale road here.
    EXPECT_DOUBLE_EQ(CQString("1.5").zu_double(&ok), 1.5);
    EXPECT_TRUE(ok);
    QLocale::setDefault(vorher);
}

TEST(CQString, Latin1UndHtml)
{
    EXPECT_EQ(CQString("abc").zu_latin1(), QString("abc"));
    EXPECT_EQ(CQString("é").zu_latin1(), QString(QChar(0xFFFD)));
    EXPECT_EQ(CQString("€").zu_latin1(), QString("?"));
    EXPECT_EQ(CQString("ä").utf8(), QString::fromUtf8("ä"));
    EXPECT_TRUE(CQString("<P>").ist_html());
    EXPECT_TRUE(CQString("<TD>").ist_html());
    EXPECT_FALSE(CQString("a<b").ist_html());
    EXPECT_FALSE(CQString("text").ist_html());
}

TEST(CQString, KleinGrossTrimmed)
{
    EXPECT_EQ(CQString("AbC").klein(), QString("abc"));
    EXPECT_EQ(CQString("AbC").gross(), QString("ABC"));
    EXPECT_EQ(CQString("  a b ").trimmed(), QString("a b"));
    EXPECT_EQ(CQString("  a \t  b ").vereinfacht(), QString("a b"));
    EXPECT_EQ(CQString("a,b,c").section(QChar(','), 1, 1), QString("b"));
    std::string ziel;
    EXPECT_EQ(CQString("ä").zu_string(ziel), "\xc3\xa4");
    std::ostringstream os;
    CQString("ä").ausgabe(os);
    EXPECT_EQ(os.str(), "\xc3\xa4");
}

TEST(CQString, UmwandlungIstUtf8InJederSprache)
{
    for (const char* sprache : {"de", "en", "fr"}) {
        setze_sprachcode(sprache);
        EXPECT_EQ(string_zu_cqstring("\xc3\xa4"), QString::fromUtf8("ä")) << sprache;
        EXPECT_EQ(qstring_zu_string(CQString("ä")), "\xc3\xa4") << sprache;
        EXPECT_EQ(string_zu_cqstring(std::string("a\0b", 3)), QString("a")) << sprache;
    }
    setze_sprachcode("fr");
    EXPECT_EQ(qstring_zu_string(CQString(QString("a") + QChar(0) + "b")), "a");
    setze_sprachcode("de");
    EXPECT_EQ(qstring_zu_string(CQString(QString("a") + QChar(0) + "b")), std::string("a\0b", 3));
    EXPECT_TRUE(CQString("b") < CQString("c"));
}
