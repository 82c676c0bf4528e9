// Runs the start road of the language selection under the application root given as argument:
// prints the offered languages, the start language and the outcome.
#include "anwendung.h"
#include "csprache.h"
#include "verzeichnisse.h"

#include <QCoreApplication>
#include <iostream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    gib_anwendungsverzeichnis(true, CQString(QString::fromLocal8Bit(argv[1]) + QStringLiteral("/programm")), true);

    static CSprache* const sprache = new CSprache(CQString("Aktualisierer"));
    for (const auto& [code, name] : gib_sprachen())
        std::cout << "sprache " << code.toStdString() << ' ' << name.toStdString() << '\n';
    std::cout << "start " << ermittle_startsprache().toStdString() << '\n';
    const bool ok = sprache->setze_startsprache();
    std::cout << "ergebnis " << ok << ' ' << gib_sprache().toStdString() << ' ' << gib_qt_sprache().toStdString()
              << std::endl;
    return 0;
}
