#include "browsereinstellungswerte.h"

#include <QSettings>

bool lies_schalter(const QSettings& einstellungen, const QString& schluessel, bool vorgabe)
{
    const QVariant wert = einstellungen.value(schluessel);
    if (wert.type() == QVariant::Bool)
        return wert.toBool();
    const QString text = wert.toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("false") || text == QLatin1String("0"))
        return false;
    return vorgabe;
}

int lies_zahl(const QSettings& einstellungen, const QString& schluessel, int vorgabe)
{
    bool ok = false;
    const int zahl = einstellungen.value(schluessel).toInt(&ok);
    return ok ? zahl : vorgabe;
}

QFont lies_schrift(const QSettings& einstellungen, const QString& schluessel, const QFont& vorgabe)
{
    const QVariant wert = einstellungen.value(schluessel);
    if (wert.type() == QVariant::Font)
        return wert.value<QFont>();
    QFont schrift;
    if (wert.type() == QVariant::String && schrift.fromString(wert.toString()))
        return schrift;
    return vorgabe;
}
