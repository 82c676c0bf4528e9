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
    return bereite_vor(datenbank->sql_anpassen(sql));
}

bool CQSqlQuery::bereite_vor(const QString& text)
{
    vorbereitet = text;
    // A prepare reaches the server too; it applies nothing and is made again on a connection
    // opened again.
    return datenbank->laufe(
        *this, vorbereitet, [this](QSqlQuery& abfrage, bool) { return abfrage.QSqlQuery::prepare(vorbereitet); }, false);
}

bool CQSqlQuery::exec()
{
    QVariantList werte;
    for (int i = 0; i < boundValues().size(); ++i)
        werte.append(boundValue(i));
    return laufe(vorbereitet, true, werte, true);
}

bool CQSqlQuery::exec(const QString& text)
{
    return laufe(text, false, QVariantList(), false);
}

bool CQSqlQuery::laufe(const QString& text, bool gebunden, const QVariantList& werte, bool schon_vorbereitet)
{
    const auto lauf = [&](QSqlQuery& abfrage, bool erneut) {
        if (!gebunden)
            return abfrage.QSqlQuery::exec(text) && abfrage.isActive();
        // A statement prepared on a connection since opened again is prepared anew.
        if (!schon_vorbereitet || erneut) {
            if (!abfrage.QSqlQuery::prepare(text))
                return false;
            for (const QVariant& wert : werte)
                abfrage.addBindValue(wert);
        }
        return abfrage.QSqlQuery::exec() && abfrage.isActive();
    };
    // Without a connection the query holds Qt's null result: it fails and keeps that error.
    if (!datenbank)
        return lauf(*this, false);
    return datenbank->laufe(*this, text, lauf);
}

bool CQSqlQuery::fuehre_aus(const CQString& sql, const QVariantList& werte)
{
    return fuehre_angepasst_aus(datenbank ? datenbank->sql_anpassen(sql) : sql, werte);
}

bool CQSqlQuery::fuehre_angepasst_aus(const QString& text, const QVariantList& werte)
{
    if (werte.isEmpty() || !datenbank)
        return laufe(text, !werte.isEmpty(), werte, false);
    // Prepared first, which applies nothing: a connection found lost by the prepare is opened
    // again and the statement prepared there, before it runs once.
    if (!bereite_vor(text))
        return false;
    for (const QVariant& wert : werte)
        addBindValue(wert);
    return laufe(text, true, werte, true);
}

void CQSqlQuery::melde_ohne_verbindung(const CQString& sql) const
{
    melde_sql_fehler(*this, sql, CCDataBase::klasse, CQString("CQSqlQuery"), CQString());
}
