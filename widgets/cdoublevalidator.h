// Validator for numbers in a range with a limited number of decimals, optionally with a German explanation.
#pragma once

#include "cqstring.h"

#include <QString>
#include <QValidator>

// Refusals (Invalid) come with the error beep; a text that can still become a number in range
// by typing on (empty, a lone "-" or ".", an exponent without digits, a value below the
// minimum) is Intermediate and silent. Only "." counts as decimal point for the decimals. A text
// that reads as no finite number ("nan", "inf", an exponent beyond a double's range) is Invalid.
class CDoubleValidator : public QValidator
{
    Q_OBJECT
    Q_PROPERTY(double bottom READ gibMinimum WRITE setzeMinimum)
    Q_PROPERTY(double top READ gibMaximum WRITE setzeMaximum)
    Q_PROPERTY(int decimals READ gibNachkommastellen WRITE setzeNachkommastellen)
public:
    // `name` is not kept.
    CDoubleValidator(double minimum, double maximum, int nachkommastellen, QObject* eltern = nullptr,
                     const CQString& name = CQString());

    virtual void setzeBereich(double minimum, double maximum, int nachkommastellen);

    // Input and position stay unchanged.
    State validate(QString& eingabe, int& position) const override;
    // The same verdict as `validate`; the reason of a refusal or of a value below the minimum
    // is kept as message text (empty when there is nothing to say).
    State pruefe_zahlenstring(const QString& eingabe);
    const QString& gibMeldung() const { return meldung; }

    double gibMinimum() const { return minimum; }
    double gibMaximum() const { return maximum; }
    int gibNachkommastellen() const { return nachkommastellen; }
    void setzeMinimum(double wert) { setzeBereich(wert, maximum, nachkommastellen); }
    void setzeMaximum(double wert) { setzeBereich(minimum, wert, nachkommastellen); }
    void setzeNachkommastellen(int wert) { setzeBereich(minimum, maximum, wert); }

private:
    // The verdict and, where the explanation names one, its reason; beeps before Invalid.
    State urteile(const QString& eingabe, QString* grund) const;

    QString meldung;
    double minimum;
    double maximum;
    int nachkommastellen;
};
