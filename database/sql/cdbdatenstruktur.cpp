#include "cdbdatenstruktur.h"
#include "ccat.h"
#include "widgetklassen.h"

#include <QCoreApplication>

CKlasse* CDBDatenstruktur::klasse = &gib_widget_klassen().cdbdatenstruktur;

CDBDatenstruktur::CDBDatenstruktur() = default;
CDBDatenstruktur::~CDBDatenstruktur() = default;

void CDBDatenstruktur::ausgabe(std::ostream& os) const
{
    os << "CDBDatenstruktur: " << tags.size() << " Tabellen";
}

void CDBDatenstruktur::fuege_tabelle_an(int tag, const CQString& name, CDBTabelle* tabelle)
{
    tags.append(tag);
    namen.append(name);
    tabellen.append(tabelle);
}

void CDBDatenstruktur::setze_listen(const QVector<int>& tags_, const QVector<CQString>& namen_,
                                    const QVector<CDBTabelle*>& tabellen_)
{
    tags = tags_;
    namen = namen_;
    tabellen = tabellen_;
}

int CDBDatenstruktur::gib_index(int tag) const
{
    const int index = tags.indexOf(tag);
    if (index < 0)
        CQCat::gib_instanz()->error(CQString(
            QCoreApplication::translate("CDBDatenstruktur",
                                        "in CDBDatenstruktur-gib_index Enumerator %1 nicht in Tagliste")
                .arg(static_cast<uint>(tag))));
    return index;
}

CQString CDBDatenstruktur::gib_tabellenname(int tag) const
{
    const int index = tags.indexOf(tag);
    return index >= 0 && index < namen.size() ? namen.at(index) : CQString("?tab?");
}

CDBTabelle* CDBDatenstruktur::gib_tabelle(int tag) const
{
    const int index = gib_index(tag);
    return index >= 0 && index < tabellen.size() ? tabellen.at(index) : nullptr;
}
