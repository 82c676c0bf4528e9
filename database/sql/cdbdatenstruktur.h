// The tables of one database: per table its tag, database name and description.
#pragma once

#include "cbasis.h"
#include "cqstring.h"

#include <QVector>

class CDBTabelle;

// Tables are addressed by tag; the descriptions stay their owner's. Unknown tags give "?tab?" or
// null, never an error.
class CDBDatenstruktur : public CObjekt
{
    FRAMEWORK_KLASSE(CObjekt)
public:
    CDBDatenstruktur();
    ~CDBDatenstruktur() override;

    void ausgabe(std::ostream& os) const override;

    void fuege_tabelle_an(int tag, const CQString& name, CDBTabelle* tabelle);
    // Replaces the lists as they are, shorter ones included.
    void setze_listen(const QVector<int>& tags, const QVector<CQString>& namen,
                      const QVector<CDBTabelle*>& tabellen);

    // The tag's first position, or -1; a missing tag is always logged as an error.
    int gib_index(int tag) const;
    // "?tab?" for an unknown tag (not logged) or a missing name.
    CQString gib_tabellenname(int tag) const;
    // Null for an unknown tag (logged) or a missing description.
    CDBTabelle* gib_tabelle(int tag) const;

private:
    QVector<int> tags;
    QVector<CQString> namen;
    QVector<CDBTabelle*> tabellen;
};
