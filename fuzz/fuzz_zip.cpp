// Fuzz target: an update archive listed, checked and installed on several workers and on one; nothing may land outside the targets, and both installs leave the same.
#include "centpackwerk.h"
#include "cuninstallinfo.h"
#include "importzip.h"
#include "kerneinstellungen.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace {

// Every file and folder below the target, relative to it, with its content; aborts on what the
// install must never leave: a temporary file.
QMap<QString, QByteArray> baum(const QString& ziel)
{
    QMap<QString, QByteArray> r;
    QDirIterator it(ziel, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString pfad = it.next();
        if (pfad.contains(QLatin1String("/.aktualisierer-")))
            std::abort();
        QFile datei(pfad);
        r[pfad.mid(ziel.size())] = it.fileInfo().isDir() || !datei.open(QIODevice::ReadOnly) ? QByteArray("/")
                                                                                            : datei.readAll();
    }
    return r;
}

// Every record names a file or folder below the target.
void pruefe_aufzeichnungen(const QString& ziel)
{
    for (const auto& eintrag : unistall_kopie()) {
        const QString pfad = QDir::cleanPath(ziel + QLatin1Char('/') + eintrag.first);
        if (!pfad.startsWith(ziel + QLatin1Char('/')) || !QFileInfo::exists(pfad))
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse)
{
    kern_einstellungen().setze_fehlerdatei(0);
    QTemporaryDir ordner;
    if (!ordner.isValid())
        return 0;
    const QString archiv = ordner.path() + QStringLiteral("/archiv.zip");
    // The targets lie a few levels down, so that a name climbing out of them lands in a folder
    // this target watches.
    const QString ziel = ordner.path() + QStringLiteral("/a/b/c/ziel");
    const QString ziel_eins = ordner.path() + QStringLiteral("/a/b/c/eins");
    QDir().mkpath(ziel);
    QDir().mkpath(ziel_eins);
    {
        QFile datei(archiv);
        if (!datei.open(QIODevice::WriteOnly))
            return 0;
        datei.write(reinterpret_cast<const char*>(daten), static_cast<qint64>(groesse));
    }
    unistall_map().clear();
    for (int modus : {1, 2})
        ImportZIP_installation(nullptr, &modus, archiv, ziel, nullptr);

    int modus = 0;
    setze_entpack_arbeiter(3);
    const bool mehrere = ImportZIP_installation(nullptr, &modus, archiv, ziel, nullptr);
    pruefe_aufzeichnungen(ziel);
    QStringList schluessel;
    for (const auto& eintrag : unistall_kopie())
        schluessel << eintrag.first;
    unistall_map().clear();
    setze_entpack_arbeiter(1);
    const bool einer = ImportZIP_installation(nullptr, &modus, archiv, ziel_eins, nullptr);
    setze_entpack_arbeiter(0);
    pruefe_aufzeichnungen(ziel_eins);
    QStringList schluessel_eins;
    for (const auto& eintrag : unistall_kopie())
        schluessel_eins << eintrag.first;
    if (mehrere != einer || schluessel != schluessel_eins || baum(ziel) != baum(ziel_eins))
        std::abort();

    // Outside the targets there is still only the archive and the folders above them.
    QDirIterator alles(ordner.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System,
                       QDirIterator::Subdirectories);
    const QStringList erlaubt{archiv, ordner.path() + QStringLiteral("/a"), ordner.path() + QStringLiteral("/a/b"),
                              ordner.path() + QStringLiteral("/a/b/c"), ziel, ziel_eins};
    while (alles.hasNext()) {
        const QString pfad = alles.next();
        if (!erlaubt.contains(pfad) && !pfad.startsWith(ziel + QLatin1Char('/'))
            && !pfad.startsWith(ziel_eins + QLatin1Char('/')))
            std::abort();
    }
    unistall_map().clear();
    return 0;
}
