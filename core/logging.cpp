#include "logging.h"
#include "ccat.h"
#include "cfileappender.h"
#include "cpatternlayout.h"
#include "kerneinstellungen.h"
#include "logkonfiguration.h"
#include "verzeichnisse.h"

#include <QCoreApplication>
#include <QFile>
#include <iostream>
#include <log4cpp/Category.hh>
#include <log4cpp/Configurator.hh>
#include <log4cpp/Priority.hh>
#include <memory>
#include <optional>

void konfiguriere_logging(const QString& dateiname, const QString& suffix)
{
    log4cpp::CFileAppender::setze_pfad(std::string());
    CQCat::setze_name(CQString(QCoreApplication::applicationName()).gross());
    CQCat* logger = CQCat::gib_instanz();

    const QString logverzeichnis = gib_eigene_dateien().absolutePath();
    log4cpp::CFileAppender::setze_pfad(QFile::encodeName(logverzeichnis).toStdString());

    log4cpp::Category& wurzel = log4cpp::Category::getRoot();
    wurzel.setPriority(log4cpp::Priority::INFO);
    kern_einstellungen().setze_debug_ausgabe(0);

    const log4cpp::AppenderSet appender = wurzel.getAllAppenders();
    if (!appender.empty())
        (*appender.begin())->setLayout(new log4cpp::CPatternLayout("%m%n"));

    // A file passed over for its owner is named once the log it would have set up exists.
    QStringList uebergangen;
    const SGefundeneDatei datei = oeffne_gesuchte_datei(dateiname, true, false, &uebergangen);
    std::optional<QString> konfigurationsfehler;
    if (datei.datei) {
        try {
            // The file that was judged is read, not whatever bears its name by now.
            const QByteArray text = datei.datei->readAll();
            if (datei.datei->error() != QFileDevice::NoError)
                throw log4cpp::ConfigureFailure("Config File " + QFile::encodeName(datei.pfad).toStdString()
                                                + " is unreadable: " + datei.datei->errorString().toStdString());
            log4cpp::konfiguriere_text(text.toStdString());
            melde_uebergangen(uebergangen);
            logger->info(CQString(QStringLiteral("Logger: %1").arg(datei.pfad)));
            return;
        } catch (const log4cpp::ConfigureFailure& fehler) {
            std::cerr << "Configure Problem " << fehler.what() << std::endl;
            konfigurationsfehler = QString::fromUtf8(fehler.what());
        }
    }

    const QString logdatei = logger->gib_name() + suffix + QStringLiteral(".log");
    auto standard = std::make_unique<log4cpp::CFileAppender>(
        "root", QFile::encodeName(logdatei).toStdString(), true);
    standard->setLayout(new log4cpp::CPatternLayout("%D: %m%n"));
    wurzel.addAppender(standard.release());
    // The failure is logged once the default log exists: before it, a faulty file has usually set
    // up no appender, and the reason would reach no log at all.
    melde_uebergangen(uebergangen);
    if (konfigurationsfehler)
        logger->error(CQString(QStringLiteral("Logger: Configure Problem %1").arg(*konfigurationsfehler)));
    logger->info(CQString(QStringLiteral("Verwende Default-Logger '%1' im Verzeichnis eigene Dateien (%2)")
                              .arg(logdatei, logverzeichnis)));
}
