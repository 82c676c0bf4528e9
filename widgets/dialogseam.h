// The modal dialogs of the widget library behind replaceable functions, so that a test can answer them.
#pragma once

#include <QFileDialog>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QPrinter;
class QWidget;

// Each dialog is reached through one function that calls the installed replacement, or, while
// none is installed, shows the Qt dialog. Without a widget application no dialog can be shown:
// the defaults then answer as if the user had cancelled. All of them run in the GUI thread.

// The file to open; empty when cancelled.
QString frage_dateiname_oeffnen(QWidget* eltern, const QString& titel, const QString& verzeichnis,
                                const QString& filter);
using OeffnenFunktion = std::function<QString(QWidget* eltern, const QString& titel, const QString& verzeichnis,
                                              const QString& filter)>;
// Replaces the open dialog; an empty function restores QFileDialog::getOpenFileName.
void setze_oeffnen_funktion(OeffnenFunktion funktion);

// The file to save under, starting at `vorschlag`; empty when cancelled.
QString frage_dateiname_speichern(QWidget* eltern, const QString& titel, const QString& vorschlag,
                                  const QString& filter, QFileDialog::Options optionen);
using SpeichernFunktion = std::function<QString(QWidget* eltern, const QString& titel, const QString& vorschlag,
                                                const QString& filter, QFileDialog::Options optionen)>;
// Replaces the save dialog; an empty function restores QFileDialog::getSaveFileName.
void setze_speichern_funktion(SpeichernFunktion funktion);

// A question answered by one of the named buttons (such as "Ja", "Nein"): the index of the
// pressed button in `knoepfe`. The box is captioned by `titel_der_box`. `standard` is the button that Enter presses, `abbruch` the one
// that Escape (or closing the box) stands for.
int frage_mit_knoepfen(QWidget* eltern, QMessageBox::Icon symbol, const QString& titel, const QString& text,
                       const QStringList& knoepfe, int standard, int abbruch);
using FrageFunktion = std::function<int(QWidget* eltern, QMessageBox::Icon symbol, const QString& titel,
                                        const QString& text, const QStringList& knoepfe, int standard,
                                        int abbruch)>;
// Replaces the question box; an empty function restores the QMessageBox.
void setze_frage_funktion(FrageFunktion funktion);

// Runs `dialog`, made with `new`, modally and deletes it: its result, or QDialog::Rejected when
// it went while it ran (its parent deleted meanwhile; one on the caller's stack would be deleted
// twice). `danach`, when given, reads the dialog once it has run and is still there.
int fuehre_dialog_aus(QDialog* dialog, const std::function<void()>& danach = {});

// A warning with a single "OK" button, through the question box's function.
void zeige_warnung(QWidget* eltern, const QString& titel, const QString& text);

// The question with "Ja" and "Nein" ("Nein" being default and escape): true for "Ja".
bool frage_ja_nein(QWidget* eltern, const QString& titel, const QString& text);

// The printer to print on: a new high-resolution printer, set up by the user in the print
// dialog; null when the dialog was cancelled.
std::unique_ptr<QPrinter> waehle_drucker(QWidget* eltern);
// The print dialog on a printer of the caller's; true when the user accepted it.
bool frage_drucker(QWidget* eltern, QPrinter& drucker);
// Sets up the offered printer; true when the user accepted it.
using DruckerFunktion = std::function<bool(QWidget* eltern, QPrinter& drucker)>;
// Replaces the print dialog; an empty function restores the QPrintDialog.
void setze_drucker_funktion(DruckerFunktion funktion);

// The page set-up dialog (paper size, orientation) on a printer of the caller's; true when the
// user accepted it.
bool frage_seite_einrichten(QWidget* eltern, QPrinter& drucker);
// Replaces the page set-up dialog; an empty function restores the QPageSetupDialog.
void setze_seiten_funktion(DruckerFunktion funktion);
