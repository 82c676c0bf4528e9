#include "ckrypt.h"
#include "klassen.h"

CKlasse* CKrypt::klasse = &eintrag_CKrypt;

namespace {

// Looked up at each use: the entry comes and goes with the library that registers it.
CKlasse* registrierter_eintrag()
{
    return CKlasse::finde("CQKrypt");
}

const char ziffern[] = "0123456789ABCDEF";

unsigned wert_von(char z)
{
    for (unsigned i = 0; i < 16; ++i)
        if (ziffern[i] == z)
            return i;
    return 16;
}

} // namespace

CKrypt::CKrypt() = default;
CKrypt::~CKrypt() = default;

void CKrypt::ausgabe(std::ostream&) const {}

std::string CKrypt::kodiere(const std::string& bytes) const
{
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (const char z : bytes) {
        const auto b = static_cast<unsigned char>(z);
        hex += ziffern[b / 16];
        hex += ziffern[b % 16];
    }
    return hex;
}

std::string CKrypt::dekodiere(const std::string& hex) const
{
    std::string bytes;
    bytes.reserve(hex.size() / 2 + 1);
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const unsigned hoch = wert_von(hex[i]);
        const unsigned tief = i + 1 < hex.size() ? wert_von(hex[i + 1]) : 16;
        bytes += static_cast<char>((16 * hoch + tief) % 256);
    }
    return bytes;
}

CQKrypt::CQKrypt() = default;
CQKrypt::~CQKrypt() = default;

CKlasse* const& CQKrypt::gib_klasse() const
{
    // One answer per thread, valid until that thread asks again.
    thread_local CKlasse* eintrag = nullptr;
    eintrag = registrierter_eintrag();
    if (!eintrag)
        eintrag = klasse_funktion;
    return eintrag;
}

bool CQKrypt::ist_abgeleitet_von(CKlasse* const& k) const
{
    CKlasse* const eintrag = registrierter_eintrag();
    return (eintrag && k == eintrag) || CObjekt::ist_abgeleitet_von(k);
}

void CQKrypt::ausgabe(std::ostream&) const {}

CQString CQKrypt::kodiere(const CQString& text) const
{
    return CQString(QString::fromLatin1(CKrypt().kodiere(qstring_zu_string(text)).c_str()));
}

CQString CQKrypt::dekodiere(const CQString& hex) const
{
    return string_zu_cqstring(CKrypt().dekodiere(qstring_zu_string(hex)));
}

CQString verschluessele_kennwort(const CQString& kennwort)
{
    return CQKrypt().kodiere(kennwort);
}

CQString entschluessele_kennwort(const CQString& gespeichert)
{
    return CQKrypt().dekodiere(gespeichert);
}
