#include "steuervarliste.h"
#include "cfehler.h"
#include "ci18n.h"
#include "cvariablebasis.h"
#include "cvariablesteuer.h"
#include "klassen.h"
#include "steuervarnummer.h"

#include <mutex>

namespace {

// Both maps and their lock are built on first use and never torn down: variables of any unit
// register while globals are built and leave while they are destroyed.
struct SListen
{
    std::mutex sperre;
    CSteuerVarListe variablen;
    CSteuerVarVorlagen vorlagen;
};

SListen& listen()
{
    static SListen* l = new SListen;
    return *l;
}

std::string text_basis(const char* text)
{
    return uebersetze_(CString(text), CVariableBasis::klasse).gib_string();
}

} // namespace

CSteuerVarListe* gib_steuervar_liste()
{
    return &listen().variablen;
}

void ergaenze_steuervar(CVariableBasis* variable)
{
    const std::string schluessel = variable->gib_schluessel();
    variable->setze_id(gib_steuervar_nummer(schluessel));
    SListen& l = listen();
    {
        std::lock_guard<std::mutex> lock(l.sperre);
        if (l.variablen.emplace(schluessel, variable).second)
            return;
    }
    throw CFehler(1, klasse_funktion, "ergaenze_steuervar",
                  CString(text_basis(QT_TRANSLATE_NOOP("QObject", "Steuervariable %1 bereits in Liste")))
                      .arg(CString(schluessel))
                      .gib_string());
}

void ergaenze_steuervar_vorlage(const int& nummer, CVariableBasis* vorlage)
{
    SListen& l = listen();
    {
        std::lock_guard<std::mutex> lock(l.sperre);
        if (l.vorlagen.emplace(nummer, vorlage).second)
            return;
    }
    throw CFehler(1, klasse_funktion, "ergaenze_steuervar_vorlage",
                  text_basis(QT_TRANSLATE_NOOP("QObject", "Vorlage wurde bereits aufgenommen")));
}

void entferne_steuervar(const std::string& schluessel, const CVariableBasis* variable)
{
    SListen& l = listen();
    std::lock_guard<std::mutex> lock(l.sperre);
    const auto it = l.variablen.find(schluessel);
    if (it != l.variablen.end() && it->second == variable)
        l.variablen.erase(it);
    for (auto v = l.vorlagen.begin(); v != l.vorlagen.end();) {
        if (v->second == variable)
            v = l.vorlagen.erase(v);
        else
            ++v;
    }
}

CSteuerVarVorlagen* gib_steuervar_vorlagen()
{
    lege_steuervar_vorlagen_an();
    return &listen().vorlagen;
}
