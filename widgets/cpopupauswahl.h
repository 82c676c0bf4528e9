// Input field for choosing a value from a list: a line edit, a button with the choice's display text, and a popup list.
#pragma once

#include "cqstring.h"

#include <QPointer>
#include <QValidator>
#include <QWidget>
#include <vector>

class CLineEdit;
class QMenu;
class QToolButton;

// The validator of a popup choice field. The field turns the switch off for each of its own
// checks and on again afterwards, so that a derived validator can tell them from the user's
// typing (and stay silent during them).
class CValidator : public QValidator
{
    Q_OBJECT
public:
    explicit CValidator(QObject* eltern = nullptr);

    void setzeSchalter(bool an) { schalter = an; }
    bool gibSchalter() const { return schalter; }

private:
    bool schalter = true;
};

// Gives a value's display text (shown on the button) and its tool tip.
class CAuswahlAnbieter
{
public:
    virtual ~CAuswahlAnbieter() = default;
    virtual CQString gibAnzeigetext(const CQString& wert) const = 0;
    virtual CQString gibTooltip(const CQString& wert) const = 0;
};

// Every change of the text is checked: an allowed value is shown on the button and announced
// with `auswahl_geandert_signal`; a refused one brings back the default value and button text
// (with the error beep while the field is enabled) and is announced as well. A refused value
// while the button is empty is not announced. The owner gives entries, validator, provider,
// defaults and flags through the setters; validator and provider stay the owner's.
class CPopupAuswahl : public QWidget
{
    Q_OBJECT
public:
    // `name` is not kept.
    explicit CPopupAuswahl(QWidget* eltern = nullptr, const CQString& name = CQString());

    // The values of the popup list, in list order; an entry's index is its id.
    void setzeEintraege(const std::vector<CQString>& eintraege);
    void setzeValidator(CValidator* validator);
    // May be null: the button then shows no texts.
    void setzeAnbieter(const CAuswahlAnbieter* anbieter);
    // What a refused value is replaced with.
    void setzeVorgabe(const CQString& wert, const CQString& buttontext);
    // Either flag switches the validator check of `pruefe_eingabe` on.
    void setzePruefung(bool erste, bool zweite);
    // The edit's text is selected after checks while the edit is enabled.
    void setzeAllesMarkieren(bool markieren);

    CLineEdit* gibEdit() const { return edit; }
    QToolButton* gibButton() const { return button; }
    QMenu* gibListe() const { return liste; }
    const QString& gibLetztenWert() const { return letzter_wert; }

    // Colours the edit white for an allowed value (or, in non-standard mode, as `faerbe_nichtVDN`
    // does) and with the required-entry colour for a refused one; false when refused.
    bool pruefe_eingabe();
    // The button's text and the field's tool tip.
    void setze_button(const CQString& text, const CQString& tooltip);
    // Shows an allowed value; false, changing nothing, for a refused one, without a validator,
    // and while the field announces a choice.
    bool waehle(const CQString& wert);

signals:
    void auswahl_geandert_signal(CPopupAuswahl* auswahl);

public slots:
    // Switches non-standard mode on for good: the edit takes the "/Privat/Farbe_nichtVDN"
    // colour, a refused text the required-entry colour (false).
    bool faerbe_nichtVDN();

protected slots:
    void popup_activated_slot(int id);
    void pruefetext_slot();
    void textChanged_slot(QString text);
    void edit_lostfocus_slot();

private:
    // The validator's verdict, with its switch off; Invalid without a validator.
    QValidator::State pruefe_wert(const QString& wert) const;
    bool ist_erlaubt(const QString& wert) const { return pruefe_wert(wert) == QValidator::Acceptable; }
    // Selects the edit's text while select-all is set and the edit is enabled.
    void markiere();
    void gib_bekannt();

    std::vector<CQString> eintraege;
    QPointer<CValidator> validator;
    CLineEdit* edit;
    QToolButton* button;
    QMenu* liste;
    const CAuswahlAnbieter* anbieter = nullptr;
    bool erste_pruefung = false;
    bool zweite_pruefung = false;
    bool nicht_vdn = false;
    bool alles_markieren = false;
    QString letzter_wert;
    CQString vorgabe_buttontext;
    CQString vorgabe_wert;
    bool bereit = true;
    // Set while `pruefetext_slot` runs: bringing back the default changes the text again.
    bool in_pruefung = false;
};
