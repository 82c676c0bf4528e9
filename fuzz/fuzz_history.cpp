// Fuzz target: the history store loading a "history" file; what it kept is in order and reads back after a save.
#include "datenordner.h"
#include "historymanager.h"
#include "kerneinstellungen.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace {

// One application object and one private home for every input of the run.
void richte_ein()
{
    static bool eingerichtet = false;
    if (eingerichtet)
        return;
    eingerichtet = true;
    static QTemporaryDir heim;
    setenv("HOME", QFile::encodeName(heim.path()).constData(), 1);
    QStandardPaths::setTestModeEnabled(true);
    static int argc = 1;
    static char name[] = "fuzz_history";
    static char* argv[] = {name, nullptr};
    new QCoreApplication(argc, argv);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse)
{
    kern_einstellungen().setze_fehlerdatei(0);
    richte_ein();
    QDir(gib_browser_datenordner()).removeRecursively();
    QDir().mkpath(gib_browser_datenordner());
    {
        QFile datei(HistoryManager::dateiname());
        if (!datei.open(QIODevice::WriteOnly))
            return 0;
        datei.write(reinterpret_cast<const char*>(daten), static_cast<qint64>(groesse));
    }
    QList<HistoryItem> erwartet;
    {
        HistoryManager history;
        const QList<HistoryItem>& liste = history.entries();
        for (int i = 0; i < liste.size(); ++i) {
            if (!liste.at(i).dateTime.isValid() || (i > 0 && liste.at(i - 1).dateTime < liste.at(i).dateTime))
                std::abort();
            // Equal visits that sorting brought together are read back as one.
            if (erwartet.isEmpty() || erwartet.last() != liste.at(i))
                erwartet << liste.at(i);
        }
        history.save();
    }
    HistoryManager wieder;
    if (wieder.entries() != erwartet)
        std::abort();
    return 0;
}
