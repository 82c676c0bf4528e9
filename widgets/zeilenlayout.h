// The layout of a long log in a read-only text area: a paragraph is laid out only when it is shown or asked for.
#pragma once

#include <QAbstractTextDocumentLayout>
#include <QTextBlockFormat>
#include <QVector>

#include <vector>

// Laying out every appended line costs the GUI thread most of its time when a job writes a line
// per file, although only the last screen of them is seen. This layout places the paragraphs one
// below the other, each in the document's width, as the standard layout does for a document of
// plain paragraphs; a paragraph not yet laid out counts one line of the default font (its margins
// included) until it is drawn, hit or its rectangle is asked for. Tables, frames and pictures it
// does not lay out: a document that gets one is given the standard layout back. A table of plain
// text cells can be shown as paragraphs of the format `tabellenzeile`, a row each, around which
// this layout draws the grid.
class CZeilenlayout : public QAbstractTextDocumentLayout
{
public:
    explicit CZeilenlayout(QTextDocument* dokument);

    // Whether this layout can show the document now: no tables, frames or pictures.
    static bool passt_zu(const QTextDocument* dokument);

    // The format of a paragraph that is a row of a table whose columns are as wide as given (the
    // widest text of each): the row's cells, separated by tabs, start in their columns, and a long
    // last cell wraps within the last column. Rows of one format stand one below the other as one
    // table. Any layout places the columns; this one also draws the grid.
    static QTextBlockFormat tabellenzeile(QTextBlockFormat basis, const QVector<qreal>& breiten);
    static bool ist_tabellenzeile(const QTextBlockFormat& format);

    // Lays out the paragraphs at the end that a view of that height shows when it stands at the
    // end: before a view that follows the end is put there, so that the end it goes to is the
    // end of the text laid out.
    void lege_ende(qreal sichthoehe);

    void draw(QPainter* maler, const PaintContext& kontext) override;
    int hitTest(const QPointF& punkt, Qt::HitTestAccuracy genauigkeit) const override;
    int pageCount() const override { return 1; }
    QSizeF documentSize() const override;
    QRectF frameBoundingRect(QTextFrame* rahmen) const override;
    QRectF blockBoundingRect(const QTextBlock& block) const override;

protected:
    void documentChanged(int von, int entfernt, int hinzu) override;

private:
    // Every paragraph counts as not laid out again (a new width, font or document).
    void alles_neu();
    // The paragraph's height as not laid out yet.
    qreal schaetzung(const QTextBlock& block) const;
    // Lays the paragraph (of that number) out unless it is; true when its height changed.
    bool lege(const QTextBlock& block, int nummer) const;
    // The tops of the paragraphs: a sum tree over their heights (index from 1).
    void haenge_an(qreal hoehe) const;
    void aendere(int nummer, qreal neu) const;
    qreal oben(int nummer) const;
    // The paragraph at the height `y` below the first paragraph's top.
    int suche(qreal y) const;
    // The document's size changed outside an edit: said once the event loop runs.
    void melde_groesse_spaeter() const;
    // Gives the document the standard layout back, on the event loop.
    void weiche();
    // The grid around a row of a table (see `tabellenzeile`) at the height `y`.
    void zeichne_raster(QPainter* maler, const QTextBlock& block, qreal y, qreal hoehe) const;

    mutable std::vector<qreal> hoehen;
    mutable std::vector<bool> gelegt;
    mutable std::vector<qreal> baum;
    mutable qreal breiteste = 0;
    mutable bool groesse_gemeldet = true;
    qreal zeilenhoehe = 0;
    bool weicht = false;
};
