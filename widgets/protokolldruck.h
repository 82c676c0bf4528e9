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

// Says in the log that the save into `datei` (empty: not chosen yet) was cancelled by the user
// and wrote nothing.
void melde_speichern_abgebrochen(const QString& datei);

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
// The document is copied a slice at a time while the window answers, then printed beside it (the
// form below); its window may close meanwhile and is deleted after the copy. A document deleted
// at once, or changed before its end, while it is copied is reported the same way; a copy the
// user cancelled prints nothing, and a print into a file says in the log that the file was not
// written (`melde_speichern_abgebrochen`).
bool drucke_auf_drucker(QTextDocument* dokument, QPrinter& drucker, const CQString& titel,
                        const Druckeinrichtung& einrichtung);

// Makes the document to print on the thread that prints it, laid out for a page `breite` pixels
// of the screen wide; null, with the reason in `fehler`, when it cannot. Shares it tells
// `arbeit` count for the making.
using Druckvorlage = std::function<std::unique_ptr<QTextDocument>(CHintergrund& arbeit, qreal breite, QString& fehler)>;

// The same for a document made by `vorlage`, its footer in `fussschrift`: it is made, laid out
// and drawn on a thread of its own while the window answers (`CHintergrund::fuehre_aus`, which
// can cancel it; then an old PDF file stays, and the log says that the file was not written), so
// that a document of any size never holds the window. A document that cannot be made is reported
// as one that cannot be printed.
bool drucke_auf_drucker(const Druckvorlage& vorlage, const QFont& fussschrift, QPrinter& drucker,
                        const CQString& titel, const Druckeinrichtung& einrichtung);

// A step that brings lines still on their way into a log's text, for about `bis_ms` a call: the
// share done, 0 to 1000, and 1000 once every line that was on its way when it was made is in.
using Nachtrag = std::function<int(qint64 bis_ms)>;

// Runs `nachtrag` a slice at a time while the window answers, with the wait's dialog titled
// `titel` (`CHintergrund::warte`): the log's print or save then holds every line it had been
// given. False when the user cancelled or `kontext` went meanwhile.
bool trage_nach(const Nachtrag& nachtrag, const QObject* kontext, const QString& titel);

// A log window's save request: kind 0 text, 1 HTML, 2 PDF, any other keeps the window's type.
// The window's lines still on their way are brought in first (`trage_nach`; cancelled, the log
// says that nothing was written), its text is saved through `speichere_dokument`.
void speichere_als(CCBaseLog* log, int art, const CQString& typ, const CQString& filter);

// Asks for the file name and writes the text (UTF-8) or, for kind 2, a PDF of it, beside the
// window (`CHintergrund::fuehre_aus`, which the user can cancel: then nothing is written, an old
// file stays and the log says so). A file that cannot be written is logged with its name and
// answered with the error beep. `quelle`, when given, is the window whose text this is: when it
// is gone once the dialogs are answered, nothing is written.
void speichere_text_datei(const CQString& text, const CQString& filter, const CQString& typ, int* art,
                          const QObject* quelle = nullptr);

// The same for the text of `dokument`, its HTML when `als_html`: once the name is chosen the
// document is copied a slice at a time while the window answers, and the text is made of the
// copy beside the window. A document deleted at once, or changed before its end, while it is
// copied is reported as a file that cannot be written; a closed window is deleted after the copy.
void speichere_dokument(QTextDocument& dokument, bool als_html, const CQString& filter, const CQString& typ,
                        int* art, const QObject* quelle);
