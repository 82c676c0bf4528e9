#include "steuerdaten.h"
#include "allg.h"
#include "cqstringsteuer.h"
#include "cvariablebasis.h"
#include "cvariablesteuer.h"
#include "klassen.h"
#include "melde.h"
#include "steuervarliste.h"

namespace {

// Value-type codes of configuration variables.
constexpr int typ_double = 0;
constexpr int typ_float = 1;
constexpr int typ_unsigned = 2;
constexpr int typ_int = 3;
constexpr int typ_bool = 5;

// Variables whose kind is a control variable.
constexpr int art_steuervariable = 6;

// Declared once here, where its only reader lives; registered while globals are built.
CVariableSteuer<unsigned>& methode_xml_bericht()
{
    static auto* variable = new CVariableSteuer<unsigned>("/Privat/MethodeXmlBericht", 99999999u, "", "");
    return *variable;
}

const bool methode_angelegt = (methode_xml_bericht(), true);

bool benutzerverwaltung = false;

// The text as a value of the variable's type; invalid when it is no such value.
QVariant als_wert(const CVariableBasis& variable, const QString& text)
{
    bool ok = false;
    switch (variable.gib_typ()) {
    case typ_bool:
        return QVariant(text == QLatin1String("true"));
    case typ_int: {
        const int zahl = text.trimmed().toInt(&ok, 10);
        return ok ? QVariant(zahl) : QVariant();
    }
    case typ_unsigned: {
        const uint zahl = text.trimmed().toUInt(&ok, 10);
        return ok ? QVariant(zahl) : QVariant();
    }
    case typ_double:
    case typ_float: {
        const double zahl = string_zu_double(text.toStdString(), &ok);
        return ok ? QVariant(zahl) : QVariant();
    }
    default:
        return QVariant(text);
    }
}

} // namespace

QVariant CSteuerdaten::gib_wert(const QString& schluessel) const
{
    return werte.value(schluessel);
}

void CSteuerdaten::setze_wert(const QString& schluessel, const QVariant& wert)
{
    werte.insert(schluessel, wert);
}

void CSteuerdaten::leere()
{
    werte.clear();
}

CSteuerdaten* gib_steuerdaten(const bool& erzeugen)
{
    static CSteuerdaten* speicher = nullptr;
    if (!speicher && erzeugen)
        speicher = new CSteuerdaten;
    return speicher;
}

QVariant gib_steuerwert(const CQString& schluessel, const bool& melden)
{
    const CSteuerdaten* const speicher = gib_steuerdaten(false);
    const QVariant wert = speicher ? speicher->gib_wert(schluessel) : QVariant();
    if (!wert.isValid() && melden)
        qmelde(4, klasse_kurz, CQString("gib_steuerwert"), CQString(QStringLiteral("'%1' nicht gefunden !").arg(schluessel)));
    return wert;
}

CVariableBasis* suche_steuervariable(const CQString& schluessel)
{
    const CSteuerVarListe* const liste = gib_steuervar_liste();
    const auto eintrag = liste->find(qstring_zu_string(CQString(schluessel.simplified())));
    if (eintrag == liste->end() || !eintrag->second || eintrag->second->gib_variablenart() != art_steuervariable)
        return nullptr;
    return eintrag->second;
}

bool setze_steuerwert(const CQString& schluessel, const CQString& wert)
{
    CSteuerdaten* const speicher = gib_steuerdaten(false);
    const CVariableBasis* const variable = speicher ? suche_steuervariable(schluessel) : nullptr;
    if (!variable)
        return false;
    const QVariant umgewandelt = als_wert(*variable, wert);
    if (!umgewandelt.isValid())
        return false;
    speicher->setze_wert(QString::fromStdString(variable->gib_schluessel()), umgewandelt);
    return true;
}

QString gib_webbrowser()
{
    const auto* const modus = dynamic_cast<const CQStringSteuer*>(suche_steuervariable(CQString("/Privat/webBrowser")));
    return modus ? QString(modus->gib_wert_qstr()) : QString();
}

bool ist_xml_methode_2()
{
    return methode_xml_bericht().gib_wert() == 2u;
}

bool benutzerverwaltung_aktiv()
{
    return benutzerverwaltung;
}

void setze_benutzerverwaltung_aktiv(bool an)
{
    benutzerverwaltung = an;
}
