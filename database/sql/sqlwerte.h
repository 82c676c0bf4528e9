// The statement-part builders and readers that need no database object: column and literal appended to INSERT or UPDATE parts.
#pragma once

#include "cqstring.h"

#include <QDateTime>
#include <QVariant>

// Insert mode: ",<literal>" to the value part; update mode: "=<literal>" to the column part (the
// builders have appended ",<column>" there before).
void haenge_zuweisung_an(bool einfuegen, CQString& spalten, CQString& werte, const CQString& literal);
void haenge_bool_an(bool einfuegen, CQString& spalten, CQString& werte, const CQString& spalte, bool wert);
void haenge_int_an(bool einfuegen, CQString& spalten, CQString& werte, const CQString& spalte, int wert);
void haenge_null_an(bool einfuegen, CQString& spalten, CQString& werte, const CQString& spalte);
// Appends ",<column>" and the literal, as every builder does.
void haenge_spalte_an(bool einfuegen, CQString& spalten, CQString& werte, const CQString& spalte,
                      const CQString& literal);

// A text to bind to a statement: an empty text as a NULL of type text, `maximum` (> 0) characters
// (code points, as the columns count) at most, never half of one.
QVariant sql_bindetext(const QString& text, int maximum = 0);

// False for an invalid QVariant or a NULL.
bool ist_sql_wert_da(const QVariant& wert);
// The date-time read; invalid for a missing value.
QDateTime sql_wert_datumzeit(QVariant wert);
