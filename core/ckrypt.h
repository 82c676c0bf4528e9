// Hexadecimal text codec of stored passwords: each byte as two upper-case hexadecimal digits.
#pragma once

#include "cbasis.h"
#include "cqstring.h"

#include <ostream>
#include <string>

// The codec on bytes. It uses no key: it keeps stored values free of special characters.
class CKrypt : public CObjekt
{
    FRAMEWORK_KLASSE(CObjekt)
public:
    CKrypt();
    ~CKrypt() override;

    void ausgabe(std::ostream& os) const override;
    // Two characters at a time; a character that is no upper-case hexadecimal digit counts 16
    // (the byte is taken modulo 256), and a last single character is paired with 16.
    virtual std::string dekodiere(const std::string& hex) const;
    virtual std::string kodiere(const std::string& bytes) const;
};

// The codec on texts: their UTF-8 bytes are encoded, and decoded bytes are read as UTF-8.
class CQKrypt : public CObjekt
{
public:
    CQKrypt();
    ~CQKrypt() override;

    // The class entry "CQKrypt" is registered by the widget library's start-up, not here: the
    // entry found by that name, and klasse_funktion while there is none.
    CKlasse* const& gib_klasse() const override;
    // True for the registered "CQKrypt" entry, else CObjekt's answer.
    bool ist_abgeleitet_von(CKlasse* const& k) const override;

    void ausgabe(std::ostream& os) const override;
    virtual CQString dekodiere(const CQString& hex) const;
    virtual CQString kodiere(const CQString& text) const;
};

// The stored form of a password, and the password in clear from its stored form.
CQString verschluessele_kennwort(const CQString& kennwort);
CQString entschluessele_kennwort(const CQString& gespeichert);
