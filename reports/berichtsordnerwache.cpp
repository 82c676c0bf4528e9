#include "berichtsordnerwache.h"
#include "ccat.h"
#include "linkfreigabe.h"
#include "cqstring.h"
#include "steuerzeichen.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

// True when `datei` lies in `ordner` or below it, both taken where their links lead.
bool liegt_in(const QString& datei, const QString& ordner)
{
    const QString ziel = QFileInfo(datei).canonicalFilePath();
    const QString wurzel = QFileInfo(ordner).canonicalFilePath();
    if (ziel.isEmpty() || wurzel.isEmpty())
        return false;
    return ziel.startsWith(wurzel.endsWith(QLatin1Char('/')) ? wurzel : wurzel + QLatin1Char('/'));
}

} // namespace

Berichtsordnerwache::Berichtsordnerwache(QObject* seite) : QWebEngineUrlRequestInterceptor(seite) {}

void Berichtsordnerwache::interceptRequest(QWebEngineUrlRequestInfo& anfrage)
{
    const QUrl adresse = anfrage.requestUrl();
    // The main frame's own navigations are the page's to decide (`CGBrowserWeb`).
    if (!adresse.isLocalFile() || anfrage.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeMainFrame)
        return;
    // The shown document is the first party of every load of its page, its frames' included.
    const QString datei = lokaler_pfad(adresse);
    if (erlaubt(datei, anfrage.firstPartyUrl()))
        return;
    anfrage.block(true);
    CQCat::gib_instanz()->warn(CQString(
        QCoreApplication::translate("CGBrowserWeb", "Lokale Datei ausserhalb des Berichtsordners nicht geladen: '%1'")
            .arg(maskiere_steuerzeichen(datei))));
}

void Berichtsordnerwache::erlaube_ordner(const QString& ordner)
{
    erlaubte_ordner << ordner;
}

bool Berichtsordnerwache::erlaubt(const QString& datei, const QUrl& dokument) const
{
    if (dokument.isLocalFile() && liegt_in(datei, QFileInfo(lokaler_pfad(dokument)).path()))
        return true;
    for (const QString& ordner : qAsConst(erlaubte_ordner))
        if (liegt_in(datei, ordner))
            return true;
    return false;
}
