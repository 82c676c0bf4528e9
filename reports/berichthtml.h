// The HTML of a report on its way to a file or to paper: links to files made relative, the file's code page, colours for printing.
#pragma once

#include <QString>
#include <QStringList>

// Every reference in `html` to one of `dateien` (the files that travel beside the report)
// becomes "./" + the file's name; with `ohne_punkt` a name beginning with "." loses that dot.
// The file-address forms are replaced before the bare path, so that no "file://" is left in
// front of a rewritten name.
QString mache_dateiverweise_relativ(QString html, const QStringList& dateien, bool ohne_punkt);

// Writes the HTML and a line end to `datei` (created or overwritten) in the code it declares:
// the 8-bit code page for a page that declares it or nothing, when it holds every character
// (and the program's language does not need UTF-8 with a byte-order mark); UTF-8 for a page that
// declares UTF-8, in any spelling; any other page in UTF-8 declared as by `deklariere_utf8`.
// False when the file cannot be opened or written; `grund`, when given, gets the system's reason.
bool schreibe_berichtshtml(const QString& datei, const QString& html, QString* grund = nullptr);

// The text of an HTML file's bytes in the code they declare (a byte-order mark, else a meta
// element anywhere, read as `schreibe_berichtshtml` reads it: one reader for every road);
// when they declare none, by the rule of the system's text files (`CQIODatei::codec_von`): UTF-8
// when they are valid UTF-8, else the 8-bit code page such a page is written in here, where Qt
// would take Latin-1.
QString html_aus_bytes(const QByteArray& daten);

// The HTML declaring UTF-8: every charset its meta elements name becomes "utf-8"; a page that
// names none gets a Content-Type meta element at the start of its head. Written through
// `schreibe_berichtshtml`, such a page is UTF-8 on disk.
QString deklariere_utf8(QString html);

// The HTML with a base element at the start of its head that makes its relative references
// point into `ordner` (a local folder), as if the page lay there.
QString mit_basisordner(QString html, const QString& ordner);

// The report's HTML for paper: background colours dropped, white text and lines made black, and
// the logo referred to by its absolute path, so that a page without source folder finds it.
QString bereite_html_fuer_druck(QString html);
