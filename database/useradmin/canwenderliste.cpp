#include "canwenderliste.h"

#include "aclrechte.h"
#include "bvdbeinstellungen.h"
#include "bvstruktur.h"
#include "caclgroup.h"
#include "camisc.h"
#include "canwender_passwort.h"
#include "cbvdatabase.h"
#include "ccdatabase.h"
#include "ccombobox.h"
#include "cdbdatenstruktur.h"
#include "cdbtabelle.h"
#include "ceingabestring.h"
#include "bilder.h"
#include "ckrypt.h"
#include "clineedit.h"
#include "cqsqlquery.h"
#include "ctable.h"
#include "dialogseam.h"
#include "gui.h"
#include "katalog.h"
#include "melde.h"
#include "plattform.h"
#include "sqlfehler.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDebug>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlRecord>
#include <tuple>

namespace {

CKlasse& eintrag_benutzerverwaltung()
{
    static CKlasse* klasse = new CKlasse("C_CBenutzerVerwaltung");
    return *klasse;
}

// Registered while globals are built.
const bool angelegt = (eintrag_benutzerverwaltung(), true);

CKlasse* klasse()
{
    return &gib_benutzer_klassen().c_canwenderliste;
}

QWidget* hauptwidget(QWidget* ersatz)
{
    QWidget* haupt = gib_hauptfenster();
    return haupt ? haupt : ersatz;
}

bool hat_spalte(const CDBTabelle* tab, int tag)
{
    return tab && tab->gib_index(tag, false) >= 0;
}

// An empty text is stored as NULL.
QVariant textwert(const CQString& text)
{
    return text.isEmpty() ? QVariant(QVariant::String) : QVariant(QString(text));
}

// Only a whole number keeps its meaning with a decimal comma; addresses and names keep their dots.
bool ist_zahl(const QString& text)
{
    static const QRegularExpression zahl(QStringLiteral("^[+-]?[0-9]*\\.?[0-9]+$"));
    return zahl.match(text).hasMatch();
}

} // namespace

CKlasse* gib_klasse_benutzerverwaltung()
{
    return &eintrag_benutzerverwaltung();
}

bool gib_windows_auto_login()
{
    return gib_katalog_kelmor().windows_auto_login.gib_wert() != NEIN;
}

CQString gib_anwender_email(const CQString& anwender, const int& ergebnis_tag, const int& name_tag)
{
    CBVDataBase* bv = gib_bv_datenbank();
    if (anwender.isEmpty() || !datenbank_verbunden() || !bv || !bv->gib_struktur())
        return CQString();
    CDBTabelle* tab = bv->gib_struktur()->gib_tabelle(bv_tag::anwender);
    if (!tab || !tab->gib_tagliste().contains(ergebnis_tag))
        return CQString();
    const CCDataBase* db = bv->gib_datenbank();
    const CQString tabellenname = bv->gib_struktur()->gib_tabellenname(bv_tag::anwender);
    setze_warte_cursor(true, false);
    QString sql = QStringLiteral("SELECT %1,%2 FROM %3")
                      .arg(tab->gib_spaltenname(bv_tag::anw_id), tab->gib_spaltenname(ergebnis_tag), tabellenname);
    const QString name = db->sql_text_literal(anwender);
    if (db->gib_art() == CCDataBase::art_oracle && gib_windows_auto_login())
        sql += QStringLiteral(" WHERE (LOWER(%1)=LOWER('%2'));").arg(tab->gib_spaltenname(name_tag), name);
    else
        sql += QStringLiteral(" WHERE (%1='%2');").arg(tab->gib_spaltenname(name_tag), name);
    CQSqlQuery abfrage(CQString(sql), db, true);
    CQString ergebnis;
    if (!abfrage.isActive()) {
        melde_sql_fehler(abfrage, CQString(sql), klasse(), CQString("gib_anwender_email"), tabellenname);
        setze_warte_cursor(false, false);
        meldung_kritisch(gib_hauptfenster(), gib_meldungstitel(),
                         CQString(QObject::tr("Fehler beim Zugriff auf Anwendertabelle !")));
        return CQString();
    }
    // Only the first row counts.
    if (abfrage.next()) {
        db->protokolliere_zeile(abfrage, 2, false);
        if (!abfrage.value(1).isNull())
            ergebnis = db->sql_wert_string(abfrage.value(1), false);
    }
    setze_warte_cursor(false, false);
    return ergebnis;
}

QStringList& CAnwenderListe::abteilungen()
{
    static QStringList liste;
    return liste;
}

CAnwenderListe::CAnwenderListe(QWidget* eltern) : QWidget(eltern)
{
    setObjectName(QStringLiteral("CAnwenderListe"));
    baue_oberflaeche();
    lade_tabelle();
}

CAnwenderListe::~CAnwenderListe() = default;

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
    tabelle->setzeNurLesen(true);
    tabelle->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabelle->setSelectionMode(QAbstractItemView::ExtendedSelection);

    QStringList titel{QStringLiteral("ID")};
    auto spalte = [&](int& index, const QString& text) {
        index = titel.size();
        titel.append(text);
    };
    auto titel_von = [&](int tag, const char* vorgabe) {
        return tab ? QString(tab->gib_guititel(tag)) : QString::fromUtf8(vorgabe);
    };
    spalte(sp_gruppe, tr("Gruppen-Nr."));
    spalte(sp_lock, tr("Angemeldet"));
    spalte(sp_name, titel_von(bv_tag::anw_name, "Anwender"));
    spalte(sp_gruppenname, tr("Gruppe"));
    spalte(sp_recht, tr("Recht"));
    spalte(sp_kennwort_marke, tr("Kennwort"));
    spalte(sp_kennwort, QStringLiteral("-"));
    for (const Optional& o : optionale())
        if (hat_spalte(tab, o.tag))
            spalte(*o.spalte, tab->gib_guititel(o.tag));
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
    auto zeile_hinzu = [&](const QString& text, QWidget* feld, QCheckBox** kasten, QWidget* suchfeld) {
        fl->addWidget(new QLabel(text, felder), zeile, 0);
        fl->addWidget(feld, zeile, 1);
        if (kasten) {
            *kasten = new QCheckBox(text, suche);
            sl->addWidget(*kasten, zeile, 0);
            sl->addWidget(suchfeld, zeile, 1);
            suchfeld->setEnabled(false);
        }
        ++zeile;
    };
    auto zeile_edit = [&](CLineEdit*& feld, int tag) {
        feld = new CLineEdit(felder);
        const int breite = spaltenbreite(tag);
        if (breite > 0)
            feld->setMaxLength(breite);
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
    }
    if (sp_bemerkung >= 0)
        zeile_hinzu(titel.value(sp_bemerkung), zeile_edit(eBemerkung, bv_tag::anw_bemerkung), nullptr, nullptr);

    for (const CAclGroup* gruppe : gib_gruppenliste()) {
        gruppennummern.append(gruppe->gib_nummer());
        cGruppe->addItem(gruppe->gib_name());
        sGruppe->addItem(gruppe->gib_name());
    }
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

int CAnwenderListe::spaltenbreite(int tag) const
{
    const CDBTabelle* tab = gib_bv_anwendertabelle();
    const CCDataBase* db = gib_bv_ccdatabase();
    if (!tab)
        return 0;
    const int breite = tab->gib_laenge(tag, 0);
    if (breite > 0 && breite != NICHT_GESETZT)
        return breite;
    return db ? db->spalten_laenge(tab->gib_spaltentyp(tag)) : 0;
}

bool CAnwenderListe::lade_tabelle()
{
    const CDBTabelle* tab = gib_bv_anwendertabelle();
    const CCDataBase* db = gib_bv_ccdatabase();
    CBVDataBase* bv = gib_bv_datenbank();
    if (!tab || !db || !bv || !bv->gib_struktur())
        return false;
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
    // No row goes to the row log: it carries the stored password.
    CQSqlQuery abfrage(sql, db, true);
    if (!abfrage.isActive()) {
        melde_sql_fehler(abfrage, sql, klasse(), CQString("lade_tabelle"), tabellenname);
        return false;
    }
    tabelle_aendert = true;
    tabelle->setRowCount(0);
    while (abfrage.next()) {
        const int zeile = tabelle->rowCount();
        tabelle->setRowCount(zeile + 1);
        for (int i = 0; i < spalten.size(); ++i) {
            const QVariant wert = abfrage.value(i);
            const int sp = spalten[i].second;
            if (spalten[i].first == bv_tag::anw_id || spalten[i].first == bv_tag::anw_gruppe)
                tabelle->setzeText(zeile, sp, wert.isNull() ? CQString() : CQString(QString::number(wert.toInt())));
            else if (spalten[i].first == bv_tag::anw_recht) {
                const int nummer = gib_recht_nummer_aus_kuerzel(db->sql_wert_string(wert, false));
                tabelle->setzeText(zeile, sp, nummer == NICHT_GESETZT ? CQString() : CQString(gib_recht_name(nummer)));
            } else
                tabelle->setzeText(zeile, sp, wert.isNull() ? CQString() : db->sql_wert_string(wert, false));
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

void CAnwenderListe::lade_zeile(int zeile)
{
    if (blockiert || zeile < 0 || zeile >= tabelle->rowCount())
        return;
    laedt = true;
    anw_id = tabelle->zellText(zeile, 0).toInt();
    bool ok = false;
    grp_id = tabelle->zellText(zeile, sp_gruppe).toInt(&ok);
    if (!ok)
        grp_id = -1;
    anw_name = tabelle->zellText(zeile, sp_name);
    anw_recht = tabelle->zellText(zeile, sp_recht);
    anw_kennwort = tabelle->zellText(zeile, sp_kennwort);
    for (const Optional& o : optionale())
        if (*o.spalte >= 0)
            *o.wert = tabelle->zellText(zeile, *o.spalte);
    zeige_aktuellen_anwender();
}

void CAnwenderListe::zeige_aktuellen_anwender()
{
    const int index = qMax(0, gruppennummern.indexOf(grp_id));
    cGruppe->setCurrentIndex(index);
    sGruppe->setCurrentIndex(index);
    const int recht = gib_recht_nummer(anw_recht);
    // An unknown right leaves both choices without a current item.
    cRecht->setCurrentIndex(recht == NICHT_GESETZT ? -1 : recht);
    sRecht->setCurrentIndex(recht == NICHT_GESETZT ? -1 : recht);
    eName->setzeText(anw_name);
    sName->setzeText(anw_name);
    const QVector<std::tuple<int, CLineEdit*, CLineEdit*, CQString*>> felder{
        {sp_lang, eLang, sLang, &anw_lang},       {sp_telefon, eTelefon, sTelefon, &anw_telefon},
        {sp_telefax, eTelefax, sTelefax, &anw_telefax}, {sp_email, eEMail, sEMail, &anw_email},
        {sp_host, nullptr, sHost, &anw_host},     {sp_bemerkung, eBemerkung, nullptr, &anw_bemerkung}};
    for (const auto& [spalte, edit, such, wert] : felder) {
        if (spalte < 0)
            continue;
        if (edit)
            edit->setzeText(*wert);
        if (such)
            such->setzeText(*wert);
    }
    if (sp_abteilung >= 0) {
        cAbteilung->setzeText(anw_abteilung);
        sAbteilung->setzeText(anw_abteilung);
    }
    setze_bearbeitungsmodus(true);
    laedt = false;
}

void CAnwenderListe::setze_bearbeitungsmodus(bool vorhanden)
{
    anwender_vorhanden = vorhanden;
    const bool gueltig = !eName->text().isEmpty() && eName->istGueltig();
    bAdd->setEnabled(gueltig && !vorhanden);
    bChange->setEnabled(gueltig && vorhanden);
    bDelete->setEnabled(gueltig && vorhanden);
    bKennwort->setEnabled(gueltig && vorhanden);
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

void CAnwenderListe::ergaenze_abteilung(const CQString& text)
{
    QStringList& liste = abteilungen();
    if (text.isEmpty() || (cAbteilung && cAbteilung->count() > 0 && liste.contains(text)))
        return;
    liste.append(text);
    liste.sort();
    liste.removeDuplicates();
    for (CComboBox* combo : {cAbteilung, sAbteilung}) {
        if (!combo)
            continue;
        const QSignalBlocker sperre(combo);
        combo->clear();
        combo->addItems(liste);
    }
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

void CAnwenderListe::changeUser()
{
    anw_name = eName->text();
    if (laedt)
        return;
    const int zeile = anw_name.isEmpty() ? -1 : zeile_mit_name(anw_name);
    tabelle_aendert = true;
    tabelle->hebeMarkierungAuf();
    tabelle_aendert = false;
    if (zeile >= 0)
        waehle_zeile(zeile, true, false);
    else {
        // A new user starts without the password and host name of the user shown before.
        anw_kennwort.clear();
        anw_host.clear();
    }
    setze_bearbeitungsmodus(zeile >= 0);
}

void CAnwenderListe::changeUserlang() { anw_lang = eLang->text(); }
void CAnwenderListe::changeTelefon() { anw_telefon = eTelefon->text(); }
void CAnwenderListe::changeTelefax() { anw_telefax = eTelefax->text(); }
void CAnwenderListe::changeEMail() { anw_email = eEMail->text(); }
void CAnwenderListe::changeBemerkung() { anw_bemerkung = eBemerkung->text(); }

void CAnwenderListe::changeGroup(int index)
{
    // An empty combo box reports -1.
    if (laedt || index < 0 || index >= gib_gruppenliste().size())
        return;
    grp_id = gib_gruppenliste().at(index)->gib_nummer();
    if (eName->text().isEmpty() || !tabelle)
        return;
    tabelle_aendert = true;
    tabelle->hebeMarkierungAuf();
    tabelle_aendert = false;
    const int zeile = zeile_mit_name(eName->text());
    if (zeile >= 0)
        waehle_zeile(zeile, true, false);
    setze_bearbeitungsmodus(zeile >= 0);
}

void CAnwenderListe::changeAbteilung(int)
{
    if (!laedt && cAbteilung)
        anw_abteilung = cAbteilung->currentText();
}

void CAnwenderListe::changeAbteilungText()
{
    if (!cAbteilung)
        return;
    anw_abteilung = cAbteilung->currentText();
    ergaenze_abteilung(anw_abteilung);
}

void CAnwenderListe::schalte(QCheckBox* kasten, QWidget* feld)
{
    if (!kasten || !feld)
        return;
    const bool an = kasten->isChecked();
    if (auto* edit = qobject_cast<CLineEdit*>(feld))
        edit->setzeAktiv(an);
    else
        feld->setEnabled(an);
    if (an)
        feld->setFocus(Qt::OtherFocusReason);
}

void CAnwenderListe::toggleUser() { schalte(kName, sName); }
void CAnwenderListe::toggleGruppe() { schalte(kGruppe, sGruppe); }
void CAnwenderListe::toggleRecht() { schalte(kRecht, sRecht); }
void CAnwenderListe::toggleUserlang() { schalte(kLang, sLang); }
void CAnwenderListe::toggleAbteilung() { schalte(kAbteilung, sAbteilung); }
void CAnwenderListe::toggleTelefon() { schalte(kTelefon, sTelefon); }
void CAnwenderListe::toggleTelefax() { schalte(kTelefax, sTelefax); }
void CAnwenderListe::toggleEMail() { schalte(kEMail, sEMail); }
void CAnwenderListe::toggleHostname() { schalte(kHost, sHost); }

void CAnwenderListe::fehler_anwendertabelle(const QString& titel)
{
    meldung_kritisch(hauptwidget(this), CQString(titel), CQString(tr("Fehler beim Zugriff auf Anwendertabelle !")));
}

void CAnwenderListe::findEntries()
{
    tabelle_aendert = true;
    tabelle->hebeMarkierungAuf();
    tabelle_aendert = false;
    struct Kriterium
    {
        QCheckBox* kasten;
        int spalte;
        QWidget* feld;
    };
    QVector<Kriterium> kriterien;
    for (const Kriterium& k : QVector<Kriterium>{{kName, sp_name, sName},
                                                 {kGruppe, sp_gruppenname, sGruppe},
                                                 {kRecht, sp_recht, sRecht},
                                                 {kLang, sp_lang, sLang},
                                                 {kAbteilung, sp_abteilung, sAbteilung},
                                                 {kTelefon, sp_telefon, sTelefon},
                                                 {kTelefax, sp_telefax, sTelefax},
                                                 {kEMail, sp_email, sEMail},
                                                 {kHost, sp_host, sHost}})
        if (k.kasten && k.spalte >= 0 && k.kasten->isChecked())
            kriterien.append(k);
    if (kriterien.isEmpty())
        return;
    tabelle_aendert = true;
    tabelle->setSelectionMode(QAbstractItemView::MultiSelection);
    bool erste = true;
    for (int zeile = 0; zeile < tabelle->rowCount(); ++zeile) {
        bool passt = true;
        for (const Kriterium& k : kriterien) {
            const auto* combo = qobject_cast<QComboBox*>(k.feld);
            const QString such = combo ? combo->currentText() : static_cast<QLineEdit*>(k.feld)->text();
            passt = passt && tabelle->zellText(zeile, k.spalte).contains(such, Qt::CaseSensitive);
        }
        if (!passt)
            continue;
        tabelle->selectRow(zeile);
        if (erste)
            tabelle->zeigeZelle(zeile, sp_lock);
        erste = false;
    }
    tabelle->setSelectionMode(QAbstractItemView::ExtendedSelection);
    tabelle_aendert = false;
    pruefe_auswahl(true);
}

void CAnwenderListe::fcopybutton_clicked()
{
    if (!tabelle)
        return;
    const bool dezimalpunkt = gib_katalog_kelmor().csv_dezimalpunkt.gib_wert() == JA;
    QString text;
    QVector<int> spalten;
    for (int spalte = 0; spalte < tabelle->columnCount(); ++spalte)
        if (tabelle->istSpalteMarkiert(spalte, false))
            spalten.append(spalte);
    QStringList kopf;
    for (int spalte : spalten) {
        QString titel = tabelle->horizontalHeaderItem(spalte) ? tabelle->horizontalHeaderItem(spalte)->text() : QString();
        titel.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
        kopf.append(titel);
    }
    if (!kopf.isEmpty())
        text += kopf.join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (int zeile = 0; zeile < tabelle->rowCount(); ++zeile) {
        if (!tabelle->istZeileMarkiert(zeile, false))
            continue;
        QStringList zellen;
        for (int spalte = 0; spalte < tabelle->columnCount(); ++spalte) {
            if (!tabelle->istZelleMarkiert(zeile, spalte))
                continue;
            QString zelle = tabelle->zellText(zeile, spalte);
            if (spalte == sp_kennwort && !zelle.isEmpty())
                zelle = QStringLiteral("****");
            else if (!dezimalpunkt && ist_zahl(zelle))
                zelle.replace(QLatin1Char('.'), QLatin1Char(','));
            zellen.append(zelle);
        }
        if (!zellen.isEmpty())
            text += zellen.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    tabelle_aendert = true;
    tabelle->hebeMarkierungAuf();
    tabelle_aendert = false;
    QApplication::clipboard()->setText(text);
}

void CAnwenderListe::fmarkbutton_clicked()
{
    if (tabelle)
        tabelle->markiereBereich(0, 0, tabelle->rowCount() - 1, tabelle->columnCount() - 1);
}

void CAnwenderListe::ff3button_clicked()
{
    pruefe_auswahl(false);
}

void CAnwenderListe::EditBemerkung()
{
    const int zeile = erste_markierte_zeile();
    CBVDataBase* bv = gib_bv_datenbank();
    const CDBTabelle* tab = gib_bv_anwendertabelle();
    if (zeile < 0 || sp_bemerkung < 0 || !bv || !tab)
        return;
    const int maximum = spaltenbreite(bv_tag::anw_bemerkung);
    const CQString alt = tabelle->zellText(zeile, sp_bemerkung);
    CEingabeString dialog(this, CQString("bemerkung"), true);
    dialog.setWindowTitle(tr("Editieren der Bemerkung"));
    EingabeString* f = dialog.gib_formular();
    f->textLabel1->setText(tr("Anwender %1").arg(tabelle->zellText(zeile, sp_name)));
    f->textLabel2->setText(tr("maximal %1 Zeichen (wird beim Speichern abgeschnitten)").arg(maximum));
    f->lineEdit->setText(alt);
    if (fuehre_modal_aus(&dialog) != QDialog::Accepted)
        return;
    QString eingabe = f->lineEdit->text();
    eingabe.remove(QLatin1Char('\n'));
    eingabe.remove(QLatin1Char('\r'));
    if (maximum > 0)
        eingabe.truncate(maximum);
    const CQString neu(eingabe);
    tabelle_aendert = true;
    tabelle->setzeText(zeile, sp_bemerkung, neu);
    tabelle_aendert = false;
    const CCDataBase* db = bv->gib_datenbank();
    const CQString tabellenname = bv->gib_struktur()->gib_tabellenname(bv_tag::anwender);
    const QString wert = neu.isEmpty() ? QStringLiteral("NULL") : QStringLiteral("'%1'").arg(db->sql_text_literal(neu));
    const CQString sql(QStringLiteral("UPDATE %1 SET %2=%3 WHERE (%4=%5);")
                           .arg(tabellenname, tab->gib_spaltenname(bv_tag::anw_bemerkung), wert,
                                tab->gib_spaltenname(bv_tag::anw_id), tabelle->zellText(zeile, 0)));
    QSqlQuery abfrage(db->gib_datenbank());
    if (!db->fuehre_aus(abfrage, sql, CQString("EditBemerkung"), tabellenname)) {
        // The cell shows what the table holds, not the text that could not be stored.
        tabelle_aendert = true;
        tabelle->setzeText(zeile, sp_bemerkung, alt);
        tabelle_aendert = false;
        fehler_anwendertabelle(gib_meldungstitel());
        return;
    }
    if (tabelle->zellText(zeile, 0).toInt() == anw_id)
        anw_bemerkung = neu;
}

void CAnwenderListe::tableHeaderClicked_slot(int spalte)
{
    if (!tabelle)
        return;
    setze_warte_cursor(true, false);
    tabelle_aendert = true;
    tabelle->hebeMarkierungAuf();
    tabelle_aendert = false;
    tabelle->sortColumn(spalte, spalte != tabelle->sortierSpalte() ? true : !tabelle->sortiertAufsteigend());
    setze_warte_cursor(false, false);
}

QMenu* CAnwenderListe::baue_kontextmenue()
{
    // The same row `DeleteItem` deletes, not merely the current one.
    const int zeile = erste_markierte_zeile();
    const QString name = zeile >= 0 ? QString(tabelle->zellText(zeile, sp_name)) : QString();
    auto* menue = new QMenu(tabelle);
    QAction* loeschen = menue->addAction(gib_icon_minicross(), tr("'%1' Löschen").arg(name));
    loeschen->setStatusTip(tr("Löschen Rechte-Eintrag"));
    connect(loeschen, &QAction::triggered, this, &CAnwenderListe::DeleteItem);
    connect(menue->addAction(tr("Bemerkung bearbeiten")), &QAction::triggered, this, &CAnwenderListe::EditBemerkung);
    menue->addAction(tr("Beenden"))->setStatusTip(tr("Auswahl beenden"));
    return menue;
}

void CAnwenderListe::table_mouseReleaseEvent()
{
    if (!tabelle)
        return;
    QMenu* menue = baue_kontextmenue();
    fuehre_modal_aus(menue);
    delete menue;
}

void CAnwenderListe::pruefe_auswahl(const bool& ohne_neuwahl)
{
    if (!tabelle)
        return;
    if (!ohne_neuwahl) {
        QVector<int> zeilen;
        for (int zeile = 0; zeile < tabelle->rowCount(); ++zeile)
            if (tabelle->istZeileMarkiert(zeile, true) && tabelle->zellText(zeile, 0).toInt() != anw_id)
                zeilen.append(zeile);
        tabelle_aendert = true;
        tabelle->hebeMarkierungAuf();
        tabelle_aendert = false;
        if (zeilen.isEmpty()) {
            fehler_ton();
            return;
        }
        tabelle_aendert = true;
        tabelle->setSelectionMode(QAbstractItemView::MultiSelection);
        for (int zeile : zeilen)
            tabelle->selectRow(zeile);
        tabelle->zeigeZelle(zeilen.first(), 0);
        tabelle->setSelectionMode(QAbstractItemView::ExtendedSelection);
        tabelle_aendert = false;
    }
    for (int zeile = 0; zeile < tabelle->rowCount(); ++zeile) {
        if (tabelle->istZeileMarkiert(zeile, true)) {
            tabelle->zeigeZelle(zeile, 0);
            lade_zeile(zeile);
            return;
        }
    }
    fehler_ton();
}

// ---- Records ----

void CAnwenderListe::addEntry()
{
    CBVDataBase* bv = gib_bv_datenbank();
    const CDBTabelle* tab = gib_bv_anwendertabelle();
    if (eName->text().isEmpty() || !bv || !bv->gib_struktur() || !tab)
        return;
    const CCDataBase* db = bv->gib_datenbank();
    const CQString tabellenname = bv->gib_struktur()->gib_tabellenname(bv_tag::anwender);
    const CQString name = eName->text();
    // A second user of the same log-on name would hide the first from every lookup by name.
    const CQString bedingung(
        QStringLiteral("WHERE (%1='%2')").arg(tab->gib_spaltenname(bv_tag::anw_name), db->sql_text_literal(name)));
    const int vorhanden = db->gib_anzahl_records(&tabellenname, false, &bedingung);
    if (vorhanden < 0) {
        fehler_anwendertabelle(gib_meldungstitel());
        return;
    }
    if (vorhanden > 0) {
        fehler_ton();
        meldung_kritisch(this, gib_meldungstitel(), CQString(tr("Anwender '%1' ist bereits vorhanden !").arg(name)));
        return;
    }
    // Without a group the user could never be changed afterwards.
    int gruppe = -1;
    for (const CAclGroup* g : gib_gruppenliste())
        if (g->gib_name() == cGruppe->currentText())
            gruppe = g->gib_nummer();
    if (gruppe < 0) {
        fehler_ton();
        meldung_kritisch(this, gib_meldungstitel(), CQString(tr("Bitte eine gültige Gruppe wählen !")));
        return;
    }
    // A new user has no password until one is set for him.
    anw_kennwort.clear();
    QStringList spalten{tab->gib_spaltenname(bv_tag::anw_gruppe), tab->gib_spaltenname(bv_tag::anw_name),
                        tab->gib_spaltenname(bv_tag::anw_recht)};
    QVariantList werte{gruppe, QString(name), textwert(gib_recht_kuerzel(cRecht->currentIndex() < 0
                                                                              ? NICHT_GESETZT
                                                                              : cRecht->currentIndex()))};
    for (const Optional& o : optionale())
        if (*o.spalte >= 0) {
            spalten.append(tab->gib_spaltenname(o.tag));
            werte.append(textwert(*o.wert));
        }
    int id = anw_id;
    bool id_fehler = false;
    const CQString fehler = db->schreibe_neuen_datensatz(tabellenname, tab->gib_spaltenname(bv_tag::anw_id), spalten,
                                                         werte, id, id_fehler, CQString("addEntry"));
    if (!id_fehler)
        anw_id = id;
    grp_id = gruppe;
    if (!fehler.isEmpty()) {
        if (!id_fehler)
            fehler_anwendertabelle(gib_meldungstitel());
        return;
    }
    tabelle_aendert = true;
    const int zeile = tabelle->rowCount();
    tabelle->setRowCount(zeile + 1);
    tabelle->setzeText(zeile, 0, CQString(QString::number(anw_id)));
    tabelle->setzeText(zeile, sp_kennwort_marke, CQString());
    tabelle->setzeText(zeile, sp_kennwort, CQString());
    tabelle->setzeText(zeile, sp_lock, CQString());
    schreibe_zeile(zeile);
    tabelle_aendert = false;
    waehle_zeile(zeile, true, true);
    setze_bearbeitungsmodus(true);
    // The new user's first password.
    changeKennwort();
}

void CAnwenderListe::schreibe_zeile(int zeile)
{
    tabelle->setzeText(zeile, sp_gruppe, CQString(QString::number(grp_id)));
    tabelle->setzeText(zeile, sp_name, anw_name);
    tabelle->setzeText(zeile, sp_gruppenname, CQString(cGruppe->currentText()));
    tabelle->setzeText(zeile, sp_recht, CQString(cRecht->currentText()));
    if (cRecht->currentIndex() >= 0)
        anw_recht = cRecht->currentText();
    for (const Optional& o : optionale())
        if (*o.spalte >= 0)
            tabelle->setzeText(zeile, *o.spalte, *o.wert);
}

void CAnwenderListe::changeEntry()
{
    CBVDataBase* bv = gib_bv_datenbank();
    const CDBTabelle* tab = gib_bv_anwendertabelle();
    if (anw_id == -1 || grp_id == -1 || !bv || !bv->gib_struktur() || !tab)
        return;
    const CCDataBase* db = bv->gib_datenbank();
    const CQString tabellenname = bv->gib_struktur()->gib_tabellenname(bv_tag::anwender);
    const int recht = cRecht->currentIndex();
    QString zuweisungen = QStringLiteral("%1=%2").arg(tab->gib_spaltenname(bv_tag::anw_gruppe)).arg(grp_id);
    auto text = [&](int tag, const CQString& wert) {
        zuweisungen += QStringLiteral(",%1=%2").arg(
            tab->gib_spaltenname(tag),
            wert.isEmpty() ? QStringLiteral("NULL") : QStringLiteral("'%1'").arg(db->sql_text_literal(wert)));
    };
    text(bv_tag::anw_name, anw_name);
    text(bv_tag::anw_recht, gib_recht_kuerzel(recht < 0 ? NICHT_GESETZT : recht));
    for (const Optional& o : optionale())
        if (*o.spalte >= 0)
            text(o.tag, *o.wert);
    const CQString sql(QStringLiteral("UPDATE %1 SET %2 WHERE (%3=%4);")
                           .arg(tabellenname, zuweisungen, tab->gib_spaltenname(bv_tag::anw_id))
                           .arg(anw_id));
    QSqlQuery abfrage(db->gib_datenbank());
    if (!db->fuehre_aus(abfrage, sql, CQString("changeEntry"), tabellenname)) {
        fehler_anwendertabelle(gib_meldungstitel());
        return;
    }
    tabelle_aendert = true;
    tabelle->hebeMarkierungAuf();
    const int zeile = zeile_von(anw_id);
    if (zeile >= 0)
        schreibe_zeile(zeile);
    tabelle_aendert = false;
    if (zeile >= 0)
        waehle_zeile(zeile, true, false);
    setze_bearbeitungsmodus(true);
}

void CAnwenderListe::deleteEntry()
{
    if (anw_id == -1 || grp_id == -1)
        return;
    const int zeile = zeile_von(anw_id);
    if (zeile < 0)
        return;
    entferne_zeile(zeile);
}

void CAnwenderListe::DeleteItem()
{
    const int zeile = erste_markierte_zeile();
    if (zeile < 0)
        return;
    entferne_zeile(zeile);
}

void CAnwenderListe::entferne_zeile(int zeile)
{
    if (!anwender_loeschen(tabelle->zellText(zeile, 0).toInt(), tabelle->zellText(zeile, sp_lock) == QLatin1String("X"),
                           tabelle->zellText(zeile, sp_name)))
        return;
    tabelle_aendert = true;
    tabelle->removeRow(zeile);
    tabelle_aendert = false;
    anw_name.clear();
    eName->setzeText(CQString());
    sName->setzeText(CQString());
}

bool CAnwenderListe::anwender_loeschen(int nummer, bool angemeldet, const CQString& name)
{
    const QString zweite = angemeldet ? tr("Der Anwender '%1' benutzt gerade Kelmor !").arg(name)
                                      : tr("Sie selbst sind als Kelmor Anwender '%1' angemeldet !").arg(name);
    if (angemeldet || name == gib_katalog_privat().anwender.gib_wert_qstr()) {
        frage_mit_knoepfen(this, QMessageBox::Information, tr("Anwender löschen"),
                           tr("Anwender darf nicht gelöscht werden !") + QStringLiteral("\n ") + zweite,
                           {tr("&Ok")}, 0, 0);
        return false;
    }
    if (frage_mit_knoepfen(this, QMessageBox::Question, gib_meldungstitel(),
                           tr("Anwender '%1' endgültig löschen?").arg(name), {tr("Ja"), tr("Nein")}, 1, 1) != 0)
        return false;
    CBVDataBase* bv = gib_bv_datenbank();
    const CDBTabelle* tab = gib_bv_anwendertabelle();
    if (!bv || !bv->gib_struktur() || !tab)
        return false;
    const CQString tabellenname = bv->gib_struktur()->gib_tabellenname(bv_tag::anwender);
    const CQString sql(QStringLiteral("DELETE FROM %1 WHERE %2=%3;")
                           .arg(tabellenname, tab->gib_spaltenname(bv_tag::anw_id))
                           .arg(nummer));
    QSqlQuery abfrage(bv->gib_datenbank()->gib_datenbank());
    if (!bv->gib_datenbank()->fuehre_aus(abfrage, sql, CQString("anwenderLoeschen"), tabellenname)) {
        fehler_anwendertabelle(gib_meldungstitel());
        return false;
    }
    qmelde(5, klasse(), CQString("anwender_loeschen"), CQString(tr("Anwender '%1' gelöscht").arg(name)));
    return true;
}

void CAnwenderListe::changeKennwort()
{
    if (eName->text().isEmpty()) {
        fehler_ton();
        return;
    }
    Canwender_passwort dialog(this, CQString("pass"), 1);
    dialog.cUser->setText(eName->text());
    dialog.ePass_n->setText(QString());
    dialog.ePass_nb->setText(QString());
    if (fuehre_modal_aus(&dialog) != QDialog::Accepted)
        return;
    if (dialog.ePass_n->text() != dialog.ePass_nb->text()) {
        fehler_ton();
        meldung_kritisch(this, gib_meldungstitel(), CQString(tr("Kennworte stimmen nicht überein !")));
        return;
    }
    const QString text = dialog.ePass_n->text();
    anw_kennwort = text.isEmpty() ? CQString() : verschluessele_kennwort(CQString(text));
    CBVDataBase* bv = gib_bv_datenbank();
    const CDBTabelle* tab = gib_bv_anwendertabelle();
    if (!anwender_vorhanden || !bv || !bv->gib_struktur() || !tab)
        return;
    const CCDataBase* db = bv->gib_datenbank();
    const CQString tabellenname = bv->gib_struktur()->gib_tabellenname(bv_tag::anwender);
    // Bound, so that neither the log nor an error report shows the stored form.
    const CQString sql(QStringLiteral("UPDATE %1 SET %2=? WHERE (%3=%4);")
                           .arg(tabellenname, tab->gib_spaltenname(bv_tag::anw_kennwort), tab->gib_spaltenname(bv_tag::anw_id))
                           .arg(anw_id));
    CQSqlQuery abfrage(CQString(), db, true);
    bool geschrieben = abfrage.prepare(sql);
    if (geschrieben) {
        // An empty password is stored as '', not as NULL.
        abfrage.addBindValue(anw_kennwort.isEmpty() ? QStringLiteral("") : QString(anw_kennwort));
        geschrieben = abfrage.exec();
    }
    if (!geschrieben)
        melde_sql_fehler(abfrage, sql, klasse(), CQString("changeKennwort"), tabellenname);
    if (!geschrieben) {
        meldung_kritisch(hauptwidget(this), CQString(tr("Kennwort ändern")),
                         CQString(tr("Fehler beim Zugriff auf Anwendertabelle !")));
        return;
    }
    const int zeile = zeile_von(anw_id);
    if (zeile < 0)
        return;
    tabelle_aendert = true;
    tabelle->setzeText(zeile, sp_kennwort_marke, anw_kennwort.isEmpty() ? CQString() : CQString("***"));
    tabelle->setzeText(zeile, sp_kennwort, anw_kennwort);
    tabelle_aendert = false;
}
