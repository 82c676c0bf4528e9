// The framework's single-line input field that shows the verdict on its text as background colour.
#pragma once

#include "cqstring.h"

#include <QColor>
#include <QLineEdit>
#include <QPointer>
#include <QValidator>

// Judges its text after every change with its validator (by default a CStringValidator that
// accepts everything), can be a required field (an empty text is then an error) and can refuse
// the euro sign. The verdict is the background colour, the valid flag and the signals:
// `text_changed_signal(false)` only when a valid text turns invalid, `text_changed_signal(true)`
// and `text_Changed` on every change that leaves it acceptable.
class CLineEdit : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(bool pflicht READ istPflichtfeld WRITE setzePflichtfeld)
public:
    // `name` is not kept.
    explicit CLineEdit(QWidget* eltern = nullptr, const CQString& name = CQString());

    // A fresh default palette whose background-role brush is `farbe` in every colour group; any
    // other palette change of the field is replaced.
    void setzeHintergrund(const QColor& farbe);

    virtual void setzePflichtfeld(bool pflicht);
    virtual bool istPflichtfeld() const;
    // Each colour is applied at once when it is the one the current verdict shows.
    virtual void setzeFehlerFarbe(const QColor& farbe);
    virtual void setzeOkFarbe(const QColor& farbe);
    // The framework's "not set" number 99999999 empties the field.
    virtual void setzeZahl(int zahl);
    // The validator belongs to whoever made it.
    virtual void setzeValidator(QValidator* validator);
    virtual void loescheValidator();
    // Sets and judges the text. Ignored while the field emits its own verdict signals, so that
    // a slot connected to them cannot start a second round.
    virtual void setzeText(const CQString& text);
    virtual bool setzeMeldungAnzeigen(bool anzeigen);
    // The warning box "Fehler in Eingabe" with the message text, only while messages are shown.
    virtual void zeigeFehlermeldung();

    // The displayed text; line feeds removed for a single-line field.
    CQString gibText() const;
    // Enables or disables the field and colours it: the verdict's colour when enabled, the
    // parent's window colour when disabled. Ignored while the field is locked.
    void setzeAktiv(bool aktiv);
    // True when the text passed the last check.
    bool istGueltig() const { return gueltig; }

signals:
    void text_changed_signal(bool avalid);
    void text_Changed(CLineEdit* edit);

protected slots:
    virtual void languageChange();
    virtual void textChanged_slot(QString atext);

protected:
    void keyPressEvent(QKeyEvent* event) override;

    // Derived input fields set these.
    bool einzeilig = true;
    CQString meldungstext;
    bool melde_urteil = true;
    bool gesperrt = false;
    bool euro_verweigern = false;

private:
    // A default palette with `farbe` as background brush in every colour group.
    void male_hintergrund(const QColor& farbe);
    // The validator's verdict on a copy of `text` (which the validator may change), then the
    // euro test: the euro sign fails only under refusal with a CStringValidator.
    bool ist_annehmbar(QString& kopie) const;
    // Emits the verdict with the in-signal mark set; `text_Changed` too when `mit_edit`.
    void melde(bool urteil, bool mit_edit);

    bool gueltig = false;
    bool im_signal = false;
    QPointer<QValidator> pruefer;
    bool pflicht = false;
    QColor fehlerfarbe = Qt::red;
    QColor okfarbe = Qt::white;
    QColor hintergrundfarbe = Qt::white;
    bool meldung_anzeigen = false;
};
