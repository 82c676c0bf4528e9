#include "csteuerplausi.h"
#include "klassen.h"

CKlasse* CSteuerPlausi::klasse = &eintrag_CSteuerPlausi;

CSteuerPlausi::CSteuerPlausi(int nummer_, const CVariableBeschr* beschreiber_, int wert1_, int wert2_,
                             const std::string& text_)
    : nummer(nummer_), beschreiber(beschreiber_), wert1(wert1_), wert2(wert2_), text(text_)
{
}

CSteuerPlausi::~CSteuerPlausi() = default;

void CSteuerPlausi::ausgabe(std::ostream& os) const
{
    os << text;
}
