// The one report of a failed SQL statement: three error lines to every log window and the log; a box for a statement a lost connection cost.
#pragma once

#include "cbasis.h"
#include "cqstring.h"

#include <QSqlError>
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

// Gives the query the error of a statement that a lost connection cost: `text`, which says
// plainly what became of it and what to check, before the driver's own text. The report of that
// failure (either `melde_sql_fehler`) shows `text` in a box too, once: the person learns why, where
// the window's own box names only the table. A failure no one reports shows none; `mit_box` false
// shows none either (the box for the same text came already). `treiberfehler`, when set, stands
// for the query's own error.
void setze_verbindungsfehler(const QSqlQuery& abfrage, const QString& text, bool mit_box = true,
                             const QSqlError& treiberfehler = QSqlError());
// Reports the failure `fehler` that a lost connection cost as `melde_sql_fehler` does, `text`
// before it and in a box.
void melde_verbindungsfehler(const QString& text, const QString& fehler, const CQString& sql, CKlasse* klasse,
                             const CQString& methode, const CQString& tabelle);

// The text with "<" and ">" as HTML entities, as the log windows must show a statement.
CQString als_html_text(const CQString& sql);
