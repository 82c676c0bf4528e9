// Class-registry entries that the widget library registers at start-up, among them the text codec's "CQKrypt".
#pragma once

#include "cbasis.h"

// Built before main (or earlier, on first use) and never destroyed, so that a lookup by name
// (`CKlasse::finde`) finds them for the whole run. Members in registration order.
class CWidgetKlassen
{
public:
    CWidgetKlassen();
    CWidgetKlassen(const CWidgetKlassen&) = delete;
    CWidgetKlassen& operator=(const CWidgetKlassen&) = delete;

    CKlasse ccdatabase;
    CKlasse cdbdaten;
    CKlasse cdbdatenstruktur;
    CKlasse cdbtabelle;
    CKlasse creihe;
    CKlasse cxreihe;
    CKlasse ctablemodell;
    CKlasse ctable;
    CKlasse cqkrypt;
    // The popup choice field and its validator.
    CKlasse cpopupauswahl{"CPopupAuswahl"};
    CKlasse cvalidator{"CValidator"};
};

CWidgetKlassen& gib_widget_klassen();
