// Numbered-argument substitution of CString.
#include "clogbase.h"
#include "cstring.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

// Collects what `melde` hands the log group.
class Sammler : public CLogBase
{
public:
    Sammler() { anmelden(); }
    ~Sammler() override { abmelden(); }
    void setze_fortschritt(int) override {}
    void setze_info(int, int) override {}
    void neue_textzeile(const std::string& t, const int&) override { zeilen.push_back(t); }
    void neue_zusatzzeile(const std::string&) override {}
    void neue_titelzeile(const std::string&) override {}
    bool ist_bereit() override { return true; }
    std::vector<std::string> zeilen;
};

} // namespace

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
    Sammler s;
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
