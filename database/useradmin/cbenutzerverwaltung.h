// The user administration window: the lock list of logged-on users, the user table, the access groups and the database settings, a tab each.
#pragma once

#include <QDialog>

class CAnwenderListe;
class CBVDataBase;
class CDbBVsetting;
class CGruppenListe;
class CQTableView;
class QLabel;
class QModelIndex;
class QStandardItemModel;
class QTabWidget;
class QVBoxLayout;

// The database pages stay disabled while no user-administration database is connected; every
// page is refreshed when it becomes current. GUI thread only.
class CBenutzerVerwaltung : public QDialog
{
    Q_OBJECT
public:
    // With "/Privat/BVDB-Verbindung" on and no log-on yet, logs on with the stored settings first.
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
    // Replaced whenever it no longer matches the connection or the groups (see `anwender_seite`).
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

private:
    // Builds the user table window again when it was built for another database object or
    // before the groups changed: its columns and group choices are taken when it is built.
    void pruefe_anwenderliste();
    void schalte_seiten();

    QWidget* anwender_seite = nullptr;
    QVBoxLayout* anwender_raster = nullptr;
    const CBVDataBase* anwender_basis = nullptr;
    bool gruppen_geaendert = false;
};
