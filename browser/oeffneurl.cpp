#include "oeffneurl.h"
#include "ccat.h"
#include "cgbrowserweb.h"
#include "cqstringsteuer.h"
#include "ctextedit.h"
#include "cwebbrowserdiag.h"
#include "plattform.h"
#include "renderwaechter.h"
#include "steuerdaten.h"
#include "systemwerte.h"
#include "verzeichnisse.h"

#include <QApplication>
#include <QProcess>

namespace {

// Registered while globals are built, so the settings list it and `gib_webbrowser` finds it.
const bool modus_angelegt = (gib_browsermodus_variable(), true);

// The own browser window, without parent, left to itself: it deletes itself when closed.
void neues_browserfenster(const QString& url)
{
    auto* fenster = new CWebBrowserDiag;
    fenster->loadStartPage(url);
    fenster->show();
}

BrowserFensterFabrik& fabrik()
{
    static BrowserFensterFabrik f = neues_browserfenster;
    return f;
}

bool ist(const QString& modus, const char* wort)
{
    return modus.compare(QLatin1String(wort), Qt::CaseInsensitive) == 0;
}

// Detached, without a shell: the address is one argument however it is written.
bool starte(const QString& programm, const QString& url, const char* fehlertext)
{
    const QString befehl = programm + QLatin1Char(' ') + url;
    CQCat::gib_instanz()->debug(CQString(befehl));
    if (QProcess::startDetached(programm, {url}))
        return true;
    CQCat::gib_instanz()->error(CQString(QString::fromLatin1(fehlertext).arg(befehl)));
    return false;
}

} // namespace

CQStringSteuer& gib_browsermodus_variable()
{
    static auto* variable = new CQStringSteuer(CQString("/Privat/webBrowser"), CQString(), CQString(), false);
    return *variable;
}

void setze_browserfenster_fabrik(BrowserFensterFabrik neue_fabrik)
{
    fabrik() = neue_fabrik ? std::move(neue_fabrik) : BrowserFensterFabrik(neues_browserfenster);
}

bool oeffne_url(const QString& url, const bool& programm_starten)
{
    const QString modus = gib_webbrowser();
    if (ist(modus, "intern")) {
        // Windows need a widget application.
        if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
            CQCat::gib_instanz()->error(CQString(QStringLiteral("Kein eigenes Browserfenster: '%1' nicht geöffnet").arg(url)));
            return false;
        }
        fabrik()(url);
        return true;
    }
    if (ist(modus, "webbrowser"))
        return starte(gib_anwendungsverzeichnis(true, CQString(), false).absolutePath()
                          + QStringLiteral("/WebBrowser.exe"),
                      url, "WebBrowser-Start '%1' fehlgeschlagen");
    if (!modus.isEmpty() && !ist(modus, "explorer") && programm_starten)
        return starte(modus, url, "Explorer-Start '%1' fehlgeschlagen");
    // A run without a GUI opens nothing through the shell.
    if (!gib_hauptfenster())
        return false;
    if (oeffne_mit_shell(url))
        return true;
    CQCat::gib_instanz()->error(CQString(QStringLiteral("Shell-Start '%1' fehlgeschlagen").arg(url)));
    return false;
}

void registriere_browser()
{
    CTextEdit::setze_url_oeffner(oeffne_url);
    // The report pages' views are watched by the same watchdog as the browser's own.
    CGBrowserWeb::setze_renderwaechter(bewache_renderprozess);
}
