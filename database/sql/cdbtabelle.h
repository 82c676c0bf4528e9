// The description of one database table: per column its tag, type code, title, name, type text and length.
#pragma once

#include "cbasis.h"
#include "cqstring.h"

#include <QVector>

// Columns are addressed by tag (an enumerator of the owner); a tag's position indexes every list.
// A list may be shorter than the tag list: a position beyond its end counts as no entry, and the
// readers answer with the marked texts "?col index?", "?col dbcol?", "?gui?" or 99999999, so a
// statement built from them fails at the database and is reported there.
class CDBTabelle : public CObjekt
{
    FRAMEWORK_KLASSE(CObjekt)
public:
    CDBTabelle();
    ~CDBTabelle() override;

    void ausgabe(std::ostream& os) const override;

    // Appends one column to every list.
    void fuege_spalte_an(int tag, int typ, const CQString& name, const CQString& titel = CQString(),
                         const CQString& typtext = CQString(), int laenge = 0);
    // Replaces the lists as they are, shorter ones included.
    void setze_listen(const QVector<int>& tags, const QVector<int>& typen, const QVector<CQString>& titel,
                      const QVector<CQString>& namen, const QVector<CQString>& typtexte,
                      const QVector<int>& laengen);

    // The tag's first position, or -1 (with `melden` logged as an error).
    int gib_index(int tag, const bool& melden) const;
    CQString gib_spaltenname(int tag) const;
    CQString gib_guititel(int tag) const;
    int gib_spaltentyp(int tag) const;
    // The tag of the first record-id column (type code 17); 99999999 without one.
    int gib_id_spalte() const;
    CQString gib_typtext(int tag, const CQString& vorgabe) const;
    int gib_laenge(int tag, int vorgabe) const;
    QVector<int> gib_tagliste() const { return tags; }

private:
    QVector<int> tags;
    QVector<int> typen;
    QVector<CQString> titel;
    QVector<CQString> namen;
    QVector<CQString> typtexte;
    QVector<int> laengen;
};
