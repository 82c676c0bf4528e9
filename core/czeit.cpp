#include "czeit.h"
#include "allg.h"
#include "cfehler.h"
#include "ci18n.h"
#include "kerneinstellungen.h"
#include "klassen.h"

#include <QCoreApplication>
#include <QDateTime>
#include <ctime>

CKlasse* CZeit::klasse = &eintrag_CZeit;
CKlasse* CZeitVDN::klasse = &eintrag_CZeitVDN;

namespace {

std::tm lokale_zeit_jetzt()
{
    const std::time_t jetzt = std::time(nullptr);
    std::tm t{};
    localtime_r(&jetzt, &t);
    return t;
}

// Year to second of a broken-down time into the fields of the same names.
template <class Zeitwert>
void uebernimm_felder(Zeitwert& wert, const std::tm& t)
{
    wert.jahr = t.tm_year + 1900;
    wert.monat = t.tm_mon + 1;
    wert.tag = t.tm_mday;
    wert.stunde = t.tm_hour;
    wert.minute = t.tm_min;
    wert.sekunde = t.tm_sec;
}

// What printf makes of "%0<breite>ld" (fill '0') or "%<breite>ld" (fill ' ').
std::string feld(long long wert, int breite, char fuell)
{
    const std::string vorzeichen = wert < 0 ? "-" : "";
    const std::string ziffern = std::to_string(wert < 0 ? -wert : wert);
    const int fehlend = breite - static_cast<int>(vorzeichen.size() + ziffern.size());
    if (fehlend <= 0)
        return vorzeichen + ziffern;
    if (fuell == '0')
        return vorzeichen + std::string(fehlend, '0') + ziffern;
    return std::string(fehlend, ' ') + vorzeichen + ziffern;
}

// Two zero-filled digits, or "00" when the value lies outside the range.
std::string zwei_ziffern(int wert, int bis)
{
    return itoa_nullen(wert >= 0 && wert <= bis ? wert : 0, 2);
}

// A "0" in front of a value below 10 when asked.
std::string mit_null(int wert, bool nullen)
{
    return (nullen && wert < 10 ? "0" : "") + itoa(wert, 0);
}

// The texts of this file, in the translation context "CZeitVDN" (a class of its own, so that
// lupdate sees the context too).
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(CZeitVDN)
};

// Start positions of the fields in one layout (-1: the layout has no such field). Day, month,
// hour, minute and second have two digits, the millisecond three.
struct Layout
{
    int tag, monat, jahr, jahrstellen, stunde, minute, sekunde, milli;
    bool zweistelliges_jahr;
};

const Layout* layout_fuer(const std::string& text)
{
    static const Layout l8{0, 3, 6, 2, -1, -1, -1, -1, true};
    static const Layout l10_punkt{0, 3, 6, 4, -1, -1, -1, -1, false};
    static const Layout l10{0, 2, 4, 2, 6, 8, -1, -1, true};
    static const Layout l14{0, 3, 6, 2, 9, 12, -1, -1, true};
    static const Layout l16{0, 3, 6, 4, 11, 14, -1, -1, false};
    static const Layout l17{0, 3, 6, 2, 9, 12, 15, -1, true};
    static const Layout l19{0, 3, 6, 4, 11, 14, 17, -1, false};
    static const Layout l21{0, 3, 6, 2, 9, 12, 15, 18, true};
    static const Layout iso{8, 5, 0, 4, 11, 14, 17, 20, false};
    static const Layout l23{0, 3, 6, 4, 11, 14, 17, 20, false};
    switch (text.size()) {
    case 8: return &l8;
    case 10: return text[2] == '.' ? &l10_punkt : &l10;
    case 14: return &l14;
    case 16: return &l16;
    case 17: return &l17;
    case 19: return &l19;
    case 21: return &l21;
    case 23: return text[10] == 'T' ? &iso : &l23;
    case 24: return &iso;
    default: return nullptr;
    }
}

int lies_feld(const std::string& text, int start, int laenge)
{
    if (start < 0)
        return 0;
    const std::string teil = text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(laenge));
    // Date and time fields hold digits: a sign would give a value that no layout can write back,
    // so such a field is no number, like one with a letter.
    if (teil.find_first_of("+-") != std::string::npos) {
        warne_keine_ganzzahl(teil);
        return 0;
    }
    return zahl_ab_position(teil, 0);
}

} // namespace

CZeit::CZeit() = default;
CZeit::~CZeit() = default;

void CZeit::setze_jetzt()
{
    const std::tm t = lokale_zeit_jetzt();
    uebernimm_felder(*this, t);
    wochentag = t.tm_wday + 1;
    tag_im_jahr = t.tm_yday + 1;
}

std::string& CZeit::gib_text(std::string& text, int form) const
{
    const std::string datum = feld(tag, 2, '0') + "." + feld(monat, 2, '0') + "." + feld(jahr, 4, ' ');
    const std::string zeit = feld(stunde, 2, '0') + ":" + feld(minute, 2, '0') + ":" + feld(sekunde, 2, '0');
    switch (form) {
    case 0:
        text = datum;
        break;
    case 1:
        text = zeit;
        break;
    case 4:
        text = itoa_nullen(jahr >= 0 && jahr <= 9999 ? jahr : 0, 4) + "-" + zwei_ziffern(monat, 12) + "-"
               + zwei_ziffern(tag, 31) + " " + zwei_ziffern(stunde, 23) + ":" + zwei_ziffern(minute, 59) + ":"
               + zwei_ziffern(sekunde, 59);
        break;
    default:
        text = datum + " - " + zeit;
        break;
    }
    return text;
}

void CZeit::ausgabe(std::ostream& os) const
{
    if (jahr != 0)
        os << uebersetze_(CString(QT_TRANSLATE_NOOP("QObject", "Jahr: ")), CObjekt::klasse) << jahr << "   ";
    os << uebersetze_(CString(QT_TRANSLATE_NOOP("QObject", "Zeit: ")), CObjekt::klasse) << stunde << " : " << minute
       << " : " << sekunde;
}

CZeitVDN::CZeitVDN() = default;

CZeitVDN::CZeitVDN(const CZeitVDN& other)
    : CObjekt(other), tag(other.tag), monat(other.monat), jahr(other.jahr), stunde(other.stunde),
      minute(other.minute), sekunde(other.sekunde), millisekunde(other.millisekunde)
{
}

CZeitVDN::CZeitVDN(const CQString& text)
{
    setze_text(qstring_zu_string(text));
}

CZeitVDN::~CZeitVDN() = default;

CZeitVDN& CZeitVDN::operator=(const CZeitVDN& other)
{
    tag = other.tag;
    monat = other.monat;
    jahr = other.jahr;
    stunde = other.stunde;
    minute = other.minute;
    sekunde = other.sekunde;
    millisekunde = other.millisekunde;
    return *this;
}

void CZeitVDN::setze_jetzt()
{
    uebernimm_felder(*this, lokale_zeit_jetzt());
    millisekunde = 0;
}

void CZeitVDN::setze_text(const std::string& text)
{
    const Layout* l = layout_fuer(text);
    if (!l) {
        const QString layouts =
            Text::tr("8[dd.MM.yy], 10[ddMMyyhhmm], 14[dd.MM.yy hh:mm], 16[dd.MM.yyyy hh:mm], 17[dd.MM.yy hh:mm:ss]")
            + QLatin1String(", ") + Text::tr("19[dd.MM.yyyy hh:mm:ss]") + QLatin1String(", ")
            + Text::tr("23[02.01.2004 09:25:56.678]") + QLatin1String(", ") + Text::tr("23[yyyy-MM-ddThh:mm:ss.uuu]")
            + QLatin1String(" ") + Text::tr("24[yyyy-MM-ddThh:mm:ss.uuuZ]");
        throw CQFehler(3, klasse, CQString("CZeitVDN"),
                       CQString(Text::tr("Zeitstring muss %1 Zeichen enthalten").arg(layouts, 0, QLatin1Char(' '))));
    }
    CZeitVDN wert;
    wert.tag = lies_feld(text, l->tag, 2);
    wert.monat = lies_feld(text, l->monat, 2);
    wert.jahr = lies_feld(text, l->jahr, l->jahrstellen);
    wert.stunde = lies_feld(text, l->stunde, 2);
    wert.minute = lies_feld(text, l->minute, 2);
    wert.sekunde = lies_feld(text, l->sekunde, 2);
    if (kern_einstellungen().zeitformat() == 2)
        wert.millisekunde = lies_feld(text, l->milli, 3);
    if (l->zweistelliges_jahr && wert.jahr < 100)
        wert.jahr += wert.jahr < 50 ? 2000 : 1900;
    if (text.size() == 24 && text[23] == 'Z')
        wert.zu_qdatetime();
    *this = wert;
}

bool CZeitVDN::zu_qdatetime()
{
    const QDate datum(jahr, monat, tag);
    const QTime zeit(stunde, minute, sekunde, millisekunde);
    // QDateTime takes an impossible time on a valid day for midnight: both are checked here.
    if (!datum.isValid() || !zeit.isValid())
        return false;
    const QDateTime utc(datum, zeit, Qt::UTC);
    if (!utc.isValid())
        return false;
    // The C library asks the zone database for every year it knows; Qt 5's toLocalTime() gives
    // a time before 1970 the rules of 1970, which lose the summer times of earlier years.
    const std::time_t sekunden = static_cast<std::time_t>(utc.toSecsSinceEpoch());
    std::tm lokal{};
    if (!localtime_r(&sekunden, &lokal))
        return false;
    uebernimm_felder(*this, lokal);
    return true;
}

std::string& CZeitVDN::gib_datum_text(std::string& text, bool ohne_jahr, bool fuehrende_nullen) const
{
    text = mit_null(tag, fuehrende_nullen) + "." + mit_null(monat, fuehrende_nullen) + ".";
    if (!ohne_jahr)
        text += jahr == 0 ? std::string("0000") : itoa(jahr, 0);
    return text;
}

std::string& CZeitVDN::gib_zeit_text(std::string& text, bool mit_sekunden, bool stunden_ueber_tage,
                                     bool mit_millisekunden) const
{
    const int stunden = stunde + (stunden_ueber_tage && tag > 0 ? 24 * tag : 0);
    text = mit_null(stunden, true) + ":" + mit_null(minute, true);
    if (mit_sekunden)
        text += ":" + mit_null(sekunde, true);
    if (mit_millisekunden)
        text += "." + std::string(millisekunde < 10 ? "00" : millisekunde < 100 ? "0" : "") + itoa(millisekunde, 0);
    return text;
}

std::string& CZeitVDN::gib_text(std::string& text, bool mit_sekunden, bool fuehrende_nullen,
                                bool mit_millisekunden) const
{
    std::string zeit;
    gib_datum_text(text, false, fuehrende_nullen);
    text += " " + gib_zeit_text(zeit, mit_sekunden, false, mit_millisekunden);
    return text;
}

QString CZeitVDN::als_qstring(bool mit_sekunden, bool fuehrende_nullen, bool mit_millisekunden) const
{
    std::string text;
    return QString::fromLatin1(gib_text(text, mit_sekunden, fuehrende_nullen, mit_millisekunden).c_str());
}

void CZeitVDN::ausgabe(std::ostream& os) const
{
    std::string text;
    os << gib_zeit_text(text, false, false, false);
}
