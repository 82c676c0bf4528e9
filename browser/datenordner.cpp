#include "datenordner.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

QString gib_browser_datenordner()
{
    const QString ordner = QStandardPaths::writableLocation(QStandardPaths::DataLocation);
    if (!ordner.isEmpty())
        return ordner;
    return QDir::homePath() + QStringLiteral("/.") + QCoreApplication::applicationName();
}
