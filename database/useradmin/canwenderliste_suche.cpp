// The user table window's search: the search fields and their switches, the search itself, the selection, sorting, copying and the context menu.
#include "canwenderliste.h"

#include "bilder.h"
#include "canwender_passwort.h"
#include "ctable.h"
#include "clineedit.h"
#include "ccombobox.h"
#include "dialogseam.h"
#include "gui.h"
#include "katalog.h"
#include "plattform.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QMenu>
#include <QRegularExpression>

namespace {

// Only a whole number keeps its meaning with a decimal comma; addresses and names keep their dots.
bool ist_zahl(const QString& text)
{
    static const QRegularExpression zahl(QStringLiteral("^[+-]?[0-9]*\\.?[0-9]+$"));
    return zahl.match(text).hasMatch();
}

} // namespace

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
    QStringList suchtexte;
    for (const Kriterium& k : kriterien) {
        const auto* combo = qobject_cast<QComboBox*>(k.feld);
        suchtexte.append(combo ? combo->currentText() : static_cast<QLineEdit*>(k.feld)->text());
    }
    QVector<int> treffer;
    for (int zeile = 0; zeile < tabelle->rowCount(); ++zeile) {
        bool passt = true;
        for (int i = 0; passt && i < kriterien.size(); ++i) {
            const QTableWidgetItem* zelle = tabelle->item(zeile, kriterien.at(i).spalte);
            passt = (zelle ? zelle->text() : QString()).contains(suchtexte.at(i), Qt::CaseSensitive);
        }
        if (passt)
            treffer.append(zeile);
    }
    // All matches in one step: row by row, the view does a round of selection work for each,
    // seconds for a thousand rows.
    tabelle_aendert = true;
    tabelle->markiereZeilen(treffer);
    if (!treffer.isEmpty())
        tabelle->zeigeZelle(treffer.first(), sp_lock);
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
        tabelle->markiereZeilen(zeilen);
        tabelle->zeigeZelle(zeilen.first(), 0);
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
