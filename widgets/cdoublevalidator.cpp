#include "cdoublevalidator.h"
#include "gui.h"

#include <QRegularExpression>
#include <cmath>

CDoubleValidator::CDoubleValidator(double minimum, double maximum, int nachkommastellen, QObject* eltern,
                                   const CQString&)
    : QValidator(eltern), minimum(minimum), maximum(maximum), nachkommastellen(nachkommastellen)
{
}

void CDoubleValidator::setzeBereich(double minimum, double maximum, int nachkommastellen)
{
    this->minimum = minimum;
    this->maximum = maximum;
    this->nachkommastellen = nachkommastellen;
}

QValidator::State CDoubleValidator::validate(QString& eingabe, int&) const
{
    return urteile(eingabe, nullptr);
}

QValidator::State CDoubleValidator::pruefe_zahlenstring(const QString& eingabe)
{
    meldung.clear();
    return urteile(eingabe, &meldung);
}

QValidator::State CDoubleValidator::urteile(const QString& eingabe, QString* grund) const
{
    const auto begruende = [grund](const QString& text) {
        if (grund)
            *grund = text;
    };
    const auto verweigere = [&begruende](const QString& text) {
        begruende(text);
        fehler_ton();
        return Invalid;
    };

    if (minimum >= 0 && eingabe.trimmed().startsWith(QLatin1Char('-')))
        return verweigere(QObject::tr("Zahlenstring enthält unzulässiges '-'"));
    static const QRegularExpression fast_leer(QStringLiteral("\\A *-?\\.? *\\z"));
    if (fast_leer.match(eingabe).hasMatch())
        return Intermediate;

    bool gelesen = false;
    double wert = CQString(eingabe).zu_double(&gelesen);
    const int exponenten = eingabe.count(QLatin1Char('e'), Qt::CaseInsensitive);
    if (!gelesen) {
        static const QRegularExpression exponent(QStringLiteral("[Ee][+-]?(\\d*)\\z"));
        const QRegularExpressionMatch treffer = exponent.match(eingabe);
        const int stelle = treffer.hasMatch() ? treffer.capturedStart() : -1;
        if (stelle == 0)
            return Intermediate;
        if (stelle < 0 || exponenten != 1)
            return verweigere(QObject::tr("unzulässiger Zahlenstring"));
        wert = eingabe.left(stelle).toDouble(&gelesen);
        if (!gelesen)
            return verweigere(QObject::tr("Mantisse fehlerhaft"));
        // "1e", "1e-", "1e+": the exponent is still being typed, and the mantissa alone is not
        // the number the user means.
        if (treffer.capturedLength(1) == 0)
            return Intermediate;
        // A whole exponent after a good mantissa, and still no number: beyond what a double
        // holds ("1e999", "1e-999"). The field would read it as 0.
        return verweigere(QObject::tr("unzulässiger Zahlenstring"));
    }
    // "nan" and "inf" read as numbers, but as no value in any range.
    if (!std::isfinite(wert))
        return verweigere(QObject::tr("unzulässiger Zahlenstring"));

    const int punkt = eingabe.indexOf(QLatin1Char('.'));
    if (punkt >= 0 && exponenten == 0) {
        int ziffern = 0;
        while (punkt + 1 + ziffern < eingabe.size() && eingabe.at(punkt + 1 + ziffern).isDigit())
            ++ziffern;
        if (ziffern > nachkommastellen)
            return verweigere(QObject::tr("Maximale Zahl der Kommastellen %1 überschritten").arg(nachkommastellen));
    }

    if (wert < minimum) {
        begruende(QObject::tr("Minimalwert %1 unterschritten").arg(minimum));
        return Intermediate;
    }
    if (wert > maximum)
        return verweigere(QObject::tr("Maximalwert %1 überschritten").arg(maximum));
    return Acceptable;
}
