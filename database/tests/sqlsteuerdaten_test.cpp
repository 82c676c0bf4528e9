// What the SQL layer asks of the control data: the forward-only switch and the conversion key or variable.
#include "cqsqlquery.h"
#include "cvariablesteuer.h"
#include "sqlitetest.h"
#include "steuerdaten.h"

using SqlSteuerdaten = SqliteTest;

TEST_F(SqlSteuerdaten, SpeicherSchaltetVorwaertslesenUndKonvertierung)
{
    const CCDataBase db(CCDataBase::art_mysql, CQString(name), 0, true, nullptr, CQString("/Test/umwandeln"));
    ASSERT_EQ(gib_steuerdaten(false), nullptr);
    EXPECT_FALSE(db.konvertierung_aktiv()) << "the key rules even without a store";

    CQSqlQuery vorwaerts(CQString("SELECT a FROM t"), &db, true);
    CSteuerdaten* const speicher = gib_steuerdaten(false);
    ASSERT_NE(speicher, nullptr);
    EXPECT_TRUE(vorwaerts.isForwardOnly());
    int zeilen = 0;
    while (vorwaerts.next())
        ++zeilen;
    EXPECT_EQ(zeilen, 3);
    EXPECT_FALSE(CQSqlQuery(CQString("SELECT a FROM t"), &db, false).isForwardOnly());

    speicher->setze_nur_vorwaerts(false);
    CQSqlQuery scrollbar(CQString("SELECT a FROM t ORDER BY a"), &db, true);
    EXPECT_FALSE(scrollbar.isForwardOnly());
    ASSERT_TRUE(scrollbar.last());
    EXPECT_EQ(scrollbar.value(0).toInt(), 5);
    speicher->setze_nur_vorwaerts(true);

    speicher->setze_wert(QStringLiteral("/Test/umwandeln"), QStringLiteral("1"));
    EXPECT_TRUE(db.konvertierung_aktiv());
    speicher->setze_wert(QStringLiteral("/Test/umwandeln"), QStringLiteral("0"));
    EXPECT_FALSE(db.konvertierung_aktiv());
    EXPECT_TRUE(CCDataBase(CCDataBase::art_mysql, CQString(name), 0, true).konvertierung_aktiv());
    CVariableSteuer<EBool> schalter("/Test/sqlschalter", NEIN, "", "");
    const CCDataBase mit_variable(CCDataBase::art_mysql, CQString(name), 0, true, &schalter);
    EXPECT_FALSE(mit_variable.konvertierung_aktiv());
    schalter.setze_wert(JA);
    EXPECT_TRUE(mit_variable.konvertierung_aktiv());
}
