// Numbered-argument substitution of CString.
#include "cstring.h"
#include "testziele.h"

#include <gtest/gtest.h>
#include <sstream>


TEST(CStringArg, NiedrigsteMarkeZuerst)
{
    EXPECT_EQ(CString("Wert %2 von %1").arg(CString("a")).arg(CString("b")).gib_string(), "Wert b von a");
    EXPECT_EQ(CString("%1 und %0").arg(CString("x")).gib_string(), "%1 und x");
}

TEST(CStringArg, JederAufrufFuelltGenauEineMarke)
{
    CString s("%1 und %1");
    s.arg(CString("x"));
    EXPECT_EQ(s.gib_string(), "x und %1");
    s.arg(CString("y"));
    EXPECT_EQ(s.gib_string(), "x und y");
}

TEST(CStringArg, MarkeIstImmerZweiZeichenLang)
{
    EXPECT_EQ(CString("%12").arg(CString("a")).gib_string(), "a2");
    // The argument's own markers are not filled by later calls before the text's own.
    EXPECT_EQ(CString("%1-%2").arg(CString("%0")).gib_string(), "%0-%2");
}

TEST(CStringArg, OhneMarkeWarnungUndTextBleibt)
{
    SammelZiel s;
    CString t("100%");
    t.arg(CString("x"));
    EXPECT_EQ(t.gib_string(), "100%");
    ASSERT_FALSE(s.zeilen.empty());
    EXPECT_NE(s.zeilen.back().find("Argument kann nicht zugeordnet werden"), std::string::npos);
}

TEST(CStringArg, ZahlenUndEBool)
{
    EXPECT_EQ(CString("[%1]").arg(99999999, 0).gib_string(), "[-]");
    EXPECT_EQ(CString("[%1]").arg(42, 5).gib_string(), "[   42]");
    EXPECT_EQ(CString("[%1]").arg(-7).gib_string(), "[-7]");
    EXPECT_EQ(CString("[%1]").arg(JA).gib_string(), "[Ja]");
    EXPECT_EQ(CString("[%1]").arg(NEIN).gib_string(), "[Nein]");
    EXPECT_EQ(CString("[%1]").arg(EBOOL_UNDEFINIERT).gib_string(), "[]");
    EXPECT_EQ(CString("[%1]").arg(12.5).gib_string(), "[12.500000]");
}

TEST(CStringArg, VerkettungUndAusgabe)
{
    EXPECT_EQ((CString("ab") + CString(std::string("c\0d", 3))).gib_string(), "abc");
    EXPECT_EQ(CString(static_cast<const char*>("")).gib_string(), "");
    std::ostringstream os;
    os << CString("xy");
    EXPECT_EQ(os.str(), "xy");
}
