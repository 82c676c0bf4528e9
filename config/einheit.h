// Physical units of value-type descriptors: codes, texts and conversion factors between units of one kind.
#pragma once

#include <cstdint>
#include <string>

enum EEinheit : std::int32_t {
    EINHEIT_KEINE = 0,
    EINHEIT_V = 1,
    EINHEIT_KV = 2,
    EINHEIT_KW = 3,
    EINHEIT_MW = 4,
    EINHEIT_GW = 5,
    EINHEIT_KVAR = 6,
    EINHEIT_MVAR = 7,
    EINHEIT_GVAR = 8,
    EINHEIT_KVA = 9,
    EINHEIT_MVA = 10,
    EINHEIT_GVA = 11,
    EINHEIT_A = 12,
    EINHEIT_KA = 13,
    EINHEIT_OHM = 14,
    EINHEIT_MILLIOHM = 15,
    EINHEIT_H = 16,
    EINHEIT_MILLIH = 17,
    EINHEIT_S = 18,
    EINHEIT_MILLIS = 19,
    EINHEIT_UF = 20,
    EINHEIT_MICROF = 21, // the same unit as "uF"
    EINHEIT_NF = 22,
    EINHEIT_MILLIF = 23,
    EINHEIT_KM = 24,
    EINHEIT_METER = 25,
    EINHEIT_CM = 26,
    EINHEIT_MM = 27,
    EINHEIT_HZ = 28,
    EINHEIT_PROZENT = 29,
    EINHEIT_PRO_JAHR = 30,
    EINHEIT_STUNDE = 31,
    EINHEIT_MIN_PRO_JAHR = 32,
    EINHEIT_H_PRO_JAHR = 33,
    EINHEIT_MWH_PRO_JAHR = 34,
    EINHEIT_S_KM = 35,
    EINHEIT_MILLIS_KM = 36,
    EINHEIT_UF_KM = 37,
    EINHEIT_MICROF_KM = 38, // the same unit as "uF/km"
    EINHEIT_NF_KM = 39,
    EINHEIT_MILLIF_KM = 40,
    EINHEIT_PRO_KM_JAHR = 41,
    EINHEIT_PU_KM = 42,
    EINHEIT_PU = 43,
    EINHEIT_UNBEKANNT = 99999999 // a unit text outside the table
};

// The unit's text; a code outside the table gives an error text (nothing is raised).
std::string einheit_in_string(const EEinheit& einheit);
// Exact, case-sensitive match; the empty text is EINHEIT_KEINE, anything unknown EINHEIT_UNBEKANNT.
EEinheit string_in_einheit(const std::string& text);
// Factor from unit `von` to unit `nach`; a pair without a factor gives 1.0 or 99999999.0.
double umrechnungsfaktor(const EEinheit& von, const EEinheit& nach, const bool& eins_als_ersatz);
