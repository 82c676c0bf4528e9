// Applies the stored browser settings to the web engine, its default profile and the application proxy.
#pragma once

// Reads the groups "websettings", "cookies" and "proxy" of the application's settings store;
// absent keys take their defaults; the profile's folder as `wende_profilordner_an` gives it. The
// user style sheet is not applied here.
void wende_einstellungen_an();

// The profile's folder as the store names it ("cookies"/"persistentDataPath", empty for the
// engine's own), given to the default profile only while no page of it was made: a change under
// open pages ends the web engine, so it waits for the next start. Whether the default profile
// keeps its files in that folder now.
bool wende_profilordner_an();
