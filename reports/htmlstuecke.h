// A report's HTML cut into pieces that each read on their own: a long report is parsed a piece at a time, a long table laid out a part at a time.
#pragma once

#include <QString>
#include <QVector>

// Qt parses a page whole, keeping some hundred bytes for every element until the end (a table of
// 524,288 rows took gigabytes), and lays a table out whole, at every change of the width too. So
// a report is cut between its paragraphs, between the lines of a "<pre>" block, at a line break
// ("<br>", which goes) and between the rows of a table, and every piece begins with the page's
// head and the elements open where it begins, opened again. An element cut so has no margin at
// the cut, as if it went on, and a table cut so goes on as a table of its own: one of more than
// `zellen_je_teil` cells (a picture in them counts as five) is cut into parts of about that many,
// so that each part is laid out in some tens of milliseconds. Parts are no smaller: Qt's layout
// goes through all the tables after the place it lays out at each of its steps, a cost that grows
// with the square of their number. Nothing is cut inside a table cell, a list that numbers its
// items, a heading, the head or a script; a report without such places is one piece.
class CHtmlStuecke
{
public:
    struct Stueck
    {
        QString html;
        // The piece begins inside a table that goes on from the piece before.
        bool tabelle_geht_weiter = false;
    };

    // `ziel`: characters of the source after which a piece ends at the next place it may.
    explicit CHtmlStuecke(const QString& html, int ziel = 1 << 16, int zellen_je_teil = 800);

    // The next piece; false after the last one.
    bool naechstes(Stueck& stueck);
    // How far the pieces given so far reach into the source, in characters.
    int gelesen() const { return anfang; }
    int laenge() const { return quelle.size(); }

private:
    struct Offen
    {
        QString name;
        int tag_anfang;
        int tag_ende;
        // A table's cells since its part began, a picture counting as five.
        int zellen = 0;
        // A table's rows so far, and the last row a cell's "rowspan" reaches down to: no cut before it.
        int zeile = 0;
        int letzte_ueberspannte = 0;
    };

    // The element name that begins at `von`, in lower case; `ende` gets the position after it.
    QString lies_name(int von, int& ende) const;
    // Reads the tag at `pos` ("<"), updates the open elements and gives the position after it.
    int lies_tag(int pos);
    int lies_start_tag(int pos);
    int lies_end_tag(int pos);
    // The rows the cell whose start tag lies from `von` to `bis` spans.
    int zeilenspanne(int von, int bis) const;
    // The position after the end tag of `name`, an element whose text is no markup, from `von` on.
    int rohtext_ende(const QString& name, int von) const;
    // Closes what a start tag `name` closes by itself (a paragraph before a block, the row before a row, ...).
    void schliesse_implizit(const QString& name);
    void schliesse_bis(const QString& name);
    bool in_pre() const;
    // Whether the source may be cut where the open elements are now.
    bool schnitt_erlaubt() const;
    // Whether a piece should end here, before the start tag `name` or at a text position.
    bool soll_schneiden(const QString& name) const;
    // The piece from `anfang` up to `bis`, after which the source goes on at `weiter`.
    Stueck schneide(int bis, int weiter);
    QString wieder_geoeffnet(const Offen& element, bool oben, bool unten) const;

    QString quelle;
    int ziel;
    int zellen_je_teil;
    int pos = 0;
    int anfang = 0;
    QString kopf;
    // The page's style sheets outside its head so far (a "<style>" in the body), which hold for every later piece.
    QString stile;
    QVector<Offen> offen;
    // The elements open where the current piece begins.
    QVector<Offen> offen_am_anfang;
    bool erstes = true;
};
