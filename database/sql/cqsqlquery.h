// The query of the SQL layer: a QSqlQuery made for a database object, its statement rewritten and logged by it.
#pragma once

#include "cqstring.h"

#include <QList>
#include <QSqlQuery>
#include <QVariantList>

class CCDataBase;

class CQSqlQuery : public QSqlQuery
{
public:
    // Runs a non-empty `sql` at once, after the database object's rewrite, on its connection.
    // Without a database object or a valid connection it runs nothing, never on Qt's default
    // connection: a non-empty `sql` is reported once and the query stays inactive. With `nur_vorwaerts` the query reads forward
    // only unless the control-data store says otherwise.
    CQSqlQuery(const CQString& sql, const CCDataBase* datenbank, const bool& nur_vorwaerts);
    ~CQSqlQuery();

    // QSqlQuery::prepare of the rewritten (and logged) statement; refused (and reported) like
    // the constructor's statement without a connection.
    bool prepare(const CQString& sql);
    // Runs the statement `prepare` took, the values bound to it since, on the road of every
    // statement (`CCDataBase::laufe`): QSqlQuery's own would pass that road by.
    bool exec();
    // Runs `text` as it stands (neither rewritten nor logged), on that road.
    bool exec(const QString& text);
    // Runs `sql` after the rewrite; with `werte` it is prepared and each value bound to its "?" in
    // order, so that no value becomes part of the statement text (nor of the log). False when the
    // statement failed or there is no connection; nothing is reported here, the caller reports it
    // under its own operation's name.
    bool fuehre_aus(const CQString& sql, const QVariantList& werte = QVariantList());
    // The same for a statement rewritten and logged already (`CCDataBase::sql_anpassen`).
    bool fuehre_angepasst_aus(const QString& text, const QVariantList& werte);

    const CCDataBase* gib_datenbank_objekt() const { return datenbank; }

private:
    void melde_ohne_verbindung(const CQString& sql) const;
    // Prepares the rewritten statement on the road of every statement.
    bool bereite_vor(const QString& text);
    // Runs `text` on the road: prepared with `werte` bound (`gebunden`; `vorbereitet`: the query
    // holds it so already), or as it stands.
    bool laufe(const QString& text, bool gebunden, const QVariantList& werte, bool vorbereitet);

    const CCDataBase* datenbank;
    QList<qint32> liste;
    bool merker;
    // The statement `prepare` took, rewritten.
    QString vorbereitet;
};
