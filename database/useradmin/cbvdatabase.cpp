#include "cbvdatabase.h"
#include "bvstruktur.h"
#include "dialogseam.h"
#include "ebool.h"
#include "gui.h"
#include "steuerzeichen.h"

#include <QCoreApplication>
#include <QSqlField>
#include <QSqlRecord>

#include <algorithm>

namespace {

CKlasse& eintrag()
{
    static CKlasse* klasse = new CKlasse("C_CBVDataBase");
    return *klasse;
}

// Registered while globals are built.
const bool angelegt = (eintrag(), true);

CBVDataBase* aktuelle_bv = nullptr;
CCDataBase* aktuelle_datenbank = nullptr;
CDBTabelle* aktuelle_anwendertabelle = nullptr;

} // namespace

CKlasse* CBVDataBase::klasse = &eintrag();

CBVDataBase::CBVDataBase(std::unique_ptr<CCDataBase> datenbank, std::unique_ptr<CBVStruktur> struktur)
    : datenbank(std::move(datenbank)), struktur(std::move(struktur))
{
}

CBVDataBase::~CBVDataBase() = default;

void CBVDataBase::ausgabe(std::ostream& os) const
{
    os << "CBVDataBase";
}

CDBDatenstruktur* CBVDataBase::gib_struktur() const
{
    return struktur ? struktur->gib_datenstruktur() : nullptr;
}

int CBVDataBase::gib_anzahl_records(int tag) const
{
    if (!datenbank || !gib_struktur())
        return -1;
    const CQString tabelle = gib_struktur()->gib_tabellenname(tag);
    const bool still = true;
    const CQString keine;
    return datenbank->gib_anzahl_records(&tabelle, still, &keine);
}

namespace {

// The id and name column tags of the tables whose rows a list shows by name; false for another.
bool namensspalten(int tag, int& id_tag, int& name_tag)
{
    if (tag == bv_tag::gruppen) {
        id_tag = bv_tag::grp_id;
        name_tag = bv_tag::grp_name;
        return true;
    }
    if (tag == bv_tag::anwender) {
        id_tag = bv_tag::anw_id;
        name_tag = bv_tag::anw_name;
        return true;
    }
    return false;
}

// "(<id column>=?)" of the group or user table, the number appended to `werte`; empty for another
// table or without a description of it.
QString nummernbedingung(const CBVDataBase& bv, int tag, int nummer, QVariantList& werte)
{
    int id_tag = 0;
    int name_tag = 0;
    const CDBTabelle* beschreibung = bv.gib_datenbank() && bv.gib_struktur() ? bv.gib_struktur()->gib_tabelle(tag) : nullptr;
    if (!beschreibung || !namensspalten(tag, id_tag, name_tag))
        return QString();
    werte.append(nummer);
    return QStringLiteral("(%1=?)").arg(beschreibung->gib_spaltenname(id_tag));
}

} // namespace

QString CBVDataBase::zeile_mit_nummer(int tag, int nummer, const QString& name, QVariantList& werte) const
{
    if (datenbank && gib_struktur() && !datenbank->gibt_nummern_einmal(gib_struktur()->gib_tabellenname(tag)))
        return zeile_mit_namen(tag, nummer, name, werte);
    return nummernbedingung(*this, tag, nummer, werte);
}

QString CBVDataBase::zeile_mit_namen(int tag, int nummer, const QString& name, QVariantList& werte) const
{
    const QString bedingung = nummernbedingung(*this, tag, nummer, werte);
    if (bedingung.isEmpty())
        return QString();
    int id_tag = 0;
    int name_tag = 0;
    namensspalten(tag, id_tag, name_tag);
    const QString spalte = gib_struktur()->gib_tabelle(tag)->gib_spaltenname(name_tag);
    // A list shows a name the table does not hold (NULL) as an empty text.
    if (name.isEmpty())
        return bedingung + QStringLiteral(" AND (%1 IS NULL OR %1='')").arg(spalte);
    return bedingung + QStringLiteral(" AND ") + datenbank->sql_haelt_wert(spalte, name, werte);
}

namespace {

// The records of the table that meet `bedingung` (empty: -1, as without a description).
int zaehle(const CCDataBase* datenbank, const CQString& tabelle, const QString& bedingung, const QVariantList& werte)
{
    if (!datenbank || bedingung.isEmpty())
        return -1;
    const CQString wo(QStringLiteral("WHERE ") + bedingung);
    return datenbank->gib_anzahl_records(&tabelle, false, &wo, werte);
}

} // namespace

int CBVDataBase::gib_anzahl_records(int tag, int nummer, const QString& name) const
{
    QVariantList werte;
    const QString bedingung = zeile_mit_namen(tag, nummer, name, werte);
    return zaehle(datenbank.get(), gib_struktur() ? gib_struktur()->gib_tabellenname(tag) : CQString(), bedingung, werte);
}

int CBVDataBase::gib_anzahl_nummer(int tag, int nummer, const QString& name) const
{
    QVariantList werte;
    const QString bedingung = zeile_mit_nummer(tag, nummer, name, werte);
    return zaehle(datenbank.get(), gib_struktur() ? gib_struktur()->gib_tabellenname(tag) : CQString(), bedingung, werte);
}

int CBVDataBase::gib_anzahl_namen(int tag, const QString& name, int ausser) const
{
    int id_tag = 0;
    int name_tag = 0;
    const CDBTabelle* beschreibung = datenbank && gib_struktur() ? gib_struktur()->gib_tabelle(tag) : nullptr;
    if (!beschreibung || !namensspalten(tag, id_tag, name_tag))
        return -1;
    const CQString tabelle = gib_struktur()->gib_tabellenname(tag);
    const QString spalte = beschreibung->gib_spaltenname(name_tag);
    const QString nummer = beschreibung->gib_spaltenname(id_tag);
    const CQString bedingung(QStringLiteral("WHERE (%1=?) AND (%2<>?)").arg(spalte, nummer));
    const int gleiche = datenbank->gib_anzahl_records(&tabelle, false, &bedingung, {name, ausser});
    if (gleiche != 0)
        return gleiche;
    // The table's key knows only equal names; those a reader cannot tell from it count too.
    QVector<QVariantList> zeilen;
    if (!datenbank->lies_zeilen(CQString(QStringLiteral("SELECT %1 FROM %2 WHERE %3<>?").arg(spalte, tabelle, nummer)),
                                CQString("gib_anzahl_namen"), tabelle, zeilen, nullptr, {ausser}))
        return -1;
    const QString gestalt = gestalt_des_namens(name);
    return int(std::count_if(zeilen.cbegin(), zeilen.cend(), [&gestalt](const QVariantList& zeile) {
        return !zeile.isEmpty() && gestalt_des_namens(zeile.first().toString()) == gestalt;
    }));
}

bool CBVDataBase::pruefe_tabelle(int tag, QStringList liste, bool) const
{
    if (!datenbank || !gib_struktur())
        return false;
    const CQString tabelle = gib_struktur()->gib_tabellenname(tag);
    return datenbank->Tabellencheck(&tabelle, gib_struktur()->gib_tabelle(tag), &liste, nullptr);
}

void CBVDataBase::erfasse_autoinkrement(int tag) const
{
    if (!datenbank || !gib_struktur() || datenbank->gib_art() != CCDataBase::art_mysql)
        return;
    const CDBTabelle* const beschreibung = gib_struktur()->gib_tabelle(tag);
    if (!beschreibung)
        return;
    const int id_tag = beschreibung->gib_id_spalte();
    if (id_tag == NICHT_GESETZT)
        return;
    const QString tabelle = gib_struktur()->gib_tabellenname(tag);
    const QString spalte = beschreibung->gib_spaltenname(id_tag);
    const QSqlField feld = datenbank->gib_datenbank().record(tabelle).field(spalte);
    if (feld.isValid() && feld.isAutoValue())
        datenbank->setze_autoinkrement_spalte(tabelle, spalte);
}

CBVDataBase* gib_bv_datenbank()
{
    return aktuelle_bv;
}

CCDataBase* gib_bv_ccdatabase()
{
    return aktuelle_datenbank;
}

CDBTabelle* gib_bv_anwendertabelle()
{
    return aktuelle_anwendertabelle;
}

void setze_bv_datenbank(CBVDataBase* bv)
{
    aktuelle_bv = bv;
    aktuelle_datenbank = bv ? bv->gib_datenbank() : nullptr;
    aktuelle_anwendertabelle = bv && bv->gib_struktur() ? bv->gib_struktur()->gib_tabelle(bv_tag::anwender) : nullptr;
}

bool datenbank_verbunden()
{
    return aktuelle_datenbank && aktuelle_bv && aktuelle_bv->gib_struktur() && aktuelle_datenbank->ist_verbunden();
}

bool pruefe_datenbankverbindung(bool melden)
{
    if (datenbank_verbunden())
        return true;
    if (melden)
        frage_mit_knoepfen(gib_hauptfenster(), QMessageBox::Information,
                           QCoreApplication::translate("CBVDataBase", "Kelmor"),
                           QCoreApplication::translate("CBVDataBase",
                                                       "Funktion nur verfügbar, wenn Datenbank verbunden ist."),
                           {QStringLiteral("OK")}, 0, 0);
    return false;
}

CBVDataBase* gib_bv_datenbank_oder_melde()
{
    if (aktuelle_bv && aktuelle_datenbank && aktuelle_bv->gib_struktur())
        return aktuelle_bv;
    pruefe_datenbankverbindung(true);
    return nullptr;
}

bool pruefe_namen(QWidget* eltern, const QString& name, const QString& feld)
{
    if (!hat_unsichtbare_zeichen(name))
        return true;
    fehler_ton();
    const QString maskiert = maskiere_steuerzeichen(name);
    const QString text =
        feld.isEmpty()
            ? QCoreApplication::translate("CBVDataBase", "Der Name '%1' enthält Steuerzeichen und wird nicht gespeichert !")
                  .arg(maskiert)
            : QCoreApplication::translate("CBVDataBase", "%1 '%2' enthält Steuerzeichen und wird nicht gespeichert !")
                  .arg(feld, maskiert);
    meldung_kritisch(eltern, gib_meldungstitel(), CQString(text));
    return false;
}

int gib_bv_spaltenbreite(const CDBTabelle* tabelle, int tag)
{
    if (!tabelle)
        return 0;
    const int breite = tabelle->gib_laenge(tag, 0);
    if (breite > 0 && breite != NICHT_GESETZT)
        return breite;
    return aktuelle_datenbank ? aktuelle_datenbank->spalten_laenge(tabelle->gib_spaltentyp(tag)) : 0;
}
