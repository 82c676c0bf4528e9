// A report's document built on any thread, a piece at a time, from its file or its HTML: what a text page shows, and what its prints, PDFs and copies are made of.
#pragma once

#include <QDateTime>
#include <QPointer>
#include <QTextFormat>
#include <QTextTable>
#include <QTextDocument>

#include <vector>

class CHintergrund;
class QTextCursor;

// A report of any size up to a page's limit is built beside the window (a "<pre>" report of
// 200,000 lines, a table of 524,288 rows): its HTML is parsed a piece at a time (`CHtmlStuecke`),
// so that memory stays a small multiple of the file, and a long table is kept as parts of some
// hundred cells, each laid out in a moment, that all take the columns of the first part as it is
// laid out at the width given. The pictures are read as it is built, by the core's rule, and
// kept as images that any thread can draw. Built on a worker thread, the document goes to the
// GUI thread by `moveToThread` before the work ends.
class CBerichtsdokument : public QTextDocument
{
    Q_OBJECT
public:
    explicit CBerichtsdokument(QObject* eltern = nullptr);

    // Builds the document of the report file `datei`: a text report (".txt") as its lines, in
    // the code page text files are read in, at most `groesste_berichtsdatei` characters; any
    // other as HTML in the code it declares (`html_aus_bytes`), its references meant from the
    // report's folder. `breite`: the width in pixels a long table's first part is laid out at (0:
    // the parts keep their own columns, for a document that is not laid out).
    // `arbeit`, when given, gets the share done and may end the building early (the document is
    // then partial). Returns why the report cannot be read (the document is then empty); empty
    // when built.
    QString lade(const QString& datei, qreal breite, CHintergrund* arbeit = nullptr);
    // The same from HTML whose references are meant from `ordner` (none when empty).
    void setze_bericht(const QString& html, const QString& ordner, qreal breite, CHintergrund* arbeit = nullptr);

    // A view wider than the long tables' columns were measured for measures them anew at
    // `breite`: fixed at a narrow window's width, they wrapped every row of a widened one.
    void nimm_breite(qreal breite);

    // Where the anchor `name` lies; -1 when the document has none of that name.
    int anker_position(const QString& name) const;

    // The report file the document was built from; empty for one built from HTML, once it has
    // been changed, or once the file has been written anew since it was read.
    QString gib_datei() const;

    // The HTML of the report file `datei` in the code it declares (`html_aus_bytes`), read by the
    // core's rule; false, with the reason in `fehler`, when it is no regular file, cannot be read
    // or is larger than a page loads (`zu_gross_text`).
    static bool lies_html(const QString& datei, QString& html, QString& fehler);

    // A page, picture or style sheet at `adresse` read by the core's rule: a pipe or device of
    // the name gives an empty resource at once, as does a file larger than a page loads
    // (`groesste_berichtsdatei`, logged); a page comes as its text in the code it declares.
    // Null when `adresse` names no file by an absolute path: the caller goes Qt's way then.
    static QVariant lies_berichtsressource(int typ, const QUrl& adresse);

protected:
    // Local files by `lies_berichtsressource`, relative ones from the report's folder; a picture
    // becomes an image that any thread can draw and is kept.
    QVariant loadResource(int typ, const QUrl& name) override;

private:
    QString baue_text(CHintergrund* arbeit);
    // Appends the HTML piece at `ende` with every block's own format.
    void haenge_an(QTextCursor& ende, const QString& html);
    // The parts of each long table, which begin at the positions `fortsetzungen`, are marked as
    // going on from the part before (`tabellenfortsetzung`), get as many columns as the part with
    // the most, and take the columns of the table's first part laid out at `breite`.
    void gleiche_spalten_an(const std::vector<int>& fortsetzungen, qreal breite);
    // Gives each long table's parts the columns of its first part laid out at `breite`.
    void setze_spalten(qreal breite);
    // Reads every picture the document shows.
    void lade_bilder();

    QString datei;
    // The file as it was when it was read.
    qint64 groesse = -1;
    QDateTime geaendert;
    // Whether its text or formats were changed since it was read, and whether the long tables'
    // columns are being set, which is no change of the file's.
    bool veraendert = true;
    bool setzt_spalten = false;
    // Each long table: the columns its HTML gave it and its parts, the first one first.
    struct LangeTabelle
    {
        QVector<QTextLength> eigene;
        std::vector<QPointer<QTextTable>> teile;
        // The widest line and word of each column's later cells that may be wider than the first part's.
        QVector<qreal> spaeter;
        QVector<qreal> spaeter_wort;
    };
    std::vector<LangeTabelle> lange_tabellen;
    // The width the long tables' columns were measured at.
    qreal gemessen_bei = 0;
};
