// Text setting read and written as a framework QString, with a mark for passwords.
#pragma once

#include "cqstring.h"
#include "cvariablesteuer.h"

// Answers for itself with the class entry of CVariableSteuer; a store tells it apart with
// dynamic_cast. Its factory (`erzeuge_variable`) makes plain text variables.
class CQStringSteuer : public CVariableSteuer<std::string>
{
public:
    // Key, default and description are stored as their UTF-8 bytes; registers the variable.
    CQStringSteuer(const CQString& schluessel, const CQString& defaultwert, const CQString& beschreibung,
                   const bool& kennwort);
    ~CQStringSteuer() override;

    // The value of `gib_wert` (store, else current value, else default) read as UTF-8.
    virtual CQString gib_wert_qstr() const;
    // Stores the UTF-8 bytes of the text.
    virtual void setze_wert_qstr(const CQString& wert);
    // True when the mark (`gib_merker`) is set, otherwise `sonst`.
    virtual bool gib_merker_oder(const bool& sonst) const;

    // Set for passwords: stores outside the process pass the value through the password codec.
    const bool ist_kennwort;
};
