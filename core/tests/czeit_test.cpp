// Time values: the layouts of the parser, the texts written, and refused input.
#include "cfehler.h"
#include "czeit.h"
#include "testziele.h"

#include <QDateTime>
#include <gtest/gtest.h>
#include <cstdlib>
#include <ctime>
#include <sstream>
#include <string>

namespace {

// Central European time, so that a shift from UTC is visible (no time-zone files needed).
class MitteleuropaeischeZeit : public ::testing::Environment
{
public:
    void SetUp() override
    {
        setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
        tzset();
    }
};
const auto* const umgebung = ::testing::AddGlobalTestEnvironment(new MitteleuropaeischeZeit);

class ZeitTest : public ::testing::Test
{
protected:
    TestOrdner ordner; // refused texts raise errors, which write "fehler.txt"
    SammelZiel ziel;
};

struct Felder
{
    int tag, monat, jahr, stunde, minute, sekunde, milli;
};

void pruefe(const CZeitVDN& z, const Felder& f, const std::string& text)
{
    EXPECT_EQ(z.tag, f.tag) << text;
    EXPECT_EQ(z.monat, f.monat) << text;
    EXPECT_EQ(z.jahr, f.jahr) << text;
    EXPECT_EQ(z.stunde, f.stunde) << text;
    EXPECT_EQ(z.minute, f.minute) << text;
    EXPECT_EQ(z.sekunde, f.sekunde) << text;
    EXPECT_EQ(z.millisekunde, f.milli) << text;
}

CZeitVDN gelesen(const std::string& text)
{
    CZeitVDN z;
    z.setze_text(text);
    return z;
}

} // namespace

TEST_F(ZeitTest, JedesLayoutNachSeinerLaenge)
{
    const std::pair<std::string, Felder> faelle[] = {
        {"05.03.49", {5, 3, 2049, 0, 0, 0, 0}},
        {"05.03.50", {5, 3, 1950, 0, 0, 0, 0}},
        {"05.03.2018", {5, 3, 2018, 0, 0, 0, 0}},
        {"0503181230", {5, 3, 2018, 12, 30, 0, 0}},
        {"05.03.18 12:30", {5, 3, 2018, 12, 30, 0, 0}},
        {"05.03.2018 12:30", {5, 3, 2018, 12, 30, 0, 0}},
        {"05.03.99 12:30:45", {5, 3, 1999, 12, 30, 45, 0}},
        {"06.12.2026 09:17:18", {6, 12, 2026, 9, 17, 18, 0}},
        {"01/02/2018 10:00:00", {1, 2, 2018, 10, 0, 0, 0}},
        {"05.03.18 12:30:45.123", {5, 3, 2018, 12, 30, 45, 0}},
        {"2018-03-05T12:30:45.123", {5, 3, 2018, 12, 30, 45, 0}},
        {"05.03.2018 12:30:45.123", {5, 3, 2018, 12, 30, 45, 0}},
        {"2018-03-05T12:30:45.123+", {5, 3, 2018, 12, 30, 45, 0}},
    };
    for (const auto& [text, felder] : faelle)
        pruefe(gelesen(text), felder, text);
    EXPECT_TRUE(ziel.zeilen.empty());
}

TEST_F(ZeitTest, MillisekundenNurImZeitformat2)
{
    TestEinstellungen einstellungen;
    einstellungen.trenner = ".";
    einstellungen.format = 2;
    EinstellungenWahl wahl(einstellungen);
    pruefe(gelesen("05.03.18 12:30:45.123"), {5, 3, 2018, 12, 30, 45, 123}, "21");
    pruefe(gelesen("2018-03-05T12:30:45.123"), {5, 3, 2018, 12, 30, 45, 123}, "23 ISO");
    pruefe(gelesen("05.03.2018 12:30:45.007"), {5, 3, 2018, 12, 30, 45, 7}, "23");
    einstellungen.format = 1;
    pruefe(gelesen("05.03.2018 12:30:45.007"), {5, 3, 2018, 12, 30, 45, 0}, "23, Format 1");
}

TEST_F(ZeitTest, ZuluZeitWirdOrtszeit)
{
    // 5 March is winter time: one hour ahead of UTC.
    pruefe(gelesen("2018-03-05T23:30:45.123Z"), {6, 3, 2018, 0, 30, 45, 0}, "Z");
    // Summer time: two hours.
    pruefe(gelesen("2018-07-01T12:00:00.000Z"), {1, 7, 2018, 14, 0, 0, 0}, "Z Sommer");
    pruefe(gelesen("2018-03-05T23:30:45.123X"), {5, 3, 2018, 23, 30, 45, 0}, "X");

    CZeitVDN unmoeglich = gelesen("31.02.2018 10:00:00");
    EXPECT_FALSE(unmoeglich.zu_qdatetime());
    pruefe(unmoeglich, {31, 2, 2018, 10, 0, 0, 0}, "31.02.");

    // An impossible time on a possible day is refused as well, not taken for midnight.
    CZeitVDN spaet = gelesen("05.03.2018 25:61:00");
    EXPECT_FALSE(spaet.zu_qdatetime());
    pruefe(spaet, {5, 3, 2018, 25, 61, 0, 0}, "25:61");
    pruefe(gelesen("2018-03-05T25:61:45.123Z"), {5, 3, 2018, 25, 61, 45, 0}, "Z 25:61");
}

// The zone in force for one test, from the system's zone database; the environment's zone afterwards.
class Zeitzone
{
public:
    explicit Zeitzone(const char* zone) : alt(std::getenv("TZ") ? std::getenv("TZ") : "")
    {
        setenv("TZ", zone, 1);
        tzset();
    }
    ~Zeitzone()
    {
        setenv("TZ", alt.c_str(), 1);
        tzset();
    }
    Zeitzone(const Zeitzone&) = delete;
    Zeitzone& operator=(const Zeitzone&) = delete;

private:
    const std::string alt;
};

TEST_F(ZeitTest, ZuluZeitVor1970BekommtDieSommerzeitIhresJahres)
{
    const Zeitzone berlin("Europe/Berlin");
    const std::pair<std::string, Felder> faelle[] = {
        // Summer time of the First World War.
        {"1916-06-01T12:00:00.250Z", {1, 6, 1916, 14, 0, 0, 0}},
        {"1918-07-01T12:00:00.000Z", {1, 7, 1918, 14, 0, 0, 0}},
        // Double summer time of 1945 and 1947: three hours ahead of UTC.
        {"1945-06-01T12:00:00.000Z", {1, 6, 1945, 15, 0, 0, 0}},
        {"1947-05-20T22:30:00.000Z", {21, 5, 1947, 1, 30, 0, 0}},
        {"1949-06-01T12:00:00.000Z", {1, 6, 1949, 14, 0, 0, 0}},
        // Winter, and the summers without summer time.
        {"1947-01-15T12:00:00.000Z", {15, 1, 1947, 13, 0, 0, 0}},
        {"1960-07-01T12:00:00.000Z", {1, 7, 1960, 13, 0, 0, 0}},
        {"1980-07-01T12:00:00.000Z", {1, 7, 1980, 14, 0, 0, 0}},
    };
    for (const auto& [text, felder] : faelle)
        pruefe(gelesen(text), felder, text);
}

TEST_F(ZeitTest, UnbekannteLaengeWirdAbgelehnt)
{
    CZeitVDN z = gelesen("06.12.2026 09:17:18");
    for (const std::string falsch : {"", "05.03.2018 ", "05.03.201812", "2018-03-05 12:30:45.1234Z"}) {
        try {
            z.setze_text(falsch);
            ADD_FAILURE() << "kein Fehler fuer >" << falsch << "<";
        } catch (const CFehlerBasis& f) {
            const auto* q = dynamic_cast<const CQFehler*>(&f);
            ASSERT_NE(q, nullptr);
            EXPECT_EQ(q->typ, 3);
            EXPECT_EQ(q->klasse, CZeitVDN::klasse);
            EXPECT_EQ(q->methode, QStringLiteral("CZeitVDN"));
            EXPECT_EQ(q->text,
                      QStringLiteral("Zeitstring muss 8[dd.MM.yy], 10[ddMMyyhhmm], 14[dd.MM.yy hh:mm], "
                                     "16[dd.MM.yyyy hh:mm], 17[dd.MM.yy hh:mm:ss], 19[dd.MM.yyyy hh:mm:ss], "
                                     "23[02.01.2004 09:25:56.678], 23[yyyy-MM-ddThh:mm:ss.uuu] "
                                     "24[yyyy-MM-ddThh:mm:ss.uuuZ] Zeichen enthalten"));
        }
    }
    // The value keeps what it had.
    pruefe(z, {6, 12, 2026, 9, 17, 18, 0}, "unveraendert");
    EXPECT_THROW(CZeitVDN(CQString("12:00")), CFehlerBasis);
}

TEST_F(ZeitTest, KaputteFelderWerdenNullMitWarnung)
{
    pruefe(gelesen("ab.03.2018 10:xx:00"), {0, 3, 2018, 10, 0, 0, 0}, "kaputt");
    EXPECT_EQ(ziel.zaehle("Fehler bei Umwandlung von String in int: ab"), 1);
    EXPECT_EQ(ziel.zaehle("Fehler bei Umwandlung von String in int: xx"), 1);
}

TEST_F(ZeitTest, VorzeichenInFeldernSindKeineZahlen)
{
    // A signed field would give a value the layout cannot write back unchanged.
    pruefe(gelesen("06.-8.2026 +9:17:18"), {6, 0, 2026, 0, 17, 18, 0}, "vorzeichen");
    EXPECT_EQ(ziel.zaehle("Fehler bei Umwandlung von String in int: -8"), 1);
    EXPECT_EQ(ziel.zaehle("Fehler bei Umwandlung von String in int: +9"), 1);
    std::string text;
    CZeitVDN wieder(CQString(QString::fromStdString(gelesen("06.-8.2026 +9:17:18").gib_text(text, true, true, false))));
    EXPECT_EQ(wieder.gib_text(text, true, true, false), "06.00.2026 00:17:18");
}

TEST_F(ZeitTest, TexteDesWerts)
{
    CZeitVDN z;
    z.tag = 5;
    z.monat = 3;
    z.jahr = 2018;
    z.stunde = 9;
    z.minute = 7;
    z.sekunde = 3;
    z.millisekunde = 4;
    std::string text;
    EXPECT_EQ(z.gib_text(text, false, false, false), "5.3.2018 09:07");
    EXPECT_EQ(z.gib_text(text, true, true, true), "05.03.2018 09:07:03.004");
    EXPECT_EQ(z.gib_datum_text(text, true, true), "05.03.");
    z.millisekunde = 45;
    EXPECT_EQ(z.gib_zeit_text(text, true, false, true), "09:07:03.045");
    z.millisekunde = 456;
    EXPECT_EQ(z.gib_zeit_text(text, false, false, true), "09:07.456");
    EXPECT_EQ(z.als_qstring(true, true, false), QStringLiteral("05.03.2018 09:07:03"));
    std::ostringstream os;
    z.ausgabe(os);
    EXPECT_EQ(os.str(), "09:07");

    CZeitVDN dauer;
    dauer.tag = 2;
    dauer.stunde = 1;
    dauer.minute = 5;
    EXPECT_EQ(dauer.gib_zeit_text(text, false, true, false), "49:05");
    EXPECT_EQ(dauer.gib_datum_text(text, false, false), "2.0.0000");
}

TEST_F(ZeitTest, NeunzehnZeichenUeberlebenSchreibenUndLesen)
{
    for (const std::string text : {"06.12.2026 09:17:18", "01.01.2000 00:00:00", "31.12.1999 23:59:59"}) {
        std::string geschrieben;
        EXPECT_EQ(CZeitVDN(CQString(text.c_str())).gib_text(geschrieben, true, true, false), text);
    }
    CZeitVDN jetzt;
    jetzt.setze_jetzt();
    jetzt.millisekunde = 0;
    std::string text;
    CZeitVDN wieder(CQString(jetzt.gib_text(text, true, true, false).c_str()));
    EXPECT_EQ(text.size(), 19u);
    std::string zweiter;
    EXPECT_EQ(wieder.gib_text(zweiter, true, true, false), text);

    CZeitVDN kopie(wieder);
    CZeitVDN zuweisung;
    zuweisung = kopie;
    EXPECT_EQ(zuweisung.gib_text(zweiter, true, true, true), wieder.gib_text(text, true, true, true));
}

TEST_F(ZeitTest, ZeitstempelDerFehlerdatei)
{
    CZeit z;
    z.jahr = 2026;
    z.monat = 12;
    z.tag = 6;
    z.stunde = 14;
    z.minute = 5;
    z.sekunde = 9;
    std::string text;
    EXPECT_EQ(z.gib_text(text, 2), "06.12.2026 - 14:05:09");
    EXPECT_EQ(z.gib_text(text, 0), "06.12.2026");
    EXPECT_EQ(z.gib_text(text, 1), "14:05:09");
    EXPECT_EQ(z.gib_text(text, 4), "2026-12-06 14:05:09");
    z.jahr = 999;
    EXPECT_EQ(z.gib_text(text, 0), "06.12. 999");
    z.jahr = 12345;
    z.monat = 13;
    z.stunde = 24;
    EXPECT_EQ(z.gib_text(text, 4), "0000-00-06 00:05:09");
    std::ostringstream os;
    z.ausgabe(os);
    EXPECT_EQ(os.str(), "Jahr: 12345   Zeit: 24 : 5 : 9");

    CZeit jetzt;
    jetzt.setze_jetzt();
    EXPECT_GE(jetzt.jahr, 2024);
    EXPECT_GE(jetzt.wochentag, 1);
    EXPECT_LE(jetzt.wochentag, 7);
    EXPECT_GE(jetzt.tag_im_jahr, 1);
    EXPECT_EQ(jetzt.mikrosekunden, 0.0);
}
