#include "browsereinstellungswerte.h"

#include "altefassung.h"
#include "dialogseam.h"
#include "einstellungsformat.h"

#include <QCoreApplication>
#include <QSettings>
#include <QtDebug>

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

int lies_linkziel(const QSettings& einstellungen)
{
    const QString schluessel = QStringLiteral("general/openLinksIn");
    if (einstellungen.contains(schluessel))
        return lies_zahl(einstellungen, schluessel, 0);
    return lies_zahl(einstellungen, QStringLiteral("General/openLinksIn"), 0);
}

void melde_beiseite_gelegte_einstellungen()
{
    for (const QString& hinweis : nimm_beiseite_hinweise() + nimm_hinweise_alter_fassungen())
        zeige_warnung(nullptr, QCoreApplication::translate("Settings", "Loading Settings"), hinweis);
}

bool speichere_einstellungen(QSettings& einstellungen)
{
    // Every store writes the same file: a full disk is reported once, not at every auto-save.
    static bool gemeldet = false;
    const QString fehler = sichere_einstellungen(einstellungen);
    melde_beiseite_gelegte_einstellungen();
    if (fehler.isEmpty()) {
        gemeldet = false;
        return true;
    }
    qWarning() << "Unable to save the settings:" << fehler;
    if (!gemeldet) {
        gemeldet = true;
        zeige_warnung(nullptr, QCoreApplication::translate("Settings", "Saving Settings"),
                      QCoreApplication::translate("Settings", "The settings could not be saved; the file keeps the "
                                                              "settings saved before.\n%1")
                          .arg(fehler));
    }
    return false;
}
