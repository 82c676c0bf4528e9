#include "cbenutzerverwaltung.h"

#include "bilder.h"
#include "bvanmeldung.h"
#include "bvdbeinstellungen.h"
#include "canwender_passwort.h"
#include "canwenderliste.h"
#include "ccat.h"
#include "cbvdatabase.h"
#include "ccombobox.h"
#include "cdbbvsetting.h"
#include "cgruppenliste.h"
#include "cqmenu.h"
#include "cqtableview.h"
#include "ctable.h"
#include "gui.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QVBoxLayout>

CBenutzerVerwaltung::CBenutzerVerwaltung(QWidget* eltern) : QDialog(eltern)
{
    setObjectName(QStringLiteral("CBenutzerVerwaltung"));
    setWindowTitle(tr("Benutzerverwaltung"));
    // The pages below are built for the connection there is, so the log-on comes first.
    if (gib_bvdb_einstellungen().bvdb_verbindung.gib_wert() == JA && !datenbank_verbunden()) {
        const CQString fehler = bv_anmelden();
        if (!fehler.isEmpty())
            meldung_kritisch(this, gib_meldungstitel(), fehler);
    }

    auto* raster = new QVBoxLayout(this);
    reiter = new QTabWidget(this);
    raster->addWidget(reiter);

    lockseite = new QWidget(reiter);
    auto* lockraster = new QVBoxLayout(lockseite);
    auto* kopf = new QHBoxLayout;
    kopf->addWidget(new QLabel(tr("Angemeldete Anwender:"), lockseite));
    lockanzahl = new QLabel(QStringLiteral("0"), lockseite);
    kopf->addWidget(lockanzahl);
    kopf->addStretch();
    lockraster->addLayout(kopf);
    // Room for every cell a lock row can have; each refresh narrows the model to those shown.
    lockliste = new CQTableView(lockseite, 7);
    lockmodell = lockliste->gibModell();
    lockliste->setzeKlickBeiRechtsLoslassen(true);
    lockraster->addWidget(lockliste);
    connect(lockliste, &QAbstractItemView::clicked, this, &CBenutzerVerwaltung::itemSelected);
    reiter->addTab(lockseite, tr("Angemeldete Anwender"));

    anwender_seite = new QWidget(reiter);
    anwender_raster = new QVBoxLayout(anwender_seite);
    anwender_raster->setContentsMargins(0, 0, 0, 0);
    pruefe_anwenderliste();
    reiter->addTab(anwender_seite, tr("Anwender"));

    gruppen = new CGruppenListe(reiter);
    // The user window's group choices are taken when it is built: a changed group list rebuilds it.
    connect(gruppen, &CGruppenListe::gruppen_geaendert, this, [this] {
        gruppen_geaendert = true;
        pruefe_anwenderliste();
    });
    reiter->addTab(gruppen, tr("Gruppen"));

    einstellungen = new CDbBVsetting(reiter);
    reiter->addTab(einstellungen, tr("Einstellungen"));

    auto* knoepfe = new QDialogButtonBox(this);
    connect(knoepfe->addButton(tr("&Fertig"), QDialogButtonBox::AcceptRole), &QPushButton::clicked, this,
            &CBenutzerVerwaltung::slotFertig);
    raster->addWidget(knoepfe);

    connect(reiter, &QTabWidget::currentChanged, this, &CBenutzerVerwaltung::slotCurrentChanged);
    slotCurrentChanged(reiter->currentIndex());
}

CBenutzerVerwaltung::~CBenutzerVerwaltung() = default;

void CBenutzerVerwaltung::schalte_seiten()
{
    const bool verbunden = datenbank_verbunden();
    for (QWidget* seite : {lockseite, anwender_seite, static_cast<QWidget*>(gruppen)})
        if (seite)
            seite->setEnabled(verbunden);
}

void CBenutzerVerwaltung::pruefe_anwenderliste()
{
    const CBVDataBase* basis = datenbank_verbunden() ? gib_bv_datenbank() : nullptr;
    if (anwender && basis == anwender_basis && !gruppen_geaendert)
        return;
    delete anwender;
    anwender = new CAnwenderListe(anwender_seite);
    anwender_raster->addWidget(anwender);
    anwender_basis = basis;
    gruppen_geaendert = false;
}

void CBenutzerVerwaltung::slotCurrentChanged(int index)
{
    schalte_seiten();
    switch (index) {
    case seite_locks:
        aktualisiere_lockliste();
        break;
    case seite_anwender:
        if (datenbank_verbunden()) {
            pruefe_anwenderliste();
            anwender->lade_tabelle();
        }
        break;
    case seite_gruppen:
        if (datenbank_verbunden()) {
            gruppen->aktualisiere_gruppen();
            // The page builds its own tabs only once a group table is there.
            if (auto* unterreiter = gruppen->findChild<QTabWidget*>())
                connect(unterreiter, &QTabWidget::currentChanged, this, &CBenutzerVerwaltung::slotCurrentChangedsub,
                        Qt::UniqueConnection);
        }
        break;
    default:
        break;
    }
}

void CBenutzerVerwaltung::slotFertig()
{
    close();
}

void CBenutzerVerwaltung::slotCurrentChangedsub(int index)
{
    // The combo box of the group page's tab that became current takes the typing.
    const char* name = index == 0 ? "grp_igruppe" : "grp_sgruppe";
    if (auto* auswahl = gruppen->findChild<CComboBox*>(QLatin1String(name)))
        auswahl->setFocus();
}

void CBenutzerVerwaltung::aktualisiere_lockliste()
{
    gesperrte = 0;
    if (!datenbank_verbunden()) {
        lockseite->setEnabled(false);
        return;
    }
    lockseite->setEnabled(true);
    pruefe_anwenderliste();
    // The optional columns as the user window shows and names them.
    QStringList titel{tr("ID"), tr("Anwender")};
    for (int spalte : {anwender->sp_lang, anwender->sp_abteilung})
        if (spalte >= 0 && anwender->gib_tabelle()->horizontalHeaderItem(spalte))
            titel.append(anwender->gib_tabelle()->horizontalHeaderItem(spalte)->text());
    titel << tr("Gruppe") << tr("Angemeldet seit") << tr("Abgemeldet");
    lockmodell->setColumnCount(titel.size());
    lockmodell->setHorizontalHeaderLabels(titel);
    lockanzahl->setText(QStringLiteral("..."));
    gesperrte = anwender->upd_tab_lock_user(lockliste);
    // A list that could not be read (its box said so) shows no number of locked users.
    lockanzahl->setText(gesperrte < 0 ? tr("nicht lesbar") : QStringLiteral("%1").arg(gesperrte));
}

void CBenutzerVerwaltung::itemSelected(const QModelIndex& index)
{
    if (!index.isValid() || !lockliste->rechteMaustaste())
        return;
    lockliste->setzeRechteMaustasteZurueck();
    CQMenu menue(this);
    QAction* aktion = menue.addAction(gib_icon_minicross(), tr("Lock löschen"));
    aktion->setToolTip(tr("Lock-Eintrag des Anwenders entfernen"));
    connect(aktion, &QAction::triggered, this, &CBenutzerVerwaltung::DeleteLock);
    // The seam pops the menu up at the cursor, which a right click leaves where it pressed.
    fuehre_modal_aus(&menue);
}

void CBenutzerVerwaltung::DeleteLock()
{
    if (!gib_bv_datenbank_oder_melde())
        return;
    // Rows as shown: the proxy's order is the one the administrator selected in.
    const QAbstractItemModel* gezeigt = lockliste->model();
    const QItemSelectionModel* auswahl = lockliste->selectionModel();
    if (!gezeigt || !auswahl)
        return;
    int zeile = -1;
    for (int z = 0; z < gezeigt->rowCount() && zeile < 0; ++z)
        if (auswahl->rowIntersectsSelection(z, QModelIndex()))
            zeile = z;
    if (zeile < 0)
        return;
    const int nummer = lockliste->zellDaten(zeile, 0).toInt();
    const QString name = lockliste->zellDaten(zeile, 1).toString();
    // Only the user who still bears the name shown: the number may be another's by now.
    const int entfernt = entferne_lock(nummer, name);
    if (entfernt > 0)
        CQCat::gib_instanz()->warn(CQString(tr("Lock von User '%1' (ID=%2) entfernt").arg(name).arg(nummer)));
    else
        CQCat::gib_instanz()->warn(CQString(tr("Lock von User '%1' (ID=%2) NICHT entfernt").arg(name).arg(nummer)));
    if (entfernt == 0) {
        fehler_ton();
        meldung_kritisch(this, gib_meldungstitel(),
                         CQString(tr("Anwender '%1' ist nicht mehr vorhanden !").arg(name) + QLatin1Char('\n')
                                  + tr("Lock von User '%1' (ID=%2) NICHT entfernt").arg(name).arg(nummer)));
    }
    aktualisiere_lockliste();
}
