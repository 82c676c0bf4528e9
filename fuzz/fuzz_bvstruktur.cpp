// Fuzz target: the reader of the user administration's structure file.
#include "bvstruktur.h"

#include <cstdint>
#include <utility>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse)
{
    CBVEntwurf entwurf = gib_bv_grundentwurf();
    QStringList meldungen;
    wende_strukturtext_an(QByteArray(reinterpret_cast<const char*>(daten), static_cast<int>(groesse)),
                          QStringLiteral("benutzerverwaltung_data.inf"), entwurf, meldungen);
    // The columns that values are cut to keep a width whatever the file says: the template's value
    // and the user's remark, each in its own table (the same tag elsewhere is another column).
    for (const auto& [tabelle, tag] : {std::pair<int, int>{bv_tag::vorlage, bv_tag::vor_wert},
                                      {bv_tag::anwender, bv_tag::anw_bemerkung}})
        for (const CBVSpalte& spalte : entwurf.value(tabelle).spalten)
            if (spalte.tag == tag && spalte.laenge <= 0)
                __builtin_trap();
    CBVStruktur struktur(entwurf);
    for (auto it = entwurf.cbegin(); it != entwurf.cend(); ++it)
        (void)struktur.gib_datenstruktur()->gib_tabellenname(it.key());
    return 0;
}
