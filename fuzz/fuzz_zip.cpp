// Fuzz target: an update archive listed, checked and installed; nothing may land outside the target.
#include "cuninstallinfo.h"
#include "importzip.h"
#include "kerneinstellungen.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse)
{
    kern_einstellungen().setze_fehlerdatei(0);
    QTemporaryDir ordner;
    if (!ordner.isValid())
        return 0;
    const QString archiv = ordner.path() + QStringLiteral("/archiv.zip");
    // The target lies a few levels down, so that a name climbing out of it lands in a folder
    // this target watches.
    const QString ziel = ordner.path() + QStringLiteral("/a/b/c/ziel");
    QDir().mkpath(ziel);
    {
        QFile datei(archiv);
        if (!datei.open(QIODevice::WriteOnly))
            return 0;
        datei.write(reinterpret_cast<const char*>(daten), static_cast<qint64>(groesse));
    }
    unistall_map().clear();
    for (int modus : {1, 2, 0})
        ImportZIP_installation(nullptr, &modus, archiv, ziel, nullptr);

    // Outside the target folder there is still only the archive and the folders above the target.
    QDirIterator alles(ordner.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System,
                       QDirIterator::Subdirectories);
    const QStringList erlaubt{archiv, ordner.path() + QStringLiteral("/a"), ordner.path() + QStringLiteral("/a/b"),
                              ordner.path() + QStringLiteral("/a/b/c"), ziel};
    while (alles.hasNext()) {
        const QString pfad = alles.next();
        if (!erlaubt.contains(pfad) && !pfad.startsWith(ziel + QLatin1Char('/')))
            std::abort();
    }
    // Every record names a file or folder below the target, and no temporary file stays.
    for (const auto& eintrag : unistall_map()) {
        const QString pfad = QDir::cleanPath(ziel + QLatin1Char('/') + eintrag.first);
        if (!pfad.startsWith(ziel + QLatin1Char('/')) || !QFileInfo::exists(pfad))
            std::abort();
    }
    QDirIterator it(ziel, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        if (it.next().contains(QLatin1String("/.aktualisierer-")))
            std::abort();
    unistall_map().clear();
    return 0;
}
