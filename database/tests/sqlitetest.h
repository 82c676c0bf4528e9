// One SQLite database in memory per test, on a connection of its own, with the table t(a) = 1, 2, 5.
#pragma once

#include "ccdatabase.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <gtest/gtest.h>

class SqliteTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        name = QStringLiteral("sqlitetest_%1").arg(++nummer);
        QSqlDatabase verbindung = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        verbindung.setDatabaseName(QStringLiteral(":memory:"));
        ASSERT_TRUE(verbindung.open());
        for (const char* sql : {"CREATE TABLE t(a INTEGER)", "INSERT INTO t VALUES (1)", "INSERT INTO t VALUES (2)",
                                "INSERT INTO t VALUES (5)"})
            ASSERT_TRUE(QSqlQuery(QString::fromLatin1(sql), verbindung).isActive()) << sql;
    }

    void TearDown() override
    {
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    }

    // The first column of the first row of `sql`.
    QVariant lies(const QString& sql) const
    {
        QSqlQuery abfrage(sql, QSqlDatabase::database(name, false));
        return abfrage.next() ? abfrage.value(0) : QVariant();
    }

    QString name;
    static inline int nummer = 0;
};
