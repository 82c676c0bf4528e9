// The window road's application object with a slot that throws: the program must end with 1, the error in its log.
#include "sanitizervorgaben.h"
#include "canwendung.h"
#include "cfehler.h"
#include "klassen.h"

#include <QTimer>
#include <iostream>
#include <log4cpp/Category.hh>
#include <log4cpp/OstreamAppender.hh>
#include <log4cpp/PatternLayout.hh>
#include <stdexcept>

// Argument "fehler" throws a framework error, anything else a standard exception.
int main(int argc, char** argv)
{
    CAnwendung app(argc, argv);
    auto* appender = new log4cpp::OstreamAppender("ausgabe", &std::cout);
    auto* layout = new log4cpp::PatternLayout;
    layout->setConversionPattern("%p %m%n");
    appender->setLayout(layout);
    log4cpp::Category::getRoot().addAppender(appender);

    const bool rahmenfehler = argc > 1 && std::string(argv[1]) == "fehler";
    QTimer::singleShot(0, [rahmenfehler] {
        if (rahmenfehler)
            throw CFehler(0, klasse_kurz, "slot", "Fehler im Slot");
        throw std::runtime_error("Ausnahme im Slot");
    });
    // Never reached when the loop ends as it should.
    QTimer::singleShot(5000, [] { QCoreApplication::exit(7); });
    return app.exec();
}
