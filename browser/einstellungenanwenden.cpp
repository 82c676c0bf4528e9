#include "einstellungenanwenden.h"

// Placeholder until the settings are applied.
void wende_einstellungen_an() {}
