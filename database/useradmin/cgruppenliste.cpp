#include "cgruppenliste.h"
#include "bedienhilfe.h"
#include "bilder.h"
#include "bvdbeinstellungen.h"
#include "bvstruktur.h"
#include "caclgroup.h"
#include "cbvdatabase.h"
#include "ccat.h"
#include "ccombobox.h"
#include "cdbdatenstruktur.h"
#include "cdbtabelle.h"
#include "cqmenu.h"
#include "cqtableview.h"
#include "cstringvalidator.h"
#include "czeichengrenze.h"
#include "dialogseam.h"
#include "gui.h"
#include "sqlfehler.h"
#include "sqlwerte.h"
#include "zeichenlaenge.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QTabWidget>
#include <tuple>

namespace {

CKlasse& eintrag()
{
    static CKlasse* klasse = new CKlasse("C_CGruppenListe");
    return *klasse;
}

// Registered while globals are built.
const bool angelegt = (eintrag(), true);

} // namespace

CKlasse* CGruppenListe::klasse = &eintrag();

CGruppenListe::CGruppenListe(QWidget* eltern) : QWidget(eltern)
{
    baue_gruppenliste();
}

CGruppenListe::~CGruppenListe() = default;

CDBTabelle* CGruppenListe::gruppentabelle()
{
    CBVDataBase* bv = gib_bv_datenbank();
    // Read anew each time: a log-off and a new log-on replace the database object and structure.
    return bv && bv->gib_datenbank() && bv->gib_struktur() ? bv->gib_struktur()->gib_tabelle(bv_tag::gruppen)
                                                           : nullptr;
}

void CGruppenListe::baue_gruppenliste()
{
    if (gebaut || !gib_bv_datenbank())
        return;
    aktuelle_gruppe = gewaehlte_gruppe = -1;
    pos_bezirk = -1;
    pos_telefon = -1;
    spaltenanzahl = 2;
    if (!raster) {
        raster = new QGridLayout(this);
        raster->setSpacing(3);
        raster->setContentsMargins(3, 3, 3, 3);
    }
    const CDBTabelle* tabelle = gruppentabelle();
    if (!tabelle) {
        // Without a group table there is nothing to list or edit; the page says so in one line.
        if (!ohne_tabelle) {
            ohne_tabelle = new QLabel(tr("Die Datenstruktur der Benutzerverwaltung enthält keine Gruppentabelle."), this);
            raster->addWidget(ohne_tabelle, 0, 0);
        }
        return;
    }
    if (tabelle->gib_index(21, false) >= 0)
        pos_bezirk = spaltenanzahl++;
    if (tabelle->gib_index(22, false) >= 0)
        pos_telefon = spaltenanzahl++;
    if (ohne_tabelle) {
        delete ohne_tabelle;
        ohne_tabelle = nullptr;
    }
    gebaut = true;
    // Built, the page offers the groups as the table holds them now (the window around it reads
    // them again whenever it shows the page). Its own reading of the table says when that fails.
    const QPointer<CGruppenListe> seite(this);
    int anzahl = 0;
    lese_gruppen(anzahl);
    if (!seite)
        return;
    baue_gruppentabelle();
    reiter = new QTabWidget(this);
    blaettere_per_strg_bild(reiter);
    raster->addWidget(reiter, 0, 0);
    raster->addWidget(liste, 1, 0);
    baue_gruppenseite();
    // Tab goes as the eye does: the tabs and their fields above, then the list below them; a page
    // built once its window stands (the log-on came later) takes its place there, not the end.
    QWidget::setTabOrder(suchen, liste);
    reihe_in_tabfolge_ein(this, this);
    raster->setRowStretch(0, 0);
    raster->setRowStretch(1, 1);
    resize(sizeHint().expandedTo(QSize(374, 250)));
    show();
}

void CGruppenListe::baue_gruppentabelle()
{
    const CDBTabelle* tabelle = gruppentabelle();
    liste = new CQTableView(this, spaltenanzahl);
    liste->setAccessibleName(tr("Gruppen"));
    auto* modell = new QStandardItemModel(0, spaltenanzahl, liste);
    auto* proxy = new QSortFilterProxyModel(liste);
    proxy->setDynamicSortFilter(false);
    liste->setzeModell(modell, proxy);
    liste->setzeSpaltentitel(0, CQString("ID"));
    liste->setzeSpaltentitel(1, CQString(tr("Gruppe")));
    if (pos_bezirk >= 0)
        liste->setzeSpaltentitel(pos_bezirk, CQString(gib_bv_titel(*tabelle, 21)));
    if (pos_telefon >= 0)
        liste->setzeSpaltentitel(pos_telefon, CQString(gib_bv_titel(*tabelle, 22)));
    // A right click on a row reaches `tabrowSelected` too, which then offers the context menu.
    liste->setzeKlickBeiRechtsLoslassen(true);
    connect(liste, &QAbstractItemView::clicked, this, &CGruppenListe::tabrowSelected);
}

void CGruppenListe::baue_gruppenseite()
{
    const CDBTabelle* tabelle = gruppentabelle();
    auto* bearbeiten = new QWidget(reiter);
    auto* raster_b = new QGridLayout(bearbeiten);
    // Each label names its field for a screen reader; each field takes no more than its column.
    const auto beschriftet = [](QLabel* label, QLineEdit* feld, QWidget* benannt, const CDBTabelle* tabelle, int tag) {
        label->setBuddy(benannt);
        begrenze_zeichen(feld, gib_bv_spaltenbreite(tabelle, tag));
        return label;
    };
    igruppe = new CComboBox(true, bearbeiten, CQString("grp_igruppe"));
    igruppe->setObjectName(QStringLiteral("grp_igruppe"));
    igruppe->setValidator(new CStringValidator(false, true, igruppe, false, CQString(), true));
    raster_b->addWidget(beschriftet(new QLabel(tr("Gruppe"), bearbeiten), igruppe->lineEdit(), igruppe, tabelle,
                                    bv_tag::grp_name),
                        0, 0);
    raster_b->addWidget(igruppe, 1, 0);
    const auto optionale_spalte = [&](int tag, int spalte, QLineEdit*& feld) {
        feld = new QLineEdit(bearbeiten);
        feld->setObjectName(tag == 21 ? QStringLiteral("grp_bezirk") : QStringLiteral("grp_telefon"));
        raster_b->addWidget(beschriftet(new QLabel(gib_bv_titel(*tabelle, tag), bearbeiten), feld, feld, tabelle, tag),
                            0, spalte);
        raster_b->addWidget(feld, 1, spalte);
    };
    if (pos_bezirk >= 0) {
        optionale_spalte(21, 1, bezirk);
        connect(bezirk, &QLineEdit::editingFinished, this, &CGruppenListe::changeBezirk);
        connect(bezirk, &QLineEdit::textChanged, this, &CGruppenListe::changeBezirk);
    }
    if (pos_telefon >= 0) {
        optionale_spalte(22, 2, telefon);
        connect(telefon, &QLineEdit::editingFinished, this, &CGruppenListe::changeTelefon);
        connect(telefon, &QLineEdit::textChanged, this, &CGruppenListe::changeTelefon);
    }
    hinzufuegen = new QPushButton(tr("Hinzufügen"), bearbeiten);
    hinzufuegen->setToolTip(tr("Neue Gruppe in der Datenbank anlegen"));
    raster_b->addWidget(hinzufuegen, 0, 5);
    loeschen = new QPushButton(tr("&Löschen"), bearbeiten);
    loeschen->setToolTip(tr("Gruppe löschen") + QLatin1Char('\n') + tr("(oder rechte Maustaste in Liste)"));
    raster_b->addWidget(loeschen, 0, 6);
    aendern = new QPushButton(tr("&Ändern"), bearbeiten);
    aendern->setToolTip(tr("Änderungen übernehmen und in Datenbank speichern"));
    raster_b->addWidget(aendern, 1, 6);
    reiter->addTab(bearbeiten, tr("Bearbeiten"));

    auto* suche = new QWidget(reiter);
    auto* raster_s = new QGridLayout(suche);
    sgruppe = new CComboBox(true, suche, CQString("grp_sgruppe"));
    sgruppe->setObjectName(QStringLiteral("grp_sgruppe"));
    auto* suchlabel = new QLabel(tr("Gruppe"), suche);
    suchlabel->setBuddy(sgruppe);
    raster_s->addWidget(suchlabel, 0, 0);
    sgruppe->setEnabled(false);
    raster_s->addWidget(sgruppe, 1, 0);
    suchen = new QPushButton(tr("&Suchen"), suche);
    raster_s->addWidget(suchen, 1, 6);
    reiter->addTab(suche, tr("Suchen"));
    // The choices are as wide as the fields beside them: empty at first sight, a choice was
    // narrower than a group name.
    for (QGridLayout* gitter : {raster_b, raster_s})
        for (int spalte = 0; spalte < 3; ++spalte)
            gitter->setColumnStretch(spalte, 1);

    connect(igruppe, QOverload<int>::of(&QComboBox::activated), this, &CGruppenListe::changeGroup);
    connect(igruppe, &QComboBox::editTextChanged, this, &CGruppenListe::textGroup);
    connect(hinzufuegen, &QPushButton::clicked, this, &CGruppenListe::addEntry);
    connect(loeschen, &QPushButton::clicked, this, &CGruppenListe::deleteEntry);
    connect(aendern, &QPushButton::clicked, this, &CGruppenListe::changeEntry);
    connect(suchen, &QPushButton::clicked, this, &CGruppenListe::findEntries);
    aktualisiere_gruppen();
}

void CGruppenListe::melde_fehler(const QSqlQuery& abfrage, const CQString& sql, const CQString& methode)
{
    const CDBTabelle* tabelle = gruppentabelle();
    const CQString name = gib_bv_datenbank() && gib_bv_datenbank()->gib_struktur()
                              ? gib_bv_datenbank()->gib_struktur()->gib_tabellenname(bv_tag::gruppen)
                              : CQString();
    if (tabelle)
        melde_sql_fehler(abfrage, sql, klasse, methode, name);
    const CCDataBase* db = gib_bv_ccdatabase();
    melde_gruppentabelle(db ? db->fehlendes_recht(abfrage.lastError(), name) : CQString());
}

void CGruppenListe::melde_gruppentabelle(const QString& ursache)
{
    QString text = tr("Fehler beim Zugriff auf Gruppentabelle !");
    if (!ursache.isEmpty())
        text += QLatin1Char('\n') + ursache;
    meldung_kritisch(gib_hauptfenster(), gib_meldungstitel(), CQString(text));
}

void CGruppenListe::lade_gruppen()
{
    if (!gebaut)
        baue_gruppenliste();
    const CDBTabelle* tabelle = gruppentabelle();
    const CCDataBase* db = gib_bv_ccdatabase();
    if (!gebaut || !tabelle || !db)
        return;
    const CQString tabellenname = gib_bv_datenbank()->gib_struktur()->gib_tabellenname(bv_tag::gruppen);
    QString sql = QStringLiteral("SELECT %1").arg(tabelle->gib_spaltenname(bv_tag::grp_id));
    sql += QStringLiteral(",%1").arg(tabelle->gib_spaltenname(bv_tag::grp_name));
    if (pos_bezirk >= 0)
        sql += QStringLiteral(",%1").arg(tabelle->gib_spaltenname(21));
    if (pos_telefon >= 0)
        sql += QStringLiteral(",%1").arg(tabelle->gib_spaltenname(22));
    sql += QStringLiteral(" FROM %1;").arg(tabellenname);
    // Read beside the window, which may go meanwhile.
    QVector<QVariantList> zeilen;
    const QPointer<CGruppenListe> seite(this);
    const bool gelesen = db->lies_zeilen(CQString(sql), CQString("load"), tabellenname, zeilen, klasse);
    if (!seite)
        return;
    if (!gelesen) {
        melde_gruppentabelle();
        return;
    }
    liste->loescheZeilen();
    for (const QVariantList& gelesene : qAsConst(zeilen)) {
        db->protokolliere_zeile(gelesene, false);
        QVector<QVariant> werte{gelesene.value(0), QString(db->sql_wert_ohne_auffuellung(
                                                       gelesene.value(1), tabellenname,
                                                       tabelle->gib_spaltenname(bv_tag::grp_name)))};
        for (int spalte = 2; spalte < spaltenanzahl; ++spalte)
            werte.append(gelesene.value(spalte));
        liste->neueZeile(werte);
    }
    liste->resizeColumnsToContents();
    liste->zeigeSortierung(1);
}

void CGruppenListe::aktualisiere_gruppen()
{
    // What was typed and not stored outlives the reading (a refused write reads the list again):
    // each edit field keeps it, or, where nothing was typed, shows the current group as it is now.
    const bool getippt = hat_ungesicherte_eingaben();
    const QStringList vorher = gebaut ? werte_der_zeile(finde_gruppenzeile(aktuelle_gruppe)) : QStringList();
    const QStringList eingabe = gebaut ? eingegebene_werte() : QStringList();
    lade_gruppen();
    if (!gebaut || !gruppentabelle())
        return;
    fuellen = true;
    nummern.clear();
    igruppe->clear();
    sgruppe->clear();
    int gewaehlt = 0;
    for (const CAclGroup* gruppe : gib_gruppenliste()) {
        if (gruppe->gib_nummer() == aktuelle_gruppe)
            gewaehlt = nummern.size();
        nummern.append(gruppe->gib_nummer());
        igruppe->addItem(gruppe->gib_name());
        sgruppe->addItem(gruppe->gib_name());
    }
    // The chosen item follows the current group, so that the rebuild keeps it.
    if (!nummern.isEmpty()) {
        igruppe->setCurrentIndex(gewaehlt);
        sgruppe->setCurrentIndex(gewaehlt);
    }
    suchen->setEnabled(true);
    sgruppe->setEnabled(true);
    // The search choice lies on its own tab: the keyboard goes where the eye is.
    fokus_auf_auswahl();
    setze_knoepfe(true);
    fuellen = false;
    if (!getippt) {
        zeige_gruppe(gewaehlt);
        return;
    }
    if (!nummern.contains(aktuelle_gruppe))
        aktuelle_gruppe = -1;
    if (!nummern.contains(gewaehlte_gruppe))
        gewaehlte_gruppe = -1;
    const QStringList jetzt = werte_der_zeile(finde_gruppenzeile(aktuelle_gruppe));
    QStringList werte;
    for (int i = 0; i < eingabe.size(); ++i)
        werte << (eingabe.at(i) == vorher.at(i) && aktuelle_gruppe != -1 ? jetzt.at(i) : eingabe.at(i));
    zeige_werte(werte);
    nimm_getippten_namen(igruppe->currentText());
}

bool CGruppenListe::fokus_auf_auswahl()
{
    if (!gebaut || !isVisible() || !isEnabled())
        return false;
    CComboBox* const auswahl = reiter->currentIndex() == 0 ? igruppe : sgruppe;
    if (!auswahl->isEnabled())
        return false;
    auswahl->setFocus(Qt::OtherFocusReason);
    return true;
}

void CGruppenListe::setze_knoepfe(bool vorhanden)
{
    vorhandene_gruppe = vorhanden;
    hinzufuegen->setEnabled(!vorhanden);
    aendern->setEnabled(vorhanden);
    loeschen->setEnabled(vorhanden);
}

int CGruppenListe::finde_namenszeile(const QString& name) const
{
    const int zeilen = liste->model()->rowCount();
    for (int zeile = 0; zeile < zeilen; ++zeile)
        if (liste->zellDaten(zeile, 1).toString() == name)
            return zeile;
    return -1;
}

int CGruppenListe::finde_gruppenzeile(int nummer) const
{
    const int zeilen = liste->model()->rowCount();
    for (int zeile = 0; zeile < zeilen; ++zeile) {
        bool ok = false;
        if (liste->zellDaten(zeile, 0).toInt(&ok) == nummer && ok)
            return zeile;
    }
    return -1;
}

void CGruppenListe::waehle_zeile(int zeile)
{
    liste->markiereZeile(zeile, true);
    tabrowSelected(liste->gibIndex(zeile, 0));
}

void CGruppenListe::changeGroup(int index)
{
    if (!gebaut)
        return;
    // Chosen from the choice's list, or by Return on a name typed there: as a typed name, it keeps
    // what was typed into the fields.
    if (finde_namenszeile(igruppe->currentText().trimmed()) < 0 && index >= 0 && index < nummern.size())
        aktuelle_gruppe = nummern.at(index);
    nimm_getippten_namen(igruppe->currentText().trimmed());
    gewaehlte_gruppe = aktuelle_gruppe;
    setze_knoepfe(true);
}

void CGruppenListe::zeige_gruppe(int index)
{
    if (index >= 0 && index < nummern.size())
        aktuelle_gruppe = gewaehlte_gruppe = nummern.at(index);
    const int zeile = finde_namenszeile(igruppe->currentText().trimmed());
    if (zeile >= 0)
        waehle_zeile(zeile);
    setze_knoepfe(true);
}

void CGruppenListe::textGroup(const QString& text)
{
    if (fuellen || text.isEmpty() || !gebaut)
        return;
    nimm_getippten_namen(text);
}

void CGruppenListe::nimm_getippten_namen(const QString& text)
{
    const int zeile = finde_namenszeile(text);
    // The group of the name typed is the current one while the name stands there; typed on past it
    // the chosen group is again, so that the new name renames that one. A text typed into the
    // fields stays (the name may be typed after them); what the former group only showed follows.
    const int gruppe = zeile >= 0 ? liste->zellDaten(zeile, 0).toInt() : gewaehlte_gruppe;
    if (zeile >= 0 || gruppe != aktuelle_gruppe) {
        const QStringList werte = eingegebene_werte();
        const QStringList vorher = werte_der_zeile(finde_gruppenzeile(aktuelle_gruppe));
        const QStringList neu = werte_der_zeile(finde_gruppenzeile(gruppe));
        aktuelle_gruppe = gruppe;
        QStringList gezeigt{werte.at(0)};
        for (int i = 1; i < werte.size(); ++i)
            gezeigt << (werte.at(i) == vorher.at(i) ? neu.at(i) : werte.at(i));
        zeige_werte(gezeigt);
    }
    setze_knoepfe(zeile >= 0);
    // The typed text may rename the current group.
    if (zeile < 0 && aktuelle_gruppe != -1)
        aendern->setEnabled(true);
}

QStringList CGruppenListe::werte_der_zeile(int zeile) const
{
    QStringList werte;
    for (int spalte : {1, pos_bezirk, pos_telefon})
        werte << (zeile >= 0 && spalte >= 0 ? liste->zellDaten(zeile, spalte).toString() : QString());
    return werte;
}

QStringList CGruppenListe::eingegebene_werte() const
{
    return {igruppe->currentText().trimmed(), bezirk ? QString(bezirk_text) : QString(),
            telefon ? QString(telefon_text) : QString()};
}

void CGruppenListe::zeige_werte(const QStringList& werte)
{
    const bool war = fuellen;
    fuellen = true;
    const int eintrag = nummern.indexOf(aktuelle_gruppe);
    if (eintrag >= 0)
        sgruppe->setCurrentIndex(eintrag);
    if (igruppe->currentText().trimmed() != werte.at(0))
        igruppe->setEditText(werte.at(0));
    for (QLineEdit* feld : {bezirk, telefon})
        if (feld && feld->text() != werte.at(feld == bezirk ? 1 : 2))
            feld->setText(werte.at(feld == bezirk ? 1 : 2));
    fuellen = war;
    const int zeile = finde_gruppenzeile(aktuelle_gruppe);
    if (zeile >= 0)
        liste->markiereZeile(zeile, true);
}

void CGruppenListe::tabrowSelected(const QModelIndex& index)
{
    if (!index.isValid() || !gebaut)
        return;
    bool ok = false;
    const int nummer = liste->zellDatenIndex(index, 0).toInt(&ok);
    if (!ok) {
        aktuelle_gruppe = gewaehlte_gruppe = -1;
        return;
    }
    aktuelle_gruppe = gewaehlte_gruppe = nummer;
    const int eintrag = nummern.indexOf(nummer);
    if (eintrag >= 0) {
        // Setting the item also sets the edit text; the row is chosen already.
        const bool war = fuellen;
        fuellen = true;
        igruppe->setCurrentIndex(eintrag);
        sgruppe->setCurrentIndex(eintrag);
        fuellen = war;
    }
    if (pos_bezirk >= 0) {
        bezirk_text = CQString(liste->zellDatenIndex(index, pos_bezirk).toString());
        bezirk->setText(bezirk_text);
    }
    if (pos_telefon >= 0) {
        telefon_text = CQString(liste->zellDatenIndex(index, pos_telefon).toString());
        telefon->setText(telefon_text);
    }
    setze_knoepfe(true);
    if (liste->rechteMaustaste()) {
        liste->setzeRechteMaustasteZurueck();
        auto* menue = new CQMenu(this);
        menue->setAttribute(Qt::WA_DeleteOnClose);
        QAction* aktion = menue->addAction(gib_icon_minicross(), tr("Löschen"));
        aktion->setStatusTip(tr("Löschen Gruppen-Eintrag"));
        aktion->setToolTip(tr("Gruppe Löschen"));
        connect(aktion, &QAction::triggered, this, &CGruppenListe::DeleteItem);
        menue->popup(liste->rechtsKlickPosition());
    }
}

void CGruppenListe::changeBezirk()
{
    if (bezirk)
        bezirk_text = CQString(bezirk->text());
}

void CGruppenListe::changeTelefon()
{
    if (telefon)
        telefon_text = CQString(telefon->text());
}

CQString CGruppenListe::geprueften_namen()
{
    // Cut to the column like every other text the page writes: a strict server refuses a longer
    // name, a lenient one would store it changed.
    const int laenge = gruppentabelle() ? gruppentabelle()->gib_laenge(bv_tag::grp_name, 0) : 0;
    QString text = igruppe->currentText().trimmed();
    if (laenge > 0)
        text = kuerze_auf_zeichen(text, laenge);
    const CQString name(text);
    // A group without a name could neither be chosen nor told apart in any list.
    if (name.isEmpty()) {
        fehler_ton();
        meldung_kritisch(this, gib_meldungstitel(), CQString(tr("Bitte einen Namen für die Gruppe eingeben !")));
        // Asked for when the window closes, too: its field comes into view with the keyboard.
        reiter->setCurrentIndex(0);
        igruppe->setFocus();
        return name;
    }
    if (!pruefe_namen(this, name))
        return CQString();
    // District and telephone are refused alike: a NUL cuts the text on one server and fails the
    // statement on another, and what no list shows is no district anyone can tell.
    for (const auto& [feld, tag] : {std::make_pair(bezirk, 21), std::make_pair(telefon, 22)})
        if (feld && !pruefe_namen(this, feld->text(), gib_bv_titel(*gruppentabelle(), tag)))
            return CQString();
    return name;
}

void CGruppenListe::gruppen_neu_gelesen()
{
    lese_gruppen_oder_melde(this);
    aktualisiere_gruppen();
    emit gruppen_geaendert();
}

bool CGruppenListe::gib_gruppentabelle(const CDBTabelle*& tabelle, const CCDataBase*& db, CQString& tabellenname) const
{
    if (!gebaut)
        return false;
    const CBVDataBase* bv = gib_bv_datenbank_oder_melde();
    tabelle = gruppentabelle();
    db = bv ? bv->gib_datenbank() : nullptr;
    if (!tabelle || !db)
        return false;
    tabellenname = bv->gib_struktur()->gib_tabellenname(bv_tag::gruppen);
    return true;
}

void CGruppenListe::addEntry()
{
    fuege_hinzu();
}

bool CGruppenListe::fuege_hinzu()
{
    const CDBTabelle* tabelle = nullptr;
    const CCDataBase* db = nullptr;
    CQString tabellenname;
    if (!gib_gruppentabelle(tabelle, db, tabellenname))
        return false;
    const CQString name = geprueften_namen();
    if (name.isEmpty())
        return false;
    const CBVDataBase* bv = gib_bv_datenbank();
    // A second group of the name would hide the first from every choice. The page may not show one
    // that another administrator added: the table is asked (a table from before may lack the
    // unique key). A count that fails leaves the answer to the write, which reports its own failure.
    if (bv->gib_anzahl_namen(bv_tag::gruppen, name) > 0) {
        melde_vorhanden(name);
        return false;
    }
    // One INSERT with number, name and the values typed beside it: no nameless group is left
    // behind whatever fails, and nothing typed for the new group is dropped.
    QStringList spalten{tabelle->gib_spaltenname(bv_tag::grp_name)};
    QVariantList werte{QString(name)};
    for (const auto& [tag, spalte, text] :
         {std::make_tuple(21, pos_bezirk, bezirk_text), std::make_tuple(22, pos_telefon, telefon_text)})
        if (spalte >= 0 && !text.isEmpty()) {
            spalten.append(tabelle->gib_spaltenname(tag));
            werte.append(sql_bindetext(text, tabelle->gib_laenge(tag, 0)));
        }
    const CCDataBase::CNeuerDatensatz satz = db->schreibe_neuen_datensatz(
        tabellenname, tabelle->gib_spaltenname(bv_tag::grp_id), spalten, werte, aktuelle_gruppe, CQString("addEntry"));
    if (!satz.geschrieben) {
        CQCat::gib_instanz()->error(CQString(QStringLiteral("addEntry: %1").arg(satz.fehler)));
        // Whether it was written cannot be told: the box said so, the page shows what is there.
        if (satz.ungewiss) {
            if (db->ist_verbunden())
                gruppen_neu_gelesen();
            return false;
        }
        // Another administrator's same name, written between the count and this write, is refused
        // by the name's unique key: the same answer as the count's.
        if (bv->gib_anzahl_namen(bv_tag::gruppen, name) > 0)
            melde_vorhanden(name);
        else
            melde_gruppentabelle(satz.recht_fehlt ? satz.fehler : CQString());
        return false;
    }
    aktuelle_gruppe = gewaehlte_gruppe = satz.id;
    gruppen_neu_gelesen();
    return true;
}

void CGruppenListe::changeEntry()
{
    aendere();
}

bool CGruppenListe::aendere()
{
    const CDBTabelle* tabelle = nullptr;
    const CCDataBase* db = nullptr;
    CQString tabellenname;
    if (!gib_gruppentabelle(tabelle, db, tabellenname))
        return false;
    const int zeile = finde_gruppenzeile(aktuelle_gruppe);
    if (zeile < 0)
        return false;
    const CQString name = geprueften_namen();
    if (name.isEmpty())
        return false;
    const CBVDataBase* bv = gib_bv_datenbank();
    const QString alt = liste->zellDaten(zeile, 1).toString();
    // Only what the administrator changed is written, every text bound: quotes and backslashes
    // reach the table as typed, and a column he left alone keeps another administrator's value.
    QStringList zuweisungen;
    QVariantList werte;
    QVector<QPair<QString, QVariant>> gesendet;
    const auto weise_zu = [&](const QString& spalte, const QVariant& wert) {
        zuweisungen.append(QStringLiteral("%1=?").arg(spalte));
        werte.append(wert);
        gesendet.append({spalte, wert});
    };
    if (name != alt)
        weise_zu(tabelle->gib_spaltenname(bv_tag::grp_name), QString(name));
    // The optional columns, as the list read them.
    QVector<QPair<QString, QVariant>> gelesen;
    const auto optional = [&](int tag, int spalte, const CQString& text) {
        if (spalte < 0)
            return;
        const QVariant vorher = liste->zellDaten(zeile, spalte);
        gelesen.append({tabelle->gib_spaltenname(tag), vorher});
        if (text == vorher.toString())
            return;
        weise_zu(tabelle->gib_spaltenname(tag), sql_bindetext(text, tabelle->gib_laenge(tag, 0)));
    };
    optional(21, pos_bezirk, bezirk_text);
    optional(22, pos_telefon, telefon_text);
    if (zuweisungen.isEmpty())
        return true;
    // Only the group that still bears the name and the values the list shows: its number may be
    // another's by now, or another administrator may have changed it since.
    QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                      .arg(tabellenname, zuweisungen.join(QLatin1Char(',')),
                           bv->zeile_mit_namen(bv_tag::gruppen, aktuelle_gruppe, alt, werte));
    for (const auto& [spalte, vorher] : gelesen)
        sql += QLatin1String(" AND ") + db->sql_haelt_wert(spalte, vorher, werte);
    sql += QLatin1Char(';');
    QSqlQuery abfrage;
    const CCDataBase::CWiederholbar wiederholbar(*db);
    if (!db->fuehre_aus(abfrage, CQString(sql), CQString("changeEntry"), tabellenname, false, werte)) {
        // The name's unique key refuses another group's name.
        if (bv->gib_anzahl_namen(bv_tag::gruppen, name, aktuelle_gruppe) > 0) {
            melde_vorhanden(name);
            return false;
        }
        melde_fehler(abfrage, CQString(sql), CQString("changeEntry"));
        return false;
    }
    // Every write carries a change, so that MySQL counts the row too: none touched means the group
    // is gone, or another administrator changed it.
    if (abfrage.numRowsAffected() == 0) {
        // Run a second time after the first run's answer was lost: the first may have written it.
        if (!db->wurde_wiederholt()) {
            if (ist_da(aktuelle_gruppe, alt))
                melde_geaendert(alt);
            return false;
        }
        const QString nummer = QStringLiteral("(%1=?)").arg(tabelle->gib_spaltenname(bv_tag::grp_id));
        if (db->zaehle_mit_werten(tabellenname, nummer, {aktuelle_gruppe}, gesendet) <= 0) {
            fehler_ton();
            meldung_kritisch(gib_hauptfenster(), gib_meldungstitel(), CQString(db->ungewiss_text()));
            gruppen_neu_gelesen();
            return false;
        }
    }
    gruppen_neu_gelesen();
    return true;
}

void CGruppenListe::deleteEntry()
{
    if (!gebaut || aktuelle_gruppe == -1)
        return;
    const int zeile = finde_gruppenzeile(aktuelle_gruppe);
    if (zeile >= 0)
        loesche_gruppe(zeile);
}

void CGruppenListe::DeleteItem()
{
    if (!gebaut)
        return;
    const int zeilen = liste->model()->rowCount();
    for (int zeile = 0; zeile < zeilen; ++zeile)
        if (liste->selectionModel()->rowIntersectsSelection(zeile, QModelIndex())) {
            loesche_gruppe(zeile);
            return;
        }
}

void CGruppenListe::loesche_gruppe(int zeile)
{
    const CDBTabelle* tabelle = nullptr;
    const CCDataBase* db = nullptr;
    CQString tabellenname;
    if (!gib_gruppentabelle(tabelle, db, tabellenname))
        return;
    const int nummer = liste->zellDaten(zeile, 0).toInt();
    const QString name = liste->zellDaten(zeile, 1).toString();
    const QString titel = tr("Gruppe löschen");
    // A count that cannot be read refuses with its own box, never with a number of users.
    const int belegt = ngruppe_vorhanden(static_cast<unsigned>(nummer));
    if (belegt < 0) {
        melde_anwender_unlesbar();
        return;
    }
    if (belegt > 0) {
        frage_mit_knoepfen(this, QMessageBox::Information, titel, belegt_text(name, belegt), {tr("&Ok")}, 0, 0);
        return;
    }
    if (frage_mit_knoepfen(this, QMessageBox::Question, titel, tr("Gruppe '%1' endgültig löschen?").arg(name),
                           {tr("Ja"), tr("Nein")}, 1, 1) != 0)
        return;
    const CBVDataBase* bv = gib_bv_datenbank();
    const CDBTabelle* anwender = gib_bv_anwendertabelle();
    // Deleted only while it still bears the name shown (its number may be another's by now) and no
    // user is in it, checked in the same statement: a user that another administrator put in
    // since the count keeps the group.
    QVariantList werte;
    const CQString bedingung(QStringLiteral("%1 AND NOT EXISTS (SELECT 1 FROM %2 WHERE %3=%4)")
                                 .arg(bv->zeile_mit_namen(bv_tag::gruppen, nummer, name, werte),
                                      bv->gib_struktur()->gib_tabellenname(bv_tag::anwender),
                                      anwender ? QString(anwender->gib_spaltenname(bv_tag::anw_gruppe)) : QString())
                                 .arg(nummer));
    const int geloescht = db->loesche_wenn(tabellenname, tabelle->gib_spaltenname(bv_tag::grp_id), nummer, bedingung,
                                           CQString("gruppeLoeschen"), klasse, werte);
    if (geloescht < 0) {
        // A commit whose answer a lost connection took: its box said so, the page shows what is there.
        if (db->ist_ungewiss())
            gruppen_neu_gelesen();
        else
            meldung_kritisch(gib_hauptfenster(), gib_meldungstitel(), CQString(tr("Fehler beim Zugriff auf Gruppentabelle !")));
        return;
    }
    if (geloescht == 0) {
        if (!ist_da(nummer, name))
            return;
        const int jetzt = ngruppe_vorhanden(static_cast<unsigned>(nummer));
        if (jetzt < 0)
            melde_anwender_unlesbar();
        else if (jetzt > 0)
            frage_mit_knoepfen(this, QMessageBox::Information, titel, belegt_text(name, jetzt), {tr("&Ok")}, 0, 0);
        else {
            // Still there and empty: renamed since the list showed it.
            melde_geaendert(name);
            return;
        }
        gruppen_neu_gelesen();
        return;
    }
    CQCat::gib_instanz()->info(CQString(tr("Gruppe '%1' gelöscht").arg(name)));
    gruppen_neu_gelesen();
}

QString CGruppenListe::belegt_text(const QString& name, int anwender)
{
    if (anwender == 1)
        return tr("Gruppe '%1' kann nicht gelöscht werden, gelöscht werden, da dieser noch ein Anwender "
                  "zugeordnet ist !")
            .arg(name);
    return tr("Gruppe '%1' kann nicht gelöscht werden, gelöscht werden, da dieser noch %2 Anwender "
              "zugeordnet sind !")
        .arg(name)
        .arg(anwender);
}

bool CGruppenListe::ist_da(int nummer, const QString& name)
{
    const CBVDataBase* bv = gib_bv_datenbank();
    // Where numbers are never given twice, the number names the group, renamed or not.
    const int da = bv ? bv->gib_anzahl_nummer(bv_tag::gruppen, nummer, name) : -1;
    if (da > 0)
        return true;
    if (da == 0) {
        melde_verschwunden(name);
        return false;
    }
    meldung_kritisch(gib_hauptfenster(), gib_meldungstitel(), CQString(tr("Fehler beim Zugriff auf Gruppentabelle !")));
    gruppen_neu_gelesen();
    return false;
}

void CGruppenListe::melde_vorhanden(const QString& name)
{
    fehler_ton();
    meldung_kritisch(gib_hauptfenster(), gib_meldungstitel(), CQString(tr("Gruppe '%1' ist bereits vorhanden !").arg(name)));
    // The page shows the group the other administrator added.
    gruppen_neu_gelesen();
}

void CGruppenListe::melde_anwender_unlesbar()
{
    meldung_kritisch(gib_hauptfenster(), gib_meldungstitel(), CQString(tr("Fehler beim Zugriff auf Anwendertabelle !")));
}

void CGruppenListe::melde_geaendert(const QString& name)
{
    fehler_ton();
    meldung_kritisch(gib_hauptfenster(), gib_meldungstitel(),
                     CQString(tr("Gruppe '%1' wurde inzwischen von anderer Seite geändert und wird neu geladen !").arg(name)));
    gruppen_neu_gelesen();
}

void CGruppenListe::melde_verschwunden(const QString& name)
{
    fehler_ton();
    meldung_kritisch(gib_hauptfenster(), gib_meldungstitel(), CQString(tr("Gruppe '%1' ist nicht mehr vorhanden !").arg(name)));
    gruppen_neu_gelesen();
}

void CGruppenListe::findEntries()
{
    if (!gebaut)
        return;
    const QString text = sgruppe->currentText();
    QVector<int> treffer;
    const int zeilen = liste->model()->rowCount();
    for (int zeile = 0; zeile < zeilen; ++zeile)
        if (liste->zellDaten(zeile, 1).toString().contains(text, Qt::CaseSensitive))
            treffer.append(zeile);
    if (treffer.isEmpty())
        return;
    // The first clears the former selection and comes into view; then all of them in one step.
    liste->markiereZeile(treffer.first(), true);
    liste->markiereZeilen(treffer);
    if (treffer.size() == 1)
        tabrowSelected(liste->gibIndex(treffer.first(), 0));
    leere_eingabe();
}

void CGruppenListe::leere_eingabe()
{
    aktuelle_gruppe = gewaehlte_gruppe = -1;
    if (!gebaut)
        return;
    const bool war = fuellen;
    fuellen = true;
    igruppe->setEditText(QString());
    fuellen = war;
    if (bezirk)
        bezirk->clear();
    if (telefon)
        telefon->clear();
}

bool CGruppenListe::hat_ungesicherte_eingaben() const
{
    // Against the current group as listed (a name typed that a group bears makes it the current one),
    // or against empty fields without one.
    return gebaut && eingegebene_werte() != werte_der_zeile(finde_gruppenzeile(aktuelle_gruppe));
}

bool CGruppenListe::sichere_eingaben()
{
    // As the buttons: a name typed over the shown group renames it, as "&Ändern" does; only without
    // a current group is it a new one.
    return (finde_gruppenzeile(aktuelle_gruppe) >= 0 ? aendere() : fuege_hinzu()) && !hat_ungesicherte_eingaben();
}
