// Text settings read and written as QString: UTF-8 both ways, the password mark, the kind of variable they are.
#include "cqstringsteuer.h"
#include "steuervarliste.h"
#include "testhilfen.h"

#include <gtest/gtest.h>

TEST(CQStringSteuer, Utf8HinUndZurueck)
{
    CQStringSteuer v(CQString("/Test/qstring/utf8"), CQString("Vorgabe ä"), CQString("Größe €"), false);
    EXPECT_EQ(v.gib_schluessel(), "/Test/qstring/utf8");
    EXPECT_EQ(v.gib_defaultwert(), "Vorgabe \xC3\xA4");
    EXPECT_EQ(v.gib_beschreibung().gib_string(), "Gr\xC3\xB6\xC3\x9F" "e \xE2\x82\xAC");
    EXPECT_EQ(v.gib_wert_qstr(), QString::fromUtf8("Vorgabe ä"));

    const QString text = QString::fromUtf8("Grüße aus Köln ✓ 日本");
    v.setze_wert_qstr(CQString(text));
    EXPECT_EQ(v.gib_wert(), text.toStdString());
    EXPECT_EQ(v.gib_wert_str(0), text.toStdString());
    EXPECT_EQ(v.gib_wert_qstr(), text);

    // Text set as std::string bytes is read back as UTF-8.
    v.setze_wert_str("\xC3\xBC" "ber", false);
    EXPECT_EQ(v.gib_wert_qstr(), QString::fromUtf8("über"));

    // The empty text is "no value": the default shows again.
    v.setze_wert_qstr(CQString());
    EXPECT_EQ(v.gib_wert_qstr(), QString::fromUtf8("Vorgabe ä"));
}

TEST(CQStringSteuer, KennwortMarkeUndArt)
{
    CQStringSteuer kennwort(CQString("/Test/qstring/kennwort"), CQString(), CQString(), true);
    CQStringSteuer text(CQString("/Test/qstring/text"), CQString(), CQString(), false);
    EXPECT_TRUE(kennwort.ist_kennwort);
    EXPECT_FALSE(text.ist_kennwort);

    // Registered like every variable, found by key, told apart by its type, not by its class entry.
    CVariableBasis* gefunden = gib_steuervar_liste()->at("/Test/qstring/kennwort");
    EXPECT_EQ(gefunden, &kennwort);
    EXPECT_NE(dynamic_cast<CQStringSteuer*>(gefunden), nullptr);
    EXPECT_EQ(gefunden->gib_klasse(), CVariableSteuer<std::string>::klasse);
    EXPECT_EQ(gefunden->gib_typ(), 4);

    // Its template makes plain text variables.
    CVariableBasis* neu = gib_steuervar_vorlagen()->at(3)->erzeuge_variable("/Test/qstring/neu", "x", "", "", 1);
    EXPECT_EQ(dynamic_cast<CQStringSteuer*>(neu), nullptr);
    delete neu;
}

TEST(CQStringSteuer, MerkerOder)
{
    CQStringSteuer v(CQString("/Test/qstring/merker"), CQString(), CQString(), false);
    EXPECT_TRUE(v.gib_merker_oder(false));
    v.setze_merker(false);
    EXPECT_FALSE(v.gib_merker_oder(false));
    EXPECT_TRUE(v.gib_merker_oder(true));
}
