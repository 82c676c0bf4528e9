// Fuzz target: the reader of the user administration's structure file.
#include "bvstruktur.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse)
{
    CBVEntwurf entwurf = gib_bv_grundentwurf();
    QStringList meldungen;
    wende_strukturtext_an(QByteArray(reinterpret_cast<const char*>(daten), static_cast<int>(groesse)),
                          QStringLiteral("benutzerverwaltung_data.inf"), entwurf, meldungen);
    // The columns that values are cut to keep a width whatever the file says.
    for (int tabelle : {bv_tag::vorlage, bv_tag::anwender})
        for (const CBVSpalte& spalte : entwurf.value(tabelle).spalten)
            if ((spalte.tag == bv_tag::vor_wert || spalte.tag == bv_tag::anw_bemerkung) && spalte.laenge <= 0)
                __builtin_trap();
    CBVStruktur struktur(entwurf);
    for (auto it = entwurf.cbegin(); it != entwurf.cend(); ++it)
        (void)struktur.gib_datenstruktur()->gib_tabellenname(it.key());
    return 0;
}
