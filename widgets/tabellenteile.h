// A long table cut into parts, joined again on paper: its heading rows head every page it runs over, as the whole table's do.
#pragma once

#include <QTextFormat>

class QTextDocument;

// The property of a table's format that marks it as going on from the table before it: a long
// report's table, cut into parts that each lay out in a moment (`CBerichtsdokument`).
constexpr int tabellenfortsetzung = QTextFormat::UserProperty + 0x4c54;

// The user state of the blocks of heading rows put in front of a part: they belong to no part.
constexpr int kopfzeilenzustand = -2;

// Qt heads every page a table runs over with its heading rows, but a part of a long table is a
// table of its own, and only the first one has them. In `papier`, a copy of the source `quelle`
// from its position `quelle_von` on, in which a source position `p` stands at `p + versatz`, every
// table with heading rows is joined with the parts that go on from it into one table; a copy that
// begins with a later part of such a table gets the heading rows of its first part in front of it,
// and is laid out as that one. The blocks of heading rows put in get the user state
// `kopfzeilenzustand`; each block moved keeps its own.
void verbinde_tabellenteile(QTextDocument& papier, QTextDocument& quelle, int quelle_von, int versatz);
