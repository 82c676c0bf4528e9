#include "cbenutzerverwaltung.h"

#include "bedienhilfe.h"
#include "bilder.h"
#include "bvanmeldung.h"
#include "bvdbeinstellungen.h"
#include "caclgroup.h"
#include "canwender_passwort.h"
#include "canwenderliste.h"
#include "ccat.h"
#include "cbvdatabase.h"
#include "cdbbvsetting.h"
#include "cgruppenliste.h"
#include "cqmenu.h"
#include "cqtableview.h"
#include "ctable.h"
#include "dialogseam.h"
#include "gui.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStandardItemModel>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

CBenutzerVerwaltung::CBenutzerVerwaltung(QWidget* eltern) : QDialog(eltern)
{
    setObjectName(QStringLiteral("CBenutzerVerwaltung"));
    setWindowTitle(tr("Benutzerverwaltung"));
    // The pages below are built for the connection there is, so the log-on comes first. Before a
    // database is set up there is nothing to log on to: the settings page comes first instead.
    if (gib_bvdb_einstellungen().bvdb_verbindung.gib_wert() == JA && !datenbank_verbunden() && bv_eingerichtet()) {
        const CQString fehler = bv_anmelden();
        if (!fehler.isEmpty())
            meldung_kritisch(this, gib_meldungstitel(), fehler);
    }

    auto* raster = new QVBoxLayout(this);
    reiter = new QTabWidget(this);
    raster->addWidget(reiter);
    blaettere_per_strg_bild(reiter);

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
    lockliste->setAccessibleName(tr("Angemeldete Anwender"));
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
    // The user window takes the changed groups into its choices and keeps what is typed there.
    connect(gruppen, &CGruppenListe::gruppen_geaendert, this, [this] {
        pruefe_anwenderliste();
        if (anwender_basis)
            anwender->nimm_gruppen_neu();
    });
    reiter->addTab(gruppen, tr("Gruppen"));

    einstellungen = new CDbBVsetting(reiter);
    reiter->addTab(einstellungen, tr("Einstellungen"));
    // "Trennen" and "Verbinden" ask for typed edits as closing does; what was neither kept nor
    // saved then leaves the pages, which show the new connection's state.
    einstellungen->setze_wechselfrage([this] { return darf_schliessen(); });
    connect(einstellungen, &CDbBVsetting::verbindung_gewechselt, this, [this] {
        anwender_veraltet = true;
        gruppen->leere_eingabe();
        schalte_seiten();
    });

    auto* knoepfe = new QDialogButtonBox(this);
    // Not the accepting role: the box would make it the default button, which Return in any field
    // pressed.
    connect(knoepfe->addButton(tr("&Fertig"), QDialogButtonBox::RejectRole), &QPushButton::clicked, this,
            &CBenutzerVerwaltung::slotFertig);
    raster->addWidget(knoepfe);
    // The whole size hint, where the screen has room: Qt's own first size of a window is at most
    // two thirds of the screen, which left the user page's grid a row or two.
    const QScreen* const schirm = screen();
    resize(schirm ? sizeHint().boundedTo(schirm->availableSize()) : sizeHint());

    connect(reiter, &QTabWidget::currentChanged, this, &CBenutzerVerwaltung::slotCurrentChanged);
    if (!datenbank_verbunden() && !bv_eingerichtet())
        reiter->setCurrentWidget(einstellungen);
    else
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

bool CBenutzerVerwaltung::pruefe_anwenderliste()
{
    // A connection lost for a while (a server restarting) is the same database: the page keeps what
    // was typed and writes it once the server is back. Only another log-on builds it anew.
    const CBVDataBase* basis = gib_bv_datenbank();
    if (anwender && basis == anwender_basis && !anwender_veraltet)
        return false;
    anwender_veraltet = false;
    delete anwender;
    anwender = new CAnwenderListe(anwender_seite);
    anwender_raster->addWidget(anwender);
    // A new widget joins the end of the window's Tab chain, behind "&Fertig".
    reihe_in_tabfolge_ein(anwender, anwender_seite);
    anwender_basis = basis;
    return true;
}

bool CBenutzerVerwaltung::darf_schliessen()
{
    // A page disabled since (the connection ended beside the window) keeps its edits too.
    const auto frage = [this](QWidget* seite, bool offen, const auto& sichere) {
        if (!offen)
            return true;
        reiter->setCurrentWidget(seite);
        const int antwort = frage_mit_knoepfen(
            this, QMessageBox::Question, windowTitle(),
            tr("Die Eingaben auf der Seite '%1' sind nicht gespeichert.").arg(reiter->tabText(reiter->indexOf(seite))),
            {tr("&Speichern"), tr("&Verwerfen"), tr("Abbrechen")}, 0, 2);
        // Saved only when the write went through: a refused one keeps the window and the edits.
        return antwort == 1 || (antwort == 0 && sichere());
    };
    return frage(anwender_seite, !anwender_veraltet && anwender->hat_ungesicherte_eingaben(),
                 [this] { return anwender->sichere_eingaben(); })
           && frage(gruppen, gruppen->hat_ungesicherte_eingaben(), [this] { return gruppen->sichere_eingaben(); });
}

void CBenutzerVerwaltung::reject()
{
    if (darf_schliessen())
        QDialog::reject();
}

void CBenutzerVerwaltung::keyPressEvent(QKeyEvent* ereignis)
{
    if (ereignis->key() == Qt::Key_Return || ereignis->key() == Qt::Key_Enter) {
        if (auto* knopf = qobject_cast<QPushButton*>(focusWidget()))
            knopf->click();
        ereignis->accept();
        return;
    }
    QDialog::keyPressEvent(ereignis);
}

void CBenutzerVerwaltung::slotCurrentChanged(int index)
{
    schalte_seiten();
    switch (index) {
    case seite_locks:
        aktualisiere_lockliste();
        break;
    case seite_anwender:
        // Without a connection too: a page left from another connection shows nothing of it. Built
        // anew, it has read the groups and users; shown again, it reads them as they are now
        // (another administrator may have changed the groups meanwhile).
        if (!pruefe_anwenderliste() && datenbank_verbunden()) {
            if (!lies_gruppen(true))
                return;
            anwender->nimm_gruppen_neu();
        }
        break;
    case seite_gruppen:
        if (datenbank_verbunden()) {
            // Its own reading of the same table says when that cannot be read.
            if (!lies_gruppen(false))
                return;
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
    // No button is Return's default (a dialog makes the first one it meets so, and any focused one
    // after, drawn as such while the administrator types elsewhere): Return takes the focused
    // button only. Pages built late (the log-on came later, a new connection) are built by now.
    for (QPushButton* knopf : findChildren<QPushButton*>())
        knopf->setAutoDefault(false);
    // The keyboard where the eye is, also where a page was built anew or is off.
    zeige_fokus();
}

bool CBenutzerVerwaltung::lies_gruppen(bool melden)
{
    const QPointer<CBenutzerVerwaltung> fenster(this);
    int anzahl = 0;
    if (melden)
        lese_gruppen_oder_melde(this);
    else
        lese_gruppen(anzahl);
    return fenster;
}

void CBenutzerVerwaltung::slotFertig()
{
    close();
}

void CBenutzerVerwaltung::slotCurrentChangedsub(int)
{
    // The combo box of the group page's tab that became current takes the typing.
    gruppen->fokus_auf_auswahl();
}

void CBenutzerVerwaltung::zeige_fokus()
{
    if (!isVisible())
        return;
    QWidget* const seite = reiter->currentWidget();
    if (seite == gruppen && gruppen->fokus_auf_auswahl())
        return;
    // Where Qt took the keyboard, while that is in view on the page or its tabs (not a page's
    // control deleted with it, one a page kept from its hidden tab, nor the button below the pages,
    // where Qt leaves it from a page that is off); else to the first control of the page (one
    // built just now shows with the next event), or, on a page that is off, to the tabs.
    QWidget* const fokus = focusWidget();
    if (fokus && fokus->isVisible() && fokus->isEnabled() && reiter->isAncestorOf(fokus))
        return;
    for (QWidget* w = nextInFocusChain(); w != this; w = w->nextInFocusChain())
        if (seite->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && w->isVisibleTo(this)
            && w->isEnabled()) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    reiter->tabBar()->setFocus(Qt::TabFocusReason);
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
