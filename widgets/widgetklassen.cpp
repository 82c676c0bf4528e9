#include "widgetklassen.h"

namespace {

// Registered while globals are built, whichever unit asks first.
const bool angelegt = (gib_widget_klassen(), true);

} // namespace

CWidgetKlassen::CWidgetKlassen()
    : ccdatabase("CCDataBase"), cdbdaten("CDBDaten"), cdbdatenstruktur("CDBDatenstruktur"),
      cdbtabelle("CDBTabelle"), creihe("CReihe"), cxreihe("CxReihe"), ctablemodell("CTableModell"),
      ctable("CTable"), cqkrypt("CQKrypt")
{
}

CWidgetKlassen& gib_widget_klassen()
{
    static CWidgetKlassen* klassen = new CWidgetKlassen;
    return *klassen;
}
