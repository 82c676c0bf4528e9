#include "czeichengrenze.h"
#include "zeichenlaenge.h"

#include <QLineEdit>

CZeichengrenze::CZeichengrenze(int maximum, QValidator* innen, QObject* eltern)
    : QValidator(eltern), maximum(maximum), innen(innen)
{
}

QValidator::State CZeichengrenze::validate(QString& eingabe, int& position) const
{
    const int ueber = zeichenzahl(eingabe) - maximum;
    if (ueber > 0) {
        position = qBound(0, position, eingabe.size());
        // Never between the halves of a pair: the cut would leave one of them alone.
        if (position > 0 && position < eingabe.size() && eingabe.at(position).isLowSurrogate()
            && eingabe.at(position - 1).isHighSurrogate())
            ++position;
        const QString vorn = eingabe.left(position);
        const QString bleibt = kuerze_auf_zeichen(vorn, zeichenzahl(vorn) - ueber);
        eingabe = kuerze_auf_zeichen(bleibt + eingabe.mid(position), maximum);
        position = qMin(bleibt.size(), eingabe.size());
    }
    return innen ? innen->validate(eingabe, position) : Acceptable;
}

void CZeichengrenze::fixup(QString& eingabe) const
{
    if (innen)
        innen->fixup(eingabe);
}

void begrenze_zeichen(QLineEdit* feld, int maximum)
{
    if (!feld || maximum <= 0)
        return;
    auto* vorher = const_cast<QValidator*>(feld->validator());
    auto* alte_grenze = qobject_cast<CZeichengrenze*>(vorher);
    feld->setValidator(new CZeichengrenze(maximum, alte_grenze ? alte_grenze->gib_innen() : vorher, feld));
    delete alte_grenze;
}

void setze_feldvalidator(QLineEdit* feld, QValidator* validator)
{
    if (auto* grenze = qobject_cast<CZeichengrenze*>(const_cast<QValidator*>(feld->validator())))
        grenze->setze_innen(validator);
    else
        feld->setValidator(validator);
}
