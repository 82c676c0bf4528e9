// Number and text conversion of the framework: fixed-width number texts, rounding, trimming.
#pragma once

#include <string>

// Whole numbers.
std::string itoa(int zahl, int breite);
std::string itoa(unsigned zahl, int breite);
std::string itoa_nullen(int zahl, int breite);
char itohex(int wert);

// Doubles: art 1 exponential, 2 fixed point, any other value automatic.
std::string dtoa(double zahl, int breite, int nachkommastellen, int art);
