// The item table of the user-administration lists: cell texts, selection queries and the remembered sort column.
#pragma once

#include "cqstring.h"

#include <QTableWidget>
#include <QTableWidgetItem>
#include <QVector>

// The cell item that `CTable::setzeText` creates; it carries a row key for its owner's use.
class CTableItem : public QTableWidgetItem
{
public:
    explicit CTableItem(const QString& text = QString());
    ~CTableItem() override;

    int gibSchluessel() const { return schluessel; }
    void setzeSchluessel(int wert) { schluessel = wert; }

private:
    int schluessel = -1;
};

// Cells and ranges outside the table are ignored; queries about them answer "" or false.
class CTable : public QTableWidget
{
    Q_OBJECT
public:
    explicit CTable(QWidget* eltern = nullptr);
    CTable(int zeilen, int spalten, QWidget* eltern = nullptr);

    // Cells that `setzeText` creates from now on are editable unless the table is read only.
    void setzeNurLesen(bool nur_lesen) { nur_lesen_ = nur_lesen; }
    bool istNurLesen() const { return nur_lesen_; }

    // Sets the text of an existing item (its flags stay), else places a new `CTableItem`.
    void setzeText(int zeile, int spalte, const CQString& text);
    CQString zellText(int zeile, int spalte) const;
    void markiereBereich(int oben, int links, int unten, int rechts);
    // Adds the rows (ascending) over their whole width to the selection, all in one step.
    void markiereZeilen(const QVector<int>& zeilen);
    // Deselects every cell; the argument is not read.
    void hebeMarkierungAuf(bool alle = true);
    // Scrolls to the cell's item; nothing when the cell has none.
    void zeigeZelle(int zeile, int spalte);

    // Sorts the rows by the column, shows it as the header's sort indicator and remembers it.
    virtual void sortColumn(int spalte, bool aufsteigend);
    // The column of the last `sortColumn`, -1 before the first.
    int sortierSpalte() const { return sortier_spalte; }
    bool sortiertAufsteigend() const;

    // The first selected range holding the column decides; with `ganz` it must span every row.
    bool istSpalteMarkiert(int spalte, bool ganz) const;
    // The first selected range holding the row decides; with `ganz` it must span every column.
    bool istZeileMarkiert(int zeile, bool ganz) const;
    // Whether the cell is selected, whichever range holds it.
    bool istZelleMarkiert(int zeile, int spalte) const;

signals:
    void mouseRelease_signal();

public slots:
    virtual void setNumRows(int anumrows);

protected slots:
    void mouseReleaseTimer();

private:
    bool nur_lesen_ = false;
    int sortier_spalte = -1;
};
