// The one report of a failed SQL statement: three error lines to every log window and the log.
#pragma once

#include "cbasis.h"
#include "cqstring.h"

#include <QStringList>

class QSqlQuery;

// Reports the query's error, the statement as the caller built it ("<" and ">" as HTML entities)
// and "<methode>: Fehler beim Zugriff auf Tabelle <tabelle>", each as an error of `klasse` and
// `methode`. Without any error text the first line says "???".
// The three lines of that report, as texts: for a window that shows the report itself.
QStringList sql_fehlerbericht(const QSqlQuery& abfrage, const CQString& sql, const CQString& methode,
                              const CQString& tabelle);

void melde_sql_fehler(const QSqlQuery& abfrage, const CQString& sql, CKlasse* klasse, const CQString& methode,
                      const CQString& tabelle);
// The same report for a statement that ran on a connection of its own, its error as a text.
void melde_sql_fehler(const QString& fehler, const CQString& sql, CKlasse* klasse, const CQString& methode,
                      const CQString& tabelle);

// The text with "<" and ">" as HTML entities, as the log windows must show a statement.
CQString als_html_text(const CQString& sql);
