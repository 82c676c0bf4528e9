#include "katalog.h"
#include "kerneinstellungen.h"

namespace {

// The core's switches, answered from the catalogue's variables (their value, or their default
// while unset). Installed only once the variables exist.
class CKatalogEinstellungen : public CKernEinstellungen
{
public:
    int debug_ausgabe() const override { return allgemein().debug_ausgabe.gib_wert(); }
    int unterdruecke_infos() const override { return allgemein().unterdruecke_infos.gib_wert(); }
    int unterdruecke_warnungen() const override { return allgemein().unterdruecke_warnungen.gib_wert(); }
    int ascii_ausgabe() const override { return allgemein().ascii_ausgabe.gib_wert(); }
    int fehlerdatei() const override { return allgemein().debug_ausgabe_in_fehlerdatei.gib_wert(); }
    std::string dezimaltrennzeichen() const override { return allgemein().dezimaltrennzeichen.gib_wert(); }
    unsigned zeitformat() const override { return gib_katalog_kelmor().zeitformat.gib_wert(); }

    void setze_debug_ausgabe(int wert) override { allgemein().debug_ausgabe.setze_wert(ebool(wert)); }
    void setze_unterdruecke_infos(int wert) override { allgemein().unterdruecke_infos.setze_wert(ebool(wert)); }
    void setze_unterdruecke_warnungen(int wert) override
    {
        allgemein().unterdruecke_warnungen.setze_wert(ebool(wert));
    }
    void setze_ascii_ausgabe(int wert) override { allgemein().ascii_ausgabe.setze_wert(ebool(wert)); }
    void setze_fehlerdatei(int wert) override { allgemein().debug_ausgabe_in_fehlerdatei.setze_wert(ebool(wert)); }

private:
    static CKatalogAllgemein& allgemein() { return gib_katalog_allgemein(); }
    static EBool ebool(int wert) { return static_cast<EBool>(wert); }
};

// Built while globals are built, whichever unit asks first.
const bool katalog_angelegt = (lege_katalog_an(), true);

} // namespace

CKatalogInternationalisierung::CKatalogInternationalisierung()
    : verzeichnis("/Internationalisierung/Verzeichnis", "", "", "")
{
}

CKatalogHtml::CKatalogHtml()
    : pfad_grafiken("/Html/Pfad Grafiken", "", "", ""), url_grafiken("/Html/URL Grafiken", "", "", ""),
      vorlagedatei("/Html/Vorlagedatei", "htmldata.html", "", "")
{
}

CKatalogVarnel::CKatalogVarnel()
    : smtp_beginn("/VARNEL/smtp_beginn", "", "", false), smtp_ende("/VARNEL/smtp_ende", "", "", false),
      smtp_beginn_ext("/VARNEL/smtp_beginn_ext", "", "", false), smtp_ende_ext("/VARNEL/smtp_ende_ext", "", "", false)
{
}

CKatalogInternationalisierung& gib_katalog_internationalisierung()
{
    static CKatalogInternationalisierung* katalog = new CKatalogInternationalisierung;
    return *katalog;
}

CKatalogHtml& gib_katalog_html()
{
    static CKatalogHtml* katalog = new CKatalogHtml;
    return *katalog;
}

CKatalogVarnel& gib_katalog_varnel()
{
    static CKatalogVarnel* katalog = new CKatalogVarnel;
    return *katalog;
}

void lege_katalog_an()
{
    static const bool angelegt = [] {
        lege_steuervar_vorlagen_an();
        gib_katalog_allgemein();
        gib_katalog_internationalisierung();
        gib_katalog_html();
        gib_katalog_kelmor();
        gib_katalog_privat();
        gib_katalog_varnel();
        static CKatalogEinstellungen* einstellungen = new CKatalogEinstellungen;
        setze_kern_einstellungen(einstellungen);
        return true;
    }();
    (void)angelegt;
}
