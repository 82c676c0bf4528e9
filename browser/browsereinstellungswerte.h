// Typed reads from the browser's settings store: a stored value of the wrong type gives the default.
#pragma once

#include <QFont>
#include <QString>

class QSettings;

// The native store keeps booleans and numbers as text; anything that is not one of them gives
// `vorgabe` (as does an absent key), so a damaged entry never switches a setting by accident.
bool lies_schalter(const QSettings& einstellungen, const QString& schluessel, bool vorgabe);
int lies_zahl(const QSettings& einstellungen, const QString& schluessel, int vorgabe);
// A stored font, or a font description text (QFont::toString); anything else gives `vorgabe`.
QFont lies_schrift(const QSettings& einstellungen, const QString& schluessel, const QFont& vorgabe);
