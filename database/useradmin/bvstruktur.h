// The table layout of the user administration: built in, overridden by the system file "benutzerverwaltung_data.inf".
#pragma once

#include "cdbdatenstruktur.h"
#include "cdbtabelle.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>
#include <vector>

// Table and column tags of the administration tables.
namespace bv_tag {
constexpr int gruppen = 0;
constexpr int anwender = 1;
constexpr int verwaltung = 3;
constexpr int vorlage = 4;
constexpr int protokoll = 8;

constexpr int grp_id = 10;
constexpr int grp_name = 20;
constexpr int anw_id = 11;
constexpr int anw_gruppe = 30;
constexpr int anw_lock = 31;
constexpr int anw_login = 32;
constexpr int anw_logoff = 33;
constexpr int anw_name = 34;
constexpr int anw_kennwort = 35;
constexpr int anw_recht = 36;
constexpr int anw_langname = 37;
constexpr int anw_abteilung = 38;
constexpr int anw_telefon = 39;
constexpr int anw_telefax = 40;
constexpr int anw_email = 41;
constexpr int anw_host = 47;
constexpr int anw_bemerkung = 48;
constexpr int vw_id = 13;
constexpr int vor_id = 14;
constexpr int vor_schluessel = 70;
constexpr int vor_wert = 71;
constexpr int vor_flag = 72;
} // namespace bv_tag

// The system file's name, as every message about the layout names it.
inline const char* const bv_strukturdatei = "benutzerverwaltung_data.inf";

struct CBVSpalte
{
    int tag = 0;
    QString name;
    int typ = 0;
    int laenge = 0;
    QString typtext;
    QString titel;
};

struct CBVTabellenentwurf
{
    QString name;
    QVector<CBVSpalte> spalten;
};

// Table tag to table, in tag order.
using CBVEntwurf = QMap<int, CBVTabellenentwurf>;

// The built-in layout: lower-case, prefixed names that no back end reserves.
CBVEntwurf gib_bv_grundentwurf();

// Applies the lines of a structure file to the layout. Format: UTF-8 lines of fields separated
// by ";", blank lines and lines starting with "#" ignored; a table line "tag;name" names or adds
// a table, a column line "table tag;column tag;name;type code;length;type text;GUI title" replaces
// or adds a column. A line that cannot be taken changes nothing; its message, naming `dateiname`
// and the line number, is appended to `meldungen`.
void wende_strukturtext_an(const QByteArray& inhalt, const QString& dateiname, CBVEntwurf& entwurf,
                           QStringList& meldungen);

// The structure with its table descriptions, which it owns.
class CBVStruktur
{
    // The messages of the system file and the built-in column titles.
    Q_DECLARE_TR_FUNCTIONS(CBVStruktur)
public:
    explicit CBVStruktur(const CBVEntwurf& entwurf);
    CBVStruktur(const CBVStruktur&) = delete;
    CBVStruktur& operator=(const CBVStruktur&) = delete;

    CDBDatenstruktur* gib_datenstruktur() { return &struktur; }

private:
    CDBDatenstruktur struktur;
    std::vector<std::unique_ptr<CDBTabelle>> tabellen;
};

// The title of the described column for a window: a built-in title in the program's language, a
// title the system file gives as it stands there.
QString gib_bv_titel(const CDBTabelle& tabelle, int tag);

// The built-in layout with the system file of `verzeichnis` applied when it exists; every refused
// line is logged as an error and appended to `meldungen`.
std::unique_ptr<CBVStruktur> baue_bv_struktur(const QString& verzeichnis, QStringList& meldungen);
