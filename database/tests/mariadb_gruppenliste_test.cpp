// The group page on a real MariaDB server: auto-numbered add, quotes and backslashes stored exactly, rename.
#include "bvanmeldung.h"
#include "bvdbeinstellungen.h"
#include "ccombobox.h"
#include "cgruppenliste.h"
#include "dialogseam.h"
#include "plattform.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

class MariadbGruppen : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString port = qEnvironmentVariable("AKT_MARIADB_PORT");
        if (port.isEmpty())
            GTEST_SKIP() << "no test server: AKT_MARIADB_PORT is not set (scripts/datenbankserver.sh start)";
        datenbank = QStringLiteral("%1grp%2").arg(qEnvironmentVariable("AKT_MARIADB_PRAEFIX")).arg(QCoreApplication::applicationPid());
        CBVDBEinstellungen& e = gib_bvdb_einstellungen();
        e.db_treiber.setze_wert_qstr(CQString("QMYSQL"));
        e.db_host.setze_wert_qstr(CQString("127.0.0.1"));
        e.db_port.setze_wert(port.toUInt());
        e.db_user.setze_wert_qstr(CQString(qEnvironmentVariable("AKT_MARIADB_BENUTZER")));
        e.db_passwort.setze_wert_qstr(CQString(qEnvironmentVariable("AKT_MARIADB_PASSWORT")));
        {
            QSqlDatabase verwalter = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), QStringLiteral("grp_verwalter"));
            verwalter.setHostName(QStringLiteral("127.0.0.1"));
            verwalter.setPort(port.toInt());
            verwalter.setUserName(qEnvironmentVariable("AKT_MARIADB_BENUTZER"));
            verwalter.setPassword(qEnvironmentVariable("AKT_MARIADB_PASSWORT"));
            ASSERT_TRUE(verwalter.open()) << verwalter.lastError().text().toStdString();
            ASSERT_TRUE(QSqlQuery(QStringLiteral("CREATE DATABASE %1").arg(datenbank), verwalter).isActive());
        }
        e.db_name.setze_wert_qstr(CQString(datenbank));
        ASSERT_EQ(bv_anmelden(), QString());
        // Any critical box is a failure here; counted so that none blocks the run.
        setze_meldung_funktion([this](auto&&...) { return ++kritisch, QMessageBox::Ok; });
    }
    void TearDown() override
    {
        bv_abmelden();
        setze_meldung_funktion({});
        CBVDBEinstellungen& e = gib_bvdb_einstellungen();
        for (CVariableBasis* v : std::initializer_list<CVariableBasis*>{&e.db_treiber, &e.db_host, &e.db_port,
                                                                        &e.db_name, &e.db_user, &e.db_passwort})
            v->setze_undefiniert();
        if (QSqlDatabase::contains(QStringLiteral("grp_verwalter"))) {
            {
                QSqlDatabase verwalter = QSqlDatabase::database(QStringLiteral("grp_verwalter"), false);
                QSqlQuery(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(datenbank), verwalter);
            }
            QSqlDatabase::removeDatabase(QStringLiteral("grp_verwalter"));
        }
    }
    QSqlQuery sql(const QString& text) const
    {
        QSqlQuery abfrage(text, QSqlDatabase::database(bv_verbindungsname(), false));
        abfrage.next();
        return abfrage;
    }

    QString datenbank;
    int kritisch = 0;
};

} // namespace

TEST_F(MariadbGruppen, HinzufuegenUndUmbenennenSpeichernDenNamenGenau)
{
    ASSERT_TRUE(sql(QStringLiteral("INSERT INTO bv_gruppen (grp_id, grp_name) VALUES (4, 'Technik')")).isActive());
    CGruppenListe seite;
    auto* igruppe = seite.findChild<CComboBox*>(QStringLiteral("grp_igruppe"));
    ASSERT_NE(igruppe, nullptr);
    const QString schwierig = QStringLiteral("O'Hara \\n Ωmega");
    igruppe->setEditText(schwierig);
    seite.addEntry();
    const int neu = seite.gib_aktuelle_gruppe();
    EXPECT_GT(neu, 4);
    EXPECT_EQ(sql(QStringLiteral("SELECT grp_name FROM bv_gruppen WHERE grp_id=%1").arg(neu)).value(0).toString(),
              schwierig);

    igruppe->setEditText(QStringLiteral("D'Arcy \\ Ωmega"));
    seite.changeEntry();
    EXPECT_EQ(sql(QStringLiteral("SELECT grp_name FROM bv_gruppen WHERE grp_id=%1").arg(neu)).value(0).toString(),
              QStringLiteral("D'Arcy \\ Ωmega"));
    EXPECT_EQ(sql(QStringLiteral("SELECT count(*) FROM bv_gruppen")).value(0).toInt(), 2);
    EXPECT_EQ(kritisch, 0);
}
