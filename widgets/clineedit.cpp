#include "clineedit.h"
#include "cstringvalidator.h"
#include "czeichengrenze.h"
#include "dialogseam.h"
#include "gui.h"

#include <QKeyEvent>
#include <QPalette>

CLineEdit::CLineEdit(QWidget* eltern, const CQString&) : QLineEdit(eltern)
{
    setzeValidator(new CStringValidator(this));
    connect(this, &QLineEdit::textChanged, this, &CLineEdit::textChanged_slot);
}

void CLineEdit::setzeHintergrund(const QColor& farbe)
{
    hintergrundfarbe = farbe;
    male_hintergrund(farbe);
}

void CLineEdit::male_hintergrund(const QColor& farbe)
{
    QPalette palette;
    palette.setBrush(backgroundRole(), QBrush(farbe));
    setPalette(palette);
}

void CLineEdit::setzePflichtfeld(bool wert)
{
    pflicht = wert;
    if (pflicht && gibText().isEmpty())
        gueltig = false;
    setzeHintergrund(pflicht && !gueltig ? fehlerfarbe : okfarbe);
}

bool CLineEdit::istPflichtfeld() const
{
    return pflicht;
}

void CLineEdit::setzeFehlerFarbe(const QColor& farbe)
{
    fehlerfarbe = farbe;
    if (!gueltig)
        setzeHintergrund(farbe);
}

void CLineEdit::setzeOkFarbe(const QColor& farbe)
{
    okfarbe = farbe;
    if (gueltig)
        setzeHintergrund(farbe);
}

void CLineEdit::setzeZahl(int zahl)
{
    setzeText(zahl == 99999999 ? CQString() : CQString(QString::number(zahl)));
}

void CLineEdit::setzeValidator(QValidator* validator)
{
    pruefer = validator;
    // A limit in characters stays in front of whichever validator judges the text.
    ::setze_feldvalidator(this, validator);
}

void CLineEdit::loescheValidator()
{
    pruefer = nullptr;
    ::setze_feldvalidator(this, nullptr);
}

void CLineEdit::setzeText(const CQString& text)
{
    if (im_signal)
        return;
    setText(text);
    if (pruefer) {
        QString kopie = text;
        gueltig = !text.isEmpty() && ist_annehmbar(kopie);
        if (gueltig) {
            setzeHintergrund(okfarbe);
            return;
        }
        setzeHintergrund(fehlerfarbe);
        if (text.isEmpty() && !pflicht) {
            gueltig = true;
            setzeHintergrund(okfarbe);
        }
    } else if (text.isEmpty()) {
        gueltig = !pflicht;
        setzeHintergrund(gueltig ? okfarbe : fehlerfarbe);
    }
}

bool CLineEdit::setzeMeldungAnzeigen(bool anzeigen)
{
    meldung_anzeigen = anzeigen;
    return anzeigen;
}

void CLineEdit::zeigeFehlermeldung()
{
    if (meldung_anzeigen)
        frage_mit_knoepfen(this, QMessageBox::Warning, tr("Fehler in Eingabe"), meldungstext, {tr("Ok")}, 0, 0);
}

CQString CLineEdit::gibText() const
{
    QString t = text();
    if (einzeilig)
        t.remove(QLatin1Char('\n'));
    return t;
}

void CLineEdit::setzeAktiv(bool aktiv)
{
    if (gesperrt)
        return;
    setEnabled(aktiv);
    if (aktiv)
        male_hintergrund(hintergrundfarbe);
    else
        male_hintergrund((parentWidget() ? parentWidget()->palette() : QPalette()).color(QPalette::Window));
}

void CLineEdit::languageChange() {}

void CLineEdit::textChanged_slot(QString atext)
{
    if (!pruefer) {
        bool urteil = true;
        if (pflicht && atext.isEmpty()) {
            setzeHintergrund(fehlerfarbe);
            gueltig = false;
            urteil = false;
        } else if (!atext.isEmpty()) {
            setzeHintergrund(okfarbe);
            gueltig = true;
        }
        melde(urteil, false);
        return;
    }

    QString kopie = atext;
    const bool ok = gibText().isEmpty() ? !pflicht : ist_annehmbar(kopie);
    if (ok) {
        setzeHintergrund(okfarbe);
        if (kopie.size() != atext.size())
            setText(kopie);
        gueltig = true;
        melde(true, true);
    } else if (gueltig) {
        setzeHintergrund(fehlerfarbe);
        gueltig = false;
        melde(false, false);
    }
}

void CLineEdit::keyPressEvent(QKeyEvent* event)
{
    if (euro_verweigern && verweigere_euro_taste(event))
        return;
    QLineEdit::keyPressEvent(event);
}

bool CLineEdit::ist_annehmbar(QString& kopie) const
{
    int position = kopie.size() - 1;
    if (pruefer->validate(kopie, position) != QValidator::Acceptable)
        return false;
    return !euro_verweigern || !qobject_cast<CStringValidator*>(pruefer.data()) || !kopie.contains(QChar(0x20AC));
}

void CLineEdit::melde(bool urteil, bool mit_edit)
{
    im_signal = true;
    if (melde_urteil)
        emit text_changed_signal(urteil);
    if (mit_edit)
        emit text_Changed(this);
    im_signal = false;
}
