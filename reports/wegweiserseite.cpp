#include "wegweiserseite.h"

#include "privatdatei.h"

#include <QDirIterator>
#include <QFile>
#include <QSet>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

#include <fcntl.h>
#include <unistd.h>

namespace {
// Carried by the profile itself: it ends with the profile, and a later profile at the same
// address starts without it.
const char* const seiten_gemacht = "wegweiserSeitenGemacht";
} // namespace

WegweiserSeite::WegweiserSeite(QWebEngineProfile* profil, Wegweiser wegweiser_, QObject* eltern)
    : QWebEnginePage(profil, eltern), wegweiser(std::move(wegweiser_))
{
    settings()->setUnknownUrlSchemePolicy(QWebEngineSettings::AllowAllUnknownUrlSchemes);
    // Set on the page itself: a page takes what its profile says only for what it does not set,
    // and a profile of its own (private browsing) starts from the engine's defaults.
    sperre_lokale_zugriffe(settings());
    halte_profil_privat(profil);
    profile()->setProperty(seiten_gemacht, true);
}

WegweiserSeite::WegweiserSeite(Wegweiser wegweiser_, QObject* eltern)
    : WegweiserSeite(QWebEngineProfile::defaultProfile(), std::move(wegweiser_), eltern)
{
}

bool WegweiserSeite::laedt_selbst(const QUrl& adresse)
{
    static const QStringList schemata{QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("file"),
                                      QStringLiteral("data"), QStringLiteral("about"), QStringLiteral("blob"),
                                      QStringLiteral("qrc")};
    return schemata.contains(adresse.scheme().toLower());
}

void WegweiserSeite::sperre_lokale_zugriffe(QWebEngineSettings* einstellungen)
{
    einstellungen->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    einstellungen->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
}

void WegweiserSeite::halte_profil_privat(const QWebEngineProfile* profil)
{
    // Pages are made on the GUI thread alone.
    static QSet<QString> gesehen;
    const QString ordner = profil->isOffTheRecord() ? QString() : profil->persistentStoragePath();
    if (ordner.isEmpty() || gesehen.contains(ordner) || !lege_private_ordner_an(ordner))
        return;
    gesehen.insert(ordner);
    const int besucht = ::open(QFile::encodeName(ordner + QStringLiteral("/Visited Links")).constData(),
                               O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (besucht >= 0)
        ::close(besucht);
    // Never through a link: it could name any file of the user's.
    QDirIterator dateien(ordner, QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDirIterator::Subdirectories);
    while (dateien.hasNext())
        (void)mache_privat(dateien.next());
}

bool WegweiserSeite::hat_seiten(const QWebEngineProfile* profil)
{
    return profil && profil->property(seiten_gemacht).toBool();
}

bool WegweiserSeite::acceptNavigationRequest(const QUrl& adresse, NavigationType art, bool hauptrahmen)
{
    return wegweiser && wegweiser(adresse, art, hauptrahmen);
}
