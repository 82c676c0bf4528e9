// Number and text conversion: exact texts, warnings, and independence of the C locale.
#include "allg.h"
#include "cstring.h"
#include "testziele.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// Every test of this program runs under a German locale, whose decimal separator is ",":
// the expected texts are those of the C locale, so no conversion may depend on it.
class DeutschesLocale : public ::testing::Environment
{
public:
    void SetUp() override
    {
        gesetzt = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    static bool gesetzt;
};
bool DeutschesLocale::gesetzt = false;

const auto* const umgebung = ::testing::AddGlobalTestEnvironment(new DeutschesLocale);

class AllgTest : public ::testing::Test
{
protected:
    SammelZiel ziel;
    int warnungen(const std::string& teil) const { return ziel.zaehle(teil); }
};

const double NaN = std::numeric_limits<double>::quiet_NaN();
const double Inf = std::numeric_limits<double>::infinity();

} // namespace

TEST(Locale, DeutschesLocaleIstAktiv)
{
    ASSERT_TRUE(DeutschesLocale::gesetzt) << "locales-all fehlt";
    EXPECT_STREQ(std::localeconv()->decimal_point, ",");
}

TEST_F(AllgTest, GanzzahlTexte)
{
    EXPECT_EQ(itoa(99999999, 5), "    -");
    EXPECT_EQ(itoa(99999999, 1), "-");
    EXPECT_EQ(itoa(99999999u, 0), "-");
    EXPECT_EQ(itoa(42, 5), "   42");
    EXPECT_EQ(itoa(-42, 0), "-42");
    EXPECT_EQ(itoa(4000000000u, 0), "4000000000");
    EXPECT_EQ(itoa_nullen(42, 5), "00042");
    EXPECT_EQ(itoa_nullen(7, 1), "7");
    EXPECT_TRUE(ziel.zeilen.empty());

    EXPECT_EQ(itoa(12345, 3), "12345");
    EXPECT_EQ(warnungen("Ausgabe einer Zahl (12345) uebersteigt angegebene Breite (3)"), 1);
    EXPECT_EQ(itoa(1, 100), "*");
    EXPECT_EQ(itoa(1, -1), "*");
    EXPECT_EQ(warnungen("Breiteangabe breite=100 nicht im erlaubten Bereich: 0<=breite<100."), 1);
    EXPECT_EQ(warnungen("Breiteangabe breite=-1"), 1);
}

TEST_F(AllgTest, HexadezimalZiffern)
{
    EXPECT_EQ(itohex(0), '0');
    EXPECT_EQ(itohex(15), 'F');
    EXPECT_EQ(hextoi("f"), 15);
    EXPECT_EQ(hextoi("A"), 10);
    EXPECT_EQ(hextoi("9"), 9);
    EXPECT_TRUE(ziel.zeilen.empty());

    EXPECT_EQ(itohex(16), '0');
    EXPECT_EQ(itohex(-1), '0');
    EXPECT_EQ(warnungen("Ungueltiger Eingabewert in itohex()"), 2);
    EXPECT_EQ(hextoi("g"), 0);
    EXPECT_EQ(warnungen("'g' ist keine Hexadezimalziffer!"), 1);
    EXPECT_EQ(hextoi(nullptr), 0);
    EXPECT_EQ(hextoi(""), 0);
}

TEST_F(AllgTest, RundenUndUngueltigeWerte)
{
    EXPECT_EQ(runde(2.5), 3);
    EXPECT_EQ(runde(-2.5), -3);
    EXPECT_EQ(runde(2.4), 2);
    EXPECT_EQ(runde(-0.4), 0);
    EXPECT_EQ(runde(0.49999999999999994), 0);
    EXPECT_EQ(runde(99999999.0), 99999999);
    EXPECT_EQ(runde(2147483647.0), 2147483647);
    EXPECT_EQ(runde(-2147483648.0), -2147483647 - 1);
    // Nothing that has no int value is converted.
    EXPECT_EQ(runde(NaN), 99999999);
    EXPECT_EQ(runde(Inf), 99999999);
    EXPECT_EQ(runde(-Inf), 99999999);
    EXPECT_EQ(runde(3e9), 99999999);
    EXPECT_EQ(runde(-3e9), 99999999);
    EXPECT_EQ(runde(2147483647.6), 99999999);

    EXPECT_TRUE(ist_endlich(1.0));
    EXPECT_FALSE(ist_endlich(NaN));
    EXPECT_FALSE(ist_endlich(-Inf));
}

TEST_F(AllgTest, VergleichUndNachkommastellen)
{
    EXPECT_TRUE(ist_gleich(100, 101, 1, 0));
    EXPECT_FALSE(ist_gleich(100, 101, 0.5, 0));
    EXPECT_TRUE(ist_gleich(100, 101, 0.5, 1.0));
    EXPECT_TRUE(ist_gleich(0.0, 1e-101, 0, 0));
    EXPECT_FALSE(ist_gleich(0.0, 1e-99, 50, 1.0));
    EXPECT_TRUE(ist_gleich(-5, -5, 0, 0));
    EXPECT_FALSE(ist_gleich(NaN, 1.0, 100, 1.0));

    EXPECT_EQ(zaehle_nachkommastellen(1.25), 2);
    EXPECT_EQ(zaehle_nachkommastellen(3.0), 0);
    EXPECT_EQ(zaehle_nachkommastellen(-0.5), 1);
    EXPECT_EQ(zaehle_nachkommastellen(1.0 / 3.0), 12);
    EXPECT_EQ(zaehle_nachkommastellen(NaN), 0);
}

TEST_F(AllgTest, DtoaFreieBreite)
{
    EXPECT_EQ(dtoa(12.5, 0, -1, 0), "12.500000");
    EXPECT_EQ(dtoa(-12.5, 0, 2, 2), "-12.50");
    EXPECT_EQ(dtoa(3.0, 0, 0, 2), "3.");
    EXPECT_EQ(dtoa(0.0001, 0, -1, 0), "1.000000E-04");
    EXPECT_EQ(dtoa(1234.5, 0, 2, 1), "1.23E+03");
    EXPECT_EQ(dtoa(0.0, 0, -1, 0), "0.000000");
    EXPECT_EQ(dtoa(NaN, 0, -1, 0), "nan");
    EXPECT_EQ(dtoa(-Inf, 5, 2, 2), "nan");
    EXPECT_EQ(dtoa(99999999.0, 0, -1, 0), "-");
    EXPECT_EQ(dtoa(99999999.0, 4, -1, 0), "   -");
    // A free width never overflows, however long the text.
    const std::string lang = dtoa(1e300, 0, 2, 2);
    EXPECT_EQ(lang.size(), 304u);
    EXPECT_EQ(lang.substr(0, 2), "10");
    EXPECT_EQ(dtoa(1.0, 0, 100000, 2).size(), 2u + 399u);
    EXPECT_TRUE(ziel.zeilen.empty());
}

TEST_F(AllgTest, DtoaMitBreite)
{
    EXPECT_EQ(dtoa(12.5, 8, 2, 2), "12.50   ");
    EXPECT_EQ(dtoa(-12.5, 8, 2, 2), "-12.50  ");
    EXPECT_EQ(dtoa(12.6, 4, 0, 2), "13  ");
    EXPECT_EQ(dtoa(12.5, 4, 0, 2), "12  "); // halves to even, as printf rounds
    EXPECT_EQ(dtoa(12.25, 5, -1, 2), "12.25");
    EXPECT_EQ(dtoa(1234.5, 9, 2, 1), "1.23E+03 ");
    EXPECT_EQ(dtoa(-1234.5, 9, 2, 1), "-1.23E+03");
    EXPECT_TRUE(ziel.zeilen.empty());

    // Too wide: asterisks (at most 21) and a warning naming number, width and decimals.
    EXPECT_EQ(dtoa(123456.0, 4, 2, 2), "****");
    EXPECT_EQ(warnungen("Bei Fixkommadarstellung Ausgabe der Zahl >123456.< innerhalb von >4< Zeichen "
                        "Breite und >2< Nachkommastellen nicht moeglich!"),
              1);
    EXPECT_EQ(dtoa(-1234.5, 8, 2, 1), "********");
    EXPECT_EQ(warnungen("Bei Exponentialdarstellung Ausgabe der Zahl >-1234.50< innerhalb von >8<"), 1);
    EXPECT_EQ(dtoa(1e28, 30, 0, 2).size(), 30u);
    EXPECT_EQ(dtoa(1e40, 30, 0, 2), std::string(21, '*'));
    EXPECT_EQ(warnungen("Die Ausgabe der Zahl >"), 1);
    EXPECT_EQ(dtoa(-5.0, 1, -1, 2), "*");
    EXPECT_EQ(warnungen("Bei variabler Kommadarstellung Ausgabe der Zahl >-5.00000< innerhalb von >1< "
                        "Zeichen Breite nicht moeglich!"),
              1);

    // An exponent of three digits that has no room: 0 is written instead.
    EXPECT_EQ(dtoa(1e-120, 8, 2, 1), "0.00E+00");
    EXPECT_EQ(warnungen("< Zeichen Breite nicht moeglich! 0 wird ausgegeben."), 1);

    EXPECT_EQ(dtoa(1.0, 400, 2, 2), "*");
    EXPECT_EQ(warnungen("Breiteangabe breite=400 nicht im erlaubten Bereich: 0<=breite<400."), 1);
}

TEST_F(AllgTest, DtoaAutomatischWaehltDieFormDiePasst)
{
    EXPECT_EQ(dtoa(1e10, 8, -1, 0), "1.00E+10");
    EXPECT_EQ(dtoa(0.0001, 8, -1, 0), "1.00E-04");
    EXPECT_EQ(dtoa(0.0001, 4, -1, 0), "0.00");
    EXPECT_EQ(dtoa(5.0, 8, 3, 0), "5.000   ");
    // The first form that does not fit is no warning of its own.
    EXPECT_TRUE(ziel.zeilen.empty());
    EXPECT_EQ(dtoa(1e10, 3, -1, 0), "***");
    EXPECT_EQ(ziel.zeilen.size(), 1u);
}

TEST_F(AllgTest, FormatiereDouble)
{
    EXPECT_EQ(formatiere_double(3.14159, 8, 2, 2, 0.0, "0.0", 0, 0), "    3.14");
    EXPECT_EQ(formatiere_double(1234.5, 10, 6, 0, 0.0, "0.0", 0, 0), "   1234.50");
    EXPECT_EQ(formatiere_double(1e10, 10, 3, 0, 0.0, "0.0", 0, 0), "  1.00E+10");
    EXPECT_EQ(formatiere_double(0.00001234, 12, 2, 0, 0.0, "0.0", 0, 0), "     1.2E-05");
    EXPECT_EQ(formatiere_double(1234.5, 12, 3, 1, 0.0, "0.0", 0, 0), "   1.234E+03");
    EXPECT_EQ(formatiere_double(2.5, 8, 0, 2, 0.0, "0.0", 0, 0), "      2.");

    EXPECT_EQ(formatiere_double(NaN, 8, 2, 2, 0.0, "0.0", 0, 0), "     nan");
    EXPECT_EQ(formatiere_double(NaN, 2, 2, 2, 0.0, "0.0", 0, 0), "nan");
    EXPECT_EQ(formatiere_double(Inf, 8, 2, 2, 0.0, "0.0", 1, 0), "");
    EXPECT_EQ(formatiere_double(0.001, 8, 2, 2, 0.01, "null", 0, 0), "null");
    EXPECT_EQ(formatiere_double(99999999.0, 5, 2, 2, 0.0, "0.0", 0, 0), "    -");
    EXPECT_EQ(formatiere_double(99999999.0, 5, 2, 2, 0.0, "0.0", 0, 1), "");
    EXPECT_TRUE(ziel.zeilen.empty());

    EXPECT_EQ(formatiere_double(1.0, 100, 2, 2, 0.0, "0.0", 0, 0), "*");
    EXPECT_EQ(warnungen("Gesamtstellenangabe gesamtstellen=100nicht im erlaubten Bereich: "
                        "0<=gesamtstellen<100. für Funktion ftoa("),
              1);
    EXPECT_EQ(formatiere_double(1e51, 8, 2, 2, 0.0, "0.0", 0, 0), "********");
    EXPECT_EQ(formatiere_double(1e51, 30, 2, 2, 0.0, "0.0", 0, 0), std::string(21, '*'));
    EXPECT_EQ(warnungen("Zahl kann nicht dargestellt werden"), 2);

    std::string text;
    EXPECT_TRUE(versuche_formatiere_double(1.5, 0, 1, 2, 0.0, "0.0", 0, 0, text));
    EXPECT_EQ(text, "1.5");
    EXPECT_FALSE(versuche_formatiere_double(NaN, 0, 1, 2, 0.0, "0.0", 0, 0, text));
    EXPECT_EQ(text, "nan");
    EXPECT_TRUE(ftoa(1.0, 8, 2, 0.0, "0.0", 0, 0, text));
}

TEST_F(AllgTest, DoubleZuString)
{
    EXPECT_EQ(double_zu_string(1.25, 8, 5, 6, 2, 2, false, 0, 0), "1.25");
    EXPECT_EQ(double_zu_string(1.0 / 3.0, 8, 5, 3, 2, 2, false, 0, 0), "0.333");
    EXPECT_EQ(double_zu_string(1.25, 8, 3, 6, 0, 2, false, 0, 0), "1.250");
    EXPECT_EQ(double_zu_string(1.25, 8, 3, 6, 0, 2, true, 0, 0), "   1.250");
    EXPECT_EQ(double_zu_string(99999999.0, 8, 1, 1, 0, 2, false, 0, 0), "-");
    EXPECT_EQ(double_zu_string(99999999.0, 8, 1, 1, 0, 2, true, 0, 0), "       -");

    std::string text;
    EXPECT_FALSE(versuche_double_zu_string(99999999.0, 8, 1, 1, 0, 2, false, 0, 0, text));
    EXPECT_EQ(text, "       -"); // special texts stay untrimmed
    EXPECT_TRUE(versuche_double_zu_string(2.5, 8, 1, 1, 0, 2, false, 0, 0, text));
    EXPECT_EQ(text, "2.5");
}

TEST_F(AllgTest, KommaAlsDezimaltrennzeichen)
{
    TestEinstellungen komma;
    EinstellungenWahl wahl(komma);
    EXPECT_EQ(dtoa(12.5, 0, -1, 0), "12,500000");
    EXPECT_EQ(dtoa(-12.5, 8, 2, 2), "-12,50  ");
    EXPECT_EQ(dtoa(0.0001, 0, -1, 0), "1,000000E-04");
    EXPECT_EQ(formatiere_double(3.14159, 8, 2, 2, 0.0, "0.0", 0, 0), "    3,14");
    EXPECT_EQ(formatiere_double(0.0, 8, 2, 2, 0.5, "0.0", 0, 0), "0,0");
    EXPECT_EQ(double_zu_string(1.25, 8, 5, 6, 2, 2, false, 0, 0), "1,25");
    EXPECT_EQ(string_zu_double("1,5"), 1.5);
    EXPECT_EQ(string_zu_double("1.5"), 1.5);
    EXPECT_EQ(string_zu_double("-2,25E2"), -225.0);
    EXPECT_EQ(CString("%1").arg(2.5).gib_string(), "2,500000");
    EXPECT_TRUE(ziel.zeilen.empty());
}

TEST_F(AllgTest, TextZuDouble)
{
    bool ok = false;
    EXPECT_EQ(string_zu_double("", &ok), 99999999.0);
    EXPECT_TRUE(ok);
    EXPECT_EQ(string_zu_double(" - ", &ok), 99999999.0);
    EXPECT_EQ(string_zu_double("    ", &ok), 99999999.0);
    EXPECT_TRUE(ok);
    EXPECT_EQ(string_zu_double("1.5"), 1.5);
    EXPECT_EQ(string_zu_double(" 1 000.5 "), 1000.5);
    EXPECT_EQ(string_zu_double("- 1.5"), -1.5);
    EXPECT_EQ(string_zu_double("+2.5"), 2.5);
    EXPECT_EQ(string_zu_double("1e3"), 1000.0);
    EXPECT_EQ(string_zu_double("."), 0.0);
    EXPECT_EQ(string_zu_double("-."), 0.0);
    EXPECT_TRUE(ziel.zeilen.empty());

    EXPECT_EQ(string_zu_double("1.5x", &ok), 99999999.0);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(ziel.zeilen.empty());
    EXPECT_EQ(string_zu_double("abc"), 99999999.0);
    EXPECT_EQ(warnungen("Buchstabe bei Umwandlung von string in double: abc"), 1);
    // Too large for a double: invalid, not infinity. Too small: 0 with its sign, as strtod reads
    // it, and a denormal as such, in either notation; neither warns.
    ziel.leere();
    for (const char* text : {"1e400", "-1e400", "100000e305", "0x1p1024", "0x1p99999999999999999999"}) {
        ok = true;
        EXPECT_EQ(string_zu_double(text, &ok), 99999999.0) << text;
        EXPECT_FALSE(ok) << text;
    }
    for (const auto& [text, wert] : {std::make_pair("1e-400", 0.0), std::make_pair("-1e-400", -0.0),
                                     std::make_pair("1000e-330", 0.0), std::make_pair("0.0001e-330", 0.0),
                                     std::make_pair("1e-99999999999999999999", 0.0), std::make_pair("0x1p-1100", 0.0),
                                     std::make_pair("-0x0.01p-1070", -0.0), std::make_pair("4e-324", 4.9406564584124654e-324),
                                     std::make_pair("1e-310", 1e-310), std::make_pair("0x1p-1070", 0x1p-1070)}) {
        ok = false;
        const double gelesen = string_zu_double(text, &ok);
        EXPECT_EQ(gelesen, wert) << text;
        EXPECT_EQ(std::signbit(gelesen), std::signbit(wert)) << text;
        EXPECT_TRUE(ok) << text;
    }
    EXPECT_TRUE(ziel.zeilen.empty());
    EXPECT_EQ(string_zu_double("--1", &ok), 99999999.0);
    EXPECT_FALSE(ok);
}

TEST_F(AllgTest, TextZuDoubleHexadezimalWieStrtod)
{
    bool ok = false;
    EXPECT_EQ(string_zu_double("0x10", &ok), 16.0);
    EXPECT_TRUE(ok);
    EXPECT_EQ(string_zu_double("0X1f"), 31.0);
    EXPECT_EQ(string_zu_double("-0x10"), -16.0);
    EXPECT_EQ(string_zu_double("+0xA"), 10.0);
    EXPECT_EQ(string_zu_double("0x1.8"), 1.5);
    EXPECT_EQ(string_zu_double("0x.8"), 0.5);
    EXPECT_EQ(string_zu_double("0x1p4"), 16.0);
    EXPECT_EQ(string_zu_double("0x1P-2"), 0.25);
    EXPECT_EQ(string_zu_double(" 0x 10 "), 16.0);
    EXPECT_TRUE(ziel.zeilen.empty());

    // What strtod does not read to the end stays invalid.
    for (const char* text : {"0x", "0x.", "0xg", "0x1p", "0x-1", "0x+1", "0x1.8p", "-+0x1", "0x1p99999", "0xinf"}) {
        ok = true;
        EXPECT_EQ(string_zu_double(text, &ok), 99999999.0) << text;
        EXPECT_FALSE(ok) << text;
    }

    // The decimal separator counts in the hexadecimal form too.
    TestEinstellungen komma;
    EinstellungenWahl wahl(komma);
    EXPECT_EQ(string_zu_double("0x1,8"), 1.5);
}

TEST_F(AllgTest, TextZuInt)
{
    bool ok = false;
    EXPECT_EQ(string_zu_int("", &ok), 99999999);
    EXPECT_TRUE(ok);
    EXPECT_EQ(string_zu_int(" 42 ", &ok), 42);
    EXPECT_TRUE(ok);
    EXPECT_EQ(string_zu_int("-7"), -7);
    EXPECT_EQ(string_zu_int("+7"), 7);
    EXPECT_EQ(string_zu_int("007"), 7);
    EXPECT_EQ(string_zu_int("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(string_zu_int("2147483647"), 2147483647);
    EXPECT_TRUE(ziel.zeilen.empty());

    for (const char* falsch : {"4 2", "4.2", "--4", "++4", "4a", "2147483648", "-2147483649", "99999999999999999999"}) {
        ok = true;
        EXPECT_EQ(string_zu_int(falsch, &ok), 0) << falsch;
        EXPECT_FALSE(ok) << falsch;
    }
    EXPECT_TRUE(ziel.zeilen.empty());
    EXPECT_EQ(string_zu_int("x1"), 0);
    EXPECT_EQ(warnungen("Fehler bei Umwandlung von String in int: x1"), 1);

    EXPECT_EQ(zahl_ab_position("ab12", 2), 12);
    EXPECT_EQ(zahl_ab_position("12", 5), 99999999);
}

TEST_F(AllgTest, TexteTrimmen)
{
    EXPECT_EQ(trimme("  a b  \r", true, true, ' '), "a b");
    EXPECT_EQ(trimme("  a  ", false, true, ' '), "  a");
    EXPECT_EQ(trimme("  a  ", true, false, ' '), "a  ");
    EXPECT_EQ(trimme("  42", false, false, '0'), "0042");
    EXPECT_EQ(trimme("   ", true, true, ' '), "");
    EXPECT_EQ(trimme("", true, true, ' '), "");

    char a[] = "ab  \r ";
    trimme_rechts(a);
    EXPECT_STREQ(a, "ab");
    char b[] = "a   ";
    trimme_rechts(b);
    EXPECT_STREQ(b, "a");
    char c[] = "   ";
    trimme_rechts(c);
    EXPECT_STREQ(c, "");
    trimme_rechts(nullptr);
}

TEST_F(AllgTest, ZeichenEntfernenUndRechtsbuendig)
{
    char t[] = "abc";
    entferne_zeichen(t, 1);
    EXPECT_STREQ(t, "ac");
    entferne_zeichen(t, 2);
    entferne_zeichen(t, -1);
    EXPECT_STREQ(t, "ac");
    // Texts longer than any fixed buffer are handled in place.
    std::string lang(5000, 'x');
    lang[4000] = 'y';
    entferne_zeichen(&lang[0], 4000);
    EXPECT_EQ(std::strlen(lang.c_str()), 4999u);
    EXPECT_EQ(std::string(lang.c_str()).find('y'), std::string::npos);

    char feld[8] = "ab";
    rechtsbuendig(feld, 5);
    EXPECT_STREQ(feld, "   ab");
    rechtsbuendig(feld, 3);
    EXPECT_STREQ(feld, "   ab");
    std::string gross(3000, 'z');
    gross.resize(6001);
    rechtsbuendig(&gross[0], 6000);
    EXPECT_EQ(std::strlen(gross.c_str()), 6000u);
    EXPECT_EQ(gross[2999], ' ');
    EXPECT_EQ(gross[3000], 'z');
}

TEST_F(AllgTest, KleineTextaufgaben)
{
    EXPECT_TRUE(beginnt_mit("abc", "ab"));
    EXPECT_TRUE(beginnt_mit("abc", ""));
    EXPECT_FALSE(beginnt_mit("a", "ab"));
    EXPECT_FALSE(beginnt_mit(nullptr, "a"));
    EXPECT_FALSE(beginnt_mit("a", nullptr));

    EXPECT_EQ(in_grossbuchstaben("abz09"), "ABZ09");
    EXPECT_EQ(in_grossbuchstaben("\xC3\xA4x"), "\xC3\xA4X"); // UTF-8 bytes stay whole

    EXPECT_EQ(ab_position("abc", 0), "abc");
    EXPECT_EQ(ab_position("abc", 1), "bc");
    EXPECT_EQ(ab_position("abc", 3), "");
    EXPECT_EQ(ab_position("abc", -1), "");
    EXPECT_EQ(ab_position("", 0), "");
}

TEST_F(AllgTest, Maskieren)
{
    EXPECT_EQ(maskiere("a;b", 0), "a\\;b");
    EXPECT_EQ(maskiere("/\\\"`;'", 0), "\\/\\\\\\\"\\`\\;\\'");
    EXPECT_EQ(maskiere("ab  \r", 0), "ab");
    EXPECT_EQ(maskiere("   ", 0), "");
    EXPECT_EQ(maskiere("abcdef", 3), "abc");
    EXPECT_EQ(maskiere("a;b;c", 99999999), "a\\;b\\;c");
    EXPECT_EQ(gib_sonderzeichen().size(), 7u);

    // The acute accent is a character: as UTF-8 (C2 B4) it is escaped whole ...
    EXPECT_EQ(maskiere("a\xC2\xB4" "b", 0), "a\\\xC2\xB4" "b");
    // ... and the byte B4 inside other characters (U+0434, U+0174, U+2D34) is left alone.
    EXPECT_EQ(maskiere("\xD0\xB4\xC5\xB4\xE2\xB4\xB4", 0), "\xD0\xB4\xC5\xB4\xE2\xB4\xB4");
    // A cut never splits a character.
    EXPECT_EQ(maskiere("\xC3\xA4\xC3\xB6\xC3\xBC", 2), "\xC3\xA4\xC3\xB6");
    // Invalid UTF-8: each stray byte counts as one Latin-1 character.
    EXPECT_EQ(maskiere("x\xB4y", 0), "x\\\xB4y");
    EXPECT_EQ(maskiere("\xE2\xB4", 0), "\xE2\\\xB4");
    EXPECT_EQ(maskiere("\xC3", 0), "\xC3");
}
