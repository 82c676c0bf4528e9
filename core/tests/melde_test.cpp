// Message functions: the exact lines for windows, logger and console.
#include "ccat.h"
#include "clogbase.h"
#include "html.h"
#include "kerneinstellungen.h"
#include "klassen.h"
#include "melde.h"

#include <cstring>
#include <gtest/gtest.h>
#include <log4cpp/Category.hh>
#include <log4cpp/PatternLayout.hh>
#include <log4cpp/StringQueueAppender.hh>

namespace {

struct Zeile
{
    QString text;
    int level;
};

class QZiel : public CQLogBase
{
public:
    explicit QZiel(bool html = true) : html(html) { anmelden(); }
    ~QZiel() override { abmelden(); }
    using CQLogBase::neue_textzeile;
    void setze_fortschritt(int) override {}
    void setze_info(int, int) override {}
    void neue_textzeile(const CQString& t, const int& l) override { zeilen.push_back({t, l}); }
    void neue_zusatzzeile(const CQString&) override {}
    void neue_titelzeile(const CQString&) override {}
    void titel_data(const CQString&) override {}
    bool kann_html() override { return html; }
    bool html;
    std::vector<Zeile> zeilen;
};

class Ziel : public CLogBase
{
public:
    Ziel() { anmelden(); }
    ~Ziel() override { abmelden(); }
    void setze_fortschritt(int) override {}
    void setze_info(int, int) override {}
    void neue_textzeile(const std::string& t, const int& l) override { zeilen.push_back({t, l, 0}); }
    void neue_textzeile_2(const std::string& t, const int& l) override { zeilen.push_back({t, l, 2}); }
    void neue_textzeile_3(const std::string& t, const int& l) override { zeilen.push_back({t, l, 3}); }
    void neue_zusatzzeile(const std::string&) override {}
    void neue_titelzeile(const std::string&) override {}
    bool ist_bereit() override { return true; }
    struct Z
    {
        std::string text;
        int level;
        int op;
    };
    std::vector<Z> zeilen;
};

class MeldeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        wurzel.setPriority(log4cpp::Priority::DEBUG);
        auto* layout = new log4cpp::PatternLayout;
        layout->setConversionPattern("%m");
        appender->setLayout(layout);
        wurzel.addAppender(appender);
        CQCat::gib_instanz();
    }
    void TearDown() override
    {
        wurzel.removeAppender(appender);
        auto& e = kern_einstellungen();
        e.setze_debug_ausgabe(0);
        e.setze_unterdruecke_infos(0);
        e.setze_unterdruecke_warnungen(0);
        e.setze_ascii_ausgabe(0);
    }

    std::vector<std::pair<int, std::string>> logzeilen()
    {
        std::vector<std::pair<int, std::string>> v;
        auto& q = appender->getQueue();
        while (!q.empty()) {
            v.push_back({0, q.front()});
            q.pop();
        }
        return v;
    }

    log4cpp::Category& wurzel = log4cpp::Category::getRoot();
    log4cpp::StringQueueAppender* appender = new log4cpp::StringQueueAppender("test");
};

const QString warnfarbe = "<span style=\"color:#b36b3f\">";
const QString fehlerfarbe = "<span style=\"color:#b20000\">";

} // namespace

TEST_F(MeldeTest, KurzeWarnungOhneDebug)
{
    QZiel z;
    qmelde(4, klasse_kurz, "m", "Achtung");
    ASSERT_EQ(z.zeilen.size(), 1u);
    EXPECT_EQ(z.zeilen[0].text, warnfarbe + "Achtung</span>");
    EXPECT_EQ(z.zeilen[0].level, 1);
    EXPECT_EQ(logzeilen(), (std::vector<std::pair<int, std::string>>{{0, "Achtung"}}));
}

TEST_F(MeldeTest, FehlerMitKlassenkontextBeiDebug)
{
    kern_einstellungen().setze_debug_ausgabe(1);
    QZiel z;
    qmelde(2, CQCat::klasse, "schreibe", "kaputt");
    ASSERT_EQ(z.zeilen.size(), 1u);
    EXPECT_EQ(z.zeilen[0].text, fehlerfarbe + "FEHLER: in Klasse CQCat, Methode schreibe: kaputt</span>");
    EXPECT_EQ(z.zeilen[0].level, 2);
    const auto log = logzeilen();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].second, "FEHLER: in Klasse CQCat, Methode schreibe: kaputt");
}

TEST_F(MeldeTest, FreieFunktionMitEinemLeerzeichenInQmelde)
{
    kern_einstellungen().setze_debug_ausgabe(1);
    QZiel z;
    qmelde(5, klasse_funktion, "f", "t");
    qmelde(5, nullptr, "g", "u");
    ASSERT_EQ(z.zeilen.size(), 2u);
    EXPECT_TRUE(z.zeilen[0].text.contains("INFO: in Methode oder Funktion f: t"));
    EXPECT_TRUE(z.zeilen[1].text.contains("INFO: in Methode oder Funktion g: u"));
    // Short messages keep only "DEBUG: ".
    qmelde(6, klasse_kurz, "m", "d");
    qmelde(2, klasse_kurz, "m", "e");
    EXPECT_EQ(z.zeilen[2].text, "<span style=\"color:#999999\">DEBUG: d</span>");
    EXPECT_EQ(z.zeilen[3].text, fehlerfarbe + "e</span>");
}

TEST_F(MeldeTest, OhneDebugNurDerText)
{
    QZiel z;
    qmelde(2, CQCat::klasse, "m", "a < b & c");
    ASSERT_EQ(z.zeilen.size(), 1u);
    EXPECT_EQ(z.zeilen[0].text, fehlerfarbe + "a &lt; b &amp; c</span>");
    EXPECT_EQ(logzeilen()[0].second, "a < b & c");
}

TEST_F(MeldeTest, ZieleUndLoggerSchalter)
{
    QZiel a, b;
    qmelde(5, klasse_kurz, "m", "nur logger", KEIN_FENSTER);
    EXPECT_TRUE(a.zeilen.empty());
    EXPECT_EQ(logzeilen().size(), 1u);
    qmelde(5, klasse_kurz, "m", "nur fenster", nullptr, true);
    EXPECT_EQ(a.zeilen.size(), 1u);
    EXPECT_EQ(b.zeilen.size(), 1u);
    EXPECT_TRUE(logzeilen().empty());
    qmelde(5, klasse_kurz, "m", "nur b", &b, true);
    EXPECT_EQ(a.zeilen.size(), 1u);
    EXPECT_EQ(b.zeilen.size(), 2u);
}

TEST_F(MeldeTest, DebugOhneDebugAusgabeNurImFenster)
{
    QZiel z;
    qmelde(6, klasse_funktion, "m", "grau");
    ASSERT_EQ(z.zeilen.size(), 1u);
    EXPECT_EQ(z.zeilen[0].level, 3);
    EXPECT_EQ(z.zeilen[0].text, "<span style=\"color:#999999\">grau</span>");
    EXPECT_TRUE(logzeilen().empty());
}

TEST_F(MeldeTest, UnterdrueckteMeldungenErreichenDenLoggerNicht)
{
    kern_einstellungen().setze_unterdruecke_infos(1);
    kern_einstellungen().setze_unterdruecke_warnungen(1);
    qmelde(5, klasse_kurz, "m", "i");
    qmelde(4, klasse_kurz, "m", "w");
    EXPECT_TRUE(logzeilen().empty());
    qmelde(1, klasse_kurz, "m", "f");
    EXPECT_EQ(logzeilen().size(), 1u);
}

TEST_F(MeldeTest, UngueltigerTypBeiQmeldeOhnePrefix)
{
    QZiel z;
    qmelde(9, klasse_kurz, "m", "x");
    ASSERT_EQ(z.zeilen.size(), 1u);
    EXPECT_EQ(z.zeilen[0].level, 0);
    EXPECT_TRUE(logzeilen().empty());
}

TEST_F(MeldeTest, MeldeZeilenOhneDebug)
{
    Ziel z;
    melde(4, CQCat::klasse, "m", "w");
    melde(5, klasse_funktion, "m", "i");
    melde(2, klasse_kurz, "m", "f");
    melde(6, klasse_funktion, "m", "d");
    ASSERT_EQ(z.zeilen.size(), 3u);
    EXPECT_EQ(z.zeilen[0].text, "<span style=\"color:#b36b3f\">w</span><br><p>");
    EXPECT_EQ(z.zeilen[1].text, "<span style=\"color:#000000\">i</span><br><p>");
    EXPECT_EQ(z.zeilen[2].text, "<span style=\"color:#b20000\">f</span>");
    EXPECT_EQ(z.zeilen[2].level, 2);
}

TEST_F(MeldeTest, MeldeZeilenMitDebug)
{
    kern_einstellungen().setze_debug_ausgabe(1);
    Ziel z;
    melde(4, klasse_funktion, "m", "w");
    melde(6, CQCat::klasse, "m", "d");
    melde(2, klasse_kurz, "m", "f");
    melde(5, klasse_kurz, "m", "i");
    ASSERT_EQ(z.zeilen.size(), 4u);
    EXPECT_EQ(z.zeilen[0].text,
              "<span style=\"color:#b36b3f\">WARNUNG: in Methode oder Funktion  m: <br>w</span><br><p>");
    EXPECT_EQ(z.zeilen[1].text,
              "<span style=\"color:#999999\">DEBUG: in Klasse CQCat, Methode m: <br>d</span><br><p>");
    EXPECT_EQ(z.zeilen[2].text, "FEHLER: f");
    EXPECT_EQ(z.zeilen[3].text, "i");
}

TEST_F(MeldeTest, MeldeZielauswahl)
{
    Ziel z;
    melde(5, klasse_kurz, "m", "a", -1);
    melde(5, klasse_kurz, "m", "b", 1);
    melde(5, klasse_kurz, "m", "c", 7);
    ASSERT_EQ(z.zeilen.size(), 3u);
    EXPECT_EQ(z.zeilen[0].op, 2);
    EXPECT_EQ(z.zeilen[1].op, 3);
    EXPECT_EQ(z.zeilen[2].op, 0);
}

TEST_F(MeldeTest, UngueltigerTypBeiMeldeNurAufStandardfehler)
{
    Ziel z;
    testing::internal::CaptureStderr();
    melde(9, CQCat::klasse, "m", "x");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "\nKEIN GUELTIGER FEHLERTYP\n");
    EXPECT_TRUE(z.zeilen.empty());
}

TEST_F(MeldeTest, AsciiAusgabeKopiertAufDieKonsole)
{
    kern_einstellungen().setze_ascii_ausgabe(1);
    {
        testing::internal::CaptureStdout();
        melde(5, klasse_kurz, "m", "ohne Ziel");
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    }
    Ziel z;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    melde(5, klasse_kurz, "m", "info");
    melde(3, klasse_kurz, "m", "fehler");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "info\n");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "fehler\n");
}

TEST(Html, Maskierung)
{
    EXPECT_EQ(html_maskiere(""), QString("&nbsp;"));
    EXPECT_EQ(html_maskiere("a<=b"), QString("a&le;b"));
    EXPECT_EQ(html_maskiere("x>=y & \"z\""), QString("x&ge;y &amp; &quot;z&quot;"));
    EXPECT_EQ(html_maskiere("a\\nb"), QString("a<br>b"));
    EXPECT_EQ(html_maskiere("Grüße Éé ÄÖÜäö"), QString("Gr&uuml;&szlig;e &#201;&#233; &Auml;&Ouml;&Uuml;&auml;&ouml;"));
}

TEST(Html, FarbenUndFarbtext)
{
    EXPECT_EQ(farbe_zu_html(255, 0, 16), "#FF0010");
    EXPECT_EQ(gib_farbe_fehler(), "#b20000");
    EXPECT_EQ(gib_farbe_warnung(), "#b36b3f");
    EXPECT_EQ(html_farbtext(0, "a", true), QString("<span style=\"color:#000000\">a</span><br>"));
    EXPECT_EQ(html_farbtext(7, "a", false), QString("<span style=\"color:#b20000\">a</span>"));
    EXPECT_EQ(html_grau_br("g"), "<span style=\"color:#999999\">g</span><br>");
}

TEST_F(MeldeTest, SehrLangeUndLeereTexteKommenUnverkuerztAn)
{
    QZiel z;
    const QString lang(1 << 20, QChar('x'));
    qmelde(5, klasse_kurz, "m", lang);
    qmelde(5, klasse_kurz, "m", "");
    ASSERT_EQ(z.zeilen.size(), 2u);
    EXPECT_EQ(z.zeilen[0].text.size(), lang.size() + int(std::strlen("<span style=\"color:#000000\"></span>")));
    EXPECT_EQ(z.zeilen[1].text, "<span style=\"color:#000000\">&nbsp;</span>");
    const auto log = logzeilen();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].second.size(), std::size_t(1) << 20);
    EXPECT_EQ(log[1].second, "");
}
