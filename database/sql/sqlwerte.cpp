#include "sqlwerte.h"
#include "zeichenlaenge.h"

void haenge_zuweisung_an(bool einfuegen, CQString& spalten, CQString& werte, const CQString& literal)
{
    if (einfuegen)
        werte += QLatin1Char(',') + literal;
    else
        spalten += QLatin1Char('=') + literal;
}

void haenge_spalte_an(bool einfuegen, CQString& spalten, CQString& werte, const CQString& spalte,
                      const CQString& literal)
{
    spalten += QLatin1Char(',') + spalte;
    haenge_zuweisung_an(einfuegen, spalten, werte, literal);
}

void haenge_bool_an(bool einfuegen, CQString& spalten, CQString& werte, const CQString& spalte, bool wert)
{
    haenge_spalte_an(einfuegen, spalten, werte, spalte, CQString(wert ? "'1'" : "'0'"));
}

void haenge_int_an(bool einfuegen, CQString& spalten, CQString& werte, const CQString& spalte, int wert)
{
    haenge_spalte_an(einfuegen, spalten, werte, spalte, CQString(QString::number(wert)));
}

void haenge_null_an(bool einfuegen, CQString& spalten, CQString& werte, const CQString& spalte)
{
    haenge_spalte_an(einfuegen, spalten, werte, spalte, CQString("NULL"));
}

QVariant sql_bindetext(const QString& text, int maximum)
{
    if (text.isEmpty())
        return QVariant(QVariant::String);
    return maximum > 0 ? kuerze_auf_zeichen(text, maximum) : text;
}

bool ist_sql_wert_da(const QVariant& wert)
{
    return wert.isValid() && !wert.isNull();
}

QDateTime sql_wert_datumzeit(QVariant wert)
{
    return ist_sql_wert_da(wert) ? wert.toDateTime() : QDateTime();
}
