// Characters a reader cannot see, told by their Unicode properties over whole code points.
#include "steuerzeichen.h"

#include <gtest/gtest.h>

namespace {

// Default_Ignorable_Code_Point as Unicode's DerivedCoreProperties.txt lists it.
bool ist_ignorierbar(char32_t c)
{
    static const char32_t liste[][2] = {{0xAD, 0xAD},       {0x34F, 0x34F},     {0x61C, 0x61C},     {0x115F, 0x1160},
                                        {0x17B4, 0x17B5},   {0x180B, 0x180F},   {0x200B, 0x200F},   {0x202A, 0x202E},
                                        {0x2060, 0x206F},   {0x3164, 0x3164},   {0xFE00, 0xFE0F},   {0xFEFF, 0xFEFF},
                                        {0xFFA0, 0xFFA0},   {0xFFF0, 0xFFF8},   {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A},
                                        {0xE0000, 0xE0FFF}};
    for (const auto& b : liste)
        if (c >= b[0] && c <= b[1])
            return true;
    return false;
}

} // namespace

// Every code point between two letters: controls, line separators, lone surrogates, format
// characters (Cf) and default-ignorable ones are found, dropped and written out; all others stay.
TEST(Steuerzeichen, JederCodepunktNachSeinenEigenschaften)
{
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        const QString text = "a" + (c > 0xFFFF ? QString::fromUcs4(&c, 1) : QString(QChar(ushort(c)))) + "b";
        const QChar::Category art = QChar::category(c);
        const bool unsichtbar = art == QChar::Other_Control || art == QChar::Other_Format || art == QChar::Other_Surrogate
                                || art == QChar::Separator_Line || art == QChar::Separator_Paragraph || ist_ignorierbar(c);
        ASSERT_EQ(hat_unsichtbare_zeichen(text), unsichtbar) << std::hex << c;
        ASSERT_EQ(ohne_unsichtbare_zeichen(text), unsichtbar ? QStringLiteral("ab") : text) << std::hex << c;
        const QString maskiert = maskiere_steuerzeichen(text);
        ASSERT_EQ(maskiert == text, !unsichtbar) << std::hex << c;
        ASSERT_EQ(hat_unsichtbare_zeichen(maskiert), false) << std::hex << c;
    }
    EXPECT_EQ(maskiere_steuerzeichen(QString::fromUcs4(U"x\u00AD\U000E0041\n")), QStringLiteral("x\\xad\\U000e0041\\x0a"));
    EXPECT_TRUE(hat_steuerzeichen(QStringLiteral("a\u2028")));
    EXPECT_FALSE(hat_steuerzeichen(QStringLiteral("a\u200Bb")));
}

// Joiners and selectors stay where they write the name (around a virama, in Arabic joining and
// emoji sequences, after what they choose a form of), and go elsewhere, where "an<ZWJ>na" would
// pass for "anna". The row gives the name without what goes.
TEST(Steuerzeichen, VerbinderUndWaehlerNurWoSieDenNamenSchreiben)
{
    for (const auto& [text, ohne] : {
             std::pair{U"\u0915\u094D\u200D\u0937", U""}, {U"\u0645\u06CC\u200C\u062E\u0648\u0627\u0647\u0645", U""}, {U"\u09B0\u200D\u09CD\u09AF\u09BE\u09AC", U""},
             {U"\U0001F469\u200D\U0001F4BB", U""}, {U"\U0001F468\u200D\U0001F469\u200D\U0001F467\u200D\U0001F466", U""}, {U"\U0001F3F3\uFE0F\u200D\U0001F308", U""},
             {U"\U0001F3C3\U0001F3FD\u200D\u2640\uFE0F", U""}, {U"\u2764\uFE0F", U""}, {U"1\uFE0F\u20E3", U""}, {U"\u845B\U000E0100", U""}, {U"\u1820\u180B\u1828", U""},
             {U"\u0647\u200D", U""}, {U"\u200D\u0628", U""}, {U"an\u200Dna", U"anna"}, {U"an\u200Cna", U"anna"}, {U"\u200D\u0915", U"\u0915"}, {U"\u062E\u200C", U"\u062E"},
             {U"\u0915\u200D\u0937", U"\u0915\u0937"}, {U"a\u200D\u094D", U"a\u094D"}, {U"\u0628\u200D\u0628", U"\u0628\u0628"}, {U"\U0001F469\u200Da", U"\U0001F469a"},
             {U"a\uFE0F", U"a"}, {U"1\uFE0F", U"1"}, {U"\uFE0F\u845B", U"\u845B"}, {U"\u845B\U000E0100\U000E0100", U"\u845B\U000E0100"}, {U"a\u180B", U"a"},
             {U"\U0001F3F4\U000E0067\U000E0062\U000E007F", U"\U0001F3F4"}}) {
        const QString name = QString::fromUcs4(text);
        const QString erwartet = *ohne ? QString::fromUcs4(ohne) : name;
        EXPECT_EQ(hat_unsichtbare_zeichen(name), erwartet != name) << name.toStdString();
        EXPECT_EQ(ohne_unsichtbare_zeichen(name), erwartet) << name.toStdString();
        EXPECT_EQ(maskiere_steuerzeichen(name) == name, erwartet == name) << name.toStdString();
    }
}
