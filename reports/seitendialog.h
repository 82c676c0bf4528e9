// The page set-up dialogs (the platform's and the framework's own) behind one replaceable function, so that a test can answer them.
#pragma once

#include <QString>
#include <functional>

class QPrinter;
class QWidget;

// Runs the page set-up of the printer: with `eigener_dialog` the framework's DPageSetupDialog
// (for PDF-file printers), else the platform's QPageSetupDialog; `titel`, when not empty, is the
// window title. Returns the dialog's result: 1 when accepted (the choices are in the printer),
// 0 when cancelled (the printer is as it was). Without a printer, or without a widget application
// and no replacement installed, it answers 0.
int frage_seiteneinrichtung(QPrinter* drucker, QWidget* eltern, bool eigener_dialog, const QString& titel);
// Stands for the dialog: sets the printer up as the user would and returns the dialog's result.
using SeiteneinrichtungFunktion =
    std::function<int(QWidget* eltern, QPrinter& drucker, bool eigener_dialog, const QString& titel)>;
// Replaces both dialogs; an empty function restores them.
void setze_seiteneinrichtung_funktion(SeiteneinrichtungFunktion funktion);
