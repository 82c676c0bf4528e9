// Colour settings: the "#RRGGBB" text, the colour it names, and the messages of texts that name none.
#include "cvariablesteuerfarbe.h"
#include "ccat.h"
#include "steuervarliste.h"
#include "testhilfen.h"

#include <gtest/gtest.h>

namespace {

const std::string laengenfehler = "ERROR CVariableSteuerFarbe: Farbangabe (%1) enthaelt keine 7 Zeichen (Form: "
                                  "#rrggbb muss eingehalten werden)";

std::string meldung_fuer(const std::string& text)
{
    std::string m = laengenfehler;
    return m.replace(m.find("%1"), 2, text);
}

bool rgb(const QColor& c, int r, int g, int b)
{
    return c.red() == r && c.green() == g && c.blue() == b && c.alpha() == 255;
}

class FarbeTest : public ::testing::Test
{
protected:
    void SetUp() override { CQCat::gib_instanz(); }
    LogMitschnitt log;
};

} // namespace

TEST_F(FarbeTest, NeuGebautGiltDieVorgabe)
{
    CVariableSteuerFarbe v(CQString("/Test/farbe/neu"), 250, 200, 201, CQString("Pflichteintrag"));
    EXPECT_EQ(v.gib_wert(), "#FAC8C9");
    EXPECT_EQ(v.gib_defaultwert_str(), "#FAC8C9");
    EXPECT_TRUE(v.gib_aktuellen_wert().empty());
    EXPECT_EQ(v.gib_farbe_qstr(), QStringLiteral("#FAC8C9"));
    EXPECT_TRUE(v.ist_farbe_gueltig());
    // The variable is the colour.
    const QColor& farbe = v;
    EXPECT_TRUE(rgb(farbe, 250, 200, 201));
    EXPECT_EQ(gib_steuervar_liste()->at("/Test/farbe/neu"), &v);

    CVariableSteuerFarbe einzeln(CQString("/Test/farbe/ziffern"), 255, 0, 1, CQString());
    EXPECT_EQ(einzeln.gib_wert(), "#FF0001");
    EXPECT_TRUE(log.zeilen().empty());
}

TEST_F(FarbeTest, SetzeFarbeSpeichertGrossUndSetztDieFarbe)
{
    CVariableSteuerFarbe v(CQString("/Test/farbe/setzen"), 0, 0, 0, CQString());
    v.setze_farbe(CQString("#ff8000"));
    EXPECT_EQ(v.gib_wert(), "#FF8000");
    EXPECT_TRUE(rgb(v, 255, 128, 0));
    EXPECT_EQ(v.gib_farbe_str(), "#FF8000");
    EXPECT_TRUE(v.ist_farbe_gueltig());

    // The first character is not examined.
    v.setze_farbe(CQString("X123456"));
    EXPECT_EQ(v.gib_wert(), "X123456");
    EXPECT_TRUE(rgb(v, 0x12, 0x34, 0x56));
    EXPECT_FALSE(v.ist_farbe_gueltig());

    v.setze_rgb(1, 2, 254);
    EXPECT_EQ(v.gib_wert(), "#0102FE");
    EXPECT_TRUE(rgb(v, 1, 2, 254));
    EXPECT_TRUE(log.zeilen().empty());
}

TEST_F(FarbeTest, FalscheLaengeWirdGespeichertUndGemeldet)
{
    CVariableSteuerFarbe v(CQString("/Test/farbe/laenge"), 1, 2, 3, CQString());
    v.setze_farbe(CQString("ff8000"));
    EXPECT_EQ(v.gib_wert(), "FF8000");
    EXPECT_TRUE(rgb(v, 1, 2, 3));
    EXPECT_FALSE(v.ist_farbe_gueltig());
    EXPECT_EQ(log.zeilen(), std::vector<std::string>{meldung_fuer("ff8000")});

    // Setting it undefined stores the empty text (the default shows again) and says so.
    v.setze_undefiniert();
    EXPECT_EQ(v.gib_wert(), "#010203");
    EXPECT_EQ(log.zeilen(), std::vector<std::string>{meldung_fuer("")});
}

TEST_F(FarbeTest, JederWegZumTextwertFuehrtZurFarbe)
{
    CVariableSteuerFarbe v(CQString("/Test/farbe/wege"), 0, 0, 0, CQString());
    v.setze_wert_str("#00ff00", false);
    EXPECT_EQ(v.gib_wert(), "#00FF00");
    EXPECT_TRUE(rgb(v, 0, 255, 0));

    CVariableSteuer<std::string> quelle("/Test/farbe/quelle", "", "", "");
    quelle.setze_wert("#0000aa");
    EXPECT_TRUE(v.kopiere_wert_von(quelle));
    EXPECT_TRUE(rgb(v, 0, 0, 0xAA));

    static_cast<CVariableSteuer<std::string>&>(v).setze_wert(std::string("#abcdef"));
    EXPECT_TRUE(rgb(v, 0xAB, 0xCD, 0xEF));
    EXPECT_EQ(v.gib_wert(), "#ABCDEF");

    v.setze_auf_default();
    EXPECT_EQ(v.gib_wert(), "#000000");
    EXPECT_TRUE(rgb(v, 0, 0, 0));
    EXPECT_TRUE(log.zeilen().empty());
}

TEST_F(FarbeTest, KeineHexziffernZaehlenNull)
{
    const QColor c = string_zu_farbe(CQString("#1g2h3i"));
    EXPECT_TRUE(rgb(c, 0x10, 0x20, 0x30));
    EXPECT_FALSE(string_zu_farbe(CQString("#12345")).isValid());
    EXPECT_FALSE(string_zu_farbe(CQString("#1234567")).isValid());
    EXPECT_TRUE(rgb(string_zu_farbe(CQString("#aBcDeF")), 0xAB, 0xCD, 0xEF));
}

TEST_F(FarbeTest, CColorBehaeltDieBaufarbe)
{
    CColor c(CQString("/Test/farbe/ccolor"), 228, 238, 255, CQString("blau"));
    EXPECT_EQ(c.gib_wert(), "#E4EEFF");
    c.setze_farbe(CQString("#000000"));
    EXPECT_EQ(c.rot, 228);
    EXPECT_EQ(c.gruen, 238);
    EXPECT_EQ(c.blau, 255);
    EXPECT_TRUE(rgb(c, 0, 0, 0));

    // Only the low bytes make the colour.
    CColor gross(CQString("/Test/farbe/gross"), 256 + 1, 2, 3, CQString());
    EXPECT_EQ(gross.gib_wert(), "#010203");
    EXPECT_EQ(gross.rot, 257);
}

TEST_F(FarbeTest, FarbvariablenAusDerVorlage)
{
    auto* vorlage = dynamic_cast<CVariableSteuerFarbe*>(gib_steuervar_vorlagen()->at(5));
    ASSERT_NE(vorlage, nullptr);
    EXPECT_EQ(vorlage->gib_schluessel(), "farbe");
    EXPECT_TRUE(rgb(*vorlage, 0, 0, 0));
    EXPECT_EQ(gib_steuervar_liste()->count("farbe"), 0u);

    std::unique_ptr<CVariableSteuerFarbe> neu(
        vorlage->erzeuge_farbvariable("/Test/farbe/erzeugt", "#102030", "erzeugt", "unbenutzt"));
    EXPECT_EQ(neu->gib_wert(), "#102030");
    EXPECT_EQ(neu->gib_defaultwert(), "#000000");
    EXPECT_TRUE(rgb(*neu, 0x10, 0x20, 0x30));
    EXPECT_EQ(neu->gib_vorlage(), vorlage);
    EXPECT_EQ(gib_steuervar_liste()->at("/Test/farbe/erzeugt"), neu.get());

    fehlerdatei_nach([&] {
        const CFehler f =
            fange_fehler([&] { delete vorlage->erzeuge_farbvariable("/Test/farbe/erzeugt", "", "", ""); });
        EXPECT_EQ(f.text, "Steuervariable /Test/farbe/erzeugt bereits in Liste");
    });
    EXPECT_EQ(gib_steuervar_liste()->at("/Test/farbe/erzeugt"), neu.get());
}
