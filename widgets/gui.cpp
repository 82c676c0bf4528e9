#include "gui.h"
#include "ccat.h"
#include "cqstringsteuer.h"
#include "dialogseam.h"
#include "plattform.h"
#include "verzeichnisse.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QSettings>
#include <QWidget>

namespace {

QString eigener_ordner()
{
    return gib_eigene_dateien().absolutePath();
}

// Stores what the user chose: the file's folder, or the whole path.
void merke_auswahl(CQStringSteuer& variable, const QString& pfad, bool ganzer_pfad)
{
    variable.setze_wert_qstr(ganzer_pfad ? CQString(pfad) : gib_verzeichnis_von(CQString(pfad)));
}

} // namespace

bool ist_gui_lauf()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

void setze_warte_cursor(bool an, bool pfeil)
{
    if (!ist_gui_lauf())
        return;
    if (an)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else if (pfeil)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    else
        QApplication::restoreOverrideCursor();
}

void fehler_ton()
{
    piepe(440, 50);
}

bool verweigere_euro_taste(QKeyEvent* ereignis)
{
    if (!(ereignis->modifiers() & Qt::AltModifier) || !ereignis->text().startsWith(QChar(0x20AC)))
        return false;
    fehler_ton();
    ereignis->ignore();
    return true;
}

void setze_hintergrundrolle(QWidget* widget, QPalette::ColorRole rolle)
{
    QPalette palette;
    palette.setColor(widget->backgroundRole(), palette.color(rolle));
    widget->setPalette(palette);
}

void setze_farbe(int modus, QWidget* widget, const QColor& farbe)
{
    if (modus == 0 && qobject_cast<QAbstractButton*>(widget)) {
        widget->setStyleSheet(QStringLiteral("background-color: %1").arg(farbe.name()));
        return;
    }
    QPalette::ColorRole rolle = static_cast<QPalette::ColorRole>(modus);
    if (modus == 0)
        rolle = widget->backgroundRole();
    else if (modus == 1)
        rolle = widget->foregroundRole();
    // QPalette does not check the role in release builds: a number outside its table would write
    // beyond it.
    if (rolle < 0 || rolle >= QPalette::NColorRoles || rolle == QPalette::NoRole)
        return;
    QPalette palette = widget->palette();
    palette.setBrush(rolle, QBrush(farbe));
    widget->setPalette(palette);
}

void setze_hintergrundfarbe(QWidget* widget, const QColor& farbe)
{
    setze_farbe(0, widget, farbe);
}

QString oeffne_datei_dialog(QWidget* eltern, CQStringSteuer& variable, const QString& filter, const QString& titel,
                            bool ganzer_pfad)
{
    QString start = variable.gib_wert_qstr();
    if (start.isEmpty())
        start = eigener_ordner() + QLatin1Char('/');
    const QString gewaehlt = frage_dateiname_oeffnen(eltern, titel, start, filter);
    if (gewaehlt.isEmpty())
        return QString();
    const QString pfad = QDir(gewaehlt).absolutePath();
    merke_auswahl(variable, pfad, ganzer_pfad);
    return pfad;
}

QString speichere_datei_dialog(QWidget* eltern, CQStringSteuer& variable, const QString& typ,
                               const QString& basisname, const QString& endung, const QString& titel,
                               bool ganzer_pfad, bool fragen)
{
    const QString filter = QStringLiteral("%1 (*%2)").arg(typ, endung);
    const QString wert = variable.gib_wert_qstr();
    QString vorschlag;
    if (wert.isEmpty())
        vorschlag = eigener_ordner() + QLatin1Char('/') + basisname + endung;
    else if (ganzer_pfad)
        vorschlag = wert;
    else
        vorschlag = gib_verzeichnis_von(CQString(wert)) + QLatin1Char('/') + basisname + endung;

    // With the question on, the dialog itself confirms a name the user typed in full.
    const QFileDialog::Options optionen = fragen ? QFileDialog::Options() : QFileDialog::DontConfirmOverwrite;
    const QString gewaehlt = frage_dateiname_speichern(eltern, titel, vorschlag, filter, optionen);
    if (gewaehlt.isEmpty())
        return QString();

    QString pfad = QDir(gewaehlt).absolutePath();
    if (!pfad.toLower().endsWith(endung)) {
        pfad += endung;
        // The dialog saw the name without the extension, so it could not ask about this file.
        if (fragen && QFile::exists(pfad)) {
            if (!frage_ueberschreiben(eltern, gib_anwendungsname(), pfad))
                return QString();
        }
    }
    merke_auswahl(variable, pfad, ganzer_pfad);
    return pfad;
}

bool frage_ueberschreiben(QWidget* eltern, const QString& titel, const QString& pfad)
{
    const QString text = QCoreApplication::translate("QObject", "Die Datei %1 ist bereits vorhanden !").arg(pfad) +
                         QLatin1Char('\n') + QCoreApplication::translate("QObject", "Überschreiben ?");
    return frage_ja_nein(eltern, titel, text);
}

QMessageBox::StandardButton meldung_kritisch(QWidget* eltern, const CQString& titel, const CQString& text,
                                             QMessageBox::StandardButtons knoepfe,
                                             QMessageBox::StandardButton standard)
{
    if (ist_gui_lauf())
        return zeige_meldung_kritisch(eltern, titel, text, knoepfe, standard);
    CQCat::gib_instanz()->error(text);
    zeige_meldung_kritisch(eltern, titel, text, knoepfe, standard);
    return QMessageBox::Cancel;
}

QVariant lese_einstellung(const CQString& schluessel)
{
    QSettings* const einstellungen = gib_einstellungen();
    return einstellungen ? einstellungen->value(schluessel, QVariant()) : QVariant();
}
