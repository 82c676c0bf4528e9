#include "silentinstallation.h"
#include "altefassung.h"
#include "cuninstallinfo.h"
#include "einstellungsformat.h"
#include "importzip.h"
#include "klassen.h"
#include "melde.h"
#include "startzustand.h"

#include <QCoreApplication>

bool silent_installation(const QString& archiv, const QString& quelle)
{
    qmelde(5, klasse_kurz, CQString("silent_installation"),
           CQString(QCoreApplication::translate("QObject", "- silent Modus -")));
    // What the start put back or kept aside after a save cut off, or moved aside at a settings file's
    // name: no one watches this run, its log tells.
    for (const QString& hinweis : nimm_hinweise_alter_fassungen() + nimm_beiseite_hinweise())
        qmelde(4, klasse_kurz, CQString("silent_installation"), CQString(hinweis));
    QString pfad;
    if (!quelle.isEmpty())
        pfad = quelle + QLatin1Char('/');
    pfad += archiv;
    const CQString ziel = gib_zielverzeichnis();
    CUninstallInfo uninstall(ziel);
    int modus = 0;
    return ImportZIP_installation(nullptr, &modus, pfad, ziel, &uninstall);
}
