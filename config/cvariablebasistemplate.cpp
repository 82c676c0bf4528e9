#include "cvariablebasistemplate.h"
#include "allg.h"
#include "cfehler.h"
#include "ci18n.h"
#include "klassen.h"
#include "werttext.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>


template <typename T>
CKlasse* CVariableBasisTemplate<T>::klasse = &eintrag_CVariableBasisTemplate;

namespace {

template <typename T>
constexpr bool ist_ganzzahl = std::is_same_v<T, int> || std::is_same_v<T, unsigned>;

CString uebersetzt(const char* text)
{
    return uebersetze_(CString(text), &eintrag_CVariableBasisTemplate);
}

[[noreturn]] void eingabefehler(const CString& text)
{
    throw CFehler(3, klasse_funktion, "setze_wert_str", text.gib_string());
}

// Values in messages: unsigned values print as unsigned.
void fuege_ein(CString& text, const int& wert)
{
    text.arg(wert);
}

void fuege_ein(CString& text, const unsigned& wert)
{
    text.arg(CString(itoa(wert, 0)));
}

void fuege_ein(CString& text, const double& wert)
{
    text.arg(wert);
}

void fuege_ein(CString& text, const std::string& wert)
{
    text.arg(CString(wert));
}

void fuege_ein(CString& text, const EBool& wert)
{
    text.arg(wert);
}

// "Wert <eingabe> ist zu klein/gross - Unter-/Obergrenze = <grenze>".
template <typename T>
[[noreturn]] void grenzfehler(const char* text, const std::string& eingabe, const T& grenze)
{
    CString meldung = uebersetzt(text);
    meldung.arg(CString(eingabe));
    fuege_ein(meldung, grenze);
    eingabefehler(meldung);
}

const char* const zu_klein = "Wert %1 ist zu klein - Untergrenze = %2";
const char* const zu_gross = "Wert %1 ist zu gross - Obergrenze = %2";

template <typename T>
bool ist_undefiniert_ungefaehr(const T& wert)
{
    if constexpr (std::is_same_v<T, double>)
        return std::fabs(wert - undefinierter_wert<double>()) < 0.001;
    else
        return ist_undefinierter_wert(wert);
}

// Whole number of a product of a value and a unit factor, as `gib_wert_str_einheit` prints it.
std::string produkt_text(const int& wert, double faktor)
{
    return itoa(runde(wert * faktor), 0);
}

std::string produkt_text(const unsigned& wert, double faktor)
{
    const double x = wert * faktor + 0.5;
    if (x >= static_cast<double>(std::numeric_limits<unsigned>::max()))
        return itoa(std::numeric_limits<unsigned>::max(), 0);
    return itoa(x <= 0.0 ? 0u : static_cast<unsigned>(x), 0);
}

// Cuts a UTF-8 text to at most `laenge` bytes without splitting a character.
std::string kuerze_utf8(const std::string& text, int laenge)
{
    if (laenge <= 0 || text.size() <= static_cast<std::size_t>(laenge))
        return text;
    std::size_t ende = laenge;
    while (ende > 0 && (static_cast<unsigned char>(text[ende]) & 0xC0) == 0x80)
        --ende;
    return text.substr(0, ende);
}

// Reads the text as T; refused texts raise the input error with their own message.
template <typename T>
T lies_oder_wirf(const std::string& text)
{
    T wert{};
    switch (lies_zahl(text, wert)) {
    case ELesen::OK:
        return wert;
    case ELesen::UNGUELTIG:
        if constexpr (std::is_same_v<T, double>)
            eingabefehler(uebersetzt(QT_TRANSLATE_NOOP("QObject", "Buchstabe bei Umwandlung von string in double: %1"))
                              .arg(CString(text)));
        else
            eingabefehler(uebersetzt(QT_TRANSLATE_NOOP("QObject", "Fehler bei Umwandlung von String in int: "))
                          + CString(text));
    case ELesen::ZU_GROSS:
        grenzfehler(zu_gross, text, std::numeric_limits<T>::max());
    case ELesen::ZU_KLEIN:
        if constexpr (std::is_same_v<T, unsigned>)
            eingabefehler(
                uebersetzt(QT_TRANSLATE_NOOP("QObject", "Wert %1 darf nicht negativ sein")).arg(CString(text)));
        else
            grenzfehler(zu_klein, text, std::numeric_limits<T>::lowest());
    }
    return wert;
}

EBool lies_ebool(const std::string& text)
{
    const std::string gross = in_grossbuchstaben(text);
    if (gross == "JA" || gross == "TRUE" || text == "1")
        return JA;
    if (gross == "NEIN" || gross == "FALSE" || text == "0")
        return NEIN;
    if (text.empty())
        return EBOOL_UNDEFINIERT;
    eingabefehler(uebersetzt(QT_TRANSLATE_NOOP("QObject", "%1 ist unzulaessiger Wert fuer boolsche Variable"))
                      .arg(CString(text)));
}

} // namespace

template <typename T>
CVariableBasisTemplate<T>::CVariableBasisTemplate(CVariableBeschr* beschreibung_) : CVariableBasis(beschreibung_)
{
}

template <typename T>
CVariableBasisTemplate<T>::~CVariableBasisTemplate() = default;

template <typename T>
const CVariableBeschrTemplate<T>* CVariableBasisTemplate<T>::typ_beschreiber() const
{
    return dynamic_cast<const CVariableBeschrTemplate<T>*>(beschreibung);
}

template <typename T>
bool CVariableBasisTemplate<T>::reserviert_3() const
{
    return true;
}

template <typename T>
std::string CVariableBasisTemplate<T>::wert_text(const T& wert) const
{
    const CCodeTabelle* tabelle = beschreibung->gib_codetabelle();
    if constexpr (std::is_same_v<T, std::string>) {
        return tabelle && !wert.empty() ? tabelle->gib_text(wert) : wert;
    } else if constexpr (std::is_same_v<T, double>) {
        double x = wert;
        const double faktor = beschreibung->gib_einheitenfaktor();
        if (faktor != 1.0)
            x *= faktor;
        if (beschreibung->gib_nachkommastellen() < 1)
            return trimme(itoa(runde(x), 0), true, true, ' ');
        return double_text(*beschreibung, x, 1, 0);
    } else if constexpr (std::is_same_v<T, EBool>) {
        return ja_nein(wert);
    } else {
        return tabelle ? tabelle->gib_text(ganzzahl_text(wert)) : itoa(wert, 0);
    }
}

template <typename T>
std::string CVariableBasisTemplate<T>::gib_wert_str(const int&) const
{
    if (ist_undefiniert(false, false))
        return std::string();
    return wert_text(gib_wert());
}

template <typename T>
std::string CVariableBasisTemplate<T>::gib_anzeige_str(const int& zeile, const int& breite) const
{
    const std::string undefiniert = "---";
    if constexpr (std::is_same_v<T, double>) {
        const double wert = gib_wert();
        if (wert == undefinierter_wert<double>())
            return undefiniert;
        const int d = beschreibung->gib_anzeigestellen();
        if (d <= 0)
            return trimme(itoa(runde(wert * beschreibung->gib_einheitenfaktor()), 0), true, true, ' ');
        return anzeige_text(wert * beschreibung->gib_einheitenfaktor(), d, breite);
    } else if constexpr (std::is_same_v<T, std::string>) {
        return gib_wert().empty() ? undefiniert : gib_wert_str(zeile);
    } else if constexpr (std::is_same_v<T, EBool>) {
        return ist_undefiniert(false, false) ? undefiniert : ja_nein(gib_wert(), klasse);
    } else {
        return ist_undefiniert(false, false) ? undefiniert : gib_wert_str(zeile);
    }
}

template <typename T>
std::string CVariableBasisTemplate<T>::gib_defaultwert_str(const int&) const
{
    const CVariableBeschrTemplate<T>* b = typ_beschreiber();
    return b && b->hat_vorgabe() ? wert_text(b->gib_vorgabe()) : std::string();
}

template <typename T>
std::string CVariableBasisTemplate<T>::gib_wert_str_einheit(const int& zeile, const EEinheit& einheit,
                                                          const bool& feste_stellen) const
{
    if constexpr (std::is_same_v<T, std::string> || std::is_same_v<T, EBool>) {
        return gib_wert_str_roh(zeile, feste_stellen);
    } else {
        if (ist_undefiniert(false, false))
            return std::string();
        const double faktor = umrechnungsfaktor(beschreibung->gib_einheit(), einheit, true);
        if constexpr (std::is_same_v<T, double>)
            return double_text(*beschreibung, gib_wert() * faktor, feste_stellen ? 1 : 2, feste_stellen ? 0 : 1);
        else
            return produkt_text(gib_wert(), faktor);
    }
}

template <typename T>
std::string CVariableBasisTemplate<T>::gib_wert_str_roh(const int&, const bool& feste_stellen) const
{
    if (ist_undefiniert(false, false))
        return std::string();
    if constexpr (std::is_same_v<T, double>)
        return double_text(*beschreibung, gib_wert(), feste_stellen ? 1 : 2, feste_stellen ? 0 : 1);
    else if constexpr (std::is_same_v<T, std::string>)
        return gib_wert();
    else if constexpr (std::is_same_v<T, EBool>)
        return ja_nein(gib_wert(), klasse);
    else
        return itoa(gib_wert(), 0);
}

template <typename T>
std::string CVariableBasisTemplate<T>::gib_aktuellen_wert_str() const
{
    const T& wert = gib_aktuellen_wert();
    if constexpr (std::is_same_v<T, double>)
        return double_text(*beschreibung, wert, 2, 1);
    else if constexpr (std::is_same_v<T, std::string>)
        return wert;
    else if constexpr (std::is_same_v<T, EBool>)
        return ja_nein(wert, klasse);
    else
        return ganzzahl_text(wert);
}

template <typename T>
std::string CVariableBasisTemplate<T>::reserviert_6(const int&) const
{
    return std::string();
}

template <typename T>
std::string CVariableBasisTemplate<T>::gib_db_string() const
{
    const T& wert = gib_aktuellen_wert();
    const std::string null = "NULL";
    if constexpr (std::is_same_v<T, double>) {
        return ist_undefinierter_wert(wert) || !std::isfinite(wert) ? null : db_double_text(wert);
    } else if constexpr (std::is_same_v<T, std::string>) {
        if (wert.empty())
            return null;
        const int laenge = beschreibung->gib_textlaenge();
        return "\"" + maskiere(kuerze_utf8(wert, laenge), laenge) + "\"";
    } else if constexpr (std::is_same_v<T, EBool>) {
        if (wert == NEIN || wert == JA)
            return ganzzahl_text(wert);
        if (ist_undefinierter_wert(wert))
            return null;
        throw CFehler(
            1, klasse_funktion, "gib_db_string",
            uebersetzt(QT_TRANSLATE_NOOP("QObject", "unbekannter Typ %1")).arg(static_cast<int>(wert)).gib_string());
    } else {
        return ist_undefinierter_wert(wert) ? null : ganzzahl_text(wert);
    }
}

template <typename T>
std::string CVariableBasisTemplate<T>::gib_db_typ() const
{
    return beschreibung->gib_db_typ();
}

template <typename T>
void CVariableBasisTemplate<T>::setze_wert_str(const std::string& text, const bool& pruefen)
{
    if constexpr (std::is_same_v<T, std::string>) {
        setze_wert(text);
    } else if constexpr (std::is_same_v<T, EBool>) {
        setze_wert(lies_ebool(text));
    } else {
        // The empty text means "no value"; it is not compared with any bound.
        if (text.empty()) {
            setze_wert(undefinierter_wert<T>());
            return;
        }
        const T wert = lies_oder_wirf<T>(text);
        if (!pruefen) {
            setze_wert(wert);
            return;
        }
        if constexpr (std::is_same_v<T, double>) {
            if (ist_gleich(gib_wert(), wert, 0.001, 0.0))
                return;
        }
        const CVariableBeschrTemplate<T>* b = typ_beschreiber();
        if (b) {
            const T& unten = b->gib_zulaessig_unten();
            const T& oben = b->gib_zulaessig_oben();
            if (!ist_undefinierter_wert(unten) && wert < unten)
                grenzfehler(zu_klein, text, unten);
            if (!ist_undefinierter_wert(oben) && wert > oben)
                grenzfehler(zu_gross, text, oben);
        }
        setze_wert(wert);
    }
}

template <typename T>
bool CVariableBasisTemplate<T>::kopiere_wert_von(const CVariableBasis& quelle)
{
    const auto* q = dynamic_cast<const CVariableBasisTemplate<T>*>(&quelle);
    if (!q)
        return false;
    if (q->ist_undefiniert(false, false))
        setze_undefiniert();
    else
        setze_wert(q->gib_wert());
    return true;
}

template <typename T>
bool CVariableBasisTemplate<T>::ist_undefiniert(const bool& nur_wert, const bool& ohne_pruefung) const
{
    if (!ohne_pruefung && reserviert_1())
        return true;
    return ist_undefiniert_ungefaehr(nur_wert ? gib_aktuellen_wert() : gib_wert());
}

template <typename T>
bool CVariableBasisTemplate<T>::ist_leer() const
{
    if (!ist_undefiniert(false, false))
        return false;
    return gib_beschr_attribut() == 0 || ist_undefinierter_wert(gib_wert_kopie());
}

template <typename T>
void CVariableBasisTemplate<T>::setze_undefiniert()
{
    setze_wert(undefinierter_wert<T>());
}

template <typename T>
int CVariableBasisTemplate<T>::pruefe_wert(CPruefMeldungen& meldungen, const int& modus) const
{
    const int pflicht = CVariableBasis::pruefe_wert(meldungen, modus);
    if (pflicht > 2)
        return pflicht;
    const CVariableBeschrTemplate<T>* b = typ_beschreiber();
    if (!b || b->gib_art() == 0 || ist_leer())
        return 0;
    const T v = gib_wert_kopie();
    const double toleranz = 0.01;
    auto vorhanden = [](const T& grenze) { return !ist_undefinierter_wert(grenze); };
    auto erfasse = [&](int code, const char* text, const T& unten, const T& oben) {
        CString meldung = uebersetzt(text);
        fuege_ein(meldung, v);
        meldung.arg(CString(b->gib_name()));
        for (const T* grenze : {&unten, &oben}) {
            if (vorhanden(*grenze))
                fuege_ein(meldung, *grenze);
            else
                meldung.arg(uebersetzt(QT_TRANSLATE_NOOP("QObject", "unbegrenzt")));
        }
        meldungen.push_back(CPruefMeldung{code, meldung.gib_string(), nullptr});
        return code;
    };
    const T& zu = b->gib_zulaessig_unten();
    const T& zo = b->gib_zulaessig_oben();
    const T& pu = b->gib_plausibel_unten();
    const T& po = b->gib_plausibel_oben();
    if (vorhanden(zu) && v < zu && !b->ist_wert_gleich(v, zu, toleranz))
        return erfasse(3, "Wert %1 der Variablen %2 liegt unterhalb des zulässigen Wertebereichs (%3 - %4)", zu, zo);
    if (vorhanden(zo) && zo < v && !b->ist_wert_gleich(v, zo, toleranz))
        return erfasse(3, "Wert %1 der Variablen %2 liegt oberhalb des zulässigen Wertebereichs (%3 - %4)", zu, zo);
    if (vorhanden(pu) && v < pu && !b->ist_wert_gleich(v, pu, toleranz))
        return erfasse(2, "Wert %1 der Variablen %2 liegt unterhalb des plausiblen Wertebereichs (%3 - %4)", pu, po);
    if (vorhanden(po) && po < v && !b->ist_wert_gleich(v, po, toleranz))
        return erfasse(2, "Wert %1 der Variablen %2 liegt oberhalb des plausiblen Wertebereichs (%3 - %4)", pu, po);
    return 0;
}

template <typename T>
void CVariableBasisTemplate<T>::setze_auf_default()
{
    const CVariableBeschrTemplate<T>* b = typ_beschreiber();
    if (b && b->hat_vorgabe())
        setze_wert(b->gib_vorgabe());
}

template <typename T>
bool CVariableBasisTemplate<T>::hat_vorgabe() const
{
    const CVariableBeschrTemplate<T>* b = typ_beschreiber();
    return b && b->hat_vorgabe();
}

template <typename T>
bool CVariableBasisTemplate<T>::reserviert_30() const
{
    return reserviert_1();
}

template <typename T>
bool CVariableBasisTemplate<T>::uebernimm_wert(const CVariableBasis& quelle)
{
    const auto* q = dynamic_cast<const CVariableBasisTemplate<T>*>(&quelle);
    if (!q || ist_undefinierter_wert(q->gib_aktuellen_wert()))
        return false;
    setze_wert(q->gib_aktuellen_wert());
    return true;
}

template <typename T>
bool CVariableBasisTemplate<T>::uebernimm_wert_bedingt(const CVariableBasis& quelle, const bool& undefiniert_lassen)
{
    const auto* q = dynamic_cast<const CVariableBasisTemplate<T>*>(&quelle);
    if (!q)
        return false;
    const T w = q->gib_aktuellen_wert();
    if (ist_undefinierter_wert(w)) {
        if (undefiniert_lassen)
            return false;
        setze_undefiniert();
        return true;
    }
    const CVariableBeschrTemplate<T>* b = typ_beschreiber();
    if (b && b->ist_wert_gleich(gib_aktuellen_wert(), w, 0.01))
        return false;
    setze_wert(w);
    return true;
}

template <typename T>
bool CVariableBasisTemplate<T>::hat_gleichen_wert(const CVariableBasis& quelle, const double& toleranz) const
{
    const auto* q = dynamic_cast<const CVariableBasisTemplate<T>*>(&quelle);
    if (!q)
        return false;
    if constexpr (std::is_same_v<T, double>)
        return ist_gleich(q->gib_wert(), gib_wert(), toleranz, 0.0);
    else
        return q->gib_wert() == gib_wert();
}

template <typename T>
int CVariableBasisTemplate<T>::gib_beschr_attribut() const
{
    const CVariableBeschrTemplate<T>* b = typ_beschreiber();
    return b ? b->gib_attribut() : 0;
}

template <typename T>
int CVariableBasisTemplate<T>::gib_wert_int() const
{
    const T& wert = gib_aktuellen_wert();
    if constexpr (std::is_same_v<T, double>) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &wert, sizeof bits);
        return static_cast<int>(static_cast<std::uint32_t>(bits) + static_cast<std::uint32_t>(bits >> 32));
    } else if constexpr (std::is_same_v<T, std::string>) {
        int summe = 0;
        for (char c : wert)
            summe += static_cast<signed char>(c);
        return summe;
    } else {
        return static_cast<int>(wert);
    }
}

template <typename T>
T CVariableBasisTemplate<T>::gib_wert_kopie() const
{
    return gib_wert();
}

template class CVariableBasisTemplate<int>;
template class CVariableBasisTemplate<unsigned>;
template class CVariableBasisTemplate<double>;
template class CVariableBasisTemplate<std::string>;
template class CVariableBasisTemplate<EBool>;
