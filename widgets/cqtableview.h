// The read-only list table over a sort proxy, its row writer with typed cells, and the German date-time reader.
#pragma once

#include "cqstring.h"

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QModelIndex>
#include <QPair>
#include <QPoint>
#include <QPointer>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVariant>
#include <QVector>

class CQTableViewZeile;

// Reads "d.m.yyyy h:mm[:ss]" and "d.m.yy h:mm[:ss]" (one or two digits for day, month and hour).
// A year below 100 lies in 1951-2050. Text of another form gives an invalid value and the warning
// "CDatumValidator: Fehler im regExp"; a form that names no real moment gives an invalid value.
QDateTime lies_datum_zeit(const QString& text);

// Column -> QVariant type number (2 integer, 6 floating point, 14 date, 15 time, 16 date-time)
// by which a row writer converts the text of a cell; columns without an entry keep the text.
using CSpaltenTypen = QMap<int, int>;

// Whole-row single selection, sortable by a header click, no editing. It shows its own model
// through its own proxy until `setzeModell` installs others. Row and column numbers of the
// operations are positions as shown (through the proxy); without a proxy they are model positions.
class CQTableView : public QTableView
{
    Q_OBJECT
public:
    explicit CQTableView(QWidget* eltern = nullptr, int spaltenanzahl = 0);
    ~CQTableView() override;

    // Appends a row to the model with the values in column order (and the column alignments).
    // `markieren` selects the new row wherever the proxy shows it; `markiert` draws its text in
    // the colour of the control key "/Privat/Farbe_Text_markiert" (red without one).
    // Returns the row's model number, -1 without a model.
    int neueZeile(const QVector<QVariant>& werte, const bool& markieren = false, const bool& markiert = false);
    // Header text of a column below the column count, and the next width preset: >= 0 pixels,
    // -2 the header's size hint, any other negative value (-1 too) fits the column to its contents.
    // Presets belong to columns in the order of these calls, not by column number.
    void setzeSpaltentitel(int spalte, const CQString& titel, const int& breite = -1);
    // Applies the width presets; pixel presets only with `feste_breiten`. Without a single preset
    // every column is fitted to its contents.
    void passeSpaltenbreitenAn(const bool& feste_breiten);
    // Shows the sort indicator on `spalte` (negative: the proxy's sort column) without sorting:
    // ascending for column 0, the proxy's order for the others. Nothing without a proxy.
    void zeigeSortierung(int spalte);
    // Selects a whole row, after clearing the selection when `neu` is set, and scrolls it to the centre.
    void markiereZeile(int zeile, const bool& neu);
    // Adds the rows (ascending) over their whole width to the selection, all in one step, without scrolling.
    void markiereZeilen(const QVector<int>& zeilen);
    // Removes every row of the model and deletes the row writers.
    void loescheZeilen();

    // Display value of a cell; invalid outside the table or without a model.
    QVariant zellDaten(int zeile, int spalte) const;
    QVariant zellDatenIndex(const QModelIndex& index, int spalte) const;
    // The index of a cell as shown; invalid outside the table.
    QModelIndex gibIndex(int zeile, int spalte) const;
    void setzeDaten(int zeile, int spalte, const QVariant& wert, int rolle = Qt::EditRole);

    // Installs a model and a proxy from outside; they stay the caller's. A null model keeps the
    // model in use; a null proxy shows the model directly. The view deletes its own model or
    // proxy once another replaces it. A new model under the view's own proxy (or under a proxy
    // without a source) becomes the proxy's source.
    void setzeModell(QStandardItemModel* modell, QSortFilterProxyModel* proxy);
    QStandardItemModel* gibModell() const { return modell; }
    QSortFilterProxyModel* gibProxy() const { return proxy; }

    // Every key press is swallowed while set.
    void setzeTastenAus(bool aus) { tasten_aus = aus; }
    // While set, a right-button release emits `clicked` for the last pressed index.
    void setzeKlickBeiRechtsLoslassen(bool an) { klick_rechts = an; }
    // Alignment given to this column of every new row.
    void setzeAusrichtung(int spalte, Qt::Alignment ausrichtung);

    // True while the last press or release was the right button, until a user resets it.
    bool rechteMaustaste() const { return rechts; }
    void setzeRechteMaustasteZurueck() { rechts = false; }
    // Global screen position of the last right-button press or release.
    QPoint rechtsKlickPosition() const { return rechts_position; }
    // The last valid index reported by `pressed`.
    const QModelIndex& gedrueckterIndex() const { return gedrueckt; }
    int aktuelleZeile() const { return aktuelle_zeile; }
    int aktuelleSpalte() const { return aktuelle_spalte; }

signals:
    void spacePressed();
    void returnPressed();
    void rightButtonPressed(CQTableView* aobj, QModelIndex index);

public slots:
    // An invalid index leaves the remembered one.
    void PitemPressed(const QModelIndex& index);

protected:
    void mousePressEvent(QMouseEvent* ereignis) override;
    void mouseReleaseEvent(QMouseEvent* ereignis) override;
    void keyPressEvent(QKeyEvent* ereignis) override;

private:
    friend class CQTableViewZeile;

    // What the view shows: the proxy, else the model.
    QAbstractItemModel* gezeigt() const;
    void merke_rechts(QMouseEvent* ereignis);

    int spaltenanzahl;
    int aktuelle_spalte = -1;
    int aktuelle_zeile = -1;
    bool rechts = false;
    bool tasten_aus = false;
    bool klick_rechts = false;
    QPoint rechts_position;
    QModelIndex gedrueckt;
    // Models from outside may go away before the view.
    QPointer<QStandardItemModel> modell;
    QStandardItemModel* eigenes_modell;
    QPointer<QSortFilterProxyModel> proxy;
    QSortFilterProxyModel* eigener_proxy;
    QList<int> breiten;
    QList<CQTableViewZeile*> zeilen;
    QList<QPair<int, int>> ausrichtungen;
};

// Appends one row to a view at construction and fills its cells from text, converted by the
// column's type: integers (0 for non-numbers), floating point, dates and times (German notation
// as a fallback), date-times through `lies_datum_zeit`. The view owns and deletes the writer.
class CQTableViewZeile
{
public:
    // `typen` may be null (every cell keeps its text) and must outlive the writer.
    CQTableViewZeile(CQTableView* view, const CSpaltenTypen* typen, const bool& markiert);
    CQTableViewZeile(const CQTableViewZeile&) = delete;
    CQTableViewZeile& operator=(const CQTableViewZeile&) = delete;

    void setzeZelle(int spalte, const CQString& text);
    // The model number of the row; -1 when the view had no model.
    int gibZeile() const { return zeile; }

private:
    friend class CQTableView;
    ~CQTableViewZeile() = default;

    CQTableView* view;
    int zeile = -1;
    const CSpaltenTypen* typen;
};
