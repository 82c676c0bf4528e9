#include "namensfaltung.h"
#include "steuerzeichen.h"

namespace {

// Canonical caseless matching as Unicode defines it: decomposed, folded, decomposed again. Qt
// folds one character to one (simple folding), while its upper case knows the mappings to
// several ("ß" to "SS"): upper case, then folding, gives the full folding; twice, for the
// capitals whose full folding goes through a small letter ("ẞ" to "ß" to "ss").
QString voll_gefaltet(const QString& name)
{
    QString text = ohne_unsichtbare_zeichen(name).normalized(QString::NormalizationForm_D);
    for (int runde = 0; runde < 2; ++runde)
        text = text.toUpper().toCaseFolded();
    return text.normalized(QString::NormalizationForm_D);
}

} // namespace

QString faltform(const QString& name)
{
    // Almost every name is ASCII, whose folding is its lower case, and most hold no capital: one
    // look at each character, and the name itself.
    bool gross = false;
    for (const QChar c : name) {
        if (c.unicode() >= 0x80)
            return voll_gefaltet(name);
        gross = gross || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
    }
    return gross ? name.toLower() : name;
}
