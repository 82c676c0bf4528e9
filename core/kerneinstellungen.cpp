#include "kerneinstellungen.h"
#include "ebool.h"

namespace {

CKernEinstellungen& standard()
{
    static CKernEinstellungen* s = new CKernEinstellungen;
    return *s;
}

std::atomic<CKernEinstellungen*>& aktuell()
{
    static std::atomic<CKernEinstellungen*> a{nullptr};
    return a;
}

// The value of a switch, or its default while it is not set.
int wert_oder(int wert, int vorgabe)
{
    return wert == NICHT_GESETZT ? vorgabe : wert;
}

} // namespace

CKernEinstellungen::~CKernEinstellungen() = default;

int CKernEinstellungen::debug_ausgabe() const { return wert_oder(debug, 0); }
int CKernEinstellungen::unterdruecke_infos() const { return wert_oder(infos, 0); }
int CKernEinstellungen::unterdruecke_warnungen() const { return wert_oder(warnungen, 0); }
int CKernEinstellungen::ascii_ausgabe() const { return wert_oder(ascii, 0); }
int CKernEinstellungen::fehlerdatei() const { return wert_oder(datei, 1); }
std::string CKernEinstellungen::dezimaltrennzeichen() const { return "."; }
unsigned CKernEinstellungen::zeitformat() const { return 0; }

void CKernEinstellungen::setze_debug_ausgabe(int wert) { debug = wert; }
void CKernEinstellungen::setze_unterdruecke_infos(int wert) { infos = wert; }
void CKernEinstellungen::setze_unterdruecke_warnungen(int wert) { warnungen = wert; }
void CKernEinstellungen::setze_ascii_ausgabe(int wert) { ascii = wert; }
void CKernEinstellungen::setze_fehlerdatei(int wert) { datei = wert; }

CKernEinstellungen& kern_einstellungen()
{
    CKernEinstellungen* e = aktuell().load();
    return e ? *e : standard();
}

CKernEinstellungen* setze_kern_einstellungen(CKernEinstellungen* einstellungen)
{
    return aktuell().exchange(einstellungen);
}

bool ist_debug_ausgabe() { return kern_einstellungen().debug_ausgabe() == 1; }
bool ist_infos_unterdrueckt() { return kern_einstellungen().unterdruecke_infos() != 0; }
bool ist_warnungen_unterdrueckt() { return kern_einstellungen().unterdruecke_warnungen() != 0; }
bool ist_ascii_ausgabe() { return kern_einstellungen().ascii_ausgabe() == 1; }
bool ist_fehlerdatei_an() { return kern_einstellungen().fehlerdatei() == 1; }

char gib_dezimaltrennzeichen()
{
    const std::string s = kern_einstellungen().dezimaltrennzeichen();
    return s.empty() ? '\0' : s[0];
}
