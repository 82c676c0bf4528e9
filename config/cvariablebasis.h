// Abstract interface of every configuration variable: read, write, print, compare and check without the value type.
#pragma once

#include "cbasis.h"
#include "csteuerplausi.h"
#include "cstring.h"
#include "einheit.h"
#include "steuervarliste.h"

#include <string>

class CVariableBeschr;

// Operations named reserviert_* are hooks without meaning in this program; they keep their place.
class CVariableBasis : public CBasis
{
    FRAMEWORK_KLASSE(CBasis)
public:
    explicit CVariableBasis(CVariableBeschr* beschreibung);
    ~CVariableBasis() override;

    virtual void setze_id(const int& id);
    virtual void ergaenze_geaendert();
    virtual bool reserviert_1() const;
    virtual bool reserviert_2() const;
    virtual bool reserviert_3() const;
    virtual void reserviert_4(const int& a) = 0;
    virtual void reserviert_5(const int& a, const int& b) = 0;
    // Makes a further variable of this one's kind; only template variables can (see CVariableSteuer).
    virtual CVariableBasis* erzeuge_variable(const std::string& schluessel, const std::string& werttext,
                                             const std::string& beschreibung, const std::string& zusatz,
                                             const int& modus);
    virtual std::string gib_wert_str(const int& zeile = 0) const = 0;
    virtual std::string gib_anzeige_str(const int& zeile, const int& breite) const = 0;
    virtual std::string gib_defaultwert_str(const int& zeile = 0) const;
    virtual std::string gib_wert_str_einheit(const int& zeile, const EEinheit& einheit, const bool& feste_stellen) const;
    virtual std::string gib_wert_str_roh(const int& zeile, const bool& feste_stellen) const = 0;
    virtual std::string gib_aktuellen_wert_str() const;
    virtual std::string reserviert_6(const int& a) const = 0;
    // The value as database text; "NULL" when it is undefined.
    virtual std::string gib_db_string() const = 0;
    virtual std::string gib_db_typ() const = 0;
    virtual CBasis* reserviert_7() const;
    virtual CString gib_beschreibung() const;
    virtual std::string gib_einheit_str() const;
    virtual std::string gib_einheit2_str() const;
    virtual const std::string& gib_beschr_name() const;
    virtual const std::string& gib_beschr_anzeigename() const;
    virtual int gib_beschr_kennzahl() const;
    // Raises CFehler (type 3, method "setze_wert_str") on a text it refuses; the value stays.
    virtual void setze_wert_str(const std::string& text, const bool& pruefen) = 0;
    virtual bool kopiere_wert_von(const CVariableBasis& quelle) = 0;
    virtual bool reserviert_8(const int& a, const int& b);
    virtual CSteuerVarListe reserviert_9(const int& a, const int& b) const;
    virtual bool ist_undefiniert(const bool& nur_wert, const bool& ohne_pruefung) const = 0;
    virtual bool ist_leer() const;
    virtual void reserviert_10(const int& a, const int& b);
    virtual bool reserviert_11() const;
    virtual void reserviert_12();
    virtual void reserviert_13();
    virtual CBasis* gib_dbobjekt() const;
    virtual CBasis* reserviert_14() const;
    // State for display and checks, 0 to 9.
    virtual int gib_status() const;
    virtual bool reserviert_15() const;
    virtual bool reserviert_16() const;
    virtual bool reserviert_17(const int& a, const int& b, const int& c) const;
    virtual bool reserviert_18(const int& a, const int& b) const;
    virtual bool reserviert_19(const int& a) const;
    virtual bool reserviert_20() const;
    virtual bool ist_nicht_ui() const;
    virtual void reserviert_21(const int& a);
    virtual bool reserviert_22(const int& a);
    virtual void reserviert_23(const int& a);
    virtual void reserviert_24(const int& a, const int& b);
    virtual void reserviert_25();
    virtual void reserviert_26();
    virtual bool ist_geaendert() const;
    virtual bool reserviert_27(const int& a);
    virtual void setze_undefiniert();
    virtual void reserviert_28();
    virtual void reserviert_29(const int& a, const int& b);
    // Required-value check: code 3 in the list when the descriptor's kind demands a value and
    // there is none. Returns the code recorded, 0 for none.
    virtual int pruefe_wert(CPruefMeldungen& meldungen, const int& modus) const;
    virtual std::string gib_schluessel() const;
    virtual bool ungleich_defaultwert() const;
    virtual void setze_auf_default();
    virtual bool hat_vorgabe() const;
    virtual CVariableBasis* gib_vorlage() const;
    // 6 for configuration variables.
    virtual int gib_variablenart() const = 0;
    // Value-type code: double 0, float 1, unsigned 2, int 3, std::string 4, EBool 5.
    virtual int gib_typ() const;
    virtual bool reserviert_30() const;
    virtual bool reserviert_31(const int& a) const;
    virtual bool uebernimm_wert(const CVariableBasis& quelle);
    virtual bool uebernimm_wert_bedingt(const CVariableBasis& quelle, const bool& undefiniert_lassen);
    // toleranz in percent; only doubles read it.
    virtual bool hat_gleichen_wert(const CVariableBasis& quelle, const double& toleranz) const;
    virtual bool reserviert_32(const int& a);
    virtual bool reserviert_33(const int& a);
    virtual void reserviert_34();
    virtual int gib_beschr_attribut() const;
    virtual int gib_wert_int() const;
    virtual bool reserviert_35() const;
    virtual int reserviert_36() const;
    virtual int gib_id() const;

    CVariableBeschr* gib_beschreiber() const { return beschreibung; }

protected:
    CVariableBeschr* beschreibung;
};
