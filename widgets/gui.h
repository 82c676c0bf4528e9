// The small functions every window calls: wait cursor, error beep, colours, file dialogs, message boxes, settings.
#pragma once

#include "anwendung.h"   // gib_meldungstitel, gib_anwendungsname
#include "cqstring.h"
#include "systemwerte.h" // gib_hauptfenster: the dialog parent, null without a GUI

#include <QMessageBox>
#include <QPalette>
#include <QVariant>

class CQStringSteuer;
class QColor;
class QKeyEvent;
class QWidget;

// True when the application object is a QApplication: console and silent runs have only a
// QCoreApplication and can show no window.
bool ist_gui_lauf();

// Pushes the wait cursor (on), the arrow cursor (off with `pfeil`), or pops one override cursor
// (off without `pfeil`). Nothing happens without a QApplication. Calls are not counted: every
// "on" must be balanced by one plain "off" of the same caller.
void setze_warte_cursor(bool an, bool pfeil);
// The error beep: 440 Hz for 50 ms through the core's beep.
void fehler_ton();
// For input fields whose storage cannot hold "€": a key press with Alt (AltGr on a German
// keyboard) that types the euro sign gets the error beep and is ignored, and the answer is
// true. Any other event stays untouched: false. A pasted euro sign is not a key press.
bool verweigere_euro_taste(QKeyEvent* ereignis);

// Gives the widget a fresh default palette whose background-role brush, in every colour group,
// is the default palette's colour of `rolle`; every other entry of the widget's palette is reset.
void setze_hintergrundrolle(QWidget* widget, QPalette::ColorRole rolle);
// Mode 0 colours the background (a button through its style sheet, any other widget through its
// palette), mode 1 the foreground role; any other mode is itself the palette role to colour.
// A mode that names no colour role changes nothing.
void setze_farbe(int modus, QWidget* widget, const QColor& farbe);
// `setze_farbe` with mode 0.
void setze_hintergrundfarbe(QWidget* widget, const QColor& farbe);

// Asks for a file to open, starting in the folder held by `variable` (the personal folder while
// it is empty). Returns the absolute path, or "" when cancelled (the variable is then unchanged).
// The variable keeps the file's folder, or with `ganzer_pfad` the whole path.
QString oeffne_datei_dialog(QWidget* eltern, CQStringSteuer& variable, const QString& filter, const QString& titel,
                            bool ganzer_pfad);
// Asks for a file to save under, proposing `basisname` + `endung` (with its dot, in lower case)
// in the folder held by `variable` (or, with `ganzer_pfad`, the path it holds). A name without
// the extension gets it; with `fragen` an existing file of that completed name is overwritten
// only when the user confirms. Returns the absolute path, or "" when cancelled or refused (the
// variable is then unchanged); else the variable keeps the folder, or with `ganzer_pfad` the path.
QString speichere_datei_dialog(QWidget* eltern, CQStringSteuer& variable, const QString& typ,
                               const QString& basisname, const QString& endung, const QString& titel,
                               bool ganzer_pfad, bool fragen);

// Asks whether the existing file `pfad` may be overwritten ("Ja"/"Nein"); true for "Ja".
bool frage_ueberschreiben(QWidget* eltern, const QString& titel, const QString& pfad);

// A critical message box through the core's message-box hook. Without a QApplication (console
// and silent runs) the text also goes to the logger at error priority and the answer is Cancel.
QMessageBox::StandardButton meldung_kritisch(QWidget* eltern, const CQString& titel, const CQString& text,
                                             QMessageBox::StandardButtons knoepfe = QMessageBox::Ok,
                                             QMessageBox::StandardButton standard = QMessageBox::NoButton);

// The key's value in the process-wide settings object; invalid when the key is missing or no
// settings object is installed.
QVariant lese_einstellung(const CQString& schluessel);
