// How a report page follows a link: the allow-list with the report files the pages show themselves, a missing report, and documents for their programs.
#pragma once

#include "linkfreigabe.h"

#include <QString>
#include <QStringList>

// The suffixes of the report files a page shows itself: "xml", "txt", "htm", "html".
const QStringList& berichtsendungen();

// The allow-list's decision on a link or source of a report page (both kinds of page ask here).
Linkziel pruefe_berichtslink(const QString& text);

// Tells the user, in the log and in a warning box.
void melde_bericht(const QString& text);
// "Konnte Ausgabedatei '%1' nicht oeffnen." for a file a report is saved, printed or mailed into,
// followed by why (the system's reason: no room, say) when it is known.
QString ausgabedatei_fehler(const QString& datei, const QString& grund = QString());

// The largest report file any page loads, in bytes: a text report 256 MiB, any other 32 MiB.
// Pages take their time beside the window, and memory stays a small multiple of that; a larger
// file is refused rather than ending the program for want of memory.
qint64 groesste_berichtsdatei(const QString& datei);

// "Der Bericht '%1' ist mit %2 MB zu groß zum Anzeigen (höchstens %3 MB).", the sizes in MB with
// a decimal where one counts, rounded up: a file over the limit never reads as the limit.
QString zu_gross_text(const QString& datei, qint64 groesse);

// True when a page cannot show the report `datei`: when it names no regular file ("Der Bericht
// '%1' ist nicht vorhanden !") or one larger than a page loads (`zu_gross_text`). The user is told
// (`melde_bericht`), and `grund` gets the text (empty when the report can be shown).
bool bericht_verweigert(const QString& datei, QString* grund = nullptr);

// True for a plain-text report (the suffix "txt" in any case).
bool ist_textbericht(const QString& datei);

// Opens a document the allow-list let through (`datei`, from the link `text`) with its program:
// a PDF in the PDF viewer, with the messages of a failure translated in `kontext`; anything else
// through the URL opener as a file. A network path written with slashes goes to the shell with
// backslashes.
void oeffne_dokument(const QString& text, const QString& datei, const char* kontext);
