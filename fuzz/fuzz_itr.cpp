// Fuzz target: the reader of ".itr" translation files.
#include "cfehler.h"
#include "ci18n.h"
#include "kerneinstellungen.h"

#include <QTemporaryDir>
#include <cstdint>
#include <fstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse)
{
    static QTemporaryDir* ordner = new QTemporaryDir;
    kern_einstellungen().setze_fehlerdatei(0);
    const std::string pfad = ordner->filePath("f.itr").toStdString();
    std::ofstream(pfad, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(daten), static_cast<std::streamsize>(groesse));
    CI18n tabelle;
    try {
        tabelle.importiere_uebersetzungen(pfad);
    } catch (const CFehlerBasis&) {
        // an unknown escape is a reported error, not a finding
    }
    for (const auto& eintrag : tabelle.gib_tabelle())
        (void)tabelle.uebersetze(eintrag.first);
    return 0;
}
