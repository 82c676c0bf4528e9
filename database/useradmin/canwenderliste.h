// The user table window of the user administration: the grid of all users, their edit and search fields, and the user lookups by name.
#pragma once

#include "cqstring.h"

#include <QHash>
#include <QMap>
#include <QStringList>
#include <QVariantList>
#include <QVector>
#include <QWidget>

class CCDataBase;
class CComboBox;
class CDBTabelle;
class CKlasse;
class CLineEdit;
class CQTableView;
class CTable;
class QCheckBox;
class QMenu;
class QPushButton;
class QSqlQuery;

// The grid holds one row per user of the user table; column 0 is always the user number, every
// other column's position is one of the `sp_*` members (-1 when not shown). The edit state below
// always describes the user of the current row (or the one being entered). GUI thread only.
class CAnwenderListe : public QWidget
{
    Q_OBJECT
public:
    explicit CAnwenderListe(QWidget* eltern = nullptr);
    ~CAnwenderListe() override;

    // Reads the user table into the grid, sorted by user name; false, after a box, when it could not
    // be read (the grid stays as it was).
    bool lade_tabelle();
    void lade_zeile(int zeile);
    void setze_bearbeitungsmodus(bool vorhanden);
    void waehle_zeile(int zeile, bool zeigen, bool vorher_aufheben);
    void ergaenze_abteilung(const CQString& text);
    void zeige_aktuellen_anwender();
    void pruefe_auswahl(const bool& ohne_neuwahl);
    // Asks, deletes the row (only while the user of the number still bears the name and is not
    // logged on), logs; true when the row was deleted.
    bool anwender_loeschen(int nummer, bool angemeldet, const CQString& name);
    // The menu the right mouse button opens; its first action deletes `DeleteItem`'s row.
    QMenu* baue_kontextmenue();
    // Whether the edit fields hold what the administrator typed and no add or change has stored:
    // a change of the loaded user, or anything typed for a new one.
    bool hat_ungesicherte_eingaben();
    // Stores the typed edits as "&Ändern" (a loaded user) or "Hinzufügen" (a new one) would; true
    // when they are stored. A refused write or a new user without a name (each with its box)
    // leaves them in the fields.
    bool sichere_eingaben();
    // Takes the changed access-group list into the group choices and the grid; the edit fields
    // keep what is in them.
    void nimm_gruppen_neu();

    // The fields with room for ten rows of the grid below them.
    QSize sizeHint() const override;

    CTable* gib_tabelle() const { return tabelle; }
    // The departments shared by every user window, sorted and unique.
    static QStringList& abteilungen();

    // Edit state.
    int anw_id = -1;
    int grp_id = -1;
    CQString anw_name, anw_recht, anw_lang, anw_abteilung, anw_telefon, anw_telefax, anw_email, anw_host,
        anw_bemerkung, anw_kennwort;
    bool tabelle_aendert = false;
    bool blockiert = false;
    bool laedt = false;
    bool anwender_vorhanden = false;
    // The row of the last 10007 event the window took.
    int ereignis_zeile = -1;

    // Grid columns.
    int sp_gruppe = -1, sp_lock = -1, sp_name = -1, sp_recht = -1, sp_kennwort = -1, sp_kennwort_marke = -1,
        sp_gruppenname = -1, sp_lang = -1, sp_abteilung = -1, sp_telefon = -1, sp_telefax = -1, sp_email = -1,
        sp_host = -1, sp_bemerkung = -1;

    // Widgets. Edit fields: e*; search check boxes: k*; search fields: s*.
    CLineEdit *eName = nullptr, *eLang = nullptr, *eTelefon = nullptr, *eTelefax = nullptr, *eEMail = nullptr,
              *eBemerkung = nullptr;
    CComboBox *cGruppe = nullptr, *cRecht = nullptr, *cAbteilung = nullptr;
    QCheckBox *kName = nullptr, *kGruppe = nullptr, *kRecht = nullptr, *kLang = nullptr, *kAbteilung = nullptr,
              *kTelefon = nullptr, *kTelefax = nullptr, *kEMail = nullptr, *kHost = nullptr;
    CLineEdit *sName = nullptr, *sLang = nullptr, *sTelefon = nullptr, *sTelefax = nullptr, *sEMail = nullptr,
              *sHost = nullptr;
    CComboBox *sGruppe = nullptr, *sRecht = nullptr, *sAbteilung = nullptr;
    QPushButton *bAdd = nullptr, *bChange = nullptr, *bDelete = nullptr, *bKennwort = nullptr;

    // Fills the view with one row per user holding a lock: number, name, the full name and the
    // department when this window shows them, group name, the dates of columns 32 and 33. Returns
    // the rows read; -1, after a box, when the user table could not be counted or read: a failed
    // read is never shown as nobody locked. 0 without a user-administration database.
    int upd_tab_lock_user(CQTableView* view);

public slots:
    void fcopybutton_clicked();
    void fmarkbutton_clicked();
    virtual void changeUser();
    virtual void changeUserlang();
    virtual void changeTelefon();
    virtual void changeTelefax();
    virtual void changeEMail();
    virtual void changeBemerkung();
    void addEntry();
    void changeKennwort();
    void changeEntry();
    void deleteEntry();
    void changeGroup(int index);
    void changeAbteilung(int index);
    void changeAbteilungText();
    void toggleUser();
    void toggleGruppe();
    void toggleRecht();
    void toggleUserlang();
    void toggleAbteilung();
    void toggleTelefon();
    void toggleTelefax();
    void toggleEMail();
    void toggleHostname();
    void findEntries();
    void DeleteItem();
    void EditBemerkung();
    void tableHeaderClicked_slot(int spalte);
    void ZelleGewechselt(int arowc, int acolc, int arowp, int acolp);
    void table_mouseReleaseEvent();
    void ff3button_clicked();

protected:
    // Takes the 10007 event that `ZelleGewechselt` posts to the window itself.
    bool event(QEvent* ereignis) override;

private:
    // The optional columns in statement order: tag, grid column, edit-state text.
    struct Optional
    {
        int tag;
        int* spalte;
        CQString* wert;
    };
    QVector<Optional> optionale();
    // The edit state a loaded row goes over: ids, the chosen right, the stored password and the
    // optional texts in `optionale()` order.
    struct Eingabe
    {
        int anw_id = -1;
        int grp_id = -1;
        CQString recht;
        CQString kennwort;
        QVector<CQString> texte;
    };
    // The edit state as an `Eingabe` (the right as the rights choice shows it).
    Eingabe eingabe();
    void merke_eingabe();
    // Back to what was entered before the last row was loaded (empty fields when nothing was; after
    // an add, empty fields in the group and with the right of the user added).
    void stelle_eingabe_wieder_her();
    // Shows the edit state in the edit and search fields, the user name excepted; the group
    // choices show item `ohne_gruppe` (-1: none) when the group is not among them.
    void fuelle_felder(int ohne_gruppe);
    // Deletes the user of the row (`anwender_loeschen` asks first); then the row goes and the name is emptied.
    void entferne_zeile(int zeile);
    void baue_oberflaeche();
    // `addEntry` and `changeEntry`: true when the row was written (or, for a change, nothing was
    // changed).
    bool fuege_hinzu();
    bool aendere();
    // The first row lying in a selected range; -1 for none.
    int erste_markierte_zeile() const;
    // The row whose column 0 holds the user number; -1 for none.
    int zeile_von(int nummer) const;
    int zeile_mit_name(const QString& name) const;
    // The box "Fehler beim Zugriff auf Anwendertabelle !", with the cause (a missing right) below
    // when there is one.
    void fehler_anwendertabelle(const QString& titel, const QString& ursache = QString());
    // The group choices filled from the access-group list.
    void fuelle_gruppenauswahl();
    // "FROM <group table> WHERE <the group numbered `gruppe`>" (`CBVDataBase::zeile_mit_nummer`:
    // also one that another administrator has renamed since the choices were filled, where numbers
    // are never given twice), locked against a concurrent delete, its values appended to `werte`: a
    // statement that reads its values from it writes nothing once the group is gone.
    CQString gruppenquelle(int gruppe, QVariantList& werte) const;
    // The name of the group numbered `gruppe` in the access-group list; empty for none.
    QString gruppenname(int gruppe) const;
    // The name the grid shows for the user numbered `nummer`; the edit state's without such a row.
    QString gezeigter_name(int nummer) const;
    // The refusal to delete a user who is logged on (`angemeldet`), or as whom this program is.
    void melde_nicht_loeschbar(bool angemeldet, const CQString& name);
    // Says that the user table could not be read, and shows the grid as it can be read now.
    void melde_unlesbar();
    void melde_vorhanden(const CQString& name);
    // Says that the user needs a group from the choices.
    void melde_gruppe_waehlen();
    // Says that the group is gone, and shows the groups and the grid as they are now.
    void melde_gruppe_fehlt(int gruppe);
    // Says that the user is gone and reloads the grid; the current user's edit state is cleared.
    void melde_verschwunden(int nummer, const CQString& name);
    // Says that another administrator has changed the user since he was shown, reloads the grid and,
    // for the current user, the edit fields, keeping what was typed into them.
    void melde_geaendert(int nummer, const CQString& name);
    // False when the statement, which carried the values shown, touched no row: after
    // `melde_verschwunden` when the user is gone or his number holds another name now, after
    // `melde_geaendert` when he is there with other values, after `melde_unlesbar` when that cannot
    // be told.
    // A write run a second time after its first run's answer was lost (`wurde_wiederholt`) is
    // written when the row holds the values `gesendet` (by tag); else the box says so plainly.
    bool ist_geschrieben(const QSqlQuery& abfrage, int nummer, const CQString& name,
                         const QHash<int, QVariant>& gesendet);
    // Writes the edit state's shown values into the row (not the password columns), and `gelesen`
    // (column tag to the value written) as the values the row holds.
    void schreibe_zeile(int zeile, const QHash<int, QVariant>& gelesen);
    // The grid column of a user-table column; -1 when the grid does not show it.
    int spalte_von(int tag);
    // The value read from the table for a cell (kept beside its text); invalid for a NULL.
    QVariant gelesen(int zeile, int spalte) const;
    // Remembers the row as the edit fields show it now, when it is loaded or written.
    void merke_geladen(int zeile);
    // Writes the remark of the grid row as `EditBemerkung` was given it; false only where the
    // database refused the statement (with its box), true also where the user was gone or changed
    // meanwhile (said and reloaded).
    bool schreibe_bemerkung(int zeile, const CQString& alt, const CQString& neu);
    // False, after the box of `pruefe_namen`, when the text of the optional column holds a control
    // or invisible character.
    bool pruefe_text(const Optional& feld);
    // "<id>=? AND" every column the edit fields show (the host and password excepted) still holding
    // the value read for the loaded user, its values appended to `werte`.
    QString haelt_geladen(QVariantList& werte);
    void schalte(QCheckBox* kasten, QWidget* feld);

    CTable* tabelle = nullptr;
    QVector<int> gruppennummern;
    Eingabe eingabe_vor_laden;
    // The loaded user as the edit fields showed him: what the administrator changed is told from
    // `gezeigt` and `name`; a write goes only where the row still holds `gelesen`, the values read
    // (by column tag).
    struct Geladen
    {
        Eingabe gezeigt;
        CQString name;
        // Ordered: the statement reads the same at every write.
        QMap<int, QVariant> gelesen;
    };
    Geladen geladen;
};

// Clears the lock mark of the user and, with `mit_abmeldezeit`, stores the log-off time. True only
// when the statement ran and succeeded; false while the user administration is not active, for
// the user number -1, without user table, and after a failure (which shows its box).
bool logoff(const int& nummer, const bool& mit_abmeldezeit);
// The lock removal of a row of the lock list: clears the lock mark of the user numbered `nummer`
// only while he still bears the name the row shows, so that a stale row never unlocks another
// user who has taken the number since. 1 when removed, 0 when no such user is there any more, -1
// when `logoff` would return false (a failure shows its box).
int entferne_lock(int nummer, const QString& name);
// True when "/Kelmor/Windows_auto_Login" is set.
bool gib_windows_auto_login();
// The result column of the row whose name column holds the user name; empty when there is none
// or on any failure.
CQString gib_anwender_email(const CQString& anwender, const int& ergebnis_tag, const int& name_tag);
// The class-registry entry of the user-administration window.
CKlasse* gib_klasse_benutzerverwaltung();
