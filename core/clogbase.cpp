#include "clogbase.h"
#include "html.h"
#include "kerneinstellungen.h"
#include "klassen.h"

#include <iostream>

CKlasse* CLogBase::klasse = &eintrag_CLogBase;

CLogGruppe::CLogGruppe() = default;
CLogGruppe::~CLogGruppe() = default;

bool CLogGruppe::alle_bereit() const
{
    std::lock_guard<std::recursive_mutex> lock(mutex);
    for (CLogBase* z : ziele)
        if (z->ist_angemeldet() && !z->ist_bereit())
            return false;
    return true;
}

void CLogGruppe::einfuegen(CLogBase* ziel)
{
    std::lock_guard<std::recursive_mutex> lock(mutex);
    ziele.insert(ziel);
}

void CLogGruppe::entfernen(CLogBase* ziel)
{
    std::lock_guard<std::recursive_mutex> lock(mutex);
    ziele.erase(ziel);
}

bool CLogGruppe::enthaelt(CLogBase* ziel) const
{
    std::lock_guard<std::recursive_mutex> lock(mutex);
    return ziele.count(ziel) != 0;
}

bool CLogGruppe::leer() const
{
    std::lock_guard<std::recursive_mutex> lock(mutex);
    return ziele.empty();
}

std::vector<CLogBase*> CLogGruppe::kopie() const
{
    std::lock_guard<std::recursive_mutex> lock(mutex);
    return std::vector<CLogBase*>(ziele.begin(), ziele.end());
}

void CLogGruppe::fuer_alle(const std::function<void(CLogBase*)>& f) const
{
    std::lock_guard<std::recursive_mutex> lock(mutex);
    // A target may report (and so re-enter) while it is called: walk a snapshot.
    const std::vector<CLogBase*> liste(ziele.begin(), ziele.end());
    for (CLogBase* z : liste)
        if (z->ist_angemeldet() && ziele.count(z))
            f(z);
}

void CLogGruppe::schreibe_mit(void (CLogBase::*op)(const std::string&, const int&),
                              const std::string& zeile, const int& level) const
{
    if (level == 3 && !ist_debug_ausgabe())
        return;
    fuer_alle([&](CLogBase* z) {
        if (z->kann_html())
            (z->*op)(zeile, level);
    });
}

void CLogGruppe::schreibe(const std::string& zeile, const int& level) const
{
    schreibe_mit(&CLogBase::neue_textzeile, zeile, level);
}

void CLogGruppe::schreibe_2(const std::string& zeile, const int& level) const
{
    schreibe_mit(&CLogBase::neue_textzeile_2, zeile, level);
}

void CLogGruppe::schreibe_3(const std::string& zeile, const int& level) const
{
    schreibe_mit(&CLogBase::neue_textzeile_3, zeile, level);
}

void CLogGruppe::schreibe_text(const std::string& zeile, const int& level, const bool& html) const
{
    std::lock_guard<std::recursive_mutex> lock(mutex);
    if (ziele.empty())
        return;
    if (level == 3 && !ist_debug_ausgabe())
        return;
    fuer_alle([&](CLogBase* z) {
        if (!z->kann_html())
            z->neue_textzeile(zeile, level);
        else if (html) {
            const std::string text = level == 1   ? html_warnung_br(zeile) + "<br>"
                                     : level == 2 ? html_fehler_br(zeile) + "<br>"
                                                  : zeile + "<br>";
            z->neue_textzeile(text, level);
        }
    });
    if (ist_ascii_ausgabe())
        (level == 2 ? std::cerr : std::cout) << zeile << std::endl;
}

CLogGruppe& gib_log_gruppe()
{
    static CLogGruppe* g = new CLogGruppe;
    return *g;
}

CLogGruppe& gib_qlog_ziele()
{
    static CLogGruppe* g = new CLogGruppe;
    return *g;
}

CLogBase::CLogBase()
{
    gib_log_gruppe().einfuegen(this);
}

CLogBase::~CLogBase()
{
    abmelden();
}

void CLogBase::anmelden()
{
    angemeldet = true;
}

void CLogBase::abmelden()
{
    angemeldet = false;
    gib_qlog_ziele().entfernen(this);
    gib_log_gruppe().entfernen(this);
}

void CLogBase::ausgabe(std::ostream&) const {}
void CLogBase::setze_fortschritt(int schritt, int) { setze_fortschritt(schritt); }
void CLogBase::tue_nichts_a() {}
void CLogBase::tue_nichts_b() {}
void CLogBase::neue_textzeile_2(const std::string& text, const int& level) { neue_textzeile(text, level); }
void CLogBase::neue_textzeile_3(const std::string& text, const int& level) { neue_textzeile(text, level); }
bool CLogBase::kann_html() { return true; }
void CLogBase::setTotalSteps(int) {}
void CLogBase::setze_zusatz(int, int) {}
void CLogBase::setze_zurueck() { fehler = warnung = false; }
void CLogBase::setze_fehler() { fehler = true; }
bool CLogBase::ist_ok() { return !fehler; }
void CLogBase::setze_warnung() { warnung = true; }
bool CLogBase::ohne_warnung() { return !warnung; }
void CLogBase::setze_abbruch() { abbruch = true; }
bool CLogBase::ist_abbruch() { return abbruch; }
void CLogBase::setze_fertig() { fertig = true; }

CQLogBase::CQLogBase()
{
    gib_qlog_ziele().einfuegen(this);
}

CQLogBase::~CQLogBase()
{
    abmelden();
}

void CQLogBase::neue_textzeile(const std::string& text, const int& level)
{
    neue_textzeile(string_zu_cqstring(text), level);
}

void CQLogBase::neue_zusatzzeile(const std::string& text) { neue_zusatzzeile(string_zu_cqstring(text)); }
void CQLogBase::neue_titelzeile(const std::string& text) { neue_titelzeile(string_zu_cqstring(text)); }
bool CQLogBase::ist_bereit() { return true; }
bool CQLogBase::ist_abgebrochen() { return abgebrochen; }
void CQLogBase::setze_handle(int h) { handle = h; }
int CQLogBase::gib_handle() { return handle; }
void CQLogBase::setting(int) {}
