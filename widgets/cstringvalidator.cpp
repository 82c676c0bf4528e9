#include "cstringvalidator.h"
#include "gui.h"

CStringValidator::CStringValidator(QObject* eltern, const CQString&) : QValidator(eltern) {}

CStringValidator::CStringValidator(bool nur_klein, bool leerzeichen, QObject* eltern, const bool& latin1,
                                   const CQString&, const bool& apostroph)
    : QValidator(eltern), nur_klein(nur_klein), leerzeichen(leerzeichen), latin1(latin1), apostroph(apostroph)
{
}

QValidator::State CStringValidator::validate(QString& eingabe, int&) const
{
    if (!nur_klein && leerzeichen && !latin1)
        return Acceptable;
    const auto verweigere = [] {
        fehler_ton();
        return Invalid;
    };
    if (!leerzeichen && eingabe.trimmed().size() < eingabe.size())
        return verweigere();
    if (nur_klein && eingabe != eingabe.toLower())
        return verweigere();
    // Every character counts, blanks at the ends included: a stored password or name must
    // survive the Latin-1 round trip whole.
    if (latin1) {
        for (const QChar zeichen : eingabe)
            if (zeichen.toLatin1() == 0)
                return verweigere();
    }
    if (!apostroph && eingabe.contains(QLatin1Char('\'')))
        return verweigere();
    return Acceptable;
}
