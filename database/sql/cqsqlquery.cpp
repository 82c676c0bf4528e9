#include "cqsqlquery.h"
#include "ccdatabase.h"
#include "steuerdaten.h"

namespace {

QSqlDatabase verbindung(const CCDataBase* datenbank)
{
    return datenbank ? datenbank->gib_datenbank() : QSqlDatabase();
}

QString anweisung(const CQString& sql, const CCDataBase* datenbank)
{
    return datenbank ? datenbank->sql_anpassen(sql) : sql;
}

} // namespace

CQSqlQuery::CQSqlQuery(const CQString& sql, const CCDataBase* datenbank, const bool& nur_vorwaerts)
    : QSqlQuery(anweisung(sql, datenbank), verbindung(datenbank)), datenbank(datenbank), merker(true)
{
    if (!nur_vorwaerts)
        return;
    const CSteuerdaten* const speicher = gib_steuerdaten(true);
    if (!speicher || speicher->ist_nur_vorwaerts())
        setForwardOnly(true);
}

CQSqlQuery::~CQSqlQuery() = default;

bool CQSqlQuery::prepare(const CQString& sql)
{
    return QSqlQuery::prepare(anweisung(sql, datenbank));
}
