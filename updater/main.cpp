// The updater's start: reads the command line, then ends at once, installs silently, or opens the window.
#include "sanitizervorgaben.h"
#include "adressraum.h"
#include "anwendung.h"
#include "canwendung.h"
#include "csprache.h"
#include "fensterdienste.h"
#include "fensterlauf.h"
#include "kommandozeile.h"
#include "logging.h"
#include "plattform.h"
#include "silentinstallation.h"
#include "sitzungsende.h"
#include "startzustand.h"

#include <QCoreApplication>
#include <QLibrary>
#include <cstdio>
#include <iostream>
#include <memory>

namespace {

const char* const anwendungsname = "Aktualisierer";

} // namespace

int main(int argc, char** argv)
{
    // Standard output goes out line by line into a file or a pipe as well: a line on standard
    // error, which may go to the same file, then never cuts into one of its lines.
    std::setvbuf(stdout, nullptr, _IOLBF, BUFSIZ);
    // Before any thread: under a limit of address space the threads leave room for the work.
    teile_speicher_nach_grenze();
    // The arguments are read before any application object exists: the roads without a window
    // ("version", the registration options, the silent install) run on a core application,
    // which needs no display.
    QStringList argumente;
    for (int i = 0; i < argc; ++i)
        argumente << QString::fromLocal8Bit(argv[i]);
    const CKommandozeile kommandozeile = lies_kommandozeile(argumente);
    const bool mit_fenster =
        kommandozeile.ende == CKommandozeile::Ende::Normal && !(kommandozeile.silent && kommandozeile.modus == 1);

    // Qt would abort with a long message when no platform can be opened: the window road then
    // only says so, in the language the window would have shown.
    const bool ohne_anzeige = mit_fenster && qEnvironmentVariableIsEmpty("DISPLAY")
                              && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
                              && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");

    // Only the window road needs a display. The web engine that its module brings is loaded after
    // the application object exists: it asks for contexts shared between windows beforehand.
    if (mit_fenster && !ohne_anzeige)
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    schalte_hochaufloesung_ein();
    const std::unique_ptr<QCoreApplication> anwendung(mit_fenster && !ohne_anzeige ? new CAnwendung(argc, argv)
                                                                                   : new QCoreApplication(argc, argv));
    setze_anwendungsname(QString::fromLatin1(anwendungsname));
    QCoreApplication::setApplicationName(QString::fromLatin1(anwendungsname));
    // Lives until the process ends.
    static CSprache* const sprache = new CSprache(CQString(anwendungsname));
    sprache->setze_startsprache();

    if (ohne_anzeige) {
        setze_kommandozeilensprache(kommandozeile, *sprache);
        std::cerr << anwendungsname << ": "
                  << QCoreApplication::translate("QObject", "Keine Anzeige gefunden (DISPLAY, WAYLAND_DISPLAY und "
                                                            "QT_QPA_PLATFORM sind leer); ohne Fenster laufen -silent "
                                                            "-install, -version, /REGSERVER und /UNREGSERVER.")
                         .toLocal8Bit()
                         .constData()
                  << "\n";
        return 1;
    }

    const QByteArray versionstext = gib_versionstext().toLocal8Bit();

    for (int i = 0; i < kommandozeile.konsolen; ++i) {
        oeffne_konsole(CQString());
        std::cerr << "\n" << anwendungsname << " Console\n";
        std::cout << versionstext.constData() << "\n";
    }
    switch (kommandozeile.ende) {
    case CKommandozeile::Ende::Registrierung:
        std::printf("UPDATER - Aufruf mit Option >%s<\n Programm wird beendet !\n",
                    kommandozeile.registrierung.toLocal8Bit().constData());
        return 0;
    case CKommandozeile::Ende::Version:
        oeffne_konsole(CQString());
        std::cout << versionstext.constData() << "\n" << std::flush;
        if (wnt_c_inq_console() == 1) {
            std::cerr << "\nBitte beliebige Eingabe zum Schliessen des Fensters\n" << std::flush;
            std::getchar();
        }
        return 0;
    case CKommandozeile::Ende::Normal:
        break;
    }

    startmodus = kommandozeile.modus;
    setze_zielverzeichnis_vorgabe(CQString(kommandozeile.ziel));

    konfiguriere_logging(QStringLiteral("log4upd.init"), QString());
    // Log-out, shut-down, Ctrl+C and kill end a run from here on as a stop does.
    fange_sitzungsende_ab(mit_fenster);

    if (!mit_fenster) {
        // An error that escapes the installation is a failed install: reported, exit code 1.
        try {
            const bool ok = silent_installation(kommandozeile.archiv, kommandozeile.quelle);
            const bool signal = melde_sitzungsende();
            return ok && !signal ? 0 : 1;
        } catch (...) {
            melde_ausnahme(QStringLiteral("silent_installation"));
        }
        return 1;
    }

    // The browser, the report viewer and the help come from the window's module, which stays
    // loaded until the process ends.
    QLibrary modul(QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(FENSTERMODUL));
    const auto einrichten = reinterpret_cast<AktualisiererHilfestart (*)()>(modul.resolve(aktualisierer_fensterdienste_symbol));
    if (!einrichten) {
        std::cerr << anwendungsname << ": " << modul.errorString().toLocal8Bit().constData() << "\n";
        return 1;
    }
    const AktualisiererHilfestart hilfe = einrichten();
    return fensterlauf(kommandozeile, *sprache, [hilfe] { hilfe(); });
}
