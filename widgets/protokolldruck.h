// Printing a protocol page by page with a footer, and saving it as text, HTML or PDF.
#pragma once

#include "cqstring.h"

#include <QMarginsF>

#include <functional>
#include <memory>

class CCBaseLog;
class CDruckerzuordnung;
class CHintergrund;
class QFont;
class QObject;
class QPrinter;
class QTextDocument;
class QWidget;

// Prints the document with the title (the parent's window title when empty) and the page number
// on every page's footer line; asks first from 401 lines on; an empty document only beeps. Print
// kind 1 uses the printer assignment when the objects bundle holds one, else the print dialog.
void drucke_protokoll(QTextDocument* dokument, QWidget* eltern, bool schlicht, const CQString& titel, int* druckart);

// The assignment's default printer. Without one the message goes to the log and a warning box
// and the assignment's page set-up is offered; when it still names none, the message is given
// once more and the answer is null.
QPrinter* zugeordneter_drucker(CDruckerzuordnung& zuordnung, QWidget* eltern);

// Tells the user, in the log and in a warning box, why nothing was printed.
void melde_nicht_druckbar(const QString& grund);
// The same for a printer's paper that cannot hold one line and the footer.
void melde_papier_zu_klein(const QPrinter& drucker);

// Where the body of each page lies: the margins in millimetres, and whether the printer came from
// the printer assignment (the body is then sized from the paper and placed at the paper's corner,
// or, with `versatz`, by the printer's own offsets).
struct Druckeinrichtung
{
    QMarginsF raender_mm{20, 20, 10, 15};
    bool zugeordnet = false;
    bool versatz = false;
};

// Renders the document onto a chosen printer: each page's body, then the title and the page
// number on its footer line (the title cut short where it would reach the number). False when
// nothing could be printed; a failed output file is logged with its name and answered with the
// error beep; paper too small for one line and the footer, and a document with a paragraph or
// table too long to lay out, are reported before anything is written (`melde_nicht_druckbar`).
bool drucke_auf_drucker(QTextDocument* dokument, QPrinter& drucker, const CQString& titel,
                        const Druckeinrichtung& einrichtung);

// Makes the document to print on the thread that prints it, laid out for a page `breite` pixels
// of the screen wide; null, with the reason in `fehler`, when it cannot. Shares it tells
// `arbeit` count for the making.
using Druckvorlage = std::function<std::unique_ptr<QTextDocument>(CHintergrund& arbeit, qreal breite, QString& fehler)>;

// The same for a document made by `vorlage`, its footer in `fussschrift`: it is made, laid out
// and drawn on a thread of its own while the window answers (`CHintergrund::fuehre_aus`, which
// can cancel it; then nothing is said and an old PDF file stays), so that a document of any size
// never holds the window. A document that cannot be made is reported as one that cannot be printed.
bool drucke_auf_drucker(const Druckvorlage& vorlage, const QFont& fussschrift, QPrinter& drucker,
                        const CQString& titel, const Druckeinrichtung& einrichtung);

// A log window's save request: kind 0 text, 1 HTML, 2 PDF, any other keeps the window's type.
void speichere_als(CCBaseLog* log, int art, const CQString& typ, const CQString& filter);

// Asks for the file name and writes the text (UTF-8) or, for kind 2, a PDF of it. A file that
// cannot be written is logged with its name and answered with the error beep. `quelle`, when
// given, is the window whose text this is: when it is gone once the dialogs are answered,
// nothing is written.
void speichere_text_datei(const CQString& text, const CQString& filter, const CQString& typ, int* art,
                          const QObject* quelle = nullptr);
