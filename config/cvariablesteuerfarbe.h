// Colour settings: a text setting "#RRGGBB" that is at the same time the QColor it names.
#pragma once

#include "cqstring.h"
#include "cvariablesteuer.h"

#include <QColor>

// The value text and the colour agree after every successful `setze_farbe`; every way of
// setting the text value ends there. Alpha is always 255.
class CVariableSteuerFarbe : public CVariableSteuer<std::string>, public QColor
{
public:
    // Default text "#RRGGBB" of the colour (upper-case digits); the value stays unset.
    CVariableSteuerFarbe(const CQString& schluessel, const unsigned char& rot, const unsigned char& gruen,
                         const unsigned char& blau, const CQString& beschreibung);
    // The template variable "farbe" (kind number 5): black, entered in the template list only.
    CVariableSteuerFarbe(const int& vorlagennummer, const std::string& typname);
    ~CVariableSteuerFarbe() override;

    using CVariableSteuer<std::string>::setze_wert;
    // Goes through `setze_farbe`.
    void setze_wert(const std::string& wert) override;

    virtual void setze_rgb(const unsigned char& rot, const unsigned char& gruen, const unsigned char& blau);
    // Stores the text in upper case whatever its form; only a text of 7 characters changes the
    // colour, any other is logged as an error and leaves the colour as it was.
    virtual void setze_farbe(const CQString& farbe);
    // `gib_farbe_qstr` as Latin-1 bytes.
    virtual std::string gib_farbe_str() const;
    // "#RRGGBB" of the colour.
    virtual CQString gib_farbe_qstr() const;
    // True when the value text has 7 characters and equals the colour's text.
    virtual bool ist_farbe_gueltig() const;
    // A new colour variable (black default, owned by the caller, registered under `schluessel`)
    // with its value set from `werttext` and this one as its template. `zusatz` is not used.
    virtual CVariableSteuerFarbe* erzeuge_farbvariable(const std::string& schluessel, const std::string& werttext,
                                                       const std::string& beschreibung, const std::string& zusatz);
};

// A colour setting that also keeps the colour it was built with.
class CColor : public CVariableSteuerFarbe
{
public:
    // The low bytes of the three numbers make the colour.
    CColor(const CQString& schluessel, const int& rot, const int& gruen, const int& blau,
           const CQString& beschreibung);
    ~CColor() override;

    const int rot;
    const int gruen;
    const int blau;
};

// The colour of "#RRGGBB" (either case; the first character is not examined); an invalid
// QColor for a text of another length. A character that is no hexadecimal digit counts as 0,
// with a warning.
QColor string_zu_farbe(const CQString& text);
