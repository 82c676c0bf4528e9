#include "cqstringsteuer.h"

CQStringSteuer::CQStringSteuer(const CQString& schluessel, const CQString& defaultwert,
                               const CQString& beschreibung, const bool& kennwort)
    : CVariableSteuer<std::string>(schluessel.toStdString(), defaultwert.toStdString(), beschreibung.toStdString(),
                                   std::string()),
      ist_kennwort(kennwort)
{
}

CQStringSteuer::~CQStringSteuer() = default;

CQString CQStringSteuer::gib_wert_qstr() const
{
    return string_zu_cqstring(gib_wert());
}

void CQStringSteuer::setze_wert_qstr(const CQString& wert)
{
    CVariableSteuer<std::string>::setze_wert(qstring_zu_string(wert));
}

bool CQStringSteuer::gib_merker_oder(const bool& sonst) const
{
    return gib_merker() || sonst;
}
