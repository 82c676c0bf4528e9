// The user administration window: the lock list of logged-on users, the user table, the access groups and the database settings, a tab each.
#pragma once

#include <QDialog>

class CAnwenderListe;
class CBVDataBase;
class CDbBVsetting;
class CGruppenListe;
class CQTableView;
class QLabel;
class QKeyEvent;
class QModelIndex;
class QStandardItemModel;
class QTabWidget;
class QVBoxLayout;

// The database pages stay disabled while no user-administration database is connected; every
// page is refreshed when it becomes current. Ctrl+PgDown and Ctrl+PgUp turn the pages from
// anywhere in them. GUI thread only.
class CBenutzerVerwaltung : public QDialog
{
    Q_OBJECT
public:
    // With "/Privat/BVDB-Verbindung" on and no log-on yet, logs on with the stored settings first.
    // Before any database is set up (`bv_eingerichtet`), it opens at the settings page instead,
    // saying nothing. Its default size gives the user page's grid room for ten rows where the
    // screen has it.
    explicit CBenutzerVerwaltung(QWidget* eltern = nullptr);
    ~CBenutzerVerwaltung() override;

    // Enables the lock page and fills it while connected, else disables it.
    void aktualisiere_lockliste();

    enum Seite { seite_locks = 0, seite_anwender, seite_gruppen, seite_einstellungen };

    QTabWidget* reiter = nullptr;
    QWidget* lockseite = nullptr;
    QLabel* lockanzahl = nullptr;
    CQTableView* lockliste = nullptr;
    QStandardItemModel* lockmodell = nullptr;
    // Replaced whenever it no longer matches the connection (see `anwender_seite`).
    CAnwenderListe* anwender = nullptr;
    CGruppenListe* gruppen = nullptr;
    CDbBVsetting* einstellungen = nullptr;
    // -1 when the list could not be read.
    int gesperrte = 0;

public slots:
    virtual void slotCurrentChanged(int index);
    virtual void slotFertig();
    virtual void slotCurrentChangedsub(int index);
    // The lock list's click: after a right-button press it opens the menu that removes the lock.
    void itemSelected(const QModelIndex& index);
    // Removes the lock of the user of the first selected row, only while the user of its number
    // still bears the name shown; else says so. The list is read again either way.
    void DeleteLock();
    // Every road that closes the window (Escape, Alt+F4, the close button, "&Fertig") comes here:
    // edits typed on the user or group page and not saved are saved, dropped or kept as asked.
    void reject() override;

protected:
    // Return in a field of a page never reaches a button of the window: it closed the window and
    // dropped what was typed. A focused button still takes it.
    void keyPressEvent(QKeyEvent* ereignis) override;

private:
    // Builds the user table window again when it was built for another database object, or a log-on
    // or log-off of the settings page has come since (a new object may take the old one's
    // address): its columns are taken when it is built. It takes the place of the old one in the
    // Tab order. True when it was built anew.
    bool pruefe_anwenderliste();
    // Asks for each page holding edits not saved whether to save them; false to keep the window.
    bool darf_schliessen();
    void schalte_seiten();
    // Reads the access-group list for a page that offers groups (with `melden`, a failure in its
    // box); false when the window went meanwhile (the read waits beside it, and the window answers).
    bool lies_gruppen(bool melden);
    // After a page switch, with the window in view: the keyboard in a control of the page that is
    // in view (the group page's choice of its open tab), never in a hidden or deleted one.
    void zeige_fokus();

    QWidget* anwender_seite = nullptr;
    QVBoxLayout* anwender_raster = nullptr;
    const CBVDataBase* anwender_basis = nullptr;
    // Set by a log-on or log-off of the settings page: the edits there were answered already.
    bool anwender_veraltet = false;
};
