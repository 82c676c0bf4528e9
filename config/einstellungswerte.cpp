#include "einstellungswerte.h"
#include "ebool.h"
#include "katalog.h"
#include "systemwerte.h"

namespace {

constexpr int anzahl_sparten = 8;

// The variable's value, or `gib_smtp_beginn` while it is empty.
CQString oder_smtp_beginn(const CQStringSteuer& variable)
{
    const CQString wert = variable.gib_wert_qstr();
    return wert.isEmpty() ? gib_smtp_beginn() : wert;
}

} // namespace

CQString gib_anwender()
{
    return gib_katalog_privat().anwender.gib_wert_qstr();
}

CQString gib_smtp_beginn()
{
    const CQString wert = gib_katalog_varnel().smtp_beginn.gib_wert_qstr();
    return wert.isEmpty() ? gib_katalog_privat().mapi_profil_nuv.gib_wert_qstr() : wert;
}

CQString gib_smtp_beginn_ext()
{
    return oder_smtp_beginn(gib_katalog_varnel().smtp_beginn_ext);
}

CQString gib_smtp_ende()
{
    return oder_smtp_beginn(gib_katalog_varnel().smtp_ende);
}

CQString gib_smtp_ende_ext()
{
    return oder_smtp_beginn(gib_katalog_varnel().smtp_ende_ext);
}

unsigned gib_iq_modus()
{
    return gib_katalog_privat().iq_modus.gib_wert();
}

CQString gib_spartenname(int nummer)
{
    return gib_sparte(nummer);
}

std::map<int, CQString> gib_sparten_liste()
{
    std::map<int, CQString> liste;
    for (int nummer = 0; nummer < anzahl_sparten; ++nummer)
        liste.emplace(nummer, gib_spartenname(nummer));
    return liste;
}

int gib_spartennummer(const CQString& name)
{
    for (const auto& [nummer, sparte] : gib_sparten_liste()) {
        if (QString::compare(sparte, name, Qt::CaseSensitive) == 0)
            return nummer;
    }
    return NICHT_GESETZT;
}
