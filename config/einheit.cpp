#include "einheit.h"
#include "ci18n.h"

#include <QtGlobal>
#include <iterator>

namespace {

constexpr const char* einheitentexte[] = {
    "",       "V",      "kV",   "kW",  "MW",    "GW",    "kvar",      "Mvar",  "Gvar",      "kVA",  "MVA",
    "GVA",    "A",      "kA",   "Ohm", "mOhm",  "H",     "mH",        "S",     "mS",        "uF",   "microF",
    "nF",     "mF",     "km",   "m",   "cm",    "mm",    "Hz",        "%",     "1/a",       "h",    "min/a",
    "h/a",    "MWh/a",  "S/km", "mS/km", "uF/km", "microF/km", "nF/km", "mF/km", "1/(km*a)", "p.u./km", "p.u."};

constexpr int anzahl_einheiten = static_cast<int>(std::size(einheitentexte));
static_assert(anzahl_einheiten == 44, "unit codes 0 to 43");

struct SFaktor
{
    EEinheit von;
    EEinheit nach;
    double faktor;
};

// Resistance and inductance, conductance and capacitance are converted at 50 Hz (omega = 100 pi).
// "microF" is looked up as "uF"; the per-kilometre units and the var and VA units use the rows
// of their base units.
constexpr SFaktor faktoren[] = {
    {EINHEIT_V, EINHEIT_KV, 0.001},
    {EINHEIT_KV, EINHEIT_V, 1000.0},
    {EINHEIT_KW, EINHEIT_MW, 0.001},
    {EINHEIT_KW, EINHEIT_GW, 1e-6},
    {EINHEIT_MW, EINHEIT_KW, 1000.0},
    {EINHEIT_MW, EINHEIT_GW, 0.001},
    {EINHEIT_GW, EINHEIT_KW, 1e6},
    {EINHEIT_GW, EINHEIT_MW, 1000.0},
    {EINHEIT_A, EINHEIT_KA, 0.001},
    {EINHEIT_KA, EINHEIT_A, 1000.0},
    {EINHEIT_OHM, EINHEIT_MILLIOHM, 1000.0},
    {EINHEIT_OHM, EINHEIT_H, 0.003183098861837907},
    {EINHEIT_OHM, EINHEIT_MILLIH, 3.183098861837907},
    {EINHEIT_MILLIOHM, EINHEIT_OHM, 0.001},
    {EINHEIT_MILLIOHM, EINHEIT_H, 3.183098861837907e-6},
    {EINHEIT_MILLIOHM, EINHEIT_MILLIH, 0.003183098861837907},
    {EINHEIT_H, EINHEIT_OHM, 314.1592653589793},
    {EINHEIT_H, EINHEIT_MILLIOHM, 314159.2653589793},
    {EINHEIT_H, EINHEIT_MILLIH, 1000.0},
    {EINHEIT_MILLIH, EINHEIT_OHM, 0.3141592653589793},
    {EINHEIT_MILLIH, EINHEIT_MILLIOHM, 314.1592653589793},
    {EINHEIT_MILLIH, EINHEIT_H, 0.001},
    {EINHEIT_S, EINHEIT_MILLIS, 1000.0},
    {EINHEIT_S, EINHEIT_UF, 3183.098861837907},
    {EINHEIT_S, EINHEIT_NF, 3183098.8618379068},
    {EINHEIT_S, EINHEIT_MILLIF, 3.183098861837907},
    {EINHEIT_MILLIS, EINHEIT_S, 0.001},
    {EINHEIT_MILLIS, EINHEIT_UF, 3.183098861837907},
    {EINHEIT_MILLIS, EINHEIT_NF, 3183.098861837907},
    {EINHEIT_MILLIS, EINHEIT_MILLIF, 0.003183098861837907},
    {EINHEIT_UF, EINHEIT_S, 0.0003141592653589793},
    {EINHEIT_UF, EINHEIT_MILLIS, 0.3141592653589793},
    {EINHEIT_UF, EINHEIT_UF, 1.0},
    {EINHEIT_UF, EINHEIT_NF, 1000.0},
    {EINHEIT_UF, EINHEIT_MILLIF, 0.001},
    {EINHEIT_NF, EINHEIT_S, 3.141592653589793e-7},
    {EINHEIT_NF, EINHEIT_MILLIS, 0.0003141592653589793},
    {EINHEIT_NF, EINHEIT_UF, 0.001},
    {EINHEIT_NF, EINHEIT_MILLIF, 1e-6},
    {EINHEIT_MILLIF, EINHEIT_S, 0.3141592653589793},
    {EINHEIT_MILLIF, EINHEIT_MILLIS, 314.1592653589793},
    {EINHEIT_MILLIF, EINHEIT_UF, 1000.0},
    {EINHEIT_MILLIF, EINHEIT_NF, 1e6},
    {EINHEIT_KM, EINHEIT_METER, 1000.0},
    {EINHEIT_KM, EINHEIT_CM, 100000.0},
    {EINHEIT_KM, EINHEIT_MM, 1e6},
    {EINHEIT_METER, EINHEIT_KM, 0.001},
    {EINHEIT_METER, EINHEIT_CM, 100.0},
    {EINHEIT_METER, EINHEIT_MM, 1000.0},
    {EINHEIT_CM, EINHEIT_KM, 1e-5},
    {EINHEIT_CM, EINHEIT_METER, 0.01},
    {EINHEIT_CM, EINHEIT_MM, 10.0},
    {EINHEIT_MM, EINHEIT_KM, 1e-6},
    {EINHEIT_MM, EINHEIT_METER, 0.001},
    {EINHEIT_MM, EINHEIT_CM, 0.1},
    {EINHEIT_MIN_PRO_JAHR, EINHEIT_H_PRO_JAHR, 1.0 / 60.0},
    {EINHEIT_H_PRO_JAHR, EINHEIT_MIN_PRO_JAHR, 60.0},
};

// The unit whose rows of the factor table hold for `einheit`, and the family it belongs to
// (so that "kvar" converts to "Mvar" but never to "MW").
struct SZuordnung
{
    EEinheit basis;
    int familie;
};

SZuordnung zuordnung(EEinheit einheit)
{
    switch (einheit) {
    case EINHEIT_KVAR:
    case EINHEIT_MVAR:
    case EINHEIT_GVAR:
        return {static_cast<EEinheit>(einheit - EINHEIT_KVAR + EINHEIT_KW), 1};
    case EINHEIT_KVA:
    case EINHEIT_MVA:
    case EINHEIT_GVA:
        return {static_cast<EEinheit>(einheit - EINHEIT_KVA + EINHEIT_KW), 2};
    case EINHEIT_MICROF:
        return {EINHEIT_UF, 0};
    case EINHEIT_S_KM:
    case EINHEIT_MILLIS_KM:
    case EINHEIT_UF_KM:
    case EINHEIT_MICROF_KM:
    case EINHEIT_NF_KM:
    case EINHEIT_MILLIF_KM:
        return {zuordnung(static_cast<EEinheit>(einheit - EINHEIT_S_KM + EINHEIT_S)).basis, 3};
    default:
        return {einheit, 0};
    }
}

} // namespace

std::string einheit_in_string(const EEinheit& einheit)
{
    if (einheit >= 0 && einheit < anzahl_einheiten)
        return einheitentexte[einheit];
    return uebersetze_(CString(QT_TRANSLATE_NOOP(
                           "QObject", "Fehler in cvariablebasis/string einheit_in_string(const EEinheit& aw) !!!")),
                       CString())
        .gib_string();
}

EEinheit string_in_einheit(const std::string& text)
{
    for (int code = 0; code < anzahl_einheiten; ++code)
        if (text == einheitentexte[code])
            return static_cast<EEinheit>(code);
    return EINHEIT_UNBEKANNT;
}

double umrechnungsfaktor(const EEinheit& von, const EEinheit& nach, const bool& eins_als_ersatz)
{
    if (von == nach || von == EINHEIT_KEINE || von == EINHEIT_HZ || von == EINHEIT_PROZENT)
        return 1.0;
    const SZuordnung a = zuordnung(von);
    const SZuordnung b = zuordnung(nach);
    if (a.familie == b.familie) {
        for (const SFaktor& f : faktoren)
            if (f.von == a.basis && f.nach == b.basis)
                return f.faktor;
    }
    return eins_als_ersatz ? 1.0 : 99999999.0;
}
