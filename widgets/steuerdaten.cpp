#include "steuerdaten.h"
#include "klassen.h"
#include "melde.h"

CSteuerdaten* gib_steuerdaten(const bool&)
{
    return nullptr;
}

QVariant gib_steuerwert(const CQString& schluessel, const bool& melden)
{
    if (melden)
        qmelde(4, klasse_kurz, CQString("gib_steuerwert"), CQString(QStringLiteral("'%1' nicht gefunden !").arg(schluessel)));
    return QVariant();
}
