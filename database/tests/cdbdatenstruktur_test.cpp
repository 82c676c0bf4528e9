// Table and column descriptions by tag with their marked answers, and the back ends' column types.
#include "anwendung.h"
#include "ccdatabase.h"
#include "cdbdatenstruktur.h"
#include "cdbtabelle.h"
#include "logmitschnitt.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Beschreibungen, UnbekannteTagsGebenMarkierteAntworten)
{
    CDBTabelle tabelle;
    tabelle.setze_listen({3, 9, 3, 4}, {11, 22}, {CQString("Ort")}, {CQString("ort"), CQString("notiz")},
                         {CQString(), CQString("LONGTEXT")}, {40});
    CDBDatenstruktur struktur;
    struktur.fuege_tabelle_an(1, CQString("anwender"), &tabelle);
    struktur.fuege_tabelle_an(1, CQString("doppelt"), nullptr);

    LogMitschnitt mitschnitt;
    EXPECT_EQ(struktur.gib_tabellenname(7), QStringLiteral("?tab?"));
    EXPECT_EQ(mitschnitt.text(), "");
    EXPECT_EQ(struktur.gib_tabelle(7), nullptr);
    EXPECT_NE(mitschnitt.text().find("in CDBDatenstruktur-gib_index Enumerator 7 nicht in Tagliste"),
              std::string::npos);
    EXPECT_EQ(struktur.gib_tabellenname(1), QStringLiteral("anwender"));
    EXPECT_EQ(struktur.gib_tabelle(1), &tabelle);

    LogMitschnitt spalten;
    EXPECT_EQ(tabelle.gib_index(3, true), 0);
    EXPECT_EQ(tabelle.gib_spaltenname(3), QStringLiteral("ort"));
    EXPECT_EQ(tabelle.gib_guititel(9), QStringLiteral("?gui?"));
    EXPECT_EQ(tabelle.gib_spaltentyp(4), 99999999);
    EXPECT_EQ(tabelle.gib_spaltenname(4), QStringLiteral("?col dbcol?"));
    EXPECT_EQ(tabelle.gib_typtext(9, CQString("TEXT")), QStringLiteral("LONGTEXT"));
    EXPECT_EQ(tabelle.gib_typtext(3, CQString("VARCHAR")), QStringLiteral("VARCHAR"));
    EXPECT_EQ(tabelle.gib_laenge(3, 255), 40);
    EXPECT_EQ(tabelle.gib_laenge(9, -1), -1);
    EXPECT_EQ(tabelle.gib_id_spalte(), 99999999);
    EXPECT_EQ(spalten.text(), "");
    EXPECT_EQ(tabelle.gib_spaltenname(-2), QStringLiteral("?col index?"));
    EXPECT_NE(spalten.text().find("in CDBTabelle-gib_index Enumerator 4294967294 nicht in Tagliste"),
              std::string::npos);

    CDBTabelle mit_id;
    mit_id.fuege_spalte_an(5, 11, CQString("name"));
    mit_id.fuege_spalte_an(6, 17, CQString("id"));
    mit_id.fuege_spalte_an(8, 17, CQString("id2"));
    EXPECT_EQ(mit_id.gib_id_spalte(), 6);
}

TEST(Spaltentypen, NachBackendUndEinstellungen)
{
    const auto db = [](int art) { return CCDataBase(art, CQString("keine")); };
    EXPECT_EQ(db(CCDataBase::art_mssql).spalten_definition(CQString("ort"), CQString("VARCHAR"), 40),
              QStringLiteral("ort VARCHAR(40) NULL"));
    EXPECT_EQ(db(CCDataBase::art_mysql).spalten_typname(4), QStringLiteral("DOUBLE"));
    EXPECT_EQ(db(CCDataBase::art_mssql).spalten_typname(4), QStringLiteral("FLOAT"));
    const CCDataBase oracle = db(CCDataBase::art_oracle);
    EXPECT_EQ(oracle.spalten_typname(4), QStringLiteral("DOUBLE PRECISION"));
    EXPECT_EQ(oracle.spalten_typname(19), QStringLiteral("DATE"));
    EXPECT_EQ(oracle.memo_typname(), QStringLiteral("CLOB"));
    EXPECT_EQ(oracle.spalten_definition(CQString("m"), oracle.spalten_typname(22), oracle.spalten_laenge(22)),
              QStringLiteral("m CLOB"));
    EXPECT_EQ(db(CCDataBase::art_memo).spalten_typname(22), QStringLiteral("Memo"));

    QTemporaryDir ordner;
    QSettings einstellungen(ordner.filePath("e.ini"), QSettings::IniFormat);
    setze_einstellungen(&einstellungen);
    einstellungen.setValue("Mssql/MemoLimit", 0);
    const CCDataBase mssql = db(CCDataBase::art_mssql);
    EXPECT_FALSE(mssql.hat_memo_limit());
    EXPECT_EQ(mssql.spalten_definition(CQString("memo"), mssql.spalten_typname(22), mssql.spalten_laenge(22)),
              QStringLiteral("memo TEXT NULL"));
    einstellungen.setValue("Mssql/MemoLimit", 4000);
    EXPECT_TRUE(mssql.hat_memo_limit());
    EXPECT_EQ(mssql.spalten_laenge(22), 4000);
    einstellungen.setValue("Oracle/LOBtype", "NCLOB");
    EXPECT_EQ(oracle.spalten_definition(CQString("m"), oracle.memo_typname(), 10), QStringLiteral("m NCLOB"));
    setze_einstellungen(nullptr);
}
