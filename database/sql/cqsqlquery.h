// The query of the SQL layer: a QSqlQuery made for a database object, its statement rewritten and logged by it.
#pragma once

#include "cqstring.h"

#include <QList>
#include <QSqlQuery>

class CCDataBase;

class CQSqlQuery : public QSqlQuery
{
public:
    // Runs a non-empty `sql` at once, after the database object's rewrite, on its connection
    // (without one: unchanged, on no connection). With `nur_vorwaerts` the query reads forward
    // only unless the control-data store says otherwise.
    CQSqlQuery(const CQString& sql, const CCDataBase* datenbank, const bool& nur_vorwaerts);
    ~CQSqlQuery();

    // QSqlQuery::prepare of the rewritten (and logged) statement.
    bool prepare(const CQString& sql);

    const CCDataBase* gib_datenbank_objekt() const { return datenbank; }

private:
    const CCDataBase* datenbank;
    QList<qint32> liste;
    bool merker;
};
