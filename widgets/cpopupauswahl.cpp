#include "cpopupauswahl.h"
#include "ccat.h"
#include "clineedit.h"
#include "gui.h"
#include "widgeteinstellungen.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QToolButton>

namespace {

// The colour settings are read at each use: a changed setting shows at the next check.
QColor farbe_verweigert()
{
    return gib_widget_einstellungen().farbe_pflichteintrag;
}

QColor farbe_nicht_vdn()
{
    return gib_widget_einstellungen().farbe_nicht_vdn;
}

} // namespace

CValidator::CValidator(QObject* eltern) : QValidator(eltern) {}

CPopupAuswahl::CPopupAuswahl(QWidget* eltern, const CQString&)
    : QWidget(eltern), edit(new CLineEdit(this)), button(new QToolButton(this)), liste(new QMenu(button))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit, 1);
    layout->addWidget(button);
    button->setMenu(liste);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    setFocusProxy(edit);
    connect(edit, &QLineEdit::textChanged, this, &CPopupAuswahl::textChanged_slot);
    connect(edit, &QLineEdit::editingFinished, this, &CPopupAuswahl::edit_lostfocus_slot);
}

void CPopupAuswahl::setzeEintraege(const std::vector<CQString>& werte)
{
    eintraege = werte;
    liste->clear();
    for (int id = 0; id < int(eintraege.size()); ++id)
        connect(liste->addAction(eintraege[id]), &QAction::triggered, this, [this, id] { popup_activated_slot(id); });
}

void CPopupAuswahl::setzeValidator(CValidator* neu)
{
    validator = neu;
}

void CPopupAuswahl::setzeAnbieter(const CAuswahlAnbieter* neu)
{
    anbieter = neu;
}

void CPopupAuswahl::setzeVorgabe(const CQString& wert, const CQString& buttontext)
{
    vorgabe_wert = wert;
    vorgabe_buttontext = buttontext;
}

void CPopupAuswahl::setzePruefung(bool erste, bool zweite)
{
    erste_pruefung = erste;
    zweite_pruefung = zweite;
}

void CPopupAuswahl::setzeAllesMarkieren(bool markieren)
{
    alles_markieren = markieren;
}

bool CPopupAuswahl::faerbe_nichtVDN()
{
    nicht_vdn = true;
    // Also the edit's own colour for an acceptable text, so that setting a text keeps the mode's colour.
    edit->setzeOkFarbe(farbe_nicht_vdn());
    edit->setzeHintergrund(farbe_nicht_vdn());
    if (!edit->gibText().isEmpty() && !ist_erlaubt(edit->gibText())) {
        edit->setzeHintergrund(farbe_verweigert());
        return false;
    }
    return true;
}

bool CPopupAuswahl::pruefe_eingabe()
{
    if (nicht_vdn)
        return faerbe_nichtVDN();
    if ((erste_pruefung || zweite_pruefung) && !ist_erlaubt(edit->gibText())) {
        edit->setzeHintergrund(farbe_verweigert());
        return false;
    }
    edit->setzeHintergrund(Qt::white);
    return true;
}

void CPopupAuswahl::setze_button(const CQString& text, const CQString& tooltip)
{
    button->setText(text);
    setToolTip(tooltip);
}

bool CPopupAuswahl::waehle(const CQString& wert)
{
    if (!validator || !bereit || !ist_erlaubt(wert))
        return false;
    if (anbieter)
        setze_button(anbieter->gibAnzeigetext(wert), anbieter->gibTooltip(wert));
    else
        setze_button(CQString(), CQString());
    edit->setzeText(wert);
    return true;
}

void CPopupAuswahl::popup_activated_slot(int id)
{
    if (anbieter && id >= 0 && id < int(eintraege.size()))
        waehle(eintraege[id]);
    else
        CQCat::gib_instanz()->error(CQString("CPopupAuswahl: ") + tr("Falsch initialisiert!"));
}

void CPopupAuswahl::pruefetext_slot()
{
    if (in_pruefung)
        return;
    in_pruefung = true;
    const CQString wert = edit->gibText();
    bool annehmen = pruefe_eingabe();
    if (!annehmen && !button->text().isEmpty()) {
        if (edit->isEnabled())
            fehler_ton();
        setze_button(vorgabe_buttontext, CQString());
        edit->setzeText(vorgabe_wert);
        letzter_wert = vorgabe_wert;
        if (!letzter_wert.isEmpty())
            markiere();
        in_pruefung = false;
        gib_bekannt();
        return;
    }
    if (!annehmen) {
        const QValidator::State urteil = pruefe_wert(wert);
        annehmen = urteil == QValidator::Acceptable;
        if (!annehmen && urteil != QValidator::Intermediate)
            markiere();
    }
    if (annehmen) {
        if (anbieter)
            setze_button(anbieter->gibAnzeigetext(wert), anbieter->gibTooltip(wert));
        letzter_wert = wert;
        markiere();
    }
    in_pruefung = false;
    if (annehmen)
        gib_bekannt();
}

void CPopupAuswahl::textChanged_slot(QString)
{
    markiere();
    pruefetext_slot();
}

void CPopupAuswahl::edit_lostfocus_slot()
{
    if (pruefe_eingabe()) {
        markiere();
        return;
    }
    setze_button(vorgabe_buttontext, CQString());
    edit->setzeText(vorgabe_wert);
}

QValidator::State CPopupAuswahl::pruefe_wert(const QString& wert) const
{
    if (!validator)
        return QValidator::Invalid;
    QString kopie = wert;
    int position = kopie.size() - 1;
    validator->setzeSchalter(false);
    const QValidator::State urteil = validator->validate(kopie, position);
    validator->setzeSchalter(true);
    return urteil;
}

void CPopupAuswahl::markiere()
{
    if (alles_markieren && edit->isEnabled())
        edit->selectAll();
}

void CPopupAuswahl::gib_bekannt()
{
    bereit = false;
    emit auswahl_geandert_signal(this);
    bereit = true;
}
