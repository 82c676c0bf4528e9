#include "cqsqlquery.h"
#include "ccdatabase.h"
#include "sqlfehler.h"
#include "steuerdaten.h"

namespace {

bool hat_verbindung(const CCDataBase* datenbank)
{
    return datenbank && datenbank->gib_datenbank().isValid();
}

// Qt runs a query given no valid connection on its default one, another database: without a
// connection of its own the query gets Qt's null result, which runs nothing and fails.
QSqlQuery basis(const CCDataBase* datenbank)
{
    if (!hat_verbindung(datenbank))
        return QSqlQuery(static_cast<QSqlResult*>(nullptr));
    return QSqlQuery(datenbank->gib_datenbank());
}

} // namespace

CQSqlQuery::CQSqlQuery(const CQString& sql, const CCDataBase* datenbank, const bool& nur_vorwaerts)
    : QSqlQuery(basis(datenbank)), datenbank(datenbank), merker(true)
{
    // Before the statement runs: a driver sets up its row cache for the mode it finds then, and
    // a later switch makes it hand out the wrong rows.
    if (nur_vorwaerts) {
        const CSteuerdaten* const speicher = gib_steuerdaten(true);
        if (!speicher || speicher->ist_nur_vorwaerts())
            setForwardOnly(true);
    }
    if (sql.isEmpty())
        return;
    if (hat_verbindung(datenbank))
        exec(datenbank->sql_anpassen(sql));
    else
        melde_ohne_verbindung(sql);
}

CQSqlQuery::~CQSqlQuery() = default;

bool CQSqlQuery::prepare(const CQString& sql)
{
    if (!hat_verbindung(datenbank)) {
        melde_ohne_verbindung(sql);
        return false;
    }
    return QSqlQuery::prepare(datenbank->sql_anpassen(sql));
}

bool CQSqlQuery::fuehre_aus(const CQString& sql, const QVariantList& werte)
{
    // Without a connection the query holds Qt's null result: it fails and keeps that error.
    const CQString text = datenbank ? datenbank->sql_anpassen(sql) : sql;
    if (werte.isEmpty())
        return exec(text) && isActive();
    if (!QSqlQuery::prepare(text))
        return false;
    for (const QVariant& wert : werte)
        addBindValue(wert);
    return exec() && isActive();
}

void CQSqlQuery::melde_ohne_verbindung(const CQString& sql) const
{
    melde_sql_fehler(*this, sql, CCDataBase::klasse, CQString("CQSqlQuery"), CQString());
}
