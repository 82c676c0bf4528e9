// Framework string on std::string with numbered-argument substitution (%0 ... %9).
#pragma once

#include "cbasis.h"
#include "ebool.h"

#include <ostream>
#include <string>

class CString : public CBasis
{
    FRAMEWORK_KLASSE(CBasis)
public:
    CString() = default;
    CString(const CString& other) = default;
    CString(const std::string& text);
    CString(const char* text);
    ~CString() override;

    CString& operator=(const CString& other);

    const std::string& gib_string_ref() const { return text; }
    std::string gib_string() const { return text; }
    const char* c_str() const { return text.c_str(); }

    // Each call fills the lowest-numbered marker still in the text (the first of equal ones).
    CString& arg(const CString& argument);
    CString& arg(int zahl, int breite = 0);
    CString& arg(double zahl, int breite = 0, int nachkommastellen = -1, int art = 0);
    CString& arg(EBool wert);

    // Position of the marker `arg` would fill, or std::string::npos.
    static std::string::size_type finde_marker(const std::string& text);

private:
    std::string text;
};

CString operator+(const CString& a, const CString& b);
std::ostream& operator<<(std::ostream& os, const CString& s);
