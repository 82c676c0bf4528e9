// Applies the stored browser settings to the web engine, its default profile and the application proxy.
#pragma once

// Reads the groups "websettings", "cookies" and "proxy" of the application's settings store;
// absent keys take their defaults. The user style sheet is not applied here.
void wende_einstellungen_an();
