#include "ungemessen.h"

#include <QTextDocument>

CUngemessen::CUngemessen(QTextDocument& dokument)
    : dokument(dokument), geaendert(dokument.isModified()), still(&dokument), klammer(&dokument)
{
    klammer.beginEditBlock();
}

CUngemessen::~CUngemessen()
{
    klammer.endEditBlock();
    dokument.setModified(geaendert);
}
