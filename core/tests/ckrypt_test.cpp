// Hexadecimal codec of stored passwords: every byte and every character round-trips.
#include "ckrypt.h"
#include "klassen.h"

#include <gtest/gtest.h>

TEST(Krypt, BeispielTexte)
{
    const CKrypt k;
    EXPECT_EQ(k.kodiere("abc"), "616263");
    EXPECT_EQ(k.dekodiere("616263"), "abc");
    EXPECT_EQ(k.kodiere(std::string(1, '\0')), "00");
    EXPECT_EQ(k.kodiere("\xFF"), "FF");
    EXPECT_EQ(k.kodiere(""), "");
    EXPECT_EQ(k.dekodiere(""), "");
}

TEST(Krypt, JederBytewert)
{
    std::string alle;
    for (int b = 0; b < 256; ++b)
        alle += static_cast<char>(b);
    const CKrypt k;
    const std::string hex = k.kodiere(alle);
    EXPECT_EQ(hex.size(), 512u);
    EXPECT_EQ(hex.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    EXPECT_EQ(hex.substr(0, 6), "000102");
    EXPECT_EQ(k.dekodiere(hex), alle);
}

TEST(Krypt, UngueltigeZeichenZaehlen16)
{
    const CKrypt k;
    EXPECT_EQ(k.dekodiere("ff"), std::string(1, '\x10'));
    EXPECT_EQ(k.dekodiere("A"), std::string(1, '\xB0'));   // odd length: paired with 16
    EXPECT_EQ(k.dekodiere("41A"), std::string("A\xB0"));
    EXPECT_EQ(k.dekodiere("G0"), std::string(1, '\0'));    // 16 * 16 + 0 modulo 256
}

TEST(Krypt, KennwoerterAlsText)
{
    const CQKrypt k;
    EXPECT_EQ(k.kodiere(CQString("abc")), QStringLiteral("616263"));
    EXPECT_EQ(k.kodiere(CQString("\u00E4")), QStringLiteral("C3A4"));
    EXPECT_EQ(k.dekodiere(CQString("C3A4")), QStringLiteral("\u00E4"));
    EXPECT_EQ(verschluessele_kennwort(CQString("geheim")), QStringLiteral("67656865696D"));

    // Every character but NUL, also outside the basic plane, comes back.
    QString alle;
    for (uint c = 1; c < 0x10000; ++c)
        if (!QChar::isSurrogate(c))
            alle += QChar(c);
    alle += QString::fromUcs4(U"\U0001F600\U0010FFFF");
    const CQString gespeichert = verschluessele_kennwort(CQString(alle));
    EXPECT_EQ(gespeichert.size(), alle.toUtf8().size() * 2);
    EXPECT_EQ(entschluessele_kennwort(gespeichert), alle);
    EXPECT_EQ(entschluessele_kennwort(verschluessele_kennwort(CQString(""))), QString());
}

TEST(Krypt, Klassen)
{
    const CKrypt k;
    const CQKrypt q;
    EXPECT_EQ(k.gib_klasse()->gib_name(), "CKrypt");
    EXPECT_TRUE(q.ist_abgeleitet_von(CObjekt::klasse));

    // The core registers no "CQKrypt" entry: until the widget library does, the text codec
    // counts as a class without an entry of its own.
    EXPECT_EQ(CKlasse::finde("CQKrypt"), nullptr);
    EXPECT_EQ(q.gib_klasse(), klasse_funktion);
    EXPECT_FALSE(q.ist_abgeleitet_von(klasse_funktion));
    {
        CKlasse eintrag("CQKrypt");
        EXPECT_EQ(q.gib_klasse(), &eintrag);
        EXPECT_TRUE(q.ist_abgeleitet_von(&eintrag));
        EXPECT_TRUE(q.ist_abgeleitet_von(CObjekt::klasse));
        EXPECT_FALSE(k.ist_abgeleitet_von(&eintrag));
    }
    EXPECT_EQ(q.gib_klasse(), klasse_funktion);
}
