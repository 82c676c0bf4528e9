// Printing a protocol page by page with a footer, and saving it as text, HTML or PDF.
#pragma once

#include "cqstring.h"

class CCBaseLog;
class QTextDocument;
class QWidget;

// Prints the document with the title (the parent's window title when empty) and the page number
// on every page's footer line; asks first from 401 lines on; an empty document only beeps. Print
// kind 1 uses the printer assignment when the objects bundle holds one, else the print dialog.
void drucke_protokoll(QTextDocument* dokument, QWidget* eltern, bool schlicht, const CQString& titel, int* druckart);

// A log window's save request: kind 0 text, 1 HTML, 2 PDF, any other keeps the window's type.
void speichere_als(CCBaseLog* log, int art, const CQString& typ, const CQString& filter);

// Asks for the file name and writes the text (UTF-8) or, for kind 2, a PDF of it.
void speichere_text_datei(const CQString& text, const CQString& filter, const CQString& typ, int* art);
