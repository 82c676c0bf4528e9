#include "dialogseam.h"
#include "gui.h"
#include "plattform.h"

#include <QCoreApplication>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>

namespace {

// The dialogs are made on the heap and watched: a parent window may be deleted while one of its
// dialogs runs (a log window whose worker ends and closes it), and takes the dialog with it.

// Built on first use and never destroyed, so that a dialog asked for during exit finds them.
OeffnenFunktion& oeffnen_haken()
{
    static auto* f = new OeffnenFunktion;
    return *f;
}

SpeichernFunktion& speichern_haken()
{
    static auto* f = new SpeichernFunktion;
    return *f;
}

FrageFunktion& frage_haken()
{
    static auto* f = new FrageFunktion;
    return *f;
}

DruckerFunktion& drucker_haken()
{
    static auto* f = new DruckerFunktion;
    return *f;
}

DruckerFunktion& seiten_haken()
{
    static auto* f = new DruckerFunktion;
    return *f;
}

} // namespace

QString frage_dateiname_oeffnen(QWidget* eltern, const QString& titel, const QString& verzeichnis,
                                const QString& filter)
{
    if (oeffnen_haken())
        return oeffnen_haken()(eltern, titel, verzeichnis, filter);
    if (!ist_gui_lauf())
        return QString();
    return QFileDialog::getOpenFileName(eltern, titel, verzeichnis, filter);
}

void setze_oeffnen_funktion(OeffnenFunktion funktion)
{
    oeffnen_haken() = std::move(funktion);
}

QString frage_dateiname_speichern(QWidget* eltern, const QString& titel, const QString& vorschlag,
                                  const QString& filter, QFileDialog::Options optionen)
{
    if (speichern_haken())
        return speichern_haken()(eltern, titel, vorschlag, filter, optionen);
    if (!ist_gui_lauf())
        return QString();
    return QFileDialog::getSaveFileName(eltern, titel, vorschlag, filter, nullptr, optionen);
}

void setze_speichern_funktion(SpeichernFunktion funktion)
{
    speichern_haken() = std::move(funktion);
}

int frage_mit_knoepfen(QWidget* eltern, QMessageBox::Icon symbol, const QString& gegebener_titel,
                       const QString& text, const QStringList& knoepfe, int standard, int abbruch)
{
    const QString titel = titel_der_box(gegebener_titel);
    if (frage_haken())
        return frage_haken()(eltern, symbol, titel, text, knoepfe, standard, abbruch);
    if (!ist_gui_lauf())
        return abbruch;
    const QPointer<QMessageBox> box = new QMessageBox(symbol, titel, text, QMessageBox::NoButton, eltern);
    QList<QPushButton*> liste;
    for (const QString& k : knoepfe)
        liste << box->addButton(k, QMessageBox::ActionRole);
    if (standard >= 0 && standard < liste.size())
        box->setDefaultButton(liste.at(standard));
    if (abbruch >= 0 && abbruch < liste.size())
        box->setEscapeButton(liste.at(abbruch));
    // Gone with its parent while it was open: nothing was chosen.
    int gedrueckt = -1;
    fuehre_dialog_aus(box, [&] { gedrueckt = liste.indexOf(qobject_cast<QPushButton*>(box->clickedButton())); });
    return gedrueckt >= 0 ? gedrueckt : abbruch;
}

int fuehre_dialog_aus(QDialog* dialog, const std::function<void()>& danach)
{
    const QPointer<QDialog> da(dialog);
    const int ergebnis = dialog->exec();
    if (!da)
        return QDialog::Rejected;
    if (danach)
        danach();
    delete dialog;
    return ergebnis;
}

void setze_frage_funktion(FrageFunktion funktion)
{
    frage_haken() = std::move(funktion);
}

void zeige_warnung(QWidget* eltern, const QString& titel, const QString& text)
{
    frage_mit_knoepfen(eltern, QMessageBox::Warning, titel, text, {QStringLiteral("OK")}, 0, 0);
}

bool frage_ja_nein(QWidget* eltern, const QString& titel, const QString& text)
{
    const QStringList knoepfe{QCoreApplication::translate("QObject", "Ja"), QCoreApplication::translate("QObject", "Nein")};
    return frage_mit_knoepfen(eltern, QMessageBox::Information, titel, text, knoepfe, 1, 1) == 0;
}

std::unique_ptr<QPrinter> waehle_drucker(QWidget* eltern)
{
    auto drucker = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!frage_drucker(eltern, *drucker))
        drucker.reset();
    return drucker;
}

namespace {

// The installed replacement, else the Qt dialog `Dialog` on the printer.
template <typename Dialog>
bool frage_druckerdialog(const DruckerFunktion& haken, QWidget* eltern, QPrinter& drucker)
{
    if (haken)
        return haken(eltern, drucker);
    if (!ist_gui_lauf())
        return false;
    // Gone with its parent while it was open: not accepted.
    return fuehre_dialog_aus(new Dialog(&drucker, eltern)) == QDialog::Accepted;
}

} // namespace

bool frage_drucker(QWidget* eltern, QPrinter& drucker)
{
    return frage_druckerdialog<QPrintDialog>(drucker_haken(), eltern, drucker);
}

void setze_drucker_funktion(DruckerFunktion funktion)
{
    drucker_haken() = std::move(funktion);
}

bool frage_seite_einrichten(QWidget* eltern, QPrinter& drucker)
{
    return frage_druckerdialog<QPageSetupDialog>(seiten_haken(), eltern, drucker);
}

void setze_seiten_funktion(DruckerFunktion funktion)
{
    seiten_haken() = std::move(funktion);
}
