#include "kommandozeile.h"
#include "wortbreite.h"

#include <QCoreApplication>

namespace {

const char* const schluesselwoerter[] = {"dbx", "en", "install", "uninstall", "silent", "dst", "cons", "version",
                                         "regserver", "unregserver"};

bool ist_registrierung(const QString& argument)
{
    return argument.compare(QLatin1String("/REGSERVER"), Qt::CaseInsensitive) == 0
           || argument.compare(QLatin1String("/UNREGSERVER"), Qt::CaseInsensitive) == 0;
}

// The value at `index`, unless it is missing or one of the program's own options.
bool nimm_wert(const QStringList& argumente, int index, QString& wert)
{
    if (index >= argumente.size() || ist_eigene_option(argumente[index]))
        return false;
    wert = argumente[index];
    return true;
}

} // namespace

bool ist_eigene_option(const QString& argument)
{
    if (argument.size() < 2 || (argument[0] != QLatin1Char('/') && argument[0] != QLatin1Char('-')))
        return false;
    const QString wort = argument.mid(1).toLower();
    for (const char* s : schluesselwoerter)
        if (wort == QLatin1String(s))
            return true;
    return false;
}

CKommandozeile lies_kommandozeile(const QStringList& argumente)
{
    CKommandozeile k;
    const int n = argumente.size();
    for (int i = 0; i < n; ++i) {
        const QString& argument = argumente[i];
        const QString klein = argument.toLower();
        if (!klein.startsWith(QLatin1Char('/')) && !klein.startsWith(QLatin1Char('-')))
            continue;
        if (klein.size() == 1)
            continue;
        const QString wort = klein.mid(1);
        if (ist_registrierung(argument)) {
            k.ende = CKommandozeile::Ende::Registrierung;
            k.registrierung = argument;
            return k;
        }
        if (wort == QLatin1String("dbx")) {
            k.dbx = true;
        } else if (wort == QLatin1String("en")) {
            k.en = true;
        } else if (wort == QLatin1String("install")) {
            k.modus = 1;
            if (nimm_wert(argumente, i + 1, k.archiv))
                nimm_wert(argumente, i + 2, k.quelle);
        } else if (wort == QLatin1String("uninstall")) {
            k.modus = 2;
        } else if (wort == QLatin1String("silent")) {
            k.silent = true;
        } else if (wort == QLatin1String("dst")) {
            nimm_wert(argumente, i + 1, k.ziel);
        } else if (wort == QLatin1String("cons")) {
            ++k.konsolen;
        } else if (wort == QLatin1String("version")) {
            k.ende = CKommandozeile::Ende::Version;
            return k;
        }
    }
    return k;
}

QString gib_versionstext()
{
    QString text = QCoreApplication::translate("QObject", "%1 Version %2 vom %3")
                       .arg(QStringLiteral("UPDATER"), QStringLiteral("5.9.3.7"), QStringLiteral("09.02.18"));
    if (zielsystem_ist_64bit())
        text += QLatin1String(" 64Bit");
    return text;
}
