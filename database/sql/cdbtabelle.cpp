#include "cdbtabelle.h"
#include "ccat.h"
#include "ebool.h"
#include "widgetklassen.h"

#include <QCoreApplication>

CKlasse* CDBTabelle::klasse = &gib_widget_klassen().cdbtabelle;

namespace {

constexpr int typ_datensatz_id = 17;

template <typename T>
bool hat_eintrag(const QVector<T>& liste, int index)
{
    return index >= 0 && index < liste.size();
}

} // namespace

CDBTabelle::CDBTabelle() = default;
CDBTabelle::~CDBTabelle() = default;

void CDBTabelle::ausgabe(std::ostream& os) const
{
    os << "CDBTabelle: " << tags.size() << " Spalten";
}

void CDBTabelle::fuege_spalte_an(int tag, int typ, const CQString& name, const CQString& titel_,
                                 const CQString& typtext, int laenge)
{
    tags.append(tag);
    typen.append(typ);
    titel.append(titel_);
    namen.append(name);
    typtexte.append(typtext);
    laengen.append(laenge);
}

void CDBTabelle::setze_listen(const QVector<int>& tags_, const QVector<int>& typen_,
                              const QVector<CQString>& titel_, const QVector<CQString>& namen_,
                              const QVector<CQString>& typtexte_, const QVector<int>& laengen_)
{
    tags = tags_;
    typen = typen_;
    titel = titel_;
    namen = namen_;
    typtexte = typtexte_;
    laengen = laengen_;
}

int CDBTabelle::gib_index(int tag, const bool& melden) const
{
    const int index = tags.indexOf(tag);
    if (index < 0 && melden)
        CQCat::gib_instanz()->error(CQString(
            QCoreApplication::translate("CDBTabelle", "in CDBTabelle-gib_index Enumerator %1 nicht in Tagliste")
                .arg(static_cast<uint>(tag))));
    return index;
}

CQString CDBTabelle::gib_spaltenname(int tag) const
{
    const int index = gib_index(tag, true);
    if (index < 0)
        return CQString("?col index?");
    return hat_eintrag(namen, index) ? namen.at(index) : CQString("?col dbcol?");
}

CQString CDBTabelle::gib_guititel(int tag) const
{
    const int index = gib_index(tag, false);
    return hat_eintrag(titel, index) ? titel.at(index) : CQString("?gui?");
}

int CDBTabelle::gib_spaltentyp(int tag) const
{
    const int index = gib_index(tag, false);
    return hat_eintrag(typen, index) ? typen.at(index) : NICHT_GESETZT;
}

int CDBTabelle::gib_id_spalte() const
{
    for (int i = 0; i < tags.size(); ++i)
        if (hat_eintrag(typen, i) && typen.at(i) == typ_datensatz_id)
            return tags.at(i);
    return NICHT_GESETZT;
}

CQString CDBTabelle::gib_typtext(int tag, const CQString& vorgabe) const
{
    const int index = gib_index(tag, true);
    return hat_eintrag(typtexte, index) && !typtexte.at(index).isEmpty() ? typtexte.at(index) : vorgabe;
}

int CDBTabelle::gib_laenge(int tag, int vorgabe) const
{
    const int index = gib_index(tag, true);
    return hat_eintrag(laengen, index) && laengen.at(index) != 0 ? laengen.at(index) : vorgabe;
}
