#include "cstring.h"
#include "allg.h"
#include "ci18n.h"
#include "klassen.h"
#include "melde.h"

#include <cstring>

CKlasse* CString::klasse = &eintrag_CString;

CString::CString(const std::string& t) : text(t) {}

CString::CString(const char* t) : text(t ? t : "") {}

CString::~CString() = default;

CString& CString::operator=(const CString& other)
{
    if (this != &other)
        text = other.text;
    return *this;
}

std::string::size_type CString::finde_marker(const std::string& t)
{
    std::string::size_type best = std::string::npos;
    char best_ziffer = '9' + 1;
    for (std::string::size_type i = 0; i + 1 < t.size(); ++i) {
        const char z = t[i + 1];
        if (t[i] == '%' && z >= '0' && z <= '9' && z < best_ziffer) {
            best = i;
            best_ziffer = z;
        }
    }
    return best;
}

CString& CString::arg(const CString& argument)
{
    const auto pos = finde_marker(text);
    if (pos == std::string::npos) {
        const int typ = 4;
        melde(typ, klasse_funktion, "arg()",
              uebersetze_(CString(QT_TRANSLATE_NOOP("QObject", "Argument kann nicht zugeordnet werden")), klasse)
                  .gib_string());
        return *this;
    }
    text.replace(pos, 2, argument.text);
    return *this;
}

CString& CString::arg(int zahl, int breite)
{
    return arg(CString(itoa(zahl, breite)));
}

CString& CString::arg(double zahl, int breite, int nachkommastellen, int art)
{
    return arg(CString(dtoa(zahl, breite, nachkommastellen, art)));
}

CString& CString::arg(EBool wert)
{
    if (wert == JA)
        return arg(uebersetze_(CString(QT_TRANSLATE_NOOP("QObject", "Ja")), klasse));
    if (wert == NEIN)
        return arg(uebersetze_(CString(QT_TRANSLATE_NOOP("QObject", "Nein")), klasse));
    return arg(CString());
}

CString operator+(const CString& a, const CString& b)
{
    // Each text counts up to its first zero character.
    return CString(std::string(a.c_str()) + std::string(b.c_str()));
}

std::ostream& operator<<(std::ostream& os, const CString& s)
{
    return os << s.gib_string_ref();
}
