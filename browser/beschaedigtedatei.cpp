#include "beschaedigtedatei.h"

#include "dateien.h"
#include "dialogseam.h"

#include <QCoreApplication>
#include <QDir>
#include <QtDebug>

bool behalte_beschaedigte_datei(const QString& datei, const QString& titel, const QString& grund, QString& gemeldet)
{
    const QString beiseite = lege_beiseite(datei);
    // Told once for each place: the store reads the same damaged file again before it replaces it.
    const QString ort = beiseite.isEmpty() ? datei : beiseite;
    if (ort == gemeldet)
        return !beiseite.isEmpty();
    gemeldet = ort;
    const QString zusatz =
        beiseite.isEmpty()
            ? QCoreApplication::translate("Browser", "The file %1 could not be kept aside: it is not replaced.")
                  .arg(QDir::toNativeSeparators(datei))
            : QCoreApplication::translate("Browser", "The file as it was is kept as %1.")
                  .arg(QDir::toNativeSeparators(beiseite));
    qWarning() << "Not read whole:" << datei << "kept as:" << beiseite;
    zeige_warnung(nullptr, titel, grund + QLatin1Char('\n') + zusatz);
    return !beiseite.isEmpty();
}
