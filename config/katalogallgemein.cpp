#include "katalog.h"

CKatalogAllgemein::CKatalogAllgemein()
    : ascii_ausgabe("/Allgemein/ASCII-Ausgabe", NEIN, QT_TRANSLATE_NOOP("QObject", "intern"), ""),
      unterdruecke_warnungen("/Allgemein/Unterdruecke Warnungen", NEIN,
                             QT_TRANSLATE_NOOP("QObject", "Ja - alle Warnungen werden unterdrückt"), ""),
      unterdruecke_infos("/Allgemein/Unterdruecke Infos", NEIN,
                         QT_TRANSLATE_NOOP("QObject", "Ja - alle Meldungen werden unterdrückt"), ""),
      debug_ausgabe(
          "/Allgemein/Debug Ausgabe", NEIN,
          QT_TRANSLATE_NOOP("QObject",
                            "Ja - zusätzliche Ausgaben, welche bei der Analyse von Programmfehlern nützlich sind"),
          ""),
      debug_ausgabe_in_fehlerdatei(
          "/Allgemein/Debug Ausgabe in fehler.txt", JA,
          QT_TRANSLATE_NOOP("QObject", "Ja - Fehler beim Programmablauf werden in der Datei fehler.txt im "
                                       "Anwenderverzeichnis protokolliert"),
          ""),
      dezimaltrennzeichen(
          "/Allgemein/Dezimaltrennzeichen", ".",
          QT_TRANSLATE_NOOP("QObject", "internes Dezimaltrennzeichen - wird bei Export- und Import umgesetzt"), ""),
      dezimaltrennzeichen_excel("/Allgemein/Dezimaltrennzeichen Excel", ".",
                                QT_TRANSLATE_NOOP("QObject", "Dezimaltrennzeichen bei Export- und Importfunktionen\n"
                                                             "Komma bei Verwendung der deutschen Excel-Einstellungen\n"
                                                             "Punkt bei Verwendung der englischen Excel-Einstellungen"),
                                ""),
      ausgabeverzeichnis("/Allgemein/Ausgabeverzeichnis", "./", QT_TRANSLATE_NOOP("QObject", "zurzeit ohne Bedeutung"),
                         ""),
      ausgabeverzeichnis_grafik("/Allgemein/Ausgabeverzeichnis Grafik", "./",
                                QT_TRANSLATE_NOOP("QObject", "zurzeit ohne Bedeutung"), ""),
      zusatzdaten("/Allgemein/Zusatzdaten", "flags.txt", QT_TRANSLATE_NOOP("QObject", "intern"), ""),
      fehler_bei_syntaxverletzung("/Allgemein/Fehler bei Syntaxverletzung", JA,
                                  QT_TRANSLATE_NOOP("QObject", "unter TALVOR vermutlich ohne Bedeutung"), ""),
      limit_virtualmem_kb("/Allgemein/limit_virtualmem_kb", 2097152u, "", "")
{
}

CKatalogAllgemein& gib_katalog_allgemein()
{
    static CKatalogAllgemein* katalog = new CKatalogAllgemein;
    return *katalog;
}
