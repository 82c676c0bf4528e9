// How a report page follows a link: the allow-list with the report files the pages show themselves, a missing report, and documents for their programs.
#pragma once

#include "linkfreigabe.h"

#include <QString>
#include <QStringList>

// The suffixes of the report files a page shows itself: "xml", "txt", "htm", "html".
const QStringList& berichtsendungen();

// The allow-list's decision on a link or source of a report page (both kinds of page ask here).
Linkziel pruefe_berichtslink(const QString& text);

// True when `datei` names no regular file: the user is told, in the log and in a warning box,
// "Der Bericht '%1' ist nicht vorhanden !".
bool bericht_fehlt(const QString& datei);

// The largest report file a page loads, in bytes: a text report 256 MiB (a text page reads it in
// slices); any other 4 MiB on a text page (`textseite`), which parses and lays out its markup in
// one go on the GUI thread, and 32 MiB elsewhere (the web page, whose engine works beside the
// window, a mail's copy). Memory stays a small multiple of that, and a larger file is refused
// rather than holding the window or ending the program for want of memory.
qint64 groesste_berichtsdatei(const QString& datei, bool textseite = false);

// True when `datei` is larger than a page (a text page with `textseite`) loads: the user is told,
// in the log and in a warning box, "Der Bericht '%1' ist mit %2 MB zu groß zum Anzeigen
// (höchstens %3 MB)." An HTML report for a text page is also too large with more than 10,000
// table cells: Qt lays a table out whole, at some seconds for a MiB of cells, and again whenever
// the page's width changes ("Der Bericht '%1' ist mit %2 Tabellenzellen zu groß zum Anzeigen
// (höchstens %3).").
bool bericht_zu_gross(const QString& datei, bool textseite);

// True for a plain-text report (the suffix "txt" in any case).
bool ist_textbericht(const QString& datei);

// Opens a document the allow-list let through (`datei`, from the link `text`) with its program:
// a PDF in the PDF viewer, with the messages of a failure translated in `kontext`; anything else
// through the URL opener as a file. A network path written with slashes goes to the shell with
// backslashes.
void oeffne_dokument(const QString& text, const QString& datei, const char* kontext);
