// The eight rights of the user administration in their three forms: number, name and letter.
#pragma once

#include <QString>

// The number of the right named exactly so (case-sensitive); 99999999 for none.
int gib_recht_nummer(const QString& name);
// The name of right 0 to 7; "?" for any other number.
QString gib_recht_name(int nummer);
// The letter of right 0 to 7; "" for 99999999, "?" for any other number.
QString gib_recht_kuerzel(int nummer);
// The number of the right with this letter, as the user table stores it; 99999999 for none.
int gib_recht_nummer_aus_kuerzel(const QString& kuerzel);
