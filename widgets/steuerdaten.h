// The control-data store (control keys and their values, kept in memory for the process's life) and the settings functions the windows ask.
#pragma once

#include "cqstring.h"

#include <QMap>
#include <QString>
#include <QVariant>

class CVariableBasis;

// The values of control keys, by key. This program has no database to read them from: the store
// starts empty and holds what is set while the process runs. GUI thread only.
class CSteuerdaten
{
public:
    // The value stored under the key; invalid when there is none.
    QVariant gib_wert(const QString& schluessel) const;
    // Stores the value as it is (no check against the registry): the way to fill the store.
    void setze_wert(const QString& schluessel, const QVariant& wert);
    void leere();

    // Whether the SQL layer's queries that ask to read forward only are made forward-only (the
    // default); cleared, such queries stay scrollable. `leere` leaves it as it is.
    bool ist_nur_vorwaerts() const { return nur_vorwaerts; }
    void setze_nur_vorwaerts(bool an) { nur_vorwaerts = an; }

private:
    QMap<QString, QVariant> werte;
    bool nur_vorwaerts = true;
};

// The store; created on the first call with `erzeugen` set, null before that. Never destroyed.
CSteuerdaten* gib_steuerdaten(const bool& erzeugen);
// The value of a control key; an invalid QVariant when there is no store or no such key, then
// with `melden` logged as "'%1' nicht gefunden !".
QVariant gib_steuerwert(const CQString& schluessel, const bool& melden);
// The registered configuration variable whose key is `schluessel` after QString::simplified;
// null when the registry has none.
CVariableBasis* suche_steuervariable(const CQString& schluessel);
// Stores the text as the control value of the registered variable with that key, converted by
// the variable's type: text as it is, a boolean true only for "true", whole numbers in base 10,
// floating point by the framework's number conversion. False, and nothing stored, without a
// store, without such a variable, or for a text that is no number of the variable's type.
bool setze_steuerwert(const CQString& schluessel, const CQString& wert);

// The browser mode "/Privat/webBrowser": the value of the text variable registered under that
// key (declared by the browser), empty while it is unset or not registered at all.
QString gib_webbrowser();

// True when the unsigned variable "/Privat/MethodeXmlBericht" says the XML report's second method.
bool ist_xml_methode_2();

// Whether users log in through the user administration; off until the administration's log-on
// switches it on.
bool benutzerverwaltung_aktiv();
void setze_benutzerverwaltung_aktiv(bool an);
