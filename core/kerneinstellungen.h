// Settings the framework core reads, behind one accessor that the settings catalogue binds.
#pragma once

#include <atomic>
#include <string>

// The core reads its switches through this object. The base keeps the catalogue's defaults
// (so the core works before and without the catalogue) and answers like the variables do: a
// switch set to 99999999 (not set) gives its default. The settings catalogue installs a
// subclass that reads and writes the real configuration variables.
class CKernEinstellungen
{
public:
    virtual ~CKernEinstellungen();

    // EBool values: 1 yes, 0 no, 99999999 not set.
    virtual int debug_ausgabe() const;          // "/Allgemein/Debug Ausgabe"
    virtual int unterdruecke_infos() const;     // "/Allgemein/Unterdruecke Infos"
    virtual int unterdruecke_warnungen() const; // "/Allgemein/Unterdruecke Warnungen"
    virtual int ascii_ausgabe() const;          // "/Allgemein/ASCII-Ausgabe"
    virtual int fehlerdatei() const;            // "/Allgemein/Debug Ausgabe in fehler.txt"
    virtual std::string dezimaltrennzeichen() const; // "/Allgemein/Dezimaltrennzeichen"
    virtual unsigned zeitformat() const;        // "/Kelmor/Zeitformat"

    virtual void setze_debug_ausgabe(int wert);
    virtual void setze_unterdruecke_infos(int wert);
    virtual void setze_unterdruecke_warnungen(int wert);
    virtual void setze_ascii_ausgabe(int wert);
    virtual void setze_fehlerdatei(int wert);

private:
    std::atomic<int> debug{0};
    std::atomic<int> infos{0};
    std::atomic<int> warnungen{0};
    std::atomic<int> ascii{0};
    std::atomic<int> datei{1};
};

// The accessor in force; the defaults until `setze_kern_einstellungen` installs another.
CKernEinstellungen& kern_einstellungen();
// Installs the accessor (not owned; it must live while installed) and returns the one it
// replaces, so that a caller can put that back. Null installs the defaults.
CKernEinstellungen* setze_kern_einstellungen(CKernEinstellungen* einstellungen);

// Switch readers of the message functions.
bool ist_debug_ausgabe();
bool ist_infos_unterdrueckt();
bool ist_warnungen_unterdrueckt();
bool ist_ascii_ausgabe();
bool ist_fehlerdatei_an();
char gib_dezimaltrennzeichen();
