// Separated lines: cells, trimming, quoted cells, and the errors of a missing cell.
#include "cfehler.h"
#include "cqiozeileexcel.h"
#include "testziele.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

class ZeileTest : public ::testing::Test
{
protected:
    void SetUp() override { trennzeichen = ';'; }
    void TearDown() override { trennzeichen = ';'; }

    QStringList zellen(const QString& zeile, bool trimmen)
    {
        EXPECT_TRUE(z.zerlege(CQString(zeile), trimmen));
        QStringList liste;
        for (int i = 0; i < z.anzahl(); ++i)
            liste << z.gib_element(i);
        return liste;
    }

    TestOrdner ordner; // errors write "fehler.txt"
    CQIOZeileExcel z;
};

} // namespace

TEST_F(ZeileTest, ZellenZwischenTrennzeichen)
{
    EXPECT_EQ(zellen("", false), QStringList{""});
    EXPECT_EQ(zellen("a;b;", false), (QStringList{"a", "b", ""}));
    EXPECT_EQ(zellen(";", false), (QStringList{"", ""}));
    EXPECT_EQ(zellen("a", false), QStringList{"a"});
    EXPECT_EQ(zellen("12.03.2018 10:00:00;C:/pfad/datei.txt", false),
              (QStringList{"12.03.2018 10:00:00", "C:/pfad/datei.txt"}));
    // Each call replaces the cells.
    EXPECT_EQ(zellen("x", true), QStringList{"x"});
}

TEST_F(ZeileTest, Trimmen)
{
    EXPECT_EQ(zellen(" a ; b ", true), (QStringList{"a", "b"}));
    EXPECT_EQ(zellen(" a ; b ", false), (QStringList{" a ", " b "}));
    EXPECT_EQ(zellen("\t a \t;\tb", true), (QStringList{"a", "b"}));
    EXPECT_EQ(zellen("a b ; c", true), (QStringList{"a b", "c"}));
}

TEST_F(ZeileTest, AnfuehrungszeichenSchuetzenDenTrenner)
{
    EXPECT_EQ(zellen("\"a;b\";c", false), (QStringList{"a;b", "c"}));
    EXPECT_EQ(zellen(" \"a;b\" ; c", true), (QStringList{"a;b", "c"}));
    EXPECT_EQ(zellen("\"a;b", false), QStringList{"a;b"});      // no closing quote: to the end
    EXPECT_EQ(zellen("\"\";x", false), (QStringList{"", "x"}));
    EXPECT_EQ(zellen("\"a\"b;c", false), (QStringList{"ab", "c"}));
    EXPECT_EQ(zellen("\"a\"\"b\";c", false), (QStringList{"a\"b\"", "c"}));
    // Not at the start of the cell: an ordinary character.
    EXPECT_EQ(zellen(" \"a;b\"", false), (QStringList{" \"a", "b\""}));
    EXPECT_EQ(zellen("x\"a;b\"", true), (QStringList{"x\"a", "b\""}));
}

TEST_F(ZeileTest, TabulatorAlsTrenner)
{
    trennzeichen = '\t';
    EXPECT_EQ(zellen("\t\ta\t b ", true), (QStringList{"", "", "a", "b"}));
    EXPECT_EQ(zellen("a;b\tc", false), (QStringList{"a;b", "c"}));
}

TEST_F(ZeileTest, FehlendeZelle)
{
    CQIOZeileExcel leer;
    try {
        leer.gib_element(0);
        ADD_FAILURE();
    } catch (const CQFehler& f) {
        EXPECT_EQ(f.typ, 0);
        EXPECT_EQ(f.klasse, CQIOZeileExcel::klasse);
        EXPECT_EQ(f.methode, QStringLiteral("gib_element"));
        EXPECT_EQ(f.text, QStringLiteral("Es sind keine Elemente enthalten!"));
    }
    z.zerlege(CQString("a;b"), false);
    for (const int index : {2, -1}) {
        try {
            z.gib_element(index);
            ADD_FAILURE();
        } catch (const CQFehler& f) {
            EXPECT_EQ(f.text, QStringLiteral("Index %1 nicht zulaessig! Erlaubter Indexbereich: 0 bis 1").arg(index));
        }
    }
}

TEST_F(ZeileTest, Ausgabe)
{
    z.zerlege(CQString("a;\u00E4"), false);
    std::ostringstream os;
    z.ausgabe(os);
    EXPECT_EQ(os.str(), "a***\n\xE4***\n");
}
