// Typed reads from the browser's settings store (a stored value of the wrong type gives the default), and its saving.
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

// "Open links from applications" (0 a new tab, 1 a new window), read from the top of the store.
// Files written before names read back as written keep it in the group "General".
int lies_linkziel(const QSettings& einstellungen);

// Writes the store now. A failure (the old file stays as it was) is shown to the user once until
// a save succeeds again, as is every settings file kept aside because it could not be read whole.
// True when the store is written.
bool speichere_einstellungen(QSettings& einstellungen);
// Shows the settings files kept aside since the last look, and what the start did with the old
// bytes of a save in place that was cut off (see `nimm_hinweise_alter_fassungen`).
void melde_beiseite_gelegte_einstellungen();
