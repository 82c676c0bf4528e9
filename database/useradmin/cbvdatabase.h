// The user-administration database object, the process-wide pointers the log-on sets, and the connection test of the administration windows.
#pragma once

#include "cbasis.h"
#include "ccdatabase.h"
#include "cqstring.h"

#include <QCoreApplication>
#include <QStringList>
#include <QVariantList>
#include <memory>

class CBVStruktur;
class CDBDatenstruktur;
class CDBTabelle;
class QWidget;

// A database object and the table structure of the administration tables, both owned.
class CBVDataBase : public CObjekt
{
    FRAMEWORK_KLASSE(CObjekt)
    // The log-on's and the connection test's messages.
    Q_DECLARE_TR_FUNCTIONS(CBVDataBase)
public:
    CBVDataBase(std::unique_ptr<CCDataBase> datenbank, std::unique_ptr<CBVStruktur> struktur);
    ~CBVDataBase() override;

    void ausgabe(std::ostream& os) const override;

    CCDataBase* gib_datenbank() const { return datenbank.get(); }
    // Null without a structure.
    CDBDatenstruktur* gib_struktur() const;

    // -1 without database object or structure; else the record count of the tagged table,
    // negative when it cannot be read (it does not exist).
    int gib_anzahl_records(int tag) const;
    // The condition that picks the row numbered `nummer` of the group or user table that a list
    // showed under `name`, its values appended to `werte`: by its number alone where the table's
    // numbers are never given twice (`CCDataBase::gibt_nummern_einmal`), so that a row renamed since
    // is the same row; else as `zeile_mit_namen`, since the number of a row deleted since may then
    // name a new one. Empty for another table or without a description of it.
    QString zeile_mit_nummer(int tag, int nummer, const QString& name, QVariantList& werte) const;
    // That row only while its name column still holds `name` exactly (case and trailing blanks
    // count), as a list showed it: another administrator may have deleted that row, and an older
    // program gives its number to the next new one. Its values are appended to `werte` in order;
    // an empty name stands for a row without one.
    QString zeile_mit_namen(int tag, int nummer, const QString& name, QVariantList& werte) const;
    // The records of that condition (0 or 1); -1 without a description of the table, or when they
    // cannot be counted (reported).
    int gib_anzahl_records(int tag, int nummer, const QString& name) const;
    // The records of `zeile_mit_nummer` (0 or 1); -1 as above.
    int gib_anzahl_nummer(int tag, int nummer, const QString& name) const;
    // The records of the group or user table that hold `name`, or where there are none, a name
    // that looks like it (`gestalt_des_namens`), the one numbered `ausser` not counted; -1 when
    // they cannot be counted (reported).
    int gib_anzahl_namen(int tag, const QString& name, int ausser = -1) const;
    // The table check of the tagged table (missing columns are added), its messages appended to
    // `liste`; false without database object. `flag` has no meaning of its own here.
    bool pruefe_tabelle(int tag, QStringList liste, bool flag) const;
    // MySQL: numbers new records of the tagged table through AUTO_INCREMENT when the server reports
    // the id column as auto-numbered, so that two administrators adding at once cannot clash.
    void erfasse_autoinkrement(int tag) const;

private:
    std::unique_ptr<CCDataBase> datenbank;
    std::unique_ptr<CBVStruktur> struktur;
};

// The current user-administration database, its database object and the description of the
// user table: all null until the log-on sets them. GUI thread only.
CBVDataBase* gib_bv_datenbank();
CCDataBase* gib_bv_ccdatabase();
CDBTabelle* gib_bv_anwendertabelle();
// Sets the three pointers from `bv` (null clears them); the object stays the caller's.
void setze_bv_datenbank(CBVDataBase* bv);

// True when the database object and the current CBVDataBase with a structure exist and the
// connection is valid and open.
bool datenbank_verbunden();
// `datenbank_verbunden`; when false and `melden` is set, an information box says so.
bool pruefe_datenbankverbindung(bool melden);
// The current user-administration database with its structure; null, after the box of
// `pruefe_datenbankverbindung`, when there is none (never logged on, or a later log-on failed and
// gave it up): an action of an administration window without a database says so.
CBVDataBase* gib_bv_datenbank_oder_melde();
// False, after a beep and a critical box naming it, for a user or group name that holds a control
// character or an invisible format character: MariaDB cuts a name at a NUL, the others keep what
// no list or log line shows, and a name with a zero-width or direction character would stand
// beside the one it looks like, in the grid and in the delete question. With `feld`, the text of
// that field (a district, a telephone number) is refused alike, the box naming the field.
bool pruefe_namen(QWidget* eltern, const QString& name, const QString& feld = QString());
// The characters an edit field of the table's column may hold: its declared width, else its
// type's standard width on the current database; 0 for no limit.
int gib_bv_spaltenbreite(const CDBTabelle* tabelle, int tag);
