// A console run with only a QCoreApplication: the GUI functions must neither show nor fail, and report to the log.
#include "cqstringsteuer.h"
#include "gui.h"

#include <QCoreApplication>
#include <iostream>
#include <log4cpp/Category.hh>
#include <log4cpp/OstreamAppender.hh>
#include <log4cpp/PatternLayout.hh>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // Log lines to standard output, as "<PRIORITY> <text>".
    auto* appender = new log4cpp::OstreamAppender("ausgabe", &std::cout);
    auto* layout = new log4cpp::PatternLayout;
    layout->setConversionPattern("%p %m%n");
    appender->setLayout(layout);
    log4cpp::Category::getRoot().addAppender(appender);

    setze_warte_cursor(true, false);
    setze_warte_cursor(false, true);
    setze_warte_cursor(false, false);
    setze_warte_cursor(false, false);
    std::cout << "cursor ueberstanden" << std::endl;

    const QMessageBox::StandardButton knopf =
        meldung_kritisch(nullptr, CQString("Titel"), CQString("Festplatte voll: ä"),
                         QMessageBox::Ok | QMessageBox::Retry, QMessageBox::Retry);
    std::cout << "knopf " << static_cast<int>(knopf) << std::endl;

    CQStringSteuer ordner(CQString("/Test/ohnegui/ordner"), CQString(""), CQString(""), false);
    ordner.setze_wert_qstr(CQString("/vorher"));
    std::cout << "oeffnen [" << oeffne_datei_dialog(nullptr, ordner, "*", "T", false).toStdString() << "] ["
              << speichere_datei_dialog(nullptr, ordner, "PDF-Datei", "Bericht", ".pdf", "T", false, true).toStdString()
              << "] " << ordner.gib_wert_qstr().toStdString() << std::endl;
    return 0;
}
