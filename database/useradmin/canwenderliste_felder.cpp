// The user table window's edit fields: a row loaded into them, the buttons they enable, what the administrator types into them and the department list.
#include "canwenderliste.h"

#include "aclrechte.h"
#include "caclgroup.h"
#include "cbvdatabase.h"
#include "bvdbeinstellungen.h"
#include "bvstruktur.h"
#include "ccombobox.h"
#include "clineedit.h"
#include "ctable.h"
#include "gui.h"

#include <QPushButton>
#include <tuple>
#include <utility>

QStringList& CAnwenderListe::abteilungen()
{
    static QStringList liste;
    return liste;
}

void CAnwenderListe::lade_zeile(int zeile)
{
    if (blockiert || zeile < 0 || zeile >= tabelle->rowCount())
        return;
    // The row goes over what the administrator was entering: kept to come back when the typed name
    // stops matching the row.
    if (!anwender_vorhanden)
        merke_eingabe();
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
    merke_geladen(zeile);
}

void CAnwenderListe::merke_geladen(int zeile)
{
    geladen = Geladen{eingabe(), anw_name, {}};
    for (const int tag : {bv_tag::anw_gruppe, bv_tag::anw_name, bv_tag::anw_recht, bv_tag::anw_kennwort})
        geladen.gelesen.insert(tag, gelesen(zeile, spalte_von(tag)));
    // The host is no field of the form: the log-on of a user writes it, and no edit depends on it.
    for (const Optional& o : optionale())
        if (*o.spalte >= 0 && o.tag != bv_tag::anw_host)
            geladen.gelesen.insert(o.tag, gelesen(zeile, *o.spalte));
}

void CAnwenderListe::zeige_aktuellen_anwender()
{
    eName->setzeText(anw_name);
    sName->setzeText(anw_name);
    // A group the user is in but the choices do not list (none stored, or one the list does not
    // know) shows as missing: a choice of the first group would be taken for his.
    const int ohne_gruppe = -1;
    fuelle_felder(ohne_gruppe);
    setze_bearbeitungsmodus(true);
    laedt = false;
}

CAnwenderListe::Eingabe CAnwenderListe::eingabe()
{
    const int recht = cRecht->currentIndex();
    Eingabe stand{anw_id, grp_id, CQString(recht < 0 ? QString() : gib_recht_name(recht)), anw_kennwort, {}};
    for (const Optional& o : optionale())
        stand.texte.append(*o.wert);
    return stand;
}

void CAnwenderListe::merke_eingabe()
{
    eingabe_vor_laden = eingabe();
}

void CAnwenderListe::stelle_eingabe_wieder_her()
{
    const Eingabe eingabe = std::exchange(eingabe_vor_laden, Eingabe());
    anw_id = eingabe.anw_id;
    grp_id = eingabe.grp_id;
    anw_kennwort = eingabe.kennwort;
    anw_recht = eingabe.recht;
    const QVector<Optional> felder = optionale();
    for (int i = 0; i < felder.size(); ++i)
        *felder.at(i).wert = eingabe.texte.value(i);
    laedt = true;
    // A new user starts with the group entered before, else with the first one offered.
    fuelle_felder(0);
    laedt = false;
}

void CAnwenderListe::fuelle_felder(int ohne_gruppe)
{
    int index = gruppennummern.indexOf(grp_id);
    if (index < 0)
        index = ohne_gruppe;
    cGruppe->setCurrentIndex(index);
    sGruppe->setCurrentIndex(index);
    const int recht = gib_recht_nummer(anw_recht);
    // An unknown right leaves both choices without a current item.
    cRecht->setCurrentIndex(recht == NICHT_GESETZT ? -1 : recht);
    sRecht->setCurrentIndex(recht == NICHT_GESETZT ? -1 : recht);
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

void CAnwenderListe::changeUser()
{
    anw_name = eName->text();
    if (laedt)
        return;
    const bool war_geladen = anwender_vorhanden;
    const int zeile = anw_name.isEmpty() ? -1 : zeile_mit_name(anw_name);
    tabelle_aendert = true;
    tabelle->hebeMarkierungAuf();
    if (zeile >= 0)
        waehle_zeile(zeile, true, false);
    tabelle_aendert = false;
    if (zeile >= 0) {
        // Loaded here, not by the cell change: the row may be the current one already.
        lade_zeile(zeile);
    } else if (war_geladen) {
        // The name no longer names the loaded user: nothing of his may go into a new one.
        stelle_eingabe_wieder_her();
    } else {
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
    // Selecting the row moves the current cell to its first column; loading the row from there
    // would take the new group back.
    tabelle_aendert = true;
    tabelle->hebeMarkierungAuf();
    const int zeile = zeile_mit_name(eName->text());
    if (zeile >= 0)
        waehle_zeile(zeile, true, false);
    tabelle_aendert = false;
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

bool CAnwenderListe::hat_ungesicherte_eingaben()
{
    const Eingabe jetzt = eingabe();
    if (anwender_vorhanden && anw_id != -1 && geladen.gezeigt.anw_id == anw_id)
        return anw_name != geladen.name || jetzt.grp_id != geladen.gezeigt.grp_id || jetzt.recht != geladen.gezeigt.recht
               || jetzt.texte != geladen.gezeigt.texte;
    if (!eName->text().isEmpty())
        return true;
    for (const CQString& text : jetzt.texte)
        if (!text.isEmpty())
            return true;
    return false;
}

bool CAnwenderListe::sichere_eingaben()
{
    return (anwender_vorhanden ? aendere() : fuege_hinzu()) && !hat_ungesicherte_eingaben();
}

void CAnwenderListe::nimm_gruppen_neu()
{
    const QString gewaehlt = cGruppe->currentText();
    const QString gesucht = sGruppe->currentText();
    fuelle_gruppenauswahl();
    // The group of the edit state by its number (renamed or not), else the one shown by its name.
    int index = gruppennummern.indexOf(grp_id);
    if (index < 0)
        index = cGruppe->findText(gewaehlt);
    cGruppe->setCurrentIndex(index);
    sGruppe->setCurrentIndex(sGruppe->findText(gesucht));
    if (gib_bv_datenbank())
        lade_tabelle();
}
