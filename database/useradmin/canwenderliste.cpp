// The user table window: its construction, the grid of all users and how the grid is read and addressed.
#include "canwenderliste.h"

#include "aclrechte.h"
#include "bvdbeinstellungen.h"
#include "bvstruktur.h"
#include "caclgroup.h"
#include "camisc.h"
#include "cbvdatabase.h"
#include "ccdatabase.h"
#include "ccombobox.h"
#include "cdbdatenstruktur.h"
#include "cdbtabelle.h"
#include "clineedit.h"
#include "ctable.h"
#include "czeichengrenze.h"
#include "gui.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDebug>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>

namespace {

CKlasse& eintrag_benutzerverwaltung()
{
    static CKlasse* klasse = new CKlasse("C_CBenutzerVerwaltung");
    return *klasse;
}

// Registered while globals are built.
const bool angelegt = (eintrag_benutzerverwaltung(), true);

QWidget* hauptwidget(QWidget* ersatz)
{
    QWidget* haupt = gib_hauptfenster();
    return haupt ? haupt : ersatz;
}

bool hat_spalte(const CDBTabelle* tab, int tag)
{
    return tab && tab->gib_index(tag, false) >= 0;
}

} // namespace

CKlasse* gib_klasse_benutzerverwaltung()
{
    return &eintrag_benutzerverwaltung();
}

CAnwenderListe::CAnwenderListe(QWidget* eltern) : QWidget(eltern)
{
    setObjectName(QStringLiteral("CAnwenderListe"));
    // Without a log-on the window is built empty and says nothing until it is used. With one it
    // shows the groups and users as the tables hold them now.
    const bool angemeldet = gib_bv_datenbank() != nullptr;
    const QPointer<CAnwenderListe> fenster(this);
    if (angemeldet)
        lese_gruppen_oder_melde(this);
    if (!fenster)
        return;
    baue_oberflaeche();
    if (angemeldet)
        lade_tabelle();
}

CAnwenderListe::~CAnwenderListe() = default;

QSize CAnwenderListe::sizeHint() const
{
    // A scroll area asks for a fixed height, some five rows of the grid at the usual size: below
    // the fields that left about one at a window's first size.
    const int zehn_zeilen = tabelle->horizontalHeader()->sizeHint().height()
                            + 10 * tabelle->verticalHeader()->defaultSectionSize()
                            + tabelle->horizontalScrollBar()->sizeHint().height() + 2 * tabelle->frameWidth();
    QSize hinweis = QWidget::sizeHint();
    hinweis.rheight() += qMax(0, zehn_zeilen - tabelle->sizeHint().height());
    return hinweis;
}

QVector<CAnwenderListe::Optional> CAnwenderListe::optionale()
{
    return {{bv_tag::anw_langname, &sp_lang, &anw_lang},         {bv_tag::anw_abteilung, &sp_abteilung, &anw_abteilung},
            {bv_tag::anw_telefon, &sp_telefon, &anw_telefon}, {bv_tag::anw_telefax, &sp_telefax, &anw_telefax},
            {bv_tag::anw_email, &sp_email, &anw_email},       {bv_tag::anw_host, &sp_host, &anw_host},
            {bv_tag::anw_bemerkung, &sp_bemerkung, &anw_bemerkung}};
}

void CAnwenderListe::baue_oberflaeche()
{
    const CDBTabelle* tab = gib_bv_anwendertabelle();
    tabelle = new CTable(this);
    tabelle->setAccessibleName(tr("Anwender"));
    tabelle->setzeNurLesen(true);
    tabelle->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabelle->setSelectionMode(QAbstractItemView::ExtendedSelection);

    QStringList titel{QStringLiteral("ID")};
    auto spalte = [&](int& index, const QString& text) {
        index = titel.size();
        titel.append(text);
    };
    auto titel_von = [&](int tag, const QString& vorgabe) { return tab ? gib_bv_titel(*tab, tag) : vorgabe; };
    spalte(sp_gruppe, tr("Gruppen-Nr."));
    spalte(sp_lock, tr("Angemeldet"));
    spalte(sp_name, titel_von(bv_tag::anw_name, tr("Anwender")));
    spalte(sp_gruppenname, tr("Gruppe"));
    spalte(sp_recht, tr("Recht"));
    spalte(sp_kennwort_marke, tr("Kennwort"));
    spalte(sp_kennwort, QStringLiteral("-"));
    for (const Optional& o : optionale())
        if (hat_spalte(tab, o.tag))
            spalte(*o.spalte, gib_bv_titel(*tab, o.tag));
    tabelle->setColumnCount(titel.size());
    tabelle->setHorizontalHeaderLabels(titel);
    tabelle->setColumnHidden(sp_gruppe, true);
    // The stored form is the password in another spelling: never shown.
    tabelle->setColumnHidden(sp_kennwort, true);

    auto* layout = new QGridLayout(this);
    layout->setSpacing(3);
    layout->setContentsMargins(3, 3, 3, 3);
    auto* felder = new QGroupBox(tr("Anwender"), this);
    auto* fl = new QGridLayout(felder);
    auto* suche = new QGroupBox(tr("Suchen"), this);
    auto* sl = new QGridLayout(suche);
    int zeile = 0;
    // Each field is named by its label (a screen reader would take the box's title for each), a
    // search field by the text of its check box.
    auto zeile_hinzu = [&](const QString& text, QWidget* feld, QCheckBox** kasten, QWidget* suchfeld) {
        auto* label = new QLabel(text, felder);
        label->setBuddy(feld);
        fl->addWidget(label, zeile, 0);
        fl->addWidget(feld, zeile, 1);
        if (kasten) {
            *kasten = new QCheckBox(text, suche);
            sl->addWidget(*kasten, zeile, 0);
            sl->addWidget(suchfeld, zeile, 1);
            suchfeld->setEnabled(false);
            suchfeld->setAccessibleName(text);
        }
        ++zeile;
    };
    auto zeile_edit = [&](CLineEdit*& feld, int tag) {
        feld = new CLineEdit(felder);
        begrenze_zeichen(feld, gib_bv_spaltenbreite(tab, tag));
        return feld;
    };
    auto suchfeld = [&](CLineEdit*& feld) {
        feld = new CLineEdit(suche);
        feld->setzeAktiv(false);
        return feld;
    };

    zeile_hinzu(titel.value(sp_name), zeile_edit(eName, bv_tag::anw_name), &kName, suchfeld(sName));
    cGruppe = new CComboBox(felder);
    sGruppe = new CComboBox(suche);
    zeile_hinzu(tr("Gruppe"), cGruppe, &kGruppe, sGruppe);
    cRecht = new CComboBox(felder);
    sRecht = new CComboBox(suche);
    zeile_hinzu(tr("Recht"), cRecht, &kRecht, sRecht);
    if (sp_lang >= 0)
        zeile_hinzu(titel.value(sp_lang), zeile_edit(eLang, bv_tag::anw_langname), &kLang, suchfeld(sLang));
    if (sp_abteilung >= 0) {
        cAbteilung = new CComboBox(true, felder);
        // Cut to the column like the line edits: a strict server refuses a longer text.
        begrenze_zeichen(cAbteilung->lineEdit(), gib_bv_spaltenbreite(tab, bv_tag::anw_abteilung));
        sAbteilung = new CComboBox(true, suche);
        zeile_hinzu(titel.value(sp_abteilung), cAbteilung, &kAbteilung, sAbteilung);
    }
    if (sp_telefon >= 0)
        zeile_hinzu(titel.value(sp_telefon), zeile_edit(eTelefon, bv_tag::anw_telefon), &kTelefon, suchfeld(sTelefon));
    if (sp_telefax >= 0)
        zeile_hinzu(titel.value(sp_telefax), zeile_edit(eTelefax, bv_tag::anw_telefax), &kTelefax, suchfeld(sTelefax));
    if (sp_email >= 0)
        zeile_hinzu(titel.value(sp_email), zeile_edit(eEMail, bv_tag::anw_email), &kEMail, suchfeld(sEMail));
    if (sp_host >= 0) {
        kHost = new QCheckBox(titel.value(sp_host), suche);
        sl->addWidget(kHost, zeile, 0);
        sl->addWidget(suchfeld(sHost), zeile++, 1);
        sHost->setAccessibleName(kHost->text());
    }
    if (sp_bemerkung >= 0)
        zeile_hinzu(titel.value(sp_bemerkung), zeile_edit(eBemerkung, bv_tag::anw_bemerkung), nullptr, nullptr);

    fuelle_gruppenauswahl();
    for (int recht = 0; recht < 8; ++recht) {
        cRecht->addItem(gib_recht_name(recht));
        sRecht->addItem(gib_recht_name(recht));
    }

    auto* knoepfe = new QHBoxLayout;
    auto knopf = [&](const QString& text, void (CAnwenderListe::*slot)()) {
        auto* k = new QPushButton(text, this);
        knoepfe->addWidget(k);
        connect(k, &QPushButton::clicked, this, slot);
        return k;
    };
    bAdd = knopf(tr("Hinzufügen"), &CAnwenderListe::addEntry);
    bChange = knopf(tr("&Ändern"), &CAnwenderListe::changeEntry);
    bDelete = knopf(tr("&Löschen"), &CAnwenderListe::deleteEntry);
    bKennwort = knopf(tr("&Kennwort"), &CAnwenderListe::changeKennwort);
    knoepfe->addStretch();
    knopf(tr("&Suchen"), &CAnwenderListe::findEntries);
    knopf(tr("Alles markieren"), &CAnwenderListe::fmarkbutton_clicked);
    knopf(tr("Kopieren"), &CAnwenderListe::fcopybutton_clicked);

    layout->addWidget(felder, 0, 0);
    layout->addWidget(suche, 0, 1);
    layout->addLayout(knoepfe, 1, 0, 1, 2);
    layout->addWidget(tabelle, 2, 0, 1, 2);
    layout->setRowStretch(2, 1);
    // Tab goes as the eye reads the boxes: through the user's fields, then the search, then the
    // buttons below both and the table at the bottom.
    QList<QWidget*> tabfolge;
    for (QWidget* teil : std::initializer_list<QWidget*>{felder, suche, this})
        for (QWidget* w : teil->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (w->focusPolicy() != Qt::NoFocus && w != tabelle)
                tabfolge << w;
    tabfolge << tabelle;
    for (int i = 1; i < tabfolge.size(); ++i)
        QWidget::setTabOrder(tabfolge[i - 1], tabfolge[i]);

    connect(eName, &QLineEdit::textChanged, this, &CAnwenderListe::changeUser);
    for (auto paar : {qMakePair(eLang, &CAnwenderListe::changeUserlang),
                      qMakePair(eTelefon, &CAnwenderListe::changeTelefon),
                      qMakePair(eTelefax, &CAnwenderListe::changeTelefax),
                      qMakePair(eEMail, &CAnwenderListe::changeEMail),
                      qMakePair(eBemerkung, &CAnwenderListe::changeBemerkung)})
        if (paar.first)
            connect(paar.first, &QLineEdit::textChanged, this, paar.second);
    connect(cGruppe, QOverload<int>::of(&QComboBox::activated), this, &CAnwenderListe::changeGroup);
    if (cAbteilung) {
        connect(cAbteilung, QOverload<int>::of(&QComboBox::activated), this, &CAnwenderListe::changeAbteilung);
        connect(cAbteilung->lineEdit(), &QLineEdit::editingFinished, this, &CAnwenderListe::changeAbteilungText);
        // Typed, the department is part of the edit state at once, as the other fields' texts are.
        connect(cAbteilung, &QComboBox::editTextChanged, this, [this](const QString& text) {
            if (!laedt)
                anw_abteilung = text;
        });
    }
    const QVector<QPair<QCheckBox*, void (CAnwenderListe::*)()>> schalter{
        {kName, &CAnwenderListe::toggleUser},         {kGruppe, &CAnwenderListe::toggleGruppe},
        {kRecht, &CAnwenderListe::toggleRecht},       {kLang, &CAnwenderListe::toggleUserlang},
        {kAbteilung, &CAnwenderListe::toggleAbteilung}, {kTelefon, &CAnwenderListe::toggleTelefon},
        {kTelefax, &CAnwenderListe::toggleTelefax},   {kEMail, &CAnwenderListe::toggleEMail},
        {kHost, &CAnwenderListe::toggleHostname}};
    for (const auto& s : schalter)
        if (s.first)
            connect(s.first, &QCheckBox::toggled, this, s.second);
    connect(tabelle, &QTableWidget::currentCellChanged, this, &CAnwenderListe::ZelleGewechselt);
    connect(tabelle->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &CAnwenderListe::tableHeaderClicked_slot);
    // The right mouse button opens the menu of the selected row.
    tabelle->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tabelle, &QWidget::customContextMenuRequested, this, &CAnwenderListe::table_mouseReleaseEvent);
    setze_bearbeitungsmodus(false);
}

void CAnwenderListe::fuelle_gruppenauswahl()
{
    gruppennummern.clear();
    cGruppe->clear();
    sGruppe->clear();
    for (const CAclGroup* gruppe : gib_gruppenliste()) {
        gruppennummern.append(gruppe->gib_nummer());
        cGruppe->addItem(gruppe->gib_name());
        sGruppe->addItem(gruppe->gib_name());
    }
}

int CAnwenderListe::spalte_von(int tag)
{
    const QVector<QPair<int, int>> feste{{bv_tag::anw_gruppe, sp_gruppe}, {bv_tag::anw_name, sp_name},
                                         {bv_tag::anw_recht, sp_recht},   {bv_tag::anw_kennwort, sp_kennwort},
                                         {bv_tag::anw_lock, sp_lock}};
    for (const auto& [t, spalte] : feste)
        if (t == tag)
            return spalte;
    for (const Optional& o : optionale())
        if (o.tag == tag)
            return *o.spalte;
    return -1;
}

QVariant CAnwenderListe::gelesen(int zeile, int spalte) const
{
    const QTableWidgetItem* zelle = tabelle->item(zeile, spalte);
    return zelle ? zelle->data(Qt::UserRole) : QVariant();
}

bool CAnwenderListe::lade_tabelle()
{
    const CDBTabelle* tab = gib_bv_anwendertabelle();
    CBVDataBase* bv = gib_bv_datenbank_oder_melde();
    if (!tab || !bv)
        return false;
    const CCDataBase* db = bv->gib_datenbank();
    const CQString tabellenname = bv->gib_struktur()->gib_tabellenname(bv_tag::anwender);
    QVector<QPair<int, int>> spalten{{bv_tag::anw_id, 0},      {bv_tag::anw_gruppe, sp_gruppe},
                                     {bv_tag::anw_lock, sp_lock},      {bv_tag::anw_name, sp_name},
                                     {bv_tag::anw_kennwort, sp_kennwort}, {bv_tag::anw_recht, sp_recht}};
    for (const Optional& o : optionale())
        if (*o.spalte >= 0)
            spalten.append({o.tag, *o.spalte});
    QStringList namen;
    for (const auto& s : spalten)
        namen.append(tab->gib_spaltenname(s.first));
    const CQString sql(QStringLiteral("SELECT %1 FROM %2;").arg(namen.join(QLatin1Char(',')), tabellenname));
    // No row goes to the row log: it carries the stored password. The window answers while the
    // server is waited for, and may go meanwhile.
    QVector<QVariantList> zeilen;
    const QPointer<CAnwenderListe> fenster(this);
    const bool gelesen = db->lies_zeilen(sql, CQString("lade_tabelle"), tabellenname, zeilen,
                                         &gib_benutzer_klassen().c_canwenderliste);
    if (!fenster)
        return false;
    if (!gelesen) {
        // The grid keeps what it showed; the administrator learns that it may be out of date.
        fehler_anwendertabelle(gib_meldungstitel());
        return false;
    }
    tabelle_aendert = true;
    tabelle->setRowCount(0);
    for (const QVariantList& werte : qAsConst(zeilen)) {
        const int zeile = tabelle->rowCount();
        tabelle->setRowCount(zeile + 1);
        for (int i = 0; i < spalten.size(); ++i) {
            const QVariant wert = werte.value(i);
            const int sp = spalten[i].second;
            if (spalten[i].first == bv_tag::anw_id || spalten[i].first == bv_tag::anw_gruppe)
                tabelle->setzeText(zeile, sp, wert.isNull() ? CQString() : CQString(QString::number(wert.toInt())));
            else if (spalten[i].first == bv_tag::anw_recht) {
                const int nummer = gib_recht_nummer_aus_kuerzel(db->sql_wert_ohne_auffuellung(wert, tabellenname, namen[i]));
                tabelle->setzeText(zeile, sp, nummer == NICHT_GESETZT ? CQString() : CQString(gib_recht_name(nummer)));
            } else
                tabelle->setzeText(zeile, sp, db->sql_wert_ohne_auffuellung(wert, tabellenname, namen[i]));
            // Beside the text, the value as read: a later write checks that the row still holds it.
            if (QTableWidgetItem* zelle = tabelle->item(zeile, sp))
                zelle->setData(Qt::UserRole, wert);
        }
        const int gruppe = tabelle->zellText(zeile, sp_gruppe).toInt();
        const int gruppe_index = gruppennummern.indexOf(gruppe);
        tabelle->setzeText(zeile, sp_gruppenname, gruppe_index >= 0 ? CQString(cGruppe->itemText(gruppe_index)) : CQString());
        tabelle->setzeText(zeile, sp_kennwort_marke,
                           tabelle->zellText(zeile, sp_kennwort).isEmpty() ? CQString() : CQString("***"));
        if (sp_abteilung >= 0)
            ergaenze_abteilung(tabelle->zellText(zeile, sp_abteilung));
    }
    tabelle->sortColumn(sp_name, true);
    tabelle_aendert = false;
    return true;
}

int CAnwenderListe::erste_markierte_zeile() const
{
    for (int zeile = 0; zeile < tabelle->rowCount(); ++zeile)
        if (tabelle->istZeileMarkiert(zeile, false))
            return zeile;
    return -1;
}

int CAnwenderListe::zeile_von(int nummer) const
{
    const QString text = QString::number(nummer);
    for (int zeile = 0; zeile < tabelle->rowCount(); ++zeile)
        if (tabelle->zellText(zeile, 0) == text)
            return zeile;
    return -1;
}

int CAnwenderListe::zeile_mit_name(const QString& name) const
{
    for (int zeile = 0; zeile < tabelle->rowCount(); ++zeile)
        if (tabelle->zellText(zeile, sp_name) == name)
            return zeile;
    return -1;
}

void CAnwenderListe::waehle_zeile(int zeile, bool zeigen, bool vorher_aufheben)
{
    if (vorher_aufheben) {
        tabelle_aendert = true;
        tabelle->hebeMarkierungAuf();
        tabelle_aendert = false;
    }
    tabelle->selectRow(zeile);
    if (zeigen)
        tabelle->zeigeZelle(zeile, sp_lock);
}

void CAnwenderListe::ZelleGewechselt(int arowc, int acolc, int, int)
{
    if (tabelle_aendert || !tabelle)
        return;
    qDebug().noquote() << QStringLiteral("ZelleGewechselt: Zeile %1 Spalte %2").arg(arowc).arg(acolc);
    lade_zeile(arowc);
    if (acolc > 0)
        QCoreApplication::postEvent(this, new CMainWindowEvent(arowc));
}

bool CAnwenderListe::event(QEvent* ereignis)
{
    if (ereignis->type() == CMainWindowEvent::typ) {
        // The row stays in view while the user works in it.
        ereignis_zeile = static_cast<CMainWindowEvent*>(ereignis)->gib_wert();
        if (tabelle && ereignis_zeile >= 0 && ereignis_zeile < tabelle->rowCount())
            tabelle->zeigeZelle(ereignis_zeile, sp_lock);
        ereignis->accept();
        return true;
    }
    return QWidget::event(ereignis);
}

void CAnwenderListe::fehler_anwendertabelle(const QString& titel, const QString& ursache)
{
    QString text = tr("Fehler beim Zugriff auf Anwendertabelle !");
    if (!ursache.isEmpty())
        text += QLatin1Char('\n') + ursache;
    meldung_kritisch(hauptwidget(this), CQString(titel), CQString(text));
}
