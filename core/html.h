// HTML colour mark-up and escaping of message lines.
#pragma once

#include "cqstring.h"

#include <string>

// Span in the colour of the level (0 normal, 1 warning, 2 error, 3 debug) around the escaped text.
CQString html_farbtext(const int& level, const CQString& text, bool mit_umbruch);
CQString html_maskiere(const CQString& text);

std::string html_fehler(const std::string& text);
std::string html_fehler_br(const std::string& text);
std::string html_warnung(const std::string& text);
std::string html_warnung_br(const std::string& text);
std::string html_schwarz(const std::string& text);
std::string html_schwarz_br(const std::string& text);
std::string html_grau(const std::string& text);
std::string html_grau_br(const std::string& text);

std::string farbe_zu_html(const unsigned char& rot, const unsigned char& gruen, const unsigned char& blau);
std::string gib_farbe_fehler();
std::string gib_farbe_warnung();
