#include "cvariablesteuerfarbe.h"
#include "allg.h"
#include "ccat.h"
#include "html.h"

#include <QCoreApplication>
#include <memory>

namespace {

constexpr int farbtext_laenge = 7;

CQString farbtext(const unsigned char& rot, const unsigned char& gruen, const unsigned char& blau)
{
    return string_zu_cqstring(farbe_zu_html(rot, gruen, blau));
}

// Value of the hexadecimal digit at `stelle`; `hextoi` names the digit itself when it warns.
int ziffer(const std::string& text, std::size_t stelle)
{
    const char zeichen[2] = {stelle < text.size() ? text[stelle] : '\0', '\0'};
    return hextoi(zeichen);
}

} // namespace

CVariableSteuerFarbe::CVariableSteuerFarbe(const CQString& schluessel, const unsigned char& rot,
                                           const unsigned char& gruen, const unsigned char& blau,
                                           const CQString& beschreibung)
    : CVariableSteuer<std::string>(schluessel.toStdString(), farbtext(rot, gruen, blau).toStdString(),
                                   beschreibung.toStdString(), std::string()),
      QColor(rot, gruen, blau, 255)
{
}

CVariableSteuerFarbe::CVariableSteuerFarbe(const int& vorlagennummer, const std::string& typname)
    : CVariableSteuer<std::string>(vorlagennummer, typname), QColor(0, 0, 0, 255)
{
}

CVariableSteuerFarbe::~CVariableSteuerFarbe() = default;

void CVariableSteuerFarbe::setze_wert(const std::string& wert)
{
    setze_farbe(string_zu_cqstring(wert));
}

void CVariableSteuerFarbe::setze_rgb(const unsigned char& rot, const unsigned char& gruen, const unsigned char& blau)
{
    setze_farbe(farbtext(rot, gruen, blau));
}

void CVariableSteuerFarbe::setze_farbe(const CQString& farbe)
{
    const CQString gross = farbe.gross();
    CVariableSteuer<std::string>::setze_wert(gross.toStdString());
    if (gross.size() == farbtext_laenge) {
        const QColor neu = string_zu_farbe(gross);
        setRgb(neu.red(), neu.green(), neu.blue(), 255);
        return;
    }
    CQCat::gib_instanz()->error(CQString(
        QCoreApplication::translate("CVariableSteuerFarbe",
                                    "CVariableSteuerFarbe: Farbangabe (%1) enthaelt keine 7 Zeichen (Form: "
                                    "#rrggbb muss eingehalten werden)")
            .arg(farbe)));
}

std::string CVariableSteuerFarbe::gib_farbe_str() const
{
    return gib_farbe_qstr().toLatin1().toStdString();
}

CQString CVariableSteuerFarbe::gib_farbe_qstr() const
{
    return farbtext(static_cast<unsigned char>(red()), static_cast<unsigned char>(green()),
                    static_cast<unsigned char>(blue()));
}

bool CVariableSteuerFarbe::ist_farbe_gueltig() const
{
    const CQString text = string_zu_cqstring(gib_wert_str(0));
    return text.size() == farbtext_laenge && text == gib_farbe_qstr();
}

CVariableSteuerFarbe* CVariableSteuerFarbe::erzeuge_farbvariable(const std::string& schluessel,
                                                                 const std::string& werttext,
                                                                 const std::string& beschreibung,
                                                                 const std::string&)
{
    std::unique_ptr<CVariableSteuerFarbe> neu(new CVariableSteuerFarbe(
        string_zu_cqstring(schluessel), 0, 0, 0, string_zu_cqstring(beschreibung)));
    neu->setze_wert_str(werttext, false);
    neu->vorlage = this;
    return neu.release();
}

CColor::CColor(const CQString& schluessel, const int& rot_, const int& gruen_, const int& blau_,
               const CQString& beschreibung)
    : CVariableSteuerFarbe(schluessel, static_cast<unsigned char>(rot_), static_cast<unsigned char>(gruen_),
                           static_cast<unsigned char>(blau_), beschreibung),
      rot(rot_), gruen(gruen_), blau(blau_)
{
}

CColor::~CColor() = default;

QColor string_zu_farbe(const CQString& text)
{
    const CQString gross = text.gross();
    if (gross.size() != farbtext_laenge)
        return QColor();
    const std::string s = gross.toStdString();
    const int rot = 16 * ziffer(s, 1) + ziffer(s, 2);
    const int gruen = 16 * ziffer(s, 3) + ziffer(s, 4);
    const int blau = 16 * ziffer(s, 5) + ziffer(s, 6);
    return QColor(rot, gruen, blau, 255);
}
