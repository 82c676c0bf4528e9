// The widget library's own settings: the colours of input fields, protocols and tables, and the combo boxes' wheel.
#pragma once

#include "cvariablesteuer.h"
#include "cvariablesteuerfarbe.h"

// Each key is declared here once; windows reach the variable through this object. Built before
// main (or earlier, on first use) and never destroyed. Members in construction order.
class CWidgetEinstellungen
{
public:
    CWidgetEinstellungen();
    CWidgetEinstellungen(const CWidgetEinstellungen&) = delete;
    CWidgetEinstellungen& operator=(const CWidgetEinstellungen&) = delete;

    CVariableSteuerFarbe farbe_nicht_vdn;
    CVariableSteuerFarbe farbe_ptk_fehler;
    CVariableSteuerFarbe farbe_ptk_warnung;
    CVariableSteuerFarbe farbe_pflichteintrag;
    CColor farbe_tab_blau;
    CColor farbe_tab_gelb;
    CColor farbe_tab_grau;
    CColor farbe_tab_gruen;
    CColor farbe_tab_hellgruen;
    CColor farbe_tab_rot;
    CColor farbe_tab_weiss;
    CVariableSteuer<unsigned> mausrad_in_combobox;
};

CWidgetEinstellungen& gib_widget_einstellungen();
