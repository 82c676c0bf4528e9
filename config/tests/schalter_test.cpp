// The core's switches are the "/Allgemein" variables: messages, logger lines and the error file follow them.
#include "../../core/tests/testziele.h"
#include "allg.h"
#include "ccat.h"
#include "katalog.h"
#include "melde.h"
#include "testhilfen.h"

#include <gtest/gtest.h>

namespace {

bool enthaelt(const std::vector<std::string>& zeilen, const std::string& teil)
{
    for (const std::string& z : zeilen)
        if (z.find(teil) != std::string::npos)
            return true;
    return false;
}

class SchalterTest : public ::testing::Test
{
protected:
    void SetUp() override { CQCat::gib_instanz(); }
    void TearDown() override
    {
        for (CVariableSteuer<EBool>* v : {&a.debug_ausgabe, &a.unterdruecke_infos, &a.unterdruecke_warnungen,
                                          &a.debug_ausgabe_in_fehlerdatei, &a.ascii_ausgabe})
            v->setze_undefiniert();
        a.dezimaltrennzeichen.setze_undefiniert();
        gib_katalog_kelmor().zeitformat.setze_undefiniert();
    }

    // One message of the type through both message functions; the window lines and logger lines it made.
    void melde_beide(int typ)
    {
        ziel.leere();
        log.zeilen();
        qmelde(typ, klasse_funktion, CQString("methode"), CQString("qtext"));
        melde(typ, klasse_funktion, "methode", "stext");
        logzeilen = log.zeilen();
    }
    bool im_fenster(const std::string& text) const { return ziel.zaehle(text) > 0; }

    CKatalogAllgemein& a = gib_katalog_allgemein();
    LogMitschnitt log;
    SammelZiel ziel;
    std::vector<std::string> logzeilen;
};

} // namespace

TEST_F(SchalterTest, DebugAusgabe)
{
    melde_beide(5);
    EXPECT_EQ(logzeilen, std::vector<std::string>{"INFO qtext"});
    melde_beide(6);
    EXPECT_FALSE(im_fenster("stext"));

    a.debug_ausgabe.setze_wert(JA);
    melde_beide(5);
    EXPECT_EQ(logzeilen, std::vector<std::string>{"INFO INFO: in Methode oder Funktion methode: qtext"});
    melde_beide(6);
    EXPECT_TRUE(im_fenster("DEBUG: "));
    EXPECT_TRUE(im_fenster("stext"));

    // The core's setter writes the variable.
    kern_einstellungen().setze_debug_ausgabe(0);
    EXPECT_EQ(a.debug_ausgabe.gib_wert(), NEIN);
    melde_beide(6);
    EXPECT_FALSE(im_fenster("stext"));
}

TEST_F(SchalterTest, UnterdrueckeInfos)
{
    melde_beide(5);
    EXPECT_TRUE(enthaelt(logzeilen, "qtext"));
    EXPECT_TRUE(im_fenster("stext"));

    // Set by key, as a store would.
    gib_steuervar_liste()->at("/Allgemein/Unterdruecke Infos")->setze_wert_str("Ja", false);
    melde_beide(5);
    EXPECT_TRUE(logzeilen.empty());
    EXPECT_FALSE(im_fenster("stext"));
    melde_beide(4);
    EXPECT_TRUE(enthaelt(logzeilen, "qtext"));
    EXPECT_TRUE(im_fenster("stext"));
}

TEST_F(SchalterTest, UnterdrueckeWarnungen)
{
    kern_einstellungen().setze_unterdruecke_warnungen(1);
    EXPECT_EQ(a.unterdruecke_warnungen.gib_wert(), JA);
    melde_beide(4);
    EXPECT_TRUE(logzeilen.empty());
    EXPECT_FALSE(im_fenster("stext"));
    // Errors are never suppressed.
    melde_beide(2);
    EXPECT_TRUE(enthaelt(logzeilen, "qtext"));
    EXPECT_TRUE(im_fenster("stext"));

    a.unterdruecke_warnungen.setze_wert(NEIN);
    melde_beide(4);
    EXPECT_EQ(logzeilen, std::vector<std::string>{"WARN qtext"});
    EXPECT_TRUE(im_fenster("stext"));
}

TEST_F(SchalterTest, DebugAusgabeInFehlerdatei)
{
    auto beide_fehler = [] {
        CFehler(3, klasse_funktion, "methode", "std-text");
        CQFehler(3, klasse_funktion, CQString("methode"), CQString("qt-text"));
    };
    // On by default.
    QByteArray inhalt = fehlerdatei_nach(beide_fehler);
    EXPECT_TRUE(inhalt.contains("std-text"));
    EXPECT_TRUE(inhalt.contains("qt-text"));

    a.debug_ausgabe_in_fehlerdatei.setze_wert(NEIN);
    EXPECT_TRUE(fehlerdatei_nach(beide_fehler).isEmpty());

    kern_einstellungen().setze_fehlerdatei(1);
    EXPECT_EQ(a.debug_ausgabe_in_fehlerdatei.gib_wert(), JA);
    EXPECT_TRUE(fehlerdatei_nach(beide_fehler).contains("qt-text"));
}

TEST_F(SchalterTest, AsciiAusgabe)
{
    testing::internal::CaptureStdout();
    melde(5, klasse_funktion, "methode", "leise");
    a.ascii_ausgabe.setze_wert(JA);
    EXPECT_EQ(kern_einstellungen().ascii_ausgabe(), 1);
    melde(5, klasse_funktion, "methode", "laut");
    const std::string ausgabe = testing::internal::GetCapturedStdout();
    EXPECT_EQ(ausgabe.find("leise"), std::string::npos);
    EXPECT_NE(ausgabe.find("laut"), std::string::npos);
}

TEST_F(SchalterTest, DezimaltrennzeichenUndZeitformat)
{
    EXPECT_EQ(dtoa(1.5, 0, 1, 2), "1.5");
    a.dezimaltrennzeichen.setze_wert(",");
    EXPECT_EQ(dtoa(1.5, 0, 1, 2), "1,5");
    EXPECT_EQ(string_zu_double("2,25"), 2.25);

    EXPECT_EQ(kern_einstellungen().zeitformat(), 0u);
    gib_katalog_kelmor().zeitformat.setze_wert(2u);
    EXPECT_EQ(kern_einstellungen().zeitformat(), 2u);
}
