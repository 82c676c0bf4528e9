// Values between the program and SQL: readers with their not-set values and repairs, literals that never leave their quotes, long texts.
#include "cqsqlquery.h"
#include "logmitschnitt.h"
#include "sqlitetest.h"
#include "sqlwerte.h"
#include "steuerdaten.h"

using SqlWerte = SqliteTest;

namespace {

CCDataBase art(int art)
{
    return CCDataBase(art, CQString("keine"));
}

} // namespace

TEST(SqlLesen, NichtGesetztUndKorrekturenDerBackends)
{
    const CCDataBase sqlite = art(CCDataBase::art_sqlite);
    const QVariant null(QVariant::String);
    EXPECT_EQ(sqlite.sql_wert_int(QVariant()), -1);
    EXPECT_EQ(sqlite.sql_wert_int(null), -1);
    EXPECT_EQ(sqlite.sql_wert_ganzzahl(null), 99999999);
    EXPECT_EQ(sqlite.sql_wert_ganzzahl(QStringLiteral("3.7")), 3);
    EXPECT_EQ(sqlite.sql_wert_ganzzahl(QStringLiteral("1e30")), 99999999);
    EXPECT_TRUE(sqlite.sql_wert_bool(QStringLiteral("10"), false));
    EXPECT_FALSE(sqlite.sql_wert_bool(QStringLiteral("0"), true));
    EXPECT_TRUE(sqlite.sql_wert_bool(null, true));
    EXPECT_FALSE(sql_wert_datumzeit(null).isValid());
    EXPECT_EQ(sqlite.sql_wert_string(QStringLiteral("a\nb"), true), QStringLiteral("ab"));

    EXPECT_EQ(art(CCDataBase::art_oracle).sql_wert_double(QStringLiteral("1,5")), 1.5);
    EXPECT_EQ(art(CCDataBase::art_mssql).sql_wert_double(QStringLiteral("1 000.5")), 1000.5);
    EXPECT_EQ(art(CCDataBase::art_mssql).sql_wert_string(QStringLiteral("ab  "), false), QStringLiteral("ab"));
    EXPECT_EQ(art(CCDataBase::art_memo).sql_wert_double(QStringLiteral("0")), 99999999.0);

    // Only the complete sequences written for Oracle are repaired; other text stays as it is.
    const CCDataBase oracle = art(CCDataBase::art_oracle);
    EXPECT_EQ(oracle.sql_wert_string(QString::fromUtf8("M\u00c3\u00bcller"), false), QString::fromUtf8("Müller"));
    EXPECT_EQ(oracle.sql_wert_string(QString::fromUtf8("\u00e2\u201a\u00ac 5"), false), QString::fromUtf8("€ 5"));
    for (const char* bleibt : {"château", "Ende Ã", "Â", "âx"})
        EXPECT_EQ(oracle.sql_wert_string(QString::fromUtf8(bleibt), false), QString::fromUtf8(bleibt)) << bleibt;
}

TEST(SqlSchreiben, LiteraleUndDatumzeiten)
{
    const CCDataBase mysql = art(CCDataBase::art_mysql);
    CQString spalten, werte;
    mysql.haenge_text_an(true, spalten, werte, CQString("name"), CQString("O'Neil"), 0);
    EXPECT_EQ(spalten, QStringLiteral(",name"));
    EXPECT_EQ(werte, QStringLiteral(",'O''Neil'"));
    spalten.clear();
    mysql.haenge_text_an(false, spalten, werte, CQString("pfad"), CQString("a\\b"), 0);
    mysql.haenge_text_an(false, spalten, werte, CQString("leer"), CQString(), 0);
    EXPECT_EQ(spalten, QStringLiteral(",pfad='a\\\\b',leer=NULL"));

    // A connection speaks MySQL by its driver, whatever kind the object was given.
    QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), QStringLiteral("mysql_ungeoeffnet"));
    EXPECT_EQ(CCDataBase(CCDataBase::art_allgemein, CQString("mysql_ungeoeffnet")).sql_text_literal(CQString("a\\'")),
              QStringLiteral("a\\\\''"));
    QSqlDatabase::removeDatabase(QStringLiteral("mysql_ungeoeffnet"));

    const QDateTime zeit(QDate(2018, 3, 1), QTime(12, 30, 5));
    const auto literal = [](const CCDataBase& db, const QDateTime& wann) {
        CQString s, w;
        db.haenge_datumzeit_an(true, s, w, CQString("z"), wann, nullptr);
        return QString(w);
    };
    EXPECT_EQ(literal(art(CCDataBase::art_oracle), zeit),
              QStringLiteral(",TO_DATE('2018-03-01 12:30:05', 'YYYY-MM-DD HH24:MI:SS')"));
    const CCDataBase mssql(CCDataBase::art_mssql, CQString("keine"), 1, false, nullptr, CQString(),
                           CQString("dd.MM.yyyy"));
    EXPECT_EQ(literal(mssql, zeit), QStringLiteral(",'01.03.2018 12:30:05'"));
    EXPECT_EQ(literal(art(CCDataBase::art_sqlite), zeit), QStringLiteral(",'2018-03-01 12:30:05'"));
    EXPECT_EQ(literal(art(CCDataBase::art_sqlite), QDateTime()), QStringLiteral(",NULL"));
}

TEST_F(SqlWerte, GekuerzteUndUmgewandelteTexteKommenUnverfaelschtZurueck)
{
    ASSERT_TRUE(QSqlQuery(QStringLiteral("CREATE TABLE p(id INTEGER PRIMARY KEY, n TEXT, m TEXT)"),
                          QSqlDatabase::database(name, false)).isActive());
    const auto einfuegen = [this](const CCDataBase& db, const CQString& text, int maximum) {
        CQString spalten, werte;
        db.haenge_text_an(true, spalten, werte, CQString("n"), text, maximum);
        EXPECT_TRUE(db.fuehre_aus(CQString(QStringLiteral("INSERT INTO p (%1) VALUES (%2)")
                                               .arg(spalten.mid(1), werte.mid(1))),
                                  CQString("test"), CQString("p")));
        return db.sql_wert_string(lies(QStringLiteral("SELECT n FROM p ORDER BY id DESC")), false);
    };
    const CCDataBase sqlite(CCDataBase::art_sqlite, CQString(name), 0);
    EXPECT_EQ(einfuegen(sqlite, CQString("abc'def"), 4), QStringLiteral("abc'"));
    EXPECT_EQ(einfuegen(sqlite, CQString("ab'',x"), 3), QStringLiteral("ab'"));

    // MySQL's conversion writes each UTF-8 byte as one character and reads them back as UTF-8.
    gib_steuerdaten(true)->setze_wert(QStringLiteral("/Test/konvertierung"), QStringLiteral("1"));
    const CCDataBase umwandelnd(CCDataBase::art_mysql, CQString(name), 0, false, nullptr,
                                CQString("/Test/konvertierung"));
    ASSERT_TRUE(umwandelnd.konvertierung_aktiv());
    EXPECT_EQ(einfuegen(umwandelnd, CQString(QString::fromUtf8("Müller €")), 0), QString::fromUtf8("Müller €"));
    const int id = lies(QStringLiteral("SELECT max(id) FROM p")).toInt();
    const CQString tabelle("p"), spalte("m"), id_spalte("id");
    EXPECT_EQ(umwandelnd.update_blob(CQString(QString::fromUtf8("Jürgen")), &tabelle, &spalte, &id_spalte, id), QString());
    EXPECT_EQ(umwandelnd.sql_wert_string(lies(QStringLiteral("SELECT m FROM p WHERE id=%1").arg(id)), false),
              QString::fromUtf8("Jürgen"));
}

TEST_F(SqlWerte, UpdateBlobBindetDenTextUndSpeichertEinZeichenAlsNull)
{
    ASSERT_TRUE(QSqlQuery(QStringLiteral("CREATE TABLE b(id INTEGER PRIMARY KEY, m TEXT)"),
                          QSqlDatabase::database(name, false)).isActive());
    ASSERT_TRUE(QSqlQuery(QStringLiteral("INSERT INTO b (id) VALUES (7)"), QSqlDatabase::database(name, false))
                    .isActive());
    const CCDataBase db(CCDataBase::art_sqlite, CQString(name), 1);
    const CQString tabelle("b"), spalte("m"), id("id");
    const CQString lang(QString(3000, QLatin1Char('q')) + QStringLiteral("geheim'"));
    LogMitschnitt mitschnitt;
    EXPECT_EQ(db.update_blob(lang, &tabelle, &spalte, &id, 7), QString());
    EXPECT_EQ(lies(QStringLiteral("SELECT m FROM b WHERE id=7")).toString(), lang);
    EXPECT_NE(mitschnitt.text().find("UPDATE b SET m=? WHERE id=7"), std::string::npos);
    EXPECT_EQ(mitschnitt.text().find("geheim"), std::string::npos);

    EXPECT_EQ(db.update_blob(CQString("x"), &tabelle, &spalte, &id, 7), QString());
    EXPECT_TRUE(lies(QStringLiteral("SELECT m FROM b WHERE id=7")).isNull());

    const CQString fehlt("fehlt");
    EXPECT_EQ(db.update_blob(CQString("x"), &fehlt, &spalte, &id, 7),
              QStringLiteral("Fehler beim Update des Datenfeldes m in fehlt"));
    EXPECT_EQ(db.update_blob(lang, &fehlt, &spalte, &id, 7),
              QStringLiteral("Fehler bei Vorbereitung des Datenfeldes m in fehlt"));
}
