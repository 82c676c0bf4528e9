// The operating system's services in one place: word size, personal folder, console, beep, shell, message box.
#pragma once

#include "cqstring.h"

#include <QMessageBox>
#include <QString>
#include <functional>
#include <string>

class QWidget;

// True when the running system is a 64-bit one.
bool ist_64bit_system();
// True for the 64-bit names of QSysInfo::currentCpuArchitecture().
bool ist_64bit_architektur(const QString& architektur);

// The path of a special folder by its Windows CSIDL number; only 5 (the personal documents
// folder) is known: the documents folder when it exists. Empty for anything else.
QString gib_spezialverzeichnis(int csidl);

// Console state: -1 not asked yet, 0 the console of another process (a terminal, always so
// here), 1 a console of the program's own, 80 standard output is no character device,
// 99 there is no standard output.
int wnt_c_inq_console();
// Makes the console state known; 1 when output cannot go to a console, else 0. The standard
// streams are already connected here, so nothing is attached or created; `titel` is unused.
int oeffne_konsole(const CQString& titel);
// Only while the console state is known: `text` and "Bitte <Enter> druecken" to standard
// error, then waits for one character on standard input, or until the session ends.
void warte_auf_enter(const std::string& text);

// The beep, the shell opener and the message box go through replaceable functions, so that a
// test can answer them and never blocks on a window.

// A beep; 0 when it sounded, 1 otherwise (no widget application). Frequency and duration
// only reach a replacement hook.
int piepe(unsigned frequenz, unsigned dauer);
using PiepFunktion = std::function<int(unsigned frequenz, unsigned dauer)>;
// Replaces the beep; an empty function restores the default.
void setze_piep_funktion(PiepFunktion funktion);

// Opens a file or address with the program associated with it; false when that failed. By
// default `xdg-open` is started detached with the unchanged text as its one argument (not
// QDesktopServices, whose "http" handler the own browser takes over).
bool oeffne_mit_shell(const QString& adresse);
using ShellFunktion = std::function<bool(const QString& adresse)>;
void setze_shell_funktion(ShellFunktion funktion);

// Gives a file that a library wrote for the user only (a PDF of the web engine, say) the rights
// any new file of the user gets (read and write as the process's file-creation mask allows);
// false when they could not be set.
bool gib_normale_dateirechte(const QString& datei);

// A box's caption: `titel`, or the application's name where it is empty, so that no box is
// announced to a screen reader without a name.
QString titel_der_box(const QString& titel);

// A critical message box with the given buttons, captioned by `titel_der_box`; without a widget
// application the text goes to standard error and the answer is QMessageBox::Cancel.
QMessageBox::StandardButton zeige_meldung_kritisch(QWidget* eltern, const QString& titel,
                                                   const QString& text,
                                                   QMessageBox::StandardButtons knoepfe = QMessageBox::Ok,
                                                   QMessageBox::StandardButton standard = QMessageBox::NoButton);
using MeldungFunktion = std::function<QMessageBox::StandardButton(
    QWidget* eltern, const QString& titel, const QString& text, QMessageBox::StandardButtons knoepfe,
    QMessageBox::StandardButton standard)>;
void setze_meldung_funktion(MeldungFunktion funktion);
