// A long table cut into parts, joined again on paper and in a copy: one table, its heading rows heading every page it runs over, as the whole table's do.
#pragma once

#include <QTextFormat>

#include <functional>

class QTextDocument;

// The property of a table's format that marks it as going on from the table before it: a long
// report's table, cut into parts that each lay out in a moment (`CBerichtsdokument`).
constexpr int tabellenfortsetzung = QTextFormat::UserProperty + 0x4c54;

// The user state of the blocks of heading rows put in front of a part: they belong to no part.
constexpr int kopfzeilenzustand = -2;

// Qt heads every page a table runs over with its heading rows, but a part of a long table is a
// table of its own, and only the first one has them; copied, the parts paste as many tables with
// empty lines between. In `dokument` every part is joined with the part it goes on from into one
// table, the empty paragraphs between them gone, whatever the report wrapped the table in.
// `quelle`, when given, is the document `dokument` is a copy of a stretch of, in which a source
// position `p` stands at `p + versatz`: a part whose earlier parts are not in the copy gets the
// heading rows of its first part in front of it, and is laid out as that one. The blocks of
// heading rows put in get the user state `kopfzeilenzustand`; each block moved keeps its own.
// `abgebrochen`, when given, is asked now and then: once it holds, the joining stops where it is.
// Returns whether a table was joined or headed.
bool verbinde_tabellenteile(QTextDocument& dokument, QTextDocument* quelle = nullptr, int versatz = 0,
                            const std::function<bool()>& abgebrochen = {});

// Qt puts a table's rows on each page below the room its heading rows take there, and draws the
// heading rows into that room; heading rows that leave no room for a row below them on a page of
// `hoehe` pixels (the page body, `breite` wide) it draws over themselves on the page after and
// over the rows of every later page, where it left them no room. In `papier` such heading rows
// are rows as the others are: printed once, as far as each page holds them.
void begrenze_kopfzeilen(QTextDocument& papier, qreal breite, qreal hoehe);
