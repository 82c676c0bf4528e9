// Error objects thrown as exceptions, and their record in the error file "fehler.txt".
#pragma once

#include "cbasis.h"
#include "cqstring.h"

#include <string>

class CFehlerBasis
{
public:
    virtual ~CFehlerBasis();
    // Reports the error through the message functions.
    virtual void melde(bool ausgeben = true) const = 0;
    virtual CFehlerBasis* gib_kopie() const = 0;
    // The message text as UTF-8, for callers that only need the words.
    virtual std::string gib_meldung() const = 0;
};

class CFehler : public CFehlerBasis, public CBasis
{
public:
    CFehler(int typ, CKlasse* klasse, const std::string& methode, const std::string& text);
    CFehler(const CFehler& other);
    ~CFehler() override;

    void melde(bool ausgeben = true) const override;
    CFehlerBasis* gib_kopie() const override;
    std::string gib_meldung() const override { return text; }

    CKlasse* const& gib_klasse() const override { return eigene_klasse; }
    bool ist_abgeleitet_von(CKlasse* const& k) const override
    {
        return k == eigene_klasse || CBasis::ist_abgeleitet_von(k);
    }
    // The class pointer of CFehler itself (its field `klasse` names the raising class).
    static CKlasse* eigene_klasse;

    std::string text;
    std::string methode;
    CKlasse* klasse;
    int typ;
};

class CQFehler : public CFehlerBasis
{
public:
    CQFehler(int typ, CKlasse* klasse, const CQString& methode, const CQString& text);
    CQFehler(const CQFehler& other);
    ~CQFehler() override;

    void melde(bool ausgeben = true) const override;
    CFehlerBasis* gib_kopie() const override;
    std::string gib_meldung() const override { return qstring_zu_string(text); }

    CQString text;
    CQString methode;
    CKlasse* klasse;
    int typ;
};

// Type names: "FATALER FEHLER" ... "DEBUG", "KEIN GUELTIGER FEHLERTYP" for any other value.
std::string fehlertyp_text(int typ);
CQString qfehlertyp_text(int typ);
