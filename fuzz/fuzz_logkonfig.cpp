// Fuzz target: the reader of logging configuration files.
#include "cfileappender.h"
#include "logkonfiguration.h"

#include <QTemporaryDir>
#include <cstdint>
#include <fstream>
#include <log4cpp/Category.hh>
#include <log4cpp/Configurator.hh>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse)
{
    static QTemporaryDir* ordner = new QTemporaryDir;
    const std::string text(reinterpret_cast<const char*>(daten), groesse);
    // Keep every log file inside the private folder and every packet off the network: no
    // other log folder, no climbing out of it, no syslog.
    for (const char* verboten : {"path", "..", "syslog"})
        if (text.find(verboten) != std::string::npos)
            return 0;
    log4cpp::CFileAppender::setze_pfad(ordner->path().toStdString());
    const std::string pfad = ordner->filePath("log.init").toStdString();
    std::ofstream(pfad, std::ios::binary | std::ios::trunc) << text;
    try {
        log4cpp::konfiguriere_datei(pfad);
        log4cpp::Category::getRoot().info("probe");
    } catch (const log4cpp::ConfigureFailure&) {
    }
    // Start every input from a bare hierarchy.
    auto* kategorien = log4cpp::Category::getCurrentCategories();
    for (log4cpp::Category* k : *kategorien)
        k->removeAllAppenders();
    delete kategorien;
    return 0;
}
