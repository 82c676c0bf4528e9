// The page of the user administration that lists, adds, renames, deletes and searches the access groups.
#pragma once

#include "cbasis.h"
#include "cqstring.h"

#include <QVector>
#include <QWidget>

class CCDataBase;
class CComboBox;
class CDBTabelle;
class CQTableView;
class QGridLayout;
class QLabel;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QSqlQuery;
class QTabWidget;

class CGruppenListe : public QWidget
{
    Q_OBJECT
public:
    static CKlasse* klasse;

    // Builds the page when a user-administration database is current (reading the access-group
    // list); else `lade_gruppen` does later.
    explicit CGruppenListe(QWidget* eltern = nullptr);
    ~CGruppenListe() override;

    // Reads the group table into the list (building the page first when needed).
    void lade_gruppen();
    // Reloads the list and refills both choices from the access-group list; edits typed and not
    // stored stay in the fields.
    void aktualisiere_gruppen();
    // Deletes the group of a list row after the user count and the question.
    void loesche_gruppe(int zeile);
    // No current group, empty edit fields.
    void leere_eingabe();
    // Gives the choice of the tab that is open (the edit choice, or the search choice) the focus,
    // while the page is in view; false when it did not (not built, hidden or disabled).
    bool fokus_auf_auswahl();

    int gib_aktuelle_gruppe() const { return aktuelle_gruppe; }
    // Whether the edit page holds what the administrator typed and no add or change has stored:
    // other values for the chosen group, or a name no group has (with its values).
    bool hat_ungesicherte_eingaben() const;
    // Stores them as "&Ändern" (the current group, renamed where its name was edited) or
    // "Hinzufügen" (no current group) would; true when they are stored. A refused write (with its
    // box) leaves them in the fields.
    bool sichere_eingaben();

signals:
    // After every stored add, rename or delete, once the access-group list is read again: the
    // group choices of the other administration pages refill from it.
    void gruppen_geaendert();

public slots:
    void addEntry();
    void changeEntry();
    void deleteEntry();
    void changeGroup(int index);
    void textGroup(const QString& text);
    void tabrowSelected(const QModelIndex& index);
    void findEntries();
    void DeleteItem();
    void changeBezirk();
    void changeTelefon();

private:
    // `addEntry` and `changeEntry`: true when the row was written (or, for a change, nothing was
    // changed).
    bool fuege_hinzu();
    bool aendere();
    void baue_gruppenliste();
    void baue_gruppentabelle();
    void baue_gruppenseite();
    // The group table of the current user-administration database; null without one.
    static CDBTabelle* gruppentabelle();
    // The group table, its database object and its name for a statement of the page; false without
    // them (without a log-on after the box that says so).
    bool gib_gruppentabelle(const CDBTabelle*& tabelle, const CCDataBase*& db, CQString& tabellenname) const;
    // The list row whose name cell equals the text, or whose column 0 holds the number; -1 for none.
    int finde_namenszeile(const QString& name) const;
    int finde_gruppenzeile(int nummer) const;
    // Selects the row alone and takes it as chosen: its values replace those of the edit fields.
    void waehle_zeile(int zeile);
    // The group of the choice's item `index` (as chosen there) shown with its values.
    void zeige_gruppe(int index);
    // The group that bears the name typed becomes the current one, with its values where the
    // fields still show the former current group's; what was typed into them stays. Sets the buttons.
    void nimm_getippten_namen(const QString& text);
    // The name, district and telephone of a list row (empty for -1 and for a column not there).
    QStringList werte_der_zeile(int zeile) const;
    // The same three as the edit fields hold them.
    QStringList eingegebene_werte() const;
    // Shows the three in the edit fields and selects the current group's row.
    void zeige_werte(const QStringList& werte);
    void setze_knoepfe(bool vorhanden);
    // A failed statement of the page: the report under the page's class and the critical box.
    void melde_fehler(const QSqlQuery& abfrage, const CQString& sql, const CQString& methode);
    // The box "Fehler beim Zugriff auf Gruppentabelle !", with the cause (a missing right) below
    // when there is one.
    void melde_gruppentabelle(const QString& ursache = QString());
    // Re-reads the access-group list after a stored change, refreshes the page and tells the others.
    void gruppen_neu_gelesen();
    // The trimmed name of the edit choice, cut to the column's width in characters; empty (with a
    // box) when nothing is left, or when it, the district or the telephone holds a control character.
    CQString geprueften_namen();
    // The refusal to delete a group that `anwender` users are in.
    static QString belegt_text(const QString& name, int anwender);
    // Whether the group table still holds the group numbered `nummer` that the list showed as
    // `name` (`CBVDataBase::zeile_mit_nummer`: renamed or not, where numbers are never given twice);
    // when not, says so for that name (gone, or the table not readable) and refreshes the page.
    bool ist_da(int nummer, const QString& name);
    // Says that a group of the name is there already, and refreshes the page.
    void melde_vorhanden(const QString& name);
    // The box for a user count that could not be read.
    static void melde_anwender_unlesbar();
    // Says that the group is gone (another administrator deleted it) and refreshes the page.
    void melde_verschwunden(const QString& name);
    // Says that another administrator has changed (or renamed) the group since the list showed it,
    // and refreshes the page.
    void melde_geaendert(const QString& name);

    QGridLayout* raster = nullptr;
    QTabWidget* reiter = nullptr;
    CQTableView* liste = nullptr;
    QLabel* ohne_tabelle = nullptr;
    QPushButton* hinzufuegen = nullptr;
    QPushButton* loeschen = nullptr;
    QPushButton* aendern = nullptr;
    QPushButton* suchen = nullptr;
    CComboBox* igruppe = nullptr;
    CComboBox* sgruppe = nullptr;
    QLineEdit* bezirk = nullptr;
    QLineEdit* telefon = nullptr;
    CQString bezirk_text;
    CQString telefon_text;
    QVector<int> nummern;
    int aktuelle_gruppe = -1;
    // The group chosen in a list or the table (or just added): a name typed over it renames it,
    // also after passing a name another group bears on the way.
    int gewaehlte_gruppe = -1;
    int pos_bezirk = -1;
    int pos_telefon = -1;
    int spaltenanzahl = 2;
    bool fuellen = false;
    bool vorhandene_gruppe = false;
    bool gebaut = false;
};
