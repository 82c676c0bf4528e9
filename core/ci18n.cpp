#include "ci18n.h"
#include "allg.h"
#include "cfehler.h"
#include "clogbase.h"
#include "dateien.h"
#include "klassen.h"
#include "melde.h"

#include <atomic>
#include <cerrno>
#include <vector>

CKlasse* CI18n::klasse = &eintrag_CI18n;

namespace {

std::atomic<CI18n*>& aktuelle_tabelle()
{
    static std::atomic<CI18n*> t{nullptr};
    return t;
}

CI18n* standard_tabelle()
{
    // Built on first use, never deleted: translations may run during start-up and exit.
    static CI18n* t = new CI18n;
    return t;
}

// The default table exists and is current before main, whichever unit translates first.
const bool standard_angelegt = (gib_i18n(), true);

bool ist_oktal(char c) { return c >= '0' && c <= '7'; }

// Reads the file line by line, resolving escapes while reading: a character that ends a numeric
// escape is stored as a plain character even when it is a line feed or a backslash.
class ZeilenLeser
{
public:
    explicit ZeilenLeser(const std::string& d) : daten(d) {}

    bool naechste(std::string& zeile)
    {
        zeile.clear();
        const std::size_t n = daten.size();
        if (i >= n)
            return false;
        while (i < n) {
            const char c = daten[i++];
            if (c == '\n')
                return true;
            if (c != '\\') {
                zeile += c;
                continue;
            }
            if (i >= n) // a backslash as the last byte is dropped and ends the line
                return true;
            escape(daten[i++], zeile);
        }
        return true;
    }

private:
    void escape(char e, std::string& zeile)
    {
        const std::size_t n = daten.size();
        switch (e) {
        case '"': zeile += '"'; return;
        case '\'': zeile += '\''; return;
        case '?': zeile += '?'; return;
        case '\\': zeile += '\\'; return;
        case 'a': zeile += '\a'; return;
        case 'b': zeile += '\b'; return;
        case 'f': zeile += '\f'; return;
        case 'n': zeile += '\n'; return;
        case 'r': zeile += '\r'; return;
        case 't': zeile += '\t'; return;
        case 'v': zeile += '\v'; return;
        case 'x':
        case 'X': {
            unsigned wert = 0;
            bool ziffer = false;
            while (i < n && hexziffer_wert(daten[i]) >= 0) {
                wert = ((wert << 4) | static_cast<unsigned>(hexziffer_wert(daten[i++]))) & 0xFFFu;
                ziffer = true;
            }
            if (!ziffer) {
                // No digit: a single backslash; the character after the x is dropped.
                zeile += '\\';
                if (i < n)
                    ++i;
                return;
            }
            zeile += static_cast<char>(wert & 0xFF);
            if (i < n)
                zeile += daten[i++];
            return;
        }
        default:
            break;
        }
        if (ist_oktal(e)) {
            unsigned wert = static_cast<unsigned>(e - '0');
            for (int k = 0; k < 2 && i < n && ist_oktal(daten[i]); ++k)
                wert = wert * 8 + static_cast<unsigned>(daten[i++] - '0');
            zeile += static_cast<char>(wert & 0xFF);
            if (i < n)
                zeile += daten[i++];
            return;
        }
        throw CFehler(
            0, CI18n::klasse, "BITTE_ERGAENZEN_2",
            uebersetze_(CString(QT_TRANSLATE_NOOP("QObject", "In get_line(): Unknown Escape-Sequence: '\\%1")),
                        CI18n::klasse)
                .arg(CString(std::string(1, e)))
                .gib_string());
    }

    const std::string& daten;
    std::size_t i = 0;
};

bool ist_leerzeile(const std::string& z)
{
    std::size_t i = 0;
    while (i < z.size() && z[i] == ' ')
        ++i;
    return i == z.size() || (i + 1 == z.size() && z[i] == '\r');
}

std::string trimme_zeile(const std::string& z)
{
    std::size_t a = 0;
    while (a < z.size() && z[a] == ' ')
        ++a;
    std::size_t e = z.size();
    while (e > a && (z[e - 1] == ' ' || z[e - 1] == '\r'))
        --e;
    return z.substr(a, e - a);
}

// Text between the quotes when the line starts with `kopf` (ending in a quote) and ends in a quote.
bool zitat_nach(const std::string& z, const std::string& kopf, std::string& text)
{
    if (z.size() < kopf.size() + 1 || z.compare(0, kopf.size(), kopf) != 0 || z.back() != '"')
        return false;
    text = z.substr(kopf.size(), z.size() - kopf.size() - 1);
    return true;
}

bool fortsetzung(const std::string& z, std::string& text)
{
    if (z.empty() || z.front() != '"' || z.back() != '"')
        return false;
    text = z.size() == 1 ? std::string() : z.substr(1, z.size() - 2);
    return true;
}

} // namespace

CUebersetzeInterface::~CUebersetzeInterface() = default;

CI18n::CI18n() = default;
CI18n::~CI18n() = default;

void CI18n::ausgabe(std::ostream&) const {}

std::string CI18n::uebersetze(const std::string& text) const
{
    auto it = tabelle.find(text);
    return it == tabelle.end() ? text : it->second;
}

namespace {

const int warnung = 4;
// A table of the program's texts: a file far larger is none, and is not taken into memory.
constexpr std::size_t groesste_tabelle = 64 * 1024 * 1024;

void melde_unlesbar(CKlasse* klasse, const std::string& name, bool zu_gross)
{
    melde(warnung, klasse, "importiere_uebersetzungen",
          zu_gross ? "File '" + name + "' is larger than " + std::to_string(groesste_tabelle) + " bytes!"
                   : "Cannot open file '" + name + "' for reading!");
}

} // namespace

// A folder, pipe or device of the name, and a read that fails half way, are a file that cannot
// be read: the table stays as it was.
bool CI18n::importiere_uebersetzungen(const std::string& dateiname)
{
    std::string daten;
    if (!lies_datei(dateiname, daten, groesste_tabelle)) {
        melde_unlesbar(klasse, dateiname, errno == EFBIG);
        return false;
    }
    lies_tabelle(daten);
    return true;
}

bool CI18n::importiere_uebersetzungen(QFile& datei, const std::string& name)
{
    const bool zu_gross = datei.size() > static_cast<qint64>(groesste_tabelle);
    const QByteArray daten = zu_gross ? QByteArray() : datei.readAll();
    if (zu_gross || datei.error() != QFileDevice::NoError) {
        melde_unlesbar(klasse, name, zu_gross);
        return false;
    }
    lies_tabelle(daten.toStdString());
    return true;
}

void CI18n::lies_tabelle(const std::string& daten)
{
    enum class Zustand { SucheEintrag, SucheUebersetzung, SammleUebersetzung };
    Zustand zustand = Zustand::SucheEintrag;
    std::string msgid, msgstr, text;
    std::vector<std::string> unverarbeitet;

    // Entries are stored as they are read, so those before a faulty escape stay in the table.
    ZeilenLeser leser(daten);
    std::string roh;
    while (leser.naechste(roh)) {
        if ((!roh.empty() && roh[0] == '#') || ist_leerzeile(roh))
            continue;
        const std::string z = trimme_zeile(roh);
        switch (zustand) {
        case Zustand::SucheEintrag:
            if (zitat_nach(z, "msgid \"", text)) {
                msgid = text;
                zustand = Zustand::SucheUebersetzung;
            } else {
                unverarbeitet.push_back(z);
            }
            break;
        case Zustand::SucheUebersetzung:
            if (fortsetzung(z, text))
                msgid += text;
            else if (zitat_nach(z, "msgstr \"", text)) {
                msgstr = text;
                zustand = Zustand::SammleUebersetzung;
            } else
                unverarbeitet.push_back(z);
            break;
        case Zustand::SammleUebersetzung:
            if (fortsetzung(z, text))
                msgstr += text;
            else if (zitat_nach(z, "msgid \"", text)) {
                tabelle[msgid] = msgstr;
                msgid = text;
                zustand = Zustand::SucheUebersetzung;
            } else
                unverarbeitet.push_back(z);
            break;
        }
    }
    if (zustand == Zustand::SammleUebersetzung)
        tabelle[msgid] = msgstr;
    else if (zustand == Zustand::SucheUebersetzung)
        melde(warnung, klasse, "importiere_uebersetzungen", "No msgstr found for msgid\n" + msgid);

    if (!unverarbeitet.empty()) {
        CLogGruppe& gruppe = gib_log_gruppe();
        gruppe.schreibe_text("Class CI18n, Method \"importiere_uebersetzungen\":", 3, true);
        gruppe.schreibe_text("The following lines could not be processed:", 0, true);
        for (const std::string& z : unverarbeitet)
            gruppe.schreibe_text(z, 0, true);
    }
}

CI18n* gib_i18n()
{
    CI18n* t = aktuelle_tabelle().load();
    if (t)
        return t;
    CI18n* standard = standard_tabelle();
    CI18n* erwartet = nullptr;
    aktuelle_tabelle().compare_exchange_strong(erwartet, standard);
    return aktuelle_tabelle().load();
}

CI18n* setze_i18n(CI18n* tabelle)
{
    gib_i18n();
    return aktuelle_tabelle().exchange(tabelle);
}

CString uebersetze_(const CString& text, CKlasse* const& k)
{
    return uebersetze_(text, CString(k ? k->gib_name() : std::string()));
}

CString uebersetze_(const CString& text, const CString& kontext)
{
    CI18n* tabelle = gib_i18n();
    if (CUebersetzeInterface* u = tabelle->gib_uebersetzer())
        return u->uebersetze(text, CString("uebersetze_") + kontext);
    return CString(tabelle->uebersetze(text.gib_string()));
}
