#include "namensfaltung.h"
#include "steuerzeichen.h"

QString faltform(const QString& name)
{
    // Almost every name is ASCII, whose folding is its lower case: no copy unless it holds a capital.
    if (nur_ascii(name))
        return name.toCaseFolded();
    // Canonical caseless matching as Unicode defines it: decomposed, folded, decomposed again. Qt
    // folds one character to one (simple folding), while its upper case knows the mappings to
    // several ("ß" to "SS"): upper case, then folding, gives the full folding; twice, for the
    // capitals whose full folding goes through a small letter ("ẞ" to "ß" to "ss").
    QString text = ohne_unsichtbare_zeichen(name).normalized(QString::NormalizationForm_D);
    for (int runde = 0; runde < 2; ++runde)
        text = text.toUpper().toCaseFolded();
    return text.normalized(QString::NormalizationForm_D);
}
