// A program that starts like the updater's silent road and whose globals still report, raise and translate
// after main has returned; it must end normally with exit code 0 and print "ende erreicht" last.
#include "anwendung.h"
#include "ccat.h"
#include "cfehler.h"
#include "csprache.h"
#include "einstellungswerte.h"
#include "katalog.h"
#include "kerneinstellungen.h"
#include "klassen.h"
#include "logging.h"
#include "melde.h"

#include <QCoreApplication>
#include <iostream>

namespace {

struct Nachzuegler
{
    ~Nachzuegler()
    {
        melde(5, klasse_funktion, "~Nachzuegler", "melde nach main");
        qmelde(4, klasse_kurz, CQString("~Nachzuegler"), CQString("qmelde nach main"));
        try {
            throw CFehler(3, klasse_funktion, "~Nachzuegler", "CFehler nach main");
        } catch (const CFehlerBasis& fehler) {
            fehler.melde();
        }
        CQFehler(4, klasse_kurz, CQString("~Nachzuegler"), CQString("CQFehler nach main")).melde();
        gib_katalog_allgemein().debug_ausgabe.setze_wert(JA);
        melde(6, klasse_funktion, "~Nachzuegler", "debug nach main");
        CQCat::gib_instanz()->info(CQString("log nach main"));
        std::cout << gib_anwender().toStdString() << kern_einstellungen().debug_ausgabe() << ' '
                  << uebersetze_(CString("Hallo"), CString("Ende")).gib_string() << ' '
                  << gib_sprache().toStdString() << ' ' << gib_sprachen().size() << std::endl;
        std::cout << "ende erreicht" << std::endl;
    }
} nachzuegler;

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    setze_anwendungsname(QStringLiteral("Aktualisierer"));
    // Lives until exit, never deleted.
    static CSprache* const sprache = new CSprache(CQString(gib_anwendungsname()));
    sprache->setze_startsprache();
    konfiguriere_logging(QStringLiteral("log4upd.init"), QString());
    gib_katalog_privat().anwender.setze_wert_qstr(CQString("anwender "));
    qmelde(5, klasse_kurz, CQString("main"), CQString("in main"));
    return 0;
}
