#include "widgeteinstellungen.h"

namespace {

// Registered while globals are built, whichever unit asks first.
const bool angelegt = (gib_widget_einstellungen(), true);

} // namespace

CWidgetEinstellungen::CWidgetEinstellungen()
    : farbe_nicht_vdn(
        CQString("/Privat/Farbe_nichtVDN"), 187, 238, 239,
        CQString(QT_TRANSLATE_NOOP(
            "QObject", "Einfärbung des Hintergrundes, für Datenfelder welche nicht zum FNN Format gehören"))),
      farbe_ptk_fehler(CQString("/Privat/Farbe_ptkFehler"), 255, 0, 1,
                       CQString(QT_TRANSLATE_NOOP("QObject", "Schriftfarbe Protokoll bei Fehlern"))),
      farbe_ptk_warnung(CQString("/Privat/Farbe_ptkWarnung"), 128, 0, 241,
                        CQString(QT_TRANSLATE_NOOP("QObject", "Schriftfarbe Protokoll bei Warnungen"))),
      farbe_pflichteintrag(
          CQString("/Privat/Farbe_Pflichteintrag"), 250, 200, 201,
          CQString(QT_TRANSLATE_NOOP("QObject", "Einfärbung des Hintergrundes, bei fehlendem Pflichteintrag"))),
      farbe_tab_blau(CQString("/Privat/Farbe_Tab_blau"), 228, 238, 255, CQString(QT_TRANSLATE_NOOP("QObject", "blau"))),
      farbe_tab_gelb(CQString("/Privat/Farbe_Tab_gelb"), 255, 255, 224, CQString(QT_TRANSLATE_NOOP("QObject", "gelb"))),
      farbe_tab_grau(CQString("/Privat/Farbe_Tab_grau"), 224, 224, 224, CQString(QT_TRANSLATE_NOOP("QObject", "grau"))),
      farbe_tab_gruen(CQString("/Privat/Farbe_Tab_gruen"), 187, 221, 0,
                      CQString(QT_TRANSLATE_NOOP("QObject", "gruen"))),
      farbe_tab_hellgruen(CQString("/Privat/Farbe_Tab_hellgruen"), 204, 255, 204,
                          CQString(QT_TRANSLATE_NOOP("QObject", "hellgruen"))),
      farbe_tab_rot(CQString("/Privat/Farbe_Tab_rot"), 255, 211, 211, CQString(QT_TRANSLATE_NOOP("QObject", "rot"))),
      farbe_tab_weiss(CQString("/Privat/Farbe_Tab_weiss"), 255, 255, 255,
                      CQString(QT_TRANSLATE_NOOP("QObject", "weiss"))),
      mausrad_in_combobox("/Privat/Mausrad_in_Combobox", 1u,
                          QT_TRANSLATE_NOOP("QObject", "Reaktion auf Mausrad in Comboboxen"), "")
{
}

CWidgetEinstellungen& gib_widget_einstellungen()
{
    static CWidgetEinstellungen* einstellungen = new CWidgetEinstellungen;
    return *einstellungen;
}
