// The user table window's statements: users added, changed, deleted, their passwords and remarks written, and the lookups by name.
#include "canwenderliste.h"

#include "aclrechte.h"
#include "bvdbeinstellungen.h"
#include "bvstruktur.h"
#include "caclgroup.h"
#include "canwender_passwort.h"
#include "cbvdatabase.h"
#include "ccdatabase.h"
#include "ccombobox.h"
#include "cdbdatenstruktur.h"
#include "cdbtabelle.h"
#include "ceingabestring.h"
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
#include "sqlwerte.h"
#include "zeichenlaenge.h"

#include <QLabel>
#include <QSqlError>

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
    // The name column comes along: where the server cannot compare exactly (utf8mb4_bin pads, so
    // "pad " finds "pad"), the program does.
    QString sql = QStringLiteral("SELECT %1,%2,%3 FROM %4")
                      .arg(tab->gib_spaltenname(bv_tag::anw_id), tab->gib_spaltenname(ergebnis_tag),
                           tab->gib_spaltenname(name_tag), tabellenname);
    // The name is bound: compared exactly as stored, whatever quotes or backslashes it holds.
    const bool ohne_gross_klein = db->gib_art() == CCDataBase::art_oracle && gib_windows_auto_login();
    if (ohne_gross_klein)
        sql += QStringLiteral(" WHERE (LOWER(%1)=LOWER(?));").arg(tab->gib_spaltenname(name_tag));
    else
        sql += QStringLiteral(" WHERE (%1=?);").arg(tab->gib_spaltenname(name_tag));
    CQSqlQuery abfrage(CQString(), db, true);
    CQString ergebnis;
    if (!abfrage.fuehre_aus(CQString(sql), {QString(anwender)})) {
        melde_sql_fehler(abfrage, CQString(sql), &gib_benutzer_klassen().c_canwenderliste, CQString("gib_anwender_email"), tabellenname);
        setze_warte_cursor(false, false);
        meldung_kritisch(gib_hauptfenster(), gib_meldungstitel(),
                         CQString(QObject::tr("Fehler beim Zugriff auf Anwendertabelle !")));
        return CQString();
    }
    // Only the first row of the name counts. The name read back from MSSQL has lost its trailing
    // blanks, so it could never match there: the server's match stands.
    const bool im_programm_vergleichen = !ohne_gross_klein && db->gib_art() != CCDataBase::art_mssql;
    // A name column that stayed of fixed width pads both sides alike.
    const QString namensspalte = tab->gib_spaltenname(name_tag);
    const CQString gesucht = db->sql_wert_ohne_auffuellung(QString(anwender), tabellenname, namensspalte);
    while (abfrage.next()) {
        if (im_programm_vergleichen
            && db->sql_wert_ohne_auffuellung(abfrage.value(2), tabellenname, namensspalte) != gesucht)
            continue;
        db->protokolliere_zeile(abfrage, 2, false);
        if (!abfrage.value(1).isNull())
            ergebnis = db->sql_wert_ohne_auffuellung(abfrage.value(1), tabellenname, tab->gib_spaltenname(ergebnis_tag));
        break;
    }
    setze_warte_cursor(false, false);
    return ergebnis;
}

void CAnwenderListe::EditBemerkung()
{
    const int zeile = erste_markierte_zeile();
    if (zeile < 0 || sp_bemerkung < 0)
        return;
    CBVDataBase* bv = gib_bv_datenbank_oder_melde();
    const CDBTabelle* tab = gib_bv_anwendertabelle();
    if (!bv || !tab)
        return;
    const int maximum = gib_bv_spaltenbreite(tab, bv_tag::anw_bemerkung);
    const CQString alt = tabelle->zellText(zeile, sp_bemerkung);
    CEingabeString dialog(this, CQString("bemerkung"), true);
    dialog.setWindowTitle(tr("Editieren der Bemerkung"));
    EingabeString* f = dialog.gib_formular();
    f->textLabel1->setText(tr("Anwender %1").arg(tabelle->zellText(zeile, sp_name)));
    f->textLabel2->setText(tr("maximal %1 Zeichen (wird beim Speichern abgeschnitten)").arg(maximum));
    QString eingabe = alt;
    // The dialog comes again with the text as typed after a control character, refused as in every
    // field of the form, and after a write the database refused.
    for (bool geschrieben = false; !geschrieben;) {
        f->lineEdit->setText(eingabe);
        if (fuehre_modal_aus(&dialog) != QDialog::Accepted)
            return;
        eingabe = f->lineEdit->text();
        eingabe.remove(QLatin1Char('\n'));
        eingabe.remove(QLatin1Char('\r'));
        if (maximum > 0)
            eingabe = kuerze_auf_zeichen(eingabe, maximum);
        if (eingabe == alt)
            return;
        geschrieben = pruefe_namen(this, eingabe, tabelle->horizontalHeaderItem(sp_bemerkung)->text())
                      && schreibe_bemerkung(zeile, alt, CQString(eingabe));
    }
}

bool CAnwenderListe::schreibe_bemerkung(int zeile, const CQString& alt, const CQString& neu)
{
    // The connection may have ended while the dialog was open.
    CBVDataBase* bv = gib_bv_datenbank_oder_melde();
    const CDBTabelle* tab = gib_bv_anwendertabelle();
    if (!bv || !tab)
        return true;
    tabelle_aendert = true;
    tabelle->setzeText(zeile, sp_bemerkung, neu);
    tabelle_aendert = false;
    const CCDataBase* db = bv->gib_datenbank();
    const CQString tabellenname = bv->gib_struktur()->gib_tabellenname(bv_tag::anwender);
    const int nummer = tabelle->zellText(zeile, 0).toInt();
    const CQString name = tabelle->zellText(zeile, sp_name);
    const QVariant wert = sql_bindetext(neu);
    QVariantList werte{wert};
    // Only while the row still holds the remark the grid showed: another administrator's is never
    // overwritten unseen.
    const QString spalte = tab->gib_spaltenname(bv_tag::anw_bemerkung);
    const QString zeile_bedingung = bv->zeile_mit_namen(bv_tag::anwender, nummer, name, werte);
    const CQString sql(QStringLiteral("UPDATE %1 SET %2=? WHERE %3 AND %4;")
                           .arg(tabellenname, spalte, zeile_bedingung,
                                db->sql_haelt_wert(spalte, gelesen(zeile, sp_bemerkung), werte)));
    QSqlQuery abfrage;
    const CCDataBase::CWiederholbar wiederholbar(*db);
    if (!db->fuehre_aus(abfrage, sql, CQString("EditBemerkung"), tabellenname, true, werte)) {
        // The cell shows what the table holds, not the text that could not be stored.
        tabelle_aendert = true;
        tabelle->setzeText(zeile, sp_bemerkung, alt);
        tabelle_aendert = false;
        fehler_anwendertabelle(gib_meldungstitel());
        return false;
    }
    if (!ist_geschrieben(abfrage, nummer, name, {{bv_tag::anw_bemerkung, wert}}))
        return true;
    tabelle->item(zeile, sp_bemerkung)->setData(Qt::UserRole, wert);
    if (nummer != anw_id)
        return true;
    anw_bemerkung = neu;
    // The loaded user holds the new remark now (the last of his optional texts): a change of his
    // other fields goes on from it.
    geladen.gelesen.insert(bv_tag::anw_bemerkung, wert);
    if (!geladen.gezeigt.texte.isEmpty())
        geladen.gezeigt.texte.last() = neu;
    return true;
}

void CAnwenderListe::addEntry()
{
    fuege_hinzu();
}

bool CAnwenderListe::fuege_hinzu()
{
    if (eName->text().isEmpty()) {
        // A new user is added by his name: it is to be typed first.
        fehler_ton();
        meldung_kritisch(this, gib_meldungstitel(), CQString(tr("Bitte einen Namen für den Anwender eingeben !")));
        eName->setFocus();
        return false;
    }
    CBVDataBase* bv = gib_bv_datenbank_oder_melde();
    const CDBTabelle* tab = gib_bv_anwendertabelle();
    if (!bv || !tab)
        return false;
    const CCDataBase* db = bv->gib_datenbank();
    const CQString tabellenname = bv->gib_struktur()->gib_tabellenname(bv_tag::anwender);
    const CQString name = eName->text();
    if (!pruefe_namen(this, name))
        return false;
    for (const Optional& o : optionale())
        if (!pruefe_text(o))
            return false;
    // A second user of the same log-on name would hide the first from every lookup by name.
    const int vorhanden = bv->gib_anzahl_namen(bv_tag::anwender, name);
    if (vorhanden < 0) {
        fehler_anwendertabelle(gib_meldungstitel());
        return false;
    }
    if (vorhanden > 0) {
        melde_vorhanden(name);
        return false;
    }
    // Without a group the user could never be changed afterwards.
    int gruppe = -1;
    for (const CAclGroup* g : gib_gruppenliste())
        if (g->gib_name() == cGruppe->currentText())
            gruppe = g->gib_nummer();
    if (gruppe < 0) {
        melde_gruppe_waehlen();
        return false;
    }
    // A new user has no password until one is set for him.
    anw_kennwort.clear();
    QVector<int> tags{bv_tag::anw_gruppe, bv_tag::anw_name, bv_tag::anw_recht};
    QStringList spalten{tab->gib_spaltenname(bv_tag::anw_gruppe), tab->gib_spaltenname(bv_tag::anw_name),
                        tab->gib_spaltenname(bv_tag::anw_recht)};
    QVariantList werte{gruppe, QString(name), sql_bindetext(gib_recht_kuerzel(cRecht->currentIndex() < 0
                                                                              ? NICHT_GESETZT
                                                                              : cRecht->currentIndex()))};
    for (const Optional& o : optionale())
        if (*o.spalte >= 0) {
            tags.append(o.tag);
            spalten.append(tab->gib_spaltenname(o.tag));
            werte.append(sql_bindetext(*o.wert));
        }
    // The group is read in the same statement: a group deleted meanwhile takes no user.
    const CQString quelle = gruppenquelle(gruppe, werte);
    const CCDataBase::CNeuerDatensatz satz = db->schreibe_neuen_datensatz(
        tabellenname, tab->gib_spaltenname(bv_tag::anw_id), spalten, werte, anw_id, CQString("addEntry"), quelle);
    grp_id = gruppe;
    if (!satz.geschrieben) {
        // Whether it was written cannot be told: the box said so, the grid shows what is there.
        if (satz.ungewiss) {
            if (db->ist_verbunden())
                lade_tabelle();
            return false;
        }
        if (satz.fehler.isEmpty())
            melde_gruppe_fehlt(gruppe);
        // Another administrator's same name, written between the count and this write, is refused
        // by the name's unique key: the same answer as the count's.
        else if (bv->gib_anzahl_namen(bv_tag::anwender, name) > 0)
            melde_vorhanden(name);
        else
            fehler_anwendertabelle(gib_meldungstitel(), satz.recht_fehlt ? satz.fehler : CQString());
        return false;
    }
    anw_id = satz.id;
    tabelle_aendert = true;
    const int zeile = tabelle->rowCount();
    tabelle->setRowCount(zeile + 1);
    tabelle->setzeText(zeile, 0, CQString(QString::number(anw_id)));
    tabelle->setzeText(zeile, sp_kennwort_marke, CQString());
    tabelle->setzeText(zeile, sp_kennwort, CQString());
    tabelle->setzeText(zeile, sp_lock, CQString());
    QHash<int, QVariant> geschrieben;
    for (int i = 0; i < tags.size(); ++i)
        geschrieben.insert(tags.at(i), werte.at(i));
    schreibe_zeile(zeile, geschrieben);
    tabelle_aendert = false;
    waehle_zeile(zeile, true, true);
    merke_geladen(zeile);
    setze_bearbeitungsmodus(true);
    // The new user is the loaded one now. A next new name starts from empty fields, in the group
    // and with the right chosen for him: users come in a row into one group with one right.
    eingabe_vor_laden = Eingabe();
    eingabe_vor_laden.grp_id = grp_id;
    eingabe_vor_laden.recht = geladen.gezeigt.recht;
    // The new user's first password.
    changeKennwort();
    return true;
}

CQString CAnwenderListe::gruppenquelle(int gruppe, QVariantList& werte) const
{
    const CBVDataBase* bv = gib_bv_datenbank();
    return CQString(QStringLiteral("FROM %1 WHERE %2%3")
                        .arg(bv->gib_struktur()->gib_tabellenname(bv_tag::gruppen),
                             bv->zeile_mit_nummer(bv_tag::gruppen, gruppe, gruppenname(gruppe), werte),
                             bv->gib_datenbank()->teilsperre()));
}

QString CAnwenderListe::gruppenname(int gruppe) const
{
    for (const CAclGroup* g : gib_gruppenliste())
        if (g->gib_nummer() == gruppe)
            return g->gib_name();
    return QString();
}

QString CAnwenderListe::gezeigter_name(int nummer) const
{
    const int zeile = zeile_von(nummer);
    return zeile >= 0 ? QString(tabelle->zellText(zeile, sp_name)) : QString(anw_name);
}

void CAnwenderListe::melde_vorhanden(const CQString& name)
{
    fehler_ton();
    meldung_kritisch(this, gib_meldungstitel(), CQString(tr("Anwender '%1' ist bereits vorhanden !").arg(name)));
}

void CAnwenderListe::melde_gruppe_waehlen()
{
    fehler_ton();
    meldung_kritisch(this, gib_meldungstitel(), CQString(tr("Bitte eine gültige Gruppe wählen !")));
}

void CAnwenderListe::melde_gruppe_fehlt(int gruppe)
{
    QString name = gruppenname(gruppe);
    if (name.isEmpty())
        name = QString::number(gruppe);
    fehler_ton();
    meldung_kritisch(this, gib_meldungstitel(), CQString(tr("Gruppe '%1' ist nicht mehr vorhanden !").arg(name)));
    // The choices and the grid show the groups as they are now.
    lese_gruppen_oder_melde(this);
    fuelle_gruppenauswahl();
    lade_tabelle();
}

bool CAnwenderListe::ist_geschrieben(const QSqlQuery& abfrage, int nummer, const CQString& name,
                                     const QHash<int, QVariant>& gesendet)
{
    // Every write carries a change (an unchanged value is not written), so that MySQL, which counts
    // a row given the values it had as untouched, counts it too.
    if (abfrage.numRowsAffected() != 0)
        return true;
    const CCDataBase* db = gib_bv_ccdatabase();
    if (db->wurde_wiederholt()) {
        // The first run's answer was lost with the connection: it may have written what the second
        // run no longer found as the fields showed it.
        const CDBTabelle* tab = gib_bv_anwendertabelle();
        QVector<QPair<QString, QVariant>> spalten;
        for (auto it = gesendet.cbegin(); it != gesendet.cend(); ++it)
            spalten.append({tab->gib_spaltenname(it.key()), it.value()});
        if (db->zaehle_mit_werten(gib_bv_datenbank()->gib_struktur()->gib_tabellenname(bv_tag::anwender),
                                  QStringLiteral("(%1=?)").arg(tab->gib_spaltenname(bv_tag::anw_id)), {nummer}, spalten)
            > 0)
            return true;
        fehler_ton();
        meldung_kritisch(this, gib_meldungstitel(), CQString(db->ungewiss_text()));
        lade_tabelle();
        return false;
    }
    const int da = gib_bv_datenbank()->gib_anzahl_records(bv_tag::anwender, nummer, name);
    if (da < 0)
        melde_unlesbar();
    else if (da == 0)
        melde_verschwunden(nummer, name);
    else
        melde_geaendert(nummer, name);
    return false;
}

void CAnwenderListe::melde_geaendert(int nummer, const CQString& name)
{
    fehler_ton();
    meldung_kritisch(this, gib_meldungstitel(),
                     CQString(tr("Anwender '%1' wurde inzwischen von anderer Seite geändert und wird neu geladen !")
                                  .arg(name)));
    // What the administrator changed, against the user as he was loaded.
    const Eingabe getippt = eingabe();
    const CQString getippter_name = anw_name;
    const Geladen vorher = geladen;
    lade_tabelle();
    const int zeile = zeile_von(nummer);
    if (nummer != anw_id || zeile < 0)
        return;
    // The fields show the user as he is now, and over that what was typed for him: nothing typed
    // is lost, it shows as not saved, and the next write takes only it, never the old values of
    // the fields left alone over the other administrator's.
    tabelle_aendert = true;
    waehle_zeile(zeile, true, true);
    tabelle_aendert = false;
    lade_zeile(zeile);
    if (getippter_name != vorher.name)
        anw_name = getippter_name;
    if (getippt.grp_id != vorher.gezeigt.grp_id)
        grp_id = getippt.grp_id;
    if (getippt.recht != vorher.gezeigt.recht)
        anw_recht = getippt.recht;
    const QVector<Optional> felder = optionale();
    for (int i = 0; i < felder.size(); ++i)
        if (getippt.texte.value(i) != vorher.gezeigt.texte.value(i))
            *felder.at(i).wert = getippt.texte.value(i);
    laedt = true;
    zeige_aktuellen_anwender();
}

void CAnwenderListe::melde_unlesbar()
{
    // A grid that cannot be read either says so itself.
    if (lade_tabelle())
        fehler_anwendertabelle(gib_meldungstitel());
}

void CAnwenderListe::melde_verschwunden(int nummer, const CQString& name)
{
    fehler_ton();
    meldung_kritisch(this, gib_meldungstitel(), CQString(tr("Anwender '%1' ist nicht mehr vorhanden !").arg(name)));
    // The grid shows the table as it is now; what was typed for the user may be added anew.
    lade_tabelle();
    if (nummer != anw_id)
        return;
    anw_id = -1;
    setze_bearbeitungsmodus(false);
}

void CAnwenderListe::schreibe_zeile(int zeile, const QHash<int, QVariant>& gelesen)
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
    for (auto it = gelesen.cbegin(); it != gelesen.cend(); ++it)
        if (QTableWidgetItem* zelle = tabelle->item(zeile, spalte_von(it.key())))
            zelle->setData(Qt::UserRole, it.value());
}

void CAnwenderListe::changeEntry()
{
    aendere();
}

bool CAnwenderListe::aendere()
{
    if (anw_id == -1)
        return false;
    CBVDataBase* bv = gib_bv_datenbank_oder_melde();
    const CDBTabelle* tab = gib_bv_anwendertabelle();
    if (!bv || !tab || geladen.gezeigt.anw_id != anw_id)
        return false;
    // A user stored without a group (by another program) keeps none only until he is changed.
    if (grp_id == -1) {
        melde_gruppe_waehlen();
        return false;
    }
    if (!pruefe_namen(this, anw_name))
        return false;
    const CCDataBase* db = bv->gib_datenbank();
    const CQString tabellenname = bv->gib_struktur()->gib_tabellenname(bv_tag::anwender);
    // Only what the administrator changed is written: a column he left alone keeps whatever
    // another administrator has put there. Every text bound, none in the statement text.
    const Eingabe jetzt = eingabe();
    QStringList zuweisungen;
    QVariantList werte;
    QHash<int, QVariant> geschrieben;
    const auto setze = [&](int tag, bool geaendert, const QVariant& wert) {
        if (!geaendert)
            return;
        zuweisungen.append(QStringLiteral("%1=?").arg(tab->gib_spaltenname(tag)));
        werte.append(wert);
        geschrieben.insert(tag, wert);
    };
    const bool gruppe_neu = jetzt.grp_id != geladen.gezeigt.grp_id;
    setze(bv_tag::anw_gruppe, gruppe_neu, grp_id);
    setze(bv_tag::anw_name, anw_name != geladen.name, sql_bindetext(anw_name));
    const int recht = cRecht->currentIndex();
    setze(bv_tag::anw_recht, jetzt.recht != geladen.gezeigt.recht,
          sql_bindetext(gib_recht_kuerzel(recht < 0 ? NICHT_GESETZT : recht)));
    const QVector<Optional> felder = optionale();
    for (int i = 0; i < felder.size(); ++i)
        if (*felder.at(i).spalte >= 0) {
            const bool geaendert = jetzt.texte.value(i) != geladen.gezeigt.texte.value(i);
            // A text another program stored stays as it is until it is changed here.
            if (geaendert && !pruefe_text(felder.at(i)))
                return false;
            setze(felder.at(i).tag, geaendert, sql_bindetext(*felder.at(i).wert));
        }
    if (zuweisungen.isEmpty())
        return true;
    // Only while the row still holds everything the fields showed, and a new group is read in the
    // same statement: a user changed, deleted or renumbered meanwhile, or a group deleted, takes
    // nothing, and the administrator sees the row as it is now.
    const CQString alt(geladen.name);
    QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                      .arg(tabellenname, zuweisungen.join(QLatin1Char(',')), haelt_geladen(werte));
    if (gruppe_neu)
        sql += QStringLiteral(" AND EXISTS (SELECT 1 %1)").arg(gruppenquelle(grp_id, werte));
    sql += QLatin1Char(';');
    QSqlQuery abfrage;
    const CCDataBase::CWiederholbar wiederholbar(*db);
    if (!db->fuehre_aus(abfrage, CQString(sql), CQString("changeEntry"), tabellenname, true, werte)) {
        // The name's unique key refuses another user's name.
        if (bv->gib_anzahl_namen(bv_tag::anwender, anw_name, anw_id) > 0)
            melde_vorhanden(anw_name);
        else
            fehler_anwendertabelle(gib_meldungstitel(), db->fehlendes_recht(abfrage.lastError(), tabellenname));
        return false;
    }
    if (gruppe_neu && abfrage.numRowsAffected() == 0) {
        const int gruppe_da = bv->gib_anzahl_nummer(bv_tag::gruppen, grp_id, gruppenname(grp_id));
        if (gruppe_da == 0 && bv->gib_anzahl_records(bv_tag::anwender, anw_id, alt) > 0) {
            melde_gruppe_fehlt(grp_id);
            return false;
        }
        if (gruppe_da < 0) {
            melde_unlesbar();
            return false;
        }
    }
    if (!ist_geschrieben(abfrage, anw_id, alt, geschrieben))
        return false;
    tabelle_aendert = true;
    tabelle->hebeMarkierungAuf();
    const int zeile = zeile_von(anw_id);
    if (zeile >= 0)
        schreibe_zeile(zeile, geschrieben);
    tabelle_aendert = false;
    if (zeile < 0)
        return true;
    waehle_zeile(zeile, true, false);
    merke_geladen(zeile);
    setze_bearbeitungsmodus(true);
    return true;
}

bool CAnwenderListe::pruefe_text(const Optional& feld)
{
    return *feld.spalte < 0 || pruefe_namen(this, *feld.wert, tabelle->horizontalHeaderItem(*feld.spalte)->text());
}

QString CAnwenderListe::haelt_geladen(QVariantList& werte)
{
    const CDBTabelle* tab = gib_bv_anwendertabelle();
    const CCDataBase* db = gib_bv_ccdatabase();
    werte.append(geladen.gezeigt.anw_id);
    QString bedingung = QStringLiteral("(%1=?)").arg(tab->gib_spaltenname(bv_tag::anw_id));
    for (auto it = geladen.gelesen.cbegin(); it != geladen.gelesen.cend(); ++it)
        if (it.key() != bv_tag::anw_kennwort)
            bedingung += QLatin1String(" AND ") + db->sql_haelt_wert(tab->gib_spaltenname(it.key()), it.value(), werte);
    return bedingung;
}

void CAnwenderListe::deleteEntry()
{
    // A user without a group is deleted like any other.
    if (anw_id == -1)
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

void CAnwenderListe::melde_nicht_loeschbar(bool angemeldet, const CQString& name)
{
    const QString zweite = angemeldet ? tr("Der Anwender '%1' benutzt gerade Kelmor !").arg(name)
                                      : tr("Sie selbst sind als Kelmor Anwender '%1' angemeldet !").arg(name);
    frage_mit_knoepfen(this, QMessageBox::Information, tr("Anwender löschen"),
                       tr("Anwender darf nicht gelöscht werden !") + QStringLiteral("\n ") + zweite, {tr("&Ok")}, 0, 0);
}

bool CAnwenderListe::anwender_loeschen(int nummer, bool angemeldet, const CQString& name)
{
    if (angemeldet || name == gib_katalog_privat().anwender.gib_wert_qstr()) {
        melde_nicht_loeschbar(angemeldet, name);
        return false;
    }
    if (!gib_bv_datenbank_oder_melde())
        return false;
    if (frage_mit_knoepfen(this, QMessageBox::Question, gib_meldungstitel(),
                           tr("Anwender '%1' endgültig löschen?").arg(name), {tr("Ja"), tr("Nein")}, 1, 1) != 0)
        return false;
    CBVDataBase* bv = gib_bv_datenbank();
    const CDBTabelle* tab = gib_bv_anwendertabelle();
    if (!bv || !bv->gib_struktur() || !tab)
        return false;
    const CQString tabellenname = bv->gib_struktur()->gib_tabellenname(bv_tag::anwender);
    QVariantList werte;
    // Only while he is not logged on, checked in the same statement: he may have logged on since
    // the grid was read.
    const QString sperre = tab->gib_spaltenname(bv_tag::anw_lock);
    const CQString sql(QStringLiteral("DELETE FROM %1 WHERE %2 AND (%3 IS NULL OR %3<>'X');")
                           .arg(tabellenname, bv->zeile_mit_namen(bv_tag::anwender, nummer, name, werte), sperre));
    QSqlQuery abfrage;
    const CCDataBase::CWiederholbar wiederholbar(*bv->gib_datenbank());
    if (!bv->gib_datenbank()->fuehre_aus(abfrage, sql, CQString("anwenderLoeschen"), tabellenname, true, werte)) {
        fehler_anwendertabelle(gib_meldungstitel(), bv->gib_datenbank()->fehlendes_recht(abfrage.lastError(), tabellenname));
        return false;
    }
    if (abfrage.numRowsAffected() == 0) {
        // Deleted meanwhile by another administrator, or the number is another user's now: said
        // so, and the grid reloaded. Still there: he has logged on since.
        const bool wiederholt = bv->gib_datenbank()->wurde_wiederholt();
        const int da = bv->gib_anzahl_records(bv_tag::anwender, nummer, name);
        // Run a second time after the first run's answer was lost: gone is what was asked for.
        if (da == 0 && wiederholt)
            return true;
        if (da > 0) {
            melde_nicht_loeschbar(true, name);
            lade_tabelle();
        } else if (da == 0) {
            melde_verschwunden(nummer, name);
        } else {
            melde_unlesbar();
        }
        return false;
    }
    qmelde(5, &gib_benutzer_klassen().c_canwenderliste, CQString("anwender_loeschen"), CQString(tr("Anwender '%1' gelöscht").arg(name)));
    return true;
}

void CAnwenderListe::changeKennwort()
{
    if (eName->text().isEmpty()) {
        fehler_ton();
        return;
    }
    if (!gib_bv_datenbank_oder_melde())
        return;
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
    if (!anwender_vorhanden || !bv || !bv->gib_struktur() || !tab || geladen.gezeigt.anw_id != anw_id)
        return;
    const CCDataBase* db = bv->gib_datenbank();
    const CQString tabellenname = bv->gib_struktur()->gib_tabellenname(bv_tag::anwender);
    // Bound, so that neither the log nor an error report shows the stored form. An empty password
    // is stored as '', not as NULL.
    const QVariant wert(anw_kennwort.isEmpty() ? QStringLiteral("") : QString(anw_kennwort));
    const QVariant vorher = geladen.gelesen.value(bv_tag::anw_kennwort);
    if (ist_sql_wert_da(vorher) && vorher.toString() == wert.toString())
        return;
    QVariantList werte{wert};
    // Only while the row still holds the password it had when the user was shown: another
    // administrator's newer one is never overwritten unseen.
    const CQString name(geladen.name);
    const QString spalte = tab->gib_spaltenname(bv_tag::anw_kennwort);
    const QString zeile_bedingung = bv->zeile_mit_namen(bv_tag::anwender, anw_id, name, werte);
    const CQString sql(QStringLiteral("UPDATE %1 SET %2=? WHERE %3 AND %4;")
                           .arg(tabellenname, spalte, zeile_bedingung, db->sql_haelt_wert(spalte, vorher, werte)));
    CQSqlQuery abfrage(CQString(), db, true);
    const CCDataBase::CWiederholbar wiederholbar(*db);
    bool geschrieben = abfrage.prepare(sql);
    if (geschrieben) {
        for (const QVariant& wert : werte)
            abfrage.addBindValue(wert);
        geschrieben = abfrage.exec();
    }
    if (!geschrieben)
        melde_sql_fehler(abfrage, sql, &gib_benutzer_klassen().c_canwenderliste, CQString("changeKennwort"), tabellenname);
    if (!geschrieben) {
        fehler_anwendertabelle(tr("Kennwort ändern"));
        return;
    }
    if (!ist_geschrieben(abfrage, anw_id, name, {{bv_tag::anw_kennwort, wert}}))
        return;
    geladen.gelesen.insert(bv_tag::anw_kennwort, wert);
    const int zeile = zeile_von(anw_id);
    if (zeile < 0)
        return;
    tabelle_aendert = true;
    tabelle->setzeText(zeile, sp_kennwort_marke, anw_kennwort.isEmpty() ? CQString() : CQString("***"));
    tabelle->setzeText(zeile, sp_kennwort, anw_kennwort);
    tabelle->item(zeile, sp_kennwort)->setData(Qt::UserRole, wert);
    tabelle_aendert = false;
}
